#include "app/qtmainfrm.h"

#include "toolbars/layerstoolbar.h"

QTMainFrm* mainWindow = nullptr;

QTMainFrm::QTMainFrm(QWidget* parent)
    : QMainWindow(parent)
{
    layersToolbar = new LayersToolbar(this);
}

QTMainFrm::~QTMainFrm()
{
    delete layersToolbar;
}

CFigContext* activeFigContext()
{
    // No document windows exist yet.
    return nullptr;
}
