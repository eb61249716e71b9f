// The pixel regions of the drag layer: where a canvas is not plain
// background (each pixel that is not must be found, or a picture taken from
// the canvas would carry it along), and the strips drawn around a region.
#include "edit/canvasregions.h"
#include "support/testenv.h"

#include <QImage>
#include <QPainter>

Q_DECLARE_METATYPE(QRegion)

class TestCanvasRegions : public QObject {
    Q_OBJECT
private slots:
    // Each row: what is painted on white, the runs joined when fewer than
    // `join` pixels apart, the most runs allowed and what is found.
    void unplainPixelsFound_data()
    {
        QTest::addColumn<QVector<QRect>>("painted");
        QTest::addColumn<int>("join");
        QTest::addColumn<int>("maxRuns");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QRegion>("expected");
        QTest::newRow("plain") << QVector<QRect> {} << 0 << 10 << true << QRegion();
        QTest::newRow("corners and edges")
            << QVector<QRect> { QRect(0, 0, 1, 1), QRect(39, 0, 1, 1), QRect(0, 29, 40, 1) } << 0 << 10 << true
            << (QRegion(0, 0, 1, 1) + QRegion(39, 0, 1, 1) + QRegion(0, 29, 40, 1));
        QTest::newRow("dots of a row joined")
            << QVector<QRect> { QRect(2, 5, 1, 1), QRect(5, 5, 1, 1), QRect(8, 5, 2, 1) } << 3 << 10 << true
            << QRegion(2, 5, 8, 1);
        QTest::newRow("dots too far apart") << QVector<QRect> { QRect(2, 5, 1, 1), QRect(7, 5, 1, 1) } << 3 << 10
                                            << true << (QRegion(2, 5, 1, 1) + QRegion(7, 5, 1, 1));
        QTest::newRow("one run too many") << QVector<QRect> { QRect(2, 5, 1, 1), QRect(2, 7, 1, 1), QRect(2, 9, 1, 1) }
                                          << 0 << 2 << false << QRegion();
    }
    void unplainPixelsFound()
    {
        QFETCH(QVector<QRect>, painted);
        QFETCH(int, join);
        QFETCH(int, maxRuns);
        QFETCH(bool, found);
        QFETCH(QRegion, expected);
        QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            for (const QRect& rect : painted)
                painter.fillRect(rect, QColor(0, 0, 0, 128));
        }
        QRegion out(0, 0, 1, 1);
        QCOMPARE(unplainPixels(image, qRgb(255, 255, 255), join, maxRuns, out), found);
        QCOMPARE(out, expected);
    }

    // A dotted line becomes one strip along it; two lines that cross stay
    // two strips, not the box around both; every piece is covered with the
    // margins around it, which may differ side by side (a strip reaching
    // ahead of a motion).
    void stripsCoverTheRegion()
    {
        QRegion dotted;
        for (int y = 0; y < 100; y += 2)
            dotted += QRect(50, y, 1, 1);
        const std::vector<QRect> alongDots = stripsAround(dotted, QMargins(4, 4, 4, 4));
        QCOMPARE(alongDots.size(), size_t(1));
        QCOMPARE(alongDots.front(), QRect(46, -4, 9, 107));

        const QRegion cross = QRegion(50, 0, 1, 100) + QRegion(0, 50, 100, 1);
        const std::vector<QRect> strips = stripsAround(cross, QMargins(4, 4, 4, 4));
        QCOMPARE(strips.size(), size_t(2));
        QRegion covered;
        std::int64_t pixels = 0;
        for (const QRect& strip : strips) {
            covered += strip;
            pixels += std::int64_t(strip.width()) * strip.height();
        }
        for (const QRect& piece : cross)
            QVERIFY(covered.contains(piece.adjusted(-4, -4, 4, 4)));
        QVERIFY(pixels < 108 * 108 / 2);

        const std::vector<QRect> ahead = stripsAround(cross, QMargins(30, 2, 1, 2));
        QCOMPARE(ahead.size(), size_t(2));
        covered = QRegion();
        for (const QRect& strip : ahead)
            covered += strip;
        for (const QRect& piece : cross)
            QVERIFY(covered.contains(piece.adjusted(-30, -2, 1, 2)));
        QVERIFY(!covered.contains(QPoint(52, 10)));
    }
};

TAVREL_TEST_MAIN(TestCanvasRegions)
#include "tst_canvasregions.moc"
