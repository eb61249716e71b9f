#include "toolbars/boxattrstoolbar.h"

#include "dialogs/boxvaluesdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

BoxAttrsToolbar::BoxAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "BoxAttrsForm", 550)
{
    form->addLineBlock();
    form->addJoinStyleRows();
    form->addLabel("lbBoxType", "Box type");
    form->boxType = form->addComboBox("boxType", "Box type", { "Normal", "Round" });
    form->addLabel("lbBoxCornerRadius", "Corner radius", true);
    // Every radius a file may hold, so that showing a box never changes it.
    form->boxCornerRadius = form->addSpinBox("boxCornerRadius", "Box corner radius", 0, maxFigLength, 7);
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit coordinates and dimensions");
    form->addColorsGroup("groupBox");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &BoxAttrsToolbar::onOpenPointsDlg);
}

BoxAttrsToolbar::~BoxAttrsToolbar() = default;

void BoxAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<BoxValuesDlg>(mainWindow);
}
