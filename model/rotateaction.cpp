#include "model/rotateaction.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/flipaction.h"
#include "model/smartlinks.h"
#include "model/transforms.h"

namespace {

void turn(CFigContext* context, FigObject* object, int cx, int cy, int angle)
{
    switch (object->type) {
    case FigObject::Ellipse:
        rotateEllipse(&context->drawing.objects, static_cast<FigEllipse*>(object), cx, cy, angle);
        break;
    case FigObject::Polyline:
        rotateLine(&context->drawing.objects, static_cast<FigLine*>(object), cx, cy, angle);
        break;
    case FigObject::Spline:
        static_cast<FigSpline*>(object)->rotate(cx, cy, angle);
        break;
    case FigObject::Text:
        static_cast<FigText*>(object)->rotate(cx, cy, angle);
        break;
    case FigObject::Arc:
        static_cast<FigArc*>(object)->rotate(cx, cy, angle);
        break;
    case FigObject::Compound:
        context->rotateCompound(static_cast<FigCompound*>(object), cx, cy, angle);
        break;
    default:
        break;
    }
}

} // namespace

RotateAction::RotateAction(FigObjectList* list, FigObject* subject, int cx, int cy, int degrees)
    : ActionItem(list, subject)
    , centerX(cx)
    , centerY(cy)
    , angle(degrees)
{
    collectSmartLinkedObjects(list, subject, linkedObjectList);
}

bool RotateAction::redo(CFigContext* context)
{
    savedLinks.clear();
    before.clear();
    if (!object)
        return true;
    FigObjectList followers;
    collectSmartLinkedObjects(&context->drawing.objects, object, followers);
    before.capture(object);
    before.captureList(&followers);
    FlipAction::detachOwnLinks(object, savedLinks);
    turn(context, object, centerX, centerY, angle);
    // Followers inside compounds moved: the compounds' corners follow at
    // once, as the history's redo makes them, so that the first execution
    // leaves the drawing as every later one does.
    context->updateParentCompoundBounds(&followers);
    return true;
}

bool RotateAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    before.restore();
    reattachLinkRecords(savedLinks);
    return true;
}

void RotateAction::releaseDone()
{
    qDeleteAll(savedLinks);
    savedLinks.clear();
}
