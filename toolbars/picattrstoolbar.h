#pragma once
// The attribute page of pictures: the picture dialog, the depth, the box
// values dialog and the comment. Made without Qt parent; the main window
// places it in its attribute stack and deletes it. Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class PicAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    PicAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~PicAttrsToolbar() override;

public slots:
    // Runs the picture dialog when the current object is a picture.
    void onEditPicture();
    void onOpenPointsDlg(bool checked);
};
