#pragma once
// The centre, radii and diameters of the active document's current ellipse or
// circle, shown and typed in the unit of the value dialogs: a new centre moves
// it, new radii or diameters resize it about its centre (a circle by its first
// radius only), each as one undo step. Borrows the context and the ellipse for
// the one modal run it is built for.

#include <QDialog>

#include <memory>

class CFigContext;
class FigEllipse;

namespace Ui {
class EllipseValuesDlg;
}

class EllipseValuesDlg : public QDialog {
    Q_OBJECT
public:
    // Takes the context's current object when it is an ellipse or circle.
    EllipseValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);
    ~EllipseValuesDlg() override;

    // Shows the six values in the current unit; a circle's second radius and
    // diameter are disabled and show 0.
    void loadValues();
    // New radii in Fig units (a circle takes the first only), as one undo step.
    void applyRadii(int rx, int ry);

public slots:
    void onUnit(int index);
    void onCenter(double value);
    void onRadius(double value);
    void onDiameter(double value);

private:
    bool isCircle() const;

    std::unique_ptr<Ui::EllipseValuesDlg> ui;
    CFigContext* context; // not owned
    FigEllipse* ellipse = nullptr; // not owned
};
