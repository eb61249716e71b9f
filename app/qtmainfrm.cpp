#include "app/qtmainfrm.h"

#include "app/applicationwindowseam.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/updatechecker.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/fontsdlg.h"
#include "dialogs/metricsdlg.h"
#include "dialogs/preferencesdlg.h"
#include "library/librarydlg.h"
#include "model/figcontext.h"
#include "toolbars/arcattrstoolbar.h"
#include "toolbars/arrowattrstoolbar.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/boxattrstoolbar.h"
#include "toolbars/closedsplineattrstoolbar.h"
#include "toolbars/compoundattrstoolbar.h"
#include "toolbars/coordstoolbar.h"
#include "toolbars/ellipseattrstoolbar.h"
#include "toolbars/emptyattrstoolbar.h"
#include "toolbars/layerstoolbar.h"
#include "toolbars/opensplineattrstoolbar.h"
#include "toolbars/picattrstoolbar.h"
#include "toolbars/polygonattrstoolbar.h"
#include "toolbars/polylineattrstoolbar.h"
#include "toolbars/regpolyattrstoolbar.h"
#include "toolbars/rotateattrstoolbar.h"
#include "toolbars/shapestoolbar.h"
#include "toolbars/tangnormattrstoolbar.h"
#include "toolbars/textattrstoolbar.h"
#include "toolbars/updateattrstoolbar.h"
#include "ui_qtmainfrm.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSignalMapper>

QTMainFrm* mainWindow = nullptr;

namespace {

const QString windowPositionKey = QStringLiteral("window position");
const QString windowSizeKey = QStringLiteral("window size");

} // namespace

QTMainFrm::QTMainFrm(QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
    , commentTipTimer(nullptr)
    , commentTipPos(0, 0)
    , commentDlg(nullptr, {})
    , gridButton(nullptr)
    , gridMenu(nullptr)
    , form(std::make_unique<Ui::MainFrmClass>())
    , ui(*form)
    , constraintMenu(nullptr)
    , constraintButton(nullptr)
    , snapMenu(nullptr)
    , snapButton(nullptr)
{
    installApplicationWindowSeam();
    ui.setupUi(this);
    for (QAction*& action : recentFileActs)
        action = nullptr;

    // The MDI area replaces the form's empty central widget.
    mdiArea = new QMdiArea(nullptr);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &QTMainFrm::updateMenus);

    windowMapper = new QSignalMapper(this);
    connect(windowMapper, &QSignalMapper::mappedWidget, this, &QTMainFrm::setActiveSubWindow);

    colorDlg = new FigColorDlg(this, {});
    // The metrics dialog fills gridMenu while it is built: the grid button and
    // menu are members made before the constructor body.
    metricsDlg = new MetricsDlg(this, {});
    metricsDlg->setModal(false);
    preferencesDlg = new PreferencesDlg(this, {});
    preferencesDlg->setModal(false);
    libraryDlg = new LibraryDlg(this, {});
    libraryDlg->setModal(false);
    fontsDlg = new FontsDlg(this, {});

    createToolBars();
    createActions();
    createMenus();
    updateChecker = new UpdateChecker(this);
    readWindowSettings();

    QTChildFrm* child = createMdiChild();
    child->newFile();
    child->show();
    child->showMaximized();

    attrsHandler->refreshToolbars();
    connect(attrsHandler, &AttrsToolbarHandler::colorsChanged, colorDlg, &FigColorDlg::onColors);

    commentTipTimer.setInterval(1000);
    connect(&commentTipTimer, &QTimer::timeout, this, &QTMainFrm::showCommentTip);

    // Made only now, after the first document window exists; updateMenus,
    // connected first, runs first on every activation.
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &QTMainFrm::subWindowActivated);
    connect(metricsDlg, &MetricsDlg::unitChanged, tangnormAttrsToolbar, &TangnormAttrsToolbar::onUnit);
    tangnormAttrsToolbar->onUnit(child->figContext->metric ? 0 : 1);

    // Enabled by the document windows and the tool panel as the selection
    // allows.
    for (QAction* action :
        { ui.actionCreateCompound, ui.actionBreakCompound, ui.actionOpenCompound, ui.actionCloseCompound,
            ui.actionConvertLineSpline, ui.actionAlignLeft, ui.actionAlignTop, ui.actionAlignRight,
            ui.actionAlignBottom, ui.actionAlignCenterH, ui.actionAlignCenterV, ui.actionAlignCenterHV })
        action->setEnabled(false);

    connect(ui.clearLog, &QPushButton::clicked, this, &QTMainFrm::onClearLog);
    connect(ui.executeScript, &QPushButton::clicked, this, &QTMainFrm::onExecuteScript);
    connect(ui.clearScript, &QPushButton::clicked, this, &QTMainFrm::onClearScript);
}

QTMainFrm::~QTMainFrm()
{
    // Activations while the documents go away must not reach the slots.
    disconnect(mdiArea, nullptr, this, nullptr);
    QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    while (!windows.isEmpty())
        delete windows.takeFirst();
    delete mdiArea;
    delete windowMapper;

    delete tileAct;
    delete cascadeAct;
    delete nextAct;
    delete previousAct;
    delete separatorAct;
    delete aboutAct;
    delete aboutQtAct;
    delete checkForUpdatesAct;

    delete shapesToolbar;
    delete coordsToolbar;
    delete emptyAttrsToolbar;
    delete arcAttrsToolbar;
    delete arrowAttrsToolbar;
    delete boxAttrsToolbar;
    delete compoundAttrsToolbar;
    delete ellipseAttrsToolbar;
    delete emptyAttrsToolbar2;
    delete polygonAttrsToolbar;
    delete polylineAttrsToolbar;
    delete picAttrsToolbar;
    delete regpolyAttrsToolbar;
    delete closedSplineAttrsToolbar;
    delete openSplineAttrsToolbar;
    delete textAttrsToolbar;
    delete rotateAttrsToolbar;
    delete tangnormAttrsToolbar;
    delete updateAttrsToolbar;
    delete attrsHandler;

    delete colorDlg;
    delete layersToolbar;
    delete metricsDlg;
    delete preferencesDlg;
    delete libraryDlg;
    delete fontsDlg;
    delete updateChecker;
}

void QTMainFrm::readWindowSettings()
{
    QSettings settings(settingsOrganization, settingsApplication);
    const QPoint position = settings.value(windowPositionKey, QPoint(100, 50)).toPoint();
    const QSize size = settings.value(windowSizeKey, QSize(650, 700)).toSize();
    move(position);
    resize(size);
}

void QTMainFrm::closeEvent(QCloseEvent* event)
{
    mdiArea->closeAllSubWindows();
    if (!mdiArea->subWindowList().isEmpty()) {
        // A document refused to close: the window stays and nothing is stored;
        // the shared dialogs show the document left active.
        event->ignore();
        followActiveDocument();
        return;
    }
    QSettings settings(settingsOrganization, settingsApplication);
    settings.setValue(windowPositionKey, pos());
    settings.setValue(windowSizeKey, size());
    event->accept();
}

QTChildFrm* QTMainFrm::activeMdiChild() const
{
    if (QMdiSubWindow* window = mdiArea->activeSubWindow())
        return qobject_cast<QTChildFrm*>(window->widget());
    return nullptr;
}

QList<QTChildFrm*> QTMainFrm::childFrames(QMdiArea::WindowOrder order) const
{
    QList<QTChildFrm*> frames;
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(order);
    for (QMdiSubWindow* window : windows) {
        if (auto* child = qobject_cast<QTChildFrm*>(window->widget()))
            frames.append(child);
    }
    return frames;
}

QMdiSubWindow* QTMainFrm::findMdiChild(const QString& fileName) const
{
    const QString canonicalFilePath = QFileInfo(fileName).canonicalFilePath();
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* window : windows) {
        auto* child = qobject_cast<QTChildFrm*>(window->widget());
        if (child && child->curFile == canonicalFilePath)
            return window;
    }
    return nullptr;
}

QPlainTextEdit* QTMainFrm::logView() const
{
    return ui.consoleLog;
}

CFigContext* activeFigContext()
{
    if (!mainWindow)
        return nullptr;
    QTChildFrm* child = mainWindow->activeMdiChild();
    return child ? child->figContext : nullptr;
}
