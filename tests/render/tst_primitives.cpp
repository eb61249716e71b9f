#include "drawingfixtures.h"
#include "model/figarrow.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "render/arrowheads.h"
#include "render/colors.h"
#include "render/pointbuffer.h"
#include "render/primitives.h"
#include "support/testenv.h"

#include <QImage>
#include <QPainter>
#include <QVector>

#include <memory>

Q_DECLARE_METATYPE(QVector<QPoint>)

namespace {

constexpr QRgb white = 0xffffffff;
constexpr QRgb black = 0xff000000;
constexpr QRgb red = 0xffff0000;
constexpr QRgb grey = 0xff808080;

// A window-less document at 80 dots per inch (15 Fig units a pixel) drawing
// without antialiasing on an image.
struct Canvas : drawingfixtures::Canvas {
    explicit Canvas(QRgb background = white, int size = 200)
        : drawingfixtures::Canvas(size, size, nullptr, background)
    {
    }
};

std::unique_ptr<FigLine> lineOf(std::initializer_list<QPoint> points, int lineWidth, int subType = 1)
{
    auto line = std::make_unique<FigLine>(1);
    line->subType = subType;
    line->lineWidth = lineWidth;
    FigPoint** tail = &line->points;
    for (const QPoint& p : points) {
        *tail = new FigPoint(p.x(), p.y());
        tail = &(*tail)->next;
    }
    return line;
}

FigArrow* arrowOf(int type, int style, float thickness)
{
    auto* arrow = new FigArrow;
    arrow->type = type;
    arrow->style = style;
    arrow->thickness = thickness;
    arrow->width = 600; // 40 pixels
    arrow->height = 1200; // 80 pixels
    return arrow;
}

} // namespace

class TestPrimitives : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initDefaultColors(); }
    void init() { resetPointBuffer(); }

    void lineStartsAtMappedPixel_data()
    {
        QTest::addColumn<int>("originX");
        QTest::addColumn<int>("originY");
        QTest::newRow("origin 0") << 0 << 0;
        QTest::newRow("scrolled") << 5 << -7;
    }
    void lineStartsAtMappedPixel()
    {
        QFETCH(int, originX);
        QFETCH(int, originY);
        Canvas canvas;
        canvas.context.originX = originX;
        canvas.context.originY = originY;
        auto line = lineOf({ { 150, 300 }, { 1500, 300 } }, 1);
        canvas.context.drawLineObject(line.get(), 3);
        const int x = 10 - originX;
        const int y = 20 - originY;
        QCOMPARE(canvas.pixel(x, y), black);
        QCOMPARE(canvas.pixel(x - 1, y), white);
        QCOMPARE(canvas.pixel(x + 50, y), black);
        QCOMPARE(canvas.pixel(x + 50, y - 1), white);
        QCOMPARE(canvas.pixel(x + 50, y + 1), white);
    }

    void widthZeroBoxHasNoOutlineButRoundedBoxHas()
    {
        Canvas canvas;
        auto box = lineOf({ { 150, 150 }, { 1500, 150 }, { 1500, 1200 }, { 150, 1200 }, { 150, 150 } }, 0, 2);
        canvas.context.drawLineObject(box.get(), 3);
        QCOMPARE(canvas.count(black), 0);

        Canvas rounded;
        box->subType = 4;
        box->radius = 8; // 120 Fig units, 8 pixels
        rounded.context.drawArcBox(box.get(), 3);
        QCOMPARE(rounded.pixel(50, 10), black); // top edge
        QCOMPARE(rounded.pixel(10, 50), black); // left edge
        QCOMPARE(rounded.pixel(10, 10), white); // the corner is cut
        QCOMPARE(rounded.pixel(50, 50), white);
    }

    void filledBox()
    {
        Canvas canvas;
        auto box = lineOf({ { 150, 150 }, { 1500, 150 }, { 1500, 1200 }, { 150, 1200 }, { 150, 150 } }, 1, 2);
        box->fillColor = 4; // red
        box->fillStyle = 20;
        canvas.context.drawLineObject(box.get(), 3);
        QCOMPARE(canvas.pixel(50, 50), red);
        QCOMPARE(canvas.pixel(10, 50), black);
        QCOMPARE(canvas.pixel(5, 50), white);
    }

    void dots_data()
    {
        QTest::addColumn<int>("capStyle");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<QVector<QPoint>>("inked");
        QTest::addColumn<QVector<QPoint>>("clear");
        // Round: a filled circle of diameter 3 whose square starts at
        // (px - 1, py - 1).
        QTest::newRow("round cap, width 3")
            << 1 << 3 << QVector<QPoint> { { 50, 50 }, { 49, 50 }, { 51, 50 }, { 50, 49 } }
            << QVector<QPoint> { { 47, 50 }, { 50, 47 }, { 53, 53 } };
        QTest::newRow("butt cap, width 3: a square") << 0 << 3 << QVector<QPoint> { { 49, 49 }, { 51, 51 }, { 50, 50 } }
                                                     << QVector<QPoint> { { 48, 50 }, { 52, 50 }, { 50, 52 } };
        QTest::newRow("width 0: one pixel")
            << 0 << 0 << QVector<QPoint> { { 50, 50 } } << QVector<QPoint> { { 49, 50 }, { 51, 50 }, { 50, 51 } };
    }
    void dots()
    {
        QFETCH(int, capStyle);
        QFETCH(int, lineWidth);
        QFETCH(QVector<QPoint>, inked);
        QFETCH(QVector<QPoint>, clear);
        Canvas canvas;
        auto dot = lineOf({ { 750, 750 } }, lineWidth);
        dot->capStyle = capStyle;
        canvas.context.drawDot(dot.get(), 3);
        for (const QPoint& p : inked)
            QVERIFY2(canvas.pixel(p.x(), p.y()) == black, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        for (const QPoint& p : clear)
            QVERIFY2(canvas.pixel(p.x(), p.y()) == white, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }

    void ellipseTurnsAndResets()
    {
        Canvas canvas;
        FigEllipse ellipse(1);
        ellipse.center.x = ellipse.center.y = 1500; // (100, 100)
        ellipse.radii.x = 900; // 60 by 1 pixels
        ellipse.radii.y = 15;
        ellipse.lineWidth = 1;
        ellipse.angle = 3.14159265f / 2;
        canvas.context.drawEllipseObject(&ellipse, 3);
        QVERIFY(canvas.painter.transform().isIdentity());
        QCOMPARE(canvas.pixel(100, 50), black); // turned upright
        QCOMPARE(canvas.pixel(150, 100), white);
    }

    void bufferOutline()
    {
        Canvas canvas;
        auto spline = std::make_unique<FigSpline>(1);
        spline->lineWidth = 1;
        spline->subType = 0; // open
        canvas.context.drawBufferOutline(spline.get(), 3); // empty buffer: nothing
        QCOMPARE(canvas.count(black), 0);

        Canvas open;
        for (const QPoint& p : { QPoint(10, 10), QPoint(10, 20), QPoint(40, 50) })
            addScreenPoint(p.x(), p.y());
        open.context.drawBufferOutline(spline.get(), 3);
        // The axis-parallel first step is dropped.
        QCOMPARE(pointBuffer.points[0], QPoint(10, 20));
        QCOMPARE(open.pixel(10, 12), white);
        QCOMPARE(open.pixel(25, 35), black);

        resetPointBuffer();
        Canvas closed;
        spline->subType = 1;
        for (const QPoint& p : { QPoint(10, 10), QPoint(10, 20), QPoint(40, 50) })
            addScreenPoint(p.x(), p.y());
        closed.context.drawBufferOutline(spline.get(), 3);
        QCOMPARE(pointBuffer.points[0], QPoint(10, 10));
        QCOMPARE(closed.pixel(10, 12), black);
    }

    void styledPolyline()
    {
        Canvas canvas;
        const QPoint triangle[4] = { { 10, 10 }, { 90, 10 }, { 50, 90 }, { 10, 10 } };
        canvas.context.drawStyledPolyline(triangle, 4, 3, 0, 0, 0.0f, 0, 0, 20, 0, 4);
        QCOMPARE(canvas.pixel(50, 40), red);
        QCOMPARE(canvas.count(black), 0); // width 0: no outline
    }

    void filledRectangles()
    {
        Canvas canvas;
        canvas.context.fillRect(QColor(Qt::red), 10, 10, 12, 11);
        fillRectCorners(&canvas.painter, 20, 20, 22, 20, QColor(Qt::red));
        QCOMPARE(canvas.count(red), 6 + 3);
        QCOMPARE(canvas.pixel(12, 11), red);
        QCOMPARE(canvas.pixel(13, 11), white);
        QCOMPARE(canvas.pixel(22, 20), red);

        CFigContext unpainted;
        unpainted.fillRect(QColor(Qt::red), 0, 0, 5, 5); // no painter: nothing
        fillRectCorners(nullptr, 0, 0, 5, 5, QColor(Qt::red));
    }

    void rubberBandTwiceRestores_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("antialiased");
        QTest::newRow("solid") << 0 << false;
        QTest::newRow("dashed") << 2 << false;
        QTest::newRow("dash-dot") << 11 << false;
        QTest::newRow("painter's pen") << 5 << false;
        QTest::newRow("solid, antialiasing on") << 0 << true;
    }
    void rubberBandTwiceRestores()
    {
        QFETCH(int, kind);
        QFETCH(bool, antialiased);
        Canvas canvas;
        // A busy background, so that inverting is told apart from painting.
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                canvas.image.setPixel(x, y, qRgb(x, y, (x * y) & 0xff));
        const QImage before = canvas.image.copy();
        canvas.painter.setRenderHint(QPainter::Antialiasing, antialiased);
        canvas.painter.setPen(QPen(Qt::blue, 3));
        canvas.context.drawRubberBand(0, 0, 2800, 1700, kind, 1);
        QCOMPARE(canvas.painter.compositionMode(), QPainter::CompositionMode_SourceOver);
        canvas.painter.end();
        QVERIFY(canvas.image != before);
        canvas.painter.begin(&canvas.image);
        canvas.painter.setRenderHint(QPainter::Antialiasing, antialiased);
        canvas.painter.setPen(QPen(Qt::blue, 3));
        canvas.context.drawRubberBand(0, 0, 2800, 1700, kind, 1);
        canvas.context.drawRubberBand(0, 0, 2800, 1700, kind, 1);
        canvas.context.drawRubberBand(0, 0, 2800, 1700, kind, 1);
        canvas.painter.end();
        if (kind == 5)
            return; // not a rubber-band pen: painted, not inverted
        QVERIFY(canvas.image == before);
    }

    void thinLinesAreNotClipped()
    {
        Canvas canvas;
        const QPoint clip[7] = { { 0, 0 }, { 50, 0 }, { 50, 50 }, { 0, 50 }, { 0, 0 }, { 0, 0 }, { 0, 0 } };
        QRegion saved;
        QVERIFY(!canvas.context.clipOutArrowheads(clip, 7, clip, 7, 1, saved));
        QVERIFY(!canvas.painter.hasClipping());
    }

    void thickLineStopsShortOfTheTip()
    {
        // A 3-pixel line to (180, 100) with a filled triangle whose tip is
        // pulled back to (178, 100): the clip keeps the line's end out of the
        // tip region, where it would poke through the head.
        Canvas unclipped;
        auto line = lineOf({ { 0, 1500 }, { 2700, 1500 } }, 3);
        line->forwArrow = arrowOf(1, 1, 1);
        unclipped.context.drawLineObject(line.get(), 3);
        QCOMPARE(unclipped.pixel(179, 100), black);

        Canvas canvas;
        canvas.context.addLinePoints(line.get());
        ArrowPolygons forward, backward;
        canvas.context.computeArrowheads(line.get(), 2, pointBuffer.points, pointBuffer.count, 0, forward, backward);
        QCOMPARE(forward.clipCount, 7);
        QRegion saved;
        QVERIFY(canvas.context.clipOutArrowheads(
            forward.clip, forward.clipCount, backward.clip, backward.clipCount, line->lineWidth, saved));
        canvas.context.drawLineObject(line.get(), 3);
        canvas.context.restoreArrowClip(saved);
        // No clip before: the whole device is the clip again.
        QCOMPARE(canvas.painter.clipRegion(), QRegion(0, 0, 200, 200));
        QCOMPARE(canvas.pixel(50, 100), black);
        QCOMPARE(canvas.pixel(170, 100), black); // under the head
        QCOMPARE(canvas.pixel(179, 99), white);
        QCOMPARE(canvas.pixel(179, 100), white);
        QCOMPARE(canvas.pixel(179, 101), white);
    }

    void clipIsRestored()
    {
        Canvas canvas;
        const QRegion before(10, 10, 150, 150);
        canvas.painter.setClipRegion(before);
        const QPoint clip[5] = { { 20, 20 }, { 60, 20 }, { 60, 60 }, { 20, 60 }, { 20, 20 } };
        QRegion saved;
        QVERIFY(canvas.context.clipOutArrowheads(nullptr, 0, clip, 5, 3, saved));
        QVERIFY(!canvas.painter.clipRegion().contains(QPoint(40, 40)));
        QVERIFY(canvas.painter.clipRegion().contains(QPoint(100, 100)));
        QVERIFY(!canvas.painter.clipRegion().contains(QPoint(5, 5)));
        canvas.context.restoreArrowClip(saved);
        QCOMPARE(canvas.painter.clipRegion(), before);
    }

    void arrowheadFills_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("penColor");
        QTest::addColumn<QRgb>("outline");
        QTest::addColumn<QRgb>("inside");
        QTest::newRow("hollow on red is white") << 1 << 0 << 4 << red << white;
        QTest::newRow("hollow on black is white") << 1 << 0 << 0 << black << white;
        QTest::newRow("hollow on default colour is white") << 1 << 0 << -1 << black << white;
        QTest::newRow("hollow on white is white") << 1 << 0 << 7 << white << white;
        QTest::newRow("filled on red is red") << 1 << 1 << 4 << red << red;
        QTest::newRow("stick arrow is not filled") << 0 << 0 << 4 << red << grey;
        QTest::newRow("bad row is the stick arrow") << 77 << 0 << 4 << red << grey;
    }
    void arrowheadFills()
    {
        QFETCH(int, type);
        QFETCH(int, style);
        QFETCH(int, penColor);
        QFETCH(QRgb, outline);
        QFETCH(QRgb, inside);
        Canvas canvas(grey);
        auto line = lineOf({ { 0, 1500 }, { 2700, 1500 } }, 1);
        line->penColor = penColor;
        line->forwArrow = arrowOf(type, style, 1);
        canvas.context.addLinePoints(line.get());
        ArrowPolygons forward, backward;
        canvas.context.computeArrowheads(line.get(), 2, pointBuffer.points, pointBuffer.count, 0, forward, backward);
        canvas.context.drawArrowhead(line.get(), line->forwArrow, forwardArrowOutline.points, forwardArrowOutline.count,
            forward.fill, forward.fillCount, 3);
        const QPoint barb = forwardArrowOutline.points[0];
        QCOMPARE(canvas.pixel(barb.x(), barb.y()), outline);
        QCOMPARE(canvas.pixel(140, 100), inside);
    }

    void halfFilledArrowhead()
    {
        Canvas canvas(grey);
        auto line = lineOf({ { 0, 1500 }, { 2700, 1500 } }, 1);
        line->penColor = 4;
        line->forwArrow = arrowOf(9, 0, 1);
        canvas.context.addLinePoints(line.get());
        ArrowPolygons forward, backward;
        canvas.context.computeArrowheads(line.get(), 2, pointBuffer.points, pointBuffer.count, 0, forward, backward);
        QCOMPARE(forward.fillCount, 3);
        canvas.context.drawArrowhead(line.get(), line->forwArrow, forwardArrowOutline.points, forwardArrowOutline.count,
            forward.fill, forward.fillCount, 3);
        // Style 0 fills the half on the negative across side (above the line
        // going right), the other half stays white.
        QCOMPARE(canvas.pixel(140, 95), red);
        QCOMPARE(canvas.pixel(140, 105), white);
    }

    void noArrowheadOnWidthZero()
    {
        Canvas canvas;
        auto line = lineOf({ { 0, 1500 }, { 2700, 1500 } }, 0);
        line->forwArrow = arrowOf(1, 1, 1);
        canvas.context.addLinePoints(line.get());
        ArrowPolygons forward, backward;
        canvas.context.computeArrowheads(line.get(), 2, pointBuffer.points, pointBuffer.count, 0, forward, backward);
        canvas.context.drawArrowhead(line.get(), line->forwArrow, forwardArrowOutline.points, forwardArrowOutline.count,
            forward.fill, forward.fillCount, 3);
        QCOMPARE(canvas.count(black), 0);
    }
};

TAVREL_TEST_MAIN(TestPrimitives)
#include "tst_primitives.moc"
