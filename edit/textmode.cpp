#include "edit/textmode.h"

#include "edit/canvashandlers.h"
#include "edit/canvaspainterscope.h"
#include "edit/linemode.h"
#include "model/edittextaction.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "model/windowseam.h"

#include <QPainter>


namespace {

// Asks for one line of text in a modal dialog over the document window,
// preset with `preset`. The canvas painter of a press is let go first: the
// dialog's event loop repaints the window. False when the dialog is
// cancelled.
bool askForText(CFigContext* context, const QString& preset, QString& answer)
{
    if (context->view && windowSeam().canvasPainterActive(context))
        windowSeam().endCanvasPainter(context);
    return windowSeam().askForText(context, preset, answer);
}

} // namespace

void initTextMode()
{
    setCanvasHandlers(nullptr, textPress, nullptr);
    endCanvasAction();
}

void textPress(CFigContext* context, int x, int y)
{
    if (!context)
        return;
    context->currentObject = nullptr;
    context->enterText(x, y);
}

FigText* CFigContext::enterText(int x, int y)
{
    QString string;
    if (!askForText(this, QString(), string) || string.isEmpty())
        return nullptr;
    FigText* text = createText(string, x, y);
    if (!text)
        return nullptr;
    CanvasPainterScope scope(this);
    addCreatedObject(this, text);
    return text;
}

void CFigContext::editText(FigText* text)
{
    if (!text)
        return;
    QString string;
    if (!askForText(this, text->text, string) || string == text->text)
        return;
    CanvasPainterScope scope(this);
    const bool draw = painter && painter->isActive();
    if (draw)
        redrawObject(text, true);
    auto* action = new EditTextAction(objects(), text, string);
    action->redo(this);
    undoHistory.pushAction(action);
    text->markerState = 1;
    if (draw)
        redrawObject(text, false);
}
