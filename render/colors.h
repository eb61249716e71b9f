#pragma once
// Colours and their 41 shades and tints. A ShadeTable holds the entries that
// area fills 0 to 40 of one colour paint with: 0 black, 1 to 19 darker
// shades, 20 the colour itself, 21 to 39 lighter tints, 40 white.

struct ShadeTable {
    int shade[41]; // 0xRRGGBB
};

// Fills `table` from a colour given as three 0..255 components.
void buildColorShades(ShadeTable& table, int r, int g, int b);

// Colour-space conversions in single precision, components in 0..1; the
// conversion back gives 0..255 components.
void rgbToHsv(float r, float g, float b, float& h, float& s, float& v);
void hsvToRgb(float h, float s, float v, int& r, int& g, int& b);
