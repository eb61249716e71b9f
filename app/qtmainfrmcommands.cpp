// The main window's commands: document windows, forwarding to the active
// document, view settings, button states and the shared dialogs.
#include "app/qtmainfrm.h"

#include "app/filedialog.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/statusmessages.h"
#include "app/updatechecker.h"
#include "dialogs/aboutdlg.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/metricsdlg.h"
#include "dialogs/preferencesdlg.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "library/librarydlg.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "render/griddef.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/coordstoolbar.h"
#include "toolbars/layerstoolbar.h"
#include "toolbars/shapestoolbar.h"
#include "toolbars/tangnormattrstoolbar.h"
#include "ui_qtmainfrm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMdiSubWindow>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolTip>

namespace {

constexpr int snapGridBit = 1;
constexpr int snapVertexBit = 2;

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
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.parent = this;
    request.caption = tr("Open");
    request.directory = lastOpenDir;
    request.filter = QStringLiteral("FIG files (*.fig *.FIG)");
    const QString fileName = askFileName(request);
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
        // The recorded file is absolute: a relative name would mean another
        // file once the load has made the document's folder current.
        updateRecentFiles(child->curFile);
        child->show();
        // The resizes of showing it have only marked the canvas: it is
        // drawn once, here, at the size it is shown at.
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
    QTChildFrm* child = activeMdiChild();
    if (child && child->save())
        updateRecentFiles(child->curFile);
}

void QTMainFrm::saveAs()
{
    QTChildFrm* child = activeMdiChild();
    if (!child || !child->saveAs())
        return;
    statusBar()->showMessage(tr("File saved"), 2000);
    updateRecentFiles(child->curFile);
}

void QTMainFrm::closeActiveChild()
{
    QMdiSubWindow* window = mdiArea->activeSubWindow();
    if (!window) {
        followActiveDocument();
        return;
    }
    auto* child = qobject_cast<QTChildFrm*>(window->widget());
    const bool closed = window->close();
    followActiveDocument(closed ? child : nullptr);
}

void QTMainFrm::followActiveDocument(const QTChildFrm* closing)
{
    QTChildFrm* child = activeMdiChild();
    if (child == closing)
        child = nullptr;
    CFigContext* context = child ? child->figContext : nullptr;
    colorDlg->setContext(context);
    if (!context)
        return;
    metricsDlg->setGridValues(context);
    metricsDlg->setPageValues(context);
    if (layersToolbar)
        layersToolbar->drawLayerButtons(context);
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
    // A gesture belongs to the window it began in: when another window
    // becomes the active one, it is cancelled there.
    CFigContext* gestureOwner = canvasGestureDocument();
    if (gestureOwner && gestureOwner != child->figContext && gestureOwner->view)
        gestureOwner->view->cancelGesture();
    colorDlg->setContext(child->figContext);
    metricsDlg->setGridValues(child->figContext);
    metricsDlg->setPageValues(child->figContext);
    // Showing the document's unit in the metrics dialog announces nothing:
    // the tangent length's unit follows here.
    tangnormAttrsToolbar->onUnit(child->figContext->metric ? 0 : 1);
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
// Without an active document none of them does anything.

void QTMainFrm::exportFile()
{
    QTChildFrm* child = activeMdiChild();
    if (child && child->exportFile())
        statusBar()->showMessage(tr("File exported"), 2000);
}

void QTMainFrm::exportAgain()
{
    QTChildFrm* child = activeMdiChild();
    if (child && child->exportAgain())
        statusBar()->showMessage(tr("File exported"), 2000);
}

void QTMainFrm::openFigureProperties()
{
    if (QTChildFrm* child = activeMdiChild())
        child->openFigureProperties();
}

void QTMainFrm::undo()
{
    if (QTChildFrm* child = activeMdiChild()) {
        child->undo();
        child->updateCompoundButtons();
    }
}

void QTMainFrm::redo()
{
    if (QTChildFrm* child = activeMdiChild()) {
        child->redo();
        child->updateCompoundButtons();
    }
}

void QTMainFrm::cut()
{
    if (QTChildFrm* child = activeMdiChild())
        child->cut();
}

void QTMainFrm::copy()
{
    if (QTChildFrm* child = activeMdiChild())
        child->copy();
}

void QTMainFrm::paste()
{
    if (QTChildFrm* child = activeMdiChild())
        child->paste();
}

void QTMainFrm::selectAll()
{
    if (QTChildFrm* child = activeMdiChild())
        child->selectAll();
}

void QTMainFrm::createSmartLinks()
{
    if (QTChildFrm* child = activeMdiChild())
        child->createSmartLinks();
}

// The zoom commands leave the metrics dialog showing the new zoom.
void QTMainFrm::zoomIn()
{
    if (QTChildFrm* child = activeMdiChild()) {
        child->zoomIn();
        metricsDlg->setPageValues(child->figContext);
    }
}

void QTMainFrm::zoomOut()
{
    if (QTChildFrm* child = activeMdiChild()) {
        child->zoomOut();
        metricsDlg->setPageValues(child->figContext);
    }
}

void QTMainFrm::zoomToSelection()
{
    if (QTChildFrm* child = activeMdiChild()) {
        child->zoomToSelection();
        metricsDlg->setPageValues(child->figContext);
    }
}

void QTMainFrm::zoomToSelectionRevert()
{
    if (QTChildFrm* child = activeMdiChild()) {
        child->zoomToSelectionRevert();
        metricsDlg->setPageValues(child->figContext);
    }
}

void QTMainFrm::onCreateCompound()
{
    if (QTChildFrm* child = activeMdiChild())
        child->createCompound();
}

void QTMainFrm::onBreakCompound()
{
    if (QTChildFrm* child = activeMdiChild())
        child->breakCompound();
}

void QTMainFrm::onOpenCompound()
{
    if (QTChildFrm* child = activeMdiChild())
        child->openCompound();
}

void QTMainFrm::onCloseCompound()
{
    if (QTChildFrm* child = activeMdiChild())
        child->closeCompound();
}

void QTMainFrm::onConvertLineSpline()
{
    if (QTChildFrm* child = activeMdiChild())
        child->convertLineSpline();
}

void QTMainFrm::cancelActiveChildMode()
{
    if (QTChildFrm* child = activeMdiChild())
        child->cancelCurrentOperation();
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
// The modes stay set after the command, for the align operations and the
// creation modes that read them.

void QTMainFrm::alignActiveDocument(int horizontal, int vertical)
{
    alignMode.horizontal = horizontal;
    alignMode.vertical = vertical;
    if (QTChildFrm* child = activeMdiChild())
        child->alignSelection();
}

void QTMainFrm::alignLeft()
{
    alignActiveDocument(1, 0);
}
void QTMainFrm::alignTop()
{
    alignActiveDocument(0, 1);
}
void QTMainFrm::alignRight()
{
    alignActiveDocument(3, 0);
}
void QTMainFrm::alignBottom()
{
    alignActiveDocument(0, 3);
}
void QTMainFrm::alignCenterH()
{
    alignActiveDocument(2, 0);
}
void QTMainFrm::alignCenterV()
{
    alignActiveDocument(0, 2);
}
void QTMainFrm::alignCenterHV()
{
    alignActiveDocument(2, 2);
}

// Every constraint command applies its constraint whatever the menu entry's
// checked state: the icon, the status text, then the flags.
void QTMainFrm::applyConstraint(
    const char* icon, const char* text, int manhattan, int mountain, int latexLine, int latexArrow)
{
    constraintButton.setIcon(QIcon(QString::fromLatin1(icon)));
    showStatusMessage(text);
    clearLineConstraints();
    constraintModes.manhattan = manhattan;
    constraintModes.mountain = mountain;
    constraintModes.latexLine = latexLine;
    constraintModes.latexArrow = latexArrow;
}

void QTMainFrm::setUnconstraint(bool)
{
    applyConstraint(":/constraints/images/constraints/unconstraint.png",
        "UNCONSTRAINT geometry (for POLYLINE and SPLINE)", 0, 0, 0, 0);
}
void QTMainFrm::setMounthattan(bool)
{
    applyConstraint(":/constraints/images/constraints/mounthattan.png",
        "MOUNT-HATTAN geometry (for POLYLINE and SPLINE)", 1, 1, 0, 0);
}
void QTMainFrm::setManhattan(bool)
{
    applyConstraint(
        ":/constraints/images/constraints/manhattan.png", "MANHATTAN geometry (for POLYLINE and SPLINE)", 1, 0, 0, 0);
}
void QTMainFrm::setMountain(bool)
{
    applyConstraint(
        ":/constraints/images/constraints/mountain.png", "MOUNTAIN geometry (for POLYLINE and SPLINE)", 0, 1, 0, 0);
}
void QTMainFrm::setLatexarrow(bool)
{
    applyConstraint(":/constraints/images/constraints/latexarrow.png",
        "LATEX ARROW geometry: allow only LaTeX arrow slopes", 0, 0, 0, 1);
}
void QTMainFrm::setLatexline(bool)
{
    applyConstraint(":/constraints/images/constraints/latexline.png",
        "LATEX LINE geometry: allow only LaTeX line slopes", 0, 0, 1, 0);
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
        fgc->gridStatusText();
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

void QTMainFrm::showObjectAttributes(CFigContext* context, FigObject* object)
{
    if (!context)
        context = activeFigContext();
    if (!context)
        return;
    if (!object) {
        attrsStack->setCurrentIndex(6);
        emit commentChanged(false);
        return;
    }
    int page = -1; // -1: the page stays
    switch (object->type) {
    case FigObject::Ellipse:
        context->takeEllipseAttributes(object);
        page = 5;
        break;
    case FigObject::Polyline:
        context->takePolylineAttributes(object);
        switch (object->subType) {
        case 1:
            page = 8;
            break;
        case 2:
        case 4:
            page = 3;
            break;
        case 3:
            page = 7;
            break;
        case 5:
            page = 9;
            break;
        default:
            break;
        }
        break;
    case FigObject::Spline:
        if (object->subType == 0 || object->subType == 2 || object->subType == 4) {
            context->takeSplineAttributes(object);
            page = 12;
        } else if (object->subType == 1 || object->subType == 3 || object->subType == 5) {
            context->takeSplineAttributes(object);
            page = 11;
        }
        break;
    case FigObject::Text:
        context->takeTextAttributes(object);
        page = 13;
        break;
    case FigObject::Arc:
        context->takeArcAttributes(object);
        page = 1;
        break;
    case FigObject::Compound:
        page = 4;
        break;
    default:
        page = 6;
        break;
    }
    attrsHandler->refreshToolbars();
    if (page >= 0)
        attrsStack->setCurrentIndex(page);
    emit commentChanged(!object->comment.isEmpty());
}

// The edit modes reach the attribute pages through their document.
void CFigContext::showObjectAttributes(FigObject* object)
{
    if (mainWindow)
        mainWindow->showObjectAttributes(this, object);
}

void CFigContext::showSelectionAttributes(const FigObjectList* list)
{
    if (!mainWindow)
        return;
    const bool several = list && list->size() > 1;
    mainWindow->showObjectAttributes(this, several ? nullptr : currentObject);
}

void QTMainFrm::selectAttrsToolbarPage(int mode)
{
    if (mode == -1)
        mode = editMode;
    attrsStack->setCurrentIndex(attrsPageOfMode(mode));
}

void QTMainFrm::showCommentTip()
{
    if (hoveredObject && !hoveredObject->comment.isEmpty())
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
    if (CFigContext* context = activeFigContext())
        context->runScript(ui.scriptEdit->toPlainText(), QStringLiteral("console"));
}
