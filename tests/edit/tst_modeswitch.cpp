// Choosing another edit mode in the middle of a gesture, in a running
// program: for every mode of the mode table the gesture ends, none of its
// handlers stays installed, its rubber band and placed segments leave the
// canvas and its point chain is freed. A whole-canvas redraw during a gesture
// shows its rubber band once.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/rubberband.h"
#include "model/figcontext.h"
#include "model/figpoint.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/shapestoolbar.h"

#include <QImage>
#include <QSet>
#include <QToolButton>

namespace {

// Objects under the gestures: a filled box, a line across and a circle.
const QByteArray figure
    = editsession::figText("2 2 0 1 0 4 50 -1 20 0.000 0 0 -1 0 0 5\n"
                           "\t 600 600 2400 600 2400 1800 600 1800 600 600\n"
                           "2 1 0 2 1 7 40 -1 -1 0.000 0 0 -1 0 0 2\n"
                           "\t 300 2700 4200 300\n"
                           "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 3000 1800 600 600 3000 1800 3600 1800\n");

// ---- Test gestures, built as the creation modes build theirs ----

// A point chain: each press places a point, the segment to it stays on the
// canvas, a rubber line follows the pointer.
void chainNextPress(CFigContext* context, int x, int y)
{
    freeLineMove(context, x, y);
    canvasAction.anchorX = canvasAction.trackX;
    canvasAction.anchorY = canvasAction.trackY;
    drawRubberSegment(context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.anchorX, canvasAction.anchorY);
    auto* point = new FigPoint(canvasAction.anchorX, canvasAction.anchorY);
    context->newChainTail->next = point;
    context->newChainTail = point;
}

void startGesture(CFigContext* context, int x, int y, PointHandler move, ElasticHandler elastic)
{
    canvasAction.anchorX = canvasAction.trackX = x;
    canvasAction.anchorY = canvasAction.trackY = y;
    canvasHandlers.moveHandler = move;
    canvasHandlers.leftPressHandler = nullptr;
    canvasHandlers.rightPressHandler = nullptr;
    if (elastic)
        elastic(context, x, y, x, y);
    beginCanvasAction();
    canvasHandlers.elasticHandler = elastic;
}

void chainFirstPress(CFigContext* context, int x, int y)
{
    context->newChainHead = context->newChainTail = new FigPoint(x, y);
    startGesture(context, x, y, freeLineMove, drawRubberSegment);
    canvasHandlers.leftPressHandler = chainNextPress;
    canvasHandlers.pendingRightPressHandler = chainNextPress;
}

void boxFirstPress(CFigContext* context, int x, int y)
{
    startGesture(context, x, y, boxRubberMove, drawRubberRectangle);
}

void circleFirstPress(CFigContext* context, int x, int y)
{
    startGesture(context, x, y, circleByRadiusMove, drawRubberCircleByRadius);
}

void ellipseFirstPress(CFigContext* context, int x, int y)
{
    canvasAction.rubberAngle = 0.5f;
    startGesture(context, x, y, ellipseByDiametersMove, drawRubberEllipseByDiameters);
}

void pictureFirstPress(CFigContext* context, int x, int y)
{
    startGesture(context, x, y, dashedRectangleMove, drawDashedRubberRectangle);
}

// The scale mode's rectangle is drawn by the whole-canvas redraw itself.
void scaleFirstPress(CFigContext* context, int x, int y)
{
    canvasAction.anchorX = canvasAction.trackX = x;
    canvasAction.anchorY = canvasAction.trackY = y;
    drawRubberRectangle(context, x, y, x, y);
    beginCanvasAction();
    canvasHandlers.leftPressHandler = nullptr;
    canvasHandlers.moveHandler = boxRubberMove;
}

void selectionMove(CFigContext*, FigObjectList*, int, int)
{
}

void release(CFigContext*, int, int)
{
}

QList<QPoint> pressedAt;
void recordPress(CFigContext*, int x, int y)
{
    pressedAt << QPoint(x, y);
}

struct Gesture {
    const char* name;
    int mode;
    PointHandler firstPress;
};

const Gesture gestures[] = {
    { "polyline with placed points", EditMode::Polyline, chainFirstPress },
    { "box", EditMode::Box, boxFirstPress },
    { "circle", EditMode::Cbr, circleFirstPress },
    { "turned ellipse", EditMode::Ebd, ellipseFirstPress },
    { "picture", EditMode::Picture, pictureFirstPress },
    { "scale", EditMode::ScaleComp, scaleFirstPress },
};

// Every handler a test gesture installs.
QSet<void*> gestureHandlers()
{
    QSet<void*> set;
    for (PointHandler h : { chainNextPress, chainFirstPress, boxFirstPress, circleFirstPress, ellipseFirstPress,
             pictureFirstPress, scaleFirstPress, freeLineMove, boxRubberMove, circleByRadiusMove,
             ellipseByDiametersMove, dashedRectangleMove, release })
        set.insert(reinterpret_cast<void*>(h));
    set.insert(reinterpret_cast<void*>(selectionMove));
    return set;
}

QList<void*> installedHandlers()
{
    const CanvasHandlers& h = canvasHandlers;
    return { reinterpret_cast<void*>(h.moveHandler), reinterpret_cast<void*>(h.selectionMoveHandler),
        reinterpret_cast<void*>(h.leftPressHandler), reinterpret_cast<void*>(h.leftReleaseHandler),
        reinterpret_cast<void*>(h.rightPressHandler), reinterpret_cast<void*>(h.pendingRightPressHandler),
        reinterpret_cast<void*>(h.shiftKeyHandler), reinterpret_cast<void*>(h.elasticHandler) };
}

// Starts the gesture with the pointer: a first press, moves, a second
// press (a placed point where the gesture places points) and a last move.
void runGesture(editsession::CanvasInput& input, const Gesture& gesture)
{
    editMode = gesture.mode;
    canvasHandlers = CanvasHandlers();
    canvasHandlers.leftPressHandler = gesture.firstPress;
    canvasHandlers.leftReleaseHandler = release;
    canvasHandlers.selectionMoveHandler = selectionMove;
    input.click(1200, 900);
    input.move(2100, 1500);
    input.move(3300, 2250);
    input.click(3300, 2250);
    input.move(1800, 2700);
}

// The document shown with the grid and all markers, as a user sees it.
QImage settledCanvas(QTChildFrm& document)
{
    document.figContext->gridOn = true;
    document.figContext->gridIndex = 1;
    document.showAllMarkers();
    document.redisplayCanvas();
    return document.canvasImage->copy();
}

} // namespace

class TestModeSwitch : public QObject {
    Q_OBJECT
private slots:
    void everyModeEndsTheGesture_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(gestures)); ++i)
            QTest::addRow("%s", gestures[i].name) << i;
    }
    void everyModeEndsTheGesture()
    {
        QFETCH(int, index);
        const Gesture& gesture = gestures[index];
        const QSet<void*> old = gestureHandlers();
        int modesWalked = 0;
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            QVERIFY(input.visibleFigArea().contains(QRect(300, 300, 3900, 2400)));
            const QImage clean = settledCanvas(document);
            for (int i = 0; i < editModeTableSize; ++i) {
                const EditModeEntry& entry = editModeTable[i];
                if (!isChoosableMode(entry))
                    continue;
                const QByteArray mode = QByteArray::number(entry.mode);
                runGesture(input, gesture);
                QVERIFY2(canvasAction.actionInProgress, mode);
                QVERIFY2(*document.canvasImage != clean, mode);

                QVERIFY2(document.chooseEditMode(entry.mode), mode);
                QCOMPARE(editMode, entry.mode);
                QVERIFY2(!canvasAction.actionInProgress, mode);
                for (void* handler : installedHandlers())
                    QVERIFY2(!old.contains(handler), mode);
                QVERIFY2(!document.figContext->newChainHead && !document.figContext->newChainTail, mode);
                QVERIFY2(*document.canvasImage == clean, mode);
                ++modesWalked;
            }
        });
        QCOMPARE(modesWalked, 29);
    }

    // The modes entered by other modes' gestures and commands have no
    // set-up: they cannot be chosen, and asking changes nothing.
    void modesWithoutSetUpAreNotChosen()
    {
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            const QImage clean = settledCanvas(document);
            runGesture(input, gestures[0]);
            const QImage during = document.canvasImage->copy();
            for (int mode : { int(EditMode::MovePoint), int(EditMode::MoveSelection), int(EditMode::Paste), 14, 0 }) {
                QVERIFY(!document.chooseEditMode(mode));
                QCOMPARE(editMode, int(EditMode::Polyline));
                QVERIFY(canvasAction.actionInProgress);
            }
            QVERIFY(*document.canvasImage == during);
            QVERIFY(document.chooseEditMode(EditMode::Select));
            QVERIFY(*document.canvasImage == clean);
        });
    }

    // The shared canvas input hands the handlers the Fig points it was given
    // at any zoom and scroll origin, and Shift held keeps the column.
    void canvasInputLandsOnTheFigPointsAsked_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("zoom 1") << 1.0f << QPoint(0, 0);
        QTest::newRow("zoom 2, scrolled") << 2.0f << QPoint(30, 20);
        QTest::newRow("zoom 0.5, scrolled") << 0.5f << QPoint(4, 6);
    }
    void canvasInputLandsOnTheFigPointsAsked()
    {
        QFETCH(float, zoom);
        QFETCH(QPoint, origin);
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            document.figContext->zoom = zoom;
            document.figContext->originX = origin.x();
            document.figContext->originY = origin.y();
            editsession::CanvasInput input(document);
            pressedAt.clear();
            canvasHandlers = CanvasHandlers();
            canvasHandlers.leftPressHandler = recordPress;
            canvasHandlers.moveHandler = recordPress;
            canvasHandlers.leftReleaseHandler = recordPress;
            input.press(1200, 900);
            input.move(1500, 1200);
            input.hold(Qt::ShiftModifier);
            QVERIFY(shiftKeyDown);
            input.move(1800, 1500);
            input.release(1800, 1500);
            input.hold(Qt::NoModifier);
            input.move(2100, 1800);
            canvasHandlers = CanvasHandlers();
            QCOMPARE(pressedAt,
                QList<QPoint>({ { 1200, 900 }, { 1500, 1200 }, { 1500, 1500 }, { 1500, 1500 }, { 2100, 1800 } }));
            QCOMPARE(input.figAt(input.pixelOf(2100, 1800)), QPoint(2100, 1800));
        });
    }

    // An abandoned gesture adds nothing to the drawing: the saved file holds
    // the objects it was opened with.
    void abandonedGestureAddsNothing()
    {
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QCOMPARE(before, editsession::objectLines(figure));
            QVERIFY(before.at(0).startsWith("2 2 0 1 0 4 50 -1 20 "));
            runGesture(input, gestures[0]);
            QVERIFY(document.chooseEditMode(EditMode::Text));
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // A mode button of the tool panel leaves the gesture the same way.
    void toolPanelButtonEndsTheGesture()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            const QImage clean = settledCanvas(document);
            runGesture(input, gestures[0]);
            QToolButton* button = window.shapesToolbar->modeButton(EditMode::Box);
            QVERIFY(button);
            button->click();
            QCOMPARE(editMode, int(EditMode::Box));
            QVERIFY(!canvasAction.actionInProgress);
            QVERIFY(!document.figContext->newChainHead);
            // The box mode clears the markers: the canvas is what a whole
            // redraw without a gesture makes.
            QVERIFY(*document.canvasImage != clean);
            const QImage after = document.canvasImage->copy();
            document.redisplayCanvas();
            QVERIFY(*document.canvasImage == after);
        });
    }

    // A whole-canvas redraw puts the band back once: the canvas looks the
    // same before and after it (the placed segments of a chain aside, which
    // it drops), and the moves and the mode change afterwards still erase
    // the band exactly.
    void wholeCanvasRedrawShowsTheBandOnce_data() { everyModeEndsTheGesture_data(); }
    void wholeCanvasRedrawShowsTheBandOnce()
    {
        QFETCH(int, index);
        const Gesture& gesture = gestures[index];
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            const QImage clean = settledCanvas(document);
            runGesture(input, gesture);
            const QImage during = document.canvasImage->copy();
            document.redisplayCanvas();
            if (gesture.firstPress != chainFirstPress)
                QVERIFY(*document.canvasImage == during);
            else
                QVERIFY(*document.canvasImage != clean);
            input.move(2700, 600);
            input.move(900, 2400);
            QVERIFY(document.chooseEditMode(EditMode::Select));
            QVERIFY(*document.canvasImage == clean);
        });
    }
};

TAVREL_TEST_MAIN(TestModeSwitch)
#include "tst_modeswitch.moc"
