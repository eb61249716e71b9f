#pragma once
// The spline points dialog: the control points and shape factors of the
// active document's current spline, edited in the chosen unit.
// Built by its caller for one modal run; edits apply at once as undo steps.
// Holds the document and its object, owns neither.

#include <QDialog>

class CFigContext;
class FigObject;

class SplinePointsDlg : public QDialog {
    Q_OBJECT
public:
    SplinePointsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);

    CFigContext* figContext; // not owned
    // The document's current object when it is a spline, else null.
    FigObject* object = nullptr; // not owned
};
