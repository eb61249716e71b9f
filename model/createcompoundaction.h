#pragma once
// Undoable grouping of objects into a new compound. The compound keeps its
// member list in both states; while undone the members are back in the
// owner list, each at the index it had, and the action owns the compound
// alone.

#include "model/actionitem.h"

#include <vector>

class FigCompound;

// Where grouping found the members and ungrouping found the compound in the
// owner list, so that each direction undoes the other in place. Empty (-1
// and no member places) before the first such move: the compound is then
// appended, or the members appended in member order.
struct GroupingPlaces {
    int compound = -1;
    std::vector<int> members; // in member order, each after the ones before it left
};

class CreateCompoundAction : public ActionItem {
public:
    // The compound has its identifier, its box and, as members, the grouped
    // objects, which are still in the owner list.
    CreateCompoundAction(FigObjectList* ownerList, FigCompound* compound);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseUndone() override;
    bool undoRemovesObject() const override { return true; }

    // The two directions, shared with BreakCompoundAction.
    static void group(CFigContext* context, FigObjectList* ownerList, FigCompound* compound, GroupingPlaces& places);
    static void ungroup(CFigContext* context, FigObjectList* ownerList, FigCompound* compound, GroupingPlaces& places);
    // Deletes the compound after emptying its member list: the members live on.
    static void releaseShell(FigCompound* compound);

    GroupingPlaces places;
};
