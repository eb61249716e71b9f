#include "model/flipaction.h"

#include "model/figcontext.h"

FlipAction::FlipAction(FigObjectList* list, FigObject* subject, int cx, int cy, int mirrorAxis)
    : RigidMotionAction(list, subject, cx, cy)
    , axis(mirrorAxis)
{
}

void FlipAction::apply(CFigContext* context)
{
    context->flipObject(object, centerX, centerY, axis);
}
