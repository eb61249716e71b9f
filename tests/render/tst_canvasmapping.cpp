#include "model/figcontext.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "support/testenv.h"

#include <climits>

class TestCanvasMapping : public QObject {
    Q_OBJECT
private slots:
    void figToPixelCases_data()
    {
        QTest::addColumn<float>("dpi");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("origin");
        QTest::addColumn<int>("fig");
        QTest::addColumn<int>("pixel");
        QTest::newRow("80 dpi, one inch") << 80.0f << 1.0f << 0 << 1200 << 80;
        QTest::newRow("80 dpi, half an inch") << 80.0f << 1.0f << 0 << 600 << 40;
        QTest::newRow("zoom 2, origin 10") << 80.0f << 2.0f << 10 << 15 << -8;
        // 73.5 exactly in single precision, rounded away from zero; the
        // double-precision formula gives 73.4999... and 73.
        QTest::newRow("single precision 74 not 73") << 72.0f << 0.7f << 0 << 1750 << 74;
        QTest::newRow("half rounds away from zero") << 120.0f << 1.0f << 0 << 25 << 3;
        QTest::newRow("negative half away from zero") << 120.0f << 1.0f << 0 << -25 << -3;
        QTest::newRow("negative Fig coordinate") << 80.0f << 1.0f << 0 << -1200 << -80;
        QTest::newRow("origin scrolled right") << 80.0f << 1.0f << 100 << 1200 << -20;
        QTest::newRow("negative origin") << 80.0f << 1.0f << -50 << 1200 << 130;
        QTest::newRow("zoom 99.99") << 80.0f << 99.99f << 0 << 12000 << 79992;
        QTest::newRow("zoom 0.01") << 80.0f << 0.01f << 0 << 120000 << 80;
        QTest::newRow("far off saturates") << 80.0f << 99.99f << -10 << 2000000000 << INT_MAX;
        QTest::newRow("far off negative saturates") << 80.0f << 99.99f << 10 << -2000000000 << INT_MIN;
    }
    void figToPixelCases()
    {
        QFETCH(float, dpi);
        QFETCH(float, zoom);
        QFETCH(int, origin);
        QFETCH(int, fig);
        QFETCH(int, pixel);
        QCOMPARE(figToPixel(fig, dpi, zoom, origin), pixel);
    }

    void doublePrecisionWouldDiffer()
    {
        // The case above only proves the order when the same formula in
        // double precision (with the float zoom) lands below the half.
        const double zoom = 0.7f;
        QCOMPARE(roundToInt((1.0 / (1200.0 / 72.0)) * zoom * 1750), 73);
    }

    void pixelToFigCases_data()
    {
        QTest::addColumn<float>("dpi");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("origin");
        QTest::addColumn<int>("pixel");
        QTest::addColumn<int>("fig");
        QTest::newRow("80 dpi back to one inch") << 80.0f << 1.0f << 0 << 80 << 1200;
        QTest::newRow("80 dpi back to half an inch") << 80.0f << 1.0f << 0 << 40 << 600;
        QTest::newRow("negative pixel counts as 0") << 80.0f << 1.0f << 0 << -5 << 0;
        QTest::newRow("negative pixel plus origin") << 80.0f << 1.0f << 100 << -5 << 1500;
        QTest::newRow("origin at zoom 2") << 80.0f << 2.0f << 10 << 0 << 75;
        QTest::newRow("72 dpi zoom 0.7") << 72.0f << 0.7f << 0 << 74 << 1762;
        QTest::newRow("zoom 99.99") << 80.0f << 99.99f << 0 << 1000 << 150;
        QTest::newRow("huge pixel saturates") << 80.0f << 1.0f << 100 << INT_MAX << INT_MAX;
    }
    void pixelToFigCases()
    {
        QFETCH(float, dpi);
        QFETCH(float, zoom);
        QFETCH(int, origin);
        QFETCH(int, pixel);
        QFETCH(int, fig);
        QCOMPARE(pixelToFig(pixel, dpi, zoom, origin), fig);
    }

    void contextUsesItsOwnAxes()
    {
        CFigContext context;
        context.dpiX = 80.0f;
        context.dpiY = 72.0f;
        context.zoom = 0.7f;
        context.originX = 3;
        context.originY = 0;
        QCOMPARE(context.figToPixelY(1750), 74);
        QCOMPARE(context.figToPixelX(1200), 56 - 3);
        QCOMPARE(context.figToPixelPoint(1200, 1750), QPoint(53, 74));
        QCOMPARE(context.pixelToFigX(53), 1200);
        QCOMPARE(context.pixelToFigY(74), 1762);
        QCOMPARE(context.canvasScaleX(), canvasScale(80.0f, 0.7f));
        QCOMPARE(context.canvasScaleY(), canvasScale(72.0f, 0.7f));
    }
};

TAVREL_TEST_MAIN(TestCanvasMapping)
#include "tst_canvasmapping.moc"
