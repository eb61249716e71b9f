#include "toolbars/polylineattrstoolbar.h"

#include "dialogs/pointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

PolylineAttrsToolbar::PolylineAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "PolylineAttrsForm", 550)
{
    form->addLineBlock();
    form->addJoinStyleRows();
    form->addArrowGroup();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &PolylineAttrsToolbar::onOpenPointsDlg);
    connect(form->openArrowAttrs, &QPushButton::clicked, this, &PolylineAttrsToolbar::onOpenArrowDlg);
}

PolylineAttrsToolbar::~PolylineAttrsToolbar() = default;

void PolylineAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<PointsDlg>(mainWindow);
}

void PolylineAttrsToolbar::onOpenArrowDlg(bool /*checked*/)
{
    attrspage::runArrowSizeDialog(mainWindow);
}
