#include "model/changeattributeaction.h"

#include "model/attributechange.h"
#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"

ChangeAttributeAction::ChangeAttributeAction(FigObjectList* list, FigObject* subject, AttributeChange* record)
    : ActionItem(list, subject)
    , change(record)
{
}

bool ChangeAttributeAction::redo(CFigContext* context)
{
    if (!object || !change)
        return true;
    switch (object->type) {
    case FigObject::Ellipse:
        context->applyEllipseAttributeChange(static_cast<FigEllipse*>(object), change);
        break;
    case FigObject::Polyline:
        context->applyPolylineAttributeChange(static_cast<FigLine*>(object), change);
        break;
    case FigObject::Spline:
        context->applySplineAttributeChange(static_cast<FigSpline*>(object), change);
        break;
    case FigObject::Text:
        context->applyTextAttributeChange(static_cast<FigText*>(object), change);
        if (!keepsLatexImage(change->kind))
            static_cast<FigText*>(object)->clearLatexPixmaps();
        break;
    case FigObject::Arc:
        context->applyArcAttributeChange(static_cast<FigArc*>(object), change);
        break;
    case FigObject::Compound:
        context->applyCompoundAttributeChange(static_cast<FigCompound*>(object), change);
        break;
    default:
        break;
    }
    return true;
}

bool ChangeAttributeAction::undo(CFigContext* context)
{
    if (!object || !change)
        return true;
    switch (object->type) {
    case FigObject::Ellipse:
        context->revertEllipseAttributeChange(static_cast<FigEllipse*>(object), change);
        break;
    case FigObject::Polyline:
        context->revertPolylineAttributeChange(static_cast<FigLine*>(object), change);
        break;
    case FigObject::Spline:
        context->revertSplineAttributeChange(static_cast<FigSpline*>(object), change);
        break;
    case FigObject::Text:
        context->revertTextAttributeChange(static_cast<FigText*>(object), change);
        if (!keepsLatexImage(change->kind))
            static_cast<FigText*>(object)->clearLatexPixmaps();
        break;
    case FigObject::Arc:
        context->revertArcAttributeChange(static_cast<FigArc*>(object), change);
        break;
    case FigObject::Compound:
        context->revertCompoundAttributeChange(static_cast<FigCompound*>(object), change);
        break;
    default:
        break;
    }
    return true;
}

void ChangeAttributeAction::releaseDone()
{
    delete change;
    change = nullptr;
}

void ChangeAttributeAction::releaseUndone()
{
    delete change;
    change = nullptr;
}
