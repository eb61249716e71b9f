// Snap steps, snapping points to the grid and to vertices, snapping a dragged
// selection and the arrow-key offset, the grid lines on the canvas and the
// grid's status text.
#include "app/preferences.h"
#include "drawingfixtures.h"
#include "edit/canvashandlers.h"
#include "model/figcontext.h"
#include "model/modelfixtures.h"
#include "render/griddef.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

using namespace fixtures;

namespace {

constexpr QRgb white = 0xffffffff;
constexpr QRgb gridGreen = 0xff008000;

// A window-less document at 80 dots per inch (15 Fig units a pixel) drawing
// without antialiasing on a white image, with counts of painted lines.
struct Canvas : drawingfixtures::Canvas {
    explicit Canvas(int size = 200)
        : drawingfixtures::Canvas(size, size)
    {
    }
    int countInColumn(int x, QRgb colour)
    {
        const QImage& done = finished();
        int n = 0;
        for (int y = 0; y < done.height(); ++y)
            n += done.pixel(x, y) == colour;
        return n;
    }
    int countInRow(int y, QRgb colour)
    {
        const QImage& done = finished();
        int n = 0;
        for (int x = 0; x < done.width(); ++x)
            n += done.pixel(x, y) == colour;
        return n;
    }
    // Columns (or rows) painted in `colour` from end to end.
    QList<int> fullColumns(QRgb colour)
    {
        QList<int> columns;
        for (int x = 0; x < finished().width(); ++x)
            if (countInColumn(x, colour) == image.height())
                columns << x;
        return columns;
    }
    QList<int> fullRows(QRgb colour)
    {
        QList<int> rows;
        for (int y = 0; y < finished().height(); ++y)
            if (countInRow(y, colour) == image.width())
                rows << y;
        return rows;
    }
};

// Appends a custom grid at index 7; cleanup() removes it.
GridDef* addCustomGrid(float step, int penStyle = Qt::SolidLine)
{
    auto* grid = new GridDef("custom", "tip", step, QColor(1, 2, 3), penStyle, ":/grid/images/grid/grid_custom.png");
    gridDefs.append(grid);
    return grid;
}

void selectBox(CFigContext& context, int x0, int y0, int x1, int y1)
{
    auto* box = new BoxObject(1, x0, y0, x1, y1);
    box->selected = true;
    context.drawing.objects.push_back(box);
}

} // namespace

class TestGrids : public QObject {
    Q_OBJECT

    Preferences saved;

private slots:
    void initTestCase() { createBuiltinGrids(); }
    void cleanupTestCase() { deleteGridDefs(); }
    void init()
    {
        saved = preferences;
        preferences.snapMode = 1;
        preferences.metric = false; // new documents count in inches
        preferences.gridColor = QColor(0, 128, 0);
        preferences.antialiasing = false;
        canvasAction.anchorX = canvasAction.anchorY = 0;
    }
    void cleanup()
    {
        preferences = saved;
        canvasAction.anchorX = canvasAction.anchorY = 0;
        while (gridDefs.size() > builtinGridCount)
            delete gridDefs.takeLast();
        for (int i = 0; i < builtinGridCount; ++i)
            gridDefs[i]->penStyle = Qt::DotLine;
    }

    // ---- Snap steps ----

    void snapStep_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("magnet");
        QTest::addColumn<double>("step");
        QTest::newRow("none") << 0 << false << 4 << 0.0;
        QTest::newRow("outside the list") << 12 << false << 4 << 0.0;
        QTest::newRow("negative index") << -1 << false << 4 << 0.0;
        QTest::newRow("medium inch, mode 1") << 2 << false << 1 << 240.0;
        QTest::newRow("small metric, mode 0") << 1 << true << 0 << 23.6220472;
        QTest::newRow("medium metric, mode 3") << 2 << true << 3 << 236.220472;
        QTest::newRow("large inch, mode 2") << 3 << false << 2 << 600.0;
        QTest::newRow("large isometric, mode 4") << 6 << false << 4 << 2400.0;
        QTest::newRow("unknown mode divides by 1") << 2 << false << 9 << 1200.0;
    }
    void snapStep()
    {
        QFETCH(int, grid);
        QFETCH(bool, metric);
        QFETCH(int, magnet);
        QFETCH(double, step);
        CFigContext context;
        context.gridIndex = grid;
        context.metric = metric;
        context.magnetMode = magnet;
        QVERIFY(std::fabs(context.snapStep() - step) < 1e-9);
    }

    // ---- Snapping a point ----

    void snapToGrid_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<float>("customStep"); // grid 7 only
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("magnet");
        QTest::addColumn<QPoint>("in");
        QTest::addColumn<QPoint>("out");

        QTest::newRow("no grid") << 0 << 0.f << false << 4 << QPoint(700, 1000) << QPoint(700, 1000);
        QTest::newRow("index outside the list") << 9 << 0.f << false << 4 << QPoint(700, 1000) << QPoint(700, 1000);
        QTest::newRow("medium inch, to the nearest step")
            << 2 << 0.f << false << 4 << QPoint(700, 1000) << QPoint(1200, 1200);
        QTest::newRow("half-way goes away from zero")
            << 2 << 0.f << false << 4 << QPoint(600, 1000) << QPoint(1200, 1200);
        QTest::newRow("negative half-way") << 2 << 0.f << false << 4 << QPoint(-600, 0) << QPoint(-1200, 0);
        QTest::newRow("negative below half") << 2 << 0.f << false << 4 << QPoint(-599, -1801) << QPoint(0, -2400);
        QTest::newRow("medium inch, mode 1") << 2 << 0.f << false << 1 << QPoint(130, -130) << QPoint(240, -240);
        QTest::newRow("medium inch, mode 1, below half") << 2 << 0.f << false << 1 << QPoint(119, -119) << QPoint(0, 0);
        QTest::newRow("small inch, mode 0") << 1 << 0.f << false << 0 << QPoint(29, 31) << QPoint(0, 60);
        QTest::newRow("small inch, mode 0, halves") << 1 << 0.f << false << 0 << QPoint(90, -90) << QPoint(120, -120);
        QTest::newRow("large inch, mode 3") << 3 << 0.f << false << 3 << QPoint(1700, 1900) << QPoint(1200, 2400);
        QTest::newRow("small metric, mode 0") << 1 << 0.f << true << 0 << QPoint(12, 35) << QPoint(24, 24);
        QTest::newRow("small metric, mode 0, negative") << 1 << 0.f << true << 0 << QPoint(-12, 36) << QPoint(-24, 47);
        QTest::newRow("medium metric") << 2 << 0.f << true << 4 << QPoint(700, 236) << QPoint(472, 0);
        QTest::newRow("medium metric, past half") << 2 << 0.f << true << 4 << QPoint(700, 237) << QPoint(472, 472);
        QTest::newRow("custom plain grid") << 7 << 0.25f << false << 4 << QPoint(449, 451) << QPoint(300, 600);
        QTest::newRow("large coordinates")
            << 2 << 0.f << false << 4 << QPoint(2147483000, -2147483000) << QPoint(2147482800, -2147482800);
        QTest::newRow("the int range's ends")
            << 2 << 0.f << false << 4 << QPoint(INT_MAX, INT_MIN) << QPoint(INT_MAX, INT_MIN);
        QTest::newRow("saturates at the int range")
            << 7 << 10000.f << false << 4 << QPoint(INT_MAX, INT_MIN) << QPoint(INT_MAX, INT_MIN);

        // Isometric: columns 1039.23 apart, odd columns half a step lower.
        QTest::newRow("iso: odd column") << 5 << 0.f << false << 4 << QPoint(1000, 100) << QPoint(1039, 600);
        QTest::newRow("iso: odd column, below") << 5 << 0.f << false << 4 << QPoint(1000, -100) << QPoint(1039, -600);
        QTest::newRow("iso: odd column, half-way below")
            << 5 << 0.f << false << 4 << QPoint(1000, -1200) << QPoint(1039, -1800);
        QTest::newRow("iso: negative odd column") << 5 << 0.f << false << 4 << QPoint(-1000, 100) << QPoint(-1039, 600);
        QTest::newRow("iso: column 0") << 5 << 0.f << false << 4 << QPoint(400, 700) << QPoint(0, 1200);
        QTest::newRow("iso: column 2") << 5 << 0.f << false << 4 << QPoint(2000, 700) << QPoint(2078, 1200);
        QTest::newRow("iso: column -2") << 5 << 0.f << false << 4 << QPoint(-2000, -500) << QPoint(-2078, 0);
        // x snaps to 57.99999999999999 columns: an even column all the same.
        QTest::newRow("iso: column 58") << 5 << 0.f << false << 4 << QPoint(60275, 700) << QPoint(60275, 1200);
        QTest::newRow("iso: column -58") << 5 << 0.f << false << 4 << QPoint(-60275, 700) << QPoint(-60275, 1200);
        QTest::newRow("iso: large, mode 3") << 6 << 0.f << false << 3 << QPoint(1000, 100) << QPoint(1039, 600);
        QTest::newRow("iso: small metric, mode 0") << 4 << 0.f << true << 0 << QPoint(30, 5) << QPoint(20, 12);
    }
    void snapToGrid()
    {
        QFETCH(int, grid);
        QFETCH(float, customStep);
        QFETCH(bool, metric);
        QFETCH(int, magnet);
        QFETCH(QPoint, in);
        QFETCH(QPoint, out);
        if (grid == 7)
            addCustomGrid(customStep);
        CFigContext context;
        context.gridIndex = grid;
        context.metric = metric;
        context.magnetMode = magnet;
        int x = in.x();
        int y = in.y();
        context.snapToGrid(&x, &y);
        QCOMPARE(QPoint(x, y), out);
    }

    void snapNeedsTheGridBit()
    {
        CFigContext context;
        context.gridIndex = 2;
        context.magnetMode = 4;
        preferences.snapMode = 2;
        int x = 700;
        int y = 1000;
        context.snapToGrid(&x, &y);
        QCOMPARE(QPoint(x, y), QPoint(700, 1000));
        preferences.snapMode = 3;
        context.snapToGrid(&x, &y);
        QCOMPARE(QPoint(x, y), QPoint(1200, 1200));
        context.snapToGrid(nullptr, &y); // no crash
    }

    // A grid whose step is not a positive number neither snaps nor draws,
    // nor moves a selection: nothing moves to 0 through a NaN.
    void unusableStepDoesNothing_data()
    {
        QTest::addColumn<double>("step");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -1200.0;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    }
    void unusableStepDoesNothing()
    {
        QFETCH(double, step);
        GridDef* grid = addCustomGrid(1);
        grid->step = float(step / 1200);
        grid->inchStep = grid->metricStep = step;
        grid->inchHalfStep = grid->metricHalfStep = step / 2;
        Canvas canvas;
        CFigContext& context = canvas.context;
        context.gridIndex = 7;
        context.magnetMode = 4;
        int x = 700;
        int y = -1000;
        context.snapToGrid(&x, &y);
        QCOMPARE(QPoint(x, y), QPoint(700, -1000));

        selectBox(context, 300, 300, 900, 900);
        canvasAction.anchorX = canvasAction.anchorY = 300;
        context.snapSelectionToGrid(1, 2, &x, &y);
        QCOMPARE(QPoint(x, y), QPoint(700, -1000));
        int dx = 12345;
        int dy = 12345;
        context.gridOffsetForSelection(3, 4, &dx, &dy);
        QCOMPARE(QPoint(dx, dy), QPoint(12345, 12345));

        context.gridOn = true;
        context.drawGrid();
        QCOMPARE(canvas.count(white), 200 * 200);
    }

    // ---- Snapping to vertices ----

    void snapToVertex_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPoint>("offset"); // Fig units from the vertex
        QTest::addColumn<bool>("snaps");
        QTest::newRow("4 pixels right and below") << 1.f << QPoint(60, 60) << true;
        QTest::newRow("5 pixels left and above") << 1.f << QPoint(-75, -75) << true;
        QTest::newRow("6 pixels right") << 1.f << QPoint(90, 0) << false;
        QTest::newRow("6 pixels below") << 1.f << QPoint(0, 90) << false;
        QTest::newRow("zoom 2, 4 pixels") << 2.f << QPoint(30, -30) << true;
        QTest::newRow("zoom 2, 6 pixels") << 2.f << QPoint(45, 0) << false;
    }
    void snapToVertex()
    {
        QFETCH(float, zoom);
        QFETCH(QPoint, offset);
        QFETCH(bool, snaps);
        preferences.snapMode = 2;
        CFigContext context;
        context.zoom = zoom;
        context.drawing.objects.push_back(makeLine(1, { { 1500, 1500 }, { 3000, 1500 } }));
        int x = 1500 + offset.x();
        int y = 1500 + offset.y();
        QCOMPARE(context.snapToVertex(&x, &y), snaps);
        QCOMPARE(QPoint(x, y), snaps ? QPoint(1500, 1500) : QPoint(1500, 1500) + offset);
    }

    void snapToVertexPassesOver()
    {
        CFigContext context;
        FigLine* own = makeLine(1, { { 1500, 1500 } });
        FigLine* hidden = makeLine(2, { { 3000, 3000 } });
        hidden->depth = 7;
        context.drawing.objects.push_back(own);
        context.drawing.objects.push_back(hidden);
        context.depthVisible[7] = false;
        context.currentObject = own;
        preferences.snapMode = 3;
        int x = 1530;
        int y = 1530;
        QVERIFY(!context.snapToVertex(&x, &y)); // the current object's own vertex
        x = y = 3030;
        QVERIFY(!context.snapToVertex(&x, &y)); // hidden depth
        QCOMPARE(QPoint(x, y), QPoint(3030, 3030));
        context.currentObject = nullptr;
        preferences.snapMode = 1; // vertex bit off
        x = y = 1530;
        QVERIFY(!context.snapToVertex(&x, &y));
        QCOMPARE(QPoint(x, y), QPoint(1530, 1530));
        preferences.snapMode = 2;
        QVERIFY(context.snapToVertex(&x, &y));
        QCOMPARE(QPoint(x, y), QPoint(1500, 1500));
    }

    // ---- A dragged selection ----

    void snapSelection_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<QRect>("box"); // selection bounds, empty for none
        QTest::addColumn<int>("hEdge");
        QTest::addColumn<int>("vEdge");
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("out");
        const QRect box(QPoint(300, 300), QPoint(900, 700));
        QTest::newRow("left and top edges")
            << 2 << box << 1 << 2 << QPoint(300, 300) << QPoint(1000, 1000) << QPoint(1200, 1200);
        QTest::newRow("right and bottom edges")
            << 2 << box << 3 << 4 << QPoint(300, 300) << QPoint(1000, 1000) << QPoint(1800, 2000);
        QTest::newRow("back to the left")
            << 2 << box << 1 << 2 << QPoint(300, 300) << QPoint(-1000, 300) << QPoint(-1200, 0);
        QTest::newRow("other edge codes take 0")
            << 2 << box << 0 << 7 << QPoint(300, 300) << QPoint(1000, 1000) << QPoint(1500, 1500);
        QTest::newRow("the point itself")
            << 2 << box << 5 << 5 << QPoint(300, 300) << QPoint(700, 1000) << QPoint(1200, 1200);
        QTest::newRow("nothing selected snaps the point")
            << 2 << QRect() << 1 << 2 << QPoint(300, 300) << QPoint(700, 1000) << QPoint(1200, 1200);
        QTest::newRow("no grid") << 0 << box << 1 << 2 << QPoint(300, 300) << QPoint(700, 1000) << QPoint(700, 1000);
        // The vertical edge lands on a multiple of the step, whatever the column.
        QTest::newRow("isometric") << 5 << box << 1 << 2 << QPoint(300, 300) << QPoint(1300, 1300)
                                   << QPoint(1039, 1200);
        // Left of and above the origin the edge goes to its nearest line too.
        QTest::newRow("negative edges") << 2 << QRect(QPoint(-900, -900), QPoint(-300, -300)) << 1 << 2
                                        << QPoint(-900, -900) << QPoint(-900, -900) << QPoint(-1200, -1200);
        // Past the int range the position stops at its end.
        QTest::newRow("large coordinates") << 2 << QRect(QPoint(2147483000, 0), QPoint(2147483600, 0)) << 3 << 4
                                           << QPoint(2147483000, 0) << QPoint(INT_MAX, 0) << QPoint(INT_MAX, 0);
    }
    void snapSelection()
    {
        QFETCH(int, grid);
        QFETCH(QRect, box);
        QFETCH(int, hEdge);
        QFETCH(int, vEdge);
        QFETCH(QPoint, anchor);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, out);
        CFigContext context;
        context.gridIndex = grid;
        context.magnetMode = 4;
        if (!box.isNull())
            selectBox(context, box.left(), box.top(), box.right(), box.bottom());
        context.drawing.objects.push_back(new BoxObject(2, -5000, -5000, 5000, 5000)); // not selected
        canvasAction.anchorX = anchor.x();
        canvasAction.anchorY = anchor.y();
        int x = pointer.x();
        int y = pointer.y();
        context.snapSelectionToGrid(hEdge, vEdge, &x, &y);
        QCOMPARE(QPoint(x, y), out);
    }

    // The selection's bounds take line widths only when the preference says so.
    void snapSelectionLineWidths()
    {
        for (bool withWidths : { false, true }) {
            preferences.snapToGridUsingLineWidth = withWidths;
            CFigContext context;
            context.gridIndex = 2;
            auto* compound = new BoundedCompound(1, { new BoxObject(2, 0, 0, 10, 10) });
            compound->selected = true;
            context.drawing.objects.push_back(compound);
            int x = 100;
            int y = 100;
            context.snapSelectionToGrid(1, 2, &x, &y);
            QCOMPARE(compound->lastFlags, std::make_pair(false, withWidths));
            int dx = 0;
            int dy = 0;
            compound->lastFlags = { true, !withWidths };
            context.gridOffsetForSelection(3, 4, &dx, &dy);
            QCOMPARE(compound->lastFlags, std::make_pair(false, withWidths));
        }
    }

    // ---- The arrow-key offset ----

    void gridOffset_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("magnet");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<int>("hEdge");
        QTest::addColumn<int>("vEdge");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("edges on lines: a whole step forward")
            << 2 << 4 << QRect(QPoint(0, 0), QPoint(1200, 1200)) << 3 << 4 << QPoint(1200, 1200);
        QTest::newRow("0.3 steps past a line: 0.7 steps on")
            << 2 << 4 << QRect(QPoint(0, 0), QPoint(1560, 1560)) << 3 << 4 << QPoint(840, 840);
        QTest::newRow("edges on lines: a whole step back")
            << 2 << 4 << QRect(QPoint(1200, 2400), QPoint(5000, 5000)) << 1 << 2 << QPoint(-1200, -1200);
        QTest::newRow("0.3 steps past a line: back to it")
            << 2 << 4 << QRect(QPoint(1560, 1560), QPoint(5000, 5000)) << 1 << 2 << QPoint(-360, -360);
        QTest::newRow("within one unit of a line counts as on it")
            << 2 << 4 << QRect(QPoint(0, 0), QPoint(1199, 1201)) << 3 << 4 << QPoint(1201, 1199);
        QTest::newRow("magnet mode 1") << 2 << 1 << QRect(QPoint(0, 0), QPoint(1300, 1300)) << 3 << 4
                                       << QPoint(140, 140);
        QTest::newRow("isometric") << 5 << 4 << QRect(QPoint(0, 0), QPoint(1039, 600)) << 3 << 4 << QPoint(1039, 600);
        QTest::newRow("negative right edge")
            << 2 << 4 << QRect(QPoint(-5000, -5000), QPoint(-360, -360)) << 3 << 4 << QPoint(360, 360);
        QTest::newRow("negative left edge")
            << 2 << 4 << QRect(QPoint(-360, -360), QPoint(5000, 5000)) << 1 << 2 << QPoint(-840, -840);
        QTest::newRow("nothing selected, forward") << 2 << 4 << QRect() << 3 << 4 << QPoint(1200, 1200);
        QTest::newRow("nothing selected, back") << 2 << 4 << QRect() << 1 << 2 << QPoint(-1200, -1200);
    }
    void gridOffset()
    {
        QFETCH(int, grid);
        QFETCH(int, magnet);
        QFETCH(QRect, box);
        QFETCH(int, hEdge);
        QFETCH(int, vEdge);
        QFETCH(QPoint, offset);
        CFigContext context;
        context.gridIndex = grid;
        context.magnetMode = magnet;
        if (!box.isNull())
            selectBox(context, box.left(), box.top(), box.right(), box.bottom());
        int dx = 12345;
        int dy = 12345;
        context.gridOffsetForSelection(hEdge, vEdge, &dx, &dy);
        QCOMPARE(QPoint(dx, dy), offset);
    }

    void gridOffsetWithoutGridWritesNothing()
    {
        CFigContext context;
        context.gridIndex = 0;
        selectBox(context, 0, 0, 1560, 1560);
        int dx = 12345;
        int dy = 12345;
        context.gridOffsetForSelection(3, 4, &dx, &dy);
        QCOMPARE(QPoint(dx, dy), QPoint(12345, 12345));
    }

    // An edge whose next grid line lies past the int range stays where it is.
    void gridOffsetLargeCoordinates()
    {
        CFigContext context;
        context.gridIndex = 2;
        context.magnetMode = 4;
        selectBox(context, INT_MIN + 100, INT_MIN + 100, INT_MAX - 47, INT_MAX - 47);
        int dx = 0;
        int dy = 0;
        context.gridOffsetForSelection(3, 4, &dx, &dy);
        QCOMPARE(dx, 0);
        QCOMPARE(dy, 0);
        context.gridOffsetForSelection(1, 2, &dx, &dy);
        QCOMPARE(dx, 0);
        QCOMPARE(dy, 0);
    }

    // ---- Drawing ----

    // Solid one-inch custom grid: 80 pixels a step at zoom 1 and 80 dpi.
    void plainGridLines_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("inch") << false << 1.f << QPoint(0, 0) << QList<int> { 80, 160 } << QList<int> { 80, 160 };
        QTest::newRow("scrolled") << false << 1.f << QPoint(30, 50) << QList<int> { 50, 130 }
                                  << QList<int> { 30, 110, 190 };
        QTest::newRow("a line on pixel 0 is not drawn")
            << false << 1.f << QPoint(80, 160) << QList<int> { 80, 160 } << QList<int> { 80, 160 };
        QTest::newRow("negative origin") << false << 1.f << QPoint(-30, -10) << QList<int> { 30, 110, 190 }
                                         << QList<int> { 10, 90, 170 };
        QTest::newRow("metric") << true << 1.f << QPoint(0, 0) << QList<int> { 31, 63, 94, 126, 157, 189 }
                                << QList<int> { 31, 63, 94, 126, 157, 189 };
        QTest::newRow("zoom 2") << false << 2.f << QPoint(0, 0) << QList<int> { 160 } << QList<int> { 160 };
        QTest::newRow("zoom 0.5") << false << 0.5f << QPoint(0, 0) << QList<int> { 40, 80, 120, 160 }
                                  << QList<int> { 40, 80, 120, 160 };
    }
    void plainGridLines()
    {
        QFETCH(bool, metric);
        QFETCH(float, zoom);
        QFETCH(QPoint, origin);
        QFETCH(QList<int>, columns);
        QFETCH(QList<int>, rows);
        addCustomGrid(1);
        Canvas canvas;
        canvas.context.gridIndex = 7;
        canvas.context.metric = metric;
        canvas.context.zoom = zoom;
        canvas.context.originX = origin.x();
        canvas.context.originY = origin.y();
        canvas.context.drawGrid();
        QCOMPARE(canvas.fullColumns(gridGreen), columns);
        QCOMPARE(canvas.fullRows(gridGreen), rows);
        // Nothing between the lines.
        const int lines = columns.size() * 200 + rows.size() * 200 - columns.size() * rows.size();
        QCOMPARE(canvas.count(gridGreen), lines);
    }

    // The built-in grids draw dotted lines in the preference's colour.
    void builtinGridIsDotted()
    {
        Canvas canvas;
        canvas.context.gridIndex = 2;
        canvas.context.drawGrid();
        const int onLine = canvas.countInColumn(80, gridGreen);
        QVERIFY(onLine > 40 && onLine < 200);
        QVERIFY(canvas.countInColumn(81, gridGreen) <= 2);
        QVERIFY(canvas.countInColumn(0, gridGreen) <= 2);
    }

    // Vertical lines c = 80 × cos 30° apart; slanted lines at ±30° through the
    // lattice points, covering the window from edge to edge.
    void isometricGridLines_data()
    {
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<int>("probe"); // a column crossed by slanted lines
        QTest::addColumn<QList<int>>("crossings");
        QTest::newRow("at the origin") << QPoint(0, 0) << QList<int> { 69, 139 } << 35
                                       << QList<int> { 20, 60, 100, 140, 180 };
        QTest::newRow("right edge") << QPoint(0, 0) << QList<int> { 69, 139 } << 195
                                    << QList<int> { 33, 47, 113, 127, 193 };
        QTest::newRow("scrolled") << QPoint(20, 10) << QList<int> { 49, 119, 188 } << 35
                                  << QList<int> { 22, 38, 102, 118, 182, 198 };
    }
    void isometricGridLines()
    {
        QFETCH(QPoint, origin);
        QFETCH(QList<int>, columns);
        QFETCH(int, probe);
        QFETCH(QList<int>, crossings);
        gridDefs[5]->penStyle = Qt::SolidLine;
        Canvas canvas;
        canvas.context.gridIndex = 5;
        canvas.context.originX = origin.x();
        canvas.context.originY = origin.y();
        canvas.context.drawGrid();
        QCOMPARE(canvas.fullColumns(gridGreen), columns);
        QCOMPARE(canvas.fullRows(gridGreen), QList<int>());
        const QImage& image = canvas.finished();
        // Each crossing within a pixel of where the line passes; nothing else.
        for (int y = 0; y < 200; ++y) {
            const bool near
                = std::any_of(crossings.begin(), crossings.end(), [y](int c) { return std::abs(y - c) <= 1; });
            if (!near)
                QVERIFY2(image.pixel(probe, y) == white, qPrintable(QString::number(y)));
        }
        for (int c : crossings) {
            bool hit = false;
            for (int y = c - 1; y <= c + 1; ++y)
                hit = hit || (y >= 0 && y < 200 && image.pixel(probe, y) == gridGreen);
            QVERIFY2(hit, qPrintable(QString::number(c)));
        }
    }

    // The grid belongs to the drawing: seen from a view moved by (dx, dy),
    // every line and every dot lies on the same drawing pixel, bar the
    // lines the window's first column and row leave out; and a grid drawn
    // through a clip, piece by piece, is the grid drawn whole.
    void gridStaysWithTheDrawing_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("penStyle");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<float>("zoom");
        QTest::newRow("dotted") << 2 << int(Qt::DotLine) << false << 1.f;
        QTest::newRow("dotted, metric, zoom 0.7") << 1 << int(Qt::DotLine) << true << 0.7f;
        QTest::newRow("dash-dot, zoom 1.3") << 3 << int(Qt::DashDotLine) << false << 1.3f;
        QTest::newRow("isometric, dotted") << 5 << int(Qt::DotLine) << false << 1.f;
        QTest::newRow("isometric, solid, zoom 0.37") << 4 << int(Qt::SolidLine) << false << 0.37f;
        QTest::newRow("isometric, dashed, metric") << 6 << int(Qt::DashLine) << true << 1.f;
        QTest::newRow("lines under a pixel apart") << 1 << int(Qt::DotLine) << false << 0.02f;
    }
    void gridStaysWithTheDrawing()
    {
        QFETCH(int, grid);
        QFETCH(int, penStyle);
        QFETCH(bool, metric);
        QFETCH(float, zoom);
        gridDefs[grid]->penStyle = penStyle;
        auto drawn = [&](QPoint origin, QRect clip = QRect()) {
            Canvas canvas;
            canvas.context.gridIndex = grid;
            canvas.context.metric = metric;
            canvas.context.zoom = zoom;
            canvas.context.originX = origin.x();
            canvas.context.originY = origin.y();
            if (!clip.isNull())
                canvas.painter.setClipRect(clip);
            canvas.context.drawGrid();
            return canvas.finished();
        };
        const QImage whole = drawn(QPoint(1000, 2000));
        int onLines = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x)
                onLines += whole.pixel(x, y) == gridGreen;
        QVERIFY(onLines > 200);
        for (const QPoint& d : { QPoint(7, 0), QPoint(0, 13), QPoint(-31, 3), QPoint(61, -17) }) {
            const QImage moved = drawn(QPoint(1000, 2000) + d);
            for (int y = 1; y < 199; ++y)
                for (int x = 1; x < 199; ++x) {
                    const QPoint at(x + d.x(), y + d.y());
                    if (at.x() < 1 || at.y() < 1 || at.x() > 198 || at.y() > 198)
                        continue;
                    QVERIFY2(moved.pixel(x, y) == whole.pixel(at),
                        qPrintable(QStringLiteral("(%1, %2) moved by (%3, %4)").arg(x).arg(y).arg(d.x()).arg(d.y())));
                }
        }
        QImage pieces(whole.size(), whole.format());
        for (const QRect& piece : { QRect(0, 0, 200, 37), QRect(0, 37, 59, 163), QRect(59, 37, 141, 163) }) {
            const QImage part = drawn(QPoint(1000, 2000), piece);
            for (int y = piece.top(); y <= piece.bottom(); ++y)
                for (int x = piece.left(); x <= piece.right(); ++x)
                    pieces.setPixel(x, y, part.pixel(x, y));
        }
        QCOMPARE(pieces, whole);
    }

    void noGridDrawsNothing_data()
    {
        QTest::addColumn<int>("grid");
        QTest::newRow("none") << 0;
        QTest::newRow("minus one") << -1;
        QTest::newRow("past the list") << 20;
    }
    void noGridDrawsNothing()
    {
        QFETCH(int, grid);
        Canvas canvas;
        canvas.context.gridOn = true;
        canvas.context.gridIndex = grid;
        canvas.context.drawGrid();
        QCOMPARE(canvas.count(white), 200 * 200);
    }

    // Antialiasing goes back to the preference, whatever the painter had.
    void gridPutsAntialiasingBack()
    {
        for (bool antialiasing : { false, true }) {
            preferences.antialiasing = antialiasing;
            Canvas canvas;
            canvas.painter.setRenderHint(QPainter::Antialiasing, !antialiasing);
            canvas.context.gridIndex = 5;
            canvas.context.drawGrid();
            QCOMPARE(canvas.painter.testRenderHint(QPainter::Antialiasing), antialiasing);
        }
    }

    // ---- Paper ----

    void paperSize_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSizeF>("cm");
        QTest::addColumn<QSize>("figUnits");
        QTest::newRow("A4") << 13 << false << QSizeF(21, 30) << QSize(9921, 14031);
        QTest::newRow("A4 landscape") << 13 << true << QSizeF(30, 21) << QSize(14031, 9921);
        QTest::newRow("Letter") << 0 << false << QSizeF(22, 28) << QSize(10200, 13200);
        QTest::newRow("B0 landscape") << 28 << true << QSizeF(146, 103) << QSize(68783, 48666);
        QTest::newRow("outside the table") << 29 << false << QSizeF(0, 0) << QSize(0, 0);
        QTest::newRow("negative") << -1 << true << QSizeF(0, 0) << QSize(0, 0);
    }
    void paperSize()
    {
        QFETCH(int, paper);
        QFETCH(bool, landscape);
        QFETCH(QSizeF, cm);
        QFETCH(QSize, figUnits);
        CFigContext context;
        context.paperIndex = paper;
        context.landscape = landscape;
        float w = -1;
        float h = -1;
        context.paperSizeCm(&w, &h);
        QCOMPARE(QSizeF(w, h), cm);
        int fw = -1;
        int fh = -1;
        context.paperSizeFigUnits(&fw, &fh);
        QCOMPARE(QSize(fw, fh), figUnits);
    }

    // At zoom 0.25 a centimetre is 7.87 pixels: A4 is framed 165 x 236
    // pixels (21 x 30 cm); at zoom 1, 31.5 pixels: 661 x 945. The dotted
    // edges show on their whole length.
    void paperFrame_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QRect>("frame"); // canvas pixels of the page's edges
        QTest::addColumn<bool>("leftAndTop");
        QTest::newRow("A4 portrait") << 0.25f << false << QPoint(0, 0) << QRect(QPoint(0, 0), QPoint(165, 236))
                                     << false;
        QTest::newRow("A4 landscape") << 0.25f << true << QPoint(0, 0) << QRect(QPoint(0, 0), QPoint(236, 165))
                                      << false;
        QTest::newRow("page away from the corner")
            << 0.25f << false << QPoint(-10, -20) << QRect(QPoint(10, 20), QPoint(175, 256)) << true;
        QTest::newRow("landscape, scrolled")
            << 0.25f << true << QPoint(20, 30) << QRect(QPoint(-20, -30), QPoint(216, 135)) << false;
        QTest::newRow("A4 portrait, zoom 1")
            << 1.0f << false << QPoint(0, 0) << QRect(QPoint(0, 0), QPoint(661, 945)) << false;
        QTest::newRow("A4 landscape, zoom 1")
            << 1.0f << true << QPoint(0, 0) << QRect(QPoint(0, 0), QPoint(945, 661)) << false;
        QTest::newRow("A4 landscape, zoom 1, away from the corner")
            << 1.0f << true << QPoint(-7, -5) << QRect(QPoint(7, 5), QPoint(952, 666)) << true;
    }
    void paperFrame()
    {
        QFETCH(float, zoom);
        QFETCH(bool, landscape);
        QFETCH(QPoint, origin);
        QFETCH(QRect, frame);
        QFETCH(bool, leftAndTop);
        const int size = std::max({ 300, frame.right() + 10, frame.bottom() + 10 });
        const int last = size - 1;
        Canvas canvas(size);
        canvas.context.zoom = zoom;
        canvas.context.landscape = landscape;
        canvas.context.originX = origin.x();
        canvas.context.originY = origin.y();
        canvas.context.drawPaperFrame();
        const QImage& image = canvas.finished();
        constexpr QRgb black = 0xff000000;
        auto blackInColumn = [&](int x, int from, int to) {
            int n = 0;
            for (int y = std::max(from, 0); y <= std::min(to, last); ++y)
                n += image.pixel(x, y) == black;
            return n;
        };
        auto blackInRow = [&](int y, int from, int to) {
            int n = 0;
            for (int x = std::max(from, 0); x <= std::min(to, last); ++x)
                n += image.pixel(x, y) == black;
            return n;
        };
        // Right and bottom edges, dotted from end to end.
        const int visibleHeight = std::min(frame.bottom(), last) - std::max(frame.top(), 0);
        const int visibleWidth = std::min(frame.right(), last) - std::max(frame.left(), 0);
        QVERIFY(blackInColumn(frame.right(), frame.top(), frame.bottom()) >= visibleHeight / 4);
        QVERIFY(blackInRow(frame.bottom(), frame.left(), frame.right()) >= visibleWidth / 4);
        // The dots are near both ends of each edge.
        QVERIFY(blackInColumn(frame.right(), frame.bottom() - 3, frame.bottom()) > 0);
        QVERIFY(blackInColumn(frame.right(), std::max(frame.top(), 0), std::max(frame.top(), 0) + 3) > 0);
        if (leftAndTop) {
            QVERIFY(blackInColumn(frame.left(), frame.top(), frame.bottom()) >= frame.height() / 4);
            QVERIFY(blackInRow(frame.top(), frame.left(), frame.right()) >= frame.width() / 4);
        }
        // Nothing else: four edges at most.
        int total = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                if (image.pixel(x, y) != black)
                    continue;
                ++total;
                const bool onEdge = x == frame.right() || y == frame.bottom()
                    || (leftAndTop && (x == frame.left() || y == frame.top()));
                QVERIFY2(onEdge, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        QVERIFY(total > 0);
    }

    void paperFrameOff()
    {
        preferences.antialiasing = true;
        Canvas canvas;
        canvas.context.showPaperFrame = false;
        canvas.context.originX = canvas.context.originY = -10;
        canvas.context.drawPaperFrame();
        QVERIFY(!canvas.painter.testRenderHint(QPainter::Antialiasing));
        QCOMPARE(canvas.count(white), 200 * 200);

        Canvas shown;
        shown.context.originX = shown.context.originY = -10;
        shown.context.drawPaperFrame();
        QVERIFY(shown.painter.testRenderHint(QPainter::Antialiasing)); // the preference, put back
        QVERIFY(shown.count(white) < 200 * 200);
    }

    // A far scroll origin does not wrap the edges around onto the canvas.
    void paperFrameFarOrigin()
    {
        Canvas canvas;
        canvas.context.zoom = 99.99f;
        canvas.context.paperIndex = 17; // A0
        canvas.context.originX = INT_MIN;
        canvas.context.originY = INT_MAX;
        canvas.context.drawPaperFrame();
        QCOMPARE(canvas.count(white), 200 * 200);
    }

    // ---- Status text ----

    void statusText_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<float>("customStep");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << false << 0.f << "No GRID";
        QTest::newRow("small inch") << 1 << false << 0.f << "Half inch GRID";
        QTest::newRow("medium metric") << 2 << true << 0.f << "One centimeter GRID";
        QTest::newRow("large inch") << 3 << false << 0.f << "Two inch GRID";
        QTest::newRow("small isometric metric") << 4 << true << 0.f << "Half centimeter GRID";
        QTest::newRow("large isometric") << 6 << false << 0.f << "Two inch GRID";
        QTest::newRow("custom") << 7 << true << 0.25f << "Custom grid with step size 0.25";
        QTest::newRow("custom, six digits") << 7 << false << 1.2345678f << "Custom grid with step size 1.23457";
    }
    void statusText()
    {
        QFETCH(int, grid);
        QFETCH(bool, metric);
        QFETCH(float, customStep);
        QFETCH(QString, text);
        if (grid == 7)
            addCustomGrid(customStep);
        StatusRecorder recorder;
        CFigContext context;
        context.gridIndex = grid;
        context.metric = metric;
        context.gridStatusText();
        QCOMPARE(recorder.messages, QStringList { text });
    }
};

TAVREL_TEST_MAIN(TestGrids)
#include "tst_grids.moc"
