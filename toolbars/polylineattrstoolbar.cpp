#include "toolbars/polylineattrstoolbar.h"

#include "dialogs/pointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

PolylineAttrsToolbar::PolylineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "PolylineAttrsForm", 550))
{
    form->addLineBlock();
    form->addJoinStyleRows();
    form->addArrowGroup();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    form->bind(handler, [this](int index) { onLineStyle(index); });
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &PolylineAttrsToolbar::onOpenPointsDlg);
    connect(form->openArrowAttrs, &QPushButton::clicked, this, &PolylineAttrsToolbar::onOpenArrowDlg);
    attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

PolylineAttrsToolbar::~PolylineAttrsToolbar() = default;

void PolylineAttrsToolbar::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void PolylineAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void PolylineAttrsToolbar::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void PolylineAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<PointsDlg>(mainWindow);
}

void PolylineAttrsToolbar::onOpenArrowDlg(bool /*checked*/)
{
    attrspage::runArrowSizeDialog(mainWindow);
}

void PolylineAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
