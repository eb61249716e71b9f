#include "toolbars/emptyattrstoolbar.h"

EmptyAttrsToolbar::EmptyAttrsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
{
}
