// Rubber bands: every outline drawn twice leaves the canvas as it was, over
// objects, grid and markers, at any zoom and scroll origin and whatever the
// painter's antialiasing; the move handlers leave exactly one outline; the
// shapes of the circle, ellipse and constrained-line bands.
#include "render/drawingfixtures.h"

#include "app/preferences.h"
#include "edit/canvashandlers.h"
#include "edit/editstate.h"
#include "edit/rubberband.h"
#include "model/figellipse.h"
#include "render/colors.h"
#include "render/griddef.h"
#include "render/markers.h"
#include "render/pens.h"
#include "render/resources.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include <functional>

using namespace drawingfixtures;

namespace {

using Outline = std::function<void(CFigContext*)>;

struct OutlineCase {
    const char* name;
    QPoint anchor;
    QPoint track;
    float angle;
    Outline draw;
};

const OutlineCase outlineCases[] = {
    { "segment", { 300, 450 }, { 2700, 1950 }, 0.0f,
        [](CFigContext* c) { drawRubberSegment(c, 300, 450, 2700, 1950); } },
    { "rectangle", { 300, 450 }, { 2700, 1950 }, 0.0f,
        [](CFigContext* c) { drawRubberRectangle(c, 300, 450, 2700, 1950); } },
    { "dashed rectangle", { 2700, 1950 }, { 300, 450 }, 0.0f,
        [](CFigContext* c) { drawDashedRubberRectangle(c, 2700, 1950, 300, 450); } },
    { "circle by diameter", { 600, 600 }, { 2100, 1700 }, 0.0f, [](CFigContext* c) { drawRubberCircleByDiameter(c); } },
    { "circle by radius", { 1500, 1200 }, { 2100, 1700 }, 0.0f, [](CFigContext* c) { drawRubberCircleByRadius(c); } },
    { "ellipse by diameters, turned", { 600, 600 }, { 2700, 1700 }, 0.6f,
        [](CFigContext* c) { drawRubberEllipseByDiameters(c); } },
    { "ellipse by radii, turned back", { 1500, 1200 }, { 600, 1800 }, -1.1f,
        [](CFigContext* c) { drawRubberEllipseByRadii(c); } },
    { "regular pentagon", { 1500, 1200 }, { 2400, 900 }, 0.0f,
        [](CFigContext* c) { drawRubberRegularPolygon(c, 1500, 1200, 2400, 900, 5); } },
    { "regular polygon of one vertex", { 900, 600 }, { 1200, 750 }, 0.0f,
        [](CFigContext* c) { drawRubberRegularPolygon(c, 900, 600, 1200, 750, 1); } },
};

// A gesture: the outline drawn at its first press (as its elastic handler
// draws it) and the move handler that follows the pointer.
struct GestureCase {
    const char* name;
    ElasticHandler outline;
    PointHandler move;
    ConstraintModes constraints;
};

const GestureCase gestureCases[] = {
    { "free line", drawRubberSegment, freeLineMove, {} },
    { "manhattan line", drawRubberSegment, axisDiagonalMove, { 1, 0, 0, 0 } },
    { "eight directions", drawRubberSegment, axisDiagonalMove, { 1, 1, 0, 0 } },
    { "latex line", drawRubberSegment, latexSlopeMove, { 0, 0, 1, 0 } },
    { "box", drawRubberRectangle, boxRubberMove, {} },
    { "picture", drawDashedRubberRectangle, dashedRectangleMove, {} },
    { "circle by diameter", drawRubberCircleByDiameter, circleByDiameterMove, {} },
    { "circle by radius", drawRubberCircleByRadius, circleByRadiusMove, {} },
    { "ellipse by diameters", drawRubberEllipseByDiameters, ellipseByDiametersMove, {} },
    { "ellipse by radii", drawRubberEllipseByRadii, ellipseByRadiiMove, {} },
    { "regular polygon", drawRubberRegularPolygonElastic, regularPolygonMove, {} },
};

// A canvas of 240 x 180 pixels with a filled box, a circle and a line, the
// small grid and the markers of the objects.
struct Scene : Canvas {
    Scene(float zoom, QPoint origin)
        : Canvas(240, 180)
    {
        context.zoom = zoom;
        context.originX = origin.x();
        context.originY = origin.y();
        context.gridOn = true;
        context.gridIndex = 1;
        add(boxOf(450, 450, 1800, 1350, 4, 20));
        auto* circle = new FigEllipse(1);
        circle->subType = 3;
        circle->lineWidth = 2;
        place(circle->center, 2400, 1500);
        place(circle->radii, 600, 600);
        place(circle->start, 2400, 1500);
        place(circle->end, 3000, 1500);
        add(circle);
        add(lineOf({ { 0, 2400 }, { 3300, 0 } }, 3));
        context.drawGrid();
        context.drawAllObjects();
        for (FigObject* object : context.drawing.objects) {
            object->markerState = 1;
            context.drawObjectMarkers(object);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    QImage snapshot()
    {
        painter.end();
        QImage copy = image.copy();
        begin();
        return copy;
    }
};

void setAction(QPoint anchor, QPoint track, float angle)
{
    canvasAction.anchorX = anchor.x();
    canvasAction.anchorY = anchor.y();
    canvasAction.trackX = track.x();
    canvasAction.trackY = track.y();
    canvasAction.rubberAngle = angle;
}

// The bounding box of the pixels that differ between two images.
QRect changedPixels(const QImage& a, const QImage& b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestRubberBand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        createBuiltinGrids();
        initDefaultColors();
        loadFillPatterns();
    }
    void cleanupTestCase()
    {
        releaseMarkerPixmaps();
        deleteGridDefs();
    }
    void init()
    {
        preferences = Preferences();
        preferences.antialiasing = false;
        canvasAction.actionInProgress = 0;
        setAction(QPoint(), QPoint(), 0.0f);
        constraintModes = ConstraintModes();
        currentAttrs = DrawingAttributes();
    }
    void cleanup() { init(); }

    void outlineTwiceLeavesTheCanvas_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<bool>("antialiasedFirst");
        for (int i = 0; i < int(std::size(outlineCases)); ++i) {
            const char* name = outlineCases[i].name;
            QTest::addRow("%s", name) << i << 1.0f << QPoint(0, 0) << false;
            QTest::addRow("%s, zoom 2.5, scrolled", name) << i << 2.5f << QPoint(70, 45) << false;
            QTest::addRow("%s, drawn antialiased", name) << i << 1.0f << QPoint(0, 0) << true;
        }
    }
    void outlineTwiceLeavesTheCanvas()
    {
        QFETCH(int, index);
        QFETCH(float, zoom);
        QFETCH(QPoint, origin);
        QFETCH(bool, antialiasedFirst);
        const OutlineCase& c = outlineCases[index];
        Scene scene(zoom, origin);
        setAction(c.anchor, c.track, c.angle);
        const QImage before = scene.snapshot();

        // The first press of a gesture may run with the antialiasing hint of
        // the preference, its moves and its finish without.
        scene.painter.setRenderHint(QPainter::Antialiasing, antialiasedFirst);
        c.draw(&scene.context);
        QVERIFY(scene.painter.testRenderHint(QPainter::Antialiasing) == antialiasedFirst);
        QCOMPARE(scene.painter.compositionMode(), QPainter::CompositionMode_SourceOver);
        const QImage drawn = scene.snapshot();
        QVERIFY2(drawn != before, "the outline drew nothing");
        scene.painter.setRenderHint(QPainter::Antialiasing, false);
        c.draw(&scene.context);
        QVERIFY(scene.snapshot() == before);
    }

    // A gesture drawn at its first press, moved about and erased leaves the
    // canvas as it was; after the moves exactly one outline shows, the one at
    // the last track.
    void movesKeepOneOutline_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPoint>("origin");
        for (int i = 0; i < int(std::size(gestureCases)); ++i) {
            QTest::addRow("%s", gestureCases[i].name) << i << 1.0f << QPoint(0, 0);
            QTest::addRow("%s, zoom 0.5, scrolled", gestureCases[i].name) << i << 0.5f << QPoint(-20, 10);
        }
    }
    void movesKeepOneOutline()
    {
        QFETCH(int, index);
        QFETCH(float, zoom);
        QFETCH(QPoint, origin);
        const GestureCase& g = gestureCases[index];
        constraintModes = g.constraints;
        currentAttrs.numSides = 7;
        const QPoint anchor(1500, 1200);
        Scene scene(zoom, origin);
        setAction(anchor, anchor, 0.4f);
        const QImage before = scene.snapshot();

        g.outline(&scene.context, anchor.x(), anchor.y(), anchor.x(), anchor.y());
        for (const QPoint& p : { QPoint(2100, 1650), QPoint(900, 300), QPoint(2950, 2400), QPoint(1000, 1950) })
            g.move(&scene.context, p.x(), p.y());
        const QImage moved = scene.snapshot();

        Scene reference(zoom, origin);
        g.outline(
            &reference.context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
        QVERIFY2(reference.snapshot() == moved, "the moves left more or other than the last outline");
        QVERIFY(moved != before);

        g.outline(&scene.context, canvasAction.anchorX, canvasAction.anchorY, canvasAction.trackX, canvasAction.trackY);
        QVERIFY(scene.snapshot() == before);
    }

    // At one Fig unit a pixel the circle through (0, 0) and (101, 0) lies
    // around (50, 0) with radius 50: half differences are truncated.
    void circleByDiameterTruncatesHalves()
    {
        Canvas canvas(240, 180);
        canvas.context.dpiX = canvas.context.dpiY = 1200.0f;
        canvas.context.originX = -100;
        canvas.context.originY = -90;
        const QImage before = canvas.finished().copy();
        canvas.begin();
        setAction(QPoint(0, 0), QPoint(101, 0), 0.0f);
        drawRubberCircleByDiameter(&canvas.context);
        const QImage circle = canvas.finished().copy();

        Canvas reference(240, 180);
        reference.context.dpiX = reference.context.dpiY = 1200.0f;
        reference.context.originX = -100;
        reference.context.originY = -90;
        reference.context.drawRubberEllipse(50, 0, 50, 50, 0.0f);
        QVERIFY(reference.finished() == circle);
        QCOMPARE(changedPixels(before, circle), QRect(QPoint(100, 40), QPoint(200, 140)));
    }

    // An ellipse with a zero radius either way draws nothing, and so does its
    // erase.
    void zeroRadiusEllipseDrawsNothing_data()
    {
        QTest::addColumn<QPoint>("track");
        QTest::newRow("flat") << QPoint(2400, 1200);
        QTest::newRow("upright") << QPoint(1500, 1900);
    }
    void zeroRadiusEllipseDrawsNothing()
    {
        QFETCH(QPoint, track);
        Scene scene(1.0f, QPoint());
        const QImage before = scene.snapshot();
        setAction(QPoint(1500, 1200), track, 0.3f);
        drawRubberEllipseByRadii(&scene.context);
        drawRubberEllipseByDiameters(&scene.context);
        QVERIFY(scene.snapshot() == before);
    }

    // A turned ellipse on a scrolled canvas lies around the centre's canvas
    // position.
    void turnedEllipseIsCentredOnAScrolledCanvas()
    {
        Canvas canvas(240, 180);
        canvas.context.dpiX = canvas.context.dpiY = 1200.0f;
        canvas.context.originX = 40;
        canvas.context.originY = 25;
        const QImage before = canvas.finished().copy();
        canvas.begin();
        setAction(QPoint(200, 150), QPoint(270, 110), 0.7f);
        drawRubberEllipseByRadii(&canvas.context);
        const QRect box = changedPixels(before, canvas.finished());
        QVERIFY(!box.isEmpty());
        QVERIFY2(std::abs(box.left() + box.right() - 2 * 160) <= 1 && std::abs(box.top() + box.bottom() - 2 * 125) <= 1,
            qPrintable(QStringLiteral("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    }

    // The constraints of the polyline, polygon and spline bands.
    void constrainedTrack_data()
    {
        QTest::addColumn<int>("manhattan");
        QTest::addColumn<int>("mountain");
        QTest::addColumn<int>("latexLine");
        QTest::addColumn<QPoint>("pointer"); // from the anchor
        QTest::addColumn<QPoint>("track"); // from the anchor
        QTest::newRow("manhattan: nearly horizontal") << 1 << 0 << 0 << QPoint(10, 3) << QPoint(10, 0);
        QTest::newRow("manhattan: nearly vertical") << 1 << 0 << 0 << QPoint(-4, 9) << QPoint(0, 9);
        QTest::newRow("eight directions: up and right") << 1 << 1 << 0 << QPoint(10, -6) << QPoint(10, -10);
        QTest::newRow("eight directions: down and right") << 1 << 1 << 0 << QPoint(10, 6) << QPoint(10, 10);
        QTest::newRow("eight directions: steep") << 1 << 1 << 0 << QPoint(3, -20) << QPoint(0, -20);
        QTest::newRow("mountain: steep, down and left") << 0 << 1 << 0 << QPoint(-6, 10) << QPoint(-10, 10);
        QTest::newRow("latex: slope 5 to 2") << 0 << 0 << 1 << QPoint(100, 40) << QPoint(100, 40);
        QTest::newRow("latex: rounded onto the slope") << 0 << 0 << 1 << QPoint(101, 40) << QPoint(100, 40);
    }
    void constrainedTrack()
    {
        QFETCH(int, manhattan);
        QFETCH(int, mountain);
        QFETCH(int, latexLine);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, track);
        constraintModes.manhattan = manhattan;
        constraintModes.mountain = mountain;
        constraintModes.latexLine = latexLine;
        preferences.snapMode = 1; // grid snapping: LaTeX lengths in whole units
        Scene scene(1.0f, QPoint());
        const QPoint anchor(1500, 1200);
        setAction(anchor, anchor, 0.0f);
        const PointHandler move = latexLine ? latexSlopeMove : axisDiagonalMove;
        move(&scene.context, anchor.x() + pointer.x(), anchor.y() + pointer.y());
        QCOMPARE(QPoint(canvasAction.trackX, canvasAction.trackY) - anchor, track);
    }

    // Too near the anchor, or on the track already, the bent line stays.
    void bentLineIgnoresTinyMoves()
    {
        constraintModes.manhattan = 1;
        Scene scene(1.0f, QPoint());
        setAction(QPoint(1500, 1200), QPoint(1800, 1200), 0.0f);
        drawRubberSegment(&scene.context, 1500, 1200, 1800, 1200);
        const QImage shown = scene.snapshot();
        axisDiagonalMove(&scene.context, 1501, 1201);
        axisDiagonalMove(&scene.context, 1800, 1200);
        QCOMPARE(QPoint(canvasAction.trackX, canvasAction.trackY), QPoint(1800, 1200));
        QVERIFY(scene.snapshot() == shown);
    }
};

TAVREL_TEST_MAIN(TestRubberBand)
#include "tst_rubberband.moc"
