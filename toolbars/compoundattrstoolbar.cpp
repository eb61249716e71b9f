#include "toolbars/compoundattrstoolbar.h"

#include "toolbars/attrspageform.h"

#include <QPushButton>

CompoundAttrsToolbar::CompoundAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "CompoundAttrsForm", 485, -1, -1)
{
    setToolTip(form->text("Edit comment"));
    form->addCommentButton();
    form->finish();

    connectFrame(handler);
}

CompoundAttrsToolbar::~CompoundAttrsToolbar() = default;
