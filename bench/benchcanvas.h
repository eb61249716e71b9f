#pragma once
// The drawing step of figbench: a document drawn onto an off-screen canvas
// image that covers Fig (0, 0) to the drawing's lower right bound plus 10
// pixels, at the context's zoom and dots per inch, on white, as the document
// window draws (background, then the objects depth by depth). Header-only,
// since figbench is built from one source file.

#include "app/preferences.h"
#include "bench/benchtiming.h"
#include "model/figcontext.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSize>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace benchcanvas {

// Pixels added right of and below the drawing's lower right bound.
constexpr int canvasMargin = 10;

// The canvas size for the document's drawing at its current view; an empty
// drawing gets the margin alone. Sizes beyond the int range come back as
// INT_MAX, which no image can have.
inline QSize canvasSize(CFigContext& context)
{
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    context.getObjectListBounds(&context.drawing.objects, xmin, ymin, xmax, ymax, false, true, true);
    auto extent = [](int lowerRightPixel) {
        const std::int64_t n = std::int64_t(std::max(lowerRightPixel, 0)) + canvasMargin;
        return static_cast<int>(std::min<std::int64_t>(n, INT_MAX));
    };
    return QSize(extent(context.figToPixelX(xmax)), extent(context.figToPixelY(ymax)));
}

// The largest canvas drawn, in pixels (256 MB of image), and the longest
// side: Qt's raster painter reaches pixels 0 to 32766 only. A drawing that
// reaches further (a damaged file with a text hundreds of thousands of
// pixels wide) is drawn clipped to its upper left part.
constexpr std::int64_t maxCanvasPixels = 64000000;
constexpr int maxCanvasSide = 32767;

// The part of a canvas of `full` size that is drawn: its upper left part
// within the limits above, keeping a side that is short enough whole.
inline QSize drawnCanvasSize(const QSize& full)
{
    const std::int64_t w = std::min(full.width(), maxCanvasSide);
    const std::int64_t h = std::min(full.height(), maxCanvasSide);
    if (w * h <= maxCanvasPixels)
        return QSize(int(w), int(h));
    const std::int64_t side = 8000; // a square of maxCanvasPixels
    if (w <= side)
        return QSize(int(w), int(maxCanvasPixels / w));
    if (h <= side)
        return QSize(int(maxCanvasPixels / h), int(h));
    return QSize(int(side), int(side));
}

// Draws the document once onto `canvas` (made anew, of drawnCanvasSize) and
// gives the time the background fill and the objects took. False, with the
// canvas null, when the image cannot be made.
inline bool drawDocument(CFigContext& context, QImage& canvas, double& ms)
{
    ms = 0;
    const QSize size = drawnCanvasSize(canvasSize(context));
    canvas = QImage(size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return false;

    QPainter painter;
    QElapsedTimer timer;
    timer.start();
    canvas.fill(Qt::white);
    if (!painter.begin(&canvas))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
    QPainter* const previous = context.painter;
    context.setPainter(&painter);
    context.drawAllObjects();
    painter.end();
    context.setPainter(previous);
    ms = benchtiming::elapsedMs(timer);
    return true;
}

} // namespace benchcanvas
