#pragma once
// The centre, width and height and the four corners of the active document's
// current box, rounded box or picture, shown and typed in the unit of the
// value dialogs: a new centre or corner moves the box, new dimensions resize
// it about its centre, each as one undo step. Borrows the context and the box
// for the one modal run it is built for.

#include <QDialog>

#include <memory>

class CFigContext;
class FigLine;
class FigPoint;
class QDoubleSpinBox;

namespace Ui {
class BoxValuesDlg;
}

class BoxValuesDlg : public QDialog {
    Q_OBJECT
public:
    // Takes the context's current object when it is a polyline of any
    // sub-type.
    BoxValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);
    ~BoxValuesDlg() override;

    // Shows the twelve values in the current unit.
    void loadValues();

public slots:
    void onUnit(int index);
    void onCenter(double value);
    void onDimension(double value);
    void onUl(double value);
    void onUr(double value);
    void onLl(double value);
    void onLr(double value);

private:
    // Moves the whole box so that the point (px, py) lands where the pair of
    // fields says.
    void moveBy(QDoubleSpinBox* xField, QDoubleSpinBox* yField, int px, int py);
    void moveCorner(QDoubleSpinBox* xField, QDoubleSpinBox* yField, const FigPoint* corner);
    // The corner that lies across the box from the upper left one.
    FigPoint* oppositeOfUpperLeft() const;

    std::unique_ptr<Ui::BoxValuesDlg> ui;
    CFigContext* context; // not owned
    FigLine* box = nullptr; // not owned
};
