#include "model/moveellipsepointaction.h"

#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/pointoperations.h"
#include "model/smartlinks.h"

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
    if (!object || object->type != FigObject::Ellipse)
        return true;
    FigObjectList followers;
    collectSmartLinkedObjects(&context->drawing.objects, object, followers);
    before.capture(object);
    before.captureList(&followers);
    moveEllipsePoint(&context->drawing.objects, static_cast<FigEllipse*>(object), dx, dy, pointIndex);
    // Followers inside compounds moved: the compounds' corners follow at
    // once, as the history's redo makes them, so that the first execution
    // leaves the drawing as every later one does.
    context->updateParentCompoundBounds(&followers);
    return true;
}

bool MoveEllipsePointAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    before.restore();
    return true;
}
