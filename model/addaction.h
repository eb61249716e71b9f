#pragma once
// Undoable addition of a new object to a list (drawing, paste, library
// placement, scripting). Owns the object while it is undone. The first
// execution appends the object; a redo puts it back where undo took it from.

#include "model/actionitem.h"

class AddAction : public ActionItem {
public:
    AddAction(FigObjectList* ownerList, FigObject* object);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseUndone() override;
    bool undoRemovesObject() const override { return true; }

    int place = -1; // the object's index in the owner list when undo took it out
};
