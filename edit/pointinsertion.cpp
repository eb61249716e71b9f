#include "edit/pointinsertion.h"

#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/dragselection.h"
#include "edit/editstate.h"
#include "edit/picking.h"
#include "edit/pointmove.h"
#include "edit/rubberband.h"
#include "model/addlinepointaction.h"
#include "model/addsplinepointaction.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/geometricqueries.h"
#include "model/movelinepointaction.h"
#include "model/movesplinepointaction.h"
#include "model/objectlist.h"

#include <QPainter>

#include <new>

namespace {

// The gesture of one insertion (one at a time, on the active document); the
// new point is movingPoint, its neighbours movingPointPrev and
// movingPointNext.
struct AddPointGesture {
    FigObject* object = nullptr; // the polyline or spline, not owned
    // The end point follows a constrained rubber line instead of a preview.
    bool constrained = false;
};

AddPointGesture gesture;

FigPoint* chainOf(FigObject* object)
{
    if (object->type == FigObject::Polyline)
        return static_cast<FigLine*>(object)->points;
    if (object->type == FigObject::Spline)
        return static_cast<FigSpline*>(object)->points;
    return nullptr;
}

// The previews the drag has left: the polyline's clones, the spline's
// edit copy.
void forgetPreview(CFigContext* context)
{
    clearDragPreview();
    delete context->editCopy;
    context->editCopy = nullptr;
}

// The area of the objects and of the last preview.
void redrawWithPreview(CFigContext* context, FigObjectList& area)
{
    FigObjectList previous = dragPreviewObjects;
    if (context->editCopy)
        previous.push_back(context->editCopy);
    context->redrawListArea(&area, &previous, nullptr);
}

// An end point of an open path follows the constraints as a rubber line
// from where it was inserted; every other point shows the moved object.
void armDrag(CFigContext* context, bool endPoint, PointHandler preview, PointHandler drop)
{
    gesture.constrained = false;
    canvasAction.trackX = canvasAction.anchorX = movingPoint->x;
    canvasAction.trackY = canvasAction.anchorY = movingPoint->y;
    PointHandler move = preview;
    if (endPoint) {
        if (constraintModes.latexLine || constraintModes.latexArrow)
            move = latexSlopeMove;
        else if (constraintModes.manhattan || constraintModes.mountain)
            move = axisDiagonalMove;
    }
    if (move != preview) {
        gesture.constrained = true;
        if (canDraw(context))
            drawRubberSegment(
                context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
        canvasHandlers.elasticHandler = drawRubberSegment;
    }
    canvasHandlers.moveHandler = move;
    canvasHandlers.leftReleaseHandler = drop;
    canvasHandlers.rightPressHandler = cancelAddPoint;
}

void eraseRubberLine(CFigContext* context)
{
    if (gesture.constrained && canDraw(context))
        drawRubberSegment(
            context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
}

// The drop: the new point moves to (x, y), or under a constraint to the end
// of the rubber line, and the insertion with the move is pushed as one undo
// step.
void dropAddedPoint(CFigContext* context, int x, int y, bool spline)
{
    FigObject* object = gesture.object;
    if (!object || !movingPoint || !context->pendingActions) {
        endCanvasAction();
        context->initAddPointMode();
        return;
    }
    eraseRubberLine(context);
    if (gesture.constrained) {
        x = canvasAction.trackX;
        y = canvasAction.trackY;
    }
    const int dx = x - movingPoint->x;
    const int dy = y - movingPoint->y;
    FigObjectList* list = context->objects();
    MoveLinePointAction* action = spline ? new MoveSplinePointAction(list, object, movingPoint, dx, dy)
                                         : new MoveLinePointAction(list, object, movingPoint, dx, dy);
    action->redo(context);
    if (canDraw(context)) {
        FigObjectList area { object };
        appendObjectList(action->linkedObjects(), &area);
        redrawWithPreview(context, area);
    }
    forgetPreview(context);
    context->pendingActions->append(action);
    ActionStep* step = context->pendingActions;
    context->pendingActions = nullptr;
    context->undoHistory.pushActionList(step);
    endCanvasAction();
    context->initAddPointMode();
}

// The drag starts: the new point's neighbours, then the drag of its kind.
void beginAddedPointDrag(CFigContext* context, bool spline)
{
    beginCanvasAction();
    if (!movingPoint || !gesture.object) {
        endCanvasAction();
        context->initAddPointMode();
        return;
    }
    movingPointNext = movingPoint->next;
    const int subType = gesture.object->subType;
    bool endPoint = false;
    if (!spline) {
        if (subType == 1)
            endPoint = !movingPointPrev || !movingPointNext;
        else if (!movingPointPrev) {
            // A polygon's first point: its neighbour before is the point
            // before the closing copy.
            FigPoint* chain = chainOf(gesture.object);
            FigPoint* last = chain;
            while (last && last->next && last->next->next)
                last = last->next;
            movingPointPrev = last;
        }
        armDrag(context, endPoint, dragLinePoint, dropAddedLinePoint);
    } else {
        endPoint = subType % 2 == 0 && (!movingPointPrev || !movingPointNext);
        armDrag(context, endPoint, dragSplinePoint, dropAddedSplinePoint);
    }
}

} // namespace

void initAddPointModeOn(CFigContext* context)
{
    if (context)
        context->initAddPointMode();
}

void CFigContext::initAddPointMode()
{
    if (pendingActions) {
        // A gesture left half-way (another mode chosen during the drag):
        // the insertion has been made, so it goes into the history rather
        // than staying outside it.
        ActionStep* step = pendingActions;
        pendingActions = nullptr;
        undoHistory.pushActionList(step);
    }
    forgetPreview(this);
    gesture.object = nullptr;
    gesture.constrained = false;
    movingPointPrev = movingPointNext = nullptr;
    setCanvasHandlers(nullptr, pressHandler<pickAddPoint>, nullptr);
    canvasHandlers.leftReleaseHandler = nullptr;
    endCanvasAction();
    currentObject = nullptr;
    movingPoint = nullptr;
}

FigObject* pickAddPoint(CFigContext* context, int x, int y)
{
    if (!context)
        return nullptr;
    const FigObjectList* list = context->objects();
    const int t = pickTolerance(context);
    int hitX = 0;
    int hitY = 0;
    int type = FigObject::Polyline;
    FigObject* found = context->findLineNear(list, x, y, t, hitX, hitY, nullptr);
    if (!found) {
        type = FigObject::Spline;
        found = findSplineControlPolygonNear(context, list, x, y, t, hitX, hitY);
    }
    if (!found)
        return nullptr;
    return addPointPicked(context, found, type, x, y, hitX, hitY) ? found : nullptr;
}

void findInsertionPoint(FigPoint* first, int x, int y, FigPoint*& previous, FigPoint*& next)
{
    previous = nullptr;
    next = first;
    if (!first || (first->x == x && first->y == y))
        return;
    // On a point: the new one goes after it (after the last point of an
    // open chain, past its end).
    for (FigPoint* p = first; p; p = p->next) {
        if (p->x == x && p->y == y) {
            previous = p;
            next = p->next;
            return;
        }
    }
    FigPoint* p = first;
    for (; p->next; p = p->next) {
        int hitX = 0;
        int hitY = 0;
        if (pointNearSegment(p->x, p->y, p->next->x, p->next->y, x, y, 1, 1.0f, hitX, hitY)) {
            previous = p;
            next = p->next;
            return;
        }
    }
    previous = p;
    next = nullptr;
}

bool addPointPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY)
{
    (void)type;
    (void)x;
    (void)y;
    if (!context || !object)
        return false;
    context->currentObject = object;
    FigObjectList* list = context->objects();
    ActionItem* action = nullptr;
    FigPoint* previous = nullptr;
    FigPoint* next = nullptr;
    if (object->type == FigObject::Polyline) {
        auto* line = static_cast<FigLine*>(object);
        if (line->subType == 2 || line->subType == 4 || line->subType == 5) {
            showStatusMessage("Adding points to a box is not allowed");
            return false;
        }
        findInsertionPoint(line->points, hitX, hitY, previous, next);
        if (line->subType == 3 && !previous && line->points) {
            previous = line->points;
            next = previous->next;
        }
        auto* point = new (std::nothrow) FigPoint(hitX, hitY);
        if (!point)
            return false;
        action = new AddLinePointAction(list, line, previous, point);
        action->redo(context);
        movingPoint = point;
        canvasHandlers.moveHandler = beginAddedLinePointDrag;
    } else if (object->type == FigObject::Spline) {
        auto* spline = static_cast<FigSpline*>(object);
        findInsertionPoint(spline->points, hitX, hitY, previous, next);
        if (spline->subType % 2 == 1 && !previous && spline->points) {
            previous = spline->points;
            next = previous->next;
        }
        auto* point = new (std::nothrow) FigPoint(hitX, hitY);
        if (!point)
            return false;
        auto* insertion = new AddSplinePointAction(list, spline, previous, point, next);
        if (!insertion->redo(context)) {
            // Not inserted (no memory): the action still owns the point.
            insertion->releaseUndone();
            delete insertion;
            return false;
        }
        action = insertion;
        movingPoint = point;
        canvasHandlers.moveHandler = beginAddedSplinePointDrag;
    } else {
        return false;
    }
    gesture.object = object;
    movingPointPrev = previous;
    movingPointNext = next;
    forgetPreview(context);
    delete context->pendingActions;
    context->pendingActions = new ActionStep { action };
    canvasHandlers.leftReleaseHandler = endAddPointWithoutDrag;
    return true;
}

void beginAddedLinePointDrag(CFigContext* context, int /*x*/, int /*y*/)
{
    beginAddedPointDrag(context, false);
}

void beginAddedSplinePointDrag(CFigContext* context, int /*x*/, int /*y*/)
{
    beginAddedPointDrag(context, true);
}

void dropAddedLinePoint(CFigContext* context, int x, int y)
{
    dropAddedPoint(context, x, y, false);
}

void dropAddedSplinePoint(CFigContext* context, int x, int y)
{
    dropAddedPoint(context, x, y, true);
}

void cancelAddPoint(CFigContext* context, int /*x*/, int /*y*/)
{
    eraseRubberLine(context);
    FigObject* object = gesture.object;
    if (ActionStep* step = context->pendingActions) {
        context->pendingActions = nullptr;
        for (ActionItem* action : *step) {
            action->undo(context);
            action->releaseUndone();
            delete action;
        }
        delete step;
    }
    movingPoint = nullptr;
    if (object && canDraw(context)) {
        FigObjectList area { object };
        redrawWithPreview(context, area);
    }
    forgetPreview(context);
    endCanvasAction();
    context->initAddPointMode();
}

void endAddPointWithoutDrag(CFigContext* context, int /*x*/, int /*y*/)
{
    // The point stays where it was inserted, as an undo step of its own.
    FigObject* object = gesture.object;
    if (ActionStep* step = context->pendingActions) {
        context->pendingActions = nullptr;
        context->undoHistory.pushActionList(step);
    }
    if (object && canDraw(context))
        context->redrawObject(object, false);
    context->initAddPointMode();
}
