#include "edit/updatemode.h"

#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/picking.h"
#include "model/figcontext.h"

void initUpdateMode()
{
    setLeftObjectCallback(updateModeObjectPicked);
    setCanvasHandlers(nullptr, pressHandler<pickObjectLeft>, nullptr);
    endCanvasAction();
}

bool updateModeObjectPicked(CFigContext* context, FigObject* object, int, int, int, int, int)
{
    if (!context || !object)
        return false;
    context->updateObjectAttributes(object, true);
    showStatusMessage("Object(s) UPDATED");
    return true;
}
