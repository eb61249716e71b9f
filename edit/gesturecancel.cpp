#include "edit/gesturecancel.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/floatingobjects.h"
#include "edit/libraryplacement.h"
#include "edit/pointinsertion.h"
#include "edit/pointmove.h"
#include "edit/scalemode.h"
#include "edit/selectmode.h"
#include "model/figcontext.h"

namespace {

bool cancelsPreview(PointHandler handler)
{
    return handler == cancelSelectionDrag || handler == cancelPointDrag || handler == cancelScale;
}

// The right-press handlers that only cancel: the creation modes' own, and
// those of the drags and of the rectangle of the select tool.
bool onlyCancels(PointHandler handler)
{
    return isCancelHandler(handler) || cancelsPreview(handler) || handler == cancelAddPoint
        || handler == selectRightPress;
}

// The mode that waits for the next gesture: the current one, or the select
// mode for those only a gesture enters (a drag, a point move).
int modeToResume()
{
    const EditModeEntry* entry = findEditMode(editMode);
    return entry && isChoosableMode(*entry) ? editMode : int(EditMode::Select);
}

} // namespace

void cancelCanvasGesture(CFigContext* context)
{
    if (!context || !isGestureInProgress())
        return;
    const CFigContext* owner = canvasGestureDocument();
    if (owner && owner != context)
        return;
    const PointHandler rightPress = canvasHandlers.rightPressHandler;
    if (libraryPlacementDocument() == context)
        cancelLibraryPlacement(context, canvasAction.trackX, canvasAction.trackY);
    else if (floatingObjectsDocument() == context)
        cancelFloatingObjects(context);
    else if (context->pendingActions)
        // An inserted point, dragged or not yet: the insertion is undone.
        cancelAddPoint(context, canvasAction.trackX, canvasAction.trackY);
    else if (onlyCancels(rightPress))
        rightPress(context, canvasAction.trackX, canvasAction.trackY);
    // A chain of points whose right press would finish it, or anything the
    // handlers above left under way: the mode starts afresh, its rubber band
    // and placed segments taken off the canvas.
    if (isGestureInProgress())
        chooseEditMode(context, modeToResume());
    claimCanvasGesture(context);
}

bool cancelPreviewGesture(CFigContext* context)
{
    const PointHandler rightPress = canvasHandlers.rightPressHandler;
    if (!context || !canvasAction.actionInProgress || !cancelsPreview(rightPress))
        return false;
    const CFigContext* owner = canvasGestureDocument();
    if (owner && owner != context)
        return false;
    rightPress(context, canvasAction.trackX, canvasAction.trackY);
    return true;
}
