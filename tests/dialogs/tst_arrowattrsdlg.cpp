// The arrow size dialog on a document window: it opens with the stored
// sizes and changes nothing; each value change stores all six sizes as shown
// and resizes the current object's arrow as one undo step; switching between
// absolute and relative sizes changes no object.
#include "dialogs/arrowattrsdlg.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/documentwindow.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include "ui_arrowattrsdlg.h"

#include <QDoubleSpinBox>
#include <QRadioButton>

namespace {

// A polyline of the given width with a forward arrow 1.00 x 60 x 120.
QByteArray arrowLine(int width)
{
    return "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n2 1 0 " + QByteArray::number(width)
        + " 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 60.00 120.00\n\t 1200 1200 2400 1800\n";
}

// The document with its polyline current and its arrow taken into the
// current attributes, as showing it does.
struct Document : DocumentWindow {
    explicit Document(int width)
    {
        if (!load(arrowLine(width)))
            qFatal("figure not read");
        FigObject* line = makeCurrent(0);
        context().takePolylineAttributes(line);
        original = objectLines();
    }
    QStringList original;
};

QList<double> shown(const Ui::ArrowAttrsDlg& form)
{
    return { form.thickness1->value(), form.width1->value(), form.height1->value(), form.thickness2->value(),
        form.width2->value(), form.height2->value() };
}

} // namespace

class TestArrowAttrsDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { documentwindow::initResources(); }
    void cleanupTestCase() { documentwindow::releaseResources(); }
    void init() { currentAttrs = DrawingAttributes(); }

    void startValues()
    {
        ArrowAttrsDlg dialog(nullptr, {}, nullptr);
        const Ui::ArrowAttrsDlg& form = dialog.form();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Arrow Size"));
        QCOMPARE(form.rbAbsolute->text(), QStringLiteral("Absolute\nValues"));
        QCOMPARE(form.rbRelative->text(), QStringLiteral("Multiple of\nLine Width"));
        QVERIFY(form.rbRelative->isChecked());
        QVERIFY(!form.rbAbsolute->isChecked());
        QCOMPARE(shown(form), QList<double>({ 1, 4, 8, 1, 4, 8 }));
        for (QDoubleSpinBox* box : { form.thickness1, form.width1, form.height1 })
            QVERIFY(!box->isEnabled());
        for (QDoubleSpinBox* box : { form.thickness2, form.width2, form.height2 }) {
            QVERIFY(box->isEnabled());
            QCOMPARE(box->decimals(), 2);
            QCOMPARE(box->maximum(), 10000.0);
            QCOMPARE(box->minimum(), 0.0);
        }
        QVERIFY(!currentAttrs.arrowSizeMode);
        QCOMPARE(currentAttrs.arrowWidth, 60.0f);
    }

    // Opening shows the stored sizes in line-width units and changes
    // neither the attributes nor the object.
    void openingChangesNothing()
    {
        Document doc(1);
        currentAttrs.arrowSizeMode = true;
        currentAttrs.arrowWidth = 61.0f;
        const DrawingAttributes before = currentAttrs;
        ArrowAttrsDlg dialog(nullptr, {}, &doc.context());
        QVERIFY(dialog.form().rbAbsolute->isChecked());
        QVERIFY(dialog.form().width1->isEnabled());
        QVERIFY(!dialog.form().width2->isEnabled());
        QCOMPARE(dialog.form().width1->value(), 4.07);
        QCOMPARE(currentAttrs.arrowWidth, before.arrowWidth);
        QCOMPARE(doc.undoSteps(), 0);

        // Any change stores every box as shown.
        dialog.form().thickness1->setValue(1.5);
        QCOMPARE(currentAttrs.arrowWidth, float(4.07 * 15.0));
        QCOMPARE(currentAttrs.arrowThickness, 1.5f);
    }

    // A value change in the mode in force: the stored size and the current
    // polyline's arrow line, one undo step, and undo.
    void change_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<QString>("box");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("arrow");
        QTest::newRow("absolute width") << 1 << true << "width1" << 5.0 << "\t1 1 1.00 75.00 120.00";
        QTest::newRow("absolute height") << 1 << true << "height1" << 10.0 << "\t1 1 1.00 60.00 150.00";
        QTest::newRow("absolute thickness, line 2") << 2 << true << "thickness1" << 3.0 << "\t1 1 3.00 60.00 120.00";
        QTest::newRow("relative width, line 2") << 2 << false << "width2" << 5.0 << "\t1 1 1.00 150.00 120.00";
        QTest::newRow("relative thickness, line 2") << 2 << false << "thickness2" << 1.0 << "\t1 1 2.00 60.00 120.00";
    }
    void change()
    {
        QFETCH(int, lineWidth);
        QFETCH(bool, absolute);
        QFETCH(QString, box);
        QFETCH(double, value);
        QFETCH(QString, arrow);
        Document doc(lineWidth);
        ArrowAttrsDlg dialog(nullptr, {}, &doc.context());
        QTest::mouseClick(absolute ? dialog.form().rbAbsolute : dialog.form().rbRelative, Qt::LeftButton);
        QCOMPARE(currentAttrs.arrowSizeMode, absolute);
        QCOMPARE(doc.undoSteps(), 0);

        dialog.findChild<QDoubleSpinBox*>(box)->setValue(value);
        QCOMPARE(doc.undoSteps(), 1);
        const QStringList lines = doc.objectLines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], doc.original[0]);
        QCOMPARE(lines[1], arrow);
        doc.undo();
        QCOMPARE(doc.objectLines(), doc.original);
        QCOMPARE(shown(dialog.form()).size(), 6);
    }

    // Switching the radio buttons changes no object and makes no step; each
    // step of a box is a step of its own.
    void modeSwitchAndSteps()
    {
        Document doc(1);
        ArrowAttrsDlg dialog(nullptr, {}, &doc.context());
        QTest::mouseClick(dialog.form().rbAbsolute, Qt::LeftButton);
        QVERIFY(currentAttrs.arrowSizeMode);
        QVERIFY(dialog.form().height1->isEnabled());
        QVERIFY(!dialog.form().height2->isEnabled());
        QTest::mouseClick(dialog.form().rbRelative, Qt::LeftButton);
        QVERIFY(!currentAttrs.arrowSizeMode);
        QCOMPARE(doc.undoSteps(), 0);
        QCOMPARE(doc.objectLines(), doc.original);

        dialog.form().height2->stepUp();
        dialog.form().height2->stepUp();
        QCOMPARE(currentAttrs.arrowHeightRel, 150.0f);
        QCOMPARE(doc.undoSteps(), 2);
        QCOMPARE(doc.objectLines().at(1), QStringLiteral("\t1 1 1.00 60.00 150.00"));
        doc.undo();
        QCOMPARE(doc.objectLines().at(1), QStringLiteral("\t1 1 1.00 60.00 135.00"));
    }

    // Without a current object only the attributes change.
    void withoutCurrentObject()
    {
        Document doc(1);
        doc.context().currentObject = nullptr;
        ArrowAttrsDlg dialog(nullptr, {}, &doc.context());
        dialog.form().width2->setValue(6.0);
        QCOMPARE(currentAttrs.arrowWidthRel, 90.0f);
        QCOMPARE(doc.undoSteps(), 0);
        QCOMPARE(doc.objectLines(), doc.original);
    }
};

TAVREL_TEST_MAIN(TestArrowAttrsDlg)
#include "tst_arrowattrsdlg.moc"
