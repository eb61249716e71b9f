#pragma once
// Undoable insertion of a point into a spline. Owns the new point and its
// shape-factor node while it is undone; undo restores every factor the
// insertion changed (a former end takes the inner default).

#include "model/actionitem.h"
#include "model/pointundo.h"

#include <QVector>

class FigPoint;
class FigSpline;
struct ShapeFactorNode;

class AddSplinePointAction : public ActionItem {
public:
    // The new point goes after `prevPoint` (in front when null);
    // `nextPoint` is the point that will follow it (null: it becomes last).
    AddSplinePointAction(
        FigObjectList* ownerList, FigSpline* spline, FigPoint* prevPoint, FigPoint* newPoint, FigPoint* nextPoint);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    void releaseUndone() override;

    FigPoint* prevPoint;
    FigPoint* newPoint;
    FigPoint* nextPoint;

private:
    ShapeFactorNode* newNode = nullptr; // made by the first insertion, then kept
    QVector<double> valuesBefore; // the factors before the insertion
    QVector<double> valuesAfter; // and after the first one
    bool inserted = false; // the point is in the chain
    LinkTargetSnapshot links; // the links to the spline before the insertion
};
