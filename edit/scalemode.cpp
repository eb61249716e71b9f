#include "edit/scalemode.h"

#include "app/preferences.h"
#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/picking.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/scaleaction.h"
#include "model/smartlinks.h"
#include "model/units.h"

#include <cmath>
#include <cstdint>

namespace {

enum Grip { LeftEdge = 0, TopEdge = 1, RightEdge = 2, BottomEdge = 3, Corner = 4 };

// Where the moving corner was at the press, and which handle was taken.
int scaleStartX = 0;
int scaleStartY = 0;
int scaleGrip = Corner;
// For a corner: the absolute direction of the diagonal from the fixed corner
// to the grabbed one.
double scaleDiagonalCos = 0.0;
double scaleDiagonalSin = 0.0;

// The clones the last preview drew, so that the next one clears their area.
struct PreviewObjects {
    FigObjectList objects;
    ~PreviewObjects() { clear(); }
    void clear()
    {
        deleteAllObjects(&objects);
        objects.clear();
    }
};

PreviewObjects& previewObjects()
{
    static PreviewObjects preview;
    return preview;
}

bool gridSnapping()
{
    return (preferences.snapMode & 1) != 0;
}

// The factors that take the grabbed corner to the moving one, about the
// fixed corner, in single precision.
void scaleFactors(float& sx, float& sy)
{
    sx = static_cast<float>(canvasAction.trackX - canvasAction.anchorX)
        / static_cast<float>(scaleStartX - canvasAction.anchorX);
    sy = static_cast<float>(canvasAction.trackY - canvasAction.anchorY)
        / static_cast<float>(scaleStartY - canvasAction.anchorY);
}

bool acceptableFactor(float s)
{
    // The negated comparison also refuses NaN.
    return std::isfinite(s) && std::fabs(s) >= ScaleAction::minimumFactor;
}

void endScaling(CFigContext* context)
{
    delete context->selection;
    context->selection = nullptr;
    previewObjects().clear();
    initScaleMode();
}

} // namespace

void initScaleMode()
{
    setCanvasHandlers(nullptr, scaleCompoundPress, nullptr);
    canvasHandlers.selectionMoveHandler = nullptr;
    canvasHandlers.leftReleaseHandler = nullptr;
    endCanvasAction();
}

void constrainScalePoint(int x, int y)
{
    if (gridSnapping()) {
        canvasAction.trackX = x;
        canvasAction.trackY = y;
        return;
    }
    switch (scaleGrip) {
    case LeftEdge:
    case RightEdge:
        canvasAction.trackX = x;
        break;
    case TopEdge:
    case BottomEdge:
        canvasAction.trackY = y;
        break;
    default: {
        const double dx = static_cast<double>(x) - canvasAction.anchorX;
        const double dy = static_cast<double>(y) - canvasAction.anchorY;
        const double d = std::sqrt(dx * dx + dy * dy);
        const int along = roundToInt(scaleDiagonalCos * d);
        const int across = roundToInt(scaleDiagonalSin * d);
        canvasAction.trackX = x < canvasAction.anchorX ? canvasAction.anchorX - along : canvasAction.anchorX + along;
        canvasAction.trackY = y < canvasAction.anchorY ? canvasAction.anchorY - across : canvasAction.anchorY + across;
        break;
    }
    }
}

void scaleCompoundPress(CFigContext* context, int x, int y)
{
    if (!context)
        return;
    const int t = pickTolerance(context);
    int hitX = 0;
    int hitY = 0;
    FigObject* found = context->findCompoundCornerNear(x, y, t, hitX, hitY);
    const bool byCorner = found != nullptr;
    int grip = Corner;
    if (!found) {
        found = context->findCompoundEdgeNear(x, y, t, hitX, hitY);
        if (!found)
            return;
    }
    auto* compound = static_cast<FigCompound*>(found);
    const int left = compound->upperLeft.x;
    const int top = compound->upperLeft.y;
    const int right = compound->lowerRight.x;
    const int bottom = compound->lowerRight.y;
    if (left == right || top == bottom) {
        // No factor takes a side of length 0 anywhere.
        showStatusMessage("A compound without width or height can't be scaled");
        return;
    }

    int anchorX = 0;
    int anchorY = 0;
    int startX = 0;
    int startY = 0;
    if (byCorner) {
        anchorX = hitX == left ? right : left;
        anchorY = hitY == top ? bottom : top;
        startX = hitX;
        startY = hitY;
        const double dx = static_cast<double>(startX) - anchorX;
        const double dy = static_cast<double>(startY) - anchorY;
        const double length = std::sqrt(dx * dx + dy * dy);
        scaleDiagonalCos = std::fabs(dx) / length;
        scaleDiagonalSin = std::fabs(dy) / length;
    } else {
        if (hitX == left)
            grip = LeftEdge;
        else if (hitY == top)
            grip = TopEdge;
        else if (hitX == right)
            grip = RightEdge;
        else if (hitY == bottom)
            grip = BottomEdge;
        else
            return;
        if (grip == LeftEdge || grip == TopEdge) {
            anchorX = right;
            anchorY = bottom;
            startX = left;
            startY = top;
        } else {
            anchorX = left;
            anchorY = top;
            startX = right;
            startY = bottom;
        }
    }
    scaleGrip = grip;
    canvasAction.anchorX = anchorX;
    canvasAction.anchorY = anchorY;
    canvasAction.trackX = startX;
    canvasAction.trackY = startY;
    scaleStartX = startX;
    scaleStartY = startY;

    context->currentObject = compound;
    delete context->selection;
    context->selection = new FigObjectList { compound };
    previewObjects().clear();
    setCanvasHandlers(nullptr, nullptr, cancelScale);
    canvasHandlers.selectionMoveHandler = scalePreview;
    canvasHandlers.leftReleaseHandler = finishScale;
    beginCanvasAction();
}

void scalePreview(CFigContext* context, FigObjectList* list, int x, int y)
{
    if (!context || !list || list->empty())
        return;
    constrainScalePoint(x, y);
    float sx = 1.0f;
    float sy = 1.0f;
    scaleFactors(sx, sy);

    // Clones of the compound and of the lines linked to it take the real
    // objects' places while they are scaled and drawn; the real ones never
    // change before the release.
    FigObjectList linked;
    collectLinkedObjectsOfList(&context->drawing.objects, list, linked);
    FigObjectList* scaledClones = cloneObjectList(list);
    FigObjectList* linkedClones = cloneObjectList(&linked);
    if (!scaledClones || !linkedClones) {
        if (scaledClones)
            deleteAllObjects(scaledClones);
        delete scaledClones;
        delete linkedClones;
        return;
    }
    FigObjectList shown(*linkedClones);
    shown.insert(shown.end(), scaledClones->begin(), scaledClones->end());
    context->replaceObjectsById(&shown);

    FigObjectList followers;
    collectLinkedObjectsOfList(&context->drawing.objects, scaledClones, followers);
    ScaleAction scaling(context->objects(), *scaledClones, followers, sx, sy, canvasAction.anchorX, canvasAction.anchorY);
    const bool scaled = scaling.redo(context);
    context->redrawListArea(&shown, &previewObjects().objects, nullptr);
    previewObjects().clear();
    if (FigObjectList* copies = cloneObjectList(&shown)) {
        previewObjects().objects = *copies;
        delete copies;
    }
    // The corners of the compounds around the stretched clones go back with
    // the real lines.
    if (scaled)
        scaling.undo(context);

    context->replaceObjectsById(&linked);
    context->replaceObjectsById(list);
    deleteAllObjects(scaledClones);
    deleteAllObjects(linkedClones);
    delete scaledClones;
    delete linkedClones;
}

void finishScale(CFigContext* context, int x, int y)
{
    if (!context)
        return;
    FigObject* compound = context->selection && !context->selection->empty() ? context->selection->front() : nullptr;
    if (!compound) {
        endScaling(context);
        return;
    }
    constrainScalePoint(x, y);
    float sx = 1.0f;
    float sy = 1.0f;
    scaleFactors(sx, sy);
    FigObjectList shownBefore;
    shownBefore.swap(previewObjects().objects);
    if (!acceptableFactor(sx) || !acceptableFactor(sy)) {
        // Pressed flat onto the fixed corner's line: nothing could bring it
        // back, so the compound stays as it was.
        showStatusMessage("A compound can't be scaled to a width or height of 0");
        FigObjectList compoundList { compound };
        context->redrawListArea(&compoundList, &shownBefore, nullptr);
        deleteAllObjects(&shownBefore);
        endScaling(context);
        return;
    }
    FigObjectList linked;
    collectSmartLinkedObjects(&context->drawing.objects, compound, linked);
    auto* scaling = new ScaleAction(
        context->objects(), FigObjectList { compound }, linked, sx, sy, canvasAction.anchorX, canvasAction.anchorY);
    if (!scaling->redo(context)) {
        delete scaling;
        deleteAllObjects(&shownBefore);
        endScaling(context);
        return;
    }
    context->undoHistory.pushAction(scaling);
    // The area of the last preview too, in case the release scaled less.
    FigObjectList compoundList { compound };
    for (FigObject* line : linked)
        compoundList.push_back(line);
    context->redrawListArea(&compoundList, &shownBefore, nullptr);
    deleteAllObjects(&shownBefore);
    endScaling(context);
}

void cancelScale(CFigContext* context, int, int)
{
    if (!context)
        return;
    if (context->selection)
        scalePreview(context, context->selection, scaleStartX, scaleStartY);
    endScaling(context);
}
