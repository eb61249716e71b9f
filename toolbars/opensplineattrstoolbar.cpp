#include "toolbars/opensplineattrstoolbar.h"

#include "dialogs/splinepointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

OpenSplineAttrsToolbar::OpenSplineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "OpenSplineAttrsForm", 550))
{
    form->addLineBlock();
    form->addArrowGroup();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    form->bind(handler, [this](int index) { onLineStyle(index); });
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &OpenSplineAttrsToolbar::onOpenPointsDlg);
    connect(form->openArrowAttrs, &QPushButton::clicked, this, &OpenSplineAttrsToolbar::onOpenArrowDlg);
    attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

OpenSplineAttrsToolbar::~OpenSplineAttrsToolbar() = default;

void OpenSplineAttrsToolbar::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void OpenSplineAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void OpenSplineAttrsToolbar::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void OpenSplineAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<SplinePointsDlg>(mainWindow);
}

void OpenSplineAttrsToolbar::onOpenArrowDlg(bool /*checked*/)
{
    attrspage::runArrowSizeDialog(mainWindow);
}

void OpenSplineAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
