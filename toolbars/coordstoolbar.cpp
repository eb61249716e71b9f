#include "toolbars/coordstoolbar.h"

#include <QLabel>
#include <QVBoxLayout>

CoordsToolbar::CoordsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    layoutWidget = new QWidget(this);
    layoutWidget->setObjectName(QStringLiteral("layoutWidget"));
    outer->addWidget(layoutWidget);

    auto* column = new QVBoxLayout(layoutWidget);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(1);
    for (int i = 0; i < 6; ++i) {
        coordLabels[i] = new QLabel(layoutWidget);
        coordLabels[i]->setObjectName(QStringLiteral("coordLabel%1").arg(i));
        column->addWidget(coordLabels[i]);
    }
}

void CoordsToolbar::showCoords(CFigContext* /*fgc*/, int /*x*/, int /*y*/)
{
    // The texts of each gesture's measures come with the edit modes.
}
