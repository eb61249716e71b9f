#include "toolbars/layerstoolbar.h"

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "ui_layersform.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// Draw modes of hidden depths by combo index.
constexpr int firstDrawMode = 10;
constexpr int drawModeCount = 3;

} // namespace

LayersToolbar::LayersToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , ui(std::make_unique<Ui::LayersForm>())
{
    ui->setupUi(this);
    layoutWidget = ui->layoutWidget;
    cbDrawMode = ui->cbDrawMode;
    lstLayers = ui->lstLayers;

    connect(ui->allOn, &QPushButton::clicked, this, &LayersToolbar::onAllOn);
    connect(ui->allOff, &QPushButton::clicked, this, &LayersToolbar::onAllOff);
    connect(ui->toggle, &QPushButton::clicked, this, &LayersToolbar::onToggle);
    connect(ui->cbDrawMode, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &LayersToolbar::onDrawMode);
    // The list's itemChanged connection is made by the slots that fill it.
}

LayersToolbar::~LayersToolbar() = default;

void LayersToolbar::connectItems()
{
    connect(ui->lstLayers, &QListWidget::itemChanged, this, &LayersToolbar::itemChanged, Qt::UniqueConnection);
}

void LayersToolbar::disconnectItems()
{
    disconnect(ui->lstLayers, &QListWidget::itemChanged, this, &LayersToolbar::itemChanged);
}

void LayersToolbar::appendItem(int depth, bool shown)
{
    auto* item = new QListWidgetItem(QString::number(depth));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    ui->lstLayers->addItem(item);
}

void LayersToolbar::setAllListed(bool (*rule)(bool shown))
{
    ui->lstLayers->clear();
    CFigContext* ctx = activeFigContext();
    if (!ctx)
        return;
    disconnectItems();
    if (ctx->minDepth != -1) {
        for (int depth = ctx->minDepth; depth <= ctx->maxDepth && depth < CFigContext::depthCount; ++depth) {
            if (ctx->depthObjectCount[depth] <= 0)
                continue;
            ctx->depthVisible[depth] = rule(ctx->depthVisible[depth]);
            appendItem(depth, ctx->depthVisible[depth]);
        }
    }
    if (ctx->view)
        ctx->view->redisplayCanvas();
    connectItems();
}

void LayersToolbar::onAllOn(bool /*checked*/)
{
    setAllListed([](bool) { return true; });
}

void LayersToolbar::onAllOff(bool /*checked*/)
{
    setAllListed([](bool) { return false; });
}

void LayersToolbar::onToggle(bool /*checked*/)
{
    setAllListed([](bool shown) { return !shown; });
}

void LayersToolbar::onDrawMode(int index)
{
    CFigContext* ctx = activeFigContext();
    if (!ctx)
        return;
    if (index >= 0 && index < drawModeCount)
        ctx->layerDrawMode = firstDrawMode + index;
    if (ctx->view)
        ctx->view->redisplayCanvas();
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
    ui->lstLayers->clear();
    if (!fgc || fgc->minDepth == -1)
        return;
    // Items made here must not reach itemChanged: only the user's ticks do.
    disconnectItems();
    for (int depth = fgc->minDepth; depth <= fgc->maxDepth && depth < CFigContext::depthCount; ++depth) {
        if (fgc->depthObjectCount[depth] > 0)
            appendItem(depth, fgc->depthVisible[depth]);
    }
    connectItems();

    // Showing the mode changes no document: the rebuild may be for a
    // document that is not (yet) the active one, such as a file being read
    // into a new window.
    const QSignalBlocker blocker(ui->cbDrawMode);
    const int index = fgc->layerDrawMode - firstDrawMode;
    if (index >= 0 && index < drawModeCount)
        ui->cbDrawMode->setCurrentIndex(index);
}
