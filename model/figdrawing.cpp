#include "model/figdrawing.h"

#include "model/figcontext.h"
#include "model/figobject.h"
#include "render/colors.h"

FigDrawing::~FigDrawing()
{
    for (FigObject* object : objects)
        delete object;
    objects.clear();
    for (ShadeTable* table : qAsConst(userShades))
        delete table;
    userShades.clear();
}

void FigDrawing::getBounds(
    CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent, bool withLineWidth) const
{
    context->getObjectListBounds(&objects, xmin, ymin, xmax, ymax, false, withTextDescent, withLineWidth);
}
