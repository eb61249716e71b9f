// The update mode in a running program: a click on an object gives it the
// current attributes ticked in the update mask as one undo step; a click
// beside every object does nothing.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"
#include "toolbars/updatemask.h"

#include <QToolButton>

namespace {

const QByteArray figure = editsession::figText("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                               "\t 600 600 1800 600\n"
                                               "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                               "\t 600 1800 1800 1800\n");

} // namespace

class TestUpdateMode : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        currentAttrs = DrawingAttributes();
        updateMask = UpdateMask();
    }
    void cleanup() { init(); }

    void clickUpdates_data()
    {
        QTest::addColumn<bool>("onlyDepth");
        QTest::addColumn<QByteArray>("updated");
        // Every flag on: depth, width, the style value (0 before, 4 for a width
        // of 1 now), pen colour and the forward arrow.
        QTest::newRow("every flag") << false
                                    << QByteArray("2 1 0 3 4 7 40 -1 -1 8.000 0 0 -1 1 0 2\n"
                                                  "\t1 1 3.00 180.00 360.00\n");
        QTest::newRow("only depth") << true << QByteArray("2 1 0 1 0 7 40 -1 -1 0.000 0 0 -1 0 0 2\n");
    }
    void clickUpdates()
    {
        QFETCH(bool, onlyDepth);
        QFETCH(QByteArray, updated);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            QToolButton* button = window.shapesToolbar->modeButton(EditMode::Update);
            button->click();
            QCOMPARE(editMode, int(EditMode::Update));
            QCOMPARE(statusText, QStringLiteral("UPDATE objects to current settings"));

            currentAttrs.depth = 40;
            currentAttrs.lineWidth = 3;
            currentAttrs.forwArrowOn = true;
            currentAttrs.forwArrow = 2;
            document.figContext->penColor = 4;
            if (onlyDepth) {
                updateMask = UpdateMask();
                bool* flags = &updateMask.depth;
                for (int i = 0; i < int(sizeof(UpdateMask) / sizeof(bool)); ++i)
                    flags[i] = false;
                updateMask.depth = true;
            }

            const QList<QByteArray> before = editsession::savedObjectLines(document);
            CFigContext& context = *document.figContext;
            const int steps = context.undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);

            // Beside every object: nothing.
            {
                StatusRecorder recorder;
                input.click(3000, 3000);
                QVERIFY(recorder.messages.isEmpty());
            }
            QCOMPARE(context.undoHistory.undoSteps.size(), steps);
            QVERIFY(!context.modified);

            StatusRecorder recorder;
            input.click(1200, 1800);
            QCOMPARE(recorder.messages, QStringList({ "Object(s) UPDATED" }));
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
            QCOMPARE(editsession::savedObjectLines(document),
                editsession::objectLines(
                    editsession::figText("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 1800 600\n" + updated
                        + "\t 600 1800 1800 1800\n")));

            // A second click finds nothing to change: no step, still the message.
            input.click(1200, 1800);
            QCOMPARE(context.undoHistory.undoSteps.size(), steps + 1);
            QCOMPARE(recorder.messages.count("Object(s) UPDATED"), 2);

            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }
};

TAVREL_TEST_MAIN(TestUpdateMode)
#include "tst_updatemode.moc"
