#pragma once
// Geometric queries of the model: which object, vertex or piece of an outline
// passes near a point. Tolerances are Fig units; point-to-point tests are
// square (|dx| <= t and |dy| <= t), point-to-line tests round. The queries
// over lists are members of CFigContext; they look at the objects of the list
// itself, never into compounds, and never find objects on hidden depths.

class FigEllipse;

// A segment along the outline of the object last found by a line, ellipse or
// spline query, in the direction of the outline at the hit; only its
// direction and length are meaningful. Program-wide, GUI thread only: each of
// those queries clears tangentSegmentValid when it starts and sets it on a hit.
struct TangentSegment {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};
extern TangentSegment tangentSegment;
extern bool tangentSegmentValid;

// Whether (x, y) lies near the segment from (x1, y1) to (x2, y2). The hit is
// the start when it is within t, else the end when it is within t, else the
// foot of the perpendicular from (x, y), rounded, when (x, y) lies in the
// segment's box grown by t and t2 (t squared) exceeds its squared distance
// from the foot. The foot is computed in single precision.
bool pointNearSegment(int x1, int y1, int x2, int y2, int x, int y, int t, float t2, int& hitX, int& hitY);

// Whether (x, y) lies near the ellipse's outline: the centre when (x, y) is
// closer than t to it, else its start or end point when within t (square),
// else the point of the (rotated) outline on the ray from the centre through
// (x, y) when that is no farther than t.
bool ellipseHitTest(const FigEllipse* ellipse, int x, int y, int t, int& hitX, int& hitY);
