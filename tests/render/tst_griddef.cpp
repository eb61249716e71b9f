// The grid definitions: derived steps and the built-in list.
#include "render/griddef.h"
#include "support/testenv.h"

#include <cmath>
#include <limits>

class TestGridDef : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { deleteGridDefs(); }

    void derivedSteps_data()
    {
        QTest::addColumn<float>("given");
        QTest::addColumn<float>("step");
        QTest::newRow("half") << 0.5f << 0.5f;
        QTest::newRow("two") << 2.f << 2.f;
        QTest::newRow("zero becomes one") << 0.f << 1.f;
        QTest::newRow("negative becomes one") << -2.f << 1.f;
        QTest::newRow("NaN becomes one") << std::numeric_limits<float>::quiet_NaN() << 1.f;
        QTest::newRow("infinity becomes one") << std::numeric_limits<float>::infinity() << 1.f;
    }
    void derivedSteps()
    {
        QFETCH(float, given);
        QFETCH(float, step);
        const GridDef grid("g", "tip", given, QColor(1, 2, 3), 2, "icon");
        QCOMPARE(grid.name, QStringLiteral("g"));
        QCOMPARE(grid.statusTip, QStringLiteral("tip"));
        QCOMPARE(grid.color, QColor(1, 2, 3));
        QCOMPARE(grid.penStyle, 2);
        QCOMPARE(grid.icon, QStringLiteral("icon"));
        QCOMPARE(grid.step, step);
        QCOMPARE(grid.metricStep, double(step) * 472.440944);
        QCOMPARE(grid.inchStep, double(step) * 1200);
        QCOMPARE(grid.metricHalfStep, grid.metricStep / 2);
        QCOMPARE(grid.inchHalfStep, grid.inchStep / 2);
    }

    void smallGridFigUnits()
    {
        const GridDef grid("Small", "", 0.5f, QColor(), 3, "");
        QVERIFY(std::fabs(grid.metricStep - 236.220472) < 1e-9);
        QCOMPARE(grid.inchStep, 600.0);
        QCOMPARE(grid.inchHalfStep, 300.0);
    }

    void builtinGrids_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<float>("step");
        QTest::addColumn<QString>("icon");
        QTest::newRow("0") << 0 << "None"
                           << "Grid is off" << 1.f << ":/grid/images/grid/grid_none.png";
        QTest::newRow("1") << 1 << "Small"
                           << "Half %1 GRID" << 0.5f << ":/grid/images/grid/grid_small.png";
        QTest::newRow("2") << 2 << "Medium"
                           << "One %1 GRID" << 1.f << ":/grid/images/grid/grid_medium.png";
        QTest::newRow("3") << 3 << "Large"
                           << "Two %1 GRID" << 2.f << ":/grid/images/grid/grid_large.png";
        QTest::newRow("4") << 4 << "Small isometric"
                           << "Half %1 GRID" << 0.5f << ":/grid/images/grid/grid_iso_small.png";
        QTest::newRow("5") << 5 << "Medium isometric"
                           << "One %1 GRID" << 1.f << ":/grid/images/grid/grid_iso_medium.png";
        QTest::newRow("6") << 6 << "Large isometric"
                           << "Two %1 GRID" << 2.f << ":/grid/images/grid/grid_iso_large.png";
    }
    void builtinGrids()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, statusTip);
        QFETCH(float, step);
        QFETCH(QString, icon);
        createBuiltinGrids();
        QCOMPARE(gridDefs.size(), 7);
        const GridDef* grid = gridDefs.at(index);
        QCOMPARE(grid->name, name);
        QCOMPARE(grid->statusTip, statusTip);
        QCOMPARE(grid->step, step);
        QCOMPARE(grid->icon, icon);
        QCOMPARE(grid->penStyle, int(Qt::DotLine));
        QCOMPARE(grid->color, QColor(220, 220, 220));
    }
};

TAVREL_TEST_MAIN(TestGridDef)
#include "tst_griddef.moc"
