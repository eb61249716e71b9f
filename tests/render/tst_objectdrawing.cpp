#include "drawingfixtures.h"

#include "app/preferences.h"
#include "model/figellipse.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/pointbuffer.h"
#include "support/testenv.h"

#include <QPixmap>

#include <cmath>
#include <memory>

using namespace drawingfixtures;

namespace {

// Lengths of the runs of `colour` along row y from x0 to x1.
QList<int> runsAlongRow(const QImage& image, int y, int x0, int x1, QRgb colour)
{
    QList<int> runs;
    int run = 0;
    for (int x = x0; x <= x1; ++x) {
        if (image.pixel(x, y) == colour) {
            ++run;
        } else if (run > 0) {
            runs << run;
            run = 0;
        }
    }
    if (run > 0)
        runs << run;
    return runs;
}

} // namespace

class TestObjectDrawing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
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
    }

    void filledBoxShowsItsShade_data()
    {
        QTest::addColumn<int>("fillColor");
        QTest::addColumn<int>("fillStyle");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("blue, full") << 1 << 20 << blue;
        QTest::newRow("red, full") << 4 << 20 << red;
        QTest::newRow("green, black shade") << 2 << 0 << black;
        QTest::newRow("red, white tint") << 4 << 40 << white;
        QTest::newRow("default colour, full") << -1 << 20 << black;
        QTest::newRow("blue, shade 10") << 1 << 10 << QRgb(0xff000000u | standardShades[1].shade[10]);
        QTest::newRow("magenta, tint 30") << 5 << 30 << QRgb(0xff000000u | standardShades[5].shade[30]);
        QTest::newRow("not filled") << 4 << -1 << white;
    }
    void filledBoxShowsItsShade()
    {
        QFETCH(int, fillColor);
        QFETCH(int, fillStyle);
        QFETCH(QRgb, expected);
        Canvas canvas;
        std::unique_ptr<FigObject> box(boxOf(150, 150, 1500, 1500, fillColor, fillStyle));
        box->draw(&canvas.context);
        QCOMPARE(canvas.pixel(55, 55), expected);
        QCOMPARE(canvas.pixel(10, 55), black); // the outline
        QCOMPARE(canvas.pixel(5, 55), white);
    }

    void lineStartsAtMappedPixel_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("originX");
        QTest::addColumn<int>("originY");
        QTest::addColumn<QPoint>("first");
        QTest::newRow("zoom 1") << 1.0f << 0 << 0 << QPoint(10, 20);
        QTest::newRow("zoom 1, scrolled") << 1.0f << 5 << -7 << QPoint(5, 27);
        QTest::newRow("zoom 2, scrolled") << 2.0f << 3 << 4 << QPoint(17, 36);
        // 0.7 × 1750 / 15 = 81.67; at 72 dpi the single-precision order
        // matters, at 80 it does not.
        QTest::newRow("zoom 0.7") << 0.7f << 0 << 0 << QPoint(82, 14);
    }
    void lineStartsAtMappedPixel()
    {
        QFETCH(float, zoom);
        QFETCH(int, originX);
        QFETCH(int, originY);
        QFETCH(QPoint, first);
        Canvas canvas;
        canvas.context.zoom = zoom;
        canvas.context.originX = originX;
        canvas.context.originY = originY;
        const int startX = QTest::currentDataTag() == QByteArray("zoom 0.7") ? 1750 : 150;
        std::unique_ptr<FigObject> line(lineOf({ { startX, 300 }, { startX + 1500, 300 } }, 1));
        line->draw(&canvas.context);
        QCOMPARE(canvas.pixel(first.x(), first.y()), black);
        QCOMPARE(canvas.pixel(first.x() - 1, first.y()), white);
        QCOMPARE(canvas.pixel(first.x() + 1, first.y()), black);
    }

    void dashesHaveTheirLength_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<float>("styleVal");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("dash");
        QTest::newRow("width 1, dash 6") << 1 << 6.0f << 1.0f << 6;
        QTest::newRow("width 2, dash 8") << 2 << 8.0f << 1.0f << 8;
        QTest::newRow("width 1, dash 6, zoom 2") << 1 << 6.0f << 2.0f << 12;
    }
    void dashesHaveTheirLength()
    {
        QFETCH(int, lineWidth);
        QFETCH(float, styleVal);
        QFETCH(float, zoom);
        QFETCH(int, dash);
        Canvas canvas(400, 60);
        canvas.context.zoom = zoom;
        // From pixel 10 to pixel 310 at every zoom.
        const int y = 600;
        std::unique_ptr<FigLine> line(lineOf(
            { { roundToIntF(150 / zoom), roundToIntF(y / zoom) }, { roundToIntF(4650 / zoom), roundToIntF(y / zoom) } },
            lineWidth));
        line->lineStyle = 1;
        line->styleVal = styleVal;
        line->draw(&canvas.context);
        const QImage& image = canvas.finished();
        const int row = 40;
        QList<int> runs = runsAlongRow(image, row, 0, 399, black);
        QVERIFY2(runs.size() >= 10, qPrintable(QStringLiteral("%1 runs").arg(runs.size())));
        runs.removeLast(); // the last dash may be cut short by the end of the line
        for (int run : qAsConst(runs))
            QCOMPARE(run, dash);
        // Gaps are as long as the dashes.
        QList<int> gaps = runsAlongRow(image, row, 10, 309, white);
        gaps.removeLast();
        for (int gap : qAsConst(gaps))
            QCOMPARE(gap, dash);
    }

    void hiddenDepthIsDimmedOrGreyed()
    {
        Canvas canvas;
        std::unique_ptr<FigObject> box(boxOf(150, 150, 1500, 1500, 4, 20, 7));
        canvas.context.depthVisible[7] = false;

        canvas.context.layerDrawMode = 10;
        QCOMPARE(canvas.context.drawStyleOf(box.get()), int(DrawDimmed));
        box->draw(&canvas.context);
        const QRgb dimmed = canvas.pixel(55, 55);
        QCOMPARE(dimmed, getShadedColor(canvas.context.drawing.userShades, 4, 20, DrawDimmed).rgb());
        QVERIFY(dimmed != red);

        canvas.begin();
        canvas.context.layerDrawMode = 11;
        QCOMPARE(canvas.context.drawStyleOf(box.get()), int(DrawGreyed));
        box->draw(&canvas.context);
        const QRgb greyed = canvas.pixel(55, 55);
        QCOMPARE(greyed, getShadedColor(canvas.context.drawing.userShades, 4, 20, DrawGreyed).rgb());
        QVERIFY(greyed != red && greyed != dimmed);

        // Object drawing itself never leaves a depth out; mode 12 is the
        // redraw's business and draws greyed here.
        canvas.begin();
        canvas.context.layerDrawMode = 12;
        QCOMPARE(canvas.context.drawStyleOf(box.get()), int(DrawGreyed));

        // Shown again: the full colour.
        canvas.begin();
        canvas.context.depthVisible[7] = true;
        box->draw(&canvas.context);
        QCOMPARE(canvas.pixel(55, 55), red);
    }

    void depthBeyondTableIsAlwaysNormal()
    {
        CFigContext context;
        std::unique_ptr<FigObject> box(boxOf(0, 0, 100, 100, 4, 20, 1000));
        std::fill(std::begin(context.depthVisible), std::end(context.depthVisible), false);
        QCOMPARE(context.drawStyleOf(box.get()), int(DrawNormal));
    }

    // Style of an object outside (or inside) the compound open for editing.
    void openCompoundStyle_data()
    {
        QTest::addColumn<bool>("depthShown");
        QTest::addColumn<int>("layerMode");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<int>("viewMode");
        QTest::addColumn<int>("expected");
        QTest::newRow("outside, shown, dimmed view") << true << 10 << false << 10 << int(DrawDimmed);
        QTest::newRow("outside, shown, greyed view") << true << 10 << false << 11 << int(DrawGreyed);
        QTest::newRow("outside, hidden greyed layer, dimmed view") << false << 11 << false << 10 << int(DrawGreyed);
        QTest::newRow("outside, hidden dimmed layer, dimmed view") << false << 10 << false << 10 << int(DrawDimmed);
        QTest::newRow("outside, hidden dimmed layer, greyed view") << false << 10 << false << 11 << int(DrawGreyed);
        QTest::newRow("outside, shown, hidden view") << true << 10 << false << 12 << int(DrawHidden);
        QTest::newRow("outside, hidden, hidden view") << false << 11 << false << 12 << int(DrawHidden);
        QTest::newRow("outside, shown, normal view") << true << 10 << false << 3 << int(DrawNormal);
        QTest::newRow("outside, hidden, normal view") << false << 11 << false << 3 << int(DrawGreyed);
        QTest::newRow("inside, shown, hidden view") << true << 10 << true << 12 << int(DrawNormal);
        QTest::newRow("inside, hidden, hidden view") << false << 10 << true << 12 << int(DrawDimmed);
    }
    void openCompoundStyle()
    {
        QFETCH(bool, depthShown);
        QFETCH(int, layerMode);
        QFETCH(bool, inside);
        QFETCH(int, viewMode);
        QFETCH(int, expected);
        CFigContext context;
        context.layerDrawMode = layerMode;
        preferences.compoundEditViewMode = viewMode;
        FigLine* member = boxOf(0, 0, 100, 100, -1, -1, 30);
        FigLine* nested = boxOf(0, 0, 100, 100, -1, -1, 30);
        FigLine* outsider = boxOf(0, 0, 100, 100, -1, -1, 30);
        FigCompound* inner = compoundOf({ nested });
        FigCompound* open = compoundOf({ member, inner });
        context.addObject(&context.drawing.objects, open);
        context.addObject(&context.drawing.objects, outsider);
        context.openCompound = open->members;
        context.depthVisible[30] = depthShown;
        if (inside) {
            QCOMPARE(context.drawStyleOf(member), expected);
            QCOMPARE(context.drawStyleOf(nested), expected); // inside a member compound
        } else {
            QCOMPARE(context.drawStyleOf(outsider), expected);
        }
        context.openCompound = nullptr;
    }

    void objectOutsideOpenCompoundNotDrawnInHiddenView()
    {
        Canvas canvas;
        preferences.compoundEditViewMode = 12;
        FigCompound* open = canvas.add(compoundOf({ boxOf(150, 150, 600, 600, 1, 20) }));
        canvas.add(boxOf(900, 900, 1500, 1500, 4, 20));
        canvas.context.openCompound = open->members;
        canvas.context.drawAllObjects();
        QCOMPARE(canvas.pixel(25, 25), blue);
        QCOMPARE(canvas.pixel(80, 80), white);
        canvas.context.openCompound = nullptr;
    }

    void compoundDrawsMembersInOrder()
    {
        Canvas canvas;
        // Both at the same depth and overlapping: the later member lies on top.
        std::unique_ptr<FigObject> compound(
            compoundOf({ boxOf(150, 150, 900, 900, 4, 20), boxOf(600, 600, 1500, 1500, 1, 20) }));
        compound->draw(&canvas.context);
        QCOMPARE(canvas.pixel(20, 20), red);
        QCOMPARE(canvas.pixel(50, 50), blue);
        QCOMPARE(canvas.pixel(90, 90), blue);
    }

    void onePointPolylineDrawsADot()
    {
        Canvas canvas;
        std::unique_ptr<FigLine> dot(lineOf({ { 600, 600 } }, 4));
        dot->forwArrow = arrowOf(1, 1, 1); // a one-point line has no end segment for it
        dot->draw(&canvas.context);
        QCOMPARE(canvas.pixel(40, 40), black);
        QCOMPARE(canvas.pixel(40, 30), white);
    }

    void pieWedgeHasNoArrowheadsAndReachesItsCentre()
    {
        auto makeArc = [](bool arrows) {
            auto* arc = new FigArc(1);
            arc->subType = 1; // pie wedge
            arc->lineWidth = 1;
            arc->centerX = 1500;
            arc->centerY = 1500;
            arc->direction = 1;
            place(arc->points[0], 2400, 1500);
            place(arc->points[1], 2136, 864);
            place(arc->points[2], 1500, 600);
            if (arrows) {
                arc->forwArrow = arrowOf(1, 1, 1);
                arc->backArrow = arrowOf(1, 1, 1);
            }
            return std::unique_ptr<FigArc>(arc);
        };
        Canvas plain;
        makeArc(false)->draw(&plain.context);
        Canvas withArrows;
        makeArc(true)->draw(&withArrows.context);
        QCOMPARE(withArrows.finished(), plain.finished());
        // The outline runs from the curve to the centre and back.
        QCOMPARE(plain.pixel(100, 100), black);
        QCOMPARE(plain.pixel(130, 100), black);
        QCOMPARE(plain.pixel(100, 70), black);
    }

    void openArcDrawsItsArrowheads()
    {
        auto* arc = new FigArc(1);
        arc->lineWidth = 1;
        arc->centerX = 1500;
        arc->centerY = 1500;
        arc->direction = 1;
        place(arc->points[0], 2400, 1500);
        place(arc->points[1], 2136, 864);
        place(arc->points[2], 1500, 600);
        std::unique_ptr<FigArc> owner(arc);
        Canvas plain;
        arc->draw(&plain.context);
        QCOMPARE(plain.pixel(100, 100), white); // no wedge lines to the centre
        arc->forwArrow = arrowOf(1, 1, 1);
        Canvas withArrow;
        arc->draw(&withArrow.context);
        QVERIFY(withArrow.finished() != plain.finished());
    }

    void roundedBoxCornersFollowTheZoom_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<bool>("round");
        QTest::newRow("radius 2 at zoom 1: square") << 1.0f << false;
        QTest::newRow("radius 2 at zoom 2: round") << 2.0f << true;
    }
    void roundedBoxCornersFollowTheZoom()
    {
        QFETCH(float, zoom);
        QFETCH(bool, round);
        Canvas canvas(240, 240);
        canvas.context.zoom = zoom;
        std::unique_ptr<FigLine> box(boxOf(150, 150, 1500, 1500));
        box->subType = 4;
        box->radius = 2;
        box->draw(&canvas.context);
        const int corner = roundToIntF(10 * zoom);
        const int far = roundToIntF(100 * zoom);
        QCOMPARE(canvas.pixel(corner, corner) == black, !round);
        QCOMPARE(canvas.pixel(far, far) == black, !round);
        QCOMPARE(canvas.pixel(corner, (corner + far) / 2), black); // the sides in both cases
    }

    // A line thicker than the arrowhead's outline is hidden beside the
    // narrow end of the head: there the picture is that of a thin line,
    // which the head covers.
    void thickLineHiddenBesideTheTip_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<float>("zoom");
        QTest::newRow("width 8, zoom 1") << 8 << 1.0f;
        QTest::newRow("width 4, zoom 3") << 4 << 3.0f;
        QTest::newRow("width 3, zoom 2") << 3 << 2.0f;
    }
    void thickLineHiddenBesideTheTip()
    {
        QFETCH(int, lineWidth);
        QFETCH(float, zoom);
        // Tip at pixel (200, 40) at zoom 1; the head 32 pixels long and 16
        // wide.
        auto draw = [zoom](int width) {
            auto canvas = std::make_unique<Canvas>(roundToIntF(220 * zoom), roundToIntF(80 * zoom));
            canvas->context.zoom = zoom;
            std::unique_ptr<FigLine> line(lineOf({ { 150, 600 }, { 3000, 600 } }, width));
            line->forwArrow = arrowOf(1, 1, 1, 240, 480);
            line->draw(&canvas->context);
            canvas->finished();
            return canvas;
        };
        const auto thick = draw(lineWidth);
        const auto thin = draw(1);
        const int tipX = roundToIntF(200 * zoom);
        const int axis = roundToIntF(40 * zoom);
        for (int x = tipX - roundToIntF(4 * zoom); x <= tipX + 2; ++x)
            for (int y = 0; y < thick->image.height(); ++y) {
                if (qAbs(y - axis) < 2)
                    continue;
                QVERIFY2(thick->pixel(x, y) == thin->pixel(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        // The line itself is there up to the head.
        QCOMPARE(thick->pixel(tipX - roundToIntF(40 * zoom), axis - 1), black);
    }

    void clipIsRestoredAfterArrowedBoxes_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<bool>("clipBefore");
        QTest::newRow("rounded box") << 4 << false;
        QTest::newRow("rounded box, clip before") << 4 << true;
        QTest::newRow("picture") << 5 << false;
        QTest::newRow("polyline") << 1 << false;
        QTest::newRow("polyline, clip before") << 1 << true;
    }
    void clipIsRestoredAfterArrowedBoxes()
    {
        QFETCH(int, subType);
        QFETCH(bool, clipBefore);
        Canvas canvas;
        canvas.context.zoom = 2.0f;
        const QRect clip(0, 0, 150, 150);
        if (clipBefore)
            canvas.painter.setClipRect(clip);
        std::unique_ptr<FigLine> box(boxOf(150, 150, 1200, 1200, -1, -1, 50, 3));
        box->subType = subType;
        box->radius = 8;
        box->forwArrow = arrowOf(1, 1, 1);
        box->backArrow = arrowOf(2, 0, 1);
        box->draw(&canvas.context);
        if (clipBefore) {
            QVERIFY(canvas.painter.hasClipping());
            QCOMPARE(canvas.painter.clipRegion(), QRegion(clip));
        } else {
            QVERIFY(!canvas.painter.hasClipping() || canvas.painter.clipRegion() == QRegion(QRect(0, 0, 200, 200)));
        }
        // The next object is not clipped: a red line across the place of the
        // forward arrowhead (tip at pixel (20, 20), barbs 80 pixels below).
        // Only the polyline shows its arrowheads.
        QCOMPARE(canvas.image.pixel(24, 60) == black, subType == 1);
        std::unique_ptr<FigObject> next(lineOf({ { 180, 225 }, { 180, 675 } }, 1));
        next->penColor = 4;
        next->draw(&canvas.context);
        QCOMPARE(canvas.pixel(24, 60), red);
    }

    void pictureShowsItsBox()
    {
        Canvas canvas;
        std::unique_ptr<FigLine> picture(boxOf(150, 150, 1500, 1500));
        picture->subType = 5;
        picture->draw(&canvas.context);
        QCOMPARE(canvas.pixel(10, 55), black);
        QCOMPARE(canvas.pixel(55, 10), black);
    }

    void ellipseIsDrawnThroughItsDrawOperation()
    {
        Canvas canvas;
        auto* ellipse = new FigEllipse(1);
        std::unique_ptr<FigObject> owner(ellipse);
        ellipse->subType = 3;
        ellipse->lineWidth = 1;
        ellipse->fillColor = 4;
        ellipse->fillStyle = 20;
        place(ellipse->center, 1500, 1500);
        place(ellipse->radii, 900, 600);
        owner->draw(&canvas.context);
        QCOMPARE(canvas.pixel(100, 100), red);
        QCOMPARE(canvas.pixel(100, 58), white);
        QCOMPARE(canvas.pixel(100, 62), red);
        // Hidden by an open compound's view mode: nothing drawn.
        Canvas hidden;
        FigObjectList open;
        hidden.context.openCompound = &open;
        preferences.compoundEditViewMode = 12;
        owner->draw(&hidden.context);
        QCOMPARE(hidden.pixel(100, 100), white);
        hidden.context.openCompound = nullptr;
    }

    void splineIsEvaluatedAndStroked()
    {
        Canvas canvas;
        auto* spline = new FigSpline(1);
        std::unique_ptr<FigObject> owner(spline);
        spline->subType = 0; // open approximated
        spline->lineWidth = 1;
        spline->points = chainOf({ { 150, 600 }, { 1500, 600 }, { 2850, 600 } });
        spline->initShapeFactors();
        owner->draw(&canvas.context);
        QCOMPARE(canvas.pixel(100, 40), black);
        QCOMPARE(canvas.pixel(100, 38), white);

        // With arrowheads at both ends the ends look different.
        Canvas arrows;
        spline->forwArrow = arrowOf(1, 1, 1);
        spline->backArrow = arrowOf(1, 1, 1);
        owner->draw(&arrows.context);
        QCOMPARE(arrows.pixel(100, 40), black);
        QCOMPARE(arrows.pixel(160, 34), black); // inside the forward head
        QCOMPARE(arrows.pixel(40, 46), black); // inside the backward head
        QCOMPARE(canvas.pixel(160, 34), white);
    }

    void closedSplineIsFilled()
    {
        Canvas canvas;
        auto* spline = new FigSpline(1);
        std::unique_ptr<FigObject> owner(spline);
        spline->subType = 1; // closed approximated
        spline->lineWidth = 1;
        spline->fillColor = 4;
        spline->fillStyle = 20;
        spline->points = chainOf({ { 300, 300 }, { 2700, 300 }, { 2700, 2700 }, { 300, 2700 } });
        spline->initShapeFactors();
        owner->draw(&canvas.context);
        QCOMPARE(canvas.pixel(100, 100), red);
        QCOMPARE(canvas.pixel(21, 21), white); // the curve cuts the corners
    }

    void specialTextIsPlainWithoutTex_data()
    {
        QTest::addColumn<bool>("useTex");
        QTest::newRow("render special text using tex off") << false;
        QTest::newRow("on, until LaTeX images exist") << true;
    }
    void specialTextIsPlainWithoutTex()
    {
        QFETCH(bool, useTex);
        preferences.renderSpecialTextUsingTex = useTex;
        auto makeText = [](int flags) {
            auto* text = new FigText(1);
            text->text = QStringLiteral("Tavrel");
            text->font = 0;
            text->fontSize = 24;
            text->fontFlags = flags;
            text->x = 300;
            text->y = 1200;
            return std::unique_ptr<FigObject>(text);
        };
        Canvas plain;
        makeText(4)->draw(&plain.context);
        Canvas special;
        makeText(4 | 2)->draw(&special.context);
        QCOMPARE(special.finished(), plain.finished());
        QImage empty(200, 200, QImage::Format_RGB32);
        empty.fill(white);
        QVERIFY(plain.finished() != empty);
    }

    void renderIntoPixmapFitsTheDrawing()
    {
        CFigContext context;
        context.dpiX = context.dpiY = 80.0f;
        context.zoom = 1.5f;
        context.addObject(&context.drawing.objects, boxOf(0, 0, 1200, 600, 4, 20, 40, 0));
        context.depthVisible[40] = false;
        QPixmap pixmap(100, 100);
        pixmap.fill(Qt::white);
        context.renderObjectsToPixmap(&pixmap, 100, 100);
        // Wider than high: the width fills the pixmap (zoom 99 / 80).
        const QImage image = pixmap.toImage();
        QCOMPARE(image.pixel(2, 2), red); // shown again, in full colour
        QCOMPARE(image.pixel(96, 46), red);
        QCOMPARE(image.pixel(50, 55), white);
        QVERIFY(context.depthVisible[40]);
        QCOMPARE(context.depthObjectCount[40], 1);
        QCOMPARE(context.zoom, 1.5f);
        QVERIFY(context.painter == nullptr);
    }

    void renderIntoPixmapOfAPointKeepsZoomOne()
    {
        CFigContext context;
        context.dpiX = context.dpiY = 80.0f;
        context.addObject(&context.drawing.objects, lineOf({ { 600, 600 } }, 0));
        QPixmap pixmap(60, 60);
        pixmap.fill(Qt::white);
        context.renderObjectsToPixmap(&pixmap, 60, 60);
        QCOMPARE(pixmap.toImage().pixel(40, 40), black);
        QCOMPARE(context.zoom, 1.0f);

        context.renderObjectsToPixmap(nullptr, 60, 60); // nothing happens
        QPixmap tiny(1, 1);
        context.drawing.objects.push_back(boxOf(0, 0, 1200, 1200));
        context.renderObjectsToPixmap(&tiny, 1, 1); // no zoom fits: zoom 1, no crash
        QCOMPARE(context.zoom, 1.0f);
    }

private:
    static int roundToIntF(float v) { return static_cast<int>(std::lround(v)); }
};

TAVREL_TEST_MAIN(TestObjectDrawing)
#include "tst_objectdrawing.moc"
