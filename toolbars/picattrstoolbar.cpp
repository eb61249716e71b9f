#include "toolbars/picattrstoolbar.h"

PicAttrsToolbar::PicAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
}
