#include "model/createsmartlinksfordrawingaction.h"

#include "model/figcontext.h"
#include "model/figpoint.h"

CreateSmartLinksForDrawingAction::CreateSmartLinksForDrawingAction(FigObjectList* list)
    : ActionItem(list, nullptr)
{
    if (list)
        linkedObjectList = *list;
}

bool CreateSmartLinksForDrawingAction::redo(CFigContext* context)
{
    linksBefore.clear(); // attached again by the last undo: not ours to delete
    collectLinkRecordsOfList(ownerList, linksBefore);
    detachLinksOfList(ownerList);
    // Records of an earlier redo, detached by its undo, are made afresh.
    qDeleteAll(linksMade);
    linksMade.clear();
    context->createSmartLinksForList(ownerList, ownerList, linksMade);
    return true;
}

bool CreateSmartLinksForDrawingAction::undo(CFigContext* context)
{
    (void)context;
    detachLinksOfList(ownerList);
    reattachLinkRecords(linksBefore);
    return true;
}

void CreateSmartLinksForDrawingAction::releaseDone()
{
    qDeleteAll(linksBefore);
    linksBefore.clear();
}

void CreateSmartLinksForDrawingAction::releaseUndone()
{
    qDeleteAll(linksMade);
    linksMade.clear();
}
