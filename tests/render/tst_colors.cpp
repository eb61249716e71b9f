#include "render/colors.h"
#include "support/testenv.h"

class TestColors : public QObject {
    Q_OBJECT
private slots:
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
};

TAVREL_TEST_MAIN(TestColors)
#include "tst_colors.moc"
