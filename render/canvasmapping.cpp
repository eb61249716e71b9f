#include "render/canvasmapping.h"

#include "model/figcontext.h"
#include "model/units.h"

#include <QPoint>

#include <algorithm>
#include <climits>
#include <cstdint>

float canvasScale(float dpi, float zoom)
{
    const float kx = displayPixelSize(dpi);
    return (1.0f / kx) * zoom;
}

int figToPixel(int f, float dpi, float zoom, int origin)
{
    const float product = canvasScale(dpi, zoom) * static_cast<float>(f);
    // Far-off coordinates at high zoom would overflow the subtraction.
    return clampToInt(static_cast<std::int64_t>(roundToInt(product)) - origin);
}

float figToPixelF(float f, float dpi, float zoom, int origin)
{
    return canvasScale(dpi, zoom) * f - static_cast<float>(origin);
}

int pixelToFig(int p, float dpi, float zoom, int origin)
{
    const float s = displayPixelSize(dpi) / zoom;
    // The sum in 64 bits: a pixel near INT_MAX plus the origin must not wrap.
    const std::int64_t sum = static_cast<std::int64_t>(std::max(p, 0)) + origin;
    return roundToInt(s * static_cast<float>(sum));
}

int pixelToFigUnclamped(int p, float dpi, float zoom, int origin)
{
    const float s = displayPixelSize(dpi) / zoom;
    return roundToInt(s * static_cast<float>(static_cast<std::int64_t>(p) + origin));
}

float CFigContext::canvasScaleX() const
{
    return canvasScale(dpiX, zoom);
}

float CFigContext::canvasScaleY() const
{
    return canvasScale(dpiY, zoom);
}

int CFigContext::figToPixelX(int x) const
{
    return figToPixel(x, dpiX, zoom, originX);
}

int CFigContext::figToPixelY(int y) const
{
    return figToPixel(y, dpiY, zoom, originY);
}

QPoint CFigContext::figToPixelPoint(int x, int y) const
{
    return QPoint(figToPixelX(x), figToPixelY(y));
}

int CFigContext::pixelToFigX(int x) const
{
    return pixelToFig(x, dpiX, zoom, originX);
}

int CFigContext::pixelToFigY(int y) const
{
    return pixelToFig(y, dpiY, zoom, originY);
}
