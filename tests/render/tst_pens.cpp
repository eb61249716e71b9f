#include "drawingfixtures.h"
#include "edit/canvashandlers.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/resources.h"
#include "support/testenv.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cmath>

namespace {

QString hex(QRgb rgb)
{
    return QStringLiteral("%1").arg(rgb & 0xffffff, 6, 16, QLatin1Char('0'));
}

QImage patternImage(int i)
{
    return QImage(QStringLiteral(":/patterns/images/patterns/pattern%1.png").arg(i))
        .convertToFormat(QImage::Format_RGB32);
}

void noteMove(CFigContext*, int, int)
{
}
void noteSelectionMove(CFigContext*, FigObjectList*, int, int)
{
}
void noteElastic(CFigContext*, int, int, int, int)
{
}
void noteReturn()
{
}

// A window-less document at 80 dots per inch drawing on a white image.
struct Canvas : drawingfixtures::Canvas {
    explicit Canvas(int width = 100, int height = 100)
        : drawingfixtures::Canvas(width, height)
        , ctx(context)
    {
    }
    // The colour without its alpha.
    QRgb pixel(int x, int y) { return drawingfixtures::Canvas::pixel(x, y) & 0xffffff; }

    CFigContext& ctx;
};

QPolygon square(int x, int y, int side)
{
    return QPolygon({ QPoint(x, y), QPoint(x + side, y), QPoint(x + side, y + side), QPoint(x, y + side) });
}

} // namespace

class TestPens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        initDefaultColors();
        loadFillPatterns();
    }

    void scaledLineWidth_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<float>("dpi");
        QTest::addColumn<int>("expected");
        QTest::newRow("1 at zoom 1") << 1 << 1.0f << 80.0f << 1;
        QTest::newRow("1 at zoom 0.25 is raised to 1") << 1 << 0.25f << 80.0f << 1;
        QTest::newRow("0 draws no outline") << 0 << 1.0f << 80.0f << 0;
        QTest::newRow("3 at zoom 0.5 rounds half up") << 3 << 0.5f << 80.0f << 2;
        QTest::newRow("2 at zoom 2 and 96 dpi") << 2 << 2.0f << 96.0f << 5;
        QTest::newRow("10 at 72 dpi") << 10 << 1.0f << 72.0f << 9;
        QTest::newRow("negative width") << -2 << 1.0f << 80.0f << 0;
    }
    void scaledLineWidth()
    {
        QFETCH(int, lineWidth);
        QFETCH(float, zoom);
        QFETCH(float, dpi);
        QFETCH(int, expected);
        CFigContext ctx;
        ctx.dpiX = 7.0f; // only the vertical resolution counts
        ctx.dpiY = dpi;
        QCOMPARE(ctx.scaledLineWidth(lineWidth, zoom), expected);
    }

    void dashPatterns_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("styleVal");
        QTest::addColumn<QVector<qreal>>("expected");
        const qreal dot = 0.10000000149011612; // the single-precision tenth
        QTest::newRow("solid") << 1 << 0 << 4.0f << QVector<qreal> {};
        QTest::newRow("dashed, width 2") << 2 << 1 << 4.0f << QVector<qreal> { 2, 2 };
        QTest::newRow("dashed, width 1") << 1 << 1 << 4.0f << QVector<qreal> { 4, 4 };
        QTest::newRow("dotted, width 1") << 1 << 2 << 3.0f << QVector<qreal> { 1, 3 };
        QTest::newRow("dotted, width 0 as width 1") << 0 << 2 << 3.0f << QVector<qreal> { 1, 3 };
        QTest::newRow("dotted, width 4") << 4 << 2 << 3.0f << QVector<qreal> { 0.25, 0.75 };
        QTest::newRow("dash-dot, width 1") << 1 << 3 << 4.0f << QVector<qreal> { 4, 2.12, dot, 2.12 };
        QTest::newRow("dash-dot, width 2") << 2 << 3 << 4.0f << QVector<qreal> { 2, 1.06, dot, 1.06 };
        QTest::newRow("dash-double-dot, width 1")
            << 1 << 4 << 6.0f << QVector<qreal> { 6, 2.88, dot, 1.998, dot, 2.88 };
        QTest::newRow("dash-double-dot, width 3")
            << 3 << 4 << 6.0f << QVector<qreal> { 2, 0.96, dot, 0.666, dot, 0.96 };
        QTest::newRow("dash-triple-dot, width 1")
            << 1 << 5 << 8.0f << QVector<qreal> { 8, 3.52, dot, 2.4, dot, 2.4, dot, 3.44 };
        QTest::newRow("dash-triple-dot, width 2")
            << 2 << 5 << 8.0f << QVector<qreal> { 4, 1.76, dot, 1.2, dot, 1.2, dot, 1.72 };
    }
    void dashPatterns()
    {
        QFETCH(int, lineWidth);
        QFETCH(int, style);
        QFETCH(float, styleVal);
        QFETCH(QVector<qreal>, expected);
        QPen pen(Qt::black, lineWidth);
        pen.setStyle(Qt::DotLine);
        applyLineStyle(pen, lineWidth, style, styleVal, 0);
        if (expected.isEmpty()) {
            QCOMPARE(pen.style(), Qt::SolidLine);
            return;
        }
        QCOMPARE(pen.style(), Qt::CustomDashLine);
        const QVector<qreal> pattern = pen.dashPattern();
        QCOMPARE(pattern.size(), expected.size());
        for (int i = 0; i < pattern.size(); ++i) {
            if (expected[i] == 0.10000000149011612)
                QCOMPARE(pattern[i], expected[i]); // exactly the float tenth
            else
                QVERIFY2(std::fabs(pattern[i] - expected[i]) < 1e-6,
                    qPrintable(QStringLiteral("entry %1: %2").arg(i).arg(pattern[i])));
        }
    }

    void unknownStyleKeepsPen()
    {
        QPen pen(Qt::black, 2, Qt::DashDotLine, Qt::RoundCap);
        applyLineStyle(pen, 2, 6, 4.0f, 9);
        QCOMPARE(pen.style(), Qt::DashDotLine);
        QCOMPARE(pen.capStyle(), Qt::RoundCap);
        applyEllipseLineStyle(pen, 2, -1, 4.0f, false);
        QCOMPARE(pen.style(), Qt::DashDotLine);
        QCOMPARE(pen.capStyle(), Qt::RoundCap);
    }

    // A pen of width 2 with style 1 and style value 4 at zoom 1 and 80 dots per
    // inch paints 4-pixel dashes with 4-pixel gaps.
    void dashedLineOnCanvas()
    {
        Canvas canvas(64, 8);
        const int w = canvas.ctx.scaledLineWidth(2, 1.0f);
        QPen pen(Qt::black, w);
        applyLineStyle(pen, 2, 1, 4.0f, 0);
        canvas.painter.setPen(pen);
        canvas.painter.drawLine(QPointF(0, 4), QPointF(40, 4));
        QString row;
        for (int x = 0; x < 24; ++x)
            row += canvas.pixel(x, 4) == 0 ? QLatin1Char('#') : QLatin1Char('.');
        QCOMPARE(row, QStringLiteral("####....####....####...."));
    }

    // A dash length of 0 (or one that is no positive number) draws the line
    // solid, as fig2dev does, at every zoom; the box stays whole.
    void zeroStyleValueDrawsSolid_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("styleVal");
        QTest::addColumn<float>("zoom");
        for (const float zoom : { 1.0f, 2.14f, 4.0f }) {
            for (int style = 1; style <= 5; ++style) {
                QTest::addRow("style %d, value 0, zoom %.2f", style, double(zoom)) << style << 0.0f << zoom;
                QTest::addRow("style %d, value -2, zoom %.2f", style, double(zoom)) << style << -2.0f << zoom;
            }
            QTest::addRow("dashed, value nan, zoom %.2f", double(zoom)) << 1 << float(NAN) << zoom;
        }
    }
    void zeroStyleValueDrawsSolid()
    {
        QFETCH(int, style);
        QFETCH(float, styleVal);
        QFETCH(float, zoom);
        Canvas canvas(400, 300);
        canvas.ctx.zoom = zoom;
        FigLine* box = canvas.add(drawingfixtures::boxOf(150, 150, 1350, 900));
        box->lineStyle = style;
        box->styleVal = styleVal;
        canvas.ctx.drawAllObjects();
        const int y = canvas.ctx.figToPixelY(150);
        const int x1 = canvas.ctx.figToPixelX(150);
        const int x2 = canvas.ctx.figToPixelX(1350);
        int drawn = 0;
        for (int x = x1; x <= x2; ++x)
            drawn += canvas.pixel(x, y) == 0;
        QCOMPARE(drawn, x2 - x1 + 1);
    }

    // Whatever the dash length, line width and zoom, a dashed or dotted box
    // never disappears: at least a sixteenth of its outline is painted dark
    // (at zoom 20 only 300 pixels of it lie on the canvas).
    void smallStyleValuesStayVisible_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("styleVal");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<float>("zoom");
        for (const float zoom : { 0.25f, 1.0f, 2.14f, 4.0f, 20.0f }) {
            for (const float value : { 0.001f, 0.05f, 1.0f, 8.0f }) {
                for (const int width : { 1, 2, 4 }) {
                    for (int style = 1; style <= 5; ++style)
                        QTest::addRow(
                            "style %d, value %g, width %d, zoom %.2f", style, double(value), width, double(zoom))
                            << style << value << width << zoom;
                }
            }
        }
    }
    void smallStyleValuesStayVisible()
    {
        QFETCH(int, style);
        QFETCH(float, styleVal);
        QFETCH(int, lineWidth);
        QFETCH(float, zoom);
        Canvas canvas(400, 300);
        canvas.ctx.zoom = zoom;
        FigLine* box = canvas.add(drawingfixtures::boxOf(150, 150, 1350, 900, -1, -1, 50, lineWidth));
        box->lineStyle = style;
        box->styleVal = styleVal;
        canvas.ctx.drawAllObjects();
        const QImage& image = canvas.finished();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 200;
        const int perimeter = 2
            * (canvas.ctx.figToPixelX(1350) - canvas.ctx.figToPixelX(150) + canvas.ctx.figToPixelY(900)
                - canvas.ctx.figToPixelY(150));
        QVERIFY2(dark * 16 >= qMin(perimeter, 300), qPrintable(QString::number(dark)));
    }

    void caps_data()
    {
        QTest::addColumn<int>("capStyle");
        QTest::addColumn<int>("expected");
        QTest::newRow("butt") << 0 << int(Qt::FlatCap);
        QTest::newRow("round") << 1 << int(Qt::RoundCap);
        QTest::newRow("projecting") << 2 << int(Qt::SquareCap);
        QTest::newRow("unknown keeps the cap") << 3 << int(Qt::RoundCap);
    }
    void caps()
    {
        QFETCH(int, capStyle);
        QFETCH(int, expected);
        QPen pen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap);
        applyLineStyle(pen, 1, 2, 3.0f, capStyle);
        QCOMPARE(int(pen.capStyle()), expected);
    }

    void ellipseCaps_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("roundDots");
        QTest::addColumn<int>("expectedCap");
        QTest::addColumn<int>("expectedStyle");
        QTest::newRow("solid") << 0 << true << int(Qt::FlatCap) << int(Qt::SolidLine);
        QTest::newRow("dashed") << 1 << true << int(Qt::FlatCap) << int(Qt::CustomDashLine);
        QTest::newRow("dotted") << 2 << true << int(Qt::RoundCap) << int(Qt::CustomDashLine);
        QTest::newRow("dash-triple-dot") << 5 << true << int(Qt::RoundCap) << int(Qt::CustomDashLine);
        QTest::newRow("dotted, square dots") << 2 << false << int(Qt::FlatCap) << int(Qt::CustomDashLine);
    }
    void ellipseCaps()
    {
        QFETCH(int, style);
        QFETCH(bool, roundDots);
        QFETCH(int, expectedCap);
        QFETCH(int, expectedStyle);
        QPen pen(Qt::black, 1, Qt::DotLine, Qt::SquareCap);
        applyEllipseLineStyle(pen, 1, style, 3.0f, roundDots);
        QCOMPARE(int(pen.capStyle()), expectedCap);
        QCOMPARE(int(pen.style()), expectedStyle);
        if (style == 2)
            QCOMPARE(pen.dashPattern(), (QVector<qreal> { 1, 3 }));
    }

    void joins_data()
    {
        QTest::addColumn<int>("joinStyle");
        QTest::addColumn<int>("expected");
        QTest::newRow("miter") << 0 << int(Qt::MiterJoin);
        QTest::newRow("round") << 1 << int(Qt::RoundJoin);
        QTest::newRow("bevel") << 2 << int(Qt::BevelJoin);
        QTest::newRow("unknown keeps the join") << 3 << int(Qt::SvgMiterJoin);
    }
    void joins()
    {
        QFETCH(int, joinStyle);
        QFETCH(int, expected);
        QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::SvgMiterJoin);
        applyJoinStyle(pen, joinStyle);
        QCOMPARE(int(pen.joinStyle()), expected);
        if (joinStyle == 0)
            QCOMPARE(pen.miterLimit(), 3.0);
    }

    void patternBrushesAreBitmaps()
    {
        for (int i = 0; i < patternCount; ++i) {
            const QBrush& brush = patternBrushes[i];
            QCOMPARE(brush.style(), Qt::TexturePattern);
            const QPixmap texture = brush.texture();
            QCOMPARE(texture.size(), QSize(32, 32));
            QCOMPARE(texture.depth(), 1);
            // Recolouring a copy keeps the bitmap.
            QBrush red = brush;
            red.setColor(Qt::red);
            QCOMPARE(red.texture().cacheKey(), texture.cacheKey());
        }
    }

    // The brush colour lands on the set (black) pixels of the bitmap only; the
    // others keep what was painted before. Two tiles, to see the repeat.
    void patternBrushPaintsSetPixelsOnly()
    {
        for (int i = 0; i < patternCount; ++i) {
            const QImage bits = patternImage(i);
            QVERIFY2(!bits.isNull(), qPrintable(QString::number(i)));
            int set = 0;
            Canvas canvas(64, 64);
            QBrush brush = patternBrushes[i];
            brush.setColor(Qt::red);
            canvas.painter.setPen(Qt::NoPen);
            canvas.painter.setBackgroundMode(Qt::TransparentMode);
            canvas.painter.setBrush(brush);
            canvas.painter.drawRect(0, 0, 64, 64);
            canvas.painter.end();
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    const bool isSet = (bits.pixel(x % 32, y % 32) & 0xffffff) == 0;
                    set += isSet;
                    const QRgb expected = isSet ? 0xff0000 : 0xffffff;
                    if (canvas.pixel(x, y) != expected)
                        QFAIL(qPrintable(QStringLiteral("pattern %1 at %2,%3").arg(i).arg(x).arg(y)));
                }
            }
            QVERIFY2(set > 0 && set < 64 * 64, qPrintable(QString::number(i)));
        }
    }

    // No mode is chosen at start: no slot of the handler table may answer.
    void loadFillPatternsEmptiesEveryHandler()
    {
        canvasHandlers.moveHandler = noteMove;
        canvasHandlers.selectionMoveHandler = noteSelectionMove;
        canvasHandlers.leftPressHandler = noteMove;
        canvasHandlers.leftReleaseHandler = noteMove;
        canvasHandlers.rightPressHandler = noteMove;
        canvasHandlers.pendingRightPressHandler = noteMove;
        canvasHandlers.shiftKeyHandler = noteMove;
        canvasHandlers.elasticHandler = noteElastic;
        canvasHandlers.returnHandler = noteReturn;
        loadFillPatterns();
        QVERIFY(!canvasHandlers.moveHandler);
        QVERIFY(!canvasHandlers.leftPressHandler);
        QVERIFY(!canvasHandlers.leftReleaseHandler);
        QVERIFY(!canvasHandlers.rightPressHandler);
        QVERIFY(!canvasHandlers.pendingRightPressHandler);
        QVERIFY(!canvasHandlers.selectionMoveHandler);
        QVERIFY(!canvasHandlers.shiftKeyHandler);
        QVERIFY(!canvasHandlers.elasticHandler);
        QVERIFY(!canvasHandlers.returnHandler);
        canvasHandlers = CanvasHandlers();
        QCOMPARE(patternBrushes[0].texture().size(), QSize(32, 32));
    }

    void fills_data()
    {
        QTest::addColumn<int>("penColor");
        QTest::addColumn<int>("fillColor");
        QTest::addColumn<int>("fillStyle");
        QTest::addColumn<int>("drawingStyle");
        QTest::addColumn<int>("expected"); // the colour inside, 0xRRGGBB
        QTest::newRow("full red") << 0 << 4 << 20 << 3 << 0xff0000;
        QTest::newRow("fill 0 of red is black") << 0 << 4 << 0 << 3 << 0x000000;
        QTest::newRow("fill 40 of red is white") << 0 << 4 << 40 << 3 << 0xffffff;
        QTest::newRow("tint 30 of blue") << 0 << 1 << 30 << 3 << 0x7f7fff;
        QTest::newRow("default fill colour is black's row") << 0 << -1 << 0 << 3 << 0xffffff;
        QTest::newRow("dimmed red") << 0 << 4 << 20 << 10 << 0xffcccc;
        QTest::newRow("greyed red") << 0 << 4 << 20 << 11 << 0xbfbfbf;
        QTest::newRow("no fill paints nothing") << 0 << 4 << -1 << 3 << 0xffffff;
        QTest::newRow("beyond the patterns: fill colour only") << 0 << 2 << 63 << 3 << 0x00ff00;
    }
    void fills()
    {
        QFETCH(int, penColor);
        QFETCH(int, fillColor);
        QFETCH(int, fillStyle);
        QFETCH(int, drawingStyle);
        QFETCH(int, expected);
        Canvas canvas;
        const QPolygon polygon = square(10, 10, 50);
        canvas.ctx.fillPolygon(penColor, fillColor, fillStyle, drawingStyle, polygon.constData(), polygon.size());
        QCOMPARE(hex(canvas.pixel(35, 35)), hex(QRgb(expected)));
        QCOMPARE(hex(canvas.pixel(80, 80)), hex(0xffffff));
    }

    // Area fill 41 on a red fill with a black pen: solid red with the black
    // lines of pattern 0 over it, laid on the canvas grid.
    void patternFillOverFillColour()
    {
        Canvas canvas;
        FigLine line(1);
        line.penColor = 0;
        line.fillColor = 4;
        line.fillStyle = 41;
        const QPolygon polygon = square(0, 0, 64);
        canvas.ctx.fillObjectPolygon(&line, DrawNormal, polygon.constData(), polygon.size());
        const QImage bits = patternImage(0);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const bool isSet = (bits.pixel(x % 32, y % 32) & 0xffffff) == 0;
                const QRgb expected = isSet ? 0x000000 : 0xff0000;
                if (canvas.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }

    // The odd-even rule leaves the inner square of a doubly wound outline open.
    void oddEvenFill()
    {
        Canvas canvas;
        QPolygon polygon = square(10, 10, 60);
        polygon << QPoint(10, 10) << QPoint(30, 30) << QPoint(50, 30) << QPoint(50, 50) << QPoint(30, 50)
                << QPoint(30, 30) << QPoint(10, 10);
        canvas.ctx.fillPolygon(0, 4, 20, DrawNormal, polygon.constData(), polygon.size());
        QCOMPARE(hex(canvas.pixel(20, 60)), hex(0xff0000));
        QCOMPARE(hex(canvas.pixel(40, 40)), hex(0xffffff));
    }

    void fillWithUserColour()
    {
        Canvas canvas;
        QCOMPARE(canvas.ctx.addUserColor(QColor(0x40, 0x80, 0xc0)), 0);
        const QPolygon polygon = square(10, 10, 50);
        canvas.ctx.fillPolygon(0, 32, 21, DrawNormal, polygon.constData(), polygon.size());
        QCOMPARE(hex(canvas.pixel(35, 35)), hex(0x4c8ccc));
    }

    // The painter stands at the centre; radii of 600 Fig units are 40 pixels
    // at zoom 1 and 80 dots per inch, 20 at zoom 0.5.
    void ellipseFill()
    {
        for (const float zoom : { 1.0f, 0.5f }) {
            Canvas canvas;
            canvas.ctx.zoom = zoom;
            FigEllipse ellipse(1);
            ellipse.radii.x = 600;
            ellipse.radii.y = 300;
            ellipse.fillColor = 2;
            ellipse.fillStyle = 20;
            canvas.painter.translate(50, 50);
            canvas.ctx.fillEllipse(&ellipse, DrawNormal);
            const int rx = zoom == 1.0f ? 40 : 20;
            const int ry = rx / 2;
            QCOMPARE(hex(canvas.pixel(50, 50)), hex(0x00ff00));
            QCOMPARE(hex(canvas.pixel(50 + rx - 2, 50)), hex(0x00ff00));
            QCOMPARE(hex(canvas.pixel(50 + rx + 2, 50)), hex(0xffffff));
            QCOMPARE(hex(canvas.pixel(50, 50 - ry + 2)), hex(0x00ff00));
            QCOMPARE(hex(canvas.pixel(50, 50 - ry - 2)), hex(0xffffff));
        }
    }

    // 41 swatches of one colour, each painted through the area fill of its
    // index and compared with the shade rule: value scaled by i/20 (hue and
    // saturation kept), the colour at 20, each component raised by 12.75 per
    // tint step and clamped, black and white at the ends.
    void shadeSwatches()
    {
        const int swatch = 8;
        Canvas canvas(shadeCount * swatch, swatch);
        const int r = 255, g = 215, b = 0; // Gold
        for (int i = 0; i < shadeCount; ++i) {
            const QPolygon polygon = square(i * swatch, 0, swatch);
            canvas.ctx.fillPolygon(0, 31, i, DrawNormal, polygon.constData(), polygon.size());
        }
        for (int i = 0; i < shadeCount; ++i) {
            const QRgb painted = canvas.pixel(i * swatch + swatch / 2, swatch / 2);
            QCOMPARE(painted, getShadedColor({}, 31, i, DrawNormal).rgb() & 0xffffff);
            int er, eg, eb;
            if (i <= 20) {
                const double f = i * 0.05;
                er = int(std::lround(r * f));
                eg = int(std::lround(g * f));
                eb = int(std::lround(b * f));
            } else if (i < 40) {
                er = std::min(255, int(r + 12.75 * (i - 20)));
                eg = std::min(255, int(g + 12.75 * (i - 20)));
                eb = std::min(255, int(b + 12.75 * (i - 20)));
            } else {
                er = eg = eb = 255;
            }
            // Shades are computed in single precision: allow one step there.
            const int slack = i > 0 && i < 20 ? 1 : 0;
            QVERIFY2(std::abs(qRed(painted) - er) <= slack && std::abs(qGreen(painted) - eg) <= slack
                    && std::abs(qBlue(painted) - eb) <= slack,
                qPrintable(QStringLiteral("swatch %1: %2").arg(i).arg(hex(painted))));
        }
    }

    void rubberBandPens()
    {
        QImage image(8, 8, QImage::Format_RGB32);
        QPainter painter(&image);
        setRubberBandPen(&painter, 0);
        QCOMPARE(painter.pen().color(), QColor(Qt::black));
        QCOMPARE(painter.pen().width(), 1);
        QCOMPARE(painter.pen().style(), Qt::SolidLine);
        QCOMPARE(painter.pen().capStyle(), Qt::FlatCap);
        QCOMPARE(painter.pen().joinStyle(), Qt::MiterJoin);
        QCOMPARE(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
        setDashedRubberBandPen(&painter, 1);
        QCOMPARE(painter.pen().dashPattern(), (QVector<qreal> { 3, 3 }));
        QCOMPARE(painter.pen().capStyle(), Qt::FlatCap);
        QCOMPARE(painter.compositionMode(), QPainter::RasterOp_NotSourceXorDestination);
        setDashDotRubberBandPen(&painter, 4);
        QCOMPARE(painter.pen().style(), Qt::DashDotLine);
        QCOMPARE(painter.compositionMode(), QPainter::RasterOp_NotSourceXorDestination);
        setRubberBandPen(&painter, 2);
        QCOMPARE(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
    }

    // The inverting pens turn white to black and black to white, and drawing
    // the same lines twice gives the canvas back.
    void rubberBandInverts()
    {
        QImage image(40, 40, QImage::Format_RGB32);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, qRgb(x * 6, y * 6, (x * y) & 0xff));
        image.setPixel(5, 10, qRgb(255, 255, 255));
        image.setPixel(5, 20, qRgb(0, 0, 0));
        const QImage before = image.copy();
        auto drawBands = [&image] {
            QPainter painter(&image);
            setRubberBandPen(&painter, 1);
            painter.drawLine(5, 10, 30, 10);
            setDashedRubberBandPen(&painter, 1);
            painter.drawLine(5, 20, 30, 20);
            setDashDotRubberBandPen(&painter, 1);
            painter.drawLine(3, 0, 35, 39);
        };
        drawBands();
        QCOMPARE(hex(image.pixel(5, 10)), hex(0x000000));
        QCOMPARE(hex(image.pixel(5, 20)), hex(0xffffff));
        QVERIFY(image != before);
        drawBands();
        QVERIFY(image == before);
    }
};

TAVREL_TEST_MAIN(TestPens)
#include "tst_pens.moc"
