#include "model/addaction.h"

#include "model/figcontext.h"
#include "model/figobject.h"

AddAction::AddAction(FigObjectList* list, FigObject* subject)
    : ActionItem(list, subject)
{
}

bool AddAction::redo(CFigContext* context)
{
    context->insertObject(ownerList, object, place);
    return true;
}

bool AddAction::undo(CFigContext* context)
{
    context->closeEditingInside(object);
    place = context->takeObject(ownerList, object);
    return true;
}

void AddAction::releaseUndone()
{
    delete object;
    object = nullptr;
}
