// Adding and deleting points with the mouse in a running program: the
// add-point tool inserts a point into the pressed segment and drags it, the
// insertion and the move saved as one undo step (a click alone keeps the
// point where it was inserted, also as one step; a right press during the
// drag takes it back); the delete-point tool takes the clicked point out,
// and every refusal shows its message and changes nothing.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

namespace {

enum class Kind { Press, Move, Release, RightPress };

struct Event {
    Kind kind;
    int x;
    int y;
};

using Gesture = QList<Event>;

void play(editsession::CanvasInput& input, const Gesture& gesture)
{
    for (const Event& e : gesture) {
        switch (e.kind) {
        case Kind::Press:
            input.press(e.x, e.y);
            break;
        case Kind::Move:
            input.move(e.x, e.y);
            break;
        case Kind::Release:
            input.release(e.x, e.y);
            break;
        case Kind::RightPress:
            input.press(e.x, e.y, Qt::RightButton);
            input.release(e.x, e.y, Qt::RightButton);
            break;
        }
    }
}

// A press at `from`, the pointer dragged to `to` in two moves, the release
// there.
Gesture drag(int fromX, int fromY, int toX, int toY)
{
    return { { Kind::Press, fromX, fromY }, { Kind::Move, (fromX + toX) / 2, (fromY + toY) / 2 },
        { Kind::Move, toX, toY }, { Kind::Release, toX, toY } };
}

Gesture click(int x, int y)
{
    return { { Kind::Move, x, y }, { Kind::Press, x, y }, { Kind::Release, x, y } };
}

QList<QByteArray> lines(const QByteArray& objects)
{
    return editsession::objectLines(editsession::figText(objects));
}

const QByteArray lineHeader2 = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 ";
QByteArray polyline(const QByteArray& points)
{
    return lineHeader2 + QByteArray::number(points.count(' ') / 2) + "\n\t" + points + "\n";
}
QByteArray polygon(const QByteArray& points)
{
    return "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 " + QByteArray::number(points.count(' ') / 2) + "\n\t" + points
        + "\n";
}
// Sub-type, points and shape factors.
QByteArray spline(int subType, const QByteArray& points, const QByteArray& factors)
{
    return "3 " + QByteArray::number(subType) + " 0 1 0 7 50 -1 -1 0.000 0 0 0 "
        + QByteArray::number(points.count(' ') / 2) + "\n\t" + points + "\n\t " + factors + "\n";
}

const QByteArray box = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 600 600 1800 600 1800 1500 600 1500 600 600\n";
const QByteArray arrowLine = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 60.00 120.00\n\t 600 600 1800 600\n";

} // namespace

Q_DECLARE_METATYPE(Gesture)

class TestPointEditing : public QObject {
    Q_OBJECT

    // Runs the gesture in the mode on a drawing of `objects`; the saved
    // lines must be those of `after` with `steps` undo steps more (and the
    // document modified exactly then), the status bar must have shown
    // `message` when one is given, and undoing the steps must give the
    // drawing back.
    void edit(int mode, const QByteArray& objects, const Gesture& gesture, const QByteArray& after, int steps,
        const QString& message)
    {
        editsession::run(editsession::figText(objects), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            editsession::chooseMode(window, mode);
            editsession::CanvasInput input(document);
            StatusRecorder status;
            play(input, gesture);
            QVERIFY(!canvasAction.actionInProgress);
            QCOMPARE(editMode, mode);
            if (!message.isEmpty())
                QVERIFY2(status.messages.contains(message), qPrintable(status.messages.join(" | ")));
            QCOMPARE(ctx.undoHistory.undoSteps.size(), steps);
            QCOMPARE(ctx.modified, steps > 0);
            QVERIFY(!ctx.pendingActions);
            QCOMPARE(editsession::savedObjectLines(document), lines(after));
            for (int i = 0; i < steps; ++i)
                window.undo();
            QCOMPARE(editsession::savedObjectLines(document), lines(objects));
            // The mode takes the next gesture as the first.
            play(input, gesture);
            QCOMPARE(editsession::savedObjectLines(document), lines(after));
        });
    }

private slots:
    void init()
    {
        currentAttrs = DrawingAttributes();
        clearLineConstraints();
    }
    void cleanup() { init(); }

    void addPoint_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("message");
        const QByteArray open = polyline(" 600 600 1800 600");
        QTest::newRow("open polyline: dragged from the middle of the segment")
            << open << drag(1200, 600, 1200, 1200) << polyline(" 600 600 1200 1200 1800 600") << 1 << QString();
        QTest::newRow("open polyline: on the first point, before it")
            << open << drag(600, 600, 300, 300) << polyline(" 300 300 600 600 1800 600") << 1 << QString();
        QTest::newRow("open polyline: on the last point, after it")
            << open << drag(1800, 600, 2400, 900) << polyline(" 600 600 1800 600 2400 900") << 1 << QString();
        QTest::newRow("open polyline: a click keeps the point where it was inserted")
            << open << click(1200, 600) << polyline(" 600 600 1200 600 1800 600") << 1 << QString();
        QTest::newRow("polygon: on the first point, after it")
            << polygon(" 600 600 1800 600 1200 1500 600 600") << drag(600, 600, 900, 300)
            << polygon(" 600 600 900 300 1800 600 1200 1500 600 600") << 1 << QString();
        QTest::newRow("polygon: on the closing segment")
            << polygon(" 600 600 1800 600 1200 1500 600 600") << drag(900, 1050, 600, 1500)
            << polygon(" 600 600 1800 600 1200 1500 600 1500 600 600") << 1 << QString();
        QTest::newRow("open spline: its control polygon")
            << spline(0, " 600 600 1200 1200 1800 600", "0.000 1.000 0.000") << drag(900, 900, 900, 1500)
            << spline(0, " 600 600 900 1500 1200 1200 1800 600", "0.000 1.000 1.000 0.000") << 1 << QString();
        QTest::newRow("closed spline: its first segment")
            << spline(1, " 600 600 1800 600 1200 1500", "1.000 1.000 1.000") << drag(1200, 600, 1200, 300)
            << spline(1, " 600 600 1200 300 1800 600 1200 1500", "1.000 1.000 1.000 1.000") << 1 << QString();
        QTest::newRow("a right press during the drag takes the point back")
            << open
            << Gesture { { Kind::Press, 1200, 600 }, { Kind::Move, 1200, 900 }, { Kind::Move, 1200, 1200 },
                   { Kind::RightPress, 1200, 1200 }, { Kind::Release, 1200, 1200 } }
            << open << 0 << QString();
        QTest::newRow("box: refused") << box << drag(1200, 600, 1200, 300) << box << 0
                                      << QStringLiteral("Adding points to a box is not allowed");
        QTest::newRow("nothing near") << open << drag(1200, 1200, 1500, 1500) << open << 0 << QString();
    }
    void addPoint()
    {
        QFETCH(QByteArray, objects);
        QFETCH(Gesture, gesture);
        QFETCH(QByteArray, after);
        QFETCH(int, steps);
        QFETCH(QString, message);
        edit(EditMode::AddPoint, objects, gesture, after, steps, message);
    }

    // Another tool chosen in the middle of an add-point drag: the point
    // already inserted is one undo step at once, which undo takes back.
    void addPointDragLeftForAnotherTool()
    {
        const QByteArray open = polyline(" 600 600 1800 600");
        editsession::run(editsession::figText(open), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            editsession::chooseMode(window, EditMode::AddPoint);
            editsession::CanvasInput input(document);
            play(input, { { Kind::Press, 1200, 600 }, { Kind::Move, 1200, 900 } });
            editsession::chooseMode(window, EditMode::Polyline);
            QVERIFY(!ctx.pendingActions);
            QCOMPARE(ctx.undoHistory.undoSteps.size(), 1);
            QVERIFY(ctx.modified);
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), lines(open));
        });
    }

    void deletePoint_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("message");
        const QByteArray square = polygon(" 600 600 1800 600 1800 1500 600 1500 600 600");
        const QByteArray triangle = polygon(" 600 600 1800 600 1200 1500 600 600");
        QTest::newRow("quadrilateral: a corner, a triangle is left")
            << square << click(1800, 1500) << polygon(" 600 600 1800 600 600 1500 600 600") << 1 << QString();
        QTest::newRow("quadrilateral: the first corner, the closing point follows")
            << square << click(600, 600) << polygon(" 1800 600 1800 1500 600 1500 1800 600") << 1 << QString();
        QTest::newRow("triangle: refused") << triangle << click(1800, 600) << triangle << 0
                                           << QStringLiteral("A polygon cannot have less than 3 points");
        QTest::newRow("open polyline: an inner point") << polyline(" 600 600 1200 1200 1800 600") << click(1200, 1200)
                                                       << polyline(" 600 600 1800 600") << 1 << QString();
        QTest::newRow("two points without arrows: a dot is left")
            << polyline(" 600 600 1800 600") << click(1800, 600) << polyline(" 600 600") << 1 << QString();
        QTest::newRow("two points with an arrow: refused")
            << arrowLine << click(1800, 600) << arrowLine << 0 << QStringLiteral("Delete the arrows first!");
        QTest::newRow("a dot: refused") << polyline(" 600 600") << click(600, 600) << polyline(" 600 600") << 0
                                        << QStringLiteral("A dot must have at least 1 point");
        QTest::newRow("box corner: refused")
            << box << click(1800, 1500) << box << 0 << QStringLiteral("Deleting box corners is not allowed");
        QTest::newRow("open spline: an inner point")
            << spline(0, " 600 600 1200 1200 1800 600", "0.000 1.000 0.000") << click(1200, 1200)
            << spline(0, " 600 600 1800 600", "0.000 0.000") << 1 << QString();
        QTest::newRow("open spline of two points: refused")
            << spline(0, " 600 600 1800 600", "0.000 0.000") << click(600, 600)
            << spline(0, " 600 600 1800 600", "0.000 0.000") << 0
            << QStringLiteral("A spline cannot have less than 2 points");
        QTest::newRow("closed spline of four points: one")
            << spline(1, " 600 600 1800 600 1800 1500 600 1500", "1.000 1.000 1.000 1.000") << click(1800, 1500)
            << spline(1, " 600 600 1800 600 600 1500", "1.000 1.000 1.000") << 1 << QString();
        QTest::newRow("closed spline of three points: refused")
            << spline(1, " 600 600 1800 600 1200 1500", "1.000 1.000 1.000") << click(1800, 600)
            << spline(1, " 600 600 1800 600 1200 1500", "1.000 1.000 1.000") << 0
            << QStringLiteral("A closed spline cannot have less than 3 points");
    }
    void deletePoint()
    {
        QFETCH(QByteArray, objects);
        QFETCH(Gesture, gesture);
        QFETCH(QByteArray, after);
        QFETCH(int, steps);
        QFETCH(QString, message);
        edit(EditMode::DeletePoint, objects, gesture, after, steps, message);
    }
};

TAVREL_TEST_MAIN(TestPointEditing)
#include "tst_pointediting.moc"
