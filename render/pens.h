#pragma once
// Pens and brushes of Fig outlines and area fills: the pen width on screen,
// dash patterns of the six line styles in pen-width units, caps and joins,
// the 22 fill pattern brushes and the three pens of rubber-band lines. Pens
// and fill brushes are made per drawing call; only the pattern brushes live
// for the whole run (recoloured per use, never reloaded).

#include <QBrush>
#include <QPen>
#include <QVector>

class QPainter;

constexpr int patternCount = 22;
// Area fills 41 to 62 paint pattern (fill - firstPatternFill).
constexpr int firstPatternFill = 41;
constexpr int lastPatternFill = firstPatternFill + patternCount - 1;

// Texture brushes of one-bit 32x32 bitmaps: the brush colour paints the set
// pixels, the others stay transparent.
extern QBrush patternBrushes[patternCount];

// Loads the pattern bitmaps from the resources (a missing one leaves an empty
// brush) and empties every slot of the canvas handler table.
void loadFillPatterns();

// The dash pattern of a Fig line style in units of the pen width; empty for
// a solid line and for unknown styles.
QVector<qreal> dashPattern(int lineWidth, int lineStyle, float styleVal);

// Cap, style and dash pattern for arcs, polylines, boxes, polygons, arc-boxes
// and splines. Cap 0 flat, 1 round, 2 square.
void applyLineStyle(QPen& pen, int lineWidth, int lineStyle, float styleVal, int capStyle);
// The same for ellipses, which have no cap attribute: dotted styles get round
// caps when roundDots is set, everything else flat caps.
void applyEllipseLineStyle(QPen& pen, int lineWidth, int lineStyle, float styleVal, bool roundDots);
// Sets an object's outline pen on the painter. Qt draws a pen of a pixel or
// less with a line stepper that starts the dash pattern afresh wherever the
// line enters the part being painted, so a thin dashed line would show a
// seam where a scrolled canvas meets the strip drawn after the move. On an
// antialiasing painter such a pen is made a hair wider, which takes it
// through the outline filler: that lays the dashes from the line's start,
// whatever part is painted. (Solid thin lines keep the faster stepper; where
// a strip cuts one, its edge pixels may differ by a few levels of grey.)
void setOutlinePen(QPainter* painter, QPen pen);
// Join 0 miter (limit 3), 1 round, 2 bevel.
void applyJoinStyle(QPen& pen, int joinStyle);

// Black one-pixel pens with flat cap and miter join. Kind 1 and 4 switch the
// painter to the inverting raster operation, so that drawing the same line
// twice restores the canvas; other kinds to normal composition.
void setRubberBandPen(QPainter* painter, int kind);
void setDashedRubberBandPen(QPainter* painter, int kind);
void setDashDotRubberBandPen(QPainter* painter, int kind);
