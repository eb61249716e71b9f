#include "model/flipaction.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/smartlinks.h"
#include "model/transforms.h"

namespace {

void mirror(CFigContext* context, FigObject* object, int cx, int cy, int axis)
{
    switch (object->type) {
    case FigObject::Ellipse:
        flipEllipse(&context->drawing.objects, static_cast<FigEllipse*>(object), cx, cy, axis);
        break;
    case FigObject::Polyline:
        flipLine(&context->drawing.objects, static_cast<FigLine*>(object), cx, cy, axis);
        break;
    case FigObject::Spline:
        static_cast<FigSpline*>(object)->flip(cx, cy, axis);
        break;
    case FigObject::Text:
        static_cast<FigText*>(object)->flip(cx, cy, axis);
        break;
    case FigObject::Arc:
        static_cast<FigArc*>(object)->flip(cx, cy, axis);
        break;
    case FigObject::Compound:
        context->flipCompound(static_cast<FigCompound*>(object), cx, cy, axis);
        break;
    default:
        break;
    }
}

} // namespace

void FlipAction::detachOwnLinks(FigObject* object, QList<SmartLink*>& out)
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

FlipAction::FlipAction(FigObjectList* list, FigObject* subject, int cx, int cy, int mirrorAxis)
    : ActionItem(list, subject)
    , centerX(cx)
    , centerY(cy)
    , axis(mirrorAxis)
{
    collectSmartLinkedObjects(list, subject, linkedObjectList);
}

bool FlipAction::redo(CFigContext* context)
{
    savedLinks.clear();
    before.clear();
    if (!object)
        return true;
    FigObjectList followers;
    collectSmartLinkedObjects(&context->drawing.objects, object, followers);
    before.capture(object);
    before.captureList(&followers);
    detachOwnLinks(object, savedLinks);
    mirror(context, object, centerX, centerY, axis);
    // Followers inside compounds moved: the compounds' corners follow at
    // once, as the history's redo makes them, so that the first execution
    // leaves the drawing as every later one does.
    context->updateParentCompoundBounds(&followers);
    return true;
}

bool FlipAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    before.restore();
    reattachLinkRecords(savedLinks);
    return true;
}

void FlipAction::releaseDone()
{
    qDeleteAll(savedLinks);
    savedLinks.clear();
}
