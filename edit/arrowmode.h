#pragma once
// The arrow mode (44): a click on the first or last point of a line, spline
// or arc puts an arrowhead of the current arrow mode kind at that end, or
// takes off the one there; each click that changes an object is one undo
// step.

class CFigContext;
class FigObject;
class FigPoint;

// Installs the point pick as the left-press handler with arrowPointPicked as
// its callback.
void initArrowMode();

// The point callback of the mode (arguments as the point pick passes them).
// False without an object; true otherwise, also when the point is no end or
// the object cannot carry an arrow there (then nothing changes).
bool arrowPointPicked(CFigContext* context, FigObject* object, int type, int x, int y, int pointX, int pointY,
    FigPoint* previous, FigPoint* point, int index);
