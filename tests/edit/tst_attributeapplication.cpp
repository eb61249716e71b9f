// Applying the current attributes to an object: which attribute and arrow
// changes each kind of object gets, in which order; one undo step that undo
// and redo replay exactly; nothing at all when nothing differs; compounds at
// every nesting; taking an object's attributes as the current ones.
#include "edit/takeattributes.h"
#include "model/attributechange.h"
#include "model/changearrowaction.h"
#include "model/changeattributeaction.h"
#include "model/figfiletest.h"
#include "model/modelfixtures.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "support/writtendrawing.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/updatemask.h"

#include <QDir>

#include <functional>

using writtendrawing::writtenDrawing;

namespace {

const QByteArray header = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n";

// What showing the object in the attribute pages takes from it.
void takeAsShown(CFigContext& context, FigObject* object)
{
    switch (object->type) {
    case FigObject::Ellipse:
        context.takeEllipseAttributes(object);
        break;
    case FigObject::Polyline:
        context.takePolylineAttributes(object);
        break;
    case FigObject::Spline:
        if (object->subType <= 5)
            context.takeSplineAttributes(object);
        break;
    case FigObject::Text:
        context.takeTextAttributes(object);
        break;
    case FigObject::Arc:
        context.takeArcAttributes(object);
        break;
    default:
        break;
    }
}

void collect(const FigObjectList* list, QList<FigObject*>& out)
{
    for (FigObject* object : *list) {
        out << object;
        if (object->type == FigObject::Compound)
            collect(static_cast<FigCompound*>(object)->members, out);
    }
}

// Settings written as "name=value ..." onto the current attributes, the
// document's colours and the update mask ("mask=depth,arrows" clears every
// other flag).
void applySettings(CFigContext& context, const QString& settings)
{
    DrawingAttributes& a = currentAttrs;
    const QMap<QString, std::function<void(const QString&)>> setters {
        { "depth", [&](const QString& v) { a.depth = v.toInt(); } },
        { "lineWidth", [&](const QString& v) { a.lineWidth = v.toInt(); } },
        { "lineStyle", [&](const QString& v) { a.lineStyle = v.toInt(); } },
        { "styleVal", [&](const QString& v) { a.styleVal = v.toFloat(); } },
        { "capStyle", [&](const QString& v) { a.capStyle = v.toInt(); } },
        { "joinStyle", [&](const QString& v) { a.joinStyle = v.toInt(); } },
        { "arcType", [&](const QString& v) { a.arcType = v.toInt(); } },
        { "forwArrowOn", [&](const QString& v) { a.forwArrowOn = v.toInt() != 0; } },
        { "forwArrow", [&](const QString& v) { a.forwArrow = v.toInt(); } },
        { "backArrowOn", [&](const QString& v) { a.backArrowOn = v.toInt() != 0; } },
        { "backArrow", [&](const QString& v) { a.backArrow = v.toInt(); } },
        { "boxType", [&](const QString& v) { a.boxType = v.toInt(); } },
        { "boxCornerRadius", [&](const QString& v) { a.boxCornerRadius = v.toInt(); } },
        { "ellipseAngle", [&](const QString& v) { a.ellipseAngle = v.toFloat(); } },
        { "textAngle", [&](const QString& v) { a.textAngle = v.toFloat(); } },
        { "fontSize", [&](const QString& v) { a.fontSize = v.toInt(); } },
        { "textAlign", [&](const QString& v) { a.textAlign = v.toInt(); } },
        { "textFlags", [&](const QString& v) { a.textFlags = v.toInt(); } },
        { "psFont", [&](const QString& v) { a.psFont = v.toInt(); } },
        { "latexFont", [&](const QString& v) { a.latexFont = v.toInt(); } },
        { "arrowSizeMode", [&](const QString& v) { a.arrowSizeMode = v.toInt() != 0; } },
        { "pen", [&](const QString& v) { context.penColor = v.toInt(); } },
        { "fill", [&](const QString& v) { context.fillColor = v.toInt(); } },
        { "area", [&](const QString& v) { context.fillStyle = v.toInt(); } },
        { "mask",
            [&](const QString& v) {
                const QStringList on = v.split(',');
                UpdateMask& m = updateMask;
                const QList<QPair<QString, bool*>> flags { { "depth", &m.depth }, { "lineWidth", &m.lineWidth },
                    { "lineStyle", &m.lineStyle }, { "styleVal", &m.styleVal }, { "penColor", &m.penColor },
                    { "fillColor", &m.fillColor }, { "fillStyle", &m.fillStyle }, { "capStyle", &m.capStyle },
                    { "joinStyle", &m.joinStyle }, { "boxType", &m.boxType }, { "boxCornerRadius", &m.boxCornerRadius },
                    { "arcType", &m.arcType }, { "ellipseAngle", &m.ellipseAngle }, { "font", &m.font },
                    { "textAlign", &m.textAlign }, { "textRigid", &m.textRigid }, { "textSpecial", &m.textSpecial },
                    { "fontSize", &m.fontSize }, { "textAngle", &m.textAngle }, { "arrows", &m.arrows } };
                for (const auto& flag : flags)
                    *flag.second = on.contains(flag.first);
            } },
    };
    for (const QString& pair : settings.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split('=');
        QVERIFY2(parts.size() == 2 && setters.contains(parts[0]), qPrintable(pair));
        setters[parts[0]](parts[1]);
    }
}

// The kinds of a step: attribute kinds as numbers, arrow ends as A1 / A0.
QString kindsOf(const ActionStep& step)
{
    QStringList kinds;
    for (ActionItem* action : step) {
        if (auto* change = dynamic_cast<ChangeAttributeAction*>(action))
            kinds << QString::number(change->change->kind);
        else if (auto* arrow = dynamic_cast<ChangeArrowAction*>(action))
            kinds << QStringLiteral("A%1").arg(arrow->end);
        else
            kinds << QStringLiteral("?");
    }
    return kinds.join(' ');
}

void release(ActionStep& step)
{
    for (ActionItem* action : step) {
        action->releaseUndone();
        delete action;
    }
    step.clear();
}

// The object lines of a written file: everything after the header.
QList<QByteArray> objectLines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    QList<QByteArray> result;
    bool inBody = false;
    for (const QByteArray& line : lines) {
        if (inBody && !line.startsWith('#') && !line.isEmpty())
            result << line;
        if (line.startsWith("1200 "))
            inBody = true;
    }
    return result;
}

} // namespace

class TestAttributeApplication : public QObject {
    Q_OBJECT

    // Drawings reaching left of the page stay where they are.
    MessageBoxRecorder boxes { QMessageBox::No };

    // A document read from the object lines, its first object shown as the
    // current one.
    std::unique_ptr<figtest::Document> open(const QByteArray& body)
    {
        auto document = std::make_unique<figtest::Document>();
        figtest::writeBytes(document->path(), header + body);
        if (!document->context->loadFile(document->path()))
            return nullptr;
        return document;
    }

private slots:
    void init()
    {
        currentAttrs = DrawingAttributes();
        updateMask = UpdateMask();
    }

    void changes_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("onlyFlagged");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QByteArray>("expected"); // the object lines afterwards; empty: as before

        const QByteArray arrowLine = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 1 2\n"
                                     "\t1 1 1.00 60.00 120.00\n\t0 0 1.00 60.00 120.00\n\t 0 0 1200 600\n";
        const QByteArray plainLine = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 1200 600\n";
        const QByteArray box = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 0 0 600 0 600 600 0 600 0 0\n";
        const QByteArray polygon = "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 0 0 600 0 600 600 0 0\n";
        const QByteArray text = "4 0 0 50 -1 0 12 0.0000 4 135 900 600 600 words\\001\n";
        const QByteArray ellipse = "1 1 0 1 0 7 50 -1 -1 0.000 1 0.0000 3000 3000 600 300 3000 3000 3600 3000\n";
        const QByteArray arc
            = "5 2 0 1 0 7 50 -1 -1 0.000 0 0 0 0 2400.000 10200.000 1800 10200 2400 9600 3000 10200\n";

        QTest::newRow("a polyline with every value current") << arrowLine << "" << false << "" << QByteArray();
        QTest::newRow("the width of a polyline with arrows")
            << arrowLine << "lineWidth=3" << false << "1 A1 A0"
            << QByteArray("2 1 0 3 0 7 50 -1 -1 0.000 0 0 -1 1 1 2\n\t1 1 3.00 180.00 360.00\n"
                          "\t0 0 3.00 180.00 360.00\n\t 0 0 1200 600");
        QTest::newRow("the width of a line without arrows")
            << plainLine << "lineWidth=2" << false << "1"
            << QByteArray("2 1 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 1200 600");
        QTest::newRow("a dashed line takes the base style value with its width")
            << QByteArray("2 1 1 2 0 7 50 -1 -1 6.000 0 0 -1 0 0 2\n\t 0 0 1200 600\n") << "styleVal=5" << false << "3"
            << QByteArray("2 1 1 2 0 7 50 -1 -1 7.500 0 0 -1 0 0 2\n\t 0 0 1200 600");
        QTest::newRow("colours and area fill")
            << plainLine << "pen=4 fill=2 area=20" << false << "4 5 6"
            << QByteArray("2 1 0 1 4 2 50 -1 20 0.000 0 0 -1 0 0 2\n\t 0 0 1200 600");
        QTest::newRow("a box becomes a rounded box")
            << box << "boxType=4 boxCornerRadius=7" << false << "9 10"
            << QByteArray("2 4 0 1 0 7 50 -1 -1 0.000 0 0 7 0 0 5\n\t 0 0 600 0 600 600 0 600 0 0");
        QTest::newRow("a polygon has no box type or radius")
            << polygon << "boxType=4 boxCornerRadius=9" << false << "" << QByteArray();
        QTest::newRow("a new forward arrow sized by the width")
            << plainLine << "forwArrowOn=1 forwArrow=2" << false << "A1"
            << QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 60.00 120.00\n\t 0 0 1200 600");
        QTest::newRow("the switch off keeps an arrow")
            << arrowLine << "forwArrowOn=0 backArrowOn=0" << false << "" << QByteArray();
        QTest::newRow("a one-point line takes no arrow")
            << QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 1\n\t 600 600\n") << "forwArrowOn=1" << false << ""
            << QByteArray();
        QTest::newRow("an ellipse takes no arrow")
            << ellipse << "forwArrowOn=1 backArrowOn=1" << false << "" << QByteArray();
        QTest::newRow("a text takes no arrow") << text << "forwArrowOn=1" << false << "" << QByteArray();
        QTest::newRow("a closed spline takes no arrow")
            << QByteArray("3 1 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 0 0 600 0 600 600\n\t 1.000 1.000 1.000\n")
            << "forwArrowOn=1" << false << "" << QByteArray();
        QTest::newRow("the cap style of an open spline")
            << QByteArray("3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 2\n\t 0 0 600 600\n\t 0.000 0.000\n") << "capStyle=1"
            << false << "7" << QByteArray("3 0 0 1 0 7 50 -1 -1 0.000 1 0 0 2\n\t 0 0 600 600\n\t 0.000 0.000");
        QTest::newRow("cap style and kind of an arc")
            << arc << "capStyle=1 arcType=0" << false << "7 11"
            << QByteArray("5 1 0 1 0 7 50 -1 -1 0.000 1 0 0 0 2400.000 10200.000 1800 10200 2400 9600 3000 10200");
        QTest::newRow("the angle of an ellipse")
            << ellipse << "ellipseAngle=0.5" << false << "12"
            << QByteArray("1 1 0 1 0 7 50 -1 -1 0.000 1 0.5000 3000 3000 600 300 3000 3000 3600 3000");
        QTest::newRow("justification, size and angle of a text")
            << text << "textAlign=1 fontSize=14 textAngle=1" << false << "14 17 18" << QByteArray();
        QTest::newRow("rigid and special flags both") << text << "textFlags=7" << false << "15 16" << QByteArray();
        QTest::newRow("a LaTeX font text takes the PostScript font")
            << QByteArray("4 0 0 50 -1 2 12 0.0000 0 135 900 600 600 words\\001\n") << "textFlags=4 psFont=0" << false
            << "13 19" << QByteArray();
        QTest::newRow("the hidden flag of a text stays")
            << QByteArray("4 0 0 50 -1 0 12 0.0000 12 135 900 600 600 words\\001\n") << "textFlags=5" << false << "15"
            << QByteArray();
        QTest::newRow("the update tool with only the depth ticked")
            << arrowLine << "depth=10 lineWidth=5 pen=3 forwArrowOn=1 forwArrow=5 mask=depth" << true << "0"
            << QByteArray("2 1 0 1 0 7 10 -1 -1 0.000 0 0 -1 1 1 2\n\t1 1 1.00 60.00 120.00\n"
                          "\t0 0 1.00 60.00 120.00\n\t 0 0 1200 600");
        QTest::newRow("the update tool without arrows")
            << plainLine << "forwArrowOn=1 mask=depth,lineWidth" << true << "" << QByteArray();
        QTest::newRow("a picture takes its depth only")
            << QByteArray("2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 photo.png\n\t 0 0 600 0 600 600 0 600 0 0\n")
            << "depth=10 lineWidth=5 pen=3 forwArrowOn=1" << false << "0"
            << QByteArray("2 5 0 1 0 -1 10 -1 -1 0.000 0 0 -1 0 0 5\n\t0 photo.png\n"
                          "\t 0 0 600 0 600 600 0 600 0 0");
        QTest::newRow("a zero-width line keeps its arrow sizes")
            << QByteArray("2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 75.00 150.00\n\t 0 0 1200 600\n")
            << "depth=10" << false << "0"
            << QByteArray("2 1 0 0 0 7 10 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 75.00 150.00\n\t 0 0 1200 600");
        QTest::newRow("a compound's members, the compound itself nothing")
            << QByteArray("6 0 0 1200 1200\n") + plainLine + text + "-6\n"
            << "depth=10 styleVal=0" << false << "0 0" << QByteArray();
        QTest::newRow("a compound takes no arrow") << QByteArray("6 0 0 1200 1200\n") + text + "-6\n"
                                                   << "forwArrowOn=1" << false << "" << QByteArray();
    }
    void changes()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, settings);
        QFETCH(bool, onlyFlagged);
        QFETCH(QString, kinds);
        QFETCH(QByteArray, expected);
        auto document = open(body);
        QVERIFY(document);
        CFigContext& context = *document->context;
        FigObject* object = document->object(0);
        QVERIFY(object);
        takeAsShown(context, object);
        applySettings(context, settings);
        const QByteArray before = writtenDrawing(context);

        // The builders leave the object alone.
        ActionStep built = context.buildCommonAttributeChanges(object, onlyFlagged);
        release(built);
        QCOMPARE(writtenDrawing(context), before);

        context.updateObjectAttributes(object, onlyFlagged);
        if (kinds.isEmpty()) {
            QVERIFY(context.undoHistory.undoSteps.isEmpty());
            QVERIFY(!context.modified);
            QCOMPARE(writtenDrawing(context), before);
            return;
        }
        QCOMPARE(context.undoHistory.undoSteps.size(), 1);
        QCOMPARE(kindsOf(*context.undoHistory.undoSteps.first()), kinds);
        QVERIFY(context.modified);
        const QByteArray after = writtenDrawing(context);
        QVERIFY(after != before);
        if (!expected.isEmpty())
            QCOMPARE(objectLines(after), expected.split('\n'));

        context.undoHistory.undo();
        QCOMPARE(writtenDrawing(context), before);
        context.undoHistory.redo();
        QCOMPARE(writtenDrawing(context), after);
    }

    void executingTheRigidChangeBringsTheSpecialFlag()
    {
        auto document = open("4 0 0 50 -1 0 12 0.0000 4 135 900 600 600 words\\001\n");
        QVERIFY(document);
        CFigContext& context = *document->context;
        auto* text = static_cast<FigText*>(document->object(0));
        takeAsShown(context, text);
        currentAttrs.textFlags = 7;
        ActionStep list = context.buildTextAttributeChanges(text, false);
        QCOMPARE(kindsOf(list), QString("15 16"));
        list.first()->redo(&context);
        QCOMPARE(text->fontFlags, 7);
        list.first()->undo(&context);
        QCOMPARE(text->fontFlags, 4);
        release(list);
    }

    void nullObjectChangesNothing()
    {
        figtest::Document document;
        currentAttrs.depth = 3;
        document.context->updateObjectAttributes(nullptr, false);
        QVERIFY(document.context->undoHistory.undoSteps.isEmpty());
        QVERIFY(!document.context->modified);
    }

    // Members at every nesting with depths, widths and colours of their own:
    // one step changes them all, and one undo gives each its own back.
    void compoundsOfCompounds()
    {
        auto document = open("6 0 0 3000 3000\n"
                             "2 1 0 2 1 7 40 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n"
                             "6 600 600 3000 3000\n"
                             "2 1 0 3 2 7 30 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 1200 1200\n"
                             "6 1200 1200 3000 3000\n"
                             "2 1 0 4 3 7 20 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 1800 1800\n"
                             "4 0 5 10 -1 0 12 0.0000 4 135 900 1800 1800 deep\\001\n"
                             "-6\n-6\n-6\n");
        QVERIFY(document);
        CFigContext& context = *document->context;
        const QByteArray before = writtenDrawing(context);
        currentAttrs.depth = 60;
        currentAttrs.lineWidth = 5;
        currentAttrs.styleVal = 0.0f;
        context.penColor = 6;

        context.updateObjectAttributes(document->object(0), false);
        QCOMPARE(context.undoHistory.undoSteps.size(), 1);
        QCOMPARE(kindsOf(*context.undoHistory.undoSteps.first()), QString("0 1 4 0 1 4 0 1 4 0 4"));
        QList<FigObject*> all;
        collect(&context.drawing.objects, all);
        for (FigObject* object : all) {
            if (object->type == FigObject::Polyline) {
                QCOMPARE(object->depth, 60);
                QCOMPARE(object->lineWidth, 5);
                QCOMPARE(object->penColor, 6);
            } else if (object->type == FigObject::Text) {
                QCOMPARE(object->depth, 60);
                QCOMPARE(static_cast<FigText*>(object)->color, 6);
            }
        }
        const QByteArray after = writtenDrawing(context);
        context.undoHistory.undo();
        QCOMPARE(writtenDrawing(context), before);
        context.undoHistory.redo();
        QCOMPARE(writtenDrawing(context), after);

        // Applying again finds every member as wanted.
        context.updateObjectAttributes(document->object(0), false);
        QCOMPARE(context.undoHistory.undoSteps.size(), 1);
    }

    // Two arrows of different sizes: the current sizes are one of them after
    // showing, and the other arrow keeps its own until the sizes change.
    void arrowsOfDifferentSizes()
    {
        auto document = open("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 1 2\n"
                             "\t1 1 1.00 60.00 120.00\n\t0 0 1.00 45.00 90.00\n\t 0 0 1200 600\n");
        QVERIFY(document);
        CFigContext& context = *document->context;
        FigObject* line = document->object(0);
        takeAsShown(context, line);
        QCOMPARE(currentAttrs.arrowWidth, 45.0f);
        currentAttrs.depth = 20;
        context.updateObjectAttributes(line, false);
        QCOMPARE(kindsOf(*context.undoHistory.undoSteps.first()), QString("0"));

        currentAttrs.lineWidth = 2;
        context.updateObjectAttributes(line, false);
        QCOMPARE(kindsOf(*context.undoHistory.undoSteps.last()), QString("1 A1 A0"));
        QCOMPARE(line->forwArrow->width, 90.0f);
        QCOMPARE(line->backArrow->height, 180.0f);
    }

    void arrowFromCurrentAttributes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("thickness");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::newRow("kind 0, relative") << 0 << false << 0 << 0 << 4.0f << 8.0f << 12.0f;
        QTest::newRow("kind 1, relative") << 1 << false << 1 << 0 << 4.0f << 8.0f << 12.0f;
        QTest::newRow("kind 2, absolute") << 2 << true << 1 << 1 << 2.0f << 50.0f << 70.0f;
        QTest::newRow("kind 5, absolute") << 5 << true << 3 << 0 << 2.0f << 50.0f << 70.0f;
        QTest::newRow("kind 28, relative") << 28 << false << 14 << 1 << 4.0f << 8.0f << 12.0f;
    }
    void arrowFromCurrentAttributes()
    {
        QFETCH(int, kind);
        QFETCH(bool, absolute);
        currentAttrs.arrowSizeMode = absolute;
        currentAttrs.arrowWidth = 50.0f;
        currentAttrs.arrowHeight = 70.0f;
        currentAttrs.arrowThicknessRel = 2.0f;
        currentAttrs.arrowWidthRel = 4.0f;
        currentAttrs.arrowHeightRel = 6.0f;
        figtest::Document document;
        std::unique_ptr<FigArrow> arrow(document.context->arrowFromCurrentAttributes(2.0f, kind));
        QVERIFY(arrow);
        QTEST(arrow->type, "type");
        QTEST(arrow->style, "style");
        QTEST(arrow->thickness, "thickness");
        QTEST(arrow->width, "width");
        QTEST(arrow->height, "height");
        QCOMPARE(arrowKindOf(arrow.get()), kind);
    }

    void taking_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("colours"); // pen fill area of the document afterwards

        QTest::newRow("open arc with a backward arrow")
            << QByteArray("5 1 1 2 3 4 30 -1 20 6.000 1 0 0 1 2400.000 10200.000 1800 10200 2400 9600 3000 10200\n"
                          "\t2 1 2.00 90.00 150.00\n")
            << "depth=30 width=2 style=1 styleVal=4 arcType=0 cap=1 back=on,4 forw=off sizes=2,90,150,1,45,75"
            << "3 4 20";
        QTest::newRow("pie wedge arc") << QByteArray(
            "5 2 0 1 0 7 50 -1 -1 0.000 0 1 0 0 2400.000 10200.000 1800 10200 2400 9600 3000 10200\n")
                                       << "arcType=1 back=off forw=off"
                                       << "0 7 -1";
        QTest::newRow("polyline with a forward arrow")
            << QByteArray("2 1 2 4 1 2 40 -1 -1 5.000 1 2 -1 1 0 2\n\t2 0 2.00 120.00 240.00\n\t 0 0 1200 600\n")
            << "depth=40 width=4 style=2 styleVal=2 join=1 cap=2 back=off forw=on,3 sizes=2,120,240,0.5,30,60"
            << "1 2 -1";
        QTest::newRow("a box takes its corner radius")
            << QByteArray("2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 0 0 600 0 600 600 0 600 0 0\n")
            << "depth=50 width=1 boxType=2 radius=-1 back=off forw=off"
            << "0 7 -1";
        QTest::newRow("a rounded box") << QByteArray("2 4 0 1 0 7 50 -1 -1 0.000 0 0 11 0 0 5\n"
                                                     "\t 0 0 600 0 600 600 0 600 0 0\n")
                                       << "boxType=4 radius=11"
                                       << "0 7 -1";
        QTest::newRow("a picture its depth only") << QByteArray(
            "2 5 1 3 5 6 20 -1 30 0.000 0 0 -1 0 0 5\n\t0 photo.png\n"
            "\t 0 0 600 0 600 600 0 600 0 0\n") << "depth=20 width=1 style=0"
                                                  << "0 7 -1";
        QTest::newRow("a zero-width line keeps the arrow sizes")
            << QByteArray("2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t2 1 3.00 75.00 150.00\n\t 0 0 1200 600\n")
            << "width=0 forw=on,4 sizes=1,60,120,1,60,120"
            << "0 7 -1";
        QTest::newRow("an ellipse leaves the arrows")
            << QByteArray("1 1 0 2 4 5 50 -1 10 0.000 1 0.2500 3000 3000 600 300 3000 3000 3600 3000\n")
            << "width=2 angle=0.25 back=on,7 forw=on,9"
            << "4 5 10";
        QTest::newRow("a PostScript text") << QByteArray("4 2 3 45 -1 16 14 1.5000 7 135 900 600 600 words\\001\n")
                                           << "depth=45 ps=16 latex=0 flags=7 size=14 align=2 textAngle=1.5"
                                           << "3 7 -1";
        QTest::newRow("a LaTeX text, rigid, hidden")
            << QByteArray("4 0 3 45 -1 2 14 0.0000 9 135 900 600 600 w\\001\n") << "ps=0 latex=2 flags=1"
            << "3 7 -1";
    }
    void taking()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        QFETCH(QString, colours);
        auto document = open(body);
        QVERIFY(document);
        CFigContext& context = *document->context;
        // Values that every row overwrites where it takes anything.
        currentAttrs.backArrowOn = true;
        currentAttrs.backArrow = 7;
        currentAttrs.forwArrowOn = true;
        currentAttrs.forwArrow = 9;
        currentAttrs.textFlags = 4;
        FigObject* object = document->object(0);
        takeAsShown(context, object);

        const DrawingAttributes& a = currentAttrs;
        auto arrow = [](bool on, int kind) { return on ? QStringLiteral("on,%1").arg(kind) : QStringLiteral("off"); };
        const QMap<QString, QString> actual {
            { "depth", QString::number(a.depth) },
            { "width", QString::number(a.lineWidth) },
            { "style", QString::number(a.lineStyle) },
            { "styleVal", QString::number(double(a.styleVal)) },
            { "arcType", QString::number(a.arcType) },
            { "cap", QString::number(a.capStyle) },
            { "join", QString::number(a.joinStyle) },
            { "boxType", QString::number(a.boxType) },
            { "radius", QString::number(a.boxCornerRadius) },
            { "back", arrow(a.backArrowOn, a.backArrow) },
            { "forw", arrow(a.forwArrowOn, a.forwArrow) },
            { "sizes",
                QStringLiteral("%1,%2,%3,%4,%5,%6")
                    .arg(double(a.arrowThickness))
                    .arg(double(a.arrowWidth))
                    .arg(double(a.arrowHeight))
                    .arg(double(a.arrowThicknessRel))
                    .arg(double(a.arrowWidthRel))
                    .arg(double(a.arrowHeightRel)) },
            { "angle", QString::number(double(a.ellipseAngle)) },
            { "ps", QString::number(a.psFont) },
            { "latex", QString::number(a.latexFont) },
            { "flags", QString::number(a.textFlags) },
            { "size", QString::number(a.fontSize) },
            { "align", QString::number(a.textAlign) },
            { "textAngle", QString::number(double(a.textAngle)) },
        };
        for (const QString& pair : expected.split(' ', Qt::SkipEmptyParts)) {
            const QStringList parts = pair.split('=');
            QVERIFY2(actual.contains(parts[0]), qPrintable(parts[0]));
            QCOMPARE(actual[parts[0]], parts[1]);
        }
        QCOMPARE(
            QStringLiteral("%1 %2 %3").arg(context.penColor).arg(context.fillColor).arg(context.fillStyle), colours);
    }

    // Showing an object and applying the current attributes to it at once
    // changes nothing: for every object of every fixture file, compound
    // members included.
    void takenAttributesChangeNothing_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(QStringLiteral(TAVREL_TEST_DATA)).entryList({ "*.fig" }, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files)
            QTest::newRow(qPrintable(name)) << QDir(QStringLiteral(TAVREL_TEST_DATA)).filePath(name);
    }
    void takenAttributesChangeNothing()
    {
        QFETCH(QString, file);
        figtest::Document document;
        QVERIFY(document.context->loadFile(file));
        CFigContext& context = *document.context;
        QList<FigObject*> all;
        collect(&context.drawing.objects, all);
        const QByteArray before = writtenDrawing(context);
        for (FigObject* object : all) {
            // What shows nothing takes nothing, and would take the values
            // of the object shown before.
            if (object->type == FigObject::Compound || (object->type == FigObject::Spline && object->subType > 5))
                continue;
            for (bool onlyFlagged : { false, true }) {
                takeAsShown(context, object);
                context.updateObjectAttributes(object, onlyFlagged);
                const QList<ActionStep*>& steps = context.undoHistory.undoSteps;
                const QString made = steps.isEmpty() ? QString() : kindsOf(*steps.last());
                QVERIFY2(steps.isEmpty(), qPrintable(QStringLiteral("object %1: %2").arg(object->id).arg(made)));
            }
        }
        QVERIFY(!context.modified);
        QCOMPARE(writtenDrawing(context), before);
    }
};

TAVREL_TEST_MAIN(TestAttributeApplication)
#include "tst_attributeapplication.moc"
