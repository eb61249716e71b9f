#include "edit/draglayer.h"

#include "app/preferences.h"
#include "edit/canvashandlers.h"
#include "edit/canvasregions.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "render/drawnarea.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

int dragLayerThreshold = 400;
bool dragLayerLiftsCanvas = true;
int dragLayerSliceTiles = 0;

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
    // A picture taken from the canvas: the part of pictureRect copied from
    // the canvas, which shows the objects on plain background there, and
    // the parts drawn, which hold the objects alone. A picture drawn whole
    // has no lifted part.
    QRect lifted;
    QRegion drawn;
    // The pixels of the kept canvas that are not plain background: where a
    // lifted pixel may not go.
    QRegion unplain;
    // The canvas pixels each object may paint unmoved (the objects of the
    // trees in drawing order), and those of the markers shown, found once
    // for the strips the picture is drawn in.
    struct Reach {
        FigObject* object;
        QRect pixels;
    };
    std::vector<Reach> painted;
    std::vector<Reach> marked;
    bool reachesFound = false;
    // The objects the strips of this picture have drawn so far.
    size_t stripObjects = 0;
    // How many times strips were drawn, and how many steps after the
    // first one drew them.
    int strips = 0;
    int stripSteps = 0;
    // While a lifted picture is shown, the event loop's idle time draws it
    // tile by tile, first where the next steps may need it; once every tile
    // is drawn the picture is a drawn one and needs no more strips. The
    // timer belongs to the layer, so none outlives it.
    struct Completion {
        bool prepared = false;
        int columns = 0;
        int rows = 0;
        // By tile: the indices of the reaches (painted, marked) crossing it,
        // in drawing order, and whether it is drawn.
        std::vector<std::vector<std::uint32_t>> objects;
        std::vector<std::vector<std::uint32_t>> markers;
        std::vector<char> done;
        size_t remaining = 0;
        // The tiles to draw, the likely needed first, for the offset
        // `queuedAt`.
        std::vector<int> queue;
        size_t next = 0;
        QPoint queuedAt;
        bool queued = false;
    };
    std::unique_ptr<Completion> completion;
    std::unique_ptr<QTimer> completionTimer;
    QRect shown; // where the picture lies on the canvas now; null when off
    int dx = 0; // the offset last shown, Fig units
    int dy = 0;
    // The pixels the last step moved the picture by (null before any
    // motion): the next steps likely move it on so.
    QPoint velocity;
    // The view the two images belong to.
    int originX = 0;
    int originY = 0;
    float zoom = 0;
    float dpiX = 0;
    float dpiY = 0;
    QSize canvasSize;
    QPainter::RenderHints hints; // the canvas painter's
    // The document's whole-canvas redraws when the canvas was last kept.
    long long redraws = 0;
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

// Whether the context still shows the Fig plane as when the layer's images
// were made (origin, zoom and resolution).
bool sameMapping(const DragLayer& l, const CFigContext* context)
{
    return l.originX == context->originX && l.originY == context->originY && l.zoom == context->zoom
        && l.dpiX == context->dpiX && l.dpiY == context->dpiY;
}

bool sameView(const DragLayer& l, const CFigContext* context, const QImage* canvas)
{
    return sameMapping(l, context) && l.canvasSize == canvas->size();
}

// How far, in Fig units, markers reach beyond the objects' boxes (a
// compound's below its box).
int markerReach(const CFigContext* context)
{
    return 2 * roundToInt(displayPixelSize(context->dpiX) / context->zoom * 5.0f)
        + roundToInt(displayPixelSize(context->dpiX) * 5.0f);
}

// The Fig box grown by the reach of markers on every side.
void growByMarkerReach(const CFigContext* context, int& x1, int& y1, int& x2, int& y2)
{
    const int margin = markerReach(context);
    x1 = clampToInt(std::int64_t(x1) - margin);
    y1 = clampToInt(std::int64_t(y1) - margin);
    x2 = clampToInt(std::int64_t(x2) + margin);
    y2 = clampToInt(std::int64_t(y2) + margin);
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

// The part of the picture the objects may need at `offset`: the part of
// their area the canvas shows then, and a quarter of the canvas more either
// way, so that the next steps find it ready.
QRect pictureReach(const DragLayer& l, const QPoint& offset)
{
    const QSize size = l.canvasSize;
    const QRect reach = QRect(QPoint(0, 0), size)
                            .translated(-offset)
                            .adjusted(-size.width() / 4, -size.height() / 4, size.width() / 4, size.height() / 4);
    return pixelRect(l.context, l.x1, l.y1, l.x2, l.y2).intersected(reach);
}

void stopCompletion(DragLayer& l)
{
    if (l.completionTimer)
        l.completionTimer->stop();
    l.completion.reset();
}

// A new, transparent picture covering `rect`; false when it cannot be made.
bool newPicture(DragLayer& l, const QRect& rect)
{
    stopCompletion(l);
    l.pictureRect = rect;
    l.picture = QImage();
    l.lifted = QRect();
    l.drawn = QRegion();
    l.unplain = QRegion();
    l.stripObjects = 0;
    if (rect.isEmpty())
        return false;
    l.picture = QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
    if (l.picture.isNull())
        return false;
    l.picture.fill(Qt::transparent);
    return true;
}

// The pixels each object of the trees may paint, in drawing order.
void collectReaches(DragLayer& l, const FigObjectList* list)
{
    CFigContext* context = l.context;
    for (FigObject* object : *list) {
        if (object->type == FigObject::Compound) {
            collectReaches(l, static_cast<const FigCompound*>(object)->members);
            continue;
        }
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        drawnArea(context, object, x1, y1, x2, y2);
        // A pixel more on every side for rounding.
        l.painted.push_back({ object, pixelRect(context, x1, y1, x2, y2).adjusted(-1, -1, 1, 1) });
    }
}

// The reaches of the objects and the markers at the picture's view, found
// at its first strip.
void findReaches(DragLayer& l)
{
    if (l.reachesFound)
        return;
    CFigContext* context = l.context;
    l.painted.clear();
    l.marked.clear();
    collectReaches(l, l.list);
    // Markers reach beyond the objects' boxes by less than the layer's
    // margin.
    for (FigObject* object : *l.list) {
        if (object->markerState == 0)
            continue;
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        context->boundsCache.bounds(*context, object, x1, y1, x2, y2);
        growByMarkerReach(context, x1, y1, x2, y2);
        l.marked.push_back({ object, pixelRect(context, x1, y1, x2, y2).adjusted(-1, -1, 1, 1) });
    }
    l.reachesFound = true;
}

void drawPartOf(
    DragLayer& l, const QRect& part, bool whole, const FigObjectList& objects, const std::vector<FigObject*>& markers);

// Draws the objects (with their markers) over the part `rect` of the picture,
// anew. A part less than the whole is drawn in an image of its own size with
// the objects that may paint into it alone, so that a strip costs the
// objects crossing it rather than all of them.
void drawPart(DragLayer& l, const QRect& rect)
{
    const QRect part = rect.intersected(l.pictureRect);
    if (part.isEmpty() || l.picture.isNull())
        return;
    const bool whole = part == l.pictureRect;
    FigObjectList objects;
    std::vector<FigObject*> markers;
    if (whole) {
        l.picture.fill(Qt::transparent);
        for (FigObject* object : *l.list) {
            if (object->markerState != 0)
                markers.push_back(object);
        }
    } else {
        findReaches(l);
        for (const DragLayer::Reach& reach : l.painted) {
            if (reach.pixels.intersects(part))
                objects.push_back(reach.object);
        }
        for (const DragLayer::Reach& reach : l.marked) {
            if (reach.pixels.intersects(part))
                markers.push_back(reach.object);
        }
    }
    drawPartOf(l, part, whole, objects, markers);
}

// Draws `part` of the picture (the whole one, or a part with the objects
// and markers that may paint into it, in drawing order) anew.
void drawPartOf(
    DragLayer& l, const QRect& part, bool whole, const FigObjectList& objects, const std::vector<FigObject*>& markers)
{
    CFigContext* context = l.context;
    if (!whole) {
        if (objects.empty() && markers.empty()) {
            QPainter clear(&l.picture);
            clear.setCompositionMode(QPainter::CompositionMode_Source);
            clear.fillRect(part.translated(-l.pictureRect.topLeft()), Qt::transparent);
            l.drawn += part;
            return;
        }
    }
    QImage strip;
    if (!whole) {
        strip = QImage(part.size(), QImage::Format_ARGB32_Premultiplied);
        if (strip.isNull())
            return;
        strip.fill(Qt::transparent);
    }
    QImage& target = whole ? l.picture : strip;
    QPainter painter(&target);
    painter.setRenderHints(l.hints);
    QPainter* const canvasPainter = context->painter;
    const int originX = context->originX;
    const int originY = context->originY;
    context->setPainter(&painter);
    context->originX = clampToInt(std::int64_t(originX) + part.left());
    context->originY = clampToInt(std::int64_t(originY) + part.top());
    // A part's objects are leaves of the trees: they alone need clearing,
    // which spares a walk of all the trees at every strip and tile.
    if (whole) {
        forEachObject(l.list, clearSkipRedraw);
    } else {
        for (FigObject* object : objects)
            object->skipRedraw = false;
    }
    // The objects of the part keep their drawing order, so that depth by
    // depth they lie on each other as in the whole picture.
    context->drawObjectList(whole ? l.list : &objects, nullptr);
    for (FigObject* object : markers)
        context->drawObjectMarkers(object);
    context->originX = originX;
    context->originY = originY;
    context->setPainter(canvasPainter);
    painter.end();
    if (!whole) {
        QPainter into(&l.picture);
        into.setCompositionMode(QPainter::CompositionMode_Source);
        into.drawImage(part.topLeft() - l.pictureRect.topLeft(), strip);
    }
    l.drawn += part;
}

// Draws the objects into a new picture covering what they may need at
// `offset` (pictureReach).
void drawPicture(DragLayer& l, const QPoint& offset)
{
    if (newPicture(l, pictureReach(l, offset)))
        drawPart(l, l.pictureRect);
}

// ---- A picture taken from the canvas ----
//
// Where nothing but the dragged objects paints, the canvas shows them on the
// background alone: the canvas's pixels there are their picture, with no
// drawing. A lifted pixel holds the background behind the object, though, so
// it may only land on plain background, and it must not hold anything but
// plain background behind the objects (a grid or page line, say). The
// picture is drawn, in strips that cost the objects crossing them, wherever
// that is not so at a step, and where the canvas did not show the objects
// (beyond its edges); where that would come to much of the picture it is
// drawn whole.

// Strips drawn around what a step needs reach this many pixels further, so
// that the next steps find them drawn; while the picture moves, they reach
// this much further ahead of the motion instead, and by a pixel or two
// elsewhere: a strip costs the objects crossing it, much the same for a
// wider one, so one reaching ahead serves more steps.
constexpr int stripSlack = 16;
constexpr int stripAhead = 40;
constexpr int stripSide = 2;
// Beyond this many runs of unplain pixels the canvas is too busy to lift
// from (a dense grid).
constexpr int maxUnplainRuns = 20000;

// Whether the canvas at `shown` (its pixels of the objects' area) shows the
// dragged objects on the background alone: no other object of the drawing
// may paint there, markers included, and no cross hair is drawn.
bool onlyObjectsShown(const DragLayer& l, const QRect& shown)
{
    CFigContext* context = l.context;
    if (!dragLayerLiftsCanvas || shown.isEmpty() || transformCenter.isSet)
        return false;
    // The Fig area of the pixels, a pixel wider for rounding, and wider by
    // the reach of markers shown by the others.
    const int margin = markerReach(context);
    auto figX = [context, margin](int pixel, int side) {
        return clampToInt(
            std::int64_t(pixelToFigUnclamped(pixel, context->dpiX, context->zoom, context->originX)) + side * margin);
    };
    auto figY = [context, margin](int pixel, int side) {
        return clampToInt(
            std::int64_t(pixelToFigUnclamped(pixel, context->dpiY, context->zoom, context->originY)) + side * margin);
    };
    FigArea area;
    area.x1 = figX(shown.left() - 1, -1);
    area.y1 = figY(shown.top() - 1, -1);
    area.x2 = figX(shown.right() + 2, 1);
    area.y2 = figY(shown.bottom() + 2, 1);
    const QSet<const FigObject*> dragged(l.list->begin(), l.list->end());
    for (FigObject* object : context->drawing.objects) {
        if (!dragged.contains(object) && objectMayPaintIn(context, object, area))
            return false;
    }
    return true;
}

// How far strips reach around what a step needs: as the picture moves on,
// what it needs moves the other way over it.
QMargins stripMargins(const DragLayer& l)
{
    if (l.velocity.isNull())
        return QMargins(stripSlack, stripSlack, stripSlack, stripSlack);
    const QPoint v = l.velocity;
    return QMargins(v.x() > 0 ? stripAhead : stripSide, v.y() > 0 ? stripAhead : stripSide,
        v.x() < 0 ? stripAhead : stripSide, v.y() < 0 ? stripAhead : stripSide);
}

// Makes the picture hold the objects alone over `needed` (picture pixels,
// canvas pixels unmoved): strips stripSlack pixels around what is not drawn
// yet are drawn. False, with nothing drawn, when the picture is better drawn
// whole.
bool drawNeeded(DragLayer& l, const QRegion& needed)
{
    const QRegion missing = needed.intersected(l.pictureRect).subtracted(l.drawn);
    if (missing.isEmpty())
        return true;
    std::vector<QRect> strips = stripsAround(missing, stripMargins(l));
    // An object crossing several strips is drawn in each: once the strips
    // would have drawn more objects than the whole picture holds, the
    // picture is drawn whole, which bounds a drag's drawing to about twice
    // one picture.
    findReaches(l);
    size_t planned = l.stripObjects;
    for (QRect& strip : strips) {
        strip = strip.intersected(l.pictureRect);
        for (const DragLayer::Reach& reach : l.painted)
            planned += reach.pixels.intersects(strip) ? 1 : 0;
    }
    // While the whole picture is being drawn in idle time, strips are drawn
    // rather than a whole picture at one step: the completion ends them.
    if (planned > l.painted.size() && !l.completion)
        return false;
    for (const QRect& strip : strips)
        drawPart(l, strip);
    l.stripObjects = planned;
    ++l.strips;
    return true;
}

// Starts a picture of what the objects may need at `offset` with the
// canvas's pixels at `shownRect`, where it shows them unmoved on the
// background alone.
void liftPicture(DragLayer& l, const QImage& canvas, const QRect& shownRect, const QPoint& offset)
{
    if (!newPicture(l, pictureReach(l, offset)))
        return;
    l.lifted = shownRect.intersected(l.pictureRect);
    if (l.lifted.isEmpty())
        return;
    QPainter painter(&l.picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(l.lifted.topLeft() - l.pictureRect.topLeft(), canvas, l.lifted);
}

// Once the canvas without the objects is kept: what it shows behind the
// lifted part besides plain background must not move with the objects, so
// the picture is drawn there. False when the canvas is too busy for a lifted
// picture.
bool finishLift(DragLayer& l)
{
    QImage plain(1, 1, l.background.format());
    plain.fill(preferences.backgroundColor);
    // Runs of a dotted line are one.
    constexpr int join = 4;
    const QRgb background = reinterpret_cast<const QRgb*>(plain.constScanLine(0))[0];
    if (!unplainPixels(l.background, background, join, maxUnplainRuns, l.unplain))
        return false;
    return drawNeeded(l, l.unplain.intersected(l.lifted));
}

// ---- Completing a lifted picture ----
//
// Strips are drawn as the motion brings parts of the picture the canvas did
// not show into view, or what lies behind the objects (a page line, the
// grid) under parts not drawn yet, each costing the objects crossing it, so
// a longer drag would keep drawing them, tens of milliseconds a time. So
// while a lifted picture is shown, the event loop's idle time draws it in
// tiles, each with the objects crossing it as a strip is drawn, a few
// milliseconds at a time: first the tiles the coming steps will need drawn
// if the picture moves on as it moved last (the edges of what the canvas
// showed, what lies behind the objects coming under them), the soonest
// needed first, so that the steps find them drawn; then the tiles near such
// places; then the others. Of a tile that strips have partly drawn only the
// rest is drawn. Once all are drawn the picture is a drawn one.

void afterRedraw(CFigContext* context, int anchorX, int anchorY, int trackX, int trackY);

// A slice of idle time ends once it has drawn this long.
constexpr qint64 sliceNs = 3000000;
// The side of a tile, in pixels.
constexpr int tileSide = 64;
// How far ahead of what the present step needs the tiles drawn first reach.
constexpr int tileLead = 48;

QRect tileRect(const DragLayer& l, const DragLayer::Completion& c, int tile)
{
    const int column = tile % c.columns;
    const int row = tile / c.columns;
    return QRect(l.pictureRect.left() + column * tileSide, l.pictureRect.top() + row * tileSide, tileSide, tileSide)
        .intersected(l.pictureRect);
}

// Runs `visit` for each tile that `rect` (canvas pixels unmoved) overlaps.
template <typename Visit>
void forTilesOf(const DragLayer& l, const DragLayer::Completion& c, const QRect& rect, Visit visit)
{
    const QRect r = rect.intersected(l.pictureRect);
    if (r.isEmpty())
        return;
    const int left = (r.left() - l.pictureRect.left()) / tileSide;
    const int right = (r.right() - l.pictureRect.left()) / tileSide;
    const int top = (r.top() - l.pictureRect.top()) / tileSide;
    const int bottom = (r.bottom() - l.pictureRect.top()) / tileSide;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column)
            visit(row * c.columns + column);
    }
}

// Sorts the reaches into the tiles once.
void prepareTiles(DragLayer& l, DragLayer::Completion& c)
{
    findReaches(l);
    c.columns = (l.pictureRect.width() + tileSide - 1) / tileSide;
    c.rows = (l.pictureRect.height() + tileSide - 1) / tileSide;
    const size_t tiles = size_t(c.columns) * size_t(c.rows);
    c.objects.assign(tiles, {});
    c.markers.assign(tiles, {});
    c.done.assign(tiles, 0);
    c.remaining = tiles;
    for (size_t i = 0; i < l.painted.size(); ++i)
        forTilesOf(l, c, l.painted[i].pixels, [&](int tile) { c.objects[size_t(tile)].push_back(std::uint32_t(i)); });
    for (size_t i = 0; i < l.marked.size(); ++i)
        forTilesOf(l, c, l.marked[i].pixels, [&](int tile) { c.markers[size_t(tile)].push_back(std::uint32_t(i)); });
    c.prepared = true;
}

// The first of the steps 0..steps at which `rect`, moved by -velocity a
// step, meets `tile`; -1 when none does.
int firstMeeting(const QRect& rect, const QPoint& velocity, const QRect& tile, int steps)
{
    double lo = 0;
    double hi = steps;
    // Along one axis: the rect's pixels a0..a1 moved by k steps meet the
    // tile's t0..t1 while a0 - k v <= t1 and a1 - k v >= t0.
    auto axis = [&lo, &hi](int a0, int a1, int t0, int t1, int v) {
        if (v == 0) {
            if (a0 > t1 || a1 < t0)
                hi = -1;
        } else if (v > 0) {
            lo = std::max(lo, std::ceil(double(a0 - t1) / v));
            hi = std::min(hi, std::floor(double(a1 - t0) / v));
        } else {
            lo = std::max(lo, std::ceil(double(a1 - t0) / v));
            hi = std::min(hi, std::floor(double(a0 - t1) / v));
        }
    };
    axis(rect.left(), rect.right(), tile.left(), tile.right(), velocity.x());
    axis(rect.top(), rect.bottom(), tile.top(), tile.bottom(), velocity.y());
    return lo <= hi ? int(lo) : -1;
}

// The box around what strips or tiles have not drawn of `rect`.
QRect undrawnPart(const DragLayer& l, const QRect& rect)
{
    return QRegion(rect).subtracted(l.drawn).boundingRect();
}

// How many steps ahead of the motion the tiles they will need come first.
constexpr int lookSteps = 24;

// Orders the tiles not drawn for the picture shown at `offset`: first those
// the coming steps need drawn, if the picture moves on as it moved last
// (where the canvas did not show the objects, and where what lies behind
// them comes under the picture), the soonest needed first; then those within
// tileLead pixels of such places now, then the others.
void queueTiles(DragLayer& l, DragLayer::Completion& c, const QPoint& offset)
{
    const int steps = l.velocity.isNull() ? 0 : lookSteps;
    const int near = steps + 1;
    const int rest = steps + 2;
    std::vector<int> when(c.done.size(), rest);
    // What of a tile is not drawn yet (a box around it), and of that what
    // lies beyond the lifted part; found once a tile, as thousands of runs
    // of a grid may cross it.
    std::vector<QRect> undrawn(c.done.size());
    std::vector<QRect> beyondLifted(c.done.size());
    std::vector<char> found(c.done.size(), 0);
    auto undrawnBox = [&](int tile, bool edge) -> const QRect& {
        const size_t t = size_t(tile);
        if (!found[t]) {
            const QRegion left = QRegion(tileRect(l, c, tile)).subtracted(l.drawn);
            undrawn[t] = left.boundingRect();
            beyondLifted[t] = left.subtracted(l.lifted).boundingRect();
            found[t] = 1;
        }
        return edge ? beyondLifted[t] : undrawn[t];
    };
    // Where `rect` (canvas pixels) lies over the picture at the coming
    // steps, and which tiles it finds not drawn there; `edge` for the canvas
    // itself, which needs only what lies beyond the lifted part.
    auto sweep = [&](const QRect& rect, bool edge) {
        const QRect now = rect.translated(-offset);
        const QRect swept = now.united(now.translated(-l.velocity * steps));
        forTilesOf(l, c, swept, [&](int tile) {
            if (c.done[size_t(tile)] || (edge && l.lifted.contains(tileRect(l, c, tile))))
                return;
            const QRect& box = undrawnBox(tile, edge);
            if (box.isEmpty())
                return;
            const int k = firstMeeting(now, l.velocity, box, steps);
            if (k >= 0 && k < when[size_t(tile)])
                when[size_t(tile)] = k;
        });
    };
    sweep(QRect(QPoint(0, 0), l.canvasSize), true);
    for (const QRect& rect : l.unplain)
        sweep(rect, false);
    const QRect soon
        = QRect(QPoint(0, 0), l.canvasSize).translated(-offset).adjusted(-tileLead, -tileLead, tileLead, tileLead);
    forTilesOf(l, c, soon, [&](int tile) {
        if (when[size_t(tile)] == rest && !l.lifted.contains(tileRect(l, c, tile)))
            when[size_t(tile)] = near;
    });
    for (const QRect& rect : l.unplain.translated(-offset)) {
        forTilesOf(l, c, rect.adjusted(-tileLead, -tileLead, tileLead, tileLead), [&](int tile) {
            if (when[size_t(tile)] == rest)
                when[size_t(tile)] = near;
        });
    }
    c.queue.clear();
    for (int k = 0; k <= rest; ++k) {
        for (size_t tile = 0; tile < c.done.size(); ++tile) {
            if (!c.done[tile] && when[tile] == k)
                c.queue.push_back(int(tile));
        }
    }
    c.next = 0;
    c.queuedAt = offset;
    c.queued = true;
}

void finishCompletion(DragLayer& l)
{
    // The canvas shows the lifted picture, which shows what the drawn one
    // does; the next step puts the drawn one on.
    l.lifted = QRect();
    l.drawn = QRegion(l.pictureRect);
    l.unplain = QRegion();
    stopCompletion(l);
}

void completeSlice(DragLayer& l)
{
    // A gesture abandoned without a drop or a cancel leaves the layer to be
    // forgotten at the next drag: its document may be gone already.
    if (layer != &l || canvasHandlers.elasticHandler != afterRedraw || !l.completion || l.lifted.isNull()
        || l.picture.isNull()) {
        stopCompletion(l);
        return;
    }
    // Between events the canvas painter may be inactive: tiles are drawn
    // as strips are, into images of their own.
    CFigContext* context = l.context;
    if (!sameMapping(l, context)) {
        // The next step keeps the canvas of the new view and starts anew.
        stopCompletion(l);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    DragLayer::Completion& c = *l.completion;
    if (!c.prepared)
        prepareTiles(l, c);
    const QPoint offset = pixelOffset(context, l.dx, l.dy);
    if (!c.queued || c.queuedAt != offset)
        queueTiles(l, c, offset);
    int drawnTiles = 0;
    while (c.next < c.queue.size() && clock.nsecsElapsed() < sliceNs
        && (dragLayerSliceTiles <= 0 || drawnTiles < dragLayerSliceTiles)) {
        const size_t tile = size_t(c.queue[c.next++]);
        if (c.done[tile])
            continue;
        c.done[tile] = 1;
        --c.remaining;
        // Strips of the steps may have drawn it, or part of it, already.
        const QRect rect = undrawnPart(l, tileRect(l, c, int(tile)));
        if (rect.isEmpty())
            continue;
        FigObjectList objects;
        for (std::uint32_t i : c.objects[tile]) {
            if (l.painted[i].pixels.intersects(rect))
                objects.push_back(l.painted[i].object);
        }
        std::vector<FigObject*> markers;
        for (std::uint32_t i : c.markers[tile]) {
            if (l.marked[i].pixels.intersects(rect))
                markers.push_back(l.marked[i].object);
        }
        drawPartOf(l, rect, false, objects, markers);
        ++drawnTiles;
    }
    if (c.remaining == 0)
        finishCompletion(l);
}

void startCompletion(DragLayer& l)
{
    l.completion = std::make_unique<DragLayer::Completion>();
    if (!l.completionTimer) {
        l.completionTimer = std::make_unique<QTimer>();
        l.completionTimer->setInterval(0);
        DragLayer* const self = &l;
        QObject::connect(l.completionTimer.get(), &QTimer::timeout, [self]() { completeSlice(*self); });
    }
    l.completionTimer->start();
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
    if (!needed.isEmpty() && !l.pictureRect.contains(needed)) {
        drawPicture(l, offset);
    } else if (!l.lifted.isNull()) {
        // Drawn must be what the canvas did not show, and what lands on
        // anything but plain background.
        const QRegion exact = QRegion(needed).subtracted(l.lifted) + l.unplain.translated(-offset);
        if (!drawNeeded(l, exact))
            drawPicture(l, offset);
    }
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
// were shown at, keeps it, and makes the picture anew: taken from the canvas
// when `objectsShown` tells that it shows the objects unmoved and nothing
// else paints there, else drawn.
void keepCanvas(DragLayer& l, QImage* canvas, int dx, int dy, bool objectsShown)
{
    CFigContext* context = l.context;
    l.dx = dx;
    l.dy = dy;
    l.shown = QRect();
    l.originX = context->originX;
    l.originY = context->originY;
    l.zoom = context->zoom;
    l.dpiX = context->dpiX;
    l.dpiY = context->dpiY;
    l.canvasSize = canvas->size();
    l.redraws = context->canvasRedraws;
    l.reachesFound = false;
    const QPoint offset = pixelOffset(context, dx, dy);
    const QRect shownRect = pixelRect(context, l.x1, l.y1, l.x2, l.y2).intersected(QRect(QPoint(0, 0), l.canvasSize));
    const bool lifting = objectsShown && onlyObjectsShown(l, shownRect);
    if (lifting)
        liftPicture(l, *canvas, shownRect, offset);
    drawWithoutObjects(l, dx, dy);
    l.background = canvas->copy();
    // As a picture drawn now would be drawn: the canvas painter's hints
    // are those its drawing left.
    l.hints = context->painter->renderHints();
    if (!lifting || !finishLift(l))
        drawPicture(l, offset);
    if (!l.lifted.isNull() && !l.picture.isNull())
        startCompletion(l);
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
    // After a whole-canvas redraw the canvas shows the objects where they
    // are; else it shows the picture.
    keepCanvas(*layer, canvas, trackX - anchorX, trackY - anchorY, context->canvasRedraws != layer->redraws);
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
        // The motion so far, from where the objects are.
        layer->velocity = pixelOffset(context, dx, dy);
        // The drag's first step: the canvas shows the objects where they are.
        keepCanvas(*layer, canvas, dx, dy, true);
        canvasHandlers.elasticHandler = afterRedraw;
        return true;
    }
    QImage* canvas = canvasOf(context);
    if (!canvas)
        return true; // nothing to draw on; the picture waits
    if (!sameView(*layer, context, canvas)) {
        // The canvas shows the picture of another view, not the objects.
        keepCanvas(*layer, canvas, dx, dy, false);
        return true;
    }
    takeOff(*layer);
    const QPoint before = pixelOffset(context, layer->dx, layer->dy);
    const QPoint offset = pixelOffset(context, dx, dy);
    if (offset != before)
        layer->velocity = offset - before;
    layer->dx = dx;
    layer->dy = dy;
    const int strips = layer->strips;
    putOn(*layer, offset);
    if (layer->strips != strips)
        ++layer->stripSteps;
    return true;
}

void dragLayerArea(CFigContext* context, const FigObjectList* list, int& x1, int& y1, int& x2, int& y2)
{
    context->boundsCache.listBounds(*context, list, x1, y1, x2, y2);
    growByMarkerReach(context, x1, y1, x2, y2);
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

bool dragLayerLifted()
{
    return layer && !layer->lifted.isNull();
}

int dragLayerStripSteps()
{
    return layer ? layer->stripSteps : 0;
}

bool dragLayerCompleting()
{
    return layer && layer->completion;
}
