#pragma once
// The attribute page of compounds: only the comment button. Made without Qt
// parent; the main window places it in its attribute stack and deletes it.
// Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QTMainFrm;

class CompoundAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    CompoundAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~CompoundAttrsToolbar() override;
};
