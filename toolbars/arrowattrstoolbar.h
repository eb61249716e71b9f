#pragma once
// The attribute page of the arrow mode: the arrow kind the mode adds and
// the arrow size dialog. Made without Qt parent; the main window places it
// in its attribute stack and deletes it. Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class ArrowAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    ArrowAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~ArrowAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; may be null

public slots:
    void onOpenArrowDlg(bool checked);

private:
    std::unique_ptr<AttrsPageForm> form;
};
