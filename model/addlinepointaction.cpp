#include "model/addlinepointaction.h"

#include "model/figcontext.h"
#include "model/figline.h"

AddLinePointAction::AddLinePointAction(FigObjectList* list, FigLine* line, FigPoint* previous, FigPoint* point)
    : ActionItem(list, line)
    , prevPoint(previous)
    , newPoint(point)
{
}

bool AddLinePointAction::redo(CFigContext* context)
{
    auto* line = static_cast<FigLine*>(object);
    before.take(context, line);
    insertLinkedLinePoint(context, ownerList, line, prevPoint, newPoint);
    entered = entered || line->indexOf(newPoint) >= 0;
    return true;
}

bool AddLinePointAction::undo(CFigContext* context)
{
    if (!entered)
        return true;
    auto* line = static_cast<FigLine*>(object);
    removeLinkedLinePoint(context, line, newPoint);
    before.restore(line);
    return true;
}

void AddLinePointAction::releaseDone()
{
    // A point that never got into the chain is still ours.
    if (!entered)
        delete newPoint;
    newPoint = nullptr;
}

void AddLinePointAction::releaseUndone()
{
    delete newPoint;
    newPoint = nullptr;
}
