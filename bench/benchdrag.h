#pragma once
// The drag measurements of figbench: one step of the select tool's drag (one
// mouse move while the selection follows the pointer) for a small object, for
// many selected objects and for one large compound, each on a canvas of a
// document window's size that shows the drawing and the selection's markers
// before the drag, as the window does; a step ends with the canvas copied to
// the screen, as the window's paint does. And the peak memory (VmHWM) of the
// process after reading and while the compound is dragged. Each drag is
// measured once more as a longer one a user makes: steps a few pixels apart,
// each given the time a 60 Hz mouse leaves before the next, in which the
// event loop runs (work the drag does between steps included); its slowest
// step after the first is reported. Header-only, since figbench is built
// from one source file.

#include "app/preferences.h"
#include "bench/benchtiming.h"
#include "edit/canvashandlers.h"
#include "edit/dragselection.h"
#include "edit/selectmode.h"
#include "model/depths.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/objectlist.h"
#include "model/units.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace benchdrag {

// The canvas of a maximised document window.
constexpr int canvasWidth = 1600;
constexpr int canvasHeight = 1200;
// Mouse moves measured per drag, one screen pixel (at 80 dpi, zoom 1) apart.
constexpr int steps = 9;
// The longer drag: this many moves, each this many screen pixels right and
// down, one every this many milliseconds.
constexpr int longSteps = 60;
constexpr int longStepPixels = 4;
constexpr double frameMs = 1000.0 / 60;
// How many objects the selection and the compound drags take.
constexpr int manyObjects = 20000;

// A size line of /proc/self/status in kB ("VmHWM:" the peak resident size
// so far, "VmRSS:" the resident size now); 0 where /proc is missing.
inline long statusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray name(key);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return std::atol(line.mid(name.size()).trimmed().constData());
    }
    return 0;
}

inline long peakResidentKb()
{
    return statusKb("VmHWM:");
}

// Starts a new peak from the present resident size, so that the next reading
// shows the peak of what follows alone.
inline void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Result {
    // The median step and the first one (which may prepare the drag) of
    // dragging one small box, `selected` objects and one compound of
    // `members`.
    double smallStepMs = 0;
    double smallFirstMs = 0;
    double selectedStepMs = 0;
    double selectedFirstMs = 0;
    double compoundStepMs = 0;
    double compoundFirstMs = 0;
    // The slowest step but the first of the longer drags.
    double smallMaxMs = 0;
    double selectedMaxMs = 0;
    double compoundMaxMs = 0;
    int selected = 0;
    int members = 0;
    long readPeakKb = 0; // peak after reading, before any drag
    long compoundPeakKb = 0; // peak while the compound was dragged
    long compoundStartKb = 0; // resident when its drag began
};

// The view puts the Fig point in the middle of the canvas.
inline void centreOn(CFigContext& context, int x, int y)
{
    context.originX = std::max(0, context.figToPixelX(x) + context.originX - canvasWidth / 2);
    context.originY = std::max(0, context.figToPixelY(y) + context.originY - canvasHeight / 2);
}

// The selected top-level objects show selection markers, as after the
// Select All command or a click.
inline void markSelected(FigObjectList* list)
{
    for (FigObject* object : *list) {
        if (object->selected && object->markerState == 0)
            object->markerState = 2;
    }
}

inline void unmarkAll(FigObjectList* list)
{
    setObjectsSelected(list, false);
    for (FigObject* object : *list)
        object->markerState = 0;
}

// Draws the whole canvas as the window shows it: the drawing at the view and
// the markers. Not measured: the window showed it before the press.
inline void showCanvas(CFigContext& context)
{
    context.redrawRect(context.pixelToFigX(-1), context.pixelToFigY(-1), context.pixelToFigX(canvasWidth + 1),
        context.pixelToFigY(canvasHeight + 1), nullptr, false);
}

// The window's paint after a step: the canvas onto the screen.
inline void paintWindow(const QImage& canvas, QImage& screen)
{
    QPainter painter(&screen);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, canvas);
}

// Drags the selected objects of the current list from (x, y): the drag's
// start, `steps` moves, each with the window's paint (the median one's
// milliseconds returned, the first one's in `first`, the start included),
// then a cancel, which leaves the drawing as it was.
inline double dragSelected(
    CFigContext& context, FigObject* picked, int x, int y, const QImage& canvas, QImage& screen, double& first)
{
    context.currentObject = picked;
    canvasAction.anchorX = canvasAction.trackX = x;
    canvasAction.anchorY = canvasAction.trackY = y;
    const int pixel = roundToInt(1200.0f / context.dpiX / context.zoom);
    QElapsedTimer start;
    start.start();
    startSelectionDrag(&context, x + pixel, y);
    const double startMs = benchtiming::elapsedMs(start);
    std::vector<double> times;
    for (int i = 1; i <= steps; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (canvasHandlers.selectionMoveHandler)
            canvasHandlers.selectionMoveHandler(&context, context.selection, x + i * pixel, y + i * pixel / 2);
        paintWindow(canvas, screen);
        times.push_back(benchtiming::elapsedMs(timer));
    }
    cancelSelectionDrag(&context, x, y);
    first = startMs + times.front();
    return benchtiming::median(times);
}

// Drags the selected objects of the current list from (x, y) as a user
// does, `longSteps` moves of `longStepPixels` pixels diagonally, one a frame
// of a 60 Hz mouse: after each move and the window's paint the event loop
// runs until the frame is over. A step's time is its own plus the time its
// mouse move waited, as the event loop was busy past the end of the frame
// (or the step before ran longer than its frame) in work it had to finish
// first. The slowest step but the first is returned; then a cancel.
inline double dragLong(CFigContext& context, FigObject* picked, int x, int y, const QImage& canvas, QImage& screen)
{
    context.currentObject = picked;
    canvasAction.anchorX = canvasAction.trackX = x;
    canvasAction.anchorY = canvasAction.trackY = y;
    const int pixels = roundToInt(longStepPixels * 1200.0f / context.dpiX / context.zoom);
    QElapsedTimer clock;
    clock.start();
    double slowest = 0;
    double ready = 0; // when the next mouse move is there to be handled
    for (int i = 0; i <= longSteps; ++i) {
        const double begin = benchtiming::elapsedMs(clock);
        if (i == 0)
            startSelectionDrag(&context, x + pixels, y + pixels);
        else if (canvasHandlers.selectionMoveHandler)
            canvasHandlers.selectionMoveHandler(&context, context.selection, x + i * pixels, y + i * pixels);
        paintWindow(canvas, screen);
        const double end = benchtiming::elapsedMs(clock);
        if (i > 1)
            slowest = std::max(slowest, end - ready);
        // The next move comes a frame after this one began, or at once when
        // this step took longer; the event loop runs at least once.
        ready = std::max(begin + frameMs, end);
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        } while (benchtiming::elapsedMs(clock) < ready);
    }
    cancelSelectionDrag(&context, x, y);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return slowest;
}

// A box of the top level whose sides come nearest to 20 screen pixels; null
// when the drawing has none.
inline FigObject* smallBox(CFigContext& context)
{
    const int side = roundToInt(20.0f * 1200.0f / context.dpiX / context.zoom);
    FigObject* best = nullptr;
    long bestOff = 0;
    for (FigObject* object : *context.objects()) {
        if (object->type != FigObject::Polyline || object->subType != 2)
            continue;
        int x0, y0, x1, y1;
        object->getBounds(&context, x0, y0, x1, y1, true, true);
        const long off = std::labs(long(x1) - x0 - side) + std::labs(long(y1) - y0 - side);
        if (!best || off < bestOff) {
            best = object;
            bestOff = off;
        }
    }
    return best;
}

// The centre of the object's box.
inline void centreOf(CFigContext& context, FigObject* object, int& x, int& y)
{
    int x0, y0, x1, y1;
    object->getBounds(&context, x0, y0, x1, y1, true, true);
    x = x0 + (x1 - x0) / 2;
    y = y0 + (y1 - y0) / 2;
}

// The three drags, in this order, on the drawing just read: the small box,
// the first `manyObjects` objects of the top level selected, then the same
// objects made one compound (undone afterwards); each longer drag right
// after its drag but the selected objects', which comes last.
inline Result measure(CFigContext& context)
{
    Result result;
    result.readPeakKb = peakResidentKb();
    // The document window takes the drawing's box for its scroll range
    // when it opens the drawing, which keeps the boxes of its objects.
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    context.getDrawingBounds(x0, y0, x1, y1);
    QImage canvas(canvasWidth, canvasHeight, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QImage screen(canvas.size(), canvas.format());
    QPainter painter(&canvas);
    // As the window draws the canvas and the steps of a drag.
    painter.setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
    QPainter* const previous = context.painter;
    context.setPainter(&painter);
    FigObjectList* list = context.objects();
    setObjectsSelected(list, false);

    if (FigObject* box = smallBox(context)) {
        int x = 0;
        int y = 0;
        centreOf(context, box, x, y);
        centreOn(context, x, y);
        box->selected = true;
        markSelected(list);
        showCanvas(context);
        result.smallStepMs = dragSelected(context, box, x, y, canvas, screen, result.smallFirstMs);
        showCanvas(context);
        result.smallMaxMs = dragLong(context, box, x, y, canvas, screen);
        unmarkAll(list);
    }

    int taken = 0;
    for (FigObject* object : *list) {
        if (taken == manyObjects)
            break;
        object->selected = true;
        ++taken;
    }
    result.selected = taken;
    if (taken > 0) {
        FigObject* first = list->front();
        int x = 0;
        int y = 0;
        centreOf(context, first, x, y);
        centreOn(context, x, y);
        markSelected(list);
        showCanvas(context);
        result.selectedStepMs = dragSelected(context, first, x, y, canvas, screen, result.selectedFirstMs);

        context.createCompoundFromSelection();
        FigObject* compound = context.currentObject;
        if (compound && compound->type == FigObject::Compound) {
            result.members = int(static_cast<FigCompound*>(compound)->members->size());
            unmarkAll(list);
            compound->selected = true;
            markSelected(list);
            showCanvas(context);
            resetPeakResident();
            result.compoundStartKb = statusKb("VmRSS:");
            result.compoundStepMs = dragSelected(context, compound, x, y, canvas, screen, result.compoundFirstMs);
            result.compoundPeakKb = peakResidentKb();
            showCanvas(context);
            result.compoundMaxMs = dragLong(context, compound, x, y, canvas, screen);
            // The drawing goes on as it was read.
            unmarkAll(list);
            context.currentObject = nullptr;
            context.undoHistory.undo();
        }
        // The longer drag of the selected objects comes last, so that what
        // it leaves resident does not count in the compound's figures.
        unmarkAll(list);
        int again = 0;
        for (FigObject* object : *list) {
            if (again++ == taken)
                break;
            object->selected = true;
        }
        first = list->front();
        centreOf(context, first, x, y);
        centreOn(context, x, y);
        markSelected(list);
        showCanvas(context);
        result.selectedMaxMs = dragLong(context, first, x, y, canvas, screen);
    }
    unmarkAll(list);
    context.currentObject = nullptr;
    clearDragPreview();
    painter.end();
    context.setPainter(previous);
    return result;
}

} // namespace benchdrag
