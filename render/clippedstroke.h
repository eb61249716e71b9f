#pragma once
// Stroking and clip regions of geometry far larger than the part of the
// canvas being painted. Qt strokes a path whole and rasterises the stroke's
// outline over every scan line it crosses, on or off the device, so a thick
// outline at a high zoom (a pen thousands of pixels wide, or a line or
// arrowhead reaching far beyond the window) costs seconds per redraw, and so
// does turning such a polygon into a clip region.
//
// These routines hand Qt only what can reach the painted area: the polyline
// is cut into the runs of segments that come within the stroke's reach of
// it, each run keeping the dash phase it has in the whole line; the stroke's
// outline is then reduced, piece by piece, so that every piece that misses
// the painted area (grown by a pixel) is moved onto the edge of that area in
// a way that gives every painted pixel the same coverage as before (a piece
// above, below or right of the area adds nothing to it; one on its left adds
// only its height in each row, which a vertical piece at the area's left
// edge adds just the same). Runs of such pieces are found through an index
// of their boxes and moved as one, so that reducing the outline for a small
// area costs about what the pieces that meet it cost. Pieces that meet the
// area are kept exactly, so every pixel the area shows is the one the whole
// stroke would give. Only
// pens thousands of pixels wide, whose many long pieces would still take Qt
// seconds, are filled tile by tile with those pieces split at the tiles'
// edges, which is exact to Qt's 1/64 pixel.
// Geometry that stays near the painted area is drawn as before.

#include <QPoint>
#include <QRect>
#include <QRegion>

class QPainter;
class QPen;

// The painter's pen stroked along the polyline, as drawPolyline does.
void strokePolyline(QPainter* painter, const QPoint* points, int count);

// The painter's pen stroked around the ellipse in the rectangle, as
// drawEllipse does (no fill).
void strokeEllipse(QPainter* painter, const QRect& rect);

// The region of the polygon (odd-even fill) as far as it lies within the
// painted area of the painter; outside that area it may differ.
QRegion polygonRegion(const QPainter* painter, const QPoint* points, int count);

// Test seams: with false every outline, or every region, is made whole, as
// Qt makes it, to compare against.
void setOutlineClipping(bool on);
void setRegionClipping(bool on);
