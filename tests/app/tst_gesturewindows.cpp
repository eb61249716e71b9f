// A gesture belongs to the document window it began in: with two drawings
// tiled in one main window, a gesture begun in window B is cancelled as a
// right press cancels it (its rubber band or preview taken off B's canvas,
// nothing added) as soon as B stops being the active window or closes, or
// window A gets a press; a polyline or a box never takes points from two
// windows. Real mouse and key events, in a running program.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QMdiSubWindow>
#include <QPointer>

namespace {

// B holds a line, A a box, clear of where the gestures place points.
const QByteArray lineB = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 1800 1200\n";
const QByteArray boxA
    = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1800 1500 2400 1500 2400 1800 1800 1800 1800 1500\n";

QMdiSubWindow* subWindowOf(QTMainFrm& window, QTChildFrm* document)
{
    for (QMdiSubWindow* sub : window.mdiArea->subWindowList()) {
        if (sub->widget() == document)
            return sub;
    }
    return nullptr;
}

// Opens A beside the program's drawing B, tiles the two and makes B the
// active window again; A's document window.
QTChildFrm* openBeside(QTMainFrm& window, QTChildFrm& b)
{
    const QString file = QDir(testenv::home()).filePath(QStringLiteral("a/a.fig"));
    writeFile(file, editsession::figText(boxA));
    window.openFile(file);
    QTChildFrm* a = window.activeMdiChild();
    if (!a || a == &b)
        return nullptr;
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    window.mdiArea->tileSubWindows();
    window.mdiArea->setActiveSubWindow(subWindowOf(window, &b));
    for (QTChildFrm* d : { a, &b }) {
        d->figContext->dpiX = 80.0f;
        d->figContext->dpiY = 80.0f;
        d->redisplayCanvas();
        if (!editsession::CanvasInput(*d).visibleFigArea().contains(QRect(300, 300, 2400, 1500)))
            return nullptr;
    }
    return window.activeMdiChild() == &b ? a : nullptr;
}

// Gestures begun in B and left under way.
enum class Gesture { PolylineClicks, BoxCorner, Drag, PointMove, AddedPoint, Rectangle, Paste, Copy };

void begin(QTMainFrm& window, QTChildFrm& b, editsession::CanvasInput& input, Gesture gesture)
{
    switch (gesture) {
    case Gesture::PolylineClicks:
        editsession::chooseMode(window, EditMode::Polyline);
        editsession::play(input, { { 'c', 300, 1500 }, { 'c', 900, 1500 }, { 'm', 1500, 1800 } });
        break;
    case Gesture::BoxCorner:
        editsession::chooseMode(window, EditMode::Box);
        editsession::play(input, { { 'c', 300, 1500 }, { 'm', 1500, 1800 } });
        break;
    case Gesture::Drag:
        editsession::chooseMode(window, EditMode::Select);
        editsession::play(input, { { 'm', 1200, 900 }, { 'p', 1200, 900 }, { 'm', 1500, 1200 } });
        break;
    case Gesture::PointMove:
        editsession::chooseMode(window, EditMode::Select);
        editsession::play(input, { { 'm', 1800, 1200 }, { 'p', 1800, 1200 }, { 'm', 2100, 900 } });
        break;
    case Gesture::AddedPoint:
        editsession::chooseMode(window, EditMode::AddPoint);
        editsession::play(input, { { 'm', 1200, 900 }, { 'p', 1200, 900 }, { 'm', 1200, 1350 } });
        break;
    case Gesture::Rectangle:
        editsession::chooseMode(window, EditMode::Select);
        editsession::play(input, { { 'm', 300, 1500 }, { 'p', 300, 1500 }, { 'm', 1200, 1800 } });
        break;
    case Gesture::Paste:
        editsession::chooseMode(window, EditMode::Select);
        editsession::play(input, { { 'c', 1200, 900 } });
        b.copy();
        b.paste();
        editsession::play(input, { { 'm', 1500, 1200 }, { 'm', 1800, 1500 } });
        break;
    case Gesture::Copy:
        editsession::chooseMode(window, EditMode::Copy);
        editsession::play(input, { { 'c', 1200, 900 }, { 'm', 1500, 1200 } });
        break;
    }
}

const struct {
    const char* name;
    Gesture gesture;
} gestures[] = {
    { "two polyline clicks", Gesture::PolylineClicks },
    { "a box's first corner", Gesture::BoxCorner },
    { "a line dragged", Gesture::Drag },
    { "a line's end moved", Gesture::PointMove },
    { "an added point dragged", Gesture::AddedPoint },
    { "a selection rectangle", Gesture::Rectangle },
    { "a paste following the pointer", Gesture::Paste },
    { "a copy following the pointer", Gesture::Copy },
};

enum class Leave { ActivateA, PressInA, CloseB };

} // namespace

Q_DECLARE_METATYPE(Gesture)
Q_DECLARE_METATYPE(Leave)

class TestGestureWindows : public QObject {
    Q_OBJECT
private slots:
    void gestureEndsWithItsWindow_data()
    {
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<Leave>("leave");
        const struct {
            const char* name;
            Leave leave;
        } leaves[] = { { "A made active", Leave::ActivateA }, { "a click and a right press in A", Leave::PressInA },
            { "B closed by Ctrl+F4", Leave::CloseB } };
        for (const auto& g : gestures) {
            for (const auto& l : leaves)
                QTest::addRow("%s in B, %s", g.name, l.name) << g.gesture << l.leave;
        }
    }
    void gestureEndsWithItsWindow()
    {
        QFETCH(Gesture, gesture);
        QFETCH(Leave, leave);
        editsession::run(editsession::figText(lineB), [&](QTMainFrm& window, QTChildFrm& b) {
            QTChildFrm* a = openBeside(window, b);
            QVERIFY(a);
            QPointer<QTChildFrm> stillB(&b);
            {
                editsession::CanvasInput inB(b);
                begin(window, b, inB, gesture);
                QVERIFY(isGestureInProgress());
            }
            editsession::CanvasInput inA(*a);
            switch (leave) {
            case Leave::ActivateA:
                window.mdiArea->setActiveSubWindow(subWindowOf(window, a));
                QCOMPARE(window.activeMdiChild(), a);
                QVERIFY(!isGestureInProgress());
                break;
            case Leave::PressInA:
                editsession::play(inA, { { 'c', 600, 600 }, { 'R', 600, 600 } });
                // What is under way now is A's own.
                QVERIFY(!isGestureInProgress() || canvasGestureDocument() == a->figContext);
                break;
            case Leave::CloseB:
                QTest::keyClick(&window, Qt::Key_F4, Qt::ControlModifier);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY(!stillB);
                QVERIFY(!isGestureInProgress());
                break;
            }
            if (stillB) {
                QCOMPARE(editsession::pixelsOffRedraw(b), 0);
                QCOMPARE(editsession::savedObjectLines(b), editsession::linesOfObjects(lineB));
                QVERIFY(!b.figContext->modified);
            }
            // Whatever A's own mode does next, nothing of B's gesture is in it.
            QCOMPARE(window.activeMdiChild(), a);
            editsession::play(inA, { { 'm', 900, 900 }, { 'm', 1200, 600 } });
            editsession::chooseMode(window, EditMode::Select);
            QCOMPARE(editsession::pixelsOffRedraw(*a), 0);
            // A's own click and right press may have made a dot there (the
            // polyline tool does), at A's point and nowhere else.
            QList<QByteArray> savedA = editsession::savedObjectLines(*a);
            if (leave == Leave::PressInA && savedA.size() == 4 && savedA.last() == "\t 600 600")
                savedA = savedA.mid(0, 2);
            QCOMPARE(savedA, editsession::linesOfObjects(boxA));
            if (stillB) {
                QCOMPARE(editsession::pixelsOffRedraw(b), 0);
                QCOMPARE(editsession::savedObjectLines(b), editsession::linesOfObjects(lineB));
            }
        });
    }

    // Points placed in B and then in A: the object is A's and has A's
    // points only; B gets nothing.
    void objectTakesPointsFromOneWindow_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("points"); // of the object made in A
        QTest::newRow("polyline") << int(EditMode::Polyline) << QByteArray("\t 600 300 1500 900");
        QTest::newRow("box") << int(EditMode::Box) << QByteArray("\t 600 300 1500 300 1500 900 600 900 600 300");
    }
    void objectTakesPointsFromOneWindow()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, points);
        editsession::run(editsession::figText(lineB), [&](QTMainFrm& window, QTChildFrm& b) {
            QTChildFrm* a = openBeside(window, b);
            QVERIFY(a);
            editsession::chooseMode(window, mode);
            editsession::CanvasInput inB(b);
            editsession::play(inB, { { 'c', 300, 1500 }, { 'm', 900, 1800 } });
            if (mode == EditMode::Polyline)
                editsession::play(inB, { { 'c', 900, 1800 }, { 'm', 1200, 1800 } });
            QVERIFY(isGestureInProgress());
            editsession::CanvasInput inA(*a);
            editsession::play(inA, { { 'c', 600, 300 }, { 'c', 1500, 900 } });
            if (mode == EditMode::Polyline)
                editsession::play(inA, { { 'R', 1500, 900 } });
            QVERIFY(!isGestureInProgress());
            const QList<QByteArray> savedA = editsession::savedObjectLines(*a);
            QCOMPARE(savedA.size(), 4);
            QCOMPARE(savedA.mid(0, 2), editsession::linesOfObjects(boxA));
            QCOMPARE(savedA.last(), points);
            QCOMPARE(editsession::pixelsOffRedraw(*a), 0);
            QCOMPARE(editsession::savedObjectLines(b), editsession::linesOfObjects(lineB));
            QCOMPARE(editsession::pixelsOffRedraw(b), 0);
        });
    }
};

TAVREL_TEST_MAIN(TestGestureWindows)
#include "tst_gesturewindows.moc"
