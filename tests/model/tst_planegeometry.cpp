#include "model/planegeometry.h"
#include "modelfixtures.h"
#include "support/testenv.h"

#include <memory>

#include <climits>
#include <cmath>

namespace {
constexpr double pi = 3.14159265358979323846;

bool close(double a, double b, double tolerance)
{
    return std::fabs(a - b) <= tolerance;
}
} // namespace

class TestPlaneGeometry : public QObject {
    Q_OBJECT
private slots:
    void vectorAngleEdges_data()
    {
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<double>("expected");
        QTest::newRow("zero vector") << 0.0 << 0.0 << 3 * pi / 2;
        QTest::newRow("up") << 0.0 << 1.0 << pi / 2;
        QTest::newRow("down") << 0.0 << -5.0 << 3 * pi / 2;
        QTest::newRow("right") << 3.0 << 0.0 << 0.0;
        QTest::newRow("left") << -1.0 << 0.0 << pi;
        QTest::newRow("first quadrant") << 1.0 << 1.0 << pi / 4;
        QTest::newRow("second quadrant") << -1.0 << 1.0 << 3 * pi / 4;
        QTest::newRow("third quadrant") << -1.0 << -1.0 << 5 * pi / 4;
        QTest::newRow("fourth quadrant") << 1.0 << -1.0 << 7 * pi / 4;
    }
    void vectorAngleEdges()
    {
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(double, expected);
        const double a = vectorAngle(dx, dy);
        QVERIFY2(close(a, expected, 1e-12), qPrintable(QString::number(a, 'g', 17)));
        QVERIFY(a >= 0 && a < 2 * pi);
    }

    void arcDirectionSense_data()
    {
        QTest::addColumn<QVector<int>>("points");
        QTest::addColumn<int>("expected");
        // y grows downwards: (100, -100) is above the chord on the screen.
        QTest::newRow("left over the top to right") << QVector<int> { 0, 0, 100, -100, 200, 0 } << 0;
        QTest::newRow("right over the top to left") << QVector<int> { 200, 0, 100, -100, 0, 0 } << 1;
        QTest::newRow("left under the bottom to right") << QVector<int> { 0, 0, 100, 100, 200, 0 } << 1;
        QTest::newRow("right under the bottom to left") << QVector<int> { 200, 0, 100, 100, 0, 0 } << 0;
    }
    void arcDirectionSense()
    {
        QFETCH(QVector<int>, points);
        QFETCH(int, expected);
        QCOMPARE(arcDirection(points[0], points[1], points[2], points[3], points[4], points[5]), expected);
    }

    void arcCenterCircles_data()
    {
        QTest::addColumn<QVector<int>>("points");
        QTest::addColumn<double>("cx");
        QTest::addColumn<double>("cy");
        QTest::newRow("half circle") << QVector<int> { 0, 0, 100, 100, 200, 0 } << 100.0 << 0.0;
        // Chords from p1 mirrored about the vertical have equal vertical
        // components; they still describe a circle.
        QTest::newRow("mirrored chords") << QVector<int> { 0, 0, 100, 100, -100, 100 } << 0.0 << 100.0;
        QTest::newRow("mirrored chords, wide") << QVector<int> { 0, 0, 300, 400, -300, 400 } << 0.0 << 312.5;
        QTest::newRow("p1 and p3 on one vertical") << QVector<int> { 0, 0, 100, 100, 0, 200 } << 0.0 << 100.0;
        QTest::newRow("off-centre circle") << QVector<int> { 2234, -567, 1234, 433, 234, -567 } << 1234.0 << -567.0;
        QTest::newRow("large coordinates")
            << QVector<int> { 150000000, 100000000, 100000000, 150000000, 50000000, 100000000 } << 1e8 << 1e8;
        // A very flat arc is still a circle, however large.
        QTest::newRow("nearly straight") << QVector<int> { 0, 0, 100000, 1, 200000, 0 } << 100000.0 << -4999999999.5;
    }
    void arcCenterCircles()
    {
        QFETCH(QVector<int>, points);
        QFETCH(double, cx);
        QFETCH(double, cy);
        float x = 0, y = 0;
        QVERIFY(computeArcCenter(points[0], points[1], points[2], points[3], points[4], points[5], x, y));
        const double tolerance = std::fmax(1e-3, 1e-6 * std::fmax(std::fabs(cx), std::fabs(cy)));
        QVERIFY2(close(x, cx, tolerance) && close(y, cy, tolerance),
            qPrintable(QString("(%1, %2)").arg(x, 0, 'g', 12).arg(y, 0, 'g', 12)));
    }

    void arcCenterNone_data()
    {
        QTest::addColumn<QVector<int>>("points");
        const QVector<QVector<int>> lines = {
            { 0, 0, 100, 50, 300, 150 }, // sloped
            { -5, 7, 10, 7, 40, 7 }, // horizontal
            { 3, -20, 3, 0, 3, 900 }, // vertical
            { -1000000000, -1000000000, 0, 0, 1000000000, 1000000000 }, // long
        };
        const int orders[6][3] = { { 0, 1, 2 }, { 0, 2, 1 }, { 1, 0, 2 }, { 1, 2, 0 }, { 2, 0, 1 }, { 2, 1, 0 } };
        for (int l = 0; l < lines.size(); ++l) {
            for (const auto& o : orders) {
                const QVector<int>& p = lines[l];
                QTest::addRow("line %d, order %d%d%d", l, o[0], o[1], o[2]) << QVector<int> { p[2 * o[0]],
                    p[2 * o[0] + 1], p[2 * o[1]], p[2 * o[1] + 1], p[2 * o[2]], p[2 * o[2] + 1] };
            }
        }
        QTest::newRow("p1 equals p3") << QVector<int> { 10, 10, 50, 90, 10, 10 };
        QTest::newRow("p1 equals p2") << QVector<int> { 10, 10, 10, 10, 50, 90 };
        QTest::newRow("p2 equals p3") << QVector<int> { 10, 10, 50, 90, 50, 90 };
        QTest::newRow("all equal") << QVector<int> { 7, 7, 7, 7, 7, 7 };
    }
    void arcCenterNone()
    {
        QFETCH(QVector<int>, points);
        float x = -1, y = -2;
        QVERIFY(!computeArcCenter(points[0], points[1], points[2], points[3], points[4], points[5], x, y));
        QCOMPARE(x, -1.0f);
        QCOMPARE(y, -2.0f);
    }

    // Every triple of a small lattice: a centre exactly when the points are
    // not on one line, and that centre finite and equally far from all three.
    void arcCenterLattice()
    {
        const int n = 5;
        int failures = 0;
        for (int a = 0; a < n * n; ++a)
            for (int b = 0; b < n * n; ++b)
                for (int c = 0; c < n * n; ++c) {
                    const int x1 = a % n - 2, y1 = a / n - 2, x2 = b % n - 2, y2 = b / n - 2;
                    const int x3 = c % n - 2, y3 = c / n - 2;
                    const int cross = (x1 - x2) * (y1 - y3) - (y1 - y2) * (x1 - x3);
                    float cx = 0, cy = 0;
                    const bool found = computeArcCenter(x1, y1, x2, y2, x3, y3, cx, cy);
                    if (found != (cross != 0)) {
                        ++failures;
                        continue;
                    }
                    if (!found)
                        continue;
                    const double r1 = std::hypot(x1 - cx, y1 - cy), r2 = std::hypot(x2 - cx, y2 - cy);
                    const double r3 = std::hypot(x3 - cx, y3 - cy);
                    if (!std::isfinite(r1) || !close(r1, r2, 1e-4) || !close(r1, r3, 1e-4))
                        ++failures;
                }
        QCOMPARE(failures, 0);
    }

    void arcTangent_data()
    {
        QTest::addColumn<float>("cx");
        QTest::addColumn<float>("cy");
        QTest::addColumn<int>("px");
        QTest::addColumn<int>("py");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("counter-clockwise") << 0.0f << 0.0f << 100 << 0 << 1 << 100 << 100;
        QTest::newRow("clockwise") << 0.0f << 0.0f << 100 << 0 << 0 << 100 << -100;
        QTest::newRow("any non-zero flag") << 0.0f << 0.0f << 0 << -50 << 7 << 50 << -50;
        QTest::newRow("fractional centre, ccw") << 0.5f << 0.25f << 10 << 10 << 1 << 0 << 20;
        QTest::newRow("fractional centre, cw") << 0.5f << 0.25f << 10 << 10 << 0 << 20 << 1;
        // 2^24 + 1 is not a single-precision number: the point becomes the
        // centre and the radius vector vanishes.
        QTest::newRow("single precision") << 16777216.0f << 0.0f << 16777217 << 0 << 1 << 16777216 << 0;
    }
    void arcTangent()
    {
        QFETCH(float, cx);
        QFETCH(float, cy);
        QFETCH(int, px);
        QFETCH(int, py);
        QFETCH(int, direction);
        QFETCH(int, x);
        QFETCH(int, y);
        int rx = 0, ry = 0;
        arcTangentPoint(cx, cy, px, py, direction, rx, ry);
        QCOMPARE(rx, x);
        QCOMPARE(ry, y);
    }

    void pointAtAngleTruncates_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("distance");
        QTest::addColumn<int>("ex");
        QTest::addColumn<int>("ey");
        QTest::newRow("up") << 0 << 0 << pi / 2 << 10.0 << 0 << -10;
        QTest::newRow("just short of ten") << 0 << 0 << pi / 2 << 9.9999 << 0 << -9;
        QTest::newRow("left") << 0 << 0 << pi << 10.0 << -10 << 0;
        // 107.07 and 92.93: truncated, not rounded.
        QTest::newRow("diagonal") << 100 << 100 << pi / 4 << 10.0 << 107 << 92;
        QTest::newRow("toward zero when negative") << 0 << 0 << 5 * pi / 4 << 10.0 << -7 << 7;
    }
    void pointAtAngleTruncates()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, angle);
        QFETCH(double, distance);
        QFETCH(int, ex);
        QFETCH(int, ey);
        int rx = 0, ry = 0;
        pointAtAngle(x, y, angle, distance, rx, ry);
        QCOMPARE(rx, ex);
        QCOMPARE(ry, ey);
    }

    void rotation_data()
    {
        QTest::addColumn<QVector<int>>("centreAndPoint");
        QTest::addColumn<double>("angle");
        QTest::addColumn<int>("ex");
        QTest::addColumn<int>("ey");
        QTest::newRow("quarter turn is counter-clockwise on screen")
            << QVector<int> { 0, 0, 100, 0 } << pi / 2 << 0 << -100;
        QTest::newRow("half turn") << QVector<int> { 10, 20, 30, 20 } << pi << -10 << 20;
        QTest::newRow("thirty degrees") << QVector<int> { 10, 10, 20, 10 } << pi / 6 << 19 << 5;
        QTest::newRow("negative angle turns clockwise") << QVector<int> { 0, 0, 100, 0 } << -pi / 2 << 0 << 100;
        // The offset from the centre does not fit in 32 bits.
        QTest::newRow("wide offset") << QVector<int> { -2000000000, 0, 2000000000, 0 } << 0.0 << 2000000000 << 0;
    }
    void rotation()
    {
        QFETCH(QVector<int>, centreAndPoint);
        QFETCH(double, angle);
        QFETCH(int, ex);
        QFETCH(int, ey);
        int x = 0, y = 0;
        rotatePoint(centreAndPoint[0], centreAndPoint[1], centreAndPoint[2], centreAndPoint[3], x, y, angle);
        QCOMPARE(x, ex);
        QCOMPARE(y, ey);
    }

    void interpolation_data()
    {
        QTest::addColumn<QVector<int>>("segment");
        QTest::addColumn<double>("t");
        QTest::addColumn<int>("ex");
        QTest::addColumn<int>("ey");
        QTest::newRow("halfway rounds halves up") << QVector<int> { 0, 0, 10, 5 } << 0.5 << 5 << 3;
        QTest::newRow("halfway, negative") << QVector<int> { 0, 0, -10, -5 } << 0.5 << -5 << -3;
        QTest::newRow("start") << QVector<int> { 3, 4, 10, 5 } << 0.0 << 3 << 4;
        QTest::newRow("end") << QVector<int> { 3, 4, 10, 5 } << 1.0 << 10 << 5;
        QTest::newRow("beyond") << QVector<int> { 0, 0, 10, 0 } << 1.5 << 15 << 0;
        QTest::newRow("wide span") << QVector<int> { -2000000000, 0, 2000000000, 0 } << 0.5 << 0 << 0;
    }
    void interpolation()
    {
        QFETCH(QVector<int>, segment);
        QFETCH(double, t);
        QFETCH(int, ex);
        QFETCH(int, ey);
        int x = 0, y = 0;
        interpolatePoint(segment[0], segment[1], segment[2], segment[3], t, x, y);
        QCOMPARE(x, ex);
        QCOMPARE(y, ey);
    }

    void vectorsAngle_data()
    {
        QTest::addColumn<QVector<int>>("vectors");
        QTest::addColumn<double>("expected");
        QTest::newRow("b below a on screen") << QVector<int> { 0, 0, 10, 0, 0, 0, 0, 10 } << -pi / 2;
        QTest::newRow("b above a on screen") << QVector<int> { 0, 0, 10, 0, 0, 0, 0, -10 } << pi / 2;
        // Rounding makes the cosine of these 1.0000000000000002.
        QTest::newRow("parallel") << QVector<int> { 0, 0, 1, 5, 0, 0, 2, 10 } << 0.0;
        QTest::newRow("parallel, offset") << QVector<int> { 0, 0, 3, 7, 5, 5, 11, 19 } << 0.0;
        QTest::newRow("anti-parallel") << QVector<int> { 0, 0, 1, 5, 0, 0, -2, -10 } << pi;
        QTest::newRow("zero-length a") << QVector<int> { 4, 4, 4, 4, 0, 0, 1, 1 } << 0.0;
        QTest::newRow("zero-length b") << QVector<int> { 0, 0, 1, 1, 4, 4, 4, 4 } << 0.0;
        QTest::newRow("wide vectors") << QVector<int> { -2000000000, 0, 2000000000, 0, 0, -2000000000, 0, 2000000000 }
                                      << -pi / 2;
    }
    void vectorsAngle()
    {
        QFETCH(QVector<int>, vectors);
        QFETCH(double, expected);
        const int* v = vectors.constData();
        const double a = angleBetweenVectors(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        QVERIFY2(!std::isnan(a), "NaN");
        QVERIFY2(close(a, expected, 1e-7), qPrintable(QString::number(a, 'g', 17)));
    }

    void ellipseCrossings()
    {
        bool ok = false;
        QCOMPARE(ellipseXAtY(0, 0, 100, 50, 0, true, ok), 100.0);
        QVERIFY(ok);
        QCOMPARE(ellipseXAtY(10, 20, 100, 50, 50, false, ok), 10 - 80.0);
        QVERIFY(ok);
        QCOMPARE(ellipseXAtY(0, 0, 100, 50, -50, true, ok), 0.0);
        QVERIFY(ok);
        ok = true;
        QCOMPARE(ellipseXAtY(0, 0, 100, 50, 60, true, ok), 0.0);
        QVERIFY(!ok);
        QCOMPARE(ellipseYAtX(0, 0, 50, 100, 30, true, ok), 80.0);
        QVERIFY(ok);
        QCOMPARE(ellipseYAtX(0, 5, 50, 100, -30, false, ok), 5 - 80.0);
        QVERIFY(ok);
        ok = true;
        QCOMPARE(ellipseYAtX(0, 0, 50, 100, -51, false, ok), 0.0);
        QVERIFY(!ok);
        // A flat ellipse gives 0/0 at its own height: no crossing, no NaN.
        ok = true;
        QCOMPARE(ellipseXAtY(0, 0, 100, 0, 0, true, ok), 0.0);
        QVERIFY(!ok);
    }

    void ellipseTangent_data()
    {
        QTest::addColumn<int>("px");
        QTest::addColumn<int>("py");
        QTest::addColumn<double>("expected");
        // Ellipse around (0, 0) with radii 100 and 50.
        QTest::newRow("right end") << 100 << 0 << pi / 2;
        QTest::newRow("left end") << -100 << 0 << -pi / 2;
        QTest::newRow("bottom") << 0 << 50 << 0.0;
        QTest::newRow("general") << 60 << 40 << std::atan(60.0 * 2500 / (40.0 * 10000));
        QTest::newRow("centre has no tangent") << 0 << 0 << 0.0;
    }
    void ellipseTangent()
    {
        QFETCH(int, px);
        QFETCH(int, py);
        QFETCH(double, expected);
        const double a = ellipseTangentAngle(0, 0, 100, 50, px, py);
        QVERIFY2(close(a, expected, 1e-12), qPrintable(QString::number(a, 'g', 17)));
    }

    void lineIntersection_data()
    {
        QTest::addColumn<QVector<int>>("lines");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("s");
        QTest::newRow("crossing") << QVector<int> { 0, 0, 10, 0, 5, -5, 5, 5 } << 0 << 5 << 0 << 0.5 << 0.5;
        QTest::newRow("beyond the segments")
            << QVector<int> { 0, 0, 10, 0, 20, -5, 20, 5 } << 0 << 20 << 0 << 2.0 << 0.5;
        QTest::newRow("vertical first line") << QVector<int> { 5, 0, 5, 10, 0, 2, 10, 2 } << 0 << 5 << 2 << 0.2 << 0.5;
        QTest::newRow("parallel") << QVector<int> { 0, 0, 10, 5, 0, 3, 20, 13 } << 2 << 0 << 0 << 0.0 << 0.0;
        QTest::newRow("collinear") << QVector<int> { 0, 0, 10, 5, 20, 10, 40, 20 } << 2 << 0 << 0 << 0.0 << 0.0;
        QTest::newRow("first zero length") << QVector<int> { 3, 3, 3, 3, 0, 0, 10, 10 } << 1 << 0 << 0 << 0.0 << 0.0;
        QTest::newRow("second zero length") << QVector<int> { 0, 0, 10, 10, 4, 4, 4, 4 } << 1 << 0 << 0 << 0.0 << 0.0;
        // Differences near 2^31: the products overflow 32 bits.
        QTest::newRow("diagonals near 2^30") << QVector<int> { -1073741823, -1073741823, 1073741823, 1073741823,
            -1073741823, 1073741823, 1073741823, -1073741823 }
                                             << 0 << 0 << 0 << 0.5 << 0.5;
        QTest::newRow("flat lines near 2^30")
            << QVector<int> { -1000000000, 0, 1000000000, 3, -1000000000, 3, 1000000000, 0 } << 0 << 0 << 2 << 0.5
            << 0.5;
        QTest::newRow("parallel near 2^30") << QVector<int> { -1073741823, 0, 1073741823, 1, -1073741823, 5, 1073741823,
            6 } << 2 << 0 << 0 << 0.0 << 0.0;
        QTest::newRow("parallel across the int range")
            << QVector<int> { INT_MIN, 0, INT_MAX, 0, INT_MIN, 1, INT_MAX, 1 } << 2 << 0 << 0 << 0.0 << 0.0;
    }
    void lineIntersection()
    {
        QFETCH(QVector<int>, lines);
        QFETCH(int, result);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, t);
        QFETCH(double, s);
        const int* p = lines.constData();
        int rx = 0, ry = 0;
        double rt = -1, rs = -1;
        QCOMPARE(intersectLines(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], rx, ry, rt, rs), result);
        QVERIFY2(close(rt, t, 1e-12) && close(rs, s, 1e-12), qPrintable(QString("t %1 s %2").arg(rt).arg(rs)));
        if (result == 0) {
            QCOMPARE(rx, x);
            QCOMPARE(ry, y);
        }
    }

    // Spans wider than 2^31 cannot be multiplied exactly in 64 bits; the
    // crossing is still found without overflow.
    void lineIntersectionFullRange()
    {
        int x = 1, y = 1;
        double t = 0, s = 0;
        QCOMPARE(intersectLines(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, x, y, t, s), 0);
        QVERIFY(close(t, 0.5, 1e-9));
        QVERIFY(close(s, 0.5, 1e-9));
        QVERIFY(x == 0 || x == -1);
        QVERIFY(y == 0 || y == -1);
    }

    void extend_data()
    {
        QTest::addColumn<QVector<int>>("segment");
        QTest::addColumn<int>("distance");
        QTest::addColumn<bool>("atStart");
        QTest::addColumn<bool>("atEnd");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("both ends") << QVector<int> { 0, 0, 100, 0 } << 10 << true << true
                                   << QVector<int> { -10, 0, 110, 0 };
        QTest::newRow("start only") << QVector<int> { 0, 0, 100, 0 } << 10 << true << false
                                    << QVector<int> { -10, 0, 100, 0 };
        QTest::newRow("end only") << QVector<int> { 0, 0, 100, 0 } << 10 << false << true
                                  << QVector<int> { 0, 0, 110, 0 };
        QTest::newRow("downwards") << QVector<int> { 0, 0, 0, 100 } << 10 << true << true
                                   << QVector<int> { 0, -10, 0, 110 };
        QTest::newRow("diagonal") << QVector<int> { 0, 0, 30, 40 } << 5 << true << true
                                  << QVector<int> { -3, -4, 33, 44 };
        QTest::newRow("leftwards and up")
            << QVector<int> { 100, 100, 70, 60 } << 5 << false << true << QVector<int> { 100, 100, 67, 56 };
        QTest::newRow("negative distance shortens")
            << QVector<int> { 0, 0, 100, 0 } << -10 << true << true << QVector<int> { 10, 0, 90, 0 };
        QTest::newRow("zero length unchanged")
            << QVector<int> { 5, 5, 5, 5 } << 10 << true << true << QVector<int> { 5, 5, 5, 5 };
        // Single precision: the round trip through the segment's frame moves
        // a far-out end even when it is not extended.
        QTest::newRow("single precision round trip") << QVector<int> { 1000000, 3000001, 1000007,
            3000013 } << 10 << false << false << QVector<int> { 1000000, 3000002, 1000007, 3000013 };
    }
    void extend()
    {
        QFETCH(QVector<int>, segment);
        QFETCH(int, distance);
        QFETCH(bool, atStart);
        QFETCH(bool, atEnd);
        QFETCH(QVector<int>, expected);
        extendSegment(segment[0], segment[1], segment[2], segment[3], distance, atStart, atEnd);
        QCOMPARE(segment, expected);
    }

    void scale_data()
    {
        QTest::addColumn<QVector<int>>("segment");
        QTest::addColumn<double>("factor");
        QTest::addColumn<bool>("atStart");
        QTest::addColumn<bool>("atEnd");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("end doubled") << QVector<int> { 0, 0, 100, 0 } << 2.0 << false << true
                                     << QVector<int> { 0, 0, 200, 0 };
        QTest::newRow("start doubled") << QVector<int> { 0, 0, 100, 0 } << 2.0 << true << false
                                       << QVector<int> { -100, 0, 100, 0 };
        // The end uses the start just moved: the length grows fourfold.
        QTest::newRow("both doubled") << QVector<int> { 0, 0, 100, 0 } << 2.0 << true << true
                                      << QVector<int> { -100, 0, 300, 0 };
        QTest::newRow("end halved") << QVector<int> { 0, 0, 100, 0 } << 0.5 << false << true
                                    << QVector<int> { 0, 0, 50, 0 };
        QTest::newRow("diagonal") << QVector<int> { 10, 10, 40, 50 } << 2.0 << false << true
                                  << QVector<int> { 10, 10, 70, 90 };
        QTest::newRow("upwards, start") << QVector<int> { 0, 100, 0, 0 } << 1.5 << true << false
                                        << QVector<int> { 0, 150, 0, 0 };
        QTest::newRow("zero length unchanged")
            << QVector<int> { 5, 5, 5, 5 } << 2.0 << true << true << QVector<int> { 5, 5, 5, 5 };
    }
    void scale()
    {
        QFETCH(QVector<int>, segment);
        QFETCH(double, factor);
        QFETCH(bool, atStart);
        QFETCH(bool, atEnd);
        QFETCH(QVector<int>, expected);
        scaleSegment(segment[0], segment[1], segment[2], segment[3], factor, atStart, atEnd);
        QCOMPARE(segment, expected);
    }

    void gcd_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("expected");
        QTest::newRow("common") << 12 << 18 << 6;
        QTest::newRow("negative") << -12 << 18 << 6;
        QTest::newRow("both negative") << -12 << -18 << 6;
        QTest::newRow("coprime") << 17 << 5 << 1;
        QTest::newRow("second zero") << -7 << 0 << 7;
        QTest::newRow("first zero") << 0 << 7 << 7;
        QTest::newRow("both zero") << 0 << 0 << 0;
        QTest::newRow("int minimum") << INT_MIN << 6 << 2;
        QTest::newRow("int minimum alone saturates") << INT_MIN << 0 << INT_MAX;
    }
    void gcd()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, expected);
        QCOMPARE(greatestCommonDivisor(a, b), expected);
    }

    void slopeTables()
    {
        const QVector<QPair<int, int>> lines = { { 0, 1 }, { 1, 0 }, { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 4 }, { 1, 5 },
            { 1, 6 }, { 2, 1 }, { 2, 3 }, { 2, 5 }, { 3, 1 }, { 3, 2 }, { 3, 4 }, { 3, 5 }, { 4, 1 }, { 4, 3 },
            { 4, 5 }, { 5, 1 }, { 5, 2 }, { 5, 3 }, { 5, 4 }, { 5, 6 }, { 6, 1 }, { 6, 5 } };
        const QVector<QPair<int, int>> arrows = { { 0, 1 }, { 1, 0 }, { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 4 }, { 2, 1 },
            { 2, 3 }, { 3, 1 }, { 3, 2 }, { 3, 4 }, { 4, 1 }, { 4, 3 } };
        QCOMPARE(lines.size(), latexLineSlopeCount);
        QCOMPARE(arrows.size(), latexArrowSlopeCount);
        const auto check = [](const LatexSlope& row, const QPair<int, int>& xy) {
            QCOMPARE(row.x, xy.first);
            QCOMPARE(row.y, xy.second);
            QCOMPARE(greatestCommonDivisor(row.x, row.y), 1);
            const double angle = row.x == 0 ? 90.0 : std::atan(double(row.y) / row.x) * 57.29577951308232;
            QCOMPARE(row.angle, angle);
        };
        for (int i = 0; i < lines.size(); ++i)
            check(latexLineSlopes[i], lines[i]);
        for (int i = 0; i < arrows.size(); ++i)
            check(latexArrowSlopes[i], arrows[i]);
    }

    void nearestSlope_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("arrow");
        QTest::addColumn<int>("sx");
        QTest::addColumn<int>("sy");
        QTest::newRow("3,1 line") << 3 << 1 << false << 3 << 1;
        QTest::newRow("3,1 arrow") << 3 << 1 << true << 3 << 1;
        QTest::newRow("7,1 arrow") << 7 << 1 << true << 4 << 1;
        QTest::newRow("7,1 line") << 7 << 1 << false << 6 << 1;
        QTest::newRow("-2,-5 line") << -2 << -5 << false << -2 << -5;
        QTest::newRow("0,-9 line") << 0 << -9 << false << 0 << -1;
        QTest::newRow("0,-9 arrow") << 0 << -9 << true << 0 << -1;
        QTest::newRow("0,9") << 0 << 9 << false << 0 << 1;
        QTest::newRow("0,0") << 0 << 0 << false << 0 << 1;
        QTest::newRow("horizontal left") << -10 << 0 << true << -1 << 0;
        QTest::newRow("slightly down") << 10 << -1 << false << 6 << -1;
        QTest::newRow("near diagonal") << 100 << 99 << false << 1 << 1;
        QTest::newRow("steep arrow") << 1 << 6 << true << 1 << 4;
        QTest::newRow("5,6 arrow") << -5 << 6 << true << -3 << 4;
        QTest::newRow("5,6 line") << 5 << -6 << false << 5 << -6;
        QTest::newRow("wide") << INT_MIN << INT_MAX << false << -1 << 1;
    }
    void nearestSlope()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, arrow);
        QFETCH(int, sx);
        QFETCH(int, sy);
        int x = 99, y = 99;
        latexSlope(dx, dy, x, y, arrow);
        QCOMPARE(x, sx);
        QCOMPARE(y, sy);
    }

    void constrainedEnd_data()
    {
        QTest::addColumn<QVector<int>>("segment");
        QTest::addColumn<bool>("arrow");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("nearly horizontal") << QVector<int> { 0, 0, 1000, 10 } << false << 1 << 1000 << 0;
        QTest::newRow("2,1 on a grid of 100") << QVector<int> { 0, 0, 1000, 480 } << false << 100 << 1000 << 500;
        // Step lcm(3, 30 * 3) = 90: 1000 becomes 990.
        QTest::newRow("3,1 on a grid of 30") << QVector<int> { 0, 0, 1000, 320 } << false << 30 << 990 << 330;
        QTest::newRow("3,1 backwards from an offset start")
            << QVector<int> { 100, 200, -900, -120 } << false << 30 << -890 << -130;
        QTest::newRow("y major") << QVector<int> { 0, 0, 10, 1000 } << false << 1 << 0 << 1000;
        QTest::newRow("1,3 arrow") << QVector<int> { 0, 0, 333, 1000 } << true << 1 << 333 << 999;
        QTest::newRow("half a step rounds up") << QVector<int> { 0, 0, 150, 0 } << false << 100 << 200 << 0;
        QTest::newRow("below half a step") << QVector<int> { 0, 0, 149, 0 } << false << 100 << 100 << 0;
        QTest::newRow("half a step backwards") << QVector<int> { 0, 0, -150, 0 } << false << 100 << -200 << 0;
        QTest::newRow("step below 1 counts as 1") << QVector<int> { 0, 0, 1000, 10 } << true << 0 << 1000 << 0;
        QTest::newRow("span wider than 32 bits")
            << QVector<int> { -2000000000, 0, 2000000000, 10 } << false << 1 << 2000000000 << 0;
    }
    void constrainedEnd()
    {
        QFETCH(QVector<int>, segment);
        QFETCH(bool, arrow);
        QFETCH(int, step);
        QFETCH(int, x);
        QFETCH(int, y);
        int rx = 0, ry = 0;
        latexConstrainedEnd(segment[0], segment[1], segment[2], segment[3], rx, ry, arrow, step);
        QCOMPARE(rx, x);
        QCOMPARE(ry, y);
    }

    void copyLinePoints()
    {
        std::unique_ptr<FigLine> line(fixtures::makeLine(1, { { 10, 20 }, { -30, 40 }, { 50, -60 }, { 10, 20 } }, 3));
        int pairs[5][2] = {};
        pairs[4][0] = pairs[4][1] = 99;
        int count = -1;
        line->copyPoints(pairs, count);
        QCOMPARE(count, 4);
        const int expected[4][2] = { { 10, 20 }, { -30, 40 }, { 50, -60 }, { 10, 20 } };
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(pairs[i][0], expected[i][0]);
            QCOMPARE(pairs[i][1], expected[i][1]);
        }
        QCOMPARE(pairs[4][0], 99); // nothing written past the chain

        FigLine empty(2);
        count = -1;
        empty.copyPoints(pairs, count);
        QCOMPARE(count, 0);
    }

    void ellipseEndFlipped_data()
    {
        // centre x, y and end x, y of two ellipses
        QTest::addColumn<QVector<int>>("ellipses");
        QTest::addColumn<bool>("flippedX");
        QTest::addColumn<bool>("flippedY");
        QTest::newRow("same sides") << QVector<int> { 0, 0, 10, 10, 100, 100, 150, 120 } << false << false;
        QTest::newRow("x flipped") << QVector<int> { 0, 0, 10, 10, 100, 100, 50, 120 } << true << false;
        QTest::newRow("y flipped") << QVector<int> { 0, 0, 10, 10, 100, 100, 150, 80 } << false << true;
        QTest::newRow("both flipped") << QVector<int> { 0, 0, 10, -10, 0, 0, -10, 10 } << true << true;
        QTest::newRow("zero against positive") << QVector<int> { 0, 0, 0, 0, 0, 0, 5, 5 } << true << true;
        QTest::newRow("both zero") << QVector<int> { 5, 5, 5, 5, 7, 7, 7, 7 } << false << false;
        QTest::newRow("far apart") << QVector<int> { INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 1, 1 } << false << false;
    }
    void ellipseEndFlipped()
    {
        QFETCH(QVector<int>, ellipses);
        QFETCH(bool, flippedX);
        QFETCH(bool, flippedY);
        FigEllipse a(1), b(2);
        a.center.x = ellipses[0];
        a.center.y = ellipses[1];
        a.end.x = ellipses[2];
        a.end.y = ellipses[3];
        b.center.x = ellipses[4];
        b.center.y = ellipses[5];
        b.end.x = ellipses[6];
        b.end.y = ellipses[7];
        QCOMPARE(a.endFlippedX(b), flippedX);
        QCOMPARE(a.endFlippedY(b), flippedY);
        QCOMPARE(b.endFlippedX(a), flippedX);
        QCOMPARE(b.endFlippedY(a), flippedY);
    }
};

TAVREL_TEST_MAIN(TestPlaneGeometry)
#include "tst_planegeometry.moc"
