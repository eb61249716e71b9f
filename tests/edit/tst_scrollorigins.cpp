// The scroll origins of the zoom commands on a real document window: the
// origin that centres a Fig point, and the origin after a zoom change that
// keeps the middle of the visible canvas where it was; neither scrolls
// before the start of the canvas.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/testenv.h"

#include <cstdlib>

class TestScrollOrigins : public QObject {
    Q_OBJECT

private slots:
    void centred_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<bool>("clamped");
        QTest::newRow("far point, zoom 1") << QPoint(60000, 45000) << 1.0f << false;
        QTest::newRow("far point, zoom 2.5") << QPoint(60000, 45000) << 2.5f << false;
        QTest::newRow("far point, zoom 0.5") << QPoint(90000, 90000) << 0.5f << false;
        QTest::newRow("the start of the canvas") << QPoint(0, 0) << 1.0f << true;
        QTest::newRow("near the start at a small zoom") << QPoint(3000, 3000) << 0.25f << true;
    }
    void centred()
    {
        QFETCH(QPoint, point);
        QFETCH(float, zoom);
        QFETCH(bool, clamped);
        editsession::run(QByteArray(), [&](QTMainFrm&, QTChildFrm& document) {
            CFigContext* ctx = document.figContext;
            ctx->zoom = zoom;
            int ox = -1;
            int oy = -1;
            ctx->centeredScrollOrigin(ox, oy, point.x(), point.y(), zoom);
            if (clamped) {
                QCOMPARE(QPoint(ox, oy), QPoint(0, 0));
                return;
            }
            ctx->originX = ox;
            ctx->originY = oy;
            // The point lands within a pixel of the middle.
            QVERIFY(std::abs(ctx->figToPixelX(point.x()) - document.visibleWidth() / 2) <= 1);
            QVERIFY(std::abs(ctx->figToPixelY(point.y()) - document.visibleHeight() / 2) <= 1);
        });
    }

    void zoomed_data()
    {
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<float>("oldZoom");
        QTest::addColumn<float>("newZoom");
        QTest::addColumn<bool>("clamped");
        QTest::newRow("zoom in") << QPoint(2000, 1500) << 1.0f << 1.1f << false;
        QTest::newRow("zoom out") << QPoint(2000, 1500) << 1.0f << 0.5f << false;
        QTest::newRow("zoom in from a large zoom") << QPoint(40000, 30000) << 4.0f << 8.0f << false;
        QTest::newRow("zoom out at the start") << QPoint(0, 0) << 1.0f << 0.91f << true;
        QTest::newRow("zoom out far near the start") << QPoint(100, 100) << 1.0f << 0.1f << true;
    }
    void zoomed()
    {
        QFETCH(QPoint, origin);
        QFETCH(float, oldZoom);
        QFETCH(float, newZoom);
        QFETCH(bool, clamped);
        editsession::run(QByteArray(), [&](QTMainFrm&, QTChildFrm& document) {
            CFigContext* ctx = document.figContext;
            const int w = document.visibleWidth();
            const int h = document.visibleHeight();
            ctx->zoom = oldZoom;
            ctx->originX = origin.x();
            ctx->originY = origin.y();
            const int middleX = ctx->pixelToFigX(w / 2);
            const int middleY = ctx->pixelToFigY(h / 2);
            int ox = -1;
            int oy = -1;
            ctx->scrollOriginForZoom(ox, oy, origin.x(), origin.y(), oldZoom, newZoom);
            if (clamped) {
                QCOMPARE(QPoint(ox, oy), QPoint(0, 0));
                return;
            }
            ctx->zoom = newZoom;
            ctx->originX = ox;
            ctx->originY = oy;
            // The Fig point in the middle stays within two pixels of it.
            QVERIFY2(std::abs(ctx->figToPixelX(middleX) - w / 2) <= 2, qPrintable(QString::number(ox)));
            QVERIFY2(std::abs(ctx->figToPixelY(middleY) - h / 2) <= 2, qPrintable(QString::number(oy)));
        });
    }
};

TAVREL_TEST_MAIN(TestScrollOrigins)
#include "tst_scrollorigins.moc"
