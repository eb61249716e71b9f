// The point markers of the canvas: small squares with a one-pixel border and
// transparent corner pixels, drawn pixel by pixel.

#include "canvas.h"

namespace gen {

namespace {

QImage marker(int size, QRgb centre, QRgb border)
{
    QImage image = blank(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool edgeX = x == 0 || x == size - 1;
            const bool edgeY = y == 0 || y == size - 1;
            if (edgeX && edgeY)
                continue; // the corners stay transparent
            image.setPixel(x, y, (edgeX || edgeY) ? border : centre);
        }
    }
    return image;
}

constexpr QRgb white = 0xffffffff;
constexpr QRgb blue = 0xff0000ff;
constexpr QRgb red = 0xffff0000;
constexpr QRgb yellow = 0xffffff00;

} // namespace

void addMarkerImages(ImageTable& table)
{
    const QString folder = QStringLiteral(":/markers/images/markers/");
    table.insert(folder + "DOT_SMALL_NORMAL.png", [] { return marker(4, white, blue); });
    table.insert(folder + "DOT_SMALL_TAGGED.png", [] { return marker(5, red, blue); });
    table.insert(folder + "DOT_SMALL_TAGGED2.png", [] { return marker(5, yellow, red); });
    table.insert(folder + "DOT_SMALL_LINKED.png", [] { return marker(5, blue, blue); });
    table.insert(folder + "DOT_COMPOUND_SMALL_NORMAL.png", [] { return marker(5, white, blue); });
    table.insert(folder + "DOT_COMPOUND_SMALL_TAGGED.png", [] { return marker(5, red, blue); });
}

} // namespace gen
