#pragma once
// The attribute page of texts: shows the current attributes that apply to
// them and hands changes to the attribute handler. Made without Qt parent;
// the main window places it in its attribute stack and deletes it.

#include <QWidget>

class AttrsToolbarHandler;
class QTMainFrm;

class TextAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    TextAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});

    AttrsToolbarHandler* handler; // not owned
    QTMainFrm* mainWindow; // not owned; may be null
};
