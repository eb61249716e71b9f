#include "toolbars/arrowattrstoolbar.h"

ArrowAttrsToolbar::ArrowAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
}
