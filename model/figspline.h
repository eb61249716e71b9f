#pragma once
// A spline (object code 3): approximated, interpolated or X-spline, open or
// closed. Owns its point chain and a parallel list of shape factors, one node
// per point in point order.

#include "model/figobject.h"
#include "model/figpath.h"

// The X-spline shape factor (-1 to 1) of the point at the same position.
struct ShapeFactorNode {
    // A new list with the same values in the same order; null when memory runs
    // out, nothing left allocated.
    ShapeFactorNode* cloneList() const;

    double value = 0.0;
    ShapeFactorNode* next = nullptr; // not owned by the node: the spline frees the list
};

class FigSpline : public FigObject, public FigPath {
public:
    explicit FigSpline(int objectId);
    ~FigSpline() override;
    FigObject* clone() const override;
    void draw(CFigContext* context) override;
    // The control points, widened where negative shape factors bulge out.
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override;

    // Node number n counted from 0; null for a negative n or past the end.
    ShapeFactorNode* shapeFactorAt(int n) const;
    // The node at the position of `point` in the chain; null when the point
    // is not one of this spline's.
    ShapeFactorNode* shapeFactorOf(const FigPoint* point) const;

    // Links the point in after `previous` (in front when null) with a new
    // shape-factor node carrying the default of its place: 0.0 at the ends of
    // an open spline (the former end then takes the inner default), else 1.0
    // for approximated and -1.0 for interpolated splines and X-splines.
    // `following` is the point that is to follow it (null: it becomes the
    // last). False, nothing changed, when the point is already in the chain,
    // `previous` is not, or memory runs out.
    bool insertPoint(FigPoint* previous, FigPoint* point, FigPoint* following);
    // Unlinks the point (it keeps its successor) and deletes one factor node
    // so that the list stays parallel to the chain; an open spline's new end
    // keeps 0.0. `previous` is the point before it (null for the first).
    void removePoint(FigPoint* previous, FigPoint* point);
    // Replaces the factor list by the defaults of the sub-type (0.0 at both
    // ends of an open spline). 1, or 0 when memory ran out (the list is then
    // partial).
    int initShapeFactors();

    // Mirror or turn every point; the shape factors stay.
    void flip(int cx, int cy, int axis);
    void rotate(int cx, int cy, int angle);

    int capStyle = 0;
    ShapeFactorNode* shapeFactors = nullptr; // owned list
};
