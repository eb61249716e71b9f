#include "render/arrowheads.h"

#include "model/bounds.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figspline.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "render/clippedstroke.h"
#include "render/pointbuffer.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QVector>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

// clang-format off
const ArrowShape arrowShapes[arrowShapeCount] = {
    // 0: type 0 style 0, the open stick arrow
    { 3, 1, 0, true, false, 2.15, { { -1, 0.5 }, { 0, 0 }, { -1, -0.5 } }, {} },
    // 1: type 0 style 1, nothing drawn
    { 0, 0, 0, true, false, 0, {}, {} },
    // 2, 3: type 1, the closed triangle
    { 4, 1, 0, true, false, 2.1, { { -1, 0.5 }, { 0, 0 }, { -1, -0.5 }, { -1, 0.5 } }, {} },
    { 4, 1, 0, true, false, 2.1, { { -1, 0.5 }, { 0, 0 }, { -1, -0.5 }, { -1, 0.5 } }, {} },
    // 4, 5: type 2, indented butt
    { 5, 1, 0, true, false, 2.6, { { -1.25, 0.5 }, { 0, 0 }, { -1.25, -0.5 }, { -1, 0 }, { -1.25, 0.5 } }, {} },
    { 5, 1, 0, true, false, 2.6, { { -1.25, 0.5 }, { 0, 0 }, { -1.25, -0.5 }, { -1, 0 }, { -1.25, 0.5 } }, {} },
    // 6, 7: type 3, pointed butt
    { 5, 1, 0, true, false, 1.5, { { -0.75, 0.5 }, { 0, 0 }, { -0.75, -0.5 }, { -1, 0 }, { -0.75, 0.5 } }, {} },
    { 5, 1, 0, true, false, 1.5, { { -0.75, 0.5 }, { 0, 0 }, { -0.75, -0.5 }, { -1, 0 }, { -0.75, 0.5 } }, {} },
    // 8, 9: type 4, diamond
    { 5, 1, 0, true, false, 1.15, { { -0.5, 0.5 }, { 0, 0 }, { -0.5, -0.5 }, { -1, 0 }, { -0.5, 0.5 } }, {} },
    { 5, 1, 0, true, false, 1.15, { { -0.5, 0.5 }, { 0, 0 }, { -0.5, -0.5 }, { -1, 0 }, { -0.5, 0.5 } }, {} },
    // 10, 11: type 5, circle (generated)
    { 0, 0, 0, true, false, 0, {}, {} },
    { 0, 0, 0, true, false, 0, {}, {} },
    // 12, 13: type 6, half circle (generated)
    { 0, 0, 0, true, false, -1, {}, {} },
    { 0, 0, 0, true, false, -1, {}, {} },
    // 14, 15: type 7, square
    { 5, 1, 0, true, false, 0, { { -1, 0.5 }, { 0, 0.5 }, { 0, -0.5 }, { -1, -0.5 }, { -1, 0.5 } }, {} },
    { 5, 1, 0, true, false, 0, { { -1, 0.5 }, { 0, 0.5 }, { 0, -0.5 }, { -1, -0.5 }, { -1, 0.5 } }, {} },
    // 16, 17: type 8, reversed triangle, no clip
    { 4, 1, 0, false, false, 0, { { -1, 0 }, { 0, 0.5 }, { 0, -0.5 }, { -1, 0 } }, {} },
    { 4, 1, 0, false, false, 0, { { -1, 0 }, { 0, 0.5 }, { 0, -0.5 }, { -1, 0 } }, {} },
    // 18, 19: type 9, indented butt with one half filled
    { 5, 1, 3, true, false, 2.6, { { -1.25, 0.5 }, { 0, 0 }, { -1.25, -0.5 }, { -1, 0 }, { -1.25, 0.5 } },
        { { -1.25, -0.5 }, { 0, 0 }, { -1, 0 } } },
    { 5, 1, 3, true, false, 2.6, { { -1.25, 0.5 }, { 0, 0 }, { -1.25, -0.5 }, { -1, 0 }, { -1.25, 0.5 } },
        { { -1.25, 0.5 }, { 0, 0 }, { -1, 0 } } },
    // 20 to 25: types 10 to 12, half arrows
    { 4, 1, 0, true, true, 2.5, { { -1, 0.5 }, { 0, 0 }, { -1, 0 }, { -1, 0.5 } }, {} },
    { 4, 1, 0, true, true, 2.5, { { -1, 0.5 }, { 0, 0 }, { -1, 0 }, { -1, 0.5 } }, {} },
    { 4, 1, 0, true, true, 3.5, { { -1.25, 0.5 }, { 0, 0 }, { -1, 0 }, { -1.25, 0.5 } }, {} },
    { 4, 1, 0, true, true, 3.5, { { -1.25, 0.5 }, { 0, 0 }, { -1, 0 }, { -1.25, 0.5 } }, {} },
    { 4, 1, 0, true, true, 2.5, { { -0.75, 0.5 }, { 0, 0 }, { -1, 0 }, { -0.75, 0.5 } }, {} },
    { 4, 1, 0, true, true, 2.5, { { -0.75, 0.5 }, { 0, 0 }, { -1, 0 }, { -0.75, 0.5 } }, {} },
    // 26, 27: type 13
    { 3, 0, 0, true, false, -1, { { 0, 0.5 }, { -1, 0 }, { 0, -0.5 } }, {} },
    { 2, 1, 0, true, false, 0, { { 0, 0.5 }, { 0, -0.5 } }, {} },
    // 28, 29: type 14
    { 4, 0, 0, true, false, -1, { { 0, 0.5 }, { -1, 0.5 }, { -1, -0.5 }, { 0, -0.5 } }, {} },
    { 4, 1, 0, true, false, 0, { { -1, 0.5 }, { 0, 0.5 }, { 0, -0.5 }, { -1, -0.5 } }, {} },
};
// clang-format on

ArrowOutline forwardArrowOutline;
ArrowOutline backwardArrowOutline;

namespace {

constexpr double pi = 3.14159265358979323846;

// Truncation held to the int range (a conversion out of range is undefined).
int truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

// The frame of an arrowhead: along runs from `from` towards the tip, across
// perpendicular to it; y of the unit vector points up.
struct ArrowFrame {
    double ux;
    double uy;

    QPoint at(double ox, double oy, double along, double across) const
    {
        return QPoint(roundToInt(ox + along * ux + across * uy), roundToInt(oy + across * ux - along * uy));
    }
};

QRect deviceRect(const QPainter* painter)
{
    const QPaintDevice* device = painter->device();
    return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}

} // namespace

int arrowShapeRow(int type, int style)
{
    // Formed in 64 bits: a huge type from a file must not overflow.
    const long long row = 2LL * type + style;
    return row >= 0 && row < arrowShapeCount ? static_cast<int>(row) : 0;
}

void CFigContext::computeArrowPolygons(const QPoint& from, const QPoint& tip, int w, const FigArrow& arrow,
    QPoint* outline, int& outlineCount, QPoint* fill, int& fillCount, QPoint* clip, int& clipCount, int lineWidth)
{
    outlineCount = 0;
    fillCount = 0;
    clipCount = 0;
    const float sx = canvasScaleX();
    const int wpx = roundToInt(sx * arrow.width);
    const int hpx = roundToInt(sx * arrow.height);
    // Half the line's width and a pixel to each side of the tip: a line
    // thicker than the arrowhead's own outline would otherwise show beside
    // the narrow end of the head.
    const double inset = std::max(roundToInt(static_cast<float>(w) * zoom * 0.5f + 1.0f),
        roundToInt(static_cast<float>(scaledLineWidth(lineWidth, zoom)) * 0.5f + 1.0f));
    if (wpx == 0 || hpx == 0 || from == tip)
        return;

    const int row = arrowShapeRow(arrow.type, arrow.style);
    const ArrowShape& shape = arrowShapes[row];
    const int type = row / 2;

    // Differences in double: pixel coordinates may lie far apart.
    const double dx = static_cast<double>(tip.x()) - from.x();
    const double dy = static_cast<double>(from.y()) - tip.y();
    const double length = std::sqrt(dx * dx + dy * dy);
    const ArrowFrame frame { dx / length, dy / length };

    // Pull the tip back so that the outline's own stroke ends at the tip.
    const double q = zoom * shape.pullBack;
    double u = 0;
    if (q > 0)
        u = arrow.thickness / (2 * std::sin(std::atan(wpx / (q * hpx))));
    else if (q == 0)
        u = arrow.thickness / 2.0;
    const double j = std::atan2(dy, -dx);
    const double pulledX = tip.x() + u * std::cos(j);
    const double pulledY = tip.y() + u * std::sin(j);
    const double px = roundToInt(pulledX);
    const double py = roundToInt(pulledY);

    if (type == arrowTypeCircle || type == arrowTypeHalfCircle) {
        const double theta = vectorAngle(dx, dy);
        const double c = std::cos(theta);
        const double s = std::sin(theta);
        const double along = pulledX * c - pulledY * s;
        const double across = pulledX * s + pulledY * c;
        const double backAlong = type == arrowTypeCircle ? along - hpx : along;
        const double backX = truncToInt(backAlong * c + across * s + 0.5);
        const double backY = truncToInt(across * c - backAlong * s + 0.5);
        const double centreX = (pulledX + backX) / 2;
        const double centreY = (pulledY + backY) / 2;
        const double rho = hpx / 2.0;
        int n = roundToInt(zoom * 0.25f) + 40;
        // The zoom never exceeds 99.99 (65 points); a larger one must not
        // write past the outline array.
        n = std::clamp(n, 2, arrowOutlineCapacity);
        const double start = (type == arrowTypeCircle ? 5 * pi / 2 : 3 * pi / 2) - theta;
        const double span = type == arrowTypeCircle ? 2 * pi : pi;
        for (int i = 0; i < n; ++i) {
            const double phi = start - i * span / (n - 1);
            outline[i] = QPoint(roundToInt(centreX + roundToInt(rho * std::cos(phi))),
                roundToInt(centreY + roundToInt(rho * std::sin(phi))));
        }
        outlineCount = removeDuplicatePoints(outline, n);

        const double y = rho + arrow.thickness / 2.0;
        const double m = std::min(-inset, -y);
        const double mm = std::max(inset, y);
        clip[0] = frame.at(centreX, centreY, 0, -y);
        clip[1] = frame.at(centreX, centreY, 0, m);
        clip[2] = frame.at(centreX, centreY, y, m);
        clip[3] = frame.at(centreX, centreY, y, mm);
        clip[4] = frame.at(centreX, centreY, 0, mm);
        clipCount = 5;
        return;
    }

    const int g
        = shape.half ? roundToInt(displayPixelSize(dpiX) * (static_cast<float>(w) - arrow.thickness) * 0.5f) : 0;
    double minAcross = 100000;
    double maxAcross = -100000;
    auto place = [&](const double(&pair)[2]) {
        const double across = wpx * pair[1] - g;
        minAcross = std::min(minAcross, across);
        maxAcross = std::max(maxAcross, across);
        return frame.at(px, py, hpx * pair[0], across);
    };
    for (int i = 0; i < shape.pointCount; ++i)
        outline[i] = place(shape.points[i]);
    outlineCount = shape.pointCount;
    for (int i = 0; i < shape.fillPointCount; ++i)
        fill[i] = place(shape.fillPoints[i]);
    fillCount = shape.fillPointCount;
    minAcross = std::min(minAcross, -inset);
    maxAcross = std::max(maxAcross, inset);

    if (!shape.clip)
        return;
    // The first three entries of the row, the back corners widened to the
    // line's half width, and the tip itself (not pulled back).
    for (int i = 0; i < 3; ++i)
        clip[i] = frame.at(px, py, hpx * shape.points[i][0], wpx * shape.points[i][1] - g);
    const double tipAlong = hpx * shape.points[shape.tipIndex][0];
    clip[3] = frame.at(px, py, hpx * shape.points[2][0], minAcross);
    clip[4] = frame.at(tip.x(), tip.y(), tipAlong, -inset);
    clip[5] = frame.at(tip.x(), tip.y(), tipAlong, inset);
    clip[6] = frame.at(px, py, hpx * shape.points[0][0], maxAcross);
    clipCount = 7;
}

void CFigContext::computeArrowheads(const FigObject* object, int kind, const QPoint* points, int count, int offset,
    ArrowPolygons& forward, ArrowPolygons& backward)
{
    forwardArrowOutline.count = 0;
    backwardArrowOutline.count = 0;
    forward.fillCount = forward.clipCount = 0;
    backward.fillCount = backward.clipCount = 0;
    if (!object)
        return;

    auto compute = [this, object](const QPoint& from, const QPoint& tip, const FigArrow& arrow, ArrowOutline& outline,
                       ArrowPolygons& polygons) {
        computeArrowPolygons(from, tip, truncToInt(arrow.thickness), arrow, outline.points, outline.count,
            polygons.fill, polygons.fillCount, polygons.clip, polygons.clipCount, object->lineWidth);
    };

    if (kind == FigObject::Arc) {
        const auto* arc = static_cast<const FigArc*>(object);
        const float cx = figToPixelF(arc->centerX, dpiX, zoom, originX);
        const float cy = figToPixelF(arc->centerY, dpiY, zoom, originY);
        if (object->forwArrow) {
            const QPoint tip = figToPixelPoint(arc->points[2].x, arc->points[2].y);
            QPoint from;
            arcTangentPoint(cx, cy, tip.x(), tip.y(), arc->direction, from.rx(), from.ry());
            compute(from, tip, *object->forwArrow, forwardArrowOutline, forward);
        }
        if (object->backArrow) {
            const QPoint tip = figToPixelPoint(arc->points[0].x, arc->points[0].y);
            QPoint from;
            arcTangentPoint(cx, cy, tip.x(), tip.y(), arc->direction ? 0 : 1, from.rx(), from.ry());
            compute(from, tip, *object->backArrow, backwardArrowOutline, backward);
        }
        return;
    }

    // An arrowhead needs an end segment.
    if (!points || count < 2)
        return;
    const int k = offset < 0 || count - 2 < offset ? 0 : offset;
    if (object->forwArrow)
        compute(points[count - k - 2], points[count - 1], *object->forwArrow, forwardArrowOutline, forward);
    if (object->backArrow)
        compute(points[k + 1], points[0], *object->backArrow, backwardArrowOutline, backward);
}

bool CFigContext::clipOutArrowheads(const QPoint* forwardClip, int forwardCount, const QPoint* backwardClip,
    int backwardCount, int lineWidth, QRegion& saved)
{
    if (!painter || scaledLineWidth(lineWidth, zoom) < 2)
        return false;
    // Most lines have no heads: their clip is not even looked at.
    if ((!forwardClip || forwardCount <= 0) && (!backwardClip || backwardCount <= 0))
        return false;
    saved = painter->clipRegion();
    bool set = false;
    const QPoint* clips[2] = { forwardClip, backwardClip };
    const int counts[2] = { forwardCount, backwardCount };
    for (int i = 0; i < 2; ++i) {
        if (!clips[i] || counts[i] <= 0)
            continue;
        const QRegion current = painter->hasClipping() ? painter->clipRegion() : QRegion(deviceRect(painter));
        painter->setClipRegion(current.subtracted(polygonRegion(painter, clips[i], counts[i])));
        set = true;
    }
    return set;
}

void CFigContext::restoreArrowClip(const QRegion& saved)
{
    if (!painter)
        return;
    painter->setClipRegion(saved.isEmpty() ? QRegion(deviceRect(painter)) : saved);
}

void CFigContext::drawArrowhead(const FigObject* object, const FigArrow* arrow, const QPoint* outline, int count,
    const QPoint* fill, int fillCount, int style)
{
    if (!painter || !object || !arrow || object->lineWidth == 0 || !outline || count <= 0)
        return;
    const int row = arrowShapeRow(arrow->type, arrow->style);
    const int type = row / 2;
    const bool solid = row % 2 == 1;
    const int pen = object->penColor;
    // White inside a hollow head: entry 0 of black (and of the default
    // colour) is white, as is entry 20 of white and entry 40 of any colour.
    const int white = pen == 0 || pen == -1 ? 0 : (pen == 7 ? 20 : 40);
    int areaFill = -1;
    if (type >= 1 && type <= 12)
        areaFill = solid ? 20 : white;
    const int width = roundToInt(arrow->thickness);
    if (!fill || fillCount <= 0) {
        drawStyledPolyline(outline, count, style, width, 0, 0.0f, 0, 0, areaFill, pen, pen);
        return;
    }
    // Half-filled heads: white inside, the outline, then the filled half.
    fillPolygon(pen, pen, white, style, outline, count);
    drawStyledPolyline(outline, count, style, width, 0, 0.0f, 0, 0, -1, pen, pen);
    fillPolygon(pen, pen, 20, style, fill, fillCount);
}

void CFigContext::addArrowBounds(int kind, const FigObject* object, int& xmin, int& ymin, int& xmax, int& ymax)
{
    if (!object || (!object->forwArrow && !object->backArrow))
        return;
    resetPointBuffer();
    if (kind == FigObject::Arc) {
        // The arc's heads come from its geometry; the buffer only has to
        // show that there are end segments.
        const auto* arc = static_cast<const FigArc*>(object);
        int x;
        int y;
        if (object->backArrow) {
            arcTangentPoint(
                arc->centerX, arc->centerY, arc->points[0].x, arc->points[0].y, arc->direction ? 0 : 1, x, y);
            addFigPoint(arc->points[0].x, arc->points[0].y);
            addFigPoint(x, y);
        }
        if (object->forwArrow) {
            arcTangentPoint(arc->centerX, arc->centerY, arc->points[2].x, arc->points[2].y, arc->direction, x, y);
            addFigPoint(x, y);
            addFigPoint(arc->points[2].x, arc->points[2].y);
        }
    } else if (kind == FigObject::Polyline || kind == FigObject::Spline) {
        const FigPoint* first = kind == FigObject::Polyline ? static_cast<const FigLine*>(object)->points
                                                            : static_cast<const FigSpline*>(object)->points;
        // Arrowheads need an end segment.
        if (!first || !first->next)
            return;
        const FigPoint* nextToLast = first;
        while (nextToLast->next->next)
            nextToLast = nextToLast->next;
        if (object->backArrow) {
            addFigPoint(first->x, first->y);
            addFigPoint(first->next->x, first->next->y);
        }
        if (object->forwArrow) {
            addFigPoint(nextToLast->x, nextToLast->y);
            addFigPoint(nextToLast->next->x, nextToLast->next->y);
        }
    }
    if (pointBuffer.count == 0)
        return;

    // An interpolated spline's heads follow its curve, as drawn: the buffer
    // takes the evaluated curve, whose end direction reaches three points back.
    int offset = 0;
    if (kind == FigObject::Spline && (object->subType & 2)) {
        computeOpenSpline(static_cast<const FigSpline*>(object), 0.5f, addScreenPoint);
        offset = 2;
    }

    ArrowPolygons forward;
    ArrowPolygons backward;
    computeArrowheads(object, kind, pointBuffer.points, pointBuffer.count, offset, forward, backward);
    const ArrowOutline* outlines[2] = { &forwardArrowOutline, &backwardArrowOutline };
    for (const ArrowOutline* outline : outlines) {
        if (outline->count <= 0)
            continue;
        resetPointBuffer();
        copyPointPairs(outline->points, pointBuffer.points, outline->count);
        pointBuffer.count = outline->count;
        int x0;
        int y0;
        int x1;
        int y1;
        thickPolylineBounds(pointBuffer.points, pointBuffer.count, false, static_cast<float>(object->lineWidth),
            JoinMiter, x0, y0, x1, y1);
        // Back to Fig units without counting negative pixels as 0: a head
        // left of or above the view must not stretch the box to the view's
        // edge (which would make the box depend on the scroll position).
        const float sx = displayPixelSize(dpiX) / zoom;
        const float sy = displayPixelSize(dpiY) / zoom;
        auto toFig = [](float s, int p, int origin) {
            return roundToInt(s * static_cast<float>(static_cast<std::int64_t>(p) + origin));
        };
        xmin = std::min(xmin, toFig(sx, x0, originX));
        ymin = std::min(ymin, toFig(sy, y0, originY));
        xmax = std::max(xmax, toFig(sx, x1, originX));
        ymax = std::max(ymax, toFig(sy, y1, originY));
    }
}
