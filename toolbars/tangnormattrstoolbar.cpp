#include "toolbars/tangnormattrstoolbar.h"

#include "app/preferences.h"

#include <QLabel>
#include <QVBoxLayout>

TangnormAttrsToolbar::TangnormAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , handler(handler)
    , mainWindow(mainWindow)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    lengthLabel = new QLabel(this);
    lengthLabel->setObjectName(QStringLiteral("lengthLabel"));
    column->addWidget(lengthLabel);
    column->addStretch();
    onUnit(preferences.metric ? 0 : 1);
}

void TangnormAttrsToolbar::onUnit(int index)
{
    lengthLabel->setText(tr("Length (%1)").arg(index != 0 ? QStringLiteral("in") : QStringLiteral("cm")));
}
