#pragma once
// An ellipse or circle (object code 1): centre, radii and the Fig start and
// end points, held by value. Ellipses have no arrows.

#include "model/figobject.h"
#include "model/figpoint.h"

class FigEllipse : public FigObject {
public:
    explicit FigEllipse(int objectId);
    FigObject* clone() const override;

    float angle = 0.0f; // radians, counter-clockwise on screen
    int direction = 0;
    FigPoint center;
    FigPoint radii; // x holds the x radius, y the y radius
    FigPoint start;
    FigPoint end;
};
