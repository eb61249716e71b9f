#pragma once
// The area an object may paint at the context's current view, for leaving
// out of a redraw the objects that cannot reach the redrawn part of the
// canvas. The box is worked out afresh from the object as it is (no state is
// kept, so it stays right across every edit) and is cheap rather than tight:
// it never computes thick outlines, arrowheads or curves, and errs on the
// large side, since an object drawn in vain costs time while one left out in
// error would leave a hole.

class CFigContext;
class FigObject;

// A box in Fig units that holds every pixel the object paints at the
// context's zoom and resolution. A compound gives the union of its members.
void drawnArea(CFigContext* context, FigObject* object, int& xmin, int& ymin, int& xmax, int& ymax);

// A rectangle in Fig units (corners in any order) and the test whether an
// object may paint into it: false only when its drawn area surely misses.
struct FigArea {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};
bool objectMayPaintIn(CFigContext* context, FigObject* object, const FigArea& area);
