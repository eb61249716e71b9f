// The document window's canvas, view and commands; the input events are in
// qtchildfrmevents.cpp.
#include "app/qtchildfrm.h"

#include "app/applicationwindowseam.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/qruler.h"
#include "app/qslog.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "dialogs/figurepropertiesdlg.h"
#include "dialogs/metricsdlg.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editobjects.h"
#include "edit/editstate.h"
#include "edit/floatingobjects.h"
#include "edit/gesturecancel.h"
#include "edit/libraryplacement.h"
#include "edit/usercolors.h"
#include "export/exportdlg.h"
#include "model/createsmartlinksfordrawingaction.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "render/colors.h"
#include "render/imagescroll.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

void clearSelectedFlag(FigObject* object)
{
    object->selected = false;
}

void selectForSelectAll(FigObject* object)
{
    object->skipRedraw = false;
    object->selected = true;
}

void deselectForSelectAll(FigObject* object)
{
    object->skipRedraw = false;
    object->selected = false;
}

// Keeps the user colours that the copied objects use with them, so that a
// paste into another drawing shows and saves the same colours.
void keepClipboardColors(const CFigContext* context)
{
    clipboardUserColors.clear();
    if (!clipboardObjects)
        return;
    for (auto it = context->drawing.userColors.constBegin(); it != context->drawing.userColors.constEnd(); ++it) {
        if (isColorInUse(it.key() + standardColorCount, clipboardObjects))
            clipboardUserColors.insert(it.key(), it.value());
    }
}

// Frees the copied objects and their list.
void discardClipboard()
{
    clipboardUserColors.clear();
    if (!clipboardObjects)
        return;
    deleteAllObjects(clipboardObjects);
    delete clipboardObjects;
    clipboardObjects = nullptr;
}

} // namespace

// ---- Construction and layout ----

QTChildFrm::QTChildFrm(QTMainFrm* mainFrm)
    : QScrollArea(nullptr)
    , mainFrm(mainFrm)
{
    // The document's context reaches this window through the seam from its
    // first call on.
    installApplicationWindowSeam();
    setAttribute(Qt::WA_DeleteOnClose);
    isUntitled = true;
    canvasImage = nullptr;
    imageWidth = 0;
    imageHeight = 0;
    figContext = new CFigContext(this);
    figContext->setPainter(&canvasPainter);
    setRulers(preferences.horzRuler, preferences.vertRuler);
    canvasImage = new QImage(width(), height(), QImage::Format_ARGB32_Premultiplied);
    connectScrollBars();
    if (mainFrm && mainFrm->metricsDlg)
        connect(mainFrm->metricsDlg, &MetricsDlg::gridDeleted, this, &QTChildFrm::gridDeleted);
    // Pointer moves arrive without a pressed button; they reach the window
    // through its viewport.
    setAttribute(Qt::WA_MouseTracking);
    viewport()->setMouseTracking(true);
    exportDlg = new ExportDlg(this, {});
    lastX = -1;
    lastY = -1;

    const bool began = !canvasPainter.isActive();
    beginCanvasPainter();
    const QRect area = rect();
    figContext->fillRect(preferences.backgroundColor, area.left(), area.top(), area.right(), area.bottom());
    if (began)
        endCanvasPainter();
}

QTChildFrm::~QTChildFrm()
{
    // A comment tip still pending may name an object of this document, which
    // goes with it.
    if (mainFrm) {
        mainFrm->commentTipTimer.stop();
        mainFrm->hoveredObject = nullptr;
    }
    // Copies, pasted objects or a library clip floating in this document go
    // with it.
    discardFloatingObjects(figContext, false);
    forgetLibraryPlacement(figContext);
    if (canvasGestureDocument() == figContext) {
        // Cancelled when the window closed; a window deleted without
        // closing leaves no gesture of its document behind either.
        if (!canvasPainter.isActive() && canvasImage && !canvasImage->isNull())
            canvasPainter.begin(canvasImage);
        cancelCanvasGesture(figContext);
    }
    forgetCanvasGestureDocument(figContext);
    delete figContext;
    figContext = nullptr;
    if (canvasPainter.isActive())
        canvasPainter.end();
    delete canvasImage;
    canvasImage = nullptr;
    // A child widget too: deleted here, before the base destructor would.
    delete exportDlg;
    exportDlg = nullptr;
}

void QTChildFrm::setRulers(bool horz, bool vert)
{
    delete layout();
    delete horzRuler;
    delete vertRuler;
    delete rulerCorner;
    horzRuler = nullptr;
    vertRuler = nullptr;
    rulerCorner = nullptr;

    setViewportMargins(vert ? QRuler::breadth : 0, horz ? QRuler::breadth : 0, 0, 0);
    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    if (horz)
        horzRuler = new QRuler(QRuler::Horizontal, this);
    if (vert)
        vertRuler = new QRuler(QRuler::Vertical, this);
    updateRulerScale();
    if (horzRuler || vertRuler) {
        rulerCorner = new QWidget(this);
        rulerCorner->setBackgroundRole(QPalette::Window);
        rulerCorner->setFixedSize(vert ? QRuler::breadth : 0, horz ? QRuler::breadth : 0);
        grid->addWidget(rulerCorner, 0, 0);
        if (horzRuler)
            grid->addWidget(horzRuler, 0, 1);
        if (vertRuler)
            grid->addWidget(vertRuler, 1, 0);
        grid->addWidget(viewport(), 1, 1);
    } else {
        grid->addWidget(viewport(), 0, 0);
    }
    setLayout(grid);
}

QSize QTChildFrm::sizeHint() const
{
    return QSize(600, 800);
}

int QTChildFrm::visibleWidth() const
{
    return width() - verticalScrollBar()->width();
}

int QTChildFrm::visibleHeight() const
{
    return height() - horizontalScrollBar()->height();
}

void QTChildFrm::forEachChildFrame(const QList<QTChildFrm*>& list, const std::function<void(QTChildFrm*)>& fn)
{
    const QList<QTChildFrm*> frames = list;
    for (QTChildFrm* frame : frames)
        fn(frame);
}

// ---- Canvas painter ----

void QTChildFrm::beginCanvasPainter()
{
    if (!canvasPainter.isActive() && canvasImage && !canvasImage->isNull())
        canvasPainter.begin(canvasImage);
    if (canvasPainter.isActive()) {
        canvasPainter.setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
        figContext->anchorFillPatterns();
    }
}

void QTChildFrm::endCanvasPainter()
{
    if (canvasPainter.isActive())
        canvasPainter.end();
    // A window not yet shown on the screen gets no paint: a whole redraw
    // still owed is made now, after what was drawn (which it covers).
    flushDeferredRedisplay();
    viewport()->repaint();
}

namespace {

// One drawing step of the canvas painter protocol: begins the painter when
// it is inactive (with or without the antialiasing hint) and, when it began
// it, ends it and repaints the viewport (or schedules the repaint) on
// leaving. Inside a gesture that began the painter it leaves the painter to
// the gesture.
class CanvasBracket {
public:
    enum Viewport { Repaint, Update, RepaintThenUpdate };

    CanvasBracket(QTChildFrm* frame, bool setHint, Viewport viewport = Repaint)
        : frame(frame)
        , viewportMode(viewport)
    {
        QPainter& painter = frame->canvasPainter;
        if (!painter.isActive() && frame->canvasImage && !frame->canvasImage->isNull()) {
            began = painter.begin(frame->canvasImage);
        }
        if (painter.isActive())
            frame->figContext->anchorFillPatterns();
        if (setHint && painter.isActive())
            painter.setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
    }
    ~CanvasBracket()
    {
        if (!began)
            return;
        frame->canvasPainter.end();
        // A window not yet shown on the screen gets no paint: a whole redraw
        // still owed is made now, after what was drawn (which it covers).
        frame->flushDeferredRedisplay();
        if (viewportMode == Update) {
            frame->viewport()->update();
        } else {
            frame->viewport()->repaint();
            if (viewportMode == RepaintThenUpdate)
                frame->viewport()->update();
        }
    }
    CanvasBracket(const CanvasBracket&) = delete;
    CanvasBracket& operator=(const CanvasBracket&) = delete;

    // Whether there is a painter to draw with.
    bool active() const { return frame->canvasPainter.isActive(); }

private:
    QTChildFrm* frame;
    Viewport viewportMode;
    bool began = false;
};

} // namespace

void QTChildFrm::redisplayCanvas()
{
    redisplayPending = false; // made now
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->redrawCanvas();
}

void QTChildFrm::redisplayCanvasOnSignal()
{
    redisplayPending = false; // made now
    CanvasBracket bracket(this, true, CanvasBracket::RepaintThenUpdate);
    if (bracket.active())
        figContext->redrawCanvas();
}

void QTChildFrm::redisplayCanvasDeferred()
{
    // While a window is shown and laid out, resizes come one after another;
    // each whole redraw of a large drawing would cost as much as the one
    // that counts.
    redisplayPending = true;
    viewport()->update();
}

void QTChildFrm::flushDeferredRedisplay()
{
    if (!redisplayPending)
        return;
    bool began = false;
    if (!canvasPainter.isActive()) {
        if (!canvasImage || canvasImage->isNull())
            return;
        began = canvasPainter.begin(canvasImage);
        if (!began)
            return;
    }
    redisplayPending = false;
    const bool hint = canvasPainter.testRenderHint(QPainter::Antialiasing);
    canvasPainter.setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
    figContext->redrawCanvas();
    canvasPainter.setRenderHint(QPainter::Antialiasing, hint);
    if (began)
        canvasPainter.end();
}

void QTChildFrm::showDrawProgress(int percent, bool finished)
{
    // Only a window on the screen has anything to show; what it shows is
    // painted at once, since the draw holds the event loop.
    if (!isVisible())
        return;
    if (mainFrm && mainFrm->statusBar()) {
        QStatusBar* bar = mainFrm->statusBar();
        bar->showMessage(finished ? statusText : tr("Drawing... %1%").arg(percent));
        bar->repaint();
    }
    // The sub-window around the canvas, shown just before a drawing is
    // opened, is painted with it.
    if (!finished) {
        if (QWidget* around = parentWidget())
            around->repaint();
        viewport()->repaint();
    }
}

void QTChildFrm::redrawObject(FigObject* obj, bool omit)
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->redrawObject(obj, omit);
}

void QTChildFrm::redrawObjectList(const FigObjectList* list, bool omit)
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->redrawObjectList(list, omit);
}

void QTChildFrm::drawObjectsAtDepth(int depth)
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->drawObjectsAtDepth(figContext->objects(), depth, nullptr);
}

void QTChildFrm::redrawCurrentObject()
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->redrawCurrentObject();
}

void QTChildFrm::redrawStaleMarkers()
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->redrawStaleMarkers();
}

void QTChildFrm::markAllObjectsAndRepaint()
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->setMarkerState(1);
}

void QTChildFrm::clearMarkersAndRepaint()
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->clearMarkers();
}

void QTChildFrm::showAllMarkers()
{
    CanvasBracket bracket(this, false);
    if (bracket.active())
        figContext->showAllMarkers();
}

void QTChildFrm::drawObjectMarkers(FigObject* obj)
{
    CanvasBracket bracket(this, false);
    if (bracket.active() && obj)
        figContext->drawObjectMarkers(obj);
}

void QTChildFrm::drawMarkerAt(int x, int y)
{
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->drawTagged2Marker(x, y);
}

// Like copy, cut and paste, undo and redo wait until a gesture in progress
// has finished: they would change or take away the objects it works on, and
// its end would then record a step on objects no longer there.
void QTChildFrm::undo()
{
    if (isGestureInProgress())
        return;
    CanvasBracket bracket(this, true);
    figContext->undoHistory.undo();
}

void QTChildFrm::redo()
{
    if (isGestureInProgress())
        return;
    CanvasBracket bracket(this, true);
    figContext->undoHistory.redo();
}

// ---- View ----

bool QTChildFrm::screenToFig(int x, int y, bool lockAxes)
{
    if (lockAxes) {
        if (ctrlKeyDown)
            y = lastY;
        if (shiftKeyDown)
            x = lastX;
    }
    const bool changed = x != lastX || y != lastY;
    lastX = x;
    lastY = y;
    // The back mapping of the canvas, in its single-precision order.
    figX = pixelToFig(x, figContext->dpiX, figContext->zoom, figContext->originX);
    figY = pixelToFig(y, figContext->dpiY, figContext->zoom, figContext->originY);
    return changed;
}

void QTChildFrm::setRulerOrigins(int x, int y)
{
    if (horzRuler && horzRuler->origin != x)
        horzRuler->setOrigin(x);
    if (vertRuler && vertRuler->origin != y)
        vertRuler->setOrigin(y);
    updateRulerScale();
}

void QTChildFrm::updateRulerScale()
{
    // One hundred ruler steps make a centimetre (or an inch) on the screen.
    const auto unitFor = [this](double dpi) {
        const double zoom = figContext->zoom;
        return figContext->metric ? (dpi / 2.54 * zoom) / 100.0 : (dpi * zoom) / 100.0;
    };
    if (horzRuler)
        horzRuler->setRulerUnit(unitFor(figContext->dpiX));
    if (vertRuler)
        vertRuler->setRulerUnit(unitFor(figContext->dpiY));
}

void QTChildFrm::connectScrollBars()
{
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &QTChildFrm::onScrollByX, Qt::UniqueConnection);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &QTChildFrm::onScrollByY, Qt::UniqueConnection);
}

void QTChildFrm::disconnectScrollBars()
{
    disconnect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &QTChildFrm::onScrollByX);
    disconnect(verticalScrollBar(), &QScrollBar::valueChanged, this, &QTChildFrm::onScrollByY);
}

void QTChildFrm::setScrollRange(int width, int height)
{
    disconnectScrollBars();
    // The scrolled extent covers the paper and the drawing together, so
    // that a drawing larger than its paper can be scrolled to in full.
    float paperWidth = 0;
    float paperHeight = 0;
    figContext->paperSizeCm(&paperWidth, &paperHeight);
    int extentX = roundToInt(double(figContext->dpiX) / 2.54 * double(paperWidth) * double(figContext->zoom));
    int extentY = roundToInt(double(figContext->dpiY) / 2.54 * double(paperHeight) * double(figContext->zoom));
    if (!figContext->drawing.objects.empty()) {
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        figContext->getDrawingBounds(x0, y0, x1, y1);
        const auto pixels = [](float dpi, float zoom, int fig) {
            const double p = double(canvasScale(dpi, zoom)) * fig + 1;
            return int(std::clamp(p, 0.0, double(std::numeric_limits<int>::max() / 2)));
        };
        extentX = std::max(extentX, pixels(figContext->dpiX, figContext->zoom, x1));
        extentY = std::max(extentY, pixels(figContext->dpiY, figContext->zoom, y1));
    }
    const int maxX = std::max(0, extentX - width);
    const int maxY = std::max(0, extentY - height);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(width);
    horizontal->setRange(0, maxX);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setPageStep(height);
    vertical->setRange(0, maxY);
    // The view stays within what the thumbs can show.
    figContext->originX = std::clamp(figContext->originX, 0, maxX);
    figContext->originY = std::clamp(figContext->originY, 0, maxY);
    connectScrollBars();
}

void QTChildFrm::updateScrollRange()
{
    // Inside the settling below the outer call sets the final range.
    if (settlingScrollBars)
        return;
    // The visible area: the window without its rulers and scroll bars.
    const int wantedX = figContext->originX;
    const int wantedY = figContext->originY;
    QSize visible = viewport()->size();
    setScrollRange(visible.width(), visible.height());
    // A range that makes a scroll bar come or go changes the viewport once
    // the scroll area lays itself out, later, at times in two passes that
    // pass through a viewport with neither bar: its range would pull the
    // view back for good, and each pass would draw the canvas anew. The
    // layout is done here instead, the range set for the viewport it ends
    // with, and the view kept where it was asked to be as far as that range
    // lets it.
    settlingScrollBars = true;
    for (int pass = 0; pass < 4; ++pass) {
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        if (viewport()->size() == visible)
            break;
        visible = viewport()->size();
        figContext->originX = wantedX;
        figContext->originY = wantedY;
        setScrollRange(visible.width(), visible.height());
    }
    settlingScrollBars = false;
}

void QTChildFrm::setScrollValues(int x, int y)
{
    disconnectScrollBars();
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
    connectScrollBars();
}

void QTChildFrm::onScrollByX(int value)
{
    if (!horizontalScrollBar()->isVisible())
        return;
    const std::int64_t dx = std::int64_t(value) - figContext->originX;
    figContext->originX = value;
    if (horzRuler && horzRuler->origin != -value)
        horzRuler->setOrigin(-value);
    scrollCanvas(int(std::clamp<std::int64_t>(dx, INT_MIN, INT_MAX)), 0);
}

void QTChildFrm::onScrollByY(int value)
{
    if (!verticalScrollBar()->isVisible())
        return;
    const std::int64_t dy = std::int64_t(value) - figContext->originY;
    figContext->originY = value;
    if (vertRuler && vertRuler->origin != -value)
        vertRuler->setOrigin(-value);
    scrollCanvas(0, int(std::clamp<std::int64_t>(dy, INT_MIN, INT_MAX)));
}

namespace {

// The part of a view of the rectangle's size that a scroll by (dx, dy)
// brings into sight.
QRegion scrolledInRegion(const QRect& view, int dx, int dy)
{
    QRegion region;
    if (dx > 0)
        region += QRect(view.right() - dx + 1, view.top(), dx, view.height());
    else if (dx < 0)
        region += QRect(view.left(), view.top(), -dx, view.height());
    if (dy > 0)
        region += QRect(view.left(), view.bottom() - dy + 1, view.width(), dy);
    else if (dy < 0)
        region += QRect(view.left(), view.top(), view.width(), -dy);
    return region;
}

} // namespace

void QTChildFrm::scrollCanvas(int dx, int dy)
{
    // A gesture draws its rubber band or preview over the canvas, which only
    // a whole redraw puts at its new place; a canvas that is owed a whole
    // redraw, or one scrolled by its own size or more, is drawn anew too.
    const bool movable = canvasImage && !canvasImage->isNull() && !redisplayPending && !canvasPainter.isActive()
        && !isGestureInProgress() && libraryPlacementDocument() != figContext && floatingObjectsDocument() != figContext
        && std::abs(dx) < canvasImage->width() && std::abs(dy) < canvasImage->height() && canvasImage->size() == size();
    if (!movable) {
        redisplayCanvas();
        return;
    }
    if (dx == 0 && dy == 0)
        return;
    scrollImage(*canvasImage, -dx, -dy);
    if (!canvasPainter.begin(canvasImage)) {
        redisplayCanvas();
        return;
    }
    canvasPainter.setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
    const int w = canvasImage->width();
    const int h = canvasImage->height();
    // The columns and rows the move has uncovered. The grid leaves out a
    // line that falls on the window's first column or row: one the old view
    // left out comes into sight when the pixels move away from that edge,
    // and one the new view leaves out may have been moved onto it, so that
    // column or row is drawn anew as well.
    QRegion drawn = scrolledInRegion(canvasImage->rect(), dx, dy);
    if (dx > 0 && figContext->gridLeavesOutEdgeLine(true, figContext->originX))
        drawn += QRect(0, 0, 1, h);
    else if (dx < 0 && figContext->gridLeavesOutEdgeLine(true, figContext->originX - dx))
        drawn += QRect(-dx, 0, 1, h);
    if (dy > 0 && figContext->gridLeavesOutEdgeLine(false, figContext->originY))
        drawn += QRect(0, 0, w, 1);
    else if (dy < 0 && figContext->gridLeavesOutEdgeLine(false, figContext->originY - dy))
        drawn += QRect(0, -dy, w, 1);
    for (const QRect& strip : drawn)
        figContext->redrawCanvasPixels(strip);
    canvasPainter.end();
    // The view moves what it shows likewise and repaints only what the move
    // uncovered there, and what was drawn anew.
    viewport()->scroll(-dx, -dy);
    viewport()->repaint(scrolledInRegion(viewport()->rect(), dx, dy) + drawn);
}

void QTChildFrm::applyViewChange()
{
    // Ranges first: a value set before them would be cut to the old range.
    updateScrollRange();
    setScrollValues(figContext->originX, figContext->originY);
    setRulerOrigins(-figContext->originX, -figContext->originY);
    redisplayCanvas();
}

void QTChildFrm::zoomIn()
{
    const float old = figContext->zoom;
    float zoom = float(roundToDecimals(double(old) * 1.1, 2));
    if (zoom > 99.99f)
        zoom = 99.99f;
    figContext->zoom = zoom;
    figContext->scrollOriginForZoom(
        figContext->originX, figContext->originY, figContext->originX, figContext->originY, old, zoom);
    applyViewChange();
}

void QTChildFrm::zoomOut()
{
    const float old = figContext->zoom;
    float zoom = float(roundToDecimals(double(old) / 1.1, 2));
    if (zoom < 0.01f)
        zoom = 0.01f;
    figContext->zoom = zoom;
    figContext->scrollOriginForZoom(
        figContext->originX, figContext->originY, figContext->originX, figContext->originY, old, zoom);
    applyViewChange();
}

void QTChildFrm::zoomToSelection()
{
    FigObjectList selected;
    collectSelectedObjects(figContext->objects(), selected);
    if (selected.empty())
        return;
    figContext->saveViewport();
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    figContext->getSelectionBounds(figContext->objects(), x0, y0, x1, y1);
    const int w = roundToInt(canvasScale(figContext->dpiX, figContext->zoom) * float(double(x1) - x0));
    const int h = roundToInt(canvasScale(figContext->dpiY, figContext->zoom) * float(double(y1) - y0));
    const float fx = float(width() * 0.8 / w);
    const float fy = float(height() * 0.8 / h);
    double fitted = roundToDecimals(double(std::min(fx, fy)) * double(figContext->zoom), 2);
    // A selection that is a point on the screen fits at any zoom, one many
    // hundred windows wide at none: the zoom stays within its range.
    if (!std::isfinite(fitted) || fitted > 99.99)
        fitted = 99.99;
    if (fitted < 0.01)
        fitted = 0.01;
    figContext->zoom = float(fitted);
    figContext->centeredScrollOrigin(
        figContext->originX, figContext->originY, x0 + (x1 - x0) / 2, y0 + (y1 - y0) / 2, figContext->zoom);
    applyViewChange();
}

void QTChildFrm::zoomToSelectionRevert()
{
    if (figContext->savedZoom == -1.0f)
        return;
    figContext->restoreViewport();
    applyViewChange();
}

// ---- Paint, resize, focus, grid ----

void QTChildFrm::paintEvent(QPaintEvent* /*event*/)
{
    if (!canvasImage)
        return;
    flushDeferredRedisplay();
    QPainter painter(viewport());
    painter.drawImage(0, 0, *canvasImage);
}

void QTChildFrm::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (rulerCorner)
        rulerCorner->update();
    // The viewport's resize events arrive here too; the canvas covers the
    // whole window.
    const QSize s = size();
    const bool replaced = s != QSize(imageWidth, imageHeight);
    if (replaced) {
        // The painter draws on the image being replaced.
        if (canvasPainter.isActive())
            canvasPainter.end();
        delete canvasImage;
        canvasImage = new QImage(s, QImage::Format_ARGB32_Premultiplied);
    }
    imageWidth = s.width();
    imageHeight = s.height();
    // A scroll bar that came or went while the range was set: that call
    // sets the range for the viewport the layout ends with.
    if (settlingScrollBars && !replaced)
        return;
    // Also when only the viewport changed (a scroll bar came or went).
    const int oldOriginX = figContext->originX;
    const int oldOriginY = figContext->originY;
    updateScrollRange();
    setScrollValues(figContext->originX, figContext->originY);
    setRulerOrigins(-figContext->originX, -figContext->originY);
    // A canvas of the same size on the same view still shows the drawing:
    // redrawing it would paint the same pixels (a large drawing is shown
    // after a chain of such resizes).
    if (replaced || figContext->originX != oldOriginX || figContext->originY != oldOriginY)
        redisplayCanvasDeferred();
}

void QTChildFrm::focusInEvent(QFocusEvent* /*event*/)
{
    refreshButtonStates();
    figContext->refreshLayersToolbar();
}

void QTChildFrm::gridDeleted(int /*grid*/)
{
    figContext->gridIndex = 0;
}

// ---- Button states ----

void QTChildFrm::updateCompoundButtons()
{
    if (!figContext)
        return;
    FigObjectList selected;
    collectSelectedObjects(figContext->objects(), selected);
    const FigObject* current = figContext->currentObject;
    const bool isCompound = current && current->type == FigObject::Compound;
    emit compoundButtonsStateChanged(
        !selected.empty(), isCompound, isCompound, CFigContext::isCompoundOpen(figContext));
}

void QTChildFrm::updateConvertButton()
{
    if (!figContext)
        return;
    const FigObject* current = figContext->currentObject;
    const bool convertible = current
        && ((current->type == FigObject::Polyline && (current->subType == 1 || current->subType == 3))
            || current->type == FigObject::Spline);
    emit convertLineSplineButtonStateChanged(convertible);
}

void QTChildFrm::updateAlignButtons()
{
    if (!figContext)
        return;
    FigObjectList selected;
    collectSelectedObjects(figContext->objects(), selected);
    emit alignButtonsStateChanged(!selected.empty());
}

void QTChildFrm::emitAddClipToLibraryButtonState()
{
    emit addClipToLibraryButtonStateChanged();
}

void QTChildFrm::refreshButtonStates()
{
    updateCompoundButtons();
    updateConvertButton();
    updateAlignButtons();
    emitAddClipToLibraryButtonState();
}

// ---- Document commands ----

void QTChildFrm::copy()
{
    if (isGestureInProgress())
        return;
    discardClipboard();
    FigObjectList selected;
    collectSelectedObjects(figContext->objects(), selected);
    clipboardObjects = figContext->cloneObjectListWithIds(&selected);
    if (clipboardObjects)
        forEachObject(clipboardObjects, clearSelectedFlag);
    keepClipboardColors(figContext);
}

void QTChildFrm::cut()
{
    if (isGestureInProgress())
        return;
    discardClipboard();
    clipboardObjects = figContext->cutSelection();
    {
        CanvasBracket bracket(this, true);
        if (bracket.active() && clipboardObjects)
            figContext->redrawObjectList(clipboardObjects, true);
    }
    if (clipboardObjects)
        forEachObject(clipboardObjects, clearSelectedFlag);
    keepClipboardColors(figContext);
}

void QTChildFrm::paste()
{
    if (isGestureInProgress() || !clipboardObjects)
        return;
    previousEditMode = editMode;
    editMode = EditMode::Paste;
    figContext->startPaste();
    claimCanvasGesture(figContext);
}

void QTChildFrm::selectAll()
{
    // Markers drawn now would land on objects a gesture has taken off the
    // canvas (a dragged selection), and stay when it ends.
    if (isGestureInProgress())
        return;
    if (editMode != EditMode::Select && editMode != EditMode::MoveSelection && editMode != EditMode::MovePoint)
        return;
    if (!figContext)
        return;
    // What picking can reach: objects on hidden depths (compounds without a
    // member on a shown one) are left out, so that a following Delete or Cut
    // cannot take away what the user does not see.
    for (FigObject* object : *figContext->objects()) {
        const bool reachable = figContext->isObjectVisible(object);
        const ObjectCallback mark = reachable ? selectForSelectAll : deselectForSelectAll;
        mark(object);
        if (object->type == FigObject::Compound)
            forEachObject(static_cast<FigCompound*>(object)->members, mark);
        // What is selected shows its markers: objects not marked before get
        // them now (the members of a compound show none of their own).
        if (reachable && object->markerState == 0)
            object->markerState = 2;
    }
    refreshButtonStates();
    CanvasBracket bracket(this, false);
    if (bracket.active())
        figContext->drawMarkersExceptList(nullptr);
}

void QTChildFrm::createSmartLinks()
{
    if (!figContext)
        return;
    MessageBoxRequest request;
    request.parent = mainFrm ? static_cast<QWidget*>(mainFrm) : this;
    request.icon = QMessageBox::Warning;
    request.title = tr("Create Smart Links?");
    request.text = tr("Tavrel will now search for possible connections between objects and create smart links. A "
                      "later undo will be possible.\n\nDo you wish to continue?");
    request.buttons = QMessageBox::Yes | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Yes;
    const QMessageBox::StandardButton answer = showMessageBox(request);
    if (answer != QMessageBox::Yes)
        return;
    auto* action = new CreateSmartLinksForDrawingAction(figContext->objects());
    action->redo(figContext);
    figContext->undoHistory.pushAction(action);
    CanvasBracket bracket(this, true);
    if (bracket.active())
        figContext->redrawObjectList(figContext->objects(), false);
}

void QTChildFrm::alignSelection()
{
    CanvasBracket bracket(this, true);
    figContext->alignSelection();
}

void QTChildFrm::createCompound()
{
    {
        CanvasBracket bracket(this, true);
        figContext->createCompoundFromSelection();
    }
    refreshButtonStates();
}

void QTChildFrm::breakCompound()
{
    {
        CanvasBracket bracket(this, true);
        figContext->breakCompound();
    }
    refreshButtonStates();
    if (mainFrm)
        emit mainFrm->commentChanged(false);
}

void QTChildFrm::openCompound()
{
    FigObject* current = figContext->currentObject;
    if (!current || current->type != FigObject::Compound)
        return;
    {
        CanvasBracket bracket(this, true);
        figContext->openCompoundForEditing(current);
    }
    refreshButtonStates();
    if (mainFrm)
        emit mainFrm->commentChanged(false);
}

void QTChildFrm::closeCompound()
{
    {
        CanvasBracket bracket(this, true);
        figContext->closeCompoundForEditing();
    }
    refreshButtonStates();
    if (mainFrm)
        emit mainFrm->commentChanged(false);
}

void QTChildFrm::convertLineSpline()
{
    FigObject* current = figContext->currentObject;
    if (!current)
        return;
    CanvasBracket bracket(this, true);
    figContext->convertLineSpline(current);
}

void QTChildFrm::openFigureProperties()
{
    if (!figContext)
        return;
    FigurePropertiesDlg dialog(this, {});
    dialog.setFigure(&figContext->drawing);
    dialog.setModal(true);
    dialog.show();
    if (dialog.exec() == QDialog::Accepted)
        figContext->setModified();
}

bool QTChildFrm::exportFile()
{
    exportDlg->setContext(figContext);
    exportDlg->setFileName(QDir::toNativeSeparators(curFile));
    exportDlg->setModal(true);
    exportDlg->show();
    // OK closes the dialog also when nothing was exported.
    return exportDlg->exec() == QDialog::Accepted && exportDlg->lastExportSucceeded();
}

bool QTChildFrm::exportAgain()
{
    exportDlg->setContext(figContext);
    exportDlg->setFileName(QDir::toNativeSeparators(curFile));
    // The last export again, without the dialog.
    if (exportDlg->hasExported())
        return exportDlg->exportAgain();
    exportDlg->setModal(true);
    exportDlg->show();
    return exportDlg->exec() == QDialog::Accepted && exportDlg->lastExportSucceeded();
}
