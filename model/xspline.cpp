#include "model/xspline.h"

#include "model/figcontext.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/units.h"
#include "render/pointbuffer.h"

#include <QVarLengthArray>

#include <cmath>

bool splineEvaluationStopped = false;

namespace {

// The step used when a segment's own count gives none, and the largest step
// of a curved segment (five points).
constexpr float maxCurvedStep = 0.2f;

double blendF(double num, double den)
{
    const double u = num / den;
    const double p = 2.0 * den * den;
    return u * u * u * (10.0 - p + (2.0 * p - 15.0) * u + (6.0 - p) * u * u);
}

double blendG(double u, double q)
{
    return u * (q + u * (2.0 * q + u * (8.0 - 12.0 * q + u * (14.0 * q - 11.0 + u * (4.0 - 5.0 * q)))));
}

double blendH(double u, double q)
{
    return u * (q + u * (2.0 * q + u * u * (-2.0 * q - u * q)));
}

void s1Weights(bool negative, int k, double t, double s1, double& a0, double& a2)
{
    if (negative)
        negativeS1Influence(t, s1, a0, a2);
    else
        positiveS1Influence(k, t, s1, a0, a2);
}

void s2Weights(bool positive, int k, double t, double s2, double& a1, double& a3)
{
    if (positive)
        positiveS2Influence(k, t, s2, a1, a3);
    else
        negativeS2Influence(t, s2, a1, a3);
}

QPoint blendPoint(
    double a0, double a1, double a2, double a3, const QPoint& p0, const QPoint& p1, const QPoint& p2, const QPoint& p3)
{
    const double sum = a0 + a1 + a2 + a3;
    const double x = (a0 * p0.x() + a1 * p1.x() + a2 * p2.x() + a3 * p3.x()) / sum;
    const double y = (a0 * p0.y() + a1 * p1.y() + a2 * p2.y() + a3 * p3.y()) / sum;
    return QPoint(roundToInt(x), roundToInt(y));
}

// The segment's points handed to `emit`, shared by the public evaluation and
// the closed layout (which must remember the first point it produced).
template <typename Emit>
void evaluateSegmentWith(double step, int k, const QPoint& p0, const QPoint& p1, const QPoint& p2, const QPoint& p3,
    double s1, double s2, Emit&& emit)
{
    // A step that is not positive would never reach t = 1.
    if (!(step > 0.0))
        step = maxCurvedStep;
    const bool s1Negative = s1 < 0.0;
    const bool s2Positive = !(s2 < 0.0);
    double t = 0.0;
    do {
        double a0, a1, a2, a3;
        s1Weights(s1Negative, k, t, s1, a0, a2);
        s2Weights(s2Positive, k, t, s2, a1, a3);
        const QPoint point = blendPoint(a0, a1, a2, a3, p0, p1, p2, p3);
        emit(point.x(), point.y());
        t += step;
    } while (t < 1.0);
}

// The spline's control points and factors in order, read once per evaluation.
// A point without a factor node (a malformed list) counts as a sharp corner.
struct ControlPoints {
    QVarLengthArray<const FigPoint*, 64> points;
    QVarLengthArray<double, 64> factors;

    explicit ControlPoints(const FigSpline* spline)
    {
        const ShapeFactorNode* factor = spline->shapeFactors;
        for (const FigPoint* p = spline->points; p; p = p->next) {
            points.append(p);
            factors.append(factor ? factor->value : 0.0);
            if (factor)
                factor = factor->next;
        }
    }
    int count() const { return points.size(); }
};

} // namespace

void positiveS1Influence(int k, double t, double s1, double& a0, double& a2)
{
    const double T = k + 1 + t;
    const double c0 = k + 1 + s1;
    const double c2 = k + 1 - s1;
    a0 = T < c0 ? blendF(T - c0, k - c0) : 0.0;
    a2 = blendF(T - c2, (k + 2) - c2);
}

// The tension of an interpolating factor is the factor itself (q = -s, not
// -s / 2): with half of it an interpolated curve bends visibly flatter than
// fig2dev draws the same file, so the canvas would not show what is exported.
void negativeS1Influence(double t, double s1, double& a0, double& a2)
{
    const double q = -s1;
    a0 = blendH(-t, q);
    a2 = blendG(t, q);
}

void positiveS2Influence(int k, double t, double s2, double& a1, double& a3)
{
    const double T = k + 1 + t;
    const double c1 = k + 2 + s2;
    const double c3 = k + 2 - s2;
    a1 = blendF(T - c1, (k + 1) - c1);
    a3 = T > c3 ? blendF(T - c3, (k + 3) - c3) : 0.0;
}

void negativeS2Influence(double t, double s2, double& a1, double& a3)
{
    const double q = -s2; // as for s1
    a1 = blendG(1.0 - t, q);
    a3 = blendH(t - 1.0, q);
}

double splineSegmentStep(int k, const QPoint& p0, const QPoint& p1, const QPoint& p2, const QPoint& p3, double s1,
    double s2, float precision)
{
    if (s1 == 0.0 && s2 == 0.0)
        return 1.0;

    double a0, a1, a2, a3;
    QPoint start = p1;
    if (s1 > 0.0) {
        positiveS1Influence(k, 0.0, s1, a0, a2);
        s2Weights(!(s2 < 0.0), k, 0.0, s2, a1, a3);
        start = blendPoint(a0, a1, a2, a3, p0, p1, p2, p3);
    }
    QPoint end = p2;
    if (s2 > 0.0) {
        s1Weights(s1 < 0.0, k, 1.0, s1, a0, a2);
        positiveS2Influence(k, 1.0, s2, a1, a3);
        end = blendPoint(a0, a1, a2, a3, p0, p1, p2, p3);
    }
    s1Weights(s1 < 0.0, k, 0.5, s1, a0, a2);
    s2Weights(s2 > 0.0, k, 0.5, s2, a1, a3);
    const QPoint middle = blendPoint(a0, a1, a2, a3, p0, p1, p2, p3);

    // The bend: the cosine of the angle at the middle point between the
    // directions to the start and to the end (-1 straight, 1 folded back).
    const float ax = float(start.x() - middle.x());
    const float ay = float(start.y() - middle.y());
    const float bx = float(end.x() - middle.x());
    const float by = float(end.y() - middle.y());
    const float lengths = float(std::sqrt(double((bx * bx + by * by) * (ax * ax + ay * ay))));
    float cosine = lengths == 0.0f ? 0.0f : (ax * bx + ay * by) / lengths;
    if (!std::isfinite(cosine))
        cosine = 0.0f;

    // The distance in double: at high zoom the squared pixel distance does not
    // fit in 32 bits, and a wrapped sum used to give a negative count and a
    // step that never reached the segment's end.
    const double dx = double(end.x()) - double(start.x());
    const double dy = double(end.y()) - double(start.y());
    const double distance = std::trunc(std::sqrt(dx * dx + dy * dy));
    const int lengthCount = int(std::sqrt(distance)) / 2;
    int bendCount = int((1.0 + double(cosine)) * 10.0);
    bendCount = qBound(0, bendCount, 20);
    const int n = lengthCount + bendCount;

    if (n <= 0)
        return maxCurvedStep;
    float step = precision / float(n);
    if (double(step) > 0.2 || !(step > 0.0f))
        step = maxCurvedStep;
    return step;
}

void evaluateSplineSegment(double step, int k, const QPoint& p0, const QPoint& p1, const QPoint& p2, const QPoint& p3,
    double s1, double s2, SplinePointConsumer consumer)
{
    evaluateSegmentWith(step, k, p0, p1, p2, p3, s1, s2, [consumer](int x, int y) { consumer(x, y); });
}

bool CFigContext::computeOpenSpline(const FigSpline* spline, float precision, SplinePointConsumer consumer)
{
    resetPointBuffer();
    splineEvaluationStopped = false;
    const ControlPoints cp(spline);
    const int m = cp.count();
    if (m < 2)
        return true; // never asked for: open splines have two points or more

    auto pixel = [&](int i) { return figToPixelPoint(cp.points[i]->x, cp.points[i]->y); };
    auto segment
        = [&](int k, const QPoint& p0, const QPoint& p1, const QPoint& p2, const QPoint& p3, double s1, double s2) {
              const double step = splineSegmentStep(k, p0, p1, p2, p3, s1, s2, precision);
              evaluateSplineSegment(step, k, p0, p1, p2, p3, s1, s2, consumer);
          };

    // First segment: the first point doubled.
    int k = 0;
    QPoint lastControl = pixel(m == 2 ? 1 : 2);
    segment(k, pixel(0), pixel(0), pixel(1), lastControl, cp.factors[0], cp.factors[1]);

    for (int i = 1; i <= m - 3; ++i) {
        if (splineEvaluationStopped)
            break;
        k = i;
        lastControl = pixel(i + 2);
        segment(k, pixel(i - 1), pixel(i), pixel(i + 1), lastControl, cp.factors[i], cp.factors[i + 1]);
    }

    // Last segment: the last point doubled. A two-point spline repeats its
    // second point's factor here.
    if (!splineEvaluationStopped) {
        lastControl = pixel(m - 1);
        if (m == 2)
            segment(k, pixel(0), pixel(1), pixel(1), pixel(1), cp.factors[1], cp.factors[1]);
        else
            segment(k, pixel(m - 3), pixel(m - 2), pixel(m - 1), lastControl, cp.factors[m - 2], cp.factors[m - 1]);
    }

    // The curve ends on the last control point of the last segment computed.
    consumer(lastControl.x(), lastControl.y());
    return true;
}

bool CFigContext::computeClosedSpline(const FigSpline* spline, float precision, SplinePointConsumer consumer)
{
    resetPointBuffer();
    splineEvaluationStopped = false;
    const ControlPoints cp(spline);
    const int m = cp.count();
    if (m < 3)
        return true; // never asked for: closed splines have three points or more

    bool haveFirst = false;
    QPoint first;
    auto emit = [&](int x, int y) {
        if (!haveFirst) {
            first = QPoint(x, y);
            haveFirst = true;
        }
        consumer(x, y);
    };
    auto pixel = [&](int i) { return figToPixelPoint(cp.points[i]->x, cp.points[i]->y); };
    auto segment = [&](int k, int i0, int i1, int i2, int i3) {
        const QPoint p0 = pixel(i0), p1 = pixel(i1), p2 = pixel(i2), p3 = pixel(i3);
        const double s1 = cp.factors[i1];
        const double s2 = cp.factors[i2];
        const double step = splineSegmentStep(k, p0, p1, p2, p3, s1, s2, precision);
        evaluateSegmentWith(step, k, p0, p1, p2, p3, s1, s2, emit);
    };

    bool stopped = false;
    int k = 0;
    for (; k <= m - 4; ++k) {
        segment(k, k, k + 1, k + 2, k + 3);
        if (splineEvaluationStopped) {
            stopped = true;
            break;
        }
    }
    if (!stopped) {
        k = m - 3;
        segment(k, m - 3, m - 2, m - 1, 0);
        if (!splineEvaluationStopped) {
            ++k;
            segment(k, m - 2, m - 1, 0, 1);
            if (!splineEvaluationStopped) {
                ++k;
                segment(k, m - 1, 0, 1, 2);
            }
        }
    }

    // Back to the first point: the curve closes.
    if (haveFirst)
        consumer(first.x(), first.y());
    return true;
}
