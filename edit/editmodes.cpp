#include "edit/editmodes.h"

#include "edit/editstate.h"

#include <QList>

bool isCreationMode(int mode)
{
    return mode >= EditMode::Cbr && mode <= EditMode::Picture && mode != 14;
}

bool isCurrentModeCreation()
{
    return isCreationMode(editMode);
}

bool isMovePointMode(int mode)
{
    return mode == EditMode::MovePoint;
}

bool isCopyOrDragMode()
{
    return editMode == EditMode::Copy || editMode == EditMode::MoveSelection;
}

bool isPlainPickMode(int mode)
{
    return mode != EditMode::Select && !isCreationMode(mode);
}

bool isPickingMode(int mode)
{
    switch (mode) {
    case EditMode::ScaleComp:
    case EditMode::Copy:
    case EditMode::Delete:
    case EditMode::MovePoint:
    case EditMode::DeletePoint:
    case EditMode::AddPoint:
    case EditMode::Arrow:
    case EditMode::Update:
    case EditMode::FlipVert:
    case EditMode::FlipHoriz:
    case EditMode::RotateLeft:
    case EditMode::RotateRight:
    case EditMode::Select:
    case EditMode::MoveSelection:
        return true;
    default:
        return false;
    }
}

namespace {

QList<PointHandler>& cancelHandlers()
{
    static QList<PointHandler> handlers;
    return handlers;
}

} // namespace

bool isCancelHandler(PointHandler handler)
{
    return handler && cancelHandlers().contains(handler);
}

void registerCancelHandler(PointHandler handler)
{
    if (handler && !cancelHandlers().contains(handler))
        cancelHandlers().append(handler);
}
