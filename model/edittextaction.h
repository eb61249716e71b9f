#pragma once
// Undoable replacement of a text's string; holds both strings.

#include "model/actionitem.h"

#include <QString>

class FigText;

class EditTextAction : public ActionItem {
public:
    // oldText is taken from the text as it is now.
    EditTextAction(FigObjectList* ownerList, FigText* text, const QString& newText);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;

    QString newText;
    QString oldText;

private:
    void setText(CFigContext* context, const QString& value);
};
