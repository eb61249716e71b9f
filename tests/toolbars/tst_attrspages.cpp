// The attribute pages of a running main window: every page's widgets by
// name with kind, range, decimals and start value; each value widget bound
// both ways to the current attributes, so a change on one page shows on
// every page and reaches the current object as one undo step; values read
// from a file shown as they are; the text size taken only when complete;
// the update page's mask; the tangent length's unit per document; the
// Escape key and the dialog buttons.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/arcvaluesdlg.h"
#include "dialogs/arrowattrsdlg.h"
#include "dialogs/boxvaluesdlg.h"
#include "dialogs/ellipsevaluesdlg.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/fontsdlg.h"
#include "dialogs/metricsdlg.h"
#include "dialogs/picturedlg.h"
#include "dialogs/pointsdlg.h"
#include "dialogs/splinepointsdlg.h"
#include "dialogs/textcoordsdlg.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/figtext.h"
#include "model/undohistory.h"
#include "render/fonts.h"
#include "support/editsession.h"
#include "support/fieldtyping.h"
#include "support/mainwindowdocuments.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "toolbars/attrspageform.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"
#include "toolbars/updatemask.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>

namespace {

QByteArray figFile(const QByteArray& body, const char* unit = "Inches")
{
    return "#FIG 3.2\nLandscape\nCenter\n" + QByteArray(unit) + "\nLetter\n100.00\nSingle\n-2\n1200 2\n" + body;
}

const QByteArray polyline = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n";
const QByteArray polygon = "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 1200 1200 2400 1200 1800 2400 1200 1200\n";
const QByteArray box
    = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n";
const QByteArray picture = "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 none.png\n"
                           "\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n";
const QByteArray ellipse = "1 1 0 1 0 7 50 -1 -1 0.000 1 0.0000 1800 1800 600 300 1800 1800 2400 2100\n";
const QByteArray arc = "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 1800.000 1800.000 1200 1800 1800 1200 2400 1800\n";
const QByteArray spline = "3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 1200 1200 1800 2400 2400 1200\n\t 0.000 1.000 0.000\n";
const QByteArray text = "4 0 0 50 -1 0 12 0.0000 4 135 900 1800 1800 words\\001\n";

QWidget* page(QTMainFrm& window, int index)
{
    return window.attrsStack->widget(index);
}

template <class W> W* child(QTMainFrm& window, int index, const QString& name)
{
    return page(window, index)->findChild<W*>(name);
}

// A value widget's number: spin box value, combo index, check state.
double shownValue(QWidget* w)
{
    if (auto* spin = qobject_cast<QSpinBox*>(w))
        return spin->value();
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(w))
        return spin->value();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentIndex();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isChecked() ? 1 : 0;
    return -1;
}

// As a user would: the widget's value signal follows.
void setShownValue(QWidget* w, double value)
{
    if (auto* spin = qobject_cast<QSpinBox*>(w))
        spin->setValue(int(value));
    else if (auto* spin = qobject_cast<QDoubleSpinBox*>(w))
        spin->setValue(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setCurrentIndex(int(value));
}

// The current attribute a widget name stands for, as its widget shows it.
double attribute(const QString& name)
{
    const DrawingAttributes& a = currentAttrs;
    if (name == "depth")
        return a.depth;
    if (name == "lineWidth")
        return a.lineWidth;
    if (name == "lineStyle")
        return a.lineStyle;
    if (name == "styleVal")
        return double(a.styleVal);
    if (name == "capStyle")
        return a.capStyle;
    if (name == "joinStyle")
        return a.joinStyle;
    if (name == "arcType")
        return a.arcType;
    if (name == "backArrow")
        return a.backArrowOn ? a.backArrow + 1 : 0;
    if (name == "forwArrow")
        return a.forwArrowOn ? a.forwArrow + 1 : 0;
    if (name == "boxType")
        return a.boxType == 4 ? 1 : 0;
    if (name == "boxCornerRadius")
        return a.boxCornerRadius;
    if (name == "ellipseAngle")
        return AttrsToolbarHandler::wholeDegrees(a.ellipseAngle);
    if (name == "numSides")
        return a.numSides;
    if (name == "arrowType")
        return a.arrowType;
    if (name == "textAngle")
        return AttrsToolbarHandler::wholeDegrees(a.textAngle);
    if (name == "textAlign")
        return a.textAlign;
    return -1;
}

// The flags of the update mask that are clear, by name.
QStringList clearFlags()
{
    const UpdateMask& m = updateMask;
    const std::pair<const char*, bool> flags[] = { { "depth", m.depth }, { "lineWidth", m.lineWidth },
        { "lineStyle", m.lineStyle }, { "styleVal", m.styleVal }, { "penColor", m.penColor },
        { "fillColor", m.fillColor }, { "fillStyle", m.fillStyle }, { "capStyle", m.capStyle },
        { "joinStyle", m.joinStyle }, { "boxType", m.boxType }, { "boxCornerRadius", m.boxCornerRadius },
        { "arcType", m.arcType }, { "ellipseAngle", m.ellipseAngle }, { "font", m.font },
        { "textAlign", m.textAlign }, { "textRigid", m.textRigid }, { "textSpecial", m.textSpecial },
        { "fontSize", m.fontSize }, { "textAngle", m.textAngle }, { "arrows", m.arrows } };
    QStringList result;
    for (const auto& flag : flags) {
        if (!flag.second)
            result << QString::fromLatin1(flag.first);
    }
    return result;
}

const QStringList allFlags = { "depth", "lineWidth", "lineStyle", "styleVal", "penColor", "fillColor", "fillStyle",
    "capStyle", "joinStyle", "boxType", "boxCornerRadius", "arcType", "ellipseAngle", "font", "textAlign", "textRigid",
    "textSpecial", "fontSize", "textAngle", "arrows" };

// The line pages and what their line block holds.
const int linePages[] = { 1, 3, 5, 7, 8, 10, 11, 12 };

int undoSteps(CFigContext* context)
{
    return context->undoHistory.undoSteps.size();
}

// Opens the drawing and makes its only object the current, shown one.
CFigContext* openShown(MainWindowDocuments& documents, const QByteArray& body, const char* unit = "Inches")
{
    static int opened = 0;
    QTChildFrm* document = documents.open(figFile(body, unit), QStringLiteral("drawing%1.fig").arg(++opened));
    if (!document)
        return nullptr;
    CFigContext* context = document->figContext;
    if (!context->drawing.objects.empty()) {
        context->currentObject = context->drawing.objects.front();
        documents.window().showObjectAttributes(context, context->currentObject);
    }
    return context;
}

// Clicks the button and names the modal dialog that its click ran, which
// is then closed; empty when none ran.
QString dialogOfClick(QAbstractButton* button)
{
    QString shown;
    QTimer::singleShot(0, button, [&shown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = QString::fromLatin1(modal->metaObject()->className());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    });
    button->click();
    QApplication::processEvents();
    return shown;
}

} // namespace

class TestAttrsPages : public QObject {
    Q_OBJECT

    // Drawings reaching left of the page stay where they are.
    MessageBoxRecorder boxes { QMessageBox::No };
    // A window as the program starts, which the page table only reads.
    std::unique_ptr<MainWindowDocuments> started;

private slots:
    void initTestCase()
    {
        currentAttrs = DrawingAttributes();
        started = std::make_unique<MainWindowDocuments>();
    }

    void cleanupTestCase() { started.reset(); }

    void init()
    {
        currentAttrs = DrawingAttributes();
        updateMask = UpdateMask();
        editMode = -1;
    }

    void stackOrder()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        const char* const forms[17] = { "EmptyAttrsForm", "ArcAttrsForm", "ArrowAttrsForm", "BoxAttrsForm",
            "CompoundAttrsForm", "EllipseAttrsForm", "EmptyAttrsForm", "PolygonAttrsForm", "PolylineAttrsForm",
            "PicAttrsForm", "RegpolyAttrsForm", "ClosedSplineAttrsForm", "OpenSplineAttrsForm", "TextAttrsForm",
            "RotateAttrsForm", "TangnormAttrsForm", "UpdateAttrsForm" };
        QCOMPARE(window.attrsStack->count(), 17);
        for (int i = 0; i < 17; ++i) {
            QCOMPARE(page(window, i)->objectName(), QString::fromLatin1(forms[i]));
            // Each page fits the stack, which is as wide as its widest page.
            QVERIFY(page(window, i)->minimumSizeHint().width() <= window.attrsStack->width());
        }
        QVERIFY(page(window, 0) != page(window, 6));
        QVERIFY(page(window, 0)->children().isEmpty());
        // Building the pages and showing the start values changed nothing.
        const DrawingAttributes start;
        QCOMPARE(currentAttrs.depth, start.depth);
        QCOMPARE(currentAttrs.lineWidth, start.lineWidth);
        QCOMPARE(currentAttrs.styleVal, start.styleVal);
        QCOMPARE(currentAttrs.backArrowOn, false);
        QCOMPARE(currentAttrs.boxCornerRadius, start.boxCornerRadius);
        QCOMPARE(currentAttrs.textAngle, 0.0f);
        QCOMPARE(currentAttrs.fontSize, 12);
        QCOMPARE(currentAttrs.rotnAngle, 90);
        QCOMPARE(currentAttrs.tangormLength, 1.0f);
    }

    void pageTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("minimum"); // combo boxes: 0
        QTest::addColumn<double>("maximum"); // combo boxes: the entry count
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("value"); // combo boxes: the index
        QTest::addColumn<QString>("text"); // tool tip, or the caption of labels

        struct Row {
            const char* name;
            const char* kind;
            double minimum;
            double maximum;
            int decimals;
            double value;
            const char* text;
        };
        const auto add = [](int index, const Row& r) {
            QTest::addRow("%d %s", index, r.name) << index << QString::fromLatin1(r.name) << QString::fromLatin1(r.kind)
                                                  << r.minimum << r.maximum << r.decimals << r.value
                                                  << QString::fromUtf8(r.text);
        };
        const Row depth { "depth", "spin", 0, 999, 0, 50, "Set value for ordering layers" };
        for (int index : linePages) {
            add(index, { "lbDepth", "label", 0, 0, 0, 0, "Depth" });
            add(index, depth);
            add(index, { "lbWidht", "label", 0, 0, 0, 0, "Line width" });
            // What is offered for new objects; a file's larger width widens it
            // while shown.
            add(index, { "lineWidth", "spin", 0, 100, 0, 1, "Line width" });
            add(index, { "lbLineStyle", "label", 0, 0, 0, 0, "Line style" });
            add(index, { "lineStyle", "combo", 0, 6, 0, 0, "Line style" });
            add(index, { "lbStyleVal", "label", 0, 0, 0, 0, "" });
            add(index, { "styleVal", "double", 0, 99.99, 2, 4, "dash length / dot gap" });
            if (index != 5)
                add(index, { "capStyle", "combo", 0, 3, 0, 0, "Cap style" });
            add(index, { "selectPenColor", "button", 0, 0, 0, 0, "Current pen. Click to open color window" });
            add(index, { "openCommentDlg", "button", 0, 0, 0, 0, "Edit comment" });
        }
        for (int index : { 3, 7, 8, 10 })
            add(index, { "joinStyle", "combo", 0, 3, 0, 0, "Join style" });
        for (int index : { 1, 8, 12 }) {
            add(index, { "backArrow", "combo", 0, 30, 0, 0, "Backward arrow type" });
            add(index, { "forwArrow", "combo", 0, 30, 0, 0, "Forward arrow type" });
            add(index, { "openArrowAttrs", "button", 0, 0, 0, 0, "Arrow dimensions" });
        }
        add(1, { "arcType", "combo", 0, 2, 0, 0, "Arc type" });
        add(1, { "openPointsDlg", "button", 0, 0, 0, 0, "Edit coordinates and dimensions" });
        add(2, { "arrowType", "combo", 0, 29, 0, 0, "Arrow type" });
        add(2, { "openArrowAttrs", "button", 0, 0, 0, 0, "Arrow dimensions" });
        add(3, { "boxType", "combo", 0, 2, 0, 0, "Box type" });
        add(3, { "lbBoxCornerRadius", "label", 0, 0, 0, 0, "Corner radius" });
        add(3, { "boxCornerRadius", "spin", 0, maxFigLength, 0, 7, "Box corner radius" });
        add(3, { "openPointsDlg", "button", 0, 0, 0, 0, "Edit coordinates and dimensions" });
        add(4, { "openCommentDlg", "button", 0, 0, 0, 0, "Edit comment" });
        add(5, { "lbAngle", "label", 0, 0, 0, 0, "Angle" });
        add(5, { "ellipseAngle", "spin", 0, 360, 0, 0, "Rotate ellipse by angle (0..360)" });
        add(5, { "openPointsDlg", "button", 0, 0, 0, 0, "Edit coordinates and dimensions" });
        for (int index : { 7, 8, 11, 12 })
            add(index, { "openPointsDlg", "button", 0, 0, 0, 0, "Edit point coordinates" });
        add(9, { "editPicture", "button", 0, 0, 0, 0, "" });
        add(9, depth);
        add(9, { "openPointsDlg", "button", 0, 0, 0, 0, "Edit coordinates and dimensions" });
        add(9, { "openCommentDlg", "button", 0, 0, 0, 0, "Edit comment" });
        add(10, { "lbSides", "label", 0, 0, 0, 0, "Sides" });
        add(10, { "numSides", "spin", 3, 200, 0, 6, "Number of sides" });
        add(13, { "editText", "button", 0, 0, 0, 0, "" });
        add(13, depth);
        add(13, { "openFontSel", "button", 0, 0, 0, 0, "Times Roman" });
        add(13, { "textAngle", "spin", 0, 360, 0, 0, "Rotate text by angle (0..360)" });
        add(13, { "fontSize", "combo", 0, 18, 0, -1, "Font size" });
        add(13, { "textAlign", "combo", 0, 3, 0, 0, "Text alignment" });
        add(13, { "textRigid", "button", 0, 0, 0, 0, "Don't scale when the enclosing compound is scaled." });
        add(13, { "textSpecial", "button", 0, 0, 0, 0,
                    "Don't excape special characters on export.\nSet this for LaTeX formula." });
        add(13, { "openPointsDlg", "button", 0, 0, 0, 0, "Edit coordinates" });
        add(13, { "selectPenColor", "button", 0, 0, 0, 0, "Current pen. Click to open color window" });
        add(13, { "openCommentDlg", "button", 0, 0, 0, 0, "Edit comment" });
        add(14, { "lbRotnAngle", "label", 0, 0, 0, 0, "Degree" });
        add(14, { "rotnAngle", "spin", 0, 360, 0, 90, "Rotate object by angle (0..360)" });
        add(14, { "lbNumCopies", "label", 0, 0, 0, 0, "Copies" });
        add(14, { "numCopies", "spin", 1, 10000, 0, 1, "Number of copies on right click" });
        add(15, { "lbLength", "label", 0, 0, 0, 0, "Length (cm)" }); // the first document's unit
        add(15, { "tangnormLength", "double", 0, 99.99, 2, 1, "" });
        add(16, { "depth", "check", 0, 0, 0, 1, "update depth (layer)" });
        add(16, { "fillPen", "check", 0, 0, 0, 1, "update fill color and pattern style" });
        add(16, { "textRigid", "check", 0, 0, 0, 1, "update \"rigid\" flag" });
        add(16, { "btToggle", "button", 0, 0, 0, 0, "" });
    }

    void pageTable()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(int, decimals);
        QFETCH(double, value);
        QFETCH(QString, text);

        QTMainFrm& window = started->window();
        QWidget* w = child<QWidget>(window, index, name);
        QVERIFY2(w, qPrintable(name));
        if (kind == "label") {
            auto* label = qobject_cast<QLabel*>(w);
            QVERIFY(label);
            QCOMPARE(label->text(), text);
            return;
        }
        QCOMPARE(w->toolTip(), text);
        if (kind == "spin") {
            auto* spin = qobject_cast<QSpinBox*>(w);
            QVERIFY(spin);
            QCOMPARE(spin->minimum(), int(minimum));
            QCOMPARE(spin->maximum(), int(maximum));
            QCOMPARE(spin->value(), int(value));
        } else if (kind == "double") {
            auto* spin = qobject_cast<QDoubleSpinBox*>(w);
            QVERIFY(spin);
            QCOMPARE(spin->minimum(), minimum);
            QCOMPARE(spin->maximum(), maximum);
            QCOMPARE(spin->decimals(), decimals);
            QCOMPARE(spin->value(), value);
            QCOMPARE(spin->singleStep(), 1.0);
            // A decimal point whatever the user's locale.
            QVERIFY(spin->text().contains(QLatin1Char('.')));
        } else if (kind == "combo") {
            auto* combo = qobject_cast<QComboBox*>(w);
            QVERIFY(combo);
            QCOMPARE(combo->count(), int(maximum));
            if (value >= 0)
                QCOMPARE(combo->currentIndex(), int(value));
            else
                QCOMPARE(combo->currentText(), QString("12")); // the size box shows the size
        } else if (kind == "check") {
            auto* box = qobject_cast<QCheckBox*>(w);
            QVERIFY(box);
            QCOMPARE(box->checkState(), value != 0 ? Qt::Checked : Qt::Unchecked);
            QCOMPARE(box->layoutDirection(), Qt::RightToLeft);
        } else {
            QVERIFY(qobject_cast<QPushButton*>(w));
        }
    }

    // A value chosen on one page is stored and shown by the same widget on
    // every other page.
    void bindingAcrossPages_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("shownOn"); // how many pages show it

        QTest::newRow("cap style on the polygon page") << 7 << "capStyle" << 2.0 << 7;
        QTest::newRow("line width on the box page") << 3 << "lineWidth" << 25.0 << 8;
        QTest::newRow("line style on the arc page") << 1 << "lineStyle" << 5.0 << 8;
        QTest::newRow("style value on the open spline page") << 12 << "styleVal" << 6.5 << 8;
        QTest::newRow("join style on the box page") << 3 << "joinStyle" << 1.0 << 4;
        QTest::newRow("arc type") << 1 << "arcType" << 1.0 << 1;
        QTest::newRow("backward arrow entry 3 is kind 2") << 8 << "backArrow" << 3.0 << 3;
        QTest::newRow("last forward arrow") << 12 << "forwArrow" << 29.0 << 3;
        QTest::newRow("rounded box") << 3 << "boxType" << 1.0 << 1;
        QTest::newRow("corner radius") << 3 << "boxCornerRadius" << 250.0 << 1;
        QTest::newRow("ellipse angle") << 5 << "ellipseAngle" << 45.0 << 1;
        QTest::newRow("sides") << 10 << "numSides" << 200.0 << 1;
        QTest::newRow("arrow mode's first kind is kind 0") << 2 << "arrowType" << 28.0 << 1;
        QTest::newRow("depth on the text page") << 13 << "depth" << 999.0 << 10;
        QTest::newRow("depth on the picture page") << 9 << "depth" << 0.0 << 10;
        QTest::newRow("text angle") << 13 << "textAngle" << 30.0 << 1;
        QTest::newRow("text alignment") << 13 << "textAlign" << 2.0 << 1;
    }

    void bindingAcrossPages()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(double, value);
        QFETCH(int, shownOn);

        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        setShownValue(child<QWidget>(window, index, name), value);
        QCOMPARE(attribute(name), value);
        int shown = 0;
        for (int i = 1; i < 16; ++i) { // the update page's boxes share names
            if (QWidget* w = child<QWidget>(window, i, name)) {
                QCOMPARE(shownValue(w), value);
                ++shown;
            }
        }
        QCOMPARE(shown, shownOn);
        // And back: the handler's value reaches every page.
        window.attrsHandler->refreshToolbars();
        QCOMPARE(attribute(name), value);
    }

    void handlerReachesTextPage()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        AttrsToolbarHandler* handler = window.attrsHandler;
        handler->onFontSize(20);
        handler->onTextRigid(true);
        handler->onTextSpecial(true);
        handler->onLineWidth(7);
        QCOMPARE(child<QComboBox>(window, 13, "fontSize")->currentText(), QString("20"));
        QVERIFY(child<QPushButton>(window, 13, "textRigid")->isChecked());
        QVERIFY(child<QPushButton>(window, 13, "textSpecial")->isChecked());
        for (int index : linePages)
            QCOMPARE(child<QSpinBox>(window, index, "lineWidth")->value(), 7);
        // The flag buttons drive the handler with a click.
        child<QPushButton>(window, 13, "textRigid")->click();
        QCOMPARE(currentAttrs.textFlags & 1, 0);
    }

    // A change made on a page reaches the current object as one undo step;
    // the pages that follow add none.
    void changeAppliedOnce_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("value");

        QTest::newRow("polyline width") << polyline << 8 << "lineWidth" << 3.0;
        QTest::newRow("polygon cap style") << polygon << 7 << "capStyle" << 1.0;
        QTest::newRow("box corner radius") << box << 3 << "boxCornerRadius" << 30.0;
        QTest::newRow("ellipse angle") << ellipse << 5 << "ellipseAngle" << 90.0;
        QTest::newRow("text angle") << text << 13 << "textAngle" << 90.0;
        QTest::newRow("picture depth") << picture << 9 << "depth" << 10.0;
    }

    void changeAppliedOnce()
    {
        QFETCH(QByteArray, object);
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(double, value);

        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        CFigContext* context = openShown(documents, object);
        QVERIFY(context && context->currentObject);
        QCOMPARE(undoSteps(context), 0);
        QVERIFY(!context->modified);
        setShownValue(child<QWidget>(window, index, name), value);
        QCOMPARE(undoSteps(context), 1);
        QVERIFY(context->modified);
        // Setting the value it shows again changes nothing.
        setShownValue(child<QWidget>(window, index, name), value);
        QCOMPARE(undoSteps(context), 1);
    }

    // Values that a file holds beyond what a user would choose are shown as
    // they are, and showing them changes nothing.
    void fileValuesShown_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("value");

        QTest::newRow("wide line") << QByteArray("2 1 0 150 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n")
                                   << 8 << "lineWidth" << 150.0;
        QTest::newRow("small corner radius")
            << QByteArray("2 4 0 1 0 7 50 -1 -1 0.000 0 0 3 0 0 5\n\t 1200 1200 2400 1200 2400 2400 1200 2400 "
                          "1200 1200\n")
            << 3 << "boxCornerRadius" << 3.0;
        QTest::newRow("large corner radius")
            << QByteArray("2 4 0 1 0 7 50 -1 -1 0.000 0 0 400 0 0 5\n\t 1200 1200 2400 1200 2400 2400 1200 2400 "
                          "1200 1200\n")
            << 3 << "boxCornerRadius" << 400.0;
        QTest::newRow("long dashes")
            << QByteArray("2 1 1 1 0 7 50 -1 -1 150.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n") << 8 << "styleVal"
            << 150.0;
        QTest::newRow("deepest text") << QByteArray("4 0 0 999 -1 0 12 0.0000 4 135 900 1800 1800 words\\001\n")
                                      << 13 << "depth" << 999.0;
    }

    void fileValuesShown()
    {
        QFETCH(QByteArray, object);
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(double, value);

        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        CFigContext* context = openShown(documents, object);
        QVERIFY(context && context->currentObject);
        QCOMPARE(window.attrsStack->currentIndex(), index);
        QCOMPARE(shownValue(child<QWidget>(window, index, name)), value);
        QCOMPARE(undoSteps(context), 0);
        QVERIFY(!context->modified);
        // The fields before the text metrics, which writing measures anew.
        const QByteArray written = editsession::savedObjectLines(*context->view).value(0);
        QCOMPARE(written.split(' ').mid(0, 9), object.split(' ').mid(0, 9));
    }

    // New values stay within what the pages offer (width 0 to 100, dash
    // length 0.00 to 99.99): typing 101 or 100 does not get there, nor does
    // the arrow button at the top, nor a script through the handler.
    void offeredRanges_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("limit");
        QTest::newRow("width") << "lineWidth"
                               << "101" << 100.0;
        QTest::newRow("dash length") << "styleVal"
                                     << "100" << 99.99;
    }

    void offeredRanges()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(double, limit);
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        for (int index : linePages) {
            auto* box = child<QAbstractSpinBox>(window, index, name);
            QVERIFY(box);
            typeIntoSpinBox(box, typed);
            QVERIFY(shownValue(box) <= limit);
            QVERIFY(attribute(name) <= limit + 0.001);
            setShownValue(box, limit);
            box->stepUp();
            QCOMPARE(shownValue(box), limit);
            QCOMPARE(attribute(name), name == "styleVal" ? double(float(limit)) : limit);
        }
        AttrsToolbarHandler* handler = window.attrsHandler;
        if (name == "lineWidth")
            handler->onLineWidth(int(limit) + 1);
        else
            handler->onStyleVal(limit + 0.01);
        QCOMPARE(attribute(name), name == "styleVal" ? double(float(limit)) : limit);
        QCOMPARE(shownValue(child<QWidget>(window, 8, name)), limit);
    }

    // An object read with more than the pages offer is shown as it is; a
    // step beyond the offered range is refused, so that the object stays
    // unchanged, without an undo step, and is saved as it was read.
    void largerFileValuesKept_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("value");
        const QByteArray wideDashes = "2 1 1 150 0 7 50 -1 -1 150.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n";
        const QByteArray longDashes = "2 1 1 1 0 7 50 -1 -1 150.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n";
        QTest::newRow("width 150") << wideDashes << "lineWidth" << 150.0;
        // The dash length is the style value per line width: 150 * 2 / 151.
        QTest::newRow("style value 150 at width 150") << wideDashes << "styleVal" << 1.99;
        QTest::newRow("dash length 150") << longDashes << "styleVal" << 150.0;
    }

    void largerFileValuesKept()
    {
        QFETCH(QByteArray, object);
        QFETCH(QString, name);
        QFETCH(double, value);
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        CFigContext* context = openShown(documents, object);
        QVERIFY(context && context->currentObject);
        auto* box = child<QAbstractSpinBox>(window, 8, name);
        QCOMPARE(shownValue(box), value);
        if (name == "lineWidth" ? value > 100 : value > 99.99) {
            box->stepUp();
            box->stepDown();
            box->stepDown();
            QCOMPARE(shownValue(box), value);
        }
        QCOMPARE(undoSteps(context), 0);
        QVERIFY(!context->modified);
        const QList<QByteArray> written = editsession::savedObjectLines(*context->view);
        QCOMPARE(written, editsession::linesOfObjects(object));
        // A value within the range is taken, and the range is the offered one
        // again.
        typeIntoSpinBox(box, QStringLiteral("5"));
        QCOMPARE(shownValue(box), 5.0);
        QCOMPARE(undoSteps(context), 1);
        setShownValue(box, 150);
        QCOMPARE(shownValue(box), name == "lineWidth" ? 100.0 : 99.99);
    }

    // The page stack shows the page of the object shown.
    void pageOfObject_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<int>("index");

        QTest::newRow("arc") << arc << 1;
        QTest::newRow("box") << box << 3;
        QTest::newRow("rounded box")
            << QByteArray("2 4 0 1 0 7 50 -1 -1 0.000 0 0 7 0 0 5\n\t 1200 1200 2400 1200 2400 2400 1200 2400 "
                          "1200 1200\n")
            << 3;
        QTest::newRow("compound") << QByteArray("6 1200 1200 2400 1800\n" + polyline + "-6\n") << 4;
        QTest::newRow("ellipse") << ellipse << 5;
        QTest::newRow("polygon") << polygon << 7;
        QTest::newRow("polyline") << polyline << 8;
        QTest::newRow("picture") << picture << 9;
        QTest::newRow("closed spline")
            << QByteArray("3 1 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 1200 1200 1800 2400 2400 1200\n\t 1.000 1.000 "
                          "1.000\n")
            << 11;
        QTest::newRow("open spline") << spline << 12;
        QTest::newRow("text") << text << 13;
    }

    void pageOfObject()
    {
        QFETCH(QByteArray, object);
        QFETCH(int, index);
        MainWindowDocuments documents;
        CFigContext* context = openShown(documents, object);
        QVERIFY(context && context->currentObject);
        QCOMPARE(documents.window().attrsStack->currentIndex(), index);
    }

    // The comment buttons follow the three comment signals; the pen colour
    // buttons show the colour dialog's preview.
    void commentAndColorIcons()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
        const QImage plain = image(QIcon(":/diverse/images/diverse/comment.png"));
        const QImage filled = image(QIcon(":/diverse/images/diverse/comment_filled.png"));
        QVERIFY(plain != filled);
        const QList<int> commentPages = { 1, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13 };
        const auto shows = [&](const QImage& wanted) {
            for (int index : commentPages) {
                if (image(child<QPushButton>(window, index, "openCommentDlg")->icon()) != wanted)
                    return false;
            }
            return true;
        };
        QVERIFY(shows(plain));
        emit window.commentChanged(true);
        QVERIFY(shows(filled));
        emit window.commentDlg.commentChanged(false);
        QVERIFY(shows(plain));
        emit window.commentDlg.commentChanged(true);
        QVERIFY(shows(filled));
        emit window.shapesToolbar->commentChanged(false);
        QVERIFY(shows(plain));

        QPixmap red(34, 34);
        red.fill(Qt::red);
        emit window.colorDlg->colorChanged(red);
        for (int index : { 1, 3, 5, 7, 8, 10, 11, 12, 13 }) {
            const QImage shown = image(child<QPushButton>(window, index, "selectPenColor")->icon());
            QCOMPARE(shown.pixelColor(8, 8), QColor(Qt::red));
        }
        // The pen colour button opens the colour dialog.
        child<QPushButton>(window, 8, "selectPenColor")->click();
        QVERIFY(window.colorDlg->isVisible());
        window.colorDlg->hide();
    }

    // The style value label follows the line style of the current
    // attributes on every line page; the dash-dot styles keep its text.
    void styleValLabel()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        const std::pair<int, const char*> steps[]
            = { { 1, "dash len." }, { 3, "dash len." }, { 2, "dot gap" }, { 5, "dot gap" }, { 0, "" }, { 4, "" } };
        for (const auto& step : steps) {
            child<QComboBox>(window, 1, "lineStyle")->setCurrentIndex(step.first);
            for (int index : linePages) {
                QCOMPARE(child<QComboBox>(window, index, "lineStyle")->currentIndex(), step.first);
                QCOMPARE(child<QLabel>(window, index, "lbStyleVal")->text(), QString::fromLatin1(step.second));
            }
        }
    }

    // The size box hands over a size once it is complete; an empty, partial
    // or zero size never reaches the text.
    void fontSizeTakenWhenComplete()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        CFigContext* context = openShown(documents, text);
        QVERIFY(context && context->currentObject);
        auto* size = child<QComboBox>(window, 13, "fontSize");
        QLineEdit* edit = size->lineEdit();
        window.attrsStack->setCurrentIndex(13);
        edit->setFocus();

        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "14");
        QCOMPARE(currentAttrs.fontSize, 12);
        QCOMPARE(undoSteps(context), 0);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(currentAttrs.fontSize, 14);
        QCOMPARE(static_cast<FigText*>(context->currentObject)->fontSize, 14);
        QCOMPARE(undoSteps(context), 1);

        for (const char* typed : { "", "0", "abc", "-3", "501" }) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(currentAttrs.fontSize, 14);
            QCOMPARE(undoSteps(context), 1);
            QCOMPARE(size->currentText(), QString("14"));
        }

        // An entry of the list is taken when chosen.
        const int entry = size->findText("36");
        size->setCurrentIndex(entry);
        emit size->activated(entry);
        QCOMPARE(currentAttrs.fontSize, 36);
        QCOMPARE(undoSteps(context), 2);
        QCOMPARE(size->count(), 18);
    }

    void fontButton()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        auto* button = child<QPushButton>(window, 13, "openFontSel");
        QCOMPARE(button->text(), QString("Times Roman"));
        QCOMPARE(button->font().family(), fontTable[0].family);
        QVERIFY(button->icon().isNull());
        window.fontsDlg->onLatexFont(3);
        QVERIFY(button->text().isEmpty());
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->iconSize().height(), 12);
        QCOMPARE(button->toolTip(), QString("Times Roman"));
        window.fontsDlg->onPsFont(16);
        QCOMPARE(button->text(), fontTable[16].psName);
        QVERIFY(button->icon().isNull());
        // A number without a font leaves the button as it is.
        emit window.attrsHandler->psFontChanged(35);
        emit window.attrsHandler->latexFontChanged(-1);
        QCOMPARE(button->text(), fontTable[16].psName);
    }

    void updateBoxFlags_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("flags");
        const std::pair<const char*, QStringList> rows[] = { { "depth", { "depth" } },
            { "outlinePen", { "penColor" } }, { "fillPen", { "fillColor", "fillStyle" } },
            { "lineWidth", { "lineWidth" } }, { "lineStyle", { "lineStyle" } }, { "styleValue", { "styleVal" } },
            { "capStyle", { "capStyle" } }, { "joinStyle", { "joinStyle" } }, { "arrowStyle", { "arrows" } },
            { "boxType", { "boxType" } }, { "cornerRadius", { "boxCornerRadius" } }, { "arcType", { "arcType" } },
            { "ellipseAngle", { "ellipseAngle" } }, { "textFont", { "font" } }, { "textAdjust", { "textAlign" } },
            { "textRigid", { "textRigid" } }, { "textSpecial", { "textSpecial" } }, { "textSize", { "fontSize" } },
            { "textAngle", { "textAngle" } } };
        for (const auto& row : rows)
            QTest::newRow(row.first) << QString::fromLatin1(row.first) << row.second;
    }

    // Unticking one box clears exactly its flags.
    void updateBoxFlags()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, flags);
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        QCOMPARE(clearFlags(), QStringList());
        auto* box = child<QCheckBox>(window, 16, name);
        QVERIFY(box);
        box->click();
        QCOMPARE(clearFlags(), flags);
        box->click();
        QCOMPARE(clearFlags(), QStringList());
    }

    void updateButtons()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        auto* all = child<QPushButton>(window, 16, "btAll");
        auto* none = child<QPushButton>(window, 16, "btNone");
        auto* toggle = child<QPushButton>(window, 16, "btToggle");
        QCOMPARE(page(window, 16)->findChildren<QCheckBox*>().size(), 19);
        QCOMPARE(child<QGroupBox>(window, 16, "groupBox")->findChildren<QCheckBox*>().size(), 6);

        none->click();
        QCOMPARE(clearFlags(), allFlags);
        toggle->click();
        QCOMPARE(clearFlags(), QStringList());
        child<QCheckBox>(window, 16, "textSize")->click();
        toggle->click();
        QStringList allButSize = allFlags;
        allButSize.removeAll("fontSize");
        QCOMPARE(clearFlags(), allButSize);
        toggle->click();
        QCOMPARE(clearFlags(), QStringList({ "fontSize" }));
        all->click();
        QCOMPARE(clearFlags(), QStringList());
        toggle->click();
        QCOMPARE(clearFlags(), allFlags);
    }

    // The update tool copies only what the page ticks.
    void updateToolFollowsMask()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        QTChildFrm* document = documents.open(figFile(box), "update.fig");
        QVERIFY(document);
        CFigContext* context = document->figContext;
        window.shapesToolbar->setMode(47);
        QCOMPARE(window.attrsStack->currentIndex(), 16);
        window.attrsHandler->onLineWidth(4);
        window.attrsHandler->onDepth(20);

        child<QPushButton>(window, 16, "btNone")->click();
        editsession::CanvasInput input(*document);
        input.click(1800, 1200);
        QCOMPARE(undoSteps(context), 0);
        QVERIFY(!context->modified);

        child<QCheckBox>(window, 16, "lineWidth")->click();
        input.click(1800, 1200);
        QCOMPARE(undoSteps(context), 1);
        QCOMPARE(editsession::savedObjectLines(*document).first(),
            QByteArray("2 2 0 4 0 7 50 -1 -1 0.000 0 0 -1 0 0 5"));
    }

    // The tangent length is in the unit of the active document.
    void tangentLengthUnit()
    {
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        auto* label = child<QLabel>(window, 15, "lbLength");
        QTChildFrm* metric = documents.open(figFile(polyline, "Metric"), "metric.fig");
        QVERIFY(metric);
        QCOMPARE(label->text(), QString("Length (cm)"));
        QTChildFrm* inches = documents.open(figFile(polyline, "Inches"), "inches.fig");
        QVERIFY(inches);
        QCOMPARE(label->text(), QString("Length (in)"));
        documents.activate(metric);
        QCOMPARE(label->text(), QString("Length (cm)"));
        // The metrics dialog's unit choice is followed too.
        emit window.metricsDlg->unitChanged(1);
        QCOMPARE(label->text(), QString("Length (in)"));

        // Rotation angle, copies and length are only stored.
        child<QSpinBox>(window, 14, "rotnAngle")->setValue(45);
        child<QSpinBox>(window, 14, "numCopies")->setValue(3);
        child<QDoubleSpinBox>(window, 15, "tangnormLength")->setValue(2.5);
        QCOMPARE(currentAttrs.rotnAngle, 45);
        QCOMPARE(currentAttrs.numCopies, 3);
        QCOMPARE(currentAttrs.tangormLength, 2.5f);
        QCOMPARE(undoSteps(metric->figContext), 0);
    }

    void escapeKey_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("cancels");
        for (int index : { 1, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13 })
            QTest::addRow("page %d", index) << index << true;
        for (int index : { 0, 2, 6, 14, 15, 16 })
            QTest::addRow("page %d", index) << index << false;
    }

    void escapeKey()
    {
        QFETCH(int, index);
        QFETCH(bool, cancels);
        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        CFigContext* context = openShown(documents, polyline);
        QVERIFY(context && context->currentObject);
        QTest::keyClick(page(window, index), Qt::Key_Escape);
        QCOMPARE(context->currentObject == nullptr, cancels);
    }

    // Each dialog button opens its dialog for a current object, and nothing
    // without one; the arrow size dialog needs no current object.
    void dialogButtons_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("needsObject");

        QTest::newRow("arc values") << arc << 1 << "openPointsDlg" << "ArcValuesDlg" << true;
        QTest::newRow("box values") << box << 3 << "openPointsDlg" << "BoxValuesDlg" << true;
        QTest::newRow("ellipse values") << ellipse << 5 << "openPointsDlg" << "EllipseValuesDlg" << true;
        QTest::newRow("polygon points") << polygon << 7 << "openPointsDlg" << "PointsDlg" << true;
        QTest::newRow("polyline points") << polyline << 8 << "openPointsDlg" << "PointsDlg" << true;
        QTest::newRow("picture box") << picture << 9 << "openPointsDlg" << "BoxValuesDlg" << true;
        QTest::newRow("picture") << picture << 9 << "editPicture" << "PictureDlg" << true;
        QTest::newRow("picture of a box") << box << 9 << "editPicture" << "" << true;
        QTest::newRow("closed spline points") << spline << 11 << "openPointsDlg" << "SplinePointsDlg" << true;
        QTest::newRow("open spline points") << spline << 12 << "openPointsDlg" << "SplinePointsDlg" << true;
        QTest::newRow("text coordinates") << text << 13 << "openPointsDlg" << "TextCoordsDlg" << true;
        QTest::newRow("text string") << text << 13 << "editText" << "TextEnterDlg" << true;
        QTest::newRow("string of a box") << box << 13 << "editText" << "" << true;
        QTest::newRow("arc arrows") << arc << 1 << "openArrowAttrs" << "ArrowAttrsDlg" << false;
        QTest::newRow("arrow mode sizes") << polyline << 2 << "openArrowAttrs" << "ArrowAttrsDlg" << false;
        QTest::newRow("polyline arrows") << polyline << 8 << "openArrowAttrs" << "ArrowAttrsDlg" << false;
        QTest::newRow("spline arrows") << spline << 12 << "openArrowAttrs" << "ArrowAttrsDlg" << false;
    }

    void dialogButtons()
    {
        QFETCH(QByteArray, object);
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, dialog);
        QFETCH(bool, needsObject);

        MainWindowDocuments documents;
        QTMainFrm& window = documents.window();
        CFigContext* context = openShown(documents, object);
        QVERIFY(context && context->currentObject);
        auto* button = child<QPushButton>(window, index, name);
        QVERIFY(button);
        QCOMPARE(dialogOfClick(button), dialog);
        context->currentObject = nullptr;
        QCOMPARE(dialogOfClick(button), needsObject ? QString() : dialog);
    }
};

TAVREL_TEST_MAIN(TestAttrsPages)
#include "tst_attrspages.moc"
