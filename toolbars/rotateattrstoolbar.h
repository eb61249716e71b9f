#pragma once
// The attribute page of the rotate modes: the angle and the number of
// copies, which the handler only stores for the next rotation. Made without
// Qt parent; the main window places it in its attribute stack and deletes
// it. Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class RotateAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    RotateAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~RotateAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; null from the main window

private:
    std::unique_ptr<AttrsPageForm> form;
};
