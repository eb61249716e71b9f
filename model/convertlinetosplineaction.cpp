#include "model/convertlinetosplineaction.h"

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/smartlinks.h"

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
    // Lines linked to the object follow it onto the new chain; undo puts
    // back exactly the points they named.
    links.take(&context->drawing.objects, oldObject);
    rebindConvertedLinks(&context->drawing.objects, oldObject, newObject);
    return true;
}

bool ConvertLineToSplineAction::undo(CFigContext* context)
{
    if (!newObject)
        return false;
    context->removeObject(ownerList, newObject);
    context->addObject(ownerList, oldObject);
    object = oldObject;
    links.restore();
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
