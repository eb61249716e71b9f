// Marker images, the markers of each kind of object with the choice of image
// per point, the marker walks of a redraw and the inverting cross-hair.
#include "drawingfixtures.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/modelfixtures.h"
#include "render/markers.h"
#include "render/resources.h"
#include "support/testenv.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cmath>

using namespace fixtures;

namespace {

constexpr QRgb grey = 0xff808080;
constexpr QRgb white = 0xffffffff;
constexpr QRgb red = 0xffff0000;
constexpr QRgb blue = 0xff0000ff;
constexpr QRgb yellow = 0xffffff00;

// A window-less document at 80 dots per inch (15 Fig units a pixel) drawing
// without antialiasing on a grey image, so that white marker centres show.
struct Canvas : drawingfixtures::Canvas {
    explicit Canvas(int size = 120)
        : drawingfixtures::Canvas(size, size, nullptr, grey)
    {
    }
    // Takes ownership, as the drawing does, without counting depths.
    template <class T> T* add(T* object)
    {
        context.drawing.objects.push_back(object);
        return object;
    }
    // Begins the painter again after a look at the image.
    void resume() { begin(); }
};

// Fig units of a pixel at 80 dots per inch and zoom 1.
constexpr int px = 15;

void place(FigPoint& point, int x, int y)
{
    point.x = x;
    point.y = y;
}

} // namespace

class TestMarkers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initResources(); }
    void cleanupTestCase() { releaseMarkerPixmaps(); }
    void cleanup() { transformCenter = TransformCenter(); }

    // Each kind takes its own image: size and centre colour tell them apart.
    void pixmapsByKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("size");
        QTest::addColumn<QRgb>("centre");
        QTest::addColumn<QRgb>("border");
        QTest::newRow("normal") << int(MarkerNormal) << 4 << white << blue;
        QTest::newRow("selected") << int(MarkerSelected) << 5 << red << blue;
        QTest::newRow("highlighted") << int(MarkerHighlighted) << 5 << yellow << red;
        QTest::newRow("linked") << int(MarkerLinked) << 5 << blue << blue;
        QTest::newRow("compound") << int(MarkerCompound) << 5 << white << blue;
        QTest::newRow("compound selected") << int(MarkerCompoundSelected) << 5 << red << blue;
    }
    void pixmapsByKind()
    {
        QFETCH(int, kind);
        QFETCH(int, size);
        QFETCH(QRgb, centre);
        QFETCH(QRgb, border);
        loadMarkerPixmaps();
        QPixmap* pixmap = markerPixmaps[kind];
        QVERIFY(pixmap);
        QCOMPARE(pixmap->size(), QSize(size, size));
        const QImage image = pixmap->toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.pixel(2, 2), centre); // the pixel on the point
        QCOMPARE(image.pixel(0, 2), border);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }

    void releaseAndReload()
    {
        loadMarkerPixmaps();
        QPixmap* before = markerPixmaps[MarkerLinked];
        loadMarkerPixmaps(); // loaded ones stay
        QCOMPARE(markerPixmaps[MarkerLinked], before);
        releaseMarkerPixmaps();
        for (QPixmap* pixmap : markerPixmaps)
            QVERIFY(!pixmap);
        Canvas canvas;
        canvas.context.drawLinkedMarker(20 * px, 20 * px); // loads on demand
        QVERIFY(markerPixmaps[MarkerLinked]);
        QCOMPARE(canvas.pixel(20, 20), blue);
    }

    // A selected box: one red-centred marker at each corner, the corner pixels
    // of each image transparent; the closing point does not add a marker.
    void selectedBox()
    {
        Canvas canvas;
        FigLine* box = canvas.add(makeLine(1,
            { { 10 * px, 10 * px }, { 50 * px, 10 * px }, { 50 * px, 30 * px }, { 10 * px, 30 * px },
                { 10 * px, 10 * px } },
            2));
        box->selected = true;
        canvas.context.drawObjectMarkers(box);
        QCOMPARE(box->markerState, 2);
        const QImage& image = canvas.finished();
        const QPoint corners[] = { { 10, 10 }, { 50, 10 }, { 50, 30 }, { 10, 30 } };
        for (const QPoint& c : corners) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    QCOMPARE(image.pixel(c.x() + dx, c.y() + dy), red);
            QCOMPARE(image.pixel(c.x() - 2, c.y()), blue);
            QCOMPARE(image.pixel(c.x() + 2, c.y() - 1), blue);
            QCOMPARE(image.pixel(c.x() - 2, c.y() - 2), grey);
            QCOMPARE(image.pixel(c.x() + 2, c.y() + 2), grey);
            QCOMPARE(image.pixel(c.x() + 3, c.y()), grey);
        }
        QCOMPARE(canvas.count(red), 4 * 9);
    }

    // The 4 x 4 normal marker covers the point with its third pixel.
    void unselectedBoxUsesNormalMarker()
    {
        Canvas canvas;
        FigLine* line = canvas.add(makeLine(1, { { 10 * px, 10 * px }, { 40 * px, 20 * px } }));
        canvas.context.drawObjectMarkers(line);
        QCOMPARE(line->markerState, 1);
        QCOMPARE(canvas.pixel(40, 20), white);
        QCOMPARE(canvas.pixel(39, 19), white);
        QCOMPARE(canvas.pixel(41, 20), blue);
        QCOMPARE(canvas.pixel(38, 20), blue);
        QCOMPARE(canvas.pixel(42, 20), grey);
        QCOMPARE(canvas.count(white), 2 * 4);
    }

    // The marker of a point: highlighted before linked before selected.
    void pointMarkerChoice_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QRgb>("centre");
        QTest::newRow("highlighted even when linked") << 3 << true << true << yellow;
        QTest::newRow("highlighted unselected") << 3 << false << false << yellow;
        QTest::newRow("linked even when selected") << 0 << true << true << blue;
        QTest::newRow("linked unselected") << 1 << true << false << blue;
        QTest::newRow("selected") << 2 << false << true << red;
        QTest::newRow("normal") << 0 << false << false << white;
    }
    void pointMarkerChoice()
    {
        QFETCH(int, state);
        QFETCH(bool, linked);
        QFETCH(bool, selected);
        QFETCH(QRgb, centre);
        Canvas canvas;
        FigLine* line = canvas.add(makeLine(1, { { 10 * px, 10 * px }, { 40 * px, 20 * px } }));
        line->selected = selected;
        FigPoint* second = line->points->next;
        second->markerState = state;
        if (linked)
            linkPoint(second, 7);
        canvas.context.drawPathMarkers(line);
        QCOMPARE(canvas.pixel(40, 20), centre);
        // The other point follows the object's selection only.
        QCOMPARE(canvas.pixel(10, 10), selected ? red : white);
    }

    // A closed path's shared point shows the marker chosen by its last point.
    void closedPathSharedPoint_data()
    {
        QTest::addColumn<bool>("spline");
        QTest::newRow("polygon") << false;
        QTest::newRow("open polyline ending on its start") << false;
        QTest::newRow("spline") << true;
    }
    void closedPathSharedPoint()
    {
        QFETCH(bool, spline);
        Canvas canvas;
        FigObject* path = spline
            ? static_cast<FigObject*>(
                canvas.add(makeSpline(1, { { 10 * px, 10 * px }, { 50 * px, 10 * px }, { 10 * px, 10 * px } })))
            : canvas.add(makeLine(1, { { 10 * px, 10 * px }, { 50 * px, 10 * px }, { 10 * px, 10 * px } }));
        path->selected = true;
        FigPoint* first = spline ? static_cast<FigSpline*>(path)->points : static_cast<FigLine*>(path)->points;
        first->markerState = 3; // would be yellow if the first point were drawn
        canvas.context.drawObjectMarkers(path);
        QCOMPARE(canvas.pixel(10, 10), red);
        QCOMPARE(canvas.count(yellow), 0);
        QCOMPARE(path->markerState, 2);
    }

    void singlePointAtOrigin()
    {
        Canvas canvas;
        FigLine* dot = canvas.add(makeLine(1, { { 0, 0 } }));
        dot->selected = true;
        canvas.context.drawObjectMarkers(dot);
        QCOMPARE(canvas.pixel(0, 0), red);
        QCOMPARE(canvas.pixel(1, 1), red);
        QCOMPARE(canvas.pixel(2, 0), blue);
        QCOMPARE(canvas.count(red), 4);
    }

    void ellipseMarkers_data()
    {
        QTest::addColumn<QPoint>("center");
        QTest::addColumn<int>("markers");
        QTest::newRow("by radius") << QPoint(20, 20) << 2;
        QTest::newRow("centre apart") << QPoint(40, 50) << 3;
        QTest::newRow("same x") << QPoint(20, 50) << 2;
        QTest::newRow("same y") << QPoint(40, 20) << 2;
    }
    void ellipseMarkers()
    {
        QFETCH(QPoint, center);
        QFETCH(int, markers);
        Canvas canvas;
        FigEllipse* ellipse = canvas.add(new FigEllipse(1));
        place(ellipse->start, 20 * px, 20 * px);
        place(ellipse->end, 80 * px, 90 * px);
        place(ellipse->center, center.x() * px, center.y() * px);
        ellipse->selected = true;
        canvas.context.drawObjectMarkers(ellipse);
        QCOMPARE(ellipse->markerState, 2);
        QCOMPARE(canvas.pixel(20, 20), red);
        QCOMPARE(canvas.pixel(80, 90), red);
        QCOMPARE(canvas.count(red), markers * 9);
    }

    // The second marker lies the font size (as pixels) above the anchor in
    // the text's own upward direction.
    void textMarkers_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<QPoint>("second");
        QTest::newRow("0 degrees") << 0.0 << QPoint(50, 38);
        QTest::newRow("90 degrees") << M_PI / 2 << QPoint(38, 50);
        QTest::newRow("180 degrees") << M_PI << QPoint(50, 62);
    }
    void textMarkers()
    {
        QFETCH(double, angle);
        QFETCH(QPoint, second);
        Canvas canvas;
        FigText* text = canvas.add(makeText(1));
        text->x = 50 * px;
        text->y = 50 * px;
        text->fontSize = 12;
        text->angle = float(angle);
        canvas.context.drawObjectMarkers(text);
        QCOMPARE(text->markerState, 1);
        QCOMPARE(canvas.pixel(50, 50), white);
        QCOMPARE(canvas.pixel(second.x(), second.y()), white);
        QCOMPARE(canvas.count(white), 8);
    }

    void arcMarkers()
    {
        Canvas canvas;
        auto* arc = canvas.add(new FigArc(1));
        place(arc->points[0], 10 * px, 50 * px);
        place(arc->points[1], 50 * px, 10 * px);
        place(arc->points[2], 90 * px, 50 * px);
        arc->selected = true;
        canvas.context.drawObjectMarkers(arc);
        QCOMPARE(arc->markerState, 2);
        QCOMPARE(canvas.pixel(10, 50), red);
        QCOMPARE(canvas.pixel(50, 10), red);
        QCOMPARE(canvas.pixel(90, 50), red);
        QCOMPARE(canvas.count(red), 27);
    }

    // Eight handles clockwise from the upper left, midpoints rounded toward
    // zero; members get none of their own.
    void compoundHandles_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QRgb>("centre");
        QTest::newRow("unselected") << false << white;
        QTest::newRow("selected") << true << red;
    }
    void compoundHandles()
    {
        QFETCH(bool, selected);
        QFETCH(QRgb, centre);
        Canvas canvas;
        FigLine* member = makeLine(2, { { 30 * px, 30 * px }, { 40 * px, 40 * px } });
        member->markerState = 2;
        FigCompound* compound = canvas.add(makeCompound(1, { member }));
        place(compound->upperLeft, 10 * px, 20 * px);
        place(compound->lowerRight, 91 * px, 81 * px); // midpoints 50.5 → 50 pixels
        compound->selected = selected;
        canvas.context.drawObjectMarkers(compound);
        QCOMPARE(compound->markerState, selected ? 2 : 1);
        const QPoint handles[]
            = { { 10, 20 }, { 50, 20 }, { 91, 20 }, { 91, 50 }, { 91, 81 }, { 50, 81 }, { 10, 81 }, { 10, 50 } };
        for (const QPoint& h : handles)
            QCOMPARE(canvas.pixel(h.x(), h.y()), centre);
        QCOMPARE(canvas.count(centre), 8 * 9);
        QCOMPARE(canvas.pixel(30, 30), grey);
    }

    void compoundOnHiddenDepths()
    {
        Canvas canvas;
        FigLine* deep = makeLine(4, { { 0, 0 }, { 15, 15 } });
        deep->depth = 40;
        FigLine* hidden = makeLine(5, { { 0, 0 }, { 15, 15 } });
        hidden->depth = 60;
        FigCompound* inner = makeCompound(3, { deep });
        FigCompound* middle = makeCompound(2, { inner });
        FigCompound* compound = canvas.add(makeCompound(1, { hidden, middle }));
        place(compound->upperLeft, 10 * px, 10 * px);
        place(compound->lowerRight, 60 * px, 60 * px);
        compound->markerState = 0;
        canvas.context.depthVisible[40] = false;
        canvas.context.depthVisible[60] = false;
        QVERIFY(canvas.context.compoundAllMembersHidden(compound));
        canvas.context.drawObjectMarkers(compound);
        QCOMPARE(compound->markerState, 0);
        QCOMPARE(canvas.count(white), 0);

        // One member two levels down on a shown depth brings all eight.
        canvas.context.depthVisible[40] = true;
        canvas.resume();
        QVERIFY(!canvas.context.compoundAllMembersHidden(compound));
        canvas.context.drawObjectMarkers(compound);
        QCOMPARE(compound->markerState, 1);
        QCOMPARE(canvas.count(white), 8 * 9);

        FigCompound empty(9);
        QVERIFY(canvas.context.compoundAllMembersHidden(&empty));
    }

    // Objects on hidden depths get no markers and keep their marker state.
    void hiddenDepthsDrawNothing()
    {
        Canvas canvas;
        canvas.context.depthVisible[5] = false;
        canvas.context.layerDrawMode = 11;
        FigLine* line = canvas.add(makeLine(1, { { 10 * px, 10 * px }, { 20 * px, 20 * px } }));
        FigText* text = canvas.add(makeText(2));
        text->x = text->y = 40 * px;
        auto* arc = canvas.add(new FigArc(3));
        FigEllipse* ellipse = canvas.add(new FigEllipse(4));
        place(ellipse->end, 60 * px, 60 * px);
        for (FigObject* object : canvas.context.drawing.objects) {
            object->depth = 5;
            canvas.context.drawObjectMarkers(object);
            QCOMPARE(object->markerState, 0);
        }
        Q_UNUSED(line);
        Q_UNUSED(arc);
        QCOMPARE(canvas.count(grey), 120 * 120);
    }

    void nullAndUnknownObjects()
    {
        Canvas canvas;
        canvas.context.drawObjectMarkers(nullptr);
        canvas.context.drawPathMarkers(nullptr);
        canvas.context.drawCompoundMarkers(nullptr);
        BoxObject other(1, 0, 0, 10, 10);
        canvas.context.drawObjectMarkers(&other);
        QCOMPARE(other.markerState, 0);
        QCOMPARE(canvas.count(grey), 120 * 120);
    }

    // The redraw's walk: marked, not skipped, not excepted; then the cross.
    void allMarkers()
    {
        Canvas canvas;
        FigLine* marked = canvas.add(makeLine(1, { { 10 * px, 10 * px } }));
        marked->markerState = 1;
        FigLine* unmarked = canvas.add(makeLine(2, { { 20 * px, 10 * px } }));
        FigLine* skipped = canvas.add(makeLine(3, { { 30 * px, 10 * px } }));
        skipped->markerState = 1;
        skipped->skipRedraw = true;
        FigLine* excepted = canvas.add(makeLine(4, { { 40 * px, 10 * px } }));
        excepted->markerState = 2;
        excepted->selected = true;
        transformCenter = { true, 60 * px, 60 * px };
        canvas.context.drawAllMarkers(excepted);
        QCOMPARE(canvas.pixel(10, 10), white);
        QCOMPARE(canvas.pixel(20, 10), grey);
        QCOMPARE(unmarked->markerState, 0);
        QCOMPARE(canvas.pixel(30, 10), grey);
        QCOMPARE(canvas.pixel(40, 10), grey);
        // The cross inverts grey into the grey's complement.
        QCOMPARE(canvas.pixel(57, 60), 0xff7f7f7f);
        QCOMPARE(canvas.pixel(60, 63), 0xff7f7f7f);
    }

    // The current list is the open compound's members.
    void allMarkersOfOpenCompound()
    {
        Canvas canvas;
        FigLine* member = makeLine(2, { { 10 * px, 10 * px } });
        member->markerState = 1;
        FigCompound* compound = canvas.add(makeCompound(1, { member }));
        compound->markerState = 1;
        place(compound->upperLeft, 80 * px, 80 * px);
        place(compound->lowerRight, 80 * px, 80 * px);
        canvas.context.openCompound = compound->members;
        canvas.context.drawAllMarkers(nullptr);
        QCOMPARE(canvas.pixel(10, 10), white);
        QCOMPARE(canvas.pixel(80, 80), grey);
    }

    void markersExceptList()
    {
        Canvas canvas;
        FigLine* kept = canvas.add(makeLine(1, { { 10 * px, 10 * px } }));
        FigLine* listed = canvas.add(makeLine(2, { { 20 * px, 10 * px } }));
        FigLine* member = makeLine(4, { { 0, 0 }, { 15, 15 } });
        FigCompound* inner = makeCompound(3, { member });
        FigCompound* outer = canvas.add(makeCompound(5, { inner }));
        place(outer->upperLeft, 40 * px, 40 * px);
        place(outer->lowerRight, 40 * px, 40 * px);
        FigLine* skipped = canvas.add(makeLine(6, { { 60 * px, 10 * px } }));
        skipped->skipRedraw = true;
        for (FigObject* object : canvas.context.drawing.objects)
            object->markerState = 1;
        FigObjectList except { listed, inner }; // `outer` is not listed itself
        canvas.context.drawMarkersExceptList(&except);
        QCOMPARE(canvas.pixel(10, 10), white);
        QCOMPARE(canvas.pixel(20, 10), grey);
        QCOMPARE(canvas.pixel(40, 40), white);
        QCOMPARE(canvas.pixel(60, 10), grey);
        Q_UNUSED(kept);

        // A compound listed itself, and no cross even with a centre set.
        Canvas second;
        FigCompound* listedCompound = second.add(makeCompound(1, { makeLine(2, { { 0, 0 } }) }));
        listedCompound->markerState = 1;
        transformCenter = { true, 60 * px, 60 * px };
        FigObjectList exceptCompound { listedCompound };
        second.context.drawMarkersExceptList(&exceptCompound);
        QCOMPARE(second.count(grey), 120 * 120);
    }

    // Markers go over whatever composition a rubber band left.
    void markersResetComposition()
    {
        Canvas canvas;
        canvas.painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        canvas.context.drawTaggedMarker(20 * px, 20 * px);
        QCOMPARE(canvas.painter.compositionMode(), QPainter::CompositionMode_SourceOver);
        QCOMPARE(canvas.pixel(20, 20), red);
    }

    // The six single-marker operations at once, and markers off the canvas.
    void singleMarkers()
    {
        Canvas canvas;
        canvas.context.drawNormalMarker(10 * px, 10 * px);
        canvas.context.drawTaggedMarker(20 * px, 10 * px);
        canvas.context.drawTagged2Marker(30 * px, 10 * px);
        canvas.context.drawLinkedMarker(40 * px, 10 * px);
        canvas.context.drawCompoundMarker(50 * px, 10 * px);
        canvas.context.drawCompoundTaggedMarker(60 * px, 10 * px);
        canvas.context.drawTaggedMarker(-1000000, 2000000000);
        QCOMPARE(canvas.pixel(10, 10), white);
        QCOMPARE(canvas.pixel(20, 10), red);
        QCOMPARE(canvas.pixel(30, 10), yellow);
        QCOMPARE(canvas.pixel(40, 10), blue);
        QCOMPARE(canvas.pixel(50, 10), white);
        QCOMPARE(canvas.pixel(60, 10), red);
    }

    // The scroll origin and zoom place markers as every point is placed.
    void markersFollowTheView()
    {
        Canvas canvas;
        canvas.context.zoom = 2.0f;
        canvas.context.originX = 10;
        canvas.context.originY = -5;
        canvas.context.drawTaggedMarker(30 * px, 20 * px);
        QCOMPARE(canvas.pixel(50, 45), red);
    }

    void markerWithoutPainter()
    {
        CFigContext context;
        FigLine* line = makeLine(1, { { 0, 0 } });
        context.drawing.objects.push_back(line);
        context.drawObjectMarkers(line); // no painter: nothing drawn, no crash
        context.drawCrossHair(0, 0);
        QCOMPARE(line->markerState, 1);
    }

    // Drawing the cross twice restores every pixel, with and without
    // antialiasing; the painter composes normally afterwards.
    void crossHairTwiceRestores_data()
    {
        QTest::addColumn<bool>("antialiasing");
        QTest::newRow("aliased") << false;
        QTest::newRow("antialiased") << true;
    }
    void crossHairTwiceRestores()
    {
        QFETCH(bool, antialiasing);
        Canvas canvas;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
                canvas.image.setPixel(x, y, qRgb((x * 7) & 255, (y * 13) & 255, (x * y) & 255));
        const QImage original = canvas.image.copy();
        canvas.painter.setRenderHint(QPainter::Antialiasing, antialiasing);
        canvas.context.drawCrossHair(50 * px, 40 * px);
        QCOMPARE(canvas.painter.compositionMode(), QPainter::CompositionMode_SourceOver);
        canvas.painter.end();
        const QImage once = canvas.image.copy();
        if (!antialiasing) {
            // The pixels of both arms are inverted (the centre twice, so it
            // stays); nothing else changes.
            int changed = 0;
            for (int y = 0; y < 120; ++y)
                for (int x = 0; x < 120; ++x) {
                    if (once.pixel(x, y) == original.pixel(x, y))
                        continue;
                    ++changed;
                    QVERIFY2((y == 40 && std::abs(x - 50) <= 4) || (x == 50 && std::abs(y - 40) <= 4),
                        qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                    QCOMPARE(once.pixel(x, y) & 0xffffff, ~original.pixel(x, y) & 0xffffff);
                }
            // A flat-capped line of width 1 leaves out its end pixel.
            for (int d : { -4, -1, 1, 3 }) {
                QVERIFY(once.pixel(50 + d, 40) != original.pixel(50 + d, 40));
                QVERIFY(once.pixel(50, 40 + d) != original.pixel(50, 40 + d));
            }
            QCOMPARE(changed, 14); // 8 + 8 pixels, less the centre inverted twice
        }
        canvas.resume();
        canvas.painter.setRenderHint(QPainter::Antialiasing, antialiasing);
        canvas.context.drawCrossHair(50 * px, 40 * px);
        QCOMPARE(canvas.finished(), original);
    }
};

TAVREL_TEST_MAIN(TestMarkers)
#include "tst_markers.moc"
