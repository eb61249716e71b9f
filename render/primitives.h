#pragma once
// Drawing primitives that need no document: the rest (line objects, dots,
// rounded boxes, ellipses, buffer outlines, styled polylines, filled pixel
// rectangles and the rubber-band line) are CFigContext members defined in
// primitives.cpp, since they map Fig units with the document's view.

class QColor;
class QPainter;

// Fills from (x1, y1) a rectangle of |x2 - x1| + 1 by |y2 - y1| + 1 pixels;
// nothing without a painter.
void fillRectCorners(QPainter* painter, int x1, int y1, int x2, int y2, const QColor& colour);
