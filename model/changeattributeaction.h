#pragma once
// Undoable change of one attribute of an object (a compound: of all its
// members). Owns its AttributeChange record in both states; either release
// frees it.

#include "model/actionitem.h"

struct AttributeChange;

class ChangeAttributeAction : public ActionItem {
public:
    // The record is taken over by the action.
    ChangeAttributeAction(FigObjectList* list, FigObject* subject, AttributeChange* record);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    void releaseUndone() override;

    AttributeChange* change; // owned; freed by the releases only
};
