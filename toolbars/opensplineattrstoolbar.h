#pragma once
// The attribute page of open splines: the line block, the arrows, the points
// dialog, the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class OpenSplineAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    OpenSplineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~OpenSplineAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; may be null

public slots:
    void onLineStyle(int index);
    void onCommentTip(bool hasComment);
    void onColorChanged(const QPixmap& newPixmap);
    void onOpenPointsDlg(bool checked);
    void onOpenArrowDlg(bool checked);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<AttrsPageForm> form;
};
