// Placing a shape-library clip with the mouse in a running program: the
// clip's picture follows the pointer over the canvas (the canvas under its
// old position comes back), a left press places copies of its objects
// centred where the pointer is as one undo step with the clip's user colours
// merged in, and the mode chosen before returns. A right press, another tool,
// saving or closing the window ends the placement without a trace.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/libraryplacement.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include "ui_figcolordlg.h"

#include <QComboBox>
#include <QImage>
#include <QMdiArea>
#include <QTemporaryDir>

#include <memory>

namespace {

// The document: its own user colour 32 on a line far from where the clips go.
const QByteArray figure = editsession::figText("0 32 #00c000\n"
                                               "2 1 0 1 32 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                               "\t 9000 9000 9600 9000\n");

// A red box without outline width from (0, 0) to (2400, 1200), filled red.
const QByteArray redBox = "2 2 0 0 4 4 50 -1 20 0.000 0 0 -1 0 0 5\n"
                          "\t 0 0 2400 0 2400 1200 0 1200 0 0\n";

// A line in the clip's own user colour 32 (orange) and a box at depth 40,
// together 1200 wide and 600 high.
const QByteArray colouredClip = "0 32 #ff8000\n"
                                "2 1 0 0 32 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                "\t 0 0 1200 600\n"
                                "2 2 0 0 0 7 40 -1 -1 0.000 0 0 -1 0 0 5\n"
                                "\t 0 0 1200 0 1200 600 0 600 0 0\n";

// The clip file read as the library reads it, into a window-less context.
std::unique_ptr<CFigContext> readClip(const QByteArray& objects)
{
    static QTemporaryDir dir;
    static int count = 0;
    const QString path = dir.filePath(QStringLiteral("clip%1.fig").arg(++count));
    writeFile(path, editsession::figText(objects));
    auto clip = std::make_unique<CFigContext>();
    if (clip->readFigFile(path, &clip->drawing, true, 0, 0) != 0)
        return nullptr;
    return clip;
}

QRgb canvasPixel(QTChildFrm& document, editsession::CanvasInput& input, int x, int y)
{
    const QPoint p = input.pixelOf(x, y);
    return document.canvasImage->pixel(p.x(), p.y());
}

int sumOfDepthCounts(const CFigContext& context)
{
    int sum = 0;
    for (int count : context.depthObjectCount)
        sum += count;
    return sum;
}

} // namespace

class TestLibraryPlacement : public QObject {
    Q_OBJECT

private slots:
    // The clip lands centred on the last pointer position as one undo step;
    // colours the document lacks come along under new numbers; undo takes
    // every placed object away and redo brings them back.
    void placedWithTheMouse_data()
    {
        QTest::addColumn<QByteArray>("clip");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QList<QByteArray>>("placed");
        QTest::addColumn<bool>("pasting");

        QTest::newRow("box centred at the pointer") << redBox << QPoint(3000, 3000)
                                                    << QList<QByteArray> { "2 2 0 0 4 4 50 -1 20 0.000 0 0 -1 0 0 5",
                                                           "\t 1800 2400 4200 2400 4200 3600 1800 3600 1800 2400" }
                                                    << false;
        QTest::newRow("own colour renumbered after the document's")
            << colouredClip << QPoint(4500, 1500)
            << QList<QByteArray> { "2 1 0 0 33 7 50 -1 -1 0.000 0 0 -1 0 0 2", "\t 3900 1200 5100 1800",
                   "2 2 0 0 0 7 40 -1 -1 0.000 0 0 -1 0 0 5", "\t 3900 1200 5100 1200 5100 1800 3900 1800 3900 1200" }
            << false;
        // Pasted objects still following the pointer give way; the select
        // tool follows, as the paste has no tool of its own.
        QTest::newRow("while pasted objects follow the pointer")
            << redBox << QPoint(3000, 3000)
            << QList<QByteArray> { "2 2 0 0 4 4 50 -1 20 0.000 0 0 -1 0 0 5",
                   "\t 1800 2400 4200 2400 4200 3600 1800 3600 1800 2400" }
            << true;
    }

    void placedWithTheMouse()
    {
        QFETCH(QByteArray, clip);
        QFETCH(QPoint, pointer);
        QFETCH(QList<QByteArray>, placed);
        QFETCH(bool, pasting);
        std::unique_ptr<CFigContext> library = readClip(clip);
        QVERIFY(library);
        const bool orange = clip.startsWith("0 32");

        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            editsession::chooseMode(window, EditMode::Polyline);
            const PointHandler modePress = canvasHandlers.leftPressHandler;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            const int counted = sumOfDepthCounts(context);
            if (pasting) {
                editsession::chooseMode(window, EditMode::Select);
                context.drawing.objects.front()->selected = true;
                document.copy();
                document.paste();
                QCOMPARE(editMode, int(EditMode::Paste));
            }

            context.startLibraryPlacement(library.get());
            QVERIFY(canvasAction.actionInProgress);
            editsession::CanvasInput input(document);
            // The pointer wanders on its way; the last position counts.
            input.move(600, 600);
            input.move(pointer.x() + 300, pointer.y());
            input.move(pointer.x(), pointer.y());
            QCOMPARE(context.undoHistory.undoSteps.size(), steps);
            input.click(pointer.x(), pointer.y());

            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
            QVERIFY(context.modified);
            QVERIFY(!canvasAction.actionInProgress);
            QCOMPARE(libraryPlacementDocument(), nullptr);
            if (pasting) {
                QCOMPARE(editMode, int(EditMode::Select));
            } else {
                QCOMPARE(editMode, int(EditMode::Polyline));
                QVERIFY(canvasHandlers.leftPressHandler == modePress);
            }
            QCOMPARE(sumOfDepthCounts(context), counted + int(placed.size() / 2));
            // The colour dialog lists the colours the clip brought.
            QCOMPARE(window.colorDlg->form().userPenColor->count(), context.drawing.userColors.size());
            QCOMPARE(context.drawing.userColors.size(), orange ? 2 : 1);
            QList<QByteArray> expected = before;
            if (orange)
                expected.insert(1, "0 33 #ff8000");
            QCOMPARE(editsession::savedObjectLines(document), expected + placed);
            // The clip itself is unchanged: it can be placed again.
            QCOMPARE(library->drawing.objects.size(), size_t(placed.size() / 2));
            if (orange)
                QCOMPARE(library->drawing.objects.front()->penColor, 32);

            window.undo();
            QCOMPARE(sumOfDepthCounts(context), counted);
            QList<QByteArray> undone = before;
            if (orange)
                undone.insert(1, "0 33 #ff8000"); // the merged colour stays defined
            QCOMPARE(editsession::savedObjectLines(document), undone);
            window.redo();
            QCOMPARE(editsession::savedObjectLines(document), expected + placed);
        });
    }

    // The picture follows the pointer: drawn where the pointer is, and the
    // canvas it covered comes back when it moves on.
    void pictureFollowsThePointer()
    {
        std::unique_ptr<CFigContext> library = readClip(redBox);
        QVERIFY(library);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, EditMode::Polyline);
            editsession::CanvasInput input(document);
            const QRgb empty = canvasPixel(document, input, 1500, 1500);
            QVERIFY(qRed(empty) > 200 && qGreen(empty) > 200);
            document.figContext->startLibraryPlacement(library.get());
            input.move(1500, 1500);
            const QRgb covered = canvasPixel(document, input, 1500, 1500);
            QVERIFY2(qRed(covered) > 200 && qGreen(covered) < 80, qPrintable(QString::number(covered, 16)));
            input.move(6000, 4500);
            QCOMPARE(canvasPixel(document, input, 1500, 1500), empty);
            QCOMPARE(qGreen(canvasPixel(document, input, 6000, 4500)), 0);
            // A right press takes the picture away.
            input.click(6000, 4500, Qt::RightButton);
            QCOMPARE(canvasPixel(document, input, 6000, 4500), empty);
        });
    }

    // Whatever ends a placement without a left press leaves no trace: the
    // drawing, the undo history and the depth counts stay, the saved file
    // holds no clip object, the mode chosen before returns and a later
    // press places nothing.
    void endedWithoutPlacing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("right press") << "right press";
        QTest::newRow("another tool") << "another tool";
        QTest::newRow("saving") << "saving";
        QTest::newRow("starting another placement") << "starting another placement";
        QTest::newRow("closing the window") << "closing the window";
    }

    void endedWithoutPlacing()
    {
        QFETCH(QString, how);
        std::unique_ptr<CFigContext> library = readClip(colouredClip);
        QVERIFY(library);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            editsession::chooseMode(window, EditMode::Polyline);
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            const int counted = sumOfDepthCounts(context);
            editsession::CanvasInput input(document);
            const QRgb empty = canvasPixel(document, input, 3000, 3000);

            context.startLibraryPlacement(library.get());
            QCOMPARE(sumOfDepthCounts(context), counted + 2);
            input.move(3000, 3000);

            int mode = EditMode::Polyline;
            if (how == "right press") {
                input.click(3000, 3000, Qt::RightButton);
            } else if (how == "another tool") {
                editsession::chooseMode(window, EditMode::Box);
                mode = EditMode::Box;
            } else if (how == "saving") {
                QCOMPARE(editsession::savedObjectLines(document), before);
            } else if (how == "starting another placement") {
                std::unique_ptr<CFigContext> other = readClip(redBox);
                context.startLibraryPlacement(other.get());
                QCOMPARE(sumOfDepthCounts(context), counted + 1);
                input.click(3000, 3000, Qt::RightButton);
            } else {
                QMdiArea* area = window.mdiArea;
                area->closeActiveSubWindow();
                QCOMPARE(libraryPlacementDocument(), nullptr);
                QVERIFY(!canvasAction.actionInProgress);
                QVERIFY(canvasHandlers.leftPressHandler != placeLibraryClip);
                QVERIFY(canvasHandlers.moveHandler != libraryPlacementMove);
                return; // the document is gone
            }

            QCOMPARE(libraryPlacementDocument(), nullptr);
            QVERIFY(!canvasAction.actionInProgress);
            QCOMPARE(editMode, mode);
            QCOMPARE(sumOfDepthCounts(context), counted);
            QCOMPARE(context.undoHistory.undoSteps.size(), steps);
            QCOMPARE(canvasPixel(document, input, 3000, 3000), empty);
            QVERIFY(!context.drawing.userColors.contains(1));
            // The next press belongs to the mode again, not to the clip.
            QVERIFY(canvasHandlers.leftPressHandler != placeLibraryClip);
            QVERIFY(canvasHandlers.moveHandler != libraryPlacementMove);
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }
};

TAVREL_TEST_MAIN(TestLibraryPlacement)
#include "tst_libraryplacement.moc"
