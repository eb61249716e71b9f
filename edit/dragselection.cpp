#include "edit/dragselection.h"

#include "edit/canvashandlers.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"

#include <QPainter>

#include <memory>

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

} // namespace

void clearDragPreview()
{
    deleteAllObjects(&dragPreviewObjects);
    dragPreviewObjects.clear();
}

void keepDragPreview(const FigObjectList* list)
{
    clearDragPreview();
    if (FigObjectList* copies = cloneObjectList(list)) {
        dragPreviewObjects.splice(dragPreviewObjects.end(), *copies);
        delete copies;
    }
}

void dragSelection(CFigContext* context, FigObjectList* list, int x, int y)
{
    if (!context || !list || list->empty())
        return;
    canvasAction.trackX = x;
    canvasAction.trackY = y;
    const int dx = x - canvasAction.anchorX;
    const int dy = y - canvasAction.anchorY;

    FigObjectList* drawingList = &context->drawing.objects;
    OwnedList moved(cloneObjectList(list));
    if (!moved.list)
        return;
    FigObjectList linked;
    collectLinkedObjectsOfList(drawingList, list, linked);
    OwnedList stretched(cloneObjectList(&linked));
    if (!stretched.list)
        return;

    // The clones stand in for the objects while the area is drawn.
    FigObjectList preview = *stretched.list;
    preview.insert(preview.end(), moved.list->begin(), moved.list->end());
    context->replaceObjectsById(&preview);

    FigObjectList followers;
    collectLinkedObjectsOfList(drawingList, moved.list, followers);
    FigObjectList holders;
    context->collectParentCompounds(stretched.list, holders);
    for (FigObject* holder : holders) {
        if (!listContainsObject(&preview, holder))
            preview.push_back(holder);
    }

    TranslateAction shift(context->objects(), *moved.list, dx, dy, followers);
    shift.redo(context);
    if (canDraw(context))
        context->redrawListArea(&preview, &dragPreviewObjects, nullptr);
    keepDragPreview(&preview);
    // Moving the clones back also gives the compounds around the stretched
    // lines their corners back: they belong to the drawing.
    shift.undo(context);
    shift.releaseUndone();

    context->replaceObjectsById(&linked);
    context->replaceObjectsById(list);
}
