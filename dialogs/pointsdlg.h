#pragma once
// The path points dialog: the table of the points of the active document's
// current polyline, polygon or spline, edited in the chosen unit.
// Built by its caller for one modal run; edits apply at once as undo steps.
// Holds the document and its object, owns neither.

#include <QDialog>

class CFigContext;
class FigObject;

class PointsDlg : public QDialog {
    Q_OBJECT
public:
    PointsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);

    CFigContext* figContext; // not owned
    // The document's current object when it is a polyline or a spline, else null.
    FigObject* object = nullptr; // not owned
};
