#include "render/overlapindex.h"

#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/units.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

bool holdsAny(const FigObject* object, const QSet<const FigObject*>& changing)
{
    if (changing.contains(object))
        return true;
    if (object->type != FigObject::Compound)
        return false;
    for (const FigObject* member : *static_cast<const FigCompound*>(object)->members) {
        if (holdsAny(member, changing))
            return true;
    }
    return false;
}

} // namespace

const OverlapIndex* activeOverlapIndex = nullptr;

void OverlapIndex::build(CFigContext& context, const QSet<const FigObject*>& changing)
{
    clear();
    FigObjectList& list = context.drawing.objects;
    entries.reserve(list.size());
    BoundsCache& cache = context.boundsCache;
    cache.refresh(context);
    if (cache.fresh(context) && cache.entries().size() == list.size()) {
        // The kept boxes, in list order; the top-level objects that are
        // among the changing ones are found from their positions, and only
        // when a changing object lies deeper are the compounds searched.
        for (const BoundsCache::Entry& kept : cache.entries())
            entries.push_back(
                { kept.object, kept.at, kept.xmin, kept.ymin, kept.xmax, kept.ymax, kept.measuredEachTime });
        bool deeper = false;
        for (const FigObject* object : changing) {
            const int at = cache.indexOf(object);
            if (at >= 0)
                entries[size_t(at)].measuredEachTime = true;
            else
                deeper = true;
        }
        if (deeper) {
            for (Entry& entry : entries) {
                if (entry.object->type == FigObject::Compound && holdsAny(entry.object, changing))
                    entry.measuredEachTime = true;
            }
        }
#ifndef NDEBUG
        // A change that did not count would leave a box behind.
        for (const Entry& entry : entries) {
            int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            if (!entry.measuredEachTime)
                entry.object->getBounds(&context, x0, y0, x1, y1, true, true);
            if (!entry.measuredEachTime && (x0 != entry.x0 || y0 != entry.y0 || x1 != entry.x1 || y1 != entry.y1))
                qFatal("kept box (%d %d %d %d) differs from the object's (%d %d %d %d)", entry.x0, entry.y0, entry.x1,
                    entry.y1, x0, y0, x1, y1);
        }
#endif
    } else {
        for (auto it = list.begin(); it != list.end(); ++it) {
            Entry entry { *it, it, 0, 0, 0, 0, !changing.isEmpty() && holdsAny(*it, changing) };
            if (!entry.measuredEachTime)
                (*it)->getBounds(&context, entry.x0, entry.y0, entry.x1, entry.y1, true, true);
            entries.push_back(entry);
        }
    }
    owner = &context;
    listSize = list.size();
    zoom = context.zoom;
    dpiX = context.dpiX;
    dpiY = context.dpiY;
}

void OverlapIndex::clear()
{
    entries.clear();
    owner = nullptr;
    listSize = 0;
}

bool OverlapIndex::fits(const CFigContext& context) const
{
    return owner == &context && listSize == context.drawing.objects.size() && zoom == context.zoom
        && dpiX == context.dpiX && dpiY == context.dpiY;
}

void OverlapIndex::overlapping(CFigContext& context, int x1, int y1, int x2, int y2, std::vector<FigObject*>& out) const
{
    // CFigContext::boundsOverlap with its margins taken once: both boxes grow
    // by four pixels at zoom 1, and the grown intervals must meet on both
    // axes, touching included.
    const std::int64_t mx = roundToInt(displayPixelSize(context.dpiX) * 4.0f);
    const std::int64_t my = roundToInt(displayPixelSize(context.dpiY) * 4.0f);
    const std::int64_t bLeft = x1 - mx;
    const std::int64_t bRight = x2 + mx;
    const std::int64_t bTop = y1 - my;
    const std::int64_t bBottom = y2 + my;
    auto meets = [&](const Entry& e) {
        const std::int64_t aLeft = e.x0 - mx;
        const std::int64_t aRight = e.x1 + mx;
        const std::int64_t aTop = e.y0 - my;
        const std::int64_t aBottom = e.y1 + my;
        const bool horizontal = aLeft < bLeft ? !(aRight < bLeft) : !(bRight < aLeft);
        const bool vertical = aTop < bTop ? !(aBottom < bTop) : !(bBottom < aTop);
        return horizontal && vertical;
    };
    for (const Entry& entry : entries) {
        if (entry.measuredEachTime) {
            FigObject* object = *entry.at;
            int x0 = 0;
            int y0 = 0;
            int xe = 0;
            int ye = 0;
            object->getBounds(&context, x0, y0, xe, ye, true, true);
            if (context.boundsOverlap(x0, y0, xe, ye, x1, y1, x2, y2))
                out.push_back(object);
            continue;
        }
        if (meets(entry))
            out.push_back(entry.object);
    }
}

// ---- The rectangle redraw from the index ----

void redrawIndexedRect(
    CFigContext& context, const OverlapIndex& index, int x1, int y1, int x2, int y2, FigObject* object, bool omit)
{
    // As redrawRect, with the objects outside the rectangle not looked at:
    // they keep whatever skip flags they had and are neither drawn nor
    // marked, as a marking by overlap would have it.
    std::vector<FigObject*> meeting;
    index.overlapping(context, x1, y1, x2, y2, meeting);
    // Left out whether it meets the rectangle or not.
    if (object && omit)
        object->skipRedraw = true;
    FigObjectList drawn;
    for (FigObject* candidate : meeting) {
        if (candidate == object && omit)
            continue;
        candidate->skipRedraw = false;
        // A compound is drawn whole.
        if (candidate->type == FigObject::Compound)
            forEachObject(static_cast<FigCompound*>(candidate)->members, clearSkipRedraw);
        drawn.push_back(candidate);
    }

    context.beginRectRedraw(x1, y1, x2, y2);
    const FigObject* excluded = omit ? object : nullptr;
    context.drawObjectList(&drawn, excluded);
    for (FigObject* candidate : drawn) {
        if (candidate != excluded && candidate->markerState != 0)
            context.drawObjectMarkers(candidate);
    }
    if (transformCenter.isSet)
        context.drawCrossHair(transformCenter.x, transformCenter.y);

    context.painter->setClipping(false);
}
