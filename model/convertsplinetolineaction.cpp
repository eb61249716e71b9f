#include "model/convertsplinetolineaction.h"

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"

ConvertSplineToLineAction::ConvertSplineToLineAction(FigObjectList* list, FigSpline* source)
    : ConversionAction(list, source)
{
}

FigObject* ConvertSplineToLineAction::convert(CFigContext* context)
{
    return context->convertSplineToLine(static_cast<FigSpline*>(oldObject));
}
