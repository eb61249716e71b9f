#include "model/deletelinepointaction.h"

#include "model/figcontext.h"
#include "model/figline.h"

DeleteLinePointAction::DeleteLinePointAction(FigObjectList* list, FigLine* line, FigPoint* previous, FigPoint* point)
    : ActionItem(list, line)
    , prevPoint(previous)
    , removedPoint(point)
{
}

bool DeleteLinePointAction::redo(CFigContext* context)
{
    auto* line = static_cast<FigLine*>(object);
    removed = line->indexOf(removedPoint) >= 0;
    if (!removed)
        return true; // not one of the line's points: nothing to take
    // Undo puts the point back after its actual predecessor.
    prevPoint = line->predecessor(removedPoint);
    before.take(context, line);
    removeLinkedLinePoint(context, line, removedPoint);
    return true;
}

bool DeleteLinePointAction::undo(CFigContext* context)
{
    if (!removed)
        return true;
    auto* line = static_cast<FigLine*>(object);
    insertLinkedLinePoint(context, ownerList, line, prevPoint, removedPoint);
    before.restore(line);
    removed = false;
    return true;
}

void DeleteLinePointAction::releaseDone()
{
    if (removed)
        delete removedPoint;
    removedPoint = nullptr;
}
