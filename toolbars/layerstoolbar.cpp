#include "toolbars/layerstoolbar.h"

#include "app/qtmainfrm.h"
#include "model/figcontext.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

LayersToolbar::LayersToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
{
    setWindowTitle(tr("Layers"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    layoutWidget = new QWidget(this);
    layoutWidget->setObjectName(QStringLiteral("layoutWidget"));
    outer->addWidget(layoutWidget);

    auto* column = new QVBoxLayout(layoutWidget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    cbDrawMode = new QComboBox(layoutWidget);
    cbDrawMode->setObjectName(QStringLiteral("cbDrawMode"));
    cbDrawMode->setMaximumWidth(65);
    cbDrawMode->addItems({ tr("dim"), tr("gray"), tr("hide") });
    column->addWidget(cbDrawMode);
    lstLayers = new QListWidget(layoutWidget);
    lstLayers->setObjectName(QStringLiteral("lstLayers"));
    lstLayers->setMaximumWidth(65);
    column->addWidget(lstLayers);
    // The list's itemChanged connection is made by drawLayerButtons, which
    // fills the list.
}

void LayersToolbar::itemChanged(QListWidgetItem* item)
{
    CFigContext* ctx = activeFigContext();
    if (!ctx || !item)
        return;
    bool ok = false;
    const int depth = item->text().toInt(&ok);
    if (!ok)
        return;
    ctx->setDepthVisible(depth, item->checkState() == Qt::Checked);
}

void LayersToolbar::drawLayerButtons(CFigContext* fgc)
{
    lstLayers->clear();
    if (!fgc || fgc->minDepth == -1)
        return;
    // Items made here must not reach itemChanged: only the user's ticks do.
    disconnect(lstLayers, &QListWidget::itemChanged, this, &LayersToolbar::itemChanged);
    for (int depth = fgc->minDepth; depth <= fgc->maxDepth && depth < CFigContext::depthCount; ++depth) {
        if (fgc->depthObjectCount[depth] <= 0)
            continue;
        auto* item = new QListWidgetItem(QString::number(depth), lstLayers);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(fgc->depthVisible[depth] ? Qt::Checked : Qt::Unchecked);
    }
    connect(lstLayers, &QListWidget::itemChanged, this, &LayersToolbar::itemChanged, Qt::UniqueConnection);

    // Showing the mode changes no document.
    const QSignalBlocker blocker(cbDrawMode);
    if (fgc->layerDrawMode >= 10 && fgc->layerDrawMode <= 12)
        cbDrawMode->setCurrentIndex(fgc->layerDrawMode - 10);
}
