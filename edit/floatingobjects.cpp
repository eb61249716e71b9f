#include "edit/floatingobjects.h"

#include "edit/canvaspainterscope.h"
#include "edit/copydeletemodes.h"
#include "edit/dragselection.h"
#include "edit/pastemode.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/windowseam.h"

#include <QPainter>

namespace {

struct Floating {
    CFigContext* document = nullptr; // not owned
    FigObjectList* list = nullptr; // the list holding them; not owned
    FloatingKind kind = FloatingKind::None;
};

Floating floating;

} // namespace

void setFloatingObjects(CFigContext* context, FigObjectList* list, FloatingKind kind)
{
    floating = { context, list, kind };
}

CFigContext* floatingObjectsDocument()
{
    return floating.document;
}

FloatingKind floatingObjectsKind()
{
    return floating.document ? floating.kind : FloatingKind::None;
}

bool takeFloatingObjects(CFigContext* context)
{
    if (!context || floating.document != context)
        return false;
    if (context->selection) {
        for (FigObject* object : *context->selection)
            context->removeObject(floating.list, object);
    }
    floating = Floating();
    return true;
}

void discardFloatingObjects(CFigContext* context, bool redraw)
{
    CFigContext* document = context ? context : floating.document;
    const FloatingKind kind = floatingObjectsKind();
    if (!takeFloatingObjects(document))
        return;
    for (FigObject* object : *document->selection) {
        if (document->currentObject == object)
            document->currentObject = nullptr;
        // The comment tip must not reach for an object that goes.
        windowSeam().forgetHoveredObject(object);
    }
    forEachObject(&document->drawing.objects, clearSkipRedraw);
    if (redraw) {
        // Where the last preview showed them, the drawing without them.
        CanvasPainterScope scope(document);
        if (document->painter && document->painter->isActive())
            document->redrawListArea(nullptr, &dragPreviewObjects, nullptr);
    }
    clearDragPreview();
    deleteAllObjects(document->selection);
    delete document->selection;
    document->selection = nullptr;
    if (kind == FloatingKind::Paste)
        dropPasteColors(document);
}

void cancelFloatingObjects(CFigContext* context)
{
    if (!context || floating.document != context)
        return;
    if (floating.kind == FloatingKind::Paste)
        cancelPaste(context, 0, 0);
    else
        cancelCopy(context, 0, 0);
}
