#pragma once
// The base of the undoable changes: one object per kind of change, kept by the
// document's UndoHistory. Deleted through its virtual destructor.

class ActionItem {
public:
    ActionItem() = default;
    virtual ~ActionItem() = default;

    ActionItem(const ActionItem&) = delete;
    ActionItem& operator=(const ActionItem&) = delete;
};
