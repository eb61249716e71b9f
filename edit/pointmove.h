#pragma once
// Moving one point of an object with the mouse: a press on a point in the
// select mode hands the gesture here (mode 37); the first move installs the
// drag handlers of the object's kind, each further move shows the moved
// object by a preview that never changes the object itself (moved clones
// swapped in by identifier, see edit/dragselection.h), the release makes one
// undo step and the gesture returns to the select mode through
// canvasHandlers.returnHandler. A right press cancels without a change. The
// state of the one point move under way is program-wide.

class CFigContext;
class FigObject;
class FigPoint;

// The index the point pick reported: 0 to 2 for an arc, 0 (start) or 1 (end)
// for an ellipse, 0 otherwise.
extern int movingPointIndex;
// For polylines, the points before and after the moving point (null at an
// end); the measurement texts show the distances to them.
extern FigPoint* movingPointPrev;
extern FigPoint* movingPointNext;

// The point callback of the select mode (the arguments of a point pick):
// takes the gesture unless there is no object, another object of the current
// list is selected, the object is a compound, a polyline of one point, or an
// ellipse picked at its centre. True when it took it.
bool startPointMove(CFigContext* context, FigObject* object, int type, int x, int y, int pointX, int pointY,
    FigPoint* previous, FigPoint* point, int index);

// The drag starters, installed as move handler by startPointMove and run by
// the first move.
void beginArcPointDrag(CFigContext* context, int x, int y);
void beginEllipsePointDrag(CFigContext* context, int x, int y);
void beginLinePointDrag(CFigContext* context, int x, int y);
void beginSplinePointDrag(CFigContext* context, int x, int y);

// The previews of every further move.
void dragArcPoint(CFigContext* context, int x, int y);
void dragEllipsePoint(CFigContext* context, int x, int y);
void dragLinePoint(CFigContext* context, int x, int y);
void dragSplinePoint(CFigContext* context, int x, int y);

// The drops (left release): one undo step each, then back to the select mode.
void dropArcPoint(CFigContext* context, int x, int y);
void dropEllipsePoint(CFigContext* context, int x, int y);
void dropLinePoint(CFigContext* context, int x, int y);
void dropBoxCorner(CFigContext* context, int x, int y);
void dropSplinePoint(CFigContext* context, int x, int y);

// The right press during a drag: the display is restored, nothing changes.
void cancelPointDrag(CFigContext* context, int x, int y);
// The release before any move: back to the select mode, nothing changed.
void releaseWithoutDrag(CFigContext* context, int x, int y);
