#pragma once
// The attribute page of polygons: the line block, the join style, the point
// table, the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class PolygonAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    PolygonAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~PolygonAttrsToolbar() override;

public slots:
    void onOpenPointsDlg(bool checked);
};
