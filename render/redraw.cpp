// The canvas redraw: the whole canvas in its fixed order of layers, a
// rectangle with its overlapping objects (one object or a list left out or
// forced in), the wrappers that derive the rectangle from bounds, and the
// depth-ordered drawing of an object list that all of them share. The skip
// flags of the objects carry a region redraw's choice from the marking to
// the drawing.

#include "app/preferences.h"
#include "edit/canvashandlers.h"
#include "edit/dragselection.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/rubberband.h"
#include "model/bounds.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/objectplaces.h"
#include "model/units.h"
#include "model/windowseam.h"
#include "render/canvasmapping.h"
#include "render/drawnarea.h"
#include "render/drawprogress.h"
#include "render/fonts.h"
#include "render/latextext.h"
#include "render/overlapindex.h"
#include "render/primitives.h"

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSet>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

int drawProgressInterval = 100;

namespace {

// How many objects ahead drawCollected fetches an object's memory.
constexpr size_t prefetchDistance = 2;

// Four screen pixels at zoom 1 in Fig units, the same at every zoom.
int fourPixelMargin(float dpi)
{
    return roundToInt(displayPixelSize(dpi) * 4.0f);
}

// Four screen pixels at the current zoom: how far a marker reaches beyond
// the point it marks.
int markerMargin(float dpi, float zoom)
{
    return roundToInt(displayPixelSize(dpi) / zoom * 4.0f);
}

// The margins of the bounds-based redraws. Below zoom 1 a fixed number of
// Fig units is less than a marker on the screen, so they never shrink below
// the marker size, or a redraw would leave parts of markers behind.
int redrawMargin(const CFigContext& context)
{
    return std::max(fourPixelMargin(context.dpiX), markerMargin(context.dpiX, context.zoom));
}

int fivePixelMargin(const CFigContext& context)
{
    return std::max(roundToInt(displayPixelSize(context.dpiX) * 5.0f), markerMargin(context.dpiX, context.zoom));
}

void grow(int& xmin, int& ymin, int& xmax, int& ymax, int n)
{
    xmin = clampToInt(std::int64_t(xmin) - n);
    ymin = clampToInt(std::int64_t(ymin) - n);
    xmax = clampToInt(std::int64_t(xmax) + n);
    ymax = clampToInt(std::int64_t(ymax) + n);
}

void clearMemberSkipFlags(const FigCompound* compound)
{
    forEachObject(compound->members, clearSkipRedraw);
}

// Every object of the list's tree, compounds and their members at every
// nesting: what listContainsObject answers true for, as a set, so that a
// redraw of a large selection does not walk the selection once per object.
void collectTree(const FigObjectList* list, QSet<const FigObject*>& out)
{
    if (!list)
        return;
    for (const FigObject* object : *list) {
        out.insert(object);
        if (object->type == FigObject::Compound)
            collectTree(static_cast<const FigCompound*>(object)->members, out);
    }
}

// Gives every member of an entered compound, at any nesting, that belongs
// to the excluded objects skip := omit; excluded compounds are not entered.
void markListMembers(const FigObjectList* members, const QSet<const FigObject*>& excluded, bool omit)
{
    for (FigObject* member : *members) {
        if (excluded.contains(member)) {
            member->skipRedraw = omit;
            if (omit)
                continue;
        }
        if (member->type == FigObject::Compound)
            markListMembers(static_cast<FigCompound*>(member)->members, excluded, omit);
    }
}

// Appends every object of the tree that a depth-ordered drawing draws to the
// bucket of its depth: compounds that are neither skipped nor excluded are
// entered, other objects are taken unless skipped or excluded, or unable to
// paint into `area` when there is one. Depths above `deepest` are not drawn.
void collectByDepth(CFigContext* context, const FigObjectList* list, const FigObject* excluded, int deepest,
    const FigArea* area, std::vector<std::vector<FigObject*>>& buckets)
{
    for (FigObject* object : *list) {
        if (object->type == FigObject::Compound) {
            if (object != excluded && !object->skipRedraw)
                collectByDepth(context, static_cast<FigCompound*>(object)->members, excluded, deepest, area, buckets);
        } else if (object->depth >= 0 && object->depth <= deepest && !object->skipRedraw && object != excluded
            && (!area || objectMayPaintIn(context, object, *area))) {
            buckets[static_cast<size_t>(object->depth)].push_back(object);
        }
    }
}

// What a canvas area redraw does first, in one walk of the tree rather than
// three (with 100000 objects each walk costs more than drawing the few that
// show): gives every object skip := false, collects the objects that may
// paint into `area` by depth as collectByDepth does with nothing skipped or
// excluded, and lists, in order, the objects of `markerList` that show
// markers.
void clearAndCollect(CFigContext* context, const FigObjectList* list, int deepest, const FigArea& area,
    std::vector<std::vector<FigObject*>>& buckets, const FigObjectList* markerList, std::vector<FigObject*>& marked)
{
    const bool listsMarkers = list == markerList;
    for (FigObject* object : *list) {
        object->skipRedraw = false;
        if (listsMarkers && object->markerState != 0)
            marked.push_back(object);
        if (object->type == FigObject::Compound) {
            if (const FigObjectList* members = static_cast<FigCompound*>(object)->members)
                clearAndCollect(context, members, deepest, area, buckets, markerList, marked);
        } else if (object->depth >= 0 && object->depth <= deepest && objectMayPaintIn(context, object, area)) {
            buckets[static_cast<size_t>(object->depth)].push_back(object);
        }
    }
}

// Draws the collected objects, deepest first, each depth in the order of
// collection; the LaTeX images the texts need are made all at once first.
// With `showProgress`, a draw that takes long shows the canvas drawn so far
// in its window now and then, so that a large drawing appears while it is
// drawn rather than after a blank wait.
void drawCollected(
    CFigContext& context, int deepest, const std::vector<std::vector<FigObject*>>& buckets, bool showProgress = false)
{
    if (preferences.renderSpecialTextUsingTex) {
        std::vector<FigText*> texts;
        for (int depth = deepest; depth >= 0; --depth) {
            if (!context.depthVisible[depth] && context.layerDrawMode == 12)
                continue;
            for (FigObject* object : buckets[static_cast<size_t>(depth)]) {
                if (object->type != FigObject::Text)
                    continue;
                if (auto* text = dynamic_cast<FigText*>(object))
                    texts.push_back(text);
            }
        }
        if (texts.size() > 1)
            typesetSpecialTexts(context, texts);
    }
    size_t total = 0;
    if (showProgress) {
        for (const std::vector<FigObject*>& bucket : buckets)
            total += bucket.size();
    }
    QElapsedTimer clock;
    clock.start();
    qint64 nextReport = drawProgressInterval;
    size_t done = 0;
    bool reported = false;
    for (int depth = deepest; depth >= 0; --depth) {
        if (!context.depthVisible[depth] && context.layerDrawMode == 12)
            continue;
        const std::vector<FigObject*>& bucket = buckets[static_cast<size_t>(depth)];
        const size_t count = bucket.size();
        for (size_t i = 0; i < count; ++i) {
            // The objects of a depth lie anywhere in memory: the one drawn a
            // few steps ahead is fetched now, so that drawing does not wait
            // for it.
            if (i + prefetchDistance < count)
                __builtin_prefetch(bucket[i + prefetchDistance]);
            FigObject* object = bucket[i];
            object->draw(&context);
            ++context.objectsDrawn;
            // The clock is read every 64 objects: reading it costs more
            // than drawing a small object.
            if (showProgress && (++done & 63) == 0 && clock.elapsed() >= nextReport) {
                windowSeam().showDrawProgress(&context, int(done * 100 / total), false);
                reported = true;
                nextReport = clock.elapsed() + drawProgressInterval;
            }
        }
    }
    if (reported)
        windowSeam().showDrawProgress(&context, 100, true);
}

// The Fig area of a rectangle of canvas pixels, a pixel wider on every side
// so that rounding at its edges cannot lose an object.
FigArea figAreaOfPixels(const CFigContext& context, const QRect& pixels)
{
    FigArea area;
    area.x1 = pixelToFigUnclamped(pixels.left() - 1, context.dpiX, context.zoom, context.originX);
    area.y1 = pixelToFigUnclamped(pixels.top() - 1, context.dpiY, context.zoom, context.originY);
    area.x2 = pixelToFigUnclamped(pixels.right() + 2, context.dpiX, context.zoom, context.originX);
    area.y2 = pixelToFigUnclamped(pixels.bottom() + 2, context.dpiY, context.zoom, context.originY);
    return area;
}

// The Fig area of a rectangle redraw: the rectangle grown by the margins of
// the overlap test (both boxes grow there), so that whatever that test lets
// through is tested no further here.
FigArea figAreaOfRect(const CFigContext& context, int x1, int y1, int x2, int y2)
{
    const int mx = 2 * fourPixelMargin(context.dpiX) + 1;
    const int my = 2 * fourPixelMargin(context.dpiY) + 1;
    FigArea area;
    area.x1 = clampToInt(std::int64_t(std::min(x1, x2)) - mx);
    area.y1 = clampToInt(std::int64_t(std::min(y1, y2)) - my);
    area.x2 = clampToInt(std::int64_t(std::max(x1, x2)) + mx);
    area.y2 = clampToInt(std::int64_t(std::max(y1, y2)) + my);
    return area;
}

// While a drag, a point move or a scaling is under way, its last preview
// shows the objects where the pointer has taken them, and the next preview
// redraws only the area of the last one. A whole-canvas redraw in between
// must show them there as well, or the objects would stay behind where they
// were: the preview's clones stand in for them (by identifier) while the
// canvas is drawn, and the objects go back in reverse order afterwards.
class PreviewStandIns {
public:
    PreviewStandIns(CFigContext* context, bool shown)
    {
        if (!shown)
            return;
        FigObjectList clones = dragPreviewObjects;
        if (context->editCopy)
            clones.push_back(context->editCopy);
        if (clones.empty())
            return;
        // The place of each identifier (the first in the drawing's order) is
        // found in one walk rather than in one search per clone, which a
        // preview of thousands of objects could not afford; a compound put
        // in or taken out brings or takes its members' places.
        QSet<int> wanted;
        for (const FigObject* clone : clones)
            wanted.insert(clone->id);
        ObjectPlaces places(&context->drawing.objects, wanted);
        for (FigObject* clone : clones) {
            FigObjectList::iterator at;
            FigObject* original = places.replace(clone, &at);
            if (original && original != clone)
                swaps.push_back({ at, original });
        }
    }
    ~PreviewStandIns()
    {
        // Undone in reverse order, each object back in the place it left.
        for (auto it = swaps.rbegin(); it != swaps.rend(); ++it)
            *it->at = it->original;
    }
    PreviewStandIns(const PreviewStandIns&) = delete;
    PreviewStandIns& operator=(const PreviewStandIns&) = delete;

private:
    struct Swap {
        FigObjectList::iterator at;
        FigObject* original;
    };
    std::vector<Swap> swaps;
};

// What a whole and a partial redraw paint in a rectangle of canvas pixels:
// the background, grid, paper frame, the objects that may paint into it (the
// others are not drawn) and all markers.
void paintCanvasArea(CFigContext& context, const QRect& area, bool showProgress = false)
{
    context.fillRect(preferences.backgroundColor, area.left(), area.top(), area.right(), area.bottom());
    const int deepest = std::min(context.maxDepth, CFigContext::depthCount - 1);
    const FigArea shown = figAreaOfPixels(context, area);
    std::vector<std::vector<FigObject*>> buckets(static_cast<size_t>(std::max(deepest, -1) + 1));
    // The objects whose markers are drawn: those of the list being edited
    // that show them. With a compound open for editing that list is found
    // by the separate walk of drawAllMarkers.
    const FigObjectList* markerList = context.objects();
    const bool markersFromWalk = markerList == &context.drawing.objects;
    std::vector<FigObject*> marked;
    clearAndCollect(
        &context, &context.drawing.objects, deepest, shown, buckets, markersFromWalk ? markerList : nullptr, marked);
    if (context.gridOn)
        context.drawGrid();
    context.drawPaperFrame();
    if (deepest >= 0) {
        context.anchorFillPatterns();
        drawCollected(context, deepest, buckets, showProgress);
    }
    if (!markersFromWalk) {
        context.drawAllMarkers(nullptr);
        return;
    }
    // As drawAllMarkers does: nothing is skipped now, and drawing objects
    // changes no marker state.
    for (FigObject* object : marked)
        context.drawObjectMarkers(object);
    if (transformCenter.isSet)
        context.drawCrossHair(transformCenter.x, transformCenter.y);
}

} // namespace

// ---- Whole canvas ----

void CFigContext::anchorFillPatterns()
{
    // The pattern bitmaps are 32 pixels square: the remainder is enough, and
    // cannot overflow.
    if (painter)
        painter->setBrushOrigin(QPoint(-(originX % 32), -(originY % 32)));
}

void CFigContext::redrawCanvas()
{
    if (!view || !painter)
        return;
    ++canvasRedraws;
    // The texts of a new zoom come in new sizes: the fonts of older zooms
    // are let go (the last text font stays with the painter that holds it).
    static float zoomOfLastRedraw = 0.0f;
    if (zoom != zoomOfLastRedraw) {
        screenFontsZoomed();
        zoomOfLastRedraw = zoom;
    }
    const QRect area(QPoint(0, 0), windowSeam().canvasSize(this));
    // Only the canvas of the gesture's own document shows what it shows.
    const CFigContext* gestureOwner = canvasGestureDocument();
    const bool gestureHere = !gestureOwner || gestureOwner == this;
    PreviewStandIns standIns(this, gestureHere && isGestureInProgress());
    paintCanvasArea(*this, area, true);

    // The rubber band of a gesture in progress comes last, on top of
    // everything: the gesture erases it by drawing it again inverted, which
    // only restores the canvas when nothing was drawn over it.
    if (canvasAction.actionInProgress && gestureHere) {
        if (editMode == EditMode::ScaleComp)
            drawRubberRectangle(
                this, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
        if (canvasAction.actionInProgress && canvasHandlers.elasticHandler)
            canvasHandlers.elasticHandler(
                this, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
    }
}

void CFigContext::redrawCanvasPixels(const QRect& pixels)
{
    if (!view || !painter)
        return;
    const QRect area = pixels.intersected(QRect(QPoint(0, 0), windowSeam().canvasSize(this)));
    if (area.isEmpty())
        return;
    // Qt rasterises a shape over the whole of its device whatever the clip:
    // an object crossing a narrow strip would cost as much as drawing it in
    // full. The strip is therefore drawn into an image of its own size, with
    // the canvas coordinates moved onto it, and copied into the canvas.
    QPaintDevice* device = painter->device();
    if (device && device->devType() == QInternal::Image && qFuzzyCompare(device->devicePixelRatioF(), 1.0)) {
        QImage strip(area.size(), static_cast<QImage*>(device)->format());
        QPainter stripPainter;
        if (!strip.isNull() && stripPainter.begin(&strip)) {
            stripPainter.setRenderHints(painter->renderHints());
            stripPainter.translate(-area.left(), -area.top());
            // Drawing that narrows the clip (around arrowheads) and puts it
            // back finds one in canvas coordinates, as on the canvas.
            stripPainter.setClipRect(area);
            QPainter* const canvasPainter = painter;
            painter = &stripPainter;
            paintCanvasArea(*this, area);
            stripPainter.end();
            painter = canvasPainter;
            const QPainter::CompositionMode mode = painter->compositionMode();
            painter->setCompositionMode(QPainter::CompositionMode_Source);
            painter->drawImage(area.topLeft(), strip);
            painter->setCompositionMode(mode);
            return;
        }
    }
    painter->setClipRect(area, Qt::ReplaceClip);
    paintCanvasArea(*this, area);
    painter->setClipping(false);
}

// ---- Rectangles ----

void CFigContext::markObjectsForRedraw(FigObject* object, bool omit, int x1, int y1, int x2, int y2)
{
    forEachObject(&drawing.objects, clearSkipRedraw);
    // The cheap drawn area first: the exact box only for what is near.
    const FigArea near = figAreaOfRect(*this, x1, y1, x2, y2);
    for (FigObject* candidate : drawing.objects) {
        if (candidate == object)
            candidate->skipRedraw = omit;
        else
            candidate->skipRedraw
                = !objectMayPaintIn(this, candidate, near) || !objectOverlapsRect(candidate, x1, y1, x2, y2);
        // A compound is drawn whole or not at all.
        if (!candidate->skipRedraw && candidate->type == FigObject::Compound)
            clearMemberSkipFlags(static_cast<FigCompound*>(candidate));
    }
}

void CFigContext::beginRectRedraw(int x1, int y1, int x2, int y2)
{
    const int px1 = figToPixelX(x1);
    const int py1 = figToPixelY(y1);
    const int px2 = figToPixelX(x2);
    const int py2 = figToPixelY(y2);
    painter->setClipRect(QRect(px1, py1, clampToInt(std::llabs(std::int64_t(px2) - px1) + 1),
                             clampToInt(std::llabs(std::int64_t(py2) - py1) + 1)),
        Qt::ReplaceClip);
    fillRectCorners(painter, px1, py1, px2, py2, preferences.backgroundColor);
    if (gridOn)
        drawGrid();
    drawPaperFrame();
}

void CFigContext::redrawRect(int x1, int y1, int x2, int y2, FigObject* object, bool omit)
{
    if (!painter)
        return;
    // A drag knows the boxes of what holds still: the objects outside the
    // rectangle need not be measured. (An object to be drawn whether it meets
    // the rectangle or not, and a compound open for editing, take the way
    // below.)
    if (activeOverlapIndex && activeOverlapIndex->builtFor(this) && objects() == &drawing.objects
        && (!object || omit)) {
        redrawIndexedRect(*this, *activeOverlapIndex, x1, y1, x2, y2, object, omit);
        return;
    }
    markObjectsForRedraw(object, omit, x1, y1, x2, y2);
    beginRectRedraw(x1, y1, x2, y2);
    const FigObject* excluded = omit ? object : nullptr;
    drawObjectList(&drawing.objects, excluded);
    drawAllMarkers(excluded);

    painter->setClipping(false);
}

void CFigContext::redrawRectExceptList(int x1, int y1, int x2, int y2, const FigObjectList* list, bool omit)
{
    if (!painter)
        return;
    QSet<const FigObject*> listed;
    collectTree(list, listed);

    forEachObject(&drawing.objects, clearSkipRedraw);
    const FigArea near = figAreaOfRect(*this, x1, y1, x2, y2);
    for (FigObject* candidate : drawing.objects) {
        if (listed.contains(candidate))
            candidate->skipRedraw = omit;
        else
            candidate->skipRedraw
                = !objectMayPaintIn(this, candidate, near) || !objectOverlapsRect(candidate, x1, y1, x2, y2);
        if (!candidate->skipRedraw && candidate->type == FigObject::Compound) {
            auto* compound = static_cast<FigCompound*>(candidate);
            clearMemberSkipFlags(compound);
            // The list may hold members of a compound (those of the compound
            // open for editing): they are left out or forced in as well.
            markListMembers(compound->members, listed, omit);
        }
    }

    beginRectRedraw(x1, y1, x2, y2);
    drawObjectList(&drawing.objects, nullptr);
    if (omit)
        drawMarkersExceptList(list);
    else
        drawAllMarkers(nullptr);

    painter->setClipping(false);
}

// ---- Areas from bounds ----

void CFigContext::redrawObject(FigObject* object, bool omit)
{
    if (!object)
        return;
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    object->getBounds(this, xmin, ymin, xmax, ymax, true, true);
    if (object->type == FigObject::Compound)
        ymax = clampToInt(std::int64_t(ymax) + markerMargin(dpiY, zoom));
    grow(xmin, ymin, xmax, ymax, redrawMargin(*this));
    redrawRect(xmin, ymin, xmax, ymax, object, omit);
}

void CFigContext::redrawObjectList(const FigObjectList* list, bool omit)
{
    // Without a painter there is nothing to draw, and the bounds of a long
    // list are not free.
    if (!list || !painter)
        return;
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    getObjectListBounds(list, xmin, ymin, xmax, ymax, false, true, true);
    grow(xmin, ymin, xmax, ymax, redrawMargin(*this));
    redrawRectExceptList(xmin, ymin, xmax, ymax, list, omit);
}

void CFigContext::redrawListArea(const FigObjectList* listA, const FigObjectList* listB, FigObject* omitted)
{
    if (!painter)
        return;
    bool any = false;
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    auto unite = [&](FigObject* object, int margin) {
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        object->getBounds(this, x0, y0, x1, y1, true, true);
        grow(x0, y0, x1, y1, margin);
        if (!any) {
            xmin = x0;
            ymin = y0;
            xmax = x1;
            ymax = y1;
            any = true;
            return;
        }
        xmin = std::min(xmin, x0);
        ymin = std::min(ymin, y0);
        xmax = std::max(xmax, x1);
        ymax = std::max(ymax, y1);
    };
    if (listA) {
        for (FigObject* object : *listA)
            unite(object, 0);
    }
    if (listB) {
        const int margin = fivePixelMargin(*this);
        for (FigObject* object : *listB)
            unite(object, margin);
    }
    if (!any)
        return;
    grow(xmin, ymin, xmax, ymax, redrawMargin(*this));
    redrawRect(xmin, ymin, xmax, ymax, omitted, true);
}

void CFigContext::redrawObjectArea(const FigObjectList* listA, FigObject* object, FigObject* omitted)
{
    FigObjectList listB;
    if (object)
        listB.push_back(object);
    redrawListArea(listA, &listB, omitted);
}

void CFigContext::redrawTwoObjectsArea(FigObject* object, FigObject* other, FigObject* omitted)
{
    FigObjectList listA;
    if (object)
        listA.push_back(object);
    FigObjectList listB;
    if (other)
        listB.push_back(other);
    redrawListArea(&listA, &listB, omitted);
}

// ---- Depth-ordered drawing ----

void CFigContext::drawAllObjects()
{
    forEachObject(&drawing.objects, clearSkipRedraw);
    drawObjectList(&drawing.objects, nullptr);
}

void CFigContext::drawObjectList(const FigObjectList* list, const FigObject* excluded)
{
    drawObjectListWithin(list, excluded, nullptr);
}

void CFigContext::drawObjectListWithin(const FigObjectList* list, const FigObject* excluded, const FigArea* area)
{
    if (!list)
        return;
    const int deepest = std::min(maxDepth, depthCount - 1);
    if (deepest < 0)
        return;
    anchorFillPatterns();
    // One walk of the tree sorts the objects to draw into their depths, in
    // list order with the members of a compound at the compound's place;
    // the depths are then drawn deepest first, so that lower depths lie on
    // top. Walking the tree once per depth would cost as much as drawing.
    std::vector<std::vector<FigObject*>> buckets(static_cast<size_t>(deepest) + 1);
    collectByDepth(this, list, excluded, deepest, area, buckets);
    drawCollected(*this, deepest, buckets);
}

void CFigContext::drawObjectsAtDepth(const FigObjectList* list, int depth, const FigObject* excluded)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        if (object->type == FigObject::Compound) {
            if (object != excluded && !object->skipRedraw)
                drawObjectsAtDepth(static_cast<FigCompound*>(object)->members, depth, excluded);
        } else if (object->depth == depth && !object->skipRedraw && object != excluded) {
            object->draw(this);
        }
    }
}

// ---- Overlap ----

bool CFigContext::objectOverlapsRect(FigObject* object, int x1, int y1, int x2, int y2)
{
    if (!object)
        return false;
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    object->getBounds(this, xmin, ymin, xmax, ymax, true, true);
    return boundsOverlap(xmin, ymin, xmax, ymax, x1, y1, x2, y2);
}

bool CFigContext::boundsOverlap(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2) const
{
    // In 64 bits: growing a box at the edge of the int range must not wrap.
    const std::int64_t mx = fourPixelMargin(dpiX);
    const std::int64_t my = fourPixelMargin(dpiY);
    const std::int64_t aLeft = ax1 - mx;
    const std::int64_t aRight = ax2 + mx;
    const std::int64_t aTop = ay1 - my;
    const std::int64_t aBottom = ay2 + my;
    const std::int64_t bLeft = bx1 - mx;
    const std::int64_t bRight = bx2 + mx;
    const std::int64_t bTop = by1 - my;
    const std::int64_t bBottom = by2 + my;
    const bool horizontal = aLeft < bLeft ? !(aRight < bLeft) : !(bRight < aLeft);
    const bool vertical = aTop < bTop ? !(aBottom < bTop) : !(bBottom < aTop);
    return horizontal && vertical;
}
