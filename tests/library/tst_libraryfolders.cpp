// The library dialog's folders: the root shown and created, choosing another
// root or the default one, clicking folders (their clips listed, a second
// click deselects), and creating, renaming and deleting folders in place with
// the keyboard, including the names that are refused, links that lead above
// or out of the library, and folders behind such links.
#include "app/preferences.h"
#include "library/librarydlg.h"
#include "library/librarylistwidget.h"
#include "library/librarystore.h"
#include "library/librarytreewidget.h"
#include "libraryfixtures.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/resources.h"
#include "support/filedialogrecorder.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <functional>
#include <memory>

using namespace libraryfixtures;

namespace {

QString outline(QTreeWidget* tree)
{
    QString text;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int level) {
        text += QString(level * 2, QLatin1Char(' ')) + item->text(0) + QLatin1Char('\n');
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), level + 1);
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        walk(tree->topLevelItem(i), 0);
    return text;
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// Every entry below the folder, links not followed, as sorted relative paths.
QStringList allEntries(const QString& dir)
{
    QStringList found;
    QDirIterator it(
        dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(dir).relativeFilePath(it.next());
    found.sort();
    return found;
}

const char* const selectionButtons[]
    = { "deleteFolder", "renameFolder", "addClip", "useClip", "deleteClip", "renameClip", "saveComment" };

} // namespace

class TestLibraryFolders : public QObject {
    Q_OBJECT

    std::unique_ptr<LibraryRoot> root;
    std::unique_ptr<LibraryDlg> dialog;

    LibraryTreeWidget* tree() { return dialog->findChild<LibraryTreeWidget*>("dirTree"); }
    LibraryListWidget* list() { return dialog->findChild<LibraryListWidget*>("thumbnails"); }
    QPushButton* button(const char* name) { return dialog->findChild<QPushButton*>(name); }

    void openDialog()
    {
        dialog = std::make_unique<LibraryDlg>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        tree()->expandAll();
    }
    QTreeWidgetItem* folder(const QString& path)
    {
        const QList<QTreeWidgetItem*> found
            = tree()->findItems(path.section('/', -1), Qt::MatchExactly | Qt::MatchRecursive);
        for (QTreeWidgetItem* item : found) {
            if (libraryItemPath(item) == QDir::toNativeSeparators(path))
                return item;
        }
        return nullptr;
    }
    void click(QTreeWidgetItem* item)
    {
        QVERIFY(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
    }
    // Press, release, double click and release, as a mouse sends them.
    void doubleClick(QTreeWidgetItem* item)
    {
        const QPoint at = tree()->visualItemRect(item).center();
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(tree()->viewport(), Qt::LeftButton, {}, at);
    }
    QString enabledButtons()
    {
        QStringList on;
        for (const char* name : selectionButtons) {
            if (button(name)->isEnabled())
                on << name;
        }
        return on.join(' ');
    }
    // The item being edited in place, found by its editor.
    QTreeWidgetItem* editedItem()
    {
        QTreeWidgetItemIterator it(tree());
        for (; *it; ++it) {
            if (tree()->itemWidget(*it, 0))
                return *it;
        }
        return nullptr;
    }
    bool type(const QString& text, Qt::Key key = Qt::Key_Return)
    {
        QTreeWidgetItem* item = editedItem();
        return item && typeIntoEditor(tree()->itemWidget(item, 0), text, key);
    }

private slots:
    void initTestCase() { initDrawingResources(); }
    void init()
    {
        preferences = Preferences();
        root = std::make_unique<LibraryRoot>();
        root->folder("Arrows");
        root->folder("Electronics/Logic");
        root->folder("Electronics/Analog");
        root->clip("Electronics/b.fig", wideBox);
        root->clip("Electronics/A.FIG", threeObjects);
    }
    void cleanup()
    {
        dialog.reset();
        root.reset();
    }

    void constructionReadsTheRoot_data()
    {
        QTest::addColumn<bool>("renderLatex");
        QTest::newRow("plain thumbnails") << false;
        QTest::newRow("LaTeX thumbnails") << true;
    }
    void constructionReadsTheRoot()
    {
        QFETCH(bool, renderLatex);
        preferences.renderLatexInLibraries = renderLatex;
        openDialog();
        QCOMPARE(dialog->windowTitle(), QString("Object Libraries"));
        QCOMPARE(dialog->findChild<QLabel*>("lbLocation")->text(), root->path());
        QCOMPARE(outline(tree()), QString("Arrows\nElectronics\n  Analog\n  Logic\n"));
        QCOMPARE(enabledButtons(), QString());
        QCOMPARE(dialog->findChild<QCheckBox*>("renderTex")->isChecked(), renderLatex);
        dialog->findChild<QCheckBox*>("renderTex")->click();
        QCOMPARE(preferences.renderLatexInLibraries, !renderLatex);
        // The button that renames clips does nothing.
        button("renameClip")->setEnabled(true);
        QTest::mouseClick(button("renameClip"), Qt::LeftButton);
        QCOMPARE(outline(tree()), QString("Arrows\nElectronics\n  Analog\n  Logic\n"));
    }

    void formButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<bool>("icon");
        QTest::newRow("changeLibraryRoot") << "changeLibraryRoot"
                                           << "Change..."
                                           << "Set a new location by selecting a folder" << false;
        QTest::newRow("setLibraryRootDefault")
            << "setLibraryRootDefault"
            << "Set to default"
            << "Reset library location to default. No data will be deleted." << false;
        QTest::newRow("createFolder") << "createFolder"
                                      << ""
                                      << "Create a folder under the current selection. If no folder is selected, "
                                         "the new folder is created at the top level."
                                      << true;
        QTest::newRow("renameFolder") << "renameFolder"
                                      << ""
                                      << "Rename folder" << true;
        QTest::newRow("deleteFolder") << "deleteFolder"
                                      << ""
                                      << "Delete folder" << true;
        QTest::newRow("refreshFolders") << "refreshFolders"
                                        << ""
                                        << "Refresh folders" << true;
        QTest::newRow("addClip") << "addClip"
                                 << "Create clip"
                                 << "Create a clip from the selected part of the drawing and add it to library"
                                 << false;
        QTest::newRow("useClip") << "useClip"
                                 << "Use clip in drawing"
                                 << "Use clip in drawing" << false;
        QTest::newRow("renameClip") << "renameClip"
                                    << "Rename clip"
                                    << "Rename clip" << false;
        QTest::newRow("deleteClip") << "deleteClip"
                                    << "Delete clip"
                                    << "Delete clip from library" << false;
        QTest::newRow("saveComment") << "saveComment"
                                     << ""
                                     << "Save comment" << true;
    }
    void formButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(bool, icon);
        openDialog();
        QPushButton* b = button(qPrintable(name));
        QVERIFY(b);
        QCOMPARE(b->text(), text);
        QCOMPARE(b->toolTip(), toolTip);
        QCOMPARE(!b->icon().isNull(), icon);
        QVERIFY(!b->autoDefault());
    }

    void formViews()
    {
        openDialog();
        QCOMPARE(tree()->columnCount(), 1);
        QVERIFY(tree()->isHeaderHidden());
        QVERIFY(tree()->acceptDrops());
        QCOMPARE(list()->iconSize(), QSize(60, 60));
        QCOMPARE(list()->gridSize(), QSize(80, 80));
        QCOMPARE(list()->viewMode(), QListView::IconMode);
        QCOMPARE(list()->movement(), QListView::Static);
        QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(list()->dragEnabled());
        QCOMPARE(dialog->findChild<QGroupBox*>("gbLocation")->title(), QString("Libraries are located in"));
        QCOMPARE(dialog->findChild<QGroupBox*>("groupBox")->title(), QString("Object comments"));
        QVERIFY(button("Close")->autoDefault());
        QTest::mouseClick(button("Close"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }

    void missingRootIsCreated()
    {
        preferences.libraryRoot = root->file("new/deeper");
        openDialog();
        QVERIFY(QFileInfo(root->file("new/deeper")).isDir());
        QCOMPARE(tree()->topLevelItemCount(), 0);
    }

    void defaultRootWhenNoneIsSet()
    {
        preferences.libraryRoot.clear();
        openDialog();
        QCOMPARE(preferences.libraryRoot, defaultLibraryRoot());
        QVERIFY(QFileInfo(defaultLibraryRoot()).isDir());
        QCOMPARE(dialog->findChild<QLabel*>("lbLocation")->text(), defaultLibraryRoot());
    }

    void choosingAnotherRoot()
    {
        openDialog();
        QTemporaryDir other;
        QDir(other.path()).mkpath("Mechanics");
        FileDialogRecorder answers({ QString(), other.path() });
        QTest::mouseClick(button("changeLibraryRoot"), Qt::LeftButton);
        QCOMPARE(answers.requests.size(), 1);
        QCOMPARE(answers.requests[0].kind, FileDialogRequest::Directory);
        QCOMPARE(answers.requests[0].caption, QString("Select new location"));
        QCOMPARE(answers.requests[0].directory, root->path());
        QCOMPARE(preferences.libraryRoot, root->path()); // cancelled: nothing changes
        QTest::mouseClick(button("changeLibraryRoot"), Qt::LeftButton);
        QCOMPARE(preferences.libraryRoot, other.path());
        QCOMPARE(dialog->findChild<QLabel*>("lbLocation")->text(), other.path());
        QCOMPARE(outline(tree()), QString("Mechanics\n"));

        QTest::mouseClick(button("setLibraryRootDefault"), Qt::LeftButton);
        QCOMPARE(preferences.libraryRoot, defaultLibraryRoot());
        QVERIFY(QFileInfo(other.filePath("Mechanics")).isDir()); // nothing deleted
    }

    // A click lists the folder's clips in name order; a second click on it
    // deselects it and empties the list.
    void clickingFolders()
    {
        openDialog();
        click(folder("Electronics"));
        QCOMPARE(dialog->getCurrentFolder(), folder("Electronics"));
        QCOMPARE(dialog->listedFolder(), folder("Electronics"));
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->item(0)->text(), QString("A.FIG"));
        QCOMPARE(list()->item(1)->text(), QString("b.fig"));
        QCOMPARE(list()->item(1)->toolTip(), QString("b.fig"));
        QCOMPARE(dialog->clipContexts.size(), 2);
        QCOMPARE(enabledButtons(), QString("deleteFolder renameFolder"));

        click(folder("Electronics"));
        QCOMPARE(dialog->getCurrentFolder(), nullptr);
        QCOMPARE(dialog->listedFolder(), nullptr);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(dialog->clipContexts.size(), 0);
        QCOMPARE(enabledButtons(), QString());

        click(folder("Arrows"));
        QCOMPARE(list()->count(), 0);
        QCOMPARE(enabledButtons(), QString("deleteFolder renameFolder"));
    }

    void creatingFolders_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("created");
        QTest::addColumn<QString>("box");
        QTest::newRow("top level") << ""
                                   << "Shapes" << int(Qt::Key_Return) << "Shapes"
                                   << "";
        QTest::newRow("inside the selected folder") << "Electronics"
                                                    << "Power" << int(Qt::Key_Return) << "Electronics/Power"
                                                    << "";
        QTest::newRow("Escape") << ""
                                << "Shapes" << int(Qt::Key_Escape) << ""
                                << "";
        QTest::newRow("empty") << ""
                               << "" << int(Qt::Key_Return) << ""
                               << "";
        QTest::newRow("existing") << ""
                                  << "Arrows" << int(Qt::Key_Return) << ""
                                  << "Error|Could not create the folder!";
        QTest::newRow("separator") << ""
                                   << "a/b" << int(Qt::Key_Return) << ""
                                   << "Invalid name!";
        QTest::newRow("up and out") << "Electronics"
                                    << ".." << int(Qt::Key_Return) << ""
                                    << "Invalid name!";
        QTest::newRow("up and out further") << ""
                                            << "../x" << int(Qt::Key_Return) << ""
                                            << "Invalid name!";
        QTest::newRow("backslash") << ""
                                   << "a\\b" << int(Qt::Key_Return) << ""
                                   << "Invalid name!";
        QTest::newRow("colon") << ""
                               << "c:d" << int(Qt::Key_Return) << ""
                               << "Invalid name!";
        QTest::newRow("blanks") << ""
                                << "   " << int(Qt::Key_Return) << ""
                                << "Invalid name!";
        QTest::newRow("hidden") << "Electronics"
                                << ".hidden" << int(Qt::Key_Return) << ""
                                << "Invalid name!";
    }
    void creatingFolders()
    {
        QFETCH(QString, parent);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, created);
        QFETCH(QString, box);
        openDialog();
        if (!parent.isEmpty())
            click(folder(parent));
        const QString before = outline(tree());
        const QStringList outside = entries(root->file(".."));
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("createFolder"), Qt::LeftButton);
        QTreeWidgetItem* item = editedItem();
        QVERIFY(item);
        QCOMPARE(item->text(0), QString("<enter name>"));
        QCOMPARE(libraryParentPath(item), QDir::toNativeSeparators(parent));
        QVERIFY(type(typed, Qt::Key(key)));
        QCOMPARE(editedItem(), nullptr);
        if (box.isEmpty()) {
            QCOMPARE(boxes.boxes.size(), 0);
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].title, box.section('|', 0, 0));
            if (box.contains('|'))
                QCOMPARE(boxes.boxes[0].text, box.section('|', 1));
        }
        QCOMPARE(entries(root->file("..")), outside);
        if (created.isEmpty()) {
            QCOMPARE(outline(tree()), before);
            QCOMPARE(entries(root->path()), QStringList({ "Arrows", "Electronics" }));
            QCOMPARE(entries(root->file("Electronics")), QStringList({ "A.FIG", "Analog", "Logic", "b.fig" }));
            return;
        }
        QVERIFY(QFileInfo(root->file(created)).isDir());
        QTreeWidgetItem* made = folder(created);
        QVERIFY(made);
        QCOMPARE(dialog->getCurrentFolder(), made);
        QCOMPARE(dialog->listedFolder(), made);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(enabledButtons(), QString("deleteFolder renameFolder"));
        // A second click on the new folder deselects it.
        click(made);
        QCOMPARE(dialog->getCurrentFolder(), nullptr);
    }

    void renamingFolders_data()
    {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("box");
        QTest::newRow("renamed") << false << "Circuits" << int(Qt::Key_Return) << "Circuits"
                                 << "";
        QTest::newRow("renamed by double click") << true << "Circuits" << int(Qt::Key_Return) << "Circuits"
                                                 << "";
        QTest::newRow("unchanged") << false << "Electronics" << int(Qt::Key_Return) << "Electronics"
                                   << "";
        QTest::newRow("Escape") << false << "" << int(Qt::Key_Escape) << "Electronics"
                                << "";
        QTest::newRow("empty") << false << "" << int(Qt::Key_Return) << "Electronics"
                               << "";
        QTest::newRow("existing") << false << "Arrows" << int(Qt::Key_Return) << "Electronics"
                                  << "Error|Could not rename the folder!";
        QTest::newRow("separator") << false << "../Escaped" << int(Qt::Key_Return) << "Electronics"
                                   << "Invalid name!";
        QTest::newRow("dot") << true << "." << int(Qt::Key_Return) << "Electronics"
                             << "Invalid name!";
        QTest::newRow("hidden") << false << ".Electronics" << int(Qt::Key_Return) << "Electronics"
                                << "Invalid name!";
    }
    void renamingFolders()
    {
        QFETCH(bool, byDoubleClick);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, name);
        QFETCH(QString, box);
        openDialog();
        QTreeWidgetItem* item = folder("Electronics");
        MessageBoxRecorder boxes;
        if (byDoubleClick) {
            doubleClick(item);
        } else {
            click(item);
            QTest::mouseClick(button("renameFolder"), Qt::LeftButton);
        }
        QCOMPARE(editedItem(), item);
        QVERIFY(type(typed, Qt::Key(key)));
        QCOMPARE(item->text(0), name);
        QCOMPARE(boxes.boxes.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty()) {
            QCOMPARE(boxes.boxes[0].title, box.section('|', 0, 0));
            QCOMPARE(boxes.boxes[0].icon, box.contains('|') ? QMessageBox::Critical : QMessageBox::Warning);
            if (box.contains('|'))
                QCOMPARE(boxes.boxes[0].text, box.section('|', 1));
        }
        QCOMPARE(entries(root->path()), QStringList({ "Arrows", name }));
        QCOMPARE(entries(root->file(name)), QStringList({ "A.FIG", "Analog", "Logic", "b.fig" }));
        QVERIFY(!QFileInfo::exists(root->file("../Escaped")));
        // The clips listed stay listed.
        QCOMPARE(list()->count(), 2);
    }

    void deletingFolders_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(QMessageBox::Yes);
        QTest::newRow("cancel") << int(QMessageBox::Cancel);
    }
    void deletingFolders()
    {
        QFETCH(int, answer);
        openDialog();
        click(folder("Electronics"));
        MessageBoxRecorder boxes { QMessageBox::StandardButton(answer) };
        QTest::mouseClick(button("deleteFolder"), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].title, QString("Delete?"));
        QCOMPARE(boxes.boxes[0].text, QString("Are you sure you want to delete the folder?"));
        QCOMPARE(boxes.boxes[0].buttons, QMessageBox::Yes | QMessageBox::Cancel);
        QCOMPARE(boxes.boxes[0].defaultButton, QMessageBox::Yes);
        if (answer == QMessageBox::Cancel) {
            QCOMPARE(entries(root->path()), QStringList({ "Arrows", "Electronics" }));
            QCOMPARE(list()->count(), 2);
            return;
        }
        QCOMPARE(entries(root->path()), QStringList({ "Arrows" }));
        QCOMPARE(outline(tree()), QString("Arrows\n"));
        QCOMPARE(list()->count(), 0);
        QCOMPARE(dialog->clipContexts.size(), 0);
        QCOMPARE(dialog->getCurrentFolder(), nullptr);
        QCOMPARE(enabledButtons(), QString());
    }

    // A folder that is a link goes alone: what it points to stays.
    void deletingALinkedFolder()
    {
        QTemporaryDir outside;
        writeFile(outside.filePath("kept.fig"), figHeader + wideBox);
        QVERIFY(QFile::link(outside.path(), root->file("Linked")));
        openDialog();
        click(folder("Linked"));
        QCOMPARE(list()->count(), 1);
        MessageBoxRecorder boxes { QMessageBox::Yes };
        QTest::mouseClick(button("deleteFolder"), Qt::LeftButton);
        QVERIFY(!QFileInfo(root->file("Linked")).isSymLink());
        QVERIFY(QFileInfo::exists(outside.filePath("kept.fig")));
        QCOMPARE(outline(tree()), QString("Arrows\nElectronics\n  Analog\n  Logic\n"));
    }

    // A link to "/" or to an ancestor of the root is a folder of the tree
    // that is not entered: the dialog (and with it the editor) starts, and a
    // refresh ends.
    void linksAboveTheLibrary()
    {
        QVERIFY(QFile::link("../../../..", root->file("Up")));
        QVERIFY(QFile::link("/", root->file("Electronics/Disk")));
        openDialog();
        const QString outline = "Arrows\nElectronics\n  Analog\n  Disk\n  Logic\nUp\n";
        QCOMPARE(::outline(tree()), outline);
        QTest::mouseClick(button("refreshFolders"), Qt::LeftButton);
        tree()->expandAll();
        QCOMPARE(::outline(tree()), outline);
    }

    // Nothing outside the library is made, renamed or removed through a link
    // that leads out of it: not below the link when the tree was read before
    // a folder became such a link, not in the link's folder itself. The link
    // itself is renamed, and removing a folder that holds one leaves its
    // target.
    void nothingOutsideThroughALink_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("rootAfter");
        const QStringList unchanged { "Arrows", "Electronics", "Ext", "Holder" };
        QTest::newRow("delete below") << "delete"
                                      << "Ext/sub"
                                      << "Could not delete the folder!" << unchanged;
        QTest::newRow("rename below") << "rename"
                                      << "Ext/sub"
                                      << "Could not rename the folder!" << unchanged;
        QTest::newRow("create below") << "create"
                                      << "Ext/sub"
                                      << "Could not create the folder!" << unchanged;
        QTest::newRow("create in the link") << "create"
                                            << "Ext"
                                            << "Could not create the folder!" << unchanged;
        QTest::newRow("rename the link") << "rename"
                                         << "Ext"
                                         << "" << QStringList { "Arrows", "Electronics", "Holder", "Renamed" };
        QTest::newRow("delete a folder holding a link") << "delete"
                                                        << "Holder"
                                                        << "" << QStringList { "Arrows", "Electronics", "Ext" };
    }
    void nothingOutsideThroughALink()
    {
        QFETCH(QString, operation);
        QFETCH(QString, folder);
        QFETCH(QString, box);
        QFETCH(QStringList, rootAfter);
        QTemporaryDir outside;
        QDir(outside.path()).mkpath("sub/deeper");
        writeFile(outside.filePath("sub/clip.fig"), figHeader + wideBox);
        writeFile(outside.filePath("kept.fig"), figHeader + wideBox);
        const QStringList outsideBefore = allEntries(outside.path());
        root->folder("Ext/sub");
        root->folder("Holder");
        QVERIFY(QFile::link(outside.filePath("sub"), root->file("Holder/out")));
        openDialog();
        // Another program makes the folder a link behind the dialog's back.
        QVERIFY(QDir(root->file("Ext")).removeRecursively());
        QVERIFY(QFile::link(outside.path(), root->file("Ext")));
        if (!folder.contains('/')) {
            QTest::mouseClick(button("refreshFolders"), Qt::LeftButton);
            tree()->expandAll();
            QCOMPARE(this->folder("Ext")->childCount(), 0);
        }
        click(this->folder(folder));
        MessageBoxRecorder boxes { QMessageBox::Yes };
        if (operation == "delete") {
            QTest::mouseClick(button("deleteFolder"), Qt::LeftButton);
        } else {
            QTest::mouseClick(button(operation == "rename" ? "renameFolder" : "createFolder"), Qt::LeftButton);
            QVERIFY(type(operation == "rename" ? "Renamed" : "New"));
        }
        QStringList titles;
        for (const MessageBoxRequest& shown : qAsConst(boxes.boxes)) {
            if (shown.title != "Delete?")
                titles << shown.title + '|' + shown.text;
        }
        QCOMPARE(titles, box.isEmpty() ? QStringList() : QStringList { "Error|" + box });
        QCOMPARE(allEntries(outside.path()), outsideBefore);
        QCOMPARE(entries(root->path()), rootAfter);
    }

    void refreshingReadsTheDiskAgain()
    {
        openDialog();
        click(folder("Electronics"));
        root->folder("Zoo");
        QCOMPARE(folder("Zoo"), nullptr);
        QTest::mouseClick(button("refreshFolders"), Qt::LeftButton);
        QVERIFY(folder("Zoo"));
        QCOMPARE(dialog->getCurrentFolder(), nullptr);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(enabledButtons(), QString());
    }

    // Rebuilding the tree while a new folder is being named forgets it
    // without reporting on the deleted item.
    void rebuildingWhileEditing()
    {
        openDialog();
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("createFolder"), Qt::LeftButton);
        QVERIFY(editedItem());
        dialog->onRefreshFolders();
        QCOMPARE(editedItem(), nullptr);
        QCOMPARE(outline(tree()), QString("Arrows\nElectronics\n  Analog\n  Logic\n"));
        QCOMPARE(boxes.boxes.size(), 0);
    }
};

TAVREL_TEST_MAIN(TestLibraryFolders)
#include "tst_libraryfolders.moc"
