#include "edit/pointmove.h"

#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/dragselection.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/rubberband.h"
#include "edit/selectmode.h"
#include "model/compoundcorners.h"
#include "model/depths.h"
#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/movearcpointaction.h"
#include "model/moveellipsepointaction.h"
#include "model/movelinepointaction.h"
#include "model/movesplinepointaction.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "render/overlapindex.h"

#include <QPainter>

#include <climits>
#include <cstdint>

int movingPointIndex = 0;
FigPoint* movingPointPrev = nullptr;
FigPoint* movingPointNext = nullptr;

namespace {

int offset(int to, int from)
{
    const std::int64_t d = std::int64_t(to) - from;
    return d > INT_MAX ? INT_MAX : (d < INT_MIN ? INT_MIN : int(d));
}

FigPoint* chainOf(FigObject* object)
{
    if (!object)
        return nullptr;
    if (object->type == FigObject::Polyline)
        return static_cast<FigLine*>(object)->points;
    if (object->type == FigObject::Spline)
        return static_cast<FigSpline*>(object)->points;
    return nullptr;
}

int indexInChain(const FigPoint* chain, const FigPoint* point)
{
    int index = 0;
    for (const FigPoint* p = chain; p; p = p->next, ++index) {
        if (p == point)
            return index;
    }
    return -1;
}

FigPoint* pointAt(FigPoint* chain, int index)
{
    if (index < 0)
        return nullptr;
    for (FigPoint* p = chain; p; p = p->next) {
        if (index-- == 0)
            return p;
    }
    return nullptr;
}

// The current object when it is of the kind; the point moves need it.
FigObject* currentOfKind(CFigContext* context, int kind)
{
    FigObject* object = context ? context->currentObject : nullptr;
    return object && object->type == kind ? object : nullptr;
}

// An end point dragged under a line constraint shows the constrained rubber
// line instead of a preview.
bool rubberLineInForce()
{
    return canvasHandlers.moveHandler == axisDiagonalMove || canvasHandlers.moveHandler == latexSlopeMove;
}

PointHandler constrainedLineMove()
{
    if (constraintModes.latexLine || constraintModes.latexArrow)
        return latexSlopeMove;
    if (constraintModes.manhattan || constraintModes.mountain)
        return axisDiagonalMove;
    return nullptr;
}

// Installs the constrained rubber line from where the point was at the press.
void startRubberLine(CFigContext* context, PointHandler move)
{
    canvasHandlers.moveHandler = move;
    canvasAction.trackX = canvasAction.anchorX;
    canvasAction.trackY = canvasAction.anchorY;
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
    canvasHandlers.elasticHandler = drawRubberSegment;
}

// Erases the rubber line; the drop lands where it ended, taking the release
// position through the constraint first.
void finishRubberLine(CFigContext* context, int& x, int& y)
{
    canvasHandlers.moveHandler(context, x, y);
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
    canvasHandlers.elasticHandler = nullptr;
    x = canvasAction.trackX;
    y = canvasAction.trackY;
}

// The object followed by the lines of the drawing smart-linked to it.
FigObjectList withLinkedLines(CFigContext* context, FigObject* object)
{
    FigObjectList list { object };
    collectSmartLinkedObjects(&context->drawing.objects, object, list);
    return list;
}

// The boxes of the objects that hold still while a point moves, taken at
// the first preview of the gesture, so that each preview's rectangle redraw
// does not measure the whole drawing again.
struct PointMoveIndex {
    OverlapIndex index;
    FigObjectList holders; // the compounds holding the moving objects
    const FigObject* object = nullptr; // the object whose point moves
    int undoSteps = 0;
    const void* newestStep = nullptr;
};
PointMoveIndex pointMoveIndex;

void forgetPointMoveIndex()
{
    pointMoveIndex.index.clear();
    pointMoveIndex.holders.clear();
    pointMoveIndex.object = nullptr;
}

// Lends the rectangle redraws of one preview the boxes of what holds still;
// `moving` (the object and the lines linked to it) are measured each time.
// Made before any clone stands in for its object. Also knows the compounds
// holding the moving objects.
struct PreviewIndex {
    PreviewIndex(CFigContext* context, const FigObjectList& moving)
    {
        if (moving.empty())
            return;
        PointMoveIndex& p = pointMoveIndex;
        const auto& steps = context->undoHistory.undoSteps;
        const void* newest = context->undoHistory.newestStep();
        if (p.object != moving.front() || p.undoSteps != steps.size() || p.newestStep != newest) {
            p.index.clear();
            p.holders.clear();
            context->collectParentCompounds(&moving, p.holders);
            p.object = moving.front();
            p.undoSteps = steps.size();
            p.newestStep = newest;
        }
        holders = &p.holders;
        if (!canDraw(context))
            return;
        if (!p.index.fits(*context))
            p.index.build(*context, QSet<const FigObject*>(moving.begin(), moving.end()));
        activeOverlapIndex = &p.index;
    }
    const FigObjectList* holders = nullptr;
    ~PreviewIndex() { activeOverlapIndex = nullptr; }
    PreviewIndex(const PreviewIndex&) = delete;
    PreviewIndex& operator=(const PreviewIndex&) = delete;
};

// Puts `clones` into the drawing in place of the objects of the same
// identifiers, runs the temporary change on them, redraws their area with the
// last preview's, keeps them as the new preview and puts `originals` back.
// The compounds holding them are drawn and kept as the change fitted them
// (as the drag of a selection does), so that a whole-canvas redraw shows
// them alike; the compounds of the drawing keep their corners.
template <typename Change>
void previewSwapped(CFigContext* context, const FigObjectList& originals, FigObjectList* clones, Change change)
{
    PreviewIndex index(context, originals);
    CompoundCorners corners;
    corners.capture(&context->drawing.objects);
    context->replaceObjectsById(clones);
    change();
    FigObjectList shown = *clones;
    if (index.holders)
        shown.insert(shown.end(), index.holders->begin(), index.holders->end());
    if (canDraw(context))
        context->redrawListArea(&shown, &dragPreviewObjects, nullptr);
    keepDragPreview(&shown);
    corners.restore();
    context->replaceObjectsById(&originals);
    deleteAllObjects(clones);
    delete clones;
}

// The preview of an arc or spline: one clone, kept as the edit copy.
template <typename Change> void previewEditCopy(CFigContext* context, FigObject* object, Change change)
{
    FigObject* copy = object->clone();
    if (!copy)
        return;
    PreviewIndex index(context, FigObjectList { object });
    CompoundCorners corners;
    corners.capture(&context->drawing.objects);
    if (!change(copy)) {
        corners.restore();
        delete copy;
        return;
    }
    FigObjectList one { copy };
    context->replaceObjectsById(&one);
    if (canDraw(context))
        context->redrawTwoObjectsArea(copy, context->editCopy ? context->editCopy : object, nullptr);
    corners.restore();
    delete context->editCopy;
    context->editCopy = copy;
    FigObjectList back { object };
    context->replaceObjectsById(&back);
}

// After a drop: the area of the objects as they are now and of whatever the
// last preview (or the edit copy) showed, so that no trace of the drag stays.
void redrawAfterDrop(CFigContext* context, FigObjectList objects)
{
    if (!canDraw(context))
        return;
    forEachObject(&context->drawing.objects, clearSkipRedraw);
    if (context->editCopy)
        dragPreviewObjects.push_back(context->editCopy->clone());
    dragPreviewObjects.remove(nullptr);
    context->redrawListArea(&objects, &dragPreviewObjects, nullptr);
}

void endPointMove(CFigContext* context)
{
    clearDragPreview();
    forgetPointMoveIndex();
    if (context) {
        delete context->editCopy;
        context->editCopy = nullptr;
    }
    canvasHandlers.elasticHandler = nullptr;
    endCanvasAction();
    returnToSelectMode();
}

} // namespace

// ---- Start ----

bool startPointMove(CFigContext* context, FigObject* object, int type, int x, int y, int pointX, int pointY,
    FigPoint* previous, FigPoint* point, int index)
{
    if (!context || !object || !point)
        return false;
    if (otherObjectSelected(context->objects(), object) || object->type == FigObject::Compound)
        return false;
    if (object->type == FigObject::Polyline && countPoints(static_cast<FigLine*>(object)->points) < 2)
        return false;
    if (object->type == FigObject::Ellipse) {
        const auto* ellipse = static_cast<const FigEllipse*>(object);
        if (ellipse->center.x == pointX && ellipse->center.y == pointY)
            return false;
    }

    selectModeObjectPicked(context, object, type, x, y, pointX, pointY);
    editMode = EditMode::MovePoint;
    context->currentObject = object;
    movingPointPrev = previous;
    movingPointNext = nullptr;
    movingPointIndex = index;

    switch (object->type) {
    case FigObject::Arc:
        movingPoint = &static_cast<FigArc*>(object)->points[index >= 0 && index <= 2 ? index : 0];
        canvasHandlers.moveHandler = beginArcPointDrag;
        break;
    case FigObject::Ellipse: {
        auto* ellipse = static_cast<FigEllipse*>(object);
        movingPoint = index == 1 ? &ellipse->end : &ellipse->start;
        canvasHandlers.moveHandler = beginEllipsePointDrag;
        break;
    }
    case FigObject::Polyline:
        movingPoint = point;
        canvasHandlers.moveHandler = beginLinePointDrag;
        break;
    case FigObject::Spline:
        movingPoint = point;
        canvasHandlers.moveHandler = beginSplinePointDrag;
        break;
    default:
        return false;
    }
    canvasHandlers.leftReleaseHandler = releaseWithoutDrag;
    return true;
}

// ---- First move ----

void beginArcPointDrag(CFigContext* context, int x, int y)
{
    Q_UNUSED(context)
    Q_UNUSED(x)
    Q_UNUSED(y)
    beginCanvasAction();
    if (movingPoint) {
        canvasAction.trackX = movingPoint->x;
        canvasAction.trackY = movingPoint->y;
    }
    canvasHandlers.moveHandler = dragArcPoint;
    canvasHandlers.leftReleaseHandler = dropArcPoint;
    canvasHandlers.rightPressHandler = cancelPointDrag;
}

void beginEllipsePointDrag(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    beginCanvasAction();
    FigObject* ellipse = currentOfKind(context, FigObject::Ellipse);
    if (!ellipse)
        return;
    // An ellipse drawn by radius keeps its centre in its start point.
    if (movingPointIndex == 0 && (ellipse->subType == 1 || ellipse->subType == 3)) {
        showStatusMessage("Cannot move CENTER point");
        return;
    }
    canvasHandlers.moveHandler = dragEllipsePoint;
    canvasHandlers.leftReleaseHandler = dropEllipsePoint;
    canvasHandlers.rightPressHandler = cancelPointDrag;
    canvasHandlers.elasticHandler = nullptr;
    // The first preview clears where the ellipse and its linked lines are.
    const FigObjectList shown = withLinkedLines(context, ellipse);
    keepDragPreview(&shown);
}

void beginLinePointDrag(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    beginCanvasAction();
    FigObject* object = currentOfKind(context, FigObject::Polyline);
    if (!object || !movingPoint)
        return;
    auto* line = static_cast<FigLine*>(object);
    movingPointNext = movingPoint->next;
    switch (line->subType) {
    case 1: {
        const PointHandler constrained = constrainedLineMove();
        if (movingPointPrev && movingPointNext)
            canvasHandlers.moveHandler = dragLinePoint;
        else if (constrained)
            startRubberLine(context, constrained);
        else
            canvasHandlers.moveHandler = dragLinePoint;
        canvasHandlers.leftReleaseHandler = dropLinePoint;
        break;
    }
    case 3:
        // The first point is also the closing one: its neighbour before it
        // is the point before the closing copy.
        if (movingPoint == line->points)
            movingPointPrev = nextToLastPoint(line->points);
        canvasHandlers.moveHandler = dragLinePoint;
        canvasHandlers.leftReleaseHandler = dropLinePoint;
        break;
    case 2:
    case 4:
    case 5:
        canvasHandlers.moveHandler = dragLinePoint;
        canvasHandlers.leftReleaseHandler = dropBoxCorner;
        break;
    default:
        canvasHandlers.moveHandler = dragLinePoint;
        canvasHandlers.leftReleaseHandler = dropLinePoint;
        break;
    }
    canvasHandlers.rightPressHandler = cancelPointDrag;
    const FigObjectList shown = withLinkedLines(context, line);
    keepDragPreview(&shown);
}

void beginSplinePointDrag(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    beginCanvasAction();
    FigObject* spline = currentOfKind(context, FigObject::Spline);
    if (!spline || !movingPoint)
        return;
    canvasAction.trackX = movingPoint->x;
    canvasAction.trackY = movingPoint->y;
    const PointHandler constrained = constrainedLineMove();
    if (spline->subType % 2 == 0 && isPathEndPoint(spline, movingPoint) && constrained)
        startRubberLine(context, constrained);
    else
        canvasHandlers.moveHandler = dragSplinePoint;
    canvasHandlers.leftReleaseHandler = dropSplinePoint;
    canvasHandlers.rightPressHandler = cancelPointDrag;
}

// ---- Previews ----

void dragLinePoint(CFigContext* context, int x, int y)
{
    FigObject* line = currentOfKind(context, FigObject::Polyline);
    if (!line || !movingPoint)
        return;
    const int index = indexInChain(chainOf(line), movingPoint);
    if (index < 0)
        return;
    const FigObjectList originals = withLinkedLines(context, line);
    FigObjectList* clones = cloneObjectList(&originals);
    if (!clones)
        return;
    FigObject* copy = clones->front();
    FigPoint* copyPoint = pointAt(chainOf(copy), index);
    if (!copyPoint) {
        deleteAllObjects(clones);
        delete clones;
        return;
    }
    const int dx = offset(x, movingPoint->x);
    const int dy = offset(y, movingPoint->y);
    previewSwapped(context, originals, clones, [&] {
        MoveLinePointAction change(context->objects(), copy, copyPoint, dx, dy);
        change.redo(context);
        change.releaseDone();
    });
}

void dragEllipsePoint(CFigContext* context, int x, int y)
{
    FigObject* ellipse = currentOfKind(context, FigObject::Ellipse);
    if (!ellipse || !movingPoint)
        return;
    const FigObjectList originals = withLinkedLines(context, ellipse);
    FigObjectList* clones = cloneObjectList(&originals);
    if (!clones)
        return;
    FigObject* copy = clones->front();
    const int dx = offset(x, movingPoint->x);
    const int dy = offset(y, movingPoint->y);
    previewSwapped(context, originals, clones, [&] {
        MoveEllipsePointAction change(context->objects(), copy, movingPointIndex, dx, dy);
        change.redo(context);
        context->showEllipseMeasures(static_cast<const FigEllipse*>(copy));
    });
}

void dragArcPoint(CFigContext* context, int x, int y)
{
    FigObject* arc = currentOfKind(context, FigObject::Arc);
    if (!arc || !movingPoint)
        return;
    const int dx = offset(x, movingPoint->x);
    const int dy = offset(y, movingPoint->y);
    previewEditCopy(context, arc, [&](FigObject* copy) {
        // An arc whose points would lie on one line refuses: the preview
        // stays where it was.
        MoveArcPointAction change(context->objects(), copy, movingPointIndex, dx, dy);
        return change.redo(context);
    });
}

void dragSplinePoint(CFigContext* context, int x, int y)
{
    FigObject* spline = currentOfKind(context, FigObject::Spline);
    if (!spline || !movingPoint)
        return;
    const int index = indexInChain(chainOf(spline), movingPoint);
    if (index < 0)
        return;
    const int dx = offset(x, movingPoint->x);
    const int dy = offset(y, movingPoint->y);
    previewEditCopy(context, spline, [&](FigObject* copy) {
        FigPoint* copyPoint = pointAt(chainOf(copy), index);
        if (!copyPoint)
            return false;
        MoveSplinePointAction change(context->objects(), copy, copyPoint, dx, dy);
        change.redo(context);
        change.releaseDone();
        return true;
    });
}

// ---- Drops ----

namespace {

// The drop of a polyline or spline point: snapped onto a link target unless
// it is a box corner, one undo step, the area redrawn.
template <typename Action> void dropPathPoint(CFigContext* context, int kind, bool linkable, int x, int y)
{
    FigObject* path = currentOfKind(context, kind);
    if (!path || !movingPoint || !chainContainsPoint(chainOf(path), movingPoint)) {
        endPointMove(context);
        return;
    }
    FigObjectList before = withLinkedLines(context, path);
    if (rubberLineInForce()) {
        finishRubberLine(context, x, y);
        // The line was not previewed: its area before the drop is redrawn too.
        keepDragPreview(&before);
    }
    if (linkable)
        context->snapToLinkTarget(x, y, path);
    auto* action
        = new Action(context->objects(), path, movingPoint, offset(x, movingPoint->x), offset(y, movingPoint->y));
    action->redo(context);
    context->undoHistory.pushAction(action);
    context->setModified();
    FigObjectList after = withLinkedLines(context, path);
    for (FigObject* object : before) {
        if (!pointerListContains(&after, object))
            after.push_back(object);
    }
    redrawAfterDrop(context, after);
    endPointMove(context);
}

} // namespace

void dropLinePoint(CFigContext* context, int x, int y)
{
    dropPathPoint<MoveLinePointAction>(context, FigObject::Polyline, true, x, y);
}

void dropBoxCorner(CFigContext* context, int x, int y)
{
    dropPathPoint<MoveLinePointAction>(context, FigObject::Polyline, false, x, y);
}

void dropSplinePoint(CFigContext* context, int x, int y)
{
    dropPathPoint<MoveSplinePointAction>(context, FigObject::Spline, true, x, y);
}

void dropEllipsePoint(CFigContext* context, int x, int y)
{
    FigObject* ellipse = currentOfKind(context, FigObject::Ellipse);
    if (!ellipse || !movingPoint) {
        endPointMove(context);
        return;
    }
    FigObjectList before = withLinkedLines(context, ellipse);
    auto* action = new MoveEllipsePointAction(
        context->objects(), ellipse, movingPointIndex, offset(x, movingPoint->x), offset(y, movingPoint->y));
    action->redo(context);
    context->undoHistory.pushAction(action);
    context->setModified();
    FigObjectList after = withLinkedLines(context, ellipse);
    for (FigObject* object : before) {
        if (!pointerListContains(&after, object))
            after.push_back(object);
    }
    redrawAfterDrop(context, after);
    endPointMove(context);
}

void dropArcPoint(CFigContext* context, int x, int y)
{
    FigObject* arc = currentOfKind(context, FigObject::Arc);
    if (!arc || !movingPoint) {
        endPointMove(context);
        return;
    }
    auto* action = new MoveArcPointAction(
        context->objects(), arc, movingPointIndex, offset(x, movingPoint->x), offset(y, movingPoint->y));
    if (action->redo(context)) {
        context->undoHistory.pushAction(action);
        context->setModified();
    } else {
        // Refused: the arc is as it was and the document unchanged.
        action->releaseUndone();
        delete action;
    }
    redrawAfterDrop(context, FigObjectList { arc });
    endPointMove(context);
}

// ---- Cancel ----

void cancelPointDrag(CFigContext* context, int x, int y)
{
    if (rubberLineInForce()) {
        drawRubberSegment(
            context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
        canvasHandlers.elasticHandler = nullptr;
    }
    Q_UNUSED(x)
    Q_UNUSED(y)
    if (context && context->currentObject)
        redrawAfterDrop(context, withLinkedLines(context, context->currentObject));
    endPointMove(context);
}

void releaseWithoutDrag(CFigContext* context, int x, int y)
{
    Q_UNUSED(x)
    Q_UNUSED(y)
    endPointMove(context);
}
