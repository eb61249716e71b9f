#include "app/preferences.h"
#include "model/bounds.h"
#include "model/figarrow.h"
#include "model/units.h"
#include "modelfixtures.h"
#include "render/pointbuffer.h"
#include "support/testenv.h"

#include <QPixmap>
#include <QRect>

#include <cmath>
#include <memory>

using namespace fixtures;

using ObjectPtr = std::shared_ptr<FigObject>;
Q_DECLARE_METATYPE(ObjectPtr)

namespace {

using BoxList = QList<int>;

BoxList boundsOf(FigObject* object, CFigContext& ctx, bool withLineWidth, bool withTextDescent = true)
{
    int x0 = -1, y0 = -1, x1 = -1, y1 = -1;
    object->getBounds(&ctx, x0, y0, x1, y1, withTextDescent, withLineWidth);
    return { x0, y0, x1, y1 };
}

FigArc* thickArc(QPoint p1, QPoint p2, QPoint p3, float cx, float cy, int direction, int lineWidth, int subType = 0)
{
    FigArc* arc = makeArc(1, p1, p2, p3, cx, cy, direction);
    arc->subType = subType;
    arc->lineWidth = lineWidth;
    return arc;
}

FigEllipse* thickEllipse(QPoint c, QPoint r, float angle, int lineWidth, QPoint start, QPoint end)
{
    FigEllipse* e = makeEllipse(2, 0, c, r, start, end, angle);
    e->lineWidth = lineWidth;
    return e;
}

FigLine* thickLine(std::initializer_list<QPoint> points, int lineWidth, int joinStyle)
{
    FigLine* line = makeLine(3, points);
    line->lineWidth = lineWidth;
    line->joinStyle = joinStyle;
    return line;
}

FigSpline* thickSpline(std::initializer_list<QPoint> points, int subType, int lineWidth)
{
    FigSpline* spline = makeSpline(4, points, subType); // shape factors -1, -0.5, 0, 0.5, ...
    spline->lineWidth = lineWidth;
    return spline;
}

FigArrow* squareArrow()
{
    // Type 7 (square), hollow, thickness 2, 600 by 1200 Fig units.
    auto* arrow = new FigArrow;
    arrow->type = 7;
    arrow->style = 0;
    arrow->thickness = 2.0f;
    arrow->width = 600.0f;
    arrow->height = 1200.0f;
    return arrow;
}

FigText* sizedText(int fontSize, float angle = 0.0f, int justification = 0)
{
    FigText* text = makeText(1, QStringLiteral("Tavrel bounds"));
    text->font = 0;
    text->fontFlags = 4;
    text->fontSize = fontSize;
    text->angle = angle;
    text->subType = justification;
    text->x = 3000;
    text->y = 2000;
    return text;
}

} // namespace

class TestBounds : public QObject {
    Q_OBJECT

private slots:
    // Every kind at 80 dots per inch (one line width unit is 15 Fig units),
    // without and with the line width.
    void kinds_data()
    {
        QTest::addColumn<ObjectPtr>("object");
        QTest::addColumn<BoxList>("plain");
        QTest::addColumn<BoxList>("withWidth");

        // Arcs around (1000, 1000) with radius 500.
        QTest::newRow("arc quarter ccw from 0 to pi/2")
            << ObjectPtr(thickArc({ 1500, 1000 }, { 1354, 646 }, { 1000, 500 }, 1000, 1000, 1, 1))
            << BoxList { 1000, 499, 1501, 1000 } << BoxList { 993, 492, 1508, 1007 };
        QTest::newRow("arc cw from top through right and bottom")
            << ObjectPtr(thickArc({ 1000, 500 }, { 1500, 1000 }, { 600, 1300 }, 1000, 1000, 0, 2))
            << BoxList { 600, 499, 1501, 1501 } << BoxList { 585, 484, 1516, 1516 };
        QTest::newRow("arc ccw from top through left")
            << ObjectPtr(thickArc({ 1000, 500 }, { 500, 1000 }, { 600, 1300 }, 1000, 1000, 1, 0))
            << BoxList { 499, 499, 1000, 1300 } << BoxList { 499, 499, 1000, 1300 };
        QTest::newRow("arc ccw across angle 0")
            << ObjectPtr(thickArc({ 600, 1300 }, { 1000, 1500 }, { 1500, 1000 }, 1000, 1000, 1, 0))
            << BoxList { 600, 1000, 1501, 1501 } << BoxList { 600, 1000, 1501, 1501 };
        QTest::newRow("arc within one quadrant")
            << ObjectPtr(thickArc({ 1400, 700 }, { 1300, 600 }, { 1000, 500 }, 1000, 1000, 1, 0))
            << BoxList { 1000, 499, 1400, 700 } << BoxList { 1000, 499, 1400, 700 };
        QTest::newRow("pie wedge reaches its centre")
            << ObjectPtr(thickArc({ 1400, 700 }, { 1300, 600 }, { 1000, 500 }, 1000, 1000, 1, 0, 1))
            << BoxList { 1000, 499, 1400, 1000 } << BoxList { 1000, 499, 1400, 1000 };

        QTest::newRow("ellipse axis-aligned")
            << ObjectPtr(thickEllipse({ 1000, 2000 }, { 300, 200 }, 0, 2, { 1000, 2000 }, { 1300, 2000 }))
            << BoxList { 700, 1800, 1300, 2200 } << BoxList { 685, 1785, 1315, 2215 };
        QTest::newRow("ellipse with a zero radius")
            << ObjectPtr(thickEllipse({ 1000, 2000 }, { 0, 200 }, 0, 5, { 1000, 2000 }, { 1000, 2200 }))
            << BoxList { 1000, 2000, 1000, 2000 } << BoxList { 1000, 2000, 1000, 2000 };
        // Scanned in pixels (15 Fig units each): 20 by 10 pixels turned
        // upright; rows 100 +- 19, columns 100 +- 9.99 truncated.
        QTest::newRow("ellipse rotated by pi/2")
            << ObjectPtr(thickEllipse({ 1500, 1500 }, { 300, 150 }, float(M_PI / 2), 2, { 1500, 1500 }, { 1500, 1500 }))
            << BoxList { 1350, 1215, 1635, 1785 } << BoxList { 1335, 1200, 1650, 1800 };
        // The start and end points are part of the box.
        QTest::newRow("rotated circle with its end point")
            << ObjectPtr(thickEllipse({ 1500, 1500 }, { 150, 150 }, float(M_PI / 2), 2, { 1500, 1500 }, { 1650, 1500 }))
            << BoxList { 1350, 1365, 1650, 1635 } << BoxList { 1335, 1350, 1650, 1650 };

        QTest::newRow("polyline of one point") << ObjectPtr(thickLine({ { 100, 200 } }, 2, 0))
                                               << BoxList { 100, 200, 100, 200 } << BoxList { 85, 185, 115, 215 };
        QTest::newRow("polyline straight, miter") << ObjectPtr(thickLine({ { 0, 0 }, { 100, 0 } }, 2, 0))
                                                  << BoxList { 0, 0, 100, 0 } << BoxList { 0, -15, 100, 15 };
        QTest::newRow("collinear segments, miter") << ObjectPtr(thickLine({ { 0, 0 }, { 50, 0 }, { 100, 0 } }, 2, 0))
                                                   << BoxList { 0, 0, 100, 0 } << BoxList { 0, -15, 100, 15 };
        // The closing join applies to open polylines too: round adds the
        // last point +- w/2.
        QTest::newRow("polyline straight, round") << ObjectPtr(thickLine({ { 0, 0 }, { 100, 0 } }, 2, 1))
                                                  << BoxList { 0, 0, 100, 0 } << BoxList { 0, -15, 115, 15 };
        // A right angle pointing down: the miter point (100, 122) lies
        // below the outlines, which end at y 111.
        QTest::newRow("right-angled miter") << ObjectPtr(thickLine({ { 0, 0 }, { 100, 100 }, { 200, 0 } }, 2, 0))
                                            << BoxList { 0, 0, 200, 100 } << BoxList { -11, -11, 211, 122 };
        QTest::newRow("right-angled bevel") << ObjectPtr(thickLine({ { 0, 0 }, { 100, 100 }, { 200, 0 } }, 2, 2))
                                            << BoxList { 0, 0, 200, 100 } << BoxList { -11, -11, 211, 111 };
        QTest::newRow("right-angled round") << ObjectPtr(thickLine({ { 0, 0 }, { 100, 100 }, { 200, 0 } }, 2, 1))
                                            << BoxList { 0, 0, 200, 100 } << BoxList { -11, -15, 215, 115 };
        QTest::newRow("right-angled without join") << ObjectPtr(thickLine({ { 0, 0 }, { 100, 100 }, { 200, 0 } }, 2, 3))
                                                   << BoxList { 0, 0, 200, 100 } << BoxList { -11, -11, 211, 111 };
        // Sharp miters are cut at 5 w = 150 from the corner; the closing join
        // from the last segment back into the first one reaches x -150.
        QTest::newRow("sharp miter cut at 5w") << ObjectPtr(thickLine({ { 0, 0 }, { 1000, 10 }, { 0, 20 } }, 2, 0))
                                               << BoxList { 0, 0, 1000, 20 } << BoxList { -150, -15, 1150, 35 };

        QTest::newRow("approximated spline")
            << ObjectPtr(thickSpline({ { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 } }, 0, 1))
            << BoxList { 0, 0, 100, 100 } << BoxList { -15, -15, 115, 115 };
        // Factors -1, -0.5, 0, 0.5: only the second point bulges (by a
        // quarter of its neighbours' distance); the first one never does.
        QTest::newRow("interpolated spline, negative factor")
            << ObjectPtr(thickSpline({ { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 } }, 2, 0))
            << BoxList { 0, 0, 100, 100 } << BoxList { 0, -25, 125, 100 };
        QTest::newRow("X-spline, negative factor, width")
            << ObjectPtr(thickSpline({ { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 } }, 4, 1))
            << BoxList { 0, 0, 100, 100 } << BoxList { -15, -40, 140, 115 };

        QTest::newRow("compound of a line and an arc")
            << ObjectPtr(makeCompound(5,
                   { thickLine({ { 0, 0 }, { 100, 0 } }, 2, 1),
                       thickArc({ 1500, 1000 }, { 1354, 646 }, { 1000, 500 }, 1000, 1000, 1, 1) }))
            << BoxList { 0, 0, 1501, 1000 } << BoxList { 0, -15, 1508, 1007 };
        QTest::newRow("nested compound") << ObjectPtr(makeCompound(
            6, { makeCompound(7, { thickLine({ { -50, 10 }, { 0, 20 } }, 0, 0) }), thickLine({ { 100, 200 } }, 2, 0) }))
                                         << BoxList { -50, 10, 100, 200 } << BoxList { -50, 10, 115, 215 };
        QTest::newRow("empty compound") << ObjectPtr(makeCompound(8, {})) << BoxList { 0, 0, 0, 0 }
                                        << BoxList { 0, 0, 0, 0 };
    }

    void kinds()
    {
        QFETCH(ObjectPtr, object);
        QFETCH(BoxList, plain);
        QFETCH(BoxList, withWidth);
        CFigContext ctx;
        QCOMPARE(boundsOf(object.get(), ctx, false), plain);
        QCOMPARE(boundsOf(object.get(), ctx, true), withWidth);
    }

    // Vertical components of ellipses, arcs and splines use dpiY.
    void separateVerticalDpi()
    {
        CFigContext ctx;
        ctx.dpiY = 100.0f; // 12 Fig units per line width unit
        std::unique_ptr<FigEllipse> e(thickEllipse({ 1000, 2000 }, { 300, 200 }, 0, 2, { 1000, 2000 }, { 1300, 2000 }));
        QCOMPARE(boundsOf(e.get(), ctx, true), (BoxList { 685, 1788, 1315, 2212 }));
        std::unique_ptr<FigArc> a(thickArc({ 1500, 1000 }, { 1354, 646 }, { 1000, 500 }, 1000, 1000, 1, 2));
        QCOMPARE(boundsOf(a.get(), ctx, true), (BoxList { 985, 487, 1516, 1012 }));
        std::unique_ptr<FigSpline> s(thickSpline({ { 0, 0 }, { 100, 100 } }, 0, 1));
        QCOMPARE(boundsOf(s.get(), ctx, true), (BoxList { -15, -12, 115, 112 }));
    }

    void outlinesAndJoins()
    {
        QPoint outline[5];
        thickSegmentOutline(0, 0, 100, 0, outline, 30.0f);
        QCOMPARE(QList<QPoint>(outline, outline + 5),
            (QList<QPoint> { { 0, -15 }, { 0, 15 }, { 100, 15 }, { 100, -15 }, { 0, -15 } }));
        thickSegmentOutline(7, 8, 7, 8, outline, 3.0f); // h = 1.5, halves away from zero
        QCOMPARE(QList<QPoint>(outline, outline + 5),
            (QList<QPoint> { { 6, 7 }, { 9, 10 }, { 6, 7 }, { 9, 10 }, { 6, 7 } }));

        // No previous outline, or join style 3: no join.
        QPoint join[4];
        QVERIFY(!thickLineJoin(outline, QPoint(7, 8), nullptr, JoinRound, 30.0f, join));
        QVERIFY(!thickLineJoin(outline, QPoint(7, 8), outline, JoinNone, 30.0f, join));

        // Coordinates near the int limit: the length must not overflow.
        thickSegmentOutline(-2000000000, 0, 2000000000, 0, outline, 30.0f);
        QCOMPARE(outline[0], QPoint(-2000000000, -15));
        QCOMPARE(outline[2], QPoint(2000000000, 15));

        int x0, y0, x1, y1;
        thickPolylineBounds(nullptr, 0, true, 30.0f, 0, x0, y0, x1, y1);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 0, 0, 0, 0 }));
        const QPoint single[] = { { -10, 3 } };
        thickPolylineBounds(single, 1, true, 5.0f, 0, x0, y0, x1, y1); // -12.5, -7.5 and 5.5 round away from zero
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { -13, 1, -8, 6 }));
        // A closed triangle's closing join at its first point.
        const QPoint triangle[] = { { 0, 0 }, { 100, 100 }, { 200, 0 }, { 0, 0 } };
        thickPolylineBounds(triangle, 4, false, 30.0f, JoinMiter, x0, y0, x1, y1);
        const BoxList open { x0, y0, x1, y1 };
        thickPolylineBounds(triangle, 4, true, 30.0f, JoinMiter, x0, y0, x1, y1);
        QVERIFY(x0 < open[0]);
        QCOMPARE(x1 - 200, -x0);
    }

    // A segment of length 0 in a line of width 0 has an outline of length 0:
    // it meets its neighbours in no join, and the box is that of the points.
    void zeroLengthSegmentsMakeNoJoin_data()
    {
        QTest::addColumn<int>("joinStyle");
        QTest::newRow("miter") << int(JoinMiter);
        QTest::newRow("bevel") << int(JoinBevel);
    }
    void zeroLengthSegmentsMakeNoJoin()
    {
        QFETCH(int, joinStyle);
        QPoint previous[5];
        QPoint current[5];
        QPoint join[4];
        thickSegmentOutline(0, 0, 100, 0, previous, 0.0f);
        thickSegmentOutline(100, 0, 100, 0, current, 0.0f);
        QVERIFY(!thickLineJoin(current, QPoint(100, 0), previous, joinStyle, 0.0f, join));
        QVERIFY(!thickLineJoin(previous, QPoint(100, 0), current, joinStyle, 0.0f, join));
        const QPoint points[] = { { 0, 0 }, { 100, 0 }, { 100, 0 }, { 100, 100 } };
        int x0, y0, x1, y1;
        thickPolylineBounds(points, 4, true, 0.0f, joinStyle, x0, y0, x1, y1);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 0, 0, 100, 100 }));
    }

    void listsAndSelections()
    {
        CFigContext ctx;
        FigLine* first = thickLine({ { 0, 0 }, { 100, 0 } }, 2, 0);
        FigLine* second = thickLine({ { 100, 200 } }, 2, 0);
        OwnedList list { first, second, makeCompound(9, {}) };
        int x0, y0, x1, y1;
        ctx.getSelectionBounds(&list.list, x0, y0, x1, y1);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 0, 0, 0, 0 }));
        second->selected = true;
        ctx.getSelectionBounds(&list.list, x0, y0, x1, y1);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 85, 185, 115, 215 }));
        first->selected = true;
        ctx.getSelectionBounds(&list.list, x0, y0, x1, y1);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 0, -15, 115, 215 }));
        // The empty compound counts as a box at the origin.
        ctx.getObjectListBounds(&list.list, x0, y0, x1, y1, false, true, false);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 0, 0, 100, 200 }));

        ctx.pointChainBounds(nullptr, x0, y0, x1, y1);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 0, 0, 0, 0 }));
        std::unique_ptr<FigLine> line(makeLine(1, { { 5, -7 }, { -3, 9 }, { 4, 2 } }));
        ctx.pointChainBounds(line->points, x0, y0, x1, y1);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { -3, -7, 5, 9 }));
    }

    // A square arrowhead (type 7) by hand, at 80 dots per inch and zoom 1
    // (15 Fig units a pixel): 40 by 80 pixels, the tip pulled back by half
    // the arrow's thickness (1 pixel), its outline drawn 2 pixels wide (the
    // line's width) reaching 1 pixel beyond the square on every side. So the
    // head spans 20 + 1 pixels to each side of the line and from the pulled
    // tip 1 pixel forwards to 81 pixels back.
    void arrowsWidenPolylines_data()
    {
        QTest::addColumn<ObjectPtr>("object");
        QTest::addColumn<BoxList>("expected");

        // Horizontal, head at the end (200, 100) px: the square spans x 119 to
        // 199 and y 80 to 120 px, with the stroke x 118 to 200 and y 79 to 121
        // px, that is y 1185 to 1815 in Fig units; the line alone is y 1485 to
        // 1515.
        FigLine* forward = thickLine({ { 0, 1500 }, { 3000, 1500 } }, 2, 0);
        forward->forwArrow = squareArrow();
        QTest::newRow("forward head") << ObjectPtr(forward) << BoxList { 0, 1185, 3000, 1815 };
        // Vertical, head at the start (100, 0) px pointing up: x 79 to 121 px.
        FigLine* backward = thickLine({ { 1500, 0 }, { 1500, 3000 } }, 2, 0);
        backward->backArrow = squareArrow();
        QTest::newRow("backward head") << ObjectPtr(backward) << BoxList { 1185, 0, 1815, 3000 };
        // Only the end segments count: a head on each end of a bent line.
        FigLine* both = thickLine({ { 1500, 0 }, { 1500, 3000 }, { 4500, 3000 } }, 2, 0);
        both->backArrow = squareArrow();
        both->forwArrow = squareArrow();
        QTest::newRow("both heads") << ObjectPtr(both) << BoxList { 1185, 0, 4500, 3315 };
        // The same heads on an open X-spline, whose heads follow its control
        // segments: the spline's box is its control points' grown by the
        // whole width (30).
        FigSpline* spline = thickSpline({ { 0, 1500 }, { 3000, 1500 } }, 4, 2);
        spline->forwArrow = squareArrow();
        QTest::newRow("X-spline") << ObjectPtr(spline) << BoxList { -30, 1185, 3030, 1815 };
    }

    void arrowsWidenPolylines()
    {
        QFETCH(ObjectPtr, object);
        CFigContext ctx;
        QTEST(boundsOf(object.get(), ctx, true), "expected");
        // Without the line width neither the stroke nor the heads count.
        int x0, y0, x1, y1;
        ctx.pointChainBounds(object->type == FigObject::Polyline ? static_cast<FigLine*>(object.get())->points
                                                                 : static_cast<FigSpline*>(object.get())->points,
            x0, y0, x1, y1);
        QCOMPARE(boundsOf(object.get(), ctx, false), (BoxList { x0, y0, x1, y1 }));
        // The box is the same wherever the view is scrolled.
        ctx.originX = 333;
        ctx.originY = -77;
        QTEST(boundsOf(object.get(), ctx, true), "expected");
    }

    // An arc's heads sit on its ends along the tangent: a quarter arc
    // counter-clockwise from the right to the top of a circle of radius 3000
    // around (3000, 3000); the head at the top points left, so the box grows
    // above and below the top point by the half-width of the head.
    void arrowsWidenArcs()
    {
        CFigContext ctx;
        std::unique_ptr<FigArc> arc(thickArc({ 6000, 3000 }, { 5121, 879 }, { 3000, 0 }, 3000, 3000, 1, 2));
        const BoxList plain = boundsOf(arc.get(), ctx, true);
        arc->forwArrow = squareArrow();
        const BoxList headed = boundsOf(arc.get(), ctx, true);
        QCOMPARE(headed[0], plain[0]);
        QCOMPARE(headed[2], plain[2]);
        QCOMPARE(headed[3], plain[3]);
        QVERIFY(headed[1] <= -21 * 15 + 15 && headed[1] >= -21 * 15 - 15);
    }

    // An interpolated spline's heads follow its evaluated curve, whose last
    // chord here bends away from the last control segment: the same spline
    // as an X-spline (same box rule, heads on the control segment) gets the
    // square head upright, the interpolated one a tilted head.
    void arrowsOnInterpolatedSplines()
    {
        CFigContext ctx;
        std::unique_ptr<FigSpline> interpolated(thickSpline({ { 0, 0 }, { 3000, 0 }, { 0, 3000 } }, 2, 2));
        std::unique_ptr<FigSpline> xspline(thickSpline({ { 0, 0 }, { 3000, 0 }, { 0, 3000 } }, 4, 2));
        const BoxList plain = boundsOf(interpolated.get(), ctx, true);
        QCOMPARE(boundsOf(xspline.get(), ctx, true), plain);

        interpolated->forwArrow = squareArrow();
        xspline->forwArrow = squareArrow();
        const BoxList curved = boundsOf(interpolated.get(), ctx, true);
        const BoxList straight = boundsOf(xspline.get(), ctx, true);
        // The control segment ends at (0, 3000) pointing down-left at 45
        // degrees; the upright square's corner reaches (20 + 1) px times
        // sqrt 2 past the end of the line, below it.
        QVERIFY(straight[3] > plain[3]);
        QVERIFY(curved[3] > plain[3]);
        QVERIFY(curved != straight);

        // The head of the interpolated spline is the one drawn from its
        // curve: three curve points back, not the control segment.
        ctx.computeOpenSpline(interpolated.get(), 0.5f, addScreenPoint);
        QVERIFY(pointBuffer.count > 4);
        const QPoint tip = pointBuffer.points[pointBuffer.count - 1];
        const QPoint from = pointBuffer.points[pointBuffer.count - 4];
        QCOMPARE(tip, QPoint(0, 200));
        QVERIFY(from != QPoint(200, 0));
    }

    // Texts: the box follows the font size, the rotation, the justification
    // and the descent; no size is pinned to a number.
    void textsGrowWithSizeAndTurn()
    {
        CFigContext ctx;
        std::unique_ptr<FigText> small(sizedText(12));
        std::unique_ptr<FigText> large(sizedText(24));
        const BoxList s = boundsOf(small.get(), ctx, true, false);
        const BoxList l = boundsOf(large.get(), ctx, true, false);
        // Left justified: from the anchor rightwards, baseline on the anchor.
        QCOMPARE(s[0], 3000);
        QCOMPARE(s[3], 2000);
        QCOMPARE(s[2] - s[0], small->width);
        QCOMPARE(s[3] - s[1], small->ascent);
        QVERIFY(s[2] > s[0] && s[3] > s[1]);
        // Twice the size, about twice the box.
        const double widthRatio = double(l[2] - l[0]) / (s[2] - s[0]);
        const double heightRatio = double(l[3] - l[1]) / (s[3] - s[1]);
        QVERIFY2(widthRatio > 1.6 && widthRatio < 2.4, qPrintable(QString::number(widthRatio)));
        QVERIFY2(heightRatio > 1.6 && heightRatio < 2.4, qPrintable(QString::number(heightRatio)));

        // The descent reaches below the baseline by the font's descent.
        const BoxList withDescent = boundsOf(small.get(), ctx, true, true);
        QVERIFY(small->descent > 0);
        QCOMPARE(withDescent[3], 2000 + roundToInt(15.0f * float(small->descent)));
        QCOMPARE(withDescent[1], s[1] + withDescent[3] - 2000);

        // Turned by a quarter counter-clockwise: tall and narrow, the
        // baseline rising from the anchor.
        std::unique_ptr<FigText> turned(sizedText(12, float(M_PI / 2)));
        const BoxList t = boundsOf(turned.get(), ctx, true, false);
        QCOMPARE(t, (BoxList { 3000 + (s[1] - 2000), 2000 - (s[2] - 3000), 3000 + (s[3] - 2000), 2000 }));
        QVERIFY(t[3] - t[1] > t[2] - t[0]);
        // Half a turn: the box lies left of the anchor and below the baseline.
        std::unique_ptr<FigText> upsideDown(sizedText(12, float(M_PI)));
        QCOMPARE(boundsOf(upsideDown.get(), ctx, true, false),
            (BoxList { 3000 - (s[2] - 3000), 2000, 3000, 2000 + (2000 - s[1]) }));
        // A slant of 30 degrees: taller than the ascent, the top end raised.
        std::unique_ptr<FigText> slanted(sizedText(12, float(M_PI / 6)));
        const BoxList sl = boundsOf(slanted.get(), ctx, true, false);
        QVERIFY(sl[3] - sl[1] > s[3] - s[1]);
        QVERIFY(sl[1] < s[1]);

        // Centred and right justified.
        std::unique_ptr<FigText> centred(sizedText(12, 0.0f, 1));
        std::unique_ptr<FigText> right(sizedText(12, 0.0f, 2));
        const int w = small->width;
        QCOMPARE(boundsOf(centred.get(), ctx, true, false), (BoxList { 3000 - w / 2, s[1], 3000 - w / 2 + w, 2000 }));
        QCOMPARE(boundsOf(right.get(), ctx, true, false), (BoxList { 3000 - w, s[1], 3000, 2000 }));
    }

    // The box measures a text never drawn, and brings its metrics to the
    // document's zoom.
    void textMetricsFollowTheZoom()
    {
        CFigContext ctx;
        std::unique_ptr<FigText> fresh(sizedText(12));
        QCOMPARE(fresh->metricsZoom, 0.0f);
        const BoxList first = boundsOf(fresh.get(), ctx, true);
        QCOMPARE(fresh->metricsZoom, 1.0f);
        QVERIFY(fresh->width > 0);
        QCOMPARE(first[2] - first[0], fresh->width);

        ctx.zoom = 2.0f;
        const BoxList zoomed = boundsOf(fresh.get(), ctx, true);
        QCOMPARE(fresh->metricsZoom, 2.0f);
        // Roughly the same extent in Fig units at any zoom.
        QVERIFY(qAbs((zoomed[2] - zoomed[0]) - (first[2] - first[0])) < (first[2] - first[0]) / 4);
    }

    // A typeset LaTeX image at zoom 100 (keyed by the horizontal dots per
    // inch) gives the width, in any of the three drawing styles; other keys
    // and a switched-off preference leave the font's width.
    void latexImageWidth_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("useTex");
        QTest::addColumn<bool>("imageWidth");
        QTest::newRow("normal") << 0 << 80 << true << true;
        QTest::newRow("greyed") << 2 << 80 << true << true;
        QTest::newRow("other zoom") << 0 << 160 << true << false;
        QTest::newRow("preference off") << 1 << 80 << false << false;
    }

    void latexImageWidth()
    {
        QFETCH(int, style);
        QFETCH(int, key);
        QFETCH(bool, useTex);
        QFETCH(bool, imageWidth);
        const bool saved = preferences.renderSpecialTextUsingTex;
        preferences.renderSpecialTextUsingTex = useTex;
        CFigContext ctx;
        std::unique_ptr<FigText> text(sizedText(12));
        text->fontFlags = 2;
        ctx.computeTextMetrics(text.get(), 1.0);
        text->latexPixmaps[style].insert(key, new QPixmap(40, 30));
        const BoxList box = boundsOf(text.get(), ctx, true, false);
        preferences.renderSpecialTextUsingTex = saved;
        QCOMPARE(box[2] - box[0], imageWidth ? 40 * 15 : text->width);
        QCOMPARE(box[3] - box[1], text->ascent);
    }

    void growing()
    {
        int x0 = 10, y0 = 20, x1 = 30, y1 = 40;
        growBounds(x0, y0, x1, y1, 5);
        QCOMPARE((BoxList { x0, y0, x1, y1 }), (BoxList { 5, 15, 35, 45 }));
        QRect r(QPoint(10, 20), QPoint(30, 40));
        growRect(r, 3);
        QCOMPARE(r, QRect(QPoint(7, 17), QPoint(33, 43)));
    }
};

TAVREL_TEST_MAIN(TestBounds)
#include "tst_bounds.moc"
