// The document window's mouse, wheel and key events: pointer positions are
// mapped to Fig units, snapped as the snap mode asks, and handed to the
// current edit mode's handlers inside the canvas painter bracket; panning,
// Ctrl + wheel zoom, nudging, Delete, Escape and the comment tip belong to
// every mode.
#include "app/qtchildfrm.h"

#include "app/preferences.h"
#include "app/qruler.h"
#include "app/qtmainfrm.h"
#include "dialogs/metricsdlg.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/gesturecancel.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "toolbars/coordstoolbar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

namespace {

constexpr int snapGridBit = 1;
constexpr int snapVertexBit = 2;

} // namespace

void QTChildFrm::snapPointerPosition(CFigContext* context, int& x, int& y)
{
    const int snapMode = preferences.snapMode;
    if (snapMode == 0 || !canvasAction.actionInProgress || !context)
        return;
    if (isCopyOrDragMode()) {
        // The dragged selection's chosen edges go onto the grid, not the
        // pointer.
        if ((snapMode & snapVertexBit) && context->snapToVertex(&x, &y))
            return;
        if (snapMode & snapGridBit)
            context->snapSelectionToGrid(dragSnapEdgeX, dragSnapEdgeY, &x, &y);
        return;
    }
    if (editMode == EditMode::Select)
        return;
    if ((snapMode & snapVertexBit) && context->snapToVertex(&x, &y))
        return;
    if (snapMode & snapGridBit)
        context->snapToGrid(&x, &y);
}

bool QTChildFrm::chooseEditMode(int mode)
{
    if (!findEditMode(mode))
        return false;
    beginCanvasPainter();
    const bool chosen = ::chooseEditMode(figContext, mode);
    endCanvasPainter();
    return chosen;
}

void QTChildFrm::cancelGesture()
{
    if (!isGestureInProgress() || gestureIsElsewhere())
        return;
    const bool began = !canvasPainter.isActive();
    beginCanvasPainter();
    // As for a right press: the creation modes' cancels draw without
    // antialiasing, as their rubber bands were drawn.
    if (canvasPainter.isActive() && isCancelHandler(canvasHandlers.rightPressHandler))
        canvasPainter.setRenderHint(QPainter::Antialiasing, false);
    cancelCanvasGesture(figContext);
    if (began)
        endCanvasPainter();
}

bool QTChildFrm::gestureIsElsewhere() const
{
    const CFigContext* owner = canvasGestureDocument();
    return owner && owner != figContext;
}

void QTChildFrm::cancelGestureElsewhere()
{
    CFigContext* owner = canvasGestureDocument();
    if (owner && owner != figContext && owner->view)
        owner->view->cancelGesture();
}

void QTChildFrm::cancelCurrentOperation()
{
    setObjectsSelected(figContext->objects(), false);
    redrawStaleMarkers();
    figContext->currentObject = nullptr;
    if (mainFrm)
        emit mainFrm->commentChanged(false);
}

namespace {

void stopCommentTip(QTMainFrm* mainFrm)
{
    if (mainFrm)
        mainFrm->commentTipTimer.stop();
    QToolTip::hideText();
}

} // namespace

void QTChildFrm::mousePressEvent(QMouseEvent* event)
{
    stopCommentTip(mainFrm);
    cancelGestureElsewhere();
    // A press is never axis-locked.
    screenToFig(event->x(), event->y(), false);

    // A press snaps in a creation mode even before its gesture has begun, so
    // that the first point of a new object lies on the grid.
    const int snapMode = preferences.snapMode;
    if (snapMode != 0 && (canvasAction.actionInProgress || isCurrentModeCreation())) {
        const bool onVertex = (snapMode & snapVertexBit) && figContext->snapToVertex(&figX, &figY);
        if (!onVertex && (snapMode & snapGridBit))
            figContext->snapToGrid(&figX, &figY);
    }

    if (event->button() == Qt::LeftButton && canvasHandlers.leftPressHandler) {
        beginCanvasPainter();
        canvasHandlers.leftPressHandler(figContext, figX, figY);
        if (canvasPainter.isActive())
            endCanvasPainter();
    }
    if (event->button() != Qt::RightButton) {
        claimCanvasGesture(figContext);
        return;
    }

    if (canvasHandlers.rightPressHandler) {
        const PointHandler handler = canvasHandlers.rightPressHandler;
        beginCanvasPainter();
        if (canvasPainter.isActive() && isCancelHandler(handler))
            canvasPainter.setRenderHint(QPainter::Antialiasing, false);
        handler(figContext, figX, figY);
        endCanvasPainter();
    } else if (isCurrentModeCreation()) {
        cancelCurrentOperation();
    }
    claimCanvasGesture(figContext);
    panX = event->x();
    panY = event->y();
}

void QTChildFrm::mouseMoveEvent(QMouseEvent* event)
{
    stopCommentTip(mainFrm);

    if (event->buttons() & Qt::RightButton) {
        // The drawing follows the pointer; the origin is not clamped here.
        figContext->originX -= event->x() - panX;
        figContext->originY -= event->y() - panY;
        panX = event->x();
        panY = event->y();
        setRulerOrigins(-figContext->originX, -figContext->originY);
        setScrollValues(figContext->originX, figContext->originY);
        redisplayCanvas();
        if (canvasPainter.isActive())
            endCanvasPainter();
        return;
    }

    // A move that maps to the same (possibly locked) position does nothing.
    if (!screenToFig(event->x(), event->y(), true))
        return;

    const bool antialias = preferences.antialiasing && isPlainPickMode(editMode);
    beginCanvasPainter();
    if (canvasPainter.isActive())
        canvasPainter.setRenderHint(QPainter::Antialiasing, antialias);

    snapPointerPosition(figContext, figX, figY);

    if (mainFrm && mainFrm->coordsToolbar)
        mainFrm->coordsToolbar->showCoords(figContext, figX, figY);
    // The rulers mark the snapped position.
    if (horzRuler)
        horzRuler->setCursorPos(QPoint(figToPixel(figX, figContext->dpiX, figContext->zoom, figContext->originX), 0));
    if (vertRuler)
        vertRuler->setCursorPos(QPoint(0, figToPixel(figY, figContext->dpiY, figContext->zoom, figContext->originY)));

    int hitX = 0;
    int hitY = 0;
    // While a selection is dragged the object under the pointer changes
    // neither the cursor nor a comment tip, and searching a large drawing
    // for it would cost more than the drag's step.
    const bool draggingSelection = !gestureIsElsewhere() && canvasHandlers.selectionMoveHandler
        && canvasAction.actionInProgress && editMode != EditMode::MovePoint;
    FigObject* obj = draggingSelection ? nullptr : figContext->findObjectUnderCursor(figX, figY, hitX, hitY);
    if (mainFrm)
        mainFrm->hoveredObject = obj;
    if (obj)
        viewport()->setCursor(Qt::CrossCursor);

    // The pointer crossing this window while a gesture of another one is
    // under way is none of that gesture's business.
    const bool gestureHere = !gestureIsElsewhere();
    bool drawn = false;
    if (gestureHere && canvasHandlers.moveHandler) {
        canvasHandlers.moveHandler(figContext, figX, figY);
        drawn = true;
        if (canvasPainter.isActive())
            canvasPainter.setRenderHint(QPainter::Antialiasing, antialias);
    }

    const bool picking = !canvasAction.actionInProgress && obj && isPickingMode(editMode);
    viewport()->setCursor(picking ? Qt::CrossCursor : Qt::ArrowCursor);

    // While the end point of a link source is dragged over a possible link
    // target, the cross cursor tells that releasing here links it.
    FigObject* current = figContext->currentObject;
    if (canvasAction.actionInProgress && editMode == EditMode::MovePoint && current) {
        if (obj && isSmartLinkSource(current) && obj->id != current->id && isSmartLinkTarget(obj)
            && isPathEndPoint(current, movingPoint)) {
            viewport()->setCursor(Qt::CrossCursor);
            figContext->linkCursorShown = true;
        } else if (figContext->linkCursorShown) {
            viewport()->setCursor(Qt::ArrowCursor);
            figContext->linkCursorShown = false;
        }
    }

    if (gestureHere && canvasHandlers.selectionMoveHandler) {
        canvasHandlers.selectionMoveHandler(figContext, figContext->selection, figX, figY);
        drawn = true;
    }
    if (gestureHere)
        claimCanvasGesture(figContext);

    if (mainFrm && !canvasAction.actionInProgress && preferences.showCommentTips && obj && !obj->comment.isEmpty()) {
        mainFrm->commentTipTimer.start(preferences.commentTipDelay);
        // QToolTip takes global coordinates: the tip appears at the pointer.
        mainFrm->commentTipPos = event->globalPos();
        mainFrm->commentTipText = obj->comment;
    }

    if (canvasPainter.isActive())
        canvasPainter.end();
    if (drawn)
        viewport()->repaint();
}

void QTChildFrm::mouseReleaseEvent(QMouseEvent* event)
{
    screenToFig(event->x(), event->y(), true);
    if (preferences.snapMode != 0)
        snapPointerPosition(figContext, figX, figY);
    if (event->button() == Qt::LeftButton && canvasHandlers.leftReleaseHandler && !gestureIsElsewhere()) {
        beginCanvasPainter();
        if (canvasPainter.isActive())
            canvasPainter.setRenderHint(QPainter::Antialiasing, preferences.antialiasing && isPlainPickMode(editMode));
        canvasHandlers.leftReleaseHandler(figContext, figX, figY);
        endCanvasPainter();
        claimCanvasGesture(figContext);
    }
    refreshButtonStates();
}

void QTChildFrm::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    if (event->angleDelta().y() > 0)
        zoomIn();
    else
        zoomOut();
    if (mainFrm && mainFrm->metricsDlg)
        mainFrm->metricsDlg->setPageValues(figContext);
    event->accept();
}

void QTChildFrm::keyPressEvent(QKeyEvent* event)
{
    cancelGestureElsewhere();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ShiftModifier) && !shiftKeyDown) {
        shiftKeyDown = true;
        if (canvasHandlers.shiftKeyHandler)
            canvasHandlers.shiftKeyHandler(figContext, 0, 0);
    }
    if (modifiers & Qt::ControlModifier)
        ctrlKeyDown = true;

    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    // Like copy, cut and paste, nudging and deleting wait until a gesture in
    // progress has finished: they would pull objects from under it.
    const bool selectionKeysAct = !isGestureInProgress()
        && (editMode == EditMode::Select || editMode == EditMode::MoveSelection || editMode == EditMode::MovePoint
            || isCurrentModeCreation());

    if (selectionKeysAct && arrow) {
        int dx = 0;
        int dy = 0;
        if ((preferences.snapMode & snapGridBit) && figContext->gridIndex != 0 && !ctrlKeyDown) {
            const int xDirection = key == Qt::Key_Left ? 1 : key == Qt::Key_Right ? 3 : 0;
            const int yDirection = key == Qt::Key_Up ? 2 : key == Qt::Key_Down ? 4 : 0;
            int offsetX = 0;
            int offsetY = 0;
            figContext->gridOffsetForSelection(xDirection, yDirection, &offsetX, &offsetY);
            if (key == Qt::Key_Up || key == Qt::Key_Down)
                dy = offsetY;
            else
                dx = offsetX;
        } else {
            const int px = roundToInt(displayPixelSize(figContext->dpiX) / figContext->zoom);
            const int py = roundToInt(displayPixelSize(figContext->dpiY) / figContext->zoom);
            switch (key) {
            case Qt::Key_Down:
                dy = py;
                break;
            case Qt::Key_Up:
                dy = -py;
                break;
            case Qt::Key_Left:
                dx = -px;
                break;
            default:
                dx = px;
                break;
            }
        }
        const bool began = !canvasPainter.isActive();
        beginCanvasPainter();
        figContext->moveSelection(dx, dy);
        if (began)
            endCanvasPainter();
    } else if (selectionKeysAct && key == Qt::Key_Delete) {
        FigObjectList* removed = figContext->deleteSelection();
        redrawObjectList(removed, true);
        delete removed; // the objects belong to the undo step
        figContext->currentObject = nullptr;
        refreshButtonStates();
    }

    if (key == Qt::Key_Escape) {
        // Escape cancels a gesture under way as a right press would, so
        // that nothing it shows stays behind, then deselects as always.
        cancelGesture();
        setObjectsSelected(figContext->objects(), false);
        redrawStaleMarkers();
        figContext->currentObject = nullptr;
        if (mainFrm) {
            emit mainFrm->commentChanged(false);
            if (!isCurrentModeCreation())
                mainFrm->showObjectAttributes(figContext, nullptr);
        }
    }

    // The arrows never scroll the view.
    if (!arrow && key != Qt::Key_Escape)
        QAbstractScrollArea::keyPressEvent(event);
}

void QTChildFrm::keyReleaseEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (!(modifiers & Qt::ShiftModifier) && shiftKeyDown) {
        shiftKeyDown = false;
        if (canvasHandlers.shiftKeyHandler)
            canvasHandlers.shiftKeyHandler(figContext, 0, 0);
    }
    ctrlKeyDown = (modifiers & Qt::ControlModifier) != 0;
    QWidget::keyReleaseEvent(event);
}
