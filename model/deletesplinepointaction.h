#pragma once
// Undoable removal of a point from a spline. Owns the removed point and its
// shape-factor node while it is done; undo puts both back with every factor
// value as it was.

#include "model/actionitem.h"
#include "model/pointundo.h"

#include <QVector>

class FigPoint;
class FigSpline;
struct ShapeFactorNode;

class DeleteSplinePointAction : public ActionItem {
public:
    DeleteSplinePointAction(FigObjectList* ownerList, FigSpline* spline, FigPoint* prevPoint, FigPoint* removedPoint);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;

    FigPoint* prevPoint;
    FigPoint* removedPoint;

private:
    ShapeFactorNode* removedNode = nullptr; // held while done
    QVector<double> valuesBefore; // the factors before the removal
    LinkTargetSnapshot links; // the links to the spline before the removal
};
