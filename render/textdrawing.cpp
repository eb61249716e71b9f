// Text metrics and plain text drawing of the document context: texts are
// measured and drawn in the screen font of their font table row.

#include "app/preferences.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "render/colors.h"
#include "render/fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <cmath>

namespace {

// The font the last plain text set on a painter, as the painter holds it.
// Setting a font makes the painter copy and resolve it afresh, and the copy
// looks its font engine up again at the next text: in a drawing whose texts
// share a font, most texts would pay for that lookup. A text in the font
// the painter still holds therefore sets nothing.
struct LastTextFont {
    const QPainter* painter = nullptr;
    int row = -1;
    int pixelSize = 0;
    QFont held; // shares the painter's font while nothing has changed it
};
// Never deleted, like the font cache: a font must not outlive the font
// database's teardown at exit.
LastTextFont* lastTextFontRecord = nullptr;

void setTextFont(QPainter* painter, int fontNumber, int pixelSize)
{
    if (!lastTextFontRecord)
        lastTextFontRecord = new LastTextFont;
    LastTextFont& lastTextFont = *lastTextFontRecord;
    const int row = fontTableEntry(fontNumber).number;
    if (lastTextFont.painter == painter && lastTextFont.row == row && lastTextFont.pixelSize == pixelSize
        && painter->font().isCopyOf(lastTextFont.held))
        return;
    const FontTableEntry& entry = fontTableEntry(fontNumber);
    painter->setFont(screenFont(entry, pixelSize));
    lastTextFont.painter = painter;
    lastTextFont.row = row;
    lastTextFont.pixelSize = pixelSize;
    lastTextFont.held = painter->font();
    holdPaintedFont(entry, pixelSize, lastTextFont.held);
}

} // namespace

int CFigContext::textPixelSize(const FigText* text, double atZoom) const
{
    const double pointsPerInch = preferences.fontBase72dpi ? 72.0 : 80.0;
    return roundToInt(atZoom * double(dpiY) / pointsPerInch * text->fontSize);
}

void CFigContext::computeTextMetrics(FigText* text, double atZoom)
{
    const QFontMetrics metrics(screenFont(text->font, textPixelSize(text, atZoom)));
    const int w = metrics.horizontalAdvance(text->text);
    const float kx = displayPixelSize(dpiX);
    const float ky = displayPixelSize(dpiY);
    // Pixels to Fig units at this zoom, formed in single precision.
    const float xFactor = kx / float(atZoom);
    const float yFactor = ky / float(atZoom);
    text->width = roundToInt(float(w) * xFactor);
    text->ascent = roundToInt(float(metrics.ascent()) * yFactor);
    text->metricsZoom = float(atZoom);
    text->descent = metrics.descent();
    text->pixelHeight = metrics.height();
    text->length = roundToInt(double(kx) * (w + 1) / atZoom);
}

void CFigContext::drawPlainText(int x, int y, int drawStyle, FigText* text)
{
    if (!text || !painter)
        return;
    const int pixelSize = textPixelSize(text, zoom);
    if (pixelSize <= 0)
        return;
    if (text->metricsZoom != zoom)
        computeTextMetrics(text, zoom);

    // The start of the baseline, turned about the anchor with the text.
    int sx = text->x;
    if (text->subType == 1)
        sx = text->x - text->width / 2;
    else if (text->subType == 2)
        sx = text->x - text->width;
    // Unturned, the start stays where it is (as rotatePoint leaves it).
    int rx = sx;
    int ry = text->y;
    if (text->angle != 0.0f)
        rotatePoint(text->x, text->y, sx, text->y, rx, ry, text->angle);
    const int px = figToPixelX(rx + (x - text->x));
    const int py = figToPixelY(ry + (y - text->y));

    // Texts turn by whole degrees; a positive Fig angle turns
    // counter-clockwise, which is clockwise for the painter.
    const QTransform before = painter->worldTransform();
    painter->translate(px, py);
    const int degrees = roundToInt(-double(text->angle) * 180.0 / M_PI);
    if (degrees != 0)
        painter->rotate(degrees);
    const int colorNumber = text->color == -1 ? 0 : text->color;
    if (drawStyle == DrawNormal || drawStyle == DrawDimmed || drawStyle == DrawGreyed) {
        setTextFont(painter, text->font, pixelSize);
        painter->setPen(QPen(getPenColor(drawing.userShades, colorNumber, drawStyle)));
        painter->drawText(QPoint(0, 0), text->text);
    }
    // The transformation is put back as it was (a strip's painter keeps one).
    painter->setWorldTransform(before);
}
