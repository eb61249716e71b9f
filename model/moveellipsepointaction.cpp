#include "model/moveellipsepointaction.h"

#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/pointoperations.h"
#include "model/smartlinks.h"
#include "model/undohistory.h"

MoveEllipsePointAction::MoveEllipsePointAction(FigObjectList* list, FigObject* ellipse, int index, int moveX, int moveY)
    : ActionItem(list, ellipse)
    , pointIndex(index)
    , dx(moveX)
    , dy(moveY)
{
    collectSmartLinkedObjects(list, ellipse, linkedObjectList);
}

bool MoveEllipsePointAction::redo(CFigContext* context)
{
    before.clear();
    cornersBeforeRedo.clear();
    if (!object || object->type != FigObject::Ellipse)
        return true;
    cornersBeforeRedo.capture(&context->drawing.objects);
    FigObjectList followers;
    collectSmartLinkedObjects(&context->drawing.objects, object, followers);
    before.capture(object);
    before.captureList(&followers);
    moveEllipsePoint(&context->drawing.objects, static_cast<FigEllipse*>(object), dx, dy, pointIndex);
    context->updateParentCompoundBounds(&followers);
    // Their compounds are fitted by the rule every undo and redo of the
    // history follows, so that the first execution leaves the drawing as
    // every later one does.
    fitCompoundsAroundLinked(context, this);
    return true;
}

bool MoveEllipsePointAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    before.restore();
    cornersBeforeRedo.restore();
    return true;
}
