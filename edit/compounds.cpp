// Grouping the selected objects into a compound, dissolving selected
// compounds, and opening a compound so that editing works on its members.
// Creating and breaking are one undo step each; opening and closing only
// change which list is edited, except that closing a compound left empty
// removes it as one step. Drawing happens only while the painter is
// active; the model changes either way.

#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "model/breakcompoundaction.h"
#include "model/createcompoundaction.h"
#include "model/deleteaction.h"
#include "model/depths.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"

#include <QPainter>

void CFigContext::createCompoundFromSelection()
{
    FigObjectList* list = objects();
    FigObjectList selected;
    collectSelectedObjects(list, selected);
    if (selected.empty()) {
        showStatusMessage("Empty compound, ignored");
        return;
    }
    auto* compound = new FigCompound(nextObjectId());
    for (FigObject* object : selected)
        compound->members->push_back(object);
    setObjectsSelected(compound->members, false);
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    compound->getBounds(this, xmin, ymin, xmax, ymax, true, true);
    compound->upperLeft.x = xmin;
    compound->upperLeft.y = ymin;
    compound->lowerRight.x = xmax;
    compound->lowerRight.y = ymax;
    if (canDraw(this))
        drawCompoundBoxMarkers(compound);
    currentObject = compound;
    compound->selected = true;
    compound->markerState = 1;

    auto* action = new CreateCompoundAction(list, compound);
    action->redo(this);
    undoHistory.pushAction(action);
    if (canDraw(this))
        redrawObject(compound, false);
    showObjectAttributes(compound);
}

void CFigContext::breakCompound()
{
    FigObjectList* list = objects();
    FigObjectList selected;
    collectSelectedObjects(list, selected);
    FigObjectList compounds;
    for (FigObject* object : selected) {
        if (object->type == FigObject::Compound)
            compounds.push_back(object);
    }
    // Their box markers go before they do.
    for (FigObject* compound : compounds)
        compound->markerState = 0;
    if (canDraw(this) && !compounds.empty()) {
        forEachObject(list, clearSkipRedraw);
        redrawObjectList(&compounds, false);
    }
    auto* step = new ActionStep;
    for (FigObject* object : compounds) {
        auto* action = new BreakCompoundAction(list, static_cast<FigCompound*>(object));
        step->append(action);
        action->redo(this);
    }
    undoHistory.pushActionList(step);
    currentObject = nullptr;
    if (canDraw(this))
        drawAllMarkers(nullptr);
}

bool CFigContext::openCompoundForEditing(FigObject* object)
{
    auto* compound = static_cast<FigCompound*>(object);
    openCompound = compound->members;
    currentObject = nullptr;
    compound->selected = false;
    compound->markerState = 0;
    setObjectsSelected(compound->members, false);
    showAllMarkers();
    if (canDraw(this))
        redrawCanvas();
    return true;
}

void CFigContext::closeCompoundForEditing()
{
    FigCompound* closing = findParentCompound(&drawing.objects, openCompound);
    closeCompound(false);
    if (closing && closing->members->empty()) {
        // An empty "6 ... -6" block with stale corners is no drawing; the
        // deletion keeps the compound for the undo of the members' steps.
        auto* action = new DeleteAction(objects(), closing);
        action->redo(this);
        undoHistory.pushAction(action);
    }
    if (canDraw(this))
        redrawCanvas();
}
