#include "toolbars/opensplineattrstoolbar.h"

OpenSplineAttrsToolbar::OpenSplineAttrsToolbar(
    AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
}
