#pragma once
// An empty attribute page: shown while no mode or object has attributes to
// show. Made without Qt parent; the main window places it in its
// attribute stack and deletes it.

#include <QWidget>

class QTMainFrm;

class EmptyAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    explicit EmptyAttrsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags = {});

    QTMainFrm* mainWindow; // not owned
};
