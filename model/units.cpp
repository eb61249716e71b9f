#include "model/units.h"

#include "app/preferences.h"
#include "model/figcontext.h"

#include <climits>
#include <cmath>

int clampToInt(std::int64_t v)
{
    return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

double roundToDecimals(double x, int n)
{
    const double f = std::pow(10.0, n);
    return roundToInt(f * x) / f;
}

int signOf(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

float displayPixelSize(float dpi)
{
    return static_cast<float>(1200.0 / static_cast<double>(dpi));
}

int valueToFigUnits(double value, int unit, float dpi)
{
    switch (unit) {
    case UnitCentimetre:
        return roundToInt(value * figUnitsPerCentimetre);
    case UnitInch:
        return roundToInt(value * figUnitsPerInch);
    case UnitDisplayPixel:
        return roundToInt(static_cast<double>(displayPixelSize(dpi)) * value);
    case UnitFigUnit:
        return roundToInt(value);
    default:
        return 0;
    }
}

double figUnitsToValue(int value, int unit, int decimals, float dpi)
{
    switch (unit) {
    case UnitCentimetre:
        return roundToDecimals(value / figUnitsPerCentimetre, decimals);
    case UnitInch:
        return roundToDecimals(value / static_cast<double>(figUnitsPerInch), decimals);
    case UnitDisplayPixel: {
        // Single precision binds here: near halves it decides the pixel.
        const float pixels = static_cast<float>(value) / displayPixelSize(dpi);
        return roundToDecimals(pixels, 0);
    }
    case UnitFigUnit:
        return value;
    default:
        return 0;
    }
}

double figUnitsToValueF(double value, int unit, int decimals, float dpi)
{
    switch (unit) {
    case UnitCentimetre:
        return roundToDecimals(value / figUnitsPerCentimetre, decimals);
    case UnitInch:
        return roundToDecimals(value / figUnitsPerInch, decimals);
    case UnitDisplayPixel:
        return roundToDecimals(value / static_cast<double>(displayPixelSize(dpi)), 0);
    case UnitFigUnit:
        return value;
    default:
        return 0;
    }
}

int CFigContext::toFigUnits(double value, bool horizontal) const
{
    return valueToFigUnits(value, preferences.valuesUnit, horizontal ? dpiX : dpiY);
}

double CFigContext::fromFigUnits(int value, int unit, int decimals) const
{
    return figUnitsToValue(value, unit, decimals, dpiX);
}

double CFigContext::fromFigUnitsF(double value, int unit, int decimals) const
{
    return figUnitsToValueF(value, unit, decimals, dpiX);
}
