#pragma once
// Undoable deletion of an object. While it is done the action owns the
// object and the link records of other lines' points that named it (they
// are detached, the points stay where they are).

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
};
