#include "edit/ellipsemode.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/linemode.h"
#include "edit/rubberband.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figformat.h"
#include "model/units.h"
#include "toolbars/drawingattributes.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// What tells the four modes apart.
struct EllipseKind {
    int subType; // 3 circle by radius, 4 circle by diameter, 1 ellipse by radii, 2 ellipse by diameters
    bool angled; // takes the current ellipse angle
    PointHandler firstPoint;
    PointHandler move;
    PointHandler finish;
    PointHandler cancel;
    ElasticHandler outline;
};

const EllipseKind circleByRadius = { 3, false, circleByRadiusFirstPoint, circleByRadiusMove, circleByRadiusFinish,
    circleByRadiusCancel, drawRubberCircleByRadius };
const EllipseKind circleByDiameter = { 4, false, circleByDiameterFirstPoint, circleByDiameterMove,
    circleByDiameterFinish, circleByDiameterCancel, drawRubberCircleByDiameter };
const EllipseKind ellipseByRadii = { 1, true, ellipseByRadiiFirstPoint, ellipseByRadiiMove, ellipseByRadiiFinish,
    ellipseByRadiiCancel, drawRubberEllipseByRadii };
const EllipseKind ellipseByDiameters = { 2, true, ellipseByDiametersFirstPoint, ellipseByDiametersMove,
    ellipseByDiametersFinish, ellipseByDiametersCancel, drawRubberEllipseByDiameters };

// Half way between two coordinates, the half truncated towards zero.
int middle(int a, int b)
{
    return clampToInt((static_cast<std::int64_t>(a) + b) / 2);
}

int distance(int x1, int y1, int x2, int y2)
{
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    return roundToInt(std::sqrt(dx * dx + dy * dy));
}

int absDifference(int a, int b)
{
    return clampToInt(std::llabs(static_cast<std::int64_t>(a) - b));
}

void setIdle(const EllipseKind& kind)
{
    registerCancelHandler(kind.cancel);
    setCanvasHandlers(nullptr, kind.firstPoint, nullptr);
    endCanvasAction();
}

void eraseRubberShape(CFigContext* context, const EllipseKind& kind)
{
    const CanvasActionState& a = canvasAction;
    kind.outline(context, a.anchorX, a.anchorY, a.trackX, a.trackY);
    context->drawCrossHair(a.anchorX, a.anchorY);
}

void firstPoint(CFigContext* context, int x, int y, const EllipseKind& kind)
{
    context->currentObject = nullptr;
    if (kind.angled)
        canvasAction.rubberAngle = currentAttrs.ellipseAngle;
    context->drawCrossHair(x, y);
    setCanvasHandlers(kind.move, kind.finish, kind.cancel);
    startRubberBand(context, x, y, kind.outline);
    canvasAction.lastClickPoint.x = x;
    canvasAction.lastClickPoint.y = y;
}

// Centre and radii of the new ellipse for the presses (ax, ay) and (x, y).
void placeEllipse(FigEllipse* e, int ax, int ay, int x, int y, const EllipseKind& kind)
{
    e->subType = kind.subType;
    e->angle = kind.angled ? currentAttrs.ellipseAngle : 0.0f;
    switch (kind.subType) {
    case 3: {
        const int r = distance(ax, ay, x, y);
        e->center.x = ax;
        e->center.y = ay;
        e->radii.x = e->radii.y = r;
        break;
    }
    case 4: {
        e->center.x = middle(ax, x);
        e->center.y = middle(ay, y);
        const int r = distance(e->center.x, e->center.y, x, y);
        e->radii.x = e->radii.y = r;
        break;
    }
    case 1:
        e->center.x = ax;
        e->center.y = ay;
        // One unit more than the rubber ellipse showed.
        e->radii.x = clampToInt(static_cast<std::int64_t>(absDifference(x, ax)) + 1);
        e->radii.y = clampToInt(static_cast<std::int64_t>(absDifference(y, ay)) + 1);
        break;
    default:
        e->center.x = middle(ax, x);
        e->center.y = middle(ay, y);
        e->radii.x = absDifference(e->center.x, ax);
        e->radii.y = absDifference(e->center.y, ay);
        break;
    }
    e->start.x = ax;
    e->start.y = ay;
    e->end.x = x;
    e->end.y = y;
}

void finish(CFigContext* context, int x, int y, const EllipseKind& kind)
{
    eraseRubberShape(context, kind);
    FigEllipse* ellipse = context->createEllipse();
    if (ellipse) {
        placeEllipse(ellipse, canvasAction.anchorX, canvasAction.anchorY, x, y, kind);
        // A radius of 0 cannot be saved, and the converters refuse a file
        // with an ellipse this small (two presses at one spot): none is made.
        if (!ellipseRadiiDrawable(ellipse->radii.x, ellipse->radii.y))
            delete ellipse;
        else
            addCreatedObject(context, ellipse);
    }
    setIdle(kind);
}

void cancel(CFigContext* context, const EllipseKind& kind)
{
    eraseRubberShape(context, kind);
    setIdle(kind);
}

} // namespace

void initCircleByRadiusMode()
{
    setIdle(circleByRadius);
}

void initCircleByDiameterMode()
{
    setIdle(circleByDiameter);
}

void initEllipseByRadiusMode()
{
    setIdle(ellipseByRadii);
}

void initEllipseByDiameterMode()
{
    setIdle(ellipseByDiameters);
}

void circleByRadiusFirstPoint(CFigContext* context, int x, int y)
{
    firstPoint(context, x, y, circleByRadius);
}

void circleByDiameterFirstPoint(CFigContext* context, int x, int y)
{
    firstPoint(context, x, y, circleByDiameter);
}

void ellipseByRadiiFirstPoint(CFigContext* context, int x, int y)
{
    firstPoint(context, x, y, ellipseByRadii);
}

void ellipseByDiametersFirstPoint(CFigContext* context, int x, int y)
{
    firstPoint(context, x, y, ellipseByDiameters);
}

void circleByRadiusFinish(CFigContext* context, int x, int y)
{
    finish(context, x, y, circleByRadius);
}

void circleByDiameterFinish(CFigContext* context, int x, int y)
{
    finish(context, x, y, circleByDiameter);
}

void ellipseByRadiiFinish(CFigContext* context, int x, int y)
{
    finish(context, x, y, ellipseByRadii);
}

void ellipseByDiametersFinish(CFigContext* context, int x, int y)
{
    finish(context, x, y, ellipseByDiameters);
}

void circleByRadiusCancel(CFigContext* context, int, int)
{
    cancel(context, circleByRadius);
}

void circleByDiameterCancel(CFigContext* context, int, int)
{
    cancel(context, circleByDiameter);
}

void ellipseByRadiiCancel(CFigContext* context, int, int)
{
    cancel(context, ellipseByRadii);
}

void ellipseByDiametersCancel(CFigContext* context, int, int)
{
    cancel(context, ellipseByDiameters);
}
