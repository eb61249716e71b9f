#pragma once
// Geometric queries of the model: which object, vertex or piece of an outline
// passes near a point. Tolerances are Fig units; point-to-point tests are
// square (|dx| <= t and |dy| <= t), point-to-line tests round.

// Whether (x, y) lies near the segment from (x1, y1) to (x2, y2). The hit is
// the start when it is within t, else the end when it is within t, else the
// foot of the perpendicular from (x, y), rounded, when (x, y) lies in the
// segment's box grown by t and t2 (t squared) exceeds its squared distance
// from the foot. The foot is computed in single precision.
bool pointNearSegment(int x1, int y1, int x2, int y2, int x, int y, int t, float t2, int& hitX, int& hitY);
