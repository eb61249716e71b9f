#pragma once
// Arrowheads: the table of the 30 arrowhead shapes (row 2 × type + style) and
// the program-wide outline polygons of the forward and backward arrowhead of
// the object being drawn or measured. The outlines are overwritten by every
// arrowhead computation and read right after it; the fill and clip polygons
// belong to the caller (ArrowPolygons).

#include <QPoint>

// One row of the shape table. A pair is (along, across): along runs forwards
// along the line in arrow heights (tip at 0, barbs behind it negative),
// across perpendicular to it in arrow widths. Entries beyond the counts are
// (0, 0).
struct ArrowShape {
    int pointCount; // outline points
    int tipIndex; // the outline point at the tip
    int fillPointCount; // points of a separate fill polygon
    bool clip; // build a clip polygon that keeps the line out of the head
    bool half; // half arrow (one barb)
    double pullBack;
    double points[6][2];
    double fillPoints[6][2];
};

constexpr int arrowShapeCount = 30;
extern const ArrowShape arrowShapes[arrowShapeCount];

// Types 5 and 6 are generated (circle and half circle), not taken from points.
constexpr int arrowTypeCircle = 5;
constexpr int arrowTypeHalfCircle = 6;

// The table row of an arrow: 2 × type + style, any row outside 0..29 (a
// negative type or style, or too large a type) being row 0.
int arrowShapeRow(int type, int style);

// The outline of an arrowhead: up to 6 table points, or the generated circle
// of roundToInt(zoom / 4) + 40 points (65 at the largest zoom of 99.99).
constexpr int arrowOutlineCapacity = 65;
constexpr int arrowFillCapacity = 6;
constexpr int arrowClipCapacity = 7;

struct ArrowOutline {
    int count = 0;
    QPoint points[arrowOutlineCapacity];
};

// The outlines of the last object's forward and backward arrowheads.
extern ArrowOutline forwardArrowOutline;
extern ArrowOutline backwardArrowOutline;

// The fill and clip polygons of one arrowhead, kept by the caller.
struct ArrowPolygons {
    int fillCount = 0;
    QPoint fill[arrowFillCapacity];
    int clipCount = 0;
    QPoint clip[arrowClipCapacity];
};
