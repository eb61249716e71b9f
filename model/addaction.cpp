#include "model/addaction.h"

#include "model/figcontext.h"
#include "model/figobject.h"

AddAction::AddAction(FigObjectList* list, FigObject* subject)
    : ActionItem(list, subject)
{
}

bool AddAction::redo(CFigContext* context)
{
    context->addObject(ownerList, object);
    return true;
}

bool AddAction::undo(CFigContext* context)
{
    context->closeEditingInside(object);
    context->removeObject(ownerList, object);
    return true;
}

void AddAction::releaseUndone()
{
    delete object;
    object = nullptr;
}
