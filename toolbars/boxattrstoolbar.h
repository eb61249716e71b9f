#pragma once
// The attribute page of boxes and rounded boxes: the line block, the join
// style, the box type and corner radius, the values dialog, the pen colour
// and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class BoxAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    BoxAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~BoxAttrsToolbar() override;

public slots:
    void onOpenPointsDlg(bool checked);
};
