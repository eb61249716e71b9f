#include "toolbars/ellipseattrstoolbar.h"

#include "dialogs/ellipsevaluesdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

EllipseAttrsToolbar::EllipseAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "EllipseAttrsForm", 550))
{
    form->addLineBlock(false);
    form->addLabel("lbAngle", "Angle");
    form->ellipseAngle = form->addSpinBox("ellipseAngle", "Rotate ellipse by angle (0..360)", 0, 360, 0);
    form->openPointsDlg = form->addButton("openPointsDlg", "Values...", "Edit coordinates and dimensions");
    form->addColorsGroup("groupBox_2");
    form->finish();

    form->bind(handler, [this](int index) { onLineStyle(index); });
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &EllipseAttrsToolbar::onOpenPointsDlg);
    attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

EllipseAttrsToolbar::~EllipseAttrsToolbar() = default;

void EllipseAttrsToolbar::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void EllipseAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void EllipseAttrsToolbar::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void EllipseAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<EllipseValuesDlg>(mainWindow);
}

void EllipseAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
