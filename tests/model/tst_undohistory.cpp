#include "edit/editstate.h"
#include "model/actionitem.h"
#include "model/addaction.h"
#include "model/createcompoundaction.h"
#include "model/deleteaction.h"
#include "modelfixtures.h"
#include "render/colors.h"
#include "render/drawingfixtures.h"
#include "render/pens.h"
#include "support/testenv.h"

#include <QStringList>

#include <memory>

using namespace fixtures;

namespace {

// An action that records every call made on it, as "redo 3", in one log.
class ProbeAction : public ActionItem {
public:
    ProbeAction(QStringList* calls, int number, FigObject* subject = nullptr, bool removesOnUndo = false)
        : ActionItem(nullptr, subject)
        , log(calls)
        , n(number)
        , removes(removesOnUndo)
    {
    }
    ~ProbeAction() override { note("delete"); }
    bool redo(CFigContext*) override { return note("redo"); }
    bool undo(CFigContext*) override
    {
        note("undo");
        return false; // a failure changes nothing for the history
    }
    void releaseDone() override { note("releaseDone"); }
    void releaseUndone() override { note("releaseUndone"); }
    bool undoRemovesObject() const override { return removes; }
    bool redoRemovesObject() const override { return removes; }

    bool note(const char* what)
    {
        log->append(QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(n));
        return true;
    }
    QStringList* log;
    int n;
    bool removes;
};

ActionStep* stepOf(std::initializer_list<ActionItem*> actions)
{
    return new ActionStep(actions);
}

QString countsText(const CFigContext& ctx)
{
    QStringList parts;
    for (int d = 0; d < CFigContext::depthCount; ++d) {
        if (ctx.depthObjectCount[d] != 0)
            parts << QStringLiteral("%1:%2").arg(d).arg(ctx.depthObjectCount[d]);
    }
    return parts.join(QLatin1Char(' '));
}

FigLine* lineAt(int id, int depth)
{
    FigLine* line = makeLine(id, { { 0, 0 }, { 100, 100 } });
    line->depth = depth;
    return line;
}

// An object that tells when it is deleted.
class TrackedObject : public BoxObject {
public:
    TrackedObject(int id, bool* deleted)
        : BoxObject(id, 0, 0, 10, 10)
        , gone(deleted)
    {
    }
    ~TrackedObject() override { *gone = true; }
    bool* gone;
};

struct MarkersGuard {
    bool saved = allMarkersShown;
    ~MarkersGuard() { allMarkersShown = saved; }
};

} // namespace

class TestUndoHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initDefaultColors();
        loadFillPatterns();
    }

    void pushingMarksModifiedAndDiscardsUndoneSteps()
    {
        QStringList log;
        CFigContext ctx;
        UndoHistory& h = ctx.undoHistory;
        h.pushAction(nullptr);
        h.pushActionList(nullptr);
        QVERIFY(h.undoSteps.isEmpty());
        QVERIFY(!ctx.modified);

        h.pushAction(new ProbeAction(&log, 1));
        QVERIFY(ctx.modified);
        h.pushActionList(stepOf({ new ProbeAction(&log, 2), new ProbeAction(&log, 3) }));
        QCOMPARE(h.undoSteps.size(), 2);
        QVERIFY(log.isEmpty()); // the history never executes what it receives

        h.undo();
        QCOMPARE(h.redoSteps.size(), 1);
        log.clear();
        h.pushAction(new ProbeAction(&log, 4));
        // The undone step is released in its undone state, last action first.
        QCOMPARE(log, QStringList({ "releaseUndone 3", "delete 3", "releaseUndone 2", "delete 2" }));
        QVERIFY(h.redoSteps.isEmpty());
        QCOMPARE(h.undoSteps.size(), 2);
    }

    void emptyStepIsNoStep()
    {
        QStringList log;
        CFigContext ctx;
        UndoHistory& h = ctx.undoHistory;
        h.pushAction(new ProbeAction(&log, 1));
        h.undo();
        ctx.clearModified();

        h.pushActionList(new ActionStep); // deleted, or the leak checker complains
        QVERIFY(!ctx.modified);
        QCOMPARE(h.redoSteps.size(), 1); // still redoable
        QVERIFY(h.undoSteps.isEmpty());
        h.redo();
        QCOMPARE(log.last(), QStringLiteral("redo 1"));
    }

    void withoutOwnerNothingIsMarked()
    {
        QStringList log;
        CFigContext ctx;
        ctx.undoHistory.owner = nullptr;
        ctx.undoHistory.pushAction(new ProbeAction(&log, 1));
        QVERIFY(!ctx.modified);
        ctx.undoHistory.undo(); // no document to replay it in
        QCOMPARE(ctx.undoHistory.undoSteps.size(), 1);
        QVERIFY(log.isEmpty());
    }

    void undoAndRedoWalkTheStep()
    {
        QStringList log;
        CFigContext ctx;
        UndoHistory& h = ctx.undoHistory;
        h.undo();
        h.redo();
        QVERIFY(!ctx.modified); // nothing to undo or redo: nothing happens

        h.pushActionList(stepOf({ new ProbeAction(&log, 1), new ProbeAction(&log, 2), new ProbeAction(&log, 3) }));
        ctx.clearModified();
        h.undo();
        QCOMPARE(log, QStringList({ "undo 3", "undo 2", "undo 1" }));
        QVERIFY(ctx.modified);
        QCOMPARE(h.redoSteps.size(), 1);
        QVERIFY(h.undoSteps.isEmpty());
        log.clear();
        h.redo();
        QCOMPARE(log, QStringList({ "redo 1", "redo 2", "redo 3" }));
        QCOMPARE(h.undoSteps.size(), 1);
        QVERIFY(h.redoSteps.isEmpty());
    }

    void destructionReleasesBothSides()
    {
        QStringList log;
        {
            CFigContext ctx;
            ctx.undoHistory.pushAction(new ProbeAction(&log, 1));
            ctx.undoHistory.pushAction(new ProbeAction(&log, 2));
            ctx.undoHistory.pushAction(new ProbeAction(&log, 3));
            ctx.undoHistory.undo();
            log.clear();
        }
        QCOMPARE(log,
            QStringList({ "releaseDone 2", "delete 2", "releaseDone 1", "delete 1", "releaseUndone 3", "delete 3" }));
    }

    void stepLimitDropsTheOldest()
    {
        QStringList log;
        CFigContext ctx;
        UndoHistory& h = ctx.undoHistory;
        for (int i = 0; i < h.maxSteps; ++i)
            h.pushAction(new ProbeAction(&log, i));
        QCOMPARE(h.undoSteps.size(), 10000);
        QVERIFY(log.isEmpty());
        h.pushAction(new ProbeAction(&log, 10000));
        QCOMPARE(h.undoSteps.size(), 10000);
        QCOMPARE(log, QStringList({ "releaseDone 0", "delete 0" }));
        QCOMPARE(static_cast<ProbeAction*>(h.undoSteps.first()->first())->n, 1);
    }

    void droppedDeletionFreesItsObject()
    {
        // Under the leak checker: the deleted line goes with the dropped step;
        // the added one stays in the drawing.
        CFigContext ctx;
        FigLine* added = lineAt(1, 10);
        FigLine* deleted = lineAt(2, 20);
        ctx.addObject(&ctx.drawing.objects, deleted);
        ctx.undoHistory.maxSteps = 1;
        auto* add = new AddAction(&ctx.drawing.objects, added);
        add->redo(&ctx);
        ctx.undoHistory.pushAction(add);
        auto* del = new DeleteAction(&ctx.drawing.objects, deleted);
        del->redo(&ctx);
        ctx.undoHistory.pushAction(del);
        ctx.undoHistory.dropOldestStep();
        QCOMPARE(ctx.drawing.objects, FigObjectList({ added }));
        QVERIFY(ctx.undoHistory.undoSteps.isEmpty());
    }

    void pushAfterUndoDeletesUndoneAddition()
    {
        QStringList log;
        CFigContext ctx;
        bool deleted = false;
        auto* add = new AddAction(&ctx.drawing.objects, new TrackedObject(1, &deleted));
        add->redo(&ctx);
        ctx.undoHistory.pushAction(add);
        ctx.undoHistory.undo();
        QVERIFY(ctx.drawing.objects.empty());
        QCOMPARE(countsText(ctx), QString());
        QVERIFY(!deleted);
        ctx.undoHistory.pushAction(new ProbeAction(&log, 1));
        QVERIFY(deleted);
    }

    void currentObjectLeftOnlyWhenItStays()
    {
        CFigContext ctx;
        FigLine* a = lineAt(1, 10);
        FigLine* b = lineAt(2, 10);
        ctx.addObject(&ctx.drawing.objects, a);
        auto* add = new AddAction(&ctx.drawing.objects, b);
        add->redo(&ctx);
        ctx.undoHistory.pushAction(add);

        ctx.currentObject = a;
        ctx.undoHistory.undo();
        QCOMPARE(ctx.currentObject, a);
        ctx.undoHistory.redo();
        ctx.currentObject = b;
        ctx.undoHistory.undo();
        QCOMPARE(ctx.currentObject, nullptr);
    }

    void markersFollowTheShowAllFlag_data()
    {
        QTest::addColumn<bool>("all");
        QTest::newRow("markers hidden") << false;
        QTest::newRow("all markers shown") << true;
    }
    void markersFollowTheShowAllFlag()
    {
        QFETCH(bool, all);
        MarkersGuard guard;
        allMarkersShown = all;
        QStringList log;
        CFigContext ctx;
        FigLine* inner = lineAt(1, 10);
        FigCompound* compound = makeCompound(2, { inner });
        FigLine* other = lineAt(3, 10);
        ctx.addObject(&ctx.drawing.objects, compound);
        ctx.addObject(&ctx.drawing.objects, other);
        inner->markerState = compound->markerState = other->markerState = 2;
        ctx.undoHistory.pushAction(new ProbeAction(&log, 1, other));
        ctx.undoHistory.undo();
        const int expected = all ? 1 : 0;
        QCOMPARE(inner->markerState, expected);
        QCOMPARE(compound->markerState, expected);
        QCOMPARE(other->markerState, expected);
    }

    void alignmentHelpers()
    {
        QStringList log;
        CFigContext ctx;
        FigLine* a = lineAt(1, 10);
        ctx.addObject(&ctx.drawing.objects, a);
        ActionStep step { new ProbeAction(&log, 1, a), new ProbeAction(&log, 2) };
        ctx.executeActionGroup(step);
        QCOMPARE(log, QStringList({ "redo 1", "redo 2" }));
        FigObjectList objects;
        collectActionObjects(step, objects);
        QCOMPARE(objects, FigObjectList({ a, nullptr }));
        qDeleteAll(step);
    }

    void ownerCompoundIsRefreshed()
    {
        CFigContext ctx;
        auto* member = new BoxObject(1, 10, 20, 30, 40);
        auto* compound = new BoundedCompound(2, { member });
        ctx.drawing.objects = { compound };
        QCOMPARE(ctx.refreshOwnerCompound(nullptr), nullptr);
        QCOMPARE(ctx.refreshOwnerCompound(&ctx.drawing.objects), nullptr);
        FigObjectList loose;
        QCOMPARE(ctx.refreshOwnerCompound(&loose), nullptr);
        QCOMPARE(ctx.refreshOwnerCompound(compound->members), compound);
        QCOMPARE(compound->lastFlags, std::make_pair(true, true));
        QCOMPARE(QList<int>(
                     { compound->upperLeft.x, compound->upperLeft.y, compound->lowerRight.x, compound->lowerRight.y }),
            QList<int>({ 10, 20, 30, 40 }));
    }

    void undoInsideOpenCompoundRefreshesItsBox()
    {
        CFigContext ctx;
        auto* kept = new BoxObject(1, 0, 0, 10, 10);
        auto* compound = new BoundedCompound(2, { kept });
        ctx.drawing.objects = { compound };
        ctx.openCompound = compound->members;
        auto* added = new BoxObject(3, 0, 0, 500, 500);
        auto* add = new AddAction(ctx.objects(), added);
        add->redo(&ctx);
        ctx.undoHistory.pushAction(add);
        ctx.undoHistory.undo();
        QCOMPARE(compound->lowerRight.x, 10);
        ctx.undoHistory.redo();
        QCOMPARE(compound->lowerRight.x, 500);
        QCOMPARE(ctx.objects(), compound->members);
    }

    // ---- Redraw ----

    void undoAndRedoRedrawOnlyWhatTheyTouch()
    {
        using drawingfixtures::boxOf;
        drawingfixtures::Canvas canvas;
        CFigContext& ctx = canvas.context;
        FigLine* added = boxOf(300, 300, 900, 900, 4, 20); // red, pixels 20..60
        FigLine* deleted = canvas.add(boxOf(1050, 1050, 1650, 1650, 1, 20)); // blue, 70..110
        auto* add = new AddAction(&ctx.drawing.objects, added);
        add->redo(&ctx);
        ctx.undoHistory.pushAction(add);
        auto* del = new DeleteAction(&ctx.drawing.objects, deleted);
        del->redo(&ctx);
        ctx.undoHistory.pushAction(del);
        ctx.drawAllObjects();
        QCOMPARE(canvas.pixel(40, 40), drawingfixtures::red);
        QCOMPARE(canvas.pixel(90, 90), drawingfixtures::white);
        canvas.image.setPixel(180, 20, 0xff123456); // far from both: never repainted

        canvas.begin();
        ctx.undoHistory.undo(); // the deletion
        QCOMPARE(canvas.pixel(90, 90), drawingfixtures::blue);
        canvas.begin();
        ctx.undoHistory.undo(); // the addition
        QCOMPARE(canvas.pixel(40, 40), drawingfixtures::white);
        canvas.begin();
        ctx.undoHistory.redo();
        QCOMPARE(canvas.pixel(40, 40), drawingfixtures::red);
        canvas.begin();
        ctx.undoHistory.redo();
        QCOMPARE(canvas.pixel(90, 90), drawingfixtures::white);
        QCOMPARE(canvas.pixel(180, 20), QRgb(0xff123456));
    }

    void memberChangeRedrawsTheOpenCompound()
    {
        using drawingfixtures::boxOf;
        drawingfixtures::Canvas canvas;
        CFigContext& ctx = canvas.context;
        FigCompound* compound = canvas.add(makeCompound(1, { boxOf(300, 300, 900, 900, 4, 20) }));
        ctx.refreshOwnerCompound(compound->members);
        ctx.openCompound = compound->members;
        auto* add = new AddAction(ctx.objects(), boxOf(1050, 1050, 1650, 1650, 1, 20));
        add->redo(&ctx);
        ctx.undoHistory.pushAction(add);
        ctx.drawAllObjects();
        QCOMPARE(canvas.pixel(90, 90), drawingfixtures::blue);

        canvas.begin();
        ctx.undoHistory.undo();
        QCOMPARE(canvas.pixel(90, 90), drawingfixtures::white);
        QVERIFY(compound->lowerRight.x < 1000); // the box of the remaining member
        canvas.begin();
        ctx.undoHistory.redo(); // drawn by the compound's area, old and new
        QCOMPARE(canvas.pixel(90, 90), drawingfixtures::blue);
        QVERIFY(compound->lowerRight.x > 1600);
    }

    // ---- Editing never goes on inside a list that left the drawing ----

    void closeCompoundFallsBackToTopLevel()
    {
        CFigContext ctx;
        FigCompound* loose = makeCompound(1, { lineAt(2, 10) });
        ctx.openCompound = loose->members; // not in the drawing
        ctx.closeCompound(false);
        QCOMPARE(ctx.openCompound, nullptr);
        QCOMPARE(ctx.objects(), &ctx.drawing.objects);
        delete loose;
    }

    void undoClosesCompoundsThatLeave_data()
    {
        QTest::addColumn<bool>("nested");
        QTest::newRow("the compound itself open") << false;
        QTest::newRow("a compound inside it open") << true;
    }
    void undoClosesCompoundsThatLeave()
    {
        QFETCH(bool, nested);
        CFigContext ctx;
        FigLine* a = lineAt(1, 10);
        FigCompound* inner = makeCompound(2, { lineAt(3, 20) });
        FigLine* outside = lineAt(4, 30);
        ctx.addObject(&ctx.drawing.objects, a);
        ctx.addObject(&ctx.drawing.objects, inner);
        ctx.addObject(&ctx.drawing.objects, outside);
        const QString counts = countsText(ctx);

        FigCompound* group = makeCompound(5, { a, inner });
        auto* create = new CreateCompoundAction(&ctx.drawing.objects, group);
        create->redo(&ctx);
        ctx.undoHistory.pushAction(create);
        QCOMPARE(countsText(ctx), counts);
        ctx.openCompound = nested ? inner->members : group->members;
        ctx.currentObject = nested ? inner->members->front() : a;

        ctx.undoHistory.undo();
        QCOMPARE(ctx.openCompound, nullptr);
        QCOMPARE(ctx.objects(), &ctx.drawing.objects);
        QCOMPARE(ctx.currentObject, nullptr); // never the compound that left
        QCOMPARE(countsText(ctx), counts);
        // The members come back at their places in the list.
        QCOMPARE(idsInOrder(&ctx.drawing.objects), QList<int>({ 1, 2, 3, 4 }));
    }

    void undoneAdditionOfOpenCompoundClosesIt()
    {
        CFigContext ctx;
        FigCompound* pasted = makeCompound(1, { lineAt(2, 10), makeCompound(3, { lineAt(4, 20) }) });
        auto* add = new AddAction(&ctx.drawing.objects, pasted);
        add->redo(&ctx);
        ctx.undoHistory.pushAction(add);
        auto* nestedMembers = static_cast<FigCompound*>(pasted->members->back())->members;
        ctx.openCompound = nestedMembers;
        ctx.undoHistory.undo();
        QCOMPARE(ctx.openCompound, nullptr);
        QVERIFY(ctx.drawing.objects.empty());
        QCOMPARE(countsText(ctx), QString());
        ctx.undoHistory.redo();
        QCOMPARE(countsText(ctx), QStringLiteral("10:1 20:1"));
    }

    void redoneDeletionOfOpenCompoundClosesIt()
    {
        CFigContext ctx;
        FigLine* member = lineAt(2, 10);
        FigCompound* compound = makeCompound(1, { member });
        ctx.addObject(&ctx.drawing.objects, compound);
        auto* del = new DeleteAction(&ctx.drawing.objects, compound);
        del->redo(&ctx);
        ctx.undoHistory.pushAction(del);
        ctx.undoHistory.undo();
        ctx.openCompound = compound->members;
        ctx.currentObject = member;
        ctx.undoHistory.redo();
        QCOMPARE(ctx.openCompound, nullptr);
        QCOMPARE(ctx.currentObject, nullptr);
        QVERIFY(ctx.drawing.objects.empty());
    }
};

TAVREL_TEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
