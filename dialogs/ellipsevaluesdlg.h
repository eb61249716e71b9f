#pragma once
// The ellipse values dialog: the centre, radii and diameters of the active
// document's current ellipse or circle, edited in the chosen unit.
// Built by its caller for one modal run; edits apply at once as undo steps.
// Holds the document and its object, owns neither.

#include <QDialog>

class CFigContext;
class FigObject;

class EllipseValuesDlg : public QDialog {
    Q_OBJECT
public:
    EllipseValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);

    CFigContext* figContext; // not owned
    // The document's current object when it is an ellipse or circle, else null.
    FigObject* object = nullptr; // not owned
};
