#include "toolbars/regpolyattrstoolbar.h"

RegpolyAttrsToolbar::RegpolyAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
}
