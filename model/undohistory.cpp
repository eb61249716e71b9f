#include "model/undohistory.h"

#include "model/actionitem.h"

UndoHistory::UndoHistory(CFigContext* ownerContext, int steps)
    : owner(ownerContext)
    , maxSteps(steps)
{
}

UndoHistory::~UndoHistory()
{
    // Newest step first, each step's actions from the last to the first.
    for (QList<QList<ActionItem*>*>* steps : { &undoSteps, &redoSteps }) {
        while (!steps->isEmpty()) {
            QList<ActionItem*>* step = steps->takeLast();
            while (!step->isEmpty())
                delete step->takeLast();
            delete step;
        }
    }
}
