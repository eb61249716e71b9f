#pragma once
// Undoable move of one point of a spline, with the same smart-link handling
// as a polyline point (MoveLinePointAction). Points linked to a spline do not
// follow it.

#include "model/movelinepointaction.h"

class MoveSplinePointAction : public MoveLinePointAction {
public:
    MoveSplinePointAction(FigObjectList* list, FigObject* spline, FigPoint* movedPoint, int moveX, int moveY);

protected:
    void movePoint(CFigContext* context, int offsetX, int offsetY) override;
};
