#include "model/rotateaction.h"

#include "model/figcontext.h"

RotateAction::RotateAction(FigObjectList* list, FigObject* subject, int cx, int cy, int degrees)
    : RigidMotionAction(list, subject, cx, cy)
    , angle(degrees)
{
}

void RotateAction::apply(CFigContext* context)
{
    // The context's turn, so that boxes, arc-boxes and pictures follow the
    // same rule however they are turned.
    context->rotateObject(object, centerX, centerY, angle);
}
