#include "model/undohistory.h"

#include "edit/editstate.h"
#include "model/actionitem.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/units.h"

#include <algorithm>

namespace {

// Release call, then the virtual destructor, for each action from the last
// to the first; then the step list itself.
void releaseStep(ActionStep* step, bool done)
{
    while (!step->isEmpty()) {
        ActionItem* action = step->takeLast();
        if (done)
            action->releaseDone();
        else
            action->releaseUndone();
        delete action;
    }
    delete step;
}

void appendAll(FigObjectList& out, const FigObjectList* list)
{
    if (list)
        out.insert(out.end(), list->begin(), list->end());
}

} // namespace

UndoHistory::UndoHistory(CFigContext* ownerContext, int steps)
    : owner(ownerContext)
    , maxSteps(steps)
{
}

UndoHistory::~UndoHistory()
{
    clearUndo();
    clearRedo();
}

void UndoHistory::pushAction(ActionItem* action)
{
    if (!action)
        return;
    auto* step = new ActionStep { action };
    keepNeededCorners(*step);
    keepNeededCorners(*step);
    undoSteps.append(step);
    pushTail();
}

void UndoHistory::pushActionList(ActionStep* step)
{
    if (!step)
        return;
    if (step->isEmpty()) {
        // A command that changed nothing is no step: the document is not
        // modified by it and the undone steps stay available.
        delete step;
        return;
    }
    undoSteps.append(step);
    pushTail();
}

void UndoHistory::pushTail()
{
    if (undoSteps.size() > maxSteps)
        dropOldestStep();
    if (owner)
        owner->setModified();
    clearRedo();
}

void UndoHistory::clearRedo()
{
    while (!redoSteps.isEmpty())
        releaseStep(redoSteps.takeLast(), false);
}

void UndoHistory::clearUndo()
{
    while (!undoSteps.isEmpty())
        releaseStep(undoSteps.takeLast(), true);
}

void UndoHistory::dropOldestStep()
{
    if (!undoSteps.isEmpty())
        releaseStep(undoSteps.takeFirst(), true);
}

void UndoHistory::undo()
{
    // Without its document a step cannot be replayed; it stays where it is.
    if (undoSteps.isEmpty() || !owner)
        return;
    replay(undoSteps.takeLast(), true, redoSteps);
}

void UndoHistory::redo()
{
    if (redoSteps.isEmpty() || !owner)
        return;
    replay(redoSteps.takeLast(), false, undoSteps);
}

void UndoHistory::replay(ActionStep* step, bool undoing, QList<ActionStep*>& target)
{
    CFigContext* context = owner;

    // The area of everything the step touches is cleared of it first.
    FigObjectList erase;
    for (ActionItem* action : *step) {
        appendAll(erase, &action->objects);
        if (action->object)
            erase.push_back(action->object);
        appendAll(erase, action->linkedObjects());
    }
    forEachObject(&context->drawing.objects, clearSkipRedraw);
    context->redrawObjectList(&erase, true);

    auto run = [context, undoing](ActionItem* action) {
        const bool removes = undoing ? action->undoRemovesObject() : action->redoRemovesObject();
        if (removes && context->currentObject == action->object)
            context->currentObject = nullptr;
        if (undoing)
            action->undo(context);
        else
            action->redo(context);
        context->setModified();
    };
    if (undoing)
        std::for_each(step->rbegin(), step->rend(), run);
    else
        std::for_each(step->begin(), step->end(), run);
    target.append(step);

    forEachObject(&context->drawing.objects, clearSkipRedraw);
    FigObjectList draw;
    // Which objects `draw` holds: a step may move the whole drawing, and
    // searching the list for each object would cost its square.
    QSet<const FigObject*> drawn;
    for (ActionItem* action : *step) {
        fitCompoundsAroundLinked(context, action);
        if (!action->objects.empty()) {
            for (FigObject* object : action->objects) {
                if (drawn.contains(object))
                    continue;
                if (!context->refreshOwnerCompound(action->ownerList)) {
                    draw.push_back(object);
                    drawn.insert(object);
                }
            }
        } else if (action->object) {
            if (!context->refreshOwnerCompound(action->ownerList))
                draw.push_back(action->object);
        }
        appendAll(draw, action->linkedObjects());
    }
    if (undoing) {
        // The fitting above serves the redrawn area; the corners themselves
        // go back to what they were before the step, the first action's
        // record last, as it holds the state before the whole step.
        std::for_each(step->rbegin(), step->rend(), [](ActionItem* action) { action->cornersBeforeRedo.restore(); });
    } else {
        keepNeededCorners(*step);
    }
    // Objects whose markers change are redrawn too, so that no marker stays
    // on the canvas that a full redraw would not draw.
    const int markerState = allMarkersShown ? 1 : 0;
    for (FigObject* object : *context->objects()) {
        if (object->markerState != markerState && !drawn.contains(object)) {
            draw.push_back(object);
            drawn.insert(object);
        }
    }
    forEachObject(context->objects(), allMarkersShown ? markObject : clearMarkerState);
    context->redrawObjectList(&draw, false);
}

// A record of every compound's corners per step would grow with the drawing
// times the history; once the step is done only the compounds it changed
// need their corners back, each from the step's earliest record.
void keepNeededCorners(ActionStep& step)
{
    QSet<const FigCompound*> seen;
    for (ActionItem* action : step)
        action->cornersBeforeRedo.keepNeeded(seen);
}

void fitCompoundsAroundLinked(CFigContext* context, ActionItem* action)
{
    context->updateParentCompoundBounds(action->linkedObjects());
}

void collectActionObjects(const ActionStep& step, FigObjectList& out)
{
    for (const ActionItem* action : step)
        out.push_back(action->object);
}

// Members of CFigContext that serve the history and the actions --------------

void CFigContext::executeActionGroup(const ActionStep& step)
{
    for (ActionItem* action : step)
        action->redo(this);
}

FigCompound* CFigContext::refreshOwnerCompound(const FigObjectList* ownerList)
{
    if (!ownerList || ownerList == &drawing.objects)
        return nullptr;
    FigCompound* compound = findParentCompound(&drawing.objects, ownerList);
    if (!compound)
        return nullptr;
    // The compounds around it fit too, the inner one first: a member put
    // back into a nested compound changes the boxes of all that hold it.
    int x1 = compound->upperLeft.x;
    int y1 = compound->upperLeft.y;
    int x2 = compound->lowerRight.x;
    int y2 = compound->lowerRight.y;
    for (FigCompound* fitted = compound; fitted; fitted = parentCompoundOf(&drawing.objects, fitted)) {
        x1 = std::min(x1, fitted->upperLeft.x);
        y1 = std::min(y1, fitted->upperLeft.y);
        x2 = std::max(x2, fitted->lowerRight.x);
        y2 = std::max(y2, fitted->lowerRight.y);
        recomputeCorners(fitted);
        x1 = std::min(x1, fitted->upperLeft.x);
        y1 = std::min(y1, fitted->upperLeft.y);
        x2 = std::max(x2, fitted->lowerRight.x);
        y2 = std::max(y2, fitted->lowerRight.y);
    }
    const int margin = roundToInt(1200.0f / dpiX * 4.0f);
    redrawRect(x1 - margin, y1 - margin, x2 + margin, y2 + margin, nullptr, false);
    return compound;
}

bool CFigContext::editingInside(const FigObject* object) const
{
    if (!openCompound || !object || object->type != FigObject::Compound)
        return false;
    const FigObjectList* members = static_cast<const FigCompound*>(object)->members;
    return openCompound == members || findParentCompound(members, openCompound);
}

void CFigContext::closeEditingInside(const FigObject* object)
{
    // Each close goes up one level, and a list found nowhere falls back to
    // the top level, so this ends.
    while (editingInside(object))
        closeCompound(true);
    // Closing selects the compound it leaves; that one is about to go.
    if (currentObject && object
        && (currentObject == object
            || (object->type == FigObject::Compound
                && listContainsObject(static_cast<const FigCompound*>(object)->members, currentObject))))
        currentObject = nullptr;
}
