#include "toolbars/textattrstoolbar.h"

TextAttrsToolbar::TextAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
}
