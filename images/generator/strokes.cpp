// Line style samples (40 x 8) and arrowheads (28 x 16) for the icon-only
// combo boxes of the attribute pages.

#include "canvas.h"

#include <QtMath>

namespace gen {

namespace {

// Line styles: a 2 pixel black line whose dash pattern (on, off, on, off...
// in pixels) starts at the left margin and repeats to the right margin.
QImage lineStyle(const QVector<int>& pattern)
{
    QImage image = blank(40, 8);
    const int left = 2, right = 38;
    int x = left;
    int i = 0;
    while (x < right) {
        const int run = pattern.isEmpty() ? right - left : pattern[i % pattern.size()];
        if (i % 2 == 0) {
            for (int px = x; px < qMin(x + run, right); ++px)
                for (int py = 3; py <= 4; ++py)
                    image.setPixel(px, py, 0xff000000);
        }
        x += run;
        ++i;
    }
    return image;
}

// The arrowhead shapes: per Fig arrow type and style the outline points
// (along, across), along in arrow heights forwards from the tip, across in
// arrow widths; the same shapes the canvas draws. Types 5 and 6 (circle and
// half circle) are drawn as curves.
struct HeadShape {
    QVector<QPointF> outline;
    QVector<QPointF> fill; // a separate solid part (type 9)
};

HeadShape headShape(int type, int style)
{
    using P = QPointF;
    switch (type) {
    case 0:
        return { { P(-1, 0.5), P(0, 0), P(-1, -0.5) }, {} };
    case 1:
        return { { P(-1, 0.5), P(0, 0), P(-1, -0.5), P(-1, 0.5) }, {} };
    case 2:
        return { { P(-1.25, 0.5), P(0, 0), P(-1.25, -0.5), P(-1, 0), P(-1.25, 0.5) }, {} };
    case 3:
        return { { P(-0.75, 0.5), P(0, 0), P(-0.75, -0.5), P(-1, 0), P(-0.75, 0.5) }, {} };
    case 4:
        return { { P(-0.5, 0.5), P(0, 0), P(-0.5, -0.5), P(-1, 0), P(-0.5, 0.5) }, {} };
    case 7:
        return { { P(-1, 0.5), P(0, 0.5), P(0, -0.5), P(-1, -0.5), P(-1, 0.5) }, {} };
    case 8:
        return { { P(-1, 0), P(0, 0.5), P(0, -0.5), P(-1, 0) }, {} };
    case 9:
        return { { P(-1.25, 0.5), P(0, 0), P(-1.25, -0.5), P(-1, 0), P(-1.25, 0.5) },
            style == 0 ? QVector<QPointF> { P(-1.25, -0.5), P(0, 0), P(-1, 0) }
                       : QVector<QPointF> { P(-1.25, 0.5), P(0, 0), P(-1, 0) } };
    case 10:
        return { { P(-1, 0.5), P(0, 0), P(-1, 0), P(-1, 0.5) }, {} };
    case 11:
        return { { P(-1.25, 0.5), P(0, 0), P(-1, 0), P(-1.25, 0.5) }, {} };
    case 12:
        return { { P(-0.75, 0.5), P(0, 0), P(-1, 0), P(-0.75, 0.5) }, {} };
    case 13:
        return style == 0 ? HeadShape { { P(0, 0.5), P(-1, 0), P(0, -0.5) }, {} }
                          : HeadShape { { P(0, 0.5), P(0, -0.5) }, {} };
    case 14:
        return style == 0 ? HeadShape { { P(0, 0.5), P(-1, 0.5), P(-1, -0.5), P(0, -0.5) }, {} }
                          : HeadShape { { P(-1, 0.5), P(0, 0.5), P(0, -0.5), P(-1, -0.5) }, {} };
    default:
        return {};
    }
}

// A line ending in an arrowhead of the given Fig type and style, pointing to
// the right. The backward icons are this picture turned by half a turn.
QImage forwardArrow(int type, int style)
{
    QImage image = blank(28, 16);
    IconPainter p(&image);
    const QColor black(0, 0, 0);
    const QPointF tip(26.5, 7.5);
    const qreal height = 10, width = 8; // pixels along and across
    auto at = [&](const QPointF& shapePoint) {
        return QPointF(tip.x() + shapePoint.x() * height, tip.y() + shapePoint.y() * width);
    };

    p.setPen(pen(black, 1, Qt::FlatCap));
    p.drawLine(QPointF(1, tip.y()), tip);

    const QPen outlinePen = pen(black, 1, Qt::FlatCap, Qt::MiterJoin);
    const bool filled = type >= 1 && type <= 12;
    const QColor fill = style == 1 ? black : QColor(Qt::white);
    if (type == 5 || type == 6) {
        const qreal r = height / 2;
        const QPointF centre = type == 5 ? tip - QPointF(r, 0) : tip;
        p.setPen(outlinePen);
        p.setBrush(fill);
        if (type == 5) {
            p.drawEllipse(centre, r, r);
        } else {
            const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
            p.setPen(Qt::NoPen);
            p.drawPie(box, 90 * 16, 180 * 16);
            p.setPen(outlinePen);
            p.drawArc(box, 90 * 16, 180 * 16);
        }
        return image;
    }
    const HeadShape shape = headShape(type, style);
    QPolygonF outline;
    for (const QPointF& pt : shape.outline)
        outline << at(pt);
    if (filled) {
        p.setPen(Qt::NoPen);
        p.setBrush(shape.fill.isEmpty() ? fill : QColor(Qt::white));
        p.drawPolygon(outline);
    }
    p.setPen(outlinePen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(outline);
    if (!shape.fill.isEmpty()) {
        QPolygonF part;
        for (const QPointF& pt : shape.fill)
            part << at(pt);
        p.setPen(Qt::NoPen);
        p.setBrush(black);
        p.drawPolygon(part);
    }
    return image;
}

// Icon number n (1 to 29) shows arrow kind n - 1: Fig type n / 2 with style
// n % 2, and for n = 1 type 0 with style 0.
QImage arrowIcon(int n, bool forward)
{
    const int type = n / 2;
    const int style = n == 1 ? 0 : n % 2;
    const QImage image = forwardArrow(type, style);
    return forward ? image : image.mirrored(true, true);
}

} // namespace

void addStrokeImages(ImageTable& table)
{
    const QString styles = QStringLiteral(":/lineStyles/images/lineStyles/");
    table.insert(styles + "solid.png", [] { return lineStyle({}); });
    table.insert(styles + "dashed.png", [] { return lineStyle({ 6, 3 }); });
    table.insert(styles + "dotted.png", [] { return lineStyle({ 2, 3 }); });
    table.insert(styles + "dashdot.png", [] { return lineStyle({ 8, 3, 2, 3 }); });
    table.insert(styles + "dash2dots.png", [] { return lineStyle({ 8, 2, 2, 2, 2, 2 }); });
    table.insert(styles + "dash3dots.png", [] { return lineStyle({ 7, 2, 2, 2, 2, 2, 2, 2 }); });

    const QString arrows = QStringLiteral(":/arrows/images/arrows/");
    table.insert(arrows + "none.png", [] { return blank(28, 16); });
    for (int n = 1; n <= 29; ++n) {
        table.insert(arrows + QStringLiteral("back%1.png").arg(n), [n] { return arrowIcon(n, false); });
        table.insert(arrows + QStringLiteral("forw%1.png").arg(n), [n] { return arrowIcon(n, true); });
    }
}

} // namespace gen
