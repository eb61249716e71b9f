#pragma once
// Per-kind point and arrow operations below the undo actions: moving one
// point of an arc, box, ellipse, polyline or spline, and exchanging the arrow
// at one end of an arc, polyline or spline. Stateless free functions. The
// list argument of the moves is the drawing's top-level list, in which the
// points of other lines smart-linked to the moved object are looked for.
// Inserting and removing points are members of FigLine and FigSpline.

#include "model/figobjectlist.h"

class FigArc;
class FigEllipse;
class FigLine;
class FigPoint;
class FigSpline;
struct FigArrow;

// Moves point 0, 1 or 2 of the arc by (dx, dy) and recomputes its centre and
// direction. False, the arc unchanged, when the moved points define no circle
// (two coincide or all three lie on a line) or the index is out of range.
bool moveArcPoint(FigArc* arc, int dx, int dy, int pointIndex);

// Moves a corner of a box, arc-box or picture (sub-types 2, 4, 5) with every
// point sharing its x (by dx) or its y (by dy), so the box stays a rectangle
// and the closing point stays equal to the first. A picture corner dragged
// past the opposite side toggles the picture's flipped flag (once per axis).
// A box of width (or height) 0 moves only the corner's side along that axis,
// the corner and its chain neighbour on that side, so that it can be widened.
// Points of other lines linked to a moved point's segments follow.
void moveBoxCorner(const FigObjectList* list, FigLine* box, int dx, int dy, FigPoint* corner);

// Reshapes the ellipse by its sub-type as the point with the index (-1 both
// ends symmetrically, 0 the start, other the end) is dragged by (dx, dy);
// points linked to the ellipse follow its outline.
void moveEllipsePoint(const FigObjectList* list, FigEllipse* ellipse, int dx, int dy, int pointIndex);

// Moves the point (and a polygon's closing point with its first); points of
// other lines linked to its segments follow.
void moveLinePoint(const FigObjectList* list, FigLine* line, int dx, int dy, FigPoint* point);

// Moves the point only; points linked to a spline do not follow.
void moveSplinePoint(const FigObjectList* list, FigSpline* spline, int dx, int dy, FigPoint* point);

// Puts `newArrow` (may be null) at the forward end (end non-zero) or the
// backward end (end 0) and hands the arrow that was there to `previous`.
// False, with nothing changed and `previous` untouched, when the object
// refuses: a null object; for polylines boxes, polygons and arc-boxes
// (sub-types 2 to 4) and lines of fewer than two points; closed splines.
bool swapArcArrow(FigArc* arc, int end, FigArrow* newArrow, FigArrow*& previous);
// Whether the swaps above accept an arrow on the object: arcs, open splines,
// and polylines of two points or more that are no box, polygon or arc-box.
bool acceptsArrows(const FigObject* object);
bool swapLineArrow(FigLine* line, int end, FigArrow* newArrow, FigArrow*& previous);
bool swapSplineArrow(FigSpline* spline, int end, FigArrow* newArrow, FigArrow*& previous);
