// Turning the current object from an open polyline or polygon into a spline
// through the same points, or from a spline into a polyline through its
// control points, in place and as one undo step.

#include "edit/canvashandlers.h"
#include "model/convertlinetosplineaction.h"
#include "model/convertsplinetolineaction.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figspline.h"
#include "model/objectlist.h"

#include <QPainter>

namespace {

bool isConvertibleLine(const FigObject* object)
{
    return object->type == FigObject::Polyline && (object->subType == 1 || object->subType == 3);
}

} // namespace

void CFigContext::convertLineSpline(FigObject* object)
{
    if (!object)
        return;
    FigObjectList* list = objects();
    ActionItem* action = nullptr;
    if (isConvertibleLine(object))
        action = new ConvertLineToSplineAction(list, static_cast<FigLine*>(object));
    else if (object->type == FigObject::Spline)
        action = new ConvertSplineToLineAction(list, static_cast<FigSpline*>(object));
    if (!action)
        return;
    if (canDraw(this)) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObject(object, true);
    }
    FigObject* result = object;
    if (action->redo(this)) {
        result = action->object;
        undoHistory.pushAction(action);
    } else {
        // Refused (too few points for a spline, no memory): the object stays
        // and no step that changes nothing is kept, so the document is not
        // marked modified.
        action->releaseUndone();
        delete action;
    }
    result->markerState = 1;
    result->selected = true;
    currentObject = result;
    if (canDraw(this))
        redrawObject(result, false);
}
