#include "edit/pastemode.h"

#include "edit/canvashandlers.h"
#include "edit/canvaspainterscope.h"
#include "edit/dragselection.h"
#include "edit/editmodes.h"
#include "edit/editobjects.h"
#include "edit/editstate.h"
#include "edit/floatingobjects.h"
#include "edit/selectmode.h"
#include "edit/usercolors.h"
#include "model/addaction.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "model/figdrawing.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/transforms.h"
#include "model/windowseam.h"
#include "render/colors.h"

#include <QPainter>

namespace {

// The user colours that the paste in progress added to its document.
struct PasteColors {
    CFigContext* document = nullptr; // not owned
    QList<int> added;
};

PasteColors pasteColors;

// Back to the mode before the paste, through the tool panel when there is
// one; the select mode when that mode cannot be chosen again.
void returnToPreviousMode(CFigContext* context)
{
    windowSeam().setEditMode(previousEditMode);
    if (editMode != EditMode::Paste)
        return;
    if (!chooseEditMode(context, previousEditMode)) {
        canvasHandlers = CanvasHandlers();
        initSelectMode();
    }
}

} // namespace

void CFigContext::startPaste()
{
    if (!clipboardObjects)
        return;
    discardFloatingObjects(nullptr);
    FigObjectList* copies = cloneObjectListWithIds(clipboardObjects);
    if (!copies || copies->empty()) {
        deleteAllObjects(copies);
        delete copies;
        editMode = previousEditMode;
        return;
    }
    // The same colours, under this document's numbers.
    FigDrawing colors;
    colors.userColors = clipboardUserColors;
    pasteColors = { this, {} };
    importUserColors(&colors, copies, &pasteColors.added);
    if (!pasteColors.added.isEmpty())
        windowSeam().refreshUserColorLists();

    beginCanvasAction();
    delete selection;
    selection = copies;
    setCanvasHandlers(nullptr, placePaste, cancelPaste);
    clearDragPreview();
    canvasHandlers.selectionMoveHandler = dragSelection;

    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    getObjectListBounds(copies, x1, y1, x2, y2, false, true, true);
    canvasAction.anchorX = canvasAction.trackX = (x2 - x1) / 2 + x1;
    canvasAction.anchorY = canvasAction.trackY = (y2 - y1) / 2 + y1;

    FigObjectList* list = objects();
    for (FigObject* object : *copies)
        addObject(list, object);
    setFloatingObjects(this, list, FloatingKind::Paste);
}

void placePaste(CFigContext* context, int x, int y)
{
    FigObjectList placed;
    if (context && floatingObjectsDocument() == context && context->selection) {
        FigObjectList* list = context->objects();
        takeFloatingObjects(context);
        pasteColors = PasteColors(); // the placed objects use them
        placed = *context->selection;
        context->selection->clear();
        auto* step = new ActionStep;
        for (FigObject* object : placed) {
            translateObject(object, x - canvasAction.anchorX, y - canvasAction.anchorY);
            auto* action = new AddAction(list, object);
            action->redo(context);
            step->append(action);
        }
        forEachObject(&context->drawing.objects, clearSkipRedraw);
        if (previousEditMode == EditMode::Select)
            setObjectsSelected(&placed, true);
        if (canDraw(context))
            context->redrawListArea(&placed, &dragPreviewObjects, nullptr);
        clearDragPreview();
        canvasHandlers.moveHandler = nullptr;
        canvasHandlers.selectionMoveHandler = nullptr;
        context->undoHistory.pushActionList(step);
    }
    setCanvasHandlers(nullptr, nullptr, nullptr);
    canvasHandlers.selectionMoveHandler = nullptr;
    if (context) {
        delete context->selection;
        context->selection = nullptr;
    }
    endCanvasAction();
    returnToPreviousMode(context);
    if (context && previousEditMode == EditMode::Select && !placed.empty()) {
        // Choosing the mode deselected everything.
        setObjectsSelected(&placed, true);
        CanvasPainterScope scope(context);
        for (FigObject* object : placed)
            context->drawObjectMarkers(object);
    }
}

void cancelPaste(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    discardFloatingObjects(context);
    setCanvasHandlers(nullptr, nullptr, nullptr);
    canvasHandlers.selectionMoveHandler = nullptr;
    endCanvasAction();
    returnToPreviousMode(context);
}

void dropPasteColors(CFigContext* context)
{
    if (!context || pasteColors.document != context)
        return;
    const QList<int> added = pasteColors.added;
    pasteColors = PasteColors();
    bool removed = false;
    for (int key : added) {
        // The clipboard's objects number their colours as their own drawing
        // does: they do not count here.
        if (!isColorInUseByDocument(context, key + standardColorCount, false))
            removed = context->drawing.userColors.remove(key) > 0 || removed;
    }
    if (removed)
        windowSeam().refreshUserColorLists();
}
