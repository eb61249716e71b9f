#pragma once
// An ellipse or circle (object code 1): centre, radii and the Fig start and
// end points, held by value. Ellipses have no arrows.

#include "model/figobject.h"
#include "model/figpoint.h"

class FigEllipse : public FigObject {
public:
    explicit FigEllipse(int objectId);
    FigObject* clone() const override;
    void draw(CFigContext* context) override;
    // Axis-aligned ellipses directly; rotated ones by a scan in pixels at zoom 100.
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override;

    // Whether the end point lies on the other side of the centre, in x or in
    // y, than the other ellipse's (signs -1, 0, 1 of end - center compared).
    bool endFlippedX(const FigEllipse& other) const;
    bool endFlippedY(const FigEllipse& other) const;

    // Turns centre, start and end point and the angle by whole degrees,
    // clockwise on the screen for a positive angle; the radii stay.
    void rotate(int cx, int cy, int degrees);

    float angle = 0.0f; // radians, counter-clockwise on screen
    int direction = 0;
    FigPoint center;
    FigPoint radii; // x holds the x radius, y the y radius
    FigPoint start;
    FigPoint end;
};
