#pragma once
// The attribute page of the regular polygon mode: the line block, the join
// style, the number of sides, the pen colour and the comment.
// Every widget is bound both ways to the attribute handler. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class RegpolyAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    RegpolyAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~RegpolyAttrsToolbar() override;
};
