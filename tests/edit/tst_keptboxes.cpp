// The kept boxes of the top-level objects stay equal to a measurement
// through the changes the edit modes and commands make on the canvas, with
// their undo and redo.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/keptboxes.h"
#include "support/testenv.h"

using editsession::Step;
using editsession::Steps;

Q_DECLARE_METATYPE(Steps)

namespace {

// A box with a line linked to it, a filled ellipse and a compound of a box
// and a text.
const QByteArray drawing = editsession::ownFigText(
    "# METADATA <id>1</id>\n2 2 0 2 1 3 50 -1 20 0.000 0 0 -1 0 0 5\n"
    "\t 600 600 1800 600 1800 1500 600 1500 600 600\n"
    "# METADATA <id>2</id>\n# METADATA <link srcPointIdx=1 targetObjId=1 targetLeftPointIdx=1/>\n"
    "2 1 0 1 0 7 40 -1 -1 0.000 0 0 -1 0 0 2\n\t 3600 300 1800 900\n"
    "# METADATA <id>3</id>\n1 1 0 1 0 5 45 -1 20 0.000 1 0.0000 3000 2400 450 300 3000 2400 3450 2400\n"
    "# METADATA <id>4</id>\n6 600 3000 2700 4200\n"
    "# METADATA <id>5</id>\n2 2 0 1 0 7 60 -1 -1 0.000 0 0 -1 0 0 5\n"
    "\t 600 3000 1500 3000 1500 3900 600 3900 600 3000\n"
    "# METADATA <id>6</id>\n4 0 0 50 -1 0 12 0.0000 4 135 900 1800 4200 Member\\001\n-6\n");

} // namespace

class TestKeptBoxes : public QObject {
    Q_OBJECT
private slots:
    // Each row: the tool and the steps of its change; the kept boxes equal
    // a measurement after the change, after undo and after redo.
    void keptBoxesFollowTheEditModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("linked box dragged")
            << int(EditMode::Select) << Steps { { 'm', 1200, 600 }, { 'p', 1200, 600 }, { 'd', 2400, 1800 } };
        QTest::newRow("everything selected and dragged")
            << int(EditMode::Select)
            << Steps { { 'k', Qt::Key_A }, { 'm', 1200, 600 }, { 'p', 1200, 600 }, { 'd', 1500, 2100 } };
        QTest::newRow("corner of the box moved")
            << int(EditMode::Select)
            << Steps { { 'c', 1200, 600 }, { 'm', 1800, 1500 }, { 'p', 1800, 1500 }, { 'd', 2100, 2100 } };
        QTest::newRow("ellipse copied") << int(EditMode::Copy) << Steps { { 'c', 3450, 2400 }, { 'c', 4500, 3600 } };
        QTest::newRow("box deleted") << int(EditMode::Delete) << Steps { { 'c', 1200, 600 } };
        QTest::newRow("box flipped") << int(EditMode::FlipVert) << Steps { { 'c', 1200, 600 } };
        QTest::newRow("compound turned") << int(EditMode::RotateLeft) << Steps { { 'c', 600, 3000 } };
        QTest::newRow("compound made") << int(EditMode::Select)
                                       << Steps { { 'c', 1200, 600 }, { 'S' }, { 'c', 3450, 2400 }, { 's' }, { 'G' } };
        QTest::newRow("box nudged by a key")
            << int(EditMode::Select) << Steps { { 'c', 1200, 600 }, { 'K', Qt::Key_Right } };
    }
    void keptBoxesFollowTheEditModes()
    {
        QFETCH(int, mode);
        QFETCH(Steps, steps);
        editsession::run(drawing, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            keptboxes::expectKeptEqualsMeasured(context, "opened");
            const QList<QByteArray> original = editsession::savedObjectLines(document);
            editsession::chooseMode(window, mode);
            editsession::CanvasInput input(document);
            editsession::play(input, steps);
            QVERIFY(editsession::savedObjectLines(document) != original);
            keptboxes::expectKeptEqualsMeasured(context, "changed");
            input.shortcut(Qt::Key_Z);
            keptboxes::expectKeptEqualsMeasured(context, "undone");
            input.shortcut(Qt::Key_Y);
            keptboxes::expectKeptEqualsMeasured(context, "redone");
        });
    }
};

TAVREL_TEST_MAIN(TestKeptBoxes)
#include "tst_keptboxes.moc"
