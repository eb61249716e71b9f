#include "model/convertlinetosplineaction.h"

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"

ConvertLineToSplineAction::ConvertLineToSplineAction(FigObjectList* list, FigLine* source)
    : ActionItem(list, source)
    , oldObject(source)
{
}

bool ConvertLineToSplineAction::redo(CFigContext* context)
{
    if (!newObject)
        newObject = context->convertLineToSpline(static_cast<FigLine*>(oldObject));
    if (!newObject)
        return false;
    context->removeObject(ownerList, oldObject);
    context->addObject(ownerList, newObject);
    object = newObject;
    return true;
}

bool ConvertLineToSplineAction::undo(CFigContext* context)
{
    if (!newObject)
        return false;
    context->removeObject(ownerList, newObject);
    context->addObject(ownerList, oldObject);
    object = oldObject;
    return true;
}

void ConvertLineToSplineAction::releaseDone()
{
    if (newObject)
        delete oldObject;
    oldObject = nullptr;
}

void ConvertLineToSplineAction::releaseUndone()
{
    delete newObject;
    newObject = nullptr;
}
