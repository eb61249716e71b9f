#pragma once
// The attribute page of closed splines: the line block, the points dialog,
// the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class ClosedSplineAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    ClosedSplineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~ClosedSplineAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; may be null

public slots:
    void onLineStyle(int index);
    void onCommentTip(bool hasComment);
    void onColorChanged(const QPixmap& newPixmap);
    void onOpenPointsDlg(bool checked);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<AttrsPageForm> form;
};
