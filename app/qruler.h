#pragma once
// A ruler along the top or left edge of a document window's viewport: ticks
// every tenth, half and whole scale unit, numbered at the whole units from
// the origin, and a red mark at the pointer. It knows no documents: the
// document window sets where scale value 0 lies, how many pixels a unit
// covers and where the pointer is.

#include <QPoint>
#include <QSize>
#include <QWidget>

class QPainter;

class QRuler : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double origin MEMBER origin WRITE setOrigin)
    Q_PROPERTY(double rulerUnit MEMBER rulerUnit WRITE setRulerUnit)
    Q_PROPERTY(double rulerZoom MEMBER rulerZoom WRITE setRulerZoom)
public:
    enum RulerType { Horizontal = 0, Vertical = 1 };
    Q_ENUM(RulerType)

    // The breadth of a ruler in pixels.
    static constexpr int breadth = 20;

    QRuler(RulerType rulerType, QWidget* parent);

    QSize minimumSizeHint() const override;

public slots:
    // Each stores the value and schedules a repaint only when it changed.
    void setOrigin(double value);
    void setRulerUnit(double value);
    void setRulerZoom(double value);
    // Stores and repaints, whether changed or not.
    void setCursorPos(QPoint pos);
    // The pointer mark and the widget's own mouse tracking.
    void setMouseTrack(bool track);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void drawScale(QPainter& painter, const QRectF& r, double scale, double tickStart, bool numbers);
    void drawTicks(
        QPainter& painter, const QRectF& r, double p, double limit, int k, double d, double tickStart, bool numbers);

public:
    RulerType rulerType;
    double origin = 0.0; // position along the ruler of scale value 0, pixels
    double rulerUnit = 1.0; // pixels per scale unit
    double rulerZoom = 1.0; // further factor on the scale; left at 1
    QPoint cursorPos; // pointer mark, in ruler coordinates
    bool mouseTracking = true; // the pointer mark is drawn
    bool drawText = true; // numbers may be drawn at the major ticks
};
