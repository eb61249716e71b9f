// The library on disk: the folder tree read from the root (order, depth,
// links back into the tree and link loops), folder paths of tree items, the
// clip names of a folder, removing items, and which typed names are usable.
#include "library/librarystore.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

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

    // Links back into the tree are shown and not entered; a loop of links
    // outside the tree ends where it comes back.
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
        QTreeWidget tree;
        addLibraryDirItems(root, &tree, nullptr, true);
        QCOMPARE(outline(tree),
            QString("A\n"
                    "  B\n"
                    "    toA\n"
                    "    toRoot\n"
                    "C\n"
                    "  external\n"
                    "    deeper\n"
                    "      back\n"
                    "sibling\n"));
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
        QTest::newRow("three dots") << "..." << true;
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

    void defaultRootLiesInTheDataLocation()
    {
        const QString root = defaultLibraryRoot();
        QVERIFY(root.endsWith(QDir::separator() + QString("Libraries")));
        QVERIFY(root.startsWith(QDir::toNativeSeparators(qEnvironmentVariable("XDG_DATA_HOME"))));
    }
};

TAVREL_TEST_MAIN(TestLibraryStore)
#include "tst_librarystore.moc"
