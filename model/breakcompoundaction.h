#pragma once
// Undoable dissolving of a compound: its members go to the end of the owner
// list, the compound keeps its member list and is owned by the action while
// done; undo puts the compound back at its index.

#include "model/createcompoundaction.h"

class FigCompound;

class BreakCompoundAction : public ActionItem {
public:
    BreakCompoundAction(FigObjectList* ownerList, FigCompound* compound);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    bool redoRemovesObject() const override { return true; }

    GroupingPlaces places;
};
