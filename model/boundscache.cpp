#include "model/boundscache.h"

#include "app/preferences.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/figtext.h"

#include <QtGlobal>

#include <algorithm>
#include <iterator>

namespace {

// Whether the object's box depends on the zoom: a text's measures come
// from the screen font of the zoom, arrowheads are measured in pixels.
bool followsZoom(const FigObject* object)
{
    if (object->type == FigObject::Text || object->forwArrow || object->backArrow)
        return true;
    if (object->type != FigObject::Compound)
        return false;
    const FigObjectList* members = static_cast<const FigCompound*>(object)->members;
    return members && std::any_of(members->begin(), members->end(), followsZoom);
}

// Whether the object is, or holds, a line or spline with a linked point.
bool holdsLink(const FigObject* object)
{
    const FigPoint* points = nullptr;
    if (object->type == FigObject::Polyline)
        points = static_cast<const FigLine*>(object)->points;
    else if (object->type == FigObject::Spline)
        points = static_cast<const FigSpline*>(object)->points;
    else if (object->type == FigObject::Compound) {
        const FigObjectList* members = static_cast<const FigCompound*>(object)->members;
        return members && std::any_of(members->begin(), members->end(), holdsLink);
    }
    for (const FigPoint* p = points; p; p = p->next) {
        if (p->link)
            return true;
    }
    return false;
}

// Whether the object is, or holds, a special text, whose box follows its
// LaTeX image while such texts are typeset.
bool holdsSpecialText(const FigObject* object)
{
    if (object->type == FigObject::Text)
        return (static_cast<const FigText*>(object)->fontFlags & 2) != 0;
    if (object->type != FigObject::Compound)
        return false;
    const FigObjectList* members = static_cast<const FigCompound*>(object)->members;
    return members && std::any_of(members->begin(), members->end(), holdsSpecialText);
}

} // namespace

void BoundsCache::measure(CFigContext& context, Entry& entry)
{
    // A text measured first at a new zoom still gives the width of the zoom
    // before (it brings its metrics to the zoom as it is measured): such
    // boxes are measured once more, as every later measurement gives them.
    if (entry.followsZoom)
        entry.object->getBounds(&context, entry.xmin, entry.ymin, entry.xmax, entry.ymax, true, true);
    entry.object->getBounds(&context, entry.xmin, entry.ymin, entry.xmax, entry.ymax, true, true);
}

void BoundsCache::clear()
{
    kept.clear();
    positions.clear();
    linking.clear();
    unsteady = 0;
    valid = false;
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

void BoundsCache::refresh(CFigContext& context)
{
    FigObjectList& list = context.drawing.objects;
    const bool sameDrawing = sameDrawingAs(context);
    if (sameDrawing && zoom == context.zoom)
        return;
    if (sameDrawing) {
        for (Entry& entry : kept) {
            if (entry.followsZoom)
                measure(context, entry);
        }
    } else {
        clear();
        kept.reserve(list.size());
        positions.reserve(int(list.size()));
        typeset = preferences.renderSpecialTextUsingTex;
        for (auto it = list.begin(); it != list.end(); ++it) {
            Entry entry { *it, it, 0, 0, 0, 0, followsZoom(*it), typeset && holdsSpecialText(*it) };
            measure(context, entry);
            if (entry.measuredEachTime)
                ++unsteady;
            positions.insert(*it, int(kept.size()));
            kept.push_back(entry);
            if (holdsLink(*it))
                linking.push_back(*it);
        }
    }
    valid = true;
    changeCount = context.drawingChangeCount();
    listSize = list.size();
    dpiX = context.dpiX;
    dpiY = context.dpiY;
    zoom = context.zoom;
}

void BoundsCache::unite(CFigContext& context, int& xmin, int& ymin, int& xmax, int& ymax)
{
    xmin = ymin = xmax = ymax = 0;
    for (size_t i = 0; i < kept.size(); ++i) {
        Entry e = kept[i];
        if (e.measuredEachTime)
            measure(context, e);
        xmin = i == 0 ? e.xmin : std::min(xmin, e.xmin);
        ymin = i == 0 ? e.ymin : std::min(ymin, e.ymin);
        xmax = i == 0 ? e.xmax : std::max(xmax, e.xmax);
        ymax = i == 0 ? e.ymax : std::max(ymax, e.ymax);
    }
}

void BoundsCache::bounds(CFigContext& context, FigObject* object, int& xmin, int& ymin, int& xmax, int& ymax)
{
    const int at = fresh(context) ? indexOf(object) : -1;
    if (at < 0 || kept[size_t(at)].measuredEachTime) {
        object->getBounds(&context, xmin, ymin, xmax, ymax, true, true);
        return;
    }
    const Entry& e = kept[size_t(at)];
    xmin = e.xmin;
    ymin = e.ymin;
    xmax = e.xmax;
    ymax = e.ymax;
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
    unite(context, xmin, ymin, xmax, ymax);
}
