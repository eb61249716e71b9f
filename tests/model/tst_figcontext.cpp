#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "model/figdrawing.h"
#include "model/objectplaces.h"
#include "modelfixtures.h"
#include "render/colors.h"
#include "support/testenv.h"

using namespace fixtures;

namespace {

// Restores the preferences a test changes.
struct PreferencesGuard {
    Preferences saved = preferences;
    ~PreferencesGuard() { preferences = saved; }
};

QList<int> box(FigCompound* c)
{
    return { c->upperLeft.x, c->upperLeft.y, c->lowerRight.x, c->lowerRight.y };
}

void setBox(FigCompound* c, int value)
{
    c->upperLeft.x = c->upperLeft.y = c->lowerRight.x = c->lowerRight.y = value;
}

} // namespace

class TestFigContext : public QObject {
    Q_OBJECT
private slots:
    void freshContext()
    {
        PreferencesGuard guard;
        preferences.gridOn = true;
        preferences.gridIndex = 5;
        preferences.magnetMode = 1;
        preferences.metric = false;
        preferences.dpiAtZoom100 = 2;
        CFigContext ctx;
        QVERIFY(ctx.fileName.isEmpty());
        QCOMPARE(ctx.view, nullptr);
        QCOMPARE(ctx.painter, nullptr);
        QVERIFY(ctx.drawing.objects.empty());
        QCOMPARE(ctx.openCompound, nullptr);
        QCOMPARE(ctx.objects(), &ctx.drawing.objects);
        QVERIFY(!ctx.modified);
        QCOMPARE(ctx.undoHistory.owner, &ctx);
        QCOMPARE(ctx.undoHistory.maxSteps, 10000);
        QVERIFY(ctx.undoHistory.undoSteps.isEmpty() && ctx.undoHistory.redoSteps.isEmpty());
        QCOMPARE(ctx.pendingActions, nullptr);
        QCOMPARE(ctx.selection, nullptr);
        QCOMPARE(ctx.currentObject, nullptr);
        QCOMPARE(ctx.editCopy, nullptr);
        QVERIFY(!ctx.newChainHead && !ctx.newChainTail);
        QCOMPARE(ctx.originX, 0);
        QCOMPARE(ctx.originY, 0);
        QCOMPARE(ctx.zoom, 1.0f);
        QCOMPARE(ctx.savedZoom, -1.0f);
        QCOMPARE(ctx.gridOn, true);
        QCOMPARE(ctx.gridIndex, 5);
        QCOMPARE(ctx.magnetMode, 1);
        QCOMPARE(ctx.metric, false);
        QCOMPARE(ctx.dpiX, 72.0f);
        QCOMPARE(ctx.dpiY, 72.0f);
        QCOMPARE(ctx.landscape, false);
        QCOMPARE(ctx.paperIndex, 13);
        QCOMPARE(ctx.showPaperFrame, true);
        QCOMPARE(ctx.flushLeft, true);
        QCOMPARE(ctx.multiplePages, false);
        QCOMPARE(ctx.magnification, 100.0f);
        QCOMPARE(ctx.penColor, 0);
        QCOMPARE(ctx.fillColor, 7);
        QCOMPARE(ctx.fillStyle, -1);
        QCOMPARE(ctx.transparentColor, -2);
        QVERIFY(std::all_of(std::begin(ctx.depthVisible), std::end(ctx.depthVisible), [](bool v) { return v; }));
        QVERIFY(std::all_of(
            std::begin(ctx.depthObjectCount), std::end(ctx.depthObjectCount), [](int n) { return n == 0; }));
        QCOMPARE(ctx.layerDrawMode, 10);
        QCOMPARE(ctx.maxDepth, -1);
        QCOMPARE(ctx.minDepth, -1);
        QCOMPARE(ctx.linkCursorShown, false);
        QCOMPARE(ctx.nextId, 0);
        QCOMPARE(ctx.nextObjectId(), 1);
        QCOMPARE(ctx.nextObjectId(), 2);
        QCOMPARE(ctx.nextObjectId(), 3);
    }

    void initResetsEditingStateOnly()
    {
        CFigContext ctx;
        ctx.fileName = QStringLiteral("a.fig");
        ctx.zoom = 2.5f;
        ctx.dpiX = 96.0f;
        ctx.drawing.objects.push_back(makeText(1));
        ctx.selection = new FigObjectList { ctx.drawing.objects.front() };
        ctx.editCopy = makeText(1);
        ctx.currentObject = ctx.drawing.objects.front();
        ctx.depthVisible[3] = false;
        ctx.depthObjectCount[3] = 4;
        ctx.nextId = 8;
        ctx.originX = 40;
        ctx.init();
        QCOMPARE(ctx.fileName, QStringLiteral("a.fig"));
        QCOMPARE(ctx.zoom, 2.5f);
        QCOMPARE(ctx.dpiX, 96.0f);
        QCOMPARE(ctx.drawing.objects.size(), size_t(1));
        QCOMPARE(ctx.selection, nullptr);
        QCOMPARE(ctx.editCopy, nullptr);
        QCOMPARE(ctx.currentObject, nullptr);
        QVERIFY(ctx.depthVisible[3]);
        QCOMPARE(ctx.depthObjectCount[3], 0);
        QCOMPARE(ctx.nextId, 0);
        QCOMPARE(ctx.originX, 0);
    }

    void userColorAllocation()
    {
        CFigContext ctx;
        // Colours 32 and 34 are defined.
        QCOMPARE(ctx.addUserColor(QColor(10, 10, 10)), 0);
        QCOMPARE(ctx.addUserColor(QColor(20, 20, 20)), 1);
        QCOMPARE(ctx.addUserColor(QColor(30, 30, 30)), 2);
        ctx.drawing.userColors.remove(1); // its table stays, as after deleting it in the dialog
        ShadeTable* stale = ctx.drawing.userShades.value(1);

        QCOMPARE(ctx.addUserColor(QColor(0x12, 0x34, 0x56)), 1);
        QCOMPARE(ctx.drawing.userColors.value(1), QColor(0x12, 0x34, 0x56));
        QVERIFY(ctx.drawing.userShades.value(1) != stale || ctx.drawing.userShades.value(1)->shade[20] == 0x123456);
        QCOMPARE(ctx.drawing.userShades.value(1)->shade[20], 0x123456);
        QCOMPARE(ctx.addUserColor(QColor(1, 2, 3)), 3);
        QCOMPARE(ctx.drawing.userShades.value(3)->shade[20], 0x010203);
        QCOMPARE(ctx.drawing.userShades.size(), 4);

        QVERIFY(ctx.hasUserColor(33));
        QVERIFY(ctx.hasUserColor(35));
        QVERIFY(!ctx.hasUserColor(36));
        QVERIFY(!ctx.hasUserColor(0));
        QVERIFY(!ctx.hasUserColor(-1));

        QCOMPARE(ctx.addUserColor(QColor()), -1);
        QCOMPARE(ctx.drawing.userColors.size(), 4);
    }

    void userColorsFull()
    {
        CFigContext ctx;
        for (int key = 0; key < 65534; ++key)
            ctx.drawing.userColors.insert(key, QColor(Qt::blue));
        QCOMPARE(ctx.addUserColor(QColor(Qt::red)), -1);
        QCOMPARE(ctx.drawing.userColors.size(), 65534);
        QVERIFY(ctx.drawing.userShades.isEmpty());
        QVERIFY(!ctx.drawing.userColors.contains(65534));

        // One key freed: it is found again.
        ctx.drawing.userColors.remove(40000);
        QCOMPARE(ctx.addUserColor(QColor(Qt::red)), 40000);
    }

    void modifiedMark()
    {
        QTChildFrm window;
        window.setWindowTitle(QStringLiteral("doc[*]"));
        CFigContext ctx(&window);
        QCOMPARE(ctx.view, &window);
        ctx.setModified();
        QVERIFY(ctx.modified);
        QVERIFY(window.isWindowModified());
        ctx.clearModified();
        QVERIFY(!ctx.modified);
        QVERIFY(!window.isWindowModified());

        CFigContext windowless;
        windowless.setModified();
        QVERIFY(windowless.modified);
        windowless.clearModified();
        QVERIFY(!windowless.modified);
    }

    void viewport()
    {
        CFigContext ctx;
        ctx.originX = 123;
        ctx.originY = 456;
        ctx.zoom = 0.7f;
        ctx.saveViewport();
        QCOMPARE(ctx.savedZoom, 0.7f);
        ctx.originX = 1;
        ctx.originY = 2;
        ctx.zoom = 3.3f;
        ctx.restoreViewport();
        QCOMPARE(ctx.originX, 123);
        QCOMPARE(ctx.originY, 456);
        QCOMPARE(ctx.zoom, 0.7f);

        QPainter* painter = reinterpret_cast<QPainter*>(&ctx); // only stored
        ctx.setPainter(painter);
        QCOMPARE(ctx.painter, painter);
    }

    void dotsPerInch_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<float>("windowless");
        QTest::newRow("Fig dpi") << 0 << 80.0f;
        QTest::newRow("screen dpi keeps the creator's value") << 1 << 123.0f;
        QTest::newRow("font dpi") << 2 << 72.0f;
        QTest::newRow("unknown") << 7 << 80.0f;
    }
    void dotsPerInch()
    {
        QFETCH(int, setting);
        QFETCH(float, windowless);
        PreferencesGuard guard;
        CFigContext ctx;
        ctx.dpiX = ctx.dpiY = 123.0f;
        preferences.dpiAtZoom100 = setting;
        ctx.updateDpi();
        QCOMPARE(ctx.dpiX, windowless);
        QCOMPARE(ctx.dpiY, windowless);

        QTChildFrm window;
        CFigContext windowed(&window);
        if (setting == 1) {
            QCOMPARE(windowed.dpiX, float(window.logicalDpiX()));
            QCOMPARE(windowed.dpiY, float(window.logicalDpiY()));
        } else {
            QCOMPARE(windowed.dpiX, windowless);
        }
    }

    void objectCopiesTakeFreshIds()
    {
        CFigContext ctx;
        ctx.nextId = 41;
        // C(A, D(E, F), B) numbered n .. n + 5 depth first.
        std::unique_ptr<FigCompound> c(
            makeCompound(1, { makeLine(2, { { 0, 0 } }), makeCompound(3, { makeText(4), makeText(5) }), makeText(6) }));
        std::unique_ptr<FigObject> copy(ctx.cloneCompound(c.get()));
        QVERIFY(copy);
        QCOMPARE(copy->id, 42);
        QCOMPARE(idsInOrder(static_cast<FigCompound*>(copy.get())->members), QList<int>({ 43, 44, 45, 46, 47 }));
        QCOMPARE(c->id, 1);
        QCOMPARE(idsInOrder(c->members), QList<int>({ 2, 3, 4, 5, 6 }));
        QCOMPARE(ctx.nextId, 47);

        // cloneObject gives a compound a fresh identifier but keeps its members'.
        std::unique_ptr<FigObject> plain(ctx.cloneObject(c.get()));
        QCOMPARE(plain->id, 48);
        QCOMPARE(idsInOrder(static_cast<FigCompound*>(plain.get())->members), QList<int>({ 2, 3, 4, 5, 6 }));
        QCOMPARE(ctx.cloneObject(nullptr), nullptr);
    }

    void pathCopiesAndLinks()
    {
        CFigContext ctx;
        std::unique_ptr<FigLine> line(makeLine(5, { { 0, 0 }, { 10, 0 } }));
        SmartLink* link = linkPoint(line->points, 9);
        link->pinned = true;

        std::unique_ptr<FigLine> linked(static_cast<FigLine*>(ctx.clonePath(line.get(), true)));
        QCOMPARE(linked->id, 1);
        QVERIFY(linked->points->link && linked->points->link != link);
        QCOMPARE(linked->points->link->targetObjId, 9);
        QVERIFY(!linked->points->link->pinned);

        std::unique_ptr<FigLine> unlinked(static_cast<FigLine*>(ctx.clonePath(line.get(), false)));
        QCOMPARE(unlinked->id, 2);
        QVERIFY(!unlinked->points->link);
        QCOMPARE(line->points->link, link);

        std::unique_ptr<FigSpline> spline(makeSpline(6, { { 0, 0 }, { 3, 3 } }));
        linkPoint(spline->pointAt(1), 9);
        std::unique_ptr<FigSpline> splineCopy(static_cast<FigSpline*>(ctx.cloneUnlinked(spline.get())));
        QCOMPARE(splineCopy->id, 3);
        QVERIFY(!splineCopy->pointAt(1)->link);
        QVERIFY(spline->pointAt(1)->link);

        FigText text(7);
        QCOMPARE(ctx.clonePath(&text, true), nullptr);
    }

    void unlinkedCopies_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("made");
        QTest::newRow("ellipse") << 1 << true;
        QTest::newRow("polyline") << 2 << true;
        QTest::newRow("spline") << 3 << true;
        QTest::newRow("text") << 4 << true;
        QTest::newRow("arc") << 5 << true;
        QTest::newRow("compound") << 6 << true;
        QTest::newRow("no kind") << 99 << false;
    }
    void unlinkedCopies()
    {
        QFETCH(int, type);
        QFETCH(bool, made);
        CFigContext ctx;
        std::unique_ptr<FigObject> source;
        switch (type) {
        case 1:
            source.reset(new FigEllipse(30));
            break;
        case 2:
            source.reset(makeLine(30, { { 1, 1 } }));
            break;
        case 3:
            source.reset(makeSpline(30, { { 1, 1 } }));
            break;
        case 4:
            source.reset(makeText(30));
            break;
        case 5:
            source.reset(new FigArc(30));
            break;
        case 6:
            source.reset(makeCompound(30, { makeText(31) }));
            break;
        default:
            source.reset(new BoxObject(30, 0, 0, 1, 1));
            break;
        }
        std::unique_ptr<FigObject> copy(ctx.cloneUnlinked(source.get()));
        QCOMPARE(copy != nullptr, made);
        if (!made)
            return;
        QCOMPARE(copy->type, type);
        QCOMPARE(copy->id, 1);
        if (type == 6)
            QCOMPARE(idsInOrder(static_cast<FigCompound*>(copy.get())->members), QList<int>({ 2 }));
    }

    void listCopyRemapsLinks()
    {
        CFigContext ctx;
        ctx.nextId = 100;
        // X(30) stays behind; [L1(10), K(40){T(20), E(50)}, L2(60)] is copied.
        auto* x = makeLine(30, { { 500, 500 }, { 600, 500 } });
        auto* t = makeLine(20, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 } }, 3);
        auto* e = new FigEllipse(50);
        auto* k = makeCompound(40, { t, e });
        auto* l1 = makeLine(10, { { 100, 50 }, { 300, 50 }, { 550, 500 } });
        SmartLink* toT = linkPoint(l1->points, 20, t, 1, 2);
        toT->pinned = true;
        linkPoint(l1->pointAt(2), 30, x, 0, 1);
        auto* l2 = makeSpline(60, { { 10, 10 }, { 20, 20 }, { 0, 50 } });
        linkPoint(l2->points, 50);
        linkPoint(l2->pointAt(2), 20, t, 3, 9); // the right index lies past the end
        OwnedList drawing { x };
        OwnedList selection { l1, k, l2 };

        std::unique_ptr<FigObjectList> copy(ctx.cloneObjectListWithIds(&selection.list));
        QVERIFY(copy);
        QCOMPARE(idsInOrder(copy.get()), QList<int>({ 101, 102, 103, 104, 105 }));
        auto it = copy->begin();
        auto* l1c = static_cast<FigLine*>(*it++);
        auto* kc = static_cast<FigCompound*>(*it++);
        auto* l2c = static_cast<FigSpline*>(*it++);
        auto* tc = static_cast<FigLine*>(kc->members->front());

        const SmartLink* kept = l1c->points->link;
        QVERIFY(kept);
        QCOMPARE(kept->targetObjId, 103);
        QCOMPARE(kept->sourcePoint, l1c->points);
        QCOMPARE(kept->targetLeftPointIdx, 1);
        QCOMPARE(kept->targetRightPointIdx, 2);
        QCOMPARE(kept->targetLeftPoint, tc->pointAt(1));
        QCOMPARE(kept->targetRightPoint, tc->pointAt(2));
        QVERIFY(!kept->pinned);
        QVERIFY(!l1c->pointAt(2)->link); // its target was not copied

        QCOMPARE(l2c->points->link->targetObjId, 104);
        QCOMPARE(l2c->points->link->targetLeftPoint, nullptr);
        QCOMPARE(l2c->pointAt(2)->link->targetObjId, 103);
        QCOMPARE(l2c->pointAt(2)->link->targetLeftPoint, tc->pointAt(3));
        QCOMPARE(l2c->pointAt(2)->link->targetRightPoint, nullptr);

        // The originals keep their identifiers and links.
        QCOMPARE(idsInOrder(&selection.list), QList<int>({ 10, 40, 20, 50, 60 }));
        QCOMPARE(l1->points->link, toT);
        QCOMPARE(toT->targetLeftPoint, t->pointAt(1));
        QVERIFY(toT->pinned);
        QCOMPARE(l1->pointAt(2)->link->targetObjId, 30);
        deleteAllObjects(copy.get());

        QCOMPARE(ctx.cloneObjectListWithIds(nullptr), nullptr);
    }

    void idMapKeepsTheLastDuplicate()
    {
        CFigContext ctx;
        OwnedList owned { makeText(5), makeCompound(5, { makeText(7) }) };
        ObjectIdMap ids;
        ctx.renumberWithIdMap(&owned.list, ids);
        QCOMPARE(idsInOrder(&owned.list), QList<int>({ 1, 2, 3 }));
        QCOMPARE(ids, ObjectIdMap({ { 5, 2 }, { 7, 3 } }));
    }

    void replaceInDrawing()
    {
        CFigContext ctx;
        FigText* a = makeText(1);
        FigText* b = makeText(3);
        ctx.drawing.objects = { a, makeCompound(2, { b }) };
        auto* newA = makeText(1, QStringLiteral("A"));
        auto* newB = makeText(3, QStringLiteral("B"));
        OwnedList stray { makeText(9) };
        FigObjectList edited { newB, stray.list.front(), newA };
        QCOMPARE(ctx.replaceObjectsById(&edited), 2);
        QCOMPARE(ctx.drawing.objects.front(), newA);
        QCOMPARE(static_cast<FigCompound*>(ctx.drawing.objects.back())->members->front(), newB);
        delete a;
        delete b;
    }

    // Thousands of objects replaced at once, at the top level and inside
    // compounds at any nesting: each clone lands in its object's place, the
    // order of every list is kept, and identifiers that are nowhere in the
    // drawing replace nothing. A compound put in is searched for the
    // identifiers that come after it; the one taken out no longer is.
    void replaceManyInDrawing()
    {
        CFigContext ctx;
        const int count = 3000;
        FigObjectList originals;
        for (int id = 1; id <= count; ++id) {
            FigText* text = makeText(id);
            originals.push_back(text);
            ctx.drawing.objects.push_back(text);
        }
        FigText* deep = makeText(count + 3);
        FigCompound* inner = makeCompound(count + 2, { deep });
        FigText* member = makeText(count + 4);
        FigCompound* outer = makeCompound(count + 1, { member, inner });
        ctx.drawing.objects.insert(std::next(ctx.drawing.objects.begin(), count / 2), outer);

        OwnedList edited;
        for (int id = 2; id <= count; id += 2)
            edited.list.push_back(makeText(id, QStringLiteral("new")));
        edited.list.push_back(makeText(count + 3, QStringLiteral("new")));
        edited.list.push_back(makeText(count + 50));
        QCOMPARE(ctx.replaceObjectsById(&edited.list), count / 2 + 1);
        int id = 0;
        for (FigObject* object : ctx.drawing.objects) {
            if (object == outer)
                continue;
            ++id;
            QCOMPARE(object->id, id);
            QCOMPARE(static_cast<FigText*>(object)->text, id % 2 ? QStringLiteral("text") : QStringLiteral("new"));
        }
        QCOMPARE(id, count);
        QCOMPARE(static_cast<FigText*>(inner->members->front())->text, QStringLiteral("new"));
        QCOMPARE(*std::next(ctx.drawing.objects.begin(), count / 2), static_cast<FigObject*>(outer));
        // Put back: the drawing owns its objects again, the list the clones.
        QCOMPARE(ctx.replaceObjectsById(&originals), count);
        FigObjectList back { deep };
        QCOMPARE(ctx.replaceObjectsById(&back), 1);
        QCOMPARE(inner->members->front(), static_cast<FigObject*>(deep));

        // A compound replaced by a copy: its members are then found in the
        // copy, not in the compound taken out.
        auto* copy = static_cast<FigCompound*>(outer->clone());
        FigObject* copiedMember = copy->members->front();
        FigText* newMember = makeText(count + 4, QStringLiteral("new"));
        // (Objects found nowhere make the list long enough to be looked up
        // in one walk.)
        OwnedList strays { makeText(count + 60), makeText(count + 61), makeText(count + 62), makeText(count + 63) };
        FigObjectList swap { copy, newMember };
        swap.insert(swap.end(), strays.list.begin(), strays.list.end());
        QCOMPARE(ctx.replaceObjectsById(&swap), 2);
        QCOMPARE(*std::next(ctx.drawing.objects.begin(), count / 2), static_cast<FigObject*>(copy));
        QCOMPARE(copy->members->front(), static_cast<FigObject*>(newMember));
        QCOMPARE(outer->members->front(), static_cast<FigObject*>(member));
        FigObjectList restore { outer };
        QCOMPARE(ctx.replaceObjectsById(&restore), 1);
        delete copiedMember;
        delete copy; // with the new member

        // Objects without identifier (-1) stand in for nothing, also when
        // another object without one is in the drawing.
        FigText* unnamed = makeText(-1);
        ctx.drawing.objects.push_back(unnamed);
        OwnedList nameless { makeText(-1, QStringLiteral("new")), makeText(-1), makeText(-1), makeText(-1),
            makeText(-1) };
        QCOMPARE(ctx.replaceObjectsById(&nameless.list), 0);
        QCOMPARE(ctx.drawing.objects.back(), static_cast<FigObject*>(unnamed));
        ObjectPlaces places(&ctx.drawing.objects, { -1 });
        QCOMPARE(places.replace(nameless.list.front()), static_cast<FigObject*>(nullptr));
        QCOMPARE(ctx.drawing.objects.back(), static_cast<FigObject*>(unnamed));
    }

    void parentCompounds()
    {
        CFigContext ctx;
        FigText* a = makeText(1);
        FigText* b = makeText(2);
        FigText* c = makeText(3);
        FigText* d = makeText(4);
        FigCompound* inner = makeCompound(5, { a, b });
        FigCompound* outer = makeCompound(6, { inner, c });
        ctx.drawing.objects = { outer, d };
        QCOMPARE(ctx.parentCompoundOf(&ctx.drawing.objects, inner), outer);
        QCOMPARE(ctx.parentCompoundOf(&ctx.drawing.objects, outer), nullptr);
        QCOMPARE(ctx.parentCompoundOf(outer->members, inner), outer);
        QCOMPARE(ctx.parentCompoundOf(&ctx.drawing.objects, a), inner);
        FigText absent(9);
        QCOMPARE(ctx.parentCompoundOf(&ctx.drawing.objects, &absent), nullptr);

        FigObjectList out;
        const FigObjectList changed { a, b, c, d };
        ctx.collectParentCompounds(&changed, out);
        QCOMPARE(out, FigObjectList({ inner, outer }));
    }

    void closingNestedCompound()
    {
        CFigContext ctx;
        auto* a = new BoxObject(1, 10, 20, 30, 40);
        auto* b = new BoxObject(2, 5, 25, 35, 45);
        auto* c = new BoxObject(3, 0, 0, 1, 1);
        auto* inner = new BoundedCompound(4, { a, b });
        auto* outer = new BoundedCompound(5, { inner, c });
        ctx.drawing.objects = { outer };
        ctx.openCompound = inner->members;
        QCOMPARE(ctx.objects(), inner->members);
        a->selected = true;

        ctx.closeCompound(false);
        QVERIFY(!a->selected);
        QCOMPARE(ctx.currentObject, inner);
        QVERIFY(inner->selected);
        QCOMPARE(inner->markerState, 1);
        QCOMPARE(inner->lastFlags, std::make_pair(true, true));
        QCOMPARE(box(inner), QList<int>({ 5, 20, 35, 45 }));
        QCOMPARE(ctx.openCompound, outer->members);
        QCOMPARE(ctx.objects(), outer->members);

        ctx.closeCompound(true);
        QVERIFY(!inner->selected);
        QCOMPARE(ctx.currentObject, outer);
        QCOMPARE(box(outer), QList<int>({ 0, 0, 35, 45 }));
        QCOMPARE(ctx.openCompound, nullptr);
        QCOMPARE(ctx.objects(), &ctx.drawing.objects);

        // Nothing open: no compound to return to.
        ctx.closeCompound(false);
        QCOMPARE(ctx.currentObject, nullptr);
    }

    void closingEmptiedCompound()
    {
        CFigContext ctx;
        auto* inner = new BoundedCompound(1);
        auto* outer = new BoundedCompound(2, { inner });
        ctx.drawing.objects = { outer };
        setBox(inner, 99);
        ctx.openCompound = inner->members;
        ctx.closeCompound(false);
        QCOMPARE(ctx.currentObject, nullptr);
        QCOMPARE(ctx.openCompound, outer->members);
        QCOMPARE(*outer->members, FigObjectList({ inner })); // still in the drawing
        QCOMPARE(box(inner), QList<int>({ 99, 99, 99, 99 }));
    }

    void parentBoundsOnlyForDirectHolders()
    {
        CFigContext ctx;
        auto* a = new BoxObject(1, 10, 10, 20, 20);
        auto* c = new BoxObject(2, -50, -50, -40, -40);
        auto* d = new BoxObject(3, 0, 0, 5, 5);
        auto* inner = new BoundedCompound(4, { a });
        auto* outer = new BoundedCompound(5, { inner, c });
        ctx.drawing.objects = { outer, d };
        setBox(inner, 99);
        setBox(outer, 99);

        const FigObjectList moved { a };
        ctx.updateParentCompoundBounds(&moved);
        QCOMPARE(box(inner), QList<int>({ 10, 10, 20, 20 }));
        QCOMPARE(inner->lastFlags, std::make_pair(true, true));
        QCOMPARE(box(outer), QList<int>({ 99, 99, 99, 99 }));
        QCOMPARE(outer->boundsCalls, 0);

        const FigObjectList topLevel { d };
        ctx.updateParentCompoundBounds(&topLevel);
        QCOMPARE(outer->boundsCalls, 0);

        a->box[2] = 30;
        const FigObjectList both { a, c };
        ctx.updateParentCompoundBounds(&both);
        QCOMPARE(box(inner), QList<int>({ 10, 10, 30, 20 }));
        QCOMPARE(box(outer), QList<int>({ -50, -50, 30, 20 }));
    }

    void listBounds()
    {
        CFigContext ctx;
        auto* a = new BoxObject(1, 10, 20, 30, 40);
        auto* b = new BoxObject(2, -5, 25, 15, 50);
        ctx.drawing.objects = { a, b };
        int x0, y0, x1, y1;
        ctx.getObjectListBounds(&ctx.drawing.objects, x0, y0, x1, y1, false, true, true);
        QCOMPARE(QList<int>({ x0, y0, x1, y1 }), QList<int>({ -5, 20, 30, 50 }));
        ctx.getObjectListBounds(&ctx.drawing.objects, x0, y0, x1, y1, true, true, true);
        QCOMPARE(QList<int>({ x0, y0, x1, y1 }), QList<int>({ 0, 0, 0, 0 }));
        b->selected = true;
        ctx.getObjectListBounds(&ctx.drawing.objects, x0, y0, x1, y1, true, true, true);
        QCOMPARE(QList<int>({ x0, y0, x1, y1 }), QList<int>({ -5, 25, 15, 50 }));
        ctx.drawing.getBounds(&ctx, x0, y0, x1, y1, true, true);
        QCOMPARE(QList<int>({ x0, y0, x1, y1 }), QList<int>({ -5, 20, 30, 50 }));
        ctx.getObjectListBounds(nullptr, x0, y0, x1, y1, false, true, true);
        QCOMPARE(QList<int>({ x0, y0, x1, y1 }), QList<int>({ 0, 0, 0, 0 }));
    }

    void contextOwnsSelectionAndEditCopy()
    {
        // Under the leak checker: the lists and the copy go with the context.
        auto ctx = std::make_unique<CFigContext>();
        ctx->drawing.objects = { makeText(1), makeCompound(2, { makeText(3) }) };
        ctx->selection = new FigObjectList(ctx->drawing.objects);
        ctx->pendingActions = new QList<ActionItem*>;
        ctx->editCopy = ctx->drawing.objects.front()->clone();
        ctx->currentObject = ctx->drawing.objects.front();
        ctx->addUserColor(QColor(Qt::green));
        ctx.reset();
    }
};

TAVREL_TEST_MAIN(TestFigContext)
#include "tst_figcontext.moc"
