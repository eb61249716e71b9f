#include "drawingfixtures.h"

#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "render/colors.h"
#include "render/griddef.h"
#include "render/markers.h"
#include "render/pens.h"
#include "render/pointbuffer.h"
#include "render/resources.h"
#include "support/testenv.h"

#include <climits>
#include <memory>

using namespace drawingfixtures;

namespace {

constexpr QRgb cyan = 0xff00ffff;
constexpr QRgb sentinel = 0xff123456;

void moveBy(FigLine* line, int dx, int dy)
{
    for (FigPoint* p = line->points; p; p = p->next) {
        p->x += dx;
        p->y += dy;
    }
}

// Draws a plain black band, no inversion.
void solidBand(CFigContext* context, int ax, int ay, int tx, int ty)
{
    context->drawRubberBand(ax, ay, tx, ty, 0, 0);
}

// A line that notes each time it is drawn.
struct NotedLine : FigLine {
    NotedLine(QString name, int depth, QStringList& log)
        : FigLine(1)
        , name(std::move(name))
        , log(log)
    {
        this->depth = depth;
        points = chainOf({ { 0, 0 }, { 60, 60 } });
    }
    void draw(CFigContext*) override { log << name; }
    QString name;
    QStringList& log;
};

} // namespace

class TestRedraw : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources(); // the marker images
        createBuiltinGrids();
        initDefaultColors();
        loadFillPatterns();
    }
    void init()
    {
        resetPointBuffer();
        preferences = Preferences();
        // As the canvas painter: the paper frame and the grid set the hint
        // back to the preference.
        preferences.antialiasing = false;
        canvasAction.actionInProgress = 0;
        canvasAction.anchorX = canvasAction.anchorY = 0;
        canvasAction.trackX = canvasAction.trackY = 0;
        canvasHandlers.elasticHandler = nullptr;
        editMode = -1;
    }
    void cleanup()
    {
        init();
        transformCenter = TransformCenter();
    }
    void cleanupTestCase()
    {
        releaseMarkerPixmaps();
        deleteGridDefs();
    }

    void boundsOverlapGrowsByFourPixelsAtZoomOne_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("gap");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("overlap");
        for (float zoom : { 1.0f, 0.5f, 3.0f }) {
            for (bool vertical : { false, true }) {
                const QString tag
                    = QStringLiteral("zoom %1, %2, gap ").arg(zoom).arg(vertical ? "vertical" : "horizontal");
                QTest::newRow(qPrintable(tag + "120")) << zoom << 120 << vertical << true;
                QTest::newRow(qPrintable(tag + "121")) << zoom << 121 << vertical << false;
            }
        }
        QTest::newRow("touching") << 1.0f << 0 << false << true;
        QTest::newRow("overlapping") << 1.0f << -500 << true << true;
    }
    void boundsOverlapGrowsByFourPixelsAtZoomOne()
    {
        QFETCH(float, zoom);
        QFETCH(int, gap);
        QFETCH(bool, vertical);
        QFETCH(bool, overlap);
        CFigContext context;
        context.dpiX = context.dpiY = 80.0f;
        context.zoom = zoom;
        // The first box ends `gap` units before the second begins.
        if (vertical) {
            QCOMPARE(context.boundsOverlap(0, 0, 1000, 1000, 0, 1000 + gap, 1000, 3000), overlap);
            QCOMPARE(context.boundsOverlap(0, 1000 + gap, 1000, 3000, 0, 0, 1000, 1000), overlap);
        } else {
            QCOMPARE(context.boundsOverlap(0, 0, 1000, 1000, 1000 + gap, 0, 3000, 1000), overlap);
            QCOMPARE(context.boundsOverlap(1000 + gap, 0, 3000, 1000, 0, 0, 1000, 1000), overlap);
        }
        // Far apart in the other direction: never.
        QVERIFY(!context.boundsOverlap(0, 0, 1000, 1000, 5000, 5000, 6000, 6000));
    }

    void boundsOverlapAtTheEdgeOfTheRange()
    {
        CFigContext context;
        QVERIFY(context.boundsOverlap(
            INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX, INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX));
        QVERIFY(!context.boundsOverlap(
            INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10, INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX));
    }

    void regionRedrawErasesMovedObjectAndKeepsNeighbours()
    {
        Canvas canvas(300, 200);
        FigLine* moved = canvas.add(boxOf(300, 300, 1200, 1200, 4, 20, 50)); // red, pixels 20..80
        FigLine* front = canvas.add(boxOf(900, 900, 1800, 1800, 1, 20, 40)); // blue, in front, 60..120
        FigLine* behind = canvas.add(boxOf(150, 1050, 600, 1500, 2, 20, 60)); // green, behind, 10..40 / 70..100
        FigLine* far = canvas.add(boxOf(3000, 300, 3900, 1200, 4, 20, 50)); // red, far off, 200..260
        canvas.context.drawAllObjects();
        canvas.image.setPixel(230, 50, sentinel); // inside the far box: never repainted

        canvas.context.redrawObject(moved, true);
        QCOMPARE(canvas.pixel(40, 40), white); // the moved box is gone
        QCOMPARE(canvas.pixel(70, 70), blue); // the front neighbour is whole
        QCOMPARE(canvas.pixel(110, 110), blue);
        QCOMPARE(canvas.pixel(30, 90), green); // the one behind too
        QCOMPARE(canvas.pixel(30, 75), green);
        QCOMPARE(canvas.pixel(230, 50), sentinel);
        QVERIFY(far->skipRedraw);
        QVERIFY(moved->skipRedraw);
        QVERIFY(!front->skipRedraw && !behind->skipRedraw);

        moveBy(moved, 150, 0);
        canvas.begin();
        canvas.context.redrawObject(moved, false);
        QCOMPARE(canvas.pixel(40, 40), red);
        QCOMPARE(canvas.pixel(27, 40), white); // left of its new place
        QCOMPARE(canvas.pixel(70, 70), blue); // the front box stays in front
        QCOMPARE(canvas.pixel(28, 75), green); // the green box stays behind...
        QCOMPARE(canvas.pixel(35, 75), red); // ...where the red one covers it
        QCOMPARE(canvas.pixel(230, 50), sentinel);
        QVERIFY(!moved->skipRedraw);
    }

    void compoundIsRedrawnWholeOrNotAtAll()
    {
        CFigContext context;
        context.dpiX = context.dpiY = 80.0f;
        FigLine* near = boxOf(0, 0, 300, 300);
        FigLine* farMember = boxOf(6000, 6000, 6300, 6300);
        FigLine* inner = boxOf(9000, 9000, 9300, 9300);
        FigCompound* nested = compoundOf({ inner });
        FigCompound* touching = compoundOf({ near, farMember, nested });
        FigLine* other = boxOf(7000, 0, 7300, 300);
        FigCompound* away = compoundOf({ other });
        context.addObject(&context.drawing.objects, touching);
        context.addObject(&context.drawing.objects, away);

        context.markObjectsForRedraw(nullptr, false, 200, 200, 600, 600);
        for (FigObject* object : { static_cast<FigObject*>(touching), static_cast<FigObject*>(near),
                 static_cast<FigObject*>(farMember), static_cast<FigObject*>(nested), static_cast<FigObject*>(inner) })
            QVERIFY(!object->skipRedraw);
        QVERIFY(away->skipRedraw);

        // Leaving the compound out of its own area.
        context.markObjectsForRedraw(touching, true, 200, 200, 600, 600);
        QVERIFY(touching->skipRedraw);
        QVERIFY(away->skipRedraw);
    }

    // Members of the compound open for editing, left out of the redraw of
    // their own area: the edit operations redraw the selection that way
    // before moving or deleting it.
    void exceptListReachesEveryNestingLevel_data()
    {
        QTest::addColumn<bool>("nested");
        QTest::newRow("member of the open compound") << false;
        QTest::newRow("member of a compound inside it") << true;
    }
    void exceptListReachesEveryNestingLevel()
    {
        QFETCH(bool, nested);
        Canvas canvas;
        FigLine* selected = boxOf(300, 300, 900, 900, 4, 20); // red, 20..60
        FigLine* sibling = boxOf(750, 300, 1650, 900, 1, 20); // blue, 50..110, drawn over the red one
        FigObject* holder = nested ? static_cast<FigObject*>(compoundOf({ selected })) : selected;
        FigCompound* open = compoundOf({ holder, sibling });
        FigCompound* outer = canvas.add(compoundOf({ open }));
        canvas.context.openCompound = open->members;
        canvas.context.drawAllObjects();
        QCOMPARE(canvas.pixel(40, 40), red);

        FigObjectList selection { selected };
        canvas.begin();
        canvas.context.redrawObjectList(&selection, true);
        QVERIFY(!canvas.painter.hasClipping()); // no clip after a rectangle redraw
        QCOMPARE(canvas.pixel(40, 40), white);
        QCOMPARE(canvas.pixel(55, 40), blue); // the sibling inside the area is drawn again
        QCOMPARE(canvas.pixel(90, 40), blue);
        QVERIFY(selected->skipRedraw);
        QVERIFY(!outer->skipRedraw && !open->skipRedraw && !sibling->skipRedraw);

        canvas.begin();
        canvas.context.redrawObjectList(&selection, false);
        QCOMPARE(canvas.pixel(40, 40), red);
        QCOMPARE(canvas.pixel(90, 40), blue);
        canvas.context.openCompound = nullptr;
    }

    void exceptListLeavesOutListedTopLevelObjects()
    {
        Canvas canvas;
        FigLine* a = canvas.add(boxOf(300, 300, 900, 900, 4, 20));
        FigCompound* group = canvas.add(compoundOf({ boxOf(1050, 300, 1650, 900, 2, 20) }));
        FigLine* c = canvas.add(boxOf(1050, 1050, 1650, 1650, 1, 20));
        canvas.context.drawAllObjects();
        FigObjectList list { a, group };
        canvas.context.redrawObjectList(&list, true);
        QVERIFY(!canvas.painter.hasClipping()); // no clip after a rectangle redraw
        QCOMPARE(canvas.pixel(40, 40), white);
        QCOMPARE(canvas.pixel(90, 40), white); // the whole compound
        QCOMPARE(canvas.pixel(90, 90), blue);
        QVERIFY(!c->skipRedraw);
    }

    void redrawMarginCoversMarkersAtEveryZoom_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("erased"); // pixels beyond the right edge cleared at least
        QTest::addColumn<int>("kept"); // pixels beyond the right edge left alone
        QTest::newRow("zoom 1") << 1.0f << 4 << 6;
        QTest::newRow("zoom 0.25") << 0.25f << 4 << 6;
        QTest::newRow("zoom 0.5") << 0.5f << 4 << 6;
        QTest::newRow("zoom 2") << 2.0f << 8 << 10;
    }
    void redrawMarginCoversMarkersAtEveryZoom()
    {
        QFETCH(float, zoom);
        QFETCH(int, erased);
        QFETCH(int, kept);
        Canvas canvas(480, 480);
        canvas.context.zoom = zoom;
        // A filled box without outline: its bounds are its corners.
        FigLine* box = canvas.add(boxOf(1500, 1500, 3000, 3000, 4, 20, 50, 0));
        canvas.context.drawAllObjects();
        const int right = canvas.context.figToPixelX(3000);
        const int middle = canvas.context.figToPixelY(2250);
        // What markers and the like leave beside the object.
        for (int dx = 1; dx <= kept; ++dx)
            canvas.image.setPixel(right + dx, middle, sentinel);

        canvas.context.redrawObject(box, true);
        for (int dx = 1; dx <= erased; ++dx)
            QCOMPARE(canvas.pixel(right + dx, middle), white);
        QCOMPARE(canvas.pixel(right + kept, middle), sentinel);
    }

    void compoundAreaReachesFourPixelsLower()
    {
        Canvas canvas(240, 240);
        canvas.context.zoom = 0.5f;
        FigCompound* group = canvas.add(compoundOf({ boxOf(1500, 1500, 3000, 3000, 4, 20, 50, 0) }));
        canvas.context.drawAllObjects();
        const int bottom = canvas.context.figToPixelY(3000);
        const int middle = canvas.context.figToPixelX(2250);
        canvas.image.setPixel(middle, bottom + 7, sentinel);
        canvas.image.setPixel(middle, bottom + 10, sentinel);
        canvas.context.redrawObject(group, true);
        QCOMPARE(canvas.pixel(middle, bottom - 5), white);
        QCOMPARE(canvas.pixel(middle, bottom + 7), white); // the lowered bottom edge, then the margin
        QCOMPARE(canvas.pixel(middle, bottom + 10), sentinel);
    }

    void depthOrderAndListOrder()
    {
        Canvas canvas;
        canvas.add(boxOf(300, 300, 1200, 1200, 4, 20, 50)); // red
        canvas.add(compoundOf({ boxOf(600, 600, 1500, 1500, 1, 20, 50) })); // blue, later in the list
        canvas.add(boxOf(900, 900, 1800, 1800, 2, 20, 50)); // green, last
        canvas.add(boxOf(1650, 1650, 2400, 2400, 5, 20, 70)); // magenta, deeper
        canvas.context.redrawRect(0, 0, 3000, 3000, nullptr, false);
        QVERIFY(!canvas.painter.hasClipping()); // no clip after a rectangle redraw
        QCOMPARE(canvas.pixel(30, 30), red);
        QCOMPARE(canvas.pixel(50, 50), blue);
        QCOMPARE(canvas.pixel(70, 70), green);
        QCOMPARE(canvas.pixel(115, 115), green); // the deeper box lies behind
        QCOMPARE(canvas.pixel(140, 140), QRgb(0xffff00ff));
    }

    // Deepest first; within a depth in list order, the members of a compound
    // at the compound's place; each object once; skipped and excluded
    // objects and the objects of excluded compounds left out; hidden depths
    // left out in layer mode 12.
    void drawOrder_data()
    {
        QTest::addColumn<int>("layerMode");
        QTest::addColumn<bool>("exclude");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all") << 10 << false
                             << QStringList { "a80", "b80", "c60", "d60", "e60", "g50", "f50", "h10", "i0" };
        QTest::newRow("compound excluded") << 10 << true << QStringList { "a80", "c60", "e60", "f50", "h10", "i0" };
        QTest::newRow("depth 60 hidden") << 12 << false << QStringList { "a80", "b80", "g50", "f50", "h10", "i0" };
    }
    void drawOrder()
    {
        QFETCH(int, layerMode);
        QFETCH(bool, exclude);
        QStringList log;
        Canvas canvas;
        canvas.add(new NotedLine("a80", 80, log));
        canvas.add(new NotedLine("c60", 60, log));
        FigCompound* compound = canvas.add(compoundOf({ new NotedLine("d60", 60, log),
            compoundOf({ new NotedLine("g50", 50, log), new NotedLine("b80", 80, log) }) }));
        canvas.add(new NotedLine("e60", 60, log));
        canvas.add(new NotedLine("h10", 10, log));
        canvas.add(new NotedLine("f50", 50, log));
        canvas.add(new NotedLine("skipped", 50, log))->skipRedraw = true;
        canvas.add(new NotedLine("i0", 0, log));
        canvas.context.layerDrawMode = layerMode;
        canvas.context.depthVisible[60] = layerMode != 12;
        canvas.context.drawObjectList(&canvas.context.drawing.objects, exclude ? compound : nullptr);
        QTEST(log, "expected");
    }

    void hiddenDepthsFollowTheLayerMode_data()
    {
        QTest::addColumn<int>("layerMode");
        QTest::addColumn<int>("style");
        QTest::newRow("dimmed") << 10 << int(DrawDimmed);
        QTest::newRow("greyed") << 11 << int(DrawGreyed);
        QTest::newRow("left out") << 12 << int(DrawHidden);
    }
    void hiddenDepthsFollowTheLayerMode()
    {
        QFETCH(int, layerMode);
        QFETCH(int, style);
        Canvas canvas;
        canvas.add(boxOf(300, 300, 1200, 1200, 4, 20, 60));
        canvas.add(boxOf(1500, 300, 2400, 1200, 4, 20, 50));
        canvas.context.layerDrawMode = layerMode;
        canvas.context.depthVisible[60] = false;
        canvas.context.drawAllObjects();
        const QRgb expected
            = style == DrawHidden ? white : getShadedColor(canvas.context.drawing.userShades, 4, 20, style).rgb();
        QCOMPARE(canvas.pixel(50, 50), expected);
        QCOMPARE(canvas.pixel(130, 50), red);
    }

    void emptyDrawingDrawsNothing()
    {
        Canvas canvas;
        // An object that is not counted: no depth is in use.
        canvas.context.drawing.objects.push_back(boxOf(300, 300, 1200, 1200, 4, 20));
        canvas.context.drawAllObjects();
        QCOMPARE(canvas.pixel(50, 50), white);
        canvas.begin();
        canvas.context.drawObjectList(nullptr, nullptr);
        canvas.context.redrawObject(nullptr, true);
        canvas.context.redrawObjectList(nullptr, true);
        canvas.context.redrawListArea(nullptr, nullptr, nullptr);
    }

    void twoObjectsAreaCoversOldAndNewState()
    {
        Canvas canvas;
        FigLine* line = canvas.add(boxOf(300, 300, 900, 900, 4, 20));
        canvas.context.drawAllObjects();
        std::unique_ptr<FigObject> old(line->clone());
        // A corner dragged outwards: the box grows to 1500 × 1500.
        for (FigPoint* p = line->points; p; p = p->next) {
            if (p->x == 900)
                p->x = 1500;
            if (p->y == 900)
                p->y = 1500;
        }
        canvas.context.redrawTwoObjectsArea(line, old.get(), nullptr);
        QCOMPARE(canvas.pixel(90, 90), red);
        QCOMPARE(canvas.pixel(40, 40), red);

        // Shrunk again: the old, larger state is erased.
        std::unique_ptr<FigObject> larger(line->clone());
        for (FigPoint* p = line->points; p; p = p->next) {
            if (p->x == 1500)
                p->x = 600;
            if (p->y == 1500)
                p->y = 600;
        }
        canvas.begin();
        canvas.context.redrawTwoObjectsArea(line, larger.get(), nullptr);
        QVERIFY(!canvas.painter.hasClipping()); // no clip after a rectangle redraw
        QCOMPARE(canvas.pixel(90, 90), white);
        QCOMPARE(canvas.pixel(30, 30), red);

        // Leaving an object out of the area of a list.
        canvas.begin();
        FigObjectList area { line };
        canvas.context.redrawObjectArea(&area, nullptr, line);
        QCOMPARE(canvas.pixel(30, 30), white);
    }

    void wholeCanvasDrawsTheRubberBandLast()
    {
        QTChildFrm frame;
        frame.resize(200, 200);
        Canvas canvas(200, 200, frame.figContext);
        canvas.image.fill(sentinel);
        canvas.add(boxOf(150, 150, 1500, 1500, 4, 20)); // red, pixels 10..100
        FigLine* skipped = canvas.add(boxOf(1650, 1650, 2400, 2400, 1, 20));
        skipped->skipRedraw = true;

        canvasAction.actionInProgress = 1;
        canvasAction.anchorX = 300;
        canvasAction.anchorY = 750;
        canvasAction.trackX = 1350;
        canvasAction.trackY = 750;
        canvasHandlers.elasticHandler = solidBand;
        canvas.context.redrawCanvas();
        QCOMPARE(canvas.pixel(195, 5), white); // the background everywhere
        QCOMPARE(canvas.pixel(50, 50), black); // the band over the box
        QCOMPARE(canvas.pixel(50, 30), red);
        QCOMPARE(canvas.pixel(130, 130), blue); // every skip flag cleared

        // The scale mode's inverted rectangle: on the red box, cyan.
        canvas.begin();
        canvasHandlers.elasticHandler = nullptr;
        editMode = EditMode::ScaleComp;
        canvasAction.anchorY = 300;
        canvasAction.trackY = 1350;
        canvas.context.redrawCanvas();
        QCOMPARE(canvas.pixel(50, 20), cyan);
        QCOMPARE(canvas.pixel(50, 50), red);

        // No gesture, no band.
        canvas.begin();
        canvasAction.actionInProgress = 0;
        canvas.context.redrawCanvas();
        QCOMPARE(canvas.pixel(50, 20), red);
    }

    // Markers lie on top of every object; a redraw that leaves an object out
    // leaves its markers out too.
    void markersComeAfterTheObjects()
    {
        QTChildFrm frame;
        frame.resize(200, 200);
        Canvas canvas(200, 200, frame.figContext);
        FigLine* marked = canvas.add(lineOf({ { 600, 600 }, { 1200, 1200 } }, 1));
        marked->depth = 60;
        marked->selected = true;
        marked->markerState = 2;
        canvas.add(boxOf(300, 300, 1500, 1500, 1, 20, 40)); // blue, in front of the line
        canvas.context.redrawCanvas();
        QCOMPARE(canvas.pixel(40, 40), red); // the selected marker's centre
        QCOMPARE(canvas.pixel(38, 40), blue); // its border
        QCOMPARE(canvas.pixel(60, 60), blue); // the line itself lies behind the box

        canvas.begin();
        canvas.context.redrawObject(marked, true);
        QCOMPARE(canvas.pixel(40, 40), blue);
        canvas.begin();
        canvas.context.redrawObject(marked, false);
        QCOMPARE(canvas.pixel(40, 40), red);

        canvas.begin();
        FigObjectList list { marked };
        canvas.context.redrawObjectList(&list, true);
        QCOMPARE(canvas.pixel(40, 40), blue);
        canvas.begin();
        canvas.context.redrawObjectList(&list, false);
        QCOMPARE(canvas.pixel(40, 40), red);

        // The rubber band goes over the markers.
        canvas.begin();
        canvasAction.actionInProgress = 1;
        canvasAction.anchorX = 0;
        canvasAction.anchorY = 600;
        canvasAction.trackX = 1500;
        canvasAction.trackY = 600;
        canvasHandlers.elasticHandler = solidBand;
        canvas.context.redrawCanvas();
        QCOMPARE(canvas.pixel(40, 40), black);
        QCOMPARE(canvas.pixel(40, 41), red);
    }

    void gridLiesUnderTheObjects()
    {
        QTChildFrm frame;
        frame.resize(200, 200);
        Canvas canvas(200, 200, frame.figContext);
        canvas.context.showPaperFrame = false;
        canvas.add(boxOf(300, 300, 1500, 1500, 4, 20));
        canvas.context.redrawCanvas();
        const QImage withoutGrid = canvas.finished().copy();
        canvas.begin();
        canvas.context.gridOn = true;
        canvas.context.gridIndex = 2;
        canvas.context.redrawCanvas();
        const QImage& withGrid = canvas.finished();
        QVERIFY(withGrid != withoutGrid); // the grid shows around the box...
        QCOMPARE(withGrid.copy(21, 21, 78, 78), withoutGrid.copy(21, 21, 78, 78)); // ...not on it
    }

    void regionRedrawNeverDrawsTheRubberBand()
    {
        Canvas canvas;
        canvas.add(boxOf(150, 150, 1500, 1500, 4, 20));
        canvasAction.actionInProgress = 1;
        canvasAction.anchorX = 300;
        canvasAction.anchorY = 750;
        canvasAction.trackX = 1350;
        canvasAction.trackY = 750;
        canvasHandlers.elasticHandler = solidBand;
        canvas.context.redrawRect(0, 0, 3000, 3000, nullptr, false);
        QCOMPARE(canvas.pixel(50, 50), red);
    }

    void wholeCanvasNeedsWindowAndPainter()
    {
        Canvas canvas;
        canvas.add(boxOf(150, 150, 1500, 1500, 4, 20));
        canvas.context.redrawCanvas(); // window-less: nothing
        QCOMPARE(canvas.pixel(50, 50), white);

        QTChildFrm frame;
        frame.figContext->setPainter(nullptr);
        frame.figContext->redrawCanvas(); // no painter: nothing, no crash
    }
};

TAVREL_TEST_MAIN(TestRedraw)
#include "tst_redraw.moc"
