// Moving single points with the mouse in the select mode: a press on a point
// of an object and a drag move that point as one undo step, for each kind
// of object; the line constraints bend an end point's drop; refused moves,
// clicks without a drag and cancelled drags leave the drawing, the undo
// history and the modified mark alone.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/testenv.h"

#include <QtTest>

using editsession::Step;
using editsession::Steps;

namespace {

const QByteArray polyline = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n";
const QByteArray polygon = "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n";
// Through (600, 1200), (1200, 600) and (1800, 1200) around (1200, 1200).
const QByteArray arcHeader = "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 ";
const QByteArray arc = arcHeader + "1200.000 1200.000 600 1200 1200 600 1800 1200\n";
const QByteArray circleHeader = "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 ";
const QByteArray circle = circleHeader + "1200 1200 300 300 1200 1200 1500 1200\n";
const QByteArray spline = "3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n";
const QByteArray splineFactors = "\t 0.000 1.000 0.000\n";

QList<QByteArray> lines(const QByteArray& objects)
{
    return editsession::objectLines(editsession::figText(objects));
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestPointMove : public QObject {
    Q_OBJECT

private slots:
    void init() { clearLineConstraints(); }
    void cleanup() { clearLineConstraints(); }

    void movePoint_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<bool>("manhattan");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QByteArray>("expected"); // empty: unchanged, no step
        QTest::newRow("an interior point of a polyline")
            << polyline + "\t 600 600 1200 1200 1800 600\n" << false
            << Steps { { 'm', 1200, 1200 }, { 'd', 1200, 1500 } } << polyline + "\t 600 600 1200 1500 1800 600\n";
        QTest::newRow("the first point of a polygon takes its closing copy along")
            << polygon + "\t 600 600 1800 600 1200 1500 600 600\n" << false
            << Steps { { 'm', 600, 600 }, { 'd', 300, 300 } } << polygon + "\t 300 300 1800 600 1200 1500 300 300\n";
        QTest::newRow("an end point under the Manhattan constraint lands on the axis")
            << polyline + "\t 600 600 1200 1200 1800 600\n" << true
            << Steps { { 'm', 1800, 600 }, { 'd', 2400, 690 } } << polyline + "\t 600 600 1200 1200 2400 600\n";
        QTest::newRow("an interior point ignores the constraint")
            << polyline + "\t 600 600 1200 1200 1800 600\n" << true
            << Steps { { 'm', 1200, 1200 }, { 'd', 1500, 1290 } } << polyline + "\t 600 600 1500 1290 1800 600\n";
        QTest::newRow("the end point of a circle sets its radius")
            << circle << false << Steps { { 'm', 1500, 1200 }, { 'd', 1800, 1200 } }
            << circleHeader + "1200 1200 600 600 1200 1200 1800 1200\n";
        QTest::newRow("the middle point of an arc moves its centre")
            << arc << false << Steps { { 'm', 1200, 600 }, { 'd', 1200, 300 } }
            << arcHeader + "1200.000 950.000 600 1200 1200 300 1800 1200\n";
        QTest::newRow("a point of a spline")
            << spline + "\t 600 600 1200 1200 1800 600\n" + splineFactors << false
            << Steps { { 'm', 1200, 1200 }, { 'd', 1200, 1500 } }
            << spline + "\t 600 600 1200 1500 1800 600\n" + splineFactors;
        QTest::newRow("an arc point that would straighten the arc is refused")
            << arc << false << Steps { { 'm', 1200, 600 }, { 'd', 1200, 1200 } } << QByteArray();
        QTest::newRow("a press and release without a move")
            << polyline + "\t 600 600 1200 1200 1800 600\n" << false << Steps { { 'c', 1200, 1200 } } << QByteArray();
        QTest::newRow("a press at the centre of a circle drags the circle")
            << circle << false << Steps { { 'm', 1200, 1200 }, { 'd', 1500, 1500 } }
            << circleHeader + "1500 1500 300 300 1500 1500 1800 1500\n";
        QTest::newRow("a right press cancels the drag")
            << polyline + "\t 600 600 1200 1200 1800 600\n" << false
            << Steps { { 'm', 1200, 1200 }, { 'p', 1200, 1200 }, { 'm', 1200, 1350 }, { 'm', 1200, 1500 },
                   { 'R', 1200, 1500 }, { 'r', 1200, 1500 } }
            << QByteArray();
    }
    void movePoint()
    {
        QFETCH(QByteArray, objects);
        QFETCH(bool, manhattan);
        QFETCH(Steps, steps);
        QFETCH(QByteArray, expected);
        editsession::run(editsession::figText(objects), [&](QTMainFrm& window, QTChildFrm& document) {
            constraintModes.manhattan = manhattan ? 1 : 0;
            CFigContext& context = *document.figContext;
            editsession::CanvasInput input(document);
            editsession::play(input, steps);
            QCOMPARE(editMode, int(EditMode::Select));
            QVERIFY(!canvasAction.actionInProgress);
            QVERIFY(!context.editCopy);
            if (expected.isEmpty()) {
                QVERIFY(context.undoHistory.undoSteps.isEmpty());
                QVERIFY(!context.modified);
                QCOMPARE(editsession::savedObjectLines(document), lines(objects));
                return;
            }
            QCOMPARE(editsession::savedObjectLines(document), lines(expected));
            QCOMPARE(context.undoHistory.undoSteps.size(), 1);
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), lines(objects));
        });
    }
};

TAVREL_TEST_MAIN(TestPointMove)
#include "tst_pointmove.moc"
