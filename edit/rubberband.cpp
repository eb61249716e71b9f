#include "edit/rubberband.h"

#include "model/figcontext.h"

void drawRubberRectangle(CFigContext* context, int x1, int y1, int x2, int y2)
{
    if (!context)
        return;
    context->drawRubberBand(x1, y1, x1, y2, 0, 1);
    context->drawRubberBand(x1, y2, x2, y2, 0, 1);
    context->drawRubberBand(x2, y2, x2, y1, 0, 1);
    context->drawRubberBand(x2, y1, x1, y1, 0, 1);
}
