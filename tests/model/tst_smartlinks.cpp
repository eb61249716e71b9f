#include "model/depths.h"
#include "model/smartlinks.h"
#include "model/transforms.h"
#include "modelfixtures.h"
#include "support/testenv.h"

using namespace fixtures;

namespace {

QPoint at(const FigPoint* p)
{
    return QPoint(p->x, p->y);
}

FigEllipse* makeCircle(int id, QPoint center, int radius)
{
    auto* e = new FigEllipse(id);
    e->subType = 3;
    e->center.x = center.x();
    e->center.y = center.y();
    e->radii.x = radius;
    e->radii.y = radius;
    e->start.x = center.x();
    e->start.y = center.y();
    e->end.x = center.x() + radius;
    e->end.y = center.y();
    return e;
}

// A polygon with corners p0 (0,0), p1 (1000,0), p2 (1000,1000), p3 (0,1000)
// and the closing copy of p0.
FigLine* makeSquarePolygon(int id)
{
    return makeLine(id, { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 0, 1000 }, { 0, 0 } }, 3);
}

} // namespace

class TestSmartLinks : public QObject {
    Q_OBJECT

private slots:
    void roles_data();
    void roles();

    void targetMoveCarriesLinkedEnds();
    void translateRestrictedToFollowers();
    void compoundTargetCarriesOutsideLinksOnly();
    void ellipseFlipAndRotateCarryLinkedEnds();
    void transformedEllipseKeepsItsLinkedEnds();
    void scaledTargetsCarryLinkedEnds();

    void droppedEndLinks_data();
    void droppedEndLinks();
    void droppedEndOnSplines_data();
    void droppedEndOnSplines();
    void snapToLinkTarget();
    void linksForWholeList();
    void collectingFindsEachLineOnce();
    void linkedObjectsOfListLeaveOutMovedObjects();

    void detachAndReattachKeepTheRecords();
    void detachLeavesAReplacedRecordAlone();

    void pinning();

    void chainUtilities();
    void removingTargetPoint_data();
    void removingTargetPoint();
    void removingEndOfOpenTargetDropsTheLink();
    void insertedTargetPointKeepsIndicesRight();
};

void TestSmartLinks::roles_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("subType");
    QTest::addColumn<bool>("source");
    QTest::addColumn<bool>("target");

    QTest::newRow("open polyline") << 2 << 1 << true << false;
    QTest::newRow("box") << 2 << 2 << false << true;
    QTest::newRow("polygon") << 2 << 3 << false << true;
    QTest::newRow("arc-box") << 2 << 4 << false << true;
    QTest::newRow("picture") << 2 << 5 << false << true;
    QTest::newRow("open approximated spline") << 3 << 0 << true << false;
    QTest::newRow("closed approximated spline") << 3 << 1 << false << true;
    QTest::newRow("open interpolated spline") << 3 << 2 << true << false;
    QTest::newRow("closed interpolated spline") << 3 << 3 << false << true;
    QTest::newRow("open X-spline") << 3 << 4 << false << true;
    QTest::newRow("closed X-spline") << 3 << 5 << false << true;
    QTest::newRow("ellipse by radii") << 1 << 1 << false << true;
    QTest::newRow("ellipse by diameters") << 1 << 2 << false << true;
    QTest::newRow("circle by radius") << 1 << 3 << false << true;
    QTest::newRow("circle by diameter") << 1 << 4 << false << true;
    QTest::newRow("text") << 4 << 0 << false << false;
    QTest::newRow("open arc") << 5 << 0 << false << false;
    QTest::newRow("pie wedge") << 5 << 1 << false << false;
    QTest::newRow("compound") << 6 << 0 << false << false;
}

void TestSmartLinks::roles()
{
    QFETCH(int, type);
    QFETCH(int, subType);
    QFETCH(bool, source);
    QFETCH(bool, target);

    std::unique_ptr<FigObject> object;
    switch (type) {
    case 1:
        object.reset(new FigEllipse(1));
        break;
    case 2:
        object.reset(new FigLine(1));
        break;
    case 3:
        object.reset(new FigSpline(1));
        break;
    case 4:
        object.reset(new FigText(1));
        break;
    case 5:
        object.reset(new FigArc(1));
        break;
    default:
        object.reset(new FigCompound(1));
        break;
    }
    object->subType = subType;
    QCOMPARE(object->type, type);
    QCOMPARE(isSmartLinkSource(object.get()), source);
    QCOMPARE(isSmartLinkTarget(object.get()), target);
}

// A line from a box to a circle, a second line from the circle to a polygon:
// moving each target carries exactly the ends linked to it.
void TestSmartLinks::targetMoveCarriesLinkedEnds()
{
    FigLine* box = makeBox(1, 0, 0, 1000, 500);
    FigEllipse* circle = makeCircle(2, { 3000, 250 }, 200);
    FigLine* polygon = makeSquarePolygon(3);
    FigLine* first = makeLine(10, { { 1000, 250 }, { 2800, 250 } });
    FigLine* second = makeLine(11, { { 3200, 250 }, { 5000, 500 } });
    linkPoint(first->points, 1, box, 1, 2);
    linkPoint(lastPoint(first->points), 2);
    linkPoint(second->points, 2);
    linkPoint(lastPoint(second->points), 3, polygon, 1, 2);
    OwnedList drawing { box, circle, polygon, first, second };

    FigObjectList changed;
    PointList handled;
    translateSmartLinks(circle, &drawing.list, 100, -50, changed, nullptr, handled);
    QCOMPARE(at(first->points), QPoint(1000, 250));
    QCOMPARE(at(lastPoint(first->points)), QPoint(2900, 200));
    QCOMPARE(at(second->points), QPoint(3300, 200));
    QCOMPARE(at(lastPoint(second->points)), QPoint(5000, 500));
    QCOMPARE(changed, FigObjectList({ first, second }));
    QCOMPARE(handled.size(), 2);

    // The same operation never moves a point twice.
    translateSmartLinks(circle, &drawing.list, 100, -50, changed, nullptr, handled);
    QCOMPARE(at(lastPoint(first->points)), QPoint(2900, 200));

    changed.clear();
    handled.clear();
    translateSmartLinks(box, &drawing.list, -10, 20, changed, nullptr, handled);
    QCOMPARE(at(first->points), QPoint(990, 270));
    QCOMPARE(changed, FigObjectList({ first }));

    changed.clear();
    handled.clear();
    translateSmartLinks(polygon, &drawing.list, 7, 8, changed, nullptr, handled);
    QCOMPARE(at(lastPoint(second->points)), QPoint(5007, 508));
    QCOMPARE(at(second->points), QPoint(3300, 200));
    QCOMPARE(changed, FigObjectList({ second }));

    // Coordinates near the int limits do not wrap around.
    lastPoint(second->points)->x = INT_MAX - 1;
    handled.clear();
    translateSmartLinks(polygon, &drawing.list, 100, 0, changed, nullptr, handled);
    QCOMPARE(lastPoint(second->points)->x, INT_MAX);
}

void TestSmartLinks::translateRestrictedToFollowers()
{
    FigEllipse* circle = makeCircle(1, { 0, 0 }, 100);
    FigLine* follower = makeLine(10, { { 100, 0 }, { 500, 0 } });
    FigLine* other = makeLine(11, { { -100, 0 }, { -500, 0 } });
    linkPoint(follower->points, 1);
    linkPoint(other->points, 1);
    // The follower sits in a compound: the restriction names the line itself.
    OwnedList drawing { circle, makeCompound(20, { follower }), other };

    FigObjectList only { follower };
    FigObjectList changed;
    PointList handled;
    translateSmartLinks(circle, &drawing.list, 10, 10, changed, &only, handled);
    QCOMPARE(at(follower->points), QPoint(110, 10));
    QCOMPARE(at(other->points), QPoint(-100, 0));
    QCOMPARE(changed, FigObjectList({ follower }));
}

// Links among a compound's own members move with the compound itself; links
// from outside to any member (at any nesting) follow it.
void TestSmartLinks::compoundTargetCarriesOutsideLinksOnly()
{
    FigEllipse* inner = makeCircle(1, { 0, 0 }, 100);
    FigLine* box = makeBox(2, 0, 0, 1000, 500);
    FigLine* member = makeLine(3, { { 100, 0 }, { 1000, 250 } });
    linkPoint(member->points, 1);
    linkPoint(lastPoint(member->points), 2, box, 1, 2);
    FigCompound* compound = makeCompound(5, { inner, makeCompound(6, { box }), member });
    FigLine* outside = makeLine(10, { { 0, 100 }, { 0, 800 } });
    FigLine* outside2 = makeLine(11, { { 1000, 300 }, { 2000, 800 } });
    linkPoint(outside->points, 1);
    linkPoint(outside2->points, 2, box, 1, 2);
    OwnedList drawing { compound, outside, outside2 };

    FigObjectList linked;
    QVERIFY(collectSmartLinkedObjects(&drawing.list, compound, linked));
    QCOMPARE(linked, FigObjectList({ outside, outside2 }));

    FigObjectList changed;
    PointList handled;
    translateSmartLinks(compound, &drawing.list, 5, 6, changed, nullptr, handled);
    QCOMPARE(at(outside->points), QPoint(5, 106));
    QCOMPARE(at(outside2->points), QPoint(1005, 306));
    QCOMPARE(at(member->points), QPoint(100, 0));
    QCOMPARE(changed, FigObjectList({ outside, outside2 }));
}

void TestSmartLinks::ellipseFlipAndRotateCarryLinkedEnds()
{
    FigEllipse* circle = makeCircle(1, { 1000, 1000 }, 200);
    FigLine* line = makeLine(10, { { 1200, 1000 }, { 3000, 3000 } });
    FigLine* unrelated = makeLine(11, { { 1200, 1000 }, { 3000, 3000 } });
    linkPoint(line->points, 1);
    linkPoint(unrelated->points, 99);
    OwnedList drawing { circle, makeCompound(20, { line }), unrelated };

    FigObjectList changed;
    PointList handled;
    flipEllipseSmartLinks(circle, 500, 700, 2, &drawing.list, changed, handled);
    QCOMPARE(at(line->points), QPoint(-200, 1000));
    QCOMPARE(at(lastPoint(line->points)), QPoint(3000, 3000));
    QCOMPARE(changed, FigObjectList({ line }));

    handled.clear();
    flipEllipseSmartLinks(circle, 500, 700, 1, &drawing.list, changed, handled);
    QCOMPARE(at(line->points), QPoint(-200, 400));

    // A quarter turn clockwise on the screen about (0, 400): right of the
    // centre goes below it.
    line->points->x = 200;
    handled.clear();
    rotateEllipseSmartLinks(circle, 0, 400, 90, &drawing.list, changed, handled);
    QCOMPARE(at(line->points), QPoint(0, 600));
    QCOMPARE(at(unrelated->points), QPoint(1200, 1000));
    QCOMPARE(handled, PointList({ line->points }));

    // Handled points do not move again in the same operation.
    rotateEllipseSmartLinks(circle, 0, 400, 90, &drawing.list, changed, handled);
    QCOMPARE(at(line->points), QPoint(0, 600));
}

// Through the transforms themselves: the linked end stays on the circle.
void TestSmartLinks::transformedEllipseKeepsItsLinkedEnds()
{
    FigEllipse* circle = makeCircle(1, { 1000, 1000 }, 200);
    FigLine* line = makeLine(10, { { 1200, 1000 }, { 3000, 3000 } });
    linkPoint(line->points, 1);
    OwnedList drawing { circle, makeCompound(20, { line }) };

    flipEllipse(&drawing.list, circle, 0, 0, 2);
    QCOMPARE(at(&circle->center), QPoint(-1000, 1000));
    QCOMPARE(at(line->points), QPoint(-1200, 1000));
    rotateEllipse(&drawing.list, circle, 0, 0, 90);
    QCOMPARE(at(&circle->center), QPoint(-1000, -1000));
    QCOMPARE(at(line->points), QPoint(-1000, -1200));
    QCOMPARE(at(lastPoint(line->points)), QPoint(3000, 3000));
}

void TestSmartLinks::scaledTargetsCarryLinkedEnds()
{
    FigLine* box = makeBox(1, 0, 0, 1000, 500);
    FigEllipse* circle = makeCircle(2, { 3000, 250 }, 200);
    FigLine* line = makeLine(10, { { 1000, 250 }, { 2800, 250 } });
    linkPoint(line->points, 1, box, 1, 2);
    linkPoint(lastPoint(line->points), 2);
    FigCompound* group = makeCompound(20, { box });
    OwnedList drawing { group, circle, line };

    FigObjectList changed;
    PointList handled;
    scaleSmartLinks(group, 2.0f, 0.5f, 0, 0, &drawing.list, changed, handled);
    QCOMPARE(at(line->points), QPoint(2000, 125));
    QCOMPARE(at(lastPoint(line->points)), QPoint(2800, 250));
    QCOMPARE(changed, FigObjectList({ line }));

    scaleSmartLinks(circle, 3.0f, 3.0f, 3000, 250, &drawing.list, changed, handled);
    QCOMPARE(at(lastPoint(line->points)), QPoint(2400, 250));
    // Each point once per operation.
    scaleSmartLinks(circle, 3.0f, 3.0f, 3000, 250, &drawing.list, changed, handled);
    QCOMPARE(at(lastPoint(line->points)), QPoint(2400, 250));
    QCOMPARE(handled.size(), 2);
}

// The source's last point is dropped at (x, y) in a drawing of a box
// (0,0)-(1000,500), a circle round (3000, 250) of radius 200, an open
// polyline and an open polyline of its own. Two screen pixels at 80 dpi and
// zoom 1 are 30 Fig units.
void TestSmartLinks::droppedEndLinks_data()
{
    QTest::addColumn<QPoint>("drop");
    QTest::addColumn<int>("targetId");
    QTest::addColumn<QPoint>("onTarget");
    QTest::addColumn<int>("leftIdx");
    QTest::addColumn<int>("rightIdx");

    QTest::newRow("near the circle") << QPoint(2780, 250) << 2 << QPoint(2800, 250) << -1 << -1;
    QTest::newRow("near a box edge") << QPoint(1020, 300) << 1 << QPoint(1000, 300) << 1 << 2;
    QTest::newRow("near the box's closing edge") << QPoint(10, 250) << 1 << QPoint(0, 250) << 3 << 0;
    QTest::newRow("too far from anything") << QPoint(2740, 250) << -1 << QPoint(2740, 250) << -1 << -1;
    QTest::newRow("on an open polyline") << QPoint(5000, 2010) << -1 << QPoint(5000, 2010) << -1 << -1;
    // The open polyline passes within reach of the circle's outline too: it
    // is found first, and it is no target.
    QTest::newRow("open polyline before circle") << QPoint(3000, 470) << -1 << QPoint(3000, 470) << -1 << -1;
    QTest::newRow("on the source itself") << QPoint(200, 3005) << -1 << QPoint(200, 3005) << -1 << -1;
}

void TestSmartLinks::droppedEndLinks()
{
    QFETCH(QPoint, drop);
    QFETCH(int, targetId);
    QFETCH(QPoint, onTarget);
    QFETCH(int, leftIdx);
    QFETCH(int, rightIdx);

    CFigContext context;
    context.dpiX = 80;
    context.zoom = 1;
    FigLine* box = makeBox(1, 0, 0, 1000, 500);
    FigEllipse* circle = makeCircle(2, { 3000, 250 }, 200);
    FigLine* open = makeLine(3, { { 4000, 2000 }, { 6000, 2000 } });
    FigLine* nearCircle = makeLine(4, { { 2500, 460 }, { 3500, 460 } });
    FigLine* source = makeLine(10, { { 0, 3000 }, { 400, 3000 }, { drop.x(), drop.y() } });
    // Ellipses come first in the list: polylines are still searched first.
    context.drawing.objects = { circle, box, open, nearCircle, source };

    FigPoint* end = lastPoint(source->points);
    std::unique_ptr<SmartLink> link(context.makeSmartLink(&context.drawing.objects, end, source));
    QCOMPARE(link != nullptr, targetId != -1);
    QCOMPARE(at(end), onTarget);
    if (!link)
        return;
    QCOMPARE(link->targetObjId, targetId);
    QCOMPARE(link->sourcePoint, end);
    QCOMPARE(link->targetLeftPointIdx, leftIdx);
    QCOMPARE(link->targetRightPointIdx, rightIdx);
    QVERIFY(!link->pinned);
    if (targetId == 1) {
        QCOMPARE(link->targetLeftPoint, box->pointAt(leftIdx));
        QCOMPARE(link->targetRightPoint, box->pointAt(rightIdx));
    } else {
        QCOMPARE(link->targetLeftPoint, nullptr);
        QCOMPARE(link->targetRightPoint, nullptr);
    }
}

// Splines are searched after polylines and ellipses: closed splines and open
// X-splines take links, open approximated and interpolated splines do not.
// The target lies along y = 1500; the end is dropped 10 units below it and
// lands on the curve at the pixel of the hit (67 pixels, 1005 Fig units).
void TestSmartLinks::droppedEndOnSplines_data()
{
    QTest::addColumn<int>("subType");
    QTest::addColumn<bool>("splineSource");
    QTest::addColumn<bool>("linked");

    QTest::newRow("open X-spline") << 4 << false << true;
    QTest::newRow("closed X-spline") << 5 << false << true;
    QTest::newRow("closed approximated spline") << 1 << false << true;
    QTest::newRow("closed interpolated spline") << 3 << false << true;
    QTest::newRow("open approximated spline") << 0 << false << false;
    QTest::newRow("open interpolated spline") << 2 << false << false;
    // A spline source's own curve runs through its end: it is passed over,
    // also when it comes before the target in the list.
    QTest::newRow("spline source before an X-spline") << 4 << true << true;
}

void TestSmartLinks::droppedEndOnSplines()
{
    QFETCH(int, subType);
    QFETCH(bool, splineSource);
    QFETCH(bool, linked);

    CFigContext context;
    FigSpline* target = makeSpline(2, { { 0, 1500 }, { 1500, 1500 }, { 3000, 1500 } }, subType);
    FigObject* source = nullptr;
    FigPoint* end = nullptr;
    if (splineSource) {
        FigSpline* spline = makeSpline(10, { { 0, 3000 }, { 400, 3000 }, { 1000, 1510 } }, 2);
        source = spline;
        end = lastPoint(spline->points);
    } else {
        FigLine* line = makeLine(10, { { 0, 3000 }, { 400, 3000 }, { 1000, 1510 } });
        source = line;
        end = lastPoint(line->points);
    }
    context.drawing.objects = { source, target };

    int x = end->x;
    int y = end->y;
    QCOMPARE(context.snapToLinkTarget(x, y, source), linked);
    std::unique_ptr<SmartLink> link(context.makeSmartLink(&context.drawing.objects, end, source));
    QCOMPARE(link != nullptr, linked);
    const QPoint expected = linked ? QPoint(1005, 1500) : QPoint(1000, 1510);
    QCOMPARE(at(end), expected);
    QCOMPARE(QPoint(x, y), expected);
    if (!link)
        return;
    QCOMPARE(link->targetObjId, 2);
    QCOMPARE(link->targetLeftPoint, nullptr);
    QCOMPARE(link->targetLeftPointIdx, -1);
    QCOMPARE(link->targetRightPointIdx, -1);
}

void TestSmartLinks::snapToLinkTarget()
{
    CFigContext context;
    context.dpiX = 80;
    context.zoom = 2; // two pixels are 15 Fig units
    FigLine* box = makeBox(1, 0, 0, 1000, 500);
    FigEllipse* circle = makeCircle(2, { 3000, 250 }, 200);
    FigLine* source = makeLine(10, { { 0, 3000 }, { 400, 3000 } });
    context.drawing.objects = { box, circle, source };

    int x = 2790;
    int y = 250;
    QVERIFY(context.snapToLinkTarget(x, y, source));
    QCOMPARE(QPoint(x, y), QPoint(2800, 250));
    x = 2780;
    QVERIFY(!context.snapToLinkTarget(x, y, source));
    QCOMPARE(QPoint(x, y), QPoint(2780, 250));
    // The box itself is never its own target.
    x = 1010;
    y = 100;
    QVERIFY(!context.snapToLinkTarget(x, y, box));
    QVERIFY(context.snapToLinkTarget(x, y, source));
    QCOMPARE(QPoint(x, y), QPoint(1000, 100));
}

// The whole-drawing command: both ends of a line between a box and a circle,
// a line inside a compound linked within the compound, and an end on nothing.
void TestSmartLinks::linksForWholeList()
{
    CFigContext context;
    FigLine* box = makeBox(1, 0, 0, 1000, 500);
    FigEllipse* circle = makeCircle(2, { 3000, 250 }, 200);
    FigLine* between = makeLine(10, { { 1010, 250 }, { 2000, 250 }, { 2790, 250 } });
    FigEllipse* inner = makeCircle(3, { 0, 5000 }, 100);
    FigSpline* member = makeSpline(11, { { 95, 5000 }, { 500, 5500 }, { 900, 5900 } }, 2);
    FigCompound* group = makeCompound(20, { inner, member });
    FigLine* loose = makeLine(12, { { 8000, 8000 }, { 9000, 9000 } });
    FigLine* closed = makeLine(13, { { 1000, 100 }, { 2000, 100 }, { 1000, 100 } }, 3);
    context.drawing.objects = { box, circle, between, group, loose, closed };

    QList<SmartLink*> made;
    context.createSmartLinksForList(&context.drawing.objects, &context.drawing.objects, made);
    QCOMPARE(made.size(), 3);
    QCOMPARE(made[0], between->points->link);
    QCOMPARE(made[1], lastPoint(between->points)->link);
    QCOMPARE(made[2], member->points->link);
    QCOMPARE(made[0]->targetObjId, 1);
    QCOMPARE(made[0]->targetLeftPointIdx, 1);
    QCOMPARE(made[1]->targetObjId, 2);
    QCOMPARE(made[2]->targetObjId, 3);
    QCOMPARE(at(between->points), QPoint(1000, 250));
    QCOMPARE(at(lastPoint(between->points)), QPoint(2800, 250));
    QCOMPARE(at(member->points), QPoint(100, 5000));
    QCOMPARE(lastPoint(member->points)->link, nullptr);
    QCOMPARE(loose->points->link, nullptr);
    QCOMPARE(closed->points->link, nullptr);

    // Undo and redo of the command: the made records are detached and the
    // ones before put back, by pointer.
    SmartLinkList before;
    collectLinkRecordsOfList(&context.drawing.objects, before);
    QCOMPARE(before, made);
    detachLinksOfList(&context.drawing.objects);
    reattachLinkRecords(before);
    QCOMPARE(between->points->link, made[0]);
    QCOMPARE(member->points->link, made[2]);
}

void TestSmartLinks::collectingFindsEachLineOnce()
{
    FigEllipse* circle = makeCircle(1, { 0, 0 }, 100);
    FigLine* both = makeLine(10, { { 100, 0 }, { 500, 0 }, { 0, 100 } });
    FigSpline* spline = makeSpline(11, { { -100, 0 }, { -500, 0 }, { -600, 50 } }, 2);
    FigLine* free = makeLine(12, { { 5, 5 }, { 6, 6 } });
    SmartLink* a = linkPoint(both->points, 1);
    SmartLink* b = linkPoint(lastPoint(both->points), 1);
    SmartLink* c = linkPoint(lastPoint(spline->points), 1);
    OwnedList drawing { circle, both, makeCompound(20, { spline, free }) };

    FigObjectList lines;
    QVERIFY(collectSmartLinkedObjects(&drawing.list, circle, lines));
    QVERIFY(collectSmartLinkedObjects(&drawing.list, circle, lines));
    QCOMPARE(lines, FigObjectList({ both, spline }));
    FigObjectList none;
    QVERIFY(!collectSmartLinkedObjects(&drawing.list, free, none));
    QVERIFY(!collectSmartLinkedObjects(&drawing.list, nullptr, none));
    QVERIFY(none.empty());

    PointList points;
    QVERIFY(collectPointsLinkedTo(&drawing.list, circle, points));
    QVERIFY(collectPointsLinkedTo(&drawing.list, circle, points));
    QCOMPARE(points, PointList({ both->points, lastPoint(both->points), lastPoint(spline->points) }));

    SmartLinkList records;
    QVERIFY(collectLinkRecordsTo(&drawing.list, circle, records));
    QCOMPARE(records, SmartLinkList({ a, b, c }));

    SmartLinkList all;
    collectLinkRecordsOfList(&drawing.list, all);
    QCOMPARE(all, SmartLinkList({ a, b, c }));
    SmartLinkList ofChain;
    collectLinkRecordsOfChain(spline->points, ofChain);
    QCOMPARE(ofChain, SmartLinkList({ c }));
}

void TestSmartLinks::linkedObjectsOfListLeaveOutMovedObjects()
{
    FigEllipse* circle = makeCircle(1, { 0, 0 }, 100);
    FigLine* box = makeBox(2, 0, 0, 1000, 500);
    FigLine* moved = makeLine(10, { { 100, 0 }, { 1000, 250 } });
    FigLine* follower = makeLine(11, { { -100, 0 }, { 0, 500 } });
    linkPoint(moved->points, 1);
    linkPoint(lastPoint(moved->points), 2, box, 1, 2);
    linkPoint(follower->points, 1);
    linkPoint(lastPoint(follower->points), 2, box, 3, 4);
    FigCompound* group = makeCompound(20, { moved });
    OwnedList drawing { circle, box, group, follower };

    FigObjectList objects { circle, box, group };
    FigObjectList out;
    collectLinkedObjectsOfList(&drawing.list, &objects, out);
    QCOMPARE(out, FigObjectList({ follower }));
}

// Deleting a target detaches the records linked to it; undo puts the very
// same records back (no new ones are made).
void TestSmartLinks::detachAndReattachKeepTheRecords()
{
    FigEllipse* circle = makeCircle(1, { 0, 0 }, 100);
    FigLine* line = makeLine(10, { { 100, 0 }, { 1000, 0 } });
    FigLine* box = makeBox(2, 0, 0, 1000, 500);
    SmartLink* toCircle = linkPoint(line->points, 1);
    SmartLink* toBox = linkPoint(lastPoint(line->points), 2, box, 3, 4);
    OwnedList drawing { circle, line, box };

    SmartLinkList saved;
    QVERIFY(collectLinkRecordsTo(&drawing.list, circle, saved));
    detachLinkRecords(saved);
    QCOMPARE(line->points->link, nullptr);
    QCOMPARE(lastPoint(line->points)->link, toBox);
    reattachLinkRecords(saved);
    QCOMPARE(line->points->link, toCircle);
    QCOMPARE(toCircle->targetObjId, 1);
    QCOMPARE(toCircle->sourcePoint, line->points);

    // Mirroring a line takes all of its own records off while it is in force.
    SmartLinkList own;
    collectLinkRecordsOfChain(line->points, own);
    detachChainLinks(line->points);
    QCOMPARE(line->points->link, nullptr);
    QCOMPARE(lastPoint(line->points)->link, nullptr);
    reattachLinkRecords(own);
    QCOMPARE(line->points->link, toCircle);
    QCOMPARE(lastPoint(line->points)->link, toBox);

    // The whole list, as the command that links a whole drawing does.
    SmartLinkList before;
    collectLinkRecordsOfList(&drawing.list, before);
    detachLinksOfList(&drawing.list);
    SmartLinkList empty;
    collectLinkRecordsOfList(&drawing.list, empty);
    QVERIFY(empty.isEmpty());
    reattachLinkRecords(before);
    QCOMPARE(line->points->link, toCircle);
    QCOMPARE(lastPoint(line->points)->link, toBox);
    QCOMPARE(toBox->targetLeftPoint, box->pointAt(3));
}

void TestSmartLinks::detachLeavesAReplacedRecordAlone()
{
    FigLine* line = makeLine(10, { { 100, 0 }, { 1000, 0 } });
    OwnedList drawing { makeCircle(1, { 0, 0 }, 100), line };
    SmartLink* old = linkPoint(line->points, 1);
    SmartLinkList saved { old };
    detachLinkRecords(saved);
    // The point has since taken a new record; detaching the old one again
    // must not strip it (that would leak the new one and lose the link).
    SmartLink* fresh = linkPoint(line->points, 1);
    detachLinkRecords(saved);
    QCOMPARE(line->points->link, fresh);
    delete old;
}

void TestSmartLinks::pinning()
{
    FigEllipse* circle = makeCircle(1, { 0, 0 }, 100);
    FigLine* box = makeBox(2, 0, 0, 1000, 500);
    FigEllipse* member = makeCircle(3, { 5000, 0 }, 100);
    FigCompound* group = makeCompound(20, { member });
    FigLine* line = makeLine(10, { { 100, 0 }, { 1000, 250 }, { 4900, 0 } });
    SmartLink* toCircle = linkPoint(line->points, 1);
    SmartLink* toBox = linkPoint(line->points->next, 2, box, 1, 2);
    SmartLink* toMember = linkPoint(lastPoint(line->points), 3);
    FigLine* lost = makeLine(11, { { 0, 0 }, { 10, 10 } });
    SmartLink* toNothing = linkPoint(lost->points, 77);
    OwnedList drawing { circle, box, group, line, makeCompound(21, { lost }) };

    FigObjectList moved { line, circle, group };
    pinLinksOutside(line, &drawing.list, &moved);
    QVERIFY(!toCircle->pinned);
    QVERIFY(toBox->pinned);
    QVERIFY(!toMember->pinned); // its target moves inside the moved compound

    pinLinksOutside(drawing.list.back(), &drawing.list, &moved);
    QVERIFY(toNothing->pinned);

    line->selected = true;
    box->selected = true;
    group->selected = true;
    pinLinksToUnselected(line, &drawing.list);
    QVERIFY(toCircle->pinned);
    QVERIFY(!toBox->pinned);
    QVERIFY(!toMember->pinned);
    circle->selected = true;
    box->selected = false;
    group->selected = false;
    pinLinksToUnselected(line, &drawing.list);
    QVERIFY(!toCircle->pinned);
    QVERIFY(toBox->pinned);
    QVERIFY(toMember->pinned);
}

void TestSmartLinks::chainUtilities()
{
    FigLine* line = makeLine(1, { { 0, 0 }, { 1, 1 }, { 2, 2 } });
    std::unique_ptr<FigLine> owner(line);
    FigPoint* p0 = line->points;
    FigPoint* p1 = p0->next;
    FigPoint* p2 = p1->next;
    QCOMPARE(lastPoint(p0), p2);
    QCOMPARE(nextToLastPoint(p0), p1);
    QCOMPARE(nextToLastPoint(p2), p2);
    QCOMPARE(nextToLastPoint(nullptr), nullptr);
    QCOMPARE(chainPredecessor(p0, p2), p1);
    QCOMPARE(chainPredecessor(p0, p0), nullptr);
    QCOMPARE(chainPredecessor(p0, nullptr), nullptr);
    FigPoint stranger;
    QCOMPARE(chainPredecessor(p0, &stranger), nullptr);
}

// The polygon p0 (0,0), p1 (1000,0), p2 (1000,1000), p3 (0,1000), p0' (0,0)
// loses one point; the linked point's record is checked before and after the
// removal (the indices after updateLinkIndices).
void TestSmartLinks::removingTargetPoint_data()
{
    QTest::addColumn<int>("leftIdx");
    QTest::addColumn<int>("rightIdx");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QPoint>("newLeft");
    QTest::addColumn<QPoint>("newRight");
    QTest::addColumn<int>("newLeftIdx");
    QTest::addColumn<int>("newRightIdx");

    // The first corner goes: the link moves to the closing edge from the last
    // corner to the new first point.
    QTest::newRow("first point, first edge") << 0 << 1 << 0 << QPoint(0, 1000) << QPoint(1000, 0) << 2 << 0;
    QTest::newRow("left end inside") << 1 << 2 << 1 << QPoint(0, 0) << QPoint(1000, 1000) << 0 << 1;
    QTest::newRow("right end inside") << 1 << 2 << 2 << QPoint(1000, 0) << QPoint(0, 1000) << 1 << 2;
    QTest::newRow("last corner as right end") << 2 << 3 << 3 << QPoint(1000, 1000) << QPoint(0, 0) << 2 << 0;
    QTest::newRow("first point as right end of closing edge")
        << 3 << 0 << 0 << QPoint(0, 1000) << QPoint(1000, 0) << 2 << 0;
    QTest::newRow("another edge") << 2 << 3 << 1 << QPoint(1000, 1000) << QPoint(0, 1000) << 1 << 2;
    // The closing point goes: the last corner moves onto the first point, so
    // the edge from it is gone and the link takes the edge before, which now
    // closes at point 0. The record never names the removed point.
    QTest::newRow("closing point as right end") << 3 << 4 << 4 << QPoint(1000, 1000) << QPoint(0, 0) << 2 << 0;
    QTest::newRow("closing point, edge before the last corner")
        << 2 << 3 << 4 << QPoint(1000, 1000) << QPoint(0, 0) << 2 << 3;
}

void TestSmartLinks::removingTargetPoint()
{
    QFETCH(int, leftIdx);
    QFETCH(int, rightIdx);
    QFETCH(int, removed);
    QFETCH(QPoint, newLeft);
    QFETCH(QPoint, newRight);
    QFETCH(int, newLeftIdx);
    QFETCH(int, newRightIdx);

    CFigContext context;
    FigLine* polygon = makeSquarePolygon(1);
    FigLine* line = makeLine(10, { { 500, 500 }, { 3000, 3000 } });
    SmartLink* link = linkPoint(line->points, 1, polygon, leftIdx, rightIdx);
    context.drawing.objects.push_back(polygon);
    context.drawing.objects.push_back(makeCompound(20, { line }));

    FigPoint* point = polygon->pointAt(removed);
    context.unlinkRemovedPoint(polygon, polygon->points, false, point);
    PointList linked;
    collectPointsLinkedTo(context.objects(), polygon, linked);
    polygon->removePoint(point);
    updateLinkIndices(linked, polygon->points);
    QCOMPARE(polygon->pointCount(), 4);

    QCOMPARE(line->points->link, link);
    QVERIFY(chainContainsPoint(polygon->points, link->targetLeftPoint));
    QVERIFY(chainContainsPoint(polygon->points, link->targetRightPoint));
    QCOMPARE(at(link->targetLeftPoint), newLeft);
    QCOMPARE(at(link->targetRightPoint), newRight);
    QCOMPARE(link->targetLeftPointIdx, newLeftIdx);
    QCOMPARE(link->targetRightPointIdx, newRightIdx);
    QCOMPARE(polygon->pointAt(newLeftIdx), link->targetLeftPoint);
    QCOMPARE(polygon->pointAt(newRightIdx), link->targetRightPoint);
    delete point;
}

void TestSmartLinks::removingEndOfOpenTargetDropsTheLink()
{
    // An open polyline is no target of the editor's own links, but a file can
    // name one; losing the end of its segment must not leave a dangling
    // pointer into the chain.
    CFigContext context;
    FigLine* target = makeLine(1, { { 0, 0 }, { 1000, 0 }, { 2000, 0 } });
    FigLine* atStart = makeLine(10, { { 500, 0 }, { 500, 900 } });
    FigLine* atEnd = makeLine(11, { { 1500, 0 }, { 1500, 900 } });
    linkPoint(atStart->points, 1, target, 0, 1);
    SmartLink* kept = linkPoint(atEnd->points, 1, target, 1, 2);
    context.drawing.objects = { target, atStart, atEnd };

    FigPoint* first = target->points;
    context.unlinkRemovedPoint(target, target->points, true, first);
    QCOMPARE(atStart->points->link, nullptr);
    QCOMPARE(atEnd->points->link, kept);
    target->removePoint(first);
    delete first;

    FigPoint* last = lastPoint(target->points);
    context.unlinkRemovedPoint(target, target->points, true, last);
    QCOMPARE(atEnd->points->link, nullptr);
    target->removePoint(last);
    delete last;
}

void TestSmartLinks::insertedTargetPointKeepsIndicesRight()
{
    FigLine* polygon = makeSquarePolygon(1);
    FigLine* line = makeLine(10, { { 1000, 500 }, { 3000, 3000 } });
    SmartLink* link = linkPoint(line->points, 1, polygon, 2, 3);
    OwnedList drawing { polygon, line };

    polygon->insertPoint(polygon->points, new FigPoint(500, -100));
    PointList linked;
    collectPointsLinkedTo(&drawing.list, polygon, linked);
    updateLinkIndices(linked, polygon->points);
    QCOMPARE(link->targetLeftPointIdx, 3);
    QCOMPARE(link->targetRightPointIdx, 4);
    QCOMPARE(polygon->pointAt(3), link->targetLeftPoint);

    // A target point no longer in the chain gives -1, not a stale index.
    FigPoint* gone = link->targetRightPoint;
    polygon->removePoint(gone);
    updateLinkIndices(linked, polygon->points);
    QCOMPARE(link->targetRightPointIdx, -1);
    delete gone;
}

TAVREL_TEST_MAIN(TestSmartLinks)
#include "tst_smartlinks.moc"
