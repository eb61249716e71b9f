#include "edit/editmodes.h"

#include "edit/editstate.h"

#include <QList>

#include <iterator>

// ---- The mode table ----

const EditModeEntry editModeTable[] = {
    { EditMode::Cbr, initModeWithoutHandlers, false },
    { EditMode::Cbd, initModeWithoutHandlers, false },
    { EditMode::Ebr, initModeWithoutHandlers, false },
    { EditMode::Ebd, initModeWithoutHandlers, false },
    { EditMode::Arc, initModeWithoutHandlers, false },
    { EditMode::Polyline, initModeWithoutHandlers, false },
    { EditMode::Box, initModeWithoutHandlers, false },
    { EditMode::Polygon, initModeWithoutHandlers, false },
    { EditMode::Text, initModeWithoutHandlers, false },
    { EditMode::Spline, initModeWithoutHandlers, false },
    { EditMode::ClosedSpline, initModeWithoutHandlers, false },
    { EditMode::IntSpline, initModeWithoutHandlers, false },
    { EditMode::ClosedIntSpline, initModeWithoutHandlers, false },
    { EditMode::Regular, initModeWithoutHandlers, false },
    { EditMode::Picture, initModeWithoutHandlers, false },
    { EditMode::ScaleComp, initModeWithoutHandlers, true },
    { EditMode::Copy, initModeWithoutHandlers, true },
    { EditMode::Delete, initModeWithoutHandlers, true },
    { EditMode::MovePoint, nullptr, true },
    { EditMode::DeletePoint, initModeWithoutHandlers, true },
    { EditMode::AddPoint, initModeWithoutHandlers, true },
    { EditMode::Arrow, initModeWithoutHandlers, true },
    { EditMode::Update, initModeWithoutHandlers, true },
    { EditMode::FlipVert, initModeWithoutHandlers, true },
    { EditMode::FlipHoriz, initModeWithoutHandlers, true },
    { EditMode::RotateLeft, initModeWithoutHandlers, true },
    { EditMode::RotateRight, initModeWithoutHandlers, true },
    { EditMode::Select, initModeWithoutHandlers, true },
    { EditMode::MoveSelection, nullptr, true },
    { EditMode::Paste, nullptr, false },
    { EditMode::Tangent, initModeWithoutHandlers, false },
    { EditMode::Normal, initModeWithoutHandlers, false },
};

const int editModeTableSize = int(std::size(editModeTable));

const EditModeEntry* findEditMode(int mode)
{
    for (const EditModeEntry& entry : editModeTable) {
        if (entry.mode == mode)
            return &entry;
    }
    return nullptr;
}

bool chooseEditMode(CFigContext* context, int mode)
{
    const EditModeEntry* entry = findEditMode(mode);
    if (!entry || !entry->setUp)
        return false;
    abandonCanvasGesture(context);
    // A set-up fills only the slots its mode uses: a release or selection
    // handler of the old mode would otherwise still answer in the new one.
    canvasHandlers = CanvasHandlers();
    editMode = mode;
    entry->setUp();
    return true;
}

void initModeWithoutHandlers()
{
    setCanvasHandlers(nullptr, nullptr, nullptr);
    endCanvasAction();
}

// ---- Predicates ----

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
    const EditModeEntry* entry = findEditMode(mode);
    return entry && entry->picking;
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
