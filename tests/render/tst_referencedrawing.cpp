// The canvas draws every object kind, with and without antialiasing, pixel
// for pixel as a straightforward drawing does: a polyline as one polyline
// of its pixel points in a pen made for it alone, a text in its screen font
// at its baseline's start; and a drawing of many kinds, fonts, pens, fills
// and arrowheads as each of its objects drawn by a painter of its own, with
// no font, pen, clip or point kept from the objects before it.
#include "drawingfixtures.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figtext.h"
#include "render/colors.h"
#include "render/fonts.h"
#include "render/pens.h"
#include "support/testenv.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

const char* const header = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n";

constexpr int canvasWidth = 400;
constexpr int canvasHeight = 300;

// Polylines, boxes and polygons of every pen width the canvas tells apart
// at 100 %, the line styles, joins and caps, and shade and tint fills; texts
// in several fonts, sizes and colours, upright and turned. One object each.
const struct {
    const char* name;
    const char* fig;
} plainObjects[] = {
    { "solid line 1", "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 600 600 3000 900 2400 2400 4500 3000\n" },
    { "solid line 2 miter", "2 1 0 2 1 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 600 600 3000 900 2400 2400 4500 3000\n" },
    { "solid line 3 round", "2 1 0 3 4 7 50 -1 -1 0.000 1 1 -1 0 0 4\n\t 600 600 3000 900 2400 2400 4500 3000\n" },
    { "dashed line 1", "2 1 1 1 0 7 50 -1 -1 4.000 0 0 -1 0 0 4\n\t 600 600 3000 900 2400 2400 4500 3000\n" },
    { "dotted line 3 bevel square", "2 1 2 3 2 7 50 -1 -1 3.000 2 2 -1 0 0 3\n\t 600 2400 3000 450 5400 3600\n" },
    { "dash-dot line 2", "2 1 3 2 0 7 50 -1 -1 4.000 0 0 -1 0 0 3\n\t 600 2400 3000 450 5400 3600\n" },
    { "shaded box 2", "2 2 0 2 0 2 50 -1 12 0.000 0 0 -1 0 0 5\n\t 600 600 4200 600 4200 3000 600 3000 600 600\n" },
    { "tinted dashed polygon 1",
        "2 3 1 1 1 4 50 -1 30 4.000 0 0 -1 0 0 5\n\t 900 600 5400 1200 4800 3900 1200 3000 900 600\n" },
    { "text Times 12", "4 0 0 50 -1 0 12 0.0000 4 135 900 600 1500 alpha beta\\001\n" },
    { "text Helvetica Bold 14 turned", "4 0 4 50 -1 18 14 0.5236 4 165 1200 1500 3000 Input node\\001\n" },
    { "text Courier 10 coloured", "4 0 1 50 -1 12 10 0.0000 4 105 600 3000 1200 x1 flow\\001\n" },
};

// Drawings of several objects each, at one depth so that they are drawn in
// the order of the file: texts in turn of fonts of one size and sizes of one
// font (a font set before comes back), pens of every width with arrowheads
// (whose clip is put back: boxes are drawn over the heads after them),
// pattern fills, turned ellipses, open and closed splines and arcs, over
// one another.
const struct {
    const char* name;
    const char* fig;
} drawings[] = {
    { "texts of changing fonts",
        "4 0 0 50 -1 0 12 0.0000 4 135 900 600 900 alpha\\001\n"
        "4 1 1 50 -1 16 12 0.0000 4 135 900 3000 1500 beta gamma\\001\n"
        "4 0 2 50 -1 0 12 0.0000 4 135 900 600 2100 delta\\001\n"
        "4 2 3 50 -1 0 10 0.0000 4 135 900 5400 2700 edge\\001\n"
        "4 0 0 50 -1 28 14 1.5708 4 135 900 4500 4200 label\\001\n"
        "4 0 0 50 -1 16 12 0.0000 4 135 900 600 3300 Output\\001\n" },
    { "lines with arrowheads and fills",
        "2 1 0 3 4 7 50 -1 -1 0.000 0 0 -1 1 0 3\n\t1 1 1.00 60.00 120.00\n\t 600 600 3000 1500 5400 600\n"
        "2 2 0 1 0 2 50 -1 45 0.000 0 0 -1 0 0 5\n\t 1200 1200 4200 1200 4200 3300 1200 3300 1200 1200\n"
        "2 1 1 2 1 7 50 -1 -1 4.000 0 0 -1 0 1 2\n\t2 0 1.00 60.00 120.00\n\t 600 3900 5400 2700\n"
        "2 3 0 2 0 4 50 -1 20 0.000 1 0 -1 0 0 4\n\t 2400 300 3300 2400 1500 2400 2400 300\n"
        "2 1 2 1 0 7 50 -1 -1 3.000 0 0 -1 0 0 2\n\t 300 2400 5700 2400\n"
        "2 2 0 1 0 1 50 -1 20 0.000 0 0 -1 0 0 5\n\t 4800 300 5700 300 5700 1200 4800 1200 4800 300\n"
        "2 2 0 2 4 3 50 -1 35 0.000 0 0 -1 0 0 5\n\t 300 3600 1200 3600 1200 4200 300 4200 300 3600\n" },
    { "ellipses splines and arcs",
        "1 1 0 2 0 7 50 -1 30 0.000 1 0.5236 2100 1500 1200 600 2100 1500 3300 1500\n"
        "1 3 1 3 4 7 50 -1 -1 4.000 1 0.0000 4200 2400 900 900 4200 2400 5100 2400\n"
        "3 4 0 2 1 7 50 -1 -1 0.000 0 0 0 4\n\t 600 3600 1800 2400 3000 4200 4200 3000\n\t 0.000 1.000 -1.000 0.000\n"
        "3 5 2 1 0 3 50 -1 20 3.000 0 0 0 4\n\t 3600 600 5400 900 5100 2100 3900 1800\n\t 1.000 1.000 1.000 1.000\n"
        "5 1 0 3 2 7 50 -1 -1 0.000 0 0 1 0 3000.000 3000.000 2100 3000 3000 2100 3900 3000\n"
        "\t1 1 1.00 60.00 120.00\n"
        "5 1 1 2 0 7 50 -1 -1 4.000 0 1 0 0 1500.000 1500.000 900 1500 1500 900 2100 1500\n"
        "4 0 0 50 -1 0 12 0.0000 4 135 900 1800 3900 over all\\001\n" },
};

struct Document {
    QTemporaryDir dir;
    CFigContext context;
    bool loaded = false;

    explicit Document(const char* objects)
    {
        loaded = drawingfixtures::loadFigText(context, dir, QByteArray(header) + objects);
        context.zoom = 1.0f;
        context.originX = context.originY = 0;
    }
};

QImage blankCanvas()
{
    QImage image(canvasWidth, canvasHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The whole drawing as the canvas draws it, with one painter.
QImage canvasDrawing(CFigContext& context, bool antialiased)
{
    QImage image = blankCanvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    context.setPainter(&painter);
    context.drawAllObjects();
    context.setPainter(nullptr);
    return image;
}

// A painter of its own for every object, in the drawing's order; the fonts
// made so far are let go in between.
QImage eachObjectAlone(CFigContext& context, bool antialiased)
{
    QImage image = blankCanvas();
    for (FigObject* object : context.drawing.objects) {
        releaseScreenFonts();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
        context.setPainter(&painter);
        object->draw(&context);
        context.setPainter(nullptr);
    }
    return image;
}

// The object drawn by plain painter calls: a polyline's fill and stroke
// through its pixel points, a text at the pixel of its anchor (left
// justified), turned by its angle in whole degrees.
QImage plainDrawing(CFigContext& context, FigObject* object, bool antialiased)
{
    QImage image = blankCanvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    const auto& shades = context.drawing.userShades;
    if (auto* line = dynamic_cast<FigLine*>(object)) {
        QPolygon points;
        for (const FigPoint* p = line->points; p; p = p->next)
            points << context.figToPixelPoint(p->x, p->y);
        if (line->fillStyle != -1) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(getShadedColor(shades, line->fillColor, line->fillStyle, DrawNormal));
            painter.drawPolygon(points, Qt::OddEvenFill);
        }
        QPen pen(getPenColor(shades, line->penColor, DrawNormal));
        pen.setWidth(line->lineWidth); // one pixel a width unit at 100 %
        const Qt::PenCapStyle caps[] = { Qt::FlatCap, Qt::RoundCap, Qt::SquareCap };
        const Qt::PenJoinStyle joins[] = { Qt::MiterJoin, Qt::RoundJoin, Qt::BevelJoin };
        pen.setCapStyle(caps[line->capStyle]);
        pen.setJoinStyle(joins[line->joinStyle]);
        pen.setMiterLimit(3);
        if (line->lineStyle != 0)
            pen.setDashPattern(dashPattern(line->lineWidth, line->lineStyle, line->styleVal));
        // A thin dashed pen is made a hair wider on an antialiasing painter
        // (setOutlinePen tells why).
        if (antialiased && line->lineStyle != 0 && line->lineWidth == 1)
            pen.setWidthF(1.0001);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(points);
    } else if (auto* text = dynamic_cast<FigText*>(object)) {
        painter.setFont(screenFont(text->font, context.textPixelSize(text, 1.0)));
        painter.setPen(getPenColor(shades, text->color, DrawNormal));
        painter.translate(context.figToPixelPoint(text->x, text->y));
        painter.rotate(-std::round(double(text->angle) * 180 / M_PI));
        painter.drawText(QPoint(0, 0), text->text);
    }
    return image;
}

int differingPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

class TestReferenceDrawing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initDefaultColors();
        loadFillPatterns();
        installFontSubstitutions();
    }

    void objectDrawsAsPlainPainterCalls_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("antialiased");
        for (int i = 0; i < int(sizeof plainObjects / sizeof *plainObjects); ++i)
            for (bool antialiased : { false, true })
                QTest::addRow("%s%s", plainObjects[i].name, antialiased ? " smooth" : "") << i << antialiased;
    }

    void objectDrawsAsPlainPainterCalls()
    {
        QFETCH(int, row);
        QFETCH(bool, antialiased);
        Document document(plainObjects[row].fig);
        QVERIFY(document.loaded);
        QCOMPARE(int(document.context.drawing.objects.size()), 1);
        const QImage drawn = canvasDrawing(document.context, antialiased);
        const QImage plain = plainDrawing(document.context, document.context.drawing.objects.front(), antialiased);
        QVERIFY(differingPixels(plain, blankCanvas()) > 0);
        const int differing = differingPixels(drawn, plain);
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
    }

    void drawingDrawsAsEachObjectAlone_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("antialiased");
        for (int i = 0; i < int(sizeof drawings / sizeof *drawings); ++i)
            for (bool antialiased : { false, true })
                QTest::addRow("%s%s", drawings[i].name, antialiased ? " smooth" : "") << i << antialiased;
    }

    void drawingDrawsAsEachObjectAlone()
    {
        QFETCH(int, row);
        QFETCH(bool, antialiased);
        Document document(drawings[row].fig);
        QVERIFY(document.loaded);
        QVERIFY(document.context.drawing.objects.size() >= 5);
        const QImage drawn = canvasDrawing(document.context, antialiased);
        const QImage alone = eachObjectAlone(document.context, antialiased);
        QVERIFY(differingPixels(alone, blankCanvas()) > 0);
        const int differing = differingPixels(drawn, alone);
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
        // Drawn again after that, the drawing is the same: nothing the first
        // drawing left behind changes it.
        QCOMPARE(differingPixels(canvasDrawing(document.context, antialiased), drawn), 0);
    }
};

TAVREL_TEST_MAIN(TestReferenceDrawing)
#include "tst_referencedrawing.moc"
