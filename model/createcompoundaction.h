#pragma once
// Undoable grouping of objects into a new compound. The compound keeps its
// member list in both states; while undone the members are back in the
// owner list and the action owns the compound alone.

#include "model/actionitem.h"

class FigCompound;

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
    static void group(CFigContext* context, FigObjectList* ownerList, FigCompound* compound);
    static void ungroup(CFigContext* context, FigObjectList* ownerList, FigCompound* compound);
    // Deletes the compound after emptying its member list: the members live on.
    static void releaseShell(FigCompound* compound);
};
