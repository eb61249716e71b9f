#include "model/figcontext.h"
#include "model/figspline.h"
#include "model/xspline.h"
#include "modelfixtures.h"
#include "render/pointbuffer.h"
#include "support/testenv.h"

#include <QVector>

#include <algorithm>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <memory>

namespace {

// Points handed out by the evaluation, recorded by the test consumers.
QVector<QPoint> received;

bool recordPoint(int x, int y)
{
    received.append(QPoint(x, y));
    return true;
}

// Stops the evaluation at its first point, as the spline hit test does on a hit.
bool stopAtFirstPoint(int x, int y)
{
    received.append(QPoint(x, y));
    splineEvaluationStopped = true;
    return true;
}

// A spline in Fig units with the given shape factors. At 80 dots per inch,
// zoom 1 and origin (0, 0) a Fig coordinate that is a multiple of 15 maps to
// the pixel f / 15.
std::unique_ptr<FigSpline> makeSpline(
    std::initializer_list<QPoint> points, std::initializer_list<double> factors, int subType)
{
    std::unique_ptr<FigSpline> spline(new FigSpline(1));
    spline->subType = subType;
    spline->points = fixtures::makeChain(points);
    ShapeFactorNode** tail = &spline->shapeFactors;
    for (double value : factors) {
        *tail = new ShapeFactorNode;
        (*tail)->value = value;
        tail = &(*tail)->next;
    }
    return spline;
}

QVector<QPoint> evaluate(CFigContext& context, const FigSpline& spline, SplinePointConsumer consumer = recordPoint)
{
    received.clear();
    if (spline.subType & 1)
        context.computeClosedSpline(&spline, 0.5f, consumer);
    else
        context.computeOpenSpline(&spline, 0.5f, consumer);
    return received;
}

// Weights A0..A3 of one segment at t, with the forms the segment evaluation
// chooses for s1 and s2.
void weights(int k, double t, double s1, double s2, double w[4])
{
    if (s1 < 0)
        negativeS1Influence(t, s1, w[0], w[2]);
    else
        positiveS1Influence(k, t, s1, w[0], w[2]);
    if (s2 < 0)
        negativeS2Influence(t, s2, w[1], w[3]);
    else
        positiveS2Influence(k, t, s2, w[1], w[3]);
}

} // namespace

class TestXSpline : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        context.reset(new CFigContext);
        context->dpiX = 80.0f;
        context->dpiY = 80.0f;
        context->zoom = 1.0f;
        context->originX = 0;
        context->originY = 0;
    }
    void cleanup() { context.reset(); }

    void zeroFactorsGiveTheControlPolygon_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<QVector<QPoint>>("expected");
        // Control points (0,0) (1500,0) (1500,1500) (0,1500) in pixels 0 and 100.
        QTest::newRow("open") << 0 << QVector<QPoint> { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 } };
        QTest::newRow("closed") << 1 << QVector<QPoint> { { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 }, { 100, 0 } };
    }
    void zeroFactorsGiveTheControlPolygon()
    {
        QFETCH(int, subType);
        QFETCH(QVector<QPoint>, expected);
        const auto spline = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 }, { 0, 1500 } }, { 0, 0, 0, 0 }, subType);
        QCOMPARE(evaluate(*context, *spline), expected);
    }

    // Drawing collects the curve in the point buffer, which every evaluation
    // empties first; repeated points are dropped on entry.
    void drawingFillsThePointBuffer()
    {
        const auto spline = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 } }, { 0, 0, 0 }, 1);
        addScreenPoint(7, 7);
        for (int round = 0; round < 2; ++round) {
            context->computeClosedSpline(spline.get(), 0.5f, addScreenPoint);
            QCOMPARE(pointBuffer.count, 4);
            QCOMPARE(pointBuffer.points[0], QPoint(100, 0));
            QCOMPARE(pointBuffer.points[3], QPoint(100, 0));
        }
        const auto open = makeSpline({ { 150, 300 }, { 1500, 600 } }, { 0, 0 }, 0);
        context->computeOpenSpline(open.get(), 0.5f, addScreenPoint);
        QCOMPARE(pointBuffer.count, 2);
    }

    void twoPointOpenSplineIsItsSegment()
    {
        const auto spline = makeSpline({ { 150, 300 }, { 1500, 600 } }, { 0, 0 }, 0);
        QCOMPARE(evaluate(*context, *spline), (QVector<QPoint> { { 10, 20 }, { 100, 40 }, { 100, 40 } }));
    }

    void openSplineEndsOnItsEndPoints_data()
    {
        QTest::addColumn<double>("inner");
        QTest::newRow("approximated") << 1.0;
        QTest::newRow("interpolated") << -1.0;
        QTest::newRow("half approximated") << 0.5;
    }
    void openSplineEndsOnItsEndPoints()
    {
        QFETCH(double, inner);
        const auto spline
            = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 }, { 3000, 1500 } }, { 0, inner, inner, 0 }, 0);
        const QVector<QPoint> points = evaluate(*context, *spline);
        QCOMPARE(points.first(), QPoint(0, 0));
        QCOMPARE(points.last(), QPoint(200, 100));
        // Three curved segments of at least five points each, far fewer than
        // one per pixel of their length.
        QVERIFY2(points.size() >= 16 && points.size() <= 150, qPrintable(QString::number(points.size())));
        // An interpolated corner overshoots by 13 pixels (see below).
        for (const QPoint& p : points)
            QVERIFY(p.x() >= 0 && p.x() <= 200 && p.y() >= -15 && p.y() <= 115);
    }

    // Through the two corners of a step, 100 pixels high, an interpolating
    // factor -s pulls the curve past them by a tension of s (as fig2dev
    // draws it): 12.9 pixels for -1 and 6.9 for -0.5 beyond each corner.
    void interpolatedCornerOvershoots_data()
    {
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("overshoot");
        QTest::newRow("-1") << -1.0 << 13;
        QTest::newRow("-0.5") << -0.5 << 7;
    }
    void interpolatedCornerOvershoots()
    {
        QFETCH(double, factor);
        QFETCH(int, overshoot);
        const auto spline
            = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 }, { 3000, 1500 } }, { 0, factor, factor, 0 }, 0);
        context->zoom = 8.0f; // finer points, so that the extremes are met
        const QVector<QPoint> points = evaluate(*context, *spline);
        int top = INT_MAX;
        int bottom = INT_MIN;
        for (const QPoint& p : points) {
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
        QVERIFY2(qAbs(top + 8 * overshoot) <= 8, qPrintable(QString::number(top)));
        QVERIFY2(qAbs(bottom - 8 * (100 + overshoot)) <= 8, qPrintable(QString::number(bottom)));
    }

    void nonPositiveFactorPassesThroughItsPoint_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<double>("factor");
        QTest::newRow("open interpolated") << 0 << -1.0;
        QTest::newRow("open, factor -0.5") << 0 << -0.5;
        QTest::newRow("closed interpolated") << 1 << -1.0;
    }
    void nonPositiveFactorPassesThroughItsPoint()
    {
        QFETCH(int, subType);
        QFETCH(double, factor);
        const bool closed = subType & 1;
        const auto spline = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 }, { 3000, 1500 } },
            { closed ? factor : 0.0, factor, factor, closed ? factor : 0.0 }, subType);
        const QVector<QPoint> points = evaluate(*context, *spline);
        for (const QPoint& control : { QPoint(0, 0), QPoint(100, 0), QPoint(100, 100), QPoint(200, 100) })
            QVERIFY2(points.contains(control), qPrintable(QStringLiteral("%1,%2").arg(control.x()).arg(control.y())));
        if (closed) {
            QCOMPARE(points.first(), QPoint(100, 0)); // a closed curve starts at P1
            QCOMPARE(points.last(), points.first());
        }
    }

    void positiveFactorKeepsTheCurveOffItsPoint()
    {
        const auto spline = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 }, { 3000, 1500 } }, { 0, 1, 1, 0 }, 0);
        const QVector<QPoint> points = evaluate(*context, *spline);
        QVERIFY(!points.contains(QPoint(100, 0)));
        QVERIFY(!points.contains(QPoint(100, 100)));
    }

    void closedSplineReturnsToItsFirstPoint()
    {
        const auto spline = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 } }, { 1, 1, 1 }, 1);
        const QVector<QPoint> points = evaluate(*context, *spline);
        QVERIFY(points.size() >= 16);
        QCOMPARE(points.last(), points.first());
    }

    void zoomingInAddsPointsToCurvesOnly()
    {
        const auto curved = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 }, { 3000, 1500 } }, { 0, 1, 1, 0 }, 0);
        const auto straight = makeSpline({ { 0, 0 }, { 1500, 0 }, { 1500, 1500 } }, { 0, 0, 0 }, 0);
        const int curvedAt1 = evaluate(*context, *curved).size();
        const int straightAt1 = evaluate(*context, *straight).size();
        context->zoom = 4.0f;
        QVERIFY(evaluate(*context, *curved).size() > curvedAt1);
        QCOMPARE(evaluate(*context, *straight).size(), straightAt1);
    }

    // At zoom 99.99 these segments are about 600000 pixels long: the squared
    // distance does not fit in 32 bits, and the evaluation must still end.
    void farApartPointsAtHighZoomEnd_data()
    {
        QTest::addColumn<int>("subType");
        QTest::newRow("open") << 0;
        QTest::newRow("closed") << 1;
    }
    void farApartPointsAtHighZoomEnd()
    {
        QFETCH(int, subType);
        context->zoom = 99.99f;
        const auto spline = makeSpline({ { 0, 0 }, { 100000, 0 }, { 100000, 100000 }, { 0, 100000 } },
            { 0, 1, -1, subType & 1 ? 1.0 : 0.0 }, subType);
        const QVector<QPoint> points = evaluate(*context, *spline);
        QVERIFY(points.size() > 100);
        if (subType & 1) {
            QCOMPARE(points.last(), points.first());
        } else {
            QCOMPARE(points.first(), QPoint(0, 0));
            // The last control point in pixels, 100000 * 99.99 / 15 rounded.
            QCOMPARE(points.last(), QPoint(0, 666600));
        }
    }

    void stopFlagEndsTheEvaluationAfterTheSegment_data()
    {
        QTest::addColumn<int>("subType");
        QTest::newRow("open") << 0;
        QTest::newRow("closed") << 1;
    }
    void stopFlagEndsTheEvaluationAfterTheSegment()
    {
        QFETCH(int, subType);
        const auto spline = makeSpline(
            { { 0, 0 }, { 1500, 0 }, { 1500, 1500 }, { 3000, 1500 }, { 4500, 0 } }, { 0, 1, 1, 1, 0 }, subType);
        const int full = evaluate(*context, *spline).size();
        const QVector<QPoint> stopped = evaluate(*context, *spline, stopAtFirstPoint);
        QVERIFY(splineEvaluationStopped);
        // One segment of at least five points, then the closing point.
        QVERIFY(stopped.size() >= 6);
        QVERIFY(stopped.size() < full);
        if (subType & 1)
            QCOMPARE(stopped.last(), stopped.first());
        else
            QCOMPARE(stopped.last(), QPoint(100, 100)); // the first segment's fourth control point

        // The next evaluation clears the flag and runs to the end.
        QCOMPARE(evaluate(*context, *spline).size(), full);
        QVERIFY(!splineEvaluationStopped);
    }

    void segmentStep_data()
    {
        QTest::addColumn<double>("s1");
        QTest::addColumn<double>("s2");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<double>("minStep");
        QTest::addColumn<double>("maxStep");
        // Start and end of the segment lie 400 pixels apart: n = 10 + b with
        // b in 0..20, so the step lies between 0.5 / 30 and 0.5 / 10 (in
        // single precision).
        QTest::newRow("interpolated, 400 pixels") << -1.0 << -1.0 << QPoint(400, 0) << 0.5 / 30 << 0.0500001;
        QTest::newRow("one sharp end, 400 pixels") << 0.0 << -1.0 << QPoint(0, 400) << 0.5 / 30 << 0.0500001;
        // Two pixels long and straight through its middle: n = 0, which
        // takes the largest step.
        QTest::newRow("n = 0") << -1.0 << -1.0 << QPoint(2, 0) << 0.2 << 0.2000001;
    }
    void segmentStep()
    {
        QFETCH(double, s1);
        QFETCH(double, s2);
        QFETCH(QPoint, end);
        QFETCH(double, minStep);
        QFETCH(double, maxStep);
        const QPoint start(0, 0);
        const double step = splineSegmentStep(0, start, start, end, end, s1, s2, 0.5f);
        QVERIFY2(step >= minStep && step <= maxStep, qPrintable(QString::number(step)));
    }

    void straightSegmentTakesOneStep()
    {
        QCOMPARE(
            splineSegmentStep(3, QPoint(0, 0), QPoint(10, 0), QPoint(900, 700), QPoint(5, 5), 0.0, 0.0, 0.5f), 1.0);
        received.clear();
        evaluateSplineSegment(1.0, 0, QPoint(0, 0), QPoint(10, 0), QPoint(900, 700), QPoint(5, 5), 0, 0, recordPoint);
        QCOMPARE(received, QVector<QPoint> { QPoint(10, 0) });
    }

    // Pixel coordinates far beyond what the canvas shows: the step stays
    // positive and small, so a segment always ends.
    void stepOfAHugeSegmentIsPositive()
    {
        const QPoint far(2000000000, -2000000000);
        const double step = splineSegmentStep(0, -far, -far, far, far, 1.0, 1.0, 0.5f);
        QVERIFY(step > 0.0 && step <= 0.2000001);
    }

    void blendingIdentities_data()
    {
        QTest::addColumn<double>("t");
        QTest::newRow("start") << 0.0;
        QTest::newRow("quarter") << 0.25;
        QTest::newRow("middle") << 0.5;
        QTest::newRow("near the end") << 0.9;
    }
    void blendingIdentities()
    {
        QFETCH(double, t);
        // A factor of 0 gives the same weights in both forms.
        double p0, p2, n0, n2, p1, p3, n1, n3;
        positiveS1Influence(2, t, 0.0, p0, p2);
        negativeS1Influence(t, 0.0, n0, n2);
        positiveS2Influence(2, t, 0.0, p1, p3);
        negativeS2Influence(t, 0.0, n1, n3);
        QVERIFY(qAbs(p0 - n0) < 1e-12 && qAbs(p2 - n2) < 1e-12);
        QVERIFY(qAbs(p1 - n1) < 1e-12 && qAbs(p3 - n3) < 1e-12);

        // At t = 0 a non-positive s1 puts the whole weight on P1.
        double w[4];
        weights(0, 0.0, -0.7, 0.4, w);
        QCOMPARE(w[0], 0.0);
        QCOMPARE(w[2], 0.0);
        QVERIFY(w[1] > 0.0);
        QCOMPARE(w[3], 0.0);
    }

private:
    std::unique_ptr<CFigContext> context;
};

TAVREL_TEST_MAIN(TestXSpline)
#include "tst_xspline.moc"
