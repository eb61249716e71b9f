#include "model/movearcpointaction.h"

#include "model/figarc.h"
#include "model/pointoperations.h"

#include <climits>

MoveArcPointAction::MoveArcPointAction(FigObjectList* list, FigObject* arc, int index, int moveX, int moveY)
    : ActionItem(list, arc)
    , pointIndex(index)
    , dx(moveX)
    , dy(moveY)
{
}

bool MoveArcPointAction::redo(CFigContext* context)
{
    Q_UNUSED(context)
    before.clear();
    if (!object || object->type != FigObject::Arc)
        return false;
    before.capture(object);
    return moveArcPoint(static_cast<FigArc*>(object), dx, dy, pointIndex);
}

bool MoveArcPointAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    if (!before.isEmpty())
        before.restore();
    else if (object && object->type == FigObject::Arc)
        moveArcPoint(
            static_cast<FigArc*>(object), dx == INT_MIN ? INT_MAX : -dx, dy == INT_MIN ? INT_MAX : -dy, pointIndex);
    return true;
}
