#include "model/deletesplinepointaction.h"

#include "model/figcontext.h"
#include "model/figspline.h"
#include "model/pointundo.h"

DeleteSplinePointAction::DeleteSplinePointAction(
    FigObjectList* list, FigSpline* spline, FigPoint* previous, FigPoint* point)
    : ActionItem(list, spline)
    , prevPoint(previous)
    , removedPoint(point)
{
}

bool DeleteSplinePointAction::redo(CFigContext* context)
{
    auto* spline = static_cast<FigSpline*>(object);
    const int index = spline->indexOf(removedPoint);
    if (index < 0)
        return true; // not one of the spline's points
    const bool wasLast = !removedPoint->next;
    prevPoint = spline->predecessor(removedPoint);
    valuesBefore = shapeFactorValues(spline);
    links.take(&context->drawing.objects, spline);
    releaseSplineLinksOfPoint(&context->drawing.objects, spline, removedPoint);
    removedNode = unlinkSplinePoint(spline, removedPoint);
    updateSplineLinkIndices(&context->drawing.objects, spline);
    // The new end of an open spline takes the end value of the removed one.
    if (isOpenSplineKind(spline) && spline->shapeFactors) {
        if (index == 0)
            spline->shapeFactors->value = removedNode->value;
        else if (wasLast)
            spline->shapeFactorAt(index - 1)->value = removedNode->value;
    }
    return true;
}

bool DeleteSplinePointAction::undo(CFigContext* context)
{
    (void)context;
    if (!removedNode)
        return true;
    auto* spline = static_cast<FigSpline*>(object);
    if (!relinkSplinePoint(spline, prevPoint, removedPoint, removedNode))
        return true; // its place is gone: the point stays with the action
    setShapeFactorValues(spline, valuesBefore);
    links.restore();
    removedNode = nullptr;
    return true;
}

void DeleteSplinePointAction::releaseDone()
{
    if (removedNode) {
        delete removedPoint;
        delete removedNode;
    }
    removedPoint = nullptr;
    removedNode = nullptr;
}
