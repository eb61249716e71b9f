#pragma once
// The measurement panel: the pointer position and the measures of the
// gesture in progress. Its labels are children of the inner widget
// `layoutWidget`, which the main window places into one of its tool bars;
// the panel itself stays hidden and without Qt parent.

#include <QWidget>

class CFigContext;
class QLabel;
class QTMainFrm;

class CoordsToolbar : public QWidget {
    Q_OBJECT
public:
    explicit CoordsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags = {});

    QTMainFrm* mainWindow; // not owned
    QWidget* layoutWidget;
    QLabel* coordLabels[6]; // children of layoutWidget

public slots:
    // The position (x, y) in Fig units of the document's pointer.
    void showCoords(CFigContext* fgc, int x, int y);
};
