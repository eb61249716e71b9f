#pragma once
// The attribute page of open splines: the line block, the arrows, the points
// dialog, the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class OpenSplineAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    OpenSplineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~OpenSplineAttrsToolbar() override;

public slots:
    void onOpenPointsDlg(bool checked);
    void onOpenArrowDlg(bool checked);
};
