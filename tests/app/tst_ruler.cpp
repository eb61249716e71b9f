// The ruler: ticks of a tenth, a half and a whole unit from the origin, the
// numbers of the whole units counted from the origin, the pointer mark and
// the edge towards the canvas, drawn onto an image.
#include "app/qruler.h"
#include "support/testenv.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

const QRgb background = qRgb(236, 233, 216);

// The ruler drawn onto an image of its size.
QImage picture(QRuler& ruler)
{
    QImage image(ruler.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    ruler.render(&image);
    return image;
}

bool isTick(QRgb pixel)
{
    return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

// The positions along a horizontal ruler's row, or a vertical ruler's
// column, where a tick crosses it.
QList<int> ticksAcross(const QImage& image, Qt::Orientation orientation, int at)
{
    QList<int> found;
    const int length = orientation == Qt::Horizontal ? image.width() : image.height();
    for (int i = 0; i < length; ++i) {
        const QRgb pixel = orientation == Qt::Horizontal ? image.pixel(i, at) : image.pixel(at, i);
        if (isTick(pixel))
            found.append(i);
    }
    return found;
}

// Whether every expected position has a tick within a pixel and every tick
// lies within a pixel of an expected position.
bool sameTicks(const QList<int>& found, const QList<double>& expected)
{
    for (double e : expected) {
        if (!std::any_of(found.begin(), found.end(), [e](int f) { return std::abs(f - e) <= 1.0; }))
            return false;
    }
    for (int f : found) {
        if (!std::any_of(expected.begin(), expected.end(), [f](double e) { return std::abs(f - e) <= 1.0; }))
            return false;
    }
    return true;
}

// Positions origin + k × step inside [0, length - 1].
QList<double> positions(double origin, double step, int length)
{
    QList<double> out;
    const double first = origin - std::floor(origin / step) * step;
    for (double p = first; p <= length - 1; p += step)
        out.append(p);
    return out;
}

QString describe(const QList<int>& found)
{
    QStringList parts;
    for (int f : found)
        parts << QString::number(f);
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestRuler : public QObject {
    Q_OBJECT
private slots:
    // At 80 dots per inch a centimetre is 31.5 pixels at 100 % and 63 at
    // 200 %: whole units across the whole breadth, halves from a quarter of
    // it, tenths from two thirds of it.
    void scalesAtZoom_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("unit");
        QTest::addColumn<double>("origin");
        const double cm100 = 80 / 2.54 / 100;
        QTest::newRow("horizontal, 100 %") << int(Qt::Horizontal) << cm100 << 12.0;
        QTest::newRow("horizontal, 200 %") << int(Qt::Horizontal) << cm100 * 2 << 12.0;
        QTest::newRow("horizontal, scrolled") << int(Qt::Horizontal) << cm100 << -100.0;
        QTest::newRow("vertical, 100 %") << int(Qt::Vertical) << cm100 << 12.0;
        QTest::newRow("vertical, 200 %, origin inside") << int(Qt::Vertical) << cm100 * 2 << 150.0;
        QTest::newRow("inch, 100 %") << int(Qt::Horizontal) << 0.8 << 0.0;
    }
    void scalesAtZoom()
    {
        QFETCH(int, orientation);
        QFETCH(double, unit);
        QFETCH(double, origin);
        const bool horizontal = orientation == Qt::Horizontal;
        QRuler ruler(horizontal ? QRuler::Horizontal : QRuler::Vertical, nullptr);
        ruler.resize(horizontal ? QSize(300, 20) : QSize(20, 300));
        ruler.setMouseTrack(false);
        ruler.setOrigin(origin);
        ruler.setRulerUnit(unit);
        const QImage image = picture(ruler);
        const Qt::Orientation o = horizontal ? Qt::Horizontal : Qt::Vertical;
        // Across the breadth at 0 only the whole units (the numbers begin
        // right of or above their ticks at 1), at 11 the halves too, at 16
        // the tenths as well.
        const QList<int> whole = ticksAcross(image, o, 0);
        QVERIFY2(sameTicks(whole, positions(origin, unit * 100, 300)), qPrintable(describe(whole)));
        const QList<int> halves = ticksAcross(image, o, 11);
        QVERIFY2(sameTicks(halves, positions(origin, unit * 50, 300)), qPrintable(describe(halves)));
        const QList<int> tenths = ticksAcross(image, o, 16);
        QVERIFY2(sameTicks(tenths, positions(origin, unit * 10, 300)), qPrintable(describe(tenths)));
        // The edge towards the canvas.
        const QRgb edge = horizontal ? image.pixel(150, 19) : image.pixel(19, 150);
        QVERIFY(isTick(edge));
    }

    // Ticks closer than two pixels are left out, numbers when whole units are
    // 12 pixels apart or less.
    void denseScalesAreLeftOut()
    {
        QRuler ruler(QRuler::Horizontal, nullptr);
        ruler.resize(300, 20);
        ruler.setMouseTrack(false);
        ruler.setRulerUnit(0.12); // whole units 12 pixels apart, tenths 1.2
        const QImage image = picture(ruler);
        QVERIFY(sameTicks(ticksAcross(image, Qt::Horizontal, 16), positions(0, 6, 300)));
        for (int y = 1; y < 5; ++y) { // above the halves
            for (int x = 0; x < 300; ++x) {
                if (x % 12 > 1 && x % 12 < 11)
                    QCOMPARE(image.pixel(x, y), background); // no number anywhere
            }
        }
    }

    // The number at a whole unit counts the units from the origin: a ruler
    // scrolled by three and a bit units shows at its first whole tick in view
    // what an unscrolled ruler shows at its fourth.
    void numbersCountFromTheOrigin()
    {
        const double unit = 80 / 2.54 / 100;
        const double step = unit * 100;
        QRuler plain(QRuler::Horizontal, nullptr);
        plain.resize(300, 20);
        plain.setMouseTrack(false);
        plain.setRulerUnit(unit);
        QRuler scrolled(QRuler::Horizontal, nullptr);
        scrolled.resize(300, 20);
        scrolled.setMouseTrack(false);
        scrolled.setRulerUnit(unit);
        const double origin = -(3 * step + 5);
        scrolled.setOrigin(origin);
        const QImage a = picture(plain);
        const QImage b = picture(scrolled);
        // The label of whole unit k starts three pixels right of its tick.
        const auto label = [](const QImage& image, double tick) { return image.copy(int(tick) + 2, 1, 10, 10); };
        QCOMPARE(label(b, origin + 4 * step), label(a, 4 * step));
        QCOMPARE(label(b, origin + 5 * step), label(a, 5 * step));
        QVERIFY(label(a, 4 * step) != label(a, 5 * step));
        QVERIFY(label(a, 4 * step) != QImage(10, 10, QImage::Format_ARGB32)); // something is written
        // No numbers left of the origin.
        QRuler centred(QRuler::Horizontal, nullptr);
        centred.resize(300, 20);
        centred.setMouseTrack(false);
        centred.setRulerUnit(unit);
        centred.setOrigin(150);
        const QImage c = picture(centred);
        QCOMPARE(label(c, 150 + 2 * step), label(a, 2 * step));
        QImage empty(10, 10, QImage::Format_ARGB32);
        empty.fill(background);
        QCOMPARE(label(c, 150 - 2 * step), empty.convertToFormat(label(c, 0).format()));
    }

    void pointerMark()
    {
        QRuler ruler(QRuler::Vertical, nullptr);
        ruler.resize(20, 200);
        ruler.setRulerUnit(0.01); // no ticks at all
        ruler.setCursorPos(QPoint(5, 77));
        QImage image = picture(ruler);
        QCOMPARE(image.pixel(3, 77), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(3, 76), background);
        ruler.setMouseTrack(false);
        QVERIFY(!ruler.testAttribute(Qt::WA_MouseTracking));
        image = picture(ruler);
        QCOMPARE(image.pixel(3, 77), background);
    }

    void sizesAndChanges()
    {
        QRuler horizontal(QRuler::Horizontal, nullptr);
        QRuler vertical(QRuler::Vertical, nullptr);
        QCOMPARE(horizontal.minimumSizeHint(), QSize(0, 20));
        QCOMPARE(vertical.minimumSizeHint(), QSize(20, 0));
        QCOMPARE(horizontal.origin, 0.0);
        QCOMPARE(horizontal.rulerUnit, 1.0);
        QCOMPARE(horizontal.rulerZoom, 1.0);
        QVERIFY(horizontal.mouseTracking);
        QVERIFY(horizontal.testAttribute(Qt::WA_MouseTracking));
        QVERIFY(horizontal.setProperty("origin", 7.5));
        QCOMPARE(horizontal.origin, 7.5);
        QCOMPARE(horizontal.property("rulerUnit").toDouble(), 1.0);
    }
};

TAVREL_TEST_MAIN(TestRuler)
#include "tst_ruler.moc"
