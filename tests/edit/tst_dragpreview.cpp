// The preview of objects following the pointer (the select tool's drag, a
// copy, a point moved) draws only the area it changes, yet the canvas must show at
// every step exactly what a whole-canvas redraw shows: the objects where the
// pointer has taken them, the lines linked to them stretched, overlapping
// objects in their depth order, markers included; and so after the drop,
// after undo and after redo.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/draglayer.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/testenv.h"

#include <cstdlib>

using editsession::Step;
using editsession::Steps;

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Steps)

namespace {

// A box linked by a line, a compound holding a second line linked to the
// box, a thick arrow line and a filled ellipse over the box, at several
// depths, some objects overlapping.
const QByteArray drawing = editsession::ownFigText(
    "# METADATA <id>1</id>\n2 2 0 2 1 3 50 -1 20 0.000 0 0 -1 0 0 5\n"
    "\t 600 600 1800 600 1800 1500 600 1500 600 600\n"
    "# METADATA <id>2</id>\n# METADATA <link srcPointIdx=1 targetObjId=1 targetLeftPointIdx=1/>\n"
    "2 1 0 1 0 7 40 -1 -1 0.000 0 0 -1 0 0 2\n\t 3600 300 1800 900\n"
    "# METADATA <id>3</id>\n6 2400 1800 3600 2700\n"
    "# METADATA <id>4</id>\n# METADATA <link srcPointIdx=1 targetObjId=1 targetLeftPointIdx=2/>\n"
    "2 1 0 1 4 7 60 -1 -1 0.000 0 0 -1 0 0 2\n\t 3600 2700 1200 1500\n"
    "# METADATA <id>5</id>\n2 2 0 1 0 7 60 -1 -1 0.000 0 0 -1 0 0 5\n"
    "\t 2400 1800 3000 1800 3000 2400 2400 2400 2400 1800\n-6\n"
    "# METADATA <id>6</id>\n2 1 0 4 2 7 30 -1 -1 0.000 0 0 -1 1 1 2\n\t1 1 1.00 60.00 120.00\n"
    "\t1 1 1.00 60.00 120.00\n\t 300 2100 2100 300\n"
    "# METADATA <id>7</id>\n1 1 0 1 0 5 45 -1 20 0.000 1 0.0000 1200 1200 450 300 1200 1200 1650 1200\n");

// A compound of 60 boxes, ellipses and lines (white and grey fills, thick
// and dashed outlines, an arrow) from (150, 150) to about (2250, 1200) and,
// below them, a filled box over a thick line that comes long after it in
// the list but lies deeper; well apart from it a box, a thick line and a text
// that it does not hold.
QByteArray blocks()
{
    QString members = QStringLiteral("2 2 0 1 0 2 30 -1 20 0.000 0 0 -1 0 0 5\n"
                                     "\t 600 1275 900 1275 900 1425 600 1425 600 1275\n");
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 10; ++column) {
            const int x = 150 + column * 210;
            const int y = 150 + row * 180;
            switch ((row + column) % 3) {
            case 0: // a white box, two pixels thick
                members
                    += QString::asprintf("2 2 0 2 0 7 50 -1 20 0.000 0 0 -1 0 0 5\n\t %d %d %d %d %d %d %d %d %d %d\n",
                        x, y, x + 150, y, x + 150, y + 105, x, y + 105, x, y);
                break;
            case 1: // a dashed, shaded ellipse
                members += QString::asprintf("1 1 1 3 1 2 40 -1 10 4.000 1 0.0000 %d %d 75 60 %d %d %d %d\n", x + 75,
                    y + 60, x + 75, y + 60, x + 150, y + 60);
                break;
            default: // a thick arrow
                members += QString::asprintf(
                    "2 1 0 3 4 7 45 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 60.00 120.00\n\t %d %d %d %d\n", x, y + 105,
                    x + 150, y);
                break;
            }
        }
    }
    members += QStringLiteral("2 1 0 8 1 7 60 -1 -1 0.000 0 0 -1 0 0 2\n\t 300 1350 2100 1350\n");
    return editsession::figText("6 150 150 2250 1200\n" + members.toLatin1()
        + "-6\n2 2 0 1 0 3 60 -1 20 0.000 0 0 -1 0 0 5\n\t 3600 300 4200 300 4200 750 3600 750 3600 300\n"
          "2 1 0 6 1 7 55 -1 -1 0.000 0 0 -1 0 0 2\n\t 3450 1050 4350 1350\n"
          "4 0 0 50 -1 0 12 0.0000 4 135 450 3600 1650 Label\\001\n");
}

// Lets every drag of the select tool move a picture, for one test.
struct PictureDrags {
    int saved = dragLayerThreshold;
    explicit PictureDrags(bool on)
    {
        if (on)
            dragLayerThreshold = 1;
    }
    ~PictureDrags() { dragLayerThreshold = saved; }
};

// A lifted picture is drawn in idle time a tile a slice, so that it takes
// many slices even for a small drawing, for one test.
struct SmallSlices {
    int saved = dragLayerSliceTiles;
    SmallSlices() { dragLayerSliceTiles = 1; }
    ~SmallSlices() { dragLayerSliceTiles = saved; }
};

// Lets the event loop run until a lifted picture is drawn whole; false when
// it was not within a few seconds.
bool completePicture()
{
    for (int i = 0; i < 500 && dragLayerCompleting(); ++i)
        QTest::qWait(10);
    return !dragLayerCompleting();
}

// The select tool chosen and the grid two inches apart shown, at `zoom`.
void selectOverLargeGrid(QTMainFrm& window, QTChildFrm& document, float zoom)
{
    editsession::chooseMode(window, EditMode::Select);
    document.figContext->gridOn = true;
    document.figContext->gridIndex = 3;
    document.figContext->zoom = zoom;
    document.redisplayCanvas();
}

// Moves of `count` steps of `step` Fig units right and down from (x, y).
Steps diagonal(int x, int y, int count, int step)
{
    Steps moves;
    for (int i = 1; i <= count; ++i)
        moves.push_back({ 'm', x + i * step, y + i * step });
    return moves;
}

} // namespace

class TestDragPreview : public QObject {
    Q_OBJECT
private slots:
    // Each row: the tool, the steps that pick (and with the select tool
    // perhaps select more), then the moves of the drag, checked one by one,
    // and the step that ends it; with `picture` the select tool moves a
    // picture of the objects where no linked line has to stretch.
    void canvasMatchesWholeRedraw_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Steps>("start");
        QTest::addColumn<Steps>("moves");
        QTest::addColumn<Step>("end");
        QTest::addColumn<bool>("steps");
        QTest::addColumn<bool>("picture");
        const Steps moves { { 'm', 1350, 1200 }, { 'm', 1650, 1500 }, { 'm', 2550, 2250 }, { 'm', 2700, 2400 } };
        QTest::newRow("linked box dragged over the others")
            << int(EditMode::Select) << Steps { { 'm', 1200, 600 }, { 'p', 1200, 600 } } << moves
            << Step { 'r', 2700, 2400 } << true << false;
        QTest::newRow("everything selected and dragged")
            << int(EditMode::Select) << Steps { { 'k', Qt::Key_A }, { 'm', 1200, 600 }, { 'p', 1200, 600 } } << moves
            << Step { 'r', 2700, 2400 } << true << false;
        QTest::newRow("compound holding a linked line dragged")
            << int(EditMode::Select) << Steps { { 'm', 2400, 2700 }, { 'p', 2400, 2700 } } << moves
            << Step { 'r', 2700, 2400 } << true << false;
        QTest::newRow("drag cancelled with a right press")
            << int(EditMode::Select) << Steps { { 'm', 1200, 600 }, { 'p', 1200, 600 } } << moves
            << Step { 'R', 2700, 2400 } << false << false;
        QTest::newRow("copy of the box following the pointer")
            << int(EditMode::Copy) << Steps { { 'm', 1200, 600 }, { 'c', 1200, 600 } } << moves
            << Step { 'c', 2700, 2400 } << true << false;
        QTest::newRow("corner of the linked box moved")
            << int(EditMode::Select) << Steps { { 'm', 1800, 1500 }, { 'p', 1800, 1500 } } << moves
            << Step { 'r', 2700, 2400 } << true << false;
        QTest::newRow("end of the arrow line moved")
            << int(EditMode::Select) << Steps { { 'm', 2100, 300 }, { 'p', 2100, 300 } } << moves
            << Step { 'r', 2700, 2400 } << true << false;
        QTest::newRow("everything selected, as a picture")
            << int(EditMode::Select) << Steps { { 'k', Qt::Key_A }, { 'm', 1200, 600 }, { 'p', 1200, 600 } } << moves
            << Step { 'r', 2700, 2400 } << true << true;
        QTest::newRow("compound as a picture")
            << int(EditMode::Select) << Steps { { 'm', 2400, 2700 }, { 'p', 2400, 2700 } } << moves
            << Step { 'r', 2700, 2400 } << true << true;
        QTest::newRow("ellipse as a picture, released elsewhere")
            << int(EditMode::Select) << Steps { { 'm', 1650, 1200 }, { 'p', 1650, 1200 } } << moves
            << Step { 'r', 3000, 2700 } << true << true;
        QTest::newRow("ellipse as a picture, cancelled")
            << int(EditMode::Select) << Steps { { 'm', 1650, 1200 }, { 'p', 1650, 1200 } } << moves
            << Step { 'R', 2700, 2400 } << false << true;
    }
    void canvasMatchesWholeRedraw()
    {
        QFETCH(int, mode);
        QFETCH(Steps, start);
        QFETCH(Steps, moves);
        QFETCH(Step, end);
        QFETCH(bool, steps);
        QFETCH(bool, picture);
        PictureDrags pictures(picture);
        editsession::run(drawing, [&](QTMainFrm& window, QTChildFrm& document) {
            const QList<QByteArray> original = editsession::savedObjectLines(document);
            editsession::chooseMode(window, mode);
            editsession::CanvasInput input(document);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            editsession::play(input, start);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            for (const Step& move : moves) {
                editsession::play(input, { move });
                QVERIFY(isGestureInProgress());
                const int off = editsession::pixelsOffRedraw(document);
                QVERIFY2(
                    off == 0, qPrintable(QStringLiteral("%1 pixels off at %2, %3").arg(off).arg(move.x).arg(move.y)));
            }
            editsession::play(input, { end });
            QVERIFY(!isGestureInProgress());
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            const QList<QByteArray> after = editsession::savedObjectLines(document);
            QCOMPARE(after != original, steps);
            if (!steps)
                return;
            input.shortcut(Qt::Key_Z);
            QCOMPARE(editsession::savedObjectLines(document), original);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            input.shortcut(Qt::Key_Y);
            QCOMPARE(editsession::savedObjectLines(document), after);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
        });
    }

    // A picture taken from the canvas (everything selected, or a compound
    // nothing else overlaps) shows at every step, and after the drop, the
    // same pixels as one drawn of the objects: where a grid lies behind them
    // (white fills over its lines), where the canvas did not show all of
    // them, and where they land on other objects; over a long drag whose
    // moves pass the strips drawn around the grid's lines time and again, and
    // once the event loop has drawn the lifted picture whole, tile by tile
    // (a move 'i' runs the event loop until then; the picture of a drag that
    // lifts none has nothing to draw). Each row: the grid,
    // the scroll origin before the drag (the objects cross the canvas's
    // corner), the steps that pick and the moves.
    void liftedPictureMatchesDrawnOne_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<Steps>("start");
        QTest::addColumn<Steps>("moves");
        // Pressed on the edge of the loose box; a compound is taken at a
        // corner.
        const Steps selectAll { { 'k', Qt::Key_A }, { 'm', 3600, 450 }, { 'p', 3600, 450 } };
        const Steps moves { { 'm', 3615, 450 }, { 'm', 3645, 480 }, { 'm', 3780, 675 }, { 'm', 4650, 1155 },
            { 'm', 3555, 405 } };
        constexpr int large = 3; // two inches apart
        QTest::newRow("everything selected") << 0 << QPoint(0, 0) << selectAll << moves;
        QTest::newRow("everything selected over the grid") << large << QPoint(0, 0) << selectAll << moves;
        QTest::newRow("everything selected, partly out of view") << 0 << QPoint(45, 30) << selectAll << moves;
        QTest::newRow("everything selected, out of view over the grid")
            << large << QPoint(45, 30) << selectAll << moves;
        QTest::newRow("compound dragged onto the other objects")
            << 0 << QPoint(0, 0) << Steps { { 'm', 150, 150 }, { 'p', 150, 150 } }
            << Steps { { 'm', 165, 165 }, { 'm', 600, 300 }, { 'm', 1500, 600 }, { 'm', 1650, 615 } };
        // Three pixels a move, over two grid lines each way.
        QTest::newRow("everything selected over the grid, a long drag")
            << large << QPoint(0, 0) << selectAll << diagonal(3600, 450, 60, 45);
        QTest::newRow("everything selected over the grid, completed during the drag")
            << large << QPoint(0, 0) << selectAll
            << diagonal(3600, 450, 8, 45) + Steps { { 'i' } } + diagonal(3960, 810, 20, 45)
                + Steps { { 'm', 4650, 1155 }, { 'm', 3555, 405 } };
        QTest::newRow("everything selected, out of view, completed during the drag")
            << large << QPoint(45, 30) << selectAll << Steps { { 'm', 3615, 450 }, { 'i' } } + moves;
    }
    void liftedPictureMatchesDrawnOne()
    {
        QFETCH(int, grid);
        QFETCH(QPoint, origin);
        QFETCH(Steps, start);
        QFETCH(Steps, moves);
        PictureDrags pictures(true);
        SmallSlices slices;
        QList<QImage> shown[2];
        for (int lifts = 0; lifts < 2; ++lifts) {
            const bool saved = dragLayerLiftsCanvas;
            dragLayerLiftsCanvas = lifts == 1;
            editsession::run(blocks(), [&](QTMainFrm& window, QTChildFrm& document) {
                editsession::chooseMode(window, EditMode::Select);
                document.figContext->gridOn = grid != 0;
                document.figContext->gridIndex = grid;
                document.figContext->originX = origin.x();
                document.figContext->originY = origin.y();
                document.redisplayCanvas();
                editsession::CanvasInput input(document);
                editsession::play(input, start);
                Step last {};
                for (const Step& move : moves) {
                    if (move.op == 'i') {
                        QVERIFY(completePicture());
                        QVERIFY(!dragLayerLifted());
                        continue;
                    }
                    last = move;
                    editsession::play(input, { move });
                    QVERIFY(isGestureInProgress());
                    // The first step takes the picture from the canvas; a
                    // later one may find it cheaper to draw it whole.
                    if (shown[lifts].isEmpty())
                        QCOMPARE(dragLayerLifted(), lifts == 1);
                    shown[lifts].push_back(document.canvasImage->copy());
                }
                editsession::play(input, { { 'r', last.x, last.y } });
                shown[lifts].push_back(document.canvasImage->copy());
                QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            });
            dragLayerLiftsCanvas = saved;
        }
        QCOMPARE(shown[1].size(), shown[0].size());
        for (int i = 0; i < shown[0].size(); ++i) {
            const QImage& drawn = shown[0][i];
            const QImage& lifted = shown[1][i];
            QCOMPARE(lifted.size(), drawn.size());
            // A drawn picture is blended onto the canvas after it is drawn,
            // so its smoothed edges may round one step apart from the same
            // edges drawn onto the canvas directly, as the lifted ones were.
            int off = 0;
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x) {
                    const QRgb a = drawn.pixel(x, y);
                    const QRgb b = lifted.pixel(x, y);
                    const bool near = std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1
                        && std::abs(qBlue(a) - qBlue(b)) <= 1 && qAlpha(a) == qAlpha(b);
                    off += near ? 0 : 1;
                }
            }
            QVERIFY2(off == 0, qPrintable(QStringLiteral("%1 pixels off at step %2").arg(off).arg(i + 1)));
        }
    }

    // What ends or redraws a drag while the event loop is still drawing a
    // lifted picture whole leaves nothing of it behind: after a
    // drop or a cancel the event loop draws nothing more, and after a
    // whole-canvas redraw or a zoom the drag goes on with a picture of the
    // new view, completed in turn, and the drop leaves the canvas as a
    // whole-canvas redraw does. Each row: what happens after the first
    // moves ('r' drop, 'R' cancel, 'w' whole-canvas redraw, 'z' zoom).
    void completionEndsWithTheDrag_data()
    {
        QTest::addColumn<char>("event");
        QTest::newRow("drop") << 'r';
        QTest::newRow("cancel") << 'R';
        QTest::newRow("whole-canvas redraw") << 'w';
        QTest::newRow("zoom") << 'z';
    }
    void completionEndsWithTheDrag()
    {
        QFETCH(char, event);
        PictureDrags pictures(true);
        SmallSlices slices;
        editsession::run(blocks(), [&](QTMainFrm& window, QTChildFrm& document) {
            selectOverLargeGrid(window, document, 1);
            const QList<QByteArray> original = editsession::savedObjectLines(document);
            editsession::CanvasInput input(document);
            editsession::play(input, { { 'k', Qt::Key_A }, { 'm', 3600, 450 }, { 'p', 3600, 450 } });
            editsession::play(input, diagonal(3600, 450, 3, 45));
            QVERIFY(dragLayerLifted());
            QVERIFY(dragLayerCompleting());
            // A slice or so drawn, far from all.
            QCoreApplication::processEvents();
            QVERIFY(dragLayerCompleting());
            switch (event) {
            case 'r':
            case 'R':
                editsession::play(input, { { event, 3735, 585 } });
                QVERIFY(!isGestureInProgress());
                QVERIFY(!dragLayerCompleting());
                QTest::qWait(50);
                QCOMPARE(editsession::pixelsOffRedraw(document), 0);
                QCOMPARE(editsession::savedObjectLines(document) != original, event == 'r');
                return;
            case 'z':
                document.figContext->zoom = 2;
                document.redisplayCanvas();
                break;
            default:
                document.redisplayCanvas();
                break;
            }
            // The canvas was kept anew and its picture lifted again.
            QVERIFY(dragLayerLifted());
            QVERIFY(dragLayerCompleting());
            QVERIFY(completePicture());
            QVERIFY(!dragLayerLifted());
            editsession::play(input, diagonal(3735, 585, 10, 45));
            editsession::play(input, { { 'r', 4185, 1035 } });
            QVERIFY(!dragLayerCompleting());
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QVERIFY(editsession::savedObjectLines(document) != original);
        });
    }

    // A drag that moves on steadily finds its lifted picture drawn where it
    // needs it: the idle time between moves draws first what the coming
    // moves need (the grid lines coming under the objects, the objects
    // coming into view), so that no move after the first draws strips of
    // its own. Here the idle time draws one tile a move, and the moves
    // (three pixels each) cross grid lines and bring objects into view.
    void steadyDragFindsThePictureDrawn()
    {
        PictureDrags pictures(true);
        SmallSlices slices;
        editsession::run(blocks(), [&](QTMainFrm& window, QTChildFrm& document) {
            selectOverLargeGrid(window, document, 3);
            editsession::CanvasInput input(document);
            editsession::play(input, { { 'k', Qt::Key_A }, { 'm', 3600, 450 }, { 'p', 3600, 450 } });
            const Steps moves = diagonal(3600, 450, 60, 15);
            for (const Step& move : moves) {
                editsession::play(input, { move });
                QVERIFY(dragLayerLifted() || !dragLayerCompleting());
                QCoreApplication::processEvents();
            }
            QCOMPARE(dragLayerStripSteps(), 0);
            editsession::play(input, { { 'r', moves.back().x, moves.back().y } });
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
        });
    }

    // The moves of a drag are drawn onto the canvas only, never into the
    // drawing: between two moves every object is where it was, the linked
    // lines included, and the drop moves them once.
    void dragLeavesTheDrawingUntilTheDrop()
    {
        editsession::run(drawing, [&](QTMainFrm& window, QTChildFrm& document) {
            const QList<QByteArray> original = editsession::savedObjectLines(document);
            editsession::chooseMode(window, EditMode::Select);
            editsession::CanvasInput input(document);
            editsession::play(input, { { 'm', 1200, 600 }, { 'p', 1200, 600 }, { 'm', 1500, 900 } });
            QCOMPARE(editsession::savedObjectLines(document), original);
            editsession::play(input, { { 'm', 1800, 1200 } });
            QCOMPARE(editsession::savedObjectLines(document), original);
            editsession::play(input, { { 'r', 1800, 1200 } });
            const QList<QByteArray> moved = editsession::savedObjectLines(document);
            QVERIFY(moved != original);
            // The box moved by (600, 600) and both line ends on it followed.
            QVERIFY(moved.contains("\t 1200 1200 2400 1200 2400 2100 1200 2100 1200 1200"));
            QVERIFY(moved.contains("\t 3600 300 2400 1500"));
            QVERIFY(moved.contains("\t 3600 2700 1800 2100"));
        });
    }
};

TAVREL_TEST_MAIN(TestDragPreview)
#include "tst_dragpreview.moc"
