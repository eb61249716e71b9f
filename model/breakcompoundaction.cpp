#include "model/breakcompoundaction.h"

#include "model/createcompoundaction.h"
#include "model/figcompound.h"

BreakCompoundAction::BreakCompoundAction(FigObjectList* list, FigCompound* compound)
    : ActionItem(list, compound)
{
}

bool BreakCompoundAction::redo(CFigContext* context)
{
    CreateCompoundAction::ungroup(context, ownerList, static_cast<FigCompound*>(object), places);
    return true;
}

bool BreakCompoundAction::undo(CFigContext* context)
{
    CreateCompoundAction::group(context, ownerList, static_cast<FigCompound*>(object), places);
    return true;
}

void BreakCompoundAction::releaseDone()
{
    CreateCompoundAction::releaseShell(static_cast<FigCompound*>(object));
    object = nullptr;
}
