#include "toolbars/boxattrstoolbar.h"

#include "dialogs/boxvaluesdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

BoxAttrsToolbar::BoxAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "BoxAttrsForm", 550))
{
    form->addLineBlock();
    form->addJoinStyleRows();
    form->addLabel("lbBoxType", "Box type");
    form->boxType = form->addComboBox("boxType", "Box type", { "Normal", "Round" });
    form->addLabel("lbBoxCornerRadius", "Corner radius", true);
    // Every radius a file may hold, so that showing a box never changes it.
    form->boxCornerRadius = form->addSpinBox("boxCornerRadius", "Box corner radius", 0, maxFigLength, 7);
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit coordinates and dimensions");
    form->addColorsGroup("groupBox");
    form->finish();

    form->bind(handler, [this](int index) { onLineStyle(index); });
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &BoxAttrsToolbar::onOpenPointsDlg);
    attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

BoxAttrsToolbar::~BoxAttrsToolbar() = default;

void BoxAttrsToolbar::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void BoxAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void BoxAttrsToolbar::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void BoxAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<BoxValuesDlg>(mainWindow);
}

void BoxAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
