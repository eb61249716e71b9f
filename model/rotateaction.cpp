#include "model/rotateaction.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
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
    : RigidMotionAction(list, subject, cx, cy)
    , angle(degrees)
{
}

void RotateAction::apply(CFigContext* context)
{
    turn(context, object, centerX, centerY, angle);
}
