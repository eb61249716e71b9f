// The icons of the library's folder buttons and the assorted small icons
// (add, remove, clear, comments, convert, play, refresh, reset), and the
// program's logo.

#include "canvas.h"

#include <QLinearGradient>

namespace gen {

namespace {

constexpr int size = 16;

QImage folderWith(const std::function<void(QPainter&)>& sign)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    drawFolder(p, QRectF(0.5, 1.5, 13, 11));
    sign(p);
    return image;
}

// An arrow running most of the way round a circle.
QImage refresh(const QColor& colour)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    drawArcArrow(p, QRectF(2, 3, 11, 11), 100, 240, 2, 5, 7, colour);
    return image;
}

QImage addIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    drawPlus(p, QPointF(8, 8), 6, 3.5, colour::green);
    return image;
}

QImage removeIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(colour::red, 3.5, Qt::FlatCap));
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    return image;
}

QImage clearIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    // An eraser lying at an angle over a wiped line.
    p.setPen(pen(colour::grey, 1, Qt::RoundCap));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.translate(8.5, 7.5);
    p.rotate(-40);
    p.setPen(pen(colour::ink, 1, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(QColor(0xf2, 0x8c, 0xa0));
    p.drawRoundedRect(QRectF(-1, -3.5, 8, 7), 1, 1);
    p.setBrush(colour::paper);
    p.drawRoundedRect(QRectF(-7, -3.5, 6, 7), 1, 1);
    return image;
}

QImage commentIcon(bool filled)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(0.5, 1.5, 15, 10), 2.5, 2.5);
    QPainterPath tail;
    tail.moveTo(3.5, 10);
    tail.lineTo(3, 15);
    tail.lineTo(8.5, 10);
    tail.closeSubpath();
    p.setPen(pen(colour::ink, 1, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(filled ? colour::yellow : colour::paper);
    p.drawPath(bubble.united(tail));
    if (filled) {
        p.setPen(pen(colour::ink, 1, Qt::FlatCap));
        p.drawLine(QPointF(3.5, 4.5), QPointF(12.5, 4.5));
        p.drawLine(QPointF(3.5, 6.5), QPointF(12.5, 6.5));
        p.drawLine(QPointF(3.5, 8.5), QPointF(9.5, 8.5));
    }
    return image;
}

QImage convertIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    // A polyline above, the same points as a smooth curve below, and the
    // arrows between them both ways.
    p.setPen(pen(colour::ink, 1.3, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({ QPointF(0.5, 6.5), QPointF(4, 1), QPointF(7.5, 6.5), QPointF(10.5, 2) }));
    p.setPen(pen(colour::blue, 1.3, Qt::RoundCap));
    p.drawPath(curveGuidedBy(
        QVector<QPointF> { QPointF(0.5, 15.5), QPointF(3.5, 6.5), QPointF(7.5, 15.5), QPointF(10.5, 9.5) }, false));
    p.setPen(pen(colour::green, 1.3, Qt::FlatCap));
    p.drawLine(QPointF(13.5, 4), QPointF(13.5, 12));
    drawArrowHead(p, QPointF(13.5, 1.5), 90, 3.5, 4.5, colour::green);
    drawArrowHead(p, QPointF(13.5, 14.5), -90, 3.5, 4.5, colour::green);
    return image;
}

QImage playIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.setPen(pen(QColor(0x1e, 0x70, 0x2a), 1, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(colour::green);
    p.drawPolygon(QPolygonF({ QPointF(3.5, 1.5), QPointF(14, 8), QPointF(3.5, 14.5) }));
    return image;
}

QImage resetInputIcon()
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    // An input field with its text, and the turning-back arrow.
    p.setPen(pen(colour::grey, 1));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(0.5, 6.5, 12, 7));
    p.setPen(pen(colour::ink, 1, Qt::FlatCap));
    p.drawLine(QPointF(2.5, 8.5), QPointF(2.5, 11.5));
    p.setPen(pen(colour::light, 1.5, Qt::FlatCap));
    p.drawLine(QPointF(4, 10), QPointF(10, 10));
    drawArcArrow(p, QRectF(6.5, 0.5, 8.5, 8.5), -60, 210, 1.6, 4, 5, colour::blue);
    return image;
}

QImage logo()
{
    constexpr int side = 64;
    QImage image = blank(side, side);
    IconPainter p(&image);
    // A rounded tile with a curve being drawn through its control points.
    QLinearGradient ground(0, 0, 0, side);
    ground.setColorAt(0, QColor(0x3b, 0x7d, 0xe0));
    ground.setColorAt(1, QColor(0x1c, 0x4a, 0x9c));
    p.setPen(pen(QColor(0x14, 0x36, 0x74), 2));
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    const QPolygonF control({ QPointF(11, 50), QPointF(18, 13), QPointF(40, 52), QPointF(53, 14) });
    p.setPen(dashPen(QColor(255, 255, 255, 190), 4, 3, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(control);
    QPainterPath curve;
    curve.moveTo(control[0]);
    curve.cubicTo(control[1], control[2], control[3]);
    p.setPen(pen(QColor(255, 255, 255), 5, Qt::RoundCap));
    p.drawPath(curve);
    for (const QPointF& c : control)
        drawHandle(p, c, 3.5, colour::yellow, QColor(0x14, 0x36, 0x74));
    return image;
}

} // namespace

void addMiscImages(ImageTable& table)
{
    const QString folder = QStringLiteral(":/folder/images/folder/");
    table.insert(folder + "folder_add.png",
        [] { return folderWith([](QPainter& p) { drawPlusBadge(p, QPointF(11.5, 11.5), 4.2, colour::green); }); });
    table.insert(folder + "folder_edit.png",
        [] { return folderWith([](QPainter& p) { drawPencil(p, QPointF(7.5, 14.5), 45, 11, 3.2); }); });
    table.insert(folder + "folder_delete.png",
        [] { return folderWith([](QPainter& p) { drawCrossBadge(p, QPointF(11.5, 11.5), 4.2, colour::red); }); });
    table.insert(folder + "arrow_refresh.png", [] { return refresh(colour::green); });

    const QString diverse = QStringLiteral(":/diverse/images/diverse/");
    table.insert(diverse + "Tavrel.png", logo);
    table.insert(diverse + "add.png", addIcon);
    table.insert(diverse + "remove.png", removeIcon);
    table.insert(diverse + "clear.png", clearIcon);
    table.insert(diverse + "comment.png", [] { return commentIcon(false); });
    table.insert(diverse + "comment_filled.png", [] { return commentIcon(true); });
    table.insert(diverse + "convert.png", convertIcon);
    table.insert(diverse + "play.png", playIcon);
    table.insert(diverse + "refresh.png", [] { return refresh(colour::blue); });
    table.insert(diverse + "reset_input.png", resetInputIcon);
}

} // namespace gen
