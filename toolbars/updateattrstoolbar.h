#pragma once
// The attribute page of the update tool: which attributes the tool copies. Made without Qt parent; the main window
// places it in its attribute stack and deletes it.

#include <QWidget>

class QTMainFrm;

class UpdateAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    explicit UpdateAttrsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags = {});

    QTMainFrm* mainWindow; // not owned
};
