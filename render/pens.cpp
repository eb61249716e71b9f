#include "render/pens.h"

#include "edit/canvashandlers.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figobject.h"
#include "model/units.h"
#include "render/colors.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <cmath>

QBrush patternBrushes[patternCount];

namespace {

void setRubberBand(QPainter* painter, QPen pen, int kind)
{
    if (!painter)
        return;
    painter->setPen(pen);
    painter->setCompositionMode(
        kind == 1 || kind == 4 ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver);
}

QPen rubberBandPen()
{
    return QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// Paints an area fill with `draw`, which draws the shape once with the
// painter's brush: a shade or tint of the fill colour, or the full fill colour
// with a pattern in the pen colour over it. No pen; the brush stays set.
template <typename Draw>
void paintAreaFill(QPainter* painter, const QHash<int, ShadeTable*>& userShades, int penColor, int fillColor,
    int fillStyle, int drawingStyle, Draw draw)
{
    // An area fill below 0 means "not filled"; painting it would give black.
    if (!painter || fillStyle < 0)
        return;
    painter->setPen(Qt::NoPen);
    const int shade = fillStyle < firstPatternFill ? fillStyle : fullShade;
    painter->setBrush(QBrush(getShadedColor(userShades, fillColor, shade, drawingStyle)));
    draw(painter);
    // Area fills above the last pattern have no brush: the fill colour alone.
    if (fillStyle < firstPatternFill || fillStyle > lastPatternFill)
        return;
    QBrush pattern = patternBrushes[fillStyle - firstPatternFill];
    pattern.setColor(getPenColor(userShades, penColor, drawingStyle));
    painter->setBrush(pattern);
    painter->setBackgroundMode(Qt::TransparentMode);
    draw(painter);
}

// A dashed or dotted style needs a dash length (the style value) above 0; a
// line without one is drawn solid, as fig2dev draws it. A pattern of zero
// lengths would make the painter draw nothing, or run for ever.
bool hasDashLength(float styleVal)
{
    return styleVal > 0.0f && std::isfinite(styleVal);
}

} // namespace

void loadFillPatterns()
{
    for (int i = 0; i < patternCount; ++i) {
        const QImage image(QStringLiteral(":/patterns/images/patterns/pattern%1.png").arg(i));
        // Black pixels of the image become the set pixels of the bitmap. A
        // null bitmap leaves the brush empty.
        patternBrushes[i].setTexture(image.isNull() ? QBitmap() : QBitmap::fromImage(image));
    }
    // No mode is chosen yet: every slot of the handler table is empty.
    canvasHandlers = CanvasHandlers();
}

QVector<qreal> dashPattern(int lineWidth, int lineStyle, float styleVal)
{
    const int u = lineWidth > 0 ? lineWidth : 1;
    // The style value in pen widths, in single precision like the dots.
    const float v = styleVal / static_cast<float>(u);
    const qreal dot = 0.1f; // a tenth of the pen width
    switch (lineStyle) {
    case 1:
        return { v, v };
    case 2:
        return { 1.0f / static_cast<float>(u), v };
    case 3:
        return { v, 0.53 * v, dot, 0.53 * v };
    case 4:
        return { v, 0.48 * v, dot, 0.333 * v, dot, 0.48 * v };
    case 5:
        return { v, 0.44 * v, dot, 0.3 * v, dot, 0.3 * v, dot, 0.43 * v };
    default:
        return {};
    }
}

void applyLineStyle(QPen& pen, int lineWidth, int lineStyle, float styleVal, int capStyle)
{
    switch (capStyle) {
    case 0:
        pen.setCapStyle(Qt::FlatCap);
        break;
    case 1:
        pen.setCapStyle(Qt::RoundCap);
        break;
    case 2:
        pen.setCapStyle(Qt::SquareCap);
        break;
    default:
        break;
    }
    if (lineStyle == 0 || (lineStyle >= 1 && lineStyle <= 5 && !hasDashLength(styleVal)))
        pen.setStyle(Qt::SolidLine);
    else if (lineStyle >= 1 && lineStyle <= 5)
        pen.setDashPattern(dashPattern(lineWidth, lineStyle, styleVal));
}

void applyEllipseLineStyle(QPen& pen, int lineWidth, int lineStyle, float styleVal, bool roundDots)
{
    if (lineStyle == 0 || (lineStyle >= 1 && lineStyle <= 5 && !hasDashLength(styleVal))) {
        pen.setStyle(Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
    } else if (lineStyle == 1) {
        pen.setDashPattern(dashPattern(lineWidth, lineStyle, styleVal));
        pen.setCapStyle(Qt::FlatCap);
    } else if (lineStyle >= 2 && lineStyle <= 5) {
        pen.setDashPattern(dashPattern(lineWidth, lineStyle, styleVal));
        pen.setCapStyle(roundDots ? Qt::RoundCap : Qt::FlatCap);
    }
}

void setOutlinePen(QPainter* painter, QPen pen)
{
    if (!painter)
        return;
    // Without antialiasing the wider pen would fill two rows of pixels.
    if (painter->testRenderHint(QPainter::Antialiasing) && pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen
        && pen.widthF() <= 1.0)
        pen.setWidthF(1.0001);
    painter->setPen(pen);
}

void applyJoinStyle(QPen& pen, int joinStyle)
{
    switch (joinStyle) {
    case 0:
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setMiterLimit(3);
        break;
    case 1:
        pen.setJoinStyle(Qt::RoundJoin);
        break;
    case 2:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    default:
        break;
    }
}

void setRubberBandPen(QPainter* painter, int kind)
{
    setRubberBand(painter, rubberBandPen(), kind);
}

void setDashedRubberBandPen(QPainter* painter, int kind)
{
    QPen pen = rubberBandPen();
    pen.setDashPattern({ 3, 3 });
    setRubberBand(painter, pen, kind);
}

void setDashDotRubberBandPen(QPainter* painter, int kind)
{
    QPen pen = rubberBandPen();
    pen.setStyle(Qt::DashDotLine);
    setRubberBand(painter, pen, kind);
}

int CFigContext::scaledLineWidth(int lineWidth, float atZoom) const
{
    const float pixels = static_cast<float>(lineWidth) * atZoom * dpiY / 80.0f;
    const int w = roundToInt(pixels);
    if (w <= 0)
        return lineWidth > 0 ? 1 : 0;
    return w;
}

void CFigContext::fillPolygon(
    int objectPenColor, int objectFillColor, int objectFillStyle, int drawingStyle, const QPoint* points, int count)
{
    if (!points || count <= 0)
        return;
    paintAreaFill(painter, drawing.userShades, objectPenColor, objectFillColor, objectFillStyle, drawingStyle,
        [points, count](QPainter* p) { p->drawPolygon(points, count, Qt::OddEvenFill); });
}

void CFigContext::fillObjectPolygon(const FigObject* object, int drawingStyle, const QPoint* points, int count)
{
    if (object)
        fillPolygon(object->penColor, object->fillColor, object->fillStyle, drawingStyle, points, count);
}

void CFigContext::fillEllipse(const FigEllipse* ellipse, int drawingStyle)
{
    if (!ellipse)
        return;
    const float sx = (1.0f / displayPixelSize(dpiX)) * zoom;
    const float sy = (1.0f / displayPixelSize(dpiY)) * zoom;
    const float rx = static_cast<float>(ellipse->radii.x);
    const float ry = static_cast<float>(ellipse->radii.y);
    const QRect rect(
        roundToInt(sx * -rx), roundToInt(sy * -ry), roundToInt(sx * (2.0f * rx)), roundToInt(sy * (2.0f * ry)));
    paintAreaFill(painter, drawing.userShades, ellipse->penColor, ellipse->fillColor, ellipse->fillStyle, drawingStyle,
        [rect](QPainter* p) { p->drawEllipse(rect); });
}
