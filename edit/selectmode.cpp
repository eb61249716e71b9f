#include "edit/selectmode.h"

#include "edit/canvashandlers.h"
#include "edit/draglayer.h"
#include "edit/dragselection.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/picking.h"
#include "edit/pointmove.h"
#include "edit/rubberband.h"
#include "model/depths.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"
#include "model/units.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

void deselectAll(CFigContext* context)
{
    setObjectsSelected(context->objects(), false);
    context->redrawStaleMarkers();
}

void releaseSelectionList(CFigContext* context)
{
    delete context->selection;
    context->selection = nullptr;
}

} // namespace

// ---- Set-up and the idle handlers ----

void initSelectMode()
{
    setCanvasHandlers(nullptr, selectPress, selectRightPress);
    canvasHandlers.leftReleaseHandler = nullptr;
    canvasHandlers.selectionMoveHandler = nullptr;
    endCanvasAction();
    editMode = EditMode::Select;
    canvasHandlers.returnHandler = initSelectMode;
}

void returnToSelectMode()
{
    if (canvasHandlers.returnHandler)
        canvasHandlers.returnHandler();
    else
        initSelectMode();
}

void selectModeRelease(CFigContext* context, int x, int y)
{
    Q_UNUSED(context)
    Q_UNUSED(x)
    Q_UNUSED(y)
    initSelectMode();
}

void selectPress(CFigContext* context, int x, int y)
{
    if (!context)
        return;
    editMode = EditMode::Select;
    context->currentObject = nullptr;

    // A point of the lone selected object (or of an object when nothing is
    // selected) starts a point move; with a selection of several objects the
    // press drags them all.
    if (!twoOrMoreSelected(context->objects())) {
        setPointCallback(startPointMove);
        if (pickPoint(context, x, y))
            return;
    }

    setLeftObjectCallback(selectModeObjectPicked);
    FigObject* found = pickObjectLeft(context, x, y);
    // A Shift-click that took the object out of the selection drags nothing.
    if (shiftKeyDown && found && !context->currentObject)
        return;
    if (found) {
        canvasHandlers.moveHandler = startSelectionDrag;
        return;
    }

    startRubberBand(context, x, y, drawDashedRubberRectangle);
    setCanvasHandlers(dashedRectangleMove, nullptr, selectRightPress);
    canvasHandlers.leftReleaseHandler = rubberBandSelect;
}

bool selectModeObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY)
{
    Q_UNUSED(type)
    Q_UNUSED(x)
    Q_UNUSED(y)
    if (!context)
        return false;
    if (!object) {
        if (!shiftKeyDown)
            deselectAll(context);
        return false;
    }
    canvasAction.anchorX = canvasAction.trackX = hitX;
    canvasAction.anchorY = canvasAction.trackY = hitY;
    context->currentObject = object;
    if (object->selected) {
        if (shiftKeyDown) {
            const FigObjectList one { object };
            setObjectsSelected(&one, false);
            context->redrawStaleMarkers();
            context->currentObject = nullptr;
            return false;
        }
    } else if (!shiftKeyDown) {
        deselectAll(context);
    }
    context->selectObject(object);
    canvasHandlers.leftReleaseHandler = selectModeRelease;
    FigObjectList selected;
    collectSelectedObjects(context->objects(), selected);
    context->showSelectionAttributes(&selected);
    return true;
}

bool CFigContext::selectObject(FigObject* object)
{
    if (!object)
        return false;
    const bool wasSelected = object->selected;
    object->selected = true;
    currentObject = object;
    if (!wasSelected)
        drawCurrentObjectMarkers();
    return true;
}

bool ellipseCentreNear(const FigObject* ellipse, int x, int y, int t)
{
    if (!ellipse || ellipse->type != FigObject::Ellipse)
        return false;
    const auto* e = static_cast<const FigEllipse*>(ellipse);
    const double dx = double(x) - e->center.x;
    const double dy = double(y) - e->center.y;
    return std::sqrt(dx * dx + dy * dy) < t;
}

// ---- Dragging the selection ----

void startSelectionDrag(CFigContext* context, int x, int y)
{
    if (!context)
        return;
    beginCanvasAction();
    editMode = EditMode::MoveSelection;
    FigObjectList* list = context->objects();
    // Region redraws leave the dragged objects out.
    forEachObject(list, skipIfSelected);

    releaseSelectionList(context);
    context->selection = new FigObjectList;
    collectSelectedObjects(list, *context->selection);

    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    context->boundsCache.listBounds(*context, context->selection, x1, y1, x2, y2);

    // The edges nearest to the pointer go onto the grid while dragging; an
    // ellipse taken by its centre puts the centre itself there.
    dragSnapEdgeX = dragSnapEdgeY = 0;
    if (ellipseCentreNear(context->currentObject, canvasAction.anchorX, canvasAction.anchorY, pickTolerance(context))) {
        dragSnapEdgeX = dragSnapEdgeY = 5;
    } else {
        dragSnapEdgeX = std::llabs(std::int64_t(x) - x1) < std::llabs(std::int64_t(x) - x2) ? 1 : 3;
        dragSnapEdgeY = std::llabs(std::int64_t(y) - y1) < std::llabs(std::int64_t(y) - y2) ? 2 : 4;
    }

    clearDragPreview();
    canvasHandlers.moveHandler = nullptr;
    canvasHandlers.selectionMoveHandler = dragSelection;
    canvasHandlers.leftReleaseHandler = dropSelection;
    canvasHandlers.rightPressHandler = cancelSelectionDrag;
    // A picture of many objects needs no clones of them.
    if (!dragMovesPicture(context, context->selection))
        keepDragPreview(context->selection);
}

void dropSelection(CFigContext* context, int x, int y)
{
    if (context) {
        // A release away from the last previewed position shows the result
        // where it really lands.
        const bool stale = x != canvasAction.trackX || y != canvasAction.trackY;
        // A picture of the objects comes off; they are drawn where they land.
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        const bool pictured = finishDragLayer(context, x1, y1, x2, y2);
        const int dx = x - canvasAction.anchorX;
        const int dy = y - canvasAction.anchorY;
        FigObjectList shown;
        shown.swap(dragPreviewObjects);
        context->translateSelection(context->selection, x, y);
        if (pictured && canDraw(context)) {
            // Where the picture was last and where the objects are now (a
            // release elsewhere, a line of theirs that stayed linked).
            int nx1 = 0;
            int ny1 = 0;
            int nx2 = 0;
            int ny2 = 0;
            dragLayerArea(context, context->selection, nx1, ny1, nx2, ny2);
            context->redrawRect(std::min(nx1, clampToInt(std::int64_t(x1) + dx)),
                std::min(ny1, clampToInt(std::int64_t(y1) + dy)), std::max(nx2, clampToInt(std::int64_t(x2) + dx)),
                std::max(ny2, clampToInt(std::int64_t(y2) + dy)), nullptr, false);
        } else if (stale && context->selection && canDraw(context)) {
            FigObjectList area;
            collectLinkedObjectsOfList(&context->drawing.objects, context->selection, area);
            area.insert(area.end(), context->selection->begin(), context->selection->end());
            context->redrawListArea(&area, &shown, nullptr);
        }
        deleteAllObjects(&shown);
        releaseSelectionList(context);
    }
    initSelectMode();
}

void CFigContext::translateSelection(FigObjectList* list, int x, int y)
{
    if (!list || list->empty())
        return;
    const int dx = x - canvasAction.anchorX;
    const int dy = y - canvasAction.anchorY;
    FigObjectList linked;
    collectLinkedObjectsOfList(&drawing.objects, list, linked);
    forEachObject(objects(), clearSkipRedraw);
    clearDragPreview();
    canvasHandlers.moveHandler = nullptr;
    canvasHandlers.selectionMoveHandler = nullptr;
    // A drag back to where it started changes nothing and is no step.
    if (dx == 0 && dy == 0)
        return;
    auto* action = new TranslateAction(objects(), *list, dx, dy, linked);
    action->redo(this);
    undoHistory.pushAction(action);
}

void cancelSelectionDrag(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    if (context) {
        dragSelection(context, context->selection, canvasAction.anchorX, canvasAction.anchorY);
        // A picture of the objects comes off; they are drawn where they are.
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        if (finishDragLayer(context, x1, y1, x2, y2) && canDraw(context))
            context->redrawRect(x1, y1, x2, y2, nullptr, false);
        releaseSelectionList(context);
        forEachObject(context->objects(), clearSkipRedraw);
    }
    clearDragPreview();
    canvasHandlers.selectionMoveHandler = nullptr;
    initSelectMode();
}

// ---- Deselecting and the rectangle ----

void selectRightPress(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    if (!context)
        return;
    if (canvasAction.actionInProgress)
        drawDashedRubberRectangle(
            context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
    deselectAll(context);
    context->currentObject = nullptr;
    context->showObjectAttributes(nullptr);
    initSelectMode();
}

void rubberBandSelect(CFigContext* context, int x, int y)
{
    if (!context) {
        initSelectMode();
        return;
    }
    const int ax = canvasAction.anchorX;
    const int ay = canvasAction.anchorY;
    drawDashedRubberRectangle(context, ax, ay, canvasAction.trackX, canvasAction.trackY);
    context->toggleObjectsInRectangle(std::min(ax, x), std::min(ay, y), std::max(ax, x), std::max(ay, y));
    // Objects the rectangle took out of the selection lose their markers.
    context->redrawStaleMarkers();
    context->drawSelectionMarkers(nullptr);
    FigObjectList selected;
    collectSelectedObjects(context->objects(), selected);
    if (selected.size() == 1)
        context->currentObject = selected.front();
    context->showSelectionAttributes(&selected);
    initSelectMode();
}

void CFigContext::toggleObjectsInRectangle(int x1, int y1, int x2, int y2)
{
    for (FigObject* object : *objects()) {
        if (object->type == FigObject::Compound) {
            auto* compound = static_cast<FigCompound*>(object);
            if (!compoundHasVisibleMember(compound))
                continue;
            if (compound->upperLeft.x >= x1 && compound->lowerRight.x <= x2 && compound->upperLeft.y >= y1
                && compound->lowerRight.y <= y2)
                object->selected = !object->selected;
            continue;
        }
        if (!isObjectVisible(object))
            continue;
        int xmin = 0;
        int ymin = 0;
        int xmax = 0;
        int ymax = 0;
        object->getBounds(this, xmin, ymin, xmax, ymax, true, true);
        if (xmin >= x1 && xmax <= x2 && ymin >= y1 && ymax <= y2)
            object->selected = !object->selected;
    }
}

// ---- Nudging ----

void CFigContext::moveSelection(int dx, int dy)
{
    releaseSelectionList(this);
    selection = new FigObjectList;
    collectSelectedObjects(objects(), *selection);
    if (selection->empty()) {
        releaseSelectionList(this);
        return;
    }
    FigObjectList area;
    for (FigObject* object : *selection) {
        area.push_back(object);
        collectSmartLinkedObjects(&drawing.objects, object, area);
    }
    if (canDraw(this)) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&area, true);
    }
    canvasAction.anchorX = 0;
    canvasAction.anchorY = 0;
    canvasAction.trackX = dx;
    canvasAction.trackY = dy;
    dropSelection(this, dx, dy);
    if (canDraw(this)) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&area, false);
    }
}
