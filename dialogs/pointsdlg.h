#pragma once
// The points of the active document's current polyline-kind object or spline
// in a table of X and Y, with the centre of its box: a typed coordinate moves
// that point, a typed centre the whole object, each as one undo step. The
// current row's point is highlighted on the canvas. Borrows the context and
// the object for the one modal run it is built for.

#include <QDialog>

#include <memory>

class CFigContext;
class FigObject;

namespace Ui {
class PointsDlg;
}

class PointsDlg : public QDialog {
    Q_OBJECT
public:
    // Takes the context's current object when it is a polyline (any sub-type)
    // or a spline; for another kind the dialog stays empty and inert.
    PointsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);
    ~PointsDlg() override;

    // The two halves of showing the object: the centre fields, the table.
    void loadCenter();
    void loadTable();

public slots:
    void onUnit(int index);
    void onCenter(double value);
    void onChangePoint(int row, int column);
    void onActivatePoint(int currentRow, int currentColumn, int previousRow, int previousColumn);

private:
    std::unique_ptr<Ui::PointsDlg> ui;
    CFigContext* context; // not owned
    FigObject* object = nullptr; // not owned; a FigLine or FigSpline
};
