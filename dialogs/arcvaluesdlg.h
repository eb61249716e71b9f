#pragma once
// The centre and the three points of the active document's current arc,
// shown and typed in the unit of the value dialogs: a new centre moves the
// arc, a new point moves that point (the centre and direction follow), each
// as one undo step. Borrows the context and the arc for the one modal run it
// is built for.

#include <QDialog>

#include <memory>

class CFigContext;
class FigArc;
class QDoubleSpinBox;

namespace Ui {
class ArcValuesDlg;
}

class ArcValuesDlg : public QDialog {
    Q_OBJECT
public:
    // Takes the context's current object when it is an arc.
    ArcValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);
    ~ArcValuesDlg() override;

    // Shows the centre and the points in the current unit.
    void loadValues();

public slots:
    void onUnit(int index);
    void onCenter(double value);
    void onPoint1(double value);
    void onPoint2(double value);
    void onPoint3(double value);

private:
    void movePoint(int index, QDoubleSpinBox* xField, QDoubleSpinBox* yField);

    std::unique_ptr<Ui::ArcValuesDlg> ui;
    CFigContext* context; // not owned
    FigArc* arc = nullptr; // not owned
};
