#include "render/colors.h"

#include <algorithm>
#include <cmath>

namespace {

// Nearest integer, halves away from zero.
int roundHalfAway(double x)
{
    return static_cast<int>(std::lround(x));
}

int packRgb(int r, int g, int b)
{
    return (r << 16) | (g << 8) | b;
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
    auto component = [](float c) { return roundHalfAway(std::min(c, 1.0f) * 255); };
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

void buildColorShades(ShadeTable& table, int r, int g, int b)
{
    table.shade[0] = 0x000000;
    table.shade[40] = 0xFFFFFF;
    table.shade[20] = packRgb(r, g, b);

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
        table.shade[20 + i] = packRgb(tint(r, i), tint(g, i), tint(b, i));
}
