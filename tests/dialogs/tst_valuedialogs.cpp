// The value dialogs of texts, boxes, arcs and ellipses on a document window:
// the shared unit and its conversions, edits typed into the number fields as
// one undo step each (compared in the written file), edits that change
// nothing, and values that are refused.
#include "app/preferences.h"
#include "app/version.h"
#include "dialogs/arcvaluesdlg.h"
#include "dialogs/boxvaluesdlg.h"
#include "dialogs/ellipsevaluesdlg.h"
#include "dialogs/pointsdlg.h"
#include "dialogs/splinepointsdlg.h"
#include "dialogs/textcoordsdlg.h"
#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figtext.h"
#include "support/documentwindow.h"
#include "support/fieldtyping.h"
#include "support/testenv.h"

#include <QComboBox>
#include <QDoubleSpinBox>

#include <functional>
#include <memory>

namespace {

QByteArray header()
{
    return "#FIG 3.2\n# Created by Tavrel version " + versionString(true).toUtf8()
        + "\nPortrait\nCenter\nInches\nLetter  \n100.00\nSingle\n-2\n1200 2\n";
}

// 0 a text at (1200, 2400); 1 a box from (1000, 2000) to (3000, 3000);
// 2 a line whose first point is linked to the box's right side; 3 an arc
// through (1000, 2000), (2000, 1000) and (3000, 2000) around (2000, 2000);
// 4 an ellipse around (4000, 4000) with radii 1200 and 600; 5 a circle of
// radius 300 around (6000, 6000).
QByteArray figure()
{
    return header()
        + "# METADATA <id>1</id>\n"
          "4 0 0 50 -1 0 12 0.0000 4 135 405 1200 2400 Hello\\001\n"
          "# METADATA <id>2</id>\n"
          "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
          "\t 1000 2000 3000 2000 3000 3000 1000 3000 1000 2000\n"
          "# METADATA <id>3</id>\n"
          "# METADATA <link srcPointIdx=0 targetObjId=2 targetLeftPointIdx=1/>\n"
          "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
          "\t 3000 2500 4000 2500\n"
          "# METADATA <id>4</id>\n"
          "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 2000.000 2000.000 1000 2000 2000 1000 3000 2000\n"
          "# METADATA <id>5</id>\n"
          "1 1 0 1 0 7 50 -1 -1 0.000 1 0.0000 4000 4000 1200 600 4000 4000 5200 4600\n"
          "# METADATA <id>6</id>\n"
          "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 6000 6000 300 300 6000 6000 6300 6000\n";
}

enum { TextObject, BoxObject, LinkedLine, ArcObject, EllipseObject, CircleObject };

QDoubleSpinBox* field(QWidget& dialog, const char* name)
{
    auto* spin = dialog.findChild<QDoubleSpinBox*>(QLatin1String(name));
    if (!spin)
        qFatal("no field %s", name);
    return spin;
}

QComboBox* unitCombo(QWidget& dialog)
{
    return dialog.findChild<QComboBox*>(QStringLiteral("cbUnit"));
}

// The fields of a dialog's values, in the order given.
QList<double> values(QWidget& dialog, const QList<const char*>& names)
{
    QList<double> out;
    for (const char* name : names)
        out << field(dialog, name)->value();
    return out;
}

// Field `index` (counted from 0, blank-separated) of an object line.
int lineField(const QString& line, int index)
{
    return line.simplified().split(QLatin1Char(' ')).value(index).toInt();
}

// A document window with the figure at 80 dots per inch.
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

} // namespace

Q_DECLARE_METATYPE(DialogMaker)

class TestValueDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { documentwindow::initResources(); }
    void cleanupTestCase() { documentwindow::releaseResources(); }
    void init() { preferences = Preferences(); }

    // ---- The unit ----

    void unitsShowOnePoint_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");

        // The text stands at (1200, 2400).
        QTest::newRow("centimetres") << 0 << 2.54 << 5.08;
        QTest::newRow("inches") << 1 << 1.0 << 2.0;
        QTest::newRow("display pixels at 80 dpi") << 2 << 80.0 << 160.0;
        QTest::newRow("Fig units") << 3 << 1200.0 << 2400.0;
    }

    void unitsShowOnePoint()
    {
        QFETCH(int, unit);
        QFETCH(double, x);
        QFETCH(double, y);
        Document doc;
        doc.makeCurrent(TextObject);
        preferences.valuesUnit = unit;
        TextCoordsDlg dialog(nullptr, {}, &doc.context());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Coordinates"));
        QCOMPARE(unitCombo(dialog)->currentIndex(), unit);
        QStringList items;
        for (int i = 0; i < unitCombo(dialog)->count(); ++i)
            items << unitCombo(dialog)->itemText(i);
        QCOMPARE(items, QStringList({ "Metric (cm)", "Imperial (in)", "Display (dpi)", "FIG (1200 dpi)" }));
        QCOMPARE(values(dialog, { "px", "py" }), (QList<double> { x, y }));
    }

    // A run starts in centimetres; the unit picked in one value dialog is
    // that of the next one, in any document, and picking it changes nothing.
    void unitIsSharedAndRecordsNothing()
    {
        Document doc;
        doc.makeCurrent(TextObject);
        {
            TextCoordsDlg dialog(nullptr, {}, &doc.context());
            QCOMPARE(unitCombo(dialog)->currentIndex(), 0);
            unitCombo(dialog)->setCurrentIndex(1);
            QCOMPARE(values(dialog, { "px", "py" }), (QList<double> { 1.0, 2.0 }));
        }
        QCOMPARE(preferences.valuesUnit, 1);
        QCOMPARE(doc.undoSteps(), 0);
        QVERIFY(!doc.context().modified);
        QCOMPARE(doc.objectLines(), doc.original);

        Document other;
        other.makeCurrent(BoxObject);
        BoxValuesDlg dialog(nullptr, {}, &other.context());
        QCOMPARE(unitCombo(dialog)->currentIndex(), 1);
        QCOMPARE(values(dialog, { "centerX", "width" }), (QList<double> { 1.6667, 1.6667 }));
    }

    // ---- Texts ----

    void textPositionTypedInCentimetres()
    {
        Document doc;
        FigText* text = static_cast<FigText*>(doc.makeCurrent(TextObject));
        TextCoordsDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        typeIntoSpinBox(field(dialog, "px"), "3.3333");

        // 3.3333 cm are 1574.79 Fig units.
        QCOMPARE(text->x, 1575);
        QCOMPARE(text->y, 2400);
        QCOMPARE(doc.undoSteps(), 1);
        QVERIFY(doc.context().modified);
        const QString line = doc.objectLines().at(TextObject);
        QCOMPARE(lineField(line, 11), 1575);
        QCOMPARE(lineField(line, 12), 2400);
        QCOMPARE(field(dialog, "px")->value(), 3.3333);

        unitCombo(dialog)->setCurrentIndex(1);
        QCOMPARE(values(dialog, { "px", "py" }), (QList<double> { 1.3125, 2.0 }));
        unitCombo(dialog)->setCurrentIndex(0);
        QCOMPARE(field(dialog, "px")->value(), 3.3338);
        QCOMPARE(doc.undoSteps(), 1);

        doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
    }

    // Editing one field of a pair leaves the other coordinate where it is,
    // also when the unit shows it rounded or a negative one shows as 0.
    void oneFieldKeepsTheOther_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("x");
        QTest::addColumn<double>("shownX");
        QTest::addColumn<QString>("typedY");
        QTest::addColumn<int>("y");

        QTest::newRow("display pixels") << 2 << 100 << 7.0 << "200" << 3000;
        QTest::newRow("negative") << 3 << -300 << 0.0 << "2500" << 2500;
        QTest::newRow("centimetres") << 0 << 1181 << 2.4998 << "2" << 945;
    }

    void oneFieldKeepsTheOther()
    {
        QFETCH(int, unit);
        QFETCH(int, x);
        Document doc;
        FigText* text = static_cast<FigText*>(doc.makeCurrent(TextObject));
        text->x = x;
        preferences.valuesUnit = unit;
        TextCoordsDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QTEST(field(dialog, "px")->value(), "shownX");
        QFETCH(QString, typedY);
        typeIntoSpinBox(field(dialog, "py"), typedY);
        QTEST(text->y, "y");
        QCOMPARE(text->x, x);
        QCOMPARE(doc.undoSteps(), 1);
        // And again the other way round: the typed y stays as well.
        const int y = text->y;
        typeIntoSpinBox(field(dialog, "px"), QString::number(field(dialog, "px")->value() + 1));
        QCOMPARE(text->y, y);
        QCOMPARE(doc.undoSteps(), 2);
    }

    // ---- Boxes ----

    void boxShowsItsValues()
    {
        Document doc;
        doc.makeCurrent(BoxObject);
        preferences.valuesUnit = 3;
        BoxValuesDlg dialog(nullptr, {}, &doc.context());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Box points"));
        QCOMPARE(
            values(dialog, { "centerX", "centerY", "width", "height" }), (QList<double> { 2000, 2500, 2000, 1000 }));
        QCOMPARE(values(dialog, { "ulx", "uly", "urx", "ury", "llx", "lly", "lrx", "lry" }),
            (QList<double> { 1000, 2000, 3000, 2000, 1000, 3000, 3000, 3000 }));
    }

    void boxEdits_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("points"); // the box's written points after the edit
        QTest::addColumn<int>("linkedX"); // the linked line's first x
        QTest::addColumn<int>("steps");

        // The centre moves the box with the line linked to it.
        QTest::newRow("centre") << "centerX"
                                << "2500"
                                << "\t 1500 2000 3500 2000 3500 3000 1500 3000 1500 2000" << 3500 << 1;
        QTest::newRow("width about the centre") << "width"
                                                << "4000"
                                                << "\t 0 2000 4000 2000 4000 3000 0 3000 0 2000" << 4000 << 1;
        QTest::newRow("odd width change ends one short")
            << "width"
            << "2003"
            << "\t 999 2000 3001 2000 3001 3000 999 3000 999 2000" << 3001 << 1;
        QTest::newRow("lower right corner moves the box")
            << "lrx"
            << "500"
            << "\t -1500 2000 500 2000 500 3000 -1500 3000 -1500 2000" << 500 << 1;
        QTest::newRow("width to 0") << "width"
                                    << "0"
                                    << "\t 2000 2000 2000 2000 2000 3000 2000 3000 2000 2000" << 2000 << 1;
        // Half of one unit moves no side: nothing is recorded.
        QTest::newRow("too small a change") << "width"
                                            << "2001"
                                            << "\t 1000 2000 3000 2000 3000 3000 1000 3000 1000 2000" << 3000 << 0;
        QTest::newRow("the same centre") << "centerY"
                                         << "2500.4"
                                         << "\t 1000 2000 3000 2000 3000 3000 1000 3000 1000 2000" << 3000 << 0;
    }

    void boxEdits()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, points);
        QFETCH(int, steps);
        Document doc;
        doc.makeCurrent(BoxObject);
        preferences.valuesUnit = 3;
        BoxValuesDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QFETCH(QString, typed);
        typeIntoSpinBox(field(dialog, qPrintable(fieldName)), typed);

        const QStringList lines = doc.objectLines();
        QCOMPARE(lines.at(2), points);
        QTEST(lineField(lines.at(4), 0), "linkedX");
        QCOMPARE(doc.undoSteps(), steps);
        QCOMPARE(doc.context().modified, steps > 0);
        // The fields show the box as it is now (a negative coordinate as 0).
        auto* box = static_cast<FigLine*>(doc.object(BoxObject));
        QCOMPARE(values(dialog, { "width", "height", "ulx", "lry" }),
            (QList<double> { double(box->boxWidth()), double(box->boxHeight()),
                qMax(0.0, double(box->upperLeftCorner()->x)), double(box->lowerRightCorner()->y) }));
        if (steps > 0) {
            doc.undo();
            QCOMPARE(doc.objectLines(), doc.original);
            doc.redo();
            QCOMPARE(doc.objectLines(), lines);
        }
    }

    // A box brought to width 0 and height 0 can be given a size again.
    void flatBoxWidensAgain()
    {
        Document doc;
        doc.makeCurrent(BoxObject);
        preferences.valuesUnit = 3;
        BoxValuesDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        typeIntoSpinBox(field(dialog, "width"), "0");
        typeIntoSpinBox(field(dialog, "height"), "0");
        QCOMPARE(doc.objectLines().at(2), QStringLiteral("\t 2000 2500 2000 2500 2000 2500 2000 2500 2000 2500"));
        typeIntoSpinBox(field(dialog, "width"), "3000");
        typeIntoSpinBox(field(dialog, "height"), "600");
        QCOMPARE(doc.objectLines().at(2), QStringLiteral("\t 500 2200 3500 2200 3500 2800 500 2800 500 2200"));
        QCOMPARE(
            values(dialog, { "centerX", "centerY", "width", "height" }), (QList<double> { 2000, 2500, 3000, 600 }));
        QCOMPARE(doc.undoSteps(), 4);
        for (int i = 0; i < 4; ++i)
            doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
    }

    // In display pixels a height of 1000 shows as 67, which is 1005: typing
    // a width must not give the box that height.
    void boxWidthKeepsTheHeight()
    {
        Document doc;
        doc.makeCurrent(BoxObject);
        preferences.valuesUnit = 2;
        BoxValuesDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QCOMPARE(field(dialog, "height")->value(), 67.0);
        typeIntoSpinBox(field(dialog, "width"), "200");
        QCOMPARE(doc.objectLines().at(2), QStringLiteral("\t 500 2000 3500 2000 3500 3000 500 3000 500 2000"));
    }

    // ---- Arcs ----

    void arcCentreAndPoints()
    {
        Document doc;
        auto* arc = static_cast<FigArc*>(doc.makeCurrent(ArcObject));
        preferences.valuesUnit = 3;
        ArcValuesDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Arc points"));
        const QList<const char*> all { "centerX", "centerY", "point1X", "point1Y", "point2X", "point2Y", "point3X",
            "point3Y" };
        QCOMPARE(values(dialog, all), (QList<double> { 2000, 2000, 1000, 2000, 2000, 1000, 3000, 2000 }));

        typeIntoSpinBox(field(dialog, "centerX"), "2500");
        QCOMPARE(values(dialog, all), (QList<double> { 2500, 2000, 1500, 2000, 2500, 1000, 3500, 2000 }));
        QCOMPARE(doc.undoSteps(), 1);
        const QStringList moved = doc.objectLines();

        // Point 2 on the line through points 1 and 3: no circle, nothing
        // recorded, the old point shown again.
        typeIntoSpinBox(field(dialog, "point2Y"), "2000");
        QCOMPARE(doc.undoSteps(), 1);
        QCOMPARE(doc.objectLines(), moved);
        QCOMPARE(field(dialog, "point2Y")->value(), 1000.0);

        // A point moves alone; the centre follows.
        typeIntoSpinBox(field(dialog, "point2Y"), "1500");
        QCOMPARE(doc.undoSteps(), 2);
        QCOMPARE(arc->points[1].y, 1500);
        QVERIFY(arc->centerY > 2000.0f);
        QVERIFY(qAbs(field(dialog, "centerY")->value() - arc->centerY) < 0.0001);
        doc.undo();
        QCOMPARE(doc.objectLines(), moved);
        QCOMPARE(arc->centerY, 2000.0f);
        doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
    }

    // A fractional centre: the arc moves by whole units, and an unedited
    // centre field does not move it.
    void arcFractionalCentre()
    {
        Document doc;
        auto* arc = static_cast<FigArc*>(doc.makeCurrent(ArcObject));
        arc->centerX = 1000.5f;
        arc->centerY = 800.25f;
        preferences.valuesUnit = 3;
        ArcValuesDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QCOMPARE(values(dialog, { "centerX", "centerY" }), (QList<double> { 1000.5, 800.25 }));
        typeIntoSpinBox(field(dialog, "centerY"), "900");
        QCOMPARE(arc->points[0].x, 1000);
        QCOMPARE(arc->points[0].y, 2100);
        typeIntoSpinBox(field(dialog, "centerX"), "2000");
        QCOMPARE(arc->points[0].x, 2000);
        QCOMPARE(arc->centerX, 2000.5f);
        QCOMPARE(doc.undoSteps(), 2);
    }

    // ---- Ellipses ----

    void ellipseRadiiAndDiameters()
    {
        Document doc;
        auto* ellipse = static_cast<FigEllipse*>(doc.makeCurrent(EllipseObject));
        preferences.valuesUnit = 1;
        EllipseValuesDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Ellipse values"));
        const QList<const char*> sizes { "radius1", "radius2", "diameter1", "diameter2" };
        QCOMPARE(values(dialog, sizes), (QList<double> { 1.0, 0.5, 2.0, 1.0 }));
        typeIntoSpinBox(field(dialog, "diameter2"), "1.5");
        QCOMPARE(ellipse->radii.x, 1200);
        QCOMPARE(ellipse->radii.y, 900);
        QCOMPARE(values(dialog, sizes), (QList<double> { 1.0, 0.75, 2.0, 1.5 }));
        QCOMPARE(doc.undoSteps(), 1);
        const QString line = doc.objectLines().at(6);
        QCOMPARE(lineField(line, 14), 1200);
        QCOMPARE(lineField(line, 15), 900);

        // An odd diameter drops its last unit: the radius it already has.
        unitCombo(dialog)->setCurrentIndex(3);
        typeIntoSpinBox(field(dialog, "diameter1"), "2401");
        QCOMPARE(ellipse->radii.x, 1200);
        QCOMPARE(doc.undoSteps(), 1);

        // The centre moves it; the fields keep what was typed.
        typeIntoSpinBox(field(dialog, "centerX"), "4500");
        QCOMPARE(ellipse->center.x, 4500);
        QCOMPARE(ellipse->radii.y, 900);
        QCOMPARE(doc.undoSteps(), 2);
        doc.undo();
        doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
    }

    void circleRadius()
    {
        Document doc;
        auto* circle = static_cast<FigEllipse*>(doc.makeCurrent(CircleObject));
        preferences.valuesUnit = 3;
        EllipseValuesDlg dialog(nullptr, {}, &doc.context());
        dialog.show();
        QVERIFY(!field(dialog, "radius2")->isEnabled());
        QVERIFY(!field(dialog, "diameter2")->isEnabled());
        QCOMPARE(
            values(dialog, { "radius1", "radius2", "diameter1", "diameter2" }), (QList<double> { 300, 0, 600, 0 }));

        // The end point stays on the circle, in its direction from the centre.
        typeIntoSpinBox(field(dialog, "radius1"), "500");
        QCOMPARE(circle->radii.x, 500);
        QCOMPARE(circle->radii.y, 500);
        QCOMPARE(circle->end.x, 6500);
        QCOMPARE(circle->end.y, 6000);
        typeIntoSpinBox(field(dialog, "radius1"), "500.4");
        QCOMPARE(doc.undoSteps(), 1);

        // Down to a point and out again.
        typeIntoSpinBox(field(dialog, "radius1"), "0");
        QCOMPARE(circle->radii.x, 0);
        typeIntoSpinBox(field(dialog, "diameter1"), "800");
        QCOMPARE(circle->radii.x, 400);
        QCOMPARE(circle->radii.y, 400);
        QCOMPARE(doc.undoSteps(), 3);
        for (int i = 0; i < 3; ++i)
            doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
    }

    // ---- Refused values and dialogs without an object ----

    // A value whose Fig equivalent no Fig file can hold changes nothing and
    // the field shows its value again.
    void valuesBeyondTheFigRange_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<int>("object");
        QTest::addColumn<QString>("fieldName");

        QTest::newRow("text x") << DialogMaker([](CFigContext* c) { return new TextCoordsDlg(nullptr, {}, c); })
                                << int(TextObject) << "px";
        QTest::newRow("box width") << DialogMaker([](CFigContext* c) { return new BoxValuesDlg(nullptr, {}, c); })
                                   << int(BoxObject) << "width";
        QTest::newRow("box centre") << DialogMaker([](CFigContext* c) { return new BoxValuesDlg(nullptr, {}, c); })
                                    << int(BoxObject) << "centerY";
        QTest::newRow("arc point") << DialogMaker([](CFigContext* c) { return new ArcValuesDlg(nullptr, {}, c); })
                                   << int(ArcObject) << "point3X";
        QTest::newRow("ellipse radius") << DialogMaker([](CFigContext* c) {
            return new EllipseValuesDlg(nullptr, {}, c);
        }) << int(EllipseObject) << "radius1";
        QTest::newRow("path centre") << DialogMaker([](CFigContext* c) { return new PointsDlg(nullptr, {}, c); })
                                     << int(BoxObject) << "centerX";
    }

    void valuesBeyondTheFigRange()
    {
        QFETCH(DialogMaker, make);
        QFETCH(int, object);
        QFETCH(QString, fieldName);
        Document doc;
        doc.makeCurrent(object);
        preferences.valuesUnit = 1;
        std::unique_ptr<QDialog> dialog(make(&doc.context()));
        dialog->show();
        QDoubleSpinBox* spin = field(*dialog, qPrintable(fieldName));
        const double shown = spin->value();
        typeIntoSpinBox(spin, "999999999");
        QCOMPARE(spin->value(), shown);
        QCOMPARE(doc.undoSteps(), 0);
        QVERIFY(!doc.context().modified);
        QCOMPARE(doc.objectLines(), doc.original);
    }

    // Opened on an object of another kind, or without a document, a value
    // dialog shows zeros and its fields change nothing.
    void dialogsWithoutTheirObject_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<QString>("fieldName");

        QTest::newRow("text") << DialogMaker([](CFigContext* c) { return new TextCoordsDlg(nullptr, {}, c); }) << "px";
        QTest::newRow("box") << DialogMaker([](CFigContext* c) { return new BoxValuesDlg(nullptr, {}, c); }) << "width";
        QTest::newRow("arc") << DialogMaker([](CFigContext* c) { return new ArcValuesDlg(nullptr, {}, c); })
                             << "centerX";
        QTest::newRow("ellipse") << DialogMaker([](CFigContext* c) { return new EllipseValuesDlg(nullptr, {}, c); })
                                 << "radius1";
        QTest::newRow("points") << DialogMaker([](CFigContext* c) { return new PointsDlg(nullptr, {}, c); })
                                << "centerY";
        QTest::newRow("spline points") << DialogMaker([](CFigContext* c) {
            return new SplinePointsDlg(nullptr, {}, c);
        }) << "centerX";
    }

    void dialogsWithoutTheirObject()
    {
        QFETCH(DialogMaker, make);
        QFETCH(QString, fieldName);
        Document doc;
        // The text suits only the text dialog, the arc none but the arc's:
        // each dialog gets an object of another kind.
        doc.makeCurrent(fieldName == "px" ? ArcObject : TextObject);
        for (CFigContext* context : { &doc.context(), static_cast<CFigContext*>(nullptr) }) {
            std::unique_ptr<QDialog> dialog(make(context));
            dialog->show();
            QDoubleSpinBox* spin = field(*dialog, qPrintable(fieldName));
            QCOMPARE(spin->value(), 0.0);
            typeIntoSpinBox(spin, "2");
            unitCombo(*dialog)->setCurrentIndex(2);
            QCOMPARE(doc.undoSteps(), 0);
            QCOMPARE(doc.objectLines(), doc.original);
        }
    }
};

TAVREL_TEST_MAIN(TestValueDialogs)
#include "tst_valuedialogs.moc"
