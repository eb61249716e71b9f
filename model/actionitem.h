#pragma once
// The base of the undoable changes: one subclass per kind of change, kept by
// the document's UndoHistory. An action owns what its current state (done
// after redo, undone after undo) leaves outside the drawing; the matching
// release frees it. The destructor frees only the action's own containers.

#include "model/compoundcorners.h"
#include "model/figobjectlist.h"

class CFigContext;
class FigObject;

class ActionItem {
public:
    ActionItem() = default;
    // `list` is the list holding the subject (as a rule the current list,
    // CFigContext::objects); it is not owned.
    ActionItem(FigObjectList* list, FigObject* subject)
        : object(subject)
        , ownerList(list)
    {
    }
    virtual ~ActionItem() = default;

    ActionItem(const ActionItem&) = delete;
    ActionItem& operator=(const ActionItem&) = delete;

    // Performs the change; also its first execution.
    virtual bool redo(CFigContext* context)
    {
        (void)context;
        return true;
    }
    // Reverts it.
    virtual bool undo(CFigContext* context)
    {
        (void)context;
        return true;
    }
    // Frees what the action owns in the done state (last operation redo).
    virtual void releaseDone() { }
    // Frees what the action owns in the undone state (last operation undo).
    virtual void releaseUndone() { }
    virtual FigObjectList* linkedObjects() { return &linkedObjectList; }
    // Whether redo, or undo, takes `object` out of the drawing.
    virtual bool redoRemovesObject() const { return false; }
    virtual bool undoRemovesObject() const { return false; }

    FigObject* object = nullptr; // the subject; null when `objects` or the whole list is
    FigObjectList objects; // the subjects when there are several
    FigObjectList* ownerList = nullptr; // not owned
    FigObjectList linkedObjectList; // redrawn with the subject; not owned
    // The corners of the drawing's compounds before the last redo, for the
    // actions whose change fits compounds (empty for the others); undo puts
    // them back after the compounds around the linked objects were fitted.
    CompoundCorners cornersBeforeRedo;
};
