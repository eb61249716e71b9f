#include "model/figcontext.h"
#include "model/figline.h"
#include "render/pointbuffer.h"
#include "support/testenv.h"

#include <QVector>

#include <climits>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(QVector<QPoint>)

namespace {

QVector<QPoint> bufferPoints()
{
    return QVector<QPoint>(pointBuffer.points, pointBuffer.points + pointBuffer.count);
}

// A window-less context at 80 dots per inch: 15 Fig units per pixel.
struct Canvas {
    CFigContext context;
    Canvas(float zoom = 1.0f, int originX = 0, int originY = 0)
    {
        context.dpiX = context.dpiY = 80.0f;
        context.zoom = zoom;
        context.originX = originX;
        context.originY = originY;
    }
};

std::unique_ptr<FigLine> lineOf(const QVector<QPoint>& points)
{
    auto line = std::make_unique<FigLine>(1);
    FigPoint** tail = &line->points;
    for (const QPoint& p : points) {
        *tail = new FigPoint(p.x(), p.y());
        tail = &(*tail)->next;
    }
    return line;
}

// Every step of a traced outline moves to one of the eight neighbours.
bool connected(const QVector<QPoint>& points, int from, int to)
{
    for (int i = from + 1; i < to; ++i) {
        const QPoint d = points[i] - points[i - 1];
        if (std::abs(d.x()) > 1 || std::abs(d.y()) > 1 || d.isNull())
            return false;
    }
    return true;
}

} // namespace

class TestPointBuffer : public QObject {
    Q_OBJECT
private slots:
    void init() { resetPointBuffer(); }

    void resetEmptiesButKeepsArray()
    {
        addScreenPoint(7, 8);
        resetPointBuffer();
        QCOMPARE(pointBuffer.count, 0);
        QCOMPARE(pointBuffer.lastX, -1);
        QCOMPARE(pointBuffer.lastY, -1);
        QCOMPARE(pointBuffer.points[0], QPoint(7, 8));
    }

    void repeatsAreSkipped()
    {
        QVERIFY(addScreenPoint(5, 5));
        QVERIFY(addScreenPoint(5, 5));
        QCOMPARE(pointBuffer.count, 1);
        QVERIFY(addScreenPoint(6, 5));
        QVERIFY(addScreenPoint(5, 5));
        QCOMPARE(bufferPoints(), (QVector<QPoint> { { 5, 5 }, { 6, 5 }, { 5, 5 } }));
    }

    void firstPointMayEqualResetMarker()
    {
        // A line starting at pixel (-1, -1) keeps its first point.
        QVERIFY(addScreenPoint(-1, -1));
        QVERIFY(addScreenPoint(100, 100));
        QCOMPARE(bufferPoints(), (QVector<QPoint> { { -1, -1 }, { 100, 100 } }));
    }

    void fullBufferRefuses()
    {
        for (int i = 0; i < PointBuffer::capacity; ++i)
            QVERIFY(addScreenPoint(i, -i));
        QCOMPARE(pointBuffer.count, 100000);
        QVERIFY(!addScreenPoint(1, 1));
        QVERIFY(!addScreenPoint(99999, -99999)); // even a repeat
        QCOMPARE(pointBuffer.count, 100000);
        QCOMPARE(pointBuffer.points[99999], QPoint(99999, -99999));
    }

    void removeDuplicates_data()
    {
        QTest::addColumn<QVector<QPoint>>("points");
        QTest::addColumn<QVector<QPoint>>("expected");
        QTest::newRow("repeat dropped, later return kept") << QVector<QPoint> { { 1, 1 }, { 1, 1 }, { 2, 2 }, { 1, 1 } }
                                                           << QVector<QPoint> { { 1, 1 }, { 2, 2 }, { 1, 1 } };
        QTest::newRow("empty") << QVector<QPoint>() << QVector<QPoint>();
        QTest::newRow("all equal") << QVector<QPoint> { { 3, 4 }, { 3, 4 }, { 3, 4 } } << QVector<QPoint> { { 3, 4 } };
        QTest::newRow("none equal") << QVector<QPoint> { { 0, 0 }, { 1, 0 }, { 0, 0 } }
                                    << QVector<QPoint> { { 0, 0 }, { 1, 0 }, { 0, 0 } };
        QTest::newRow("trailing run") << QVector<QPoint> { { 0, 0 }, { 1, 0 }, { 1, 0 }, { 1, 0 } }
                                      << QVector<QPoint> { { 0, 0 }, { 1, 0 } };
    }
    void removeDuplicates()
    {
        QFETCH(QVector<QPoint>, points);
        QFETCH(QVector<QPoint>, expected);
        const int count = removeDuplicatePoints(points.data(), points.size());
        QCOMPARE(points.mid(0, count), expected);
    }

    void appendAndCopy()
    {
        const QPoint source[3] = { { 1, 2 }, { 3, 4 }, { 5, 6 } };
        QVector<QPoint> vector { { 0, 0 } };
        appendPoints(vector, source, 2);
        QCOMPARE(vector, (QVector<QPoint> { { 0, 0 }, { 1, 2 }, { 3, 4 } }));
        QPoint destination[3];
        copyPointPairs(source, destination, 3);
        QCOMPARE(destination[2], QPoint(5, 6));
    }

    void figPointsAreMapped()
    {
        Canvas canvas(2.0f, 10, 0);
        QVERIFY(canvas.context.addFigPoint(15, 1200));
        QCOMPARE(bufferPoints(), (QVector<QPoint> { { -8, 160 } }));
    }

    void linePoints()
    {
        Canvas canvas;
        addScreenPoint(99, 99);
        auto line = lineOf({ { 0, 0 }, { 1200, 0 }, { 1205, 3 }, { 1200, 600 }, { 0, 0 } });
        QVERIFY(canvas.context.addLinePoints(line.get()));
        // (1205, 3) maps onto the pixel of (1200, 0) and is skipped.
        QCOMPARE(bufferPoints(), (QVector<QPoint> { { 0, 0 }, { 80, 0 }, { 80, 40 }, { 0, 0 } }));

        FigLine empty(2);
        QVERIFY(!canvas.context.addLinePoints(&empty));
        QCOMPARE(pointBuffer.count, 0);
    }

    void longLineStopsAtCapacity()
    {
        Canvas canvas;
        QVector<QPoint> points;
        for (int i = 0; i <= PointBuffer::capacity; ++i)
            points.append(QPoint(15 * i, 0));
        auto line = lineOf(points);
        QVERIFY(canvas.context.addLinePoints(line.get()));
        QCOMPARE(pointBuffer.count, PointBuffer::capacity);
        QCOMPARE(pointBuffer.points[PointBuffer::capacity - 1], QPoint(PointBuffer::capacity - 1, 0));
    }

    void tracedCircle_data()
    {
        QTest::addColumn<int>("radius"); // Fig units
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("direction");
        QTest::newRow("small, clockwise") << 45 << 1.0f << 0;
        QTest::newRow("one inch, clockwise") << 1200 << 1.0f << 0;
        QTest::newRow("one inch, counter-clockwise") << 1200 << 1.0f << 1;
        QTest::newRow("odd radius, zoomed") << 1000 << 3.3f << 1;
        QTest::newRow("large") << 30000 << 2.0f << 0;
    }
    void tracedCircle()
    {
        QFETCH(int, radius);
        QFETCH(float, zoom);
        QFETCH(int, direction);
        Canvas canvas(zoom, 7, -3);
        const int cx = 3000;
        const int cy = 2400;
        canvas.context.addEllipticArcPoints(radius, 0, radius, 0, false, direction, radius, radius, cx, cy);
        const QVector<QPoint> points = bufferPoints();
        const QPoint centre = canvas.context.figToPixelPoint(cx, cy);
        const double r = std::lround(canvas.context.canvasScaleX() * radius);
        QVERIFY(points.size() > 4 * r);
        QCOMPARE(points.first(), centre + QPoint(int(r), 0));
        QCOMPARE(points.last(), points.first()); // closed
        QVERIFY(connected(points, 0, points.size()));
        int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
        for (const QPoint& p : points) {
            const QPoint d = p - centre;
            QVERIFY2(std::fabs(std::hypot(d.x(), d.y()) - r) <= 1.0,
                qPrintable(QStringLiteral("(%1, %2) off the circle").arg(d.x()).arg(d.y())));
            left = std::min(left, d.x());
            right = std::max(right, d.x());
            top = std::min(top, d.y());
            bottom = std::max(bottom, d.y());
        }
        QCOMPARE(QRect(QPoint(left, top), QPoint(right, bottom)), QRect(QPoint(-r, -r), QPoint(r, r)));
        // The first move goes the way the direction says: clockwise on the
        // screen from the rightmost point is downwards.
        QCOMPARE(points[1].y() - points[0].y(), direction == 0 ? 1 : -1);
    }

    void quarterArcUpperLeft()
    {
        Canvas canvas;
        const int r = 1200; // 80 pixels
        canvas.context.addEllipticArcPoints(-r, 0, 0, r, false, 0, r, r, 0, 0);
        const QVector<QPoint> points = bufferPoints();
        QCOMPARE(points.first(), QPoint(-80, 0));
        QVERIFY(std::abs(points.last().x()) <= 2);
        QVERIFY(std::abs(points.last().y() + 80) <= 2);
        QVERIFY(connected(points, 0, points.size()));
        for (int i = 0; i < points.size(); ++i) {
            QVERIFY(points[i].x() <= 0 && points[i].y() <= 0);
            if (i > 0) // from the left to the top
                QVERIFY(points[i].x() >= points[i - 1].x() && points[i].y() <= points[i - 1].y());
        }
    }

    void pieWedgeClosesThroughCentre()
    {
        Canvas canvas;
        canvas.context.addEllipticArcPoints(600, 0, 600, 0, true, 1, 600, 600, 1200, 1200);
        const QVector<QPoint> points = bufferPoints();
        QCOMPARE(points.size() >= 3, true);
        QCOMPARE(points[points.size() - 3], QPoint(120, 80)); // the first pixel closes the circle
        QCOMPARE(points[points.size() - 2], QPoint(80, 80)); // the centre
        QCOMPARE(points.last(), QPoint(120, 80));
    }

    void vanishingWeightsAddNothing()
    {
        Canvas canvas;
        canvas.context.addEllipticArcPoints(10, 0, 10, 0, false, 0, 0, 0, 0, 0);
        QCOMPARE(pointBuffer.count, 0);
        // Radius 5 Fig units is a third of a pixel: no runaway trace.
        canvas.context.addEllipticArcPoints(5, 0, 0, 5, false, 0, 5, 5, 600, 600);
        QCOMPARE(pointBuffer.count, 0);
    }

    void arcStopsAtFullBuffer()
    {
        Canvas canvas(99.99f);
        for (int i = 0; i < PointBuffer::capacity - 10; ++i)
            addScreenPoint(i, 0);
        canvas.context.addEllipticArcPoints(12000, 0, 12000, 0, false, 0, 12000, 12000, 0, 0);
        QCOMPARE(pointBuffer.count, PointBuffer::capacity);
    }

    void arcBoxOutline()
    {
        Canvas canvas;
        // Box (0, 0)-(1500, 900) with corner radius 300: 100 × 60 pixels, 20.
        canvas.context.addArcBoxPoints(0, 0, 1500, 900, 300);
        const QVector<QPoint> points = bufferPoints();
        QCOMPARE(points.first(), QPoint(0, 40));
        QCOMPARE(points.last(), points.first());
        QVERIFY(points.contains(QPoint(0, 20)));
        QVERIFY(points.contains(QPoint(80, 0)));
        QVERIFY(points.contains(QPoint(100, 40)));
        QVERIFY(points.contains(QPoint(20, 60)));
        for (const QPoint& p : points)
            QVERIFY(QRect(0, 0, 101, 61).contains(p));
        // The corners are cut: nothing near the box's own corners.
        QVERIFY(!points.contains(QPoint(0, 0)) && !points.contains(QPoint(100, 60)));
        // Each corner arc is a connected trace.
        const int top = points.indexOf(QPoint(0, 20));
        QVERIFY(connected(points, top, points.indexOf(QPoint(20, 0)) + 1));
    }

    void farOffShapesStayDefined()
    {
        // Coordinates near the int range must neither overflow nor hang.
        Canvas canvas(99.99f, -INT_MAX, INT_MAX);
        canvas.context.addArcBoxPoints(INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX, INT_MAX);
        canvas.context.addArcBoxPoints(-1000, -1000, 1000, 1000, INT_MIN);
        resetPointBuffer();
        canvas.context.addEllipticArcPoints(
            INT_MAX, INT_MIN, INT_MIN, INT_MAX, true, 1, INT_MAX, INT_MAX, INT_MAX, INT_MIN);
        QVERIFY(pointBuffer.count <= PointBuffer::capacity);
    }
};

TAVREL_TEST_MAIN(TestPointBuffer)
#include "tst_pointbuffer.moc"
