#pragma once
// The Fig unit, the units in which values dialogs show lengths, and the
// rounding rules that the model and the drawing code share. Everything here is
// a stateless free function; the document context wraps the value-unit
// conversions with the program's current unit and its own dots per inch.

#include <climits>
#include <cmath>
#include <cstdint>

// Positions are 32-bit integers in Fig units.
constexpr int figUnitsPerInch = 1200;
// Deliberately the truncated value, not 1200 / 2.54: every centimetre
// conversion of the program uses this constant.
constexpr double figUnitsPerCentimetre = 472.440944;

// Positions beyond this many Fig units (about 2 km) are not a drawing; they
// would only overflow the integer arithmetic of moving and bounding. The
// reader refuses them, and typed values must not make them.
constexpr double maxFigCoordinate = 100000000.0;

// Value units, the numbers of `Preferences::valuesUnit`.
enum ValuesUnit { UnitCentimetre = 0, UnitInch = 1, UnitDisplayPixel = 2, UnitFigUnit = 3 };

// Nearest integer, halves away from zero; 0.5 is never added to a value whose
// fraction is below one half. Values beyond the int range saturate, NaN gives 0.
// Inline: drawing calls it for every point of every outline.
inline int roundToInt(double x)
{
    // Saturate instead of letting an out-of-range conversion become undefined.
    if (std::isnan(x))
        return 0;
    if (x >= 2147483647.0)
        return INT_MAX;
    if (x <= -2147483648.0)
        return INT_MIN;
    const double r = std::trunc(x);
    const double d = x - r;
    if (d >= 0)
        return d < 0.5 ? static_cast<int>(r) : static_cast<int>(std::trunc(x + 0.5));
    return d > -0.5 ? static_cast<int>(r) : static_cast<int>(std::trunc(x - 0.5));
}
// v cut to the range of int.
int clampToInt(std::int64_t v);

// x rounded to n decimal places through roundToInt, halves away from zero.
double roundToDecimals(double x, int n);

// -1, 0 or 1.
int signOf(int v);

// Size of one display pixel at zoom 1 in Fig units: 1200 / dpi formed in
// double precision and held in single precision.
float displayPixelSize(float dpi);

// A value in the given unit to Fig units; `dpi` is used by display pixels
// only. An unknown unit gives 0.
int valueToFigUnits(double value, int unit, float dpi);

// Fig units to a value in the given unit, rounded to `decimals` places.
// Display pixels are whole: their division is done in single precision and
// the decimals are ignored. Fig units come back unchanged; an unknown unit
// gives 0.
double figUnitsToValue(int value, int unit, int decimals, float dpi);

// As figUnitsToValue for a fractional value; the display-pixel division is
// done in double precision.
double figUnitsToValueF(double value, int unit, int decimals, float dpi);
