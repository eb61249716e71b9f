#pragma once
// Undoable dissolving of a compound: its members go to the owner list, the
// compound keeps its member list and is owned by the action while done.

#include "model/actionitem.h"

class FigCompound;

class BreakCompoundAction : public ActionItem {
public:
    BreakCompoundAction(FigObjectList* ownerList, FigCompound* compound);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    bool redoRemovesObject() const override { return true; }
};
