// Operations on a document's selection and view that the document window and
// the main window call: scroll origins for zooming, moving, deleting and
// cutting the selection as undo steps, compounds, conversions, markers and
// the object under the pointer. Drawing goes through the
// context's painter and happens only while it is active.

#include "app/qtchildfrm.h"
#include "app/statusmessages.h"
#include "edit/editobjects.h"
#include "edit/editstate.h"
#include "model/addaction.h"
#include "model/breakcompoundaction.h"
#include "model/convertlinetosplineaction.h"
#include "model/convertsplinetolineaction.h"
#include "model/createcompoundaction.h"
#include "model/deleteaction.h"
#include "model/depths.h"
#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figspline.h"
#include "model/geometricqueries.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"
#include "model/units.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

bool canDraw(const CFigContext* context)
{
    return context->painter && context->painter->isActive();
}

void appendAll(FigObjectList& target, const FigObjectList& source)
{
    for (FigObject* object : source) {
        if (!pointerListContains(&target, object))
            target.push_back(object);
    }
}

bool onShownDepth(const CFigContext* context, const FigObject* object)
{
    return context->depthVisible[std::clamp(object->depth, 0, CFigContext::depthCount - 1)];
}

// Angle from a to b going the way of growing angles, in [0, 2 pi).
double sweepBetween(double a, double b)
{
    constexpr double twoPi = 6.283185307179586;
    const double d = std::fmod(b - a, twoPi);
    return d < 0 ? d + twoPi : d;
}

// Whether (x, y) lies within t of the arc's curve between its first and last
// point (the way through its middle point); the hit is the nearest point of
// the curve.
bool pointNearArc(const FigArc* arc, int x, int y, int t, int& hitX, int& hitY)
{
    const double cx = arc->centerX;
    const double cy = arc->centerY;
    const double r = std::hypot(arc->points[0].x - cx, arc->points[0].y - cy);
    const double d = std::hypot(x - cx, y - cy);
    if (!(std::abs(d - r) <= t))
        return false;
    const auto angleOf = [cx, cy](double px, double py) { return std::atan2(py - cy, px - cx); };
    const double a1 = angleOf(arc->points[0].x, arc->points[0].y);
    const double a2 = angleOf(arc->points[1].x, arc->points[1].y);
    const double a3 = angleOf(arc->points[2].x, arc->points[2].y);
    const double ap = angleOf(x, y);
    const bool growing = sweepBetween(a1, a2) <= sweepBetween(a1, a3);
    const bool within
        = growing ? sweepBetween(a1, ap) <= sweepBetween(a1, a3) : sweepBetween(a3, ap) <= sweepBetween(a3, a1);
    const bool nearEnd = std::hypot(x - arc->points[0].x, y - arc->points[0].y) <= t
        || std::hypot(x - arc->points[2].x, y - arc->points[2].y) <= t;
    if (!within && !nearEnd)
        return false;
    hitX = roundToInt(cx + r * std::cos(ap));
    hitY = roundToInt(cy + r * std::sin(ap));
    return true;
}

} // namespace

bool CFigContext::isCompoundOpen(const CFigContext* ctx)
{
    return ctx && ctx->openCompound;
}

// ---- Scroll origins ----

void CFigContext::scrollOriginForZoom(int& ox, int& oy, int originX, int originY, float oldZoom, float newZoom) const
{
    const int w = view ? view->visibleWidth() : 0;
    const int h = view ? view->visibleHeight() : 0;
    const auto axis = [oldZoom, newZoom](float u, int origin, int extent) {
        // The Fig coordinate of the visible centre, then its new origin.
        const int c = int(u * (float(origin) / oldZoom)) + int(u * (float(extent) / oldZoom)) / 2;
        return std::max(0, int(float(c) * newZoom / u) - extent / 2);
    };
    ox = axis(displayPixelSize(dpiX), originX, w);
    oy = axis(displayPixelSize(dpiY), originY, h);
}

void CFigContext::centeredScrollOrigin(int& ox, int& oy, int cx, int cy, float zoom) const
{
    const int w = view ? view->visibleWidth() : 0;
    const int h = view ? view->visibleHeight() : 0;
    const auto axis = [zoom](float u, int centre, int extent) {
        const int half = int(u * (float(extent) / zoom)) / 2;
        return std::max(0, roundToInt(1.0f / u * zoom * float(centre - half)));
    };
    ox = axis(displayPixelSize(dpiX), cx, w);
    oy = axis(displayPixelSize(dpiY), cy, h);
}

// ---- Selection as undo steps ----

void CFigContext::moveSelection(int dx, int dy)
{
    FigObjectList* list = objects();
    FigObjectList selected;
    collectSelectedObjects(list, selected);
    if (selected.empty() || (dx == 0 && dy == 0))
        return;
    FigObjectList linked;
    collectLinkedObjectsOfList(&drawing.objects, &selected, linked);
    FigObjectList area = selected;
    appendAll(area, linked);

    if (canDraw(this)) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&area, true);
    }
    auto* action = new TranslateAction(list, selected, dx, dy, linked);
    action->redo(this);
    undoHistory.pushAction(action);
    updateParentCompoundBounds(&linked);
    if (canDraw(this)) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&area, false);
    }
}

FigObjectList* CFigContext::deleteSelection()
{
    FigObjectList* list = objects();
    auto* removed = new FigObjectList;
    collectSelectedObjects(list, *removed);
    if (removed->empty())
        return removed;
    auto* step = new ActionStep;
    for (FigObject* object : *removed) {
        if (currentObject == object)
            currentObject = nullptr;
        auto* action = new DeleteAction(list, object);
        action->redo(this);
        step->append(action);
    }
    undoHistory.pushActionList(step);
    return removed;
}

FigObjectList* CFigContext::cutSelection()
{
    FigObjectList selected;
    collectSelectedObjects(objects(), selected);
    auto* clones = new FigObjectList;
    for (const FigObject* object : selected) {
        if (FigObject* copy = cloneUnlinked(object))
            clones->push_back(copy);
    }
    delete deleteSelection();
    return clones;
}

void CFigContext::startPaste()
{
    if (!clipboardObjects)
        return;
    FigObjectList* copies = cloneObjectListWithIds(clipboardObjects);
    if (!copies)
        return;
    FigObjectList* list = objects();
    setObjectsSelected(list, false);
    auto* step = new ActionStep;
    for (FigObject* object : *copies) {
        object->selected = true;
        auto* action = new AddAction(list, object);
        action->redo(this);
        step->append(action);
    }
    undoHistory.pushActionList(step);
    if (canDraw(this))
        redrawObjectList(copies, false);
    delete copies; // the objects are in the drawing now
}

// ---- Compounds ----

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
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    getObjectListBounds(compound->members, xmin, ymin, xmax, ymax, false, true, true);
    compound->upperLeft.x = xmin;
    compound->upperLeft.y = ymin;
    compound->lowerRight.x = xmax;
    compound->lowerRight.y = ymax;
    auto* action = new CreateCompoundAction(list, compound);
    action->redo(this);
    undoHistory.pushAction(action);
    if (canDraw(this))
        redrawObject(compound, false);
}

void CFigContext::breakCompound()
{
    FigObjectList* list = objects();
    FigObjectList selected;
    collectSelectedObjects(list, selected);
    auto* step = new ActionStep;
    FigObjectList area;
    for (FigObject* object : selected) {
        if (object->type != FigObject::Compound)
            continue;
        auto* compound = static_cast<FigCompound*>(object);
        if (currentObject == compound)
            currentObject = nullptr;
        appendAll(area, *compound->members);
        auto* action = new BreakCompoundAction(list, compound);
        action->redo(this);
        step->append(action);
    }
    undoHistory.pushActionList(step);
    if (canDraw(this)) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&area, false);
    }
}

bool CFigContext::openCompoundForEditing(FigObject* object)
{
    auto* compound = static_cast<FigCompound*>(object);
    openCompound = compound->members;
    currentObject = nullptr;
    compound->selected = false;
    compound->markerState = 0;
    setObjectsSelected(compound->members, false);
    forEachObject(objects(), markObject);
    allMarkersShown = true;
    if (canDraw(this))
        redrawCanvas();
    return true;
}

void CFigContext::convertLineSpline(FigObject* object)
{
    if (!object)
        return;
    FigObjectList* list = objects();
    ActionItem* action = nullptr;
    if (object->type == FigObject::Polyline && (object->subType == 1 || object->subType == 3))
        action = new ConvertLineToSplineAction(list, static_cast<FigLine*>(object));
    else if (object->type == FigObject::Spline)
        action = new ConvertSplineToLineAction(list, static_cast<FigSpline*>(object));
    if (!action)
        return;
    if (canDraw(this)) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObject(object, true);
    }
    if (!action->redo(this)) {
        // Refused (too few points, no memory): nothing changed.
        action->releaseUndone();
        delete action;
        if (canDraw(this))
            redrawObject(object, false);
        return;
    }
    if (currentObject == object)
        currentObject = nullptr;
    undoHistory.pushAction(action);
    if (canDraw(this))
        redrawObject(action->object, false);
}

// ---- Markers ----

void CFigContext::setMarkerState(int state)
{
    const int wanted = state == 0 ? 0 : 1;
    FigObjectList changed;
    for (FigObject* object : *objects()) {
        if (object->markerState != wanted) {
            object->markerState = wanted;
            changed.push_back(object);
        }
    }
    allMarkersShown = false;
    if (canDraw(this) && !changed.empty()) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&changed, false);
    }
}

void CFigContext::clearMarkers()
{
    setMarkerState(0);
}

void CFigContext::showAllMarkers()
{
    allMarkersShown = true;
    for (FigObject* object : *objects()) {
        if (object->markerState == 0) {
            if (canDraw(this))
                drawObjectMarkers(object);
            else
                object->markerState = object->selected ? 2 : 1;
        }
    }
}

void CFigContext::redrawStaleMarkers()
{
    FigObjectList stale;
    for (FigObject* object : *objects()) {
        if (object->markerState == 2 && !object->selected) {
            object->markerState = allMarkersShown ? 1 : 0;
            stale.push_back(object);
        }
    }
    if (canDraw(this) && !stale.empty()) {
        forEachObject(&drawing.objects, clearSkipRedraw);
        redrawObjectList(&stale, false);
    }
}

void CFigContext::redrawCurrentObject()
{
    if (currentObject && canDraw(this))
        redrawObject(currentObject, false);
}

// ---- The object under the pointer ----

FigObject* CFigContext::findObjectUnderCursor(int x, int y, int& hitX, int& hitY, FigObject* excluded)
{
    const FigObjectList* list = objects();
    const int t = roundToInt(2.0f * displayPixelSize(dpiX) / zoom);
    if (FigObject* line = findLineNear(list, x, y, t, hitX, hitY, excluded))
        return line;
    if (FigObject* ellipse = findEllipseNear(list, x, y, t, hitX, hitY))
        return ellipse;
    for (FigObject* object : *list) {
        if (object->type == FigObject::Arc && object != excluded && onShownDepth(this, object)
            && pointNearArc(static_cast<const FigArc*>(object), x, y, t, hitX, hitY))
            return object;
    }
    if (FigObject* spline = findSplineNear(list, x, y, t, hitX, hitY, excluded))
        return spline;
    // Compounds by the four edges of their boxes.
    const float t2 = float(t) * float(t);
    for (FigObject* object : *list) {
        if (object->type != FigObject::Compound || object == excluded)
            continue;
        const auto* compound = static_cast<const FigCompound*>(object);
        const int x1 = compound->upperLeft.x;
        const int y1 = compound->upperLeft.y;
        const int x2 = compound->lowerRight.x;
        const int y2 = compound->lowerRight.y;
        if (pointNearSegment(x1, y1, x2, y1, x, y, t, t2, hitX, hitY)
            || pointNearSegment(x2, y1, x2, y2, x, y, t, t2, hitX, hitY)
            || pointNearSegment(x2, y2, x1, y2, x, y, t, t2, hitX, hitY)
            || pointNearSegment(x1, y2, x1, y1, x, y, t, t2, hitX, hitY))
            return object;
    }
    // Texts anywhere within their box.
    for (FigObject* object : *list) {
        if (object->type != FigObject::Text || object == excluded || !onShownDepth(this, object))
            continue;
        int xmin = 0;
        int ymin = 0;
        int xmax = 0;
        int ymax = 0;
        object->getBounds(this, xmin, ymin, xmax, ymax, true, true);
        if (x >= xmin - t && x <= xmax + t && y >= ymin - t && y <= ymax + t) {
            hitX = x;
            hitY = y;
            return object;
        }
    }
    return nullptr;
}
