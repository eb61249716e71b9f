#include "render/pointbuffer.h"

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/units.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

PointBuffer pointBuffer;

void resetPointBuffer()
{
    pointBuffer.count = 0;
    pointBuffer.lastX = -1;
    pointBuffer.lastY = -1;
}

bool addScreenPoint(int x, int y)
{
    PointBuffer& b = pointBuffer;
    if (b.count >= PointBuffer::capacity)
        return false;
    // Only a point actually in the buffer can be repeated: an outline whose
    // first pixel is (-1, -1) must not lose it to the reset marker.
    if (b.count > 0 && x == b.lastX && y == b.lastY)
        return true;
    b.points[b.count++] = QPoint(x, y);
    b.lastX = x;
    b.lastY = y;
    return true;
}

int removeDuplicatePoints(QPoint* points, int count)
{
    if (count <= 0)
        return 0;
    int kept = 1;
    for (int i = 1; i < count; ++i) {
        if (points[i] != points[kept - 1])
            points[kept++] = points[i];
    }
    return kept;
}

void appendPoints(QVector<QPoint>& vector, const QPoint* points, int count)
{
    for (int i = 0; i < count; ++i)
        vector.append(points[i]);
}

void copyPointPairs(const QPoint* source, QPoint* destination, int count)
{
    for (int i = 0; i < count; ++i)
        destination[i] = source[i];
}

bool CFigContext::addFigPoint(int x, int y)
{
    return addScreenPoint(figToPixelX(x), figToPixelY(y));
}

bool CFigContext::addLinePoints(const FigLine* line)
{
    resetPointBuffer();
    if (!line || !line->points)
        return false;
    for (const FigPoint* p = line->points; p; p = p->next) {
        if (!addFigPoint(p->x, p->y))
            break;
    }
    return true;
}

void CFigContext::addEllipticArcPoints(
    int xs, int ys, int xe, int ye, bool closeToCentre, int direction, int wx, int wy, int cx, int cy)
{
    if (wx == 0 || wy == 0)
        return;
    const float sx = canvasScaleX();
    const float sy = canvasScaleY();
    const int pxs = roundToInt(sx * static_cast<float>(xs));
    const int pys = roundToInt(sy * static_cast<float>(ys));
    const int pxe = roundToInt(sx * static_cast<float>(xe));
    const int pye = roundToInt(sy * static_cast<float>(ye));
    const int pwx = roundToInt(sx * static_cast<float>(wx));
    const int pwy = roundToInt(sy * static_cast<float>(wy));
    // A weight that vanishes on the screen would make every step look equally
    // good and send the trace off in a straight line until the buffer is full.
    if (pwx == 0 || pwy == 0)
        return;
    const int p0x = figToPixelX(cx);
    const int p0y = figToPixelY(cy);

    // Pixel offsets from the centre in 64 bits: a far-off arc at high zoom
    // must not wrap when the centre is added.
    auto addOffset = [p0x, p0y](std::int64_t x, std::int64_t y) {
        const std::int64_t px = p0x + x;
        const std::int64_t py = p0y - y;
        if (px < INT_MIN || px > INT_MAX || py < INT_MIN || py > INT_MAX)
            return false;
        return addScreenPoint(static_cast<int>(px), static_cast<int>(py));
    };

    const bool fullCircle = pxs == pxe && pys == pye;
    const int k = fullCircle ? 1 : 2;
    std::int64_t x = pxs;
    std::int64_t y = pys;
    const float wxf = static_cast<float>(pwx);
    const float wyf = static_cast<float>(pwy);
    float u = 2.0f * wxf * static_cast<float>(x);
    float v = 2.0f * wyf * static_cast<float>(y);
    float e = 0.0f;
    addOffset(x, y);

    bool leavingStart = true;
    int nearEndSteps = k;
    for (;;) {
        int mx;
        int my;
        if (direction == 0) {
            mx = v >= 0 ? 1 : -1;
            my = u < 0 ? 1 : -1;
        } else {
            mx = v < 0 ? 1 : -1;
            my = u >= 0 ? 1 : -1;
        }
        const float ex = e + static_cast<float>(mx) * u + wxf;
        const float ey = e + static_cast<float>(my) * v + wyf;
        const float exy = ex + ey - e;
        if (std::fabs(exy) <= std::fabs(ex) && std::fabs(exy) <= std::fabs(ey)) {
            e = exy;
            x += mx;
            y += my;
            u += 2.0f * wxf * static_cast<float>(mx);
            v += 2.0f * wyf * static_cast<float>(my);
        } else if (std::fabs(ex) >= std::fabs(ey)) {
            e = ey;
            y += my;
            v += 2.0f * wyf * static_cast<float>(my);
        } else {
            e = ex;
            x += mx;
            u += 2.0f * wxf * static_cast<float>(mx);
        }
        if (!addOffset(x, y))
            break;
        const bool atEnd = x == pxe && y == pye;
        const bool nearEnd = !atEnd && std::llabs(x - pxe) < k + 1 && std::llabs(y - pye) < k + 1;
        if (leavingStart) {
            if (!nearEnd)
                leavingStart = false;
        } else if (nearEnd && --nearEndSteps == 0) {
            break;
        }
    }

    if (fullCircle)
        addOffset(pxs, pys);
    if (closeToCentre) {
        addOffset(0, 0);
        addOffset(pxs, pys);
    }
}

void CFigContext::addArcBoxPoints(int xmin, int ymin, int xmax, int ymax, int r)
{
    // 2r² in single precision: the int square overflows for large radii.
    const float rf = static_cast<float>(r);
    const int w = roundToInt(std::sqrt(2.0f * rf * rf));
    // Corner positions in 64 bits, held to the int range, so that a huge
    // radius or far-off box cannot overflow.
    auto at = [](std::int64_t a, std::int64_t b) { return clampToInt(a + b); };
    const std::int64_t rr = r;
    const int nr = clampToInt(-rr);
    addFigPoint(xmin, at(ymax, -rr));
    addEllipticArcPoints(nr, 0, 0, r, false, 0, w, w, at(xmin, rr), at(ymin, rr));
    addFigPoint(at(xmax, -rr), ymin);
    addEllipticArcPoints(0, r, r, 0, false, 0, w, w, at(xmax, -rr), at(ymin, rr));
    addFigPoint(xmax, at(ymax, -rr));
    addEllipticArcPoints(r, 0, 0, nr, false, 0, w, w, at(xmax, -rr), at(ymax, -rr));
    addFigPoint(at(xmin, rr), ymax);
    addEllipticArcPoints(0, nr, nr, 0, false, 0, w, w, at(xmin, rr), at(ymax, -rr));
    // The trace stops up to two pixels short of an arc's end; the first point
    // again closes the outline for stroking.
    addFigPoint(xmin, at(ymax, -rr));
}
