#pragma once
// An arc (object code 5): three points in file order on a circle around a
// fractional centre. The points are held by value.

#include "model/figobject.h"
#include "model/figpoint.h"

class FigArc : public FigObject {
public:
    explicit FigArc(int objectId);
    FigObject* clone() const override;
    // The box of the three points and of the circle extremes the arc passes.
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override;

    int capStyle = 0;
    int direction = 0; // 0 clockwise, 1 counter-clockwise
    float centerX = 0.0f;
    float centerY = 0.0f;
    FigPoint points[3]; // first, middle and last point
};
