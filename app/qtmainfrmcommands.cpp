// The main window's commands: document windows, forwarding to the active
// document, view settings, button states and the shared dialogs.
#include "app/qtmainfrm.h"

#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/statusmessages.h"
#include "app/updatechecker.h"
#include "dialogs/aboutdlg.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/metricsdlg.h"
#include "dialogs/preferencesdlg.h"
#include "edit/editstate.h"
#include "library/librarydlg.h"
#include "model/figcontext.h"
#include "render/griddef.h"
#include "toolbars/coordstoolbar.h"
#include "toolbars/shapestoolbar.h"
#include "ui_qtmainfrm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMdiSubWindow>
#include <QStackedWidget>
#include <QToolTip>

namespace {

constexpr int snapGridBit = 1;
constexpr int snapVertexBit = 2;

// The attribute page of an edit mode; 6, the second empty page, for modes
// without attributes of their own.
int attrsPageOfMode(int mode)
{
    switch (mode) {
    case 1:
    case 2:
    case 3:
    case 4:
        return 5;
    case 5:
        return 1;
    case 6:
        return 8;
    case 7:
        return 3;
    case 8:
        return 7;
    case 9:
        return 13;
    case 10:
    case 12:
        return 12;
    case 11:
    case 13:
        return 11;
    case 15:
        return 10;
    case 16:
        return 9;
    case 44:
        return 2;
    case 47:
        return 16;
    case 58:
    case 59:
        return 14;
    case 73:
    case 74:
        return 15;
    default:
        return 6;
    }
}

} // namespace

// ---- Document windows ----

QTChildFrm* QTMainFrm::createMdiChild()
{
    auto* child = new QTChildFrm(this);
    QMdiSubWindow* window = mdiArea->addSubWindow(child);
    // The sub-window's own Close entry carries the same key as the File
    // menu's Close; two owners of one shortcut make Qt ignore it.
    if (QMenu* systemMenu = window->systemMenu()) {
        const QList<QAction*> entries = systemMenu->actions();
        for (QAction* entry : entries) {
            if (entry->shortcuts().contains(ui.actionClose->shortcut()))
                entry->setShortcuts({});
        }
    }
    connect(child, &QTChildFrm::compoundButtonsStateChanged, this, &QTMainFrm::setCompoundButtonsState);
    connect(child, &QTChildFrm::convertLineSplineButtonStateChanged, this, &QTMainFrm::setConvertLineSplineButtonState);
    connect(child, &QTChildFrm::alignButtonsStateChanged, this, &QTMainFrm::setAlignButtonsState);
    connect(child, &QTChildFrm::addClipToLibraryButtonStateChanged, libraryDlg,
        &LibraryDlg::setAddClipToLibraryButtonState);
    connect(child, &QTChildFrm::coordsChanged, coordsToolbar, &CoordsToolbar::showCoords);
    // The tool panel reports the same button states.
    connect(shapesToolbar, &ShapesToolbar::compoundButtonsStateChanged, this, &QTMainFrm::setCompoundButtonsState,
        Qt::UniqueConnection);
    connect(shapesToolbar, &ShapesToolbar::convertLineSplineButtonStateChanged, this,
        &QTMainFrm::setConvertLineSplineButtonState, Qt::UniqueConnection);
    connect(shapesToolbar, &ShapesToolbar::alignButtonsStateChanged, this, &QTMainFrm::setAlignButtonsState,
        Qt::UniqueConnection);
    return child;
}

QTChildFrm* QTMainFrm::newFile()
{
    QTChildFrm* child = createMdiChild();
    child->newFile();
    child->show();
    return child;
}

void QTMainFrm::open()
{
    const QString fileName
        = QFileDialog::getOpenFileName(this, tr("Open"), lastOpenDir, QStringLiteral("FIG files (*.fig *.FIG)"));
    if (fileName.isEmpty())
        return;
    const QString nativeName = QDir::toNativeSeparators(fileName);
    const int separator = nativeName.lastIndexOf(QDir::separator());
    if (separator >= 0)
        lastOpenDir = nativeName.left(separator);
    if (QMdiSubWindow* existing = findMdiChild(fileName)) {
        mdiArea->setActiveSubWindow(existing);
        return;
    }
    loadIntoNewChild(fileName);
}

void QTMainFrm::openFile(const char* path)
{
    openFile(QString::fromUtf8(path));
}

void QTMainFrm::openFile(const QString& path)
{
    // Resolved now: reading the file moves the current directory to its folder,
    // and the recent-file list keeps the name given here.
    loadIntoNewChild(path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
}

void QTMainFrm::loadIntoNewChild(const QString& fileName)
{
    QTChildFrm* child = createMdiChild();
    if (child->loadFile(fileName)) {
        updateRecentFiles(fileName);
        child->show();
        child->redisplayCanvas();
        return;
    }
    // The new document has no changes, so closing it asks nothing; the
    // sub-window goes with it.
    QMdiSubWindow* window = findSubWindow(child);
    child->close();
    if (window) {
        mdiArea->removeSubWindow(window);
        delete window;
    }
}

void QTMainFrm::save()
{
    // Saving arrives with the document window's file operations.
}

void QTMainFrm::saveAs()
{
    // Saving arrives with the document window's file operations.
}

void QTMainFrm::closeActiveChild()
{
    mdiArea->closeActiveSubWindow();
    colorDlg->setContext(nullptr);
}

void QTMainFrm::closeAllChilds()
{
    QApplication::closeAllWindows();
}

QMdiSubWindow* QTMainFrm::findSubWindow(QTChildFrm* child)
{
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    separatorAct->setVisible(!windows.isEmpty());
    for (QMdiSubWindow* window : windows) {
        if (window->widget() == child)
            return window;
    }
    return nullptr;
}

void QTMainFrm::setActiveSubWindow(QWidget* window)
{
    if (window)
        mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window));
}

void QTMainFrm::subWindowActivated(QMdiSubWindow* window)
{
    auto* child = window ? qobject_cast<QTChildFrm*>(window->widget()) : nullptr;
    if (!child || !child->figContext)
        return;
    colorDlg->setContext(child->figContext);
    metricsDlg->setGridValues(child->figContext);
    metricsDlg->setPageValues(child->figContext);
}

void QTMainFrm::updateMenus()
{
    const bool hasChild = activeMdiChild() != nullptr;
    tileAct->setEnabled(hasChild);
    cascadeAct->setEnabled(hasChild);
    nextAct->setEnabled(hasChild);
    previousAct->setEnabled(hasChild);
    separatorAct->setVisible(hasChild);
}

void QTMainFrm::switchLayoutDirection()
{
    QApplication::setLayoutDirection(layoutDirection() != Qt::LeftToRight ? Qt::LeftToRight : Qt::RightToLeft);
}

QString QTMainFrm::currentFile()
{
    QTChildFrm* child = activeMdiChild();
    return child ? child->curFile : QString();
}

void QTMainFrm::setCurrentFile(const QString& fileName)
{
    if (QTChildFrm* child = activeMdiChild())
        child->setCurrentFile(fileName);
}

QString QTMainFrm::strippedName(const QString& fullFileName)
{
    return QFileInfo(fullFileName).fileName();
}

// ---- Commands forwarded to the active document ----
// Each reaches the active document window's operation of the same name as
// the document window gains it; without an active document none does anything.

void QTMainFrm::exportFile()
{
}
void QTMainFrm::exportAgain()
{
}
void QTMainFrm::openFigureProperties()
{
}
void QTMainFrm::undo()
{
}
void QTMainFrm::redo()
{
}
void QTMainFrm::cut()
{
}
void QTMainFrm::copy()
{
}
void QTMainFrm::paste()
{
}
void QTMainFrm::selectAll()
{
}
void QTMainFrm::createSmartLinks()
{
}
void QTMainFrm::zoomIn()
{
}
void QTMainFrm::zoomOut()
{
}
void QTMainFrm::zoomToSelection()
{
}
void QTMainFrm::zoomToSelectionRevert()
{
}
void QTMainFrm::onCreateCompound()
{
}
void QTMainFrm::onBreakCompound()
{
}
void QTMainFrm::onOpenCompound()
{
}
void QTMainFrm::onCloseCompound()
{
}
void QTMainFrm::onConvertLineSpline()
{
}
void QTMainFrm::cancelActiveChildMode()
{
}

void QTMainFrm::redisplayCanvas()
{
    if (QTChildFrm* child = activeMdiChild())
        child->redisplayCanvas();
}

void QTMainFrm::onEditZoom()
{
    metricsDlg->zoomCombo()->setEditText(zoomCombo->currentText());
    metricsDlg->onEditZoom();
}

// ---- Alignment and line constraints ----
// They set the editing subsystem's align mode and constraint flags, which
// arrive with the edit modes.

void QTMainFrm::alignLeft()
{
}
void QTMainFrm::alignTop()
{
}
void QTMainFrm::alignRight()
{
}
void QTMainFrm::alignBottom()
{
}
void QTMainFrm::alignCenterH()
{
}
void QTMainFrm::alignCenterV()
{
}
void QTMainFrm::alignCenterHV()
{
}
void QTMainFrm::setUnconstraint(bool)
{
}
void QTMainFrm::setMounthattan(bool)
{
}
void QTMainFrm::setManhattan(bool)
{
}
void QTMainFrm::setMountain(bool)
{
}
void QTMainFrm::setLatexarrow(bool)
{
}
void QTMainFrm::setLatexline(bool)
{
}

// ---- Snapping and grid ----

void QTMainFrm::setSnapModeMagnet(bool checked)
{
    if (!activeMdiChild())
        return;
    showStatusMessage("Snap points to grid");
    if (checked) {
        preferences.snapMode |= snapGridBit;
        snapButton.setChecked(true);
    } else {
        preferences.snapMode &= ~snapGridBit;
        if (!(preferences.snapMode & (snapGridBit | snapVertexBit)))
            snapButton.setChecked(false);
    }
}

void QTMainFrm::setSnapModeVertex(bool checked)
{
    if (!activeMdiChild())
        return;
    showStatusMessage("Snap points to vertex");
    if (checked) {
        preferences.snapMode |= snapVertexBit;
        snapButton.setChecked(true);
    } else {
        preferences.snapMode &= ~snapVertexBit;
        if (!(preferences.snapMode & (snapGridBit | snapVertexBit)))
            snapButton.setChecked(false);
    }
}

void QTMainFrm::setGrid(int grid)
{
    setGrid(grid, nullptr);
}

void QTMainFrm::setGrid(int grid, CFigContext* fgc)
{
    if (!fgc)
        fgc = activeFigContext();
    if (!fgc || grid < 0 || grid >= gridDefs.size())
        return;
    gridButton.setIcon(QIcon(gridDefs.at(grid)->icon));
    fgc->gridOn = grid != 0;
    preferences.gridOn = fgc->gridOn;
    fgc->gridIndex = grid;
    preferences.gridIndex = grid;
    if (fgc->view) {
        fgc->view->redisplayCanvas();
        metricsDlg->setGridValues(fgc);
        // The grid's description in the status bar (CFigContext::gridStatusText)
        // arrives with the grid drawing.
    }
}

// ---- Button states ----

void QTMainFrm::setCompoundButtonsState(bool btCreate, bool btBreak, bool btOpen, bool btClose)
{
    ui.actionCreateCompound->setEnabled(btCreate);
    ui.actionBreakCompound->setEnabled(btBreak);
    ui.actionOpenCompound->setEnabled(btOpen);
    ui.actionCloseCompound->setEnabled(btClose);
}

void QTMainFrm::setConvertLineSplineButtonState(bool enabled)
{
    ui.actionConvertLineSpline->setEnabled(enabled);
}

void QTMainFrm::setAlignButtonsState(bool enabled)
{
    for (QAction* action : { ui.actionAlignLeft, ui.actionAlignTop, ui.actionAlignRight, ui.actionAlignBottom,
             ui.actionAlignCenterH, ui.actionAlignCenterV, ui.actionAlignCenterHV })
        action->setEnabled(enabled);
}

// ---- Attribute pages and tips ----

void QTMainFrm::selectAttrsToolbarPage(int mode)
{
    if (mode == -1)
        mode = editMode;
    attrsStack->setCurrentIndex(attrsPageOfMode(mode));
}

void QTMainFrm::showCommentTip()
{
    if (hoveredObject && !commentTipText.isEmpty())
        QToolTip::showText(commentTipPos, commentTipText, nullptr);
}

// ---- Dialogs and console ----

void QTMainFrm::about()
{
    AboutDlg dialog(this, {});
    dialog.setModal(true);
    dialog.show();
    dialog.exec();
}

void QTMainFrm::checkForUpdates()
{
    updateChecker->check();
}

void QTMainFrm::onOpenMetricsDlg()
{
    metricsDlg->show();
    metricsDlg->raise();
}

void QTMainFrm::onOpenLibraryDlg()
{
    libraryDlg->show();
    libraryDlg->raise();
}

void QTMainFrm::onOpenPreferencesDlg()
{
    preferencesDlg->show();
    preferencesDlg->raise();
}

void QTMainFrm::onOpenConsoleView()
{
    ui.consoleDock->setVisible(true);
}

void QTMainFrm::onClearLog(bool /*checked*/)
{
    ui.consoleLog->document()->clear();
}

void QTMainFrm::onClearScript(bool /*checked*/)
{
    ui.scriptEdit->clear();
}

void QTMainFrm::onExecuteScript(bool /*checked*/)
{
    // Running the console's script (CFigContext::runScript with the name
    // "console") arrives with the scripting object.
}
