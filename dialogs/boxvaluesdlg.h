#pragma once
// The box values dialog: the centre, size and corners of the active
// document's current box, rounded box or picture, edited in the chosen unit.
// Built by its caller for one modal run; edits apply at once as undo steps.
// Holds the document and its object, owns neither.

#include <QDialog>

class CFigContext;
class FigObject;

class BoxValuesDlg : public QDialog {
    Q_OBJECT
public:
    BoxValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);

    CFigContext* figContext; // not owned
    // The document's current object when it is of the polyline family, else null.
    FigObject* object = nullptr; // not owned
};
