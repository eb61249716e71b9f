#include "toolbars/compoundattrstoolbar.h"

#include "toolbars/attrspageform.h"

#include <QKeyEvent>
#include <QPushButton>

CompoundAttrsToolbar::CompoundAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "CompoundAttrsForm", 485, -1, -1))
{
    setToolTip(form->text("Edit comment"));
    form->addCommentButton();
    form->finish();

    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
}

CompoundAttrsToolbar::~CompoundAttrsToolbar() = default;

void CompoundAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void CompoundAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
