#pragma once
// The view step of figbench (--views): the file opened in an off-screen main
// window as the Open command does it, and the whole window redrawn at each
// zoom of a list, scrolled in turn to every window-sized step over the
// drawing's bounds with line widths and arrowheads (at most maxStepsPerAxis
// steps along each axis, spread evenly when more would be needed; views
// beyond the drawing show nothing). Reports how many redraws were measured,
// the median and the slowest, and the zoom and scroll position of the
// slowest. Header-only, since figbench is built from one source file.

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "bench/benchinteractive.h"
#include "bench/benchtiming.h"
#include "model/figcontext.h"
#include "render/canvasmapping.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace benchviews {

constexpr int maxStepsPerAxis = 40;

struct Result {
    bool opened = false;
    int views = 0;
    double medianMs = 0;
    double maxMs = 0;
    float worstZoom = 0;
    int worstX = 0; // the scroll origin of the slowest redraw, in pixels
    int worstY = 0;
};

// Parses a comma-separated list of zooms within the zoom box's range; false
// for anything else.
inline bool parseZooms(const QString& text, std::vector<float>& zooms)
{
    zooms.clear();
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const double z = part.toDouble(&ok);
        if (!ok || z < 0.01 || z > 99.99)
            return false;
        zooms.push_back(static_cast<float>(z));
    }
    return !zooms.empty();
}

// The scroll origins along one axis whose windows of `page` pixels together
// show the pixels first to last, within the scroll range 0 to maximum: one
// window step after the other, or evenly spread ones when there are more.
inline std::vector<int> scrollSteps(long long first, long long last, int maximum, int page)
{
    if (page <= 0)
        page = 1;
    const long long from = std::clamp<long long>(first, 0, maximum);
    const long long to = std::clamp<long long>(last - page + 1, from, maximum);
    std::vector<int> steps;
    const long long count = (to - from) / page + 2;
    if (count <= maxStepsPerAxis) {
        for (long long v = from; v < to; v += page)
            steps.push_back(static_cast<int>(v));
        steps.push_back(static_cast<int>(to));
    } else {
        for (int i = 0; i < maxStepsPerAxis; ++i)
            steps.push_back(static_cast<int>(from + (to - from) * i / (maxStepsPerAxis - 1)));
    }
    return steps;
}

inline Result run(const QString& file, const std::vector<float>& zooms, const QSize& windowSize)
{
    Result result;
    QTMainFrm frame;
    mainWindow = &frame;
    frame.resize(windowSize);
    frame.show();
    benchinteractive::settle();
    const int before = frame.childFrames().size();
    frame.openFile(file);
    QTChildFrm* child = frame.childFrames().size() > before ? frame.activeMdiChild() : nullptr;
    if (!child) {
        mainWindow = nullptr;
        return result;
    }
    benchinteractive::settle();
    result.opened = true;

    CFigContext& context = *child->figContext;
    std::vector<double> times;
    QElapsedTimer timer;
    for (float zoom : zooms) {
        context.zoom = zoom;
        child->updateScrollRange();
        benchinteractive::settle();
        const QScrollBar* horizontal = child->horizontalScrollBar();
        const QScrollBar* vertical = child->verticalScrollBar();
        int xmin = 0;
        int ymin = 0;
        int xmax = 0;
        int ymax = 0;
        context.getObjectListBounds(&context.drawing.objects, xmin, ymin, xmax, ymax, false, true, true);
        auto pixel = [&context](int fig, float dpi) {
            return std::llround(static_cast<double>(canvasScale(dpi, context.zoom)) * fig);
        };
        const std::vector<int> rows = scrollSteps(
            pixel(ymin, context.dpiY), pixel(ymax, context.dpiY), vertical->maximum(), vertical->pageStep());
        const std::vector<int> columns = scrollSteps(
            pixel(xmin, context.dpiX), pixel(xmax, context.dpiX), horizontal->maximum(), horizontal->pageStep());
        for (int y : rows) {
            for (int x : columns) {
                context.originX = x;
                context.originY = y;
                child->setScrollValues(x, y);
                timer.restart();
                child->redisplayCanvas();
                QApplication::processEvents(QEventLoop::AllEvents);
                const double ms = benchtiming::elapsedMs(timer);
                times.push_back(ms);
                if (ms >= result.maxMs) {
                    result.maxMs = ms;
                    result.worstZoom = zoom;
                    result.worstX = x;
                    result.worstY = y;
                }
            }
        }
    }
    result.views = static_cast<int>(times.size());
    result.medianMs = benchtiming::median(times);

    context.clearModified();
    frame.close();
    benchinteractive::settle();
    mainWindow = nullptr;
    return result;
}

} // namespace benchviews
