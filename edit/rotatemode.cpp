#include "edit/rotatemode.h"

#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/editstate.h"
#include "edit/flipmode.h"
#include "edit/picking.h"
#include "model/addaction.h"
#include "model/attributechange.h"
#include "model/changeattributeaction.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/rotateaction.h"
#include "toolbars/drawingattributes.h"

namespace {

// -1 in mode 58, +1 in mode 59.
int rotateDirection = 1;
// The angle of the turn under way, whole degrees.
int rotationAngle = 0;
// The click under way was a right click: turn copies.
bool rotateMakesCopy = false;

void installRotateHandlers()
{
    setLeftObjectCallback(rotateObjectPicked);
    setRightObjectCallback(rotateCopiesPicked);
    setCanvasHandlers(nullptr, pressHandler<pickObjectLeft>, pressHandler<pickObjectRight>);
    endCanvasAction();
}

bool isQuarterTurn(int angle)
{
    return angle % 90 == 0;
}

// Arc-boxes and pictures keep axis-parallel sides.
bool turnsOnlyByQuarters(const FigObject* object)
{
    return object->type == FigObject::Polyline && (object->subType == 4 || object->subType == 5);
}

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

ChangeAttributeAction* changeOf(CFigContext* context, FigLine* line, int kind, int oldValue, int newValue)
{
    auto* change = new AttributeChange;
    change->kind = kind;
    change->oldInt = oldValue;
    change->newInt = newValue;
    return new ChangeAttributeAction(context->objects(), line, change);
}

// The copies are made from the picked box, which a turn off the quarter
// turns leaves a polygon: the conversion is executed and appended to the
// copy's undo step, so that undoing that step gives back the box.
void convertBoxToPolygon(CFigContext* context, FigLine* box, ActionStep& step)
{
    // The radius first: it is only kept by a box.
    ChangeAttributeAction* radius = changeOf(context, box, AttributeKind::BoxCornerRadius, box->radius, 0);
    radius->redo(context);
    step.append(radius);
    ChangeAttributeAction* kind = changeOf(context, box, AttributeKind::BoxType, box->subType, 3);
    kind->redo(context);
    step.append(kind);
}

// The angle handed to the turn: the same position, within one full turn.
int effectiveAngle(int angle)
{
    return angle % 360;
}

} // namespace

void initRotateLeftMode()
{
    rotateDirection = -1;
    installRotateHandlers();
}

void initRotateRightMode()
{
    rotateDirection = 1;
    installRotateHandlers();
}

bool canRotateCompound(const FigObjectList* members, int angle)
{
    if (isQuarterTurn(angle))
        return true;
    if (!members)
        return true;
    for (const FigObject* member : *members) {
        if (turnsOnlyByQuarters(member))
            return false;
    }
    for (const FigObject* member : *members) {
        if (member->type == FigObject::Compound
            && !canRotateCompound(static_cast<const FigCompound*>(member)->members, angle))
            return false;
    }
    return true;
}

bool rotateObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int, int)
{
    if (shiftKeyDown) {
        toggleTransformCenter(context, x, y);
        return true;
    }
    if (!context || !object)
        return false;
    rotationAngle = currentAttrs.rotnAngle * rotateDirection;
    rotateMakesCopy = false;
    const int cx = transformCenter.isSet ? transformCenter.x : x;
    const int cy = transformCenter.isSet ? transformCenter.y : y;
    rotateByType(context, object, type, cx, cy);
    return true;
}

bool rotateCopiesPicked(CFigContext* context, FigObject* object, int type, int, int, int hitX, int hitY)
{
    if (!context || !object)
        return false;
    rotationAngle = currentAttrs.rotnAngle * rotateDirection;
    rotateMakesCopy = true;
    const int cx = transformCenter.isSet ? transformCenter.x : hitX;
    const int cy = transformCenter.isSet ? transformCenter.y : hitY;
    for (int k = 0; k < currentAttrs.numCopies; ++k) {
        rotateByType(context, object, type, cx, cy);
        rotationAngle += currentAttrs.rotnAngle * rotateDirection;
    }
    return true;
}

bool rotateByType(CFigContext* context, FigObject* object, int, int cx, int cy)
{
    if (!context || !object)
        return false;
    const int angle = rotationAngle;
    if (object->type == FigObject::Polyline && !isQuarterTurn(angle) && turnsOnlyByQuarters(object)) {
        showStatusMessage("This object can't be rotated by angles other than 90 degrees!");
        return false;
    }
    if (object->type == FigObject::Compound
        && !canRotateCompound(static_cast<const FigCompound*>(object)->members, angle)) {
        showStatusMessage("Invalid rotation angle for this compound object");
        return false;
    }

    FigObjectList* list = context->objects();
    if (rotateMakesCopy) {
        auto* step = new ActionStep;
        if (object->type == FigObject::Polyline && object->subType == 2 && !isQuarterTurn(angle)) {
            convertBoxToPolygon(context, static_cast<FigLine*>(object), *step);
            showStatusMessage("Converted box into polygon!");
        }
        FigObject* copy = cloneForCopy(context, object);
        if (!copy) {
            // Nothing to show for it but the conversion, if any.
            context->undoHistory.pushActionList(step);
            return false;
        }
        auto* add = new AddAction(list, copy);
        add->redo(context);
        auto* turn = new RotateAction(list, copy, cx, cy, effectiveAngle(angle));
        turn->redo(context);
        step->append(add);
        step->append(turn);
        if (step->size() > 2)
            context->redrawObject(object, false);
        context->redrawObject(copy, false);
        context->undoHistory.pushActionList(step);
        context->setModified();
        return true;
    }

    // The turn itself makes a box a polygon (with its message), within the
    // action, so that undo gives back the box.
    auto* turn = new RotateAction(list, object, cx, cy, effectiveAngle(angle));
    // An arc, a text or a spline is redrawn alone; the lines linked to the
    // others follow them and are redrawn with them.
    FigObjectList redrawSet { object };
    if (object->type != FigObject::Arc && object->type != FigObject::Text && object->type != FigObject::Spline) {
        for (FigObject* linked : *turn->linkedObjects())
            redrawSet.push_back(linked);
    }
    context->redrawObjectList(&redrawSet, true);
    turn->redo(context);
    context->redrawObjectList(&redrawSet, false);
    context->undoHistory.pushAction(turn);
    context->setModified();
    return true;
}
