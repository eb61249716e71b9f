// The menus the main window fills at run time: the Script menu built from the
// "Scripts" folder beside the program, the Window menu listing the document
// windows, and the recent-file entries of the File menu kept in the settings.
#include "app/appdir.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "mainwindowtestfolder.h"
#include "render/griddef.h"
#include "render/resources.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QByteArray figText("#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                         "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 2400\n");

// Makes the entries under root: "dir/" a folder, "link -> target" a symbolic
// link, anything else a file.
void makeTree(const QString& root, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const int arrow = entry.indexOf(" -> ");
        if (arrow >= 0) {
            const QString link = root + "/" + entry.left(arrow);
            QVERIFY(QFile::link(entry.mid(arrow + 4), link));
        } else if (entry.endsWith('/')) {
            QVERIFY(QDir().mkpath(root + "/" + entry));
        } else {
            writeFile(root + "/" + entry, "var x = 1;\n");
        }
    }
}

// A menu as lines: a sub-menu "Title/", its entries "Title/entry", the other
// entries by their text.
QStringList menuTree(const QMenu* menu, const QString& prefix = QString())
{
    QStringList lines;
    const QList<QAction*> actions = menu->actions();
    for (const QAction* action : actions) {
        if (action->menu()) {
            lines << prefix + action->text() + "/";
            lines << menuTree(action->menu(), prefix + action->text() + "/");
        } else {
            lines << prefix + (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
    }
    return lines;
}

// The script actions of a menu tree, depth first.
QList<QAction*> scriptEntries(const QMenu* menu)
{
    QList<QAction*> found;
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->menu())
            found << scriptEntries(action->menu());
        else
            found << action;
    }
    return found;
}

QMenu* scriptMenu(const QTMainFrm& window)
{
    return window.findChild<QMenu*>("menuScript");
}

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

QStringList storedRecentFiles()
{
    return QSettings(settingsOrganization, settingsApplication).value("recentFileList").toStringList();
}

void storeRecentFiles(const QStringList& files)
{
    QSettings(settingsOrganization, settingsApplication).setValue("recentFileList", files);
}

// The active sub-window is only known while the main window is active.
void showActive(QTMainFrm& window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { folder.initOnce(); }
    void cleanupTestCase() { folder.finishOnce(); }
    void init()
    {
        QVERIFY(folder.reset());
        base = QFileInfo(folder.dir->path()).canonicalFilePath();
        // The program folder of these tests, with its "Scripts" folder.
        appDir = base + "/program";
        QVERIFY(QDir().mkpath(appDir));
        untitledCounter = 1;
    }
    void cleanup()
    {
        folder.restore();
        folder.dir.reset();
    }

    // ---- Script menu ----

    void scriptMenuFollowsTheFolder_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no Scripts folder") << QStringList() << QStringList { "Refresh menu" };
        QTest::newRow("empty Scripts folder") << QStringList { "Scripts/" } << QStringList { "Refresh menu" };
        QTest::newRow("folders first, any letter case of js")
            << QStringList { "Scripts/b.js", "Scripts/a.JS", "Scripts/readme.txt", "Scripts/notes.jsx", "Scripts/js",
                   "Scripts/c.js.bak", "Scripts/Tools/a.js", "Scripts/Tools/b.JS", "Scripts/Tools/readme.txt",
                   "Scripts/Tools/Deep/x.Js", "Scripts/Empty/", "Scripts/Lib.js/" }
            << QStringList { "Refresh menu", "Empty/", "Lib.js/", "Tools/", "Tools/Deep/", "Tools/Deep/x.Js",
                   "Tools/a.js", "Tools/b.JS", "a.JS", "b.js" };
        // Links back up the tree are not followed a second time.
        QTest::newRow("folder links in a circle") << QStringList { "Scripts/A/a.js", "Scripts/B/b.js",
            "Scripts/A/toB -> ../B", "Scripts/B/toA -> ../A", "Scripts/A/up -> .." }
                                                  << QStringList { "Refresh menu", "A/", "A/toB/", "A/toB/b.js",
                                                         "A/a.js", "B/", "B/toA/", "B/toA/a.js", "B/b.js" };
    }
    void scriptMenuFollowsTheFolder()
    {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, expected);
        makeTree(appDir, tree);
        QTMainFrm window;
        QMenu* menu = scriptMenu(window);
        QVERIFY(menu);
        QCOMPARE(menuTree(menu), expected);

        // Every entry is one of the window's script actions; scripts carry
        // their canonical path and the play icon.
        const QList<QAction*> entries = scriptEntries(menu);
        QCOMPARE(window.scriptActions, entries);
        QCOMPARE(iconImage(entries.first()->icon()), iconImage(QIcon(":/diverse/images/diverse/refresh.png")));
        const QImage play = iconImage(QIcon(":/diverse/images/diverse/play.png"));
        QVERIFY(!play.isNull());
        for (int i = 1; i < entries.size(); ++i) {
            const QAction* script = entries.at(i);
            QCOMPARE(script->parent(), &window);
            QVERIFY(script->isVisible());
            QCOMPARE(iconImage(script->icon()), play);
            const QFileInfo file(script->data().toString());
            QVERIFY2(file.isFile(), qPrintable(script->data().toString()));
            QCOMPARE(file.canonicalFilePath(), script->data().toString());
            QCOMPARE(file.fileName(), script->text());
        }
    }

    void refreshReplacesAndFreesTheEntries()
    {
        makeTree(appDir, { "Scripts/a.js", "Scripts/Tools/b.js", "Scripts/Tools/Deep/c.js" });
        QTMainFrm window;
        window.show();
        QMenu* menu = scriptMenu(window);
        QCOMPARE(menuTree(menu),
            QStringList({ "Refresh menu", "Tools/", "Tools/Deep/", "Tools/Deep/c.js", "Tools/b.js", "a.js" }));
        QList<QPointer<QObject>> old;
        for (QAction* action : qAsConst(window.scriptActions))
            old << action;
        for (QMenu* subMenu : menu->findChildren<QMenu*>())
            old << subMenu;
        QCOMPARE(old.size(), 6);

        QVERIFY(QFile::remove(appDir + "/Scripts/a.js"));
        makeTree(appDir, { "Scripts/d.JS", "Scripts/Tools/Deep/e.js" });

        // Chosen in the open menu: the entry that asks for the refresh is
        // among those replaced.
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(window.scriptActions.first());
        QTest::keyClick(menu, Qt::Key_Return);

        const QStringList expected { "Refresh menu", "Tools/", "Tools/Deep/", "Tools/Deep/c.js", "Tools/Deep/e.js",
            "Tools/b.js", "d.JS" };
        QCOMPARE(menuTree(menu), expected);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const QPointer<QObject>& object : qAsConst(old))
            QVERIFY(object.isNull());

        // A second refresh leaves just as many objects behind.
        const int windowActions = window.findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly).size();
        window.refreshScriptActions();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(menuTree(menu), expected);
        QCOMPARE(window.scriptActions, scriptEntries(menu));
        QCOMPARE(window.findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly).size(), windowActions);
        QCOMPARE(menu->findChildren<QMenu*>().size(), 2);
    }

    void scriptEntryWithoutDocumentDoesNothing()
    {
        makeTree(appDir, { "Scripts/a.js" });
        QTMainFrm window;
        window.mdiArea->closeAllSubWindows();
        QVERIFY(window.childFrames().isEmpty());
        const QString current = QDir::currentPath();
        window.scriptActions.at(1)->trigger();
        QVERIFY(window.childFrames().isEmpty());
        QCOMPARE(QDir::currentPath(), current);
    }

    // ---- Window menu ----

    void windowMenuListsTheDocuments_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("active");
        QTest::newRow("no window") << 0 << -1;
        QTest::newRow("one window") << 1 << 0;
        QTest::newRow("three, the first active") << 3 << 0;
        QTest::newRow("eleven, the tenth active") << 11 << 9;
    }
    void windowMenuListsTheDocuments()
    {
        QFETCH(int, count);
        QFETCH(int, active);
        QTMainFrm window;
        showActive(window);
        if (count == 0)
            window.mdiArea->closeAllSubWindows();
        for (int i = 1; i < count; ++i)
            window.newFile();
        const QList<QMdiSubWindow*> windows = window.mdiArea->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(windows.size(), count);
        if (active >= 0)
            window.mdiArea->setActiveSubWindow(windows.at(active));

        QStringList expected { "&Tile", "&Cascade", "-", "Ne&xt", "Pre&vious", "-" };
        for (int i = 0; i < count; ++i)
            expected << (i < 9 ? QString("&%1 document%1.fig") : QString("%1 document%1.fig")).arg(i + 1);

        for (int showing = 0; showing < 2; ++showing) {
            emit window.windowMenu->aboutToShow();
            QCOMPARE(menuTree(window.windowMenu), expected);
            QCOMPARE(window.separatorAct->isVisible(), count > 0);
            const QList<QAction*> actions = window.windowMenu->actions();
            for (int i = 0; i < count; ++i) {
                QAction* entry = actions.at(6 + i);
                QVERIFY(entry->isCheckable());
                QCOMPARE(entry->isChecked(), i == active);
            }
        }
        if (count < 2)
            return;

        // Choosing an entry activates its window; the next showing moves the
        // check mark.
        const int other = count - 1 - active;
        window.windowMenu->actions().at(6 + other)->trigger();
        QCOMPARE(window.mdiArea->activeSubWindow(), windows.at(other));
        emit window.windowMenu->aboutToShow();
        const QList<QAction*> actions = window.windowMenu->actions();
        for (int i = 0; i < count; ++i)
            QCOMPARE(actions.at(6 + i)->isChecked(), i == other);
    }

    void windowMenuEntriesDoNotPileUp()
    {
        QTMainFrm window;
        window.newFile();
        emit window.windowMenu->aboutToShow();
        const QPointer<QAction> entry = window.windowMenu->actions().last();
        const int before = window.windowMenu->findChildren<QAction*>().size();
        emit window.windowMenu->aboutToShow();
        emit window.windowMenu->aboutToShow();
        QVERIFY(entry.isNull());
        QCOMPARE(window.windowMenu->findChildren<QAction*>().size(), before);
    }

    // ---- Recent files ----

    void recentFileList_data()
    {
        // Names are given relative to the test folder, which is the current
        // directory; a leading "@" gives the same name as an absolute path.
        // The stored list is expected relative to the test folder.
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("seven files keep the six newest") << QStringList { "@a.fig", "@b.fig", "@c.fig", "@d.fig",
            "@e.fig", "@f.fig", "@g.fig" } << QStringList { "g.fig", "f.fig", "e.fig", "d.fig", "c.fig", "b.fig" };
        QTest::newRow("reopened file moves to the front")
            << QStringList { "@a.fig", "@b.fig", "@c.fig", "@a.fig" } << QStringList { "a.fig", "c.fig", "b.fig" };
        QTest::newRow("letter case makes two entries")
            << QStringList { "@x/a.fig", "@x/A.fig" } << QStringList { "x/A.fig", "x/a.fig" };
        QTest::newRow("relative names are stored absolute") << QStringList { "sub/a.fig", "@sub/b.fig",
            "./sub/../sub/a.fig" } << QStringList { "sub/a.fig", "sub/b.fig" };
        QTest::newRow("relative name joins its absolute entry")
            << QStringList { "@a.fig", "@b.fig", "a.fig" } << QStringList { "a.fig", "b.fig" };
    }
    void recentFileList()
    {
        QFETCH(QStringList, opened);
        QFETCH(QStringList, expected);
        QVERIFY(QDir::setCurrent(base));
        QTMainFrm window;
        for (const QString& name : qAsConst(opened))
            window.updateRecentFiles(name.startsWith('@') ? base + "/" + name.mid(1) : name);

        QStringList absolute;
        for (const QString& name : qAsConst(expected))
            absolute << base + "/" + name;
        QCOMPARE(storedRecentFiles(), absolute);

        for (int i = 0; i < QTMainFrm::maxRecentFiles; ++i) {
            const QAction* entry = window.recentFileActs[i];
            QCOMPARE(entry->isVisible(), i < absolute.size());
            if (i < absolute.size()) {
                QCOMPARE(entry->text(), QString("&%1 %2").arg(i + 1).arg(QFileInfo(absolute.at(i)).fileName()));
                QCOMPARE(entry->data().toString(), absolute.at(i));
            }
        }
        QVERIFY(window.separatorAct->isVisible());
    }

    void recentFilesLiveInTheSettingsOnly()
    {
        storeRecentFiles({ "/elsewhere/old.fig" });
        QTMainFrm first;
        QTMainFrm second;
        first.updateRecentFiles(base + "/one.fig");
        // The second window adds to what the first stored, not to a copy of
        // its own.
        second.updateRecentFiles(base + "/two.fig");
        QCOMPARE(storedRecentFiles(), QStringList({ base + "/two.fig", base + "/one.fig", "/elsewhere/old.fig" }));
        QCOMPARE(second.recentFileActs[2]->data().toString(), QString("/elsewhere/old.fig"));

        // The entries show what the settings hold, also after a change made
        // outside the window.
        storeRecentFiles({});
        first.updateRecentFileActions();
        for (const QAction* entry : first.recentFileActs)
            QVERIFY(!entry->isVisible());
        QVERIFY(!first.separatorAct->isVisible());

        // More than six stored entries: only six are shown.
        QStringList many;
        for (int i = 0; i < 8; ++i)
            many << QString("/d/%1.fig").arg(i);
        storeRecentFiles(many);
        first.updateRecentFileActions();
        for (const QAction* entry : first.recentFileActs)
            QVERIFY(entry->isVisible());
        QCOMPARE(first.recentFileActs[5]->data().toString(), QString("/d/5.fig"));
    }

    void openingARecentFile()
    {
        writeFile(base + "/a.fig", figText);
        writeFile(base + "/b.fig", figText);
        const QString missing = base + "/gone.fig";
        storeRecentFiles({ missing, base + "/b.fig", base + "/a.fig" });
        QTMainFrm window;
        showActive(window);
        const int firstWindows = window.childFrames().size();

        // A file that is not open gets a new window and moves to the front.
        window.recentFileActs[2]->trigger();
        QCOMPARE(window.childFrames().size(), firstWindows + 1);
        QCOMPARE(window.activeMdiChild()->curFile, base + "/a.fig");
        QCOMPARE(storedRecentFiles(), QStringList({ base + "/a.fig", missing, base + "/b.fig" }));

        // A file already open: its window becomes active, nothing is read
        // and the list keeps its order.
        window.recentFileActs[2]->trigger();
        QCOMPARE(window.activeMdiChild()->curFile, base + "/b.fig");
        const QStringList order { base + "/b.fig", base + "/a.fig", missing };
        QCOMPARE(storedRecentFiles(), order);
        const int windows = window.childFrames().size();
        window.mdiArea->setActiveSubWindow(window.mdiArea->subWindowList(QMdiArea::CreationOrder).first());
        window.recentFileActs[1]->trigger();
        QCOMPARE(window.childFrames().size(), windows);
        QCOMPARE(window.activeMdiChild()->curFile, base + "/a.fig");
        QCOMPARE(storedRecentFiles(), order);

        // A missing file leaves no window and keeps its entry.
        StatusRecorder status;
        MessageBoxRecorder boxes(QMessageBox::Ok);
        const QStringList before = storedRecentFiles();
        QAction* gone = window.recentFileActs[before.indexOf(missing)];
        QCOMPARE(gone->data().toString(), missing);
        gone->trigger();
        QCOMPARE(window.childFrames().size(), windows);
        QCOMPARE(storedRecentFiles(), before);
        // The reader says why.
        QCOMPARE(status.messages.last(), QString("Couldn't open file %1, No such file or directory").arg(missing));
        QVERIFY(boxes.boxes.isEmpty());
    }

    void fileOpenedByARelativeNameIsFoundLater()
    {
        writeFile(base + "/sub/a.fig", figText);
        writeFile(base + "/b.fig", figText);
        QVERIFY(QDir::setCurrent(base));
        {
            QTMainFrm window;
            window.openFile(QStringLiteral("sub/a.fig"));
            // Reading a.fig moved the current directory; b.fig is named
            // relative to it.
            QCOMPARE(QDir::currentPath(), base + "/sub");
            window.openFile(QStringLiteral("../b.fig"));
            QCOMPARE(storedRecentFiles(), QStringList({ base + "/b.fig", base + "/sub/a.fig" }));
        }
        // A later run, started elsewhere, opens the entries.
        QVERIFY(QDir::setCurrent(folder.startDir));
        QTMainFrm window;
        showActive(window);
        window.recentFileActs[1]->trigger();
        QCOMPARE(window.activeMdiChild()->curFile, base + "/sub/a.fig");
    }

private:
    MainWindowTestFolder folder;
    QString base;
};

TAVREL_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
