#include "toolbars/closedsplineattrstoolbar.h"

#include "dialogs/splinepointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

ClosedSplineAttrsToolbar::ClosedSplineAttrsToolbar(
    AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "ClosedSplineAttrsForm", 485)
{
    form->addLineBlock();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &ClosedSplineAttrsToolbar::onOpenPointsDlg);
}

ClosedSplineAttrsToolbar::~ClosedSplineAttrsToolbar() = default;

void ClosedSplineAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<SplinePointsDlg>(mainWindow);
}
