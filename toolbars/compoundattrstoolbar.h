#pragma once
// The attribute page of compounds: only the comment button. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class CompoundAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    CompoundAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~CompoundAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; may be null

public slots:
    void onCommentTip(bool hasComment);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<AttrsPageForm> form;
};
