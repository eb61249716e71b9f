#pragma once
// The text coordinates dialog: the position of the active document's
// current text, edited in the chosen unit.
// Built by its caller for one modal run; edits apply at once as undo steps.
// Holds the document and its object, owns neither.

#include <QDialog>

class CFigContext;
class FigObject;

class TextCoordsDlg : public QDialog {
    Q_OBJECT
public:
    TextCoordsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);

    CFigContext* figContext; // not owned
    // The document's current object when it is a text, else null.
    FigObject* object = nullptr; // not owned
};
