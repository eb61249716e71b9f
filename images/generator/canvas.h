#pragma once
// Drawing helpers shared by the image families of the generator: blank
// images, the colours every icon uses, pens, and small pictures that recur
// (sheet of paper, folder, magnifier, badges, arrowheads, point markers).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>

namespace gen {

using ImageMaker = std::function<QImage()>;

// Resource path -> the function that draws its image.
using ImageTable = QMap<QString, ImageMaker>;

// The image families; each adds the drawers of its resource paths.
void addPatternImages(ImageTable& table);
void addMarkerImages(ImageTable& table);
void addStrokeImages(ImageTable& table); // line styles and arrowheads
void addFontImages(ImageTable& table);
void addFileImages(ImageTable& table);
void addToolPanelImages(ImageTable& table);
void addLayoutImages(ImageTable& table); // align, compounds, grid, snap, constraints
void addMiscImages(ImageTable& table); // folder and diverse

// A fully transparent ARGB image.
QImage blank(int width, int height);

// A painter on an image with antialiasing on.
class IconPainter : public QPainter {
public:
    explicit IconPainter(QImage* image);
};

namespace colour {
extern const QColor ink; // outlines and strokes
extern const QColor grey; // secondary strokes (construction lines)
extern const QColor light; // guide lines, grids
extern const QColor paper; // white fill of sheets
extern const QColor blue; // accent: the object being made or changed
extern const QColor paleBlue; // fill of shapes
extern const QColor green; // add, go
extern const QColor red; // remove, stop
extern const QColor yellow; // folders, highlights
extern const QColor darkYellow; // folder outlines
} // namespace colour

QPen pen(const QColor& colour, qreal width = 1.0, Qt::PenCapStyle cap = Qt::SquareCap,
    Qt::PenJoinStyle join = Qt::MiterJoin);
QPen dashPen(const QColor& colour, qreal dash, qreal gap, qreal width = 1.0);

// A sheet of paper in rect with its top right corner folded by fold pixels.
void drawSheet(QPainter& p, const QRectF& rect, qreal fold);

// A yellow folder filling rect (tab on the top left).
void drawFolder(QPainter& p, const QRectF& rect);

// A magnifying glass with its lens at centre, handle to the lower right.
void drawMagnifier(QPainter& p, const QPointF& centre, qreal radius, qreal handle);

// Round badges with a white sign, drawn over other pictures.
void drawPlusBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour);
void drawMinusBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour);
void drawCrossBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour);

// A plain plus or cross sign of the given half size and stroke width.
void drawPlus(QPainter& p, const QPointF& centre, qreal half, qreal width, const QColor& colour);
void drawCross(QPainter& p, const QPointF& centre, qreal half, qreal width, const QColor& colour);

// A filled triangular arrowhead with its tip at tip, pointing in the
// direction angle (degrees, counter-clockwise from pointing right).
void drawArrowHead(QPainter& p, const QPointF& tip, qreal angle, qreal length, qreal width, const QColor& colour);

// A straight arrow from from to tip with a filled head.
void drawArrow(QPainter& p, const QPointF& from, const QPointF& tip, qreal lineWidth, qreal headLength, qreal headWidth,
    const QColor& colour);

// A circular arc of the ellipse in rect from startAngle over span (degrees,
// counter-clockwise positive as in QPainter::drawArc) with a filled head
// beyond its end.
void drawArcArrow(QPainter& p, const QRectF& rect, qreal startAngle, qreal span, qreal lineWidth, qreal headLength,
    qreal headWidth, const QColor& colour);

// A pencil from its tip, lying along angle (degrees; the body extends away
// from the tip in that direction).
void drawPencil(QPainter& p, const QPointF& tip, qreal angle, qreal length, qreal width);

// A square point marker (the look of the canvas markers) centred at c.
void drawHandle(QPainter& p, const QPointF& c, qreal half, const QColor& fill, const QColor& border);

// The smooth closed or open curve through the points (cubic pieces with
// tangents from the neighbours).
QPainterPath curveThrough(const QPolygonF& points, bool closed);

// The smooth curve guided by the control points without passing through the
// inner ones (quadratic pieces between midpoints).
QPainterPath curveGuidedBy(const QPolygonF& points, bool closed);

} // namespace gen
