// The document window's canvas as the view changes: opened, scrolled and
// zoomed, it shows exactly what a whole redraw of the drawing shows, and it
// gets there without drawing more than it has to.

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/figtext.h"
#include "render/drawprogress.h"
#include "render/fonts.h"
#include "support/documentwindow.h"
#include "support/editsession.h"
#include "support/mainwindowdocuments.h"
#include "support/testenv.h"

#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>
#include <cstdlib>

namespace {

// Objects spread over about 13500 x 13800 Fig units (900 x 920 pixels at
// zoom 1): a pattern-filled polygon, a thick dashed zigzag with arrowheads,
// a turned text, an arc with arrowheads, a turned filled ellipse, an
// interpolating X-spline with an arrowhead and a compound of two boxes at
// opposite sides.
// clang-format off
const QByteArray spreadObjects = QByteArrayLiteral(
    "2 3 0 3 0 4 50 -1 45 0.000 0 0 -1 0 0 5\n"
    "\t 1200 1200 4800 900 5400 3600 2400 4200 1200 1200\n"
    "2 1 1 4 1 7 40 -1 -1 4.000 0 0 -1 1 1 4\n"
    "\t 1 1 2.00 120.00 240.00\n"
    "\t 0 0 2.00 120.00 240.00\n"
    "\t 600 6000 9000 6300 600 6600 9000 8000\n"
    "4 0 0 30 -1 1 24 0.5236 4 270 2400 3000 7500 Scrolled text\\001\n"
    "5 1 0 2 2 7 45 -1 -1 0.000 0 1 1 1 3600.000 10800.000 2400 10800 3600 9600 4800 10800\n"
    "\t 1 1 1.00 60.00 120.00\n"
    "\t 1 1 1.00 60.00 120.00\n"
    "1 1 0 2 1 2 60 -1 20 0.000 1 0.3000 9000 3000 1800 900 9000 3000 10800 3900\n"
    "3 4 0 2 0 7 50 -1 -1 0.000 0 1 0 5\n"
    "\t 1 1 1.00 60.00 120.00\n"
    "\t 6000 9000 7800 7800 9600 9600 11400 8400 12600 10200\n"
    "\t 0.000 -1.000 -1.000 -1.000 0.000\n"
    "6 600 12000 13500 13800\n"
    "2 2 0 1 0 7 50 -1 20 0.000 0 0 -1 0 0 5\n"
    "\t 600 12000 3000 12000 3000 13800 600 13800 600 12000\n"
    "2 2 0 1 0 7 50 -1 20 0.000 0 0 -1 0 0 5\n"
    "\t 11000 12000 13500 12000 13500 13800 11000 13800 11000 12000\n"
    "-6\n");
// clang-format on

constexpr int spreadObjectCount = 8; // the compound's two members count, not the compound

// A window of 400 x 300 pixels on the drawing at 80 dots per inch, its
// first object selected (its markers show).
struct View {
    DocumentWindow window;
    bool ready = false;
    View()
    {
        if (!window.load(editsession::figText(spreadObjects)))
            return;
        CFigContext& context = window.context();
        context.dpiX = context.dpiY = 80.0f;
        window.object(0)->selected = true;
        window.object(0)->markerState = 2;
        window.frame->updateScrollRange();
        window.frame->redisplayCanvas();
        ready = window.frame->verticalScrollBar()->maximum() > 0 && window.frame->horizontalScrollBar()->maximum() > 0;
    }
    QTChildFrm& frame() { return *window.frame; }
    CFigContext& context() { return window.context(); }
    void scrollBy(int dx, int dy)
    {
        QScrollBar* h = frame().horizontalScrollBar();
        QScrollBar* v = frame().verticalScrollBar();
        if (dx)
            h->setValue(h->value() + dx);
        if (dy)
            v->setValue(v->value() + dy);
    }
};

} // namespace

class TestCanvasView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { documentwindow::initResources(); }
    void cleanupTestCase() { documentwindow::releaseResources(); }

    // Steps of (dx, dy) pixels; the canvas is compared after the last one,
    // so that what each step moves and draws has to fit with the next.
    void scrollingShowsWhatARedrawShows_data()
    {
        QTest::addColumn<QList<QPoint>>("steps");
        QTest::newRow("down, wheel steps") << QList<QPoint> { { 0, 3 }, { 0, 3 }, { 0, 3 }, { 0, 3 } };
        QTest::newRow("down, then up") << QList<QPoint> { { 0, 40 }, { 0, 17 }, { 0, -3 }, { 0, -31 } };
        QTest::newRow("right, then left") << QList<QPoint> { { 3, 0 }, { 29, 0 }, { 50, 0 }, { -7, 0 }, { -1, 0 } };
        QTest::newRow("both ways") << QList<QPoint> { { 13, 0 }, { 0, 21 }, { -5, 0 }, { 0, -8 }, { 33, 44 } };
        QTest::newRow("a page and more") << QList<QPoint> { { 0, 120 }, { 0, 400 }, { 450, 0 }, { -300, -350 } };
    }
    void scrollingShowsWhatARedrawShows()
    {
        QFETCH(QList<QPoint>, steps);
        View view;
        QVERIFY(view.ready);
        view.scrollBy(200, 150); // room to go either way
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
        for (const QPoint& step : steps)
            view.scrollBy(step.x(), step.y());
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
    }

    // What a scroll draws besides the objects of the fixture: the grid of
    // each kind across the strips, the paper frame, a picture scaled to a
    // frame it does not fit evenly, and one-pixel dashed and dotted outlines
    // that cross many strips.
    void scrollingShowsTheGridAndPicturesARedrawShows_data()
    {
        QTest::addColumn<int>("gridIndex");
        QTest::addColumn<QByteArray>("extra"); // objects added, IMAGE naming a picture file
        QTest::addColumn<QList<QPoint>>("steps");
        QTest::addColumn<QPoint>("start");
        const QList<QPoint> steps { { 0, 3 }, { 7, 0 }, { 0, -41 }, { -25, 9 }, { 1, 1 } };
        // The one-inch grid's lines are 80 pixels apart: the view comes to
        // begin on one across and down, and leaves it either way.
        const QList<QPoint> edges { { 40, 0 }, { 0, 10 }, { -3, 0 }, { 0, -3 }, { 3, 0 }, { 0, 3 }, { 80, 0 },
            { 0, 80 }, { 1, 0 }, { 0, 1 }, { -1, 0 }, { 0, -1 } };
        const QPoint middle(200, 150);
        const QByteArray picture = "2 5 0 1 0 -1 55 -1 -1 0.000 0 0 -1 0 0 5\n\t 0 IMAGE\n"
                                   "\t 1250 7000 5333 7000 5333 10777 1250 10777 1250 7000\n";
        const QByteArray thinOutlines
            = "2 1 1 1 0 7 50 -1 -1 4.000 0 0 -1 0 0 3\n\t 700 700 5000 9000 9000 1500\n"
              "2 1 2 1 0 7 50 -1 -1 3.000 0 0 -1 0 0 2\n\t 4010 600 4010 12000\n"
              "1 3 2 1 0 7 50 -1 -1 3.000 1 0.0000 6000 5000 3000 2000 6000 5000 9000 5000\n"
              "5 1 1 1 0 7 50 -1 -1 4.000 0 0 0 0 4500.000 6000.000 2500 6000 4500 8000 6500 6000\n"
              "3 0 3 1 0 7 50 -1 -1 4.000 0 0 0 4\n\t 700 9000 5000 900 9000 11500 7000 3000\n"
              "\t 0.000 1.000 1.000 0.000\n";
        QTest::newRow("square grid") << 2 << QByteArray() << steps << middle;
        QTest::newRow("square grid, view on its lines") << 2 << QByteArray() << edges << middle;
        QTest::newRow("small isometric grid") << 4 << QByteArray() << steps << middle;
        QTest::newRow("large isometric grid") << 6 << QByteArray() << steps << middle;
        QTest::newRow("picture") << 0 << picture << steps << middle;
        QTest::newRow("thin dashed and dotted outlines") << 0 << thinOutlines << steps << middle;
        // The dotted paper frame's right and bottom edges in the view.
        QTest::newRow("paper frame") << 0 << QByteArray() << steps << QPoint(450, 600);
        QTest::newRow("paper frame and grid") << 5 << QByteArray() << edges << QPoint(450, 600);
    }
    void scrollingShowsTheGridAndPicturesARedrawShows()
    {
        QFETCH(int, gridIndex);
        QFETCH(QByteArray, extra);
        QFETCH(QList<QPoint>, steps);
        QFETCH(QPoint, start);
        View view;
        QVERIFY(view.ready);
        CFigContext& context = view.context();
        if (!extra.isEmpty()) {
            QImage image(7, 5, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, qRgb(30 * x, 200 - 35 * y, (x * y * 40) % 256));
            const QString file = view.window.path(QStringLiteral("gradient.png"));
            QVERIFY(image.save(file));
            extra.replace("IMAGE", file.toUtf8());
            QVERIFY(view.window.load(editsession::figText(spreadObjects + extra)));
            context.dpiX = context.dpiY = 80.0f;
            view.frame().updateScrollRange();
        }
        context.gridOn = gridIndex > 0;
        context.gridIndex = gridIndex;
        view.frame().redisplayCanvas();
        view.scrollBy(start.x(), start.y());
        QCOMPARE(QPoint(context.originX, context.originY), start);
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
        for (const QPoint& step : steps) {
            view.scrollBy(step.x(), step.y());
            QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
        }
    }

    // A one-pixel solid line is drawn by Qt's line stepper, whose pixels
    // depend a little on where the line enters the part being painted: cut
    // by a strip, its antialiased pixels may differ from a whole redraw by a
    // few levels of grey, never more.
    void scrollingKeepsThinSolidLinesWithinAFewLevels()
    {
        View view;
        QVERIFY(view.ready);
        CFigContext& context = view.context();
        const QByteArray thin = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 1 3\n"
                                "\t 1 1 1.00 60.00 120.00\n\t 1 1 1.00 60.00 120.00\n"
                                "\t 700 700 5000 9000 9000 1500\n"
                                "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 6000 5000 3000 2000 6000 5000 9000 5000\n"
                                "3 2 0 1 0 7 50 -1 -1 0.000 0 0 0 4\n\t 700 9000 5000 900 9000 11500 7000 3000\n"
                                "\t 0.000 -1.000 -1.000 0.000\n";
        QVERIFY(view.window.load(editsession::figText(spreadObjects + thin)));
        context.dpiX = context.dpiY = 80.0f;
        view.frame().updateScrollRange();
        view.frame().redisplayCanvas();
        auto greyLevelsOff = [&view]() {
            const QImage shown = view.frame().canvasImage->copy();
            view.frame().redisplayCanvas();
            const QImage& redrawn = *view.frame().canvasImage;
            int most = 0;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const QRgb a = shown.pixel(x, y);
                    const QRgb b = redrawn.pixel(x, y);
                    most = std::max({ most, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                        std::abs(qBlue(a) - qBlue(b)) });
                }
            }
            return most;
        };
        view.scrollBy(200, 150);
        QVERIFY(greyLevelsOff() <= 8);
        for (const QPoint& step : { QPoint(0, 3), QPoint(7, 0), QPoint(0, -41), QPoint(-25, 9), QPoint(1, 1) }) {
            view.scrollBy(step.x(), step.y());
            QVERIFY(greyLevelsOff() <= 8);
        }
    }

    // The markers a scroll draws in the strip are those a redraw shows: of
    // the drawing's objects, of the members of a compound open for editing,
    // and of objects that a part redraw before the scroll had left out.
    void scrollingShowsTheMarkersARedrawShows_data()
    {
        QTest::addColumn<int>("before");
        QTest::newRow("selected object") << 0;
        QTest::newRow("compound open for editing") << 1;
        QTest::newRow("objects left out of a part redraw") << 2;
        QTest::newRow("every object showing markers") << 3;
    }
    void scrollingShowsTheMarkersARedrawShows()
    {
        QFETCH(int, before);
        View view;
        QVERIFY(view.ready);
        CFigContext& context = view.context();
        FigObject* compound = view.window.object(spreadObjectCount - 2);
        QVERIFY(compound && compound->type == FigObject::Compound);
        if (before == 1) {
            QVERIFY(context.openCompoundForEditing(compound));
            view.frame().redisplayCanvas();
        } else if (before == 2) {
            context.redrawObject(view.window.object(0), true);
            context.redrawObject(compound, true);
            QVERIFY(view.window.object(0)->skipRedraw);
        } else if (before == 3) {
            context.showAllMarkers();
            view.frame().redisplayCanvas();
        }
        view.scrollBy(200, 150);
        for (const QPoint& step : { QPoint(0, 3), QPoint(7, 0), QPoint(0, -40), QPoint(-25, 9) })
            view.scrollBy(step.x(), step.y());
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
    }

    // A small scroll moves the drawn pixels and draws the strip it uncovers
    // only: no whole redraw, and only the objects that reach the strip.
    void scrollingDrawsOnlyTheUncoveredStrip()
    {
        View view;
        QVERIFY(view.ready);
        view.scrollBy(0, 150);
        const long long redraws = view.context().canvasRedraws;
        const long long drawn = view.context().objectsDrawn;
        view.scrollBy(0, 3);
        QCOMPARE(view.context().canvasRedraws, redraws);
        QVERIFY(view.context().objectsDrawn - drawn < spreadObjectCount);
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
    }

    // Zooming in and out again finds the text's screen font of the first
    // zoom kept: Qt need not look its face up again (through fontconfig),
    // which made every zoom back cost as much as the first visit.
    void zoomingBackFindsTheTextFontsKept()
    {
        View view;
        QVERIFY(view.ready);
        auto* text = dynamic_cast<FigText*>(view.window.object(2));
        QVERIFY(text);
        const int pixelSize = view.context().textPixelSize(text, view.context().zoom);
        const QFont shown = screenFont(text->font, pixelSize);
        for (int i = 0; i < 3; ++i) {
            view.frame().zoomIn();
            view.frame().zoomOut();
            QVERIFY(screenFont(text->font, pixelSize).isCopyOf(shown));
        }
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
    }

    // Zoomed in, the window shows part of the drawing and draws that part.
    void zoomingShowsWhatARedrawShows()
    {
        View view;
        QVERIFY(view.ready);
        view.scrollBy(120, 90);
        for (int i = 0; i < 3; ++i) {
            const long long drawn = view.context().objectsDrawn;
            view.frame().zoomIn();
            QVERIFY(view.context().objectsDrawn - drawn < spreadObjectCount);
            QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
        }
        view.frame().zoomOut();
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
    }

    // A zoom that makes scroll bars come, or go, draws the canvas once, at
    // the view the zoom asked for as far as the new range lets it: the
    // scroll area lays the bars out in passes, one of them with neither bar,
    // whose smaller range must not pull the view back nor draw it. Each row:
    // the window's size and which bar shows at zoom 1 (the vertical one
    // never does; both do once zoomed in).
    void zoomingThatBringsScrollBarsDrawsOnce_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("horizontalBar");
        // The paper and the drawing (900 x 920 pixels at zoom 1) fit.
        QTest::newRow("no bar") << QSize(980, 990) << false;
        QTest::newRow("the horizontal bar") << QSize(880, 1000) << true;
    }
    void zoomingThatBringsScrollBarsDrawsOnce()
    {
        QFETCH(QSize, size);
        QFETCH(bool, horizontalBar);
        DocumentWindow window;
        QVERIFY(window.load(editsession::figText(spreadObjects)));
        CFigContext& context = window.context();
        context.dpiX = context.dpiY = 80.0f;
        QTChildFrm& frame = *window.frame;
        frame.resize(size);
        frame.updateScrollRange();
        frame.redisplayCanvas();
        QTest::qWait(20);
        QScrollBar* h = frame.horizontalScrollBar();
        QScrollBar* v = frame.verticalScrollBar();
        QCOMPARE(h->isVisible(), horizontalBar);
        QVERIFY(!v->isVisible());
        for (int i = 0; i < 4; ++i) {
            const bool in = i % 2 == 0;
            const long long redraws = context.canvasRedraws;
            const float zoom = context.zoom;
            const int originX = context.originX;
            const int originY = context.originY;
            if (in)
                frame.zoomIn();
            else
                frame.zoomOut();
            QTest::qWait(20); // the layout's passes, whatever they send
            QCOMPARE(context.canvasRedraws, redraws + 1);
            int wantedX = 0;
            int wantedY = 0;
            context.scrollOriginForZoom(wantedX, wantedY, originX, originY, zoom, context.zoom);
            QCOMPARE(context.originX, std::clamp(wantedX, 0, h->maximum()));
            QCOMPARE(context.originY, std::clamp(wantedY, 0, v->maximum()));
            QCOMPARE(h->isVisible(), in || horizontalBar);
            QCOMPARE(v->isVisible(), in);
            QCOMPARE(h->value(), context.originX);
            QCOMPARE(v->value(), context.originY);
            QCOMPARE(editsession::pixelsOffRedraw(frame), 0);
        }
    }

    // A draw that takes long shows the canvas drawn so far and its
    // progress in the status bar as it goes, opened or zoomed; the canvas
    // then shows what a whole redraw shows and the status bar the last
    // status message again.
    void longDrawsShowTheirProgress()
    {
        // Three hundred boxes, so that the draw reports several times.
        QByteArray boxes;
        for (int i = 0; i < 300; ++i) {
            const int x = 300 + (i % 20) * 450;
            const int y = 300 + (i / 20) * 450;
            boxes += QStringLiteral("2 2 0 1 %1 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t %2 %3 %4 %3 %4 %5 %2 %5 %2 %3\n")
                         .arg(i % 8)
                         .arg(x)
                         .arg(y)
                         .arg(x + 300)
                         .arg(y + 300)
                         .toLatin1();
        }
        const int savedInterval = drawProgressInterval;
        drawProgressInterval = 0;
        struct Restore {
            int interval;
            ~Restore() { drawProgressInterval = interval; }
        } restore { savedInterval };

        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(editsession::figText(boxes), QStringLiteral("boxes.fig"));
        QVERIFY(child);
        QTRY_VERIFY(!child->isRedisplayPending());
        QStatusBar* bar = documents.window().statusBar();
        const QString last = bar->currentMessage();
        QVERIFY(!last.isEmpty());

        // Paints of the viewport while its canvas is being drawn, and the
        // status bar's texts then.
        struct Watch : QObject {
            QTChildFrm* frame = nullptr;
            QStatusBar* bar = nullptr;
            int paintsWhileDrawing = 0;
            QStringList messages;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Paint && frame->canvasPainter.isActive()) {
                    ++paintsWhileDrawing;
                    messages << bar->currentMessage();
                }
                return false;
            }
        } watch;
        watch.frame = child;
        watch.bar = bar;
        child->viewport()->installEventFilter(&watch);
        child->zoomIn();
        child->viewport()->removeEventFilter(&watch);
        QVERIFY(watch.paintsWhileDrawing >= 2);
        QVERIFY2(watch.messages.first().startsWith(QStringLiteral("Drawing... ")), qPrintable(watch.messages.first()));
        QCOMPARE(bar->currentMessage(), last);
        QCOMPARE(editsession::pixelsOffRedraw(*child), 0);
    }

    // However many resizes and shows come while the window is laid out,
    // the canvas is drawn once, at the size it is painted at.
    void openingDrawsTheCanvasOnce()
    {
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(editsession::figText(spreadObjects), QStringLiteral("spread.fig"));
        QVERIFY(child);
        QTRY_VERIFY(!child->isRedisplayPending());
        QTest::qWait(100); // whatever else the layout sends
        QCOMPARE(child->figContext->canvasRedraws, 1LL);
        QCOMPARE(child->canvasImage->size(), child->size());
        QCOMPARE(editsession::pixelsOffRedraw(*child), 0);
    }

    // Resized again and again before it is painted, the window draws once,
    // when it is painted; drawing into the canvas meanwhile repaints it, and
    // the repaint makes the whole redraw.
    void resizesBeforeAPaintDrawOnce()
    {
        View view;
        QVERIFY(view.ready);
        QCoreApplication::processEvents();
        const long long redraws = view.context().canvasRedraws;
        for (int width : { 420, 450, 480 })
            view.frame().resize(width, 320); // a shown window gets its resize at once
        QVERIFY(view.frame().isRedisplayPending());
        QCOMPARE(view.context().canvasRedraws, redraws);
        view.frame().redrawObject(view.window.object(0), false);
        QVERIFY(!view.frame().isRedisplayPending());
        QCOMPARE(view.context().canvasRedraws, redraws + 1);
        QCOMPARE(editsession::pixelsOffRedraw(view.frame()), 0);
    }
};

TAVREL_TEST_MAIN(TestCanvasView)
#include "tst_canvasview.moc"
