#include "app/qruler.h"

#include <QMouseEvent>
#include <QPainter>

QRuler::QRuler(RulerType rulerType, QWidget* parent)
    : QWidget(parent, {})
    , rulerType(rulerType)
    , cursorPos(0, 0)
{
    setAttribute(Qt::WA_MouseTracking, true);
    QFont rulerFont(QStringLiteral("Helvetica"), 7, QFont::Light, false);
    rulerFont.setStyleHint(QFont::Helvetica, QFont::PreferOutline);
    setFont(rulerFont);
}

QSize QRuler::minimumSizeHint() const
{
    return rulerType == Horizontal ? QSize(0, breadth) : QSize(breadth, 0);
}

void QRuler::setOrigin(double value)
{
    if (value != origin) {
        origin = value;
        update();
    }
}

void QRuler::setRulerUnit(double value)
{
    if (value != rulerUnit) {
        rulerUnit = value;
        update();
    }
}

void QRuler::setRulerZoom(double value)
{
    if (value != rulerZoom) {
        rulerZoom = value;
        update();
    }
}

void QRuler::setCursorPos(QPoint pos)
{
    cursorPos = pos;
    update();
}

void QRuler::setMouseTrack(bool track)
{
    if (track != mouseTracking) {
        mouseTracking = track;
        setAttribute(Qt::WA_MouseTracking, track);
        update();
    }
}

void QRuler::mouseMoveEvent(QMouseEvent* event)
{
    cursorPos = event->pos();
    update();
    QWidget::mouseMoveEvent(event);
}

void QRuler::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    // The high-quality hint is ignored by the raster engine but asked for all
    // the same, in case another engine honours it.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    painter.setRenderHints(QPainter::TextAntialiasing | QPainter::HighQualityAntialiasing);
    QT_WARNING_POP
    painter.setPen(QPen(Qt::black, 0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));

    const QRectF r = QRectF(rect());
    painter.fillRect(r, QColor(236, 233, 216));
    const double t = rulerType == Horizontal ? r.height() : r.width();

    drawScale(painter, r, 10.0, t / 1.5, false);
    drawScale(painter, r, 50.0, t * 0.25, false);
    drawScale(painter, r, 100.0, 0.0, true);

    if (mouseTracking) {
        painter.setPen(QPen(QColor(255, 0, 0), 0));
        const QRect bounds = rect();
        if (rulerType == Horizontal)
            painter.drawLine(QPoint(cursorPos.x(), bounds.top()), QPoint(cursorPos.x(), bounds.bottom()));
        else
            painter.drawLine(QPoint(bounds.left(), cursorPos.y()), QPoint(bounds.right(), cursorPos.y()));
    }

    // The edge towards the canvas.
    painter.setPen(QPen(Qt::black, 2));
    if (rulerType == Horizontal)
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    else
        painter.drawLine(r.topRight(), r.bottomRight());
}

void QRuler::drawScale(QPainter& painter, const QRectF& r, double scale, double tickStart, bool numbers)
{
    const double step = scale * rulerUnit * rulerZoom;
    if (!(step >= 2.0))
        return; // too dense to show (or no usable step at all)
    const double start = rulerType == Horizontal ? r.left() : r.top();
    const double end = rulerType == Horizontal ? r.right() : r.bottom();
    if (start <= origin && origin <= end) {
        drawTicks(painter, r, origin, end, 0, step, tickStart, numbers);
        drawTicks(painter, r, origin, start, 0, -step, tickStart, numbers);
    } else if (origin < start) {
        const int n = int((start - origin) / step);
        drawTicks(painter, r, origin + n * step, end, n, step, tickStart, numbers);
    } else {
        const int n = int((origin - end) / step);
        drawTicks(painter, r, origin - n * step, start, n, -step, tickStart, numbers);
    }
}

void QRuler::drawTicks(
    QPainter& painter, const QRectF& r, double p, double limit, int k, double d, double tickStart, bool numbers)
{
    while (d > 0 ? p <= limit : p >= limit) {
        if (rulerType == Horizontal)
            painter.drawLine(QPointF(p, r.top() + tickStart), QPointF(p, r.bottom()));
        else
            painter.drawLine(QPointF(r.left() + tickStart, p), QPointF(r.right(), p));
        if (drawText && numbers && d > 12) {
            painter.setFont(font());
            if (rulerType == Horizontal)
                painter.drawText(QPoint(int(p) + 3, int(r.top() + tickStart) + 9), QString::number(k));
            else
                painter.drawText(QPoint(int(r.left() + tickStart) + 1, int(p) - 2), QString::number(k));
            ++k;
        }
        p += d;
    }
}
