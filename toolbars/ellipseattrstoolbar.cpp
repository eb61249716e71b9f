#include "toolbars/ellipseattrstoolbar.h"

#include "dialogs/ellipsevaluesdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

EllipseAttrsToolbar::EllipseAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "EllipseAttrsForm", 550)
{
    form->addLineBlock(false);
    form->addLabel("lbAngle", "Angle");
    form->ellipseAngle = form->addSpinBox("ellipseAngle", "Rotate ellipse by angle (0..360)", 0, 360, 0);
    form->openPointsDlg = form->addButton("openPointsDlg", "Values...", "Edit coordinates and dimensions");
    form->addColorsGroup("groupBox_2");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &EllipseAttrsToolbar::onOpenPointsDlg);
}

EllipseAttrsToolbar::~EllipseAttrsToolbar() = default;

void EllipseAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<EllipseValuesDlg>(mainWindow);
}
