#include "model/addaction.h"
#include "model/addlinepointaction.h"
#include "model/addsplinepointaction.h"
#include "model/breakcompoundaction.h"
#include "model/convertlinetosplineaction.h"
#include "model/convertsplinetolineaction.h"
#include "model/createcompoundaction.h"
#include "model/createsmartlinksfordrawingaction.h"
#include "model/deleteaction.h"
#include "model/deletelinepointaction.h"
#include "model/deletesplinepointaction.h"
#include "model/depths.h"
#include "model/edittextaction.h"
#include "model/figarrow.h"
#include "modelfixtures.h"
#include "support/testenv.h"
#include "support/writtendrawing.h"

#include <QPixmap>
#include <QPoint>
#include <QStringList>

#include <memory>

using namespace fixtures;

namespace {

QString countsText(const CFigContext& ctx)
{
    QStringList parts;
    for (int d = 0; d < CFigContext::depthCount; ++d) {
        if (ctx.depthObjectCount[d] != 0)
            parts << QStringLiteral("%1:%2").arg(d).arg(ctx.depthObjectCount[d]);
    }
    return parts.join(QLatin1Char(' '));
}

template <typename T> T* at(T* object, int depth)
{
    object->depth = depth;
    return object;
}

// The square polygon (0,0) (1000,0) (1000,1000) (0,1000), closed.
FigLine* square(int id)
{
    return at(makeLine(id, { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 0, 1000 }, { 0, 0 } }, 3), 50);
}

// An open line from (x, y) upwards, its first point linked to the target's
// segment between the given point indices.
FigLine* linkedLine(int id, int x, int y, const FigLine* target, int left, int right)
{
    FigLine* line = at(makeLine(id, { { x, y }, { x, y - 500 } }), 40);
    linkPoint(line->points, target->id, target, left, right);
    return line;
}

FigObjectList* top(CFigContext& ctx)
{
    return &ctx.drawing.objects;
}

void put(CFigContext& ctx, std::initializer_list<FigObject*> objects)
{
    for (FigObject* object : objects)
        ctx.addObject(top(ctx), object);
}

// Builds the drawing of one case in the context and returns its action, not
// yet executed.
ActionItem* setUp(const QString& name, CFigContext& ctx)
{
    if (name == "add") {
        put(ctx, { at(makeText(1), 10) });
        return new AddAction(top(ctx), at(makeLine(2, { { 0, 0 }, { 5, 5 } }), 20));
    }
    if (name == "add compound") {
        put(ctx, { at(makeText(1), 10) });
        return new AddAction(
            top(ctx), makeCompound(2, { at(makeText(3), 20), makeCompound(4, { at(makeText(5), 30) }) }));
    }
    if (name == "delete linked target") {
        FigLine* target = square(1);
        put(ctx, { linkedLine(2, 1000, 300, target, 1, 2), at(makeText(3), 10), target });
        return new DeleteAction(top(ctx), target);
    }
    if (name == "delete compound holding a target") {
        FigLine* target = square(1);
        FigCompound* group = makeCompound(4, { at(makeText(5), 10), target });
        put(ctx, { linkedLine(2, 500, 0, target, 0, 1), group });
        return new DeleteAction(top(ctx), group);
    }
    if (name == "delete linked line") {
        FigLine* target = square(1);
        FigLine* line = linkedLine(2, 0, 400, target, 3, 4);
        put(ctx, { target, line });
        return new DeleteAction(top(ctx), line);
    }
    if (name == "edit text") {
        FigText* text = at(makeText(1, QStringLiteral("before")), 10);
        text->fontSize = 12;
        ctx.computeTextMetrics(text, ctx.zoom); // as the reader leaves a text
        put(ctx, { text });
        return new EditTextAction(top(ctx), text, QStringLiteral("after"));
    }
    if (name.startsWith("add line point")) {
        FigLine* target = square(1);
        put(ctx, { target, linkedLine(2, 200, 0, target, 0, 1) });
        if (name.endsWith("splitting a linked segment"))
            return new AddLinePointAction(top(ctx), target, target->pointAt(0), new FigPoint(600, 0));
        if (name.endsWith("after the closing point"))
            return new AddLinePointAction(top(ctx), target, target->pointAt(4), new FigPoint(-300, 500));
        return new AddLinePointAction(top(ctx), target, nullptr, new FigPoint(-300, 500)); // in front
    }
    if (name.startsWith("delete line point")) {
        FigLine* target = square(1);
        put(ctx,
            { target, linkedLine(2, 1000, 300, target, 1, 2), linkedLine(3, 0, 700, target, 3, 4),
                linkedLine(4, 300, 0, target, 0, 1) });
        if (name.endsWith("between linked segments"))
            return new DeleteLinePointAction(top(ctx), target, target->pointAt(0), target->pointAt(1));
        if (name.endsWith("first"))
            return new DeleteLinePointAction(top(ctx), target, nullptr, target->pointAt(0));
        return new DeleteLinePointAction(top(ctx), target, target->pointAt(3), target->pointAt(4)); // closing
    }
    if (name == "delete linked end of an open line") {
        FigLine* target = square(1);
        FigLine* line = linkedLine(2, 1000, 300, target, 1, 2);
        FigPoint* extra = new FigPoint(1500, 0);
        line->insertPoint(line->pointAt(1), extra);
        put(ctx, { target, line });
        return new DeleteLinePointAction(top(ctx), line, nullptr, line->points);
    }
    if (name.startsWith("add spline point")) {
        FigSpline* open = at(makeSpline(1, { { 0, 0 }, { 100, 0 }, { 200, 100 }, { 300, 0 } }, 0), 10);
        FigSpline* closed = at(makeSpline(2, { { 0, 500 }, { 100, 500 }, { 200, 600 } }, 5), 10);
        put(ctx, { open, closed });
        if (name.endsWith("at the end"))
            return new AddSplinePointAction(top(ctx), open, open->pointAt(3), new FigPoint(400, 50), nullptr);
        if (name.endsWith("in front"))
            return new AddSplinePointAction(top(ctx), open, nullptr, new FigPoint(-100, 50), open->points);
        if (name.endsWith("inside"))
            return new AddSplinePointAction(top(ctx), open, open->pointAt(1), new FigPoint(150, 50), open->pointAt(2));
        return new AddSplinePointAction(
            top(ctx), closed, closed->pointAt(0), new FigPoint(50, 450), closed->pointAt(1));
    }
    if (name.startsWith("delete spline point")) {
        FigSpline* open = at(makeSpline(1, { { 0, 0 }, { 100, 0 }, { 200, 100 }, { 300, 0 } }, 4), 10);
        FigSpline* closed = at(makeSpline(2, { { 0, 500 }, { 100, 500 }, { 200, 600 } }, 1), 10);
        open->shapeFactorAt(2)->value = 0.3; // not the default of its place
        put(ctx, { open, closed });
        if (name.endsWith("first"))
            return new DeleteSplinePointAction(top(ctx), open, nullptr, open->points);
        if (name.endsWith("last"))
            return new DeleteSplinePointAction(top(ctx), open, open->pointAt(2), open->pointAt(3));
        if (name.endsWith("inside"))
            return new DeleteSplinePointAction(top(ctx), open, open->pointAt(1), open->pointAt(2));
        return new DeleteSplinePointAction(top(ctx), closed, closed->pointAt(0), closed->pointAt(1));
    }
    if (name == "create compound") {
        FigText* a = at(makeText(1), 10);
        FigLine* b = at(makeLine(2, { { 0, 0 }, { 9, 9 } }), 20);
        FigCompound* inner = makeCompound(3, { at(makeText(4), 30) });
        put(ctx, { a, b, inner });
        FigCompound* group = makeCompound(5, { b, inner });
        group->lowerRight.x = group->lowerRight.y = 9;
        return new CreateCompoundAction(top(ctx), group);
    }
    if (name == "break compound") {
        FigCompound* group = makeCompound(5, { at(makeText(2), 20), makeCompound(3, { at(makeText(4), 30) }) });
        put(ctx, { at(makeText(1), 10), group });
        return new BreakCompoundAction(top(ctx), group);
    }
    if (name.startsWith("convert line")) {
        FigLine* target = square(1);
        const bool polygon = name.endsWith("polygon");
        FigLine* line = polygon ? square(3) : linkedLine(3, 1000, 300, target, 1, 2);
        line->insertPoint(line->pointAt(1), new FigPoint(2000, 0));
        line->forwArrow = polygon ? nullptr : makeArrow(2);
        put(ctx, { target, line });
        return new ConvertLineToSplineAction(top(ctx), line);
    }
    if (name.startsWith("convert spline")) {
        FigSpline* spline
            = at(makeSpline(2, { { 0, 0 }, { 100, 0 }, { 200, 100 } }, name.endsWith("closed") ? 3 : 2), 10);
        spline->backArrow = name.endsWith("closed") ? nullptr : makeArrow(1);
        put(ctx, { at(makeText(1), 10), spline });
        return new ConvertSplineToLineAction(top(ctx), spline);
    }
    if (name == "create smart links") {
        FigLine* target = square(1);
        FigLine* loose = at(makeLine(2, { { 500, 10 }, { 500, -800 } }), 40); // first end on the top edge
        FigLine* stale = linkedLine(3, 3000, 3000, target, 1, 2); // linked, but nowhere near
        put(ctx, { target, loose, stale });
        return new CreateSmartLinksForDrawingAction(top(ctx));
    }
    return nullptr;
}

const QStringList caseNames {
    "add",
    "add compound",
    "delete linked target",
    "delete compound holding a target",
    "delete linked line",
    "edit text",
    "add line point splitting a linked segment",
    "add line point after the closing point",
    "add line point in front",
    "delete line point between linked segments",
    "delete line point first",
    "delete line point closing",
    "delete linked end of an open line",
    "add spline point at the end",
    "add spline point in front",
    "add spline point inside",
    "add spline point closed",
    "delete spline point first",
    "delete spline point last",
    "delete spline point inside",
    "delete spline point closed",
    "create compound",
    "break compound",
    "convert line",
    "convert line polygon",
    "convert spline",
    "convert spline closed",
    "create smart links",
};

} // namespace

class TestActions1 : public QObject {
    Q_OBJECT
private slots:
    // Every action through the history: redo, undo, redo again; then the
    // step ends in one of four ways, each releasing what that state owns.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ending");
        for (const QString& name : caseNames) {
            for (const char* ending : { "done", "undone", "superseded", "dropped" })
                QTest::newRow(qPrintable(name + " / " + ending)) << name << QString::fromLatin1(ending);
        }
    }
    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QString, ending);
        auto ctx = std::make_unique<CFigContext>();
        ActionItem* action = setUp(name, *ctx);
        QVERIFY(action);
        const QByteArray before = writtendrawing::writtenDrawing(*ctx);
        const QString countsBefore = countsText(*ctx);

        QVERIFY(action->redo(ctx.get()));
        ctx->undoHistory.pushAction(action);
        const QByteArray done = writtendrawing::writtenDrawing(*ctx);
        const QString countsDone = countsText(*ctx);
        QVERIFY(done != before);

        for (int round = 0; round < 2; ++round) {
            ctx->undoHistory.undo();
            QCOMPARE(writtendrawing::writtenDrawing(*ctx), before);
            QCOMPARE(countsText(*ctx), countsBefore);
            ctx->undoHistory.redo();
            QCOMPARE(writtendrawing::writtenDrawing(*ctx), done);
            QCOMPARE(countsText(*ctx), countsDone);
        }

        if (ending == "undone") {
            ctx->undoHistory.undo();
        } else if (ending == "superseded") {
            ctx->undoHistory.undo();
            ctx->undoHistory.pushAction(new AddAction(top(*ctx), makeText(99))); // releases the undone step
            ctx->undoHistory.undo();
            QVERIFY(ctx->undoHistory.redoSteps.size() == 1);
            QCOMPARE(writtendrawing::writtenDrawing(*ctx), before);
        } else if (ending == "dropped") {
            ctx->undoHistory.dropOldestStep();
            QCOMPARE(writtendrawing::writtenDrawing(*ctx), done);
            QCOMPARE(countsText(*ctx), countsDone);
        }
        ctx.reset(); // the history goes first, then the drawing: nothing leaks, nothing is freed twice
    }

    void conversionWithoutEnoughPointsChangesNothing()
    {
        CFigContext ctx;
        FigLine* line = makeLine(1, { { 0, 0 }, { 100, 0 } });
        put(ctx, { line });
        const QByteArray before = writtendrawing::writtenDrawing(ctx);
        auto* action = new ConvertLineToSplineAction(top(ctx), line);
        QVERIFY(!action->redo(&ctx));
        QVERIFY(!action->undo(&ctx));
        QCOMPARE(action->object, line);
        QCOMPARE(writtendrawing::writtenDrawing(ctx), before);
        action->releaseDone(); // frees nothing: the line is still in the drawing
        delete action;
        QCOMPARE(ctx.drawing.objects, FigObjectList({ line }));
    }

    void conversionKeepsTheNewObject()
    {
        CFigContext ctx;
        FigSpline* spline = makeSpline(1, { { 0, 0 }, { 100, 0 }, { 200, 100 } });
        put(ctx, { spline });
        ctx.currentObject = spline;
        auto* action = new ConvertSplineToLineAction(top(ctx), spline);
        action->redo(&ctx);
        FigObject* made = action->newObject;
        QCOMPARE(action->object, made);
        QCOMPARE(made->type, int(FigObject::Polyline));
        ctx.undoHistory.pushAction(action);
        ctx.currentObject = made;
        ctx.undoHistory.undo();
        QCOMPARE(ctx.currentObject, nullptr); // the converted object left the drawing
        QCOMPARE(action->object, spline);
        ctx.undoHistory.redo();
        QCOMPARE(action->newObject, made); // made once, reused
        QCOMPARE(ctx.drawing.objects, FigObjectList({ made }));
    }

    // Lines linked to a converted polygon name the points of the new chain
    // and their places (the file stores only the index, so a pointer left in
    // the old chain would go unseen until the old object is freed); undo
    // names exactly the old points again. Point 0 of a polygon and its
    // closing copy are the spline's last point.
    void conversionRebindsLinks_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("splineLeft");
        QTest::addColumn<int>("splineRight");
        QTest::newRow("first edge") << QPoint(500, 0) << 0 << 1 << 3 << 0;
        QTest::newRow("inner edge") << QPoint(1000, 500) << 1 << 2 << 0 << 1;
        QTest::newRow("closing edge") << QPoint(0, 500) << 3 << 0 << 2 << 3;
        QTest::newRow("closing edge named by the closing point") << QPoint(0, 500) << 3 << 4 << 2 << 3;
    }
    void conversionRebindsLinks()
    {
        QFETCH(QPoint, at);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, splineLeft);
        QFETCH(int, splineRight);

        CFigContext ctx;
        FigLine* target = square(1);
        FigLine* line = linkedLine(2, at.x(), at.y(), target, left, right);
        put(ctx, { target, line });
        const SmartLink* link = line->points->link;
        const SmartLink original = *link;

        auto* toSpline = new ConvertLineToSplineAction(top(ctx), target);
        QVERIFY(toSpline->redo(&ctx));
        ctx.undoHistory.pushAction(toSpline);
        auto* spline = static_cast<FigSpline*>(toSpline->newObject);
        QCOMPARE(link->targetLeftPoint, spline->pointAt(splineLeft));
        QCOMPARE(link->targetRightPoint, spline->pointAt(splineRight));
        QCOMPARE(link->targetLeftPointIdx, splineLeft);
        QCOMPARE(link->targetRightPointIdx, splineRight);

        // And back to a polygon, which puts a copy of the last point in front.
        auto* toLine = new ConvertSplineToLineAction(top(ctx), spline);
        QVERIFY(toLine->redo(&ctx));
        ctx.undoHistory.pushAction(toLine);
        auto* polygon = static_cast<FigLine*>(toLine->newObject);
        QCOMPARE(link->targetLeftPoint, polygon->pointAt(splineLeft + 1));
        QCOMPARE(link->targetRightPoint, polygon->pointAt(splineRight + 1));
        QCOMPARE(link->targetLeftPointIdx, splineLeft + 1);
        QCOMPARE(link->targetRightPointIdx, splineRight + 1);

        ctx.undoHistory.undo();
        QCOMPARE(link->targetLeftPoint, spline->pointAt(splineLeft));
        QCOMPARE(link->targetRightPoint, spline->pointAt(splineRight));
        ctx.undoHistory.undo();
        QCOMPARE(link->targetLeftPoint, original.targetLeftPoint);
        QCOMPARE(link->targetRightPoint, original.targetRightPoint);
        QCOMPARE(link->targetLeftPointIdx, original.targetLeftPointIdx);
        QCOMPARE(link->targetRightPointIdx, original.targetRightPointIdx);

        // Both again, then the steps are dropped: the old objects are freed
        // and the link names points of the polygon in the drawing.
        ctx.undoHistory.redo();
        ctx.undoHistory.redo();
        ctx.undoHistory.clearUndo();
        QVERIFY(chainContainsPoint(polygon->points, link->targetLeftPoint));
        QVERIFY(chainContainsPoint(polygon->points, link->targetRightPoint));
        QCOMPARE(polygon->indexOf(link->targetLeftPoint), link->targetLeftPointIdx);
    }

    // A link made to a polygon keeps naming points when the polygon becomes
    // a spline: inserting and deleting spline points keep its indices right
    // and never leave it naming a removed point; undo puts back what it
    // named.
    void splinePointEditsKeepLinksInTheChain()
    {
        CFigContext ctx;
        FigLine* target = square(1);
        FigLine* line = linkedLine(2, 1000, 500, target, 1, 2);
        put(ctx, { target, line });
        const SmartLink* link = line->points->link;
        auto* convert = new ConvertLineToSplineAction(top(ctx), target);
        QVERIFY(convert->redo(&ctx));
        ctx.undoHistory.pushAction(convert);
        auto* spline = static_cast<FigSpline*>(convert->newObject);
        FigPoint* leftPoint = link->targetLeftPoint;
        FigPoint* rightPoint = link->targetRightPoint;
        QCOMPARE(spline->indexOf(leftPoint), 0);

        auto* add = new AddSplinePointAction(top(ctx), spline, nullptr, new FigPoint(500, -200), spline->points);
        QVERIFY(add->redo(&ctx));
        ctx.undoHistory.pushAction(add);
        QCOMPARE(link->targetLeftPoint, leftPoint);
        QCOMPARE(link->targetLeftPointIdx, 1);
        QCOMPARE(link->targetRightPointIdx, 2);

        auto* remove = new DeleteSplinePointAction(top(ctx), spline, leftPoint, rightPoint);
        QVERIFY(remove->redo(&ctx));
        ctx.undoHistory.pushAction(remove);
        QCOMPARE(link->targetRightPoint, leftPoint);
        QCOMPARE(link->targetRightPointIdx, 1);

        ctx.undoHistory.undo();
        QCOMPARE(link->targetRightPoint, rightPoint);
        QCOMPARE(link->targetRightPointIdx, 2);
        ctx.undoHistory.undo();
        QCOMPARE(link->targetLeftPointIdx, 0);
        QCOMPARE(link->targetRightPointIdx, 1);
        ctx.undoHistory.redo();
        ctx.undoHistory.redo();
        ctx.undoHistory.clearUndo(); // frees the removed point: nothing names it
        QCOMPARE(spline->indexOf(link->targetRightPoint), 1);
    }

    // Deleted objects, one or several in one step in any order, come back
    // at their places; redo takes the same ones out again.
    void deletedObjectsComeBackInTheirPlaces_data()
    {
        QTest::addColumn<QList<int>>("deleted"); // in the order of the step's actions
        QTest::addColumn<QList<int>>("left");
        QTest::newRow("the first") << QList<int> { 1 } << QList<int> { 2, 3, 4 };
        QTest::newRow("one in the middle") << QList<int> { 3 } << QList<int> { 1, 2, 4 };
        QTest::newRow("the last") << QList<int> { 4 } << QList<int> { 1, 2, 3 };
        QTest::newRow("first and last in one step") << QList<int> { 1, 4 } << QList<int> { 2, 3 };
        QTest::newRow("all, the last first") << QList<int> { 4, 2, 3, 1 } << QList<int>();
    }
    void deletedObjectsComeBackInTheirPlaces()
    {
        QFETCH(QList<int>, deleted);
        QFETCH(QList<int>, left);
        CFigContext ctx;
        put(ctx, { makeText(1), makeText(2), makeText(3), makeText(4) });
        auto* step = new ActionStep;
        for (int id : deleted) {
            auto* action = new DeleteAction(top(ctx), findObjectById(top(ctx), id));
            action->redo(&ctx);
            step->append(action);
        }
        ctx.undoHistory.pushActionList(step);
        QCOMPARE(idsInOrder(top(ctx)), left);
        for (int round = 0; round < 2; ++round) {
            ctx.undoHistory.undo();
            QCOMPARE(idsInOrder(top(ctx)), QList<int>({ 1, 2, 3, 4 }));
            ctx.undoHistory.redo();
            QCOMPARE(idsInOrder(top(ctx)), left);
        }
    }

    void deletionDetachesTheSameRecords()
    {
        CFigContext ctx;
        FigLine* target = square(1);
        FigLine* line = linkedLine(2, 1000, 300, target, 1, 2);
        SmartLink* record = line->points->link;
        put(ctx, { line, target });
        auto* action = new DeleteAction(top(ctx), target);
        action->redo(&ctx);
        QCOMPARE(line->points->link, nullptr);
        QCOMPARE(line->points->x, 1000); // the point stays where it was
        QCOMPARE(action->savedLinks, SmartLinkList({ record }));
        ctx.undoHistory.pushAction(action);
        ctx.undoHistory.undo();
        QCOMPARE(line->points->link, record);
    }

    void splinePointKeepsItsFactorNode()
    {
        // Whatever names a factor node (a shape factor change) stays valid
        // across deleting and restoring the point, and so do the neighbours'.
        CFigContext ctx;
        FigSpline* spline = makeSpline(1, { { 0, 0 }, { 100, 0 }, { 200, 100 }, { 300, 0 } }, 0);
        put(ctx, { spline });
        FigPoint* first = spline->points;
        ShapeFactorNode* nodes[4] = { spline->shapeFactorAt(0), spline->shapeFactorAt(1), spline->shapeFactorAt(2),
            spline->shapeFactorAt(3) };
        auto* action = new DeleteSplinePointAction(top(ctx), spline, nullptr, first);
        action->redo(&ctx);
        QCOMPARE(spline->shapeFactors, nodes[1]);
        QCOMPARE(nodes[1]->value, -1.0); // the new end takes the removed end's value
        ctx.undoHistory.pushAction(action);
        ctx.undoHistory.undo();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(spline->shapeFactorAt(i), nodes[i]);
        QCOMPARE(nodes[1]->value, -0.5);
        QCOMPARE(spline->points, first);
    }

    void linkedPointFollowsTheSplitSegment()
    {
        CFigContext ctx;
        FigLine* target = square(1);
        FigLine* line = linkedLine(2, 200, 0, target, 0, 1);
        put(ctx, { target, line });
        auto* point = new FigPoint(600, 0);
        auto* action = new AddLinePointAction(top(ctx), target, target->points, point);
        action->redo(&ctx);
        const SmartLink* link = line->points->link;
        QCOMPARE(link->targetLeftPoint, target->points);
        QCOMPARE(link->targetRightPoint, point);
        QCOMPARE(link->targetRightPointIdx, 1);
        ctx.undoHistory.pushAction(action);
        ctx.undoHistory.undo();
        QCOMPARE(link->targetRightPoint, target->pointAt(1));
        QCOMPARE(link->targetRightPointIdx, 1);
    }

    void groupingKeepsDepthCounts()
    {
        CFigContext ctx;
        FigText* a = at(makeText(1), 10);
        FigText* b = at(makeText(2), 10);
        put(ctx, { a, b });
        FigCompound* group = makeCompound(3, { a, b });
        auto* action = new CreateCompoundAction(top(ctx), group);
        action->redo(&ctx);
        QCOMPARE(countsText(ctx), QStringLiteral("10:2"));
        QCOMPARE(*group->members, FigObjectList({ a, b }));
        ctx.undoHistory.pushAction(action);
        ctx.undoHistory.undo();
        QCOMPARE(countsText(ctx), QStringLiteral("10:2"));
        QCOMPARE(*group->members, FigObjectList({ a, b })); // kept in both states
    }

    void textEditRefreshesMetricsAndImages()
    {
        CFigContext ctx;
        FigText* text = makeText(1, QStringLiteral("a"));
        text->fontSize = 12;
        put(ctx, { text });
        ctx.computeTextMetrics(text, ctx.zoom);
        const int shortWidth = text->width;
        text->latexPixmaps[0].insert(0, new QPixmap(4, 4));
        auto* action = new EditTextAction(top(ctx), text, QStringLiteral("a much longer string"));
        QCOMPARE(action->oldText, QStringLiteral("a"));
        action->redo(&ctx);
        QVERIFY(text->width > shortWidth);
        QVERIFY(text->latexPixmaps[0].isEmpty());
        ctx.undoHistory.pushAction(action);
        text->latexPixmaps[1].insert(0, new QPixmap(4, 4));
        ctx.undoHistory.undo();
        QCOMPARE(text->text, QStringLiteral("a"));
        QCOMPARE(text->width, shortWidth);
        QVERIFY(text->latexPixmaps[1].isEmpty());
    }

    void smartLinksExchangeRecords()
    {
        CFigContext ctx;
        FigLine* target = square(1);
        FigLine* loose = at(makeLine(2, { { 500, 10 }, { 500, -800 } }), 40);
        FigLine* stale = linkedLine(3, 3000, 3000, target, 1, 2);
        SmartLink* old = stale->points->link;
        put(ctx, { target, loose, stale });
        auto* action = new CreateSmartLinksForDrawingAction(top(ctx));
        QCOMPARE(action->linkedObjectList, ctx.drawing.objects);
        action->redo(&ctx);
        QVERIFY(loose->points->link);
        QCOMPARE(loose->points->y, 0); // moved onto the edge
        QCOMPARE(stale->points->link, nullptr);
        QCOMPARE(action->linksBefore, SmartLinkList({ old }));
        QCOMPARE(action->linksMade, SmartLinkList({ loose->points->link }));
        ctx.undoHistory.pushAction(action);
        ctx.undoHistory.undo();
        QCOMPARE(stale->points->link, old);
        QCOMPARE(loose->points->link, nullptr);
    }

    // An end point lies on the square's top edge and on an open line that
    // crosses it; the square comes first in the list, so linking finds it.
    // A deletion of the square and its undo put it back in its place and
    // the links it had; redoing the linking gives the record of its first
    // execution, not a new one.
    void smartLinksComeBackOnRedo()
    {
        CFigContext ctx;
        FigLine* target = square(1);
        FigLine* crossing = at(makeLine(2, { { 500, -300 }, { 500, 300 } }), 40);
        FigLine* loose = at(makeLine(3, { { 500, 10 }, { 500, -800 } }), 40);
        put(ctx, { target, crossing, loose });
        auto* linking = new CreateSmartLinksForDrawingAction(top(ctx));
        linking->redo(&ctx);
        ctx.undoHistory.pushAction(linking);
        SmartLink* made = loose->points->link;
        QVERIFY(made);
        QCOMPARE(made->targetObjId, 1);
        QCOMPARE(made->targetLeftPointIdx, 0);
        QCOMPARE(made->targetRightPointIdx, 1);
        QCOMPARE(loose->points->y, 0);
        QCOMPARE(crossing->points->link, nullptr);
        QCOMPARE(lastPoint(crossing->points)->link, nullptr);

        auto* deletion = new DeleteAction(top(ctx), target);
        deletion->redo(&ctx);
        ctx.undoHistory.pushAction(deletion);
        ctx.undoHistory.undo();
        QCOMPARE(idsInOrder(top(ctx)), QList<int>({ 1, 2, 3 }));
        QCOMPARE(loose->points->link, made);

        for (int round = 0; round < 2; ++round) {
            ctx.undoHistory.undo();
            QCOMPARE(loose->points->link, nullptr);
            QCOMPARE(loose->points->y, 10);
            ctx.undoHistory.redo();
            const SmartLink* again = loose->points->link;
            QVERIFY(again);
            QCOMPARE(again->targetObjId, 1);
            QCOMPARE(again->targetLeftPoint, target->points);
            QCOMPARE(again->targetRightPoint, target->points->next);
            QCOMPARE(again->targetLeftPointIdx, 0);
            QCOMPARE(again->targetRightPointIdx, 1);
            QCOMPARE(loose->points->y, 0);
            QCOMPARE(again, made); // the same record, as the undone deletion above expects
        }
    }
};

TAVREL_TEST_MAIN(TestActions1)
#include "tst_actions1.moc"
