#include "toolbars/polygonattrstoolbar.h"

#include "dialogs/pointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

PolygonAttrsToolbar::PolygonAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "PolygonAttrsForm", 478))
{
    form->addLineBlock();
    form->addJoinStyleRows();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    form->bind(handler, [this](int index) { onLineStyle(index); });
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &PolygonAttrsToolbar::onOpenPointsDlg);
    attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

PolygonAttrsToolbar::~PolygonAttrsToolbar() = default;

void PolygonAttrsToolbar::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void PolygonAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void PolygonAttrsToolbar::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void PolygonAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<PointsDlg>(mainWindow);
}

void PolygonAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
