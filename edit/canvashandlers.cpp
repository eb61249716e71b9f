#include "edit/canvashandlers.h"

#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/libraryplacement.h"
#include "edit/rubberband.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/units.h"

#include <QPainter>

#include <algorithm>
#include <climits>

CanvasHandlers canvasHandlers;
CanvasActionState canvasAction;

namespace {

CFigContext* gestureDocument = nullptr; // not owned

} // namespace

void setCanvasHandlers(PointHandler moveHandler, PointHandler leftPressHandler, PointHandler rightPressHandler)
{
    canvasHandlers.moveHandler = moveHandler;
    canvasHandlers.leftPressHandler = leftPressHandler;
    canvasHandlers.rightPressHandler = rightPressHandler;
    canvasHandlers.shiftKeyHandler = nullptr;
}

bool canDraw(const CFigContext* context)
{
    return context && context->painter && context->painter->isActive();
}

void beginCanvasAction()
{
    canvasAction.actionInProgress = 1;
}

void endCanvasAction()
{
    canvasAction.actionInProgress = 0;
    canvasHandlers.elasticHandler = nullptr;
}

bool isGestureInProgress()
{
    return canvasAction.actionInProgress != 0 || canvasHandlers.leftReleaseHandler != nullptr;
}

CFigContext* canvasGestureDocument()
{
    return isGestureInProgress() ? gestureDocument : nullptr;
}

void claimCanvasGesture(CFigContext* context)
{
    gestureDocument = isGestureInProgress() ? context : nullptr;
}

void forgetCanvasGestureDocument(const CFigContext* context)
{
    if (gestureDocument == context)
        gestureDocument = nullptr;
}

void abandonCanvasGesture(CFigContext* context)
{
    // A library clip following the pointer is dropped, never left behind.
    dropLibraryPlacement();
    if (!context) {
        endCanvasAction();
        return;
    }
    const bool drawable = canDraw(context);
    // A shape gesture with a cancel of its own takes away all it drew (the
    // centre cross, an arc's fixed segment, an outline without elastic
    // handler) as a right press would.
    const PointHandler cancel = canvasHandlers.rightPressHandler;
    if (canvasAction.actionInProgress && drawable && isCancelHandler(cancel)) {
        cancel(context, canvasAction.trackX, canvasAction.trackY);
        endCanvasAction();
        return;
    }
    if (canvasAction.actionInProgress && drawable) {
        // The same outlines the whole-canvas redraw puts back, drawn once more
        // with the same anchor and track: the inverting pen erases them.
        const int ax = canvasAction.anchorX;
        const int ay = canvasAction.anchorY;
        const int tx = canvasAction.trackX;
        const int ty = canvasAction.trackY;
        if (editMode == EditMode::ScaleComp)
            drawRubberRectangle(context, ax, ay, tx, ty);
        if (canvasHandlers.elasticHandler)
            canvasHandlers.elasticHandler(context, ax, ay, tx, ty);
    }
    if (FigPoint* chain = context->newChainHead) {
        int xmin = 0;
        int ymin = 0;
        int xmax = 0;
        int ymax = 0;
        context->pointChainBounds(chain, xmin, ymin, xmax, ymax);
        context->newChainHead = nullptr;
        context->newChainTail = nullptr;
        freePointList(chain);
        // The segments of the points placed so far stay on the canvas until
        // their area is drawn anew.
        if (drawable) {
            const int margin = std::max(1, roundToInt(displayPixelSize(context->dpiX) / context->zoom * 4.0f));
            context->redrawRect(std::max(xmin, INT_MIN + margin) - margin, std::max(ymin, INT_MIN + margin) - margin,
                std::min(xmax, INT_MAX - margin) + margin, std::min(ymax, INT_MAX - margin) + margin, nullptr, false);
        }
    }
    endCanvasAction();
}
