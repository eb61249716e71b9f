// The main window as its constructor leaves it: the form's actions with
// their texts, shortcuts and icons, the menus and tool bars in order, the
// attribute page stack, the zoom, constraint, grid and snap controls, the
// console dock and the first document window.
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/metricsdlg.h"
#include "render/griddef.h"
#include "render/resources.h"
#include "support/testenv.h"
#include "toolbars/coordstoolbar.h"
#include "toolbars/layerstoolbar.h"
#include "toolbars/shapestoolbar.h"
#include "toolbars/tangnormattrstoolbar.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>

namespace {

// The form's 37 actions: object name, text, icon text, shortcut, tool tip
// (empty: none given) and icon resource (empty: none).
struct ActionRow {
    const char* name;
    const char* text;
    const char* iconText;
    const char* shortcut;
    const char* toolTip;
    const char* icon;
};

const ActionRow formActionRows[] = {
    { "actionNew", "&New", "", "Ctrl+N", "Create a new file", ":/file/images/File/new.png" },
    { "actionOpen", "&Open...", "&Open", "Ctrl+O", "Open an existing file", ":/file/images/File/open.png" },
    { "actionSave", "&Save", "", "Ctrl+S", "Save the document to disk", ":/file/images/File/save.png" },
    { "actionSaveAs", "Save &As...", "Save &As", "", "Save the document under a new name", "" },
    { "actionExport", "Export...", "", "", "", "" },
    { "actionClose", "Close", "", "Ctrl+F4", "", "" },
    { "actionProperties", "Properties...", "", "", "", "" },
    { "actionExit", "Exit", "", "", "", "" },
    { "actionCut", "Cu&t", "", "Ctrl+X", "Cut the current selection's contents to the clipboard",
        ":/file/images/File/cut.png" },
    { "actionCopy", "&Copy", "", "Ctrl+C", "Copy the current selection's contents to the clipboard",
        ":/file/images/File/copy.png" },
    { "actionPaste", "&Paste", "", "Ctrl+V", "Paste the clipboard's contents into the current selection",
        ":/file/images/File/paste.png" },
    { "actionUndo", "Undo", "", "Ctrl+Z", "Undo the last action", ":/file/images/File/arrow_undo.png" },
    { "actionRedo", "Redo", "", "Ctrl+Y", "Redo the last undone action", ":/file/images/File/arrow_redo.png" },
    { "actionPreferences", "Preferences...", "", "", "", "" },
    { "actionOpenPalette", "Palette...", "", "", "Open Palette", ":/file/images/File/palette.png" },
    { "actionOpenPageSetup", "Page and Metrics Setup...", "", "", "Open page, grid and metrics setup",
        ":/file/images/File/pagesetup.png" },
    { "actionOpenLibrary", "Library...", "", "", "Open library", ":/file/images/File/library.png" },
    { "actionZoomIn", "ZoomIn", "", "Ctrl++", "Zoom in", ":/file/images/File/zoom_in.png" },
    { "actionZoomOut", "ZoomOut", "", "Ctrl+-", "Zoom out", ":/file/images/File/zoom_out.png" },
    { "actionAlignLeft", "Align left", "", "", "Align left", ":/align/images/align/alignLeft.png" },
    { "actionAlignTop", "Align top", "", "", "Align top", ":/align/images/align/alignTop.png" },
    { "actionAlignRight", "Align right", "", "", "Align right", ":/align/images/align/alignRight.png" },
    { "actionAlignBottom", "Align bottom", "", "", "Align bottom", ":/align/images/align/alignBottom.png" },
    { "actionAlignCenterH", "Align centered horizontal", "", "", "Align centered horizontal",
        ":/align/images/align/alignCenterH.png" },
    { "actionAlignCenterV", "Align centered vertical", "", "", "Align centered vertical",
        ":/align/images/align/alignCenterV.png" },
    { "actionAlignCenterHV", "Align centered", "", "", "Align centered", ":/align/images/align/alignCenterHV.png" },
    { "actionCreateCompound", "Create", "", "", "Glue objects into compound object",
        ":/compounds/images/compounds/create.png" },
    { "actionBreakCompound", "Break", "", "", "Break compound object", ":/compounds/images/compounds/break.png" },
    { "actionOpenCompound", "Open", "", "", "Open compound for editing", ":/compounds/images/compounds/open.png" },
    { "actionCloseCompound", "Close", "", "", "Close current compound", ":/compounds/images/compounds/close.png" },
    { "actionConvertLineSpline", "Convert", "", "", "Convert line into spline or vice versa",
        ":/diverse/images/diverse/convert.png" },
    { "actionSelectAll", "Select All", "", "Ctrl+A", "", "" },
    { "actionCreateSmartLinks", "Create Smart Links", "", "", "", "" },
    { "actionExportAgain", "Export Again", "", "Ctrl+E", "", "" },
    { "actionOpenConsoleView", "Open Console View", "", "", "Open Console View", "" },
    { "actionZoomToSelection", "Zoom to selection", "", ".", "Zoom to selection",
        ":/file/images/File/zoom_to_selection.png" },
    { "actionZoomToSelectionRevert", "Zoom to selection (revert)", "", "Shift+.", "Zoom to selection",
        ":/file/images/File/zoom_to_selection.png" },
};

// Disabled until a document window or the tool panel reports a state.
const QStringList disabledAtStart = { "actionCreateCompound", "actionBreakCompound", "actionOpenCompound",
    "actionCloseCompound", "actionConvertLineSpline", "actionAlignLeft", "actionAlignTop", "actionAlignRight",
    "actionAlignBottom", "actionAlignCenterH", "actionAlignCenterV", "actionAlignCenterHV" };

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The entries of a menu or tool bar: "-" for a separator, the object name of
// a form action, the member name of an action made in code, "recent" for a
// recent-file entry, "[object name]" for a placed widget, else the text.
QStringList entries(const QTMainFrm& window, const QWidget* widget)
{
    const QMap<const QAction*, QString> members {
        { window.tileAct, "tileAct" },
        { window.cascadeAct, "cascadeAct" },
        { window.nextAct, "nextAct" },
        { window.previousAct, "previousAct" },
        { window.aboutAct, "aboutAct" },
        { window.aboutQtAct, "aboutQtAct" },
        { window.checkForUpdatesAct, "checkForUpdatesAct" },
    };
    QStringList list;
    const QList<QAction*> actions = widget->actions();
    for (const QAction* action : actions) {
        if (action == window.separatorAct)
            list << "separatorAct";
        else if (action->isSeparator())
            list << "-";
        else if (members.contains(action))
            list << members.value(action);
        else if (std::find(std::begin(window.recentFileActs), std::end(window.recentFileActs), action)
            != std::end(window.recentFileActs))
            list << "recent";
        else if (auto* widgetAction = qobject_cast<const QWidgetAction*>(action))
            list << "[" + widgetAction->defaultWidget()->objectName() + "]";
        else if (!action->objectName().isEmpty())
            list << action->objectName();
        else
            list << action->text();
    }
    return list;
}

// A form widget or action by its object name.
template <class T> T* formChild(const QTMainFrm& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no %s", name);
    return found;
}

QAction* formAction(const QTMainFrm& window, const char* name)
{
    return formChild<QAction>(window, name);
}

QMenu* menuTitled(const QTMainFrm& window, const QString& title)
{
    const QList<QAction*> actions = window.menuBar()->actions();
    for (QAction* action : actions) {
        if (action->menu() && action->text() == title)
            return action->menu();
    }
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        createBuiltinGrids();
    }
    void cleanupTestCase() { deleteGridDefs(); }
    void init()
    {
        QSettings settings(settingsOrganization, settingsApplication);
        settings.clear();
        preferences = Preferences();
    }

    void formActions_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(formActionRows)); ++i)
            QTest::newRow(formActionRows[i].name) << i;
    }
    void formActions()
    {
        QFETCH(int, row);
        const ActionRow& expected = formActionRows[row];
        QTMainFrm window;
        auto* action = window.findChild<QAction*>(expected.name);
        QVERIFY(action);
        QCOMPARE(action->parent(), &window);
        QCOMPARE(action->text(), QString(expected.text));
        if (*expected.iconText)
            QCOMPARE(action->iconText(), QString(expected.iconText));
        QCOMPARE(action->shortcut(), QKeySequence(expected.shortcut));
        if (*expected.toolTip)
            QCOMPARE(action->toolTip(), QString(expected.toolTip));
        QVERIFY(!action->isCheckable());
        QVERIFY(action->statusTip().isEmpty());
        if (*expected.icon) {
            const QImage resource = iconImage(QIcon(expected.icon));
            QVERIFY2(!resource.isNull(), expected.icon);
            QCOMPARE(iconImage(action->icon()), resource);
        } else {
            QVERIFY(action->icon().isNull());
        }
        QCOMPARE(action->isEnabled(), !disabledAtStart.contains(expected.name));
    }

    void shortcutsTriggerTheirActions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+E") << "actionExportAgain" << int(Qt::Key_E) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+F4") << "actionClose" << int(Qt::Key_F4) << int(Qt::ControlModifier);
        QTest::newRow(".") << "actionZoomToSelection" << int(Qt::Key_Period) << int(Qt::NoModifier);
        QTest::newRow("Shift+.") << "actionZoomToSelectionRevert" << int(Qt::Key_Period) << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl++") << "actionZoomIn" << int(Qt::Key_Plus) << int(Qt::ControlModifier);
    }
    void shortcutsTriggerTheirActions()
    {
        QFETCH(QString, action);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QTMainFrm window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy triggered(formAction(window, action.toLatin1().constData()), &QAction::triggered);
        // Export again shows the export dialog, as no export was made yet.
        QTimer::singleShot(0, &window, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(triggered.count(), 1);
    }

    void everyFormActionIsListed()
    {
        QTMainFrm window;
        QSet<QString> names;
        const QList<QAction*> actions = window.findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly);
        for (const QAction* action : actions) {
            if (action->objectName().startsWith("action"))
                names << action->objectName();
        }
        QCOMPARE(names.size(), 37);
        for (const ActionRow& row : formActionRows)
            QVERIFY2(names.contains(row.name), row.name);
    }

    void menuBar()
    {
        QTMainFrm window;
        QStringList titles;
        const QList<QAction*> actions = window.menuBar()->actions();
        for (const QAction* action : actions)
            titles << (action->isSeparator() ? "-" : action->text());
        QCOMPARE(titles, QStringList({ "File", "Edit", "View", "Script", "Preferences", "&Window", "-", "&Help" }));
    }

    void menus_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("File") << "File"
                              << QStringList { "actionNew", "actionOpen", "actionClose", "actionSave", "actionSaveAs",
                                     "actionExport", "actionExportAgain", "-", "actionProperties", "-", "recent",
                                     "recent", "recent", "recent", "recent", "recent", "-", "separatorAct",
                                     "actionExit" };
        QTest::newRow("Edit") << "Edit"
                              << QStringList { "actionUndo", "actionRedo", "-", "actionCut", "actionCopy",
                                     "actionPaste", "actionSelectAll", "-", "actionCreateSmartLinks" };
        QTest::newRow("View") << "View"
                              << QStringList { "actionZoomIn", "actionZoomOut", "actionZoomToSelection",
                                     "actionZoomToSelectionRevert", "-", "actionOpenPalette", "actionOpenPageSetup",
                                     "actionOpenLibrary", "actionOpenConsoleView" };
        // No "Scripts" folder beside the test program.
        QTest::newRow("Script") << "Script" << QStringList { "Refresh menu" };
        QTest::newRow("Preferences") << "Preferences" << QStringList { "actionPreferences" };
        QTest::newRow("Window") << "&Window"
                                << QStringList { "tileAct", "cascadeAct", "-", "nextAct", "previousAct",
                                       "separatorAct" };
        QTest::newRow("Help") << "&Help" << QStringList { "aboutAct", "aboutQtAct", "checkForUpdatesAct" };
    }
    void menus()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, expected);
        QTMainFrm window;
        QMenu* menu = menuTitled(window, title);
        QVERIFY(menu);
        QCOMPARE(entries(window, menu), expected);
    }

    void codeActions_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("tile") << "tileAct"
                              << "&Tile"
                              << "Tile the windows" << QKeySequence();
        QTest::newRow("cascade") << "cascadeAct"
                                 << "&Cascade"
                                 << "Cascade the windows" << QKeySequence();
        QTest::newRow("next") << "nextAct"
                              << "Ne&xt"
                              << "Move the focus to the next window" << QKeySequence(QKeySequence::NextChild);
        QTest::newRow("previous") << "previousAct"
                                  << "Pre&vious"
                                  << "Move the focus to the previous window"
                                  << QKeySequence(QKeySequence::PreviousChild);
        QTest::newRow("about") << "aboutAct"
                               << "&About"
                               << "Show the application's About box" << QKeySequence();
        QTest::newRow("about Qt") << "aboutQtAct"
                                  << "About &Qt"
                                  << "Show the Qt library's About box" << QKeySequence();
        QTest::newRow("updates") << "checkForUpdatesAct"
                                 << "Check for updates..."
                                 << "Check for updates" << QKeySequence();
    }
    void codeActions()
    {
        QFETCH(QString, member);
        QFETCH(QString, text);
        QFETCH(QString, statusTip);
        QFETCH(QKeySequence, shortcut);
        QTMainFrm window;
        const QMap<QString, QAction*> actions { { "tileAct", window.tileAct }, { "cascadeAct", window.cascadeAct },
            { "nextAct", window.nextAct }, { "previousAct", window.previousAct }, { "aboutAct", window.aboutAct },
            { "aboutQtAct", window.aboutQtAct }, { "checkForUpdatesAct", window.checkForUpdatesAct } };
        QAction* action = actions.value(member);
        QVERIFY(action);
        QCOMPARE(action->parent(), &window);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->statusTip(), statusTip);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void recentFileEntries()
    {
        {
            QSettings settings(settingsOrganization, settingsApplication);
            settings.setValue("recentFileList", QStringList { "/data/b.fig", "/data/a.fig" });
        }
        QTMainFrm window;
        QCOMPARE(window.recentFileActs[0]->text(), QString("&1 b.fig"));
        QCOMPARE(window.recentFileActs[1]->text(), QString("&2 a.fig"));
        QCOMPARE(window.recentFileActs[1]->data().toString(), QString("/data/a.fig"));
        QVERIFY(window.recentFileActs[1]->isVisible());
        QVERIFY(!window.recentFileActs[2]->isVisible());
        QVERIFY(window.separatorAct->isVisible());
    }

    void withoutRecentFilesTheirSeparatorIsHidden()
    {
        QTMainFrm window;
        for (const QAction* action : window.recentFileActs)
            QVERIFY(!action->isVisible());
        QVERIFY(!window.separatorAct->isVisible());
    }

    void toolBars_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("area");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("main") << "mainToolbar"
                              << "File" << int(Qt::TopToolBarArea)
                              << QStringList { "actionNew", "actionOpen", "actionSave", "-", "actionCut", "actionCopy",
                                     "actionPaste", "actionUndo", "actionRedo", "-", "actionZoomIn", "actionZoomOut",
                                     "actionZoomToSelection", "[zoom]", "actionOpenPageSetup", "-", "actionOpenPalette",
                                     "actionOpenLibrary", "-", "[constraint]", "[grid]", "[snap]" };
        QTest::newRow("shapes") << "shapesToolbar"
                                << "Shapes" << int(Qt::LeftToolBarArea) << QStringList { "[layoutWidget]" };
        QTest::newRow("manipulation") << "manipulationToolBar"
                                      << "Object manipulation" << int(Qt::TopToolBarArea)
                                      << QStringList { "actionCreateCompound", "actionBreakCompound",
                                             "actionOpenCompound", "actionCloseCompound", "actionConvertLineSpline",
                                             "-", "actionAlignLeft", "actionAlignTop", "actionAlignRight",
                                             "actionAlignBottom", "actionAlignCenterH", "actionAlignCenterV",
                                             "actionAlignCenterHV" };
        QTest::newRow("attributes") << "attrsToolbar"
                                    << "Object properties" << int(Qt::RightToolBarArea)
                                    << QStringList { "[attrsPageArea]" };
        QTest::newRow("layers") << "layersToolbar"
                                << "Layers" << int(Qt::RightToolBarArea) << QStringList { "[layoutWidget]" };
        QTest::newRow("coordinates") << "coordsToolbar"
                                     << "Coordinates" << int(Qt::LeftToolBarArea) << QStringList { "[layoutWidget]" };
    }
    void toolBars()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(int, area);
        QFETCH(QStringList, expected);
        QTMainFrm window;
        // The buttons made in code have no object names of their own.
        window.constraintButton.setObjectName("constraint");
        window.gridButton.setObjectName("grid");
        window.snapButton.setObjectName("snap");
        window.attrsStack->setObjectName("attrsStack");
        auto* bar = window.findChild<QToolBar*>(name);
        QVERIFY(bar);
        QCOMPARE(bar->windowTitle(), title);
        QCOMPARE(int(window.toolBarArea(bar)), area);
        QCOMPARE(entries(window, bar), expected);
    }

    void toolBarOrderOfAddition()
    {
        QTMainFrm window;
        QStringList names;
        const QList<QToolBar*> bars = window.findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly);
        for (const QToolBar* bar : bars)
            names << bar->objectName();
        QCOMPARE(names,
            QStringList({ "mainToolbar", "shapesToolbar", "manipulationToolBar", "attrsToolbar", "layersToolbar",
                "coordsToolbar" }));
    }

    void attributeStack_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("className");
        const char* classes[]
            = { "EmptyAttrsToolbar", "ArcAttrsToolbar", "ArrowAttrsToolbar", "BoxAttrsToolbar", "CompoundAttrsToolbar",
                  "EllipseAttrsToolbar", "EmptyAttrsToolbar", "PolygonAttrsToolbar", "PolylineAttrsToolbar",
                  "PicAttrsToolbar", "RegpolyAttrsToolbar", "ClosedSplineAttrsToolbar", "OpenSplineAttrsToolbar",
                  "TextAttrsToolbar", "RotateAttrsToolbar", "TangnormAttrsToolbar", "UpdateAttrsToolbar" };
        for (int page = 0; page < 17; ++page)
            QTest::addRow("%d %s", page, classes[page]) << page << QString(classes[page]);
    }
    void attributeStack()
    {
        QFETCH(int, page);
        QFETCH(QString, className);
        QTMainFrm window;
        QCOMPARE(window.attrsStack->count(), 17);
        QCOMPARE(window.attrsStack->widget(page)->metaObject()->className(), className);
        QCOMPARE(window.attrsStack->currentIndex(), 0);
        // In the tool bar's scrolled area, as wide as its widest page asks.
        auto* area = formChild<QToolBar>(window, "attrsToolbar")->findChild<QScrollArea*>("attrsPageArea");
        QVERIFY(area);
        QCOMPARE(area->widget(), window.attrsStack);
        int widest = 0;
        for (int i = 0; i < window.attrsStack->count(); ++i)
            widest = qMax(widest, window.attrsStack->widget(i)->sizeHint().width());
        QVERIFY(window.attrsStack->width() >= widest);
        QCOMPARE(formChild<QToolBar>(window, "attrsToolbar")->minimumHeight(), 340);
        // The two empty pages are different widgets.
        QVERIFY(window.attrsStack->widget(0) != window.attrsStack->widget(6));
    }

    void zoomBoxes()
    {
        QTMainFrm window;
        QComboBox* bar = window.zoomCombo;
        QComboBox* dialog = window.metricsDlg->zoomCombo();
        QStringList items;
        for (int i = 0; i < bar->count(); ++i)
            items << bar->itemText(i);
        QCOMPARE(items, QStringList({ "500%", "200%", "150%", "100%", "75%", "50%", "25%", "10%", "zoom to fit" }));
        QCOMPARE(dialog->count(), 9);
        QCOMPARE(dialog->itemText(8), QString("fit to page"));
        QCOMPARE(bar->currentText(), QString("100%"));
        QVERIFY(bar->isEditable());
        QCOMPARE(bar->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(bar->maximumWidth() >= 80);

        // Each box follows the other by index.
        bar->setCurrentIndex(8);
        QCOMPARE(dialog->currentIndex(), 8);
        dialog->setCurrentIndex(1);
        QCOMPARE(bar->currentIndex(), 1);

        // Typed text never becomes an item.
        bar->setEditText("333%");
        QTest::keyClick(static_cast<QWidget*>(bar->lineEdit()), Qt::Key_Return);
        QCOMPARE(bar->count(), 9);
    }

    void constraintMenu()
    {
        QTMainFrm window;
        QStringList texts;
        const QList<QAction*> actions = window.constraintMenu.actions();
        for (const QAction* action : actions) {
            texts << action->text();
            QCOMPARE(action->parent(), &window.constraintButton);
            QVERIFY(!action->isCheckable());
        }
        QCOMPARE(texts,
            QStringList({ "unconstraint", "mounthattan", "manhattan", "mountain", "latex arrow", "latex line" }));
        QCOMPARE(window.constraintButton.menu(), &window.constraintMenu);
        QCOMPARE(window.constraintButton.popupMode(), QToolButton::InstantPopup);
        QCOMPARE(window.constraintButton.toolTip(), QString("Constraint mode for line angles"));
        QCOMPARE(iconImage(window.constraintButton.icon()),
            iconImage(QIcon(":/constraints/images/constraints/unconstraint.png")));
        QCOMPARE(iconImage(window.constraintActions[4]->icon()),
            iconImage(QIcon(":/constraints/images/constraints/latexarrow.png")));
    }

    void gridMenuFollowsTheGridDefinitions()
    {
        QTMainFrm window;
        const QList<QAction*> actions = window.gridMenu.actions();
        QCOMPARE(actions.size(), gridDefs.size());
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions.at(i)->text(), gridDefs.at(i)->name);
            QCOMPARE(actions.at(i)->parent(), &window.gridButton);
        }
        QCOMPARE(window.gridButton.menu(), &window.gridMenu);
        QCOMPARE(window.gridButton.toolTip(), QString("Select grid size"));
        QCOMPARE(iconImage(window.gridButton.icon()), iconImage(QIcon(":/grid/images/grid/grid_none.png")));
    }

    void snapStateFromThePreference_data()
    {
        QTest::addColumn<int>("snapMode");
        QTest::newRow("none") << 0;
        QTest::newRow("grid") << 1;
        QTest::newRow("vertex") << 2;
        QTest::newRow("both") << 3;
    }
    void snapStateFromThePreference()
    {
        QFETCH(int, snapMode);
        preferences.snapMode = snapMode;
        QTMainFrm window;
        QCOMPARE(window.snapButton.isChecked(), snapMode != 0);
        QCOMPARE(window.snapGridAction->isChecked(), bool(snapMode & 1));
        QCOMPARE(window.snapVertexAction->isChecked(), bool(snapMode & 2));
        QVERIFY(window.snapGridAction->isCheckable());
        QVERIFY(window.snapButton.isCheckable());
        QCOMPARE(window.snapGridAction->text(), QString("Snap to grid"));
        QCOMPARE(window.snapVertexAction->text(), QString("Snap to vertex"));
        QCOMPARE(window.snapButton.toolTip(), QString("Set snap mode"));
    }

    void panelsPlacedInTheFormToolBars()
    {
        QTMainFrm window;
        QVERIFY(window.shapesToolbar->layoutWidget->parent() == formChild<QToolBar>(window, "shapesToolbar"));
        QVERIFY(window.coordsToolbar->layoutWidget->parent() == formChild<QToolBar>(window, "coordsToolbar"));
        QVERIFY(window.layersToolbar->layoutWidget->parent() == formChild<QToolBar>(window, "layersToolbar"));
        QVERIFY(window.shapesToolbar->parent() == nullptr);
        QVERIFY(!window.shapesToolbar->isVisible());
        QVERIFY(window.shapesToolbar->modeButton(67));
        QVERIFY(!window.shapesToolbar->modeButton(14));
    }

    void consoleDock()
    {
        QTMainFrm window;
        window.show();
        QVERIFY(!formChild<QDockWidget>(window, "consoleDock")->isVisible());
        QCOMPARE(formChild<QDockWidget>(window, "consoleDock")->windowTitle(), QString());
        QCOMPARE(window.dockWidgetArea(formChild<QDockWidget>(window, "consoleDock")), Qt::BottomDockWidgetArea);
        QCOMPARE(formChild<QTabWidget>(window, "tabWidget")->tabText(0), QString("Log"));
        QCOMPARE(formChild<QTabWidget>(window, "tabWidget")->tabText(1), QString("Scripting"));
        QVERIFY(formChild<QPlainTextEdit>(window, "consoleLog")->isReadOnly());
        QVERIFY(!formChild<QPlainTextEdit>(window, "scriptEdit")->isReadOnly());
        QCOMPARE(window.logView(), formChild<QPlainTextEdit>(window, "consoleLog"));

        formAction(window, "actionOpenConsoleView")->trigger();
        QVERIFY(formChild<QDockWidget>(window, "consoleDock")->isVisible());
        QCOMPARE(formChild<QTabWidget>(window, "tabWidget")->currentIndex(), 0);

        // The console buttons clear the log view and the script.
        formChild<QPlainTextEdit>(window, "consoleLog")->appendPlainText("a record");
        formChild<QPlainTextEdit>(window, "scriptEdit")->setPlainText("tavrel.x();");
        formChild<QPushButton>(window, "clearLog")->click();
        formChild<QPushButton>(window, "clearScript")->click();
        QVERIFY(formChild<QPlainTextEdit>(window, "consoleLog")->toPlainText().isEmpty());
        QVERIFY(formChild<QPlainTextEdit>(window, "scriptEdit")->toPlainText().isEmpty());
    }

    void windowAndFirstDocument()
    {
        QTMainFrm window;
        QCOMPARE(window.objectName(), QString("MainFrmClass"));
        QCOMPARE(window.windowTitle(), QString("Tavrel"));
        QCOMPARE(window.minimumSize(), QSize(60, 100));
        QCOMPARE(window.locale(), QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(window.centralWidget(), window.mdiArea);
        // Without stored geometry.
        QCOMPARE(window.pos(), QPoint(100, 50));
        QCOMPARE(window.size(), QSize(650, 700));

        const QList<QMdiSubWindow*> windows = window.mdiArea->subWindowList();
        QCOMPARE(windows.size(), 1);
        auto* child = qobject_cast<QTChildFrm*>(windows.first()->widget());
        QVERIFY(child);
        QVERIFY(child->isUntitled);
        QVERIFY(QRegularExpression("^document\\d+\\.fig$").match(child->curFile).hasMatch());
        QCOMPARE(child->windowTitle(), child->curFile + "[*]");
        QVERIFY(windows.first()->isMaximized());
        QCOMPARE(window.commentTipTimer.interval(), 1000);
        QVERIFY(!window.commentTipTimer.isActive());
    }

    void storedGeometryRestoredAndWrittenOnClose()
    {
        {
            QSettings settings(settingsOrganization, settingsApplication);
            settings.setValue("window position", QPoint(30, 40));
            settings.setValue("window size", QSize(700, 600));
        }
        QTMainFrm window;
        QCOMPARE(window.pos(), QPoint(30, 40));
        QCOMPARE(window.size(), QSize(700, 600));
        window.show();
        window.resize(720, 610);
        QVERIFY(window.close());
        QVERIFY(window.mdiArea->subWindowList().isEmpty());
        QSettings settings(settingsOrganization, settingsApplication);
        QCOMPARE(settings.value("window size").toSize(), window.size());
        QCOMPARE(settings.value("window position").toPoint(), window.pos());
    }

    void buttonStateSlots()
    {
        QTMainFrm window;
        window.setCompoundButtonsState(true, false, true, false);
        QVERIFY(formAction(window, "actionCreateCompound")->isEnabled());
        QVERIFY(!formAction(window, "actionBreakCompound")->isEnabled());
        QVERIFY(formAction(window, "actionOpenCompound")->isEnabled());
        QVERIFY(!formAction(window, "actionCloseCompound")->isEnabled());
        // The tool panel's signals reach the same slots.
        emit window.shapesToolbar->alignButtonsStateChanged(true);
        QVERIFY(formAction(window, "actionAlignCenterHV")->isEnabled());
        QVERIFY(formAction(window, "actionAlignLeft")->isEnabled());
        emit window.shapesToolbar->convertLineSplineButtonStateChanged(true);
        QVERIFY(formAction(window, "actionConvertLineSpline")->isEnabled());
        // The File menu's Close is not the compound one.
        QVERIFY(formAction(window, "actionClose")->isEnabled());
    }

    void tangentPageFollowsTheUnit()
    {
        QTMainFrm window;
        auto* label = window.tangnormAttrsToolbar->findChild<QLabel*>("lbLength");
        QVERIFY(label);
        emit window.metricsDlg->unitChanged(1);
        QCOMPARE(label->text(), QString("Length (in)"));
        emit window.metricsDlg->unitChanged(0);
        QCOMPARE(label->text(), QString("Length (cm)"));
    }

    void layersPanelSurvivesConstruction()
    {
        // The layers panel of the existing tests is the one the tool bars build.
        QTMainFrm window;
        QVERIFY(window.layersToolbar);
        QCOMPARE(window.layersToolbar->mainWindow, &window);
        QCOMPARE(window.layersToolbar->lstLayers->count(), 0);
    }
};

TAVREL_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
