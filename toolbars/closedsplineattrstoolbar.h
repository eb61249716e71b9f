#pragma once
// The attribute page of closed splines: the line block, the points dialog,
// the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class ClosedSplineAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    ClosedSplineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~ClosedSplineAttrsToolbar() override;

public slots:
    void onOpenPointsDlg(bool checked);
};
