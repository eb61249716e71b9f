#include "toolbars/polygonattrstoolbar.h"

#include "dialogs/pointsdlg.h"
#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

PolygonAttrsToolbar::PolygonAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "PolygonAttrsForm", 478)
{
    form->addLineBlock();
    form->addJoinStyleRows();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit point coordinates");
    form->addColorsGroup("groupBox_2");
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &PolygonAttrsToolbar::onOpenPointsDlg);
}

PolygonAttrsToolbar::~PolygonAttrsToolbar() = default;

void PolygonAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<PointsDlg>(mainWindow);
}
