// The 16 x 16 icons of alignment, compounds, grids, snapping and the
// line-angle constraints.

#include "canvas.h"

#include <QtMath>

namespace gen {

namespace {

constexpr int size = 16;

// ---- Alignment: bars of different lengths against a red guide line.

void bar(QPainter& p, const QRectF& rect)
{
    p.setPen(pen(colour::ink, 1));
    p.setBrush(colour::paleBlue);
    p.drawRect(rect);
}

void guide(QPainter& p, const QPointF& from, const QPointF& to)
{
    p.setPen(pen(colour::red, 1, Qt::FlatCap));
    p.drawLine(from, to);
}

// Left alignment; the other sides are this picture mirrored or turned.
QImage alignLeft()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    bar(p, QRectF(2.5, 2.5, 12, 4));
    bar(p, QRectF(2.5, 9.5, 7, 4));
    guide(p, QPointF(1.5, 0), QPointF(1.5, 16));
    return image;
}

QImage transposed(const QImage& image)
{
    return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
}

// Centred on a vertical line (each object's centre moved onto one x).
QImage alignCenterH()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    bar(p, QRectF(1.5, 2.5, 12, 4));
    bar(p, QRectF(4.5, 9.5, 6, 4));
    guide(p, QPointF(7.5, 0), QPointF(7.5, 16));
    return image;
}

QImage alignCenterHV()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    bar(p, QRectF(1.5, 1.5, 12, 12));
    p.setBrush(colour::blue);
    p.drawRect(QRectF(4.5, 4.5, 6, 6));
    guide(p, QPointF(7.5, 0), QPointF(7.5, 16));
    guide(p, QPointF(0, 7.5), QPointF(16, 7.5));
    return image;
}

// ---- Compounds: a circle and a square held together by a frame.

void members(QPainter& p)
{
    p.setPen(pen(colour::ink, 1));
    p.setBrush(colour::paleBlue);
    p.drawEllipse(QPointF(6, 6.5), 2.5, 2.5);
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(7.5, 8.5, 4, 4));
}

QImage compoundCreate()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    members(p);
    p.setPen(dashPen(colour::blue, 2, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    for (const QPointF& c : { QPointF(1.5, 1.5), QPointF(14.5, 1.5), QPointF(1.5, 14.5), QPointF(14.5, 14.5) })
        drawHandle(p, c, 1.5, colour::paper, colour::blue);
    return image;
}

QImage compoundBreak()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    members(p);
    // The frame split in two corners pulled apart.
    p.setPen(pen(colour::red, 1.5, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({ QPointF(0.75, 7), QPointF(0.75, 0.75), QPointF(7, 0.75) }));
    p.drawPolyline(QPolygonF({ QPointF(9, 15.25), QPointF(15.25, 15.25), QPointF(15.25, 9) }));
    p.setPen(pen(colour::red, 1.2, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 1), QPointF(12, 3));
    p.drawLine(QPointF(13, 4), QPointF(15, 5.5));
    p.drawLine(QPointF(1, 10.5), QPointF(3, 12));
    p.drawLine(QPointF(4, 13), QPointF(5.5, 15));
    return image;
}

// A box holding the members, its lid raised (open) or shut (close).
QImage compoundBox(bool open)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(colour::ink, 1));
    p.setBrush(colour::paleBlue);
    p.drawEllipse(QPointF(5.5, 10.5), 2.5, 2.5);
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(8.5, 9.5, 4, 4));
    p.setPen(pen(colour::blue, 1.5, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({ QPointF(1.25, 6.5), QPointF(1.25, 15), QPointF(14.75, 15), QPointF(14.75, 6.5) }));
    if (open) {
        p.drawLine(QPointF(1.25, 6.5), QPointF(12, 0.75));
    } else {
        p.drawLine(QPointF(1.25, 6.25), QPointF(14.75, 6.25));
        drawArrow(p, QPointF(8, 0), QPointF(8, 5.2), 1.5, 3, 4.5, colour::green);
    }
    return image;
}

// ---- Grids: a frame with plain or isometric grid lines.

const QColor gridLine(0x7f, 0x94, 0xb2);

void gridFrame(QPainter& p)
{
    p.setPen(pen(colour::ink, 1));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
}

QImage plainGrid(int step)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    gridFrame(p);
    p.setPen(pen(gridLine, 1, Qt::FlatCap));
    // Lines through the middle and every step from it, none hugging the frame.
    for (qreal v = 7.5 - std::floor(6 / step) * step; v < 14; v += step) {
        p.drawLine(QPointF(1, v), QPointF(15, v));
        p.drawLine(QPointF(v, 1), QPointF(v, 15));
    }
    p.setPen(pen(colour::ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    return image;
}

// Vertical lines every dx pixels and lines at 30 degrees both ways through
// the same crossings (spaced dx / cos 30 along a vertical line), one
// crossing in the middle of the frame.
QImage isoGrid(int dx)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    gridFrame(p);
    p.setClipRect(QRectF(1, 1, 14, 14));
    const QPointF centre(7.5, 8);
    const qreal rise = dx * std::tan(M_PI / 6); // vertical change from one vertical line to the next
    const qreal spacing = 2 * rise; // between parallel slanted lines along a vertical line
    p.setPen(pen(gridLine, 1, Qt::FlatCap));
    for (qreal x = centre.x() - 2 * dx; x < 16; x += dx)
        p.drawLine(QPointF(x, 1), QPointF(x, 15));
    for (int k = -6; k <= 6; ++k) {
        const qreal y = centre.y() + k * spacing;
        p.drawLine(QPointF(centre.x() - 16, y - 16 * std::tan(M_PI / 6)),
            QPointF(centre.x() + 16, y + 16 * std::tan(M_PI / 6)));
        p.drawLine(QPointF(centre.x() - 16, y + 16 * std::tan(M_PI / 6)),
            QPointF(centre.x() + 16, y - 16 * std::tan(M_PI / 6)));
    }
    p.setClipping(false);
    p.setPen(pen(colour::ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    return image;
}

QImage noGrid()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    gridFrame(p);
    p.setPen(pen(colour::red, 1.5, Qt::RoundCap));
    p.drawLine(QPointF(3, 13), QPointF(13, 3));
    return image;
}

QImage customGrid()
{
    QImage image = plainGrid(5);
    IconPainter p(&image);
    drawPencil(p, QPointF(4.5, 14.5), 45, 13, 3.6);
    return image;
}

QImage magnet()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    // A horseshoe opening upwards: red body, steel poles.
    QPainterPath body;
    body.moveTo(3.5, 2);
    body.lineTo(3.5, 9);
    body.arcTo(QRectF(3.5, 4.5, 9, 9), 180, 180);
    body.lineTo(12.5, 2);
    p.setPen(pen(colour::red, 4, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.setPen(pen(QColor(0x9c, 0xa4, 0xae), 4, Qt::FlatCap));
    p.drawLine(QPointF(3.5, 0.5), QPointF(3.5, 3.5));
    p.drawLine(QPointF(12.5, 0.5), QPointF(12.5, 3.5));
    return image;
}

QImage snapToGrid()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(gridLine, 1, Qt::FlatCap));
    for (qreal v = 2.5; v < 16; v += 5) {
        p.drawLine(QPointF(0, v), QPointF(16, v));
        p.drawLine(QPointF(v, 0), QPointF(v, 16));
    }
    // A point pulled from where it was dropped onto the nearest crossing.
    p.setPen(dashPen(colour::blue, 1.5, 1));
    p.drawLine(QPointF(14, 14), QPointF(8.5, 8.5));
    p.setPen(pen(colour::blue, 1));
    p.setBrush(colour::paper);
    p.drawEllipse(QPointF(14, 14), 1.5, 1.5);
    drawHandle(p, QPointF(7.5, 7.5), 2, colour::red, colour::blue);
    return image;
}

QImage snapToVertex()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(colour::ink, 1.2, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(colour::paleBlue);
    p.drawPolygon(QPolygonF({ QPointF(1.5, 14.5), QPointF(9.5, 14.5), QPointF(9.5, 6.5) }));
    // A line whose end has been caught by the triangle's corner.
    p.setPen(pen(colour::blue, 1.5, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 1.5), QPointF(9.5, 6.5));
    drawHandle(p, QPointF(9.5, 6.5), 2, colour::red, colour::blue);
    return image;
}

// ---- Line-angle constraints: a polyline made under each constraint.

QImage constrainedLine(const QPolygonF& points)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(colour::ink, 1.5, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::blue);
    for (const QPointF& pt : points)
        p.drawEllipse(pt, 1.3, 1.3);
    return image;
}

// The slopes LaTeX allows, drawn as a fan from the lower left corner; with
// arrowheads for the arrow slopes.
QImage latexFan(const QVector<QPoint>& slopes, bool arrows)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPointF origin(1.5, 14.5);
    for (const QPoint& s : slopes) {
        const qreal len = std::hypot(s.x(), s.y());
        const QPointF end = origin + QPointF(s.x(), -s.y()) * (13.5 / len);
        if (arrows) {
            drawArrow(p, origin, end, 1.2, 4, 4, colour::ink);
        } else {
            p.setPen(pen(colour::ink, 1.2, Qt::RoundCap));
            p.drawLine(origin, end);
        }
    }
    return image;
}

} // namespace

void addLayoutImages(ImageTable& table)
{
    const QString align = QStringLiteral(":/align/images/align/");
    table.insert(align + "alignLeft.png", alignLeft);
    table.insert(align + "alignRight.png", [] { return alignLeft().mirrored(true, false); });
    table.insert(align + "alignTop.png", [] { return transposed(alignLeft()); });
    table.insert(align + "alignBottom.png", [] { return transposed(alignLeft()).mirrored(false, true); });
    table.insert(align + "alignCenterH.png", alignCenterH);
    table.insert(align + "alignCenterV.png", [] { return transposed(alignCenterH()); });
    table.insert(align + "alignCenterHV.png", alignCenterHV);

    const QString compounds = QStringLiteral(":/compounds/images/compounds/");
    table.insert(compounds + "create.png", compoundCreate);
    table.insert(compounds + "break.png", compoundBreak);
    table.insert(compounds + "open.png", [] { return compoundBox(true); });
    table.insert(compounds + "close.png", [] { return compoundBox(false); });

    const QString grid = QStringLiteral(":/grid/images/grid/");
    table.insert(grid + "grid_none.png", noGrid);
    table.insert(grid + "grid_small.png", [] { return plainGrid(3); });
    table.insert(grid + "grid_medium.png", [] { return plainGrid(5); });
    table.insert(grid + "grid_large.png", [] { return plainGrid(8); });
    table.insert(grid + "grid_iso_small.png", [] { return isoGrid(4); });
    table.insert(grid + "grid_iso_medium.png", [] { return isoGrid(6); });
    table.insert(grid + "grid_iso_large.png", [] { return isoGrid(10); });
    table.insert(grid + "grid_custom.png", customGrid);
    table.insert(grid + "magnet.png", magnet);

    const QString snap = QStringLiteral(":/snap/images/snap/");
    table.insert(snap + "snap_grid.png", snapToGrid);
    table.insert(snap + "snap_vertex.png", snapToVertex);

    const QString constraints = QStringLiteral(":/constraints/images/constraints/");
    table.insert(constraints + "unconstraint.png", [] {
        return constrainedLine(
            QVector<QPointF> { QPointF(1.5, 12.5), QPointF(5, 3.5), QPointF(10, 11), QPointF(14.5, 2.5) });
    });
    table.insert(constraints + "manhattan.png", [] {
        return constrainedLine(QVector<QPointF> {
            QPointF(1.5, 14.5), QPointF(1.5, 9.5), QPointF(7.5, 9.5), QPointF(7.5, 3.5), QPointF(14.5, 3.5) });
    });
    table.insert(constraints + "mountain.png", [] {
        return constrainedLine(
            QVector<QPointF> { QPointF(1.5, 12.5), QPointF(6.5, 7.5), QPointF(9.5, 10.5), QPointF(14.5, 5.5) });
    });
    table.insert(constraints + "mounthattan.png", [] {
        return constrainedLine(QVector<QPointF> {
            QPointF(1.5, 14.5), QPointF(6.5, 14.5), QPointF(11.5, 9.5), QPointF(11.5, 2.5), QPointF(14.5, 2.5) });
    });
    table.insert(constraints + "latexline.png", [] {
        return latexFan({ QPoint(6, 1), QPoint(3, 2), QPoint(2, 3), QPoint(1, 6) }, false);
    });
    table.insert(constraints + "latexarrow.png", [] {
        return latexFan({ QPoint(4, 1), QPoint(1, 1), QPoint(1, 4) }, true);
    });
}

} // namespace gen
