// Marker states: which markers the canvas shows for each object of the
// current list (0 none, 1 point markers, 2 selection markers), set for all
// objects at once, and the markers of the current object, of the selection
// and of a compound's box. Drawing happens only while the painter is active;
// the states are kept either way.

#include "edit/canvashandlers.h"
#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "render/markers.h"

#include <QPainter>

void CFigContext::setMarkerState(int state)
{
    allMarkersShown = false;
    FigObjectList* list = objects();
    forEachObject(list, clearSkipRedraw);
    FigObjectList changed;
    for (FigObject* object : *list) {
        if (object->markerState != state) {
            object->markerState = state;
            changed.push_back(object);
        }
    }
    if (canDraw(this) && !changed.empty())
        redrawObjectList(&changed, false);
}

void CFigContext::clearMarkers()
{
    setMarkerState(0);
}

void CFigContext::showAllMarkers()
{
    allMarkersShown = true;
    for (FigObject* object : *objects()) {
        // Without a painter only the state is set.
        if (object->markerState == 0)
            drawObjectMarkers(object);
    }
}

void CFigContext::redrawStaleMarkers()
{
    FigObjectList* list = objects();
    forEachObject(list, clearSkipRedraw);
    FigObjectList stale;
    for (FigObject* object : *list) {
        if (object->markerState == 2 && !object->selected) {
            // A deselected object loses its markers, unless all are shown.
            object->markerState = allMarkersShown ? 1 : 0;
            stale.push_back(object);
        }
    }
    if (canDraw(this) && !stale.empty())
        redrawObjectList(&stale, false);
}

void CFigContext::drawSelectionMarkers(const FigObject* except)
{
    for (FigObject* object : *objects()) {
        if (object->selected && object != except)
            drawObjectMarkers(object);
    }
}

void CFigContext::redrawCurrentObject()
{
    if (currentObject && canDraw(this))
        redrawObject(currentObject, false);
}

void CFigContext::drawCurrentObjectMarkers()
{
    drawObjectMarkers(currentObject);
}

void CFigContext::drawCompoundBoxMarkers(FigCompound* compound)
{
    if (!compound || !compoundHasVisibleMember(compound))
        return;
    int handles[8][2];
    compoundBoxHandles(compound, handles);
    for (const auto& handle : handles)
        drawCompoundMarker(handle[0], handle[1]);
}
