#include "model/figarrow.h"
#include "model/picturedata.h"
#include "model/pointoperations.h"
#include "modelfixtures.h"
#include "support/testenv.h"

#include <climits>
#include <cmath>
#include <memory>

using namespace fixtures;

using PointList2 = QList<QPoint>;
using ValueList = QList<double>;

Q_DECLARE_METATYPE(PointList2)
Q_DECLARE_METATYPE(ValueList)

// The value of a data column inside an expression (QFETCH declares a variable).
#define FETCHED(Type, name) (*static_cast<Type*>(QTest::qData(#name, ::qMetaTypeId<Type>())))

namespace {

PointList2 chainOf(const FigPath* path)
{
    PointList2 out;
    for (const FigPoint* p = path->points; p; p = p->next)
        out << QPoint(p->x, p->y);
    return out;
}

ValueList factorsOf(const FigSpline* spline)
{
    ValueList out;
    for (const ShapeFactorNode* n = spline->shapeFactors; n; n = n->next)
        out << n->value;
    return out;
}

void setFactors(FigSpline* spline, const ValueList& values)
{
    ShapeFactorNode* n = spline->shapeFactors;
    for (double v : values) {
        n->value = v;
        n = n->next;
    }
}

QPoint at(const FigPoint& p)
{
    return QPoint(p.x, p.y);
}

// Distance of the point from the outline of an axis-aligned ellipse, in units
// of the normalised radius (0 on the outline).
double offOutline(const FigEllipse* e, const FigPoint* p)
{
    const double u = (p->x - e->center.x) / double(e->radii.x);
    const double v = (p->y - e->center.y) / double(e->radii.y);
    return std::fabs(std::sqrt(u * u + v * v) - 1);
}

} // namespace

class TestPointOperations : public QObject {
    Q_OBJECT

private slots:
    // ---- Moving points ----

    void arcPoint_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<PointList2>("points");
        QTest::addColumn<float>("centerX");
        QTest::addColumn<float>("centerY");
        QTest::addColumn<int>("direction");

        // The arc starts as (-100, 0), (0, -100), (100, 0) around (0, 0), with
        // its direction deliberately wrong so that a recomputation shows.
        const PointList2 unchanged { { -100, 0 }, { 0, -100 }, { 100, 0 } };
        QTest::newRow("middle up") << 1 << 0 << -50 << true << PointList2 { { -100, 0 }, { 0, -150 }, { 100, 0 } }
                                   << 0.0f << -41.666668f << 0;
        QTest::newRow("middle through the chord")
            << 1 << 0 << 200 << true << PointList2 { { -100, 0 }, { 0, 100 }, { 100, 0 } } << 0.0f << 0.0f << 1;
        QTest::newRow("last along the circle")
            << 2 << -100 << 100 << true << PointList2 { { -100, 0 }, { 0, -100 }, { 0, 100 } } << 0.0f << 0.0f << 0;
        QTest::newRow("collinear") << 1 << 0 << 100 << false << unchanged << 5.0f << 6.0f << 1;
        QTest::newRow("onto another point") << 0 << 200 << 0 << false << unchanged << 5.0f << 6.0f << 1;
        QTest::newRow("index out of range") << 3 << 1 << 1 << false << unchanged << 5.0f << 6.0f << 1;
        QTest::newRow("negative index") << -1 << 1 << 1 << false << unchanged << 5.0f << 6.0f << 1;
    }

    void arcPoint()
    {
        QFETCH(int, index);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, moved);

        FigArc arc(1);
        const QPoint start[3] = { { -100, 0 }, { 0, -100 }, { 100, 0 } };
        for (int i = 0; i < 3; ++i) {
            arc.points[i].x = start[i].x();
            arc.points[i].y = start[i].y();
        }
        arc.centerX = 5.0f; // stale values that only a successful move replaces
        arc.centerY = 6.0f;
        arc.direction = 1;

        QCOMPARE(moveArcPoint(&arc, dx, dy, index), moved);
        QCOMPARE((PointList2 { at(arc.points[0]), at(arc.points[1]), at(arc.points[2]) }), FETCHED(PointList2, points));
        QCOMPARE(arc.centerX, FETCHED(float, centerX));
        QCOMPARE(arc.centerY, FETCHED(float, centerY));
        QCOMPARE(arc.direction, FETCHED(int, direction));
    }

    void arcPointUndoRestores()
    {
        FigArc arc(1);
        const QPoint start[3] = { { 10, 300 }, { 250, 40 }, { 600, 320 } };
        for (int i = 0; i < 3; ++i) {
            arc.points[i].x = start[i].x();
            arc.points[i].y = start[i].y();
        }
        QVERIFY(moveArcPoint(&arc, 0, 0, 0));
        const float cx = arc.centerX;
        const float cy = arc.centerY;
        const int direction = arc.direction;
        QVERIFY(moveArcPoint(&arc, 37, -91, 1));
        QVERIFY(moveArcPoint(&arc, -37, 91, 1));
        QCOMPARE(at(arc.points[1]), QPoint(250, 40));
        QCOMPARE(arc.centerX, cx);
        QCOMPARE(arc.centerY, cy);
        QCOMPARE(arc.direction, direction);
    }

    void boxCorner_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("corner");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<PointList2>("expected");

        // The box is (0,0) (100,0) (100,50) (0,50) (0,0).
        QTest::newRow("lower right") << 2 << 2 << 10 << 20
                                     << PointList2 { { 0, 0 }, { 110, 0 }, { 110, 70 }, { 0, 70 }, { 0, 0 } };
        QTest::newRow("first corner takes the closing point")
            << 2 << 0 << -5 << -7 << PointList2 { { -5, -7 }, { 100, -7 }, { 100, 50 }, { -5, 50 }, { -5, -7 } };
        QTest::newRow("closing point as corner")
            << 2 << 4 << 3 << 4 << PointList2 { { 3, 4 }, { 100, 4 }, { 100, 50 }, { 3, 50 }, { 3, 4 } };
        QTest::newRow("only x") << 4 << 1 << 25 << 0
                                << PointList2 { { 0, 0 }, { 125, 0 }, { 125, 50 }, { 0, 50 }, { 0, 0 } };
        QTest::newRow("past the opposite side")
            << 5 << 3 << 150 << -80 << PointList2 { { 150, 0 }, { 100, 0 }, { 100, -30 }, { 150, -30 }, { 150, 0 } };
    }

    void boxCorner()
    {
        QFETCH(int, subType);
        QFETCH(int, corner);
        OwnedList drawing { makeBox(1, 0, 0, 100, 50, subType) };
        auto* box = static_cast<FigLine*>(drawing.list.front());
        if (subType == 5)
            box->picture = new PictureData;
        moveBoxCorner(&drawing.list, box, FETCHED(int, dx), FETCHED(int, dy), box->pointAt(corner));
        QCOMPARE(chainOf(box), FETCHED(PointList2, expected));
    }

    void flatBoxOpensUp_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<PointList2>("box");
        QTest::addColumn<int>("corner");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<PointList2>("expected");

        // Width 0: moving a corner in x takes only its side along.
        QTest::newRow("width 0, third corner")
            << 2 << PointList2 { { 100, 0 }, { 100, 0 }, { 100, 50 }, { 100, 50 }, { 100, 0 } } << 2 << 30 << 0
            << PointList2 { { 100, 0 }, { 130, 0 }, { 130, 50 }, { 100, 50 }, { 100, 0 } };
        QTest::newRow("width 0, first corner takes the closing point")
            << 2 << PointList2 { { 100, 0 }, { 100, 0 }, { 100, 50 }, { 100, 50 }, { 100, 0 } } << 0 << -30 << -5
            << PointList2 { { 70, -5 }, { 100, -5 }, { 100, 50 }, { 70, 50 }, { 70, -5 } };
        // A picture turns the other way round.
        QTest::newRow("picture of height 0")
            << 5 << PointList2 { { 0, 40 }, { 0, 40 }, { 90, 40 }, { 90, 40 }, { 0, 40 } } << 2 << 0 << 20
            << PointList2 { { 0, 40 }, { 0, 60 }, { 90, 60 }, { 90, 40 }, { 0, 40 } };
        QTest::newRow("a point: both axes")
            << 2 << PointList2 { { 5, 5 }, { 5, 5 }, { 5, 5 }, { 5, 5 }, { 5, 5 } } << 2 << 10 << 20
            << PointList2 { { 5, 5 }, { 15, 5 }, { 15, 25 }, { 5, 25 }, { 5, 5 } };
    }

    // A box of width or height 0 is not stuck: the moved corner's side
    // leaves the opposite one, and the box is a rectangle again.
    void flatBoxOpensUp()
    {
        QFETCH(PointList2, box);
        QFETCH(PointList2, expected);
        std::unique_ptr<FigLine> line(makeLine(1, {}, FETCHED(int, subType)));
        FigPoint** tail = &line->points;
        for (const QPoint& p : box) {
            *tail = new FigPoint(p.x(), p.y());
            tail = &(*tail)->next;
        }
        if (line->subType == 5)
            line->picture = new PictureData;
        moveBoxCorner(nullptr, line.get(), FETCHED(int, dx), FETCHED(int, dy), line->pointAt(FETCHED(int, corner)));
        QCOMPARE(chainOf(line.get()), expected);
        if (line->picture)
            QCOMPARE(line->picture->flipped, 0);
    }

    void pictureFlip_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("flipped");

        // The picture is 100 wide and 50 high; corner 0 is the upper left,
        // 1 the upper right, 2 the lower right, 3 the lower left.
        QTest::newRow("within the box") << 0 << 60 << 30 << 0;
        QTest::newRow("up to the opposite side") << 0 << 100 << 0 << 0;
        QTest::newRow("across in x") << 0 << 150 << 0 << 1;
        QTest::newRow("across in y") << 0 << 0 << 51 << 1;
        QTest::newRow("across both") << 0 << 150 << 80 << 0;
        QTest::newRow("away from the opposite side") << 0 << -150 << -80 << 0;
        QTest::newRow("lower right across in x") << 2 << -101 << 0 << 1;
        QTest::newRow("upper right across in y") << 1 << 0 << 70 << 1;
        QTest::newRow("lower left across in x") << 3 << 120 << -10 << 1;
        QTest::newRow("closing point as upper left") << 4 << 150 << 0 << 1;
    }

    void pictureFlip()
    {
        std::unique_ptr<FigLine> picture(makeBox(1, 0, 0, 100, 50, 5));
        picture->picture = new PictureData;
        moveBoxCorner(
            nullptr, picture.get(), FETCHED(int, dx), FETCHED(int, dy), picture->pointAt(FETCHED(int, corner)));
        QCOMPARE(picture->picture->flipped, FETCHED(int, flipped));

        // A box without picture data moves the same and flips nothing.
        std::unique_ptr<FigLine> bare(makeBox(2, 0, 0, 100, 50, 5));
        moveBoxCorner(nullptr, bare.get(), 150, 80, bare->points);
        QCOMPARE(chainOf(bare.get()).first(), QPoint(150, 80));
    }

    void boxCornerNotOfTheBox()
    {
        std::unique_ptr<FigLine> box(makeBox(1, 0, 0, 100, 50, 2));
        FigPoint stray(100, 50);
        moveBoxCorner(nullptr, box.get(), 10, 10, &stray);
        moveBoxCorner(nullptr, box.get(), 10, 10, nullptr);
        moveBoxCorner(nullptr, nullptr, 10, 10, box->points);
        QCOMPARE(chainOf(box.get()), (PointList2 { { 0, 0 }, { 100, 0 }, { 100, 50 }, { 0, 50 }, { 0, 0 } }));
        QCOMPARE(at(stray), QPoint(100, 50));
    }

    void ellipsePoint_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<QPoint>("center");
        QTest::addColumn<QPoint>("radii");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<QPoint>("newCenter");
        QTest::addColumn<QPoint>("newRadii");
        QTest::addColumn<QPoint>("newStart");
        QTest::addColumn<QPoint>("newEnd");

        const QPoint c(1000, 1000);
        QTest::newRow("by radii") << 1 << c << QPoint(200, 100) << c << QPoint(1200, 1100) << 1 << 50 << -150 << c
                                  << QPoint(250, 50) << c << QPoint(1250, 950);
        QTest::newRow("by radii, index ignored") << 1 << c << QPoint(200, 100) << c << QPoint(1200, 1100) << -1 << 50
                                                 << -150 << c << QPoint(250, 50) << c << QPoint(1250, 950);
        QTest::newRow("by radii, radius through zero") << 1 << c << QPoint(200, 100) << c << QPoint(1200, 1100) << 1
                                                       << -300 << 0 << c << QPoint(100, 100) << c << QPoint(900, 1100);
        QTest::newRow("circle by radius") << 3 << c << QPoint(100, 100) << c << QPoint(1100, 1000) << 1 << 30 << 40 << c
                                          << QPoint(136, 136) << c << QPoint(1130, 1040);
        QTest::newRow("by diameters, both ends")
            << 2 << c << QPoint(200, 100) << QPoint(800, 900) << QPoint(1200, 1100) << -1 << 10 << 20 << c
            << QPoint(210, 120) << QPoint(790, 880) << QPoint(1210, 1120);
        QTest::newRow("by diameters, start")
            << 2 << c << QPoint(200, 100) << QPoint(800, 900) << QPoint(1200, 1100) << 0 << -15 << 7
            << QPoint(993, 1003) << QPoint(207, 96) << QPoint(785, 907) << QPoint(1200, 1100);
        QTest::newRow("by diameters, end")
            << 2 << c << QPoint(200, 100) << QPoint(800, 900) << QPoint(1200, 1100) << 1 << 15 << -7
            << QPoint(1007, 997) << QPoint(207, 96) << QPoint(800, 900) << QPoint(1215, 1093);
        QTest::newRow("circle by diameter, end")
            << 4 << c << QPoint(100, 100) << QPoint(900, 1000) << QPoint(1100, 1000) << 1 << 30 << 41
            << QPoint(1015, 1020) << QPoint(117, 117) << QPoint(900, 1000) << QPoint(1130, 1041);
        QTest::newRow("circle by diameter, both ends")
            << 4 << c << QPoint(100, 100) << QPoint(900, 1000) << QPoint(1100, 1000) << -1 << -3 << -5 << c
            << QPoint(97, 97) << QPoint(903, 1005) << QPoint(1097, 995);
        QTest::newRow("circle by diameter, start, halves towards zero")
            << 4 << c << QPoint(100, 100) << QPoint(900, 1000) << QPoint(1100, 1000) << 0 << -7 << -9
            << QPoint(997, 996) << QPoint(103, 103) << QPoint(893, 991) << QPoint(1100, 1000);
        QTest::newRow("unknown sub-type")
            << 7 << c << QPoint(100, 100) << QPoint(900, 1000) << QPoint(1100, 1000) << 1 << 30 << 41 << c
            << QPoint(100, 100) << QPoint(900, 1000) << QPoint(1100, 1000);
    }

    void ellipsePoint()
    {
        std::unique_ptr<FigEllipse> e(makeEllipse(1, FETCHED(int, subType), FETCHED(QPoint, center),
            FETCHED(QPoint, radii), FETCHED(QPoint, start), FETCHED(QPoint, end)));
        moveEllipsePoint(nullptr, e.get(), FETCHED(int, dx), FETCHED(int, dy), FETCHED(int, index));
        QCOMPARE(at(e->center), FETCHED(QPoint, newCenter));
        QCOMPARE(at(e->radii), FETCHED(QPoint, newRadii));
        QCOMPARE(at(e->start), FETCHED(QPoint, newStart));
        QCOMPARE(at(e->end), FETCHED(QPoint, newEnd));
    }

    void linePoint_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("index");
        QTest::addColumn<PointList2>("expected");

        QTest::newRow("polygon first") << 3 << 0 << PointList2 { { 5, -5 }, { 100, 0 }, { 100, 100 }, { 5, -5 } };
        QTest::newRow("polygon middle") << 3 << 1 << PointList2 { { 0, 0 }, { 105, -5 }, { 100, 100 }, { 0, 0 } };
        QTest::newRow("polyline first") << 1 << 0 << PointList2 { { 5, -5 }, { 100, 0 }, { 100, 100 }, { 0, 0 } };
        QTest::newRow("polyline last") << 1 << 3 << PointList2 { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 5, -5 } };
    }

    void linePoint()
    {
        std::unique_ptr<FigLine> line(
            makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 0 } }, FETCHED(int, subType)));
        moveLinePoint(nullptr, line.get(), 5, -5, line->pointAt(FETCHED(int, index)));
        QCOMPARE(chainOf(line.get()), FETCHED(PointList2, expected));
    }

    void splinePointMovesAlone()
    {
        // A point linked to a spline does not follow it.
        auto* spline = makeSpline(1, { { 0, 0 }, { 100, 0 }, { 100, 100 } }, 3);
        auto* source = makeLine(2, { { 50, -100 }, { 50, 0 } });
        linkPoint(source->points->next, 1);
        OwnedList drawing { spline, source };
        moveSplinePoint(&drawing.list, spline, 7, 9, spline->points);
        QCOMPARE(chainOf(spline), (PointList2 { { 7, 9 }, { 100, 0 }, { 100, 100 } }));
        QCOMPARE(chainOf(source), (PointList2 { { 50, -100 }, { 50, 0 } }));
    }

    void largeCoordinatesSaturate()
    {
        std::unique_ptr<FigLine> line(makeLine(1, { { 2147483000, -2147483000 }, { 0, 0 } }));
        moveLinePoint(nullptr, line.get(), 1000, -1000, line->points);
        QCOMPARE(chainOf(line.get()).first(), QPoint(INT_MAX, INT_MIN));

        std::unique_ptr<FigLine> box(makeLine(2,
            { { -2147483000, 0 }, { 2147483000, 0 }, { 2147483000, 10 }, { -2147483000, 10 }, { -2147483000, 0 } }, 5));
        box->picture = new PictureData;
        // The width exceeds the int range: no overflow, and the move does not
        // carry the corner past its neighbour.
        moveBoxCorner(nullptr, box.get(), 2147483000, 0, box->points);
        QCOMPARE(box->picture->flipped, 0);
        QCOMPARE(chainOf(box.get()).first(), QPoint(0, 0));

        std::unique_ptr<FigEllipse> e(makeEllipse(3, 4, { 0, 0 }, { 1, 1 }, { -2147483000, 0 }, { 2147483000, 0 }));
        moveEllipsePoint(nullptr, e.get(), 0, 0, 1);
        QCOMPARE(at(e->radii), QPoint(2147483000, 2147483000));
    }

    // ---- Linked points following ----

    void linkedPointFollowsPolygonEdge()
    {
        auto* polygon = makeLine(1, { { 0, 0 }, { 200, 0 }, { 200, 200 }, { 0, 200 }, { 0, 0 } }, 3);
        // The linked line sits inside a compound: the search enters it.
        auto* source = makeLine(2, { { 100, -300 }, { 100, 0 } });
        linkPoint(source->points->next, 1, polygon, 0, 1);
        auto* onClosingEdge = makeLine(3, { { -300, 100 }, { 0, 100 } });
        linkPoint(onClosingEdge->points->next, 1, polygon, 3, 0);
        OwnedList drawing { polygon, makeCompound(4, { source, onClosingEdge }) };

        // The edge stretches and turns about its fixed end: the point stays halfway.
        moveLinePoint(&drawing.list, polygon, 0, 100, polygon->pointAt(1));
        QCOMPARE(chainOf(source).last(), QPoint(100, 50));
        QCOMPARE(chainOf(onClosingEdge).last(), QPoint(0, 100));

        // The first point moves the closing edge's right end (index 0) too.
        moveLinePoint(&drawing.list, polygon, 0, -200, polygon->points);
        QCOMPARE(chainOf(polygon).last(), QPoint(0, -200));
        QCOMPARE(chainOf(source).last(), QPoint(100, -50));
        QCOMPARE(chainOf(onClosingEdge).last(), QPoint(0, 0));
    }

    void linkedPointFollowsBothEndsOfABoxEdge()
    {
        auto* box = makeLine(1, { { 0, 0 }, { 200, 0 }, { 200, 200 }, { 0, 200 }, { 0, 0 } }, 2);
        auto* right = makeLine(2, { { 500, 100 }, { 200, 100 } });
        linkPoint(right->points->next, 1, box, 1, 2);
        auto* bottom = makeLine(3, { { 100, 500 }, { 100, 200 } });
        linkPoint(bottom->points->next, 1, box, 2, 3);
        auto* top = makeLine(4, { { 50, -500 }, { 50, 0 } });
        linkPoint(top->points->next, 1, box, 0, 1);
        OwnedList drawing { box, right, bottom, top };

        // Dragging the lower right corner diagonally moves both ends of the
        // right and bottom edges; the linked points stay halfway along them.
        moveBoxCorner(&drawing.list, box, 100, 100, box->pointAt(2));
        QCOMPARE(chainOf(box), (PointList2 { { 0, 0 }, { 300, 0 }, { 300, 300 }, { 0, 300 }, { 0, 0 } }));
        QCOMPARE(chainOf(right).last(), QPoint(300, 150));
        QCOMPARE(chainOf(bottom).last(), QPoint(150, 300));
        QCOMPARE(chainOf(top).last(), QPoint(75, 0));
        // The free ends stay.
        QCOMPARE(chainOf(right).first(), QPoint(500, 100));
    }

    void linkedPointFollowsEllipse_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<QPoint>("expected");

        // Ellipse by radii around (1000, 1000) with radii (200, 100); the
        // point sits at its right end (1200, 1000).
        QTest::newRow("x radius doubled") << 200 << QPoint(1400, 1000);
        QTest::newRow("x radius shrunk") << -100 << QPoint(1100, 1000);
        // The end point crosses the centre: the point goes over with it.
        QTest::newRow("end crosses the centre") << -300 << QPoint(900, 1000);
    }

    void linkedPointFollowsEllipse()
    {
        auto* e = makeEllipse(1, 1, { 1000, 1000 }, { 200, 100 }, { 1000, 1000 }, { 1200, 1100 });
        auto* source = makeLine(2, { { 2000, 1000 }, { 1200, 1000 } });
        linkPoint(source->points->next, 1);
        auto* other = makeLine(3, { { 1000, 0 }, { 1100, 913 } });
        linkPoint(other->points->next, 1);
        auto* unrelated = makeLine(4, { { 0, 0 }, { 1200, 1000 } });
        linkPoint(unrelated->points->next, 99);
        OwnedList drawing { e, source, other, unrelated };

        QFETCH(int, dx);
        moveEllipsePoint(&drawing.list, e, dx, 0, 1);
        QCOMPARE(chainOf(source).last(), FETCHED(QPoint, expected));
        QCOMPARE(chainOf(unrelated).last(), QPoint(1200, 1000));
        // A point above the centre stays above it and on the new outline.
        const FigPoint* p = other->points->next;
        QVERIFY(p->y < 1000);
        QVERIFY2(offOutline(e, p) < 0.01, qPrintable(QStringLiteral("%1,%2").arg(p->x).arg(p->y)));
    }

    void linkedPointsOfACircle()
    {
        // Circle by radius (sub-type 3) grown from 100 to 200.
        auto* e = makeEllipse(1, 3, { 0, 0 }, { 100, 100 }, { 0, 0 }, { 100, 0 });
        auto* below = makeLine(2, { { 0, 900 }, { 0, 100 } });
        linkPoint(below->points->next, 1);
        auto* left = makeLine(3, { { -900, 0 }, { -100, 0 } });
        linkPoint(left->points->next, 1);
        OwnedList drawing { e, below, left };
        moveEllipsePoint(&drawing.list, e, 100, 0, 1);
        QCOMPARE(at(e->radii), QPoint(200, 200));
        QCOMPARE(chainOf(below).last(), QPoint(0, 200));
        QCOMPARE(chainOf(left).last(), QPoint(-200, 0));
    }

    // ---- Inserting and removing points ----

    void linePoints_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("index"); // insert: after this point, -1 in front; remove: this point
        QTest::addColumn<PointList2>("expected");

        const QPoint a(0, 0), b(100, 0), c(100, 100), p(50, -50);
        QTest::newRow("polyline, in front") << 1 << true << -1 << PointList2 { p, a, b, c };
        QTest::newRow("polyline, after the last") << 1 << true << 2 << PointList2 { a, b, c, p };
        QTest::newRow("polyline, inside") << 1 << true << 0 << PointList2 { a, p, b, c };
        QTest::newRow("polyline, remove first") << 1 << false << 0 << PointList2 { b, c };
        QTest::newRow("polyline, remove last") << 1 << false << 2 << PointList2 { a, b };
        QTest::newRow("polyline, remove inner") << 1 << false << 1 << PointList2 { a, c };
        // The polygon is a b c a.
        QTest::newRow("polygon, in front") << 3 << true << -1 << PointList2 { p, a, b, c, p };
        QTest::newRow("polygon, inside") << 3 << true << 1 << PointList2 { a, b, p, c, a };
        QTest::newRow("polygon, after the closing point") << 3 << true << 3 << PointList2 { p, b, c, a, p };
        QTest::newRow("polygon, remove first") << 3 << false << 0 << PointList2 { b, c, b };
        QTest::newRow("polygon, remove inner") << 3 << false << 1 << PointList2 { a, c, a };
        QTest::newRow("polygon, remove closing") << 3 << false << 3 << PointList2 { a, b, a };
    }

    void linePoints()
    {
        QFETCH(int, subType);
        QFETCH(bool, insert);
        QFETCH(int, index);
        const bool polygon = subType == 3;
        std::unique_ptr<FigLine> line(polygon ? makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 0 } }, 3)
                                              : makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 } }, 1));
        if (insert) {
            auto* p = new FigPoint(50, -50);
            line->insertPoint(line->pointAt(index), p);
            QCOMPARE(chainOf(line.get()), FETCHED(PointList2, expected));
        } else {
            FigPoint* removed = line->pointAt(index);
            FigPoint* successor = removed->next;
            line->removePoint(removed);
            QCOMPARE(chainOf(line.get()), FETCHED(PointList2, expected));
            QVERIFY(line->indexOf(removed) < 0);
            QCOMPARE(removed->next, successor); // kept for an undo
            delete removed;
        }
    }

    void linePointRemovedAndPutBack()
    {
        std::unique_ptr<FigLine> line(makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 } }, 3));
        FigPoint* previous = line->pointAt(1);
        FigPoint* removed = line->pointAt(2);
        line->removePoint(removed);
        line->insertPoint(previous, removed);
        QCOMPARE(chainOf(line.get()), (PointList2 { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 } }));
    }

    void linePointsRefused()
    {
        std::unique_ptr<FigLine> line(makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 } }));
        const PointList2 before = chainOf(line.get());
        // Already in the chain (a second link would make a cycle).
        line->insertPoint(line->points, line->pointAt(2));
        line->insertPoint(nullptr, line->points);
        // A previous point of another chain.
        FigPoint foreign(7, 7);
        auto* p = new FigPoint(1, 1);
        line->insertPoint(&foreign, p);
        line->removePoint(&foreign);
        line->removePoint(nullptr);
        line->insertPoint(nullptr, nullptr);
        QCOMPARE(chainOf(line.get()), before);
        delete p;
    }

    void splinePoints_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("index"); // insert: after this point, -1 in front; remove: this point
        QTest::addColumn<QList<int>>("xs");
        QTest::addColumn<ValueList>("factors");

        // Points at x 0, 10, 20, 30; the new point at x 99. Open splines start
        // with factors 0, 0.25, 0.75, 0, closed ones with 0.1, 0.2, 0.3, 0.4.
        QTest::newRow("open approximated, in front")
            << 0 << true << -1 << QList<int> { 99, 0, 10, 20, 30 } << ValueList { 0, 1, 0.25, 0.75, 0 };
        QTest::newRow("open approximated, after the last")
            << 0 << true << 3 << QList<int> { 0, 10, 20, 30, 99 } << ValueList { 0, 0.25, 0.75, 1, 0 };
        QTest::newRow("open interpolated, after the last")
            << 2 << true << 3 << QList<int> { 0, 10, 20, 30, 99 } << ValueList { 0, 0.25, 0.75, -1, 0 };
        QTest::newRow("open X-spline, in front")
            << 4 << true << -1 << QList<int> { 99, 0, 10, 20, 30 } << ValueList { 0, -1, 0.25, 0.75, 0 };
        QTest::newRow("open, inside") << 0 << true << 1 << QList<int> { 0, 10, 99, 20, 30 }
                                      << ValueList { 0, 0.25, 1, 0.75, 0 };
        QTest::newRow("closed approximated, in front")
            << 1 << true << -1 << QList<int> { 99, 0, 10, 20, 30 } << ValueList { 1, 0.1, 0.2, 0.3, 0.4 };
        QTest::newRow("closed interpolated, after the last")
            << 3 << true << 3 << QList<int> { 0, 10, 20, 30, 99 } << ValueList { 0.1, 0.2, 0.3, 0.4, -1 };
        QTest::newRow("closed X-spline, inside")
            << 5 << true << 1 << QList<int> { 0, 10, 99, 20, 30 } << ValueList { 0.1, 0.2, -1, 0.3, 0.4 };

        QTest::newRow("open, remove first") << 2 << false << 0 << QList<int> { 10, 20, 30 } << ValueList { 0, 0.75, 0 };
        QTest::newRow("open, remove last") << 2 << false << 3 << QList<int> { 0, 10, 20 } << ValueList { 0, 0.25, 0 };
        QTest::newRow("open, remove inner") << 0 << false << 1 << QList<int> { 0, 20, 30 } << ValueList { 0, 0.75, 0 };
        QTest::newRow("closed, remove first")
            << 3 << false << 0 << QList<int> { 10, 20, 30 } << ValueList { 0.2, 0.3, 0.4 };
        QTest::newRow("closed, remove last")
            << 1 << false << 3 << QList<int> { 0, 10, 20 } << ValueList { 0.1, 0.2, 0.3 };
        QTest::newRow("closed, remove inner")
            << 5 << false << 2 << QList<int> { 0, 10, 30 } << ValueList { 0.1, 0.2, 0.4 };
    }

    void splinePoints()
    {
        QFETCH(int, subType);
        QFETCH(bool, insert);
        QFETCH(int, index);
        std::unique_ptr<FigSpline> spline(makeSpline(1, { { 0, 0 }, { 10, 0 }, { 20, 0 }, { 30, 0 } }, subType));
        setFactors(spline.get(), subType % 2 == 0 ? ValueList { 0, 0.25, 0.75, 0 } : ValueList { 0.1, 0.2, 0.3, 0.4 });
        if (insert) {
            FigPoint* previous = spline->pointAt(index);
            auto* p = new FigPoint(99, 0);
            QVERIFY(spline->insertPoint(previous, p, previous ? previous->next : spline->points));
        } else {
            FigPoint* removed = spline->pointAt(index);
            FigPoint* successor = removed->next;
            spline->removePoint(spline->pointAt(index - 1), removed);
            QCOMPARE(removed->next, successor);
            delete removed;
        }
        QList<int> xs;
        for (const QPoint& p : chainOf(spline.get()))
            xs << p.x();
        QCOMPARE(xs, FETCHED(QList<int>, xs));
        QCOMPARE(factorsOf(spline.get()), FETCHED(ValueList, factors));
    }

    void splinePointPutBackTakesTheDefault()
    {
        // An undo of a removal puts the point back with the default of its
        // place, not the factor it had.
        std::unique_ptr<FigSpline> spline(makeSpline(1, { { 0, 0 }, { 10, 0 }, { 20, 0 }, { 30, 0 } }, 2));
        setFactors(spline.get(), { 0, 0.25, 0.75, 0 });
        FigPoint* last = spline->pointAt(3);
        FigPoint* previous = spline->pointAt(2);
        spline->removePoint(previous, last);
        QCOMPARE(factorsOf(spline.get()), (ValueList { 0, 0.25, 0 }));
        QVERIFY(spline->insertPoint(previous, last, nullptr));
        QCOMPARE(factorsOf(spline.get()), (ValueList { 0, 0.25, -1, 0 }));
        QCOMPARE(spline->pointAt(3), last);

        // Down to a single point and back up: the list stays parallel.
        FigPoint* removed[3];
        for (int i = 0; i < 3; ++i) {
            removed[i] = spline->points;
            spline->removePoint(nullptr, removed[i]);
        }
        QCOMPARE(spline->pointCount(), 1);
        QCOMPARE(factorsOf(spline.get()), ValueList { 0 });
        for (int i = 2; i >= 0; --i)
            QVERIFY(spline->insertPoint(nullptr, removed[i], spline->points));
        QCOMPARE(factorsOf(spline.get()), (ValueList { 0, -1, -1, 0 }));

        // A lone point of an open spline is both ends: a point added after it
        // leaves it at 0.0.
        std::unique_ptr<FigSpline> lone(makeSpline(2, { { 0, 0 } }, 0));
        setFactors(lone.get(), { 0 });
        QVERIFY(lone->insertPoint(lone->points, new FigPoint(5, 5), nullptr));
        QCOMPARE(factorsOf(lone.get()), (ValueList { 0, 0 }));
    }

    void splinePointsRefused()
    {
        std::unique_ptr<FigSpline> spline(makeSpline(1, { { 0, 0 }, { 10, 0 }, { 20, 0 } }, 3));
        const ValueList factors = factorsOf(spline.get());
        QVERIFY(!spline->insertPoint(spline->points, spline->pointAt(2), nullptr));
        FigPoint foreign(5, 5);
        auto* p = new FigPoint(1, 1);
        QVERIFY(!spline->insertPoint(&foreign, p, nullptr));
        QVERIFY(!spline->insertPoint(nullptr, nullptr, nullptr));
        spline->removePoint(nullptr, &foreign);
        spline->removePoint(nullptr, nullptr);
        QCOMPARE(spline->pointCount(), 3);
        QCOMPARE(factorsOf(spline.get()), factors);
        delete p;
    }

    void initShapeFactors_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("points");
        QTest::addColumn<ValueList>("factors");

        QTest::newRow("open approximated") << 0 << 4 << ValueList { 0, 1, 1, 0 };
        QTest::newRow("closed approximated") << 1 << 3 << ValueList { 1, 1, 1 };
        QTest::newRow("open interpolated") << 2 << 3 << ValueList { 0, -1, 0 };
        QTest::newRow("closed interpolated") << 3 << 3 << ValueList { -1, -1, -1 };
        QTest::newRow("open X-spline") << 4 << 2 << ValueList { 0, 0 };
        QTest::newRow("closed X-spline") << 5 << 4 << ValueList { -1, -1, -1, -1 };
        QTest::newRow("one point") << 2 << 1 << ValueList { 0 };
        QTest::newRow("no points") << 2 << 0 << ValueList {};
    }

    void initShapeFactors()
    {
        QFETCH(int, points);
        auto* spline = new FigSpline(1);
        std::unique_ptr<FigSpline> guard(spline);
        spline->subType = FETCHED(int, subType);
        FigPoint** tail = &spline->points;
        for (int i = 0; i < points; ++i) {
            *tail = new FigPoint(i, i);
            tail = &(*tail)->next;
        }
        QCOMPARE(spline->initShapeFactors(), 1);
        QCOMPARE(factorsOf(spline), FETCHED(ValueList, factors));
        // Again over an existing list: replaced, not leaked.
        QCOMPARE(spline->initShapeFactors(), 1);
        QCOMPARE(factorsOf(spline), FETCHED(ValueList, factors));
    }

    // ---- Arrows ----

    void swapArrows_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("arc") << int(FigObject::Arc) << 0 << 3 << true;
        QTest::newRow("pie wedge") << int(FigObject::Arc) << 1 << 3 << true;
        QTest::newRow("polyline") << int(FigObject::Polyline) << 1 << 2 << true;
        QTest::newRow("one-point polyline") << int(FigObject::Polyline) << 1 << 1 << false;
        QTest::newRow("box") << int(FigObject::Polyline) << 2 << 5 << false;
        QTest::newRow("polygon") << int(FigObject::Polyline) << 3 << 4 << false;
        QTest::newRow("arc-box") << int(FigObject::Polyline) << 4 << 5 << false;
        QTest::newRow("picture") << int(FigObject::Polyline) << 5 << 5 << true;
        QTest::newRow("open approximated") << int(FigObject::Spline) << 0 << 3 << true;
        QTest::newRow("closed approximated") << int(FigObject::Spline) << 1 << 3 << false;
        QTest::newRow("open interpolated") << int(FigObject::Spline) << 2 << 3 << true;
        QTest::newRow("closed interpolated") << int(FigObject::Spline) << 3 << 3 << false;
        QTest::newRow("open X-spline") << int(FigObject::Spline) << 4 << 3 << true;
        QTest::newRow("closed X-spline") << int(FigObject::Spline) << 5 << 3 << false;
    }

    void swapArrows()
    {
        QFETCH(int, kind);
        QFETCH(int, subType);
        QFETCH(int, points);
        QFETCH(bool, accepted);

        std::unique_ptr<FigObject> object;
        if (kind == FigObject::Arc) {
            object.reset(new FigArc(1));
        } else {
            std::initializer_list<QPoint> five { { 0, 0 }, { 10, 0 }, { 10, 10 }, { 0, 10 }, { 0, 0 } };
            FigPath* path = nullptr;
            if (kind == FigObject::Polyline) {
                auto* line = new FigLine(1);
                object.reset(line);
                path = line;
            } else {
                auto* spline = new FigSpline(1);
                object.reset(spline);
                path = spline;
            }
            path->points = makeChain(five);
            FigPoint* cut = path->pointAt(points - 1);
            freePointList(cut->next);
            cut->next = nullptr;
        }
        object->subType = subType;
        auto* oldForward = new FigArrow;
        object->forwArrow = oldForward;

        const auto swap = [&](int end, FigArrow* arrow, FigArrow*& previous) {
            if (kind == FigObject::Arc)
                return swapArcArrow(static_cast<FigArc*>(object.get()), end, arrow, previous);
            if (kind == FigObject::Polyline)
                return swapLineArrow(static_cast<FigLine*>(object.get()), end, arrow, previous);
            return swapSplineArrow(static_cast<FigSpline*>(object.get()), end, arrow, previous);
        };

        FigArrow sentinel;
        auto* forward = new FigArrow;
        FigArrow* previous = &sentinel;
        QCOMPARE(swap(2, forward, previous), accepted);
        if (!accepted) {
            QCOMPARE(previous, &sentinel);
            QCOMPARE(object->forwArrow, oldForward);
            QVERIFY(!object->backArrow);
            delete forward;
            return;
        }
        QCOMPARE(previous, oldForward);
        QCOMPARE(object->forwArrow, forward);
        delete previous;

        // End 0 is the backward arrow; a null arrow takes one off.
        auto* backward = new FigArrow;
        QVERIFY(swap(0, backward, previous));
        QCOMPARE(previous, static_cast<FigArrow*>(nullptr));
        QCOMPARE(object->backArrow, backward);
        QVERIFY(swap(0, nullptr, previous));
        QCOMPARE(previous, backward);
        QVERIFY(!object->backArrow);
        QCOMPARE(object->forwArrow, forward);
        delete backward;
    }

    void swapArrowsOfNothing()
    {
        FigArrow* previous = nullptr;
        QVERIFY(!swapArcArrow(nullptr, 1, nullptr, previous));
        QVERIFY(!swapLineArrow(nullptr, 1, nullptr, previous));
        QVERIFY(!swapSplineArrow(nullptr, 1, nullptr, previous));
    }
};

TAVREL_TEST_MAIN(TestPointOperations)
#include "tst_pointoperations.moc"
