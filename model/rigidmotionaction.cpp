#include "model/rigidmotionaction.h"

#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/smartlinks.h"
#include "model/undohistory.h"

RigidMotionAction::RigidMotionAction(FigObjectList* list, FigObject* subject, int cx, int cy)
    : ActionItem(list, subject)
    , centerX(cx)
    , centerY(cy)
{
    collectSmartLinkedObjects(list, subject, linkedObjectList);
}

void RigidMotionAction::detachOwnLinks(FigObject* object, QList<SmartLink*>& out)
{
    switch (object->type) {
    case FigObject::Polyline:
    case FigObject::Spline: {
        FigPoint* chain = object->type == FigObject::Polyline ? static_cast<FigLine*>(object)->points
                                                              : static_cast<FigSpline*>(object)->points;
        collectLinkRecordsOfChain(chain, out);
        detachChainLinks(chain);
        break;
    }
    case FigObject::Compound: {
        const FigObjectList* members = static_cast<FigCompound*>(object)->members;
        collectLinkRecordsOfList(members, out);
        detachLinksOfList(members);
        break;
    }
    default:
        break;
    }
}

bool RigidMotionAction::redo(CFigContext* context)
{
    savedLinks.clear();
    before.clear();
    cornersBeforeRedo.clear();
    if (!object)
        return true;
    cornersBeforeRedo.capture(&context->drawing.objects);
    FigObjectList followers;
    collectSmartLinkedObjects(&context->drawing.objects, object, followers);
    before.capture(object);
    before.captureList(&followers);
    detachOwnLinks(object, savedLinks);
    apply(context);
    context->updateParentCompoundBounds(&followers);
    // Their compounds are fitted by the rule every undo and redo of the
    // history follows, so that the first execution leaves the drawing as
    // every later one does.
    fitCompoundsAroundLinked(context, this);
    return true;
}

bool RigidMotionAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    before.restore();
    reattachLinkRecords(savedLinks);
    cornersBeforeRedo.restore();
    return true;
}

void RigidMotionAction::releaseDone()
{
    qDeleteAll(savedLinks);
    savedLinks.clear();
}
