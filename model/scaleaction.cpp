#include "model/scaleaction.h"

#include "model/figcontext.h"
#include "model/smartlinks.h"
#include "model/undohistory.h"

#include <cmath>

ScaleAction::ScaleAction(
    FigObjectList* list, const FigObjectList& subjects, const FigObjectList& linked, float sx, float sy, int cx, int cy)
    : ActionItem(list, nullptr)
    , scaleX(sx)
    , scaleY(sy)
    , centerX(cx)
    , centerY(cy)
    , followers(linked)
{
    objects = subjects;
    linkedObjectList = linked;
}

bool ScaleAction::redo(CFigContext* context)
{
    before.clear();
    cornersBeforeRedo.clear();
    scaled = false;
    // The negated comparison also refuses NaN.
    if (!(std::fabs(scaleX) >= minimumFactor && std::fabs(scaleY) >= minimumFactor))
        return false;

    FigObjectList holders;
    context->collectParentCompounds(&followers, holders);
    before.captureList(&objects);
    before.captureList(&followers);
    for (FigObject* holder : holders)
        before.capture(holder);
    cornersBeforeRedo.capture(&context->drawing.objects);

    PointList handled;
    for (FigObject* subject : objects) {
        pinLinksOutside(subject, ownerList, &objects);
        context->scaleObject(subject, scaleX, scaleY, centerX, centerY);
        FigObjectList changed;
        scaleSmartLinks(subject, scaleX, scaleY, centerX, centerY, &followers, changed, handled);
        context->updateParentCompoundBounds(&changed);
    }
    // The compounds around the followers are fitted by the rule every undo
    // and redo of the history follows, so that the first execution leaves
    // the drawing as every later one does.
    fitCompoundsAroundLinked(context, this);
    scaled = true;
    return true;
}

bool ScaleAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    if (!scaled)
        return false;
    before.restore();
    cornersBeforeRedo.restore();
    return true;
}
