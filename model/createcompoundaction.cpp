#include "model/createcompoundaction.h"

#include "model/depths.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"

CreateCompoundAction::CreateCompoundAction(FigObjectList* list, FigCompound* compound)
    : ActionItem(list, compound)
{
}

bool CreateCompoundAction::redo(CFigContext* context)
{
    group(context, ownerList, static_cast<FigCompound*>(object));
    return true;
}

bool CreateCompoundAction::undo(CFigContext* context)
{
    ungroup(context, ownerList, static_cast<FigCompound*>(object));
    return true;
}

void CreateCompoundAction::releaseUndone()
{
    releaseShell(static_cast<FigCompound*>(object));
    object = nullptr;
}

void CreateCompoundAction::group(CFigContext* context, FigObjectList* ownerList, FigCompound* compound)
{
    // The members only change lists: their per-depth counts stay as they are.
    removeCompoundMembers(ownerList, compound);
    context->addObject(ownerList, compound);
    if (context->isDrawingList(ownerList))
        context->removeCompoundFromDepths(compound);
}

void CreateCompoundAction::ungroup(CFigContext* context, FigObjectList* ownerList, FigCompound* compound)
{
    // Editing must not go on inside a compound that leaves the drawing.
    context->closeEditingInside(compound);
    appendCompoundMembers(ownerList, compound);
    const bool counted = context->isDrawingList(ownerList);
    context->removeObject(ownerList, compound);
    if (counted)
        context->addObjectsToDepths(compound->members);
}

void CreateCompoundAction::releaseShell(FigCompound* compound)
{
    if (!compound)
        return;
    compound->members->clear();
    delete compound;
}
