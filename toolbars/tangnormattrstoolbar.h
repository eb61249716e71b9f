#pragma once
// The attribute page of the tangent and normal modes: the length of the
// lines they add, in the unit of the grid and metrics dialog. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.

#include <QWidget>

class AttrsToolbarHandler;
class QLabel;
class QTMainFrm;

class TangnormAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    TangnormAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});

    AttrsToolbarHandler* handler; // not owned
    QTMainFrm* mainWindow; // not owned; may be null
    QLabel* lengthLabel; // child

public slots:
    // The unit chosen in the metrics dialog: 0 centimetres, otherwise inches.
    void onUnit(int index);
};
