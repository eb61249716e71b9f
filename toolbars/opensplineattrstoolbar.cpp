#include "toolbars/opensplineattrstoolbar.h"

#include "dialogs/splinepointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

OpenSplineAttrsToolbar::OpenSplineAttrsToolbar(
    AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "OpenSplineAttrsForm", 550)
{
    form->addLineBlock();
    form->addArrowGroup();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &OpenSplineAttrsToolbar::onOpenPointsDlg);
    connect(form->openArrowAttrs, &QPushButton::clicked, this, &OpenSplineAttrsToolbar::onOpenArrowDlg);
}

OpenSplineAttrsToolbar::~OpenSplineAttrsToolbar() = default;

void OpenSplineAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<SplinePointsDlg>(mainWindow);
}

void OpenSplineAttrsToolbar::onOpenArrowDlg(bool /*checked*/)
{
    attrspage::runArrowSizeDialog(mainWindow);
}
