#include "model/geometricqueries.h"

#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "model/xspline.h"
#include "render/canvasmapping.h"

#include <QPoint>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Differences in 64 bits: coordinates near the int limits must not overflow.
bool withinSquare(int px, int py, int x, int y, int t)
{
    return std::llabs(std::int64_t(x) - px) <= t && std::llabs(std::int64_t(y) - py) <= t;
}

} // namespace

bool pointNearSegment(int x1, int y1, int x2, int y2, int x, int y, int t, float t2, int& hitX, int& hitY)
{
    if (withinSquare(x1, y1, x, y, t)) {
        hitX = x1;
        hitY = y1;
        return true;
    }
    if (withinSquare(x2, y2, x, y, t)) {
        hitX = x2;
        hitY = y2;
        return true;
    }
    const std::int64_t left = std::int64_t(std::min(x1, x2)) - t;
    const std::int64_t right = std::int64_t(std::max(x1, x2)) + t;
    const std::int64_t top = std::int64_t(std::min(y1, y2)) - t;
    const std::int64_t bottom = std::int64_t(std::max(y1, y2)) + t;
    if (x < left || x > right || y < top || y > bottom)
        return false;

    float footX;
    float footY;
    if (x1 == x2) {
        footX = float(x1);
        footY = float(y);
    } else if (y1 == y2) {
        footX = float(x);
        footY = float(y1);
    } else {
        const float b = float(std::int64_t(x2) - x1) / float(std::int64_t(y2) - y1);
        const float b2 = b * b;
        footY = (float(y1) * b2 + float(std::int64_t(x) - x1) * b + float(y)) / (b2 + 1.0f);
        footX = (footY - float(y1)) * b + float(x1);
    }
    const float dx = float(x) - footX;
    const float dy = float(y) - footY;
    if (!(t2 > dx * dx + dy * dy))
        return false;
    hitX = roundToInt(footX);
    hitY = roundToInt(footY);
    return true;
}

// ---- Queries over objects ----

TangentSegment tangentSegment;
bool tangentSegmentValid = false;

namespace {

bool shownDepth(const CFigContext* context, const FigObject* object)
{
    return object->depth >= 0 && object->depth < CFigContext::depthCount && context->depthVisible[object->depth];
}

} // namespace

bool FigLine::findSegmentNear(
    int x, int y, int t, int t1, int& hitX, int& hitY, FigPoint*& segmentStart, FigPoint*& segmentEnd) const
{
    FigPoint* first = points;
    if (!first)
        return false;
    if (withinSquare(first->x, first->y, x, y, t1)) {
        hitX = first->x;
        hitY = first->y;
        segmentStart = first;
        segmentEnd = first->next ? first->next : first;
        return true;
    }
    const float t2 = float(t) * float(t);
    for (FigPoint* p = first; p->next; p = p->next) {
        FigPoint* q = p->next;
        if (pointNearSegment(p->x, p->y, q->x, q->y, x, y, t, t2, hitX, hitY)) {
            segmentStart = p;
            segmentEnd = q;
            return true;
        }
    }
    return false;
}

int CFigContext::onePixelInFigUnits() const
{
    return roundToInt(displayPixelSize(dpiX) / zoom);
}

FigPoint* CFigContext::findVertexNear(const FigObject* excluded, int t, int x, int y)
{
    const FigObjectList* list = objects();
    if (!list)
        return nullptr;
    for (FigObject* object : *list) {
        if (object == excluded || object->type != FigObject::Polyline || !shownDepth(this, object))
            continue;
        for (FigPoint* p = static_cast<FigLine*>(object)->points; p; p = p->next) {
            if (withinSquare(p->x, p->y, x, y, t))
                return p;
        }
    }
    for (FigObject* object : *list) {
        if (object == excluded || object->type != FigObject::Arc || !shownDepth(this, object))
            continue;
        for (FigPoint& p : static_cast<FigArc*>(object)->points) {
            if (withinSquare(p.x, p.y, x, y, t))
                return &p;
        }
    }
    for (FigObject* object : *list) {
        if (object == excluded || object->type != FigObject::Spline || !shownDepth(this, object))
            continue;
        const bool interpolated = object->subType == 2 || object->subType == 3;
        for (FigPoint* p = static_cast<FigSpline*>(object)->points; p; p = p->next) {
            if ((interpolated || isPathEndPoint(object, p)) && withinSquare(p->x, p->y, x, y, t))
                return p;
        }
    }
    return nullptr;
}

FigObject* CFigContext::findLineNear(
    const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY, const FigObject* excluded)
{
    tangentSegmentValid = false;
    if (!list)
        return nullptr;
    const int onePixel = onePixelInFigUnits();
    for (FigObject* object : *list) {
        if (object == excluded || object->type != FigObject::Polyline || !shownDepth(this, object))
            continue;
        FigPoint* start;
        FigPoint* end;
        if (static_cast<FigLine*>(object)->findSegmentNear(x, y, t, onePixel, hitX, hitY, start, end)) {
            tangentSegment = { start->x, start->y, end->x, end->y };
            tangentSegmentValid = true;
            return object;
        }
    }
    return nullptr;
}

bool ellipseHitTest(const FigEllipse* ellipse, int x, int y, int t, int& hitX, int& hitY)
{
    if (!ellipse)
        return false;
    const int cx = ellipse->center.x;
    const int cy = ellipse->center.y;
    const double a = ellipse->angle;
    int ux = x;
    int uy = y;
    if (a != 0.0)
        rotatePoint(cx, cy, x, y, ux, uy, -a);
    const double dx = double(ux) - cx;
    const double dy = double(uy) - cy;
    const double d = std::sqrt(dx * dx + dy * dy);

    const double ox = double(x) - cx;
    const double oy = double(y) - cy;
    if (double(t) > std::sqrt(ox * ox + oy * oy)) {
        hitX = cx;
        hitY = cy;
        return true;
    }
    if (withinSquare(ellipse->start.x, ellipse->start.y, ux, uy, t)) {
        hitX = ellipse->start.x;
        hitY = ellipse->start.y;
        return true;
    }
    if (withinSquare(ellipse->end.x, ellipse->end.y, ux, uy, t)) {
        hitX = ellipse->end.x;
        hitY = ellipse->end.y;
        return true;
    }
    const double rx = ellipse->radii.x;
    const double ry = ellipse->radii.y;
    double rho = 0.0;
    if (!(rx * dy == 0.0 && ry * dx == 0.0))
        rho = rx * ry * d / std::sqrt(rx * rx * dy * dy + ry * ry * dx * dx);
    if (std::fabs(d - rho) > double(t))
        return false;
    if (d == 0.0) {
        // Exactly at the centre with a zero tolerance: the ray has no
        // direction, and the centre is the only point that can be meant.
        hitX = cx;
        hitY = cy;
        return true;
    }
    int hx = roundToInt(cx + rho * dx / d);
    int hy = roundToInt(cy + rho * dy / d);
    if (a != 0.0)
        rotatePoint(cx, cy, hx, hy, hx, hy, a);
    hitX = hx;
    hitY = hy;
    return true;
}

FigObject* CFigContext::findEllipseNear(const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY)
{
    tangentSegmentValid = false;
    if (!list)
        return nullptr;
    for (FigObject* object : *list) {
        if (object->type != FigObject::Ellipse || !shownDepth(this, object))
            continue;
        const auto* ellipse = static_cast<const FigEllipse*>(object);
        if (!ellipseHitTest(ellipse, x, y, t, hitX, hitY))
            continue;
        const int cx = ellipse->center.x;
        const int cy = ellipse->center.y;
        const int onePixel = onePixelInFigUnits();
        if (std::llabs(std::int64_t(hitX) - cx) > onePixel || std::llabs(std::int64_t(hitY) - cy) > onePixel) {
            int px;
            int py;
            rotatePoint(cx, cy, hitX, hitY, px, py, -ellipse->angle);
            const double theta = ellipseTangentAngle(cx, cy, ellipse->radii.x, ellipse->radii.y, px, py);
            int qx;
            int qy;
            pointAtAngle(px, py, theta, 1200, qx, qy);
            rotatePoint(cx, cy, qx, qy, qx, qy, ellipse->angle);
            tangentSegment = { hitX, hitY, qx, qy };
        } else {
            tangentSegment = { hitX, hitY, hitX, hitY };
        }
        tangentSegmentValid = true;
        return object;
    }
    return nullptr;
}

// ---- Splines ----

namespace {

// The chord test run by the spline evaluation: the query point and tolerance
// in pixels, the previous curve point and the last hit. Program-wide because
// the evaluation hands points to a plain function; one search at a time.
struct ChordSearch {
    QPoint query;
    int tolerance = 0;
    bool havePrevious = false;
    QPoint previous;
    bool found = false;
    QPoint hit;
    QPoint chordStart;
    QPoint chordEnd;
};
ChordSearch chordSearch;

bool testChord(int x, int y)
{
    ChordSearch& search = chordSearch;
    const QPoint next(x, y);
    if (!search.havePrevious) {
        search.previous = next;
        search.havePrevious = true;
        return true;
    }
    const QPoint p = search.previous;
    search.previous = next;

    // Differences in 64 bits, the geometry in single precision.
    const float ex = float(std::int64_t(next.x()) - p.x());
    const float ey = float(std::int64_t(next.y()) - p.y());
    const float length = std::sqrt(ex * ex + ey * ey);
    if (!(length > 0.0f))
        return true;
    const QPoint& q = search.query;
    const float qpx = float(std::int64_t(q.x()) - p.x());
    const float qpy = float(std::int64_t(q.y()) - p.y());
    const float qnx = float(std::int64_t(q.x()) - next.x());
    const float qny = float(std::int64_t(q.y()) - next.y());
    const float t = float(search.tolerance);
    const float t2 = t * t;

    // Signed distance from the chord's line and the foot on it.
    const float s = (qpy * ex - qpx * ey) / length;
    if (std::fabs(s) > t)
        return true;
    const float lambda = (qpx * ex + qpy * ey) / (length * length);
    if (!(t2 >= qpx * qpx + qpy * qpy || t2 >= qnx * qnx + qny * qny || (lambda >= 0.0f && lambda <= 1.0f)))
        return true;
    const float footX = float(q.x()) - s * -ey / length;
    const float footY = float(q.y()) - s * ex / length;
    search.found = true;
    search.hit = QPoint(roundToInt(footX), roundToInt(footY));
    search.chordStart = p;
    search.chordEnd = next;
    // The rest of this segment may still improve the hit; later ones are skipped.
    splineEvaluationStopped = true;
    return true;
}

} // namespace

bool CFigContext::findSplineSegmentNear(
    const FigSpline* spline, int px, int py, int tpx, QPoint& hit, QPoint& chordStart, QPoint& chordEnd)
{
    if (!spline)
        return false;
    chordSearch = ChordSearch();
    chordSearch.query = QPoint(px, py);
    chordSearch.tolerance = tpx;
    if (spline->subType & 1)
        computeClosedSpline(spline, 0.5f, testChord);
    else
        computeOpenSpline(spline, 0.5f, testChord);
    if (!chordSearch.found)
        return false;
    hit = chordSearch.hit;
    chordStart = chordSearch.chordStart;
    chordEnd = chordSearch.chordEnd;
    return true;
}

FigObject* CFigContext::findSplineNear(
    const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY, const FigObject* excluded)
{
    tangentSegmentValid = false;
    if (!list)
        return nullptr;
    const QPoint query = figToPixelPoint(x, y);
    const int tolerance = roundToInt(canvasScaleX() * float(t));
    const float backX = displayPixelSize(dpiX) / zoom;
    const float backY = displayPixelSize(dpiY) / zoom;
    for (FigObject* object : *list) {
        if (object == excluded || object->type != FigObject::Spline || !shownDepth(this, object))
            continue;
        const auto* spline = static_cast<const FigSpline*>(object);
        QPoint hit;
        QPoint start;
        QPoint end;
        if (findSplineSegmentNear(spline, query.x(), query.y(), tolerance, hit, start, end)) {
            hitX = pixelToFigUnclamped(hit.x(), dpiX, zoom, originX);
            hitY = pixelToFigUnclamped(hit.y(), dpiY, zoom, originY);
            // Without the scroll origin: only direction and length count.
            tangentSegment = { roundToInt(backX * float(start.x())), roundToInt(backY * float(start.y())),
                roundToInt(backX * float(end.x())), roundToInt(backY * float(end.y())) };
            tangentSegmentValid = true;
            return object;
        }
        for (const FigPoint* p = spline->points; p; p = p->next) {
            if (withinSquare(p->x, p->y, x, y, t)) {
                hitX = p->x;
                hitY = p->y;
                return object;
            }
        }
    }
    return nullptr;
}
