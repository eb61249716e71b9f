// The rotate modes in a running program: a left click turns an object about
// the press position or the Shift-set centre by the rotation angle of the
// current attributes, a right click adds turned copies; a box turned off the
// quarter turns becomes a polygon within the undo step, arc-boxes refuse
// such angles, and so do compounds holding one.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"

#include <QToolButton>

namespace {

const QByteArray boxHeader = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n";
const QByteArray boxPoints = "\t 600 600 1800 600 1800 1200 600 1200 600 600\n";
const QByteArray box = boxHeader + boxPoints;
const QByteArray arcBox = "2 4 0 1 0 7 50 -1 -1 0.000 0 0 7 0 0 5\n" + boxPoints;

const char* const converted = "Converted box into polygon!";

} // namespace

class TestRotateMode : public QObject {
    Q_OBJECT
private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup()
    {
        currentAttrs = DrawingAttributes();
        transformCenter = TransformCenter();
    }

    void clickTurns_data()
    {
        QTest::addColumn<QByteArray>("figure");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("angle");
        QTest::addColumn<bool>("centreFirst"); // Shift-click at (3000, 3000) before
        QTest::addColumn<QByteArray>("after"); // empty: refused, nothing changes
        QTest::addColumn<QStringList>("messages");

        // The top edge pressed at (1200, 600), the centre of the turn.
        QTest::newRow("box +90 stays a box")
            << box << int(EditMode::RotateRight) << 90 << false
            << boxHeader + "\t 1200 0 1200 1200 600 1200 600 0 1200 0\n" << QStringList();
        QTest::newRow("box -90") << box << int(EditMode::RotateLeft) << 90 << false
                                 << boxHeader + "\t 1200 1200 1200 0 1800 0 1800 1200 1200 1200\n" << QStringList();
        QTest::newRow("box -90 about the centre")
            << box << int(EditMode::RotateLeft) << 90 << true
            << boxHeader + "\t 600 5400 600 4200 1200 4200 1200 5400 600 5400\n" << QStringList();
        QTest::newRow("box 45 becomes a polygon")
            << box << int(EditMode::RotateRight) << 45 << false
            << QByteArray("2 3 0 1 0 7 50 -1 -1 0.000 0 0 0 0 0 5\n\t 776 176 1624 1024 1200 1449 351 600 776 176\n")
            << QStringList { converted };
        QTest::newRow("arc-box 45 refused")
            << arcBox << int(EditMode::RotateRight) << 45 << false << QByteArray()
            << QStringList { "This object can't be rotated by angles other than 90 degrees!" };
        QTest::newRow("arc-box -90") << arcBox << int(EditMode::RotateLeft) << 90 << false
                                     << QByteArray("2 4 0 1 0 7 50 -1 -1 0.000 0 0 7 0 0 5\n"
                                                   "\t 1200 1200 1200 0 1800 0 1800 1200 1200 1200\n")
                                     << QStringList();
        QTest::newRow("compound with an arc-box 45 refused")
            << "6 600 600 1800 1200\n" + arcBox + "-6\n" << int(EditMode::RotateLeft) << 45 << false << QByteArray()
            << QStringList { "Invalid rotation angle for this compound object" };
        // The compound's box takes in the line width again.
        QTest::newRow("compound with an arc-box 180")
            << "6 600 600 1800 1200\n" + arcBox + "-6\n" << int(EditMode::RotateRight) << 180 << false
            << QByteArray("6 593 -8 1808 608\n2 4 0 1 0 7 50 -1 -1 0.000 0 0 7 0 0 5\n"
                          "\t 1800 600 600 600 600 0 1800 0 1800 600\n-6\n")
            << QStringList();
    }
    void clickTurns()
    {
        QFETCH(QByteArray, figure);
        QFETCH(int, mode);
        QFETCH(int, angle);
        QFETCH(bool, centreFirst);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, messages);
        editsession::run(editsession::figText(figure), [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(mode)->click();
            QCOMPARE(editMode, mode);
            currentAttrs.rotnAngle = angle;
            CFigContext& context = *document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);
            if (centreFirst) {
                input.hold(Qt::ShiftModifier);
                input.click(3000, 3000);
                input.hold(Qt::NoModifier);
                QVERIFY(transformCenter.isSet);
            }

            StatusRecorder recorder;
            input.click(1200, 600);
            QCOMPARE(recorder.messages, messages);
            if (after.isEmpty()) {
                QCOMPARE(context.undoHistory.undoSteps.size(), steps);
                QCOMPARE(editsession::savedObjectLines(document), before);
                return;
            }
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(editsession::figText(after)));
            // One undo gives back the object as it was, a box included.
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
            window.redo();
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(editsession::figText(after)));
        });
    }

    void rightClickAddsCopies_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("messages");

        // Mode 59, the bottom edge of the box clicked at (1200, 1200), the
        // centre of the turns.
        QTest::newRow("two copies at 90 and 180")
            << 90 << 2
            << box + boxHeader + "\t 1800 600 1800 1800 1200 1800 1200 600 1800 600\n" + boxHeader
                + "\t 1800 1800 600 1800 600 1200 1800 1200 1800 1800\n"
            << QStringList();
        // The picked box becomes a polygon too, within the copy's step.
        QTest::newRow("a copy at 45")
            << 45 << 1
            << QByteArray("2 3 0 1 0 7 50 -1 -1 0.000 0 0 0 0 0 5\n") + boxPoints
                + "2 3 0 1 0 7 50 -1 -1 0.000 0 0 0 0 0 5\n\t 1200 351 2049 1200 1624 1624 776 776 1200 351\n"
            << QStringList { converted };
        QTest::newRow("no copies") << 90 << 0 << box << QStringList();
    }
    void rightClickAddsCopies()
    {
        QFETCH(int, angle);
        QFETCH(int, copies);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, messages);
        editsession::run(editsession::figText(box), [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(EditMode::RotateRight)->click();
            currentAttrs.rotnAngle = angle;
            currentAttrs.numCopies = copies;
            CFigContext& context = *document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);

            StatusRecorder recorder;
            input.click(1200, 1200, Qt::RightButton);
            QCOMPARE(recorder.messages, messages);
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + copies);
            QCOMPARE(editsession::savedObjectLines(document), editsession::objectLines(editsession::figText(after)));
            // Each copy is a step of its own; undoing them all gives back the
            // box alone.
            for (int i = 0; i < copies; ++i)
                window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }
    void arcCopiesAroundTheCentre()
    {
        // Centre (1200, 1200), through (600, 1200), (1200, 600), (1800, 1200).
        const QByteArray arc = "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 1200.000 1200.000 600 1200 1200 600 1800 1200\n";
        editsession::run(editsession::figText(arc), [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(EditMode::RotateRight)->click();
            currentAttrs.rotnAngle = 120;
            currentAttrs.numCopies = 2;
            CFigContext& context = *document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = context.undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);
            input.hold(Qt::ShiftModifier);
            input.click(1200, 1200);
            input.hold(Qt::NoModifier);
            input.click(1200, 600, Qt::RightButton);
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 2);
            const QList<QByteArray> lines = editsession::savedObjectLines(document);
            QCOMPARE(lines.size(), 3);
            QCOMPARE(lines.front(), before.front());
            QVERIFY2(lines.at(1).endsWith(" 1500 680 1720 1500 900 1720"), lines.at(1).constData());
            QVERIFY2(lines.at(2).endsWith(" 1500 1720 680 1500 900 680"), lines.at(2).constData());
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), lines.mid(0, 2));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }
};

TAVREL_TEST_MAIN(TestRotateMode)
#include "tst_rotatemode.moc"
