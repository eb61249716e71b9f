#pragma once
// The edit mode numbers and the predicates on them that the document window
// and the redraw consult. Numbers not listed are not used; 14 is no mode.

namespace EditMode {
enum Mode : int {
    Cbr = 1,
    Cbd = 2,
    Ebr = 3,
    Ebd = 4,
    Arc = 5,
    Polyline = 6,
    Box = 7,
    Polygon = 8,
    Text = 9,
    Spline = 10,
    ClosedSpline = 11,
    IntSpline = 12,
    ClosedIntSpline = 13,
    Regular = 15,
    Picture = 16,
    ScaleComp = 32,
    Copy = 34,
    Delete = 36,
    MovePoint = 37,
    DeletePoint = 38,
    AddPoint = 39,
    Arrow = 44,
    Update = 47,
    FlipVert = 56,
    FlipHoriz = 57,
    RotateLeft = 58,
    RotateRight = 59,
    Select = 67,
    MoveSelection = 68,
    Paste = 71,
    Tangent = 73,
    Normal = 74,
};
} // namespace EditMode

// Modes 1 to 16 except 14 create objects.
bool isCreationMode(int mode);
bool isCurrentModeCreation();
bool isMovePointMode(int mode);
// The copy mode or a drag of the selection is current.
bool isCopyOrDragMode();
// Neither the select mode nor a creation mode (true for -1 and 0).
bool isPlainPickMode(int mode);
// The modes that act on an object under the cursor.
bool isPickingMode(int mode);

#include "edit/canvashandlers.h"

// Whether a right-press handler is one of the creation modes' cancel
// handlers (the document window then draws without antialiasing). The
// creation modes register theirs with registerCancelHandler.
bool isCancelHandler(PointHandler handler);
void registerCancelHandler(PointHandler handler);
