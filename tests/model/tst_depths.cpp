#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/depths.h"
#include "model/geometricqueries.h"
#include "modelfixtures.h"
#include "support/testenv.h"
#include "toolbars/layerstoolbar.h"

#include <QListWidget>
#include <QSignalSpy>

#include <algorithm>
#include <memory>

using namespace fixtures;

namespace {

// The used depths with their counts, as "10:1 20:2".
QString countsText(const CFigContext& ctx)
{
    QStringList parts;
    for (int d = 0; d < CFigContext::depthCount; ++d) {
        if (ctx.depthObjectCount[d] != 0)
            parts << QStringLiteral("%1:%2").arg(d).arg(ctx.depthObjectCount[d]);
    }
    return parts.join(QLatin1Char(' '));
}

FigLine* lineAt(int depth)
{
    FigLine* line = makeLine(1, { { 0, 0 }, { 100, 100 } });
    line->depth = depth;
    return line;
}

FigCompound* compoundOf(std::initializer_list<FigObject*> members)
{
    FigCompound* compound = makeCompound(99, members);
    compound->depth = 7; // a compound's own depth is never counted
    return compound;
}

FigObject* firstAt(const FigObjectList* list, int depth)
{
    for (FigObject* object : *list) {
        if (object->depth == depth)
            return object;
    }
    return nullptr;
}

// A document window's context inside a main window whose layers tool bar
// counts its rebuilds (every rebuild empties the list first).
struct Document {
    Document()
        : rebuilds(window.layersToolbar->lstLayers->model(), &QAbstractItemModel::modelReset)
    {
        mainWindow = &window;
    }
    ~Document() { mainWindow = nullptr; }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    FigObjectList* top() { return &ctx.drawing.objects; }
    void add(const QList<int>& depths)
    {
        for (int d : depths)
            ctx.addObject(top(), lineAt(d));
    }
    QString counts() const { return countsText(ctx); }
    QList<int> range() const { return { ctx.minDepth, ctx.maxDepth }; }

    QTMainFrm window;
    QTChildFrm frame;
    CFigContext ctx { &frame };
    QSignalSpy rebuilds;
};

} // namespace

class TestDepths : public QObject {
    Q_OBJECT
private slots:
    void addingCounts_data()
    {
        QTest::addColumn<QList<int>>("depths");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QList<int>>("range");
        QTest::addColumn<int>("rebuilds");
        QTest::newRow("50, 50, 40") << QList<int> { 50, 50, 40 } << "40:1 50:2" << QList<int> { 40, 50 } << 2;
        QTest::newRow("one object") << QList<int> { 100 } << "100:1" << QList<int> { 100, 100 } << 1;
        QTest::newRow("every depth new") << QList<int> { 30, 20, 10 } << "10:1 20:1 30:1" << QList<int> { 10, 30 } << 3;
        QTest::newRow("inner depth comes into use")
            << QList<int> { 10, 30, 20, 20 } << "10:1 20:2 30:1" << QList<int> { 10, 30 } << 3;
        QTest::newRow("both ends of all depths") << QList<int> { 999, 0 } << "0:1 999:1" << QList<int> { 0, 999 } << 2;
    }
    void addingCounts()
    {
        QFETCH(QList<int>, depths);
        QFETCH(QString, counts);
        QFETCH(QList<int>, range);
        QFETCH(int, rebuilds);
        Document doc;
        doc.add(depths);
        QCOMPARE(doc.counts(), counts);
        QCOMPARE(doc.range(), range);
        QCOMPARE(doc.rebuilds.count(), rebuilds);
    }

    void compoundsCountedByTheirMembers_data()
    {
        QTest::addColumn<bool>("nested");
        QTest::newRow("flat") << false;
        QTest::newRow("nested") << true;
    }
    void compoundsCountedByTheirMembers()
    {
        QFETCH(bool, nested);
        Document doc;
        FigCompound* compound = nested ? compoundOf({ lineAt(10), compoundOf({ lineAt(20), lineAt(30) }) })
                                       : compoundOf({ lineAt(10), lineAt(20), lineAt(30) });
        doc.ctx.addObject(doc.top(), compound);
        QCOMPARE(doc.counts(), QStringLiteral("10:1 20:1 30:1"));
        QCOMPARE(doc.range(), QList<int>({ 10, 30 }));
        QCOMPARE(doc.rebuilds.count(), 1);
        QCOMPARE(layersRefreshHold, 0);

        doc.rebuilds.clear();
        QVERIFY(doc.ctx.removeObject(doc.top(), compound));
        delete compound;
        QCOMPARE(doc.counts(), QString());
        QCOMPARE(doc.range(), QList<int>({ -1, -1 }));
        QCOMPARE(doc.rebuilds.count(), 1);
        QCOMPARE(layersRefreshHold, 0);
    }

    void removingCounts_data()
    {
        QTest::addColumn<QList<int>>("depths");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QList<int>>("range");
        QTest::addColumn<int>("rebuilds");
        QTest::newRow("only object at the deepest end")
            << QList<int> { 10, 20, 30 } << 30 << "10:1 20:1" << QList<int> { 10, 20 } << 1;
        QTest::newRow("only object at the shallowest end")
            << QList<int> { 10, 20, 30 } << 10 << "20:1 30:1" << QList<int> { 20, 30 } << 1;
        QTest::newRow("one of two strictly inside")
            << QList<int> { 10, 20, 20, 30 } << 20 << "10:1 20:1 30:1" << QList<int> { 10, 30 } << 0;
        QTest::newRow("inner depth empties")
            << QList<int> { 10, 20, 30 } << 20 << "10:1 30:1" << QList<int> { 10, 30 } << 1;
        QTest::newRow("one of two at an end, range kept")
            << QList<int> { 10, 10, 30 } << 10 << "10:1 30:1" << QList<int> { 10, 30 } << 1;
        QTest::newRow("last object leaves") << QList<int> { 40 } << 40 << QString() << QList<int> { -1, -1 } << 1;
    }
    void removingCounts()
    {
        QFETCH(QList<int>, depths);
        QFETCH(int, removed);
        QFETCH(QString, counts);
        QFETCH(QList<int>, range);
        QFETCH(int, rebuilds);
        Document doc;
        doc.add(depths);
        doc.rebuilds.clear();
        FigObject* object = firstAt(doc.top(), removed);
        QVERIFY(doc.ctx.removeObject(doc.top(), object));
        delete object;
        QCOMPARE(doc.counts(), counts);
        QCOMPARE(doc.range(), range);
        QCOMPARE(doc.rebuilds.count(), rebuilds);
    }

    void drawingEmptiesAndFillsAgain()
    {
        Document doc;
        doc.add({ 10, 20 });
        for (int d : { 20, 10 }) {
            FigObject* object = firstAt(doc.top(), d);
            QVERIFY(doc.ctx.removeObject(doc.top(), object));
            delete object;
        }
        QCOMPARE(doc.range(), QList<int>({ -1, -1 }));
        QCOMPARE(doc.window.layersToolbar->lstLayers->count(), 0);
        doc.add({ 500 });
        QCOMPARE(doc.range(), QList<int>({ 500, 500 }));
    }

    void removeObjectResults()
    {
        Document doc;
        doc.add({ 10, 20 });
        doc.rebuilds.clear();
        QVERIFY(!doc.ctx.removeObject(nullptr, doc.top()->front()));
        QVERIFY(doc.ctx.removeObject(doc.top(), nullptr));
        // An object that is not in the list was never counted there.
        std::unique_ptr<FigLine> stranger(lineAt(20));
        QVERIFY(!doc.ctx.removeObject(doc.top(), stranger.get()));
        QCOMPARE(doc.counts(), QStringLiteral("10:1 20:1"));
        QCOMPARE(doc.range(), QList<int>({ 10, 20 }));
        QCOMPARE(doc.rebuilds.count(), 0);
        QCOMPARE(doc.top()->size(), size_t(2));
    }

    void listsOutsideTheDrawingAreNotCounted()
    {
        Document doc;
        doc.add({ 10 });
        doc.rebuilds.clear();
        OwnedList scratch;
        FigLine* clipped = lineAt(30);
        doc.ctx.addObject(&scratch.list, clipped);
        FigCompound* loose = compoundOf({ lineAt(40) });
        doc.ctx.addObject(&scratch.list, loose);
        doc.ctx.addObject(loose->members, lineAt(50));
        QCOMPARE(doc.counts(), QStringLiteral("10:1"));
        QVERIFY(doc.ctx.removeObject(&scratch.list, clipped));
        delete clipped;
        QCOMPARE(doc.counts(), QStringLiteral("10:1"));
        QCOMPARE(doc.rebuilds.count(), 0);
        QVERIFY(!doc.ctx.isDrawingList(&scratch.list));
        QVERIFY(!doc.ctx.isDrawingList(loose->members));
        QVERIFY(!doc.ctx.isDrawingList(nullptr));
    }

    // Objects entering or leaving any member list of the drawing's tree are
    // counted like top-level ones, however deep the compound lies.
    void editsInsideCompoundsOfTheDrawing_data()
    {
        QTest::addColumn<int>("nesting");
        QTest::addColumn<bool>("opened");
        QTest::newRow("open compound") << 1 << true;
        QTest::newRow("open nested compound") << 2 << true;
        QTest::newRow("closed compound three deep") << 3 << false;
    }
    void editsInsideCompoundsOfTheDrawing()
    {
        QFETCH(int, nesting);
        QFETCH(bool, opened);
        Document doc;
        FigCompound* inner = compoundOf({ lineAt(20) });
        FigCompound* outer = inner;
        for (int level = 1; level < nesting; ++level)
            outer = compoundOf({ outer, lineAt(100 + level) });
        doc.ctx.addObject(doc.top(), outer);
        if (opened)
            doc.ctx.openCompound = inner->members;
        const QString before = doc.counts();

        FigLine* added = lineAt(5);
        doc.ctx.addObject(inner->members, added);
        QCOMPARE(doc.ctx.depthObjectCount[5], 1);
        QCOMPARE(doc.ctx.minDepth, 5);
        FigCompound* group = compoundOf({ lineAt(600) });
        doc.ctx.addObject(inner->members, group);
        QCOMPARE(doc.ctx.depthObjectCount[600], 1);
        QCOMPARE(doc.ctx.maxDepth, 600);

        QVERIFY(doc.ctx.removeObject(inner->members, added));
        QVERIFY(doc.ctx.removeObject(inner->members, group));
        delete added;
        delete group;
        QCOMPARE(doc.counts(), before);
        QCOMPARE(doc.ctx.minDepth, 20);
    }

    // Grouping and ungrouping, at the top level and inside compounds of the
    // drawing, in the two ways the editing code does it: through the counting
    // list operations, or with plain list moves and explicit recounting.
    void groupingKeepsCounts_data()
    {
        QTest::addColumn<int>("nesting");
        QTest::addColumn<bool>("plainMoves");
        for (int nesting : { 0, 1, 2 }) {
            QTest::addRow("nesting %d, counting moves", nesting) << nesting << false;
            QTest::addRow("nesting %d, plain moves", nesting) << nesting << true;
        }
    }
    void groupingKeepsCounts()
    {
        QFETCH(int, nesting);
        QFETCH(bool, plainMoves);
        Document doc;
        FigLine* a = lineAt(10);
        FigLine* b = lineAt(20);
        FigObjectList* owner = doc.top();
        doc.ctx.addObject(owner, lineAt(900));
        for (int level = 0; level < nesting; ++level) {
            FigCompound* holder = compoundOf({ lineAt(800 + level) });
            doc.ctx.addObject(owner, holder);
            owner = holder->members;
        }
        doc.ctx.openCompound = nesting > 0 ? owner : nullptr;
        doc.ctx.addObject(owner, a);
        doc.ctx.addObject(owner, b);
        const QString before = doc.counts();
        QVERIFY(before.contains(QLatin1String("10:1 20:1")));

        auto* group = new FigCompound(50);
        if (plainMoves) {
            // Make: members moved without counting, the compound added (which
            // counts them), then uncounted once.
            removeFromObjectList(owner, a);
            removeFromObjectList(owner, b);
            group->members->push_back(a);
            group->members->push_back(b);
            doc.ctx.addObject(owner, group);
            doc.ctx.removeCompoundFromDepths(group);
        } else {
            QVERIFY(doc.ctx.removeObject(owner, a));
            QVERIFY(doc.ctx.removeObject(owner, b));
            doc.ctx.addObject(group->members, a);
            doc.ctx.addObject(group->members, b);
            doc.ctx.addObject(owner, group);
        }
        QCOMPARE(doc.counts(), before);
        QCOMPARE(layersRefreshHold, 0);

        if (plainMoves) {
            // Break: members appended without counting, the compound removed
            // (which uncounts them), then counted once.
            appendCompoundMembers(owner, group);
            QVERIFY(doc.ctx.removeObject(owner, group));
            doc.ctx.addObjectsToDepths(group->members);
            group->members->clear();
        } else {
            QVERIFY(doc.ctx.removeObject(owner, group));
            for (FigObject* member : { static_cast<FigObject*>(a), static_cast<FigObject*>(b) }) {
                QVERIFY(doc.ctx.removeObject(group->members, member));
                doc.ctx.addObject(owner, member);
            }
        }
        delete group;
        QCOMPARE(doc.counts(), before);
        QCOMPARE(doc.ctx.minDepth, 10);
        QCOMPARE(doc.ctx.maxDepth, 900);
        QCOMPARE(layersRefreshHold, 0);
    }

    void heldRefreshRebuildsOnceAtTheEnd()
    {
        Document doc;
        ++layersRefreshHold; // as the Fig reader does while it reads
        doc.add({ 10, 20, 30 });
        doc.ctx.addObject(doc.top(), compoundOf({ lineAt(40) }));
        QCOMPARE(doc.rebuilds.count(), 0);
        --layersRefreshHold;
        doc.ctx.refreshLayersToolbar();
        QCOMPARE(doc.rebuilds.count(), 1);
        QCOMPARE(doc.window.layersToolbar->lstLayers->count(), 4);

        // Whole lists count with one rebuild, also with nothing to count.
        doc.rebuilds.clear();
        OwnedList more { lineAt(1), compoundOf({ lineAt(2), compoundOf({ lineAt(3) }) }) };
        doc.ctx.addObjectsToDepths(&more.list);
        QCOMPARE(doc.rebuilds.count(), 1);
        doc.ctx.addObjectsToDepths(nullptr);
        QCOMPARE(doc.rebuilds.count(), 2);
        doc.ctx.removeCompoundFromDepths(nullptr);
        QCOMPARE(doc.rebuilds.count(), 2);
        QCOMPARE(doc.counts(), QStringLiteral("1:1 2:1 3:1 10:1 20:1 30:1 40:1"));
        doc.ctx.clearDepthObjectCounts();
        QCOMPARE(doc.counts(), QString());
        QCOMPARE(doc.range(), QList<int>({ 1, 40 })); // left for the caller to recount
    }

    void onlyDocumentWindowsRebuildTheLayersBar()
    {
        Document doc;
        doc.add({ 10 });
        doc.rebuilds.clear();
        // A window-less context (a library clip, a thumbnail) counts its own
        // objects but leaves the bar showing the document.
        CFigContext clip;
        clip.addObject(&clip.drawing.objects, lineAt(70));
        clip.addObjectsToDepths(nullptr);
        QCOMPARE(clip.depthObjectCount[70], 1);
        QCOMPARE(doc.rebuilds.count(), 0);
        QCOMPARE(doc.window.layersToolbar->lstLayers->count(), 1);
        // Without a main window nothing is rebuilt at all.
        mainWindow = nullptr;
        doc.add({ 20 });
        QCOMPARE(doc.rebuilds.count(), 0);
    }

    void setDepthVisible_data()
    {
        QTest::addColumn<QList<int>>("depths");
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("stored");
        QTest::newRow("empty drawing") << QList<int> {} << 10 << false;
        QTest::newRow("shallower than the range") << QList<int> { 10, 30 } << 9 << false;
        QTest::newRow("deeper than the range") << QList<int> { 10, 30 } << 31 << false;
        QTest::newRow("shallowest") << QList<int> { 10, 30 } << 10 << true;
        QTest::newRow("unused depth inside the range") << QList<int> { 10, 30 } << 20 << true;
    }
    void setDepthVisible()
    {
        QFETCH(QList<int>, depths);
        QFETCH(int, depth);
        QFETCH(bool, stored);
        for (bool withWindow : { false, true }) {
            Document doc;
            CFigContext bare;
            CFigContext& ctx = withWindow ? doc.ctx : bare;
            for (int d : depths)
                ctx.addObject(&ctx.drawing.objects, lineAt(d));
            ctx.setDepthVisible(depth, false);
            QCOMPARE(ctx.depthVisible[depth], !stored);
            int hidden = 0;
            for (bool shown : ctx.depthVisible)
                hidden += shown ? 0 : 1;
            QCOMPARE(hidden, stored ? 1 : 0);
            ctx.setDepthVisible(depth, true);
            QVERIFY(ctx.depthVisible[depth]);
        }
    }

    void showAllDepths()
    {
        CFigContext ctx;
        ctx.depthVisible[0] = ctx.depthVisible[999] = ctx.depthVisible[500] = false;
        ctx.showAllDepths();
        QVERIFY(std::all_of(std::begin(ctx.depthVisible), std::end(ctx.depthVisible), [](bool v) { return v; }));
    }

    void pointNearSegment_data()
    {
        QTest::addColumn<QList<int>>("segment");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<QPoint>("at");
        const QList<int> flat { 0, 0, 100, 0 };
        QTest::newRow("3 beside, t 5") << flat << QPoint(50, 3) << 5 << true << QPoint(50, 0);
        QTest::newRow("3 beside, t 3") << flat << QPoint(50, 3) << 3 << false << QPoint();
        QTest::newRow("near the start") << flat << QPoint(2, -2) << 3 << true << QPoint(0, 0);
        QTest::newRow("near the end") << flat << QPoint(103, 1) << 3 << true << QPoint(100, 0);
        QTest::newRow("beyond the end") << flat << QPoint(104, 0) << 3 << false << QPoint();
        QTest::newRow("vertical") << QList<int> { 10, 0, 10, 100 } << QPoint(12, 40) << 3 << true << QPoint(10, 40);
        QTest::newRow("diagonal") << QList<int> { 0, 0, 100, 100 } << QPoint(60, 40) << 15 << true << QPoint(50, 50);
        QTest::newRow("diagonal, too far")
            << QList<int> { 0, 0, 100, 100 } << QPoint(60, 40) << 14 << false << QPoint();
        QTest::newRow("steep, rounded foot")
            << QList<int> { 0, 0, 10, 100 } << QPoint(7, 50) << 5 << true << QPoint(5, 50);
        // The grown box reaches past the int range.
        QTest::newRow("huge coordinates")
            << QList<int> { -2147483600, 0, 2147483600, 0 } << QPoint(0, 50) << 100 << true << QPoint(0, 0);
    }
    void pointNearSegment()
    {
        QFETCH(QList<int>, segment);
        QFETCH(QPoint, click);
        QFETCH(int, tolerance);
        QFETCH(bool, hit);
        QFETCH(QPoint, at);
        int hx = -1;
        int hy = -1;
        const float t2 = float(tolerance) * float(tolerance);
        QCOMPARE(::pointNearSegment(
                     segment[0], segment[1], segment[2], segment[3], click.x(), click.y(), tolerance, t2, hx, hy),
            hit);
        if (hit)
            QCOMPARE(QPoint(hx, hy), at);
    }

    void findLineSegmentNear_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QList<int>>("indices");
        QTest::addColumn<QPoint>("hit");
        // Box (0,0) (100,0) (100,50) (0,50) (0,0).
        QTest::newRow("box, closing side") << 2 << QPoint(2, 25) << true << QList<int> { 3, 0 } << QPoint(0, 25);
        QTest::newRow("box, right side") << 2 << QPoint(97, 20) << true << QList<int> { 1, 2 } << QPoint(100, 20);
        QTest::newRow("box, first corner") << 2 << QPoint(3, -3) << true << QList<int> { 0, 1 } << QPoint(0, 0);
        QTest::newRow("box, inside") << 2 << QPoint(50, 25) << false << QList<int> {} << QPoint();
        QTest::newRow("open polyline, last segment")
            << 1 << QPoint(2, 25) << true << QList<int> { 3, 4 } << QPoint(0, 25);
    }
    void findLineSegmentNear()
    {
        QFETCH(int, subType);
        QFETCH(QPoint, click);
        QFETCH(bool, found);
        QFETCH(QList<int>, indices);
        QFETCH(QPoint, hit);
        std::unique_ptr<FigLine> line(makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 50 }, { 0, 50 }, { 0, 0 } }, subType));
        CFigContext ctx;
        FigPoint* left = nullptr;
        FigPoint* right = nullptr;
        int li = -1;
        int ri = -1;
        int hx = -1;
        int hy = -1;
        QCOMPARE(ctx.findLineSegmentNear(line.get(), left, right, li, ri, click.x(), click.y(), 5, hx, hy), found);
        if (!found)
            return;
        QCOMPARE(QList<int>({ li, ri }), indices);
        QCOMPARE(left, line->pointAt(li));
        QCOMPARE(right, line->pointAt(ri));
        QCOMPARE(QPoint(hx, hy), hit);
    }

    void findLineSegmentNearOnDegenerateLines()
    {
        CFigContext ctx;
        FigPoint* left = nullptr;
        FigPoint* right = nullptr;
        int li, ri, hx, hy;
        QVERIFY(!ctx.findLineSegmentNear(nullptr, left, right, li, ri, 0, 0, 5, hx, hy));
        FigLine empty(1);
        QVERIFY(!ctx.findLineSegmentNear(&empty, left, right, li, ri, 0, 0, 5, hx, hy));
        std::unique_ptr<FigLine> single(makeLine(2, { { 10, 10 } }));
        QVERIFY(ctx.findLineSegmentNear(single.get(), left, right, li, ri, 12, 9, 5, hx, hy));
        QCOMPARE(left, single->points);
        QCOMPARE(right, nullptr);
        QVERIFY(!ctx.findLineSegmentNear(single.get(), left, right, li, ri, 20, 10, 5, hx, hy));
    }

    void pointChainHelpers()
    {
        std::unique_ptr<FigSpline> spline(makeSpline(1, { { 0, 0 }, { 1, 1 }, { 2, 2 } }));
        FigPoint* first = spline->points;
        FigPoint* second = first->next;
        FigPoint* third = second->next;
        QCOMPARE(countPoints(nullptr), 0);
        QCOMPARE(countPoints(first), 3);
        QCOMPARE(countPoints(third), 1);
        QCOMPARE(lastPoint(nullptr), nullptr);
        QCOMPARE(lastPoint(first), third);
        QCOMPARE(lastPoint(third), third);

        QCOMPARE(first->predecessorOf(third), second);
        QCOMPARE(first->predecessorOf(second), first);
        QCOMPARE(first->predecessorOf(first), nullptr);
        QCOMPARE(second->predecessorOf(first), nullptr); // not after it in the chain
        QCOMPARE(first->predecessorOf(nullptr), nullptr);

        QCOMPARE(spline->shapeFactorOf(first), spline->shapeFactors);
        QCOMPARE(spline->shapeFactorOf(third)->value, 0.0); // the third node of -1, -0.5, 0
        FigPoint foreign(1, 1);
        QCOMPARE(spline->shapeFactorOf(&foreign), nullptr);
    }

    void compoundMembersAndSelection()
    {
        Document doc;
        FigLine* a = lineAt(10);
        FigCompound* inner = compoundOf({ lineAt(20) });
        FigCompound* compound = compoundOf({ a, inner });
        doc.ctx.addObject(doc.top(), compound);
        doc.rebuilds.clear();
        const QString before = doc.counts();

        // Plain moves count nothing, even into the drawing's list.
        appendCompoundMembers(doc.top(), compound);
        QCOMPARE(doc.top()->size(), size_t(3));
        QCOMPARE(doc.counts(), before);
        appendCompoundMembers(doc.top(), nullptr);
        appendCompoundMembers(nullptr, compound);
        removeCompoundMembers(doc.top(), compound);
        QCOMPARE(doc.top()->size(), size_t(1));
        removeCompoundMembers(doc.top(), nullptr);
        removeCompoundMembers(nullptr, compound);
        QCOMPARE(doc.counts(), before);
        QCOMPARE(doc.rebuilds.count(), 0);

        setObjectsSelected(doc.top(), true);
        QVERIFY(compound->selected && a->selected && inner->selected && inner->members->front()->selected);
        setObjectsSelected(inner->members, false);
        QVERIFY(compound->selected && !inner->members->front()->selected);
        setObjectsSelected(nullptr, true);
    }
};

TAVREL_TEST_MAIN(TestDepths)
#include "tst_depths.moc"
