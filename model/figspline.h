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

    // Node number n counted from 0; null for a negative n or past the end.
    ShapeFactorNode* shapeFactorAt(int n) const;
    // The node at the position of `point` in the chain; null when the point
    // is not one of this spline's.
    ShapeFactorNode* shapeFactorOf(const FigPoint* point) const;

    int capStyle = 0;
    ShapeFactorNode* shapeFactors = nullptr; // owned list
};
