#pragma once
// The measurement panel: six stacked labels with the pointer position in
// canvas pixels and in the document's unit and two measures of the gesture in
// progress. The labels sit on the form's framed label `layoutWidget`, which
// the main window places into one of its tool bars; the panel itself stays
// hidden and without Qt parent. Holds nothing but the label texts.

#include <QLabel>
#include <QWidget>

#include <memory>

class CFigContext;
class FigEllipse;
class QTMainFrm;

namespace Ui {
class CoordsForm;
}

class CoordsToolbar : public QWidget {
    Q_OBJECT
public:
    explicit CoordsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~CoordsToolbar() override;

    // While a point of a circle or ellipse is dragged: its radius and
    // diameter, radii or diameters in the unit of a metric or an inch
    // document, from the ellipse as it would be after the move. Only the two
    // measure labels change.
    void showEllipseMeasures(bool metric, const FigEllipse* ellipse);

    QTMainFrm* mainWindow; // not owned; kept for the main window's use
    // Parts of the form (owned by the widgets that hold them).
    QLabel* layoutWidget;
    QLabel* coords[6]; // coords1 to coords6, top to bottom

public slots:
    // The position (x, y) in Fig units of the document's pointer; a null
    // document empties every label.
    void showCoords(CFigContext* fgc, int x, int y);

private:
    // Widens the labels where a text needs more than they have.
    void showWhole();

    std::unique_ptr<Ui::CoordsForm> ui;
};
