#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figpoint.h"
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

    // Every mode number in ascending order; only the modes that other modes'
    // gestures and commands enter have no set-up, and only the add-point
    // mode is prepared on a document. Each has its page and, when it can be
    // chosen, its status text.
    void modeTable()
    {
        const QList<int> numbers { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 32, 34, 36, 37, 38, 39, 44, 47,
            56, 57, 58, 59, 67, 68, 71, 73, 74 };
        QList<int> listed;
        for (int i = 0; i < editModeTableSize; ++i) {
            const EditModeEntry& entry = editModeTable[i];
            listed << entry.mode;
            const bool enteredByOthers = entry.mode == 37 || entry.mode == 68 || entry.mode == 71;
            QCOMPARE(!isChoosableMode(entry), enteredByOthers);
            QCOMPARE(modeNeedsDocument(entry), entry.mode == 39);
            QCOMPARE(entry.statusText == nullptr, enteredByOthers);
            QVERIFY(entry.page >= 0 && entry.page < 17);
            QCOMPARE(attrsPageOfMode(entry.mode), entry.page);
            QCOMPARE(findEditMode(entry.mode), &entry);
        }
        QCOMPARE(listed, numbers);
        QCOMPARE(findEditMode(14), nullptr);
        QCOMPARE(findEditMode(-1), nullptr);
        QCOMPARE(attrsPageOfMode(-1), int(AttrsPage::NoAttributes));
        QCOMPARE(attrsPageOfMode(14), int(AttrsPage::NoAttributes));
    }

    // Every set-up ends a canvas action, so that no mode starts with a
    // gesture in progress or a rubber band to redraw.
    void everySetUpEndsTheCanvasAction()
    {
        for (int i = 0; i < editModeTableSize; ++i) {
            const EditModeEntry& entry = editModeTable[i];
            if (!isChoosableMode(entry))
                continue;
            beginCanvasAction();
            canvasHandlers.elasticHandler = elastic;
            editMode = entry.mode;
            CFigContext context;
            if (entry.setUp)
                entry.setUp();
            else
                entry.documentSetUp(&context);
            QVERIFY2(!canvasAction.actionInProgress, qPrintable(QString::number(entry.mode)));
            QVERIFY2(!canvasHandlers.elasticHandler, qPrintable(QString::number(entry.mode)));
        }
        canvasHandlers = CanvasHandlers();
        editMode = -1;
    }

    void beginAndEndCanvasAction()
    {
        beginCanvasAction();
        QCOMPARE(canvasAction.actionInProgress, 1);
        canvasHandlers.elasticHandler = elastic;
        canvasHandlers.moveHandler = firstHandler;
        endCanvasAction();
        QCOMPARE(canvasAction.actionInProgress, 0);
        QVERIFY(!canvasHandlers.elasticHandler);
        QVERIFY(canvasHandlers.moveHandler == firstHandler);
        canvasHandlers = CanvasHandlers();
    }

    // Choosing a mode empties every slot before the set-up fills its own, so
    // that a release or selection handler of the old mode cannot answer in
    // the new one; it ends the gesture and frees the chain being built, also
    // without a painter to draw with.
    void chooseEditModeLeavesNothingOfTheOldMode()
    {
        CFigContext context;
        context.newChainHead = new FigPoint(1, 2);
        context.newChainHead->next = context.newChainTail = new FigPoint(3, 4);
        canvasHandlers.leftReleaseHandler = secondHandler;
        canvasHandlers.selectionMoveHandler = [](CFigContext*, FigObjectList*, int, int) {};
        canvasHandlers.pendingRightPressHandler = secondHandler;
        canvasHandlers.returnHandler = [] {};
        canvasHandlers.elasticHandler = elastic;
        beginCanvasAction();
        editMode = EditMode::Polyline;

        QVERIFY(!chooseEditMode(&context, EditMode::MoveSelection));
        QVERIFY(!chooseEditMode(&context, 14));
        QCOMPARE(editMode, int(EditMode::Polyline));
        QCOMPARE(canvasAction.actionInProgress, 1);
        QVERIFY(context.newChainHead);

        QVERIFY(chooseEditMode(&context, EditMode::Copy));
        QCOMPARE(editMode, int(EditMode::Copy));
        QCOMPARE(canvasAction.actionInProgress, 0);
        QVERIFY(!context.newChainHead && !context.newChainTail);
        // Exactly the handlers the copy mode's set-up installs on an empty
        // table: none of the old mode's slots survive.
        const CanvasHandlers h = canvasHandlers;
        canvasHandlers = CanvasHandlers();
        findEditMode(EditMode::Copy)->setUp();
        const CanvasHandlers& fresh = canvasHandlers;
        QVERIFY(h.moveHandler == fresh.moveHandler && h.selectionMoveHandler == fresh.selectionMoveHandler
            && h.leftPressHandler == fresh.leftPressHandler && h.leftReleaseHandler == fresh.leftReleaseHandler
            && h.rightPressHandler == fresh.rightPressHandler
            && h.pendingRightPressHandler == fresh.pendingRightPressHandler
            && h.shiftKeyHandler == fresh.shiftKeyHandler && h.elasticHandler == fresh.elasticHandler
            && h.returnHandler == fresh.returnHandler);
        QVERIFY(h.leftReleaseHandler != secondHandler && h.pendingRightPressHandler != secondHandler
            && h.elasticHandler != elastic);

        // Without a document the action still ends; a mode prepared on a
        // document is not chosen.
        beginCanvasAction();
        QVERIFY(!chooseEditMode(nullptr, EditMode::AddPoint));
        QCOMPARE(editMode, int(EditMode::Copy));
        QCOMPARE(canvasAction.actionInProgress, 1);
        QVERIFY(chooseEditMode(nullptr, EditMode::Select));
        QCOMPARE(canvasAction.actionInProgress, 0);
        editMode = -1;
    }

    // The chain of an object still being drawn goes with its document.
    void documentFreesTheChainBeingBuilt()
    {
        auto* context = new CFigContext;
        context->newChainHead = new FigPoint(1, 2);
        context->newChainHead->next = context->newChainTail = new FigPoint(3, 4);
        delete context; // the leak check sees the points otherwise
        CFigContext reused;
        reused.newChainHead = reused.newChainTail = new FigPoint(5, 6);
        reused.init();
        QVERIFY(!reused.newChainHead && !reused.newChainTail);
    }

    void clearLineConstraintsClearsAllFour()
    {
        constraintModes = { 1, 1, 1, 1 };
        clearLineConstraints();
        QCOMPARE(constraintModes.manhattan + constraintModes.mountain + constraintModes.latexLine
                + constraintModes.latexArrow,
            0);
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
