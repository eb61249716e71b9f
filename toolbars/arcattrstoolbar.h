#pragma once
// The attribute page of arcs: the line block, the arc type, the arrows,
// the points dialog, the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class ArcAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    ArcAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~ArcAttrsToolbar() override;

public slots:
    void onOpenPointsDlg(bool checked);
    void onOpenArrowDlg(bool checked);
};
