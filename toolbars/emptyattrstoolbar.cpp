#include "toolbars/emptyattrstoolbar.h"

#include <QLocale>

EmptyAttrsToolbar::EmptyAttrsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("EmptyAttrsForm"));
    setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    resize(78, 318);
}
