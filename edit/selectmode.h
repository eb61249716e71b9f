#pragma once
// The select mode (67), the mode the program starts in and returns to: a left
// click selects an object (Shift adds or removes it), dragging a selected
// object moves the whole selection (mode 68 while it lasts), dragging on
// empty canvas pulls a rectangle that toggles the objects inside it, a right
// click deselects everything, and a press on a point of the lone selected
// object hands the gesture to the point move (edit/pointmove.h). The
// document's `selection` list holds the dragged objects while a drag runs.

class CFigContext;
class FigObject;

// The set-up: the select handlers installed, no gesture, mode 67, and the
// select mode as the return handler of the gestures that come back to it.
void initSelectMode();
// The left press of mode 67.
void selectPress(CFigContext* context, int x, int y);
// The object callback of mode 67: selects (or with Shift toggles) the object
// and makes it the current one; without an object and without Shift,
// deselects everything. True when the object ends up selected.
bool selectModeObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);
// The first move after a press on an object: the drag of the selection.
void startSelectionDrag(CFigContext* context, int x, int y);
// The release ending a drag: the selection moved by the drag as one undo step.
void dropSelection(CFigContext* context, int x, int y);
// The right press during a drag: nothing moves.
void cancelSelectionDrag(CFigContext* context, int x, int y);
// The right press of mode 67: everything deselected (a rectangle being pulled
// is erased first).
void selectRightPress(CFigContext* context, int x, int y);
// The release after pulling a rectangle: toggles the objects inside it.
void rubberBandSelect(CFigContext* context, int x, int y);
// The release of a click on an object without a drag: back to the idle
// select handlers.
void selectModeRelease(CFigContext* context, int x, int y);
// Whether (x, y) lies closer than t to the ellipse's centre.
bool ellipseCentreNear(const FigObject* ellipse, int x, int y, int t);
// Returns to the select mode by canvasHandlers.returnHandler (initSelectMode
// when none is installed).
void returnToSelectMode();
