#include "model/convertlinetosplineaction.h"

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"

ConvertLineToSplineAction::ConvertLineToSplineAction(FigObjectList* list, FigLine* source)
    : ConversionAction(list, source)
{
}

FigObject* ConvertLineToSplineAction::convert(CFigContext* context)
{
    return context->convertLineToSpline(static_cast<FigLine*>(oldObject));
}
