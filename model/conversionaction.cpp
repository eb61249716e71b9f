#include "model/conversionaction.h"

#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/smartlinks.h"

ConversionAction::ConversionAction(FigObjectList* list, FigObject* source)
    : ActionItem(list, source)
    , oldObject(source)
{
}

bool ConversionAction::redo(CFigContext* context)
{
    if (!newObject)
        newObject = convert(context);
    if (!newObject)
        return false;
    oldPlace = context->takeObject(ownerList, oldObject);
    context->insertObject(ownerList, newObject, newPlace);
    object = newObject;
    // Lines linked to the object follow it onto the new chain; undo puts
    // back exactly the points they named.
    links.take(&context->drawing.objects, oldObject);
    rebindConvertedLinks(&context->drawing.objects, oldObject, newObject);
    return true;
}

bool ConversionAction::undo(CFigContext* context)
{
    if (!newObject)
        return false;
    newPlace = context->takeObject(ownerList, newObject);
    context->insertObject(ownerList, oldObject, oldPlace);
    object = oldObject;
    links.restore();
    return true;
}

void ConversionAction::releaseDone()
{
    if (newObject)
        delete oldObject;
    oldObject = nullptr;
}

void ConversionAction::releaseUndone()
{
    delete newObject;
    newObject = nullptr;
}
