// Commands and keys that arrive while a mouse gesture is in progress, in a
// running program with real mouse and key events: undo and redo wait until
// the gesture is over, from the keys, the Edit menu and the tool bar alike,
// so the release records the gesture on the drawing it began on and the
// history stays whole; Escape cancels the gesture as a right press does and
// every other key leaves it running; a zoom keeps the gesture's outline in
// step with the new scale; whichever, the canvas ends as a whole-canvas
// redraw draws it.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "ui_qtmainfrm.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

const QByteArray boxLines = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 600 600 1800 600 1800 1500 600 1500 600 600\n";
const QByteArray lineLines = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 1800 1200\n";
const QByteArray twoPointLine = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 1800 600\n";
const QByteArray compoundLines = "6 600 600 1800 1200\n2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                 "\t 600 600 1800 600 1800 1200 600 1200 600 600\n-6\n";

// The main window must be the active window for its shortcuts to reach
// its actions.
void activate(QTMainFrm& window)
{
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// A drag in a mode: the press, a move, then (where `interrupt` runs) the
// command, then a move to the end and the release there.
struct Drag {
    const char* name;
    int mode;
    QByteArray objects;
    QPoint pasteCentre; // the centre of the objects' drawn bounds
    QPoint press;
    QPoint halfWay;
    QPoint end;
    QByteArray after;
    // With another tool chosen half-way: what the drag leaves.
    QByteArray leftForAnotherTool;
};

const Drag drags[] = {
    { "box edge dragged with the select tool", EditMode::Select, boxLines, { 1200, 1050 }, { 1200, 600 }, { 1500, 900 },
        { 1800, 1200 },
        "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1200 1200 2400 1200 2400 2100 1200 2100 1200 1200\n", boxLines },
    { "added point dragged", EditMode::AddPoint, twoPointLine, { 1200, 600 }, { 1200, 600 }, { 1200, 900 },
        { 1200, 1200 }, "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n\t 600 600 1200 1200 1800 600\n",
        // The inserted point stays where it was inserted, as a step.
        "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n\t 600 600 1200 600 1800 600\n" },
    { "compound corner scaled", EditMode::ScaleComp, compoundLines, { 1200, 900 }, { 1800, 1200 }, { 2400, 1500 },
        { 3000, 1800 },
        "6 600 600 3000 1800\n2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
        "\t 600 600 3000 600 3000 1800 600 1800 600 600\n-6\n",
        compoundLines },
};

enum class Way { Keys, Menu, ToolBar };

// The ways a user zooms in or out while holding a gesture.
enum class Zoom { InByKeys, OutByKeys, InByWheel, OutByWheel, InByButton, OutByButton };

void zoom(QTMainFrm& window, editsession::CanvasInput& input, Zoom way, const QPoint& pointer)
{
    switch (way) {
    case Zoom::InByKeys:
    case Zoom::OutByKeys:
        input.shortcut(way == Zoom::InByKeys ? Qt::Key_Plus : Qt::Key_Minus);
        break;
    case Zoom::InByWheel:
    case Zoom::OutByWheel:
        input.hold(Qt::ControlModifier);
        input.wheel(pointer.x(), pointer.y(), way == Zoom::InByWheel ? 1 : -1);
        input.hold(Qt::NoModifier);
        break;
    case Zoom::InByButton:
    case Zoom::OutByButton: {
        QAction* action = way == Zoom::InByButton ? window.ui.actionZoomIn : window.ui.actionZoomOut;
        auto* button = qobject_cast<QToolButton*>(window.ui.mainToolbar->widgetForAction(action));
        QVERIFY(button);
        button->click();
        break;
    }
    }
}

// Undo or redo the way a user asks for it.
void ask(QTMainFrm& window, editsession::CanvasInput& input, Way way, bool undo)
{
    QAction* action = undo ? window.ui.actionUndo : window.ui.actionRedo;
    switch (way) {
    case Way::Keys:
        input.hold(Qt::ControlModifier);
        input.key(undo ? Qt::Key_Z : Qt::Key_Y);
        input.hold(Qt::NoModifier);
        break;
    case Way::Menu:
        QVERIFY(window.ui.menuEdit->actions().contains(action));
        action->trigger();
        break;
    case Way::ToolBar: {
        auto* button = qobject_cast<QToolButton*>(window.ui.mainToolbar->widgetForAction(action));
        QVERIFY(button);
        button->click();
        break;
    }
    }
}

void undoAll(QTChildFrm& document)
{
    while (!document.figContext->undoHistory.undoSteps.empty())
        document.undo();
}

void redoAll(QTChildFrm& document)
{
    while (!document.figContext->undoHistory.redoSteps.empty())
        document.redo();
}

} // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(Zoom)

class TestMidGesture : public QObject {
    Q_OBJECT
private slots:
    // The history holds the objects' creation (everything cut and pasted
    // back in place), or, for redo, their removal waiting to be redone: the
    // command asked for mid-gesture would take the dragged objects away.
    void undoAndRedoWaitForTheGesture_data()
    {
        QTest::addColumn<int>("drag");
        QTest::addColumn<Way>("way");
        QTest::addColumn<bool>("undo");
        const struct {
            const char* name;
            Way way;
        } ways[] = { { "keys", Way::Keys }, { "menu", Way::Menu }, { "tool bar", Way::ToolBar } };
        for (int d = 0; d < int(std::size(drags)); ++d) {
            for (const auto& w : ways) {
                for (bool undo : { true, false })
                    QTest::addRow("%s, %s by the %s", drags[d].name, undo ? "undo" : "redo", w.name)
                        << d << w.way << undo;
            }
        }
    }
    void undoAndRedoWaitForTheGesture()
    {
        QFETCH(int, drag);
        QFETCH(Way, way);
        QFETCH(bool, undo);
        const Drag& d = drags[drag];
        const QByteArray original = editsession::figText(d.objects);
        editsession::run(original, [&](QTMainFrm& window, QTChildFrm& document) {
            activate(window);
            editsession::CanvasInput input(document);
            CFigContext& ctx = *document.figContext;
            editsession::chooseMode(window, EditMode::Select);
            window.selectAll();
            window.cut();
            window.paste();
            input.move(d.pasteCentre.x(), d.pasteCentre.y());
            input.click(d.pasteCentre.x(), d.pasteCentre.y());
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(d.objects));
            QCOMPARE(int(ctx.undoHistory.undoSteps.size()), 2);
            if (!undo) {
                window.undo();
                window.undo();
                QCOMPARE(int(ctx.undoHistory.redoSteps.size()), 2);
            }
            const int undoSteps = int(ctx.undoHistory.undoSteps.size());
            const int redoSteps = int(ctx.undoHistory.redoSteps.size());

            editsession::chooseMode(window, d.mode);
            input.move(d.press.x(), d.press.y());
            input.press(d.press.x(), d.press.y());
            input.move(d.halfWay.x(), d.halfWay.y());
            QVERIFY(isGestureInProgress());
            ask(window, input, way, undo);
            QCOMPARE(int(ctx.undoHistory.undoSteps.size()), undoSteps);
            QCOMPARE(int(ctx.undoHistory.redoSteps.size()), redoSteps);
            input.move(d.end.x(), d.end.y());
            input.release(d.end.x(), d.end.y());
            QVERIFY(!isGestureInProgress());

            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(d.after));
            QCOMPARE(int(ctx.undoHistory.undoSteps.size()), undoSteps + 1);
            // Asked for once the gesture is over, they act.
            ask(window, input, way, true);
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(d.objects));
            ask(window, input, way, false);
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(d.after));

            undoAll(document);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(original));
            redoAll(document);
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(d.after));
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
        });
    }

    // Another tool chosen half-way through a drag ends it as a right press
    // would (an inserted point stays as inserted): no preview stays on the
    // canvas, and none shows up again when a gesture of the new tool is
    // drawn anew by a zoom.
    void anotherToolDuringADrag_data()
    {
        QTest::addColumn<int>("drag");
        for (int d = 0; d < int(std::size(drags)); ++d)
            QTest::addRow("%s", drags[d].name) << d;
    }
    void anotherToolDuringADrag()
    {
        QFETCH(int, drag);
        const Drag& d = drags[drag];
        editsession::run(editsession::figText(d.objects), [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            editsession::chooseMode(window, d.mode);
            input.move(d.press.x(), d.press.y());
            input.press(d.press.x(), d.press.y());
            input.move(d.halfWay.x(), d.halfWay.y());
            input.move(d.end.x(), d.end.y());
            editsession::chooseMode(window, EditMode::Polyline);
            input.release(d.end.x(), d.end.y());
            QVERIFY(!isGestureInProgress());
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(d.leftForAnotherTool));

            input.move(300, 2400);
            input.click(300, 2400);
            input.move(600, 2700);
            QVERIFY(isGestureInProgress());
            window.zoomIn();
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            editsession::chooseMode(window, EditMode::Select);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(d.leftForAnotherTool));
        });
    }

    // A zoom while a gesture is held, by keys, wheel or tool bar button: the
    // gesture's outline is drawn anew at the new scale and taken off at its
    // end, so nothing of it stays. The rectangle is pulled from empty canvas
    // around a line and selects it; the shapes are made by two clicks.
    void zoomDuringAGesture_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("dragged");
        QTest::addColumn<Zoom>("way");
        const struct {
            const char* name;
            int mode;
            bool dragged;
        } gestures[] = {
            { "select rectangle", EditMode::Select, true },
            { "regular polygon", EditMode::Regular, false },
            { "box", EditMode::Box, false },
            { "ellipse by radii", EditMode::Ebr, false },
        };
        const struct {
            const char* name;
            Zoom way;
        } ways[] = {
            { "Ctrl++", Zoom::InByKeys },
            { "Ctrl+-", Zoom::OutByKeys },
            { "Ctrl+wheel up", Zoom::InByWheel },
            { "Ctrl+wheel down", Zoom::OutByWheel },
            { "zoom in button", Zoom::InByButton },
            { "zoom out button", Zoom::OutByButton },
        };
        for (const auto& g : gestures) {
            for (const auto& w : ways)
                QTest::addRow("%s, %s", g.name, w.name) << g.mode << g.dragged << w.way;
        }
    }
    void zoomDuringAGesture()
    {
        QFETCH(int, mode);
        QFETCH(bool, dragged);
        QFETCH(Zoom, way);
        const QByteArray line = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 2100 1800 2400 2100\n";
        editsession::run(editsession::figText(line), [&](QTMainFrm& window, QTChildFrm& document) {
            activate(window);
            editsession::CanvasInput input(document);
            CFigContext& ctx = *document.figContext;
            editsession::chooseMode(window, mode);
            // The gesture ends smaller than it was at the zoom, so that the
            // new object's own redraw does not cover what is left over.
            const QPoint start(1800, 1500);
            const QPoint halfWay(3900, 3000);
            const QPoint end(2700, 2400);
            input.move(start.x(), start.y());
            if (dragged)
                input.press(start.x(), start.y());
            else
                input.click(start.x(), start.y());
            input.move(halfWay.x(), halfWay.y());
            QVERIFY(canvasAction.actionInProgress);
            const float before = ctx.zoom;
            zoom(window, input, way, halfWay);
            QVERIFY(ctx.zoom != before);
            QVERIFY(canvasAction.actionInProgress);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            input.move(end.x(), end.y());
            if (dragged)
                input.release(end.x(), end.y());
            else
                input.click(end.x(), end.y());
            QVERIFY(!isGestureInProgress());
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            // The gesture did its work: the line taken into the selection,
            // or a shape added.
            if (dragged) {
                QVERIFY(ctx.objects()->front()->selected);
                QCOMPARE(int(ctx.undoHistory.undoSteps.size()), 0);
            } else {
                QCOMPARE(int(ctx.objects()->size()), 2);
                QCOMPARE(int(ctx.undoHistory.undoSteps.size()), 1);
            }
        });
    }

    // Another tool chosen while the select tool's rectangle is pulled takes
    // the rectangle off the canvas; the release selects nothing.
    void anotherToolWhileARectangleIsPulled()
    {
        editsession::run(editsession::figText(lineLines), [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            editsession::chooseMode(window, EditMode::Select);
            input.move(2400, 2100);
            input.press(2400, 2100);
            input.move(2700, 2400);
            input.move(3000, 2700);
            editsession::chooseMode(window, EditMode::Polyline);
            input.release(3000, 2700);
            QVERIFY(!isGestureInProgress());
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QVERIFY(!document.figContext->objects()->front()->selected);
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(lineLines));
        });
    }

    // A line dragged with the select tool, or pasted and following the
    // pointer: Escape cancels the gesture (nothing moved, nothing added),
    // and so does saving a paste; the other keys leave the gesture running.
    // Either way the canvas ends as the drawing's.
    void keysDuringADragOrAPaste_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QList<int>>("keys"); // key codes with their modifiers
        QTest::addColumn<bool>("cancels");
        enum class Cancels { Neither, Paste, Both };
        const struct {
            const char* name;
            QList<int> keys;
            Cancels cancels = Cancels::Neither;
        } keys[] = {
            { "Escape", { Qt::Key_Escape }, Cancels::Both },
            { "Delete", { Qt::Key_Delete } },
            { "Left", { Qt::Key_Left } },
            // The view scrolls away and back, so that the end lies in it.
            { "Page Down and Page Up", { Qt::Key_PageDown, Qt::Key_PageUp } },
            { "Home", { Qt::Key_Home } },
            { "Space", { Qt::Key_Space } },
            { "letter A", { Qt::Key_A } },
            { "Ctrl+A", { int(Qt::ControlModifier) | Qt::Key_A } },
            { "Ctrl+X", { int(Qt::ControlModifier) | Qt::Key_X } },
            { "Ctrl+V", { int(Qt::ControlModifier) | Qt::Key_V } },
            // Saving takes objects following the pointer out first: the
            // paste ends as a right press would end it.
            { "Ctrl+S", { int(Qt::ControlModifier) | Qt::Key_S }, Cancels::Paste },
            { "Ctrl++", { int(Qt::ControlModifier) | Qt::Key_Plus } },
            // Zoomed to the selection and back.
            { "full stop and Shift+full stop", { Qt::Key_Period, int(Qt::ShiftModifier) | Qt::Key_Period } },
        };
        for (bool paste : { false, true }) {
            for (const auto& k : keys)
                QTest::addRow("%s during a %s", k.name, paste ? "paste" : "drag")
                    << paste << k.keys << (k.cancels == Cancels::Both || (paste && k.cancels == Cancels::Paste));
        }
    }
    void keysDuringADragOrAPaste()
    {
        QFETCH(bool, paste);
        QFETCH(QList<int>, keys);
        QFETCH(bool, cancels);
        const QByteArray original = editsession::figText(lineLines);
        const QByteArray moved = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n";
        // Pasted with the line's centre at (2700, 2100).
        const QByteArray pasted = lineLines + "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 2100 1800 3300 2400\n";
        editsession::run(original, [&](QTMainFrm& window, QTChildFrm& document) {
            activate(window);
            editsession::CanvasInput input(document);
            editsession::chooseMode(window, EditMode::Select);
            document.showAllMarkers();
            if (paste) {
                input.move(1200, 900);
                input.click(1200, 900);
                window.copy();
                window.paste();
                input.move(1950, 1500);
                input.move(2400, 1800);
            } else {
                input.move(1200, 900);
                input.press(1200, 900);
                input.move(1500, 1200);
            }
            QVERIFY(isGestureInProgress());
            for (int k : keys) {
                input.hold(Qt::KeyboardModifiers(k & int(Qt::KeyboardModifierMask)));
                input.key(k & ~int(Qt::KeyboardModifierMask));
                input.hold(Qt::NoModifier);
            }
            QCOMPARE(isGestureInProgress(), !cancels);
            if (paste) {
                input.move(2700, 2100);
                input.click(2700, 2100);
            } else {
                input.move(1800, 1500);
                input.release(1800, 1500);
            }
            QVERIFY(!isGestureInProgress());
            QCOMPARE(editMode, int(EditMode::Select));
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QByteArray after = cancels ? lineLines : paste ? pasted : moved;
            QCOMPARE(editsession::savedObjectLines(document), editsession::linesOfObjects(after));
        });
    }
};

TAVREL_TEST_MAIN(TestMidGesture)
#include "tst_midgesture.moc"
