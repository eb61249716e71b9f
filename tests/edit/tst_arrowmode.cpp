// The arrow tool in a running program: a click on the first or last point of
// a line or arc puts an arrowhead of the tool's kind there, a second click
// takes it off again, each one undo step; clicks on other points, or on
// objects that cannot carry arrows, change nothing and leave the document
// unmodified.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"

#include <QToolButton>

namespace {

const QByteArray polyline = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n";
const QByteArray polylinePoints = "\t 600 600 1800 600 1800 1500\n";
const QByteArray arc = "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 1500.000 3000.000 600 3000 1500 2100 2400 3000\n";
const QByteArray box = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 3000 600 3900 600 3900 1500 3000 1500 3000 600\n";
const QByteArray polygon = "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 3000 2400 3900 2400 3900 3300 3000 2400\n";

const QByteArray figure = editsession::figText(polyline + polylinePoints + arc + box + polygon);

// Kind 2 of the tool: arrow type 1, style 1, sized by the line width 1.
const QByteArray arrowLine = "\t1 1 1.00 60.00 120.00\n";

QList<QByteArray> lines(const QByteArray& objects)
{
    return editsession::objectLines(editsession::figText(objects));
}

} // namespace

class TestArrowMode : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup() { init(); }

    // One click, one undo, the same click twice (on, then off again).
    void clicks_data()
    {
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QList<QByteArray>>("after");
        const QList<QByteArray> unchanged = lines(polyline + polylinePoints + arc + box + polygon);
        QTest::newRow("last point of a polyline: forward arrow")
            << QPoint(1800, 1500)
            << lines("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 0 3\n" + arrowLine + polylinePoints + arc + box + polygon);
        QTest::newRow("first point of a polyline: backward arrow")
            << QPoint(600, 600)
            << lines("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 1 3\n" + arrowLine + polylinePoints + arc + box + polygon);
        QTest::newRow("last point of an arc: forward arrow")
            << QPoint(2400, 3000)
            << lines(polyline + polylinePoints
                   + "5 1 0 1 0 7 50 -1 -1 0.000 0 0 1 0 1500.000 3000.000 600 3000 1500 2100 2400 3000\n" + arrowLine
                   + box + polygon);
        QTest::newRow("first point of an arc: backward arrow")
            << QPoint(600, 3000)
            << lines(polyline + polylinePoints
                   + "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 1 1500.000 3000.000 600 3000 1500 2100 2400 3000\n" + arrowLine
                   + box + polygon);
        QTest::newRow("interior point of a polyline: nothing") << QPoint(1800, 600) << unchanged;
        QTest::newRow("middle point of an arc: nothing") << QPoint(1500, 2100) << unchanged;
        QTest::newRow("corner of a box: nothing") << QPoint(3000, 600) << unchanged;
        QTest::newRow("first point of a polygon: nothing") << QPoint(3000, 2400) << unchanged;
        QTest::newRow("beside every object: nothing") << QPoint(6000, 6000) << unchanged;
    }
    void clicks()
    {
        QFETCH(QPoint, click);
        QFETCH(QList<QByteArray>, after);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            currentAttrs.arrowType = 2;
            // The arrow on the current attributes' ends is not the tool's.
            currentAttrs.forwArrow = 5;
            currentAttrs.backArrow = 7;
            QToolButton* button = window.shapesToolbar->modeButton(EditMode::Arrow);
            QVERIFY(button);
            button->click();
            QCOMPARE(editMode, int(EditMode::Arrow));
            CFigContext* ctx = document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QCOMPARE(before, editsession::objectLines(figure));
            ctx->clearModified();
            const bool changes = after != before;
            const int steps = ctx->undoHistory.undoSteps.size();

            editsession::CanvasInput input(document);
            input.move(click.x(), click.y());
            input.click(click.x(), click.y());
            QCOMPARE(ctx->undoHistory.undoSteps.size(), steps + (changes ? 1 : 0));
            QCOMPARE(ctx->modified, changes);
            QCOMPARE(editsession::savedObjectLines(document), after);
            if (!changes)
                return;

            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
            window.redo();
            QCOMPARE(editsession::savedObjectLines(document), after);

            // The second click takes the arrow off again, as a step of its own.
            input.click(click.x(), click.y());
            QCOMPARE(ctx->undoHistory.undoSteps.size(), steps + 2);
            QCOMPARE(editsession::savedObjectLines(document), before);
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), after);
        });
    }
};

TAVREL_TEST_MAIN(TestArrowMode)
#include "tst_arrowmode.moc"
