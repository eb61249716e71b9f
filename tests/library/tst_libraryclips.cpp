// The library dialog's clips with a main window and a document: adding the
// selection as a clip (named in place, "Name exists!", refused names),
// deleting clips, moving them by dropping them onto a folder, the drag
// payload, comments, clip operations staying in the listed folder, clips
// reached through links that lead out of the library (read, never written or
// removed there), and using a clip in the document as one undo step while
// the dialog goes on.
#include "../app/mainwindowtestfolder.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "library/librarydlg.h"
#include "library/librarylistwidget.h"
#include "library/librarystore.h"
#include "library/librarytreewidget.h"
#include "libraryfixtures.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/objectlist.h"
#include "render/colors.h"
#include "render/pens.h"
#include "support/editsession.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "support/writtendrawing.h"
#include "toolbars/drawingattributes.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace libraryfixtures;

namespace {

// A document with the user colour 32 (its box's pen), the box from (1300,
// 1300) to (2300, 2000), an open polyline and a circle.
const QByteArray document = figHeader
    + "0 32 #00c000\n"
      "2 2 0 1 32 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
      "\t 1300 1300 2300 1300 2300 2000 1300 2000 1300 1300\n"
      "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n"
      "\t 3590 1210 4800 1210 4800 1500\n"
      "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 6000 6000 300 300 6000 6000 6300 6000\n";

// A clip of two crossing lines, the first in its own user colour 32.
const QByteArray crossing = "0 32 #ff8000\n"
                            "2 1 0 1 32 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n"
                            "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 0 0 600\n";

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

bool showActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

FigObject* nth(const FigObjectList* list, int index)
{
    auto it = list->begin();
    std::advance(it, index);
    return *it;
}

// The clip file read into a window-less context, at the resolution of the
// dialog's clips (outlines with a width are measured in pixels).
std::unique_ptr<CFigContext> readClip(const QString& path, const CFigContext* like = nullptr)
{
    auto clip = std::make_unique<CFigContext>();
    if (like) {
        clip->dpiX = like->dpiX;
        clip->dpiY = like->dpiY;
    }
    if (clip->readFigFile(path, &clip->drawing, true, 0, 0) != 0)
        return nullptr;
    return clip;
}

QPoint topLeftOf(CFigContext& context)
{
    int x1, y1, x2, y2;
    context.drawing.getBounds(&context, x1, y1, x2, y2, true, true);
    return QPoint(x1, y1);
}

} // namespace

Q_DECLARE_METATYPE(QTreeWidgetItem*)

class TestLibraryClips : public QObject {
    Q_OBJECT

    MainWindowTestFolder folderState;
    std::unique_ptr<LibraryRoot> root;
    std::unique_ptr<QTMainFrm> window;
    LibraryDlg* dialog = nullptr;

    CFigContext& doc() { return *activeFigContext(); }
    LibraryTreeWidget* tree() { return dialog->findChild<LibraryTreeWidget*>("dirTree"); }
    LibraryListWidget* list() { return dialog->findChild<LibraryListWidget*>("thumbnails"); }
    QPushButton* button(const char* name) { return dialog->findChild<QPushButton*>(name); }

    // The main window with the document open and the library dialog shown
    // in front of it, as a user has it.
    void open()
    {
        window = std::make_unique<QTMainFrm>();
        mainWindow = window.get();
        QVERIFY(showActive(*window));
        writeFile(folderState.path("document.fig"), document);
        window->openFile(folderState.path("document.fig"));
        QVERIFY(activeFigContext());
        QCOMPARE(activeFigContext()->drawing.objects.size(), size_t(3));
        dialog = window->libraryDlg;
        window->onOpenLibraryDlg();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        tree()->expandAll();
    }
    QTreeWidgetItem* folder(const QString& name)
    {
        const QList<QTreeWidgetItem*> found = tree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    void click(QTreeWidgetItem* item)
    {
        QVERIFY(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
    }
    void click(QListWidgetItem* row)
    {
        QVERIFY(row);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(row).center());
    }
    QListWidgetItem* row(const QString& name)
    {
        const QList<QListWidgetItem*> found = list()->findItems(name, Qt::MatchExactly);
        return found.value(0);
    }
    QStringList rows()
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->item(i)->text();
        return names;
    }
    // Selects objects of the document by their places in its list and lets
    // the dialog know, as the document window does.
    void selectInDocument(std::initializer_list<int> indices)
    {
        for (int index : indices)
            nth(doc().objects(), index)->selected = true;
        window->activeMdiChild()->emitAddClipToLibraryButtonState();
    }
    // Moves the pointer over the document and presses there, which places a
    // clip that follows it.
    void placeClipAt(int x, int y)
    {
        QTChildFrm* frame = window->activeMdiChild();
        QVERIFY(frame);
        editsession::CanvasInput input(*frame);
        input.move(x, y);
        input.click(x, y);
    }
    QListWidgetItem* editedRow()
    {
        for (int i = 0; i < list()->count(); ++i) {
            if (list()->itemWidget(list()->item(i)))
                return list()->item(i);
        }
        return nullptr;
    }
    bool type(const QString& text, Qt::Key key = Qt::Key_Return)
    {
        QListWidgetItem* edited = editedRow();
        return edited && typeIntoEditor(list()->itemWidget(edited), text, key);
    }
    // Drops the row's drag payload at the folder's middle (or below every
    // folder for none), as the tree receives a drop.
    void drop(QListWidgetItem* dragged, QTreeWidgetItem* onto)
    {
        std::unique_ptr<QMimeData> data(list()->mimeData({ dragged }));
        const QPoint at = onto ? tree()->visualItemRect(onto).center() : QPoint(5, tree()->viewport()->height() - 3);
        QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree()->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree()->viewport(), &move);
        QDropEvent event(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree()->viewport(), &event);
    }

private slots:
    void initTestCase()
    {
        folderState.initOnce();
        qRegisterMetaType<QTreeWidgetItem*>();
        initDefaultColors();
        loadFillPatterns();
    }
    void cleanupTestCase() { folderState.finishOnce(); }
    void init()
    {
        currentAttrs = DrawingAttributes();
        QVERIFY(folderState.reset());
        root = std::make_unique<LibraryRoot>();
        root->folder("Shapes");
        root->folder("Parts");
    }
    void cleanup()
    {
        window.reset();
        dialog = nullptr;
        folderState.restore();
        root.reset();
    }

    void addingTheSelectionAsAClip_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain name") << "gear"
                                    << "gear.fig";
        QTest::newRow("with the suffix") << "wheel.fig"
                                         << "wheel.fig";
        QTest::newRow("upper-case suffix") << "Gear.FIG"
                                           << "Gear.FIG.fig";
    }
    // The box and the polyline become one compound at the origin, the box
    // with its user colour; the drawing itself stays as it was.
    void addingTheSelectionAsAClip()
    {
        QFETCH(QString, typed);
        QFETCH(QString, file);
        open();
        click(folder("Shapes"));
        QVERIFY(!button("addClip")->isEnabled());
        selectInDocument({ 0, 1 });
        QVERIFY(button("addClip")->isEnabled());
        const QByteArray before = writtendrawing::writtenDrawing(doc());
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("addClip"), Qt::LeftButton);
        QCOMPARE(rows(), QStringList { "<enter name>" });
        QCOMPARE(editedRow(), list()->item(0));
        QVERIFY(dialog->pendingClip);
        QCOMPARE(dialog->clipContexts.size(), 0);

        QVERIFY(type(typed));
        QCOMPARE(boxes.boxes.size(), 0);
        QCOMPARE(rows(), QStringList { file });
        QListWidgetItem* added = list()->item(0);
        QCOMPARE(added->toolTip(), file);
        QVERIFY(!(added->flags() & Qt::ItemIsEditable));
        QVERIFY(!added->icon().isNull());
        QVERIFY(!dialog->pendingClip);
        QCOMPARE(dialog->clipContexts.size(), 1);
        QCOMPARE(QDir::fromNativeSeparators(dialog->clipOfRow(0)->fileName), root->file("Shapes/" + file));
        QCOMPARE(writtendrawing::writtenDrawing(doc()), before);

        std::unique_ptr<CFigContext> clip = readClip(root->file("Shapes/" + file), dialog->clipOfRow(0));
        QVERIFY(clip);
        QCOMPARE(clip->drawing.objects.size(), size_t(1));
        FigObject* compound = clip->drawing.objects.front();
        QCOMPARE(compound->type, int(FigObject::Compound));
        QCOMPARE(static_cast<FigCompound*>(compound)->members->size(), size_t(2));
        // At the origin within the rounding of the line width, and not moved
        // again by reading.
        const QPoint corner = topLeftOf(*clip);
        QVERIFY2(corner.x() >= 0 && corner.x() <= 1 && corner.y() >= 0 && corner.y() <= 1,
            qPrintable(QString("%1 %2").arg(corner.x()).arg(corner.y())));
        QCOMPARE(corner, topLeftOf(*dialog->clipOfRow(0)));
        ObjectIdSet ids;
        QVERIFY(idsAreUnique(&clip->drawing.objects, ids));
        QCOMPARE(clip->drawing.userColors.value(0), QColor("#00c000"));
        QCOMPARE(nth(static_cast<FigCompound*>(compound)->members, 0)->penColor, 32);
    }

    // An existing name asks again with the name and its suffix; Escape
    // keeps that name, so the box comes again; an empty name drops the clip.
    void aNameThatExists()
    {
        root->clip("Shapes/gear.fig", wideBox);
        open();
        click(folder("Shapes"));
        selectInDocument({ 2 });
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("addClip"), Qt::LeftButton);
        QVERIFY(type("gear"));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes.boxes[0].title, QString("Name exists!"));
        QCOMPARE(
            boxes.boxes[0].text, QString("A clip with the name gear.fig exists!\nPlease choose a different name."));
        QCOMPARE(editedRow(), list()->item(1));
        QCOMPARE(list()->item(1)->text(), QString("gear.fig"));
        QVERIFY(dialog->pendingClip);

        QVERIFY(type(QString(), Qt::Key_Escape));
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(editedRow(), list()->item(1));

        QVERIFY(type(""));
        QCOMPARE(rows(), QStringList { "gear.fig" });
        QVERIFY(!dialog->pendingClip);
        QCOMPARE(dialog->clipContexts.size(), 1);
        QCOMPARE(readFile(root->file("Shapes/gear.fig")), figHeader + wideBox);

        QTest::mouseClick(button("addClip"), Qt::LeftButton);
        QVERIFY(type("cog"));
        QCOMPARE(rows(), QStringList({ "gear.fig", "cog.fig" }));
        QVERIFY(readClip(root->file("Shapes/cog.fig")));
    }

    void refusedClipNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("up and out") << "../out";
        QTest::newRow("into another folder") << "../Parts/gear";
        QTest::newRow("separator") << "a/b";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("colon") << "x:y";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("hidden") << ".secret";
        QTest::newRow("hidden with the suffix") << ".secret.fig";
    }
    // The name is refused with a box and asked again; nothing is written
    // anywhere; clearing the name then drops the clip.
    void refusedClipNames()
    {
        QFETCH(QString, typed);
        open();
        click(folder("Shapes"));
        selectInDocument({ 0 });
        const QStringList outside = entries(root->file(".."));
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("addClip"), Qt::LeftButton);
        QVERIFY(type(typed));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].title, QString("Invalid name!"));
        QVERIFY(boxes.boxes[0].text.contains(typed));
        QCOMPARE(editedRow(), list()->item(0));
        QVERIFY(dialog->pendingClip);
        QVERIFY(type(""));
        QCOMPARE(list()->count(), 0);
        QCOMPARE(entries(root->path()), QStringList({ "Parts", "Shapes" }));
        QCOMPARE(entries(root->file("Shapes")), QStringList());
        QCOMPARE(entries(root->file("Parts")), QStringList());
        QCOMPARE(entries(root->file("..")), outside);
    }

    void addingNeedsAFolderAndASelection()
    {
        open();
        MessageBoxRecorder boxes;
        selectInDocument({ 0 });
        QTest::mouseClick(button("addClip"), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Information);
        QCOMPARE(boxes.boxes[0].title, QString("No folder selected!"));
        QCOMPARE(boxes.boxes[0].text,
            QString("Please select a target folder.\nIf no folder exists, create a folder first using the "
                    "\"create folder\" button"));
        QCOMPARE(list()->count(), 0);

        click(folder("Shapes"));
        nth(doc().objects(), 0)->selected = false;
        dialog->onAddClipToLibrary();
        QCOMPARE(list()->count(), 0);
        QVERIFY(!dialog->pendingClip);
        QCOMPARE(boxes.boxes.size(), 1);
    }

    void deletingClips()
    {
        for (const char* name : { "a.fig", "b.fig", "c.fig" })
            root->clip(QString("Shapes/") + name, wideBox);
        open();
        click(folder("Shapes"));
        click(row("b.fig"));
        QVERIFY(button("useClip")->isEnabled());
        QVERIFY(button("deleteClip")->isEnabled());
        QVERIFY(button("renameClip")->isEnabled());
        QVERIFY(!button("deleteFolder")->isEnabled());
        QVERIFY(!button("renameFolder")->isEnabled());
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("deleteClip"), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 0);
        QCOMPARE(entries(root->file("Shapes")), QStringList({ "a.fig", "c.fig" }));
        QCOMPARE(rows(), QStringList({ "a.fig", "c.fig" }));
        QCOMPARE(dialog->clipContexts.size(), 2);
        QVERIFY(dialog->clipOfRow(1)->fileName.endsWith("c.fig"));
        QCOMPARE(button("deleteClip")->isEnabled(), list()->currentItem() != nullptr);

        // A file gone behind the dialog's back cannot be deleted: the row stays.
        QFile::remove(root->file("Shapes/c.fig"));
        click(row("c.fig"));
        QTest::mouseClick(button("deleteClip"), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes.boxes[0].title, QString("Deleting failed!"));
        QCOMPARE(
            boxes.boxes[0].text, "Could not delete the file " + QDir::toNativeSeparators(root->file("Shapes/c.fig")));
        QCOMPARE(rows(), QStringList({ "a.fig", "c.fig" }));
        QCOMPARE(dialog->clipContexts.size(), 2);
    }

    void movingClipsByDropping()
    {
        root->clip("Shapes/gear.fig", wideBox);
        root->clip("Shapes/wheel.fig", threeObjects);
        root->clip("Parts/wheel.fig", wideBox);
        open();
        click(folder("Shapes"));
        MessageBoxRecorder boxes;
        drop(row("gear.fig"), folder("Parts"));
        QCOMPARE(entries(root->file("Shapes")), QStringList { "wheel.fig" });
        QCOMPARE(entries(root->file("Parts")), QStringList({ "gear.fig", "wheel.fig" }));
        QCOMPARE(rows(), QStringList { "wheel.fig" });
        QCOMPARE(dialog->clipContexts.size(), 1);
        QVERIFY(dialog->clipOfRow(0)->fileName.endsWith("wheel.fig"));

        // Onto its own folder, onto no folder: nothing.
        drop(row("wheel.fig"), folder("Shapes"));
        drop(row("wheel.fig"), nullptr);
        QCOMPARE(rows(), QStringList { "wheel.fig" });
        QCOMPARE(boxes.boxes.size(), 0);

        // A clip of that name in the target: the box, and the row stays.
        drop(row("wheel.fig"), folder("Parts"));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes.boxes[0].title, QString("Error"));
        QCOMPARE(boxes.boxes[0].text,
            "Could not move clip to new path!\n" + QDir::toNativeSeparators(root->file("Parts/wheel.fig"))
                + "\nFile may already exists or folder is not writable.");
        QCOMPARE(rows(), QStringList { "wheel.fig" });
        QCOMPARE(readFile(root->file("Parts/wheel.fig")), figHeader + wideBox);

        click(folder("Parts"));
        QCOMPARE(rows(), QStringList({ "gear.fig", "wheel.fig" }));
    }

    // A folder that is a link out of the library lists its clips, but no
    // clip operation writes, removes or moves a file there; a clip file that
    // is such a link is removed itself and never written through.
    void clipsOutsideThroughALink_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("shapesAfter");
        const QStringList shapes { "gear.fig", "linked.fig" };
        QTest::newRow("delete") << "delete"
                                << "Ext/kept.fig"
                                << "Deleting failed!|Could not delete the file %1/Ext/kept.fig" << shapes;
        QTest::newRow("save comment") << "comment"
                                      << "Ext/kept.fig"
                                      << "Writing failed!|Could not write to file %1/Ext/kept.fig" << shapes;
        QTest::newRow("add") << "add"
                             << "Ext/kept.fig"
                             << "Writing failed!|Could not write to file %1/Ext/new.fig" << shapes;
        QTest::newRow("move out") << "move"
                                  << "Ext/kept.fig"
                                  << "Error|Could not move clip to new path!\n%1/Shapes/kept.fig\n"
                                     "File may already exists or folder is not writable."
                                  << shapes;
        QTest::newRow("move in") << "move"
                                 << "Shapes/gear.fig"
                                 << "Error|Could not move clip to new path!\n%1/Ext/gear.fig\n"
                                    "File may already exists or folder is not writable."
                                 << shapes;
        QTest::newRow("comment of a linked clip")
            << "comment"
            << "Shapes/linked.fig"
            << "Writing failed!|Could not write to file %1/Shapes/linked.fig" << shapes;
        QTest::newRow("delete a linked clip") << "delete"
                                              << "Shapes/linked.fig"
                                              << "" << QStringList { "gear.fig" };
    }
    void clipsOutsideThroughALink()
    {
        QFETCH(QString, operation);
        QFETCH(QString, clip);
        QFETCH(QString, box);
        QFETCH(QStringList, shapesAfter);
        QTemporaryDir outside;
        const QByteArray kept = figHeader + wideBox;
        writeFile(outside.filePath("kept.fig"), kept);
        QVERIFY(QFile::link(outside.path(), root->file("Ext")));
        QVERIFY(QFile::link(outside.filePath("kept.fig"), root->file("Shapes/linked.fig")));
        root->clip("Shapes/gear.fig", wideBox);
        open();
        QCOMPARE(folder("Ext")->childCount(), 0);
        click(folder(clip.section('/', 0, 0)));
        click(row(clip.section('/', 1)));
        MessageBoxRecorder boxes;
        if (operation == "delete") {
            QTest::mouseClick(button("deleteClip"), Qt::LeftButton);
        } else if (operation == "comment") {
            dialog->findChild<QPlainTextEdit*>("comments")->setPlainText("changed");
            QTest::mouseClick(button("saveComment"), Qt::LeftButton);
        } else if (operation == "add") {
            selectInDocument({ 0 });
            QTest::mouseClick(button("addClip"), Qt::LeftButton);
            QVERIFY(type("new"));
        } else {
            drop(row(clip.section('/', 1)), folder(clip.startsWith("Ext") ? "Shapes" : "Ext"));
        }
        QStringList shown;
        for (const MessageBoxRequest& request : qAsConst(boxes.boxes))
            shown << request.title + '|' + request.text;
        QCOMPARE(shown, box.isEmpty() ? QStringList() : QStringList { box.arg(root->path()) });
        QCOMPARE(entries(outside.path()), QStringList { "kept.fig" });
        QCOMPARE(readFile(outside.filePath("kept.fig")), kept);
        QCOMPARE(entries(root->file("Shapes")), shapesAfter);
        QCOMPARE(entries(root->file("Parts")), QStringList());
    }

    // One row r: the map's count 1, the key "rows" (8 bytes of UTF-16), the
    // list's type 9, null flag, count 1, the int's type 2, null flag and r.
    void dragPayload()
    {
        LibraryListWidget source;
        for (const char* name : { "a.fig", "b.fig", "c.fig", "d.fig" })
            source.addItem(name);
        std::unique_ptr<QMimeData> data(source.mimeData({ source.item(2) }));
        QCOMPARE(data->formats(), QStringList { "application/clipitem" });
        QCOMPARE(data->data("application/clipitem").toHex(),
            QByteArray("00000001"
                       "00000008"
                       "0072006f00770073"
                       "00000009"
                       "00"
                       "00000001"
                       "00000002"
                       "00"
                       "00000002"));

        LibraryTreeWidget target;
        target.addTopLevelItem(makeLibraryFolderItem("Parts"));
        QSignalSpy received(&target, &LibraryTreeWidget::receivedThumbnail);
        std::unique_ptr<QMimeData> two(source.mimeData({ source.item(3), source.item(1) }));
        QVERIFY(target.dropMimeData(target.topLevelItem(0), 0, two.get(), Qt::CopyAction));
        QCOMPARE(received.size(), 2);
        QCOMPARE(received[0][0].value<QTreeWidgetItem*>(), target.topLevelItem(0));
        QCOMPARE(received[0][1].toInt(), 3);
        QCOMPARE(received[1][1].toInt(), 1);
        QVERIFY(!target.dropMimeData(nullptr, 0, two.get(), Qt::CopyAction));
        QCOMPARE(received.size(), 2);
        QCOMPARE(target.mimeTypes(), QStringList { "application/clipitem" });
        QCOMPARE(target.supportedDropActions(), Qt::DropActions(Qt::CopyAction));
    }

    // The tree's selection moves to another folder by key without a click:
    // deleting, adding and moving still work in the folder whose clips are
    // listed.
    void clipOperationsStayInTheListedFolder()
    {
        root->clip("Shapes/gear.fig", wideBox);
        root->clip("Shapes/wheel.fig", wideBox);
        root->clip("Parts/gear.fig", threeObjects);
        open();
        click(folder("Shapes"));
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_Up);
        QCOMPARE(dialog->getCurrentFolder(), folder("Parts"));
        QCOMPARE(dialog->listedFolder(), folder("Shapes"));
        QCOMPARE(rows(), QStringList({ "gear.fig", "wheel.fig" }));

        click(row("gear.fig"));
        QTest::mouseClick(button("deleteClip"), Qt::LeftButton);
        QCOMPARE(entries(root->file("Shapes")), QStringList { "wheel.fig" });
        QCOMPARE(readFile(root->file("Parts/gear.fig")), figHeader + threeObjects);

        selectInDocument({ 1 });
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("addClip"), Qt::LeftButton);
        QVERIFY(type("line"));
        QCOMPARE(entries(root->file("Shapes")), QStringList({ "line.fig", "wheel.fig" }));
        QCOMPARE(entries(root->file("Parts")), QStringList { "gear.fig" });

        drop(row("wheel.fig"), folder("Shapes"));
        QCOMPARE(entries(root->file("Shapes")), QStringList({ "line.fig", "wheel.fig" }));
        drop(row("wheel.fig"), folder("Parts"));
        QCOMPARE(entries(root->file("Shapes")), QStringList { "line.fig" });
        QCOMPARE(entries(root->file("Parts")), QStringList({ "gear.fig", "wheel.fig" }));
        QCOMPARE(boxes.boxes.size(), 0);
    }

    // A double click on a clip closes the dialog and places a copy of it as
    // one undo step: new identifiers, its user colour brought along under a
    // new number. Refreshing the dialog and deleting the clip afterwards
    // leave the copy that the document was handed intact.
    void usingAClip()
    {
        root->clip("Shapes/crossing.fig", crossing);
        open();
        CFigContext& target = doc();
        const int stepsBefore = target.undoHistory.undoSteps.size();
        const int countAt50 = target.depthObjectCount[50];
        click(folder("Shapes"));
        QListWidgetItem* clipRow = row("crossing.fig");
        const QPoint at = list()->visualItemRect(clipRow).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!dialog->isVisible());
        // The clip follows the pointer until a press places it.
        QCOMPARE(target.objects()->size(), size_t(3));
        placeClipAt(3000, 3000);

        QCOMPARE(target.objects()->size(), size_t(4));
        QCOMPARE(target.undoHistory.undoSteps.size(), stepsBefore + 1);
        QVERIFY(target.modified);
        QCOMPARE(target.depthObjectCount[50], countAt50 + 2);
        auto* placed = static_cast<FigCompound*>(target.objects()->back());
        QCOMPARE(placed->type, int(FigObject::Compound));
        QCOMPARE(placed->members->size(), size_t(2));
        ObjectIdSet ids;
        QVERIFY(idsAreUnique(target.objects(), ids));
        QCOMPARE(target.drawing.userColors.value(0), QColor("#00c000"));
        QCOMPARE(target.drawing.userColors.value(1), QColor("#ff8000"));
        QCOMPARE(nth(placed->members, 0)->penColor, 33);
        // The loaded clip is unchanged.
        CFigContext* loaded = dialog->clipOfRow(0);
        QCOMPARE(nth(static_cast<FigCompound*>(loaded->drawing.objects.front())->members, 0)->penColor, 32);

        CFigContext* copy = dialog->clipInPlacement();
        QVERIFY(copy);
        QVERIFY(copy != loaded);
        window->onOpenLibraryDlg();
        dialog->onRefreshFolders();
        click(folder("Shapes"));
        click(row("crossing.fig"));
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("deleteClip"), Qt::LeftButton);
        QCOMPARE(dialog->clipContexts.size(), 0);
        QCOMPARE(dialog->clipInPlacement(), copy);
        QCOMPARE(copy->drawing.objects.size(), size_t(1));
        auto* held = static_cast<FigCompound*>(copy->drawing.objects.front());
        QCOMPARE(held->members->size(), size_t(2));
        QCOMPARE(nth(held->members, 0)->penColor, 32);
        QCOMPARE(copy->drawing.userColors.value(0), QColor("#ff8000"));

        // One undo takes the whole clip away again.
        window->undo();
        QCOMPARE(target.objects()->size(), size_t(3));
        QCOMPARE(target.depthObjectCount[50], countAt50);
        window->redo();
        QCOMPARE(target.objects()->size(), size_t(4));
    }

    void usingAClipAgainPlacesNewCopies()
    {
        root->clip("Shapes/box.fig", wideBox);
        open();
        click(folder("Shapes"));
        click(row("box.fig"));
        QTest::mouseClick(button("useClip"), Qt::LeftButton);
        CFigContext* first = dialog->clipInPlacement();
        placeClipAt(3000, 3000);
        window->onOpenLibraryDlg();
        QTest::mouseClick(button("useClip"), Qt::LeftButton);
        QVERIFY(dialog->clipInPlacement() != first);
        placeClipAt(6000, 3000);
        QCOMPARE(doc().objects()->size(), size_t(5));
        ObjectIdSet ids;
        QVERIFY(idsAreUnique(doc().objects(), ids));
        QCOMPARE(doc().undoHistory.undoSteps.size(), 2);
    }

    void usingAClipWithoutADocument()
    {
        root->clip("Shapes/box.fig", wideBox);
        open();
        window->closeAllChilds();
        QCOMPARE(activeFigContext(), nullptr);
        click(folder("Shapes"));
        click(row("box.fig"));
        QTest::mouseClick(button("useClip"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->clipInPlacement(), nullptr);
    }

    // The comment is saved into the clip's own file, written as the dialog
    // holds the clip: one compound at the origin.
    void savingAComment()
    {
        writeFile(root->file("Shapes/pair.fig"),
            figHeader
                + "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 1800 1800\n"
                  "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1800 1200 1200 1800\n");
        open();
        click(folder("Shapes"));
        click(row("pair.fig"));
        auto* comments = dialog->findChild<QPlainTextEdit*>("comments");
        QCOMPARE(comments->toPlainText(), QString());
        QVERIFY(!button("saveComment")->isEnabled());
        comments->setPlainText("two lines\ncrossing");
        QVERIFY(button("saveComment")->isEnabled());
        QTest::mouseClick(button("saveComment"), Qt::LeftButton);
        std::unique_ptr<CFigContext> saved = readClip(root->file("Shapes/pair.fig"), dialog->clipOfRow(0));
        QVERIFY(saved);
        QCOMPARE(saved->drawing.comment, QString("two lines\ncrossing"));
        QCOMPARE(saved->drawing.objects.size(), size_t(1));
        QCOMPARE(saved->drawing.objects.front()->type, int(FigObject::Compound));
        QCOMPARE(topLeftOf(*saved), topLeftOf(*dialog->clipOfRow(0)));
        QVERIFY(topLeftOf(*saved).x() >= 0 && topLeftOf(*saved).x() <= 1);
        comments->setPlainText("two lines\ncrossing");
        QVERIFY(!button("saveComment")->isEnabled());

        // The folder renamed behind the dialog: the clip's file is gone.
        QVERIFY(QDir(root->path()).rename("Shapes", "Moved"));
        comments->setPlainText("changed");
        MessageBoxRecorder boxes;
        QTest::mouseClick(button("saveComment"), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes.boxes[0].title, QString("Writing failed!"));
        QCOMPARE(
            boxes.boxes[0].text, "Could not write to file " + QDir::toNativeSeparators(root->file("Shapes/pair.fig")));
    }
};

TAVREL_TEST_MAIN(TestLibraryClips)
#include "tst_libraryclips.moc"
