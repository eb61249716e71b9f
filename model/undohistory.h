#pragma once
// The undo and redo steps of one document, held by value in its CFigContext.
// A step is a heap list of actions in execution order; the history owns every
// step list and every action in them. Steps on the undo side are in the done
// state, steps on the redo side in the undone state, and each is released
// accordingly when it can never come back.

#include "model/figobjectlist.h"

#include <QList>

class ActionItem;
class CFigContext;

using ActionStep = QList<ActionItem*>;

class UndoHistory {
public:
    UndoHistory(CFigContext* owner, int maxSteps);
    ~UndoHistory();

    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // The caller has executed the action(s) already; the history takes them
    // over. Null is ignored. An empty step is deleted at once and changes
    // nothing (no modified mark, the undone steps stay).
    void pushAction(ActionItem* action);
    void pushActionList(ActionStep* step);

    // Undo the newest done step or redo the most recently undone one, with
    // the canvas redrawn for the objects involved; nothing when there is none.
    void undo();
    void redo();

    // Release and delete steps: the undone ones, the done ones, or the
    // oldest done one.
    void clearRedo();
    void clearUndo();
    void dropOldestStep();

    // The newest done step, null when none: with the step counts, what
    // tells a cache built from the drawing that no step came or went since.
    const ActionStep* newestStep() const { return undoSteps.isEmpty() ? nullptr : undoSteps.last(); }

    CFigContext* owner; // the document; when null, pushing marks nothing modified
    QList<ActionStep*> undoSteps; // done steps, oldest first
    QList<ActionStep*> redoSteps; // undone steps, most recently undone last
    int maxSteps;

private:
    void pushTail();
    // Moves `step` (already taken out of its list) through undo or redo
    // with the redraw around it, and appends it to `target`.
    void replay(ActionStep* step, bool undoing, QList<ActionStep*>& target);
};

// Appends the `object` of each action of the step, in order (null ones too).
void collectActionObjects(const ActionStep& step, FigObjectList& out);

// The one rule for the compounds around an action's change, used by its first
// execution and by every undo and redo: the compounds that directly hold an
// object of its linked objects are fitted around their members (a compound
// among the linked objects thus fits the compound that holds it).
void fitCompoundsAroundLinked(CFigContext* context, ActionItem* action);

// Drops from the step's corner records what its undo need not put back.
void keepNeededCorners(ActionStep& step);
