// Undo gives back the drawing order: an object that a step took out of its
// list (the drawing's or a compound's) comes back at its old place, so that
// of two overlapping objects at one depth the one on top stays on top, and
// undoing everything writes the file's object lines in their order again.
// Redo then gives the order of the first execution. Shown with real mouse
// and key input for each kind of step, and by random editing sessions on a
// small flowchart, undone all the way back.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include <QImage>
#include <QTest>

#include <random>

using editsession::at;
using editsession::Step;
using editsession::Steps;

namespace {

// A flowchart of several kinds and depths: a title block compound (a box and
// two texts), a red box under a blue one at depth 50 (they overlap around
// (1950, 1500)), a line with an arrow, a text, an ellipse and a spline in a
// user colour, a filled polygon, an arc and a thick line.
const QByteArray flowchart = editsession::figText("0 32 #ff8800\n"
                                                  "6 593 3593 3008 4208\n"
                                                  "2 2 0 1 0 7 60 -1 -1 0.000 0 0 -1 0 0 5\n"
                                                  "\t 600 3600 3000 3600 3000 4200 600 4200 600 3600\n"
                                                  "4 0 0 30 -1 0 12 0.0000 4 135 900 750 3900 Title\\001\n"
                                                  "4 0 0 30 -1 0 10 0.0000 4 120 600 750 4125 Rev A\\001\n"
                                                  "-6\n"
                                                  "2 2 0 1 0 4 50 -1 20 0.000 0 0 -1 0 0 5\n"
                                                  "\t 600 600 2400 600 2400 1800 600 1800 600 600\n"
                                                  "2 2 0 1 0 1 50 -1 20 0.000 0 0 -1 0 0 5\n"
                                                  "\t 1500 1200 3300 1200 3300 2400 1500 2400 1500 1200\n"
                                                  "2 1 0 1 0 7 40 -1 -1 0.000 0 0 -1 1 0 3\n"
                                                  "\t0 0 1.00 60.00 120.00\n"
                                                  "\t 3300 1800 4200 1800 4200 3000\n"
                                                  "4 1 0 30 -1 0 12 0.0000 4 135 450 4200 900 Start\\001\n"
                                                  "1 3 0 1 32 7 45 -1 -1 0.000 1 0.0000 5400 2400 450 450 5400 "
                                                  "2400 5850 2400\n"
                                                  "3 0 0 1 32 7 45 -1 -1 0.000 0 0 0 3\n"
                                                  "\t 4500 3300 5100 3600 5700 3300\n"
                                                  "\t 0.000 1.000 0.000\n"
                                                  "2 3 0 1 0 2 50 -1 20 0.000 0 0 -1 0 0 4\n"
                                                  "\t 3600 3600 4200 3600 3900 4200 3600 3600\n"
                                                  "5 1 0 1 0 7 55 -1 -1 0.000 0 0 0 0 6000.000 4500.000 5400 4500 "
                                                  "6000 3900 6600 4500\n"
                                                  "2 1 0 2 32 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                                  "\t 600 2700 2400 2700\n");

// Where the blue box covers the red one.
const QPoint overlap(1950, 1500);

// Points on the objects, for clicks.
const QPoint redEdge(1200, 600);
const QPoint blueEdge(2400, 2400);
const QPoint lineEdge(4200, 2400);
const QPoint compoundEdge(600, 3900);
const QPoint titleBoxEdge(1800, 3600);

// Undo (or redo) as many steps as the history holds, with the keys.
void undoAll(editsession::CanvasInput& input, bool redo)
{
    const UndoHistory& history = input.window().figContext->undoHistory;
    const QList<ActionStep*>& steps = redo ? history.redoSteps : history.undoSteps;
    for (int n = steps.size(); n > 0; --n)
        input.shortcut(redo ? Qt::Key_Y : Qt::Key_Z);
    QVERIFY(steps.isEmpty());
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestUndoOrder : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }

    // Each row edits the flowchart with the mouse and keys; Ctrl+Z as often
    // as there are steps gives back the file's lines in their order with
    // the blue box over the red one, and Ctrl+Y as often gives back the
    // edited file. The canvas is each time what a full redraw makes.
    void undoGivesBackTheOrder_data()
    {
        QTest::addColumn<Steps>("steps");
        const int deleteTool = EditMode::Delete;
        QTest::newRow("both boxes selected and deleted")
            << Steps { at('c', redEdge), { 'S' }, at('c', blueEdge), { 's' }, { 'K', Qt::Key_Delete } };
        QTest::newRow("the delete tool on the red box") << Steps { { 'M', deleteTool }, at('c', redEdge) };
        QTest::newRow("the delete tool on both boxes, blue first")
            << Steps { { 'M', deleteTool }, at('c', blueEdge), at('c', redEdge) };
        QTest::newRow("select all and delete") << Steps { { 'k', Qt::Key_A }, { 'K', Qt::Key_Delete } };
        QTest::newRow("the red box cut") << Steps { at('c', redEdge), { 'k', Qt::Key_X } };
        QTest::newRow("the line converted to a spline") << Steps { at('c', lineEdge), { 'T' } };
        QTest::newRow("the red box and the line grouped")
            << Steps { at('c', redEdge), { 'S' }, at('c', lineEdge), { 's' }, { 'G' } };
        QTest::newRow("the title block broken") << Steps { at('c', compoundEdge), { 'B' } };
        QTest::newRow("broken and grouped again")
            << Steps { at('c', compoundEdge), { 'B' }, { 'k', Qt::Key_A }, { 'G' } };
        QTest::newRow("a member deleted inside the open compound")
            << Steps { at('c', compoundEdge), { 'O' }, at('c', titleBoxEdge), { 'K', Qt::Key_Delete }, { 'Q' } };
        QTest::newRow("the open compound emptied and closed")
            << Steps { at('c', compoundEdge), { 'O' }, { 'k', Qt::Key_A }, { 'K', Qt::Key_Delete }, { 'Q' } };
        QTest::newRow("the red box copied and pasted") << Steps { at('c', redEdge), { 'k', Qt::Key_C },
            { 'k', Qt::Key_V }, { 'm', 4800, 1200 }, { 'c', 4800, 1200 } };
    }
    void undoGivesBackTheOrder()
    {
        QFETCH(Steps, steps);
        editsession::run(flowchart, [&](QTMainFrm&, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            QVERIFY(input.visibleFigArea().contains(QRect(0, 0, 6600, 4800)));
            const QList<QByteArray> original = editsession::savedObjectLines(document);
            QCOMPARE(original.size(), editsession::objectLines(flowchart).size());
            const QRgb blue = qRgb(0, 0, 255);
            QCOMPARE(document.canvasImage->pixel(input.pixelOf(overlap.x(), overlap.y())), blue);

            editsession::play(input, steps);
            QVERIFY(!document.figContext->undoHistory.undoSteps.isEmpty());
            const QList<QByteArray> edited = editsession::savedObjectLines(document);
            QVERIFY(edited != original);

            undoAll(input, false);
            QCOMPARE(editsession::savedObjectLines(document), original);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            QCOMPARE(document.canvasImage->pixel(input.pixelOf(overlap.x(), overlap.y())), blue);

            undoAll(input, true);
            QCOMPARE(editsession::savedObjectLines(document), edited);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
        });
    }

    // Random editing sessions through the document window's commands on the
    // flowchart: deleting, cutting and pasting selections, converting,
    // grouping and breaking, deleting inside an open compound and closing
    // it, nudging and changing depths, with some undos and redos between.
    // Undoing everything gives the original lines in their order, redoing
    // everything the lines after the session.
    void randomEditsUndoneGiveTheFileBack_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : { 1u, 2u, 3u, 17u, 99u, 2024u })
            QTest::addRow("seed %u", seed) << seed;
    }
    void randomEditsUndoneGiveTheFileBack()
    {
        QFETCH(quint32, seed);
        editsession::run(flowchart, [&](QTMainFrm&, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            editsession::CanvasInput input(document);
            std::mt19937 rng(seed);
            auto pick = [&rng](int n) { return n <= 1 ? 0 : int(rng() % quint32(n)); };
            QStringList done;
            auto where = [&](const QString& what) {
                return QStringLiteral("seed %1, %2 after: %3").arg(seed).arg(what, done.join(QStringLiteral(" | ")));
            };
            // A random part of the current list selected, as clicks leave it.
            auto selectSome = [&]() {
                int selected = 0;
                for (FigObject* object : *ctx.objects()) {
                    object->selected = pick(3) == 0;
                    selected += object->selected ? 1 : 0;
                }
                if (!selected && !ctx.objects()->empty())
                    ctx.objects()->front()->selected = true;
            };
            auto randomObject = [&]() -> FigObject* {
                FigObjectList* list = ctx.objects();
                return list->empty() ? nullptr : *std::next(list->begin(), pick(int(list->size())));
            };

            const QList<QByteArray> original = editsession::savedObjectLines(document);
            for (int i = 0; i < 40; ++i) {
                // Each change starts in the select mode, nothing selected.
                document.chooseEditMode(EditMode::Select);
                for (FigObject* object : *ctx.objects())
                    object->selected = false;
                ctx.currentObject = nullptr;
                switch (pick(10)) {
                case 0:
                    selectSome();
                    input.key(Qt::Key_Delete);
                    done << QStringLiteral("delete");
                    break;
                case 1:
                    selectSome();
                    document.cut();
                    done << QStringLiteral("cut");
                    break;
                case 2:
                    selectSome();
                    document.copy();
                    document.paste();
                    input.move(3000 + pick(20) * 75, 3000);
                    input.click(3000 + pick(20) * 75, 3000);
                    done << QStringLiteral("copy and paste");
                    break;
                case 3:
                    ctx.currentObject = randomObject();
                    document.convertLineSpline();
                    done << QStringLiteral("convert");
                    break;
                case 4:
                    selectSome();
                    document.createCompound();
                    done << QStringLiteral("group");
                    break;
                case 5:
                    selectSome();
                    document.breakCompound();
                    done << QStringLiteral("break");
                    break;
                case 6: {
                    FigObject* object = randomObject();
                    if (!object || object->type != FigObject::Compound)
                        break;
                    ctx.currentObject = object;
                    document.openCompound();
                    selectSome();
                    input.key(Qt::Key_Delete);
                    document.closeCompound();
                    done << QStringLiteral("delete inside a compound");
                    break;
                }
                case 7:
                    selectSome();
                    input.key(pick(2) ? Qt::Key_Right : Qt::Key_Down);
                    done << QStringLiteral("nudge");
                    break;
                case 8:
                    ctx.currentObject = randomObject();
                    currentAttrs.depth = 40 + pick(3) * 5;
                    ctx.updateObjectAttributes(ctx.currentObject, false);
                    done << QStringLiteral("depth");
                    break;
                default:
                    // Back a little, sometimes forth again.
                    document.undo();
                    if (pick(2))
                        document.redo();
                    done << QStringLiteral("undo");
                    break;
                }
                QVERIFY2(!canvasAction.actionInProgress, qPrintable(where(QStringLiteral("a gesture left open"))));
            }
            document.chooseEditMode(EditMode::Select);
            // Steps undone last count as part of the session.
            while (!ctx.undoHistory.redoSteps.isEmpty())
                document.redo();
            const QList<QByteArray> edited = editsession::savedObjectLines(document);
            while (!ctx.undoHistory.undoSteps.isEmpty())
                document.undo();
            QVERIFY2(editsession::savedObjectLines(document) == original, qPrintable(where(QStringLiteral("undone"))));
            while (!ctx.undoHistory.redoSteps.isEmpty())
                document.redo();
            QVERIFY2(editsession::savedObjectLines(document) == edited, qPrintable(where(QStringLiteral("redone"))));
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
        });
    }
};

TAVREL_TEST_MAIN(TestUndoOrder)
#include "tst_undoorder.moc"
