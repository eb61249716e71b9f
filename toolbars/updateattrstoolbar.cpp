#include "toolbars/updateattrstoolbar.h"

UpdateAttrsToolbar::UpdateAttrsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
{
}
