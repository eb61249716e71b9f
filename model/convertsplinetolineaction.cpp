#include "model/convertsplinetolineaction.h"

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"

ConvertSplineToLineAction::ConvertSplineToLineAction(FigObjectList* list, FigSpline* source)
    : ActionItem(list, source)
    , oldObject(source)
{
}

bool ConvertSplineToLineAction::redo(CFigContext* context)
{
    if (!newObject)
        newObject = context->convertSplineToLine(static_cast<FigSpline*>(oldObject));
    if (!newObject)
        return false;
    context->removeObject(ownerList, oldObject);
    context->addObject(ownerList, newObject);
    object = newObject;
    return true;
}

bool ConvertSplineToLineAction::undo(CFigContext* context)
{
    if (!newObject)
        return false;
    context->removeObject(ownerList, newObject);
    context->addObject(ownerList, oldObject);
    object = oldObject;
    return true;
}

void ConvertSplineToLineAction::releaseDone()
{
    if (newObject)
        delete oldObject;
    oldObject = nullptr;
}

void ConvertSplineToLineAction::releaseUndone()
{
    delete newObject;
    newObject = nullptr;
}
