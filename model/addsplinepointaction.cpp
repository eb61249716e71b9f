#include "model/addsplinepointaction.h"

#include "model/figcontext.h"
#include "model/figspline.h"
#include "model/pointundo.h"

AddSplinePointAction::AddSplinePointAction(
    FigObjectList* list, FigSpline* spline, FigPoint* previous, FigPoint* point, FigPoint* following)
    : ActionItem(list, spline)
    , prevPoint(previous)
    , newPoint(point)
    , nextPoint(following)
{
}

bool AddSplinePointAction::redo(CFigContext* context)
{
    auto* spline = static_cast<FigSpline*>(object);
    valuesBefore = shapeFactorValues(spline);
    links.take(&context->drawing.objects, spline);
    if (!newNode) {
        if (!spline->insertPoint(prevPoint, newPoint, nextPoint))
            return true; // refused or out of memory: nothing changed
        newNode = spline->shapeFactorOf(newPoint);
        valuesAfter = shapeFactorValues(spline);
    } else {
        // The same node again, so that whatever names it stays valid.
        if (!relinkSplinePoint(spline, prevPoint, newPoint, newNode))
            return true;
        setShapeFactorValues(spline, valuesAfter);
    }
    inserted = true;
    updateSplineLinkIndices(&context->drawing.objects, spline);
    return true;
}

bool AddSplinePointAction::undo(CFigContext* context)
{
    (void)context;
    if (!inserted)
        return true;
    auto* spline = static_cast<FigSpline*>(object);
    unlinkSplinePoint(spline, newPoint);
    setShapeFactorValues(spline, valuesBefore);
    links.restore();
    inserted = false;
    return true;
}

void AddSplinePointAction::releaseDone()
{
    // A point that could not be inserted is still ours.
    if (!inserted) {
        delete newPoint;
        delete newNode;
    }
    newPoint = nullptr;
    newNode = nullptr;
}

void AddSplinePointAction::releaseUndone()
{
    delete newPoint;
    delete newNode;
    newPoint = nullptr;
    newNode = nullptr;
}
