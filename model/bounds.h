#pragma once
// Bounding-box helpers: the outline geometry of polylines drawn with a width
// (segment outlines and the join regions between them) and the box it covers,
// and two small operations that grow a box. Stateless; the per-kind boxes are
// the `getBounds` overrides of the object classes (model/bounds.cpp).

#include <QPoint>

class QRect;

// Join styles of the Fig format, as stored in FigLine::joinStyle; 3 means
// no join region at all.
enum JoinStyle { JoinMiter = 0, JoinRound = 1, JoinBevel = 2, JoinNone = 3 };

// The four corners of the segment from (x1, y1) to (x2, y2) drawn with
// `width`, each rounded half away from zero, and corner 0 again in
// outline[4]. Corners 0 and 1 lie beside the start, 2 and 3 beside the end.
void thickSegmentOutline(int x1, int y1, int x2, int y2, QPoint outline[5], float width);

// The four points of the join region at `corner` between the previous
// segment's outline (ending there) and the current one (starting there).
// False when there is none: no previous outline (null), style 3, a straight
// or reversed continuation, or a side without a crossing beyond the corner.
bool thickLineJoin(const QPoint current[5], const QPoint& corner, const QPoint* previous, int joinStyle,
    float width, QPoint join[4]);

// The box of a polyline of `count` points drawn with `width` and a join
// style: every segment outline and every join region, with closingJoin also
// the join at the last point from the last segment back into the first. The
// points and the width may be in any one unit. 0, 0, 0, 0 for no points.
void thickPolylineBounds(const QPoint* points, int count, bool closingJoin, float width, int joinStyle, int& xmin,
    int& ymin, int& xmax, int& ymax);

// xmin and ymin decrease by n, xmax and ymax increase by n.
void growBounds(int& xmin, int& ymin, int& xmax, int& ymax, int n);
// The rectangle grows by n on each side.
void growRect(QRect& rect, int n);
