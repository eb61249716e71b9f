#include "modelfixtures.h"
#include "support/testenv.h"

#include <QPixmap>

using namespace fixtures;

namespace {

QList<int> visited;
void recordId(FigObject* object)
{
    visited << object->id;
}
void recordIdPlus(FigObject* object, int a, int b)
{
    visited << object->id * 100 + a * 10 + b;
}
void recordFlag(FigObject* object, bool flag)
{
    visited << (flag ? object->id : -object->id);
}

// [A1, C2(B3, D4(E5)), F6] with every identifier as given.
struct Tree {
    FigLine* a = makeLine(1, { { 0, 0 }, { 10, 10 } });
    FigText* b = makeText(3);
    FigText* e = makeText(5);
    FigCompound* d = makeCompound(4, { e });
    FigCompound* c = makeCompound(2, { b, d });
    FigSpline* f = makeSpline(6, { { 0, 0 }, { 5, 5 } });
    OwnedList owned { a, c, f };
    FigObjectList* list = &owned.list;
};

} // namespace

class TestObjectList : public QObject {
    Q_OBJECT
private slots:
    void readerStaticsStartEmpty()
    {
        QVERIFY(pendingCommentLines.isEmpty());
        QVERIFY(savedNumericLocale.empty());
    }

    void walksVisitCompoundsBeforeMembers()
    {
        Tree t;
        visited.clear();
        forEachObject(t.list, recordId);
        QCOMPARE(visited, QList<int>({ 1, 2, 3, 4, 5, 6 }));
        visited.clear();
        forEachObjectWith2Args(t.c->members, recordIdPlus, 7, 8);
        QCOMPARE(visited, QList<int>({ 378, 478, 578 }));
        visited.clear();
        forEachObjectWithFlag(t.d->members, recordFlag, false);
        QCOMPARE(visited, QList<int>({ -5 }));
        visited.clear();
        forEachObject(nullptr, recordId);
        QVERIFY(visited.isEmpty());
    }

    void walkCallbacks()
    {
        Tree t;
        t.b->selected = true;
        t.f->skipRedraw = true;
        forEachObject(t.list, skipIfSelected);
        QVERIFY(t.b->skipRedraw && !t.f->skipRedraw && !t.a->skipRedraw);
        forEachObject(t.list, clearSkipRedraw);
        QVERIFY(!t.b->skipRedraw);
        forEachObject(t.list, selectObject);
        QVERIFY(t.a->selected && t.e->selected && t.d->selected);
        forEachObject(t.c->members, deselectObject);
        QVERIFY(t.a->selected && !t.b->selected && !t.e->selected);
        forEachObject(t.list, markObject);
        QCOMPARE(t.e->markerState, 1);
        forEachObject(t.list, clearMarkerState);
        QCOMPARE(t.e->markerState, 0);

        t.e->latexPixmaps[1].insert(80, new QPixmap(2, 2));
        forEachObjectWithFlag(t.list, setTextLatexFailed, true);
        QVERIFY(t.b->latexFailed && t.e->latexFailed);
        forEachObject(t.list, clearTextLatexImages);
        QVERIFY(t.e->latexPixmaps[1].isEmpty());
    }

    void counting()
    {
        // A polyline, a compound with two texts and an empty compound.
        OwnedList owned { makeLine(1, { { 0, 0 } }),
            makeCompound(2, { makeText(3), makeText(4), makeCompound(5, {}) }) };
        QCOMPARE(countObjects(&owned.list), 3);
        QCOMPARE(countObjects(nullptr), 0);
    }

    void renumbering()
    {
        Tree t;
        for (FigObject* o :
            { (FigObject*)t.a, (FigObject*)t.c, (FigObject*)t.b, (FigObject*)t.d, (FigObject*)t.e, (FigObject*)t.f })
            o->id = 40;
        QCOMPARE(renumberObjects(t.list, 0), 6);
        QCOMPARE(idsInOrder(t.list), QList<int>({ 1, 2, 3, 4, 5, 6 }));
        QCOMPARE(renumberObjects(nullptr, 9), 9);

        t.b->id = -1;
        t.f->id = -1;
        QCOMPARE(assignMissingIds(t.list, 10), 12);
        QCOMPARE(idsInOrder(t.list), QList<int>({ 1, 2, 11, 4, 5, 12 }));
        QCOMPARE(assignMissingIds(t.list, 12), 12);
    }

    void uniqueness()
    {
        Tree t;
        ObjectIdSet seen;
        QVERIFY(idsAreUnique(t.list, seen));
        QCOMPARE(seen, ObjectIdSet({ 1, 2, 3, 4, 5, 6 }));

        t.e->id = 1; // a member repeats a top-level identifier
        seen.clear();
        QVERIFY(!idsAreUnique(t.list, seen));
        t.e->id = 5;
        t.f->id = -1;
        seen.clear();
        QVERIFY(!idsAreUnique(t.list, seen));
        seen.clear();
        QVERIFY(idsAreUnique(nullptr, seen));
    }

    void largestAndLookup()
    {
        Tree t;
        t.e->id = 90;
        QCOMPARE(maxObjectId(t.list), 90);
        QCOMPARE(maxObjectId(nullptr), 0);
        forEachObject(t.list, [](FigObject* o) { o->id = -1; });
        QCOMPARE(maxObjectId(t.list), 0);

        Tree u;
        u.f->id = 5; // the member E comes first, depth first
        QCOMPARE(findObjectById(u.list, 5), u.e);
        QCOMPARE(findObjectById(u.list, 4), u.d);
        QCOMPARE(findObjectById(u.list, 77), nullptr);
        u.a->id = -1;
        QCOMPARE(findObjectById(u.list, -1), nullptr);

        ObjectIdMap ids;
        collectObjectIds(u.list, ids);
        QCOMPARE(ids.keys(), QList<int>({ -1, 2, 3, 4, 5 }));
        QCOMPARE(ids.value(4), 4);
    }

    void droppingLinks()
    {
        // Line 1 inside selected compound 10, line 2 at the top, unselected
        // compound 20 holding line 3; every line links to object 50 and 60.
        auto* l1 = makeLine(1, { { 0, 0 }, { 9, 9 } });
        auto* l2 = makeLine(2, { { 0, 0 }, { 9, 9 } });
        auto* l3 = makeLine(3, { { 0, 0 }, { 9, 9 } });
        for (FigLine* l : { l1, l2, l3 }) {
            linkPoint(l->points, 50);
            linkPoint(l->points->next, 60);
        }
        auto* c10 = makeCompound(10, { l1 });
        auto* c20 = makeCompound(20, { l3 });
        c10->selected = true;
        l1->selected = true;
        l2->selected = true;
        OwnedList owned { c10, l2, c20 };
        dropSmartLinksNotIn({ { 50, 50 } }, &owned.list, true);
        QVERIFY(l1->points->link && !l1->points->next->link);
        QVERIFY(l2->points->link && !l2->points->next->link);
        QVERIFY(l3->points->link && l3->points->next->link); // skipped with its compound

        OwnedList source { makeText(60) };
        dropForeignSmartLinks(&source.list, &owned.list, false);
        QVERIFY(!l3->points->link && l3->points->next->link);
        QVERIFY(!l1->points->link && !l2->points->link);
    }

    void replacingById()
    {
        Tree t;
        auto* newE = makeText(5, QStringLiteral("new"));
        QVERIFY(replaceObjectById(t.list, newE));
        QCOMPARE(t.d->members->front(), newE);
        delete t.e; // replaced, not deleted by the replacement

        QVERIFY(!replaceObjectById(t.list, nullptr));
        FigText stray(77);
        QVERIFY(!replaceObjectById(t.list, &stray));
        stray.id = -1;
        QVERIFY(!replaceObjectById(t.list, &stray));
        QVERIFY(!replaceObjectById(nullptr, newE));
    }

    void copyingAndFreeing()
    {
        Tree t;
        QCOMPARE(cloneObjectList(nullptr), nullptr);
        std::unique_ptr<FigObjectList> copy(cloneObjectList(t.list));
        QVERIFY(copy);
        QCOMPARE(idsInOrder(copy.get()), idsInOrder(t.list));
        QVERIFY(copy->front() != t.a);

        OwnedList target { makeText(30), makeText(31) };
        replaceWithClones(copy.get(), &target.list);
        QCOMPARE(idsInOrder(&target.list), QList<int>({ 1, 2, 3, 4, 5, 6 }));
        QVERIFY(target.list.front() != copy->front());
        replaceWithClones(nullptr, &target.list);
        QCOMPARE(target.list.size(), size_t(3));

        // A working list pointing at the target's own objects.
        FigObjectList working(target.list);
        replaceWithClones(&working, &target.list);
        QCOMPARE(idsInOrder(&target.list), QList<int>({ 1, 2, 3, 4, 5, 6 }));

        FigObjectList pointers { t.a };
        appendObjectList(&pointers, &pointers);
        QCOMPARE(pointers, FigObjectList({ t.a, t.a }));
        appendObjectList(nullptr, &pointers);
        QCOMPARE(pointers.size(), size_t(2));

        deleteAllObjects(copy.get());
        QVERIFY(copy->empty());
        deleteAllObjects(nullptr);
        freePointList(nullptr);
        freeShapeFactorList(nullptr);
    }

    void predicates()
    {
        Tree t;
        QVERIFY(listContainsObject(t.list, t.e));
        QVERIFY(!listContainsObject(t.c->members, t.a));
        QVERIFY(!listContainsObject(nullptr, t.a));
        QVERIFY(pointerListContains(t.list, t.c));
        QVERIFY(!pointerListContains(t.list, t.e));
        QVERIFY(!pointerListContains(nullptr, t.e));
        QVERIFY(chainContainsPoint(t.a->points, t.a->points->next));
        QVERIFY(!chainContainsPoint(t.a->points->next, t.a->points));
        QVERIFY(!chainContainsPoint(t.a->points, nullptr));

        t.a->selected = true;
        t.e->selected = true; // inside a compound: not counted at the top level
        QVERIFY(!otherObjectSelected(t.list, t.a));
        QVERIFY(otherObjectSelected(t.list, t.f));
        QVERIFY(!twoOrMoreSelected(t.list));
        t.f->selected = true;
        QVERIFY(twoOrMoreSelected(t.list));
        FigObjectList out { t.b };
        collectSelectedObjects(t.list, out);
        QCOMPARE(out, FigObjectList({ t.b, t.a, t.f }));
        out.clear();
        collectObjectsOfType(t.list, 6, out);
        QCOMPARE(out, FigObjectList({ t.c }));
    }

    void closedPaths_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("subType");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("openEnds");
        QTest::newRow("polyline") << 2 << 1 << false << true;
        QTest::newRow("box") << 2 << 2 << true << false;
        QTest::newRow("picture") << 2 << 5 << true << false;
        QTest::newRow("open approximated spline") << 3 << 0 << false << true;
        QTest::newRow("closed approximated spline") << 3 << 1 << true << false;
        QTest::newRow("open interpolated spline") << 3 << 2 << false << true;
        QTest::newRow("closed interpolated spline") << 3 << 3 << true << false;
        QTest::newRow("open X-spline") << 3 << 4 << false << true;
        QTest::newRow("closed X-spline") << 3 << 5 << true << false;
    }
    void closedPaths()
    {
        QFETCH(int, type);
        QFETCH(int, subType);
        QFETCH(bool, closed);
        QFETCH(bool, openEnds);
        std::unique_ptr<FigObject> path(type == 2
                ? static_cast<FigObject*>(makeLine(1, { { 0, 0 }, { 1, 1 }, { 2, 2 } }, subType))
                : makeSpline(1, { { 0, 0 }, { 1, 1 }, { 2, 2 } }, subType));
        QCOMPARE(isClosedPath(path.get()), closed);
        const FigPath* chain = type == 2 ? static_cast<FigPath*>(static_cast<FigLine*>(path.get()))
                                         : static_cast<FigSpline*>(path.get());
        QCOMPARE(isPathEndPoint(path.get(), chain->pointAt(0)), openEnds);
        QCOMPARE(isPathEndPoint(path.get(), chain->pointAt(2)), openEnds);
        QVERIFY(!isPathEndPoint(path.get(), chain->pointAt(1)));
        QVERIFY(!isPathEndPoint(path.get(), nullptr));
    }
    void otherKindsAreNeitherClosedNorEnds()
    {
        FigText text(1);
        FigPoint point;
        QVERIFY(!isClosedPath(&text));
        QVERIFY(!isClosedPath(nullptr));
        QVERIFY(!isPathEndPoint(&text, &point));
        QVERIFY(!isPathEndPoint(nullptr, &point));
    }

    void removing()
    {
        Tree t;
        FigObjectList working { t.a, t.c, t.a, t.f };
        FigObjectList toRemove { t.a, nullptr, t.e };
        removeObjectsFromList(&working, &toRemove);
        QCOMPARE(working, FigObjectList({ t.c, t.a, t.f }));
        removeObjectsFromList(&working, &working);
        QVERIFY(working.empty());
        removeFromObjectList(t.c->members, t.b);
        QCOMPARE(*t.c->members, FigObjectList({ t.d }));
        removeFromObjectList(t.c->members, nullptr);
        removeFromObjectList(nullptr, t.b);
        delete t.b;
    }

    void compoundFinders()
    {
        Tree t;
        QCOMPARE(findParentCompound(t.list, t.d->members), t.d);
        QCOMPARE(findParentCompound(t.list, t.c->members), t.c);
        QCOMPARE(findParentCompound(t.list, t.list), nullptr);
        QCOMPARE(findCompoundContaining(t.list, t.e), t.d);
        QCOMPARE(findCompoundContaining(t.list, t.b), t.c);
        QCOMPARE(findCompoundContaining(t.list, t.a), nullptr);
        QCOMPARE(findContainerInCompound(t.c, t.d), t.c);
        QCOMPARE(findContainerInCompound(t.c, t.e), t.d);
        QCOMPARE(findContainerInCompound(t.d, t.b), nullptr);
        QCOMPARE(findContainerInCompound(nullptr, t.b), nullptr);
    }
};

TAVREL_TEST_MAIN(TestObjectList)
#include "tst_objectlist.moc"
