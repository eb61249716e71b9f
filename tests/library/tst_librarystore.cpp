// The library on disk: the folder tree read from the root (order, depth,
// links shown but not entered, the bounds of a huge tree), folder paths of
// tree items, the clip names of a folder, removing items, which typed names
// are usable, and which paths lie in the library once links are resolved.
#include "library/librarystore.h"
#include "support/logrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

namespace {

// The tree as text: every item on a line of its own, indented by two blanks
// per level, in tree order.
QString outline(QTreeWidget& tree)
{
    QString text;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int level) {
        text += QString(level * 2, QLatin1Char(' ')) + item->text(0) + QLatin1Char('\n');
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), level + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return text;
}

QTreeWidgetItem* findItem(QTreeWidget& tree, const QString& path)
{
    QTreeWidgetItem* item = nullptr;
    for (const QString& name : path.split(QLatin1Char('/'))) {
        QTreeWidgetItem* next = nullptr;
        const int count = item ? item->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* candidate = item ? item->child(i) : tree.topLevelItem(i);
            if (candidate->text(0) == name)
                next = candidate;
        }
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

void makeDirs(const QString& root, const QStringList& dirs)
{
    for (const QString& dir : dirs)
        QVERIFY(QDir(root).mkpath(dir));
}

void link(const QString& target, const QString& linkPath)
{
    QVERIFY2(QFile::link(target, linkPath), qPrintable(linkPath));
}

} // namespace

class TestLibraryStore : public QObject {
    Q_OBJECT

private slots:
    void treeHoldsEveryFolderInNameOrder()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        makeDirs(root, { "electronics/logic", "electronics/Analog", "Arrows", "shapes.fig", ".hidden" });
        writeFile(root + "/loose.fig", "#FIG 3.2\n");
        writeFile(root + "/electronics/gate.fig", "#FIG 3.2\n");
        QTreeWidget tree;
        addLibraryDirItems(root, &tree, nullptr, true);
        // Files are no folders; a directory named like a clip is one; the
        // root itself is no item.
        QCOMPARE(outline(tree), QString("Arrows\nelectronics\n  Analog\n  logic\nshapes.fig\n"));
        QTreeWidgetItem* item = findItem(tree, "electronics/logic");
        QVERIFY(item);
        QVERIFY(item->flags() & Qt::ItemIsEditable);
        QCOMPARE(item->sizeHint(0), QSize(0, 20));
        QVERIFY(!item->icon(0).isNull());
    }

    void missingRootGivesNoFolders()
    {
        QTemporaryDir dir;
        QTreeWidget tree;
        addLibraryDirItems(dir.filePath("absent"), &tree, nullptr, true);
        QCOMPARE(tree.topLevelItemCount(), 0);
    }

    // Links are shown and not entered: back into the tree, out of it (a
    // loop of links there included), and up to an ancestor of the root or
    // to "/", which would read the whole disk.
    void linksNeverLeadRoundAgain()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("root");
        const QString outside = dir.filePath("outside");
        makeDirs(root, { "A/B", "C" });
        makeDirs(outside, { "shared/deeper" });
        link(root, root + "/A/B/toRoot");
        link(root + "/A", root + "/A/B/toA");
        link(root + "/C", root + "/sibling");
        link(outside + "/shared", root + "/C/external");
        link(outside + "/shared", outside + "/shared/deeper/back");
        link("../../../..", root + "/Up");
        link("/", root + "/A/disk");
        link(dir.path(), root + "/C/parent");
        LogRecorder log;
        QTreeWidget tree;
        addLibraryDirItems(root, &tree, nullptr, true);
        QCOMPARE(outline(tree),
            QString("A\n"
                    "  B\n"
                    "    toA\n"
                    "    toRoot\n"
                    "  disk\n"
                    "C\n"
                    "  external\n"
                    "  parent\n"
                    "sibling\n"
                    "Up\n"));
        QCOMPARE(log.of({ "WARN" }), QStringList());
    }

    // A tree far larger than anyone browses stops at 10000 folders or 64
    // levels, the upper levels whole, and the log says so.
    void hugeTreesAreCut_data()
    {
        QTest::addColumn<int>("wide");
        QTest::addColumn<int>("deep");
        QTest::addColumn<int>("folders");
        QTest::addColumn<QString>("warning");
        QTest::newRow("more folders") << 10010 << 1 << 10000 << "only the first 10000 are shown";
        QTest::newRow("64 levels") << 1 << 64 << 64 << "";
        QTest::newRow("more levels") << 1 << 70 << 64 << "no more than 64 levels are shown";
    }
    void hugeTreesAreCut()
    {
        QFETCH(int, wide);
        QFETCH(int, deep);
        QFETCH(int, folders);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        const QString root = dir.filePath("root");
        QString chain = root;
        for (int level = 0; level < deep; ++level)
            chain += "/d";
        QVERIFY(QDir().mkpath(chain));
        for (int i = 1; i < wide; ++i)
            QVERIFY(QDir(root).mkdir(QString("f%1").arg(i, 5, 10, QLatin1Char('0'))));
        LogRecorder log;
        QTreeWidget tree;
        addLibraryDirItems(root, &tree, nullptr, true);
        int count = 0;
        int depth = 0;
        std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int level) {
            ++count;
            depth = std::max(depth, level);
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i), level + 1);
        };
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            walk(tree.topLevelItem(i), 1);
        QCOMPARE(count, folders);
        QCOMPARE(depth, std::min(deep, 64));
        const QStringList warnings = log.of({ "WARN" });
        if (warning.isEmpty()) {
            QCOMPARE(warnings, QStringList());
        } else {
            QCOMPARE(warnings, QStringList { QString("WARN Library folders of \"%1\": %2").arg(root, warning) });
        }
    }

    void itemPaths_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parentPath");
        const QString sep = QDir::separator();
        QTest::newRow("top level") << "Electronics"
                                   << "Electronics"
                                   << "";
        QTest::newRow("child") << "Electronics/Logic"
                               << "Electronics" + sep + "Logic"
                               << "Electronics";
        QTest::newRow("grandchild") << "Electronics/Logic/Gates"
                                    << "Electronics" + sep + "Logic" + sep + "Gates"
                                    << "Electronics" + sep + "Logic";
    }
    void itemPaths()
    {
        QFETCH(QString, item);
        QFETCH(QString, path);
        QFETCH(QString, parentPath);
        QTreeWidget tree;
        auto* top = makeLibraryFolderItem("Electronics");
        tree.addTopLevelItem(top);
        auto* logic = makeLibraryFolderItem("Logic");
        top->addChild(logic);
        logic->addChild(makeLibraryFolderItem("Gates"));
        QTreeWidgetItem* found = findItem(tree, item);
        QVERIFY(found);
        QCOMPARE(libraryItemPath(found), path);
        QCOMPARE(libraryParentPath(found), parentPath);
    }

    void noItemHasNoPath()
    {
        QCOMPARE(libraryItemPath(nullptr), QString());
        QCOMPARE(libraryParentPath(nullptr), QString());
    }

    void clipNamesOfAFolder()
    {
        QTemporaryDir dir;
        const QString folder = dir.path();
        for (const char* name : { "b.fig", "A.FIG", "notes.txt", "c.fig.bak" })
            writeFile(folder + "/" + name, "#FIG 3.2\n");
        makeDirs(folder, { "d.fig" });
        QStringList names { "kept" };
        listFilesMatching(folder, "*.fig", names);
        QCOMPARE(names, QStringList({ "kept", "A.FIG", "b.fig" }));

        QStringList none;
        listFilesMatching(dir.filePath("absent"), "*.fig", none);
        QVERIFY(none.isEmpty());
    }

    void removingItems()
    {
        QTreeWidget tree;
        auto* top = makeLibraryFolderItem("top");
        auto* other = makeLibraryFolderItem("other");
        tree.addTopLevelItem(top);
        tree.addTopLevelItem(other);
        top->addChild(makeLibraryFolderItem("child"));
        removeTopLevelItem(&tree, top->child(0));
        QCOMPARE(top->childCount(), 0);
        removeTopLevelItem(&tree, top);
        QCOMPARE(tree.topLevelItemCount(), 1);
        QCOMPARE(tree.topLevelItem(0), other);
        removeTopLevelItem(&tree, nullptr);
        QCOMPARE(tree.topLevelItemCount(), 1);
    }

    void usableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");
        QTest::newRow("plain") << "Logic" << true;
        QTest::newRow("blanks inside") << "logic gates" << true;
        QTest::newRow("dots inside") << "gear.v2" << true;
        QTest::newRow("three dots") << "..." << false;
        QTest::newRow("hidden folder") << ".hidden" << false;
        QTest::newRow("hidden clip") << ".secret.fig" << false;
        QTest::newRow("blank then dot") << " .x" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("leading slash") << "/etc" << false;
        QTest::newRow("up and out") << "../escape" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("colon") << "c:d" << false;
        QTest::newRow("null") << QString("a") + QChar(0) + "b" << false;
    }
    void usableNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, usable);
        QCOMPARE(isUsableLibraryName(name), usable);
    }

    // Which entries lie in the library once links are resolved: the entry
    // itself (removed, renamed, moved; a final link not followed) and a
    // target written through (a final link followed to its end).
    void pathsInsideTheLibrary_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("entryInside");
        QTest::addColumn<bool>("targetInside");
        QTest::newRow("clip") << "root/Shapes/a.fig" << true << true;
        QTest::newRow("new clip") << "root/Shapes/new.fig" << true << true;
        QTest::newRow("folder") << "root/Shapes" << true << true;
        QTest::newRow("link out, itself") << "root/Ext" << true << false;
        QTest::newRow("below a link out") << "root/Ext/sub" << false << false;
        QTest::newRow("clip below a link out") << "root/Ext/sub/clip.fig" << false << false;
        QTest::newRow("new clip below a link out") << "root/Ext/new.fig" << false << false;
        QTest::newRow("below a link in") << "root/In/a.fig" << true << true;
        QTest::newRow("clip linked out") << "root/Shapes/out.fig" << true << false;
        QTest::newRow("link to nowhere") << "root/Shapes/gone.fig" << true << false;
        QTest::newRow("link up") << "root/Up" << true << false;
        QTest::newRow("below a link up") << "root/Up/x" << false << false;
        QTest::newRow("the root") << "root" << false << false;
        QTest::newRow("up and out") << "root/Shapes/../../outside" << false << false;
        QTest::newRow("dot dot") << "root/Shapes/.." << false << false;
        QTest::newRow("beside the root") << "outside/sub" << false << false;
    }
    void pathsInsideTheLibrary()
    {
        QFETCH(QString, path);
        QFETCH(bool, entryInside);
        QFETCH(bool, targetInside);
        QTemporaryDir dir;
        makeDirs(dir.path(), { "root/Shapes", "outside/sub" });
        writeFile(dir.filePath("root/Shapes/a.fig"), "#FIG 3.2\n");
        writeFile(dir.filePath("outside/sub/clip.fig"), "#FIG 3.2\n");
        link(dir.filePath("outside"), dir.filePath("root/Ext"));
        link(dir.filePath("root/Shapes"), dir.filePath("root/In"));
        link(dir.filePath("outside/sub/clip.fig"), dir.filePath("root/Shapes/out.fig"));
        link(dir.filePath("absent.fig"), dir.filePath("root/Shapes/gone.fig"));
        link("..", dir.filePath("root/Up"));
        const QString root = dir.filePath("root");
        QCOMPARE(libraryEntryIsInside(root, dir.filePath(path)), entryInside);
        QCOMPARE(libraryTargetIsInside(root, dir.filePath(path)), targetInside);
        // Through a root given by a link of its own, the same.
        link(root, dir.filePath("rootLink"));
        const QString viaLink = dir.filePath("rootLink") + path.mid(4);
        if (path.startsWith("root/")) {
            QCOMPARE(libraryEntryIsInside(dir.filePath("rootLink"), viaLink), entryInside);
            QCOMPARE(libraryTargetIsInside(dir.filePath("rootLink"), viaLink), targetInside);
        }
        QVERIFY(!libraryEntryIsInside(dir.filePath("absent"), dir.filePath("absent/x")));
    }

    void defaultRootLiesInTheDataLocation()
    {
        const QString root = defaultLibraryRoot();
        QVERIFY(root.endsWith(QDir::separator() + QString("Libraries")));
        QVERIFY(root.startsWith(QDir::toNativeSeparators(qEnvironmentVariable("XDG_DATA_HOME"))));
    }
};

TAVREL_TEST_MAIN(TestLibraryStore)
#include "tst_librarystore.moc"
