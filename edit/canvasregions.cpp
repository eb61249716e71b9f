#include "edit/canvasregions.h"

#include <QImage>

#include <algorithm>
#include <cstdint>

namespace {

std::int64_t pixelCount(const QRect& rect)
{
    return std::int64_t(rect.width()) * rect.height();
}

} // namespace

bool unplainPixels(const QImage& image, QRgb plain, int join, int maxRuns, QRegion& out)
{
    out = QRegion();
    if (image.depth() != 32)
        return false;
    std::vector<QRect> runs;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const size_t rowStart = runs.size();
        for (int x = 0; x < width; ++x) {
            if (row[x] == plain)
                continue;
            int end = x;
            while (end + 1 < width && row[end + 1] != plain)
                ++end;
            if (runs.size() > rowStart && x - runs.back().right() <= join) {
                runs.back().setRight(end);
            } else {
                if (runs.size() >= size_t(std::max(maxRuns, 0)))
                    return false;
                runs.emplace_back(x, y, end - x + 1, 1);
            }
            x = end;
        }
    }
    // Sorted by row, then column, one pixel high and apart within a row: the
    // banded form QRegion takes whole.
    if (!runs.empty())
        out.setRects(runs.data(), int(runs.size()));
    return true;
}

std::vector<QRect> stripsAround(const QRegion& region, const QMargins& grow)
{
    std::vector<QRect> strips;
    for (const QRect& piece : region) {
        QRect grown = piece.marginsAdded(grow);
        for (;;) {
            auto joins = std::find_if(strips.begin(), strips.end(), [&grown](const QRect& strip) {
                return strip.intersects(grown)
                    && pixelCount(strip.united(grown)) <= pixelCount(strip) + pixelCount(grown);
            });
            if (joins == strips.end())
                break;
            grown = grown.united(*joins);
            strips.erase(joins);
        }
        strips.push_back(grown);
    }
    return strips;
}
