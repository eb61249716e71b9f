// Thick outlines at high zoom: every pixel of a view is the one the whole
// outline, stroked and clipped by Qt alone, gives; and the region of a
// polygon far larger than the painted area is, within that area, the one
// Qt makes of the whole polygon.
#include "drawingfixtures.h"
#include "model/figcontext.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "render/clippedstroke.h"
#include "render/colors.h"
#include "render/pens.h"
#include "support/testenv.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <QVector>

#include <algorithm>
#include <cstdlib>

namespace {

const char* const header = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n";

// The objects, one Fig object each (with its arrow lines and points).
struct Shape {
    const char* name;
    const char* fig;
};

const Shape shapes[] = {
    { "dashed circle 75", "1 3 1 75 0 7 50 -1 -1 10.000 1 0.0000 3000 3000 30 30 3000 3000 3030 3000\n" },
    { "solid circle 75", "1 3 0 75 0 7 50 -1 -1 0.000 1 0.0000 3000 3000 30 30 3000 3000 3030 3000\n" },
    { "dotted ellipse 50", "1 1 2 50 0 7 50 -1 -1 0.500 1 0.3000 3000 3000 600 300 3000 3000 3600 3300\n" },
    { "dashed circle 10 large", "1 3 1 10 0 7 50 -1 -1 0.500 1 0.0000 5000 5000 3000 3000 5000 5000 8000 5000\n" },
    { "solid arc 10", "5 1 0 10 0 7 50 -1 -1 0.000 0 0 0 0 3000.000 3000.000 2970 3000 3000 2970 3030 3000\n" },
    { "dashed arc 10", "5 1 1 10 0 7 50 -1 -1 0.500 0 1 0 0 3000.000 3000.000 2970 3000 3000 2970 3030 3000\n" },
    { "dotted arc 100 arrows",
        "5 1 2 100 0 7 50 -1 -1 4.000 1 0 1 1 9000.000 9000.000 8400 9000 9000 8400 9600 9000\n"
        "\t2 1 4.00 1200.00 2400.00\n\t1 0 4.00 1200.00 2400.00\n" },
    { "polyline 50 start arrow",
        "2 1 0 50 0 7 50 -1 -1 0.000 0 0 -1 0 1 3\n\t1 1 4.00 900.00 1800.00\n\t 8000 8000 9000 8400 9600 10000\n" },
    { "dashed polyline 100 arrows",
        "2 1 1 100 0 7 50 -1 -1 99.990 0 2 -1 1 1 4\n\t1 1 4.00 1200.00 2400.00\n\t3 0 4.00 1200.00 2400.00\n"
        "\t 7000 9000 13000 9300 13000 12000 8000 12500\n" },
    { "spline 91 arrows",
        "3 4 0 91 0 7 50 -1 -1 0.000 0 1 1 4\n\t1 1 4.00 1000.00 2000.00\n\t2 0 4.00 1000.00 2000.00\n"
        "\t 8000 9000 8600 8400 9400 9600 10000 9000\n\t 0.000 1.000 1.000 0.000\n" },
    { "dashed rounded box 20",
        "2 4 1 20 0 7 50 -1 -1 4.000 0 0 12 0 0 5\n\t 2000 2000 4000 2000 4000 3500 2000 3500 2000 2000\n" },
    { "filled polygon 60",
        "2 3 0 60 0 4 50 -1 45 0.000 1 0 -1 0 0 5\n\t 2000 2000 4200 2300 3800 3900 2300 3400 2000 2000\n" },
};

// The zooms: at 100 %, at 2000 % and the highest the zoom box takes.
const float zooms[] = { 1.0f, 20.0f, 99.99f };

// Views of this size are small enough for Qt to stroke whole outlines into
// quickly at every zoom, which gives the reference.
constexpr int viewWidth = 72;
constexpr int viewHeight = 48;
// Views along each axis of the object's drawn area; at the highest zoom
// only its corners, since there each reference view strokes the whole
// outline, which takes a thick spline a minute in the test build.
constexpr int viewsPerAxis = 3;
constexpr int viewsPerAxisAtHighest = 2;

struct Document {
    QTemporaryDir dir;
    CFigContext context;

    explicit Document(const char* object)
        : loaded(drawingfixtures::loadFigText(context, dir, QByteArray(header) + object))
    {
    }
    bool loaded = false;

    // The document drawn into a view whose upper left corner is the canvas
    // pixel (x, y); outlines whole unless clipped, arrowhead clips whole
    // unless regionsClipped.
    QImage view(int x, int y, bool antialiased, bool clipped, bool regionsClipped)
    {
        QImage image(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        context.originX = x;
        context.originY = y;
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
        context.setPainter(&painter);
        setOutlineClipping(clipped);
        setRegionClipping(regionsClipped);
        context.drawAllObjects();
        setOutlineClipping(true);
        setRegionClipping(true);
        context.setPainter(nullptr);
        return image;
    }
};

// How many pixels differ, and by how many levels at most in any channel.
int differingPixels(const QImage& a, const QImage& b, int* levels = nullptr)
{
    int n = 0;
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            n += p != q;
            most = std::max(
                { most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)) });
        }
    }
    if (levels)
        *levels = most;
    return n;
}

} // namespace

class TestHighZoom : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initDefaultColors();
        loadFillPatterns();
    }

    void viewsEqualTheWholeOutline_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<bool>("antialiased");
        for (int s = 0; s < int(sizeof shapes / sizeof *shapes); ++s)
            for (float zoom : zooms)
                for (bool antialiased : { false, true })
                    QTest::addRow("%s at %g%s", shapes[s].name, double(zoom) * 100, antialiased ? " smooth" : "")
                        << s << zoom << antialiased;
    }

    // Views spread over the object's drawn area (its edges, its inside, the
    // arrowheads' tips) are compared pixel for pixel at 100 % and 2000 %. At
    // the highest zoom the arrowhead clips of the whole drawing take Qt
    // minutes to make (the regions are compared on their own below); and
    // the whole outline is itself only right to rounding there: Qt cuts
    // outlines wider than 32767 pixels and steps over the dashes of far-off
    // parts by a shortcut, and the reduced outline splits the pieces of pens
    // thousands of pixels wide, each to 1/64 pixel. A few edge pixels may
    // then differ.
    void viewsEqualTheWholeOutline()
    {
        QFETCH(int, shape);
        QFETCH(float, zoom);
        QFETCH(bool, antialiased);
        const bool highest = zoom == zooms[2];
        Document document(shapes[shape].fig);
        QVERIFY(document.loaded);
        CFigContext& context = document.context;
        context.zoom = zoom;
        int xmin = 0;
        int ymin = 0;
        int xmax = 0;
        int ymax = 0;
        context.getObjectListBounds(&context.drawing.objects, xmin, ymin, xmax, ymax, false, true, true);
        const int px0 = figToPixel(xmin, context.dpiX, zoom, 0) - viewWidth / 2;
        const int py0 = figToPixel(ymin, context.dpiY, zoom, 0) - viewHeight / 2;
        const int px1 = figToPixel(xmax, context.dpiX, zoom, 0) - viewWidth / 2;
        const int py1 = figToPixel(ymax, context.dpiY, zoom, 0) - viewHeight / 2;
        // Views that show some of the object: the comparison is not one of
        // blank views only.
        int inked = 0;
        QImage blank(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
        blank.fill(Qt::white);
        const int views = highest ? viewsPerAxisAtHighest : viewsPerAxis;
        for (int i = 0; i < views; ++i) {
            for (int j = 0; j < views; ++j) {
                const int x = px0 + int((std::int64_t(px1) - px0) * i / (views - 1));
                const int y = py0 + int((std::int64_t(py1) - py0) * j / (views - 1));
                const QImage reduced = document.view(x, y, antialiased, true, true);
                const QImage whole = document.view(x, y, antialiased, false, !highest);
                int levels = 0;
                const int differing = differingPixels(reduced, whole, &levels);
                QVERIFY2(highest ? differing <= viewWidth * viewHeight / 50 : differing == 0,
                    qPrintable(QStringLiteral("view at (%1, %2): %3 pixels differ by up to %4 levels")
                                   .arg(x)
                                   .arg(y)
                                   .arg(differing)
                                   .arg(levels)));
                inked += differingPixels(reduced, blank) > 0;
            }
        }
        // A pen far wider than the circle it goes round leaves nothing in Qt's
        // winding rule: only the views at 100 % must show the object.
        QVERIFY(inked > 0 || zoom > 1.0f);
    }

    void polygonRegionsEqualWithinThePaintedArea_data()
    {
        QTest::addColumn<QVector<QPoint>>("polygon");
        QTest::addColumn<QRect>("painted");
        const QRect window(0, 0, 400, 300);
        // An arrowhead clip at a high zoom: a narrow wedge tens of thousands
        // of pixels long through the window, and the same beside it.
        const QVector<QPoint> wedge { { -40000, -900 }, { 30000, 150 }, { 30000, 170 }, { -40000, 1200 },
            { -39000, 160 } };
        QTest::newRow("wedge across") << wedge << window;
        QTest::newRow("wedge in a strip") << wedge << QRect(0, 140, 400, 40);
        QTest::newRow("wedge beside") << wedge << QRect(0, 1500, 400, 300);
        // A star of long spikes whose edges pass the corners of the window.
        QTest::newRow("star") << QVector<QPoint> { { 200, -50000 }, { 260, 100 }, { 50000, 150 }, { 260, 200 },
            { 200, 50000 }, { 140, 200 }, { -50000, 150 }, { 140, 100 } }
                              << window;
        // A window inside the polygon, and one the polygon winds round.
        QTest::newRow("around") << QVector<QPoint> { { -30000, -30000 }, { 30000, -29000 }, { 29000, 30000 },
            { -30000, 31000 } } << window;
        QTest::newRow("ring") << QVector<QPoint> { { -30000, -30000 }, { 30000, -30000 }, { 30000, 30000 },
            { -30000, 30000 }, { -30000, -30000 }, { 1000, 1000 }, { 1000, 20000 }, { 20000, 20000 }, { 20000, 1000 },
            { 1000, 1000 } } << window;
        // Small enough to be made whole.
        QTest::newRow("small") << QVector<QPoint> { { 10, 10 }, { 300, 40 }, { 120, 280 } } << window;
    }

    void polygonRegionsEqualWithinThePaintedArea()
    {
        QFETCH(QVector<QPoint>, polygon);
        QFETCH(QRect, painted);
        QImage image(400, 2000, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        painter.setClipRect(painted);
        const QRegion reduced = polygonRegion(&painter, polygon.constData(), polygon.size());
        const QRegion whole { QPolygon(polygon) };
        QCOMPARE(reduced & painted, whole & painted);
        QCOMPARE((whole & painted).isEmpty(), QTest::currentDataTag() == QByteArray("wedge beside"));
    }
};

TAVREL_TEST_MAIN(TestHighZoom)
#include "tst_highzoom.moc"
