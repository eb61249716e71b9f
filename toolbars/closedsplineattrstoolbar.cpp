#include "toolbars/closedsplineattrstoolbar.h"

ClosedSplineAttrsToolbar::ClosedSplineAttrsToolbar(
    AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
}
