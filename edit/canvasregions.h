#pragma once
// Pixel regions of a canvas image for the drag layer (edit/draglayer.h):
// where an image is not plain background, and a few strips that cover a
// region of many small pieces.

#include <QMargins>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include <vector>

class QImage;

// The pixels of `image` (32 bits a pixel) that differ from `plain`, as runs
// along its rows, runs fewer than `join` pixels apart joined into one. False,
// with `out` empty, when there are more than `maxRuns` runs.
bool unplainPixels(const QImage& image, QRgb plain, int join, int maxRuns, QRegion& out);

// Rectangles covering `region`: each of its pieces grown by `grow` (a side
// each margin), and two that overlap joined where the box around both is no larger
// than the two together. The many pieces of a line (a dotted one too) become
// one strip along it; two lines that cross stay two strips rather than one
// box around both.
std::vector<QRect> stripsAround(const QRegion& region, const QMargins& grow);
