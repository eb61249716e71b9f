#pragma once
// The undo and redo steps of one document, held by value in its CFigContext.
// A step is a heap list of actions in execution order; the history owns every
// step list and every action in them.

#include <QList>

class ActionItem;
class CFigContext;

class UndoHistory {
public:
    UndoHistory(CFigContext* owner, int maxSteps);
    ~UndoHistory();

    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    CFigContext* owner; // the document; when null, pushing marks nothing modified
    QList<QList<ActionItem*>*> undoSteps; // done steps, oldest first
    QList<QList<ActionItem*>*> redoSteps; // undone steps, most recently undone last
    int maxSteps;
};
