// Drawing polylines and polygons with the mouse in a running program: the
// tool panel chooses the mode, presses on the document window's canvas
// place the points, the saved file holds the new object; the drawing
// constraints bend the points; one undo gives the file back as it was.
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/drawingattributes.h"

namespace {

// One line far from where the tests draw, so that no press snaps to it.
const QByteArray figure = editsession::figText("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                               "\t 4500 4500 5400 4500\n");

// A new polyline or polygon with the start attributes and the new
// document's colours.
QByteArray lineHeader(int subType, int points, int forward = 0, int backward = 0)
{
    return QByteArray("2 ") + QByteArray::number(subType) + " 0 1 0 7 50 0 -1 4.000 0 0 0 "
        + QByteArray::number(forward) + ' ' + QByteArray::number(backward) + ' ' + QByteArray::number(points);
}

struct Press {
    int x;
    int y;
    bool right;
};

using Presses = QList<Press>;

// Each press with a move to it first, as a hand on the mouse makes them.
void pressAll(editsession::CanvasInput& input, const Presses& presses)
{
    for (const Press& p : presses) {
        input.move(p.x, p.y);
        input.click(p.x, p.y, p.right ? Qt::RightButton : Qt::LeftButton);
    }
}

// The file's lines with the new object's lines appended.
QList<QByteArray> withObject(const QList<QByteArray>& object)
{
    return editsession::objectLines(figure) + object;
}

} // namespace

Q_DECLARE_METATYPE(Presses)

class TestLineMode : public QObject {
    Q_OBJECT

    // Draws in `mode`, compares the saved file with the file before plus
    // `object`, undoes once and compares again with the file before.
    void drawAndUndo(
        QTMainFrm& window, QTChildFrm& document, int mode, const Presses& presses, const QList<QByteArray>& object)
    {
        const QList<QByteArray> before = editsession::savedObjectLines(document);
        QCOMPARE(before, editsession::objectLines(figure));
        editsession::chooseMode(window, mode);
        editsession::CanvasInput input(document);
        const int steps = document.figContext->undoHistory.undoSteps.size();
        pressAll(input, presses);
        QCOMPARE(editsession::savedObjectLines(document), withObject(object));
        QCOMPARE(document.figContext->undoHistory.undoSteps.size(), steps + 1);
        // The new object is the current, selected one, and the mode is ready
        // for the next.
        FigObject* current = document.figContext->currentObject;
        QVERIFY(current);
        QVERIFY(current->selected);
        QCOMPARE(current->markerState, 2);
        QVERIFY(!canvasAction.actionInProgress);
        QVERIFY(!document.figContext->newChainHead);
        window.undo();
        QCOMPARE(editsession::savedObjectLines(document), before);
    }

private slots:
    void init()
    {
        currentAttrs = DrawingAttributes();
        clearLineConstraints();
    }
    void cleanup() { init(); }

    void drawing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("forwardArrow");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<QList<QByteArray>>("object");
        const int polyline = EditMode::Polyline;
        const int polygon = EditMode::Polygon;
        QTest::newRow("polyline: two left presses and a right one")
            << polyline << false << Presses { { 600, 600, false }, { 1800, 600, false }, { 1800, 1500, true } }
            << QList<QByteArray> { lineHeader(1, 3), "\t 600 600 1800 600 1800 1500" };
        QTest::newRow("polygon: the same presses, closed")
            << polygon << false << Presses { { 600, 600, false }, { 1800, 600, false }, { 1800, 1500, true } }
            << QList<QByteArray> { lineHeader(3, 4), "\t 600 600 1800 600 1800 1500 600 600" };
        QTest::newRow("polygon: the right press on the last point adds none")
            << polygon << false << Presses { { 600, 600, false }, { 1800, 600, false }, { 1800, 600, true } }
            << QList<QByteArray> { lineHeader(3, 3), "\t 600 600 1800 600 600 600" };
        QTest::newRow("polygon: a right press after one point is no finish")
            << polygon << false
            << Presses { { 600, 600, false }, { 1200, 900, true }, { 1800, 600, false }, { 1800, 1500, true } }
            << QList<QByteArray> { lineHeader(3, 4), "\t 600 600 1800 600 1800 1500 600 600" };
        QTest::newRow("polyline: a lone right press, no arrows")
            << polyline << true << Presses { { 900, 900, true } }
            << QList<QByteArray> { lineHeader(1, 1), "\t 900 900" };
        QTest::newRow("polyline: right press on the one left press, no arrows")
            << polyline << true << Presses { { 900, 900, false }, { 900, 900, true } }
            << QList<QByteArray> { lineHeader(1, 1), "\t 900 900" };
        QTest::newRow("polyline with a forward arrow")
            << polyline << true << Presses { { 600, 600, false }, { 1800, 600, true } }
            << QList<QByteArray> { lineHeader(1, 2, 1), "\t1 1 1.00 60.00 120.00", "\t 600 600 1800 600" };
        QTest::newRow("polygon never has arrows")
            << polygon << true << Presses { { 600, 600, false }, { 1800, 600, false }, { 1800, 1500, true } }
            << QList<QByteArray> { lineHeader(3, 4), "\t 600 600 1800 600 1800 1500 600 600" };
    }
    void drawing()
    {
        QFETCH(int, mode);
        QFETCH(bool, forwardArrow);
        QFETCH(Presses, presses);
        QFETCH(QList<QByteArray>, object);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            // Kind 2: arrow type 1, filled.
            currentAttrs.forwArrowOn = forwardArrow;
            currentAttrs.forwArrow = 2;
            drawAndUndo(window, document, mode, presses, object);
        });
    }

    // Two objects in a row: the mode is prepared again after each, and each
    // is one undo step.
    void oneAfterTheOther()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, EditMode::Polyline);
            editsession::CanvasInput input(document);
            pressAll(input, { { 600, 600, false }, { 1200, 600, true } });
            pressAll(input, { { 600, 1200, false }, { 1200, 1200, false }, { 1200, 1800, true } });
            const QList<QByteArray> first { lineHeader(1, 2), "\t 600 600 1200 600" };
            const QList<QByteArray> second { lineHeader(1, 3), "\t 600 1200 1200 1200 1200 1800" };
            QCOMPARE(editsession::savedObjectLines(document), withObject(first + second));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), withObject(first));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(figure));
        });
    }

    // The constraints bend every placed point, the right press's included.
    void constraints_data()
    {
        QTest::addColumn<QString>("constraint");
        QTest::addColumn<int>("snapMode");
        QTest::addColumn<int>("grid");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<QByteArray>("points");
        const Presses slope { { 1200, 1200, false }, { 2205, 1605, true } };
        QTest::newRow("manhattan") << "manhattan" << 0 << 0 << Presses { { 1200, 1200, false }, { 2400, 1500, true } }
                                   << QByteArray("\t 1200 1200 2400 1200");
        QTest::newRow("manhattan, three points")
            << "manhattan" << 0 << 0 << Presses { { 1200, 1200, false }, { 2400, 1500, false }, { 2700, 2400, true } }
            << QByteArray("\t 1200 1200 2400 1200 2400 2400");
        QTest::newRow("mountain") << "mountain" << 0 << 0 << Presses { { 1200, 1200, false }, { 2400, 1500, true } }
                                  << QByteArray("\t 1200 1200 2400 2400");
        QTest::newRow("manhattan and mountain")
            << "mounthattan" << 0 << 0 << Presses { { 1200, 2400, false }, { 2400, 1650, true } }
            << QByteArray("\t 1200 2400 2400 1200");
        // Slope 5:2, steps of 5 units.
        QTest::newRow("latex line, grid snapping without a grid")
            << "latexline" << 1 << 0 << slope << QByteArray("\t 1200 1200 2205 1602");
        // The press goes to (2220, 1620) first.
        QTest::newRow("latex line, grid snapping on a grid")
            << "latexline" << 1 << 1 << slope << QByteArray("\t 1200 1200 2220 1608");
        // Steps of the grid's 60 units: lengths in 300 units.
        QTest::newRow("latex line, a grid without snapping")
            << "latexline" << 0 << 1 << slope << QByteArray("\t 1200 1200 2100 1560");
        // No step to round to: whole units of the slope.
        QTest::newRow("latex line, neither grid nor snapping")
            << "latexline" << 0 << 0 << slope << QByteArray("\t 1200 1200 2205 1602");
        // Arrows have no 5:2 slope: 3:1.
        QTest::newRow("latex arrow, grid snapping without a grid")
            << "latexarrow" << 1 << 0 << slope << QByteArray("\t 1200 1200 2205 1535");
        QTest::newRow("latex arrow, a grid without snapping")
            << "latexarrow" << 0 << 1 << slope << QByteArray("\t 1200 1200 2280 1560");
        QTest::newRow("latex arrow, neither grid nor snapping")
            << "latexarrow" << 0 << 0 << slope << QByteArray("\t 1200 1200 2205 1535");
    }
    void constraints()
    {
        QFETCH(QString, constraint);
        QFETCH(int, snapMode);
        QFETCH(int, grid);
        QFETCH(Presses, presses);
        QFETCH(QByteArray, points);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            // As the constraint menu sets them.
            if (constraint == "manhattan")
                window.setManhattan(true);
            else if (constraint == "mountain")
                window.setMountain(true);
            else if (constraint == "mounthattan")
                window.setMounthattan(true);
            else if (constraint == "latexline")
                window.setLatexline(true);
            else
                window.setLatexarrow(true);
            preferences.snapMode = snapMode;
            window.setGrid(grid, document.figContext);
            // The grid's step of 600 units divided by 10.
            document.figContext->magnetMode = 0;
            const int count = int(points.count(' ')) / 2;
            drawAndUndo(
                window, document, EditMode::Polyline, presses, QList<QByteArray> { lineHeader(1, count), points });
        });
    }

    // An arrow taken from a line (clicked in the select mode, which shows
    // its attributes) comes out with the same sizes on a new polyline or
    // open spline, whatever the line's width, with relative sizes as with
    // absolute ones. (Relative sizes are multiples of the line width: taken
    // by dividing by the clicked line's width, they are multiplied by the
    // new line's width again.)
    void takenArrowKeepsItsSizes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("arrow");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<int>("mode");
        const int polyline = EditMode::Polyline;
        const int spline = EditMode::Spline;
        const QByteArray usual = "\t0 0 4.00 60.00 120.00";
        for (int width : { 1, 2, 3, 7 }) {
            for (bool absolute : { false, true }) {
                QTest::addRow("width %d, %s sizes, polyline", width, absolute ? "absolute" : "relative")
                    << width << usual << absolute << polyline;
            }
        }
        QTest::newRow("width 3, sizes not a multiple, relative, polyline")
            << 3 << QByteArray("\t2 1 1.50 47.00 98.00") << false << polyline;
        QTest::newRow("width 1, relative, open spline") << 1 << usual << false << spline;
        QTest::newRow("width 7, relative, open spline")
            << 7 << QByteArray("\t1 1 2.00 75.00 150.00") << false << spline;
    }
    void takenArrowKeepsItsSizes()
    {
        QFETCH(int, width);
        QFETCH(QByteArray, arrow);
        QFETCH(bool, absolute);
        QFETCH(int, mode);
        const QByteArray source = "2 1 0 " + QByteArray::number(width) + " 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n" + arrow
            + "\n\t 600 3000 3000 3000\n";
        editsession::run(editsession::figText(source), [&](QTMainFrm& window, QTChildFrm& document) {
            currentAttrs.arrowSizeMode = absolute;
            QCOMPARE(editMode, int(EditMode::Select));
            editsession::CanvasInput input(document);
            input.move(1800, 3000);
            input.click(1800, 3000);
            QCOMPARE(document.figContext->currentObject, document.figContext->drawing.objects.front());
            const QList<QByteArray> before = editsession::savedObjectLines(document);

            editsession::chooseMode(window, mode);
            pressAll(input, { { 600, 600, false }, { 1800, 600, false }, { 1800, 1200, true } });
            const QList<QByteArray> after = editsession::savedObjectLines(document);
            QCOMPARE(after.size(), before.size() + (mode == EditMode::Spline ? 4 : 3));
            const QList<QByteArray> header = after[before.size()].split(' ');
            QCOMPARE(header.value(3), QByteArray::number(width));
            QCOMPARE(header.value(mode == EditMode::Spline ? 11 : 13), QByteArray("1"));
            QCOMPARE(after[before.size() + 1], arrow);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // An arrow chosen in the attribute handler before drawing: its sizes
    // follow the current line width. Changing the width of the new line
    // afterwards is one undo step that resizes its arrow too.
    void arrowFromTheHandler()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, EditMode::Polyline);
            AttrsToolbarHandler& handler = *window.attrsHandler;
            handler.onLineWidth(2);
            // Combo index 4: kind 3, arrow type 2, hollow.
            handler.onForwArrow(4);
            QVERIFY(!document.figContext->currentObject);
            editsession::CanvasInput input(document);
            pressAll(input, { { 600, 600, false }, { 1800, 600, false }, { 1800, 1200, true } });
            const QList<QByteArray> drawn { "2 1 0 2 0 7 50 0 -1 6.000 0 0 0 1 0 3", "\t2 0 2.00 120.00 240.00",
                "\t 600 600 1800 600 1800 1200" };
            QCOMPARE(editsession::savedObjectLines(document), withObject(drawn));

            const int steps = document.figContext->undoHistory.undoSteps.size();
            handler.onLineWidth(3);
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), steps + 1);
            QCOMPARE(editsession::savedObjectLines(document),
                withObject({ "2 1 0 3 0 7 50 0 -1 8.000 0 0 0 1 0 3", "\t2 0 3.00 180.00 360.00",
                    "\t 600 600 1800 600 1800 1200" }));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), withObject(drawn));
        });
    }

    // The rubber line follows the pointer and leaves nothing behind: after
    // the object is drawn the canvas is what a full redraw makes of it.
    void rubberLineLeavesNoTrace()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, EditMode::Polygon);
            editsession::CanvasInput input(document);
            input.click(600, 600);
            for (int x = 900; x <= 2400; x += 300)
                input.move(x, 600 + x / 3);
            input.click(2400, 1200);
            input.move(1500, 2100);
            input.move(900, 1800);
            input.click(900, 1800, Qt::RightButton);
            const QImage afterDrawing = document.canvasImage->copy();
            document.redisplayCanvas();
            QCOMPARE(*document.canvasImage, afterDrawing);
        });
    }

    // A right press before the second point of a polygon only deselects: the
    // chain goes on with the next left press (covered above); switching to
    // another mode in the middle leaves nothing in the drawing.
    void switchingModesDropsTheChain()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, EditMode::Polyline);
            editsession::CanvasInput input(document);
            pressAll(input, { { 600, 600, false }, { 1200, 600, false } });
            QVERIFY(document.figContext->newChainHead);
            editsession::chooseMode(window, EditMode::Polygon);
            QVERIFY(!document.figContext->newChainHead);
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(figure));
            pressAll(input, { { 600, 600, false }, { 1200, 600, false }, { 1200, 1200, true } });
            QCOMPARE(editsession::savedObjectLines(document),
                withObject({ lineHeader(3, 4), "\t 600 600 1200 600 1200 1200 600 600" }));
        });
    }
};

TAVREL_TEST_MAIN(TestLineMode)
#include "tst_linemode.moc"
