#pragma once
// The attribute page of circles and ellipses: the line block without cap
// style, the angle, the values dialog, the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class EllipseAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    EllipseAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~EllipseAttrsToolbar() override;

public slots:
    void onOpenPointsDlg(bool checked);
};
