// The main window's action connections and the menus it completes in code:
// the recent files, the Window and Help menus and the Script menu.
#include "app/qtmainfrm.h"

#include "app/appdir.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "model/figcontext.h"
#include "toolbars/attrstoolbarhandler.h"
#include "ui_qtmainfrm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSignalMapper>

namespace {

const QString recentFilesKey = QStringLiteral("recentFileList");

QStringList storedRecentFiles()
{
    QSettings settings(settingsOrganization, settingsApplication);
    return settings.value(recentFilesKey).toStringList();
}

QString scriptRootFolder()
{
    return appDir + QDir::separator() + QStringLiteral("Scripts");
}

// True when the folder (a canonical path) is the script root or a folder
// whose sub-menu lies on the way from the Script menu down to menu. A
// symbolic link pointing back up the tree would otherwise be followed
// without end.
bool folderOnMenuPath(const QString& folder, const QString& rootdir, const QMenu* menu, const QMenu* top)
{
    if (folder == QFileInfo(scriptRootFolder()).canonicalFilePath() || folder == QFileInfo(rootdir).canonicalFilePath())
        return true;
    for (const QObject* node = menu; node && node != top; node = node->parent()) {
        const auto* subMenu = qobject_cast<const QMenu*>(node);
        if (subMenu && subMenu->menuAction()->data().toString() == folder)
            return true;
    }
    return false;
}

} // namespace

void QTMainFrm::createActions()
{
    connect(ui.actionNew, &QAction::triggered, this, &QTMainFrm::newFile);
    connect(ui.actionOpen, &QAction::triggered, this, &QTMainFrm::open);
    connect(ui.actionClose, &QAction::triggered, this, &QTMainFrm::closeActiveChild);
    connect(ui.actionSave, &QAction::triggered, this, &QTMainFrm::save);
    connect(ui.actionSaveAs, &QAction::triggered, this, &QTMainFrm::saveAs);
    connect(ui.actionExit, &QAction::triggered, this, &QTMainFrm::closeAllChilds);
    connect(ui.actionExport, &QAction::triggered, this, &QTMainFrm::exportFile);
    connect(ui.actionExportAgain, &QAction::triggered, this, &QTMainFrm::exportAgain);
    connect(ui.actionProperties, &QAction::triggered, this, &QTMainFrm::openFigureProperties);
    connect(ui.actionUndo, &QAction::triggered, this, &QTMainFrm::undo);
    connect(ui.actionRedo, &QAction::triggered, this, &QTMainFrm::redo);
    connect(ui.actionCut, &QAction::triggered, this, &QTMainFrm::cut);
    connect(ui.actionCopy, &QAction::triggered, this, &QTMainFrm::copy);
    connect(ui.actionPaste, &QAction::triggered, this, &QTMainFrm::paste);
    connect(ui.actionSelectAll, &QAction::triggered, this, &QTMainFrm::selectAll);
    connect(ui.actionCreateSmartLinks, &QAction::triggered, this, &QTMainFrm::createSmartLinks);

    tileAct = new QAction(tr("&Tile"), this);
    tileAct->setStatusTip(tr("Tile the windows"));
    connect(tileAct, &QAction::triggered, mdiArea, &QMdiArea::tileSubWindows);

    cascadeAct = new QAction(tr("&Cascade"), this);
    cascadeAct->setStatusTip(tr("Cascade the windows"));
    connect(cascadeAct, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);

    nextAct = new QAction(tr("Ne&xt"), this);
    nextAct->setShortcuts(QKeySequence::NextChild);
    nextAct->setStatusTip(tr("Move the focus to the next window"));
    connect(nextAct, &QAction::triggered, mdiArea, &QMdiArea::activateNextSubWindow);

    previousAct = new QAction(tr("Pre&vious"), this);
    previousAct->setShortcuts(QKeySequence::PreviousChild);
    previousAct->setStatusTip(tr("Move the focus to the previous window"));
    connect(previousAct, &QAction::triggered, mdiArea, &QMdiArea::activatePreviousSubWindow);

    aboutAct = new QAction(tr("&About"), this);
    aboutAct->setStatusTip(tr("Show the application's About box"));
    connect(aboutAct, &QAction::triggered, this, &QTMainFrm::about);

    aboutQtAct = new QAction(tr("About &Qt"), this);
    aboutQtAct->setStatusTip(tr("Show the Qt library's About box"));
    connect(aboutQtAct, &QAction::triggered, qApp, &QApplication::aboutQt);

    checkForUpdatesAct = new QAction(tr("Check for updates..."), this);
    checkForUpdatesAct->setStatusTip(tr("Check for updates"));
    connect(checkForUpdatesAct, &QAction::triggered, this, &QTMainFrm::checkForUpdates);

    connect(ui.actionZoomIn, &QAction::triggered, this, &QTMainFrm::zoomIn);
    connect(ui.actionZoomOut, &QAction::triggered, this, &QTMainFrm::zoomOut);
    connect(ui.actionZoomToSelection, &QAction::triggered, this, &QTMainFrm::zoomToSelection);
    connect(ui.actionZoomToSelectionRevert, &QAction::triggered, this, &QTMainFrm::zoomToSelectionRevert);
    connect(ui.actionOpenPalette, &QAction::triggered, attrsHandler, &AttrsToolbarHandler::openColorDlgClicked);
    connect(ui.actionOpenPageSetup, &QAction::triggered, this, &QTMainFrm::onOpenMetricsDlg);
    connect(ui.actionOpenLibrary, &QAction::triggered, this, &QTMainFrm::onOpenLibraryDlg);
    connect(ui.actionPreferences, &QAction::triggered, this, &QTMainFrm::onOpenPreferencesDlg);
    connect(ui.actionOpenConsoleView, &QAction::triggered, this, &QTMainFrm::onOpenConsoleView);
    connect(ui.actionCreateCompound, &QAction::triggered, this, &QTMainFrm::onCreateCompound);
    connect(ui.actionBreakCompound, &QAction::triggered, this, &QTMainFrm::onBreakCompound);
    connect(ui.actionOpenCompound, &QAction::triggered, this, &QTMainFrm::onOpenCompound);
    connect(ui.actionCloseCompound, &QAction::triggered, this, &QTMainFrm::onCloseCompound);
    connect(ui.actionConvertLineSpline, &QAction::triggered, this, &QTMainFrm::onConvertLineSpline);
    connect(ui.actionAlignLeft, &QAction::triggered, this, &QTMainFrm::alignLeft);
    connect(ui.actionAlignTop, &QAction::triggered, this, &QTMainFrm::alignTop);
    connect(ui.actionAlignRight, &QAction::triggered, this, &QTMainFrm::alignRight);
    connect(ui.actionAlignBottom, &QAction::triggered, this, &QTMainFrm::alignBottom);
    connect(ui.actionAlignCenterH, &QAction::triggered, this, &QTMainFrm::alignCenterH);
    connect(ui.actionAlignCenterV, &QAction::triggered, this, &QTMainFrm::alignCenterV);
    connect(ui.actionAlignCenterHV, &QAction::triggered, this, &QTMainFrm::alignCenterHV);

    for (QAction*& action : recentFileActs) {
        action = new QAction(this);
        action->setVisible(false);
        connect(action, &QAction::triggered, this, &QTMainFrm::openRecentFile);
    }
}

void QTMainFrm::createMenus()
{
    for (QAction* action : recentFileActs)
        ui.menuFile->addAction(action);
    ui.menuFile->addSeparator();
    separatorAct = ui.menuFile->addSeparator();
    ui.menuFile->addAction(ui.actionExit);

    windowMenu = menuBar()->addMenu(tr("&Window"));
    updateWindowMenu();
    connect(windowMenu, &QMenu::aboutToShow, this, &QTMainFrm::updateWindowMenu);

    menuBar()->addSeparator();

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(aboutAct);
    helpMenu->addAction(aboutQtAct);
    helpMenu->addAction(checkForUpdatesAct);

    updateRecentFileActions();

    ui.menuScript->clear();
    loadScriptActions(scriptRootFolder(), ui.menuScript);
}

void QTMainFrm::updateRecentFiles(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    // Stored absolute: a name relative to the current directory would point
    // elsewhere once the directory changes (opening a file moves it to the
    // file's folder) and in every later run.
    const QString path = QFileInfo(fileName).absoluteFilePath();
    QStringList files = storedRecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > maxRecentFiles)
        files.removeLast();
    QSettings settings(settingsOrganization, settingsApplication);
    settings.setValue(recentFilesKey, files);
    updateRecentFileActions();
}

void QTMainFrm::updateRecentFileActions()
{
    const QStringList files = storedRecentFiles();
    const int count = qMin(files.size(), int(maxRecentFiles));
    for (int i = 0; i < count; ++i) {
        recentFileActs[i]->setText(tr("&%1 %2").arg(i + 1).arg(strippedName(files.at(i))));
        recentFileActs[i]->setData(files.at(i));
        recentFileActs[i]->setVisible(true);
    }
    for (int i = count; i < maxRecentFiles; ++i)
        recentFileActs[i]->setVisible(false);
    separatorAct->setVisible(count > 0);
}

void QTMainFrm::openRecentFile()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    const QString fileName = action->data().toString();
    if (QMdiSubWindow* existing = findMdiChild(fileName)) {
        mdiArea->setActiveSubWindow(existing);
        return;
    }
    loadIntoNewChild(fileName);
}

void QTMainFrm::updateWindowMenu()
{
    windowMenu->clear();
    windowMenu->addAction(tileAct);
    windowMenu->addAction(cascadeAct);
    windowMenu->addSeparator();
    windowMenu->addAction(nextAct);
    windowMenu->addAction(previousAct);
    windowMenu->addAction(separatorAct);

    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    separatorAct->setVisible(!windows.isEmpty());
    const QTChildFrm* active = activeMdiChild();
    for (int i = 0; i < windows.size(); ++i) {
        auto* child = qobject_cast<QTChildFrm*>(windows.at(i)->widget());
        if (!child)
            continue;
        const QString text = i < 9 ? tr("&%1 %2").arg(i + 1).arg(child->currentFileName())
                                   : tr("%1 %2").arg(i + 1).arg(child->currentFileName());
        QAction* action = windowMenu->addAction(text);
        action->setCheckable(true);
        action->setChecked(child == active);
        connect(action, &QAction::triggered, windowMapper, qOverload<>(&QSignalMapper::map));
        windowMapper->setMapping(action, windows.at(i));
    }
}

void QTMainFrm::loadScriptActions(const QString& rootdir, QMenu* menu)
{
    if (menu == ui.menuScript) {
        auto* refresh
            = new QAction(QIcon(QStringLiteral(":/diverse/images/diverse/refresh.png")), tr("Refresh menu"), this);
        connect(refresh, &QAction::triggered, this, &QTMainFrm::refreshScriptActions);
        menu->addAction(refresh);
        scriptActions.append(refresh);
    }
    const QFileInfoList entries
        = QDir(rootdir).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::DirsFirst);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            const QString folder = entry.canonicalFilePath();
            if (folderOnMenuPath(folder, rootdir, menu, ui.menuScript))
                continue;
            // The sub-menu belongs to menu; its folder is kept for the test above.
            QMenu* subMenu = menu->addMenu(QFileIconProvider().icon(QFileIconProvider::Folder), entry.fileName());
            subMenu->menuAction()->setData(folder);
            loadScriptActions(entry.absoluteFilePath(), subMenu);
        } else if (entry.suffix().toLower() == QLatin1String("js")) {
            auto* script
                = new QAction(QIcon(QStringLiteral(":/diverse/images/diverse/play.png")), entry.fileName(), this);
            script->setData(entry.canonicalFilePath());
            connect(script, &QAction::triggered, this, &QTMainFrm::runScript);
            menu->addAction(script);
            scriptActions.append(script);
        }
    }
}

void QTMainFrm::refreshScriptActions()
{
    // Clearing the menu only takes the entries out of it: the script actions
    // belong to the window and the sub-menus to their parent menus, so both
    // are freed here. "Refresh menu" is usually the sender of this very call
    // and still inside its trigger, hence deleteLater.
    const QList<QAction*> entries = ui.menuScript->actions();
    ui.menuScript->clear();
    for (QAction* entry : entries) {
        if (QMenu* subMenu = entry->menu())
            subMenu->deleteLater();
    }
    for (QAction* action : qAsConst(scriptActions))
        action->deleteLater();
    scriptActions.clear();
    loadScriptActions(scriptRootFolder(), ui.menuScript);
}

void QTMainFrm::runScript()
{
    auto* action = qobject_cast<QAction*>(sender());
    CFigContext* context = activeFigContext();
    if (!action || !context)
        return;
    context->runScriptFile(action->data().toString());
}
