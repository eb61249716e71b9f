#include "model/figarrow.h"
#include "model/picturedata.h"
#include "model/planegeometry.h"
#include "model/transforms.h"
#include "model/units.h"
#include "modelfixtures.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <cmath>

using namespace fixtures;

namespace {

using Points = QList<QPoint>;

Points pointsOf(const FigPath* path)
{
    Points out;
    for (const FigPoint* p = path->points; p; p = p->next)
        out << QPoint(p->x, p->y);
    return out;
}

Points pointsOf(const FigArc* arc)
{
    return { QPoint(arc->points[0].x, arc->points[0].y), QPoint(arc->points[1].x, arc->points[1].y),
        QPoint(arc->points[2].x, arc->points[2].y) };
}

QPoint at(const FigPoint& p)
{
    return QPoint(p.x, p.y);
}

void set(FigPoint& p, int x, int y)
{
    p.x = x;
    p.y = y;
}

FigArrow* makeArrow(float width, float height)
{
    auto* arrow = new FigArrow;
    arrow->thickness = 1.0f;
    arrow->width = width;
    arrow->height = height;
    return arrow;
}

constexpr double pi = 3.14159265358979323846;

} // namespace

class TestTransforms : public QObject {
    Q_OBJECT

private slots:
    // ---- Rotating ----

    void rotatePoint_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QPoint>("center");
        QTest::addColumn<int>("angle");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("+90 clockwise") << QPoint(200, 100) << QPoint(100, 100) << 90 << QPoint(100, 200);
        QTest::newRow("-90") << QPoint(200, 100) << QPoint(100, 100) << -90 << QPoint(100, 0);
        QTest::newRow("180") << QPoint(200, 100) << QPoint(100, 100) << 180 << QPoint(0, 100);
        QTest::newRow("0") << QPoint(200, 100) << QPoint(100, 100) << 0 << QPoint(200, 100);
        QTest::newRow("360") << QPoint(200, 100) << QPoint(100, 100) << 360 << QPoint(200, 100);
        QTest::newRow("45 rounds") << QPoint(200, 100) << QPoint(100, 100) << 45 << QPoint(171, 171);
        QTest::newRow("30") << QPoint(200, 100) << QPoint(0, 0) << 30 << QPoint(123, 187);
        QTest::newRow("on the centre") << QPoint(100, 100) << QPoint(100, 100) << 37 << QPoint(100, 100);
        // The distance to the centre does not fit 32 bits, nor its square.
        QTest::newRow("large page") << QPoint(1000000000, 0) << QPoint(-1000000000, 0) << 90
                                    << QPoint(-1000000000, 2000000000);
    }
    void rotatePoint()
    {
        QFETCH(QPoint, point);
        QFETCH(QPoint, center);
        QFETCH(int, angle);
        QFETCH(QPoint, expected);
        FigPoint p(point.x(), point.y());
        p.rotate(center.x(), center.y(), angle);
        QCOMPARE(at(p), expected);
    }

    void rotateEllipseQuarterTurnsAreExact()
    {
        std::unique_ptr<FigEllipse> e(makeEllipse(1, { 300, 200 }, { 100, 50 }));
        FigObjectList drawing;
        rotateEllipse(&drawing, e.get(), 100, 100, 90);
        QCOMPARE(at(e->center), QPoint(0, 300));
        QCOMPARE(at(e->start), QPoint(0, 300));
        QCOMPARE(at(e->end), QPoint(-50, 400));
        QCOMPARE(at(e->radii), QPoint(100, 50));
        QVERIFY(std::fabs(e->angle - 3 * pi / 2) < 1e-6);
        rotateEllipse(&drawing, e.get(), 100, 100, -90);
        QCOMPARE(at(e->center), QPoint(300, 200));
        QCOMPARE(at(e->end), QPoint(400, 250));
        QCOMPARE(e->angle, 0.0f);
    }

    void rotateText_data()
    {
        QTest::addColumn<float>("angle");
        QTest::addColumn<int>("degrees");
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<double>("expectedAngle");
        QTest::newRow("quarter") << 0.0f << 90 << QPoint(100, 200) << 3 * pi / 2;
        QTest::newRow("back to zero") << float(pi / 2) << 90 << QPoint(100, 200) << 0.0;
        QTest::newRow("near 0 snaps") << 0.005f << 0 << QPoint(200, 100) << 0.0;
        QTest::newRow("near 2pi snaps") << 6.28f << 0 << QPoint(200, 100) << 0.0;
        QTest::newRow("counter-clockwise") << 0.0f << -90 << QPoint(100, 0) << pi / 2;
    }
    void rotateText()
    {
        QFETCH(float, angle);
        QFETCH(int, degrees);
        QFETCH(QPoint, anchor);
        QFETCH(double, expectedAngle);
        std::unique_ptr<FigText> t(makeText(1));
        t->x = 200;
        t->y = 100;
        t->angle = angle;
        t->subType = 1;
        t->rotate(100, 100, degrees);
        QCOMPARE(QPoint(t->x, t->y), anchor);
        QVERIFY2(std::fabs(t->angle - expectedAngle) < 1e-6, qPrintable(QString::number(t->angle)));
        QCOMPARE(t->subType, 1);
    }

    void rotateArc()
    {
        // Quarter turn: exact, the centre turned in float, the direction kept.
        std::unique_ptr<FigArc> a(makeArc(1, { 200, 100 }, { 100, 0 }, { 0, 100 }, 100.5f, 100.0f, 1));
        a->rotate(0, 0, 90);
        QCOMPARE(pointsOf(a.get()), Points({ { -100, 200 }, { 0, 100 }, { -100, 0 } }));
        QCOMPARE(a->centerX, -100.0f);
        QCOMPARE(a->centerY, 100.5f);
        QCOMPARE(a->direction, 1);

        // Other angles: the centre is computed again, and so is the direction.
        std::unique_ptr<FigArc> b(makeArc(2, { 200, 100 }, { 100, 0 }, { 0, 100 }, 100.0f, 100.0f, 0));
        b->rotate(100, 100, 45);
        QCOMPARE(pointsOf(b.get()), Points({ { 171, 171 }, { 171, 29 }, { 29, 29 } }));
        QCOMPARE(b->centerX, 100.0f);
        QCOMPARE(b->centerY, 100.0f);
        QCOMPARE(b->direction, 1);

        // No circle through the turned points: the arc stays as it was.
        std::unique_ptr<FigArc> c(makeArc(3, { 10, 10 }, { 10, 10 }, { 20, 20 }, 5.0f, 6.0f, 1));
        c->rotate(0, 0, 30);
        QCOMPARE(pointsOf(c.get()), Points({ { 10, 10 }, { 10, 10 }, { 20, 20 } }));
        QCOMPARE(c->centerX, 5.0f);
        QCOMPARE(c->centerY, 6.0f);
    }

    void rotatePolyline_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("expectedSubType");
        QTest::addColumn<int>("expectedRadius");
        QTest::addColumn<Points>("expected");
        QTest::addColumn<QStringList>("messages");
        const Points box = { { 0, 0 }, { 200, 0 }, { 200, 100 }, { 0, 100 }, { 0, 0 } };
        QTest::newRow("box +90 stays a box")
            << 2 << 90 << 2 << -1 << Points({ { 0, 0 }, { 0, 200 }, { -100, 200 }, { -100, 0 }, { 0, 0 } })
            << QStringList();
        QTest::newRow("box -90 stays a box")
            << 2 << -90 << 2 << -1 << Points({ { 0, 0 }, { 0, -200 }, { 100, -200 }, { 100, 0 }, { 0, 0 } })
            << QStringList();
        QTest::newRow("box 180") << 2 << 180 << 2 << -1
                                 << Points({ { 0, 0 }, { -200, 0 }, { -200, -100 }, { 0, -100 }, { 0, 0 } })
                                 << QStringList();
        QTest::newRow("box 30 becomes a polygon")
            << 2 << 30 << 3 << 0 << Points({ { 0, 0 }, { 173, 100 }, { 123, 187 }, { -50, 87 }, { 0, 0 } })
            << QStringList { "Converted box into polygon!" };
        QTest::newRow("arc-box 30 refused")
            << 4 << 30 << 4 << 10 << box
            << QStringList { "This object can't be rotated by angles other than 90 degrees!" };
        QTest::newRow("arc-box -90 turns")
            << 4 << -90 << 4 << 10 << Points({ { 0, 0 }, { 0, -200 }, { 100, -200 }, { 100, 0 }, { 0, 0 } })
            << QStringList();
        QTest::newRow("picture 45 refused")
            << 5 << 45 << 5 << -1 << box
            << QStringList { "This object can't be rotated by angles other than 90 degrees!" };
        QTest::newRow("polygon 30") << 3 << 30 << 3 << -1
                                    << Points({ { 0, 0 }, { 173, 100 }, { 123, 187 }, { -50, 87 }, { 0, 0 } })
                                    << QStringList();
    }
    void rotatePolyline()
    {
        QFETCH(int, subType);
        QFETCH(int, angle);
        QFETCH(int, expectedSubType);
        QFETCH(int, expectedRadius);
        QFETCH(Points, expected);
        QFETCH(QStringList, messages);
        CFigContext ctx;
        FigLine* line = makeBox(1, 0, 0, 200, 100, subType);
        if (subType == 4)
            line->radius = 10;
        ctx.drawing.objects.push_back(line);
        StatusRecorder recorder;
        ctx.rotateObject(line, 0, 0, angle);
        QCOMPARE(pointsOf(line), expected);
        QCOMPARE(line->subType, expectedSubType);
        QCOMPARE(line->radius, expectedRadius);
        QCOMPARE(recorder.messages, messages);
    }

    void rotateCompoundTurnsWhatItCan()
    {
        CFigContext ctx;
        FigLine* box = makeBox(1, 0, 0, 200, 100);
        FigLine* arcBox = makeBox(2, 0, 0, 200, 100, 4);
        arcBox->radius = 10;
        FigSpline* spline = makeSpline(3, { { 200, 0 }, { 0, 100 } });
        FigCompound* inner = makeCompound(5, { spline });
        FigCompound* outer = makeCompound(4, { box, arcBox, inner });
        ctx.drawing.objects.push_back(outer);
        StatusRecorder recorder;
        ctx.rotateCompound(outer, 0, 0, 30);
        QCOMPARE(box->subType, 3);
        QCOMPARE(pointsOf(box), Points({ { 0, 0 }, { 173, 100 }, { 123, 187 }, { -50, 87 }, { 0, 0 } }));
        QCOMPARE(pointsOf(arcBox), Points({ { 0, 0 }, { 200, 0 }, { 200, 100 }, { 0, 100 }, { 0, 0 } }));
        QCOMPARE(pointsOf(spline), Points({ { 173, 100 }, { -50, 87 } }));
        QCOMPARE(spline->shapeFactors->value, -1.0);
        QCOMPARE(recorder.messages,
            QStringList(
                { "Converted box into polygon!", "This object can't be rotated by angles other than 90 degrees!" }));
    }

    void compoundCornersAreRecomputedAfterTurnAndScale()
    {
        // The corners come from the compound's own box, with line widths and
        // arrows, once per operation; nested compounds are recomputed too.
        CFigContext ctx;
        auto* inner = new BoundedCompound(2, { makeLine(3, { { 0, 0 }, { 10, 0 } }) });
        auto* outer = new BoundedCompound(1, { inner });
        ctx.drawing.objects.push_back(outer);
        ctx.rotateCompound(outer, 0, 0, 90);
        // The inner box is asked for its own corners and again by the outer's.
        QCOMPARE(outer->boundsCalls, 1);
        QCOMPARE(inner->boundsCalls, 2);
        QCOMPARE(outer->lastFlags, std::make_pair(true, true));
        ctx.scaleObject(outer, 2.0f, 2.0f, 0, 0);
        QCOMPARE(outer->boundsCalls, 2);
        QCOMPARE(inner->boundsCalls, 4);
        QCOMPARE(pointsOf(static_cast<FigLine*>(inner->members->front())), Points({ { 0, 0 }, { 0, 20 } }));
    }

    void linkedPointsFollowATurnedOrMirroredLine()
    {
        CFigContext ctx;
        FigLine* target = makeLine(10, { { 0, 0 }, { 100, 0 } });
        FigLine* source = makeLine(11, { { 50, 0 }, { 50, -100 } });
        linkPoint(source->points, 10, target, 0, 1);
        FigLine* stranger = makeLine(12, { { 50, 0 } });
        linkPoint(stranger->points, 99, target, 0, 1);
        ctx.drawing.objects.push_back(source);
        ctx.drawing.objects.push_back(makeCompound(13, { target, stranger }));
        ctx.rotateObject(target, 0, 0, 90);
        QCOMPARE(pointsOf(target), Points({ { 0, 0 }, { 0, 100 } }));
        QCOMPARE(pointsOf(source), Points({ { 0, 50 }, { 50, -100 } }));
        QCOMPARE(pointsOf(stranger), Points({ { 50, 0 } }));

        // Mirrored: the linked point stays on the segment, up to a unit.
        flipLine(&ctx.drawing.objects, target, 50, 0, 2);
        QCOMPARE(pointsOf(target), Points({ { 100, 0 }, { 100, 100 } }));
        QVERIFY2(std::abs(source->points->x - 100) <= 1 && std::abs(source->points->y - 50) <= 1,
            qPrintable(QStringLiteral("%1 %2").arg(source->points->x).arg(source->points->y)));
    }

    // ---- Mirroring ----

    void flipArc_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<Points>("expected");
        QTest::addColumn<float>("centerX");
        QTest::addColumn<float>("centerY");
        QTest::addColumn<int>("direction");
        QTest::newRow("horizontal line") << 1 << Points({ { 200, 100 }, { 100, 200 }, { 0, 100 } }) << 100.5f << 100.25f
                                         << 0;
        QTest::newRow("vertical line") << 2 << Points({ { 0, 100 }, { 100, 0 }, { 200, 100 } }) << 99.5f << 99.75f << 0;
        QTest::newRow("no axis") << 0 << Points({ { 200, 100 }, { 100, 0 }, { 0, 100 } }) << 100.5f << 99.75f << 1;
    }
    void flipArc()
    {
        QFETCH(int, axis);
        QFETCH(Points, expected);
        QFETCH(float, centerX);
        QFETCH(float, centerY);
        QFETCH(int, direction);
        std::unique_ptr<FigArc> a(makeArc(1, { 200, 100 }, { 100, 0 }, { 0, 100 }, 100.5f, 99.75f, 1));
        a->flip(100, 100, axis);
        QCOMPARE(pointsOf(a.get()), expected);
        QCOMPARE(a->centerX, centerX);
        QCOMPARE(a->centerY, centerY);
        QCOMPARE(a->direction, direction);
        a->flip(100, 100, axis);
        QCOMPARE(pointsOf(a.get()), Points({ { 200, 100 }, { 100, 0 }, { 0, 100 } }));
        QCOMPARE(a->centerX, 100.5f);
        QCOMPARE(a->centerY, 99.75f);
        QCOMPARE(a->direction, 1);
    }

    void flipEllipses()
    {
        FigObjectList drawing;
        // Upright: an exact mirror image.
        std::unique_ptr<FigEllipse> e(makeEllipse(1, { 300, 200 }, { 100, 50 }));
        flipEllipse(&drawing, e.get(), 100, 100, 2);
        QCOMPARE(at(e->center), QPoint(-100, 200));
        QCOMPARE(at(e->end), QPoint(-200, 250));
        QCOMPARE(at(e->radii), QPoint(100, 50));
        QCOMPARE(e->direction, 1);
        QCOMPARE(e->angle, 0.0f);
        flipEllipse(&drawing, e.get(), 100, 100, 1);
        QCOMPARE(at(e->center), QPoint(-100, 0));
        QCOMPARE(at(e->end), QPoint(-200, -50));
        QCOMPARE(e->direction, 0);

        // Tilted: turned by the angle in whole degrees (29) about the centre of
        // the mirror before and after, so the angle becomes 0.5 - 2 * 29
        // degrees and the points land within a unit of the mirror image.
        std::unique_ptr<FigEllipse> t(makeEllipse(2, { 300, 200 }, { 100, 50 }, 1, 0.5f));
        set(t->start, 400, 200);
        flipEllipse(&drawing, t.get(), 100, 100, 2);
        QCOMPARE(at(t->center), QPoint(-99, 200));
        QCOMPARE(at(t->start), QPoint(-200, 200));
        QCOMPARE(at(t->end), QPoint(-200, 250));
        QVERIFY(std::fabs(t->angle - (0.5 - 58 * pi / 180 + 2 * pi)) < 1e-5);
        QCOMPARE(t->direction, 1);
    }

    void flipLineSplineAndText()
    {
        FigObjectList drawing;
        std::unique_ptr<FigLine> picture(makeBox(1, 0, 0, 200, 100, 5));
        picture->picture = new PictureData;
        flipLine(&drawing, picture.get(), 50, 0, 2);
        QCOMPARE(pointsOf(picture.get()), Points({ { 100, 0 }, { -100, 0 }, { -100, 100 }, { 100, 100 }, { 100, 0 } }));
        QCOMPARE(picture->picture->flipped, 1);
        flipLine(&drawing, picture.get(), 50, 0, 2);
        QCOMPARE(picture->picture->flipped, 0);

        std::unique_ptr<FigSpline> spline(makeSpline(2, { { 0, 10 }, { 5, 30 } }));
        spline->flip(0, 20, 1);
        QCOMPARE(pointsOf(spline.get()), Points({ { 0, 30 }, { 5, 10 } }));
        QCOMPARE(spline->shapeFactors->value, -1.0);
        QCOMPARE(spline->shapeFactors->next->value, -0.5);

        std::unique_ptr<FigText> text(makeText(3));
        text->x = 10;
        text->y = 20;
        text->angle = 1.0f;
        text->subType = 2;
        text->flip(0, 0, 2);
        QCOMPARE(QPoint(text->x, text->y), QPoint(-10, 20));
        QCOMPARE(text->angle, 1.0f);
        QCOMPARE(text->subType, 2);
    }

    void flipCompoundMirrorsCornersAndMembers()
    {
        CFigContext ctx;
        FigLine* line = makeLine(1, { { 0, 0 }, { 100, 50 } });
        FigArc* arc = makeArc(2, { 200, 100 }, { 100, 0 }, { 0, 100 }, 100.0f, 100.0f, 1);
        FigText* text = makeText(3);
        text->y = 30;
        FigCompound* inner = makeCompound(5, { text });
        set(inner->upperLeft, 0, 10);
        set(inner->lowerRight, 50, 30);
        FigCompound* outer = makeCompound(4, { line, arc, inner });
        set(outer->upperLeft, 0, 0);
        set(outer->lowerRight, 200, 100);
        ctx.drawing.objects.push_back(outer);
        ctx.flipCompound(outer, 0, 200, 1);
        QCOMPARE(at(outer->upperLeft), QPoint(0, 300));
        QCOMPARE(at(outer->lowerRight), QPoint(200, 400));
        QCOMPARE(at(inner->upperLeft), QPoint(0, 370));
        QCOMPARE(at(inner->lowerRight), QPoint(50, 390));
        QCOMPARE(pointsOf(line), Points({ { 0, 400 }, { 100, 350 } }));
        QCOMPARE(pointsOf(arc), Points({ { 200, 300 }, { 100, 400 }, { 0, 300 } }));
        QCOMPARE(arc->centerY, 300.0f);
        QCOMPARE(arc->direction, 0);
        QCOMPARE(text->y, 370);
    }

    // ---- Scaling ----

    void scaleEllipseFollowsShape_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<QPoint>("radii");
        QTest::addColumn<float>("sx");
        QTest::addColumn<float>("sy");
        QTest::addColumn<QPoint>("expectedRadii");
        QTest::addColumn<int>("expectedSubType");
        QTest::newRow("circle to ellipse") << 3 << QPoint(50, 50) << 2.0f << 1.0f << QPoint(100, 50) << 1;
        QTest::newRow("circle by diameter") << 4 << QPoint(50, 50) << 1.0f << 0.5f << QPoint(50, 25) << 2;
        QTest::newRow("ellipse to circle") << 1 << QPoint(100, 50) << 0.5f << 1.0f << QPoint(50, 50) << 3;
        QTest::newRow("stays a circle") << 3 << QPoint(50, 50) << 3.0f << 3.0f << QPoint(150, 150) << 3;
        QTest::newRow("mirrored radii stay positive")
            << 1 << QPoint(100, 50) << -1.0f << -2.0f << QPoint(100, 100) << 3;
    }
    void scaleEllipseFollowsShape()
    {
        QFETCH(int, subType);
        QFETCH(QPoint, radii);
        QFETCH(float, sx);
        QFETCH(float, sy);
        QFETCH(QPoint, expectedRadii);
        QFETCH(int, expectedSubType);
        CFigContext ctx;
        std::unique_ptr<FigEllipse> e(makeEllipse(1, { 300, 200 }, radii, subType, 0.25f));
        ctx.scaleObject(e.get(), sx, sy, 100, 100);
        QCOMPARE(at(e->radii), expectedRadii);
        QCOMPARE(e->subType, expectedSubType);
        QCOMPARE(e->angle, 0.25f);
        QCOMPARE(at(e->center), QPoint(100 + roundToInt(200 * sx), 100 + roundToInt(100 * sy)));
    }

    void scaleValuesInSinglePrecision()
    {
        // (v - c) * s + c in float; halves go away from zero.
        FigPoint p(15, -15);
        p.scale(0.1f, 0.1f, 0, 0);
        QCOMPARE(at(p), QPoint(2, -2));
        FigPoint q(101, 100);
        q.scale(0.5f, 2.0f, 100, 90);
        QCOMPARE(at(q), QPoint(101, 110));
        // 2^24 + 1 has no float: single precision gives 2^24.
        FigPoint r(16777217, 3);
        r.scale(1.0f, 1.0f, 0, 0);
        QCOMPARE(at(r), QPoint(16777216, 3));
    }

    void scaleArcBoxClampsRadiusInItsUnit_data()
    {
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<int>("radius");
        QTest::addColumn<float>("sx");
        QTest::addColumn<float>("sy");
        QTest::addColumn<int>("expectedRadius");
        // 1200 x 600 Fig units is 80 x 40 in 1/80 inch.
        QTest::newRow("no clamp") << QPoint(1200, 600) << 20 << 0.5f << 0.5f << 10;
        // 600 x 150 Fig units: halves 20 and 5 in 1/80 inch; the radius 8
        // exceeds the height's half and becomes the smaller half.
        QTest::newRow("clamped to half height") << QPoint(1200, 600) << 20 << 0.5f << 0.25f << 5;
        QTest::newRow("clamped to half width") << QPoint(1200, 600) << 20 << 0.125f << 2.0f << 5;
        QTest::newRow("never zero") << QPoint(1200, 600) << 20 << 0.015625f << 0.015625f << 1;
        QTest::newRow("grows") << QPoint(1200, 600) << 10 << 2.0f << 2.0f << 20;
        // Side lengths times 80 do not fit 32 bits.
        QTest::newRow("large page") << QPoint(2000000000, 2000000000) << 100 << 1.0f << 1.0f << 100;
    }
    void scaleArcBoxClampsRadiusInItsUnit()
    {
        QFETCH(QPoint, corner);
        QFETCH(int, radius);
        QFETCH(float, sx);
        QFETCH(float, sy);
        QFETCH(int, expectedRadius);
        CFigContext ctx;
        const int x0 = corner.x() > 1000000000 ? -1000000000 : 0;
        std::unique_ptr<FigLine> box(makeBox(1, x0, x0, x0 + corner.x(), x0 + corner.y(), 4));
        box->radius = radius;
        box->lineWidth = 3;
        ctx.scaleObject(box.get(), sx, sy, 0, 0);
        QCOMPARE(box->radius, expectedRadius);
        QCOMPARE(box->lineWidth, 3);
        QCOMPARE(box->subType, 4);
    }

    void scalePathsKeepPinnedPoints()
    {
        CFigContext ctx;
        std::unique_ptr<FigLine> line(makeLine(1, { { 100, 100 }, { 200, 200 }, { 300, 100 } }));
        linkPoint(line->points, 7)->pinned = true;
        linkPoint(line->pointAt(2), 7)->pinned = false;
        ctx.scaleObject(line.get(), 2.0f, 0.5f, 0, 0);
        QCOMPARE(pointsOf(line.get()), Points({ { 100, 100 }, { 400, 100 }, { 600, 50 } }));
        translateObject(line.get(), 5, -5);
        QCOMPARE(pointsOf(line.get()), Points({ { 100, 100 }, { 405, 95 }, { 605, 45 } }));

        std::unique_ptr<FigSpline> spline(makeSpline(2, { { 10, 10 }, { 20, 20 } }));
        linkPoint(spline->pointAt(1), 7)->pinned = true;
        ctx.scaleObject(spline.get(), 3.0f, 3.0f, 0, 0);
        QCOMPARE(pointsOf(spline.get()), Points({ { 30, 30 }, { 20, 20 } }));
        QCOMPARE(spline->shapeFactors->next->value, -0.5);
    }

    void scaleText_data()
    {
        QTest::addColumn<int>("fontFlags");
        QTest::addColumn<float>("sx");
        QTest::addColumn<int>("expectedSize");
        QTest::newRow("halved") << 4 << 0.5f << 6;
        QTest::newRow("rigid keeps its size") << 5 << 0.5f << 12;
        QTest::newRow("no flags keeps its size") << -1 << 0.5f << 12;
        QTest::newRow("special, not rigid") << 2 << 3.0f << 36;
        QTest::newRow("down to nothing") << 4 << 0.01f << 0;
    }
    void scaleText()
    {
        QFETCH(int, fontFlags);
        QFETCH(float, sx);
        QFETCH(int, expectedSize);
        CFigContext ctx;
        ctx.zoom = 1.5f;
        std::unique_ptr<FigText> t(makeText(1, QStringLiteral("Scaled text")));
        t->x = 200;
        t->y = 300;
        t->fontSize = 12;
        t->fontFlags = fontFlags;
        t->angle = 0.75f;
        ctx.computeTextMetrics(t.get(), ctx.zoom);
        const int widthBefore = t->width;
        ctx.scaleObject(t.get(), sx, 2.0f, 100, 100);
        QCOMPARE(t->fontSize, expectedSize);
        QCOMPARE(t->angle, 0.75f); // the y factor never touches size or angle
        QCOMPARE(t->y, 500);
        QCOMPARE(t->x, roundToInt(100 + 100 * sx));

        // The metrics are those of the new size at the document's zoom.
        std::unique_ptr<FigText> reference(makeText(2, t->text));
        reference->fontSize = expectedSize;
        reference->fontFlags = fontFlags;
        ctx.computeTextMetrics(reference.get(), ctx.zoom);
        QCOMPARE(t->metricsZoom, 1.5f);
        QCOMPARE(t->width, reference->width);
        QCOMPARE(t->ascent, reference->ascent);
        QCOMPARE(t->descent, reference->descent);
        QCOMPARE(t->pixelHeight, reference->pixelHeight);
        QCOMPARE(t->width > widthBefore, expectedSize > 12);
        QCOMPARE(t->width < widthBefore, expectedSize < 12);
    }

    void scaleArcs()
    {
        CFigContext ctx;
        // Plain: the centre is the circle's through the scaled points.
        std::unique_ptr<FigArc> a(makeArc(1, { 200, 100 }, { 100, 0 }, { 0, 100 }, 100.0f, 100.0f, 0));
        ctx.scaleObject(a.get(), 2.0f, 2.0f, 0, 0);
        QCOMPARE(pointsOf(a.get()), Points({ { 400, 200 }, { 200, 0 }, { 0, 200 } }));
        QCOMPARE(a->centerX, 200.0f);
        QCOMPARE(a->centerY, 200.0f);
        QCOMPARE(a->direction, 1);

        // Squeezed onto one point: the second point moves a unit back towards
        // where it lay, the third off the first, and a circle is found.
        std::unique_ptr<FigArc> b(makeArc(2, { 0, 0 }, { 10, 100 }, { 20, 0 }, 10.0f, 50.0f, 0));
        scaleArc(b.get(), 0.01f, 0.01f, 0, 0);
        QCOMPARE(pointsOf(b.get()), Points({ { 0, 0 }, { 1, 1 }, { 1, 0 } }));
        QCOMPARE(b->centerX, 0.5f);
        QCOMPARE(b->centerY, 0.5f);
        QCOMPARE(b->direction, 1);

        // Still on one line after the nudges: the old centre is scaled with
        // the points rather than left where the unscaled arc had it.
        std::unique_ptr<FigArc> c(makeArc(3, { 0, 0 }, { 40, 40 }, { 200, 210 }, 0.0f, 0.0f, 0));
        QVERIFY(computeArcCenter(0, 0, 40, 40, 200, 210, c->centerX, c->centerY));
        const float oldX = c->centerX;
        const float oldY = c->centerY;
        scaleArc(c.get(), 0.01f, 0.01f, 0, 0);
        QCOMPARE(pointsOf(c.get()), Points({ { 0, 0 }, { 1, 1 }, { 2, 2 } }));
        QCOMPARE(c->centerX, oldX * 0.01f);
        QCOMPARE(c->centerY, oldY * 0.01f);

        // The direction follows the scaled points: a mirroring factor turns it.
        std::unique_ptr<FigArc> d(makeArc(4, { 200, 100 }, { 100, 0 }, { 0, 100 }, 100.0f, 100.0f, 1));
        scaleArc(d.get(), -1.0f, 1.0f, 100, 0);
        QCOMPARE(pointsOf(d.get()), Points({ { 0, 100 }, { 100, 0 }, { 200, 100 } }));
        QCOMPARE(d->direction, 0);
    }

    void scaleCompoundScalesMembers()
    {
        CFigContext ctx;
        FigLine* line = makeLine(1, { { 10, 10 }, { 20, 30 } });
        FigText* text = makeText(2);
        text->x = 10;
        text->fontSize = 10;
        FigCompound* inner = makeCompound(4, { text });
        FigCompound* outer = makeCompound(3, { line, inner });
        ctx.drawing.objects.push_back(outer);
        ctx.scaleObject(outer, 2.0f, 3.0f, 10, 10);
        QCOMPARE(pointsOf(line), Points({ { 10, 10 }, { 30, 70 } }));
        QCOMPARE(text->x, 10);
        QCOMPARE(text->y, -20);
        QCOMPARE(text->fontSize, 20);
    }

    // ---- Uniform rescaling ----

    void uniformRescale()
    {
        FigEllipse* e = makeEllipse(1, { 10, 20 }, { 5, 7 });
        FigLine* line = makeLine(2, { { 1, 2 }, { 3, 4 } });
        line->forwArrow = makeArrow(3.5f, 7.0f);
        line->radius = 9;
        line->lineWidth = 2;
        FigSpline* spline = makeSpline(3, { { -10, 0 } });
        spline->backArrow = makeArrow(1.0f, 2.0f);
        FigText* text = makeText(4);
        text->x = 100;
        text->fontSize = 12;
        FigArc* arc = makeArc(5, { 0, 0 }, { 1, 1 }, { 2, 0 }, 10.25f, -0.5f, 1);
        FigLine* member = makeLine(7, { { 50, 50 } });
        FigCompound* compound = makeCompound(6, { member });
        set(compound->upperLeft, 0, 0);
        set(compound->lowerRight, 100, 100);
        OwnedList owned { e, line, spline, text, arc, compound };

        scaleObjectListUniform(&owned.list, 2.0f, 15);
        QCOMPARE(at(e->center), QPoint(35, 55));
        QCOMPARE(at(e->radii), QPoint(10, 14)); // no offset on radii
        QCOMPARE(at(e->end), QPoint(45, 69));
        QCOMPARE(pointsOf(line), Points({ { 17, 19 }, { 21, 23 } }));
        QCOMPARE(line->forwArrow->width, 22.0f);
        QCOMPARE(line->forwArrow->height, 29.0f);
        QCOMPARE(line->forwArrow->thickness, 1.0f);
        QCOMPARE(line->radius, 9);
        QCOMPARE(line->lineWidth, 2);
        QCOMPARE(pointsOf(spline), Points({ { -5, 15 } }));
        QCOMPARE(spline->backArrow->width, 17.0f);
        QCOMPARE(QPoint(text->x, text->y), QPoint(215, 15));
        QCOMPARE(text->fontSize, 12);
        QCOMPARE(arc->centerX, 36.0f); // 35.5 rounded away from zero
        QCOMPARE(arc->centerY, 14.0f);
        QCOMPARE(pointsOf(arc), Points({ { 15, 15 }, { 17, 17 }, { 19, 15 } }));
        QCOMPARE(at(compound->upperLeft), QPoint(15, 15));
        QCOMPARE(at(compound->lowerRight), QPoint(215, 215));
        QCOMPARE(pointsOf(member), Points({ { 115, 115 } }));

        // The reader's change of resolution, from 80 dots per inch.
        std::unique_ptr<FigLine> fromOld(makeLine(8, { { 3, -3 } }));
        FigObjectList one { fromOld.get() };
        scaleObjectListUniform(&one, 1200.0f / 80.0f, 15);
        QCOMPARE(pointsOf(fromOld.get()), Points({ { 60, -30 } }));
    }

    // ---- Translation ----

    void translateEveryKind()
    {
        FigEllipse* e = makeEllipse(1, { 10, 20 }, { 5, 7 });
        FigArc* arc = makeArc(2, { 0, 0 }, { 1, 1 }, { 2, 0 }, 1.0f, 0.5f, 1);
        FigText* text = makeText(3);
        FigSpline* spline = makeSpline(4, { { 1, 1 } });
        FigLine* line = makeLine(5, { { 1, 2 }, { 3, 4 } });
        FigCompound* inner = makeCompound(7, { line });
        set(inner->upperLeft, 1, 2);
        set(inner->lowerRight, 3, 4);
        FigCompound* outer = makeCompound(6, { spline, inner });
        set(outer->upperLeft, 1, 1);
        set(outer->lowerRight, 3, 4);
        BoxObject* other = new BoxObject(8, 0, 0, 1, 1);
        OwnedList owned { e, arc, text, outer, other };

        translateObjectList(&owned.list, 10, -20);
        QCOMPARE(at(e->center), QPoint(20, 0));
        QCOMPARE(at(e->start), QPoint(20, 0));
        QCOMPARE(at(e->end), QPoint(25, 7));
        QCOMPARE(at(e->radii), QPoint(5, 7));
        QCOMPARE(pointsOf(arc), Points({ { 10, -20 }, { 11, -19 }, { 12, -20 } }));
        QCOMPARE(arc->centerX, 11.0f);
        QCOMPARE(arc->centerY, -19.5f);
        QCOMPARE(QPoint(text->x, text->y), QPoint(10, -20));
        QCOMPARE(at(outer->upperLeft), QPoint(11, -19));
        QCOMPARE(at(outer->lowerRight), QPoint(13, -16));
        QCOMPARE(at(inner->upperLeft), QPoint(11, -18));
        QCOMPARE(at(inner->lowerRight), QPoint(13, -16));
        QCOMPARE(pointsOf(spline), Points({ { 11, -19 } }));
        QCOMPARE(pointsOf(line), Points({ { 11, -18 }, { 13, -16 } }));

        translateObject(nullptr, 1, 1); // left alone, no crash
        translateCompound(nullptr, 1, 1);
    }

    // ---- Visibility ----

    void compoundHasVisibleMember()
    {
        CFigContext ctx;
        FigCompound empty(1);
        QVERIFY(!ctx.compoundHasVisibleMember(&empty));

        FigLine* hidden = makeLine(2, { { 0, 0 } });
        hidden->depth = 40;
        FigLine* deep = makeLine(3, { { 0, 0 } });
        deep->depth = 60;
        FigCompound* inner = makeCompound(4, { deep });
        inner->depth = 40;
        std::unique_ptr<FigCompound> outer(makeCompound(5, { hidden, inner }));
        outer->depth = 50; // a compound's own depth does not count

        ctx.depthVisible[40] = false;
        ctx.depthVisible[60] = false;
        QVERIFY(!ctx.compoundHasVisibleMember(outer.get()));
        ctx.depthVisible[60] = true;
        QVERIFY(ctx.compoundHasVisibleMember(outer.get()));
        ctx.depthVisible[60] = false;
        ctx.depthVisible[40] = true;
        QVERIFY(ctx.compoundHasVisibleMember(outer.get()));
    }
};

TAVREL_TEST_MAIN(TestTransforms)
#include "tst_transforms.moc"
