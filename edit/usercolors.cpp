#include "edit/usercolors.h"

#include "edit/editobjects.h"
#include "model/actionitem.h"
#include "model/attributechange.h"
#include "model/changeattributeaction.h"
#include "model/conversionaction.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figtext.h"

namespace {

bool objectUses(int colourNumber, const FigObject* object)
{
    if (!object)
        return false;
    if (object->penColor == colourNumber || object->fillColor == colourNumber)
        return true;
    if (object->type == FigObject::Text)
        return static_cast<const FigText*>(object)->color == colourNumber;
    if (object->type == FigObject::Compound)
        return isColorInUse(colourNumber, static_cast<const FigCompound*>(object)->members);
    return false;
}

// A colour change that undo or redo can set on its subject (or on the
// members of a compound subject, each back to its own value).
bool changeSets(int colourNumber, const ChangeAttributeAction* action)
{
    const AttributeChange* change = action->change;
    if (!change || (change->kind != AttributeKind::PenColor && change->kind != AttributeKind::FillColor))
        return false;
    if (change->oldInt == colourNumber || change->newInt == colourNumber)
        return true;
    for (const AttributeChange::MemberValue& member : change->memberValues) {
        if (member.intValue == colourNumber)
            return true;
    }
    return false;
}

bool actionUses(int colourNumber, const ActionItem* action)
{
    if (!action)
        return false;
    if (objectUses(colourNumber, action->object) || isColorInUse(colourNumber, &action->objects))
        return true;
    if (const auto* conversion = dynamic_cast<const ConversionAction*>(action)) {
        if (objectUses(colourNumber, conversion->oldObject) || objectUses(colourNumber, conversion->newObject))
            return true;
    }
    if (const auto* change = dynamic_cast<const ChangeAttributeAction*>(action))
        return changeSets(colourNumber, change);
    return false;
}

bool stepsUse(int colourNumber, const QList<ActionStep*>& steps)
{
    for (const ActionStep* step : steps) {
        if (!step)
            continue;
        for (const ActionItem* action : *step) {
            if (actionUses(colourNumber, action))
                return true;
        }
    }
    return false;
}

} // namespace

bool isColorInUse(int colourNumber, const FigObjectList* list)
{
    if (!list)
        return false;
    for (const FigObject* object : *list) {
        if (objectUses(colourNumber, object))
            return true;
    }
    return false;
}

bool isColorInUseByDocument(const CFigContext* context, int colourNumber, bool withClipboard)
{
    if (!context)
        return false;
    return isColorInUse(colourNumber, &context->drawing.objects)
        || stepsUse(colourNumber, context->undoHistory.undoSteps)
        || stepsUse(colourNumber, context->undoHistory.redoSteps)
        || (withClipboard && isColorInUse(colourNumber, clipboardObjects));
}
