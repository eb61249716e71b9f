#pragma once
// The add-point mode (39): a left press on a segment of a polyline (boxes
// and pictures refused) or of a spline's control polygon inserts a point
// there; dragging places it, and the insertion with its move is one undo
// step. A right press during the drag takes the insertion back; a release
// without a drag keeps the point where it was inserted, also as one undo
// step. The gesture's actions wait in CFigContext::pendingActions until they
// are pushed.

class CFigContext;
class FigObject;
class FigPoint;

// The table's set-up of the mode: CFigContext::initAddPointMode.
void initAddPointModeOn(CFigContext* context);

// The left press: the polyline near (x, y), else the spline whose control
// polygon passes near, within two screen pixels; its point is inserted at
// the nearest place on the segment hit. The object, or null when none is
// near or it refuses.
FigObject* pickAddPoint(CFigContext* context, int x, int y);

// Inserts a point at the hit (hitX, hitY) of the object (Fig object code
// `type`, 2 polyline, 3 spline) and arms the drag. False, nothing changed,
// without an object, for a box, arc-box or picture (with a message) and for
// other kinds.
bool addPointPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);

// The segment of the chain from `first` that (x, y) lies on: `previous` the
// point it starts at (null when (x, y) is the first point itself), `next`
// the point it ends at (null past the last point).
void findInsertionPoint(FigPoint* first, int x, int y, FigPoint*& previous, FigPoint*& next);

// The handlers of the gesture: the first move arms the drag of the new
// point, the release drops it, a right press cancels the insertion, and a
// release before any move keeps the point.
void beginAddedLinePointDrag(CFigContext* context, int x, int y);
void beginAddedSplinePointDrag(CFigContext* context, int x, int y);
void dropAddedLinePoint(CFigContext* context, int x, int y);
void dropAddedSplinePoint(CFigContext* context, int x, int y);
void cancelAddPoint(CFigContext* context, int x, int y);
void endAddPointWithoutDrag(CFigContext* context, int x, int y);
