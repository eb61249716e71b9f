#include "toolbars/objectattrspage.h"

#include "toolbars/attrspageform.h"

#include <QKeyEvent>
#include <QPushButton>

ObjectAttrsPage::ObjectAttrsPage(
    QTMainFrm* mainWindow, Qt::WindowFlags flags, const char* formName, int height, int spacing, int margin)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, formName, height, spacing, margin))
{
}

ObjectAttrsPage::~ObjectAttrsPage() = default;

void ObjectAttrsPage::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void ObjectAttrsPage::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void ObjectAttrsPage::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void ObjectAttrsPage::bindValues(AttrsToolbarHandler* handler)
{
    if (form->lbStyleVal)
        form->bind(handler, [this](int index) { onLineStyle(index); });
    else
        form->bind(handler);
}

void ObjectAttrsPage::connectFrame(AttrsToolbarHandler* handler)
{
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    if (form->selectPenColor)
        attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

void ObjectAttrsPage::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
