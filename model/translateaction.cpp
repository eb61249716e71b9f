#include "model/translateaction.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figpoint.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/transforms.h"
#include "model/undohistory.h"

#include <climits>

namespace {

// The offset back; INT_MIN has no negation in an int.
int negated(int v)
{
    return v == INT_MIN ? INT_MAX : -v;
}

} // namespace

TranslateAction::TranslateAction(
    FigObjectList* list, FigObject* subject, int moveX, int moveY, const FigObjectList& linked)
    : ActionItem(list, subject)
    , dx(moveX)
    , dy(moveY)
    , followers(linked)
{
    linkedObjectList = linked;
}

TranslateAction::TranslateAction(
    FigObjectList* list, const FigObjectList& subjects, int moveX, int moveY, const FigObjectList& linked)
    : ActionItem(list, nullptr)
    , dx(moveX)
    , dy(moveY)
    , followers(linked)
{
    objects = subjects;
    linkedObjectList = linked;
}

bool TranslateAction::redo(CFigContext* context)
{
    cornersBeforeRedo.clear();
    cornersBeforeRedo.capture(cornerScope ? cornerScope : &context->drawing.objects);
    arcCentres.clear();
    if (objects.empty())
        saveArcCentres(object);
    for (FigObject* subject : objects)
        saveArcCentres(subject);
    move(context, dx, dy, true);
    // linkedObjectList now names the compounds around the followers too; the
    // rule every undo and redo of the history follows fits the compounds
    // around those as well, so the first execution does the same.
    fitCompoundsAroundLinked(context, this);
    return true;
}

bool TranslateAction::undo(CFigContext* context)
{
    move(context, negated(dx), negated(dy), false);
    // Moving back refits a moved compound's corners and those around the
    // followers; they get back what they were instead, fitted or not.
    cornersBeforeRedo.restore();
    for (const ArcCentre& centre : qAsConst(arcCentres)) {
        centre.arc->centerX = centre.x;
        centre.arc->centerY = centre.y;
    }
    return true;
}

void TranslateAction::saveArcCentres(FigObject* subject)
{
    if (!subject)
        return;
    if (subject->type == FigObject::Arc) {
        auto* arc = static_cast<FigArc*>(subject);
        arcCentres.append({ arc, arc->centerX, arc->centerY });
    } else if (subject->type == FigObject::Compound) {
        for (FigObject* member : *static_cast<FigCompound*>(subject)->members)
            saveArcCentres(member);
    }
}

void TranslateAction::move(CFigContext* context, int offsetX, int offsetY, bool collectHolders)
{
    PointList handled;
    if (objects.empty()) {
        if (!object)
            return;
        pinOwnLinks();
        moveOne(context, object, offsetX, offsetY, collectHolders, handled);
        return;
    }
    for (FigObject* subject : objects) {
        pinLinksOutside(subject, ownerList, &objects);
        moveOne(context, subject, offsetX, offsetY, collectHolders, handled);
    }
}

void TranslateAction::moveOne(
    CFigContext* context, FigObject* subject, int offsetX, int offsetY, bool collectHolders, PointList& handled)
{
    translateObject(subject, offsetX, offsetY);
    if (subject->type == FigObject::Compound) {
        auto* compound = static_cast<FigCompound*>(subject);
        int xmin, ymin, xmax, ymax;
        compound->getBounds(context, xmin, ymin, xmax, ymax, true, true);
        compound->upperLeft.x = xmin;
        compound->upperLeft.y = ymin;
        compound->lowerRight.x = xmax;
        compound->lowerRight.y = ymax;
    }
    FigObjectList changed;
    translateSmartLinks(subject, &context->drawing.objects, offsetX, offsetY, changed, &followers, handled);
    context->updateParentCompoundBounds(&changed);
    if (!collectHolders)
        return;
    FigObjectList holders;
    context->collectParentCompounds(&changed, holders);
    for (FigObject* holder : holders) {
        if (!listContainsObject(&linkedObjectList, holder))
            linkedObjectList.push_back(holder);
    }
}

void TranslateAction::pinOwnLinks()
{
    const FigObjectList self { object };
    SmartLinkList records;
    collectLinkRecordsOfList(&self, records);
    if (!pinsRecorded) {
        pinLinksToUnselected(object, ownerList);
        for (SmartLink* record : qAsConst(records))
            pinnedAtFirstRedo.insert(record->sourcePoint, record->pinned);
        pinsRecorded = true;
        return;
    }
    // A record the first redo did not see stays on its target.
    for (SmartLink* record : qAsConst(records))
        record->pinned = pinnedAtFirstRedo.value(record->sourcePoint, true);
}
