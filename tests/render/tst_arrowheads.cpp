#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "render/arrowheads.h"
#include "render/pointbuffer.h"
#include "support/testenv.h"

#include <QVector>

#include <climits>
#include <cmath>

Q_DECLARE_METATYPE(QVector<QPoint>)
Q_DECLARE_METATYPE(FigArrow)

namespace {

struct Head {
    QVector<QPoint> outline;
    QVector<QPoint> fill;
    QVector<QPoint> clip;
};

FigArrow arrowOf(int type, int style, float thickness, float width = 60, float height = 120)
{
    FigArrow arrow;
    arrow.type = type;
    arrow.style = style;
    arrow.thickness = thickness;
    arrow.width = width;
    arrow.height = height;
    return arrow;
}

// 80 dots per inch, 15 Fig units a pixel: width 60 and height 120 give 4 and
// 8 pixels.
struct Canvas {
    CFigContext context;
    explicit Canvas(float zoom = 1.0f)
    {
        context.dpiX = context.dpiY = 80.0f;
        context.zoom = zoom;
    }
    Head head(const QPoint& from, const QPoint& tip, const FigArrow& arrow)
    {
        QPoint outline[arrowOutlineCapacity];
        QPoint fill[arrowFillCapacity];
        QPoint clip[arrowClipCapacity];
        int outlineCount = -1, fillCount = -1, clipCount = -1;
        context.computeArrowPolygons(
            from, tip, int(arrow.thickness), arrow, outline, outlineCount, fill, fillCount, clip, clipCount);
        return { QVector<QPoint>(outline, outline + outlineCount), QVector<QPoint>(fill, fill + fillCount),
            QVector<QPoint>(clip, clip + clipCount) };
    }
};

} // namespace

class TestArrowheads : public QObject {
    Q_OBJECT
private slots:
    void tableRows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("row");
        QTest::newRow("first") << 0 << 0 << 0;
        QTest::newRow("type 1 filled") << 1 << 1 << 3;
        QTest::newRow("last") << 14 << 1 << 29;
        QTest::newRow("type 15") << 15 << 0 << 0;
        QTest::newRow("negative type") << -1 << 0 << 0;
        QTest::newRow("negative style") << 0 << -1 << 0;
        QTest::newRow("both negative") << -5 << -7 << 0;
        QTest::newRow("huge type") << INT_MAX << 1 << 0;
        QTest::newRow("most negative type") << INT_MIN << 0 << 0;
        QTest::newRow("huge style") << 0 << INT_MAX << 0;
    }
    void tableRows()
    {
        QFETCH(int, type);
        QFETCH(int, style);
        QFETCH(int, row);
        QCOMPARE(arrowShapeRow(type, style), row);
    }

    void tableShape()
    {
        for (int row = 0; row < arrowShapeCount; ++row) {
            const ArrowShape& s = arrowShapes[row];
            QVERIFY(s.pointCount >= 0 && s.pointCount <= 6);
            QVERIFY(s.fillPointCount >= 0 && s.fillPointCount <= 6);
            QVERIFY(s.tipIndex >= 0 && s.tipIndex < 6);
            QCOMPARE(s.clip, row != 16 && row != 17);
            QCOMPARE(s.half, row >= 20 && row <= 25);
        }
        QCOMPARE(arrowShapes[22].pullBack, 3.5);
        QCOMPARE(arrowShapes[19].fillPoints[0][1], 0.5);
    }

    void badRowsDrawRowZero()
    {
        Canvas canvas;
        const Head reference = canvas.head({ 0, 50 }, { 100, 50 }, arrowOf(0, 0, 1));
        QCOMPARE(reference.outline.size(), 3);
        QCOMPARE(canvas.head({ 0, 50 }, { 100, 50 }, arrowOf(1000, 0, 1)).outline, reference.outline);
        QCOMPARE(canvas.head({ 0, 50 }, { 100, 50 }, arrowOf(-3, 0, 1)).outline, reference.outline);
        QCOMPARE(canvas.head({ 0, 50 }, { 100, 50 }, arrowOf(2, -9, 1)).outline, reference.outline);
    }

    // Width 60 and height 120 at zoom 1, 80 dpi: 4 and 8 pixels. The tip is
    // pulled back by u = thickness / (2 sin(atan(4 / (pullBack × 8)))) (for
    // pullBack > 0) and rounded; barbs lie 8 back and 2 to each side of it.
    void polygons_data()
    {
        QTest::addColumn<FigArrow>("arrow");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("tip");
        QTest::addColumn<QVector<QPoint>>("outline");
        QTest::addColumn<QVector<QPoint>>("fill");
        QTest::addColumn<QVector<QPoint>>("clip");
        // u = 1 / (2 sin(atan(4 / 16.8))) = 2.16: tip at 97.84, rounded 98.
        // Clip: three entries, the back corner at the smallest across (-2),
        // the tip itself ± I (I = roundToInt(1 × 0.5 + 1) = 2), the other
        // back corner at the largest across (2).
        QTest::newRow("type 1 filled, to the right")
            << arrowOf(1, 1, 1) << QPoint(0, 50) << QPoint(100, 50)
            << QVector<QPoint> { { 90, 52 }, { 98, 50 }, { 90, 48 }, { 90, 52 } } << QVector<QPoint>()
            << QVector<QPoint> { { 90, 52 }, { 98, 50 }, { 90, 48 }, { 90, 48 }, { 100, 48 }, { 100, 52 }, { 90, 52 } };
        // Pointing up the screen: along is -y, across +x.
        QTest::newRow("type 1 filled, upwards")
            << arrowOf(1, 1, 1) << QPoint(50, 100) << QPoint(50, 0)
            << QVector<QPoint> { { 52, 10 }, { 50, 2 }, { 48, 10 }, { 52, 10 } } << QVector<QPoint>()
            << QVector<QPoint> { { 52, 10 }, { 50, 2 }, { 48, 10 }, { 48, 10 }, { 48, 0 }, { 52, 0 }, { 52, 10 } };
        // Thickness 10: u = 10 / (2 sin(atan(4 / 17.2))) = 22.08, tip 77.92
        // rounded 78; I = roundToInt(10 × 0.5 + 1) = 6 widens the clip.
        QTest::newRow("type 0 thick, pulled back")
            << arrowOf(0, 0, 10) << QPoint(0, 50) << QPoint(100, 50)
            << QVector<QPoint> { { 70, 52 }, { 78, 50 }, { 70, 48 } } << QVector<QPoint>()
            << QVector<QPoint> { { 70, 52 }, { 78, 50 }, { 70, 48 }, { 70, 44 }, { 100, 44 }, { 100, 56 }, { 70, 56 } };
        // pullBack 0: u = thickness / 2 = 2; I = 3.
        QTest::newRow("type 7 square, half thickness back")
            << arrowOf(7, 0, 4) << QPoint(0, 50) << QPoint(100, 50)
            << QVector<QPoint> { { 90, 52 }, { 98, 52 }, { 98, 48 }, { 90, 48 }, { 90, 52 } } << QVector<QPoint>()
            << QVector<QPoint> { { 90, 52 }, { 98, 52 }, { 98, 48 }, { 98, 47 }, { 100, 47 }, { 100, 53 }, { 90, 53 } };
        // pullBack -1: the tip stays.
        QTest::newRow("type 13 hollow, tip stays")
            << arrowOf(13, 0, 4) << QPoint(0, 50) << QPoint(100, 50)
            << QVector<QPoint> { { 100, 52 }, { 92, 50 }, { 100, 48 } } << QVector<QPoint>()
            << QVector<QPoint> { { 100, 52 }, { 92, 50 }, { 100, 48 }, { 100, 47 }, { 100, 47 }, { 100, 53 },
                   { 100, 53 } };
        // Type 9: u = 1 / (2 sin(atan(4 / 20.8))) = 2.65, tip 97.35 -> 97.
        QTest::newRow("type 9 half filled")
            << arrowOf(9, 1, 1) << QPoint(0, 50) << QPoint(100, 50)
            << QVector<QPoint> { { 87, 52 }, { 97, 50 }, { 87, 48 }, { 89, 50 }, { 87, 52 } }
            << QVector<QPoint> { { 87, 52 }, { 97, 50 }, { 89, 50 } }
            << QVector<QPoint> { { 87, 52 }, { 97, 50 }, { 87, 48 }, { 87, 48 }, { 100, 48 }, { 100, 52 }, { 87, 52 } };
        // Half arrow, thickness 2.5 (w = 2): u = 2.5 / (2 sin(atan(4 / 20))) =
        // 6.37, tip 93.63 -> 94; g = roundToInt(15 × (2 - 2.5) × 0.5) =
        // roundToInt(-3.75) = -4 moves every across value by +4; I = 2.
        QTest::newRow("type 10 half arrow")
            << arrowOf(10, 0, 2.5f) << QPoint(0, 50) << QPoint(100, 50)
            << QVector<QPoint> { { 86, 56 }, { 94, 54 }, { 86, 54 }, { 86, 56 } } << QVector<QPoint>()
            << QVector<QPoint> { { 86, 56 }, { 94, 54 }, { 86, 54 }, { 86, 48 }, { 100, 48 }, { 100, 52 }, { 86, 56 } };
        // Type 8 has no clip polygon.
        QTest::newRow("type 8 without clip") << arrowOf(8, 0, 0) << QPoint(0, 50) << QPoint(100, 50)
                                             << QVector<QPoint> { { 92, 50 }, { 100, 52 }, { 100, 48 }, { 92, 50 } }
                                             << QVector<QPoint>() << QVector<QPoint>();
    }
    void polygons()
    {
        QFETCH(FigArrow, arrow);
        QFETCH(QPoint, from);
        QFETCH(QPoint, tip);
        QFETCH(QVector<QPoint>, outline);
        QFETCH(QVector<QPoint>, fill);
        QFETCH(QVector<QPoint>, clip);
        Canvas canvas;
        const Head head = canvas.head(from, tip, arrow);
        QCOMPARE(head.outline, outline);
        QCOMPARE(head.fill, fill);
        QCOMPARE(head.clip, clip);
    }

    void degenerateArrows_data()
    {
        QTest::addColumn<FigArrow>("arrow");
        QTest::addColumn<QPoint>("from");
        QTest::newRow("zero width") << arrowOf(1, 1, 1, 0, 120) << QPoint(0, 0);
        QTest::newRow("zero height") << arrowOf(1, 1, 1, 60, 0) << QPoint(0, 0);
        QTest::newRow("width below half a pixel") << arrowOf(1, 1, 1, 7, 120) << QPoint(0, 0);
        QTest::newRow("zero-length end segment") << arrowOf(1, 1, 1) << QPoint(100, 50);
        QTest::newRow("circle of zero height") << arrowOf(5, 1, 1, 60, 0) << QPoint(0, 0);
    }
    void degenerateArrows()
    {
        QFETCH(FigArrow, arrow);
        QFETCH(QPoint, from);
        Canvas canvas;
        const Head head = canvas.head(from, QPoint(100, 50), arrow);
        QVERIFY(head.outline.isEmpty() && head.fill.isEmpty() && head.clip.isEmpty());
    }

    void circle_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<float>("height");
        QTest::addColumn<int>("points");
        // 80 and 800 pixels across: no two of the points share a pixel.
        QTest::newRow("zoom 1") << 1.0f << 1200.0f << 40;
        QTest::newRow("zoom 99.99") << 99.99f << 120.0f << 65;
    }
    void circle()
    {
        QFETCH(float, zoom);
        QFETCH(float, height);
        QFETCH(int, points);
        Canvas canvas(zoom);
        // Thickness 0: no pull-back, so the circle runs from the tip to a
        // point one height behind it.
        const Head head = canvas.head({ 0, 50 }, { 1000, 50 }, arrowOf(5, 0, 0, 60, height));
        QCOMPARE(head.outline.size(), points);
        QVERIFY(head.fill.isEmpty());
        const int hpx = std::lround(canvas.context.canvasScaleX() * height);
        const QPointF centre(1000 - hpx / 2.0, 50);
        QCOMPARE(head.outline.first(), QPoint(int(centre.x()), 50 + hpx / 2)); // starts at 5π/2
        QCOMPARE(head.outline.last(), head.outline.first());
        for (const QPoint& p : head.outline)
            QVERIFY(std::fabs(std::hypot(p.x() - centre.x(), p.y() - centre.y()) - hpx / 2.0) <= 1.0);
        QCOMPARE(head.clip.size(), 5);
    }

    void smallCircleDropsRepeats()
    {
        Canvas canvas;
        const Head head = canvas.head({ 0, 50 }, { 100, 50 }, arrowOf(5, 1, 0));
        QVERIFY(head.outline.size() < 40);
        for (int i = 1; i < head.outline.size(); ++i)
            QVERIFY(head.outline[i] != head.outline[i - 1]);
    }

    void halfCircleBehindTip()
    {
        Canvas canvas;
        const Head head = canvas.head({ 0, 50 }, { 100, 50 }, arrowOf(6, 0, 2, 60, 1200));
        QCOMPARE(head.outline.first(), QPoint(100, 10));
        QCOMPARE(head.outline.last(), QPoint(100, 90));
        int left = INT_MAX;
        for (const QPoint& p : head.outline) {
            QVERIFY(p.x() <= 100);
            left = std::min(left, p.x());
        }
        QCOMPARE(left, 60);
        // Clip: Y = 40 + 1 = 41 in front of the centre, across ±41.
        QCOMPARE(head.clip, (QVector<QPoint> { { 100, 9 }, { 100, 9 }, { 141, 9 }, { 141, 91 }, { 100, 91 } }));
    }

    void objectEnds()
    {
        Canvas canvas;
        FigLine line(1);
        line.forwArrow = new FigArrow(arrowOf(1, 1, 1));
        line.backArrow = new FigArrow(arrowOf(1, 0, 1));
        const QPoint points[5] = { { 0, 0 }, { 40, 0 }, { 60, 20 }, { 60, 60 }, { 100, 60 } };
        ArrowPolygons forward, backward;

        // A polyline takes its end segments.
        canvas.context.computeArrowheads(&line, 2, points, 5, 0, forward, backward);
        const Head fromLast = canvas.head(points[3], points[4], *line.forwArrow);
        const Head fromFirst = canvas.head(points[1], points[0], *line.backArrow);
        QCOMPARE(QVector<QPoint>(forwardArrowOutline.points, forwardArrowOutline.points + forwardArrowOutline.count),
            fromLast.outline);
        QCOMPARE(QVector<QPoint>(backwardArrowOutline.points, backwardArrowOutline.points + backwardArrowOutline.count),
            fromFirst.outline);
        QCOMPARE(QVector<QPoint>(forward.clip, forward.clip + forward.clipCount), fromLast.clip);
        QCOMPARE(QVector<QPoint>(backward.clip, backward.clip + backward.clipCount), fromFirst.clip);

        // A spline looks three points back from each end.
        canvas.context.computeArrowheads(&line, 3, points, 5, 2, forward, backward);
        QCOMPARE(QVector<QPoint>(forwardArrowOutline.points, forwardArrowOutline.points + forwardArrowOutline.count),
            canvas.head(points[1], points[4], *line.forwArrow).outline);
        QCOMPARE(QVector<QPoint>(backwardArrowOutline.points, backwardArrowOutline.points + backwardArrowOutline.count),
            canvas.head(points[3], points[0], *line.backArrow).outline);

        // Too short for the offset: the last segment.
        canvas.context.computeArrowheads(&line, 3, points, 3, 2, forward, backward);
        QCOMPARE(QVector<QPoint>(forwardArrowOutline.points, forwardArrowOutline.points + forwardArrowOutline.count),
            canvas.head(points[1], points[2], *line.forwArrow).outline);

        // Without an end segment nothing is left over from before.
        canvas.context.computeArrowheads(&line, 2, points, 1, 0, forward, backward);
        QCOMPARE(forwardArrowOutline.count + backwardArrowOutline.count, 0);
        QCOMPARE(forward.clipCount + backward.clipCount + forward.fillCount + backward.fillCount, 0);
    }

    void arcEnds()
    {
        // Counter-clockwise from the right (80, 40) to the top (40, 0) of a
        // circle around (40, 40) pixels.
        Canvas canvas;
        FigArc arc(1);
        arc.direction = 1;
        arc.centerX = arc.centerY = 600.0f;
        arc.points[0].x = 1200;
        arc.points[0].y = 600;
        arc.points[1].x = 1024;
        arc.points[1].y = 176;
        arc.points[2].x = 600;
        arc.points[2].y = 0;
        arc.forwArrow = new FigArrow(arrowOf(1, 1, 1));
        arc.backArrow = new FigArrow(arrowOf(1, 1, 1));
        ArrowPolygons forward, backward;
        canvas.context.computeArrowheads(&arc, 5, nullptr, 0, 0, forward, backward);
        // The arc arrives at the top moving left and leaves the right moving
        // up: the forward head points left, the backward one down.
        QCOMPARE(QVector<QPoint>(forwardArrowOutline.points, forwardArrowOutline.points + forwardArrowOutline.count),
            canvas.head({ 80, 0 }, { 40, 0 }, *arc.forwArrow).outline);
        QCOMPARE(QVector<QPoint>(backwardArrowOutline.points, backwardArrowOutline.points + backwardArrowOutline.count),
            canvas.head({ 80, 0 }, { 80, 40 }, *arc.backArrow).outline);
        QCOMPARE(forwardArrowOutline.points[1], QPoint(42, 0));
    }

    void boundsGrowByTheHeads()
    {
        // A line along y = 100 pixels to x = 180 with a 40 × 80 pixel
        // triangle: barbs at (98, 80) and (98, 120), tip pulled to (178, 100).
        Canvas canvas;
        FigLine line(1);
        line.lineWidth = 1;
        line.points = new FigPoint(0, 1500);
        line.points->next = new FigPoint(2700, 1500);
        line.forwArrow = new FigArrow(arrowOf(1, 1, 1, 600, 1200));
        int xmin = 0, ymin = 1500, xmax = 2700, ymax = 1500;
        canvas.context.addArrowBounds(2, &line, xmin, ymin, xmax, ymax);
        QCOMPARE(xmin, 0);
        QCOMPARE(xmax, 2700);
        // The barbs (±20 pixels) and half the stroke, in Fig units.
        QVERIFY(ymin <= 80 * 15 && ymin >= 78 * 15);
        QVERIFY(ymax >= 120 * 15 && ymax <= 122 * 15);

        // The box does not depend on where the view is scrolled, also when the
        // head lies left of and above the view.
        canvas.context.originX = canvas.context.originY = 300;
        int sxmin = 0, symin = 1500, sxmax = 2700, symax = 1500;
        canvas.context.addArrowBounds(2, &line, sxmin, symin, sxmax, symax);
        QVERIFY(std::abs(symin - ymin) <= 15 && std::abs(symax - ymax) <= 15);
        QCOMPARE(sxmax, 2700);

        // A backward head at the first point grows the box to the left.
        canvas.context.originX = canvas.context.originY = 0;
        line.backArrow = new FigArrow(arrowOf(1, 1, 1, 600, 1200));
        canvas.context.addArrowBounds(2, &line, xmin, ymin, xmax, ymax);
        QVERIFY(xmin <= 0 && xmin >= -2 * 15);
    }

    void boundsWithoutHeads()
    {
        Canvas canvas;
        FigLine line(1);
        line.lineWidth = 1;
        line.points = new FigPoint(0, 1500);
        int xmin = 0, ymin = 1500, xmax = 0, ymax = 1500;
        canvas.context.addArrowBounds(2, &line, xmin, ymin, xmax, ymax); // no arrows
        line.forwArrow = new FigArrow(arrowOf(1, 1, 1, 600, 1200));
        canvas.context.addArrowBounds(2, &line, xmin, ymin, xmax, ymax); // no end segment
        QCOMPARE(QRect(QPoint(xmin, ymin), QPoint(xmax, ymax)), QRect(QPoint(0, 1500), QPoint(0, 1500)));
    }

    void arcBounds()
    {
        // Counter-clockwise from the right to the top of a circle around
        // (600, 600): the forward head at the top points left.
        Canvas canvas;
        FigArc arc(1);
        arc.lineWidth = 1;
        arc.direction = 1;
        arc.centerX = arc.centerY = 600.0f;
        arc.points[0].x = 1200;
        arc.points[0].y = 600;
        arc.points[1].x = 1024;
        arc.points[1].y = 176;
        arc.points[2].x = 600;
        arc.points[2].y = 0;
        arc.forwArrow = new FigArrow(arrowOf(1, 1, 1, 600, 1200));
        int xmin = 600, ymin = 0, xmax = 1200, ymax = 600;
        canvas.context.addArrowBounds(5, &arc, xmin, ymin, xmax, ymax);
        // Barbs 80 pixels right of the tip and 20 above and below it.
        QCOMPARE(xmin, 600);
        QVERIFY(xmax >= 120 * 15);
        QVERIFY(ymin <= -20 * 15 && ymin >= -22 * 15);
        QCOMPARE(ymax, 600);
    }
};

TAVREL_TEST_MAIN(TestArrowheads)
#include "tst_arrowheads.moc"
