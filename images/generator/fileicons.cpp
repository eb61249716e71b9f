// The 16 x 16 icons of the "File" tool bar and the View menu: files, the
// clipboard, undo and redo, palette, page set-up, library and zoom; and the
// 32 x 32 save icon of the library dialog.

#include "canvas.h"

namespace gen {

namespace {

QImage newIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    drawSheet(p, QRectF(2.5, 1.5, 10, 13), 3.5);
    // A small spark: the sheet is new.
    p.setPen(pen(QColor(0xe8, 0x9a, 0x10), 1.2, Qt::RoundCap));
    const QPointF c(12.5, 3.5);
    p.drawLine(c + QPointF(-2.5, 0), c + QPointF(2.5, 0));
    p.drawLine(c + QPointF(0, -2.5), c + QPointF(0, 2.5));
    p.drawLine(c + QPointF(-1.5, -1.5), c + QPointF(1.5, 1.5));
    p.drawLine(c + QPointF(-1.5, 1.5), c + QPointF(1.5, -1.5));
    return image;
}

QImage openIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    // The back of the folder with a sheet sticking out, then the front flap
    // tilted open.
    QPolygonF back;
    back << QPointF(1.5, 13.5) << QPointF(1.5, 2.5) << QPointF(5.5, 2.5) << QPointF(6.5, 3.5) << QPointF(12.5, 3.5)
         << QPointF(12.5, 13.5);
    p.setPen(pen(colour::darkYellow));
    p.setBrush(QColor(0xe0, 0xa8, 0x30));
    p.drawPolygon(back);
    p.setPen(pen(colour::grey));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(3.5, 4.5, 8, 6));
    QPolygonF front;
    front << QPointF(1.5, 13.5) << QPointF(4.5, 7.5) << QPointF(15.5, 7.5) << QPointF(12.5, 13.5);
    p.setPen(pen(colour::darkYellow));
    p.setBrush(colour::yellow);
    p.drawPolygon(front);
    return image;
}

void drawFloppy(QPainter& p)
{
    // Drawn on a 16 x 16 grid; the caller scales it.
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.setPen(pen(QColor(0x1a, 0x3c, 0x78)));
    p.setBrush(colour::blue);
    p.drawPath(body);
    // Metal shutter with its slot.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xdc, 0xe2));
    p.drawRect(QRectF(4, 2, 7.5, 4.5));
    p.setBrush(QColor(0x1a, 0x3c, 0x78));
    p.drawRect(QRectF(8.5, 2.75, 1.75, 3));
    // Label.
    p.setPen(pen(QColor(0x1a, 0x3c, 0x78)));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(3.5, 8.5, 9, 6));
    p.setPen(pen(colour::light));
    p.drawLine(QPointF(5, 10.5), QPointF(11, 10.5));
    p.drawLine(QPointF(5, 12.5), QPointF(11, 12.5));
}

QImage saveIcon(int size)
{
    QImage image = blank(size, size);
    IconPainter p(&image);
    p.scale(size / 16.0, size / 16.0);
    drawFloppy(p);
    return image;
}

QImage cutIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    // Blades crossing at the pivot, rings below.
    p.setPen(pen(QColor(0x70, 0x78, 0x84), 1.6, Qt::RoundCap));
    p.drawLine(QPointF(5.6, 9.8), QPointF(11, 1.5));
    p.drawLine(QPointF(10.4, 9.8), QPointF(5, 1.5));
    p.setPen(pen(colour::red, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.6, 12), 2.4, 2.4);
    p.drawEllipse(QPointF(11.4, 12), 2.4, 2.4);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::ink);
    p.drawEllipse(QPointF(8, 6.1), 0.9, 0.9);
    return image;
}

QImage copyIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    drawSheet(p, QRectF(1.5, 1.5, 8, 10), 0);
    drawSheet(p, QRectF(6.5, 4.5, 8, 10), 0);
    p.setPen(pen(colour::light));
    for (qreal y = 7.5; y <= 11.5; y += 2)
        p.drawLine(QPointF(8.5, y), QPointF(12.5, y));
    return image;
}

QImage pasteIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    p.setPen(pen(QColor(0x6b, 0x45, 0x1e)));
    p.setBrush(QColor(0xb9, 0x80, 0x45));
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12.5), 1, 1);
    p.setPen(pen(colour::grey));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(4.5, 5.5, 7, 8));
    p.setPen(pen(colour::light));
    for (qreal y = 7.5; y <= 11.5; y += 2)
        p.drawLine(QPointF(6, y), QPointF(10, y));
    // The clip.
    p.setPen(pen(colour::ink));
    p.setBrush(QColor(0xc8, 0xcc, 0xd2));
    p.drawRect(QRectF(5.5, 1.5, 5, 3));
    return image;
}

// A hooked arrow: the head points to the left, the shaft runs right and
// turns down and back. Redo is its mirror image.
QImage undoIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    QPainterPath shaft;
    shaft.moveTo(5, 5.5);
    shaft.lineTo(9, 5.5);
    shaft.cubicTo(QPointF(14.5, 5.5), QPointF(14.5, 13.5), QPointF(9, 13.5));
    shaft.lineTo(6.5, 13.5);
    p.setPen(pen(colour::blue, 2, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaft);
    drawArrowHead(p, QPointF(0.8, 5.5), 180, 5, 7, colour::blue);
    return image;
}

QImage paletteIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    QPainterPath board;
    board.addEllipse(QRectF(0.5, 2, 15, 12));
    QPainterPath hole;
    hole.addEllipse(QPointF(10.5, 10), 1.7, 1.7);
    p.setPen(pen(QColor(0x8a, 0x62, 0x32)));
    p.setBrush(QColor(0xf2, 0xdc, 0xb4));
    p.drawPath(board.subtracted(hole));
    const struct {
        QPointF at;
        QColor colour;
    } blobs[] = {
        { QPointF(4, 7.5), colour::red },
        { QPointF(6.8, 5), colour::yellow },
        { QPointF(10.5, 5.2), colour::green },
        { QPointF(4.6, 10.8), colour::blue },
    };
    p.setPen(Qt::NoPen);
    for (const auto& blob : blobs) {
        p.setBrush(blob.colour);
        p.drawEllipse(blob.at, 1.7, 1.7);
    }
    return image;
}

QImage pageSetupIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    drawSheet(p, QRectF(3.5, 0.5, 11, 12), 0);
    p.setPen(pen(colour::light));
    for (qreal v = 4.5; v < 12; v += 3) {
        p.drawLine(QPointF(4, v), QPointF(14, v));
        p.drawLine(QPointF(v + 2, 1), QPointF(v + 2, 12));
    }
    // A ruler across the foot of the page.
    p.setPen(pen(QColor(0x9a, 0x74, 0x12)));
    p.setBrush(QColor(0xf8, 0xd8, 0x60));
    p.drawRect(QRectF(0.5, 10.5, 14, 5));
    for (int x = 2; x <= 14; x += 2)
        p.drawLine(QPointF(x + 0.5, 10.5), QPointF(x + 0.5, x % 4 == 0 ? 13.5 : 12.5));
    return image;
}

QImage libraryIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    const struct {
        QRectF rect;
        QColor colour;
    } books[] = {
        { QRectF(1.5, 3.5, 3, 11), colour::blue },
        { QRectF(4.5, 1.5, 3, 13), colour::red },
        { QRectF(7.5, 4.5, 3, 10), colour::green },
    };
    for (const auto& book : books) {
        p.setPen(pen(colour::ink));
        p.setBrush(book.colour);
        p.drawRect(book.rect);
        p.setPen(pen(QColor(255, 255, 255, 170)));
        p.drawLine(QPointF(book.rect.left() + 1, book.rect.top() + 2.5),
            QPointF(book.rect.right() - 1, book.rect.top() + 2.5));
    }
    // One book leaning against the others.
    p.save();
    p.translate(10.5, 14.5);
    p.rotate(22);
    p.setPen(pen(colour::ink));
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(0, -11, 3, 11));
    p.restore();
    return image;
}

QImage zoomIcon(int sign)
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    drawMagnifier(p, QPointF(6.5, 6.5), 4.8, 6.5);
    p.setPen(pen(colour::ink, 1.5, Qt::FlatCap));
    p.drawLine(QPointF(4.2, 6.5), QPointF(8.8, 6.5));
    if (sign > 0)
        p.drawLine(QPointF(6.5, 4.2), QPointF(6.5, 8.8));
    return image;
}

QImage zoomToSelectionIcon()
{
    QImage image = blank(16, 16);
    IconPainter p(&image);
    p.setPen(dashPen(colour::blue, 2, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 10, 8));
    drawMagnifier(p, QPointF(9, 9), 3.6, 5.5);
    return image;
}

QImage mirrored(const QImage& image)
{
    return image.mirrored(true, false);
}

} // namespace

void addFileImages(ImageTable& table)
{
    const QString folder = QStringLiteral(":/file/images/File/");
    table.insert(folder + "new.png", newIcon);
    table.insert(folder + "open.png", openIcon);
    table.insert(folder + "save.png", [] { return saveIcon(16); });
    table.insert(folder + "save32.png", [] { return saveIcon(32); });
    table.insert(folder + "cut.png", cutIcon);
    table.insert(folder + "copy.png", copyIcon);
    table.insert(folder + "paste.png", pasteIcon);
    table.insert(folder + "arrow_undo.png", undoIcon);
    table.insert(folder + "arrow_redo.png", [] { return mirrored(undoIcon()); });
    table.insert(folder + "palette.png", paletteIcon);
    table.insert(folder + "pagesetup.png", pageSetupIcon);
    table.insert(folder + "library.png", libraryIcon);
    table.insert(folder + "zoom_in.png", [] { return zoomIcon(1); });
    table.insert(folder + "zoom_out.png", [] { return zoomIcon(-1); });
    table.insert(folder + "zoom_to_selection.png", zoomToSelectionIcon);
}

} // namespace gen
