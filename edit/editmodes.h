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

// The pages of the attribute page stack, in stack order; each mode shows one.
namespace AttrsPage {
enum Page : int {
    Empty = 0,
    Arc = 1,
    Arrow = 2,
    Box = 3,
    Compound = 4,
    Ellipse = 5,
    NoAttributes = 6, // the second empty page, shown for modes without attributes
    Polygon = 7,
    Polyline = 8,
    Picture = 9,
    Regular = 10,
    ClosedSpline = 11,
    OpenSpline = 12,
    Text = 13,
    Rotate = 14,
    TangentNormal = 15,
    Update = 16,
};
} // namespace AttrsPage

// What choosing a mode in the tool panel does to the markers of the active
// document: none, clear them all, show all, or deselect every object and
// mark all.
enum class ModeMarkers { None, Clear, ShowAll, MarkAll };

// Installs a mode's idle handlers and ends any canvas action.
using EditModeSetUp = void (*)();
// The same for a mode that is prepared on a document (never null).
using DocumentModeSetUp = void (*)(CFigContext*);

struct EditModeEntry {
    int mode;
    // Null for the modes that another mode's gesture or command enters (37
    // move point, 68 move selection, 71 paste), which are never chosen, and
    // for the modes prepared on a document (documentSetUp).
    EditModeSetUp setUp;
    // The mode acts on the object under the pointer (isPickingMode).
    bool picking;
    ModeMarkers markers;
    int page; // AttrsPage
    // Shown in the status bar while the mode is current; null for the modes
    // entered by others.
    const char* statusText;
    DocumentModeSetUp documentSetUp = nullptr;
};

// Every mode number, in ascending order, with its set-up.
extern const EditModeEntry editModeTable[];
extern const int editModeTableSize;

// The table's entry for the number, or null.
const EditModeEntry* findEditMode(int mode);

// Whether the mode can be chosen (it has a set-up), and whether that needs a
// document.
bool isChoosableMode(const EditModeEntry& entry);
bool modeNeedsDocument(const EditModeEntry& entry);

// The attribute page of a mode: NoAttributes for numbers without a page.
int attrsPageOfMode(int mode);

// Chooses a mode: leaves the gesture under way on the document (its rubber
// band erased while the document's painter is active, its point chain freed;
// see abandonCanvasGesture), empties every slot of the handler table, stores
// the number as the current mode and runs the set-up. False, and nothing
// changed, for a number without a set-up, or without a document for a mode
// that is prepared on one. The document may be null.
bool chooseEditMode(CFigContext* context, int mode);

// The set-up of the modes whose handlers are not there yet: empty handlers,
// no gesture.
void initModeWithoutHandlers();
void initDocumentModeWithoutHandlers(CFigContext* context);

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
