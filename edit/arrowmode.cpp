#include "edit/arrowmode.h"

#include "edit/canvashandlers.h"
#include "edit/picking.h"
#include "model/changearrowaction.h"
#include "model/figarrow.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/pointoperations.h"
#include "toolbars/drawingattributes.h"

#include <QPainter>

namespace {

constexpr int noEnd = -1;
constexpr int backwardEnd = 0;
constexpr int forwardEnd = 1;

// The end of the object at the picked point: an arc's first and last of its
// three points, a line's or spline's first and last point of the chain.
int pickedEnd(const FigObject* object, const FigPoint* previous, const FigPoint* point, int index)
{
    switch (object->type) {
    case FigObject::Arc:
        return index == 0 ? backwardEnd : index == 2 ? forwardEnd : noEnd;
    case FigObject::Polyline:
    case FigObject::Spline:
        if (!previous)
            return backwardEnd;
        if (point && !point->next)
            return forwardEnd;
        return noEnd;
    default:
        return noEnd;
    }
}

} // namespace

void initArrowMode()
{
    setPointCallback(arrowPointPicked);
    setCanvasHandlers(nullptr, pressHandler<pickPoint>, nullptr);
    endCanvasAction();
}

bool arrowPointPicked(CFigContext* context, FigObject* object, int /*type*/, int /*x*/, int /*y*/, int /*pointX*/,
    int /*pointY*/, FigPoint* previous, FigPoint* point, int index)
{
    if (!context || !object)
        return false;
    const int end = pickedEnd(object, previous, point, index);
    // A box, polygon, arc-box, one-point polyline or closed spline cannot
    // carry an arrow: a step there would change nothing, yet mark the
    // document modified.
    if (end == noEnd || !acceptsArrows(object))
        return true;

    const FigArrow* present = end == forwardEnd ? object->forwArrow : object->backArrow;
    FigArrow* arrow = present
        ? nullptr
        : context->arrowFromCurrentAttributes(static_cast<float>(object->lineWidth), currentAttrs.arrowType);
    if (!present && !arrow)
        return true; // out of memory: nothing to put there
    auto* action = new ChangeArrowAction(context->objects(), object, end, arrow);
    if (canDraw(context))
        context->redrawObject(object, true);
    action->redo(context);
    if (canDraw(context))
        context->redrawObject(object, false);
    context->undoHistory.pushAction(action);
    return true;
}
