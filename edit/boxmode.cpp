#include "edit/boxmode.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/linemode.h"
#include "edit/rubberband.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "model/figline.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "model/windowseam.h"
#include "toolbars/drawingattributes.h"

#include <QPainter>

namespace {

using Outline = void (*)(CFigContext*, int, int, int, int);

// The first corner of either rectangle: the outline at zero size, the
// gesture begun.
void startRectangle(CFigContext* context, int x, int y, PointHandler move, PointHandler finish, PointHandler cancel,
    Outline outline)
{
    context->currentObject = nullptr;
    setCanvasHandlers(move, finish, cancel);
    startRubberBand(context, x, y, outline);
    canvasAction.lastClickPoint.x = x;
    canvasAction.lastClickPoint.y = y;
}

void eraseRectangle(CFigContext* context, Outline outline)
{
    const CanvasActionState& a = canvasAction;
    outline(context, a.anchorX, a.anchorY, a.trackX, a.trackY);
}

// The closed outline from the anchor to (x, y): a box turns through the
// anchor's row first, a picture through its column. Null when no memory is
// left.
FigPoint* rectangleChain(int x, int y, bool columnFirst)
{
    const int x1 = canvasAction.anchorX;
    const int y1 = canvasAction.anchorY;
    FigPoint* head = nullptr;
    FigPoint* tail = nullptr;
    appendChainPoint(x1, y1, tail);
    head = tail;
    if (!head)
        return nullptr;
    if (columnFirst) {
        appendChainPoint(x1, y, tail);
        appendChainPoint(x, y, tail);
        appendChainPoint(x, y1, tail);
    } else {
        appendChainPoint(x, y1, tail);
        appendChainPoint(x, y, tail);
        appendChainPoint(x1, y, tail);
    }
    appendChainPoint(x1, y1, tail);
    int count = 0;
    for (FigPoint* p = head; p; p = p->next)
        ++count;
    if (count != 5) {
        freePointList(head);
        return nullptr;
    }
    return head;
}

} // namespace

// ---- Box ----

void initBoxMode()
{
    registerCancelHandler(boxCancel);
    setCanvasHandlers(nullptr, boxFirstPoint, nullptr);
    endCanvasAction();
}

void boxFirstPoint(CFigContext* context, int x, int y)
{
    startRectangle(context, x, y, boxRubberMove, boxFinish, boxCancel, drawRubberRectangle);
}

void boxFinish(CFigContext* context, int x, int y)
{
    eraseRectangle(context, drawRubberRectangle);
    // A box with rounded corners but without width or height is a line the
    // converters refuse: none is made. (Two presses at one spot make a box
    // of one point, which they take.)
    const long long width = static_cast<long long>(x) - canvasAction.anchorX;
    const long long height = static_cast<long long>(y) - canvasAction.anchorY;
    if (currentAttrs.boxType == 4 && !roundedBoxSidesDrawable(width, height)) {
        initBoxMode();
        return;
    }
    FigPoint* chain = rectangleChain(x, y, false);
    FigLine* box = chain ? context->createBox() : nullptr;
    if (!box) {
        freePointList(chain);
        initBoxMode();
        return;
    }
    box->points = chain;
    addCreatedObject(context, box);
    initBoxMode();
}

void boxCancel(CFigContext* context, int, int)
{
    eraseRectangle(context, drawRubberRectangle);
    initBoxMode();
}

// ---- Picture ----

void initPictureMode()
{
    registerCancelHandler(pictureCancel);
    setCanvasHandlers(nullptr, pictureFirstPoint, nullptr);
    endCanvasAction();
}

void pictureFirstPoint(CFigContext* context, int x, int y)
{
    startRectangle(context, x, y, dashedRectangleMove, pictureFinish, pictureCancel, drawDashedRubberRectangle);
}

void pictureFinish(CFigContext* context, int x, int y)
{
    eraseRectangle(context, drawDashedRubberRectangle);
    // Nothing follows the pointer while the picture dialog runs, and a
    // redraw meanwhile puts no rectangle back.
    canvasHandlers.moveHandler = nullptr;
    canvasHandlers.elasticHandler = nullptr;
    // A frame without width or height holds no picture, and the converters
    // refuse a file with one: none is made.
    if (x == canvasAction.anchorX || y == canvasAction.anchorY) {
        initPictureMode();
        return;
    }
    FigPoint* chain = rectangleChain(x, y, true);
    FigLine* picture = chain ? context->createPicture() : nullptr;
    if (!picture) {
        freePointList(chain);
        initPictureMode();
        return;
    }
    picture->points = chain;
    context->pictureScreenSize(picture, &picture->picture->boxWidth, &picture->picture->boxHeight);
    addCreatedObject(context, picture);

    if (context->view) {
        // The dialog redraws the picture through the window, which paints on
        // the canvas by itself.
        windowSeam().endCanvasPainter(context);
        windowSeam().editPicture(context, picture);
    }
    initPictureMode();
}

void pictureCancel(CFigContext* context, int, int)
{
    eraseRectangle(context, drawDashedRubberRectangle);
    initPictureMode();
}
