#include "model/flipaction.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
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

FlipAction::FlipAction(FigObjectList* list, FigObject* subject, int cx, int cy, int mirrorAxis)
    : RigidMotionAction(list, subject, cx, cy)
    , axis(mirrorAxis)
{
}

void FlipAction::apply(CFigContext* context)
{
    mirror(context, object, centerX, centerY, axis);
}
