#include "model/bounds.h"

#include "app/preferences.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/planegeometry.h"
#include "model/units.h"

#include <QPixmap>
#include <QRect>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// The float values of the quarter angles, so that an end point exactly on an
// axis (whose float angle is the float of pi/2 ...) counts as reaching it.
constexpr float quarterTurn = 1.5707964f;
constexpr float halfTurn = 3.1415927f;
constexpr float threeQuarterTurn = 4.712389f;
constexpr float fullTurn = 6.2831855f;

// Truncation toward zero, saturating at the int range.
int truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(v);
}

struct Box {
    bool empty = true;
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;

    void add(int x, int y)
    {
        if (empty) {
            xmin = xmax = x;
            ymin = ymax = y;
            empty = false;
            return;
        }
        xmin = std::min(xmin, x);
        ymin = std::min(ymin, y);
        xmax = std::max(xmax, x);
        ymax = std::max(ymax, y);
    }
    void add(const QPoint& p) { add(p.x(), p.y()); }
    void get(int& x0, int& y0, int& x1, int& y1) const
    {
        x0 = xmin;
        y0 = ymin;
        x1 = xmax;
        y1 = ymax;
    }
};

// Limits a miter coordinate to `limit` (5 w) from the corner's.
int limitMiter(int v, int c, float limit)
{
    if (double(v) >= double(c) + limit)
        return truncToInt(double(c) + limit);
    if (double(v) <= double(c) - limit)
        return truncToInt(double(c) - limit);
    return v;
}

} // namespace

void thickSegmentOutline(int x1, int y1, int x2, int y2, QPoint outline[5], float width)
{
    const float h = width / 2.0f;
    if (x1 == x2 && y1 == y2) {
        outline[0] = QPoint(roundToInt(float(x1) - h), roundToInt(float(y1) - h));
        outline[1] = QPoint(roundToInt(float(x1) + h), roundToInt(float(y1) + h));
        outline[2] = QPoint(roundToInt(float(x2) - h), roundToInt(float(y2) - h));
        outline[3] = QPoint(roundToInt(float(x2) + h), roundToInt(float(y2) + h));
    } else {
        // Differences in 64 bits and the length in floating point: the squares
        // of large coordinates do not fit in 32 bits.
        const float dx = float(std::int64_t(x1) - x2);
        const float dy = float(std::int64_t(y2) - y1);
        const float length = float(std::sqrt(double(dx) * dx + double(dy) * dy));
        const float ox = dy / length * h;
        const float oy = dx / length * h;
        outline[0] = QPoint(roundToInt(float(x1) + ox), roundToInt(float(y1) + oy));
        outline[1] = QPoint(roundToInt(float(x1) - ox), roundToInt(float(y1) - oy));
        outline[2] = QPoint(roundToInt(float(x2) - ox), roundToInt(float(y2) - oy));
        outline[3] = QPoint(roundToInt(float(x2) + ox), roundToInt(float(y2) + oy));
    }
    outline[4] = outline[0];
}

bool thickLineJoin(
    const QPoint current[5], const QPoint& corner, const QPoint* previous, int joinStyle, float width, QPoint join[4])
{
    if (!previous || joinStyle == JoinNone)
        return false;
    const QPoint* a = current;
    const QPoint* b = previous;
    int x;
    int y;
    double t;
    double s;
    switch (joinStyle) {
    case JoinRound: {
        const int e = roundToInt(width / 2.0f);
        join[0] = QPoint(corner.x() - e, corner.y());
        join[1] = QPoint(corner.x(), corner.y() - e);
        join[2] = QPoint(corner.x() + e, corner.y());
        join[3] = QPoint(corner.x(), corner.y() + e);
        return true;
    }
    case JoinBevel:
        if (intersectLines(b[1].x(), b[1].y(), b[2].x(), b[2].y(), a[2].x(), a[2].y(), a[1].x(), a[1].y(), x, y, t, s)
                == IntersectFound
            && s > 1.001) {
            join[0] = b[2];
            join[1] = a[1];
            join[2] = corner;
            join[3] = corner;
            return true;
        }
        if (intersectLines(b[0].x(), b[0].y(), b[3].x(), b[3].y(), a[3].x(), a[3].y(), a[0].x(), a[0].y(), x, y, t, s)
                == IntersectFound
            && s > 1.001) {
            join[0] = b[3];
            join[1] = a[0];
            join[2] = corner;
            join[3] = corner;
            return true;
        }
        return false;
    case JoinMiter: {
        const double ax = double(a[2].x()) - a[1].x();
        const double ay = double(a[2].y()) - a[1].y();
        const double bx = double(b[1].x()) - b[2].x();
        const double by = double(b[1].y()) - b[2].y();
        const double lengths = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
        // An edge of length 0 (a zero-length segment of a line of width 0)
        // has no direction to meet the other at.
        if (!(lengths > 0))
            return false;
        const double cosine = (ax * bx + ay * by) / lengths;
        if (cosine > 0.999999 || cosine < -0.999999)
            return false;
        const float limit = 5.0f * width;
        if (intersectLines(b[1].x(), b[1].y(), b[2].x(), b[2].y(), a[2].x(), a[2].y(), a[1].x(), a[1].y(), x, y, t, s)
                == IntersectFound
            && t >= 1.0 && s >= 1.0) {
            join[0] = QPoint(limitMiter(x, corner.x(), limit), limitMiter(y, corner.y(), limit));
            join[1] = a[1];
            join[2] = corner;
            join[3] = b[2];
            return true;
        }
        if (intersectLines(b[0].x(), b[0].y(), b[3].x(), b[3].y(), a[3].x(), a[3].y(), a[0].x(), a[0].y(), x, y, t, s)
                == IntersectFound
            && t >= 1.0 && s >= 1.0) {
            join[0] = QPoint(limitMiter(x, corner.x(), limit), limitMiter(y, corner.y(), limit));
            join[1] = b[3];
            join[2] = corner;
            join[3] = a[0];
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void thickPolylineBounds(const QPoint* points, int count, bool closingJoin, float width, int joinStyle, int& xmin,
    int& ymin, int& xmax, int& ymax)
{
    xmin = ymin = xmax = ymax = 0;
    if (!points || count <= 0)
        return;
    if (count == 1) {
        const float h = width / 2.0f;
        xmin = roundToInt(float(points[0].x()) - h);
        xmax = roundToInt(float(points[0].x()) + h);
        ymin = roundToInt(float(points[0].y()) - h);
        ymax = roundToInt(float(points[0].y()) + h);
        return;
    }
    Box box;
    QPoint first[5];
    QPoint previous[5];
    QPoint outline[5];
    QPoint join[4];
    for (int i = 1; i < count; ++i) {
        thickSegmentOutline(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), outline, width);
        if (i == 1)
            std::copy(outline, outline + 5, first);
        for (const QPoint& p : outline)
            box.add(p);
        if (i > 1 && thickLineJoin(outline, points[i - 1], previous, joinStyle, width, join)) {
            for (const QPoint& p : join)
                box.add(p);
        }
        std::copy(outline, outline + 5, previous);
    }
    if (closingJoin && thickLineJoin(first, points[count - 1], previous, joinStyle, width, join)) {
        for (const QPoint& p : join)
            box.add(p);
    }
    box.get(xmin, ymin, xmax, ymax);
}

void growBounds(int& xmin, int& ymin, int& xmax, int& ymax, int n)
{
    xmin -= n;
    ymin -= n;
    xmax += n;
    ymax += n;
}

void growRect(QRect& rect, int n)
{
    rect.adjust(-n, -n, n, n);
}

// ---- Lists, selections and point chains ----

void CFigContext::getSelectionBounds(const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax)
{
    getObjectListBounds(list, xmin, ymin, xmax, ymax, true, true, true);
}

void CFigContext::pointChainBounds(const FigPoint* first, int& xmin, int& ymin, int& xmax, int& ymax) const
{
    Box box;
    for (const FigPoint* p = first; p; p = p->next)
        box.add(p->x, p->y);
    box.get(xmin, ymin, xmax, ymax);
}

// ---- Per-kind boxes ----

void FigArc::getBounds(
    CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool /*withTextDescent*/, bool withLineWidth)
{
    const float cx = centerX;
    const float cy = centerY;
    const FigPoint& p1 = points[0];
    const FigPoint& p3 = points[2];
    float a1 = std::atan2(cy - float(p1.y), float(p1.x) - cx);
    float a3 = std::atan2(cy - float(p3.y), float(p3.x) - cx);
    if (a1 < 0.0f)
        a1 += fullTurn;
    if (a3 < 0.0f)
        a3 += fullTurn;
    const double rdx = double(p1.x) - cx;
    const double rdy = double(p1.y) - cy;
    const float r = float(std::sqrt(rdx * rdx + rdy * rdy));

    Box box;
    for (const FigPoint& p : points)
        box.add(p.x, p.y);

    bool right;
    bool top;
    bool left;
    bool bottom;
    if (direction == 1) {
        if (a1 > a3) {
            right = true;
            top = a1 <= quarterTurn || a3 >= quarterTurn;
            left = a1 <= halfTurn || a3 >= halfTurn;
            bottom = a1 <= threeQuarterTurn || a3 >= threeQuarterTurn;
        } else {
            right = a1 <= 0.0f;
            top = a1 <= quarterTurn && quarterTurn <= a3;
            left = a1 <= halfTurn && halfTurn <= a3;
            bottom = a1 <= threeQuarterTurn && threeQuarterTurn <= a3;
        }
    } else {
        if (a1 > a3) {
            right = a3 <= 0.0f;
            top = a3 <= quarterTurn && quarterTurn <= a1;
            left = a3 <= halfTurn && halfTurn <= a1;
            bottom = a3 <= threeQuarterTurn && threeQuarterTurn <= a1;
        } else {
            right = true;
            top = a1 >= quarterTurn || a3 <= quarterTurn;
            left = a1 >= halfTurn || a3 <= halfTurn;
            bottom = a1 >= threeQuarterTurn || a3 <= threeQuarterTurn;
        }
    }
    if (right)
        box.xmax = truncToInt(cx + r + 1.0f);
    if (top)
        box.ymin = truncToInt(cy - r - 1.0f);
    if (left)
        box.xmin = truncToInt(cx - r - 1.0f);
    if (bottom)
        box.ymax = truncToInt(cy + r + 1.0f);

    if (withLineWidth) {
        const int hx = roundToInt(displayPixelSize(context->dpiX) * float(lineWidth)) / 2;
        const int hy = roundToInt(displayPixelSize(context->dpiY) * float(lineWidth)) / 2;
        box.xmin -= hx;
        box.xmax += hx;
        box.ymin -= hy;
        box.ymax += hy;
    }
    if (subType == 1) {
        // A pie wedge reaches its centre.
        if (cx < float(box.xmin))
            box.xmin = truncToInt(cx);
        if (cx > float(box.xmax))
            box.xmax = truncToInt(cx);
        if (cy < float(box.ymin))
            box.ymin = truncToInt(cy);
        if (cy > float(box.ymax))
            box.ymax = truncToInt(cy);
    }
    box.get(xmin, ymin, xmax, ymax);
    if (withLineWidth)
        context->addArrowBounds(FigObject::Arc, this, xmin, ymin, xmax, ymax);
}

void FigEllipse::getBounds(
    CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool /*withTextDescent*/, bool withLineWidth)
{
    if (radii.x == 0 || radii.y == 0) {
        xmin = xmax = center.x;
        ymin = ymax = center.y;
        return;
    }
    const float h = withLineWidth ? float(lineWidth) * 0.5f : 0.0f;
    const float kx = displayPixelSize(context->dpiX);
    const float ky = displayPixelSize(context->dpiY);
    if (angle == 0.0f) {
        xmin = truncToInt(float(std::int64_t(center.x) - radii.x) - kx * h);
        xmax = truncToInt(float(std::int64_t(center.x) + radii.x) + kx * h);
        ymin = truncToInt(float(std::int64_t(center.y) - radii.y) - ky * h);
        ymax = truncToInt(float(std::int64_t(center.y) + radii.y) + ky * h);
        return;
    }

    // A rotated ellipse is scanned row by row in pixels at zoom 100.
    const float cx = float(center.x) / kx;
    const float cy = float(center.y) / ky;
    const float a = float(radii.x) / kx;
    const float b = float(radii.y) / ky;
    const float s = std::sin(angle);
    const float c = std::cos(angle);
    const float u = a * a * s * s + b * b * c * c;
    const float tStep = (s * c / (a * a) - s * c / (b * b)) / (s * s / (b * b) + c * c / (a * a));
    const float vq = a * b / u;
    const float v = vq * vq;
    const float r = std::sqrt(u);
    float w = v * (u - 1.0f);

    int bx0 = 100000;
    int by0 = 100000;
    int bx1 = -100000;
    int by1 = -100000;
    const auto widen = [&](float px, float py) {
        const int ix = truncToInt(px);
        const int iy = truncToInt(py);
        bx0 = std::min(bx0, ix);
        bx1 = std::max(bx1, ix);
        by0 = std::min(by0, iy);
        by1 = std::max(by1, iy);
    };
    int j = 0;
    float shift = 0.0f;
    if (truncToInt(r) % 2 != 0) {
        const float sw = std::sqrt(w);
        widen(cx - sw, cy);
        widen(cx + sw, cy);
        j = 1;
        shift = tStep;
    }
    for (int n = 1; w >= 0.0f; ++n) {
        const float hw = std::sqrt(w);
        widen(cx + shift - hw, cy + float(j));
        widen(cx + shift + hw, cy + float(j));
        widen(cx - shift - hw, cy - float(j));
        widen(cx - shift + hw, cy - float(j));
        w -= v * float(2 * n + 1);
        ++j;
        shift += tStep;
    }
    growBounds(bx0, by0, bx1, by1, roundToInt(h));
    xmax = truncToInt(std::max({ float(bx1) * kx, float(start.x), float(end.x) }));
    xmin = truncToInt(std::min({ float(bx0) * kx, float(start.x), float(end.x) }));
    ymax = truncToInt(std::max({ float(by1) * ky, float(start.y), float(end.y) }));
    ymin = truncToInt(std::min({ float(by0) * ky, float(start.y), float(end.y) }));
}

void FigLine::getBounds(
    CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool /*withTextDescent*/, bool withLineWidth)
{
    if (!withLineWidth) {
        context->pointChainBounds(points, xmin, ymin, xmax, ymax);
        return;
    }
    QVector<QPoint> chain;
    chain.reserve(pointCount());
    for (const FigPoint* p = points; p; p = p->next)
        chain.append(QPoint(p->x, p->y));
    // Every polyline gets the closing join, open ones too.
    thickPolylineBounds(chain.constData(), chain.size(), true, displayPixelSize(context->dpiX) * float(lineWidth),
        joinStyle, xmin, ymin, xmax, ymax);
    context->addArrowBounds(FigObject::Polyline, this, xmin, ymin, xmax, ymax);
}

void FigSpline::getBounds(
    CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool /*withTextDescent*/, bool withLineWidth)
{
    context->pointChainBounds(points, xmin, ymin, xmax, ymax);
    if (!withLineWidth)
        return;
    if (subType >= 2 && points) {
        // Points with a negative shape factor pull the curve outwards, by up to
        // a quarter of the distance between their neighbours.
        Box box;
        box.add(points->x, points->y);
        const FigPoint* prev = points;
        const ShapeFactorNode* factor = shapeFactors ? shapeFactors->next : nullptr;
        for (const FigPoint* p = points->next; p; prev = p, p = p->next) {
            std::int64_t ex = 0;
            std::int64_t ey = 0;
            if (factor && factor->value < 0.0) {
                const FigPoint* next = p->next ? p->next : points;
                ex = std::llabs(std::int64_t(next->x) - prev->x) / 4;
                ey = std::llabs(std::int64_t(next->y) - prev->y) / 4;
            }
            box.add(truncToInt(double(p->x - ex)), truncToInt(double(p->y - ey)));
            box.add(truncToInt(double(p->x + ex)), truncToInt(double(p->y + ey)));
            if (factor)
                factor = factor->next;
        }
        box.get(xmin, ymin, xmax, ymax);
    }
    const int gx = roundToInt(displayPixelSize(context->dpiX) * float(lineWidth));
    const int gy = roundToInt(displayPixelSize(context->dpiY) * float(lineWidth));
    xmin -= gx;
    xmax += gx;
    ymin -= gy;
    ymax += gy;
    context->addArrowBounds(FigObject::Spline, this, xmin, ymin, xmax, ymax);
}

void FigText::getBounds(
    CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent, bool /*withLineWidth*/)
{
    const float kx = displayPixelSize(context->dpiX);
    const float ky = displayPixelSize(context->dpiY);

    // The width as it stands before the metrics are brought to the zoom: a
    // typeset image at zoom 100 (keyed by the horizontal resolution) wins.
    const bool metricsKnown = metricsZoom != 0.0f;
    int w = width;
    bool fromImage = false;
    if (preferences.renderSpecialTextUsingTex) {
        const int key = roundToInt(context->dpiX);
        for (const QMap<int, QPixmap*>& cache : latexPixmaps) {
            const QPixmap* image = cache.value(key, nullptr);
            if (image) {
                w = roundToInt(kx * float(image->width()));
                fromImage = true;
                break;
            }
        }
    }
    if (metricsZoom != context->zoom)
        context->computeTextMetrics(this, context->zoom);
    // Never measured before: the stored width was no width at all.
    if (!fromImage && !metricsKnown)
        w = width;

    const int d = withTextDescent ? roundToInt(ky / context->zoom * float(descent)) : 0;
    int left = x;
    if (subType == 1)
        left = truncToInt(double(x) - w / 2);
    else if (subType == 2)
        left = truncToInt(double(x) - w);
    // Offsets from the anchor, in 64 bits before they become floats.
    const std::int64_t baseline = std::int64_t(d);
    const std::int64_t top = baseline - ascent;
    const std::int64_t l = std::int64_t(left) - x;
    const std::int64_t r = l + w;
    const std::int64_t corners[4][2] = { { l, baseline }, { l, top }, { r, top }, { r, baseline } };

    // Counter-clockwise on the screen about the anchor.
    const float s = std::sin(-angle);
    const float c = std::cos(-angle);
    Box box;
    for (const auto& corner : corners) {
        const float dx = float(corner[0]);
        const float dy = float(corner[1]);
        box.add(
            truncToInt(double(x) + roundToInt(dx * c - dy * s)), truncToInt(double(y) + roundToInt(dy * c + dx * s)));
    }
    box.get(xmin, ymin, xmax, ymax);
}

void FigCompound::getBounds(
    CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent, bool withLineWidth)
{
    context->getObjectListBounds(members, xmin, ymin, xmax, ymax, false, withTextDescent, withLineWidth);
}
