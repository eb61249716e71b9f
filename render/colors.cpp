#include "render/colors.h"

#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figdrawing.h"
#include "model/figobject.h"
#include "model/figtext.h"
#include "model/units.h"

#include <QMap>

#include <algorithm>
#include <cmath>

const StandardColorName standardColorNames[standardColorCount] = {
    { "Black", "black", 0x000000 },
    { "Blue", "blue", 0x0000ff },
    { "Green", "green", 0x00ff00 },
    { "Cyan", "cyan", 0x00ffff },
    { "Red", "red", 0xff0000 },
    { "Magenta", "magenta", 0xff00ff },
    { "Yellow", "yellow", 0xffff00 },
    { "White", "white", 0xffffff },
    { "Blue4", "#000090", 0x000090 },
    { "Blue3", "#0000b0", 0x0000b0 },
    { "Blue2", "#0000d0", 0x0000d0 },
    { "SkyBlue1", "#87ceff", 0x87ceff },
    { "Green4", "#009000", 0x009000 },
    { "Green3", "#00b000", 0x00b000 },
    { "Green2", "#00d000", 0x00d000 },
    { "Cyan4", "#009090", 0x009090 },
    { "Cyan3", "#00b0b0", 0x00b0b0 },
    { "Cyan2", "#00d0d0", 0x00d0d0 },
    { "Red4", "#900000", 0x900000 },
    { "Red3", "#b00000", 0xb00000 },
    { "Red2", "#d00000", 0xd00000 },
    { "Magenta4", "#900090", 0x900090 },
    { "Magenta3", "#b000b0", 0xb000b0 },
    { "Magenta2", "#d000d0", 0xd000d0 },
    { "Brown4", "#803000", 0x803000 },
    { "Brown3", "#a04000", 0xa04000 },
    { "Brown2", "#c06000", 0xc06000 },
    { "Pink4", "#ff8080", 0xff8080 },
    { "Pink3", "#ffa0a0", 0xffa0a0 },
    { "Pink2", "#ffc0c0", 0xffc0c0 },
    { "Pink", "#ffe0e0", 0xffe0e0 },
    { "Gold", "gold", 0xffd700 },
};

ShadeTable standardShades[standardColorCount] = {};

namespace {

int packRgb(int r, int g, int b)
{
    return (r << 16) | (g << 8) | b;
}

// Grey level of step j of the black and white ramps.
int greyLevel(int j)
{
    return static_cast<int>(j * 12.75);
}

// The entry of a colour number's table before the drawing style is applied.
int shadeEntry(const QHash<int, ShadeTable*>& userShades, int colorNumber, int shadeIndex)
{
    if (colorNumber == -1)
        colorNumber = 0;
    if (colorNumber < 0 || shadeIndex < 0 || shadeIndex >= shadeCount)
        return 0x000000;
    if (colorNumber < standardColorCount)
        return standardShades[colorNumber].shade[shadeIndex];
    const ShadeTable* table = userShades.value(colorNumber - standardColorCount, nullptr);
    return table ? table->shade[shadeIndex] : 0x000000;
}

int applyDrawingStyle(int rgb, int drawingStyle)
{
    if (drawingStyle != DrawDimmed && drawingStyle != DrawGreyed)
        return rgb;
    float h, l, s;
    rgbToHls(((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, h, l, s);
    if (drawingStyle == DrawDimmed) {
        l = 0.2f * l + 0.8f;
    } else {
        s = 0.0f;
        l = 0.5f * l + 0.5f;
    }
    int r, g, b;
    hlsToRgb(h, l, s, r, g, b);
    return packRgb(r, g, b);
}

// One component of hlsToRgb.
float hueComponent(float lo, float hi, float x)
{
    if (x < 0.0f)
        x += 1.0f;
    if (x > 1.0f)
        x -= 1.0f;
    if (6.0f * x < 1.0f)
        return lo + (hi - lo) * 6.0f * x;
    if (2.0f * x < 1.0f)
        return hi;
    if (3.0f * x < 2.0f)
        return lo + (hi - lo) * (2.0f / 3.0f - x) * 6.0f;
    return lo;
}

// Rewrites the colours of a list once per object, members of compounds at
// every depth included.
void renumberColors(const FigObjectList* list, const QHash<int, int>& numbers)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        object->penColor = numbers.value(object->penColor, object->penColor);
        object->fillColor = numbers.value(object->fillColor, object->fillColor);
        if (object->type == FigObject::Text) {
            auto* text = static_cast<FigText*>(object);
            text->color = numbers.value(text->color, text->color);
        } else if (object->type == FigObject::Compound) {
            renumberColors(static_cast<FigCompound*>(object)->members, numbers);
        }
    }
}

} // namespace

void rgbToHsv(float r, float g, float b, float& h, float& s, float& v)
{
    v = std::max({ r, g, b });
    const float m = std::min({ r, g, b });
    h = 0.0f;
    s = 0.0f;
    if (v == 0.0f)
        return;
    s = (v - m) / v;
    if (s == 0.0f)
        return;
    const float d = v - m;
    auto scaled = [d, v](float c) {
        const float x = (v - c) / d;
        return std::fabs(x) < 1e-7f ? 0.0f : x;
    };
    const float rc = scaled(r);
    const float gc = scaled(g);
    const float bc = scaled(b);
    if (r == v)
        h = bc - gc;
    else if (g == v)
        h = 2.0f + rc - bc;
    else
        h = 4.0f + gc - rc;
    if (h < 0.0f)
        h += 6.0f;
    h = h / 6.0f;
}

void hsvToRgb(float h, float s, float v, int& r, int& g, int& b)
{
    auto component = [](float c) { return roundToInt(std::min(c, 1.0f) * 255); };
    if (s == 0.0f) {
        r = g = b = component(v);
        return;
    }
    s = std::clamp(s, 0.0f, 1.0f);
    v = std::clamp(v, 0.0f, 1.0f);
    if (h >= 1.0f)
        h = 0.0f;
    h = 6.0f * h;
    const int i = static_cast<int>(h);
    const float f = h - i;
    const float p = (1.0f - s) * v;
    const float q = (1.0f - s * f) * v;
    const float t = (1.0f - s * (1.0f - f)) * v;
    const float sextants[6][3] = { { v, t, p }, { q, v, p }, { p, v, t }, { p, q, v }, { t, p, v }, { v, p, q } };
    const float* rgb = sextants[std::clamp(i, 0, 5)];
    r = component(rgb[0]);
    g = component(rgb[1]);
    b = component(rgb[2]);
}

void rgbToHls(float r, float g, float b, float& h, float& l, float& s)
{
    const float maxC = std::max({ r, g, b });
    const float minC = std::min({ r, g, b });
    l = (maxC + minC) / 2.0f;
    h = 0.0f;
    s = 0.0f;
    if (maxC == minC)
        return;
    const float d = maxC - minC;
    s = l < 0.5f ? d / (maxC + minC) : d / (2.0f - maxC - minC);
    const float dr = ((maxC - r) / 6.0f + d / 2.0f) / d;
    const float dg = ((maxC - g) / 6.0f + d / 2.0f) / d;
    const float db = ((maxC - b) / 6.0f + d / 2.0f) / d;
    if (r == maxC)
        h = db - dg;
    else if (g == maxC)
        h = 1.0f / 3.0f + dr - db;
    else
        h = 2.0f / 3.0f + dg - dr;
    if (h < 0.0f)
        h += 1.0f;
    if (h > 1.0f)
        h -= 1.0f;
}

void hlsToRgb(float h, float l, float s, int& r, int& g, int& b)
{
    if (s == 0.0f) {
        r = g = b = roundToInt(l * 255.0f);
        return;
    }
    const float hi = l < 0.5f ? l * (1.0f + s) : l + s - s * l;
    const float lo = 2.0f * l - hi;
    r = roundToInt(255.0f * hueComponent(lo, hi, h + 1.0f / 3.0f));
    g = roundToInt(255.0f * hueComponent(lo, hi, h));
    b = roundToInt(255.0f * hueComponent(lo, hi, h - 1.0f / 3.0f));
}

void buildColorShades(ShadeTable& table, int r, int g, int b)
{
    table.shade[0] = 0x000000;
    table.shade[40] = 0xFFFFFF;
    table.shade[fullShade] = packRgb(r, g, b);

    float h, s, v;
    rgbToHsv(r / 255.0f, g / 255.0f, b / 255.0f, h, s, v);
    for (int i = 1; i <= 19; ++i) {
        const float factor = i * 0.05f;
        int sr, sg, sb;
        hsvToRgb(h, s, v * factor, sr, sg, sb);
        table.shade[i] = packRgb(sr, sg, sb);
    }

    // Each component steps towards 255 on its own: not a blend towards white.
    auto tint = [](int c, int i) { return std::min(255, static_cast<int>(c + 12.75 * i)); };
    for (int i = 1; i <= 19; ++i)
        table.shade[fullShade + i] = packRgb(tint(r, i), tint(g, i), tint(b, i));
}

void initDefaultColors()
{
    // Black and white are grey ramps without tints: area fill 0 of white is
    // black, of black white; entries 21 to 40 stay black.
    ShadeTable& black = standardShades[0];
    ShadeTable& white = standardShades[7];
    std::fill(std::begin(black.shade), std::end(black.shade), 0);
    std::fill(std::begin(white.shade), std::end(white.shade), 0);
    for (int j = 0; j <= fullShade; ++j) {
        const int up = greyLevel(j);
        const int down = greyLevel(fullShade - j);
        white.shade[j] = packRgb(up, up, up);
        black.shade[j] = packRgb(down, down, down);
    }
    for (int n = 1; n < standardColorCount; ++n) {
        if (n == 7)
            continue;
        const int rgb = standardColorNames[n].rgb;
        buildColorShades(standardShades[n], (rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
    }
}

QColor getShadedColor(const QHash<int, ShadeTable*>& userShades, int colorNumber, int shadeIndex, int drawingStyle)
{
    int rgb;
    if (colorNumber == -5)
        rgb = 0x999999; // black's entry 8, in every style
    else if (colorNumber == -4)
        rgb = 0xe5e5e5; // black's entry 2, in every style
    else
        rgb = applyDrawingStyle(shadeEntry(userShades, colorNumber, shadeIndex), drawingStyle);
    return QColor::fromRgb(static_cast<QRgb>(0xff000000u | static_cast<unsigned>(rgb)));
}

QColor getPenColor(const QHash<int, ShadeTable*>& userShades, int colorNumber, int drawingStyle)
{
    return getShadedColor(userShades, colorNumber, fullShade, drawingStyle);
}

void CFigContext::importUserColors(const FigDrawing* source, const FigObjectList* objects, QList<int>* added)
{
    if (!source || source == &drawing)
        return;
    // The whole old-to-new map is made before any object changes, so that a
    // colour moved to a number that another source colour had is not moved a
    // second time (32 -> 33 and 33 -> 34 must not turn 32 into 34).
    QHash<int, int> numbers;
    for (auto it = source->userColors.constBegin(); it != source->userColors.constEnd(); ++it) {
        const QRgb wanted = it.value().rgba();
        int key = -1;
        for (auto own = drawing.userColors.constBegin(); own != drawing.userColors.constEnd(); ++own) {
            if (own.value().rgba() == wanted) {
                key = own.key();
                break;
            }
        }
        if (key < 0) {
            key = addUserColor(it.value());
            if (key >= 0 && added)
                added->append(key);
        }
        if (key < 0)
            continue; // every key is taken: the colour is not added, its uses stay
        if (key != it.key())
            numbers.insert(it.key() + standardColorCount, key + standardColorCount);
    }
    if (!numbers.isEmpty())
        renumberColors(objects, numbers);
}
