#include "model/planegeometry.h"

#include "model/figellipse.h"
#include "model/figline.h"
#include "model/units.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double degreesPerRadian = 57.29577951308232;

// Three points count as collinear when the sine of the angle between the two
// chords from p1 is at most this. The circle through such points would have
// a radius of at least 5e9 Fig units, beyond the coordinate range, and the
// tolerance lies far above the rounding error of the cross product.
constexpr double collinearTolerance = 1e-10;

// Truncation toward zero that saturates instead of overflowing.
int truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

// roundToInt's rule (halves away from zero) for offsets that may exceed the
// int range before a centre is added; saturates far beyond it.
std::int64_t roundToInt64(double v)
{
    if (std::isnan(v))
        return 0;
    if (std::fabs(v) >= 4e18)
        return v < 0 ? -std::int64_t(4e18) : std::int64_t(4e18);
    return static_cast<std::int64_t>(std::round(v));
}

// The sign (-1, 0, 1) of a - b without 32-bit overflow.
int differenceSign(int a, int b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

std::int64_t gcd64(std::int64_t a, std::int64_t b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        const std::int64_t r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// The slope of the table nearest to the direction (dx, dy); differences are
// doubles so that callers with 64-bit differences can use it too.
void nearestLatexSlope(double dx, double dy, int& sx, int& sy, bool arrow)
{
    if (dx == 0) {
        sx = 0;
        sy = dy < 0 ? -1 : 1;
        return;
    }
    const double direction = std::atan(std::fabs(dy) / std::fabs(dx)) * degreesPerRadian;
    const LatexSlope* table = arrow ? latexArrowSlopes : latexLineSlopes;
    const int count = arrow ? latexArrowSlopeCount : latexLineSlopeCount;
    int best = 0;
    double bestDifference = std::fabs(direction - table[0].angle);
    for (int i = 1; i < count; ++i) {
        const double difference = std::fabs(direction - table[i].angle);
        if (difference < bestDifference) { // the earlier row wins a tie
            best = i;
            bestDifference = difference;
        }
    }
    sx = dx < 0 ? -table[best].x : table[best].x;
    sy = dy < 0 ? -table[best].y : table[best].y;
}

} // namespace

// The angles are atan(y / x) * 57.29577951308232 written out to the last bit,
// so that a direction equal to a row's slope matches it exactly.
const LatexSlope latexLineSlopes[latexLineSlopeCount] = {
    { 0, 1, 90 },
    { 1, 0, 0 },
    { 1, 1, 45 },
    { 1, 2, 63.43494882292201 },
    { 1, 3, 71.56505117707799 },
    { 1, 4, 75.963756532073532 },
    { 1, 5, 78.690067525979785 },
    { 1, 6, 80.537677791974389 },
    { 2, 1, 26.56505117707799 },
    { 2, 3, 56.309932474020215 },
    { 2, 5, 68.198590513648185 },
    { 3, 1, 18.43494882292201 },
    { 3, 2, 33.690067525979785 },
    { 3, 4, 53.13010235415598 },
    { 3, 5, 59.036243467926482 },
    { 4, 1, 14.036243467926479 },
    { 4, 3, 36.86989764584402 },
    { 4, 5, 51.340191745909912 },
    { 5, 1, 11.309932474020215 },
    { 5, 2, 21.801409486351812 },
    { 5, 3, 30.963756532073521 },
    { 5, 4, 38.659808254090095 },
    { 5, 6, 50.19442890773481 },
    { 6, 1, 9.4623222080256166 },
    { 6, 5, 39.805571092265197 },
};

const LatexSlope latexArrowSlopes[latexArrowSlopeCount] = {
    { 0, 1, 90 },
    { 1, 0, 0 },
    { 1, 1, 45 },
    { 1, 2, 63.43494882292201 },
    { 1, 3, 71.56505117707799 },
    { 1, 4, 75.963756532073532 },
    { 2, 1, 26.56505117707799 },
    { 2, 3, 56.309932474020215 },
    { 3, 1, 18.43494882292201 },
    { 3, 2, 33.690067525979785 },
    { 3, 4, 53.13010235415598 },
    { 4, 1, 14.036243467926479 },
    { 4, 3, 36.86989764584402 },
};

double vectorAngle(double dx, double dy)
{
    if (dx == 0)
        return dy > 0 ? pi / 2 : 3 * pi / 2;
    if (dy == 0)
        return dx > 0 ? 0 : pi;
    const double a = std::atan(dy / dx);
    if (dx < 0)
        return a + pi;
    if (dy < 0)
        return a + 2 * pi;
    return a;
}

int arcDirection(int x1, int y1, int x2, int y2, int x3, int y3)
{
    const double a1 = vectorAngle(static_cast<double>(x2) - x1, static_cast<double>(y1) - y2);
    const double a2 = vectorAngle(static_cast<double>(x3) - x2, static_cast<double>(y2) - y3);
    const double d = a2 - a1;
    return ((d > 0 && d < pi) || d < -pi) ? 1 : 0;
}

bool computeArcCenter(int x1, int y1, int x2, int y2, int x3, int y3, float& cx, float& cy)
{
    if ((x1 == x3 && y1 == y3) || (x1 == x2 && y1 == y2) || (x2 == x3 && y2 == y3))
        return false;
    const double dx12 = static_cast<double>(x1) - x2;
    const double dy12 = static_cast<double>(y1) - y2;
    const double dx13 = static_cast<double>(x1) - x3;
    const double dy13 = static_cast<double>(y1) - y3;
    // The cross product of the chords tells collinear points in any order.
    const double cross = dx12 * dy13 - dy12 * dx13;
    const double chords = std::sqrt(dx12 * dx12 + dy12 * dy12) * std::sqrt(dx13 * dx13 + dy13 * dy13);
    if (!(std::fabs(cross) > collinearTolerance * chords))
        return false;

    const double s1 = static_cast<double>(x1) * x1 + static_cast<double>(y1) * y1;
    const double s2 = static_cast<double>(x2) * x2 + static_cast<double>(y2) * y2;
    const double s3 = static_cast<double>(x3) * x3 + static_cast<double>(y3) * y3;
    const double centreY = ((s3 - s1) * dx12 - (s2 - s1) * dx13) / (2 * (dx13 * dy12 - dy13 * dx12));
    if (!(std::fabs(centreY) <= FLT_MAX))
        return false;
    const float storedY = static_cast<float>(centreY);
    const double centreX
        = x1 != x3 ? (2 * storedY * dy13 + s3 - s1) / (-2 * dx13) : (2 * storedY * dy12 + s2 - s1) / (-2 * dx12);
    if (!(std::fabs(centreX) <= FLT_MAX))
        return false;
    cx = static_cast<float>(centreX);
    cy = storedY;
    return true;
}

void arcTangentPoint(float cx, float cy, int px, int py, int direction, int& x, int& y)
{
    // Single precision throughout, as the arc drawing expects.
    const float fx = static_cast<float>(px);
    const float fy = static_cast<float>(py);
    const float rx = fx - cx;
    const float ry = fy - cy;
    if (direction != 0) {
        x = roundToInt(fx - ry);
        y = roundToInt(fy + rx);
    } else {
        x = roundToInt(fx + ry);
        y = roundToInt(fy - rx);
    }
}

void pointAtAngle(int x, int y, double angle, double distance, int& rx, int& ry)
{
    rx = truncToInt(x + std::cos(angle) * distance);
    ry = truncToInt(y - std::sin(angle) * distance);
}

void rotatePoint(int cx, int cy, int x, int y, int& rx, int& ry, double angle)
{
    const double s = std::sin(-angle);
    const double c = std::cos(-angle);
    const double dx = static_cast<double>(x) - cx;
    const double dy = static_cast<double>(y) - cy;
    // The offsets are rounded before the centre is added.
    rx = clampToInt(cx + roundToInt64(dx * c - dy * s));
    ry = clampToInt(cy + roundToInt64(dy * c + dx * s));
}

void interpolatePoint(int x1, int y1, int x2, int y2, double t, int& x, int& y)
{
    x = roundToInt((static_cast<double>(x2) - x1) * t + x1);
    y = roundToInt((static_cast<double>(y2) - y1) * t + y1);
}

double angleBetweenVectors(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const double ax = static_cast<double>(x2) - x1;
    const double ay = static_cast<double>(y2) - y1;
    const double bx = static_cast<double>(x4) - x3;
    const double by = static_cast<double>(y4) - y3;
    const double lengths = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
    if (lengths == 0)
        return 0;
    // Rounding can push the cosine of (anti)parallel vectors just past 1.
    const double cosine = std::fmax(-1.0, std::fmin(1.0, (ax * bx + ay * by) / lengths));
    const double theta = std::acos(cosine);
    return ax * by - ay * bx > 0 ? -theta : theta;
}

double ellipseXAtY(double cx, double cy, double rx, double ry, double y, bool positive, bool& ok)
{
    const double dy = y - cy;
    const double v = (1 - dy * dy / (ry * ry)) * rx * rx;
    if (!(v >= 0)) { // also a degenerate ellipse whose formula gives NaN
        ok = false;
        return 0;
    }
    ok = true;
    return positive ? cx + std::sqrt(v) : cx - std::sqrt(v);
}

double ellipseYAtX(double cx, double cy, double rx, double ry, double x, bool positive, bool& ok)
{
    const double dx = x - cx;
    const double v = (1 - dx * dx / (rx * rx)) * ry * ry;
    if (!(v >= 0)) {
        ok = false;
        return 0;
    }
    ok = true;
    return positive ? cy + std::sqrt(v) : cy - std::sqrt(v);
}

double ellipseTangentAngle(double cx, double cy, double rx, double ry, int px, int py)
{
    // On the horizontal axis the quotient is infinite and the angle +-pi/2.
    const double q = -((px - cx) / -(py - cy) * (ry * ry / (rx * rx)));
    // The centre itself, or a degenerate ellipse, has no tangent.
    if (std::isnan(q))
        return 0;
    return std::atan(q);
}

int intersectLines(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int& x, int& y, double& t, double& s)
{
    t = 0;
    s = 0;
    if ((x1 == x2 && y1 == y2) || (x3 == x4 && y3 == y4))
        return IntersectZeroLength;
    const std::int64_t dx12 = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t dy12 = static_cast<std::int64_t>(y2) - y1;
    const std::int64_t dx34 = static_cast<std::int64_t>(x4) - x3;
    const std::int64_t dy34 = static_cast<std::int64_t>(y4) - y3;
    const std::int64_t dx31 = static_cast<std::int64_t>(x3) - x1;
    const std::int64_t dy13 = static_cast<std::int64_t>(y1) - y3;

    // Differences below 2^31 (always so for coordinates within +-2^30) keep
    // the products and their sums exact in 64 bits; wider spans fall back to
    // double precision rather than overflow.
    constexpr std::int64_t exactLimit = std::int64_t(1) << 31;
    const auto fits = [](std::int64_t v) { return v < exactLimit && v > -exactLimit; };
    if (fits(dx12) && fits(dy12) && fits(dx34) && fits(dy34) && fits(dx31) && fits(dy13)) {
        const std::int64_t den = dy34 * dx12 - dx34 * dy12;
        if (den == 0)
            return IntersectParallel;
        s = static_cast<double>(dx31 * dy12 + dy13 * dx12) / static_cast<double>(den);
    } else {
        const double den = static_cast<double>(dy34) * dx12 - static_cast<double>(dx34) * dy12;
        if (den == 0)
            return IntersectParallel;
        s = (static_cast<double>(dx31) * dy12 + static_cast<double>(dy13) * dx12) / den;
    }

    const double px = x3 + dx34 * s;
    const double py = y3 + dy34 * s;
    x = roundToInt(px);
    y = roundToInt(py);
    t = dx12 != 0 ? (px - x1) / dx12 : (py - y1) / dy12;
    return IntersectFound;
}

void extendSegment(int& x1, int& y1, int& x2, int& y2, int distance, bool atStart, bool atEnd)
{
    // Single precision, y up in the segment's frame.
    float ex = static_cast<float>(static_cast<std::int64_t>(x2) - x1);
    float ey = static_cast<float>(static_cast<std::int64_t>(y1) - y2);
    const float length = std::sqrt(ex * ex + ey * ey);
    if (length == 0)
        return;
    ex /= length;
    ey /= length;
    const float fx1 = static_cast<float>(x1), fy1 = static_cast<float>(y1);
    const float fx2 = static_cast<float>(x2), fy2 = static_cast<float>(y2);
    float u1 = fx1 * ex - fy1 * ey;
    const float v1 = fy1 * ex + fx1 * ey;
    float u2 = fx2 * ex - fy2 * ey;
    const float v2 = fy2 * ex + fx2 * ey;
    if (atStart)
        u1 -= static_cast<float>(distance);
    if (atEnd)
        u2 += static_cast<float>(distance);
    x1 = roundToInt(u1 * ex + v1 * ey);
    y1 = roundToInt(v1 * ex - u1 * ey);
    x2 = roundToInt(u2 * ex + v2 * ey);
    y2 = roundToInt(v2 * ex - u2 * ey);
}

void scaleSegment(int& x1, int& y1, int& x2, int& y2, double factor, bool atStart, bool atEnd)
{
    double ex = static_cast<double>(x2) - x1;
    double ey = static_cast<double>(y1) - y2;
    const double length = std::sqrt(ex * ex + ey * ey);
    if (length == 0)
        return;
    ex /= length;
    ey /= length;
    double u1 = x1 * ex - y1 * ey;
    const double v1 = y1 * ex + x1 * ey;
    double u2 = x2 * ex - y2 * ey;
    const double v2 = y2 * ex + x2 * ey;
    if (atStart)
        u1 = u2 - (u2 - u1) * factor;
    if (atEnd)
        u2 = u1 + (u2 - u1) * factor; // with the start just moved
    x1 = roundToInt(u1 * ex + v1 * ey);
    y1 = roundToInt(v1 * ex - u1 * ey);
    x2 = roundToInt(u2 * ex + v2 * ey);
    y2 = roundToInt(v2 * ex - u2 * ey);
}

int greatestCommonDivisor(int a, int b)
{
    // 64 bits so that |INT_MIN| is representable; the one result beyond int,
    // gcd(INT_MIN, 0 or INT_MIN) = 2^31, saturates.
    return clampToInt(gcd64(a, b));
}

void latexSlope(int dx, int dy, int& sx, int& sy, bool arrow)
{
    nearestLatexSlope(dx, dy, sx, sy, arrow);
}

void latexConstrainedEnd(int x1, int y1, int x2, int y2, int& x, int& y, bool arrow, int step)
{
    const std::int64_t dx = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t dy = static_cast<std::int64_t>(y2) - y1;
    int sx = 0, sy = 0;
    nearestLatexSlope(static_cast<double>(dx), static_cast<double>(dy), sx, sy, arrow);

    const bool majorX = std::abs(sx) >= std::abs(sy);
    const std::int64_t m = majorX ? sx : sy; // never 0: a slope has a non-zero major step
    const std::int64_t n = majorX ? sy : sx;
    const std::int64_t dm = majorX ? dx : dy;

    const std::int64_t g = step < 1 ? 1 : step;
    const std::int64_t am = m < 0 ? -m : m;
    const std::int64_t b = g * gcd64(am, g);
    const std::int64_t unit = am * b / gcd64(am, b); // lcm(|m|, g * gcd(m, g))
    const std::int64_t adm = dm < 0 ? -dm : dm;
    std::int64_t major = ((2 * adm) / unit + 1) / 2 * unit; // nearest multiple, halves up
    if (dm < 0)
        major = -major;
    const std::int64_t minor = major * n / m;

    x = clampToInt(x1 + (majorX ? major : minor));
    y = clampToInt(y1 + (majorX ? minor : major));
}

void FigLine::copyPoints(int (*pairs)[2], int& count) const
{
    count = 0;
    for (const FigPoint* p = points; p; p = p->next) {
        pairs[count][0] = p->x;
        pairs[count][1] = p->y;
        ++count;
    }
}

bool FigEllipse::endFlippedX(const FigEllipse& other) const
{
    return differenceSign(end.x, center.x) != differenceSign(other.end.x, other.center.x);
}

bool FigEllipse::endFlippedY(const FigEllipse& other) const
{
    return differenceSign(end.y, center.y) != differenceSign(other.end.y, other.center.y);
}
