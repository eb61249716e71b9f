#include "model/changearrowaction.h"

#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/pointoperations.h"

ChangeArrowAction::ChangeArrowAction(FigObjectList* list, FigObject* subject, int arrowEnd, FigArrow* arrow)
    : ActionItem(list, subject)
    , end(arrowEnd)
    , newArrow(arrow)
{
}

bool ChangeArrowAction::swap(FigArrow* arrow, FigArrow*& previous)
{
    if (!object)
        return false;
    switch (object->type) {
    case FigObject::Polyline:
        return swapLineArrow(static_cast<FigLine*>(object), end, arrow, previous);
    case FigObject::Spline:
        return swapSplineArrow(static_cast<FigSpline*>(object), end, arrow, previous);
    case FigObject::Arc:
        return swapArcArrow(static_cast<FigArc*>(object), end, arrow, previous);
    default:
        return false;
    }
}

bool ChangeArrowAction::redo(CFigContext* context)
{
    Q_UNUSED(context)
    accepted = swap(newArrow, oldArrow);
    return true;
}

bool ChangeArrowAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    if (accepted) {
        FigArrow* taken = nullptr;
        swap(oldArrow, taken);
    }
    return true;
}

void ChangeArrowAction::releaseDone()
{
    delete oldArrow;
    oldArrow = nullptr;
    if (!accepted) {
        delete newArrow;
        newArrow = nullptr;
    }
}

void ChangeArrowAction::releaseUndone()
{
    delete newArrow;
    newArrow = nullptr;
}
