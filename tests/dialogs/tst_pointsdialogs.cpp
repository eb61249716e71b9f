// The path and spline points dialogs on a document window: the rows they
// list, coordinates and shape factors typed into cells and centres typed into
// the fields as one undo step each (compared in the written file), entries
// that are refused, and the marker of the current row.
#include "app/preferences.h"
#include "app/version.h"
#include "dialogs/pointsdlg.h"
#include "dialogs/splinepointsdlg.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "support/documentwindow.h"
#include "support/fieldtyping.h"
#include "support/testenv.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QTableWidget>

#include <functional>
#include <memory>

namespace {

QByteArray figure()
{
    return "#FIG 3.2\n# Created by Tavrel version " + versionString(true).toUtf8()
        + "\nPortrait\nCenter\nInches\nLetter  \n100.00\nSingle\n-2\n1200 2\n"
          "# METADATA <id>1</id>\n"
          "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
          "\t 1000 1000 3000 1000 2500 2000 1200 2200 1000 1000\n"
          "# METADATA <id>2</id>\n"
          "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 0 3\n"
          "\t1 1 1.00 60.00 120.00\n"
          "\t 4800 3000 7800 3000 7800 3600\n"
          "# METADATA <id>3</id>\n"
          "3 1 0 1 0 7 50 -1 -1 0.000 0 0 0 4\n"
          "\t 6000 7200 7200 6600 8400 7200 7200 7800\n"
          "\t 1.000 1.000 1.000 1.000\n"
          "# METADATA <id>4</id>\n"
          "3 2 0 1 0 7 50 -1 -1 0.000 0 0 0 5\n"
          "\t 1000 5000 2000 4000 3000 5000 4000 4000 5000 5000\n"
          "\t 0.000 -1.000 -1.000 -1.000 0.000\n"
          "# METADATA <id>5</id>\n"
          "# METADATA <link srcPointIdx=0 targetObjId=1 targetLeftPointIdx=1/>\n"
          "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
          "\t 2750 1500 4000 1500\n";
}

enum { Polygon, Polyline, ClosedSpline, OpenSpline, LinkedLine };

// The written lines of each object.
enum {
    PolygonPoints = 1,
    PolylinePoints = 4,
    ClosedSplinePoints = 6,
    OpenSplinePoints = 9,
    OpenSplineFactors = 10,
    LinkedLinePoints = 12
};

struct Document : DocumentWindow {
    Document()
    {
        if (!load(figure()))
            qFatal("figure not read");
        context().dpiX = context().dpiY = 80.0f;
        original = objectLines();
    }
    QStringList original;
};

using DialogMaker = std::function<QDialog*(CFigContext*)>;

DialogMaker pointsDialog()
{
    return [](CFigContext* c) { return new PointsDlg(nullptr, {}, c); };
}

DialogMaker splineDialog()
{
    return [](CFigContext* c) { return new SplinePointsDlg(nullptr, {}, c); };
}

QTableWidget* table(QWidget& dialog)
{
    return dialog.findChild<QTableWidget*>(QStringLiteral("tbPoints"));
}

QDoubleSpinBox* field(QWidget& dialog, const char* name)
{
    return dialog.findChild<QDoubleSpinBox*>(QLatin1String(name));
}

QStringList column(QWidget& dialog, int c)
{
    QStringList out;
    for (int row = 0; row < table(dialog)->rowCount(); ++row)
        out << (table(dialog)->item(row, c) ? table(dialog)->item(row, c)->text() : QStringLiteral("(none)"));
    return out;
}

// The centre of the object's box with line width and arrowheads.
QPoint centreOf(Document& doc, int index)
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    doc.object(index)->getBounds(&doc.context(), x1, y1, x2, y2, true, true);
    return QPoint(x1 + (x2 - x1) / 2, y1 + (y2 - y1) / 2);
}

} // namespace

Q_DECLARE_METATYPE(DialogMaker)

class TestPointsDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { documentwindow::initResources(); }
    void cleanupTestCase() { documentwindow::releaseResources(); }
    void init()
    {
        preferences = Preferences();
        preferences.valuesUnit = 3;
    }

    void rowsListed_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<int>("object");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QStringList>("xs");

        const QStringList twoColumns { "X", "Y" };
        const QStringList threeColumns { "X", "Y", "Shape Factor" };
        // The closing point of a polygon repeats its first: no row.
        QTest::newRow("polygon") << pointsDialog() << int(Polygon) << twoColumns
                                 << QStringList { "1000", "3000", "2500", "1200" };
        QTest::newRow("open polyline") << pointsDialog() << int(Polyline) << twoColumns
                                       << QStringList { "4800", "7800", "7800" };
        QTest::newRow("closed spline, path dialog")
            << pointsDialog() << int(ClosedSpline) << twoColumns << QStringList { "6000", "7200", "8400", "7200" };
        QTest::newRow("closed spline") << splineDialog() << int(ClosedSpline) << threeColumns
                                       << QStringList { "6000", "7200", "8400", "7200" };
        QTest::newRow("open spline") << splineDialog() << int(OpenSpline) << threeColumns
                                     << QStringList { "1000", "2000", "3000", "4000", "5000" };
        QTest::newRow("spline dialog on a polygon") << splineDialog() << int(Polygon) << threeColumns << QStringList {};
    }

    void rowsListed()
    {
        QFETCH(DialogMaker, make);
        QFETCH(int, object);
        QFETCH(QStringList, headers);
        Document doc;
        doc.makeCurrent(object);
        std::unique_ptr<QDialog> dialog(make(&doc.context()));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Path points"));
        QStringList shown;
        for (int c = 0; c < table(*dialog)->columnCount(); ++c)
            shown << table(*dialog)->horizontalHeaderItem(c)->text();
        QCOMPARE(shown, headers);
        QTEST(column(*dialog, 0), "xs");
    }

    // Centimetres at four decimals in the general format; shape factors have
    // no unit and read the same in every unit.
    void unitChangeConvertsCoordinatesOnly()
    {
        Document doc;
        doc.makeCurrent(OpenSpline);
        SplinePointsDlg dialog(nullptr, {}, &doc.context());
        QCOMPARE(column(dialog, 2), (QStringList { "0", "-1", "-1", "-1", "0" }));
        dialog.findChild<QComboBox*>(QStringLiteral("cbUnit"))->setCurrentIndex(0);
        QCOMPARE(column(dialog, 0), (QStringList { "2.1167", "4.2333", "6.35", "8.4667", "10.5833" }));
        QCOMPARE(column(dialog, 2), (QStringList { "0", "-1", "-1", "-1", "0" }));
        QCOMPARE(doc.undoSteps(), 0);
    }

    void pointEdits_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<int>("object");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("points");

        // The first row of a polygon stands for its closing point too.
        QTest::newRow("polygon first x") << pointsDialog() << int(Polygon) << 0 << 0 << "1100" << int(PolygonPoints)
                                         << "\t 1100 1000 3000 1000 2500 2000 1200 2200 1100 1000";
        QTest::newRow("polyline y") << pointsDialog() << int(Polyline) << 1 << 1 << "3200" << int(PolylinePoints)
                                    << "\t 4800 3000 7800 3200 7800 3600";
        QTest::newRow("spline point, path dialog")
            << pointsDialog() << int(OpenSpline) << 2 << 1 << "4500" << int(OpenSplinePoints)
            << "\t 1000 5000 2000 4000 3000 4500 4000 4000 5000 5000";
        QTest::newRow("spline point") << splineDialog() << int(ClosedSpline) << 3 << 0 << "7000"
                                      << int(ClosedSplinePoints) << "\t 6000 7200 7200 6600 8400 7200 7000 7800";
    }

    // One undo step; the centre fields follow, the edited cell keeps what
    // was typed.
    void pointEdits()
    {
        QFETCH(DialogMaker, make);
        QFETCH(int, object);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(int, line);
        Document doc;
        doc.makeCurrent(object);
        std::unique_ptr<QDialog> dialog(make(&doc.context()));
        dialog->show();
        QVERIFY(typeIntoCell(table(*dialog), row, col, typed));

        const QStringList lines = doc.objectLines();
        QTEST(lines.at(line), "points");
        QCOMPARE(doc.undoSteps(), 1);
        QVERIFY(doc.context().modified);
        QCOMPARE(table(*dialog)->item(row, col)->text(), typed);
        const QPoint centre = centreOf(doc, object);
        QCOMPARE(field(*dialog, "centerX")->value(), double(centre.x()));
        QCOMPARE(field(*dialog, "centerY")->value(), double(centre.y()));
        doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
        doc.redo();
        QCOMPARE(doc.objectLines(), lines);
    }

    // Entries that are no number, no finite number, or beyond the Fig range
    // change nothing, and the cell shows the point's coordinate again; a
    // number that rounds to the coordinate records nothing and stays.
    void refusedCells_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");

        for (const auto& kind :
            { qMakePair(QByteArray("path"), pointsDialog()), qMakePair(QByteArray("spline"), splineDialog()) }) {
            QTest::newRow(kind.first + ", letters") << kind.second << "abc"
                                                    << "2000";
            QTest::newRow(kind.first + ", huge") << kind.second << "1e300"
                                                 << "2000";
            QTest::newRow(kind.first + ", beyond the Fig range") << kind.second << "-200000000"
                                                                 << "2000";
            QTest::newRow(kind.first + ", nan") << kind.second << "nan"
                                                << "2000";
            QTest::newRow(kind.first + ", infinite") << kind.second << "inf"
                                                     << "2000";
            QTest::newRow(kind.first + ", empty") << kind.second << ""
                                                  << "2000";
            QTest::newRow(kind.first + ", rounds to the same") << kind.second << "2000.4"
                                                               << "2000.4";
        }
    }

    void refusedCells()
    {
        QFETCH(DialogMaker, make);
        QFETCH(QString, typed);
        Document doc;
        doc.makeCurrent(OpenSpline);
        std::unique_ptr<QDialog> dialog(make(&doc.context()));
        dialog->show();
        QVERIFY(typeIntoCell(table(*dialog), 1, 0, typed));
        QTEST(table(*dialog)->item(1, 0)->text(), "cell");
        QCOMPARE(doc.undoSteps(), 0);
        QVERIFY(!doc.context().modified);
        QCOMPARE(doc.objectLines(), doc.original);
    }

    // The centre moves the whole object, the line linked to it following,
    // as one step; centre and table show the moved object.
    void centreMovesTheObject()
    {
        Document doc;
        doc.makeCurrent(Polygon);
        PointsDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        const QPoint centre = centreOf(doc, Polygon);
        QCOMPARE(field(dialog, "centerX")->value(), double(centre.x()));
        typeIntoSpinBox(field(dialog, "centerX"), QString::number(centre.x() + 100));

        const QStringList lines = doc.objectLines();
        QCOMPARE(lines.at(PolygonPoints), QStringLiteral("\t 1100 1000 3100 1000 2600 2000 1300 2200 1100 1000"));
        QCOMPARE(lines.at(LinkedLinePoints), QStringLiteral("\t 2850 1500 4000 1500"));
        QCOMPARE(doc.undoSteps(), 1);
        QCOMPARE(column(dialog, 0), (QStringList { "1100", "3100", "2600", "1300" }));
        QCOMPARE(field(dialog, "centerX")->value(), double(centre.x() + 100));
        doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
    }

    // The centre is that of the drawn line: the forward arrowhead, which
    // points down at the right end, pulls it to the right.
    void centreCountsTheArrowhead()
    {
        Document doc;
        doc.makeCurrent(Polyline);
        PointsDlg dialog(nullptr, {}, &doc.context());
        QVERIFY(field(dialog, "centerX")->value() > 6300.0);
    }

    void shapeFactors_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("factors"); // the written line
        QTest::addColumn<int>("steps");

        const QString unchanged = "\t 0.000 -1.000 -1.000 -1.000 0.000";
        QTest::newRow("one half") << "0.5"
                                  << "0.5"
                                  << "\t 0.000 -1.000 0.500 -1.000 0.000" << 1;
        QTest::newRow("one") << "1"
                             << "1"
                             << "\t 0.000 -1.000 1.000 -1.000 0.000" << 1;
        QTest::newRow("the same, written otherwise") << "-1.0"
                                                     << "-1.0" << unchanged << 0;
        QTest::newRow("two") << "2"
                             << "-1" << unchanged << 0;
        QTest::newRow("below -1") << "-1.5"
                                  << "-1" << unchanged << 0;
        QTest::newRow("nan") << "nan"
                             << "-1" << unchanged << 0;
        QTest::newRow("letters") << "half"
                                 << "-1" << unchanged << 0;
    }

    // A factor typed for the third point, the row headed 3.
    void shapeFactors()
    {
        QFETCH(QString, typed);
        QFETCH(int, steps);
        Document doc;
        doc.makeCurrent(OpenSpline);
        SplinePointsDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QCOMPARE(table(dialog)->verticalHeaderItem(2) ? table(dialog)->verticalHeaderItem(2)->text()
                                                      : table(dialog)->model()->headerData(2, Qt::Vertical).toString(),
            QStringLiteral("3"));
        QVERIFY(typeIntoCell(table(dialog), 2, 2, typed));

        QTEST(table(dialog)->item(2, 2)->text(), "cell");
        QTEST(doc.objectLines().at(OpenSplineFactors), "factors");
        QCOMPARE(doc.undoSteps(), steps);
        if (steps > 0) {
            doc.undo();
            QCOMPARE(doc.objectLines(), doc.original);
            QCOMPARE(static_cast<FigSpline*>(doc.object(OpenSpline))->shapeFactorAt(2)->value, -1.0);
        }
    }

    // Selecting a row highlights its point; selecting another gives the first
    // one its plain marker again.
    void currentRowMarker()
    {
        Document doc;
        auto* line = static_cast<FigLine*>(doc.makeCurrent(Polyline));
        for (FigPoint* p = line->points; p; p = p->next)
            p->markerState = 1;
        PointsDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        table(dialog)->setCurrentCell(0, 0);
        QCOMPARE(line->pointAt(0)->markerState, 1);
        table(dialog)->setCurrentCell(2, 1);
        QCOMPARE(line->pointAt(0)->markerState, 0);
        QCOMPARE(line->pointAt(2)->markerState, 1);
        QCOMPARE(doc.undoSteps(), 0);
    }
};

TAVREL_TEST_MAIN(TestPointsDialogs)
#include "tst_pointsdialogs.moc"
