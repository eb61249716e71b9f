#include "edit/canvashandlers.h"

CanvasHandlers canvasHandlers;
CanvasActionState canvasAction;

void setCanvasHandlers(PointHandler moveHandler, PointHandler leftPressHandler, PointHandler rightPressHandler)
{
    canvasHandlers.moveHandler = moveHandler;
    canvasHandlers.leftPressHandler = leftPressHandler;
    canvasHandlers.rightPressHandler = rightPressHandler;
    canvasHandlers.shiftKeyHandler = nullptr;
}
