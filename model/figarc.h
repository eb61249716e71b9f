#pragma once
// An arc (object code 5): three points in file order on a circle around a
// fractional centre. The points are held by value.

#include "model/figobject.h"
#include "model/figpoint.h"

class FigArc : public FigObject {
public:
    explicit FigArc(int objectId);
    FigObject* clone() const override;
    void draw(CFigContext* context) override;
    // The box of the three points and of the circle extremes the arc passes.
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override;

    // Mirrors the points and the centre (axis 1 about y = cy, axis 2 about
    // x = cx) and reverses the direction.
    void flip(int cx, int cy, int axis);
    // Turns the arc by whole degrees, clockwise on the screen for a positive
    // angle; unchanged when no circle passes through the turned points.
    void rotate(int cx, int cy, int angle);

    int capStyle = 0;
    int direction = 0; // 0 clockwise, 1 counter-clockwise
    float centerX = 0.0f;
    float centerY = 0.0f;
    FigPoint points[3]; // first, middle and last point
};
