#include "edit/textmode.h"

#include "app/canvaspainterscope.h"
#include "app/qtchildfrm.h"
#include "dialogs/textenterdlg.h"
#include "edit/canvashandlers.h"
#include "edit/linemode.h"
#include "model/edittextaction.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "toolbars/drawingattributes.h"

#include <QPainter>

#include <new>

namespace {

// Asks for one line of text in a modal dialog over the document window,
// preset with `preset`. The canvas painter of a press is let go first: the
// dialog's event loop repaints the window. False when the dialog is
// cancelled.
bool askForText(CFigContext* context, const QString& preset, QString& answer)
{
    QTChildFrm* view = context->view;
    if (view && view->canvasPainter.isActive())
        view->endCanvasPainter();
    TextEnterDlg dialog(view);
    dialog.setText(preset);
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    answer = dialog.text();
    return true;
}

// A new text at (x, y) with the current text attributes: the PostScript font
// when bit 2 of the text flags is set, else the LaTeX font; coloured with the
// document's pen colour; metrics at the document's zoom. Null when no memory
// is left.
FigText* newText(CFigContext* context, const QString& string, int x, int y)
{
    auto* text = new (std::nothrow) FigText(context->nextObjectId());
    if (!text)
        return nullptr;
    const DrawingAttributes& a = currentAttrs;
    text->text = string;
    text->subType = a.textAlign;
    text->font = (a.textFlags & 4) ? a.psFont : a.latexFont;
    text->fontSize = a.fontSize;
    text->angle = a.textAngle;
    text->fontFlags = a.textFlags;
    text->depth = a.depth;
    text->color = context->penColor;
    text->penStyle = 0;
    text->x = x;
    text->y = y;
    context->computeTextMetrics(text, context->zoom);
    return text;
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
    FigText* text = newText(this, string, x, y);
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
