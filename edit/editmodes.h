#pragma once
// The edit mode numbers, the one table that maps each number to the set-up
// that installs the mode's handlers, and the predicates on mode numbers that
// the document window and the redraw consult. Numbers not listed are not
// used; 14 is no mode. Nothing here owns anything.

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

class CFigContext;

// Installs a mode's idle handlers and ends any canvas action.
using EditModeSetUp = void (*)();

struct EditModeEntry {
    int mode;
    // Null for the modes that another mode's gesture or command enters (37
    // move point, 68 move selection, 71 paste): they are never chosen.
    EditModeSetUp setUp;
    // The mode acts on the object under the pointer (isPickingMode).
    bool picking;
};

// Every mode number, in ascending order, with its set-up.
extern const EditModeEntry editModeTable[];
extern const int editModeTableSize;

// The table's entry for the number, or null.
const EditModeEntry* findEditMode(int mode);

// Chooses a mode: leaves the gesture under way on the document (its rubber
// band erased while the document's painter is active, its point chain freed;
// see abandonCanvasGesture), empties every slot of the handler table, stores
// the number as the current mode and runs the set-up. False, and nothing
// changed, for a number without a set-up. The document may be null.
bool chooseEditMode(CFigContext* context, int mode);

// The set-up of the modes whose handlers are not there yet: empty handlers,
// no gesture.
void initModeWithoutHandlers();

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
