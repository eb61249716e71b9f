#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figtext.h"
#include "render/colors.h"
#include "support/testenv.h"

#include <memory>

namespace {

int rgbOf(const QColor& color)
{
    return static_cast<int>(color.rgb() & 0xffffff);
}

QString hex(int rgb)
{
    return QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0'));
}

const QHash<int, ShadeTable*> noUserShades;

} // namespace

class TestColors : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initDefaultColors(); }

    void shades_data()
    {
        QTest::addColumn<int>("rgb");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("expected");
        QTest::newRow("black end") << 0x4080c0 << 0 << 0x000000;
        QTest::newRow("the colour itself") << 0x4080c0 << 20 << 0x4080c0;
        QTest::newRow("white end") << 0x4080c0 << 40 << 0xffffff;
        QTest::newRow("shade 10 of red") << 0xff0000 << 10 << 0x800000;
        QTest::newRow("shade 1 of red") << 0xff0000 << 1 << 0x0d0000;
        QTest::newRow("shade 10 of a grey") << 0x646464 << 10 << 0x323232;
        QTest::newRow("shade 19 of magenta") << 0xff00ff << 19 << 0xf200f2;
        QTest::newRow("tint 21 of Blue4") << 0x000090 << 21 << 0x0c0c9c;
        QTest::newRow("tint 39 of red") << 0xff0000 << 39 << 0xfff2f2;
        QTest::newRow("tints step each component") << 0xffd700 << 30 << 0xffff7f;
        // Hue and saturation stay, the value scales: not a blend towards black.
        QTest::newRow("shade 4 of SkyBlue1") << 0x87ceff << 4 << 0x1b2933;
        QTest::newRow("shade 15 of Brown4") << 0x803000 << 15 << 0x602400;
        QTest::newRow("tint 25 of Pink4 clamps at 255") << 0xff8080 << 25 << 0xffbfbf;
    }
    void shades()
    {
        QFETCH(int, rgb);
        QFETCH(int, index);
        QFETCH(int, expected);
        ShadeTable table;
        buildColorShades(table, (rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
        QCOMPARE(QString::number(table.shade[index], 16), QString::number(expected, 16));
    }

    void standardColors()
    {
        QCOMPARE(QString::fromLatin1(standardColorNames[0].displayName), QStringLiteral("Black"));
        QCOMPARE(QString::fromLatin1(standardColorNames[11].displayName), QStringLiteral("SkyBlue1"));
        QCOMPARE(QString::fromLatin1(standardColorNames[31].displayName), QStringLiteral("Gold"));
        QCOMPARE(QString::fromLatin1(standardColorNames[31].lowerCaseName), QStringLiteral("gold"));
        QCOMPARE(QString::fromLatin1(standardColorNames[6].lowerCaseName), QStringLiteral("yellow"));
        for (int n = 0; n < standardColorCount; ++n) {
            const QString name = QString::fromLatin1(standardColorNames[n].lowerCaseName);
            // Rows named by value: the name and the colour agree.
            if (name.startsWith(QLatin1Char('#')))
                QCOMPARE(name.mid(1), hex(standardColorNames[n].rgb));
            QCOMPARE(hex(standardShades[n].shade[20]), hex(standardColorNames[n].rgb));
            QCOMPARE(rgbOf(getPenColor(noUserShades, n, DrawNormal)), standardColorNames[n].rgb);
            if (n == 0 || n == 7)
                continue;
            QCOMPARE(standardShades[n].shade[0], 0x000000);
            QCOMPARE(standardShades[n].shade[40], 0xffffff);
        }
    }

    void greyRamps()
    {
        const int ramp[21]
            = { 0, 12, 25, 38, 51, 63, 76, 89, 102, 114, 127, 140, 153, 165, 178, 191, 204, 216, 229, 242, 255 };
        for (int j = 0; j <= 20; ++j) {
            const int up = ramp[j] * 0x010101;
            const int down = ramp[20 - j] * 0x010101;
            QCOMPARE(hex(standardShades[7].shade[j]), hex(up));
            QCOMPARE(hex(standardShades[0].shade[j]), hex(down));
        }
        // Black and white have no tints.
        for (int j = 21; j <= 40; ++j) {
            QCOMPARE(standardShades[0].shade[j], 0);
            QCOMPARE(standardShades[7].shade[j], 0);
        }
    }

    void lookups_data()
    {
        QTest::addColumn<int>("colorNumber");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("expected");
        QTest::newRow("default colour is black") << -1 << 20 << 3 << 0x000000;
        QTest::newRow("fill 0 of black is white") << 0 << 0 << 3 << 0xffffff;
        QTest::newRow("fill 20 of black") << 0 << 20 << 3 << 0x000000;
        QTest::newRow("fill 30 of black") << 0 << 30 << 3 << 0x000000;
        QTest::newRow("fill 0 of white is black") << 7 << 0 << 3 << 0x000000;
        QTest::newRow("fill 20 of white") << 7 << 20 << 3 << 0xffffff;
        QTest::newRow("fill 10 of the default colour") << -1 << 10 << 3 << 0x7f7f7f;
        QTest::newRow("grey -5") << -5 << 20 << 3 << 0x999999;
        QTest::newRow("grey -4") << -4 << 0 << 3 << 0xe5e5e5;
        QTest::newRow("grey -5 is not dimmed") << -5 << 20 << 10 << 0x999999;
        QTest::newRow("grey -4 is not greyed") << -4 << 20 << 11 << 0xe5e5e5;
        QTest::newRow("user colour without table") << 33 << 20 << 3 << 0x000000;
        QTest::newRow("index 41") << 4 << 41 << 3 << 0x000000;
        QTest::newRow("index -1") << 4 << -1 << 3 << 0x000000;
        QTest::newRow("colour -2") << -2 << 20 << 3 << 0x000000;
        QTest::newRow("dimmed black") << 0 << 20 << 10 << 0xcccccc;
        QTest::newRow("greyed red") << 4 << 20 << 11 << 0xbfbfbf;
        QTest::newRow("dimmed red") << 4 << 20 << 10 << 0xffcccc;
        QTest::newRow("dimmed Blue4") << 8 << 20 << 10 << 0xb6b6ff;
        QTest::newRow("greyed white") << 7 << 20 << 11 << 0xffffff;
        QTest::newRow("greyed black") << 0 << 20 << 11 << 0x808080;
        QTest::newRow("dimmed shade 10 of red") << 4 << 10 << 10 << 0xffb3b3;
        QTest::newRow("other styles leave the colour") << 4 << 20 << 13 << 0xff0000;
    }
    void lookups()
    {
        QFETCH(int, colorNumber);
        QFETCH(int, index);
        QFETCH(int, style);
        QFETCH(int, expected);
        const QColor color = getShadedColor(noUserShades, colorNumber, index, style);
        QCOMPARE(hex(rgbOf(color)), hex(expected));
        QCOMPARE(color.alpha(), 255);
        if (index == 20)
            QCOMPARE(getPenColor(noUserShades, colorNumber, style), color);
    }

    void userColorLookups()
    {
        CFigContext ctx;
        QCOMPARE(ctx.addUserColor(QColor(10, 20, 30)), 0);
        QCOMPARE(ctx.addUserColor(QColor(200, 100, 0)), 1);
        const QHash<int, ShadeTable*>& shades = ctx.drawing.userShades;
        QCOMPARE(hex(rgbOf(getPenColor(shades, 32, DrawNormal))), hex(0x0a141e));
        QCOMPARE(hex(rgbOf(getPenColor(shades, 33, DrawNormal))), hex(0xc86400));
        QCOMPARE(hex(rgbOf(getShadedColor(shades, 32, 21, DrawNormal))), hex(0x16202a));
        QCOMPARE(hex(rgbOf(getShadedColor(shades, 33, 10, DrawNormal))), hex(0x643200));
        QCOMPARE(hex(rgbOf(getShadedColor(shades, 33, 40, DrawNormal))), hex(0xffffff));
        QCOMPARE(hex(rgbOf(getShadedColor(shades, 33, 0, DrawNormal))), hex(0x000000));
        QCOMPARE(hex(rgbOf(getShadedColor(shades, 33, 41, DrawNormal))), hex(0x000000));
        QCOMPARE(hex(rgbOf(getPenColor(shades, 34, DrawNormal))), hex(0x000000));
        // A deleted colour keeps its table until its key is reused.
        ctx.drawing.userColors.remove(1);
        QCOMPARE(hex(rgbOf(getPenColor(shades, 33, DrawNormal))), hex(0xc86400));
        QCOMPARE(ctx.addUserColor(QColor(1, 2, 3)), 1);
        QCOMPARE(hex(rgbOf(getPenColor(shades, 33, DrawNormal))), hex(0x010203));
    }

    void hlsRoundTrip_data()
    {
        QTest::addColumn<int>("rgb");
        QTest::newRow("red") << 0xff0000;
        QTest::newRow("gold") << 0xffd700;
        QTest::newRow("dark") << 0x102030;
        QTest::newRow("light") << 0xf0e0d0;
        QTest::newRow("grey") << 0x7f7f7f;
        QTest::newRow("magenta side") << 0x903080;
    }
    void hlsRoundTrip()
    {
        QFETCH(int, rgb);
        float h, l, s;
        rgbToHls(((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, h, l, s);
        QVERIFY(h >= 0.0f && h <= 1.0f);
        int r, g, b;
        hlsToRgb(h, l, s, r, g, b);
        QCOMPARE(hex((r << 16) | (g << 8) | b), hex(rgb));
    }

    // The whole old-to-new map is made first: a colour moved onto a number
    // that the source also used must not move a second time.
    void importRenumbersEachObjectOnce()
    {
        CFigContext ctx;
        ctx.addUserColor(QColor(1, 1, 1)); // key 0 (32)

        FigDrawing source;
        source.userColors.insert(0, QColor(2, 2, 2)); // 32 -> 33
        source.userColors.insert(1, QColor(3, 3, 3)); // 33 -> 34
        source.userColors.insert(2, QColor(1, 1, 1)); // 34 -> 32, the document's own

        auto* line = new FigLine(1);
        line->penColor = 32;
        line->fillColor = 33;
        auto* second = new FigLine(2);
        second->penColor = 34;
        second->fillColor = 4; // standard colours stay
        auto* text = new FigText(3);
        text->color = 33;
        text->penColor = 32;
        auto* inner = new FigCompound(4);
        auto* deep = new FigLine(5);
        deep->penColor = 34;
        deep->fillColor = 40; // not a source colour: stays
        inner->members->push_back(deep);
        auto* outer = new FigCompound(6);
        outer->members->push_back(inner);
        outer->members->push_back(text);

        FigObjectList objects { line, second, outer };
        ctx.importUserColors(&source, &objects);

        QCOMPARE(line->penColor, 33);
        QCOMPARE(line->fillColor, 34);
        QCOMPARE(second->penColor, 32);
        QCOMPARE(second->fillColor, 4);
        QCOMPARE(text->color, 34);
        QCOMPARE(text->penColor, 33);
        QCOMPARE(deep->penColor, 32);
        QCOMPARE(deep->fillColor, 40);

        QCOMPARE(ctx.drawing.userColors.keys(), (QList<int> { 0, 1, 2 }));
        QCOMPARE(ctx.drawing.userColors.value(1), QColor(2, 2, 2));
        QCOMPARE(ctx.drawing.userColors.value(2), QColor(3, 3, 3));
        QCOMPARE(hex(rgbOf(getPenColor(ctx.drawing.userShades, 34, DrawNormal))), hex(0x030303));
        deleteAllObjects(&objects);
    }

    void importTakesLowestFreeKeyAndReusesEqualColours()
    {
        CFigContext ctx;
        ctx.drawing.userColors.insert(0, QColor(9, 9, 9));
        ctx.drawing.userColors.insert(2, QColor(50, 60, 70));

        FigDrawing source;
        source.userColors.insert(5, QColor(50, 60, 70)); // equal to key 2
        source.userColors.insert(6, QColor(80, 90, 100)); // new: key 1
        source.userColors.insert(7, QColor(80, 90, 100)); // equal to the one just added

        auto* a = new FigLine(1);
        a->penColor = 37;
        a->fillColor = 38;
        auto* b = new FigLine(2);
        b->penColor = 39;
        FigObjectList objects { a, b };
        ctx.importUserColors(&source, &objects);

        QCOMPARE(a->penColor, 34);
        QCOMPARE(a->fillColor, 33);
        QCOMPARE(b->penColor, 33);
        QCOMPARE(ctx.drawing.userColors.size(), 3);
        QCOMPARE(ctx.drawing.userColors.value(1), QColor(80, 90, 100));
        QVERIFY(ctx.drawing.userShades.value(1));
        QCOMPARE(hex(ctx.drawing.userShades.value(1)->shade[20]), hex(0x505a64));
        deleteAllObjects(&objects);
    }

    void importIntoFullDocumentRenumbersNothing()
    {
        CFigContext ctx;
        for (int key = 0; key < CFigContext::maxUserColors; ++key)
            ctx.drawing.userColors.insert(key, QColor(Qt::blue));
        FigDrawing source;
        source.userColors.insert(0, QColor(Qt::red));
        source.userColors.insert(1, QColor(Qt::blue)); // found: 33 -> 32
        auto* line = new FigLine(1);
        line->penColor = 32;
        line->fillColor = 33;
        FigObjectList objects { line };
        ctx.importUserColors(&source, &objects);
        QCOMPARE(line->penColor, 32);
        QCOMPARE(line->fillColor, 32);
        QCOMPARE(ctx.drawing.userColors.size(), CFigContext::maxUserColors);
        deleteAllObjects(&objects);
    }
};

TAVREL_TEST_MAIN(TestColors)
#include "tst_colors.moc"
