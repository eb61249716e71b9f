#include "app/preferences.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "render/colors.h"
#include "render/fonts.h"
#include "support/testenv.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <climits>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<FigText> makeText(int font, int fontSize, const QString& string = QStringLiteral("Tavrel text"))
{
    std::unique_ptr<FigText> text(new FigText(1));
    text->font = font;
    text->fontSize = fontSize;
    text->fontFlags = 4;
    text->text = string;
    return text;
}

// The box of the pixels that are not white; null when there are none.
QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class TestFonts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        initDefaultColors();
    }
    void init()
    {
        preferences = Preferences();
        context.reset(new CFigContext);
        context->dpiX = 80.0f;
        context->dpiY = 80.0f;
        context->zoom = 1.0f;
    }
    void cleanup() { context.reset(); }

    void tableRows_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("psName");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("weight");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("stretch");
        QTest::newRow("0") << 0 << "Times Roman"
                           << "NimbusRomNo9L" << 50 << 0 << 100;
        QTest::newRow("7") << 7 << "AvantGarde Demi Oblique"
                           << "URWGothicLDem" << 50 << 2 << 100;
        QTest::newRow("8") << 8 << "Bookman Light"
                           << "URWBookmanL" << 25 << 0 << 100;
        QTest::newRow("11") << 11 << "Bookman Demi Italic"
                            << "URWBookmanL" << 63 << 1 << 100;
        QTest::newRow("20") << 20 << "Helvetica Narrow"
                            << "NimbusSanL" << 50 << 0 << 75;
        QTest::newRow("21") << 21 << "Helvetica Narrow Oblique"
                            << "NimbusSanLCon" << 50 << 2 << 100;
        QTest::newRow("27") << 27 << "New Century Schoolbook Bold Italic"
                            << "CenturySchL" << 75 << 1 << 100;
        QTest::newRow("33") << 33 << "Zapf Chancery Medium Italic"
                            << "URWChanceryLMed" << 50 << 1 << 87;
        QTest::newRow("34") << 34 << "Zapf Dingbats"
                            << "Dingbats" << 50 << 0 << 100;
    }
    void tableRows()
    {
        QFETCH(int, number);
        const FontTableEntry& row = fontTable[number];
        QCOMPARE(row.number, number);
        QTEST(row.psName, "psName");
        QTEST(row.family, "family");
        QTEST(row.weight, "weight");
        QTEST(row.style, "style");
        QTEST(row.stretch, "stretch");
    }

    void tableShape()
    {
        QCOMPARE(int(sizeof(fontTable) / sizeof(fontTable[0])), 35);
        for (int i = 0; i < fontTableSize; ++i) {
            QCOMPARE(fontTable[i].number, i);
            QCOMPARE(&fontTableEntry(i), &fontTable[i]);
        }
        const QStringList latex { "default", "roman", "bold", "italic", "sansserif", "typewriter" };
        QCOMPARE(int(sizeof(latexFontIconNames) / sizeof(latexFontIconNames[0])), latex.size());
        for (int i = 0; i < latex.size(); ++i)
            QCOMPARE(QString::fromLatin1(latexFontIconNames[i]), latex.at(i));
    }

    void screenFontOfARow()
    {
        const QFont font = screenFont(11, 14);
        QCOMPARE(font.family(), QStringLiteral("URWBookmanL"));
        QCOMPARE(font.pixelSize(), 14);
        QCOMPARE(font.weight(), 63);
        QCOMPARE(font.style(), QFont::StyleItalic);
        QCOMPARE(font.stretch(), 100);
        QCOMPARE(screenFont(20, 14).stretch(), 75);
        QCOMPARE(screenFont(13, 14).style(), QFont::StyleOblique);
    }

    // Fonts are kept once made; asking for a row and size again, also after
    // so many others that the kept ones are let go, gives the same font.
    void screenFontsAskedAgain()
    {
        const QFont first = screenFont(11, 14);
        for (int round = 0; round < 2; ++round) {
            for (int number = 0; number < fontTableSize; ++number) {
                for (int size = 1; size <= 40; ++size) {
                    const QFont font = screenFont(number, size);
                    QCOMPARE(font.family(), fontTable[number].family);
                    QCOMPARE(font.pixelSize(), size);
                    QCOMPARE(font.weight(), fontTable[number].weight);
                }
            }
        }
        QCOMPARE(screenFont(11, 14), first);
        QCOMPARE(screenFont(11, 0).pixelSize(), 1);
        QCOMPARE(screenFont(11, -5), screenFont(11, 1));
    }

    // Zooming in and out again finds the fonts of the zooms before kept
    // (the same fonts, holding the engines Qt found for them); fonts not
    // asked for during two more zooms are let go.
    void fontsOfRecentZoomsAreKept()
    {
        releaseScreenFonts();
        const QFont atFirstZoom = screenFont(11, 14);
        screenFontsZoomed();
        const QFont atSecondZoom = screenFont(11, 21);
        for (int round = 0; round < 3; ++round) {
            screenFontsZoomed();
            QVERIFY(screenFont(11, 14).isCopyOf(atFirstZoom));
            screenFontsZoomed();
            QVERIFY(screenFont(11, 21).isCopyOf(atSecondZoom));
        }
        screenFontsZoomed();
        QVERIFY(screenFont(11, 14).isCopyOf(atFirstZoom));
        screenFontsZoomed();
        screenFontsZoomed();
        QVERIFY(screenFont(11, 14).isCopyOf(atFirstZoom));
        for (int zoom = 0; zoom < 3; ++zoom)
            screenFontsZoomed();
        QVERIFY(!screenFont(11, 14).isCopyOf(atFirstZoom));
        QVERIFY(!screenFont(11, 21).isCopyOf(atSecondZoom));
        const QFont kept = screenFont(11, 14);
        QVERIFY(screenFont(11, 14).isCopyOf(kept));
        releaseScreenFonts();
        QVERIFY(!screenFont(11, 14).isCopyOf(kept));
    }

    // Every family of the table is drawn in one of the URW base-35 faces.
    void familiesResolveToUrwFaces_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("installed");
        QTest::newRow("Times") << 0 << "Nimbus Roman";
        QTest::newRow("AvantGarde") << 4 << "URW Gothic";
        QTest::newRow("AvantGarde Demi") << 6 << "URW Gothic";
        QTest::newRow("Bookman") << 8 << "URW Bookman";
        QTest::newRow("Courier") << 12 << "Nimbus Mono PS";
        QTest::newRow("Helvetica") << 16 << "Nimbus Sans";
        QTest::newRow("Helvetica Narrow") << 20 << "Nimbus Sans";
        QTest::newRow("Helvetica Narrow Oblique") << 21 << "Nimbus Sans Narrow";
        QTest::newRow("New Century Schoolbook") << 24 << "C059";
        QTest::newRow("Palatino") << 28 << "P052";
        QTest::newRow("Symbol") << 32 << "Standard Symbols PS";
        QTest::newRow("Zapf Chancery") << 33 << "Z003";
        QTest::newRow("Zapf Dingbats") << 34 << "D050000L";
    }
    void familiesResolveToUrwFaces()
    {
        QFETCH(int, number);
        QFETCH(QString, installed);
        // Qt adds the foundry in brackets where several provide the family.
        const QString family = QFontInfo(screenFont(number, 20)).family();
        QCOMPARE(family.section(QStringLiteral(" ["), 0, 0), installed);
    }

    void pixelSize_data()
    {
        QTest::addColumn<bool>("base72");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<int>("expected");
        QTest::newRow("72 dpi base") << true << 1.0 << 12 << 13;
        QTest::newRow("80 dpi base") << false << 1.0 << 12 << 12;
        QTest::newRow("zoom 2") << true << 2.0 << 12 << 27;
        QTest::newRow("tiny zoom") << true << 0.01 << 12 << 0;
    }
    void pixelSize()
    {
        QFETCH(bool, base72);
        QFETCH(double, zoom);
        QFETCH(int, fontSize);
        preferences.fontBase72dpi = base72;
        const auto text = makeText(0, fontSize);
        QTEST(context->textPixelSize(text.get(), zoom), "expected");
    }

    void metricsGrowWithSizeAndZoom()
    {
        const auto small = makeText(0, 12);
        const auto large = makeText(0, 24);
        context->computeTextMetrics(small.get(), 1.0);
        context->computeTextMetrics(large.get(), 1.0);
        QVERIFY(small->width > 0 && small->ascent > 0 && small->pixelHeight > 0);
        QVERIFY(large->width > small->width);
        QVERIFY(large->ascent > small->ascent);
        QVERIFY(large->pixelHeight > small->pixelHeight);
        QCOMPARE(small->metricsZoom, 1.0f);
        // The length is the width plus one pixel (15 Fig units at 80 dpi and
        // zoom 1), give or take the rounding of the two.
        QVERIFY(qAbs(small->length - small->width - 15) <= 1);

        // Zooming in keeps the extent in Fig units roughly the same and makes
        // the pixel measures larger.
        const auto zoomed = makeText(0, 12);
        context->zoom = 3.0f;
        context->computeTextMetrics(zoomed.get(), context->zoom);
        QCOMPARE(zoomed->metricsZoom, 3.0f);
        QVERIFY(zoomed->pixelHeight > small->pixelHeight);
        QVERIFY(zoomed->descent >= small->descent);
        QVERIFY(qAbs(zoomed->width - small->width) < small->width / 4);
        QVERIFY(qAbs(zoomed->length - zoomed->width - 5) <= 1);
    }

    // LaTeX fonts take the row of the same number: "roman" is "Times Italic".
    void latexFontUsesRowOfItsNumber()
    {
        const auto latex = makeText(1, 20);
        latex->fontFlags = 0;
        const auto italic = makeText(1, 20);
        const auto upright = makeText(0, 20, QStringLiteral("Tavrel text fffff"));
        latex->text = upright->text;
        italic->text = upright->text;
        context->computeTextMetrics(latex.get(), 1.0);
        context->computeTextMetrics(italic.get(), 1.0);
        context->computeTextMetrics(upright.get(), 1.0);
        QCOMPARE(latex->width, italic->width);
        QVERIFY(latex->width != upright->width);
    }

    // Numbers without a row, the Fig default font -1 among them, are measured
    // and drawn with row 0 and never read outside the table.
    void fontNumberOutsideTheTableUsesRowZero_data()
    {
        QTest::addColumn<int>("font");
        QTest::newRow("default font") << -1;
        QTest::newRow("one past the end") << 35;
        QTest::newRow("large") << 1000;
        QTest::newRow("most negative") << INT_MIN;
        QTest::newRow("largest") << INT_MAX;
    }
    void fontNumberOutsideTheTableUsesRowZero()
    {
        QFETCH(int, font);
        QCOMPARE(&fontTableEntry(font), &fontTable[0]);
        const auto odd = makeText(font, 12);
        const auto times = makeText(0, 12);
        context->computeTextMetrics(odd.get(), 1.0);
        context->computeTextMetrics(times.get(), 1.0);
        QCOMPARE(odd->width, times->width);
        QCOMPARE(odd->ascent, times->ascent);

        QImage image(300, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        context->painter = &painter;
        odd->x = 150;
        odd->y = 900;
        context->drawPlainText(odd->x, odd->y, DrawNormal, odd.get());
        painter.end();
        context->painter = nullptr;
        QVERIFY(!inkBounds(image).isNull());
    }

    void drawingLeavesThePainterTransformAlone_data()
    {
        QTest::addColumn<QTransform>("before");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("style");
        QTest::newRow("identity") << QTransform() << 1.0 << int(DrawNormal);
        QTest::newRow("shifted painter") << QTransform::fromTranslate(3, 4) << 1.0 << int(DrawDimmed);
        QTest::newRow("not drawn style") << QTransform() << 1.0 << int(DrawHidden);
        QTest::newRow("too small to draw") << QTransform::fromScale(2, 2) << 0.01 << int(DrawNormal);
    }
    void drawingLeavesThePainterTransformAlone()
    {
        QFETCH(QTransform, before);
        QFETCH(double, zoom);
        QFETCH(int, style);
        context->zoom = float(zoom);
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setTransform(before);
        context->painter = &painter;
        const auto text = makeText(16, 14);
        text->angle = 0.5f;
        text->x = 1500;
        text->y = 1500;
        context->drawPlainText(text->x, text->y, style, text.get());
        QCOMPARE(painter.worldTransform(), before);
        painter.end();
        context->painter = nullptr;
        const bool drawn = style != DrawHidden && zoom >= 0.1;
        QCOMPARE(!inkBounds(image).isNull(), drawn);
    }

    void rotatedTextIsDrawnAlongItsAngle()
    {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        context->painter = &painter;
        const auto text = makeText(16, 14, QStringLiteral("HHHHHHHH"));
        text->x = 1500; // pixel 100
        text->y = 1500;
        text->color = -1;
        text->angle = float(M_PI / 2); // upwards on the screen
        context->drawPlainText(text->x, text->y, DrawNormal, text.get());
        painter.end();
        context->painter = nullptr;
        const QRect ink = inkBounds(image);
        QVERIFY(ink.height() > 2 * ink.width());
        // The baseline starts at the anchor and runs up; the glyphs stand to
        // its left. Colour -1 is black.
        QVERIFY(ink.bottom() <= 101 && ink.bottom() >= 95);
        QVERIFY(ink.right() <= 101);
        int darkest = 255;
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            for (int x = ink.left(); x <= ink.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                QCOMPARE(qRed(pixel), qBlue(pixel));
                QCOMPARE(qGreen(pixel), qBlue(pixel));
                darkest = qMin(darkest, qRed(pixel));
            }
        QVERIFY(darkest < 64);
    }

    void justificationPlacesTheAnchor_data()
    {
        QTest::addColumn<int>("justification");
        QTest::newRow("left") << 0;
        QTest::newRow("centre") << 1;
        QTest::newRow("right") << 2;
    }
    void justificationPlacesTheAnchor()
    {
        QFETCH(int, justification);
        QImage image(400, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        context->painter = &painter;
        const auto text = makeText(12, 14, QStringLiteral("HHHHHHHHHH"));
        text->subType = justification;
        text->x = 3000; // pixel 200
        text->y = 900;
        // Drawn as if anchored 15 Fig units (one pixel) further right.
        context->drawPlainText(text->x + 15, text->y, DrawNormal, text.get());
        painter.end();
        context->painter = nullptr;
        const QRect ink = inkBounds(image);
        const int anchor = 201;
        switch (justification) {
        case 0:
            QVERIFY(qAbs(ink.left() - anchor) <= 3);
            break;
        case 1:
            QVERIFY(qAbs(ink.center().x() - anchor) <= 3);
            break;
        default:
            QVERIFY(qAbs(ink.right() - anchor) <= 3);
        }
    }

    void nullTextDrawsNothing()
    {
        QImage image(10, 10, QImage::Format_RGB32);
        QPainter painter(&image);
        context->painter = &painter;
        context->drawPlainText(0, 0, DrawNormal, nullptr);
        context->painter = nullptr;
    }

private:
    std::unique_ptr<CFigContext> context;
};

TAVREL_TEST_MAIN(TestFonts)
#include "tst_fonts.moc"
