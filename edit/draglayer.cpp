#include "edit/draglayer.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/units.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <climits>
#include <cstdint>

int dragLayerThreshold = 400;

namespace {

struct DragLayer {
    CFigContext* context = nullptr; // not owned
    const FigObjectList* list = nullptr; // not owned
    // The Fig area of the objects where they are, markers included.
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    QImage background; // the canvas without the objects
    QImage picture; // the objects, transparent around them
    QRect pictureRect; // the canvas pixels the picture covers unmoved
    QRect shown; // where the picture lies on the canvas now; null when off
    int dx = 0; // the offset last shown, Fig units
    int dy = 0;
    // The view the two images belong to.
    int originX = 0;
    int originY = 0;
    float zoom = 0;
    float dpiX = 0;
    float dpiY = 0;
    QSize canvasSize;
};

DragLayer* layer = nullptr;

int countObjects(const FigObjectList* list, int enough)
{
    int n = 0;
    for (const FigObject* object : *list) {
        ++n;
        if (object->type == FigObject::Compound)
            n += countObjects(static_cast<const FigCompound*>(object)->members, enough - n);
        if (n >= enough)
            break;
    }
    return n;
}

QImage* canvasOf(CFigContext* context)
{
    if (!canDraw(context) || context->painter->device()->devType() != QInternal::Image)
        return nullptr;
    return static_cast<QImage*>(context->painter->device());
}

bool sameView(const DragLayer& l, const CFigContext* context, const QImage* canvas)
{
    return l.originX == context->originX && l.originY == context->originY && l.zoom == context->zoom
        && l.dpiX == context->dpiX && l.dpiY == context->dpiY && l.canvasSize == canvas->size();
}

// The pixels the objects moved by (dx, dy) are shifted by, taken at the
// anchor of the drag.
QPoint pixelOffset(CFigContext* context, int dx, int dy)
{
    const int ax = canvasAction.anchorX;
    const int ay = canvasAction.anchorY;
    return QPoint(context->figToPixelX(clampToInt(std::int64_t(ax) + dx)) - context->figToPixelX(ax),
        context->figToPixelY(clampToInt(std::int64_t(ay) + dy)) - context->figToPixelY(ay));
}

QRect pixelRect(CFigContext* context, int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(context->figToPixelX(x1), context->figToPixelY(y1)),
        QPoint(context->figToPixelX(x2), context->figToPixelY(y2)))
        .normalized();
}

// Draws the objects into a new picture covering the part of their area that
// the canvas shows at `offset`, and a quarter of the canvas more either way,
// so that the next steps find it drawn.
void drawPicture(DragLayer& l, const QPoint& offset)
{
    CFigContext* context = l.context;
    const QSize size = l.canvasSize;
    const QRect reach = QRect(QPoint(0, 0), size)
                            .translated(-offset)
                            .adjusted(-size.width() / 4, -size.height() / 4, size.width() / 4, size.height() / 4);
    l.pictureRect = pixelRect(context, l.x1, l.y1, l.x2, l.y2).intersected(reach);
    l.picture = QImage();
    if (l.pictureRect.isEmpty())
        return;
    l.picture = QImage(l.pictureRect.size(), QImage::Format_ARGB32_Premultiplied);
    if (l.picture.isNull())
        return;
    l.picture.fill(Qt::transparent);
    QPainter painter(&l.picture);
    painter.setRenderHints(context->painter->renderHints());
    QPainter* const canvasPainter = context->painter;
    const int originX = context->originX;
    const int originY = context->originY;
    context->setPainter(&painter);
    context->originX = clampToInt(std::int64_t(originX) + l.pictureRect.left());
    context->originY = clampToInt(std::int64_t(originY) + l.pictureRect.top());
    forEachObject(l.list, clearSkipRedraw);
    context->drawObjectList(l.list, nullptr);
    for (FigObject* object : *l.list) {
        if (object->markerState != 0)
            context->drawObjectMarkers(object);
    }
    context->originX = originX;
    context->originY = originY;
    context->setPainter(canvasPainter);
}

// Puts the kept canvas back where the picture lies.
void takeOff(DragLayer& l)
{
    if (l.shown.isNull())
        return;
    QPainter* painter = l.context->painter;
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setClipping(false);
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(l.shown.topLeft(), l.background, l.shown);
    painter->setCompositionMode(mode);
    l.shown = QRect();
}

void putOn(DragLayer& l, const QPoint& offset)
{
    const QRect canvas(QPoint(0, 0), l.canvasSize);
    const QRect needed = pixelRect(l.context, l.x1, l.y1, l.x2, l.y2).intersected(canvas.translated(-offset));
    if (!needed.isEmpty() && !l.pictureRect.contains(needed))
        drawPicture(l, offset);
    if (l.picture.isNull())
        return;
    const QRect at = l.pictureRect.translated(offset).intersected(canvas);
    if (at.isEmpty())
        return;
    QPainter* painter = l.context->painter;
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setClipping(false);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->drawImage(at.topLeft(), l.picture, at.translated(-l.pictureRect.topLeft() - offset));
    painter->setCompositionMode(mode);
    l.shown = at;
}

// Draws the canvas without the objects over their area and that area moved
// by (dx, dy).
void drawWithoutObjects(DragLayer& l, int dx, int dy)
{
    l.context->redrawRectExceptList(std::min(l.x1, clampToInt(std::int64_t(l.x1) + dx)),
        std::min(l.y1, clampToInt(std::int64_t(l.y1) + dy)), std::max(l.x2, clampToInt(std::int64_t(l.x2) + dx)),
        std::max(l.y2, clampToInt(std::int64_t(l.y2) + dy)), l.list, true);
}

// Draws the canvas without the objects over their area and the area they
// were shown at, keeps it, and draws the picture anew.
void keepCanvas(DragLayer& l, QImage* canvas, int dx, int dy)
{
    CFigContext* context = l.context;
    drawWithoutObjects(l, dx, dy);
    l.dx = dx;
    l.dy = dy;
    l.background = canvas->copy();
    l.shown = QRect();
    l.originX = context->originX;
    l.originY = context->originY;
    l.zoom = context->zoom;
    l.dpiX = context->dpiX;
    l.dpiY = context->dpiY;
    l.canvasSize = canvas->size();
    const QPoint offset = pixelOffset(context, dx, dy);
    drawPicture(l, offset);
    putOn(l, offset);
}

// After a whole-canvas redraw (and when a gesture is abandoned): the canvas
// is kept anew and the picture shown again where the pointer is.
void afterRedraw(CFigContext* context, int anchorX, int anchorY, int trackX, int trackY)
{
    if (!layer || layer->context != context)
        return;
    QImage* canvas = canvasOf(context);
    if (!canvas)
        return;
    keepCanvas(*layer, canvas, trackX - anchorX, trackY - anchorY);
}

} // namespace

bool showDragLayer(CFigContext* context, const FigObjectList* list, bool linked, int dx, int dy)
{
    // A picture of another drag, or of one that ended without a drop or a
    // cancel (the gesture abandoned), is forgotten.
    if (layer && (layer->context != context || layer->list != list || canvasHandlers.elasticHandler != afterRedraw))
        forgetDragLayer();
    if (!layer) {
        if (!dragLayerWanted(context, list, linked))
            return false;
        QImage* canvas = canvasOf(context);
        layer = new DragLayer;
        layer->context = context;
        layer->list = list;
        dragLayerArea(context, list, layer->x1, layer->y1, layer->x2, layer->y2);
        keepCanvas(*layer, canvas, dx, dy);
        canvasHandlers.elasticHandler = afterRedraw;
        return true;
    }
    QImage* canvas = canvasOf(context);
    if (!canvas)
        return true; // nothing to draw on; the picture waits
    if (!sameView(*layer, context, canvas)) {
        keepCanvas(*layer, canvas, dx, dy);
        return true;
    }
    takeOff(*layer);
    layer->dx = dx;
    layer->dy = dy;
    putOn(*layer, pixelOffset(context, dx, dy));
    return true;
}

void dragLayerArea(CFigContext* context, const FigObjectList* list, int& x1, int& y1, int& x2, int& y2)
{
    context->boundsCache.listBounds(*context, list, x1, y1, x2, y2);
    // Markers reach beyond the objects, a compound's below its box.
    const int margin = 2 * roundToInt(displayPixelSize(context->dpiX) / context->zoom * 5.0f)
        + roundToInt(displayPixelSize(context->dpiX) * 5.0f);
    x1 = clampToInt(std::int64_t(x1) - margin);
    y1 = clampToInt(std::int64_t(y1) - margin);
    x2 = clampToInt(std::int64_t(x2) + margin);
    y2 = clampToInt(std::int64_t(y2) + margin);
}

bool dragLayerWanted(CFigContext* context, const FigObjectList* list, bool linked)
{
    if (layer && layer->context == context && layer->list == list && canvasHandlers.elasticHandler == afterRedraw)
        return true;
    return context && list && !list->empty() && !linked && editMode == EditMode::MoveSelection
        && context->objects() == &context->drawing.objects && canvasOf(context)
        && countObjects(list, dragLayerThreshold) >= dragLayerThreshold;
}

bool finishDragLayer(CFigContext* context, int& x1, int& y1, int& x2, int& y2)
{
    if (!layer || layer->context != context)
        return false;
    x1 = layer->x1;
    y1 = layer->y1;
    x2 = layer->x2;
    y2 = layer->y2;
    if (canDraw(context)) {
        QImage* canvas = canvasOf(context);
        if (canvas && sameView(*layer, context, canvas)) {
            takeOff(*layer);
        } else {
            // The kept canvas belongs to another view: the area is drawn
            // without the objects instead.
            drawWithoutObjects(*layer, layer->dx, layer->dy);
        }
    }
    forgetDragLayer();
    return true;
}

void forgetDragLayer()
{
    if (!layer)
        return;
    if (canvasHandlers.elasticHandler == afterRedraw)
        canvasHandlers.elasticHandler = nullptr;
    delete layer;
    layer = nullptr;
}
