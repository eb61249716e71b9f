#include "model/convertsplinetolineaction.h"

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/smartlinks.h"

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
    // Lines linked to the object follow it onto the new chain; undo puts
    // back exactly the points they named.
    links.take(&context->drawing.objects, oldObject);
    rebindConvertedLinks(&context->drawing.objects, oldObject, newObject);
    return true;
}

bool ConvertSplineToLineAction::undo(CFigContext* context)
{
    if (!newObject)
        return false;
    context->removeObject(ownerList, newObject);
    context->addObject(ownerList, oldObject);
    object = oldObject;
    links.restore();
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
