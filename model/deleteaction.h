#pragma once
// Undoable deletion of an object. While it is done the action owns the
// object and the link records of other lines' points that named it (they
// are detached, the points stay where they are). Undo puts the object back
// at its old index in the list, so that the drawing order comes back too.

#include "model/actionitem.h"
#include "model/smartlinks.h"

class DeleteAction : public ActionItem {
public:
    DeleteAction(FigObjectList* ownerList, FigObject* object);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    bool redoRemovesObject() const override { return true; }

    SmartLinkList savedLinks;
    int place = -1; // the object's index in the owner list when redo took it out
};
