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
    group(context, ownerList, static_cast<FigCompound*>(object), places);
    return true;
}

bool CreateCompoundAction::undo(CFigContext* context)
{
    ungroup(context, ownerList, static_cast<FigCompound*>(object), places);
    return true;
}

void CreateCompoundAction::releaseUndone()
{
    releaseShell(static_cast<FigCompound*>(object));
    object = nullptr;
}

void CreateCompoundAction::group(
    CFigContext* context, FigObjectList* ownerList, FigCompound* compound, GroupingPlaces& places)
{
    // The members only change lists: their per-depth counts stay as they are.
    places.members.clear();
    if (ownerList) {
        for (const FigObject* member : *compound->members)
            places.members.push_back(takeFromList(ownerList, member));
    }
    context->insertObject(ownerList, compound, places.compound);
    if (context->isDrawingList(ownerList))
        context->removeCompoundFromDepths(compound);
}

void CreateCompoundAction::ungroup(
    CFigContext* context, FigObjectList* ownerList, FigCompound* compound, GroupingPlaces& places)
{
    // Editing must not go on inside a compound that leaves the drawing.
    context->closeEditingInside(compound);
    const bool counted = context->isDrawingList(ownerList);
    places.compound = context->takeObject(ownerList, compound);
    const FigObjectList* members = compound->members;
    if (places.members.size() == members->size()) {
        // Back in the reverse order of leaving, each at the index it left.
        auto place = places.members.rbegin();
        for (auto member = members->rbegin(); member != members->rend(); ++member, ++place)
            insertIntoList(ownerList, *member, *place);
    } else {
        appendCompoundMembers(ownerList, compound);
    }
    places.members.clear();
    if (counted)
        context->addObjectsToDepths(members);
}

void CreateCompoundAction::releaseShell(FigCompound* compound)
{
    if (!compound)
        return;
    compound->members->clear();
    delete compound;
}
