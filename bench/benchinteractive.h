#pragma once
// The interactive step of figbench (--interactive): the file opened in a main
// window as the Open command does it, off screen, and the view then zoomed
// and scrolled as the user does. Reports how many whole-canvas redraws the
// opening made before the window had settled, the time from the Open command
// to the first paint of the document window, one zoom step (the median of
// zooming in and out again) and one wheel step of scrolling (the median of
// steps down and up, and how many whole redraws they made), at the zoom
// given by --view-zoom. Header-only, since figbench is built from one source
// file.

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "bench/benchtiming.h"
#include "model/figcontext.h"
#include "model/units.h"
#include "render/canvasmapping.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <vector>

namespace benchinteractive {

struct Result {
    bool opened = false;
    long long openRedraws = 0;
    double startPaintedMs = 0; // main window shown to its menu bar painted
    double openFirstPaintMs = 0; // Open command to the document window's first paint
    double openMs = 0; // Open command to the drawing fully shown
    // Whether the menu bar was painted before the drawing was read and the
    // document window before its drawing was finished.
    bool paintedBeforeDrawing = false;
    double zoomFirstMs = 0; // zoom step to the first change on the canvas
    double zoomMs = 0;
    double scrollMs = 0;
    long long scrollRedraws = 0; // whole-canvas redraws made by the scroll steps
    long visible = 0; // top-level objects within the view of the scroll steps
};

// Notes the paint events that reach a widget, and when the first one came
// by the clock given.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(const QElapsedTimer* clock = nullptr)
        : clock(clock)
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (paints == 0) {
                if (clock)
                    firstMs = benchtiming::elapsedMs(*clock);
                // A document window's canvas painter is active while its
                // canvas is being drawn.
                const auto* frame = qobject_cast<const QTChildFrm*>(watched->parent());
                firstWhileDrawing = frame && frame->canvasPainter.isActive();
            }
            ++paints;
        }
        return false;
    }
    // Counts afresh from now on.
    void restart()
    {
        paints = 0;
        firstMs = -1;
    }
    const QElapsedTimer* clock;
    int paints = 0;
    double firstMs = -1;
    bool firstWhileDrawing = false; // the first paint showed a canvas being drawn
};

// Lets the events posted so far run, twice over, so that layouts, resizes
// and paints that follow each other have all come.
inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents(QEventLoop::AllEvents);
}

// Top-level objects whose bounds meet the Fig area the viewport shows.
inline long visibleObjects(QTChildFrm& child)
{
    CFigContext& context = *child.figContext;
    const QWidget* view = child.viewport();
    const int x1 = pixelToFig(0, context.dpiX, context.zoom, context.originX);
    const int y1 = pixelToFig(0, context.dpiY, context.zoom, context.originY);
    const int x2 = pixelToFig(view->width(), context.dpiX, context.zoom, context.originX);
    const int y2 = pixelToFig(view->height(), context.dpiY, context.zoom, context.originY);
    long n = 0;
    for (FigObject* object : context.drawing.objects) {
        if (context.objectOverlapsRect(object, x1, y1, x2, y2))
            ++n;
    }
    return n;
}

// One wheel notch over the middle of the viewport; negative notches scroll
// down.
inline void wheel(QTChildFrm& child, int notches)
{
    QWidget* view = child.viewport();
    const QPointF at(view->width() / 2.0, view->height() / 2.0);
    QWheelEvent event(at, view->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

// Opens the file in a main window of the given size and measures the steps;
// `steps` wheel steps down and as many up, zoom in and out three times each.
inline Result run(const QString& file, double viewZoom, const QSize& windowSize, int steps = 8)
{
    Result result;
    QElapsedTimer timer;
    timer.start();
    QTMainFrm frame;
    mainWindow = &frame;
    frame.resize(windowSize);
    PaintWatcher menuWatcher(&timer);
    frame.menuBar()->installEventFilter(&menuWatcher);
    frame.show();
    while (menuWatcher.paints == 0 && timer.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents);
    result.startPaintedMs = menuWatcher.firstMs;
    frame.menuBar()->removeEventFilter(&menuWatcher);
    settle();

    // The document window is watched from its making on, as the Open
    // command makes it.
    PaintWatcher watcher(&timer);
    const int before = frame.childFrames().size();
    QObject::connect(frame.mdiArea, &QMdiArea::subWindowActivated, &frame, [&frame, &watcher] {
        if (QTChildFrm* made = frame.activeMdiChild())
            made->viewport()->installEventFilter(&watcher);
    });
    timer.restart();
    frame.openFile(file);
    QTChildFrm* child = frame.childFrames().size() > before ? frame.activeMdiChild() : nullptr;
    if (!child) {
        mainWindow = nullptr;
        return result;
    }
    child->viewport()->installEventFilter(&watcher);
    // The document is new: every whole redraw it has had, the ones made
    // before the Open command returned included, came with the opening.
    const double drawnMs = benchtiming::elapsedMs(timer);
    while (watcher.paints == 0 && timer.elapsed() < 600000)
        QApplication::processEvents(QEventLoop::AllEvents);
    result.openFirstPaintMs = watcher.firstMs;
    result.openMs = std::max(drawnMs, watcher.firstMs);
    result.paintedBeforeDrawing = result.startPaintedMs >= 0 && watcher.firstWhileDrawing;
    settle();
    result.openRedraws = child->figContext->canvasRedraws;
    result.opened = true;

    // The view of the scroll steps: the zoom asked for, scrolled to the
    // middle of the drawing.
    CFigContext& context = *child->figContext;
    context.zoom = float(viewZoom);
    child->updateScrollRange();
    child->redisplayCanvas();
    settle();
    QScrollBar* bar = child->verticalScrollBar();
    child->horizontalScrollBar()->setValue(child->horizontalScrollBar()->maximum() / 2);
    bar->setValue(bar->maximum() / 2);
    settle();
    result.visible = visibleObjects(*child);

    std::vector<double> scrolls;
    const long long redrawsBeforeScrolling = context.canvasRedraws;
    for (int direction : { -1, 1 }) {
        for (int i = 0; i < steps; ++i) {
            timer.restart();
            wheel(*child, direction);
            QApplication::processEvents(QEventLoop::AllEvents);
            scrolls.push_back(benchtiming::elapsedMs(timer));
        }
    }
    result.scrollMs = benchtiming::median(scrolls);
    result.scrollRedraws = context.canvasRedraws - redrawsBeforeScrolling;

    std::vector<double> zooms;
    std::vector<double> firstChanges;
    for (int i = 0; i < 6; ++i) {
        watcher.restart();
        timer.restart();
        if (i % 2 == 0)
            child->zoomIn();
        else
            child->zoomOut();
        QApplication::processEvents(QEventLoop::AllEvents);
        zooms.push_back(benchtiming::elapsedMs(timer));
        firstChanges.push_back(watcher.firstMs < 0 ? zooms.back() : watcher.firstMs);
    }
    result.zoomMs = benchtiming::median(zooms);
    result.zoomFirstMs = benchtiming::median(firstChanges);

    child->viewport()->removeEventFilter(&watcher);
    context.clearModified();
    frame.close();
    settle();
    mainWindow = nullptr;
    return result;
}

} // namespace benchinteractive
