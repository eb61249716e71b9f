// Picking: the object and point under the pointer within two screen pixels,
// kind by kind; the callbacks of the picking modes; the tangent left by a hit.
#include "edit/picking.h"
#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/geometricqueries.h"
#include "support/testenv.h"

#include "model/figfiletest.h"

#include <QPoint>

#include <cmath>

namespace {

// 80 dots per inch: 15 Fig units a pixel at zoom 1, a tolerance of 30 Fig
// units at zoom 1 and of 8 at zoom 4.
const QByteArray polyline = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1200\n";
const QByteArray circle = "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 3000 3000 600 600 3000 3000 3600 3000\n";
// The upper half of the circle around (3000, 3000), from left to right.
const QByteArray upperArc = "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 3000.000 3000.000 2400 3000 3000 2400 3600 3000\n";
// A straight spline: two control points.
const QByteArray spline = "3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 2\n\t 1200 1200 2400 1200\n\t 0.000 0.000\n";
const QByteArray text = "4 0 0 50 -1 0 12 0.0000 4 135 450 1800 1800 label\\001\n";
const QByteArray compound = "6 1500 1500 2100 2100\n"
                            "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1500 1500 2100 2100\n"
                            "-6\n";

QByteArray fig(const QByteArray& objects)
{
    return figtest::foreignHeader() + objects;
}

// What the callbacks were called with.
struct Call {
    int count = 0;
    FigObject* object = nullptr;
    int type = -1;
    QPoint pressed;
    QPoint hit;
    FigPoint* previous = nullptr;
    FigPoint* point = nullptr;
    int index = -1;
};
Call objectCall;
Call pointCall;
bool pointAnswer = true;

bool recordObject(CFigContext*, FigObject* object, int type, int x, int y, int hitX, int hitY)
{
    ++objectCall.count;
    objectCall.object = object;
    objectCall.type = type;
    objectCall.pressed = QPoint(x, y);
    objectCall.hit = QPoint(hitX, hitY);
    return false; // ignored by the pick
}

bool recordPoint(CFigContext*, FigObject* object, int type, int x, int y, int pointX, int pointY, FigPoint* previous,
    FigPoint* point, int index)
{
    ++pointCall.count;
    pointCall.object = object;
    pointCall.type = type;
    pointCall.pressed = QPoint(x, y);
    pointCall.hit = QPoint(pointX, pointY);
    pointCall.previous = previous;
    pointCall.point = point;
    pointCall.index = index;
    return pointAnswer;
}

struct Drawing : figtest::Document {
    explicit Drawing(const QByteArray& objects, float zoom = 1.0f)
    {
        QCOMPARE(read(fig(objects)), 0);
        context->zoom = zoom;
    }
    CFigContext& ctx() { return *context; }
};

} // namespace

class TestPicking : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        pickState = PickState();
        objectCall = Call();
        pointCall = Call();
        pointAnswer = true;
        tangentSegmentValid = false;
    }

    void tolerance_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("zoom 1") << 1.0f << 30;
        QTest::newRow("zoom 2") << 2.0f << 15;
        QTest::newRow("zoom 4") << 4.0f << 8;
    }
    void tolerance()
    {
        QFETCH(float, zoom);
        QFETCH(int, tolerance);
        CFigContext context;
        context.dpiX = context.dpiY = 80.0f;
        context.zoom = zoom;
        QCOMPARE(pickTolerance(&context), tolerance);
    }

    // Each kind just inside and just outside the tolerance. Lines and
    // compound edges need the squared distance below t squared; points count
    // within t in x and in y; arcs and splines are traced on the screen and
    // hit within two pixels there.
    void eachKindAtTheEdgeOfTheTolerance_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("type");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QPoint>("outside");
        QTest::newRow("polyline, zoom 1") << polyline << 1.0f << 2 << QPoint(1800, 1229) << QPoint(1800, 1231);
        QTest::newRow("polyline, zoom 4") << polyline << 4.0f << 2 << QPoint(1800, 1207) << QPoint(1800, 1209);
        QTest::newRow("polyline end, zoom 1") << polyline << 1.0f << 2 << QPoint(2430, 1230) << QPoint(2431, 1200);
        QTest::newRow("circle, zoom 1") << circle << 1.0f << 1 << QPoint(3000, 2370) << QPoint(3000, 2369);
        QTest::newRow("circle, zoom 4") << circle << 4.0f << 1 << QPoint(3000, 2392) << QPoint(3000, 2391);
        QTest::newRow("arc, zoom 1") << upperArc << 1.0f << 5 << QPoint(3000, 2370) << QPoint(3000, 2355);
        QTest::newRow("arc, zoom 4") << upperArc << 4.0f << 5 << QPoint(3000, 2392) << QPoint(3000, 2388);
        QTest::newRow("arc, other half") << upperArc << 1.0f << 5 << QPoint(3600, 2990) << QPoint(3000, 3600);
        QTest::newRow("spline, zoom 1") << spline << 1.0f << 3 << QPoint(1800, 1230) << QPoint(1800, 1245);
        QTest::newRow("spline, zoom 4") << spline << 4.0f << 3 << QPoint(1800, 1208) << QPoint(1800, 1212);
        QTest::newRow("text anchor, zoom 1") << text << 1.0f << 4 << QPoint(1830, 1830) << QPoint(1831, 1800);
        QTest::newRow("text anchor, zoom 4") << text << 4.0f << 4 << QPoint(1792, 1808) << QPoint(1800, 1809);
    }
    void eachKindAtTheEdgeOfTheTolerance()
    {
        QFETCH(QByteArray, objects);
        QFETCH(float, zoom);
        QFETCH(int, type);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, outside);
        Drawing d(objects, zoom);
        FigObject* only = d.object(0);
        int hitX = 0;
        int hitY = 0;
        QCOMPARE(d.ctx().findObjectUnderCursor(inside.x(), inside.y(), hitX, hitY), only);
        QCOMPARE(d.ctx().findObjectUnderCursor(outside.x(), outside.y(), hitX, hitY), nullptr);

        setLeftObjectCallback(recordObject);
        QCOMPARE(pickObjectLeft(&d.ctx(), inside.x(), inside.y()), only);
        QCOMPARE(objectCall.object, only);
        QCOMPARE(objectCall.type, type);
        QCOMPARE(objectCall.pressed, inside);
        // The hit lies on the object, within the tolerance of the press (one
        // pixel more for the traced kinds).
        const int reach = pickTolerance(&d.ctx()) + (type == 5 || type == 3 ? 15 / int(zoom) + 1 : 0);
        QVERIFY2(
            std::abs(objectCall.hit.x() - inside.x()) <= reach && std::abs(objectCall.hit.y() - inside.y()) <= reach,
            qPrintable(QStringLiteral("%1,%2").arg(objectCall.hit.x()).arg(objectCall.hit.y())));
    }

    // A compound by the four edges and corners of its box (as the reader
    // fitted it), never by its inside.
    void compoundByItsEdgesAndCorners_data()
    {
        QTest::addColumn<QPoint>("offset"); // per axis: -1 the low side, 0 the middle, 1 the high side
        QTest::addColumn<QPoint>("shift"); // Fig units added
        QTest::addColumn<bool>("edge");
        QTest::addColumn<bool>("corner");
        QTest::newRow("left edge, inside the tolerance") << QPoint(-1, 0) << QPoint(-29, 0) << true << false;
        QTest::newRow("left edge, outside it") << QPoint(-1, 0) << QPoint(-31, 0) << false << false;
        QTest::newRow("right edge") << QPoint(1, 0) << QPoint(29, 5) << true << false;
        QTest::newRow("top edge") << QPoint(0, -1) << QPoint(0, 29) << true << false;
        QTest::newRow("bottom edge") << QPoint(0, 1) << QPoint(10, -29) << true << false;
        QTest::newRow("upper-left corner") << QPoint(-1, -1) << QPoint(-30, -30) << true << true;
        QTest::newRow("beside the lower-right corner") << QPoint(1, 1) << QPoint(31, 0) << false << false;
        QTest::newRow("inside the box") << QPoint(0, 0) << QPoint(0, 0) << false << false;
    }
    void compoundByItsEdgesAndCorners()
    {
        QFETCH(QPoint, offset);
        QFETCH(QPoint, shift);
        QFETCH(bool, edge);
        QFETCH(bool, corner);
        Drawing d(compound);
        auto* c = static_cast<FigCompound*>(d.object(0));
        const auto along = [](int side, int low, int high) {
            return side < 0 ? low : side > 0 ? high : (low + high) / 2;
        };
        const int x = along(offset.x(), c->upperLeft.x, c->lowerRight.x) + shift.x();
        const int y = along(offset.y(), c->upperLeft.y, c->lowerRight.y) + shift.y();
        int hitX = 0;
        int hitY = 0;
        QCOMPARE(d.ctx().findObjectUnderCursor(x, y, hitX, hitY) == c, edge);
        QCOMPARE(d.ctx().findCompoundCornerNear(x, y, 30, hitX, hitY) == c, corner);
        if (corner)
            QCOMPARE(QPoint(hitX, hitY), QPoint(c->upperLeft.x, c->upperLeft.y));
    }

    // A text counts at its anchor and one font height (12 points at 80 dots
    // per inch: 180 Fig units) above it across the baseline, also when it is
    // turned; nowhere else along its string.
    void textByAnchorAndFontHeight_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QPoint>("hit");
        QTest::newRow("anchor") << text << QPoint(1810, 1790) << true << QPoint(1800, 1800);
        QTest::newRow("one font height above") << text << QPoint(1800, 1620) << true << QPoint(1800, 1620);
        QTest::newRow("beside, on the string") << text << QPoint(1950, 1750) << false << QPoint();
        QTest::newRow("below") << text << QPoint(1800, 1900) << false << QPoint();
        QTest::newRow("turned a quarter: left of the anchor")
            << QByteArray("4 0 0 50 -1 0 12 1.5708 4 135 450 1800 1800 up\\001\n") << QPoint(1625, 1800) << true
            << QPoint(1620, 1800);
    }
    void textByAnchorAndFontHeight()
    {
        QFETCH(QByteArray, objects);
        QFETCH(QPoint, at);
        QFETCH(bool, found);
        QFETCH(QPoint, hit);
        Drawing d(objects);
        int hitX = 0;
        int hitY = 0;
        FigObject* object = d.ctx().findObjectUnderCursor(at.x(), at.y(), hitX, hitY);
        QCOMPARE(object != nullptr, found);
        if (found)
            QCOMPARE(QPoint(hitX, hitY), hit);
    }

    // The kinds are tried in a fixed order over the whole list: the first
    // kind wins wherever its object lies in the list and whatever its depth.
    void kindOrderBeatsListOrderAndDepth_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("type");
        // A circle in front (depth 10, first in the list) and a polyline
        // behind it (depth 90) both pass through (3000, 2400).
        QTest::newRow("polyline before circle")
            << QByteArray("1 3 0 1 0 7 10 -1 -1 0.000 1 0.0000 3000 3000 600 600 3000 3000 3600 3000\n"
                          "2 1 0 1 0 7 90 -1 -1 0.000 0 0 -1 0 0 2\n\t 2400 2400 3600 2400\n")
            << QPoint(3000, 2400) << 2;
        QTest::newRow("circle before arc") << upperArc + circle << QPoint(3000, 2400) << 1;
        QTest::newRow("arc before spline")
            << QByteArray("3 0 0 1 0 7 10 -1 -1 0.000 0 0 0 2\n\t 2400 2400 3600 2400\n\t 0.000 0.000\n") + upperArc
            << QPoint(3000, 2400) << 5;
        QTest::newRow("compound before text")
            << QByteArray("4 0 0 10 -1 0 12 0.0000 4 135 450 1500 1500 label\\001\n") + compound << QPoint(1500, 1500)
            << 6;
    }
    void kindOrderBeatsListOrderAndDepth()
    {
        QFETCH(QByteArray, objects);
        QFETCH(QPoint, at);
        QFETCH(int, type);
        Drawing d(objects);
        setLeftObjectCallback(recordObject);
        FigObject* found = pickObjectLeft(&d.ctx(), at.x(), at.y());
        QVERIFY(found);
        QCOMPARE(found->type, type);
        QCOMPARE(objectCall.type, type);
    }

    void hiddenDepthsAreSkipped()
    {
        Drawing d(QByteArray("2 1 0 1 0 7 40 -1 -1 0.000 0 0 -1 0 0 2\n\t 2400 2400 3600 2400\n") + circle + compound);
        d.ctx().depthVisible[40] = false;
        int hitX = 0;
        int hitY = 0;
        // The hidden polyline passes through the circle's top: the circle wins.
        QCOMPARE(d.ctx().findObjectUnderCursor(3000, 2400, hitX, hitY), d.object(1));
        QCOMPARE(d.ctx().findObjectUnderCursor(2400, 2400, hitX, hitY), nullptr);
        // A compound counts while one of its members is shown.
        auto* c = static_cast<FigCompound*>(d.object(2));
        QCOMPARE(d.ctx().findObjectUnderCursor(c->upperLeft.x, 1800, hitX, hitY), c);
        d.ctx().depthVisible[50] = false;
        QCOMPARE(d.ctx().findObjectUnderCursor(c->upperLeft.x, 1800, hitX, hitY), nullptr);
        QCOMPARE(d.ctx().findCompoundCornerNear(c->upperLeft.x, c->upperLeft.y, 30, hitX, hitY), nullptr);
        QCOMPARE(d.ctx().findObjectUnderCursor(3000, 2400, hitX, hitY), nullptr);
        setPointCallback(recordPoint);
        QCOMPARE(pickPoint(&d.ctx(), 3600, 3000), nullptr);
    }

    // The tangent left by a hit: A the hit point (a segment end for lines
    // and splines), A to B along the outline there.
    void tangentRecord_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("line") << polyline << QPoint(1800, 1210) << true << true;
        QTest::newRow("line, vertical") << QByteArray(
            "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 1200 2400\n")
                                        << QPoint(1210, 1800) << true << false;
        QTest::newRow("spline") << spline << QPoint(1800, 1210) << true << true;
        QTest::newRow("arc at its top") << upperArc << QPoint(3000, 2410) << true << true;
        QTest::newRow("arc at its left end") << upperArc << QPoint(2405, 2990) << true << false;
        QTest::newRow("ellipse at its top") << circle << QPoint(3000, 2410) << true << true;
        QTest::newRow("ellipse at its side") << circle << QPoint(2410, 3000) << true << false;
        QTest::newRow("text: none") << text << QPoint(1800, 1800) << false << false;
        QTest::newRow("compound: none") << compound << QPoint(1200, 1800) << false << false;
        QTest::newRow("nothing: none") << circle << QPoint(100, 100) << false << false;
    }
    void tangentRecord()
    {
        QFETCH(QByteArray, objects);
        QFETCH(QPoint, at);
        QFETCH(bool, valid);
        QFETCH(bool, horizontal);
        Drawing d(objects);
        tangentSegmentValid = !valid;
        setLeftObjectCallback(recordObject);
        pickObjectLeft(&d.ctx(), at.x(), at.y());
        QCOMPARE(tangentSegmentValid, valid);
        if (!valid)
            return;
        const int dx = tangentSegment.x2 - tangentSegment.x1;
        const int dy = tangentSegment.y2 - tangentSegment.y1;
        QVERIFY2(std::hypot(dx, dy) >= 2.0, qPrintable(QStringLiteral("%1,%2").arg(dx).arg(dy)));
        // Along the outline: within a few degrees of the axis.
        if (horizontal)
            QVERIFY2(std::abs(dy) * 10 <= std::abs(dx), qPrintable(QStringLiteral("%1,%2").arg(dx).arg(dy)));
        else
            QVERIFY2(std::abs(dx) * 10 <= std::abs(dy), qPrintable(QStringLiteral("%1,%2").arg(dx).arg(dy)));
        if (objectCall.type == FigObject::Arc || objectCall.type == FigObject::Ellipse)
            QCOMPARE(QPoint(tangentSegment.x1, tangentSegment.y1), objectCall.hit);
    }

    // Without a callback of its button a pick searches nothing; a miss tells
    // the callback with no object and the polyline code.
    void pickCallbacks()
    {
        Drawing d(circle);
        tangentSegment = { 1, 2, 3, 4 };
        tangentSegmentValid = true;
        QCOMPARE(pickObjectLeft(&d.ctx(), 3000, 2400), nullptr);
        QVERIFY(tangentSegmentValid);
        QCOMPARE(tangentSegment.x2, 3);

        setRightObjectCallback(recordObject);
        QCOMPARE(pickObjectLeft(&d.ctx(), 3000, 2400), nullptr);
        QCOMPARE(objectCall.count, 0);
        QCOMPARE(pickObjectRight(&d.ctx(), 3000, 2400), d.object(0));
        QCOMPARE(objectCall.count, 1);
        QCOMPARE(objectCall.type, 1);

        QCOMPARE(pickObjectRight(&d.ctx(), 100, 100), nullptr);
        QCOMPARE(objectCall.count, 2);
        QCOMPARE(objectCall.object, nullptr);
        QCOMPARE(objectCall.type, 2);
        QCOMPARE(objectCall.pressed, QPoint(100, 100));
        QCOMPARE(objectCall.hit, QPoint(0, 0));

        // As a press handler the pick is the same call.
        setLeftObjectCallback(recordObject);
        pressHandler<pickObjectLeft>(&d.ctx(), 3000, 2400);
        QCOMPARE(objectCall.count, 3);
        QCOMPARE(objectCall.object, d.object(0));
    }

    // The point search: the kinds in order, the first point within the
    // tolerance, its predecessor and index.
    void pointSearch_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("type");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("previousIndex"); // -1: none
        QTest::addColumn<int>("index");
        QTest::newRow("polyline end") << polyline << QPoint(2420, 1190) << 2 << QPoint(2400, 1200) << 0 << 0;
        QTest::newRow("polyline head") << polyline << QPoint(1200, 1200) << 2 << QPoint(1200, 1200) << -1 << 0;
        // The closing copy of a polygon's first point is found as the first.
        QTest::newRow("polygon's closing point")
            << QByteArray("2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 1200 1200 2400 1200 1800 2400 1200 1200\n")
            << QPoint(1210, 1210) << 2 << QPoint(1200, 1200) << -1 << 0;
        QTest::newRow("ellipse start") << circle << QPoint(2995, 3010) << 1 << QPoint(3000, 3000) << -1 << 0;
        QTest::newRow("ellipse end") << circle << QPoint(3620, 3000) << 1 << QPoint(3600, 3000) << -1 << 1;
        QTest::newRow("arc middle point") << upperArc << QPoint(3000, 2420) << 5 << QPoint(3000, 2400) << -1 << 1;
        QTest::newRow("arc last point") << upperArc << QPoint(3600, 3000) << 5 << QPoint(3600, 3000) << -1 << 2;
        QTest::newRow("spline second point") << spline << QPoint(2390, 1205) << 3 << QPoint(2400, 1200) << 0 << 0;
        QTest::newRow("polyline before spline")
            << spline + QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 2400 1200 2400 2400\n")
            << QPoint(2400, 1200) << 2 << QPoint(2400, 1200) << -1 << 0;
    }
    void pointSearch()
    {
        QFETCH(QByteArray, objects);
        QFETCH(QPoint, at);
        QFETCH(int, type);
        QFETCH(QPoint, point);
        QFETCH(int, previousIndex);
        QFETCH(int, index);
        Drawing d(objects);
        setPointCallback(recordPoint);
        FigObject* found = pickPoint(&d.ctx(), at.x(), at.y());
        QVERIFY(found);
        QCOMPARE(found->type, type);
        QCOMPARE(pointCall.object, found);
        QCOMPARE(pointCall.type, type);
        QCOMPARE(pointCall.hit, point);
        QVERIFY(pointCall.point);
        QCOMPARE(QPoint(pointCall.point->x, pointCall.point->y), point);
        QCOMPARE(pointCall.index, index);
        if (previousIndex < 0) {
            QCOMPARE(pointCall.previous, nullptr);
        } else {
            QVERIFY(pointCall.previous);
            QCOMPARE(pointCall.previous->next, pointCall.point);
        }
    }

    void pointSearchFindsCompoundCornersButNoTexts()
    {
        Drawing d(compound + text);
        auto* c = static_cast<FigCompound*>(d.object(0));
        setPointCallback(recordPoint);
        QCOMPARE(pickPoint(&d.ctx(), c->lowerRight.x + 20, c->upperLeft.y - 20), c);
        QCOMPARE(pointCall.type, 6);
        QCOMPARE(pointCall.hit, QPoint(c->lowerRight.x, c->upperLeft.y));
        QCOMPARE(pointCall.point, nullptr);
        QCOMPARE(pointCall.previous, nullptr);
        QCOMPARE(pickPoint(&d.ctx(), 1800, 1800), nullptr); // the text's anchor
        QCOMPARE(pointCall.object, nullptr);
        QCOMPARE(pointCall.type, 2);
    }

    // A point the callback refuses is a miss: no object comes back, not the
    // refused one and not one found by an earlier pick.
    void refusedPointIsAMiss()
    {
        Drawing d(polyline + circle);
        setPointCallback(recordPoint);
        QCOMPARE(pickPoint(&d.ctx(), 1200, 1200), d.object(0));
        pointAnswer = false;
        QCOMPARE(pickPoint(&d.ctx(), 3600, 3000), nullptr);
        QCOMPARE(pointCall.object, d.object(1)); // it was offered the point
        QCOMPARE(pickPoint(&d.ctx(), 1200, 1200), nullptr);
        QCOMPARE(pickPoint(&d.ctx(), 100, 100), nullptr);
        QCOMPARE(pointCall.object, nullptr);
        // Without a callback the object found comes back.
        setPointCallback(nullptr);
        QCOMPARE(pickPoint(&d.ctx(), 1200, 1200), d.object(0));
    }

    void splineControlPolygon()
    {
        // An approximated spline's curve keeps away from its middle control
        // point; its control polygon does not.
        Drawing d("3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 1200 2400 1800 1200 2400 2400\n\t 0.000 1.000 0.000\n");
        int hitX = 0;
        int hitY = 0;
        QCOMPARE(findSplineControlPolygonNear(&d.ctx(), d.ctx().objects(), 1500, 1800, 30, hitX, hitY), d.object(0));
        QVERIFY(std::abs(hitX - 1500) <= 30 && std::abs(hitY - 1800) <= 30);
        QCOMPARE(findSplineControlPolygonNear(&d.ctx(), d.ctx().objects(), 1190, 2410, 30, hitX, hitY), d.object(0));
        QCOMPARE(QPoint(hitX, hitY), QPoint(1200, 2400));
        QCOMPARE(findSplineControlPolygonNear(&d.ctx(), d.ctx().objects(), 1800, 2400, 30, hitX, hitY), nullptr);
        d.ctx().depthVisible[50] = false;
        QCOMPARE(findSplineControlPolygonNear(&d.ctx(), d.ctx().objects(), 1190, 2410, 30, hitX, hitY), nullptr);
    }
};

TAVREL_TEST_MAIN(TestPicking)
#include "tst_picking.moc"
