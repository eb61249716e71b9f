#include "canvas.h"

#include <QtMath>

namespace gen {

namespace colour {
const QColor ink(0x2b, 0x2b, 0x2b);
const QColor grey(0x80, 0x80, 0x80);
const QColor light(0xb8, 0xc4, 0xd4);
const QColor paper(0xff, 0xff, 0xff);
const QColor blue(0x25, 0x63, 0xc9);
const QColor paleBlue(0xc6, 0xdc, 0xf8);
const QColor green(0x2a, 0x96, 0x3a);
const QColor red(0xd2, 0x32, 0x2d);
const QColor yellow(0xf4, 0xc4, 0x4e);
const QColor darkYellow(0xa8, 0x7a, 0x1c);
} // namespace colour

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

IconPainter::IconPainter(QImage* image)
    : QPainter(image)
{
    setRenderHint(QPainter::Antialiasing);
    setRenderHint(QPainter::TextAntialiasing);
}

QPen pen(const QColor& colour, qreal width, Qt::PenCapStyle cap, Qt::PenJoinStyle join)
{
    QPen result(colour, width, Qt::SolidLine, cap, join);
    return result;
}

QPen dashPen(const QColor& colour, qreal dash, qreal gap, qreal width)
{
    QPen result(colour, width, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    result.setDashPattern({ dash / width, gap / width });
    return result;
}

void drawSheet(QPainter& p, const QRectF& rect, qreal fold)
{
    QPolygonF outline;
    outline << rect.topLeft() << QPointF(rect.right() - fold, rect.top()) << QPointF(rect.right(), rect.top() + fold)
            << rect.bottomRight() << rect.bottomLeft();
    p.setPen(pen(colour::grey));
    p.setBrush(colour::paper);
    p.drawPolygon(outline);
    QPolygonF corner;
    corner << QPointF(rect.right() - fold, rect.top()) << QPointF(rect.right() - fold, rect.top() + fold)
           << QPointF(rect.right(), rect.top() + fold);
    p.setBrush(QColor(0xe4, 0xe4, 0xe4));
    p.drawPolygon(corner);
}

void drawFolder(QPainter& p, const QRectF& r)
{
    const qreal tabWidth = r.width() * 0.4;
    const qreal tabHeight = qMax<qreal>(2, r.height() * 0.18);
    QPolygonF back;
    back << QPointF(r.left(), r.top() + tabHeight) << r.topLeft() << QPointF(r.left() + tabWidth, r.top())
         << QPointF(r.left() + tabWidth + tabHeight, r.top() + tabHeight) << QPointF(r.right(), r.top() + tabHeight)
         << r.bottomRight() << r.bottomLeft();
    p.setPen(pen(colour::darkYellow));
    p.setBrush(QColor(0xe0, 0xa8, 0x30));
    p.drawPolygon(back);
    // The front flap, a little lower than the back, in the lighter yellow.
    const QRectF front(r.left(), r.top() + tabHeight + qMax<qreal>(2, r.height() * 0.14), r.width(),
        r.bottom() - (r.top() + tabHeight + qMax<qreal>(2, r.height() * 0.14)));
    p.setBrush(colour::yellow);
    p.drawRect(front);
}

void drawMagnifier(QPainter& p, const QPointF& centre, qreal radius, qreal handle)
{
    const qreal d = radius / std::sqrt(2.0);
    p.setPen(pen(colour::ink, 2.5, Qt::RoundCap));
    p.drawLine(centre + QPointF(d + 0.5, d + 0.5), centre + QPointF(d + handle, d + handle));
    p.setPen(pen(colour::ink, 1.5));
    p.setBrush(QColor(0xe8, 0xf1, 0xfc));
    p.drawEllipse(centre, radius, radius);
}

void drawPlus(QPainter& p, const QPointF& c, qreal half, qreal width, const QColor& colour)
{
    p.setPen(pen(colour, width, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - half, c.y()), QPointF(c.x() + half, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - half), QPointF(c.x(), c.y() + half));
}

void drawCross(QPainter& p, const QPointF& c, qreal half, qreal width, const QColor& colour)
{
    p.setPen(pen(colour, width, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - half, c.y() - half), QPointF(c.x() + half, c.y() + half));
    p.drawLine(QPointF(c.x() - half, c.y() + half), QPointF(c.x() + half, c.y() - half));
}

namespace {

void drawBadgeDisc(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour)
{
    p.setPen(pen(colour::paper, 1));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

} // namespace

void drawPlusBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour)
{
    drawBadgeDisc(p, centre, radius, colour);
    drawPlus(p, centre, radius * 0.55, qMax<qreal>(1.5, radius * 0.35), colour::paper);
}

void drawMinusBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour)
{
    drawBadgeDisc(p, centre, radius, colour);
    p.setPen(pen(colour::paper, qMax<qreal>(1.5, radius * 0.35), Qt::FlatCap));
    p.drawLine(QPointF(centre.x() - radius * 0.55, centre.y()), QPointF(centre.x() + radius * 0.55, centre.y()));
}

void drawCrossBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour)
{
    drawBadgeDisc(p, centre, radius, colour);
    drawCross(p, centre, radius * 0.4, qMax<qreal>(1.2, radius * 0.3), colour::paper);
}

void drawArrowHead(QPainter& p, const QPointF& tip, qreal angle, qreal length, qreal width, const QColor& colour)
{
    const qreal a = qDegreesToRadians(angle);
    const QPointF along(std::cos(a), -std::sin(a));
    const QPointF across(-along.y(), along.x());
    const QPointF back = tip - along * length;
    QPolygonF head;
    head << tip << back + across * (width / 2) << back - across * (width / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

void drawArrow(QPainter& p, const QPointF& from, const QPointF& tip, qreal lineWidth, qreal headLength, qreal headWidth,
    const QColor& colour)
{
    const QPointF d = tip - from;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF unit = d / len;
    p.setPen(pen(colour, lineWidth, Qt::FlatCap));
    p.drawLine(from, tip - unit * (headLength * 0.8));
    drawArrowHead(p, tip, qRadiansToDegrees(std::atan2(-d.y(), d.x())), headLength, headWidth, colour);
}

void drawArcArrow(QPainter& p, const QRectF& rect, qreal startAngle, qreal span, qreal lineWidth, qreal headLength,
    qreal headWidth, const QColor& colour)
{
    const QPointF c = rect.center();
    const qreal rx = rect.width() / 2, ry = rect.height() / 2;
    const qreal end = qDegreesToRadians(startAngle + span);
    const QPointF base(c.x() + rx * std::cos(end), c.y() - ry * std::sin(end));
    // Direction of travel at the end: the derivative of the arc point,
    // reversed for a clockwise (negative) span. The head sits on the end of
    // the arc and points on along it.
    QPointF dir(-rx * std::sin(end), -ry * std::cos(end));
    if (span < 0)
        dir = -dir;
    dir /= std::hypot(dir.x(), dir.y());
    p.setPen(pen(colour, lineWidth, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(rect, qRound(startAngle * 16), qRound(span * 16));
    drawArrowHead(
        p, base + dir * headLength, qRadiansToDegrees(std::atan2(-dir.y(), dir.x())), headLength, headWidth, colour);
}

void drawPencil(QPainter& p, const QPointF& tip, qreal angle, qreal length, qreal width)
{
    p.save();
    p.translate(tip);
    p.rotate(-angle);
    // Along +x from the tip: the sharpened point, the painted body, the eraser.
    const qreal point = width * 1.3;
    const qreal h = width / 2;
    QPolygonF wood;
    wood << QPointF(0, 0) << QPointF(point, -h) << QPointF(point, h);
    p.setPen(pen(colour::ink, 0.8, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(QColor(0xf0, 0xd8, 0xa8));
    p.drawPolygon(wood);
    p.setBrush(QColor(0xf0, 0x9a, 0x20));
    p.drawRect(QRectF(point, -h, length - point - width * 0.8, width));
    p.setBrush(QColor(0xe8, 0x80, 0x90));
    p.drawRect(QRectF(length - width * 0.8, -h, width * 0.8, width));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::ink);
    p.drawPolygon(QPolygonF({ QPointF(0, 0), QPointF(point * 0.4, -h * 0.4), QPointF(point * 0.4, h * 0.4) }));
    p.restore();
}

void drawHandle(QPainter& p, const QPointF& c, qreal half, const QColor& fill, const QColor& border)
{
    p.setPen(pen(border, 1));
    p.setBrush(fill);
    p.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
}

QPainterPath curveThrough(const QPolygonF& pts, bool closed)
{
    QPainterPath path;
    const int n = pts.size();
    if (n < 2)
        return path;
    auto at = [&](int i) {
        if (closed)
            return pts[(i % n + n) % n];
        return pts[qBound(0, i, n - 1)];
    };
    path.moveTo(pts[0]);
    const int segments = closed ? n : n - 1;
    for (int i = 0; i < segments; ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        // Catmull-Rom tangents turned into cubic control points.
        path.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
    }
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath curveGuidedBy(const QPolygonF& pts, bool closed)
{
    QPainterPath path;
    const int n = pts.size();
    if (n < 3)
        return path;
    auto mid = [&](int i, int j) { return (pts[i % n] + pts[j % n]) / 2; };
    if (closed) {
        path.moveTo(mid(0, 1));
        for (int i = 1; i <= n; ++i)
            path.quadTo(pts[i % n], mid(i, i + 1));
        path.closeSubpath();
    } else {
        path.moveTo(pts[0]);
        for (int i = 1; i < n - 2; ++i)
            path.quadTo(pts[i], mid(i, i + 1));
        path.quadTo(pts[n - 2], pts[n - 1]);
    }
    return path;
}

} // namespace gen
