#include "toolbars/arcattrstoolbar.h"

#include "dialogs/arcvaluesdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

ArcAttrsToolbar::ArcAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "ArcAttrsForm", 550))
{
    form->addLineBlock();
    form->addLabel("label_5", "Arc type");
    form->arcType = form->addComboBox("arcType", "Arc type", { "Normal", "Pie Wedge" });
    QFont small = form->arcType->font();
    small.setPointSize(8);
    form->arcType->setFont(small);
    form->addArrowGroup();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit coordinates and dimensions");
    form->addColorsGroup("groupBox_2");
    form->finish();

    form->bind(handler, [this](int index) { onLineStyle(index); });
    attrspage::connectCommentSignals(mainWindow, this, [this](bool hasComment) { onCommentTip(hasComment); });
    attrspage::connectFrameButtons(*form, handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &ArcAttrsToolbar::onOpenPointsDlg);
    connect(form->openArrowAttrs, &QPushButton::clicked, this, &ArcAttrsToolbar::onOpenArrowDlg);
    attrspage::connectColorPreview(mainWindow, this, [this](const QPixmap& pixmap) { onColorChanged(pixmap); });
}

ArcAttrsToolbar::~ArcAttrsToolbar() = default;

void ArcAttrsToolbar::onLineStyle(int index)
{
    attrspage::showStyleValLabel(*form, index);
}

void ArcAttrsToolbar::onCommentTip(bool hasComment)
{
    attrspage::showCommentIcon(form->openCommentDlg, hasComment);
}

void ArcAttrsToolbar::onColorChanged(const QPixmap& newPixmap)
{
    attrspage::showPenColor(form->selectPenColor, newPixmap);
}

void ArcAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<ArcValuesDlg>(mainWindow);
}

void ArcAttrsToolbar::onOpenArrowDlg(bool /*checked*/)
{
    attrspage::runArrowSizeDialog(mainWindow);
}

void ArcAttrsToolbar::keyPressEvent(QKeyEvent* event)
{
    attrspage::passEscape(mainWindow, event);
    QWidget::keyPressEvent(event);
}
