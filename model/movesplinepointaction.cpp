#include "model/movesplinepointaction.h"

#include "model/figcontext.h"
#include "model/figspline.h"
#include "model/pointoperations.h"

MoveSplinePointAction::MoveSplinePointAction(
    FigObjectList* list, FigObject* spline, FigPoint* movedPoint, int moveX, int moveY)
    : MoveLinePointAction(list, spline, movedPoint, moveX, moveY)
{
}

void MoveSplinePointAction::movePoint(CFigContext* context, int offsetX, int offsetY)
{
    if (object && object->type == FigObject::Spline)
        moveSplinePoint(&context->drawing.objects, static_cast<FigSpline*>(object), offsetX, offsetY, point);
}
