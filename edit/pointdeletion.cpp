#include "edit/pointdeletion.h"

#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/picking.h"
#include "model/deletelinepointaction.h"
#include "model/deletesplinepointaction.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/movelinepointaction.h"
#include "model/objectlist.h"
#include "model/planegeometry.h"
#include "model/smartlinks.h"
#include "model/units.h"

#include <QPainter>

void initDeletePointMode()
{
    setPointCallback(deletePointPicked);
    setCanvasHandlers(nullptr, pressHandler<pickPoint>, nullptr);
    endCanvasAction();
}

bool deletePointPicked(CFigContext* context, FigObject* object, int /*type*/, int /*x*/, int /*y*/, int /*pointX*/,
    int /*pointY*/, FigPoint* previous, FigPoint* point, int /*index*/)
{
    if (!context || !object || !point)
        return false;
    context->currentObject = object;
    if (object->type == FigObject::Polyline) {
        auto* line = static_cast<FigLine*>(object);
        const int n = countPoints(line->points);
        if (line->subType == 2 || line->subType == 4 || line->subType == 5) {
            showStatusMessage("Deleting box corners is not allowed");
            return false;
        }
        if (line->subType == 3 && n <= 4) {
            showStatusMessage("A polygon cannot have less than 3 points");
            return false;
        }
        if (line->subType == 1 && n <= 1) {
            showStatusMessage("A dot must have at least 1 point");
            return false;
        }
        context->deleteLinePoint(line, previous, point);
        return true;
    }
    if (object->type != FigObject::Spline)
        return true;
    auto* spline = static_cast<FigSpline*>(object);
    const int n = countPoints(spline->points);
    if (spline->subType % 2 == 1 && n <= 3) {
        showFormattedStatusMessage("A closed spline cannot have less than %d points", 3);
        return false;
    }
    if (spline->subType % 2 == 0 && n <= 2) {
        showFormattedStatusMessage("A spline cannot have less than %d points", 2);
        return false;
    }
    const bool draw = canDraw(context);
    if (draw) {
        forEachObject(context->objects(), clearSkipRedraw);
        context->redrawObject(spline, true);
    }
    auto* action = new DeleteSplinePointAction(context->objects(), spline, previous, point);
    action->redo(context);
    if (draw)
        context->redrawObject(spline, false);
    context->undoHistory.pushAction(action);
    return true;
}

void CFigContext::deleteLinePoint(FigLine* line, FigPoint* previous, FigPoint* point)
{
    if (!line || !point)
        return;
    if (line->subType == 1 && countPoints(line->points) == 2 && (line->forwArrow || line->backArrow)) {
        showStatusMessage("Delete the arrows first!");
        return;
    }
    FigObjectList* list = objects();
    // The objects whose look changes, and how they looked before.
    FigObjectList changed;
    collectSmartLinkedObjects(list, line, changed);
    changed.push_back(line);
    FigObjectList before;
    for (const FigObject* object : changed) {
        if (FigObject* copy = object->clone())
            before.push_back(copy);
    }

    auto* step = new ActionStep;
    if (line->subType == 3) {
        // The corner first moves to the middle of its neighbours, so that
        // line ends attached to it land on the remaining outline.
        FigPoint* neighbour = previous;
        if (!neighbour) {
            neighbour = line->points;
            while (neighbour && neighbour->next && neighbour->next->next)
                neighbour = neighbour->next;
        }
        if (neighbour && point->next) {
            int mx = 0;
            int my = 0;
            interpolatePoint(neighbour->x, neighbour->y, point->next->x, point->next->y, 0.5, mx, my);
            auto* move = new MoveLinePointAction(list, line, point, mx - point->x, my - point->y);
            move->redo(this);
            step->append(move);
        }
    }
    auto* removal = new DeleteLinePointAction(list, line, previous, point);
    removal->redo(this);
    step->append(removal);
    undoHistory.pushActionList(step);

    if (canDraw(this)) {
        forEachObject(list, clearSkipRedraw);
        redrawListArea(&changed, &before, nullptr);
    }
    deleteAllObjects(&before);
}
