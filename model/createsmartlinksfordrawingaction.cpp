#include "model/createsmartlinksfordrawingaction.h"

#include "model/depths.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"

namespace {

// The first and last point of every polyline and spline of the list's tree.
template <typename Visit> void forEachEndPoint(const FigObjectList* list, Visit visit)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        FigPoint* chain = nullptr;
        if (object->type == FigObject::Polyline)
            chain = static_cast<FigLine*>(object)->points;
        else if (object->type == FigObject::Spline)
            chain = static_cast<FigSpline*>(object)->points;
        else if (object->type == FigObject::Compound)
            forEachEndPoint(static_cast<FigCompound*>(object)->members, visit);
        if (!chain)
            continue;
        visit(chain);
        FigPoint* last = lastPoint(chain);
        if (last != chain)
            visit(last);
    }
}

} // namespace

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
    if (linked) {
        // The records made by the first execution, detached by the undo,
        // go back onto their points, and the ends to where linking put them.
        reattachLinkRecords(linksMade);
        for (const EndPlace& end : endsAfter) {
            end.point->x = end.x;
            end.point->y = end.y;
        }
        return true;
    }
    endsBefore.clear();
    forEachEndPoint(ownerList, [this](FigPoint* p) { endsBefore.append({ p, p->x, p->y }); });
    context->createSmartLinksForList(ownerList, ownerList, linksMade);
    endsAfter.clear();
    forEachEndPoint(ownerList, [this](FigPoint* p) { endsAfter.append({ p, p->x, p->y }); });
    linked = true;
    return true;
}

bool CreateSmartLinksForDrawingAction::undo(CFigContext* context)
{
    (void)context;
    detachLinksOfList(ownerList);
    reattachLinkRecords(linksBefore);
    for (const EndPlace& end : endsBefore) {
        end.point->x = end.x;
        end.point->y = end.y;
    }
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
