#include "model/depths.h"

#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/geometricqueries.h"
#include "model/objectlist.h"
#include "model/windowseam.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

int layersRefreshHold = 0;

namespace {

void setSelectedFlag(FigObject* object, bool selected)
{
    object->selected = selected;
}

bool validDepth(int depth)
{
    return depth >= 0 && depth < CFigContext::depthCount;
}

// Keeps a rebuild of the layers tool bar back for the lifetime of the guard.
struct RefreshHold {
    RefreshHold() { ++layersRefreshHold; }
    ~RefreshHold() { --layersRefreshHold; }
    RefreshHold(const RefreshHold&) = delete;
    RefreshHold& operator=(const RefreshHold&) = delete;
};

} // namespace

// Lists and chains ------------------------------------------------------------

void appendCompoundMembers(FigObjectList* list, const FigCompound* compound)
{
    if (!list || !compound)
        return;
    list->insert(list->end(), compound->members->begin(), compound->members->end());
}

void removeCompoundMembers(FigObjectList* list, const FigCompound* compound)
{
    if (!list || !compound)
        return;
    for (const FigObject* member : *compound->members)
        removeFromObjectList(list, member);
}

void setObjectsSelected(const FigObjectList* list, bool selected)
{
    forEachObjectWithFlag(list, setSelectedFlag, selected);
}

int countPoints(const FigPoint* first)
{
    int count = 0;
    for (const FigPoint* p = first; p; p = p->next)
        ++count;
    return count;
}

FigPoint* lastPoint(FigPoint* first)
{
    if (!first)
        return nullptr;
    FigPoint* p = first;
    while (p->next)
        p = p->next;
    return p;
}

FigPoint* FigPoint::predecessorOf(const FigPoint* point)
{
    if (!point || point == this)
        return nullptr;
    for (FigPoint* p = this; p; p = p->next) {
        if (p->next == point)
            return p;
    }
    return nullptr;
}

ShapeFactorNode* FigSpline::shapeFactorOf(const FigPoint* point) const
{
    return shapeFactorAt(indexOf(point));
}

// Putting objects into lists and taking them out -----------------------------

bool CFigContext::isDrawingList(const FigObjectList* list) const
{
    // The top-level test stays O(1): the reader appends every object there.
    if (!list)
        return false;
    if (list == &drawing.objects)
        return true;
    return findParentCompound(&drawing.objects, list) != nullptr;
}

void CFigContext::addObject(FigObjectList* list, FigObject* object)
{
    insertObject(list, object, -1);
}

void CFigContext::insertObject(FigObjectList* list, FigObject* object, int place)
{
    if (!list || !object)
        return;
    insertIntoList(list, object, place);
    if (!isDrawingList(list))
        return;
    if (object->type == FigObject::Compound)
        addObjectsToDepths(static_cast<FigCompound*>(object)->members);
    else
        addDepthCount(object->type, object->depth);
}

bool CFigContext::removeObject(FigObjectList* list, FigObject* object)
{
    if (!list)
        return false;
    return !object || takeObject(list, object) >= 0;
}

int CFigContext::takeObject(FigObjectList* list, FigObject* object)
{
    if (!list || !object)
        return -1;
    if (std::find(list->begin(), list->end(), object) == list->end())
        return -1; // never counted here: uncounting it would corrupt the tables
    if (isDrawingList(list)) {
        if (object->type == FigObject::Compound)
            removeCompoundFromDepths(static_cast<FigCompound*>(object));
        else
            removeDepthCount(object->type, object->depth);
    }
    return takeFromList(list, object);
}

// Counting ----------------------------------------------------------------------

void CFigContext::addDepthCount(int /*type*/, int depth)
{
    if (!validDepth(depth))
        return;
    if (++depthObjectCount[depth] != 1)
        return; // the depth was in use already: range and tool bar unchanged
    minDepth = -1;
    for (int d = 0; d < depthCount; ++d) {
        if (depthObjectCount[d] > 0) {
            minDepth = d;
            break;
        }
    }
    maxDepth = -1;
    for (int d = depthCount - 1; d >= 0; --d) {
        if (depthObjectCount[d] > 0) {
            maxDepth = d;
            break;
        }
    }
    refreshLayersToolbar();
}

void CFigContext::removeDepthCount(int /*type*/, int depth)
{
    if (!validDepth(depth))
        return;
    --depthObjectCount[depth];
    if (minDepth != -1 && minDepth < depth && depth < maxDepth && depthObjectCount[depth] > 0)
        return;
    int lowest = -1;
    for (int d = 0; d < depthCount; ++d) {
        if (depthObjectCount[d] > 0) {
            lowest = d;
            break;
        }
    }
    minDepth = lowest;
    maxDepth = -1;
    if (lowest != -1) {
        for (int d = depthCount - 1; d >= 0; --d) {
            if (depthObjectCount[d] > 0) {
                maxDepth = d;
                break;
            }
        }
    }
    refreshLayersToolbar();
}

void CFigContext::addObjectsToDepths(const FigObjectList* list)
{
    {
        RefreshHold hold;
        if (list) {
            for (FigObject* object : *list) {
                if (object->type == FigObject::Compound)
                    addObjectsToDepths(static_cast<FigCompound*>(object)->members);
                else
                    addDepthCount(object->type, object->depth);
            }
        }
    }
    // Acts only once the outermost walk has let go of the hold.
    refreshLayersToolbar();
}

void CFigContext::removeCompoundFromDepths(const FigCompound* compound)
{
    if (!compound)
        return;
    {
        RefreshHold hold;
        for (FigObject* object : *compound->members) {
            if (object->type == FigObject::Compound)
                removeCompoundFromDepths(static_cast<FigCompound*>(object));
            else
                removeDepthCount(object->type, object->depth);
        }
    }
    refreshLayersToolbar();
}

void CFigContext::removeObjectsFromDepths(const FigObjectList* list)
{
    if (!list)
        return;
    {
        RefreshHold hold;
        for (FigObject* object : *list) {
            if (object->type == FigObject::Compound)
                removeCompoundFromDepths(static_cast<FigCompound*>(object));
            else
                removeDepthCount(object->type, object->depth);
        }
    }
    refreshLayersToolbar();
}

void CFigContext::clearDepthObjectCounts()
{
    std::fill(std::begin(depthObjectCount), std::end(depthObjectCount), 0);
}

void CFigContext::refreshLayersToolbar()
{
    // A context without a document window (a library clip, a thumbnail) is
    // never shown in the layers tool bar, which belongs to the documents.
    if (layersRefreshHold > 0 || !view)
        return;
    windowSeam().refreshLayers(this);
}

// Visibility --------------------------------------------------------------------

void CFigContext::showAllDepths()
{
    std::fill(std::begin(depthVisible), std::end(depthVisible), true);
}

void CFigContext::setDepthVisible(int depth, bool visible)
{
    if (minDepth == -1 || depth < minDepth || depth > maxDepth)
        return;
    depthVisible[depth] = visible;
    if (!view)
        return;
    // A depth shown with nothing shown in front of it can simply be drawn on
    // top; anything else needs the depths drawn again in order.
    const bool onTop = visible && std::none_of(depthVisible, depthVisible + depth, [](bool shown) { return shown; });
    if (onTop)
        windowSeam().drawObjectsAtDepth(this, depth);
    else
        windowSeam().redisplayCanvas(this);
}

// Point chains --------------------------------------------------------------------

bool CFigContext::findLineSegmentNear(const FigLine* line, FigPoint*& leftPoint, FigPoint*& rightPoint, int& leftIndex,
    int& rightIndex, int x, int y, int tolerance, int& hitX, int& hitY) const
{
    if (!line || !line->points)
        return false;
    FigPoint* first = line->points;
    leftIndex = 0;
    rightIndex = 1;
    if (std::llabs(std::int64_t(x) - first->x) <= tolerance && std::llabs(std::int64_t(y) - first->y) <= tolerance) {
        hitX = first->x;
        hitY = first->y;
        leftPoint = first;
        rightPoint = first->next;
        return true;
    }
    const float tolerance2 = float(tolerance) * float(tolerance);
    int index = 0;
    bool found = false;
    for (FigPoint* p = first; p->next; p = p->next, ++index) {
        if (pointNearSegment(p->x, p->y, p->next->x, p->next->y, x, y, tolerance, tolerance2, hitX, hitY)) {
            leftPoint = p;
            rightPoint = p->next;
            leftIndex = index;
            rightIndex = index + 1;
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    // The last point of a closed polyline repeats the first one.
    if (isClosedPath(line) && rightIndex + 1 == countPoints(first)) {
        rightPoint = first;
        rightIndex = 0;
    }
    return true;
}
