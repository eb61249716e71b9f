#pragma once
// The drawing step of figbench: a document drawn onto an off-screen canvas
// image that covers Fig (0, 0) to the drawing's lower right bound plus 10
// pixels, at the context's zoom and dots per inch, on white, as the document
// window draws (background, then the objects depth by depth). Header-only,
// since figbench is built from one source file.

#include "app/preferences.h"
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

// Draws the document once onto `canvas` (made anew) and gives the time the
// background fill and the objects took. False, with the canvas null, when an
// image of that size cannot be made.
inline bool drawDocument(CFigContext& context, QImage& canvas, double& ms)
{
    ms = 0;
    const QSize size = canvasSize(context);
    canvas = QImage();
    // Qt refuses images above 2 GB itself; this also keeps the multiplication
    // of the two sides from overflowing.
    if (std::int64_t(size.width()) * size.height() * 4 > std::int64_t(INT_MAX))
        return false;
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
    ms = static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
    return true;
}

} // namespace benchcanvas
