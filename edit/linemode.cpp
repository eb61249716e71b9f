#include "edit/linemode.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/rubberband.h"
#include "model/addaction.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/objectlist.h"
#include "toolbars/drawingattributes.h"

#include <QPainter>

#include <new>

namespace {

// The line attributes every new polyline or polygon takes; the caller gives
// the chain.
void setNewLineAttributes(CFigContext* context, FigLine* line, int subType)
{
    const DrawingAttributes& a = currentAttrs;
    line->subType = subType;
    line->lineStyle = a.lineStyle;
    line->lineWidth = a.lineWidth;
    line->depth = a.depth;
    line->joinStyle = a.joinStyle;
    line->capStyle = a.capStyle;
    line->penColor = context->penColor;
    line->fillColor = context->fillColor;
    line->fillStyle = context->fillStyle;
    line->penStyle = 0;
    line->radius = 0;
    line->styleVal = static_cast<float>(a.lineWidth + 1) * a.styleVal * 0.5f;
}

} // namespace

// ---- Chain helpers ----

void appendChainPoint(int x, int y, FigPoint*& tail)
{
    auto* point = new (std::nothrow) FigPoint(x, y);
    if (!point)
        return;
    if (tail)
        tail->next = point;
    tail = point;
}

void closeChain(int x, int y, FigPoint* head)
{
    if (!head)
        return;
    FigPoint* last = head;
    while (last->next)
        last = last->next;
    appendChainPoint(x, y, last);
}

FigLine* CFigContext::createLine(int subType, FigPoint* chain)
{
    auto* line = new (std::nothrow) FigLine(nextObjectId());
    if (!line)
        return nullptr;
    setNewLineAttributes(this, line, subType);
    line->points = chain;
    if (subType == 3 && chain)
        closeChain(chain->x, chain->y, chain);
    return line;
}

void CFigContext::deselectCurrentObject()
{
    if (currentObject)
        currentObject->selected = false;
}

// ---- Finishing a new object ----

void addCreatedObject(CFigContext* context, FigObject* object)
{
    FigObjectList* list = context->objects();
    auto* action = new AddAction(list, object);
    action->redo(context);
    context->undoHistory.pushAction(action);
    setObjectsSelected(list, false);
    context->clearMarkers();
    object->selected = true;
    object->markerState = 2;
    if (canDraw(context))
        context->redrawObject(object, false);
    context->currentObject = object;
    context->showObjectAttributes(object);
}

// ---- The modes ----

void initLineMode()
{
    setCanvasHandlers(nullptr, polylineFirstPoint, nullptr);
    endCanvasAction();
    if (editMode == EditMode::Polygon) {
        canvasAction.minPointCount = 3;
        canvasHandlers.rightPressHandler = nullptr;
        return;
    }
    canvasAction.pointCount = 0;
    canvasHandlers.rightPressHandler = polylineFinish;
    canvasAction.anchorX = -1;
    canvasAction.anchorY = -1;
    canvasAction.minPointCount = 1;
}

void polylineFirstPoint(CFigContext* context, int x, int y)
{
    context->currentObject = nullptr;
    startPointChain(context, x, y);
}

void startPointChain(CFigContext* context, int x, int y)
{
    auto* first = new (std::nothrow) FigPoint(x, y);
    if (!first)
        return;
    // A chain left by an earlier gesture belongs to nobody else.
    freePointList(context->newChainHead);
    context->newChainHead = context->newChainTail = first;

    beginCanvasAction();
    canvasAction.anchorX = canvasAction.trackX = x;
    canvasAction.anchorY = canvasAction.trackY = y;
    if (constraintModes.latexLine || constraintModes.latexArrow)
        canvasHandlers.moveHandler = latexSlopeMove;
    else if (constraintModes.manhattan || constraintModes.mountain)
        canvasHandlers.moveHandler = axisDiagonalMove;
    else
        canvasHandlers.moveHandler = freeLineMove;

    canvasHandlers.leftPressHandler = polylineAddPoint;
    canvasHandlers.pendingRightPressHandler = polylineFinish;
    canvasAction.pointCount = 1;
    if (canvasAction.minPointCount <= 2)
        canvasHandlers.rightPressHandler = polylineFinish;

    drawRubberSegment(context, x, y, x, y);
    canvasAction.lastClickPoint.x = x;
    canvasAction.lastClickPoint.y = y;
    canvasHandlers.elasticHandler = drawRubberSegment;
}

void polylineAddPoint(CFigContext* context, int x, int y)
{
    // The press goes through the constraint as a move does; the segment to
    // the track stays on the canvas as a placed one.
    if (canvasHandlers.moveHandler)
        canvasHandlers.moveHandler(context, x, y);
    ++canvasAction.pointCount;
    canvasAction.anchorX = canvasAction.trackX;
    canvasAction.anchorY = canvasAction.trackY;
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.anchorX, canvasAction.anchorY);
    appendChainPoint(canvasAction.anchorX, canvasAction.anchorY, context->newChainTail);
    if (canvasAction.pointCount == canvasAction.minPointCount - 1)
        canvasHandlers.rightPressHandler = canvasHandlers.pendingRightPressHandler;
    canvasAction.lastClickPoint.x = x;
    canvasAction.lastClickPoint.y = y;
}

void polylineFinish(CFigContext* context, int x, int y)
{
    if (canvasAction.pointCount == 0) {
        // A right press before any left press: a polyline of one point.
        auto* point = new (std::nothrow) FigPoint(x, y);
        if (!point) {
            initLineMode();
            return;
        }
        freePointList(context->newChainHead);
        context->newChainHead = context->newChainTail = point;
        canvasAction.anchorX = canvasAction.trackX = x;
        canvasAction.anchorY = canvasAction.trackY = y;
        canvasAction.pointCount = 1;
    } else if (x != canvasAction.anchorX || y != canvasAction.anchorY) {
        polylineAddPoint(context, x, y);
    }
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);

    const int subType = canvasAction.pointCount == 1 || editMode == EditMode::Polyline ? 1 : 3;
    FigPoint* chain = context->newChainHead;
    FigLine* line = chain ? context->createLine(subType, chain) : nullptr;
    if (!line) {
        initLineMode();
        return;
    }
    // The line owns the chain now (a polygon's with its closing point).
    context->newChainHead = context->newChainTail = nullptr;
    if (subType == 3)
        ++canvasAction.pointCount;
    if (subType == 1 && canvasAction.pointCount != 1)
        context->addCurrentArrows(line);
    addCreatedObject(context, line);
    initLineMode();
}
