#include "model/changeshapefactoraction.h"

#include "model/figspline.h"
#include "model/smartlinks.h"

namespace {

ShapeFactorNode* nodeOf(FigObject* object, int index)
{
    if (!object || object->type != FigObject::Spline)
        return nullptr;
    return static_cast<FigSpline*>(object)->shapeFactorAt(index);
}

} // namespace

ChangeShapeFactorAction::ChangeShapeFactorAction(FigObjectList* list, FigObject* spline, int index, double value)
    : ActionItem(list, spline)
    , pointIndex(index)
    , newValue(value)
{
    if (const ShapeFactorNode* node = nodeOf(spline, index))
        oldValue = node->value;
    collectSmartLinkedObjects(list, spline, linkedObjectList);
}

bool ChangeShapeFactorAction::setValue(double value) const
{
    ShapeFactorNode* node = nodeOf(object, pointIndex);
    if (!node)
        return false;
    node->value = value;
    return true;
}

bool ChangeShapeFactorAction::redo(CFigContext* context)
{
    Q_UNUSED(context)
    return setValue(newValue);
}

bool ChangeShapeFactorAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    return setValue(oldValue);
}
