#pragma once
// What the shape factories of CFigContext share with the modes and scripts
// that place new objects by their own points: the three points of the arc
// under construction and the corners of a regular polygon.

#include "model/figpoint.h"

// The points of the arc being built, in the order they were given (first
// end, a point on the arc, other end). The arc mode fills them press by
// press; CFigContext::createArc takes its direction from them.
extern FigPoint arcPoints[3];

// A new closed chain of the current number of sides (currentAttrs.numSides)
// around (cx, cy): corner i at the angle startAngle + i * 2 pi / n (2 pi
// added when negative, y pointing down) and distance `radius`, each
// coordinate rounded, followed by a copy of corner 0. The caller owns the
// chain. Null when the number of sides is below 1 or no memory is left.
FigPoint* regularPolygonPoints(int cx, int cy, double radius, double startAngle);
