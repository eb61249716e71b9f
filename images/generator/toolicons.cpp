// The 24 x 24 icons of the tool panel: the drawing modes (each shows the kind
// of object it makes, with the points the user gives in blue) and the modes
// that work on existing objects.

#include "canvas.h"

#include <QtMath>

namespace gen {

namespace {

constexpr int size = 24;
constexpr qreal outlineWidth = 1.5;

// The point handle of the tool icons: white square, blue border.
void handle(QPainter& p, const QPointF& c)
{
    drawHandle(p, c, 1.5, colour::paper, colour::blue);
}

void dot(QPainter& p, const QPointF& c, const QColor& colour = colour::blue)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c, 1.5, 1.5);
}

void outline(QPainter& p)
{
    p.setPen(pen(colour::ink, outlineWidth, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

QImage circleIcon(bool diameter)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPointF c(12, 12);
    outline(p);
    p.drawEllipse(c, 9, 9);
    p.setPen(pen(colour::blue, 1, Qt::FlatCap));
    if (diameter) {
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        handle(p, QPointF(3, 12));
    } else {
        p.drawLine(c, QPointF(21, 12));
        dot(p, c);
    }
    handle(p, QPointF(21, 12));
    return image;
}

QImage ellipseIcon(bool diameters)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPointF c(12, 12);
    const qreal rx = 10.5, ry = 7;
    if (diameters) {
        // The box given by two opposite corners.
        p.setPen(dashPen(colour::blue, 2, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry));
    }
    outline(p);
    p.drawEllipse(c, rx, ry);
    if (diameters) {
        handle(p, QPointF(c.x() - rx, c.y() - ry));
        handle(p, QPointF(c.x() + rx, c.y() + ry));
    } else {
        p.setPen(pen(colour::blue, 1, Qt::FlatCap));
        p.drawLine(c, QPointF(c.x() + rx, c.y()));
        p.drawLine(c, QPointF(c.x(), c.y() - ry));
        dot(p, c);
        handle(p, QPointF(c.x() + rx, c.y()));
        handle(p, QPointF(c.x(), c.y() - ry));
    }
    return image;
}

QImage splineIcon(bool closed, bool interpolated)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPolygonF points = closed
        ? (interpolated ? QPolygonF({ QPointF(4, 7), QPointF(13, 3), QPointF(21, 9), QPointF(17, 21), QPointF(6, 18) })
                        : QPolygonF({ QPointF(2.5, 3.5), QPointF(21.5, 7.5), QPointF(7.5, 21.5) }))
        : (interpolated
                ? QPolygonF({ QPointF(2.5, 19), QPointF(6, 5), QPointF(13, 17), QPointF(19, 4), QPointF(21.5, 17) })
                : QPolygonF({ QPointF(2.5, 21.5), QPointF(8.5, 2.5), QPointF(15.5, 21.5), QPointF(21.5, 2.5) }));
    if (!interpolated) {
        // The control polygon that guides the curve.
        p.setPen(dashPen(colour::blue, 2, 2));
        p.setBrush(Qt::NoBrush);
        if (closed)
            p.drawPolygon(points);
        else
            p.drawPolyline(points);
    }
    outline(p);
    p.drawPath(interpolated ? curveThrough(points, closed) : curveGuidedBy(points, closed));
    for (const QPointF& pt : points)
        handle(p, pt);
    return image;
}

QImage boxIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    outline(p);
    p.setPen(pen(colour::ink, outlineWidth, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(3.5, 5.5, 17, 13));
    handle(p, QPointF(3.5, 5.5));
    handle(p, QPointF(20.5, 18.5));
    return image;
}

QImage regularPolygonIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPointF c(12, 12.5);
    QPolygonF hexagon;
    for (int i = 0; i < 6; ++i) {
        const qreal a = qDegreesToRadians(60.0 * i);
        hexagon << c + QPointF(10 * std::cos(a), 10 * std::sin(a));
    }
    outline(p);
    p.drawPolygon(hexagon);
    p.setPen(pen(colour::blue, 1, Qt::FlatCap));
    p.drawLine(c, hexagon[0]);
    dot(p, c);
    handle(p, hexagon[0]);
    return image;
}

QImage polyIcon(bool closed)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPolygonF points = closed
        ? QPolygonF({ QPointF(3, 8), QPointF(12, 3), QPointF(21, 10), QPointF(17, 21), QPointF(5, 18) })
        : QPolygonF({ QPointF(2.5, 19.5), QPointF(7, 5), QPointF(15, 15), QPointF(21.5, 4) });
    outline(p);
    p.setPen(pen(colour::ink, outlineWidth, Qt::RoundCap, Qt::MiterJoin));
    if (closed)
        p.drawPolygon(points);
    else
        p.drawPolyline(points);
    for (const QPointF& pt : points)
        handle(p, pt);
    return image;
}

QImage textIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    // A serif capital T, then the text cursor after it.
    p.setPen(Qt::NoPen);
    p.setBrush(colour::ink);
    p.drawRect(QRectF(2, 3, 14, 2.5)); // bar
    p.drawRect(QRectF(2, 3, 1.5, 5)); // left serif
    p.drawRect(QRectF(14.5, 3, 1.5, 5)); // right serif
    p.drawRect(QRectF(7.75, 3, 2.5, 17)); // stem
    p.drawRect(QRectF(5.5, 18.5, 7, 1.5)); // foot
    p.setPen(pen(colour::blue, 1, Qt::FlatCap));
    p.drawLine(QPointF(19.5, 6), QPointF(19.5, 20));
    p.drawLine(QPointF(17.5, 5.5), QPointF(21.5, 5.5));
    p.drawLine(QPointF(17.5, 20.5), QPointF(21.5, 20.5));
    return image;
}

QImage arcIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPointF c(12, 15);
    const qreal r = 9.5;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    outline(p);
    p.drawArc(box, -20 * 16, 220 * 16);
    // The three points that define the arc.
    for (qreal angle : { -20.0, 90.0, 200.0 }) {
        const qreal a = qDegreesToRadians(angle);
        handle(p, c + QPointF(r * std::cos(a), -r * std::sin(a)));
    }
    return image;
}

QImage pictureIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QRectF frame(2.5, 4.5, 19, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd4, 0xe8, 0xfa));
    p.drawRect(frame);
    p.setBrush(colour::yellow);
    p.drawEllipse(QPointF(16.5, 8.5), 2, 2);
    p.setBrush(QColor(0x4c, 0x9a, 0x48));
    p.drawPolygon(QPolygonF(
        { QPointF(2.5, 19.5), QPointF(8.5, 10.5), QPointF(12.5, 15.5), QPointF(15, 12.5), QPointF(21.5, 19.5) }));
    p.setPen(pen(colour::ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    return image;
}

// The mouse pointer, its tip at (5, 3).
QPolygonF pointer()
{
    return QPolygonF({ QPointF(5.5, 2.5), QPointF(5.5, 18.5), QPointF(9.5, 14.8), QPointF(12.5, 21.5),
        QPointF(15.2, 20.3), QPointF(12.2, 13.7), QPointF(17.5, 13.7) });
}

QImage selectIcon(bool on)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    if (on) {
        p.setPen(dashPen(colour::blue, 2, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 21, 21));
    }
    p.setPen(pen(colour::ink, 1.2, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(on ? colour::blue : colour::paper);
    p.drawPolygon(pointer());
    return image;
}

QImage copyIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(colour::ink, outlineWidth));
    p.setBrush(colour::paleBlue);
    p.drawRect(QRectF(2.5, 2.5, 11, 9));
    p.setPen(dashPen(colour::blue, 2, 1.5, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(9.5, 9.5, 12, 10));
    drawPlusBadge(p, QPointF(6.5, 17.5), 4.5, colour::green);
    return image;
}

QImage arrowIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    drawArrow(p, QPointF(3, 21), QPointF(21.5, 2.5), 1.5, 8, 7, colour::ink);
    return image;
}

QImage tangentNormalIcon(bool normal)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPointF c(9.5, 14.5);
    const qreal r = 7;
    outline(p);
    p.drawEllipse(c, r, r);
    const QPointF radial(std::cos(M_PI / 4), -std::sin(M_PI / 4));
    const QPointF touch = c + radial * r;
    p.setPen(pen(colour::blue, 1.5, Qt::RoundCap));
    if (normal) {
        p.drawLine(touch, touch + radial * 9);
    } else {
        const QPointF along(radial.y(), -radial.x());
        p.drawLine(touch - along * 10, touch + along * 10);
    }
    dot(p, touch, colour::red);
    return image;
}

// The mirror pictures: a right triangle and its mirror image across a dashed
// axis; vertical is true for the flip up or down (horizontal axis).
QImage flipIcon(bool upDown)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    if (!upDown) {
        p.translate(size / 2.0, size / 2.0);
        p.rotate(-90);
        p.scale(-1, 1);
        p.translate(-size / 2.0, -size / 2.0);
    }
    p.setPen(dashPen(colour::grey, 2, 2));
    p.drawLine(QPointF(1, 12), QPointF(23, 12));
    const QPolygonF upper({ QPointF(4.5, 9.5), QPointF(19.5, 9.5), QPointF(4.5, 2.5) });
    const QPolygonF lower({ QPointF(4.5, 14.5), QPointF(19.5, 14.5), QPointF(4.5, 21.5) });
    p.setPen(pen(colour::ink, 1.2, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(colour::blue);
    p.drawPolygon(upper);
    p.setBrush(colour::paleBlue);
    p.drawPolygon(lower);
    return image;
}

QImage rotateIcon(bool left)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    // An L-shaped object (so that its turn shows) and a quarter-and-more
    // arrow around it, counter-clockwise for the left turn.
    p.setPen(pen(colour::ink, 1.2, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(colour::paleBlue);
    p.drawPolygon(QPolygonF({ QPointF(8.5, 8.5), QPointF(11.5, 8.5), QPointF(11.5, 13.5), QPointF(15.5, 13.5),
        QPointF(15.5, 16.5), QPointF(8.5, 16.5) }));
    drawArcArrow(p, QRectF(4, 3, 17, 17), -30, 215, 2, 6, 8, colour::blue);
    p.end();
    return left ? image : image.mirrored(true, false);
}

QImage pointIcon(bool add)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    const QPolygonF points({ QPointF(2.5, 20.5), QPointF(8.5, 4.5), QPointF(21.5, 18.5) });
    p.setPen(pen(colour::ink, outlineWidth, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
    for (const QPointF& pt : points)
        handle(p, pt);
    if (add)
        drawPlusBadge(p, (points[1] + points[2]) / 2 + QPointF(1.5, -1.5), 4.5, colour::green);
    else
        drawCrossBadge(p, points[1] + QPointF(0, 0.5), 4.5, colour::red);
    return image;
}

QImage updateIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    // Current settings (line widths, a colour) carried over to an object.
    p.setPen(Qt::NoPen);
    p.setBrush(colour::ink);
    p.drawRect(QRectF(1, 2, 9, 1));
    p.drawRect(QRectF(1, 5, 9, 2));
    p.drawRect(QRectF(1, 9, 9, 3));
    p.setBrush(colour::red);
    p.drawRect(QRectF(1, 14, 9, 3.5));
    drawArrow(p, QPointF(10, 11), QPointF(16.5, 11), 1.5, 4, 5, colour::blue);
    p.setPen(pen(colour::red, 2.5));
    p.setBrush(colour::paleBlue);
    p.drawEllipse(QPointF(19, 16), 3.5, 5);
    return image;
}

QImage scaleCompoundIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(dashPen(colour::grey, 2, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    p.setPen(pen(colour::ink, 1.2));
    p.setBrush(colour::paleBlue);
    p.drawRect(QRectF(2.5, 2.5, 9, 9));
    drawArrow(p, QPointF(9, 9), QPointF(20.5, 20.5), 1.5, 6, 6, colour::blue);
    handle(p, QPointF(11.5, 11.5));
    return image;
}

QImage deleteIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(colour::grey, 1.2));
    p.setBrush(colour::paleBlue);
    p.drawRect(QRectF(3.5, 5.5, 17, 13));
    drawCross(p, QPointF(12, 12), 7, 3, colour::red);
    return image;
}

} // namespace

void addToolPanelImages(ImageTable& table)
{
    const QString shapes = QStringLiteral(":/shapes/images/mainToolBar/");
    table.insert(shapes + "cbr.png", [] { return circleIcon(false); });
    table.insert(shapes + "cbd.png", [] { return circleIcon(true); });
    table.insert(shapes + "ebr.png", [] { return ellipseIcon(false); });
    table.insert(shapes + "ebd.png", [] { return ellipseIcon(true); });
    table.insert(shapes + "closed_spl.png", [] { return splineIcon(true, false); });
    table.insert(shapes + "spline.png", [] { return splineIcon(false, false); });
    table.insert(shapes + "closed_int_spl.png", [] { return splineIcon(true, true); });
    table.insert(shapes + "int_spl.png", [] { return splineIcon(false, true); });
    table.insert(shapes + "box.png", boxIcon);
    table.insert(shapes + "regpoly.png", regularPolygonIcon);
    table.insert(shapes + "polygon.png", [] { return polyIcon(true); });
    table.insert(shapes + "polyline.png", [] { return polyIcon(false); });
    table.insert(shapes + "text.png", textIcon);
    table.insert(shapes + "arc.png", arcIcon);
    table.insert(shapes + "picture.png", pictureIcon);

    const QString tools = QStringLiteral(":/manipulations/images/mainToolBar/");
    table.insert(tools + "selectobj_off.png", [] { return selectIcon(false); });
    table.insert(tools + "select_on.png", [] { return selectIcon(true); });
    table.insert(tools + "copy.png", copyIcon);
    table.insert(tools + "arrow.png", arrowIcon);
    table.insert(tools + "tangent.png", [] { return tangentNormalIcon(false); });
    table.insert(tools + "normal.png", [] { return tangentNormalIcon(true); });
    table.insert(tools + "flip_xax.png", [] { return flipIcon(true); });
    table.insert(tools + "flip_yax.png", [] { return flipIcon(false); });
    table.insert(tools + "rotate_left.png", [] { return rotateIcon(true); });
    table.insert(tools + "rotate_right.png", [] { return rotateIcon(false); });
    table.insert(tools + "add_point.png", [] { return pointIcon(true); });
    table.insert(tools + "delete_point.png", [] { return pointIcon(false); });
    table.insert(tools + "update.png", updateIcon);
    table.insert(tools + "scale_comp.png", scaleCompoundIcon);
    table.insert(tools + "delete.png", deleteIcon);
}

} // namespace gen
