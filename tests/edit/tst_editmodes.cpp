#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "support/testenv.h"

namespace {

void firstHandler(CFigContext*, int, int)
{
}
void secondHandler(CFigContext*, int, int)
{
}
void elastic(CFigContext*, int, int, int, int)
{
}

} // namespace

class TestEditModes : public QObject {
    Q_OBJECT
private slots:
    void startState()
    {
        QCOMPARE(editMode, -1);
        QCOMPARE(previousEditMode, -1);
        QVERIFY(!transformCenter.isSet);
        QVERIFY(!movingPoint);
        QVERIFY(!allMarkersShown);
        QCOMPARE(canvasAction.actionInProgress, 0);
        QVERIFY(!canvasHandlers.moveHandler && !canvasHandlers.elasticHandler && !canvasHandlers.returnHandler);
    }

    void predicates_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("creation");
        QTest::addColumn<bool>("plainPick");
        QTest::addColumn<bool>("picking");
        QTest::newRow("before the first mode") << -1 << false << true << false;
        QTest::newRow("0") << 0 << false << true << false;
        QTest::newRow("circle by radius") << int(EditMode::Cbr) << true << false << false;
        QTest::newRow("text") << int(EditMode::Text) << true << false << false;
        QTest::newRow("14 is no mode") << 14 << false << true << false;
        QTest::newRow("picture") << int(EditMode::Picture) << true << false << false;
        QTest::newRow("17") << 17 << false << true << false;
        QTest::newRow("scale") << int(EditMode::ScaleComp) << false << true << true;
        QTest::newRow("33") << 33 << false << true << false;
        QTest::newRow("move point") << int(EditMode::MovePoint) << false << true << true;
        QTest::newRow("update") << int(EditMode::Update) << false << true << true;
        QTest::newRow("rotate right") << int(EditMode::RotateRight) << false << true << true;
        QTest::newRow("select") << int(EditMode::Select) << false << false << true;
        QTest::newRow("move selection") << int(EditMode::MoveSelection) << false << true << true;
        QTest::newRow("paste") << int(EditMode::Paste) << false << true << false;
        QTest::newRow("tangent") << int(EditMode::Tangent) << false << true << false;
    }
    void predicates()
    {
        QFETCH(int, mode);
        QFETCH(bool, creation);
        QFETCH(bool, plainPick);
        QFETCH(bool, picking);
        QCOMPARE(isCreationMode(mode), creation);
        QCOMPARE(isPlainPickMode(mode), plainPick);
        QCOMPARE(isPickingMode(mode), picking);
        QCOMPARE(isMovePointMode(mode), mode == 37);
        editMode = mode;
        QCOMPARE(isCurrentModeCreation(), creation);
        QCOMPARE(isCopyOrDragMode(), mode == 34 || mode == 68);
        editMode = -1;
    }

    void setCanvasHandlersKeepsTheOtherSlots()
    {
        canvasHandlers.leftReleaseHandler = secondHandler;
        canvasHandlers.pendingRightPressHandler = secondHandler;
        canvasHandlers.shiftKeyHandler = secondHandler;
        canvasHandlers.elasticHandler = elastic;
        setCanvasHandlers(firstHandler, secondHandler, nullptr);
        QVERIFY(canvasHandlers.moveHandler == firstHandler);
        QVERIFY(canvasHandlers.leftPressHandler == secondHandler);
        QVERIFY(!canvasHandlers.rightPressHandler);
        QVERIFY(!canvasHandlers.shiftKeyHandler);
        QVERIFY(canvasHandlers.leftReleaseHandler == secondHandler);
        QVERIFY(canvasHandlers.pendingRightPressHandler == secondHandler);
        QVERIFY(canvasHandlers.elasticHandler == elastic);
        canvasHandlers = CanvasHandlers();
    }
};

TAVREL_TEST_MAIN(TestEditModes)
#include "tst_editmodes.moc"
