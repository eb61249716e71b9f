#include "toolbars/regpolyattrstoolbar.h"

#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

RegpolyAttrsToolbar::RegpolyAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "RegpolyAttrsForm", 485)
{
    form->addLineBlock();
    form->addJoinStyleRows();
    form->addLabel("lbSides", "Sides");
    form->numSides = form->addSpinBox("numSides", "Number of sides", 3, 200, 6);
    form->addColorsGroup("groupBox_2");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
}

RegpolyAttrsToolbar::~RegpolyAttrsToolbar() = default;
