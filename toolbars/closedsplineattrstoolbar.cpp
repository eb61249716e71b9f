#include "toolbars/closedsplineattrstoolbar.h"

#include "dialogs/splinepointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

ClosedSplineAttrsToolbar::ClosedSplineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "ClosedSplineAttrsForm", 485))
{
    form->addLineBlock();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    form->bind(handler, [this](int index) { onLineStyle(index); });
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &ClosedSplineAttrsToolbar::onOpenPointsDlg);
    attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

ClosedSplineAttrsToolbar::~ClosedSplineAttrsToolbar() = default;

void ClosedSplineAttrsToolbar::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void ClosedSplineAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void ClosedSplineAttrsToolbar::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void ClosedSplineAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<SplinePointsDlg>(mainWindow);
}

void ClosedSplineAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
