#include "render/imagescroll.h"

#include <QImage>

#include <cstdlib>
#include <cstring>

void scrollImage(QImage& image, int dx, int dy)
{
    if (image.isNull() || (dx == 0 && dy == 0))
        return;
    const int w = image.width();
    const int h = image.height();
    if (std::abs(dx) >= w || std::abs(dy) >= h)
        return;
    const int bytesPerPixel = image.depth() / 8;
    if (bytesPerPixel <= 0)
        return;
    const int rowBytes = (w - std::abs(dx)) * bytesPerPixel;
    const int from = dx < 0 ? -dx : 0; // first source column
    const int to = dx > 0 ? dx : 0; // first target column
    // Rows are copied in the order that reads each before it is written.
    const int first = dy > 0 ? h - 1 : 0;
    const int step = dy > 0 ? -1 : 1;
    uchar* bits = image.bits(); // detaches once
    const qsizetype stride = image.bytesPerLine();
    for (int n = 0; n < h - std::abs(dy); ++n) {
        const int target = first + step * n;
        const int source = target - dy;
        std::memmove(bits + target * stride + to * bytesPerPixel, bits + source * stride + from * bytesPerPixel,
            size_t(rowBytes));
    }
}
