#include "edit/copydeletemodes.h"

#include "edit/canvashandlers.h"
#include "edit/dragselection.h"
#include "edit/floatingobjects.h"
#include "edit/picking.h"
#include "model/addaction.h"
#include "model/deleteaction.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/transforms.h"

#include <QPainter>

// ---- Copy ----

void initCopyMode()
{
    setLeftObjectCallback(copyObjectPicked);
    setCanvasHandlers(nullptr, pressHandler<pickObjectLeft>, nullptr);
    canvasHandlers.selectionMoveHandler = nullptr;
    endCanvasAction();
}

bool copyObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY)
{
    Q_UNUSED(type)
    Q_UNUSED(hitX)
    Q_UNUSED(hitY)
    if (!context || !object)
        return false;
    // A copy still floating elsewhere goes first: one gesture at a time.
    discardFloatingObjects(nullptr);
    FigObject* copy = context->cloneUnlinked(object);
    if (!copy)
        return false;
    context->currentObject = copy;
    delete context->selection;
    context->selection = new FigObjectList { copy };

    beginCanvasAction();
    setCanvasHandlers(nullptr, placeCopy, cancelCopy);
    clearDragPreview();
    canvasHandlers.selectionMoveHandler = dragSelection;
    canvasAction.anchorX = canvasAction.trackX = x;
    canvasAction.anchorY = canvasAction.trackY = y;

    FigObjectList* list = context->objects();
    context->addObject(list, copy);
    setFloatingObjects(context, list, FloatingKind::Copy);
    return true;
}

void placeCopy(CFigContext* context, int x, int y)
{
    if (!context || floatingObjectsDocument() != context || !context->selection || context->selection->empty()) {
        initCopyMode();
        return;
    }
    FigObjectList* list = context->objects();
    FigObject* copy = context->selection->front();
    takeFloatingObjects(context);
    translateObject(copy, x - canvasAction.anchorX, y - canvasAction.anchorY);
    auto* action = new AddAction(list, copy);
    action->redo(context);
    context->undoHistory.pushAction(action);
    // A click away from where the last preview showed the copy.
    if ((x != canvasAction.trackX || y != canvasAction.trackY) && canDraw(context)) {
        forEachObject(&context->drawing.objects, clearSkipRedraw);
        const FigObjectList placed { copy };
        context->redrawListArea(&placed, &dragPreviewObjects, nullptr);
    }
    clearDragPreview();
    delete context->selection;
    context->selection = nullptr;
    initCopyMode();
}

void cancelCopy(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    if (context) {
        discardFloatingObjects(context);
        context->currentObject = nullptr;
    }
    initCopyMode();
}

// ---- Delete ----

void initDeleteMode()
{
    setLeftObjectCallback(deleteObjectPicked);
    setCanvasHandlers(nullptr, pressHandler<pickObjectLeft>, nullptr);
    endCanvasAction();
}

bool deleteObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY)
{
    Q_UNUSED(type)
    Q_UNUSED(x)
    Q_UNUSED(y)
    Q_UNUSED(hitX)
    Q_UNUSED(hitY)
    if (!context || !object)
        return false;
    FigObjectList* list = context->objects();
    auto* action = new DeleteAction(list, object);
    context->undoHistory.pushAction(action);
    if (canDraw(context)) {
        forEachObject(&context->drawing.objects, clearSkipRedraw);
        context->redrawObject(object, true);
    }
    if (context->currentObject == object)
        context->currentObject = nullptr;
    action->redo(context);
    context->setModified();
    return false;
}
