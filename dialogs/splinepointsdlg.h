#pragma once
// The control points of the active document's current spline in a table of
// X, Y and shape factor, with the centre of its box: a typed coordinate moves
// that point, a typed factor replaces that point's factor and a typed centre
// moves the whole spline, each as one undo step. The current row's point is
// highlighted on the canvas. Borrows the context and the spline for the one
// modal run it is built for.

#include <QDialog>

#include <memory>

class CFigContext;
class FigSpline;

namespace Ui {
class SplinePointsDlg;
}

class SplinePointsDlg : public QDialog {
    Q_OBJECT
public:
    // Takes the context's current object when it is a spline; for another
    // kind the dialog stays empty and inert.
    SplinePointsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);
    ~SplinePointsDlg() override;

    // The two halves of showing the spline: the centre fields, the table.
    void loadCenter();
    void loadTable();

public slots:
    void onUnit(int index);
    void onCenter(double value);
    void onChangePoint(int row, int column);
    void onActivatePoint(int currentRow, int currentColumn, int previousRow, int previousColumn);

private:
    // A committed cell of the shape factor column.
    void editShapeFactor(int row);

    std::unique_ptr<Ui::SplinePointsDlg> ui;
    CFigContext* context; // not owned
    FigSpline* spline = nullptr; // not owned
};
