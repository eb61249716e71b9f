#include "app/preferences.h"
#include "model/figcontext.h"
#include "model/units.h"
#include "support/testenv.h"

#include <climits>

namespace {

// Restores the preferences a test changes.
struct PreferencesGuard {
    Preferences saved = preferences;
    ~PreferencesGuard() { preferences = saved; }
};

} // namespace

class TestUnits : public QObject {
    Q_OBJECT
private slots:
    void roundToIntRule_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("half up") << 2.5 << 3;
        QTest::newRow("negative half away from zero") << -2.5 << -3;
        QTest::newRow("minus one half") << -0.5 << -1;
        QTest::newRow("one half") << 0.5 << 1;
        QTest::newRow("just below one half") << 0.49999999999999994 << 0;
        QTest::newRow("just above minus one half") << -0.49999999999999994 << 0;
        QTest::newRow("negative below half") << -1.4 << -1;
        QTest::newRow("negative above half") << -1.6 << -2;
        QTest::newRow("whole") << 7.0 << 7;
        QTest::newRow("large half") << 1073741824.5 << 1073741825;
        QTest::newRow("largest int") << 2147483647.0 << INT_MAX;
        QTest::newRow("beyond int saturates") << 1e12 << INT_MAX;
        QTest::newRow("below int saturates") << -1e12 << INT_MIN;
    }
    void roundToIntRule()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(roundToInt(x), expected);
    }

    void roundToIntNaN() { QCOMPARE(roundToInt(std::nan("")), 0); }

    void roundToDecimalsRule_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        // 100 * 1.005 is 100.49999999999999 in double precision.
        QTest::newRow("1.005 to 2") << 1.005 << 2 << 1.0;
        QTest::newRow("2.345 to 0") << 2.345 << 0 << 2.0;
        QTest::newRow("2.5 to 0") << 2.5 << 0 << 3.0;
        QTest::newRow("negative half") << -0.125 << 2 << -0.13;
        QTest::newRow("three places") << 0.8333333 << 3 << 0.833;
    }
    void roundToDecimalsRule()
    {
        QFETCH(double, x);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(roundToDecimals(x, decimals), expected);
    }

    void signOfValues()
    {
        QCOMPARE(signOf(-7), -1);
        QCOMPARE(signOf(0), 0);
        QCOMPARE(signOf(3), 1);
        QCOMPARE(signOf(INT_MIN), -1);
    }

    void constants()
    {
        QCOMPARE(figUnitsPerInch, 1200);
        // The truncated constant, not 1200 / 2.54.
        QCOMPARE(figUnitsPerCentimetre, 472.440944);
        QVERIFY(figUnitsPerCentimetre != 1200 / 2.54);
        QCOMPARE(displayPixelSize(80.0f), 15.0f);
        QCOMPARE(displayPixelSize(72.0f), static_cast<float>(1200.0 / 72.0));
    }

    void toFigUnits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("unit");
        QTest::addColumn<float>("dpi");
        QTest::addColumn<int>("expected");
        QTest::newRow("1 cm") << 1.0 << 0 << 80.0f << 472;
        QTest::newRow("2.54 cm") << 2.54 << 0 << 80.0f << 1200;
        QTest::newRow("-1.5 cm") << -1.5 << 0 << 80.0f << -709;
        QTest::newRow("1 inch") << 1.0 << 1 << 80.0f << 1200;
        QTest::newRow("0.001 inch") << 0.001 << 1 << 80.0f << 1;
        QTest::newRow("1 pixel at 80 dpi") << 1.0 << 2 << 80.0f << 15;
        QTest::newRow("1 pixel at 96 dpi, half up") << 1.0 << 2 << 96.0f << 13;
        QTest::newRow("3 pixels at 72 dpi") << 3.0 << 2 << 72.0f << 50;
        QTest::newRow("1 Fig unit") << 1.0 << 3 << 80.0f << 1;
        QTest::newRow("-0.5 Fig unit") << -0.5 << 3 << 80.0f << -1;
        QTest::newRow("unknown unit") << 1.0 << 4 << 80.0f << 0;
        QTest::newRow("negative unit") << 1.0 << -1 << 80.0f << 0;
    }
    void toFigUnits()
    {
        QFETCH(double, value);
        QFETCH(int, unit);
        QFETCH(float, dpi);
        QFETCH(int, expected);
        QCOMPARE(valueToFigUnits(value, unit, dpi), expected);
    }

    void fromFigUnits_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<float>("dpi");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("expectedF");
        QTest::newRow("1200 in cm") << 1200 << 0 << 2 << 80.0f << 2.54 << 2.54;
        QTest::newRow("-1200 in cm") << -1200 << 0 << 2 << 80.0f << -2.54 << -2.54;
        QTest::newRow("1000 in cm, 3 places") << 1000 << 0 << 3 << 80.0f << 2.117 << 2.117;
        QTest::newRow("1 in cm, 2 places") << 1 << 0 << 2 << 80.0f << 0.0 << 0.0;
        QTest::newRow("1200 in inches") << 1200 << 1 << 2 << 80.0f << 1.0 << 1.0;
        QTest::newRow("1000 in inches, 2 places") << 1000 << 1 << 2 << 80.0f << 0.83 << 0.83;
        QTest::newRow("1000 in inches, 3 places") << 1000 << 1 << 3 << 80.0f << 0.833 << 0.833;
        QTest::newRow("1000 in inches, 0 places") << 1000 << 1 << 0 << 80.0f << 1.0 << 1.0;
        // Display pixels are whole whatever the decimals.
        QTest::newRow("1000 in pixels at 80 dpi") << 1000 << 2 << 2 << 80.0f << 67.0 << 67.0;
        QTest::newRow("-1000 in pixels at 80 dpi") << -1000 << 2 << 2 << 80.0f << -67.0 << -67.0;
        // 60 / k is exactly 5.5 in single precision but just below in double.
        QTest::newRow("pixels near a half at 110 dpi") << 60 << 2 << 2 << 110.0f << 6.0 << 5.0;
        QTest::newRow("pixels near a half at 82 dpi") << 300 << 2 << 1 << 82.0f << 21.0 << 20.0;
        QTest::newRow("Fig units unchanged") << 1234 << 3 << 0 << 80.0f << 1234.0 << 1234.0;
        QTest::newRow("unknown unit") << 1234 << 7 << 2 << 80.0f << 0.0 << 0.0;
    }
    void fromFigUnits()
    {
        QFETCH(int, value);
        QFETCH(int, unit);
        QFETCH(int, decimals);
        QFETCH(float, dpi);
        QFETCH(double, expected);
        QFETCH(double, expectedF);
        QCOMPARE(figUnitsToValue(value, unit, decimals, dpi), expected);
        QCOMPARE(figUnitsToValueF(value, unit, decimals, dpi), expectedF);
    }

    void fromFigUnitsFractional()
    {
        QCOMPARE(figUnitsToValueF(1200.6, 3, 0, 80.0f), 1200.6);
        QCOMPARE(figUnitsToValueF(600.0, 1, 1, 80.0f), 0.5);
        QCOMPARE(figUnitsToValueF(22.5, 2, 2, 80.0f), 2.0);
    }

    // The document context converts in the program's current values unit,
    // display pixels with its own dots per inch.
    void contextToFigUnits_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("vertical");
        QTest::newRow("cm") << 0 << 1.0 << 472 << 472;
        QTest::newRow("inch") << 1 << 1.0 << 1200 << 1200;
        // dpiX 80 gives 15 Fig units a pixel, dpiY 96 gives 12.5.
        QTest::newRow("pixels") << 2 << 1.0 << 15 << 13;
        QTest::newRow("pixels, several") << 2 << 3.0 << 45 << 38;
        QTest::newRow("Fig units") << 3 << 2.5 << 3 << 3;
        QTest::newRow("unknown unit") << 5 << 1.0 << 0 << 0;
    }
    void contextToFigUnits()
    {
        QFETCH(int, unit);
        QFETCH(double, value);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        PreferencesGuard guard;
        preferences.valuesUnit = unit;
        CFigContext context;
        context.dpiX = 80.0f;
        context.dpiY = 96.0f;
        QCOMPARE(context.toFigUnits(value, true), horizontal);
        QCOMPARE(context.toFigUnits(value, false), vertical);
    }

    void contextFromFigUnits()
    {
        PreferencesGuard guard;
        preferences.valuesUnit = 1; // the unit argument decides, not the preference
        CFigContext context;
        context.dpiX = 110.0f;
        context.dpiY = 80.0f;
        QCOMPARE(context.fromFigUnits(1200, 0, 2), 2.54);
        QCOMPARE(context.fromFigUnitsF(1200.0, 0, 2), 2.54);
        QCOMPARE(context.fromFigUnits(1000, 1, 3), 0.833);
        QCOMPARE(context.fromFigUnits(1234, 3, 0), 1234.0);
        // Display pixels always use dpiX; at 110 dpi 60 Fig units are 5.5
        // pixels in single precision and just below in double precision.
        QCOMPARE(context.fromFigUnits(60, 2, 2), 6.0);
        QCOMPARE(context.fromFigUnitsF(60.0, 2, 2), 5.0);
        QCOMPARE(context.fromFigUnitsF(1200.6, 3, 0), 1200.6);
    }
};

TAVREL_TEST_MAIN(TestUnits)
#include "tst_units.moc"
