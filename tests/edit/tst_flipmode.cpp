// The flip modes in a running program: clicks mirror a box about the point
// clicked or about a centre set with Shift, in place (left button) or as a
// copy (right button), one undo step each; texts are not mirrored.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/shapestoolbar.h"

#include <QToolButton>

namespace {

const QByteArray boxHeader = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n";
const QByteArray box = boxHeader + "\t 600 600 1800 600 1800 1200 600 1200 600 600\n";

} // namespace

class TestFlipMode : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { transformCenter = TransformCenter(); }

    void clickFlipsBox_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("centreFirst"); // Shift-click at (3000, 3000) before
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QByteArray>("after");

        // The top edge clicked at (1200, 600): the line through that point.
        QTest::newRow("up/down about the clicked point")
            << int(EditMode::FlipVert) << false << int(Qt::LeftButton) << QPoint(1200, 600)
            << boxHeader + "\t 600 600 1800 600 1800 0 600 0 600 600\n";
        QTest::newRow("left/right about the clicked point")
            << int(EditMode::FlipHoriz) << false << int(Qt::LeftButton) << QPoint(1200, 600)
            << boxHeader + "\t 1800 600 600 600 600 1200 1800 1200 1800 600\n";
        QTest::newRow("up/down about the centre")
            << int(EditMode::FlipVert) << true << int(Qt::LeftButton) << QPoint(1200, 600)
            << boxHeader + "\t 600 5400 1800 5400 1800 4800 600 4800 600 5400\n";
        QTest::newRow("left/right about the centre")
            << int(EditMode::FlipHoriz) << true << int(Qt::LeftButton) << QPoint(1800, 900)
            << boxHeader + "\t 5400 600 4200 600 4200 1200 5400 1200 5400 600\n";
        // The right edge clicked at (1800, 900): the copy lies to its right.
        QTest::newRow("mirrored copy")
            << int(EditMode::FlipHoriz) << false << int(Qt::RightButton) << QPoint(1800, 900)
            << box + boxHeader + "\t 3000 600 1800 600 1800 1200 3000 1200 3000 600\n";
        QTest::newRow("mirrored copy about the centre")
            << int(EditMode::FlipVert) << true << int(Qt::RightButton) << QPoint(1800, 900)
            << box + boxHeader + "\t 600 5400 1800 5400 1800 4800 600 4800 600 5400\n";
    }
    void clickFlipsBox()
    {
        QFETCH(int, mode);
        QFETCH(bool, centreFirst);
        QFETCH(int, button);
        QFETCH(QPoint, click);
        QFETCH(QByteArray, after);
        editsession::run(editsession::figText(box), [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(mode)->click();
            QCOMPARE(editMode, mode);
            CFigContext& context = *document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);

            if (centreFirst) {
                input.hold(Qt::ShiftModifier);
                input.click(3000, 3000);
                input.hold(Qt::NoModifier);
                QVERIFY(transformCenter.isSet);
                QCOMPARE(QPoint(transformCenter.x, transformCenter.y), QPoint(3000, 3000));
                QCOMPARE(context.undoHistory.undoSteps.size(), steps);
            }
            // Beside the box: nothing.
            input.click(3000, 600, Qt::MouseButton(button));
            QCOMPARE(context.undoHistory.undoSteps.size(), steps);
            QVERIFY(!context.modified);

            input.click(click.x(), click.y(), Qt::MouseButton(button));
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
            QVERIFY(context.modified);
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(editsession::figText(after)));

            // The centre stays for the next clicks until a Shift-click
            // anywhere clears it.
            QCOMPARE(transformCenter.isSet, centreFirst);
            if (centreFirst) {
                input.hold(Qt::ShiftModifier);
                input.click(click.x(), click.y());
                input.hold(Qt::NoModifier);
                QVERIFY(!transformCenter.isSet);
                QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
            }

            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    void textIsNotFlipped()
    {
        const QByteArray figure = editsession::figText("4 0 0 50 -1 0 12 0.0000 4 135 450 1200 1200 Hello\\001\n");
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(EditMode::FlipVert)->click();
            CFigContext& context = *document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);
            input.click(1200, 1200);
            input.click(1200, 1200, Qt::RightButton);
            QCOMPARE(context.undoHistory.undoSteps.size(), steps);
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    void modeChangeClearsCentre()
    {
        editsession::run(editsession::figText(box), [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(EditMode::FlipHoriz)->click();
            editsession::CanvasInput input(document);
            input.hold(Qt::ShiftModifier);
            input.click(3000, 3000);
            input.hold(Qt::NoModifier);
            QVERIFY(transformCenter.isSet);
            window.shapesToolbar->modeButton(EditMode::RotateLeft)->click();
            QVERIFY(!transformCenter.isSet);
        });
    }
    void copyOfLinkedLineIsUnlinked()
    {
        const QByteArray figure = editsession::ownFigText(
            "# METADATA <id>1</id>\n2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
            "\t 600 600 1800 600 1800 1200 600 1200 600 600\n"
            "# METADATA <id>2</id>\n# METADATA <link srcPointIdx=1 targetObjId=1 targetLeftPointIdx=1/>\n"
            "2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 3000 300 1800 900\n");
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(EditMode::FlipVert)->click();
            CFigContext& context = *document.figContext;
            auto* line = static_cast<FigLine*>(context.drawing.objects.back());
            QVERIFY(line->pointAt(1)->link);
            editsession::CanvasInput input(document);
            input.click(2400, 600, Qt::RightButton);
            QCOMPARE(int(context.drawing.objects.size()), 3);
            auto* copy = static_cast<FigLine*>(context.drawing.objects.back());
            QVERIFY(copy != line);
            QVERIFY(copy->id != line->id);
            QCOMPARE(copy->points->x, 3000);
            QCOMPARE(copy->points->y, 900);
            QCOMPARE(copy->pointAt(1)->y, 300);
            QVERIFY(!copy->points->link && !copy->pointAt(1)->link);
            QVERIFY(line->pointAt(1)->link);
            QCOMPARE(line->pointAt(1)->link->targetObjId, 1);
            QCOMPARE(line->pointAt(1)->y, 900);
        });
    }
};

TAVREL_TEST_MAIN(TestFlipMode)
#include "tst_flipmode.moc"
