#include "toolbars/rotateattrstoolbar.h"

RotateAttrsToolbar::RotateAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
}
