#include "edit/splinemode.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/linemode.h"
#include "edit/rubberband.h"
#include "model/figcontext.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "toolbars/drawingattributes.h"

namespace {

// The Fig sub-type of the current spline mode: 0 open and 1 closed
// approximated, 2 open and 3 closed interpolated.
int splineSubType()
{
    switch (editMode) {
    case EditMode::ClosedSpline:
        return 1;
    case EditMode::IntSpline:
        return 2;
    case EditMode::ClosedIntSpline:
        return 3;
    default:
        return 0;
    }
}

bool isClosedSubType(int subType)
{
    return subType == 1 || subType == 3;
}

} // namespace

void initSplineMode()
{
    setCanvasHandlers(nullptr, splineFirstPoint, nullptr);
    endCanvasAction();
}

void splineFirstPoint(CFigContext* context, int x, int y)
{
    context->currentObject = nullptr;
    if (isClosedSubType(splineSubType())) {
        canvasAction.minPointCount = 3;
        startPointChain(context, x, y);
        // Armed once the second point is placed.
        canvasHandlers.pendingRightPressHandler = splineFinish;
    } else {
        canvasAction.minPointCount = 2;
        startPointChain(context, x, y);
        canvasHandlers.rightPressHandler = splineFinish;
    }
}

void splineFinish(CFigContext* context, int x, int y)
{
    if (x != canvasAction.anchorX || y != canvasAction.anchorY || canvasAction.pointCount < canvasAction.minPointCount)
        polylineAddPoint(context, x, y);
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);

    const int subType = splineSubType();
    FigPoint* chain = context->newChainHead;
    FigSpline* spline = chain ? context->createSpline(subType, chain) : nullptr;
    if (!spline) {
        freePointList(context->newChainHead);
        context->newChainHead = context->newChainTail = nullptr;
        initSplineMode();
        return;
    }
    // The spline owns the chain now.
    context->newChainHead = context->newChainTail = nullptr;
    if (!spline->initShapeFactors()) {
        delete spline;
        initSplineMode();
        return;
    }
    if (!isClosedSubType(subType))
        context->addCurrentArrows(spline);
    addCreatedObject(context, spline);
    initSplineMode();
}
