#pragma once
// The arc values dialog: the centre and the three points of the active
// document's current arc, edited in the chosen unit.
// Built by its caller for one modal run; edits apply at once as undo steps.
// Holds the document and its object, owns neither.

#include <QDialog>

class CFigContext;
class FigObject;

class ArcValuesDlg : public QDialog {
    Q_OBJECT
public:
    ArcValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);

    CFigContext* figContext; // not owned
    // The document's current object when it is an arc, else null.
    FigObject* object = nullptr; // not owned
};
