// Aligning the selected objects of the current list: their boxes are moved so
// that their left, centre or right edges, and their top, centre or bottom
// edges, meet those of a reference box (the current object's, else the whole
// selection's). All moves form one undo step.
//
// The reference and the moved objects are measured the same way, with line
// widths and arrowheads (texts down to their base line), so that aligning
// objects that are already aligned moves nothing and makes no undo step.

#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"
#include "model/undohistory.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

struct Box {
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;

    void unite(const Box& other)
    {
        xmin = std::min(xmin, other.xmin);
        ymin = std::min(ymin, other.ymin);
        xmax = std::max(xmax, other.xmax);
        ymax = std::max(ymax, other.ymax);
    }
};

// The one kind of box alignment measures by.
Box alignmentBounds(CFigContext* context, FigObject* object)
{
    Box box;
    object->getBounds(context, box.xmin, box.ymin, box.xmax, box.ymax, object->type != FigObject::Text, true);
    return box;
}

// Objects on hidden depths, and compounds with no member on a shown one,
// keep their places.
bool alignable(const CFigContext* context, const FigObject* object)
{
    if (object->type == FigObject::Compound)
        return context->compoundHasVisibleMember(static_cast<const FigCompound*>(object));
    return context->depthVisible[std::clamp(object->depth, 0, CFigContext::depthCount - 1)];
}

// The middle of low..high, the half truncated toward zero.
std::int64_t middle(int low, int high)
{
    return low + (std::int64_t(high) - low) / 2;
}

// How far an object's range [low, high] moves to meet the reference range
// [refLow, refHigh] by the mode (0 none, 1 low edges, 2 middles, 3 high
// edges).
std::int64_t offset(int mode, int refLow, int refHigh, int low, int high)
{
    switch (mode) {
    case 1:
        return std::int64_t(refLow) - low;
    case 2:
        return middle(refLow, refHigh) - middle(low, high);
    case 3:
        return std::int64_t(refHigh) - high;
    default:
        return 0;
    }
}

bool fitsInt(std::int64_t v)
{
    return v >= INT_MIN && v <= INT_MAX;
}

} // namespace

void CFigContext::alignSelection()
{
    FigObjectList* list = objects();
    FigObjectList selected;
    collectSelectedObjects(list, selected);
    if (selected.empty())
        return;

    Box reference;
    if (currentObject) {
        reference = alignmentBounds(this, currentObject);
    } else {
        reference = alignmentBounds(this, selected.front());
        for (FigObject* object : selected)
            reference.unite(alignmentBounds(this, object));
    }

    auto* step = new ActionStep;
    FigObjectList area;
    for (FigObject* object : selected) {
        if (!alignable(this, object))
            continue;
        const Box box = alignmentBounds(this, object);
        const std::int64_t dx = offset(alignMode.horizontal, reference.xmin, reference.xmax, box.xmin, box.xmax);
        const std::int64_t dy = offset(alignMode.vertical, reference.ymin, reference.ymax, box.ymin, box.ymax);
        // An object already in place makes no move, so that a selection
        // already aligned gives no undo step at all.
        if ((dx == 0 && dy == 0) || !fitsInt(dx) || !fitsInt(dy))
            continue;
        FigObjectList linked;
        collectSmartLinkedObjects(&drawing.objects, object, linked);
        area.push_back(object);
        for (FigObject* line : linked) {
            if (!pointerListContains(&area, line))
                area.push_back(line);
        }
        step->append(new TranslateAction(list, object, int(dx), int(dy), linked));
    }
    if (step->isEmpty()) {
        delete step;
        return;
    }

    const bool canDraw = painter && painter->isActive();
    if (canDraw) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&area, true);
    }
    executeActionGroup(*step);
    undoHistory.pushActionList(step);
    if (canDraw) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&area, false);
    }
}
