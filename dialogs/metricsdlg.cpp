#include "dialogs/metricsdlg.h"
#include "dialogs/formfit.h"

#include "app/colordialog.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/customgriddlg.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "model/units.h"
#include "render/griddef.h"

#include "ui_metricsdlg.h"

#include <QAction>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalMapper>

#include <algorithm>
#include <cmath>
#include <iterator>

const int MetricsDlg::gridPenStyles[5]
    = { Qt::DotLine, Qt::DashLine, Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine };

namespace {

// Every zoom the dialog sets stays within the range the drawing code is
// made for; zero and negative zooms are refused.
constexpr double minZoom = 0.01;
constexpr double maxZoom = 99.99;

const QString customGridIcon = QStringLiteral(":/grid/images/grid/grid_custom.png");

constexpr int magnetModeCount = 5;

bool isChecked(int state)
{
    return state == Qt::Checked;
}

} // namespace

MetricsDlg::MetricsDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::MetricsDlgForm>())
    , mainWindow(qobject_cast<QTMainFrm*>(parent))
{
    signalMapper = new QSignalMapper(this);
    ui->setupUi(this);

    rebuildGridList();

    ui->cbDpiAtZoom100->setItemText(1, ui->cbDpiAtZoom100->itemText(1).arg(logicalDpiY()));

    ui->cbGridMode->setInsertPolicy(QComboBox::NoInsert);
    connect(ui->cbGridMode, &QComboBox::editTextChanged, this, &MetricsDlg::onCustomGridNameChanged);
    connect(ui->openCustomGridDlg, &QPushButton::clicked, this, &MetricsDlg::onOpenCustomGridDlg);
    connect(ui->deleteCustomGrid, &QPushButton::clicked, this, &MetricsDlg::onDeleteCustomGrid);

    paintSwatch(ui->gridColor, preferences.gridColor);
    connect(ui->gridColor, &QPushButton::clicked, this, &MetricsDlg::onGridColor);

    for (const PaperSize& paper : paperSizes)
        ui->cbPageFormat->addItem(QString::fromLatin1(paper.figName));

    paintSwatch(ui->backgroundColor, preferences.backgroundColor);
    connect(ui->backgroundColor, &QPushButton::clicked, this, &MetricsDlg::onBackgroundColor);

    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Return confirms what is typed in the zoom, step or dpi field; it must
    // not also press a button (the first would open the custom grid dialog).
    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    for (QPushButton* button : buttons)
        button->setAutoDefault(false);

    connectGridControls();
    connectPageControls();
    formfit::fitToContents(this);
}

MetricsDlg::~MetricsDlg()
{
    // The grid menu's entries go with the main window's grid button; the
    // definitions outlive both and must not keep pointers to them.
    for (GridDef* grid : qAsConst(gridDefs))
        grid->action = nullptr;
    delete signalMapper;
    signalMapper = nullptr;
}

QComboBox* MetricsDlg::zoomCombo() const
{
    return ui->zoom;
}

QComboBox* MetricsDlg::gridCombo() const
{
    return ui->cbGridMode;
}

CFigContext* MetricsDlg::activeContext() const
{
    if (!mainWindow)
        return nullptr;
    QTChildFrm* child = mainWindow->activeMdiChild();
    return child ? child->figContext : nullptr;
}

// ---- Connection groups ----

void MetricsDlg::connectGridModeIndex()
{
    connect(ui->cbGridMode, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onGridMode,
        Qt::UniqueConnection);
}

bool MetricsDlg::disconnectGridModeIndex()
{
    return disconnect(ui->cbGridMode, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onGridMode);
}

void MetricsDlg::connectGridControls()
{
    connectGridModeIndex();
    connect(ui->stepSize, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MetricsDlg::onStepSize,
        Qt::UniqueConnection);
    connect(ui->cbPenStyle, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onPenStyle,
        Qt::UniqueConnection);
    connect(ui->cbMagnetMode, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onMagnetMode,
        Qt::UniqueConnection);
    connect(ui->snapToGridUsingLineWidth, &QCheckBox::stateChanged, this, &MetricsDlg::onSnapToGridUsingLineWidth,
        Qt::UniqueConnection);
}

void MetricsDlg::disconnectGridControls()
{
    disconnectGridModeIndex();
    disconnect(ui->stepSize, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MetricsDlg::onStepSize);
    disconnect(ui->cbPenStyle, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onPenStyle);
    disconnect(ui->cbMagnetMode, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onMagnetMode);
    disconnect(ui->snapToGridUsingLineWidth, &QCheckBox::stateChanged, this, &MetricsDlg::onSnapToGridUsingLineWidth);
}

void MetricsDlg::connectDpi()
{
    connect(ui->dpi, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MetricsDlg::onDpi, Qt::UniqueConnection);
}

bool MetricsDlg::disconnectDpi()
{
    return disconnect(ui->dpi, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MetricsDlg::onDpi);
}

void MetricsDlg::connectPageControls()
{
    const auto unique = Qt::UniqueConnection;
    connect(ui->cbPageFormat, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onPageFormat, unique);
    connect(
        ui->cbOrientation, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onOrientation, unique);
    connect(ui->cbUnit, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onUnit, unique);
    connect(ui->showMargin, &QCheckBox::stateChanged, this, &MetricsDlg::onShowMargin, unique);
    connect(ui->zoom, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onZoom, unique);
    connect(ui->zoom->lineEdit(), &QLineEdit::editingFinished, this, &MetricsDlg::onEditZoom, unique);
    connectDpi();
    connect(
        ui->cbDpiAtZoom100, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onDpiAtZoom100, unique);
    connect(ui->fontBase72dpi, &QCheckBox::stateChanged, this, &MetricsDlg::onFontBase, unique);
    connect(ui->horzRuler, &QCheckBox::stateChanged, this, &MetricsDlg::onHorzRuler, unique);
    connect(ui->vertRuler, &QCheckBox::stateChanged, this, &MetricsDlg::onVertRuler, unique);
}

void MetricsDlg::disconnectPageControls()
{
    disconnect(ui->cbPageFormat, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onPageFormat);
    disconnect(ui->cbOrientation, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onOrientation);
    disconnect(ui->cbUnit, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onUnit);
    disconnect(ui->showMargin, &QCheckBox::stateChanged, this, &MetricsDlg::onShowMargin);
    disconnect(ui->zoom, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onZoom);
    disconnect(ui->zoom->lineEdit(), &QLineEdit::editingFinished, this, &MetricsDlg::onEditZoom);
    disconnectDpi();
    disconnect(ui->cbDpiAtZoom100, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onDpiAtZoom100);
    disconnect(ui->fontBase72dpi, &QCheckBox::stateChanged, this, &MetricsDlg::onFontBase);
    disconnect(ui->horzRuler, &QCheckBox::stateChanged, this, &MetricsDlg::onHorzRuler);
    disconnect(ui->vertRuler, &QCheckBox::stateChanged, this, &MetricsDlg::onVertRuler);
}

// ---- Showing a document ----

void MetricsDlg::setGridValues(CFigContext* fgc)
{
    if (!fgc)
        return;
    disconnectGridControls();
    if (!fgc->gridOn)
        ui->cbGridMode->setCurrentIndex(0);
    else if (fgc->gridIndex >= 0 && fgc->gridIndex < ui->cbGridMode->count())
        ui->cbGridMode->setCurrentIndex(fgc->gridIndex);
    if (fgc->gridIndex >= 0 && fgc->gridIndex < gridDefs.size()) {
        const GridDef* grid = gridDefs.at(fgc->gridIndex);
        ui->stepSize->setValue(double(grid->step));
        const int* style = std::find(std::begin(gridPenStyles), std::end(gridPenStyles), grid->penStyle);
        if (style != std::end(gridPenStyles))
            ui->cbPenStyle->setCurrentIndex(int(style - std::begin(gridPenStyles)));
    }
    if (fgc->magnetMode >= 0 && fgc->magnetMode < magnetModeCount)
        ui->cbMagnetMode->setCurrentIndex(fgc->magnetMode);
    ui->snapToGridUsingLineWidth->setChecked(preferences.snapToGridUsingLineWidth);
    if (const CFigContext* active = activeContext()) {
        // Only custom grids can be deleted or changed.
        const bool custom = active->gridIndex >= builtinGridCount;
        ui->deleteCustomGrid->setEnabled(custom);
        ui->stepSize->setEnabled(custom);
        ui->cbPenStyle->setEnabled(custom);
        ui->cbGridMode->setEditable(true);
        ui->cbGridMode->setInsertPolicy(QComboBox::NoInsert);
    }
    connectGridControls();
}

void MetricsDlg::setPageValues(CFigContext* fgc)
{
    if (!fgc)
        return;
    disconnectPageControls();
    if (fgc->paperIndex >= 0 && fgc->paperIndex < ui->cbPageFormat->count())
        ui->cbPageFormat->setCurrentIndex(fgc->paperIndex);
    ui->cbOrientation->setCurrentIndex(fgc->landscape ? 1 : 0);
    showPageSize(fgc);
    ui->cbUnit->setCurrentIndex(fgc->metric ? 0 : 1);
    ui->showMargin->setChecked(fgc->showPaperFrame);
    setZoomText(fgc->zoom * 100.0f);
    showDpi(fgc);
    ui->cbDpiAtZoom100->setCurrentIndex(preferences.dpiAtZoom100);
    ui->fontBase72dpi->setChecked(preferences.fontBase72dpi);
    ui->horzRuler->setChecked(preferences.horzRuler);
    ui->vertRuler->setChecked(preferences.vertRuler);
    connectPageControls();
}

void MetricsDlg::showDpi(CFigContext* fgc)
{
    const bool connected = disconnectDpi();
    ui->dpi->setValue(double(fgc->dpiX * fgc->zoom));
    if (connected)
        connectDpi();
}

void MetricsDlg::showPageSize(CFigContext* fgc)
{
    if (fgc->paperIndex < 0 || fgc->paperIndex >= paperSizeCount)
        return;
    const double unit = fgc->metric ? figUnitsPerCentimetre : double(figUnitsPerInch);
    const PaperSize& paper = paperSizes[fgc->paperIndex];
    const QString width = QString::asprintf("%3.2f", paper.width / unit);
    const QString height = QString::asprintf("%3.2f", paper.height / unit);
    ui->pageSizeX->setText(fgc->landscape ? height : width);
    ui->pageSizeY->setText(fgc->landscape ? width : height);
}

void MetricsDlg::setZoomText(float percent)
{
    const bool connected
        = disconnect(ui->zoom, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onZoom);
    QComboBox* other = mainWindow ? mainWindow->zoomCombo : nullptr;
    bool found = false;
    for (int i = 0; i < ui->zoom->count() && !found; ++i) {
        QString text = ui->zoom->itemText(i);
        text.remove(QLatin1Char('%'));
        bool ok = false;
        float value = text.toFloat(&ok);
        if (!ok)
            value = 0;
        if (value == percent) {
            ui->zoom->setCurrentIndex(i);
            // Also when the index stays: the edit field shows the entry again.
            if (other)
                other->setCurrentIndex(i);
            found = true;
        }
    }
    if (!found) {
        const QString text = QString::asprintf("%d%%", roundToInt(double(percent)));
        ui->zoom->setCurrentIndex(-1);
        ui->zoom->setEditText(text);
        if (other) {
            other->setCurrentIndex(-1);
            other->setEditText(text);
        }
    }
    if (connected)
        connect(
            ui->zoom, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onZoom, Qt::UniqueConnection);
}

void MetricsDlg::refreshZoomedView(CFigContext* fgc)
{
    if (!fgc->view)
        return;
    fgc->view->updateScrollRange();
    fgc->view->updateRulerScale();
    fgc->view->redisplayCanvas();
}

void MetricsDlg::paintSwatch(QPushButton* button, const QColor& color)
{
    QPixmap swatch(button->iconSize());
    swatch.fill(color);
    button->setIcon(QIcon(swatch));
}

// ---- Grid list ----

void MetricsDlg::rebuildGridList()
{
    disconnectGridModeIndex();
    const int current = ui->cbGridMode->currentIndex();
    ui->cbGridMode->clear();
    if (mainWindow) {
        const QList<QAction*> old = mainWindow->gridMenu.actions();
        for (QAction* action : old) {
            mainWindow->gridMenu.removeAction(action);
            delete action;
        }
    }

    delete signalMapper;
    signalMapper = new QSignalMapper(this);

    for (int i = 0; i < gridDefs.size(); ++i) {
        GridDef* grid = gridDefs.at(i);
        grid->action = nullptr;
        if (mainWindow) {
            auto* action = new QAction(QIcon(grid->icon), grid->name, &mainWindow->gridButton);
            grid->action = action;
            mainWindow->gridMenu.addAction(action);
            connect(action, &QAction::triggered, signalMapper, qOverload<>(&QSignalMapper::map));
            signalMapper->setMapping(action, i);
        }
        ui->cbGridMode->addItem(grid->name);
    }
    connect(signalMapper, &QSignalMapper::mappedInt, this, &MetricsDlg::onGridMode);

    if (current != -1)
        ui->cbGridMode->setCurrentIndex(current);
    connectGridModeIndex();
}

// ---- Grid controls ----

void MetricsDlg::onGridMode(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc || !mainWindow)
        return;
    mainWindow->setGrid(index, fgc);
}

void MetricsDlg::onStepSize(double value)
{
    CFigContext* fgc = activeContext();
    if (!fgc || fgc->gridIndex < 0 || fgc->gridIndex >= gridDefs.size())
        return;
    // A step of 0 or less is no grid at all: the last usable step stays, in
    // the grid and in the settings, while the box shows what is typed.
    if (!(value > 0))
        return;
    GridDef* grid = gridDefs.at(fgc->gridIndex);
    grid->step = float(value);
    grid->metricStep = double(grid->step) * figUnitsPerCentimetre;
    grid->metricHalfStep = grid->metricStep / 2;
    grid->inchStep = double(grid->step) * figUnitsPerInch;
    grid->inchHalfStep = grid->inchStep / 2;
    if (fgc->view)
        fgc->view->redisplayCanvas();
}

void MetricsDlg::onPenStyle(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc || fgc->gridIndex < 0 || fgc->gridIndex >= gridDefs.size())
        return;
    if (index < 0 || index >= int(std::size(gridPenStyles)))
        return;
    gridDefs.at(fgc->gridIndex)->penStyle = gridPenStyles[index];
    if (fgc->view)
        fgc->view->redisplayCanvas();
}

void MetricsDlg::onMagnetMode(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    if (index >= 0 && index < magnetModeCount)
        fgc->magnetMode = index;
    preferences.magnetMode = fgc->magnetMode;
}

void MetricsDlg::onSnapToGridUsingLineWidth(int state)
{
    preferences.snapToGridUsingLineWidth = isChecked(state);
}

void MetricsDlg::onOpenCustomGridDlg(bool /*checked*/)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    CustomGridDlg dialog(nullptr, {});
    dialog.setModal(true);
    dialog.show();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.gridName();
    gridDefs.append(new GridDef(name, name, 1.0f, preferences.gridColor, Qt::DotLine, customGridIcon));
    rebuildGridList();
    if (mainWindow)
        mainWindow->setGrid(gridDefs.size() - 1, fgc);
}

void MetricsDlg::onDeleteCustomGrid(bool /*checked*/)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    disconnectGridModeIndex();
    const int index = ui->cbGridMode->currentIndex();
    if (index < builtinGridCount || index >= gridDefs.size()) {
        connectGridModeIndex();
        return;
    }
    ui->cbGridMode->removeItem(index);
    GridDef* grid = gridDefs.takeAt(index);
    if (grid->action) {
        if (mainWindow)
            mainWindow->gridMenu.removeAction(grid->action);
        signalMapper->removeMappings(grid->action);
        delete grid->action;
    }
    delete grid;
    // The grids after it moved down by one: their menu entries follow, so
    // that each still chooses the grid it shows.
    for (int i = index; i < gridDefs.size(); ++i) {
        if (QAction* action = gridDefs.at(i)->action)
            signalMapper->setMapping(action, i);
    }
    connectGridModeIndex();

    if (mainWindow) {
        mainWindow->setGrid(0, fgc);
        const QList<QTChildFrm*> frames = mainWindow->childFrames();
        for (QTChildFrm* frame : frames) {
            if (frame->figContext)
                frame->figContext->gridIndex = 0;
        }
    }
}

void MetricsDlg::onCustomGridNameChanged(const QString& text)
{
    const int index = ui->cbGridMode->currentIndex();
    if (index < builtinGridCount || index >= gridDefs.size())
        return;
    GridDef* grid = gridDefs.at(index);
    grid->name = text;
    if (ui->cbGridMode->itemText(index) != text)
        ui->cbGridMode->setItemText(index, text);
    if (grid->action)
        grid->action->setText(text);
}

bool MetricsDlg::validateGridSteps()
{
    // A step the box shows but did not store (0 while typing) counts too:
    // the user sees it as the step of the active document's grid.
    const CFigContext* fgc = activeContext();
    const int shownGrid = (fgc && ui->stepSize->isEnabled() && !(ui->stepSize->value() > 0)) ? fgc->gridIndex : -1;
    bool valid = true;
    for (int i = 0; i < gridDefs.size(); ++i) {
        const GridDef* grid = gridDefs.at(i);
        if (grid->step > 0 && i != shownGrid)
            continue;
        MessageBoxRequest request;
        request.parent = this;
        request.icon = QMessageBox::Warning;
        request.title = tr("Warning");
        request.text = tr("Please enter a value greater than 0 for grid %1").arg(grid->name);
        request.buttons = QMessageBox::Ok;
        showMessageBox(request);
        valid = false;
    }
    return valid;
}

void MetricsDlg::done(int r)
{
    if (!validateGridSteps())
        return;
    QDialog::done(r);
}

// ---- Page controls ----

void MetricsDlg::onUnit(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    const bool metric = index == 0;
    if (fgc->metric != metric) {
        fgc->metric = metric;
        preferences.metric = metric;
        // The unit is part of the file.
        fgc->setModified();
        if (fgc->view) {
            fgc->view->updateRulerScale();
            fgc->view->redisplayCanvas();
        }
        showPageSize(fgc);
    }
    emit unitChanged(index);
}

void MetricsDlg::onPageFormat(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc || index < 0 || index >= paperSizeCount || index == fgc->paperIndex)
        return;
    disconnectPageControls();
    fgc->paperIndex = index;
    // The paper size is part of the file.
    fgc->setModified();
    if (fgc->view) {
        fgc->view->updateScrollRange();
        fgc->view->redisplayCanvas();
    }
    showPageSize(fgc);
    connectPageControls();
}

void MetricsDlg::onOrientation(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    const bool landscape = index == 1;
    if (fgc->landscape == landscape)
        return;
    fgc->landscape = landscape;
    // The orientation is part of the file.
    fgc->setModified();
    if (fgc->view) {
        fgc->view->updateScrollRange();
        fgc->view->redisplayCanvas();
    }
    showPageSize(fgc);
}

void MetricsDlg::onShowMargin(int state)
{
    CFigContext* fgc = activeContext();
    if (!fgc || fgc->showPaperFrame == isChecked(state))
        return;
    fgc->showPaperFrame = isChecked(state);
    if (fgc->view)
        fgc->view->redisplayCanvas();
}

void MetricsDlg::onBackgroundColor(bool /*checked*/)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    ColorDialogRequest request;
    request.initial = preferences.backgroundColor;
    request.parent = this;
    const QColor color = askColor(request);
    if (!color.isValid())
        return;
    preferences.backgroundColor = color;
    paintSwatch(ui->backgroundColor, color);
    if (fgc->view)
        fgc->view->redisplayCanvas();
}

void MetricsDlg::onGridColor(bool /*checked*/)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    ColorDialogRequest request;
    request.initial = preferences.gridColor;
    request.parent = this;
    const QColor color = askColor(request);
    if (!color.isValid())
        return;
    preferences.gridColor = color;
    for (GridDef* grid : qAsConst(gridDefs))
        grid->color = color;
    paintSwatch(ui->gridColor, color);
    if (fgc->gridOn && fgc->view)
        fgc->view->redisplayCanvas();
}

void MetricsDlg::onFontBase(int state)
{
    CFigContext* fgc = activeContext();
    if (!fgc || preferences.fontBase72dpi == isChecked(state))
        return;
    preferences.fontBase72dpi = isChecked(state);
    if (fgc->view)
        fgc->view->redisplayCanvas();
}

void MetricsDlg::onDpiAtZoom100(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc || index < 0 || index == preferences.dpiAtZoom100)
        return;
    preferences.dpiAtZoom100 = index;
    if (mainWindow) {
        const QList<QTChildFrm*> frames = mainWindow->childFrames();
        for (QTChildFrm* frame : frames) {
            if (!frame->figContext)
                continue;
            frame->figContext->updateDpi();
            frame->updateScrollRange();
            frame->updateRulerScale();
            frame->redisplayCanvas();
        }
    }
    showDpi(fgc);
}

void MetricsDlg::onHorzRuler(int state)
{
    if (preferences.horzRuler == isChecked(state))
        return;
    preferences.horzRuler = isChecked(state);
    if (!mainWindow)
        return;
    const QList<QTChildFrm*> frames = mainWindow->childFrames();
    for (QTChildFrm* frame : frames) {
        if (!frame->figContext)
            continue;
        frame->setRulers(preferences.horzRuler, preferences.vertRuler);
        frame->setRulerOrigins(-frame->figContext->originX, -frame->figContext->originY);
    }
}

void MetricsDlg::onVertRuler(int state)
{
    if (preferences.vertRuler == isChecked(state))
        return;
    preferences.vertRuler = isChecked(state);
    if (!mainWindow)
        return;
    const QList<QTChildFrm*> frames = mainWindow->childFrames();
    for (QTChildFrm* frame : frames) {
        if (!frame->figContext)
            continue;
        frame->setRulers(preferences.horzRuler, preferences.vertRuler);
        frame->setRulerOrigins(-frame->figContext->originX, -frame->figContext->originY);
    }
}

// ---- Zoom ----

void MetricsDlg::onZoom(int index)
{
    CFigContext* fgc = activeContext();
    if (!fgc || index < 0 || index >= ui->zoom->count())
        return;
    const bool dpiConnected = disconnectDpi();
    if (index < ui->zoom->count() - 1) {
        QString text = ui->zoom->itemText(index);
        text.remove(QLatin1Char('%'));
        bool ok = false;
        const float percent = text.toFloat(&ok);
        if (ok && percent > 0) {
            fgc->zoom = float(roundToDecimals(std::clamp(double(percent) / 100, minZoom, maxZoom), 2));
            ui->dpi->setValue(double(fgc->zoom * fgc->dpiX));
            refreshZoomedView(fgc);
        }
    } else if (QTChildFrm* view = fgc->view) {
        // Fits the drawing, not the paper, into the window less 60 pixels in
        // the tighter direction.
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        fgc->getObjectListBounds(&fgc->drawing.objects, x0, y0, x1, y1, false, true, true);
        const int w = x1 - x0;
        const int h = y1 - y0;
        const int vw = view->visibleWidth();
        const int vh = view->visibleHeight();
        const float pixelX = 1200.0f / fgc->dpiX;
        const float pixelY = 1200.0f / fgc->dpiY;
        const float zx = pixelX * float(vw - 60) / float(w);
        const float zy = pixelY * float(vh - 60) / float(h);
        const float fitted = std::min(zx, zy);
        // An empty or flat drawing, or a window too small for the margin,
        // fits at no zoom: nothing changes.
        if (w != 0 && h != 0 && std::isfinite(fitted) && fitted > 0) {
            fgc->zoom = float(roundToDecimals(std::clamp(double(fitted), minZoom, maxZoom), 2));
            ui->dpi->setValue(double(fgc->zoom * fgc->dpiX));
            view->updateScrollRange();
            view->updateRulerScale();

            int paperWidth = 0;
            int paperHeight = 0;
            fgc->paperSizeFigUnits(&paperWidth, &paperHeight);
            const int pw = int(float(paperWidth) / pixelX * fgc->zoom);
            const int ph = int(float(paperHeight) / pixelY * fgc->zoom);
            const bool centreX = pw > vw;
            const bool centreY = ph > vh;
            if (centreX)
                fgc->originX = int((float(x1 - w / 2) * fgc->zoom - float(vw) * pixelX * 0.5f) / pixelX);
            if (centreY)
                fgc->originY = int((float(y1 - h / 2) * fgc->zoom - float(vh) * pixelY * 0.5f) / pixelY);
            if (centreX || centreY) {
                view->setScrollValues(fgc->originX, fgc->originY);
                // The bars hold the origin within the paper; the canvas
                // follows what they show.
                fgc->originX = view->horizontalScrollBar()->value();
                fgc->originY = view->verticalScrollBar()->value();
                view->setRulerOrigins(-fgc->originX, -fgc->originY);
            }
            view->redisplayCanvas();
        }
    }
    if (dpiConnected)
        connectDpi();
}

void MetricsDlg::onEditZoom()
{
    CFigContext* fgc = activeContext();
    if (!fgc || ui->zoom->currentIndex() == ui->zoom->count() - 1)
        return;
    const bool dpiConnected = disconnectDpi();
    const bool editConnected
        = disconnect(ui->zoom->lineEdit(), &QLineEdit::editingFinished, this, &MetricsDlg::onEditZoom);

    QString text = ui->zoom->currentText();
    const int percentSign = text.indexOf(QLatin1Char('%'));
    bool usable = percentSign == -1 || percentSign == text.size() - 1;
    if (usable && percentSign == -1) {
        text += QLatin1Char('%');
        ui->zoom->setEditText(text);
    }
    double value = 0;
    if (usable) {
        QString number = text;
        number.remove(QLatin1Char('%'));
        value = number.toFloat(&usable);
    }
    // Zero, negative and unusable zooms are refused; the others are held
    // within the zoom range.
    if (usable && std::isfinite(value) && value > 0) {
        double z = value / 100;
        const bool held = z < minZoom || z > maxZoom;
        z = std::clamp(z, minZoom, maxZoom);
        if (std::fabs(z - double(fgc->zoom)) > 0.0001) {
            fgc->zoom = float(z);
            if (held)
                ui->zoom->setEditText(QString::asprintf("%d%%", roundToInt(z * 100)));
            ui->dpi->setValue(double(fgc->zoom * fgc->dpiX));
            if (fgc->view)
                fgc->view->redisplayCanvas();
            if (mainWindow)
                mainWindow->zoomCombo->setEditText(ui->zoom->currentText());
            if (fgc->view) {
                fgc->view->updateScrollRange();
                fgc->view->updateRulerScale();
            }
        }
    }

    if (editConnected)
        connect(ui->zoom->lineEdit(), &QLineEdit::editingFinished, this, &MetricsDlg::onEditZoom, Qt::UniqueConnection);
    if (dpiConnected)
        connectDpi();
}

void MetricsDlg::onDpi(double value)
{
    CFigContext* fgc = activeContext();
    if (!fgc)
        return;
    const double z = value / double(fgc->dpiY);
    if (!(z > 0) || !std::isfinite(z)) {
        // Refused: the box shows the zoom that stays.
        showDpi(fgc);
        return;
    }
    const float zoom = float(std::clamp(z, minZoom, maxZoom));
    if (zoom != fgc->zoom) {
        fgc->zoom = zoom;
        setZoomText(fgc->zoom * 100.0f);
        refreshZoomedView(fgc);
    }
    if (double(zoom) != z)
        showDpi(fgc);
}
