#include "model/geometricqueries.h"

#include "model/units.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// Differences in 64 bits: coordinates near the int limits must not overflow.
bool withinSquare(int px, int py, int x, int y, int t)
{
    return std::llabs(std::int64_t(x) - px) <= t && std::llabs(std::int64_t(y) - py) <= t;
}

} // namespace

bool pointNearSegment(int x1, int y1, int x2, int y2, int x, int y, int t, float t2, int& hitX, int& hitY)
{
    if (withinSquare(x1, y1, x, y, t)) {
        hitX = x1;
        hitY = y1;
        return true;
    }
    if (withinSquare(x2, y2, x, y, t)) {
        hitX = x2;
        hitY = y2;
        return true;
    }
    const std::int64_t left = std::int64_t(std::min(x1, x2)) - t;
    const std::int64_t right = std::int64_t(std::max(x1, x2)) + t;
    const std::int64_t top = std::int64_t(std::min(y1, y2)) - t;
    const std::int64_t bottom = std::int64_t(std::max(y1, y2)) + t;
    if (x < left || x > right || y < top || y > bottom)
        return false;

    float footX;
    float footY;
    if (x1 == x2) {
        footX = float(x1);
        footY = float(y);
    } else if (y1 == y2) {
        footX = float(x);
        footY = float(y1);
    } else {
        const float b = float(std::int64_t(x2) - x1) / float(std::int64_t(y2) - y1);
        const float b2 = b * b;
        footY = (float(y1) * b2 + float(std::int64_t(x) - x1) * b + float(y)) / (b2 + 1.0f);
        footX = (footY - float(y1)) * b + float(x1);
    }
    const float dx = float(x) - footX;
    const float dy = float(y) - footY;
    if (!(t2 > dx * dx + dy * dy))
        return false;
    hitX = roundToInt(footX);
    hitY = roundToInt(footY);
    return true;
}
