#include "render/primitives.h"

#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/units.h"
#include "render/clippedstroke.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/pointbuffer.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr double pi = 3.14159265358979323846;

int capStyleOf(const FigObject* object)
{
    switch (object->type) {
    case FigObject::Polyline:
        return static_cast<const FigLine*>(object)->capStyle;
    case FigObject::Spline:
        return static_cast<const FigSpline*>(object)->capStyle;
    case FigObject::Arc:
        return static_cast<const FigArc*>(object)->capStyle;
    default:
        return 0;
    }
}

} // namespace

void CFigContext::drawLineObject(const FigLine* line, int style)
{
    if (!painter || !line)
        return;
    addLinePoints(line);
    drawBufferLine(line, style);
}

void CFigContext::drawBufferLine(const FigLine* line, int style)
{
    if (line)
        drawStyledPolyline(pointBuffer.points, pointBuffer.count, style, line->lineWidth, line->lineStyle,
            line->styleVal, line->joinStyle, line->capStyle, line->fillStyle, line->penColor, line->fillColor);
}

void CFigContext::drawDot(const FigLine* line, int style)
{
    if (!painter || !line || !line->points)
        return;
    const int w = scaledLineWidth(line->lineWidth, zoom);
    const QPoint p = figToPixelPoint(line->points->x, line->points->y);
    const QColor colour = getPenColor(drawing.userShades, line->penColor, style);
    if (line->capStyle == 1) {
        painter->setPen(QPen(colour, 1));
        painter->setBrush(QBrush(colour));
        painter->drawEllipse(clampToInt(std::int64_t(p.x()) - w / 2), clampToInt(std::int64_t(p.y()) - w / 2), w, w);
    } else {
        painter->setPen(QPen(colour, w));
        painter->drawPoint(p);
    }
}

void CFigContext::drawArcBox(const FigLine* line, int style)
{
    if (!painter || !line || !line->points)
        return;
    int xmin = line->points->x;
    int xmax = xmin;
    int ymin = line->points->y;
    int ymax = ymin;
    for (const FigPoint* p = line->points->next; p; p = p->next) {
        xmin = std::min(xmin, p->x);
        xmax = std::max(xmax, p->x);
        ymin = std::min(ymin, p->y);
        ymax = std::max(ymax, p->y);
    }
    const int r = roundToInt(displayPixelSize(dpiX) * static_cast<float>(line->radius));
    resetPointBuffer();
    addArcBoxPoints(xmin, ymin, xmax, ymax, r);
    if (line->fillStyle != -1)
        fillObjectPolygon(line, style, pointBuffer.points, pointBuffer.count);
    // Unlike the other outlines this one is drawn at width 0 too, as a
    // one-pixel cosmetic line.
    QPen pen(getPenColor(drawing.userShades, line->penColor, style));
    pen.setWidth(scaledLineWidth(line->lineWidth, zoom));
    applyLineStyle(pen, line->lineWidth, line->lineStyle, line->styleVal, line->capStyle);
    setOutlinePen(painter, pen);
    painter->setBrush(Qt::NoBrush);
    strokePolyline(painter, pointBuffer.points, pointBuffer.count);
}

void CFigContext::drawEllipseObject(const FigEllipse* ellipse, int style)
{
    if (!painter || !ellipse)
        return;
    const QTransform before = painter->worldTransform();
    painter->translate(figToPixelPoint(ellipse->center.x, ellipse->center.y));
    // Whole degrees only; a turn by none leaves the transformation as it is.
    const int degrees = roundToInt(-static_cast<double>(ellipse->angle) * 180 / pi);
    if (degrees != 0)
        painter->rotate(degrees);
    if (ellipse->fillStyle != -1)
        fillEllipse(ellipse, style);
    const int w = scaledLineWidth(ellipse->lineWidth, zoom);
    if (w > 0) {
        QPen pen(getPenColor(drawing.userShades, ellipse->penColor, style));
        pen.setWidth(w);
        applyEllipseLineStyle(pen, ellipse->lineWidth, ellipse->lineStyle, ellipse->styleVal, true);
        setOutlinePen(painter, pen);
        painter->setBrush(Qt::NoBrush);
        const float sx = canvasScaleX();
        const float sy = canvasScaleY();
        // 2r in single precision: the int doubling overflows for huge radii.
        const float rx = static_cast<float>(ellipse->radii.x);
        const float ry = static_cast<float>(ellipse->radii.y);
        strokeEllipse(painter, QRect(
            roundToInt(sx * -rx), roundToInt(sy * -ry), roundToInt(sx * (2.0f * rx)), roundToInt(sy * (2.0f * ry))));
    }
    painter->setWorldTransform(before);
}

void CFigContext::drawBufferOutline(const FigObject* object, int style)
{
    if (!painter || !object || pointBuffer.count == 0)
        return;
    if (object->fillStyle != -1)
        fillObjectPolygon(object, style, pointBuffer.points, pointBuffer.count);
    const int w = scaledLineWidth(object->lineWidth, zoom);
    if (w == 0)
        return;
    QPen pen(getPenColor(drawing.userShades, object->penColor, style));
    pen.setWidth(w);
    applyLineStyle(pen, object->lineWidth, object->lineStyle, object->styleVal, capStyleOf(object));
    setOutlinePen(painter, pen);
    painter->setBrush(Qt::NoBrush);
    // An open curve starting with an axis-parallel step starts at its second
    // point instead (no one-pixel hook at the start).
    QPoint* points = pointBuffer.points;
    if ((object->subType & 1) == 0 && pointBuffer.count > 2
        && (points[0].x() == points[1].x() || points[0].y() == points[1].y()))
        points[0] = points[1];
    strokePolyline(painter, points, pointBuffer.count);
}

void CFigContext::drawStyledPolyline(const QPoint* points, int count, int style, int lineWidth, int lineStyle,
    float styleVal, int joinStyle, int capStyle, int fillStyle, int penColor, int fillColor)
{
    if (!painter || !points || count <= 0)
        return;
    if (fillStyle != -1)
        fillPolygon(penColor, fillColor, fillStyle, style, points, count);
    const int w = scaledLineWidth(lineWidth, zoom);
    if (w == 0)
        return;
    QPen pen(getPenColor(drawing.userShades, penColor, style));
    pen.setWidth(w);
    applyLineStyle(pen, lineWidth, lineStyle, styleVal, capStyle);
    applyJoinStyle(pen, joinStyle);
    setOutlinePen(painter, pen);
    painter->setBrush(Qt::NoBrush);
    strokePolyline(painter, points, count);
}

void CFigContext::fillRect(const QColor& colour, int x1, int y1, int x2, int y2)
{
    if (!painter)
        return;
    const int width = clampToInt(std::int64_t(x2) - x1 + 1);
    const int height = clampToInt(std::int64_t(y2) - y1 + 1);
    painter->fillRect(QRect(x1, y1, width, height), colour);
}

void fillRectCorners(QPainter* painter, int x1, int y1, int x2, int y2, const QColor& colour)
{
    if (!painter)
        return;
    const int width = clampToInt(std::llabs(std::int64_t(x2) - x1) + 1);
    const int height = clampToInt(std::llabs(std::int64_t(y2) - y1) + 1);
    painter->fillRect(QRect(x1, y1, width, height), colour);
}

void CFigContext::drawRubberBand(int x1, int y1, int x2, int y2, int kind, int mode)
{
    if (!painter)
        return;
    switch (kind) {
    case 0:
        setRubberBandPen(painter, mode);
        break;
    case 11:
        setDashDotRubberBandPen(painter, mode);
        break;
    case 2:
        setDashedRubberBandPen(painter, mode);
        break;
    default:
        break; // the painter's pen as it is
    }
    painter->setBrush(Qt::NoBrush);
    // An inverting band must cover the same pixels each time to erase itself,
    // whatever antialiasing hint the painter had when it was drawn.
    const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
    if (mode == 1 || mode == 4)
        painter->setRenderHint(QPainter::Antialiasing, false);
    painter->drawLine(figToPixelPoint(x1, y1), figToPixelPoint(x2, y2));
    painter->setRenderHint(QPainter::Antialiasing, antialiased);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}
