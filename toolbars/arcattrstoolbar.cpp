#include "toolbars/arcattrstoolbar.h"

#include "dialogs/arcvaluesdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

ArcAttrsToolbar::ArcAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "ArcAttrsForm", 550)
{
    form->addLineBlock();
    form->addLabel("label_5", "Arc type");
    form->arcType = form->addComboBox("arcType", "Arc type", { "Normal", "Pie Wedge" });
    form->addArrowGroup();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit coordinates and dimensions");
    form->addColorsGroup("groupBox_2");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &ArcAttrsToolbar::onOpenPointsDlg);
    connect(form->openArrowAttrs, &QPushButton::clicked, this, &ArcAttrsToolbar::onOpenArrowDlg);
}

ArcAttrsToolbar::~ArcAttrsToolbar() = default;

void ArcAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<ArcValuesDlg>(mainWindow);
}

void ArcAttrsToolbar::onOpenArrowDlg(bool /*checked*/)
{
    attrspage::runArrowSizeDialog(mainWindow);
}
