#include "model/edittextaction.h"

#include "model/figcontext.h"
#include "model/figtext.h"

EditTextAction::EditTextAction(FigObjectList* list, FigText* text, const QString& replacement)
    : ActionItem(list, text)
    , newText(replacement)
    , oldText(text ? text->text : QString())
{
}

bool EditTextAction::redo(CFigContext* context)
{
    setText(context, newText);
    return true;
}

bool EditTextAction::undo(CFigContext* context)
{
    setText(context, oldText);
    return true;
}

void EditTextAction::setText(CFigContext* context, const QString& value)
{
    if (!object || object->type != FigObject::Text)
        return;
    auto* text = static_cast<FigText*>(object);
    text->text = value;
    context->computeTextMetrics(text, context->zoom);
    // The typeset images show the old string.
    text->clearLatexPixmaps();
}
