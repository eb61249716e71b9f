// The scale mode in a running program: dragging an edge of a compound's box
// scales it in one direction, dragging a corner in both with its proportions
// kept (past the fixed corner it mirrors), each release one undo step; a
// factor of 0, a compound without width or height, a press beside every
// compound and a right press change nothing.
#include "app/qtchildfrm.h"
#include "app/preferences.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/shapestoolbar.h"

#include <QToolButton>

namespace {

// Without a line width the compound's box is the box's own.
const QByteArray boxHeader = "2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n";

QByteArray compoundOfBox(const QByteArray& corners, const QByteArray& points)
{
    return "6 " + corners + "\n" + boxHeader + "\t " + points + "\n-6\n";
}

const QByteArray compound = compoundOfBox("600 600 1800 1200", "600 600 1800 600 1800 1200 600 1200 600 600");

} // namespace

class TestScaleMode : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { preferences.snapMode = 0; }

    void dragScales_data()
    {
        QTest::addColumn<QByteArray>("figure");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<bool>("cancel"); // a right press before the release
        QTest::addColumn<bool>("gridSnapping");
        QTest::addColumn<QByteArray>("after"); // empty: nothing changes
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("right edge to twice the width")
            << compound << QPoint(1800, 900) << QPoint(3000, 900) << false << false
            << compoundOfBox("600 600 3000 1200", "600 600 3000 600 3000 1200 600 1200 600 600") << QStringList();
        // The release off the edge's line: only the edge's direction counts.
        QTest::newRow("bottom edge")
            << compound << QPoint(1200, 1200) << QPoint(2400, 1500) << false << false
            << compoundOfBox("600 600 1800 1500", "600 600 1800 600 1800 1500 600 1500 600 600") << QStringList();
        QTest::newRow("left edge") << compound << QPoint(600, 900) << QPoint(0, 900) << false << false
                                   << compoundOfBox("0 600 1800 1200", "0 600 1800 600 1800 1200 0 1200 0 600")
                                   << QStringList();
        QTest::newRow("corner toward the fixed corner")
            << compound << QPoint(1800, 1200) << QPoint(1200, 900) << false << false
            << compoundOfBox("600 600 1200 900", "600 600 1200 600 1200 900 600 900 600 600") << QStringList();
        QTest::newRow("corner past the fixed corner mirrors")
            << compound << QPoint(1800, 1200) << QPoint(0, 300) << false << false
            << compoundOfBox("0 300 600 600", "600 600 0 600 0 300 600 300 600 600") << QStringList();
        QTest::newRow("factor 0 refused")
            << compound << QPoint(1800, 900) << QPoint(600, 900) << false << false << QByteArray()
            << QStringList { "A compound can't be scaled to a width or height of 0" };
        QTest::newRow("right press cancels")
            << compound << QPoint(1800, 900) << QPoint(3000, 900) << true << false << QByteArray() << QStringList();
        QTest::newRow("press beside every compound")
            << compound << QPoint(3000, 3000) << QPoint(3600, 3600) << false << false << QByteArray() << QStringList();
        QTest::newRow("compound without width")
            << QByteArray("6 600 600 600 1200\n2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 600 1200\n-6\n")
            << QPoint(600, 1200) << QPoint(1800, 1800) << false << false << QByteArray()
            << QStringList { "A compound without width or height can't be scaled" };
        // The end of a line linked to the right side of the box follows it.
        QTest::newRow("linked line stretches")
            << editsession::ownFigText("# METADATA <id>1</id>\n6 600 600 1800 1200\n# METADATA <id>2</id>\n" + boxHeader
                + "\t 600 600 1800 600 1800 1200 600 1200 600 600\n-6\n"
                  "# METADATA <id>3</id>\n# METADATA <link srcPointIdx=1 targetObjId=2 targetLeftPointIdx=1/>\n"
                  "2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 3000 300 1800 900\n")
            << QPoint(1800, 900) << QPoint(3000, 900) << false << false
            << compoundOfBox("600 600 3000 1200", "600 600 3000 600 3000 1200 600 1200 600 600")
                + "2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 3000 300 3000 900\n"
            << QStringList();
        // With grid snapping the corner follows the pointer: an edge scales
        // the other direction too.
        QTest::newRow("right edge with grid snapping")
            << compound << QPoint(1800, 900) << QPoint(3000, 1500) << false << true
            << compoundOfBox("600 600 3000 1500", "600 600 3000 600 3000 1500 600 1500 600 600") << QStringList();
    }
    void dragScales()
    {
        QFETCH(QByteArray, figure);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(bool, cancel);
        QFETCH(bool, gridSnapping);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, messages);
        const QByteArray text = figure.startsWith("#FIG") ? figure : editsession::figText(figure);
        editsession::run(text, [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(EditMode::ScaleComp)->click();
            QCOMPARE(editMode, int(EditMode::ScaleComp));
            CFigContext& context = *document.figContext;
            // Without a grid the pointer itself is not moved.
            preferences.snapMode = gridSnapping ? 1 : 0;
            context.gridIndex = 0;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);

            StatusRecorder recorder;
            input.press(press.x(), press.y());
            // The preview never changes the compound itself.
            auto* scaled = static_cast<FigCompound*>(context.drawing.objects.front());
            const QRect box(QPoint(scaled->upperLeft.x, scaled->upperLeft.y),
                QPoint(scaled->lowerRight.x, scaled->lowerRight.y));
            input.move((press.x() + release.x()) / 2 + 45, (press.y() + release.y()) / 2 - 45);
            input.move(release.x(), release.y());
            QCOMPARE(QRect(QPoint(scaled->upperLeft.x, scaled->upperLeft.y),
                         QPoint(scaled->lowerRight.x, scaled->lowerRight.y)),
                box);
            if (cancel)
                input.click(release.x(), release.y(), Qt::RightButton);
            input.release(release.x(), release.y());
            QCOMPARE(recorder.messages, messages);
            QVERIFY(!canvasAction.actionInProgress);
            if (after.isEmpty()) {
                QCOMPARE(context.undoHistory.undoSteps.size(), steps);
                QCOMPARE(editsession::savedObjectLines(document), before);
                return;
            }
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(editsession::figText(after)));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
            window.redo();
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(editsession::figText(after)));

            // The mode stays: the scaled compound can be taken again.
            input.press(600, 600);
            QVERIFY(canvasAction.actionInProgress);
            input.click(600, 600, Qt::RightButton);
            input.release(600, 600);
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
        });
    }
};

TAVREL_TEST_MAIN(TestScaleMode)
#include "tst_scalemode.moc"
