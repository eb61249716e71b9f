#include "render/canvaslines.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// The drawing pixel nearest to a position in drawing pixels; ties go up, the
// same way wherever the window is.
long long nearestPixel(double position)
{
    return static_cast<long long>(std::floor(position + 0.5));
}

} // namespace

CanvasLines::CanvasLines(const QRect& area, const QPoint& origin, Qt::PenStyle style)
    : area(area.normalized())
    , origin(origin)
{
    if (style == Qt::NoPen) {
        this->area = QRect();
        return;
    }
    // The pattern of a one-pixel pen: on and off lengths in pixels.
    const QVector<qreal> dashes = QPen(Qt::black, 1, style, Qt::FlatCap).dashPattern();
    for (qreal length : dashes) {
        const int pixels = std::max(1, qRound(length));
        pattern.append(pixels);
        period += pixels;
    }
    if (pattern.size() < 2)
        pattern.clear();
}

bool CanvasLines::patternOn(long long along) const
{
    if (pattern.isEmpty())
        return true;
    long long t = along % period;
    if (t < 0)
        t += period;
    for (int i = 0; i < pattern.size(); ++i) {
        if (t < pattern[i])
            return i % 2 == 0;
        t -= pattern[i];
    }
    return false;
}

void CanvasLines::addColumn(int x, long long y1, long long y2)
{
    if (x < area.left() || x > area.right())
        return;
    const int from = static_cast<int>(std::max<long long>(std::min(y1, y2), area.top()));
    const int to = static_cast<int>(std::min<long long>(std::max(y1, y2), area.bottom()));
    if (from > to)
        return;
    if (pattern.isEmpty()) {
        lines.append(QRect(x, from, 1, to - from + 1));
        return;
    }
    for (int y = from; y <= to; ++y) {
        if (patternOn(static_cast<long long>(y) + origin.y()))
            points.append(QPoint(x, y));
    }
}

void CanvasLines::addRow(int y, long long x1, long long x2)
{
    if (y < area.top() || y > area.bottom())
        return;
    const int from = static_cast<int>(std::max<long long>(std::min(x1, x2), area.left()));
    const int to = static_cast<int>(std::min<long long>(std::max(x1, x2), area.right()));
    if (from > to)
        return;
    if (pattern.isEmpty()) {
        lines.append(QRect(from, y, to - from + 1, 1));
        return;
    }
    for (int x = from; x <= to; ++x) {
        if (patternOn(static_cast<long long>(x) + origin.x()))
            points.append(QPoint(x, y));
    }
}

bool CanvasLines::leavesOutEdgeLine(double spacing, long long origin)
{
    if (!(spacing > 0) || !std::isfinite(spacing))
        return false;
    if (spacing < 1)
        return true; // as good as always: lines are less than a pixel apart
    // Only the last line not past the edge can show in the first pixel; its
    // neighbours are checked too, in case the division misses it by a hair.
    const auto k = static_cast<long long>(std::floor(double(origin) / spacing));
    for (long long i = k - 1; i <= k + 1; ++i) {
        const double position = double(i) * spacing;
        if (position <= double(origin) && nearestPixel(position) == origin)
            return true;
    }
    return false;
}

QVector<int> CanvasLines::linePositions(double spacing, int first, int last, long long origin)
{
    QVector<int> positions;
    if (first > last || !(spacing > 0) || !std::isfinite(spacing))
        return positions;
    const long long from = first + origin;
    const long long to = last + origin;
    if (spacing < 1) {
        // Lines less than a pixel apart reach every pixel past the edge; the
        // first one only from a line past the edge but less than half a
        // pixel after it.
        for (long long p = std::max(from, origin); p <= to; ++p) {
            bool shown = p > origin;
            if (!shown) {
                const auto k = static_cast<long long>(std::floor(double(origin) / spacing));
                for (long long i = k; i <= k + 2 && !shown; ++i) {
                    const double position = double(i) * spacing;
                    shown = position > double(origin) && nearestPixel(position) == origin;
                }
            }
            if (shown)
                positions.append(static_cast<int>(p - origin));
        }
        return positions;
    }
    const auto kFirst = static_cast<long long>(std::floor((double(from) - 1) / spacing));
    const auto kLast = static_cast<long long>(std::ceil((double(to) + 1) / spacing));
    for (long long k = kFirst; k <= kLast; ++k) {
        const double position = double(k) * spacing;
        const long long p = nearestPixel(position);
        if (p >= from && p <= to && position > double(origin))
            positions.append(static_cast<int>(p - origin));
    }
    return positions;
}

void CanvasLines::addColumns(double spacing)
{
    if (area.isEmpty())
        return;
    for (int x : linePositions(spacing, area.left(), area.right(), origin.x()))
        addColumn(x, area.top(), area.bottom());
}

void CanvasLines::addRows(double spacing)
{
    if (area.isEmpty())
        return;
    for (int y : linePositions(spacing, area.top(), area.bottom(), origin.y()))
        addRow(y, area.left(), area.right());
}

void CanvasLines::addSlanted(double spacing, double slope)
{
    if (area.isEmpty() || !(spacing > 0) || !std::isfinite(spacing) || !std::isfinite(slope))
        return;
    const long long top = static_cast<long long>(area.top()) + origin.y();
    const long long bottom = static_cast<long long>(area.bottom()) + origin.y();
    // Each column holds one pixel of each line, at the row nearest to it;
    // the pattern runs along the columns.
    for (int x = area.left(); x <= area.right(); ++x) {
        const long long column = static_cast<long long>(x) + origin.x();
        if (!patternOn(column))
            continue;
        if (spacing < 1) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                points.append(QPoint(x, y));
            continue;
        }
        const double base = double(column) * slope;
        const auto first = static_cast<long long>(std::floor((double(top) - 1 - base) / spacing));
        const auto last = static_cast<long long>(std::ceil((double(bottom) + 1 - base) / spacing));
        for (long long j = first; j <= last; ++j) {
            const long long p = nearestPixel(double(j) * spacing + base);
            if (p >= top && p <= bottom)
                points.append(QPoint(x, static_cast<int>(p - origin.y())));
        }
    }
}

void CanvasLines::draw(QPainter* painter) const
{
    if (!painter || (points.isEmpty() && lines.isEmpty()))
        return;
    // The pattern is in the pixels already: they are drawn solid.
    const QPen pen = painter->pen();
    QPen solid = pen;
    solid.setStyle(Qt::SolidLine);
    painter->setPen(solid);
    for (const QRect& line : lines)
        painter->fillRect(line, pen.color());
    if (!points.isEmpty())
        painter->drawPoints(points.constData(), points.size());
    painter->setPen(pen);
}
