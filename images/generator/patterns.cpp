// The 22 fill patterns: 32 x 32 one-bit tiles, black for a set pixel, that
// repeat seamlessly (every period divides 32). Index n is area fill 41 + n.

#include "canvas.h"

#include <cmath>
#include <cstdlib>

namespace gen {

namespace {

constexpr int tile = 32;

int wrap(int v)
{
    return ((v % tile) + tile) % tile;
}

// A 32 x 32 tile being drawn; coordinates wrap around its edges.
class Tile {
public:
    Tile()
        : image_(tile, tile, QImage::Format_Mono)
    {
        image_.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 0) });
        image_.fill(0);
    }

    void set(int x, int y) { image_.setPixel(wrap(x), wrap(y), 1); }

    // Bresenham line, end points included.
    void line(int x0, int y0, int x1, int y1)
    {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            set(x0, y0);
            if (x0 == x1 && y0 == y1)
                break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

    // The circle of radius r about the pixel (cx, cy) by the midpoint
    // method; lowerHalfOnly keeps the points at or below the centre row.
    void circle(int cx, int cy, int r, bool lowerHalfOnly = false)
    {
        int x = r, y = 0, err = 1 - r;
        while (x >= y) {
            const int octants[8][2]
                = { { x, y }, { y, x }, { -y, x }, { -x, y }, { -x, -y }, { -y, -x }, { y, -x }, { x, -y } };
            for (const auto& o : octants)
                if (!lowerHalfOnly || o[1] >= 0)
                    set(cx + o[0], cy + o[1]);
            ++y;
            if (err < 0) {
                err += 2 * y + 1;
            } else {
                --x;
                err += 2 * (y - x) + 1;
            }
        }
    }

    QImage image() const { return image_; }

    // The same tile with x and y exchanged (for the vertical variants).
    QImage transposed() const
    {
        Tile t;
        for (int y = 0; y < tile; ++y)
            for (int x = 0; x < tile; ++x)
                if (image_.pixelIndex(x, y))
                    t.set(y, x);
        return t.image();
    }

    // The tile mirrored left to right.
    QImage mirrored() const { return image_.mirrored(true, false); }

private:
    QImage image_;
};

// Shallow lines, one pixel down per two across, 8 pixels apart vertically.
Tile shallowLines(bool falling)
{
    Tile t;
    for (int x = 0; x < tile; ++x)
        for (int y = 0; y < tile; y += 8)
            t.set(x, falling ? y + x / 2 : y - x / 2);
    return t;
}

// 45 degree lines every 8 pixels.
Tile steepLines(bool falling)
{
    Tile t;
    for (int x = 0; x < tile; ++x)
        for (int y = 0; y < tile; y += 8)
            t.set(x, falling ? y + x : y - x);
    return t;
}

QImage merged(const QImage& a, const QImage& b)
{
    QImage result = a;
    for (int y = 0; y < tile; ++y)
        for (int x = 0; x < tile; ++x)
            if (b.pixelIndex(x, y))
                result.setPixel(x, y, 1);
    return result;
}

// Courses of 16 x 8 bricks, every other course shifted by half a brick.
Tile bricks()
{
    Tile t;
    for (int y = 0; y < tile; y += 8) {
        t.line(0, y, tile - 1, y);
        const int shift = (y / 8) % 2 ? 8 : 0;
        for (int x = shift; x < tile; x += 16)
            t.line(x, y + 1, x, y + 7);
    }
    return t;
}

// Rows of lines every 4 pixels.
Tile rows(int step)
{
    Tile t;
    for (int y = 0; y < tile; y += step)
        t.line(0, y, tile - 1, y);
    return t;
}

// Courses 8 high with slanted joints every 16 pixels, leaning to the right
// (the joint runs up to the right); each course shifted by 8 pixels.
Tile shingles()
{
    Tile t;
    for (int y = 0; y < tile; y += 8) {
        t.line(0, y, tile - 1, y);
        const int shift = (y / 8) % 2 ? 8 : 0;
        for (int x = shift; x < tile; x += 16)
            t.line(x, y + 7, x + 3, y + 1);
    }
    return t;
}

// Fish scales: rows of half circles opening upwards, each row shifted by a
// radius, so that every scale rests on the two below it.
Tile fishScales(int radius)
{
    Tile t;
    for (int row = 0; row * radius < tile; ++row) {
        const int shift = row % 2 ? radius : 0;
        for (int cx = shift; cx < tile + radius; cx += 2 * radius)
            t.circle(cx, row * radius, radius, true);
    }
    return t;
}

// Rings of radius 6.5 about the pixel corners (8, 8) + 16 (i, j): a pixel is
// set when its centre lies within half a pixel of the ring.
Tile circles()
{
    Tile t;
    for (int y = 0; y < tile; ++y) {
        for (int x = 0; x < tile; ++x) {
            const double dx = (x % 16) + 0.5 - 8, dy = (y % 16) + 0.5 - 8;
            if (std::abs(std::sqrt(dx * dx + dy * dy) - 6.5) < 0.5)
                t.set(x, y);
        }
    }
    return t;
}

// A honeycomb of flat-topped hexagons, two columns per tile width.
Tile hexagons()
{
    Tile t;
    for (int y = 0; y < tile; y += 16) {
        t.line(0, y, 10, y);
        t.line(10, y, 16, y + 8);
        t.line(16, y + 8, 10, y + 16);
        t.line(16, y + 8, 26, y + 8);
        t.line(26, y + 8, 32, y);
        t.line(26, y + 8, 32, y + 16);
    }
    return t;
}

// Octagons in a 16 pixel lattice with the small squares between them.
Tile octagons()
{
    Tile t;
    constexpr int a = 5;
    for (int oy = 0; oy < tile; oy += 16) {
        for (int ox = 0; ox < tile; ox += 16) {
            t.line(ox + a, oy, ox + 16 - a, oy);
            t.line(ox + 16 - a, oy, ox + 16, oy + a);
            t.line(ox + 16, oy + a, ox + 16, oy + 16 - a);
            t.line(ox + 16, oy + 16 - a, ox + 16 - a, oy + 16);
            t.line(ox + 16 - a, oy + 16, ox + a, oy + 16);
            t.line(ox + a, oy + 16, ox, oy + 16 - a);
            t.line(ox, oy + 16 - a, ox, oy + a);
            t.line(ox, oy + a, ox + a, oy);
        }
    }
    return t;
}

// Tire treads: rows of zigzags, teeth 8 wide and 4 high, every 8 pixels,
// each zigzag doubled to give the treads some weight.
Tile treads()
{
    Tile t;
    for (int y = 0; y < tile; y += 8) {
        for (int x = 0; x < tile; x += 8) {
            t.line(x, y + 4, x + 4, y);
            t.line(x + 4, y, x + 8, y + 4);
            t.line(x, y + 5, x + 4, y + 1);
            t.line(x + 4, y + 1, x + 8, y + 5);
        }
    }
    return t;
}

QImage pattern(int n)
{
    switch (n) {
    case 0:
        return shallowLines(true).image();
    case 1:
        return shallowLines(false).image();
    case 2:
        return merged(shallowLines(true).image(), shallowLines(false).image());
    case 3:
        return steepLines(true).image();
    case 4:
        return steepLines(false).image();
    case 5:
        return merged(steepLines(true).image(), steepLines(false).image());
    case 6:
        return bricks().image();
    case 7:
        return bricks().transposed();
    case 8:
        return rows(4).image();
    case 9:
        return rows(4).transposed();
    case 10:
        return merged(rows(4).image(), rows(4).transposed());
    case 11:
        return shingles().image();
    case 12:
        return shingles().mirrored();
    case 13:
        return shingles().transposed();
    case 14: {
        Tile t;
        const QImage leaningLeft = shingles().mirrored();
        for (int y = 0; y < tile; ++y)
            for (int x = 0; x < tile; ++x)
                if (leaningLeft.pixelIndex(x, y))
                    t.set(y, x);
        return t.image();
    }
    case 15:
        return fishScales(8).image();
    case 16:
        return fishScales(4).image();
    case 17:
        return circles().image();
    case 18:
        return hexagons().image();
    case 19:
        return octagons().image();
    case 20:
        return treads().image();
    case 21:
        return treads().transposed();
    default:
        return QImage();
    }
}

} // namespace

void addPatternImages(ImageTable& table)
{
    for (int n = 0; n < 22; ++n)
        table.insert(QStringLiteral(":/patterns/images/patterns/pattern%1.png").arg(n), [n] { return pattern(n); });
}

} // namespace gen
