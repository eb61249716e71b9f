// Compounds in a running program: the selected objects grouped by the main
// window's command are saved inside "6 ... -6" with the compound's corners;
// undo ungroups; breaking gives the members back; a polyline drawn inside an
// open compound is saved inside it and closing fits the corners around it;
// a compound emptied while open leaves the drawing when it is closed, and
// undo brings it back with its members; the compound actions
// follow the selection, the current object and the open compound.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include <QSignalSpy>

#include <algorithm>
#include <iterator>

namespace {

const QByteArray first = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 1800 600\n";
const QByteArray second = "2 1 0 3 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n\t 600 1200 1200 1500 1800 1200\n";
const QByteArray far = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 4500 4500 5400 4500\n";
const QByteArray figure = editsession::figText(first + second + far);

QList<QByteArray> lines(const QByteArray& objects)
{
    return editsession::objectLines(editsession::figText(objects));
}

// Pulls a selection rectangle over the canvas in the select mode: the
// objects inside it become selected.
void pullRectangle(QTChildFrm& document, int x1, int y1, int x2, int y2)
{
    QCOMPARE(editMode, int(EditMode::Select));
    editsession::CanvasInput input(document);
    input.move(x1, y1);
    input.press(x1, y1);
    input.move((x1 + x2) / 2, (y1 + y2) / 2);
    input.move(x2, y2);
    input.release(x2, y2);
}

// The rectangle around the two lines, not the far one.
void selectTwoLines(QTChildFrm& document)
{
    pullRectangle(document, 300, 300, 2100, 1800);
}

using States = QList<bool>;

States lastStates(const QSignalSpy& spy)
{
    States states;
    if (spy.isEmpty())
        return states;
    for (const QVariant& value : spy.last())
        states << value.toBool();
    return states;
}

} // namespace

class TestCompounds : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup() { init(); }

    // The two lines grouped: one new object with a fresh identifier whose
    // corners hold the lines with their widths; one undo step; undo gives
    // the lines back as they were, breaking does too.
    void groupAndUngroup()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            QSignalSpy buttons(&document, &QTChildFrm::compoundButtonsStateChanged);
            selectTwoLines(document);
            QCOMPARE(lastStates(buttons), States({ true, false, false, false }));
            const int lastId = ctx.nextId;
            window.onCreateCompound();

            // The compound joins the list at its end; its corners hold the lines
            // with their widths.
            const QList<QByteArray> grouped = lines(far) + QList<QByteArray> { "6 590 593 1810 1525" }
                + lines(first + second) + QList<QByteArray> { "-6" };
            QCOMPARE(editsession::savedObjectLines(document), grouped);
            QCOMPARE(ctx.undoHistory.undoSteps.size(), 1);
            FigObject* compound = ctx.currentObject;
            QVERIFY(compound);
            QCOMPARE(compound->type, int(FigObject::Compound));
            QCOMPARE(compound->id, lastId + 1);
            QVERIFY(compound->selected);
            QVERIFY(compound->markerState != 0);
            for (FigObject* member : *static_cast<FigCompound*>(compound)->members)
                QVERIFY(!member->selected);
            QCOMPARE(lastStates(buttons), States({ true, true, true, false }));

            // Ungrouped, the lines come back to their places in the list.
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), lines(first + second + far));
            window.redo();
            QCOMPARE(editsession::savedObjectLines(document), grouped);

            // Broken again: the members stay, none selected, one step.
            ctx.currentObject = nullptr;
            // A click on the compound's left edge selects it.
            editsession::CanvasInput input(document);
            input.move(590, 1050);
            input.click(590, 1050);
            QVERIFY(ctx.drawing.objects.back()->selected);
            window.onBreakCompound();
            QCOMPARE(ctx.undoHistory.undoSteps.size(), 2);
            QCOMPARE(ctx.currentObject, nullptr);
            QCOMPARE(ctx.drawing.objects.size(), size_t(3));
            for (FigObject* object : ctx.drawing.objects)
                QVERIFY(!object->selected);
            QCOMPARE(lastStates(buttons), States({ false, false, false, false }));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), grouped);
        });
    }

    // Nothing selected: a message and no step; no compound selected: the
    // break changes nothing.
    void nothingToGroupOrBreak()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            StatusRecorder status;
            window.onCreateCompound();
            QVERIFY(status.messages.contains(QStringLiteral("Empty compound, ignored")));
            pullRectangle(document, 4200, 4200, 5700, 4800);
            QVERIFY(ctx.drawing.objects.back()->selected);
            window.onBreakCompound();
            QCOMPARE(ctx.undoHistory.undoSteps.size(), 0);
            QVERIFY(!ctx.modified);
            QCOMPARE(editsession::savedObjectLines(document), lines(first + second + far));
        });
    }

    // Opened, the compound's members are the list every mode works on: a
    // polyline drawn there is saved inside the compound, and closing fits
    // the corners around it and selects the compound.
    void drawInsideOpenCompound()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            QSignalSpy buttons(&document, &QTChildFrm::compoundButtonsStateChanged);
            selectTwoLines(document);
            window.onCreateCompound();
            auto* compound = static_cast<FigCompound*>(ctx.currentObject);
            window.onOpenCompound();
            QCOMPARE(ctx.objects(), compound->members);
            QCOMPARE(ctx.currentObject, nullptr);
            QVERIFY(!compound->selected);
            QVERIFY(allMarkersShown);
            QCOMPARE(lastStates(buttons), States({ false, false, false, true }));

            editsession::chooseMode(window, EditMode::Polyline);
            editsession::CanvasInput input(document);
            input.move(600, 2400);
            input.click(600, 2400);
            input.move(1800, 2400);
            input.click(1800, 2400, Qt::RightButton);
            const QByteArray added = "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 0 0 2\n\t 600 2400 1800 2400\n";
            QCOMPARE(editsession::savedObjectLines(document),
                lines(far) + QList<QByteArray> { "6 590 593 1810 1525" } + lines(first + second + added)
                    + QList<QByteArray> { "-6" });

            window.onCloseCompound();
            QCOMPARE(ctx.objects(), &ctx.drawing.objects);
            QCOMPARE(ctx.currentObject, compound);
            QVERIFY(compound->selected);
            QCOMPARE(lastStates(buttons), States({ true, true, true, false }));
            QCOMPARE(editsession::savedObjectLines(document),
                lines(far) + QList<QByteArray> { "6 590 593 1810 2408" } + lines(first + second + added)
                    + QList<QByteArray> { "-6" });
            // The polyline was one undo step inside the compound.
            window.undo();
            QCOMPARE(compound->members->size(), size_t(2));
        });
    }

    // All members deleted while the compound is open (Ctrl+A, Delete), then
    // closed: the empty compound leaves the drawing as one more step, so
    // that no empty "6 ... -6" block is saved. Ctrl+Z brings it back, the
    // next Ctrl+Z its members inside it in their order, the next one the
    // lines as they were before grouping; Ctrl+Y three times removes it
    // again. The canvas is each time what a full redraw makes.
    void emptiedWhileOpen()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            editsession::CanvasInput input(document);
            selectTwoLines(document);
            window.onCreateCompound();
            const QList<QByteArray> grouped = editsession::savedObjectLines(document);
            auto* compound = static_cast<FigCompound*>(ctx.currentObject);
            window.onOpenCompound();
            editsession::chooseMode(window, EditMode::Select);
            input.shortcut(Qt::Key_A);
            input.key(Qt::Key_Delete);
            QVERIFY(ctx.objects()->empty());
            QCOMPARE(ctx.undoHistory.undoSteps.size(), 2);
            window.onCloseCompound();
            QCOMPARE(ctx.objects(), &ctx.drawing.objects);
            QCOMPARE(ctx.currentObject, nullptr);
            QCOMPARE(editsession::savedObjectLines(document), lines(far));
            QCOMPARE(ctx.undoHistory.undoSteps.size(), 3);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);

            input.shortcut(Qt::Key_Z);
            QCOMPARE(ctx.drawing.objects.back(), compound);
            QVERIFY(compound->members->empty());
            input.shortcut(Qt::Key_Z);
            QCOMPARE(editsession::savedObjectLines(document), grouped);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            input.shortcut(Qt::Key_Z);
            QCOMPARE(editsession::savedObjectLines(document), lines(first + second + far));
            QVERIFY(ctx.undoHistory.undoSteps.isEmpty());

            for (int i = 0; i < 3; ++i)
                input.shortcut(Qt::Key_Y);
            QCOMPARE(editsession::savedObjectLines(document), lines(far));
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
        });
    }

    // Closing a compound that still has members keeps it and makes no step;
    // one emptied inside another goes from the outer one's members, and the
    // outer one, left empty in turn, goes when it is closed.
    void closingKeepsFilledAndDropsEmptiedNestedCompounds()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            editsession::CanvasInput input(document);
            selectTwoLines(document);
            window.onCreateCompound();
            auto* inner = static_cast<FigCompound*>(ctx.currentObject);
            window.onCreateCompound(); // the compound alone, selected, into another
            auto* outer = static_cast<FigCompound*>(ctx.currentObject);
            QVERIFY(outer != inner);
            const QList<QByteArray> nested = editsession::savedObjectLines(document);
            const int steps = ctx.undoHistory.undoSteps.size();

            window.onOpenCompound();
            window.onCloseCompound();
            QCOMPARE(ctx.undoHistory.undoSteps.size(), steps);
            QCOMPARE(editsession::savedObjectLines(document), nested);

            window.onOpenCompound();
            ctx.currentObject = inner;
            window.onOpenCompound();
            editsession::chooseMode(window, EditMode::Select);
            input.shortcut(Qt::Key_A);
            input.key(Qt::Key_Delete);
            window.onCloseCompound();
            QCOMPARE(ctx.objects(), outer->members);
            QVERIFY(outer->members->empty());
            window.onCloseCompound();
            QCOMPARE(editsession::savedObjectLines(document), lines(far));
            QCOMPARE(ctx.undoHistory.undoSteps.size(), steps + 3);
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            for (int i = 0; i < 3; ++i)
                input.shortcut(Qt::Key_Z);
            QCOMPARE(editsession::savedObjectLines(document), nested);
        });
    }
};

TAVREL_TEST_MAIN(TestCompounds)
#include "tst_compounds.moc"
