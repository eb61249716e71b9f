#include "model/geometricqueries.h"
#include "model/xspline.h"
#include "modelfixtures.h"
#include "render/pointbuffer.h"
#include "support/testenv.h"

#include <cmath>
#include <memory>

using namespace fixtures;

namespace {

using Ints = QList<int>;

Ints tangent()
{
    return { tangentSegment.x1, tangentSegment.y1, tangentSegment.x2, tangentSegment.y2 };
}

// A spline with the given shape factors, one per point.
FigSpline* splineWith(int id, std::initializer_list<QPoint> points, std::initializer_list<double> factors, int subType)
{
    FigSpline* spline = makeSpline(id, points, subType);
    ShapeFactorNode* node = spline->shapeFactors;
    for (double f : factors) {
        node->value = f;
        node = node->next;
    }
    return spline;
}

// An approximated open spline along y = 1500 (100 pixels at 80 dots per
// inch and zoom 1), bowed by nothing: its curve is the straight line.
FigSpline* straightSpline(int id)
{
    return splineWith(id, { { 0, 1500 }, { 1500, 1500 }, { 3000, 1500 } }, { 0, 1, 0 }, 0);
}

} // namespace

class TestGeometricQueries : public QObject {
    Q_OBJECT

private slots:
    void vertices()
    {
        CFigContext ctx;
        FigArc* arc = makeArc(1, { 100, 100 }, { 300, 300 }, { 500, 100 });
        FigLine* first = makeLine(2, { { 0, 0 }, { 101, 99 } });
        FigLine* second = makeLine(3, { { 99, 101 }, { 400, 400 } });
        FigSpline* approximated = makeSpline(4, { { 600, 600 }, { 700, 700 }, { 800, 600 } }, 0);
        FigSpline* closedApproximated = makeSpline(5, { { 900, 900 }, { 1000, 1000 }, { 1100, 900 } }, 1);
        FigSpline* interpolated = makeSpline(6, { { 1200, 1200 }, { 1300, 1300 }, { 1400, 1200 } }, 3);
        first->depth = 40;
        ctx.drawing.objects = { arc, first, second, approximated, closedApproximated, interpolated };

        // Polylines before arcs, and the earlier polyline first.
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 100, 100), first->points->next);
        QCOMPARE(ctx.findVertexNear(first, 5, 100, 100), second->points);
        ctx.depthVisible[40] = false;
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 100, 100), second->points);
        QCOMPARE(ctx.findVertexNear(second, 5, 100, 100), &arc->points[0]);
        QCOMPARE(ctx.findVertexNear(second, 5, 105, 95), &arc->points[0]); // square tolerance
        QCOMPARE(ctx.findVertexNear(second, 5, 106, 100), nullptr);
        ctx.depthVisible[40] = true;

        // Approximated splines offer only the ends of open ones.
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 600, 600), approximated->points);
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 800, 600), approximated->points->next->next);
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 700, 700), nullptr);
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 900, 900), nullptr);
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 1300, 1300), interpolated->points->next);

        // Only the current list: inside an open compound the top level is not searched.
        FigCompound* group = makeCompound(7, { makeLine(8, { { 2000, 2000 } }) });
        ctx.drawing.objects.push_back(group);
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 2000, 2000), nullptr);
        ctx.openCompound = group->members;
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 2000, 2000), static_cast<FigLine*>(group->members->front())->points);
        QCOMPARE(ctx.findVertexNear(nullptr, 5, 100, 100), nullptr);
        ctx.openCompound = nullptr;
    }

    void segments_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("t");
        QTest::addColumn<bool>("found");
        QTest::addColumn<Ints>("hit");
        QTest::addColumn<Ints>("segment");

        // The chain (0, 0) (100, 0) (100, 100) (0, 100) (0, 0), a closed box.
        QTest::newRow("foot beside the middle") << 50 << 3 << 5 << true << Ints { 50, 0 } << Ints { 0, 0, 100, 0 };
        QTest::newRow("distance equal to t misses") << 50 << 3 << 3 << false << Ints {} << Ints {};
        QTest::newRow("segment end within t") << 97 << 4 << 5 << true << Ints { 100, 0 } << Ints { 0, 0, 100, 0 };
        QTest::newRow("closing segment") << -2 << 50 << 5 << true << Ints { 0, 50 } << Ints { 0, 100, 0, 0 };
        QTest::newRow("first point within one pixel")
            << 15 << 15 << 0 << true << Ints { 0, 0 } << Ints { 0, 0, 100, 0 };
        QTest::newRow("far away") << 50 << 50 << 5 << false << Ints {} << Ints {};
    }

    void segments()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, t);
        QFETCH(bool, found);
        CFigContext ctx;
        FigLine* box = makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 } }, 2);
        ctx.drawing.objects = { box };
        tangentSegment = { 9, 9, 9, 9 };
        tangentSegmentValid = true;
        int hx = -1, hy = -1;
        FigObject* result = ctx.findLineNear(&ctx.drawing.objects, x, y, t, hx, hy, nullptr);
        QCOMPARE(result != nullptr, found);
        QCOMPARE(tangentSegmentValid, found);
        if (found) {
            QFETCH(Ints, hit);
            QFETCH(Ints, segment);
            QCOMPARE((Ints { hx, hy }), hit);
            QCOMPARE(tangent(), segment);
        }
    }

    void linesInOrderAndVisibility()
    {
        CFigContext ctx;
        FigLine* diagonal = makeLine(1, { { 0, 0 }, { 100, 100 } });
        FigLine* single = makeLine(2, { { 1000, 1000 } });
        FigLine* other = makeLine(3, { { 0, 100 }, { 100, 0 } });
        ctx.drawing.objects
            = { diagonal, single, other, makeCompound(4, { makeLine(5, { { 500, 0 }, { 500, 900 } }) }) };
        int hx, hy;
        // The perpendicular foot of a diagonal segment.
        QCOMPARE(ctx.findLineNear(&ctx.drawing.objects, 60, 40, 20, hx, hy, nullptr), diagonal);
        QCOMPARE((Ints { hx, hy }), (Ints { 50, 50 }));
        QCOMPARE(ctx.findLineNear(&ctx.drawing.objects, 60, 40, 20, hx, hy, diagonal), other);
        QCOMPARE((Ints { hx, hy }), (Ints { 60, 40 })); // the click lies on this one
        QCOMPARE(tangent(), (Ints { 0, 100, 100, 0 }));
        diagonal->depth = 7;
        ctx.depthVisible[7] = false;
        QCOMPARE(ctx.findLineNear(&ctx.drawing.objects, 60, 40, 20, hx, hy, nullptr), other);

        // A one-point polyline only within one pixel (15 Fig units at 80 dpi
        // and zoom 1, 30 at zoom 0.5), whatever the tolerance.
        QCOMPARE(ctx.findLineNear(&ctx.drawing.objects, 1015, 985, 100, hx, hy, nullptr), single);
        QCOMPARE(tangent(), (Ints { 1000, 1000, 1000, 1000 }));
        QCOMPARE(ctx.findLineNear(&ctx.drawing.objects, 1016, 1000, 100, hx, hy, nullptr), nullptr);
        QVERIFY(!tangentSegmentValid);
        ctx.zoom = 0.5f;
        QCOMPARE(ctx.findLineNear(&ctx.drawing.objects, 1030, 1000, 100, hx, hy, nullptr), single);

        // Compound members are not searched.
        QCOMPARE(ctx.findLineNear(&ctx.drawing.objects, 500, 450, 10, hx, hy, nullptr), nullptr);
    }

    void segmentTestWithLargeCoordinates()
    {
        int hx = 0, hy = 0;
        QVERIFY(pointNearSegment(-2000000000, 0, 2000000000, 0, 5, 3, 5, 25.0f, hx, hy));
        QCOMPARE((Ints { hx, hy }), (Ints { 5, 0 }));
    }

    void ellipses_data()
    {
        QTest::addColumn<float>("angle");
        QTest::addColumn<QPoint>("radii");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<int>("t");
        QTest::addColumn<bool>("found");
        QTest::addColumn<Ints>("hit");
        QTest::addColumn<Ints>("segment");

        // Centre (1000, 1000); start point at the centre, end at (1500, 1000).
        QTest::newRow("circle bottom") << 0.0f << QPoint(500, 500) << QPoint(1000, 1503) << 5 << true
                                       << Ints { 1000, 1500 } << Ints { 1000, 1500, 2200, 1500 };
        QTest::newRow("circle beyond tolerance")
            << 0.0f << QPoint(500, 500) << QPoint(1000, 1506) << 5 << false << Ints {} << Ints {};
        QTest::newRow("inside near the centre") << 0.0f << QPoint(500, 500) << QPoint(1002, 1001) << 5 << true
                                                << Ints { 1000, 1000 } << Ints { 1000, 1000, 1000, 1000 };
        QTest::newRow("end point") << 0.0f << QPoint(500, 300) << QPoint(1497, 1004) << 5 << true << Ints { 1500, 1000 }
                                   << Ints { 1500, 1000, 1500, -200 };
        // x radius 500 turned upright: the top of the drawn outline is
        // (1000, 500), its tangent horizontal.
        QTest::newRow("rotated ellipse") << float(M_PI / 2) << QPoint(500, 200) << QPoint(1000, 497) << 5 << true
                                         << Ints { 1000, 500 } << Ints { 1000, 500, -200, 500 };
        QTest::newRow("rotated ellipse, unrotated outline missed")
            << float(M_PI / 2) << QPoint(500, 200) << QPoint(1503, 1000) << 5 << false << Ints {} << Ints {};
    }

    void ellipses()
    {
        QFETCH(float, angle);
        QFETCH(QPoint, radii);
        QFETCH(QPoint, click);
        QFETCH(int, t);
        QFETCH(bool, found);
        CFigContext ctx;
        const QPoint end = angle == 0.0f ? QPoint(1500, 1000) : QPoint(1000, 1000);
        FigEllipse* e = makeEllipse(1, 0, { 1000, 1000 }, radii, { 1000, 1000 }, end, angle);
        ctx.drawing.objects = { e };
        tangentSegmentValid = true;
        int hx = -1, hy = -1;
        QCOMPARE(ctx.findEllipseNear(&ctx.drawing.objects, click.x(), click.y(), t, hx, hy) == e, found);
        QCOMPARE(tangentSegmentValid, found);
        if (found) {
            QFETCH(Ints, hit);
            QFETCH(Ints, segment);
            QCOMPARE((Ints { hx, hy }), hit);
            QCOMPARE(tangent(), segment);
        }
    }

    void ellipsesInOrderAndVisibility()
    {
        CFigContext ctx;
        FigEllipse* a = makeEllipse(1, 0, { 1000, 1000 }, { 500, 500 }, { 1000, 1000 }, { 1500, 1000 });
        FigEllipse* b = makeEllipse(2, 0, { 1000, 1000 }, { 500, 500 }, { 1000, 1000 }, { 1500, 1000 });
        ctx.drawing.objects = { makeLine(3, { { 1000, 1500 }, { 1000, 1600 } }), a, b };
        int hx, hy;
        QCOMPARE(ctx.findEllipseNear(&ctx.drawing.objects, 1000, 1502, 5, hx, hy), a);
        a->depth = 3;
        ctx.depthVisible[3] = false;
        QCOMPARE(ctx.findEllipseNear(&ctx.drawing.objects, 1000, 1502, 5, hx, hy), b);

        // A zero tolerance exactly at the centre gives the centre, not a
        // point computed from a ray without direction.
        int x = -1, y = -1;
        QVERIFY(ellipseHitTest(b, 1000, 1000, 0, x, y));
        QCOMPARE((Ints { x, y }), (Ints { 1000, 1000 }));
    }

    // The chord test in pixels: a straight curve along y = 100 px.
    void splineChords_data()
    {
        QTest::addColumn<QPoint>("query");
        QTest::addColumn<int>("t");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QPoint>("hit");

        QTest::newRow("on the curve") << QPoint(70, 100) << 2 << true << QPoint(70, 100);
        QTest::newRow("beside it, distance equal to t") << QPoint(70, 103) << 3 << true << QPoint(70, 100);
        QTest::newRow("beside it, beyond t") << QPoint(70, 103) << 2 << false << QPoint();
        QTest::newRow("past the end within t") << QPoint(201, 101) << 2 << true << QPoint(201, 100);
        QTest::newRow("past the end, corner beyond t") << QPoint(202, 101) << 2 << false << QPoint();
        QTest::newRow("past the end beyond t") << QPoint(204, 100) << 3 << false << QPoint();
    }

    void splineChords()
    {
        QFETCH(QPoint, query);
        QFETCH(int, t);
        QFETCH(bool, found);
        CFigContext ctx;
        std::unique_ptr<FigSpline> spline(straightSpline(1));
        QPoint hit(-1, -1), start(-1, -1), end(-1, -1);
        QCOMPARE(ctx.findSplineSegmentNear(spline.get(), query.x(), query.y(), t, hit, start, end), found);
        // A hit stops the evaluation after its segment.
        QCOMPARE(splineEvaluationStopped, found);
        if (!found)
            return;
        QTEST(hit, "hit");
        // The chord lies on the curve and runs forwards along it.
        QCOMPARE(start.y(), 100);
        QCOMPARE(end.y(), 100);
        QVERIFY(start.x() < end.x());
    }

    void splines()
    {
        CFigContext ctx;
        FigSpline* straight = straightSpline(1);
        // A bowed approximated spline: its middle control point lies off the
        // curve.
        FigSpline* bowed = splineWith(2, { { 0, 6000 }, { 1500, 4500 }, { 3000, 6000 } }, { 0, 1, 0 }, 0);
        ctx.drawing.objects = { straight, bowed };
        int hx = -1, hy = -1;

        // A point of the evaluated curve, taken from the evaluation itself.
        ctx.computeOpenSpline(bowed, 0.5f, addScreenPoint);
        QVERIFY(pointBuffer.count > 6);
        const QPoint onCurve = pointBuffer.points[pointBuffer.count / 2];
        tangentSegmentValid = false;
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, onCurve.x() * 15, onCurve.y() * 15, 30, hx, hy), bowed);
        QVERIFY(std::abs(hx - onCurve.x() * 15) <= 15 && std::abs(hy - onCurve.y() * 15) <= 15);
        QVERIFY(tangentSegmentValid);
        // Half-way the bow runs level.
        QVERIFY(std::abs(tangentSegment.y2 - tangentSegment.y1) <= 15);
        QVERIFY(tangentSegment.x2 > tangentSegment.x1);

        // Far off: nothing, and no tangent.
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1500, 3000, 30, hx, hy), nullptr);
        QVERIFY(!tangentSegmentValid);

        // The curve passes 300 units below the bowed spline's middle control
        // point, which is found as a control point: the hit is the point and
        // there is no tangent.
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1510, 4490, 30, hx, hy), bowed);
        QCOMPARE((Ints { hx, hy }), (Ints { 1500, 4500 }));
        QVERIFY(!tangentSegmentValid);

        // On the straight one: the hit on the curve, the tangent along it,
        // its length that of one chord back in Fig units.
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1000, 1520, 30, hx, hy), straight);
        QCOMPARE((Ints { hx, hy }), (Ints { 1005, 1500 })); // 67 pixels: the foot rounded to a pixel
        QVERIFY(tangentSegmentValid);
        QCOMPARE(tangentSegment.y1, 1500);
        QCOMPARE(tangentSegment.y2, 1500);
        QVERIFY(tangentSegment.x1 <= 1005 && tangentSegment.x2 >= 1005);

        // The tolerance counts in Fig units, turned into pixels at the zoom.
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1000, 1545, 30, hx, hy), nullptr);
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1000, 1545, 45, hx, hy), straight);
        ctx.zoom = 2.0f; // 30 Fig units are 4 pixels, 45 are 6
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1000, 1545, 30, hx, hy), nullptr);
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1000, 1530, 30, hx, hy), straight);
    }

    // The view's scroll origin changes neither the hit nor the tangent's
    // direction, also when the hit lies left of the view.
    void splinesScrolled()
    {
        CFigContext ctx;
        FigSpline* straight = straightSpline(1);
        ctx.drawing.objects = { straight };
        int hx = -1, hy = -1;
        for (int origin : { 0, 40, 200 }) {
            ctx.originX = origin;
            ctx.originY = origin / 2;
            QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1500, 1510, 30, hx, hy), straight);
            QCOMPARE((Ints { hx, hy }), (Ints { 1500, 1500 }));
            QCOMPARE(tangentSegment.y1, tangentSegment.y2);
            QVERIFY(tangentSegment.x2 > tangentSegment.x1);
        }
    }

    // Closed splines are evaluated closed: the closing part of a square of
    // sharp corners is found.
    void closedSplines()
    {
        CFigContext ctx;
        FigSpline* square = splineWith(1, { { 0, 0 }, { 3000, 0 }, { 3000, 3000 }, { 0, 3000 } }, { 0, 0, 0, 0 }, 1);
        ctx.drawing.objects = { square };
        int hx = -1, hy = -1;
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 10, 1500, 30, hx, hy), square);
        QCOMPARE((Ints { hx, hy }), (Ints { 0, 1500 }));
        QCOMPARE(tangentSegment.x1, tangentSegment.x2);
        QVERIFY(tangentSegment.y1 != tangentSegment.y2);
        // The same points as an open spline end at the last corner.
        square->subType = 0;
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 10, 1500, 30, hx, hy), nullptr);
    }

    // The first spline of the list wins; hidden depths, excluded objects and
    // compound members are passed over.
    void splinesInOrderAndVisibility()
    {
        CFigContext ctx;
        FigSpline* a = straightSpline(1);
        FigSpline* b = straightSpline(2);
        FigCompound* group = makeCompound(3, { splineWith(4, { { 0, 9000 }, { 3000, 9000 } }, { 0, 0 }, 0) });
        ctx.drawing.objects = { makeLine(5, { { 0, 1500 }, { 3000, 1500 } }), a, b, group };
        int hx, hy;
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1500, 1500, 30, hx, hy), a);
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1500, 1500, 30, hx, hy, a), b);
        a->depth = 12;
        ctx.depthVisible[12] = false;
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1500, 1500, 30, hx, hy), b);
        b->depth = 12;
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1500, 1500, 30, hx, hy), nullptr);
        QCOMPARE(ctx.findSplineNear(&ctx.drawing.objects, 1500, 9000, 30, hx, hy), nullptr);
        QCOMPARE(ctx.findSplineNear(group->members, 1500, 9000, 30, hx, hy), group->members->front());
    }
};

TAVREL_TEST_MAIN(TestGeometricQueries)
#include "tst_geometricqueries.moc"
