#pragma once
// Colours and their 41 shades and tints. A ShadeTable holds the entries that
// area fills 0 to 40 of one colour paint with: 0 black, 1 to 19 darker
// shades, 20 the colour itself, 21 to 39 lighter tints, 40 white. The 32
// standard Fig colours have program-wide tables; user colours have theirs in
// the document's FigDrawing::userShades.

#include <QColor>
#include <QHash>

struct ShadeTable {
    int shade[41]; // 0xRRGGBB
};

// Drawing styles handed to every object-drawing routine and colour lookup.
enum DrawingStyle : int {
    DrawNormal = 3,
    DrawDimmed = 10, // hidden depths in the dimmed layer mode, objects outside an open compound
    DrawGreyed = 11,
    DrawHidden = 12, // not drawn; never reaches the colour lookups
};

constexpr int standardColorCount = 32;
constexpr int shadeCount = 41;
constexpr int fullShade = 20; // the entry that holds the colour itself

// One standard Fig colour: the name shown to the user and handed to fig2dev,
// the lower-case (or #rrggbb) name, and its value.
struct StandardColorName {
    const char* displayName;
    const char* lowerCaseName;
    int rgb; // 0xRRGGBB
};

extern const StandardColorName standardColorNames[standardColorCount];

// Shade tables of the standard colours 0 to 31, filled by initDefaultColors.
extern ShadeTable standardShades[standardColorCount];

// Builds standardShades; called once at start-up before any drawing.
void initDefaultColors();

// Fills `table` from a colour given as three 0..255 components.
void buildColorShades(ShadeTable& table, int r, int g, int b);

// The colour of an area fill: entry `shadeIndex` of colour `colorNumber`'s
// table (-1 is black, 32 and up the document's user colour number - 32),
// changed by the drawing style. Black for a user colour without a table, an
// unknown colour number or an index outside 0..40; -5 and -4 are fixed greys.
QColor getShadedColor(const QHash<int, ShadeTable*>& userShades, int colorNumber, int shadeIndex, int drawingStyle);

// The full colour (entry 20) of a pen, text or pattern.
QColor getPenColor(const QHash<int, ShadeTable*>& userShades, int colorNumber, int drawingStyle);

// Colour-space conversions in single precision, components in 0..1; the
// conversions back give 0..255 components.
void rgbToHsv(float r, float g, float b, float& h, float& s, float& v);
void hsvToRgb(float h, float s, float v, int& r, int& g, int& b);
void rgbToHls(float r, float g, float b, float& h, float& l, float& s);
void hlsToRgb(float h, float l, float s, int& r, int& g, int& b);
