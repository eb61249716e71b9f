// Selecting, dragging, copying, removing, cutting and pasting objects with
// real mouse and key input on a document window: the saved file shows where
// the objects went, one undo per step gives the file back; the selection
// follows clicks, Shift-clicks and rectangles; copies and pasted objects that
// still follow the pointer are never saved nor counted; a drag over a large
// drawing redraws only the objects near the dragged one.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editobjects.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/objectlist.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/layerstoolbar.h"

#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <QtTest>

using editsession::Step;
using editsession::Steps;

namespace {

// Box A, an open line L to its right and box B further right, all at depth
// 50, line width 1.
const QByteArray boxA = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                        "\t 600 600 1800 600 1800 1200 600 1200 600 600\n";
const QByteArray lineL = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                         "\t 3000 900 3600 900\n";
const QByteArray boxB = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                        "\t 4800 600 5400 600 5400 1200 4800 1200 4800 600\n";
const QByteArray figure = editsession::figText(boxA + lineL + boxB);

// For hiding depths: a line at depth 40 and a compound of lines at depths
// 60 and 70, all below the boxes.
const QByteArray deepLine = "2 1 0 1 0 7 40 -1 -1 0.000 0 0 -1 0 0 2\n"
                            "\t 600 2400 1800 2400\n";
const QByteArray compoundBlock = "6 600 2993 1800 3608\n"
                                 "2 1 0 1 0 7 60 -1 -1 0.000 0 0 -1 0 0 2\n"
                                 "\t 600 3000 1800 3000\n"
                                 "2 1 0 1 0 7 70 -1 -1 0.000 0 0 -1 0 0 2\n"
                                 "\t 600 3600 1800 3600\n"
                                 "-6\n";

const QByteArray boxHeader = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5";
const QByteArray lineHeader = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2";

QList<QByteArray> lines(const QByteArray& objects)
{
    return editsession::objectLines(editsession::figText(objects));
}

QByteArray box(int x1, int y1, int x2, int y2)
{
    return boxHeader + "\n\t " + QByteArray::number(x1) + ' ' + QByteArray::number(y1) + ' ' + QByteArray::number(x2)
        + ' ' + QByteArray::number(y1) + ' ' + QByteArray::number(x2) + ' ' + QByteArray::number(y2) + ' '
        + QByteArray::number(x1) + ' ' + QByteArray::number(y2) + ' ' + QByteArray::number(x1) + ' '
        + QByteArray::number(y1) + '\n';
}

// Every object of the drawing's tree counted once per depth, nothing more.
void verifyDepthCounts(CFigContext& context)
{
    int counted = 0;
    for (int depth = 0; depth < CFigContext::depthCount; ++depth)
        counted += context.depthObjectCount[depth];
    QCOMPARE(counted, countObjects(&context.drawing.objects));
}

// Unticks a depth in the layers panel with a click on its check box.
void hideDepth(QTMainFrm& window, int depth)
{
    QListWidget* list = window.layersToolbar->lstLayers;
    const QList<QListWidgetItem*> items = list->findItems(QString::number(depth), Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(items.front());
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    QCOMPARE(items.front()->checkState(), Qt::Unchecked);
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestSelectMode : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        clearLineConstraints();
        shiftKeyDown = false;
    }

    // Gestures in a mode: the saved file afterwards, the undo steps they
    // made (and whether the document is modified exactly then), and undoing
    // them all gives the file back, its objects in their order.
    void gestures_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::addColumn<int>("undoSteps");
        const int select = EditMode::Select;
        QTest::newRow("an object dragged by its edge moves by the drag")
            << select << Steps { { 'm', 1200, 600 }, { 'd', 1500, 900 } }
            << lines(box(900, 900, 2100, 1500) + lineL + boxB) << 1;
        QTest::newRow("a drag on a box corner moves it with its neighbours")
            << select << Steps { { 'm', 1800, 1200 }, { 'd', 2100, 1500 } }
            << lines(box(600, 600, 2100, 1500) + lineL + boxB) << 1;
        QTest::newRow("a line end dragged onto a box links and follows the box")
            << select << Steps { { 'm', 3000, 900 }, { 'd', 1800, 900 }, { 'm', 1200, 600 }, { 'd', 1500, 600 } }
            << lines(box(900, 600, 2100, 1200) + lineHeader + "\n\t 2100 900 3600 900\n" + boxB) << 2;
        QTest::newRow("a line end dropped near nothing stays when the box moves")
            << select << Steps { { 'm', 3600, 900 }, { 'd', 3900, 1500 }, { 'm', 1200, 600 }, { 'd', 1500, 600 } }
            << lines(box(900, 600, 2100, 1200) + lineHeader + "\n\t 3000 900 3900 1500\n" + boxB) << 2;
        QTest::newRow("with two selected a press on a vertex drags both")
            << select
            << Steps { { 'c', 1200, 600 }, { 'S' }, { 'c', 3300, 900 }, { 's' }, { 'm', 600, 600 }, { 'd', 900, 600 } }
            << lines(box(900, 600, 2100, 1200) + lineHeader + "\n\t 3300 900 3900 900\n" + boxB) << 1;
        QTest::newRow("a right press during a drag moves nothing")
            << select
            << Steps { { 'm', 1200, 600 }, { 'p', 1200, 600 }, { 'm', 1500, 900 }, { 'R', 1500, 900 },
                   { 'r', 1500, 900 } }
            << lines(boxA + lineL + boxB) << 0;
        QTest::newRow("a right press during a point drag changes nothing")
            << select
            << Steps { { 'm', 1800, 1200 }, { 'p', 1800, 1200 }, { 'm', 2000, 1400 }, { 'm', 2100, 1500 },
                   { 'R', 2100, 1500 }, { 'r', 2100, 1500 } }
            << lines(boxA + lineL + boxB) << 0;
        QTest::newRow("the copy tool places a copy offset by the two clicks")
            << int(EditMode::Copy) << Steps { { 'c', 1200, 600 }, { 'm', 1350, 750 }, { 'c', 1500, 900 } }
            << lines(boxA + lineL + boxB + box(900, 900, 2100, 1500)) << 1;
        QTest::newRow("the copy tool drops the copy on a right click")
            << int(EditMode::Copy) << Steps { { 'c', 1200, 600 }, { 'm', 1500, 900 }, { 'R', 1500, 900 } }
            << lines(boxA + lineL + boxB) << 0;
        QTest::newRow("the copy tool beside every object copies nothing")
            << int(EditMode::Copy) << Steps { { 'c', 2400, 2400 }, { 'c', 3000, 3000 } } << lines(boxA + lineL + boxB)
            << 0;
        QTest::newRow("the remove tool deletes the clicked object")
            << int(EditMode::Delete) << Steps { { 'c', 1200, 600 }, { 'c', 3000, 3000 } } << lines(lineL + boxB) << 1;
        QTest::newRow("paste follows the pointer and lands where clicked")
            << select
            << Steps { { 'c', 1200, 600 }, { 'C' }, { 'V' }, { 'm', 2700, 2700 }, { 'm', 3000, 3000 },
                   { 'c', 3000, 3000 } }
            << lines(boxA + lineL + boxB + box(2400, 2700, 3600, 3300)) << 1;
        QTest::newRow("cut then paste moves the object")
            << select << Steps { { 'c', 1200, 600 }, { 'X' }, { 'V' }, { 'c', 3000, 3000 } }
            << lines(lineL + boxB + box(2400, 2700, 3600, 3300)) << 2;
        QTest::newRow("a right press drops the pasted objects")
            << select << Steps { { 'c', 1200, 600 }, { 'C' }, { 'V' }, { 'm', 3000, 3000 }, { 'R', 3000, 3000 } }
            << lines(boxA + lineL + boxB) << 0;
        QTest::newRow("an arrow key nudges the selection by a pixel")
            << select << Steps { { 'c', 1200, 600 }, { 'K', Qt::Key_Right } }
            << lines(box(615, 600, 1815, 1200) + lineL + boxB) << 1;
        QTest::newRow("Delete removes the selection")
            << select << Steps { { 'c', 1200, 600 }, { 'K', Qt::Key_Delete } } << lines(lineL + boxB) << 1;
        QTest::newRow("Delete with nothing selected makes no step")
            << select << Steps { { 'K', Qt::Key_Delete } } << lines(boxA + lineL + boxB) << 0;
        QTest::newRow("Delete while a press awaits its release is ignored")
            << select << Steps { { 'm', 1200, 600 }, { 'p', 1200, 600 }, { 'K', Qt::Key_Delete }, { 'r', 1200, 600 } }
            << lines(boxA + lineL + boxB) << 0;
        QTest::newRow("copy, cut and paste wait for a drag to end")
            << select
            << Steps { { 'c', 1200, 600 }, { 'C' }, { 'm', 3300, 900 }, { 'p', 3300, 900 }, { 'm', 3300, 1200 },
                   { 'X' }, { 'V' }, { 'C' }, { 'r', 3300, 1200 } }
            << lines(boxA + lineHeader + "\n\t 3000 1200 3600 1200\n" + boxB) << 1;
    }
    void gestures()
    {
        QFETCH(int, mode);
        QFETCH(Steps, steps);
        QFETCH(QList<QByteArray>, expected);
        QFETCH(int, undoSteps);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, mode);
            CFigContext& context = *document.figContext;
            editsession::CanvasInput input(document);
            editsession::play(input, steps);
            QCOMPARE(editsession::savedObjectLines(document), expected);
            QCOMPARE(context.undoHistory.undoSteps.size(), undoSteps);
            verifyDepthCounts(context);
            QVERIFY(!canvasAction.actionInProgress);
            for (int i = 0; i < undoSteps; ++i)
                window.undo();
            QCOMPARE(editsession::savedObjectLines(document), lines(boxA + lineL + boxB));
            verifyDepthCounts(context);
        });
    }

    // Which of A, L and B are selected after clicks, Shift-clicks, right
    // clicks and rectangles in the select mode.
    void selection_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QList<bool>>("selected");
        QTest::newRow("a click selects only the object")
            << Steps { { 'c', 3300, 900 }, { 'c', 1200, 600 } } << QList<bool> { true, false, false };
        QTest::newRow("a Shift-click adds to the selection")
            << Steps { { 'c', 1200, 600 }, { 'S' }, { 'c', 3300, 900 } } << QList<bool> { true, true, false };
        QTest::newRow("a Shift-click on a selected object removes it") << Steps { { 'c', 1200, 600 }, { 'S' },
            { 'c', 3300, 900 }, { 'c', 1200, 600 } } << QList<bool> { false, true, false };
        QTest::newRow("a rectangle from empty canvas selects what lies inside") << Steps { { 'c', 1200, 600 },
            { 'm', 300, 300 }, { 'd', 3900, 1500 } } << QList<bool> { true, true, false };
        // (Shift held while the pointer moves would keep its column.)
        QTest::newRow("a rectangle begun with Shift toggles what lies inside") << Steps { { 'c', 1200, 600 }, { 'S' },
            { 'm', 300, 300 }, { 'p', 300, 300 }, { 's' }, { 'm', 2100, 900 }, { 'm', 3900, 1500 },
            { 'r', 3900, 1500 } } << QList<bool> { false, true, false };
        QTest::newRow("a rectangle around selected objects deselects them") << Steps { { 'c', 1200, 600 }, { 'S' },
            { 'c', 5100, 600 }, { 'm', 300, 300 }, { 'p', 300, 300 }, { 's' }, { 'm', 2100, 900 }, { 'm', 3900, 1500 },
            { 'r', 3900, 1500 } } << QList<bool> { false, true, true };
        QTest::newRow("objects only partly inside stay as they are")
            << Steps { { 'm', 300, 300 }, { 'd', 3300, 1500 } } << QList<bool> { true, false, false };
        QTest::newRow("a right click deselects everything") << Steps { { 'c', 1200, 600 }, { 'S' }, { 'c', 3300, 900 },
            { 's' }, { 'R', 6000, 3000 } } << QList<bool> { false, false, false };
    }
    void selection()
    {
        QFETCH(Steps, steps);
        QFETCH(QList<bool>, selected);
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            QCOMPARE(editMode, int(EditMode::Select));
            editsession::CanvasInput input(document);
            editsession::play(input, steps);
            QList<bool> flags;
            for (const FigObject* object : document.figContext->drawing.objects)
                flags << object->selected;
            QCOMPARE(flags, selected);
            QVERIFY(document.figContext->undoHistory.undoSteps.isEmpty());
            QVERIFY(!document.figContext->modified);
        });
    }

    // Select All (Ctrl+A) selects what picking can reach: the objects on
    // the shown depths, a compound when one of its members is on a shown
    // depth. Delete then leaves what the layers panel hides, also an object
    // selected before its depth was hidden; one undo gives all back in order.
    void selectAllLeavesHiddenDepths_data()
    {
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<Steps>("before");
        QTest::addColumn<QByteArray>("left");
        QTest::newRow("nothing hidden") << QList<int>() << Steps() << QByteArray();
        QTest::newRow("the boxes' depth hidden") << QList<int> { 50 } << Steps() << boxA + boxB;
        QTest::newRow("the line's depth hidden") << QList<int> { 40 } << Steps() << deepLine;
        QTest::newRow("one member's depth of the compound hidden") << QList<int> { 70 } << Steps() << QByteArray();
        QTest::newRow("every member's depth of the compound hidden")
            << QList<int> { 60, 70 } << Steps() << compoundBlock;
        QTest::newRow("a box selected before its depth was hidden")
            << QList<int> { 50 } << Steps { { 'c', 1200, 600 } } << boxA + boxB;
    }
    void selectAllLeavesHiddenDepths()
    {
        QFETCH(QList<int>, hidden);
        QFETCH(Steps, before);
        QFETCH(QByteArray, left);
        const QByteArray drawing = boxA + deepLine + boxB + compoundBlock;
        editsession::run(editsession::figText(drawing), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            const QList<QByteArray> original = editsession::savedObjectLines(document);
            editsession::CanvasInput input(document);
            editsession::play(input, before);
            for (int depth : hidden) {
                hideDepth(window, depth);
                QVERIFY(!context.depthVisible[depth]);
            }
            input.shortcut(Qt::Key_A);
            input.key(Qt::Key_Delete);
            QCOMPARE(editsession::savedObjectLines(document), lines(left));
            QCOMPARE(editsession::pixelsOffRedraw(document), 0);
            verifyDepthCounts(context);
            input.shortcut(Qt::Key_Z);
            QCOMPARE(editsession::savedObjectLines(document), original);
        });
    }

    // A copy or pasted objects still following the pointer are left out of
    // the file, whether the drawing is saved, another tool is chosen or a
    // copy is started over, and they are counted nowhere afterwards.
    void floatingObjectsAreNeverSaved_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("chosenAfter"); // 0: saved at once
        QTest::newRow("copy, saved") << int(EditMode::Copy) << Steps { { 'c', 1200, 600 }, { 'm', 2400, 2400 } } << 0;
        QTest::newRow("paste, saved") << int(EditMode::Select)
                                      << Steps { { 'c', 1200, 600 }, { 'C' }, { 'V' }, { 'm', 2400, 2400 } } << 0;
        QTest::newRow("copy, then another tool")
            << int(EditMode::Copy) << Steps { { 'c', 1200, 600 }, { 'm', 2400, 2400 } } << int(EditMode::Polyline);
        QTest::newRow("paste, then another tool")
            << int(EditMode::Select) << Steps { { 'c', 1200, 600 }, { 'C' }, { 'V' }, { 'm', 2400, 2400 } }
            << int(EditMode::Delete);
    }
    void floatingObjectsAreNeverSaved()
    {
        QFETCH(int, mode);
        QFETCH(Steps, steps);
        QFETCH(int, chosenAfter);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, mode);
            CFigContext& context = *document.figContext;
            editsession::CanvasInput input(document);
            editsession::play(input, steps);
            QCOMPARE(context.drawing.objects.size(), size_t(4));
            if (chosenAfter)
                editsession::chooseMode(window, chosenAfter);
            QCOMPARE(editsession::savedObjectLines(document), lines(boxA + lineL + boxB));
            QCOMPARE(context.drawing.objects.size(), size_t(3));
            QVERIFY(!canvasAction.actionInProgress);
            QVERIFY(context.undoHistory.undoSteps.isEmpty());
            verifyDepthCounts(context);
            // A click afterwards places nothing.
            editsession::play(input, Steps { { 'c', 3000, 3000 } });
            QCOMPARE(context.drawing.objects.size(), size_t(3));
            QVERIFY(context.undoHistory.undoSteps.isEmpty());
        });
    }

    // Pasted objects get identifiers of their own, are selected when the
    // paste began in the select mode, and the select mode comes back.
    void pasteGivesFreshIdentifiers()
    {
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            editsession::CanvasInput input(document);
            editsession::play(input, Steps { { 'c', 1200, 600 }, { 'C' }, { 'V' } });
            QCOMPARE(editMode, int(EditMode::Paste));
            editsession::play(input, Steps { { 'c', 3000, 3000 } });
            QCOMPARE(editMode, int(EditMode::Select));
            QCOMPARE(context.drawing.objects.size(), size_t(4));
            const FigObject* original = context.drawing.objects.front();
            const FigObject* pasted = context.drawing.objects.back();
            QVERIFY(pasted->id != original->id);
            QVERIFY(pasted->selected);
            QVERIFY(!original->selected);
        });
    }

    // A drag over a drawing of 10000 small lines redraws the objects near
    // the dragged one on each move, not the drawing.
    void dragRedrawsOnlyTheAreaItTouches()
    {
        QByteArray objects;
        for (int i = 0; i < 10000; ++i) {
            const int x = 300 + 300 * (i % 100);
            const int y = 300 + 300 * (i / 100);
            objects += lineHeader + "\n\t " + QByteArray::number(x) + ' ' + QByteArray::number(y) + ' '
                + QByteArray::number(x + 150) + ' ' + QByteArray::number(y) + '\n';
        }
        editsession::run(editsession::figText(objects), [&](QTMainFrm&, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            QCOMPARE(context.drawing.objects.size(), size_t(10000));
            editsession::CanvasInput input(document);
            // The line from (900, 900) to (1050, 900).
            editsession::play(input, Steps { { 'm', 975, 900 }, { 'p', 975, 900 }, { 'm', 1005, 930 } });
            QCOMPARE(editMode, int(EditMode::MoveSelection));
            const long long before = context.objectsDrawn;
            input.move(1035, 960);
            const long long drawn = context.objectsDrawn - before;
            QVERIFY2(drawn > 0 && drawn < 40, QByteArray::number(drawn).constData());
            editsession::play(input, Steps { { 'r', 1035, 960 } });
            QCOMPARE(context.undoHistory.undoSteps.size(), 1);
        });
    }
};

TAVREL_TEST_MAIN(TestSelectMode)
#include "tst_selectmode.moc"
