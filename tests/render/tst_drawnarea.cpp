// The area an object may paint, by which redraws leave out what cannot
// reach the redrawn part of the canvas: every pixel an object paints lies
// inside it, at every zoom, with antialiasing; and moving the pixels of an
// image, by which a scrolled canvas keeps what it has drawn.

#include "app/preferences.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "render/colors.h"
#include "render/drawnarea.h"
#include "render/fonts.h"
#include "render/imagescroll.h"
#include "render/pens.h"
#include "render/pointbuffer.h"
#include "render/resources.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

// Header of a Fig 3.2 file in inches, 1200 units an inch.
QByteArray figFile(const QByteArray& objects)
{
    return QByteArrayLiteral("#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n") + objects;
}

// The box of the pixels that are not white; null when there are none.
QRect paintedPixels(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] != 0xffffffff)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

class TestDrawnArea : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        initDefaultColors();
        loadFillPatterns();
        installFontSubstitutions();
    }
    void init()
    {
        preferences = Preferences();
        resetPointBuffer();
    }

    // Objects whose paint reaches furthest past their points: a sharp
    // miter zigzag with large heads, an interpolating spline that swings
    // out, an arc and a turned ellipse with thick outlines, large italic
    // texts, turned and aligned right, and a compound.
    void everyPaintedPixelLiesInside_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<float>("zoom");
        const QList<QPair<const char*, QByteArray>> objects = {
            { "miter zigzag with heads",
                "2 1 0 8 0 7 50 -1 -1 0.000 0 0 -1 1 1 4\n"
                "\t 2 1 8.00 600.00 900.00\n"
                "\t 3 0 8.00 600.00 900.00\n"
                "\t 3000 3000 9000 3300 3000 3600 9000 6000\n" },
            { "interpolating spline with a head",
                "3 4 0 6 0 7 50 -1 -1 0.000 0 1 0 5\n"
                "\t 1 1 4.00 300.00 600.00\n"
                "\t 3000 6000 4200 3000 5400 9000 6600 3000 7800 6000\n"
                "\t 0.000 -1.000 -1.000 -1.000 0.000\n" },
            { "arc with heads",
                "5 1 0 10 0 7 50 -1 -1 0.000 1 1 1 1 6000.000 6000.000 3600 6000 6000 3600 8400 6000\n"
                "\t 1 1 6.00 450.00 600.00\n"
                "\t 2 0 6.00 450.00 600.00\n" },
            { "turned ellipse", "1 1 0 12 0 2 50 -1 20 0.000 1 0.7000 6000 6000 3000 900 6000 6000 9000 6900\n" },
            { "turned italic text", "4 0 0 50 -1 33 72 1.2000 4 900 4000 6000 6000 Wffj quality\\001\n" },
            { "right-aligned bold text", "4 2 0 50 -1 3 48 0.0000 4 600 3000 8000 6000 Tf-VAWy\\001\n" },
            { "compound",
                "6 3000 3000 9000 9000\n"
                "2 2 0 6 0 7 50 -1 20 0.000 0 0 -1 0 0 5\n"
                "\t 3000 3000 4500 3000 4500 4500 3000 4500 3000 3000\n"
                "1 3 0 4 0 7 50 -1 -1 0.000 1 0.0000 7500 7500 1500 1500 7500 7500 9000 7500\n"
                "-6\n" },
        };
        for (float zoom : { 0.25f, 1.0f, 3.0f }) {
            for (const auto& entry : objects)
                QTest::newRow(qPrintable(QStringLiteral("%1, zoom %2").arg(entry.first).arg(zoom)))
                    << entry.second << zoom;
        }
    }
    void everyPaintedPixelLiesInside()
    {
        QFETCH(QByteArray, object);
        QFETCH(float, zoom);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("object.fig"));
        writeFile(file, figFile(object));
        CFigContext context;
        context.dpiX = context.dpiY = 80.0f;
        QVERIFY(context.loadFile(file));
        QCOMPARE(int(context.drawing.objects.size()), 1);
        FigObject* drawn = context.drawing.objects.front();
        context.zoom = zoom;

        // Room all round: 12000 Fig units at the zoom, and as much again.
        const int side = roundToInt(12000.0f / 15.0f * zoom) * 2;
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        context.originX = context.originY = -side / 4;
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        context.setPainter(&painter);
        context.drawAllObjects();
        painter.end();
        context.setPainter(nullptr);

        const QRect painted = paintedPixels(image);
        QVERIFY(!painted.isNull());
        QVERIFY2(painted.left() > 0 && painted.top() > 0 && painted.right() < side - 1 && painted.bottom() < side - 1,
            "the object fits the image");
        int xmin = 0;
        int ymin = 0;
        int xmax = 0;
        int ymax = 0;
        drawnArea(&context, drawn, xmin, ymin, xmax, ymax);
        // The Fig extent of the painted pixels, each pixel whole.
        const int left = pixelToFigUnclamped(painted.left(), context.dpiX, zoom, context.originX);
        const int top = pixelToFigUnclamped(painted.top(), context.dpiY, zoom, context.originY);
        const int right = pixelToFigUnclamped(painted.right() + 1, context.dpiX, zoom, context.originX);
        const int bottom = pixelToFigUnclamped(painted.bottom() + 1, context.dpiY, zoom, context.originY);
        QVERIFY2(xmin <= left && ymin <= top && xmax >= right && ymax >= bottom,
            qPrintable(QStringLiteral("area %1 %2 %3 %4, painted %5 %6 %7 %8")
                           .arg(xmin)
                           .arg(ymin)
                           .arg(xmax)
                           .arg(ymax)
                           .arg(left)
                           .arg(top)
                           .arg(right)
                           .arg(bottom)));

        // Areas beside the painted pixels are missed, areas on them met.
        QVERIFY(objectMayPaintIn(&context, drawn, { left, top, left + 1, top + 1 }));
        QVERIFY(objectMayPaintIn(&context, drawn, { right - 1, bottom - 1, right, bottom }));
        QVERIFY(!objectMayPaintIn(&context, drawn, { xmax + 1, ymin, xmax + 500, ymax }));
        QVERIFY(!objectMayPaintIn(&context, drawn, { xmin, ymax + 1, xmax, ymax + 500 }));
        QVERIFY(!objectMayPaintIn(&context, drawn, { xmin - 500, ymin, xmin - 1, ymax }));
        QVERIFY(!objectMayPaintIn(&context, drawn, { xmin, ymin - 500, xmax, ymin - 1 }));
    }

    void scrollImageMovesEveryPixel_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::newRow("down") << 0 << 3;
        QTest::newRow("up") << 0 << -5;
        QTest::newRow("right") << 4 << 0;
        QTest::newRow("left") << -7 << 0;
        QTest::newRow("down right") << 6 << 2;
        QTest::newRow("up left") << -3 << -9;
        QTest::newRow("up right") << 8 << -1;
        QTest::newRow("down left") << -2 << 11;
        QTest::newRow("none") << 0 << 0;
    }
    void scrollImageMovesEveryPixel()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QImage image(23, 17, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 10, y * 10, 7));
        const QImage before = image.copy();
        scrollImage(image, dx, dy);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int sx = x - dx;
                const int sy = y - dy;
                // Uncovered pixels keep what they had.
                const bool moved = sx >= 0 && sx < image.width() && sy >= 0 && sy < image.height();
                const QRgb expected = moved ? before.pixel(sx, sy) : before.pixel(x, y);
                QCOMPARE(image.pixel(x, y), expected);
            }
        }
    }

    void scrollImageByItsSizeChangesNothing()
    {
        QImage image(10, 8, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::red);
        image.setPixel(0, 0, qRgb(1, 2, 3));
        const QImage before = image.copy();
        scrollImage(image, 10, 0);
        scrollImage(image, 0, -8);
        QCOMPARE(image, before);
        QImage none;
        scrollImage(none, 1, 1);
        QVERIFY(none.isNull());
    }
};

TAVREL_TEST_MAIN(TestDrawnArea)
#include "tst_drawnarea.moc"
