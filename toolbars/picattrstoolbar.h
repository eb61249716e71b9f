#pragma once
// The attribute page of pictures: the picture dialog, the depth, the box
// values dialog and the comment. Made without Qt parent; the main window
// places it in its attribute stack and deletes it. Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class PicAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    PicAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~PicAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; may be null

public slots:
    void onCommentTip(bool hasComment);
    // Runs the picture dialog when the current object is a picture.
    void onEditPicture();
    void onOpenPointsDlg(bool checked);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<AttrsPageForm> form;
};
