#include "edit/arcmode.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/linemode.h"
#include "edit/objectfactories.h"
#include "edit/rubberband.h"
#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/planegeometry.h"

namespace {

void setArcPoint(int index, int x, int y)
{
    arcPoints[index].x = x;
    arcPoints[index].y = y;
}

void drawArcSegment(CFigContext* context, int from, int to)
{
    drawRubberSegment(context, arcPoints[from].x, arcPoints[from].y, arcPoints[to].x, arcPoints[to].y);
}

void eraseRubberLine(CFigContext* context)
{
    const CanvasActionState& a = canvasAction;
    drawRubberSegment(context, a.anchorX, a.anchorY, a.trackX, a.trackY);
}

} // namespace

void initArcMode()
{
    registerCancelHandler(arcCancel);
    setCanvasHandlers(nullptr, arcFirstPoint, nullptr);
    endCanvasAction();
}

void arcFirstPoint(CFigContext* context, int x, int y)
{
    context->currentObject = nullptr;
    setArcPoint(0, x, y);
    canvasAction.pointCount = 1;
    setCanvasHandlers(freeLineMove, arcNextPoint, arcCancel);
    startRubberBand(context, x, y, drawRubberSegment);
}

void arcNextPoint(CFigContext* context, int x, int y)
{
    if (x == canvasAction.anchorX && y == canvasAction.anchorY)
        return;
    if (canvasAction.pointCount == 2) {
        arcFinish(context, x, y);
        return;
    }
    // The segment to the second point stays until the arc is made.
    eraseRubberLine(context);
    canvasAction.trackX = x;
    canvasAction.trackY = y;
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, x, y);
    canvasAction.anchorX = x;
    canvasAction.anchorY = y;
    canvasAction.pointCount = 2;
    setArcPoint(1, x, y);
    drawRubberSegment(context, x, y, x, y);
}

void arcFinish(CFigContext* context, int x, int y)
{
    eraseRubberLine(context);
    canvasAction.trackX = x;
    canvasAction.trackY = y;
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, x, y);
    setArcPoint(2, x, y);
    canvasAction.pointCount = 3;
    // Both segments go.
    drawArcSegment(context, 0, 1);
    drawArcSegment(context, 1, 2);

    float cx = 0.0f;
    float cy = 0.0f;
    // Points on one line (in any order) or on one spot define no circle.
    if (computeArcCenter(
            arcPoints[0].x, arcPoints[0].y, arcPoints[1].x, arcPoints[1].y, arcPoints[2].x, arcPoints[2].y, cx, cy)) {
        if (FigArc* arc = context->createArc()) {
            arc->centerX = cx;
            arc->centerY = cy;
            for (int i = 0; i < 3; ++i) {
                arc->points[i].x = arcPoints[i].x;
                arc->points[i].y = arcPoints[i].y;
            }
            addCreatedObject(context, arc);
        }
    }
    initArcMode();
}

void arcCancel(CFigContext* context, int, int)
{
    if (canvasAction.pointCount == 2)
        drawArcSegment(context, 0, 1);
    eraseRubberLine(context);
    initArcMode();
}
