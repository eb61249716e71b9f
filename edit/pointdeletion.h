#pragma once
// The delete-point mode (38): a left press on a point of a polyline or
// spline takes it out as one undo step, unless the object would fall below
// its least number of points; box, arc-box and picture corners stay.

class CFigContext;
class FigObject;
class FigPoint;

// The set-up: the point pick with deletePointPicked as its callback.
void initDeletePointMode();

// The point callback: the object becomes the current one and loses the
// point; false (with a message, nothing changed) when it refuses.
bool deletePointPicked(CFigContext* context, FigObject* object, int type, int x, int y, int pointX, int pointY,
    FigPoint* previous, FigPoint* point, int index);
