#include "edit/dragselection.h"

#include "edit/canvashandlers.h"
#include "edit/draglayer.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"
#include "render/overlapindex.h"

#include <QHash>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <memory>
#include <vector>

FigObjectList dragPreviewObjects;

namespace {

// Owns the clones of a preview until they are no longer needed.
struct OwnedList {
    FigObjectList* list = nullptr;
    explicit OwnedList(FigObjectList* l)
        : list(l)
    {
    }
    ~OwnedList()
    {
        if (!list)
            return;
        deleteAllObjects(list);
        delete list;
    }
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
};

// Where an object of the dragged or the linked list sits in the drawing:
// its place in the list holding it, and its position in its own list.
struct Place {
    FigObjectList::iterator at;
    size_t index;
};

// What every step of one drag shares. The drawing holds still while the
// pointer moves, so the lines linked to the dragged objects, the compounds
// holding those lines, where each of these objects sits and the boxes of
// the other objects are gathered at the first step and kept until the
// preview is cleared; a step then costs what it touches rather than the
// whole drawing. Anything that tells of a changed drawing (another list,
// another step in the undo history, another length of the current list)
// gathers them anew.
struct DragSession {
    CFigContext* context = nullptr;
    const FigObjectList* current = nullptr;
    size_t currentSize = 0;
    int undoSteps = 0;
    int redoSteps = 0;
    const void* newestStep = nullptr;
    std::vector<FigObject*> dragged;
    std::vector<FigObject*> linked;
    FigObjectList linkedList;
    FigObjectList holders;
    // The top-level compounds around the holders: the corners a preview
    // step may fit, and must give back, lie within them.
    FigObjectList holderTops;
    std::vector<Place> draggedPlaces;
    std::vector<Place> linkedPlaces;
    // Whether a line among the dragged objects is linked to an object that
    // stays: its linked point stays too, so the line stretches.
    bool pinnedLinks = false;
    QSet<const FigObject*> changing;
    OverlapIndex index;
};

DragSession* session = nullptr;

void endSession()
{
    delete session;
    session = nullptr;
}

bool sessionFits(CFigContext* context, const FigObjectList* list)
{
    if (!session || session->context != context || session->current != context->objects()
        || session->currentSize != context->objects()->size()
        || session->undoSteps != context->undoHistory.undoSteps.size()
        || session->redoSteps != context->undoHistory.redoSteps.size()
        || session->newestStep != context->undoHistory.newestStep() || list->size() != session->dragged.size()
        || !std::equal(list->begin(), list->end(), session->dragged.begin()))
        return false;
    // The objects are still where they were found.
    for (const Place& place : session->draggedPlaces) {
        if (*place.at != session->dragged[place.index])
            return false;
    }
    for (const Place& place : session->linkedPlaces) {
        if (*place.at != session->linked[place.index])
            return false;
    }
    return true;
}

void collectTree(const FigObjectList* list, std::vector<FigObject*>& out)
{
    for (FigObject* object : *list) {
        out.push_back(object);
        if (object->type == FigObject::Compound)
            collectTree(static_cast<FigCompound*>(object)->members, out);
    }
}

// Whether a line of the list's trees is smart-linked to an object outside
// them.
bool linksLeaveList(const FigObjectList* list)
{
    std::vector<FigObject*> tree;
    collectTree(list, tree);
    QSet<int> ids;
    for (const FigObject* object : tree)
        ids.insert(object->id);
    for (FigObject* object : tree) {
        FigPoint* points = nullptr;
        if (object->type == FigObject::Polyline)
            points = static_cast<FigLine*>(object)->points;
        else if (object->type == FigObject::Spline)
            points = static_cast<FigSpline*>(object)->points;
        for (FigPoint* p = points; p; p = p->next) {
            if (p->link && !ids.contains(p->link->targetObjId))
                return true;
        }
    }
    return false;
}

void startSession(CFigContext* context, const FigObjectList* list)
{
    endSession();
    // The kept boxes of the drawing serve the picture's area and the
    // overlap index; no clone stands in for an object yet.
    context->boundsCache.refresh(*context);
    session = new DragSession;
    DragSession& s = *session;
    s.context = context;
    s.current = context->objects();
    s.currentSize = s.current->size();
    s.undoSteps = context->undoHistory.undoSteps.size();
    s.redoSteps = context->undoHistory.redoSteps.size();
    s.newestStep = context->undoHistory.newestStep();
    s.dragged.assign(list->begin(), list->end());
    // The lines that follow lie in the top-level objects holding links,
    // which the kept boxes list in drawing order.
    const BoundsCache& kept = context->boundsCache;
    const bool keptFresh = kept.fresh(*context);
    collectLinkedObjectsOfList(keptFresh ? &kept.linkingObjects() : &context->drawing.objects, list, s.linkedList);
    s.linked.assign(s.linkedList.begin(), s.linkedList.end());
    context->collectParentCompounds(&s.linkedList, s.holders);

    QHash<const FigObject*, FigObjectList::iterator> places;
    QSet<const FigObject*> wanted(s.dragged.begin(), s.dragged.end());
    for (FigObject* line : s.linked)
        wanted.insert(line);
    const QSet<const FigObject*> holders(s.holders.begin(), s.holders.end());
    // Top-level objects have their places kept: without holders to find,
    // no walk of the drawing is needed.
    bool allKept = keptFresh && holders.isEmpty();
    for (auto it = wanted.constBegin(); allKept && it != wanted.constEnd(); ++it) {
        const int at = kept.indexOf(*it);
        if (at < 0)
            allKept = false;
        else
            places.insert(*it, kept.entries()[size_t(at)].at);
    }
    if (!allKept)
        places.clear();
    // Else one walk of the drawing finds every place, first occurrence
    // first, and the top-level compound around each holder.
    FigObject* top = nullptr;
    bool topHoldsHolder = false;
    auto walk = [&](FigObjectList* objects, auto& self) -> void {
        for (auto it = objects->begin(); it != objects->end(); ++it) {
            FigObject* object = *it;
            if (wanted.contains(object) && !places.contains(object))
                places.insert(object, it);
            if (holders.contains(object))
                topHoldsHolder = true;
            if (object->type == FigObject::Compound)
                self(static_cast<FigCompound*>(object)->members, self);
        }
    };
    for (auto it = context->drawing.objects.begin(); !allKept && it != context->drawing.objects.end(); ++it) {
        top = *it;
        topHoldsHolder = false;
        if (wanted.contains(top) && !places.contains(top))
            places.insert(top, it);
        if (top->type == FigObject::Compound) {
            topHoldsHolder = holders.contains(top);
            walk(static_cast<FigCompound*>(top)->members, walk);
        }
        if (topHoldsHolder)
            s.holderTops.push_back(top);
    }
    for (size_t i = 0; i < s.dragged.size(); ++i) {
        auto found = places.constFind(s.dragged[i]);
        if (found != places.constEnd())
            s.draggedPlaces.push_back({ found.value(), i });
    }
    for (size_t i = 0; i < s.linked.size(); ++i) {
        auto found = places.constFind(s.linked[i]);
        if (found != places.constEnd())
            s.linkedPlaces.push_back({ found.value(), i });
    }
    s.pinnedLinks = linksLeaveList(list);
    s.changing = wanted;
    for (FigObject* holder : s.holders)
        s.changing.insert(holder);
}

// Lends the session's index to the rectangle redraws of one preview.
struct IndexInUse {
    explicit IndexInUse(const OverlapIndex* index) { activeOverlapIndex = index; }
    ~IndexInUse() { activeOverlapIndex = nullptr; }
    IndexInUse(const IndexInUse&) = delete;
    IndexInUse& operator=(const IndexInUse&) = delete;
};

} // namespace

void clearDragPreview()
{
    deleteAllObjects(&dragPreviewObjects);
    dragPreviewObjects.clear();
    endSession();
    forgetDragLayer();
}

void keepDragPreview(const FigObjectList* list)
{
    deleteAllObjects(&dragPreviewObjects);
    dragPreviewObjects.clear();
    if (FigObjectList* copies = cloneObjectList(list)) {
        dragPreviewObjects.splice(dragPreviewObjects.end(), *copies);
        delete copies;
    }
}

bool dragMovesPicture(CFigContext* context, FigObjectList* list)
{
    if (!context || !list || list->empty())
        return false;
    if (!sessionFits(context, list))
        startSession(context, list);
    return dragLayerWanted(context, list, !session->linked.empty() || session->pinnedLinks);
}

void dragSelection(CFigContext* context, FigObjectList* list, int x, int y)
{
    if (!context || !list || list->empty())
        return;
    canvasAction.trackX = x;
    canvasAction.trackY = y;
    const int dx = x - canvasAction.anchorX;
    const int dy = y - canvasAction.anchorY;

    if (!sessionFits(context, list))
        startSession(context, list);
    DragSession& s = *session;
    // Many objects moved rigidly: a picture of them moves instead. No clone
    // stands in for them then: a whole-canvas redraw draws the drawing as it
    // is, and the picture goes on top.
    const bool stretching = !s.linked.empty() || s.pinnedLinks;
    if (!dragPreviewObjects.empty() && dragLayerWanted(context, list, stretching)) {
        deleteAllObjects(&dragPreviewObjects);
        dragPreviewObjects.clear();
    }
    if (showDragLayer(context, list, stretching, dx, dy))
        return;
    const bool drawable = canDraw(context);
    // The boxes are taken before any clone stands in for its object.
    if (drawable && !s.index.fits(*context))
        s.index.build(*context, s.changing);

    OwnedList moved(cloneObjectList(list));
    if (!moved.list)
        return;
    OwnedList stretched(cloneObjectList(&s.linkedList));
    if (!stretched.list)
        return;

    // The clones stand in for the objects while the area is drawn.
    const std::vector<FigObject*> movedClones(moved.list->begin(), moved.list->end());
    const std::vector<FigObject*> stretchedClones(stretched.list->begin(), stretched.list->end());
    for (const Place& place : s.linkedPlaces)
        *place.at = stretchedClones[place.index];
    for (const Place& place : s.draggedPlaces)
        *place.at = movedClones[place.index];
    FigObjectList preview = *stretched.list;
    preview.insert(preview.end(), moved.list->begin(), moved.list->end());
    // The compounds holding stretched lines are redrawn too.
    preview.insert(preview.end(), s.holders.begin(), s.holders.end());

    // The clones of the linked lines are what follows the moved clones. Only
    // the moved clones and the compounds around the holders can have their
    // corners fitted on the way.
    FigObjectList cornerScope = *moved.list;
    cornerScope.insert(cornerScope.end(), s.holderTops.begin(), s.holderTops.end());
    TranslateAction shift(context->objects(), *moved.list, dx, dy, *stretched.list);
    shift.cornerScope = &cornerScope;
    shift.redo(context);
    if (drawable) {
        IndexInUse use(s.index.fits(*context) ? &s.index : nullptr);
        context->redrawListArea(&preview, &dragPreviewObjects, nullptr);
    }
    keepDragPreview(&preview);
    // Moving the clones back also gives the compounds around the stretched
    // lines their corners back: they belong to the drawing.
    shift.undo(context);
    shift.releaseUndone();

    for (const Place& place : s.draggedPlaces)
        *place.at = s.dragged[place.index];
    for (const Place& place : s.linkedPlaces)
        *place.at = s.linked[place.index];
}
