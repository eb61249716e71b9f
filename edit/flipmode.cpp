#include "edit/flipmode.h"

#include "edit/canvashandlers.h"
#include "edit/editstate.h"
#include "edit/picking.h"
#include "model/addaction.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/flipaction.h"

namespace {

// 1 mirrors up/down (mode 56), 2 left/right (mode 57).
int flipAxis = 1;
// The click under way was a right click: mirror a copy.
bool flipMakesCopy = false;

void installFlipHandlers()
{
    setLeftObjectCallback(flipObjectPicked);
    setRightObjectCallback(flipCopyPicked);
    setCanvasHandlers(nullptr, pressHandler<pickObjectLeft>, pressHandler<pickObjectRight>);
    endCanvasAction();
}

// The copy of an object for a mirrored or turned copy: a fresh identifier
// (for a compound on every member too); lines and splines without their
// smart links, which belong to the object copied.
FigObject* cloneForCopy(CFigContext* context, const FigObject* object)
{
    switch (object->type) {
    case FigObject::Polyline:
    case FigObject::Spline:
        return context->clonePath(object, false);
    case FigObject::Compound:
        return context->cloneCompound(static_cast<const FigCompound*>(object));
    default:
        return context->cloneObject(object);
    }
}

} // namespace

void initFlipVerticalMode()
{
    flipAxis = 1;
    installFlipHandlers();
}

void initFlipHorizontalMode()
{
    flipAxis = 2;
    installFlipHandlers();
}

void toggleTransformCenter(CFigContext* context, int x, int y)
{
    if (transformCenter.isSet) {
        transformCenter.isSet = false;
        if (context)
            context->drawCrossHair(transformCenter.x, transformCenter.y);
        return;
    }
    transformCenter.isSet = true;
    transformCenter.x = x;
    transformCenter.y = y;
    if (context)
        context->drawCrossHair(x, y);
}

bool flipObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY)
{
    if (shiftKeyDown) {
        toggleTransformCenter(context, x, y);
        return true;
    }
    if (!context || !object)
        return false;
    flipMakesCopy = false;
    const int cx = transformCenter.isSet ? transformCenter.x : hitX;
    const int cy = transformCenter.isSet ? transformCenter.y : hitY;
    flipByType(context, object, type, x, y, cx, cy);
    return true;
}

bool flipCopyPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY)
{
    if (!context || !object)
        return false;
    flipMakesCopy = true;
    const int cx = transformCenter.isSet ? transformCenter.x : hitX;
    const int cy = transformCenter.isSet ? transformCenter.y : hitY;
    flipByType(context, object, type, x, y, cx, cy);
    return true;
}

void flipByType(CFigContext* context, FigObject* object, int type, int, int, int cx, int cy)
{
    if (!context || !object || type == FigObject::Text || object->type == FigObject::Text)
        return;
    FigObjectList* list = context->objects();
    if (flipMakesCopy) {
        FigObject* copy = cloneForCopy(context, object);
        if (!copy)
            return;
        auto* add = new AddAction(list, copy);
        add->redo(context);
        auto* flip = new FlipAction(list, copy, cx, cy, flipAxis);
        flip->redo(context);
        context->redrawObject(copy, false);
        context->undoHistory.pushActionList(new ActionStep { add, flip });
        context->setModified();
        return;
    }

    auto* flip = new FlipAction(list, object, cx, cy, flipAxis);
    // An arc or a spline is redrawn alone; the lines linked to the others
    // follow them and are redrawn with them.
    FigObjectList redrawSet { object };
    if (object->type != FigObject::Arc && object->type != FigObject::Spline) {
        for (FigObject* linked : *flip->linkedObjects())
            redrawSet.push_back(linked);
    }
    context->redrawObjectList(&redrawSet, true);
    flip->redo(context);
    context->redrawObjectList(&redrawSet, false);
    context->undoHistory.pushAction(flip);
    context->setModified();
}
