#include "model/deleteaction.h"

#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/figpoint.h"

DeleteAction::DeleteAction(FigObjectList* list, FigObject* subject)
    : ActionItem(list, subject)
{
}

bool DeleteAction::redo(CFigContext* context)
{
    context->closeEditingInside(object);
    place = context->takeObject(ownerList, object);
    savedLinks.clear(); // attached again by the last undo: not ours to delete
    collectLinkRecordsTo(&context->drawing.objects, object, savedLinks);
    detachLinkRecords(savedLinks);
    return true;
}

bool DeleteAction::undo(CFigContext* context)
{
    context->insertObject(ownerList, object, place);
    reattachLinkRecords(savedLinks);
    return true;
}

void DeleteAction::releaseDone()
{
    delete object;
    object = nullptr;
    qDeleteAll(savedLinks);
    savedLinks.clear();
}
