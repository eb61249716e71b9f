#include "toolbars/attrstoolbarhandler.h"

#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"

AttrsToolbarHandler::AttrsToolbarHandler(QTMainFrm* mainWindow)
    : QObject(nullptr)
    , mainWindow(mainWindow)
{
}

void AttrsToolbarHandler::refreshToolbars()
{
    // The pages listen to one "...Changed" signal per attribute; as they gain
    // them, each is emitted here with the current value.
}

void AttrsToolbarHandler::openColorDlgClicked(bool /*checked*/)
{
    if (!mainWindow || !mainWindow->colorDlg)
        return;
    mainWindow->colorDlg->show();
    mainWindow->colorDlg->raise();
}
