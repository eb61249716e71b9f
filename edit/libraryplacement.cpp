// Placing a shape-library clip into a document: copies of the clip's objects
// with fresh identifiers join the current object list as one undo step, the
// clip's user colours merged into the document's first.
#include "app/qtchildfrm.h"
#include "model/addaction.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/undohistory.h"

#include <memory>

void CFigContext::startLibraryPlacement(CFigContext* clip)
{
    if (!clip || clip == this)
        return;
    std::unique_ptr<FigObjectList> copies(cloneObjectListWithIds(&clip->drawing.objects));
    if (!copies || copies->empty())
        return;
    importUserColors(&clip->drawing, copies.get());
    FigObjectList* list = objects();
    auto* step = new ActionStep;
    for (FigObject* object : *copies) {
        auto* action = new AddAction(list, object);
        action->redo(this);
        step->append(action);
    }
    undoHistory.pushActionList(step);
    if (view)
        view->redrawObjectList(copies.get(), false);
    // The objects belong to the drawing now; only the list goes.
}
