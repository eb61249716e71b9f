#include "model/boundscache.h"

#include "app/preferences.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"

#include <QtGlobal>

#include <algorithm>

namespace {

// Whether the object's box depends on the zoom: a text's measures come
// from the screen font of the zoom.
bool followsZoom(const FigObject* object)
{
    if (object->type == FigObject::Text)
        return true;
    if (object->type != FigObject::Compound)
        return false;
    const FigObjectList* members = static_cast<const FigCompound*>(object)->members;
    return members && std::any_of(members->begin(), members->end(), followsZoom);
}

} // namespace

void BoundsCache::measure(CFigContext& context, FigObject* object, Box& box)
{
    object->getBounds(&context, box.xmin, box.ymin, box.xmax, box.ymax, true, true);
}

void BoundsCache::clear()
{
    boxes.clear();
    valid = false;
}

void BoundsCache::refresh(CFigContext& context)
{
    // Typeset texts take their width from images made as they are drawn:
    // then nothing is kept.
    if (preferences.renderSpecialTextUsingTex) {
        clear();
        return;
    }
    const FigObjectList& list = context.drawing.objects;
    const bool sameDrawing = sameDrawingAs(context);
    if (sameDrawing && zoom == context.zoom)
        return;
    if (sameDrawing) {
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->followsZoom)
                measure(context, const_cast<FigObject*>(it.key()), *it);
        }
    } else {
        boxes.clear();
        boxes.reserve(int(list.size()));
        for (FigObject* object : list) {
            Box box {};
            box.followsZoom = followsZoom(object);
            measure(context, object, box);
            boxes.insert(object, box);
        }
    }
    valid = true;
    changeCount = context.drawingChangeCount();
    listSize = list.size();
    dpiX = context.dpiX;
    dpiY = context.dpiY;
    zoom = context.zoom;
    typeset = preferences.renderSpecialTextUsingTex;
    unite();
}

bool BoundsCache::sameDrawingAs(const CFigContext& context) const
{
    return valid && changeCount == context.drawingChangeCount() && listSize == context.drawing.objects.size()
        && dpiX == context.dpiX && dpiY == context.dpiY && typeset == preferences.renderSpecialTextUsingTex;
}

bool BoundsCache::fresh(const CFigContext& context) const
{
    return sameDrawingAs(context) && zoom == context.zoom;
}

void BoundsCache::unite()
{
    bool first = true;
    for (const Box& box : qAsConst(boxes)) {
        if (first) {
            unionBox[0] = box.xmin;
            unionBox[1] = box.ymin;
            unionBox[2] = box.xmax;
            unionBox[3] = box.ymax;
            first = false;
            continue;
        }
        unionBox[0] = std::min(unionBox[0], box.xmin);
        unionBox[1] = std::min(unionBox[1], box.ymin);
        unionBox[2] = std::max(unionBox[2], box.xmax);
        unionBox[3] = std::max(unionBox[3], box.ymax);
    }
    if (first)
        std::fill(std::begin(unionBox), std::end(unionBox), 0);
}

void BoundsCache::bounds(CFigContext& context, FigObject* object, int& xmin, int& ymin, int& xmax, int& ymax)
{
    const auto found = fresh(context) ? boxes.constFind(object) : boxes.constEnd();
    if (found == boxes.constEnd()) {
        object->getBounds(&context, xmin, ymin, xmax, ymax, true, true);
        return;
    }
    xmin = found->xmin;
    ymin = found->ymin;
    xmax = found->xmax;
    ymax = found->ymax;
#ifndef NDEBUG
    // A change that did not count would leave a box behind.
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    object->getBounds(&context, x0, y0, x1, y1, true, true);
    if (x0 != xmin || y0 != ymin || x1 != xmax || y1 != ymax)
        qFatal(
            "kept box (%d %d %d %d) differs from the object's (%d %d %d %d)", xmin, ymin, xmax, ymax, x0, y0, x1, y1);
#endif
}

void BoundsCache::listBounds(
    CFigContext& context, const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax)
{
    xmin = ymin = xmax = ymax = 0;
    bool first = true;
    for (FigObject* object : *list) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bounds(context, object, x0, y0, x1, y1);
        xmin = first ? x0 : std::min(xmin, x0);
        ymin = first ? y0 : std::min(ymin, y0);
        xmax = first ? x1 : std::max(xmax, x1);
        ymax = first ? y1 : std::max(ymax, y1);
        first = false;
    }
}

void BoundsCache::drawingBounds(CFigContext& context, int& xmin, int& ymin, int& xmax, int& ymax)
{
    refresh(context);
    if (!valid) {
        context.getObjectListBounds(&context.drawing.objects, xmin, ymin, xmax, ymax, false, true, true);
        return;
    }
    xmin = unionBox[0];
    ymin = unionBox[1];
    xmax = unionBox[2];
    ymax = unionBox[3];
}
