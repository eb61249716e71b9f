#include "edit/picking.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/geometricqueries.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "render/pointbuffer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

PickState pickState;

namespace {

// Differences in 64 bits: coordinates near the int limits must not wrap.
bool withinSquare(int px, int py, int x, int y, int t)
{
    return std::llabs(std::int64_t(x) - px) <= t && std::llabs(std::int64_t(y) - py) <= t;
}

// The object search of the pick and of the pointer, kind by kind; the kind
// order decides before the list order, depth plays no part. `type` is the
// Fig object code of the kind that hit.
FigObject* searchObject(CFigContext& context, int x, int y, int& type, int& hitX, int& hitY)
{
    const FigObjectList* list = context.objects();
    const int t = pickTolerance(&context);
    FigObject* found = nullptr;
    if ((found = context.findLineNear(list, x, y, t, hitX, hitY, nullptr)))
        type = FigObject::Polyline;
    else if ((found = context.findEllipseNear(list, x, y, t, hitX, hitY)))
        type = FigObject::Ellipse;
    else if ((found = context.findArcNear(x, y, t, hitX, hitY)))
        type = FigObject::Arc;
    else if ((found = context.findSplineNear(list, x, y, t, hitX, hitY)))
        type = FigObject::Spline;
    else if ((found = context.findCompoundEdgeNear(x, y, t, hitX, hitY)))
        type = FigObject::Compound;
    else if ((found = context.findTextNear(x, y, t, hitX, hitY)))
        type = FigObject::Text;
    return found;
}

} // namespace

void setLeftObjectCallback(PickObjectCallback callback)
{
    pickState.leftObjectCallback = callback;
}

void setRightObjectCallback(PickObjectCallback callback)
{
    pickState.rightObjectCallback = callback;
}

void setPointCallback(PickPointCallback callback)
{
    pickState.pointCallback = callback;
}

int pickTolerance(const CFigContext* context)
{
    return context ? roundToInt(displayPixelSize(context->dpiX) / context->zoom * 2.0f) : 0;
}

FigObject* pickObjectLeft(CFigContext* context, int x, int y)
{
    pickState.activeObjectCallback = pickState.leftObjectCallback;
    return context ? context->pickObject(x, y) : nullptr;
}

FigObject* pickObjectRight(CFigContext* context, int x, int y)
{
    pickState.activeObjectCallback = pickState.rightObjectCallback;
    return context ? context->pickObject(x, y) : nullptr;
}

FigObject* pickPoint(CFigContext* context, int x, int y)
{
    pickState.activePointCallback = pickState.pointCallback;
    return context ? context->pickPointOnObject(x, y) : nullptr;
}

// ---- Object search ----

FigObject* CFigContext::pickObject(int x, int y)
{
    const PickObjectCallback callback = pickState.activeObjectCallback;
    if (!callback)
        return nullptr;
    int type = FigObject::Polyline;
    int hitX = 0;
    int hitY = 0;
    FigObject* found = searchObject(*this, x, y, type, hitX, hitY);
    if (!found) {
        callback(this, nullptr, FigObject::Polyline, x, y, 0, 0);
        return nullptr;
    }
    callback(this, found, type, x, y, hitX, hitY);
    return found;
}

FigObject* CFigContext::findObjectUnderCursor(int x, int y, int& hitX, int& hitY)
{
    int type = 0;
    return searchObject(*this, x, y, type, hitX, hitY);
}

FigObject* CFigContext::findArcNear(int x, int y, int t, int& hitX, int& hitY)
{
    tangentSegmentValid = false;
    for (FigObject* object : *objects()) {
        if (object->type != FigObject::Arc || !isObjectVisible(object))
            continue;
        const auto* arc = static_cast<const FigArc*>(object);
        if (!arcOutlineNear(arc, x, y, t, hitX, hitY))
            continue;
        // Across the radius at the hit: the direction of the curve there.
        const int bx = int(
            std::clamp<std::int64_t>(std::int64_t(hitX) + roundToInt(double(hitY) - arc->centerY), INT_MIN, INT_MAX));
        const int by = int(
            std::clamp<std::int64_t>(std::int64_t(hitY) - roundToInt(double(hitX) - arc->centerX), INT_MIN, INT_MAX));
        tangentSegment = { hitX, hitY, bx, by };
        tangentSegmentValid = true;
        return object;
    }
    return nullptr;
}

bool CFigContext::arcOutlineNear(const FigArc* arc, int x, int y, int t, int& hitX, int& hitY)
{
    if (!arc)
        return false;
    // The outline exactly as the drawing traces it: offsets of the end
    // points from the centre with y pointing up, in single precision.
    resetPointBuffer();
    const float cx = arc->centerX;
    const float cy = arc->centerY;
    const float ax = float(arc->points[0].x) - cx;
    const float ay = cy - float(arc->points[0].y);
    const float bx = float(arc->points[2].x) - cx;
    const float by = cy - float(arc->points[2].y);
    const int r = roundToInt(std::sqrt(ax * ax + ay * ay));
    addEllipticArcPoints(roundToInt(ax), roundToInt(ay), roundToInt(bx), roundToInt(by), arc->subType == 1,
        arc->direction, r, r, roundToInt(cx), roundToInt(cy));

    const QPoint query = figToPixelPoint(x, y);
    const int tolerance = roundToInt(canvasScaleX() * float(t));
    for (int i = 0; i < pointBuffer.count; ++i) {
        const QPoint& p = pointBuffer.points[i];
        if (withinSquare(p.x(), p.y(), query.x(), query.y(), tolerance)) {
            hitX = pixelToFigUnclamped(p.x(), dpiX, zoom, originX);
            hitY = pixelToFigUnclamped(p.y(), dpiY, zoom, originY);
            return true;
        }
    }
    return false;
}

FigObject* CFigContext::findCompoundEdgeNear(int x, int y, int t, int& hitX, int& hitY)
{
    const float t2 = float(t) * float(t);
    for (FigObject* object : *objects()) {
        if (object->type != FigObject::Compound || !isObjectVisible(object))
            continue;
        const auto* compound = static_cast<const FigCompound*>(object);
        const int left = compound->upperLeft.x;
        const int top = compound->upperLeft.y;
        const int right = compound->lowerRight.x;
        const int bottom = compound->lowerRight.y;
        // Left, bottom, right and top edge, in this order.
        if (pointNearSegment(left, top, left, bottom, x, y, t, t2, hitX, hitY)
            || pointNearSegment(right, bottom, left, bottom, x, y, t, t2, hitX, hitY)
            || pointNearSegment(right, bottom, right, top, x, y, t, t2, hitX, hitY)
            || pointNearSegment(left, top, right, top, x, y, t, t2, hitX, hitY))
            return object;
    }
    return nullptr;
}

FigObject* CFigContext::findCompoundCornerNear(int x, int y, int t, int& hitX, int& hitY)
{
    for (FigObject* object : *objects()) {
        if (object->type != FigObject::Compound || !isObjectVisible(object))
            continue;
        const auto* compound = static_cast<const FigCompound*>(object);
        const int left = compound->upperLeft.x;
        const int top = compound->upperLeft.y;
        const int right = compound->lowerRight.x;
        const int bottom = compound->lowerRight.y;
        const int corners[4][2] = { { left, top }, { left, bottom }, { right, top }, { right, bottom } };
        for (const auto& corner : corners) {
            if (withinSquare(corner[0], corner[1], x, y, t)) {
                hitX = corner[0];
                hitY = corner[1];
                return object;
            }
        }
    }
    return nullptr;
}

FigObject* CFigContext::findTextNear(int x, int y, int t, int& hitX, int& hitY)
{
    for (FigObject* object : *objects()) {
        if (object->type != FigObject::Text || !isObjectVisible(object))
            continue;
        const auto* text = static_cast<const FigText*>(object);
        if (withinSquare(text->x, text->y, x, y, t)) {
            hitX = text->x;
            hitY = text->y;
            return object;
        }
        // One font height above the anchor, across the baseline; the rest of
        // the text's box does not count.
        const int h = roundToInt(displayPixelSize(dpiY) * float(text->fontSize));
        const double a = text->angle;
        const int ux
            = int(std::clamp<std::int64_t>(std::int64_t(text->x) - roundToInt(h * std::sin(a)), INT_MIN, INT_MAX));
        const int uy
            = int(std::clamp<std::int64_t>(std::int64_t(text->y) - roundToInt(h * std::cos(a)), INT_MIN, INT_MAX));
        if (withinSquare(ux, uy, x, y, t)) {
            hitX = ux;
            hitY = uy;
            return object;
        }
    }
    return nullptr;
}

FigObject* findSplineControlPolygonNear(
    CFigContext* context, const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY)
{
    if (!context || !list)
        return nullptr;
    const float t2 = float(t) * float(t);
    for (FigObject* object : *list) {
        if (object->type != FigObject::Spline || !context->isObjectVisible(object))
            continue;
        const FigPoint* first = static_cast<const FigSpline*>(object)->points;
        if (!first)
            continue;
        if (withinSquare(first->x, first->y, x, y, t)) {
            hitX = first->x;
            hitY = first->y;
            return object;
        }
        for (const FigPoint* p = first; p->next; p = p->next) {
            if (pointNearSegment(p->x, p->y, p->next->x, p->next->y, x, y, t, t2, hitX, hitY))
                return object;
        }
    }
    return nullptr;
}

// ---- Point search ----

FigObject* CFigContext::pickPointOnObject(int x, int y)
{
    const int t = pickTolerance(this);
    FigObject* found = nullptr;
    int type = FigObject::Polyline;
    FigPoint* point = nullptr;
    FigPoint* previous = nullptr;
    int index = 0;
    int pointX = 0;
    int pointY = 0;

    const auto firstChainPointNear = [&](int kind) {
        for (FigObject* object : *objects()) {
            if (object->type != kind || !isObjectVisible(object))
                continue;
            FigPoint* chain = kind == FigObject::Polyline ? static_cast<FigLine*>(object)->points
                                                          : static_cast<FigSpline*>(object)->points;
            FigPoint* before = nullptr;
            for (FigPoint* p = chain; p; before = p, p = p->next) {
                if (withinSquare(p->x, p->y, x, y, t)) {
                    found = object;
                    type = kind;
                    point = p;
                    previous = before;
                    return true;
                }
            }
        }
        return false;
    };
    const auto ellipsePointNear = [&] {
        for (FigObject* object : *objects()) {
            if (object->type != FigObject::Ellipse || !isObjectVisible(object))
                continue;
            auto* ellipse = static_cast<FigEllipse*>(object);
            FigPoint* candidates[2] = { &ellipse->start, &ellipse->end };
            for (int i = 0; i < 2; ++i) {
                if (withinSquare(candidates[i]->x, candidates[i]->y, x, y, t)) {
                    found = object;
                    type = FigObject::Ellipse;
                    point = candidates[i];
                    index = i;
                    return true;
                }
            }
        }
        return false;
    };
    const auto arcPointNear = [&] {
        for (FigObject* object : *objects()) {
            if (object->type != FigObject::Arc || !isObjectVisible(object))
                continue;
            auto* arc = static_cast<FigArc*>(object);
            for (int i = 0; i < 3; ++i) {
                if (withinSquare(arc->points[i].x, arc->points[i].y, x, y, t)) {
                    found = object;
                    type = FigObject::Arc;
                    point = &arc->points[i];
                    index = i;
                    return true;
                }
            }
        }
        return false;
    };

    if (firstChainPointNear(FigObject::Polyline) || ellipsePointNear() || arcPointNear()
        || firstChainPointNear(FigObject::Spline)) {
        pointX = point->x;
        pointY = point->y;
    } else if ((found = findCompoundCornerNear(x, y, t, pointX, pointY))) {
        type = FigObject::Compound;
    }

    const PickPointCallback callback = pickState.activePointCallback;
    if (!found) {
        if (callback)
            callback(this, nullptr, FigObject::Polyline, x, y, 0, 0, nullptr, nullptr, 0);
        return nullptr;
    }
    if (!callback)
        return found;
    // A refused point is a miss: the caller must not take the object.
    return callback(this, found, type, x, y, pointX, pointY, previous, point, index) ? found : nullptr;
}
