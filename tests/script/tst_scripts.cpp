// Scripts run in the program against a new document, from the console and
// from the Script menu: the saved file holds what they drew (compared line by
// line, comments included), every object is one undo step, refused shapes and
// values leave the log records and add nothing, and a script that fails part
// way leaves what it drew before and no half-made compound.
#include "app/appdir.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/logrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "toolbars/drawingattributes.h"

#include "ui_qtmainfrm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The lines of the document's saved file after the resolution line, figure
// comments and object comments included, the program's metadata lines left out.
QList<QByteArray> savedLines(QTChildFrm& document)
{
    static int count = 0;
    const QString file
        = QDir(testenv::home().isEmpty() ? QDir::tempPath() : testenv::home()).filePath(QStringLiteral("saved-%1.fig").arg(++count));
    if (!document.figContext->saveFile(file))
        return {};
    QList<QByteArray> result;
    bool body = false;
    for (QByteArray line : readFile(file).split('\n')) {
        if (line.isEmpty() || line.startsWith("# METADATA"))
            continue;
        if (body)
            result << line;
        else if (line == "1200 2")
            body = true;
    }
    return result;
}

// Whether the line matches the expected one token by token, "*" standing
// for any one token (text sizes, which depend on the fonts).
bool matches(const QByteArray& line, const QByteArray& expected)
{
    const QList<QByteArray> a = line.split(' ');
    const QList<QByteArray> e = expected.split(' ');
    if (a.size() != e.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (e.at(i) != "*" && a.at(i) != e.at(i))
            return false;
    }
    return true;
}

void compareLines(const QList<QByteArray>& actual, const QList<QByteArray>& expected)
{
    bool same = actual.size() == expected.size();
    for (int i = 0; same && i < actual.size(); ++i)
        same = matches(actual.at(i), expected.at(i));
    QVERIFY2(same, qPrintable("saved:\n" + actual.join('\n') + "\nexpected:\n" + expected.join('\n')));
}

// Types the script into the console and presses its Execute button.
void runInConsole(QTMainFrm& window, const QString& script)
{
    window.ui.scriptEdit->setPlainText(script);
    window.ui.executeScript->click();
}

const QByteArray circleAt1200 = "1 3 0 1 0 7 50 0 -1 4.000 1 0.0000 1200 1200 600 600 1200 1200 1800 1200";

} // namespace

class TestScripts : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }

    // What a console script draws is in the saved file, each object one undo
    // step; the status bar names the console.
    void drawsIntoTheDocument_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<int>("steps");

        QTest::newRow("circle with a comment")
            << "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600, comment: 'round one'});"
            << QList<QByteArray> { "# round one", circleAt1200 } << 1;
        QTest::newRow("radius cut to whole units")
            << "tavrel.drawCircle({center: {x: 1200.9, y: 1200}, radius: 600.7});"
            << QList<QByteArray> { circleAt1200 } << 1;
        QTest::newRow("test functions answer")
            << "if (tavrel.test(41) !== 42) throw 'test';\n"
               "var o = tavrel.test2({a: 1});\n"
               "if (o.a !== 1 || o.value !== 'foo') throw 'test2';\n"
               "tavrel.setBaseDPI(96); tavrel.rotate({}); tavrel.newFile(); tavrel.quit(); tavrel.drawPoint(1, 2);\n"
               "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});"
            << QList<QByteArray> { circleAt1200 } << 1;
        QTest::newRow("metric units, centre and cartesian direction")
            << "tavrel.setUnit('metric'); tavrel.setCenter(1, 2); tavrel.setDirection('cartesian');\n"
               "tavrel.drawPolyline({points: [{x: 0, y: 0}, {x: 1, y: 1}, {x: 0.5, y: 0}]});"
            << QList<QByteArray> { "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 0 0 3", "\t 472 945 944 473 708 945" } << 1;
        QTest::newRow("unknown unit keeps Fig units, inches centre")
            << "tavrel.setUnit('Metric'); tavrel.drawPolyline({points: [{x: 10.7, y: 20.2}]});\n"
               "tavrel.setUnit('imperial'); tavrel.setCenter(1, 0); tavrel.setUnit('fig');\n"
               "tavrel.drawPolyline({points: [{x: 10, y: 20}], closed: true});"
            << QList<QByteArray> { "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 0 0 1", "\t 10 20",
                   "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 0 0 1", "\t 1210 20" }
            << 2;
        QTest::newRow("closed polyline ignores arrows")
            << "tavrel.drawPolyline({points: [{x: 0, y: 0}, {x: 600, y: 0}, {x: 600, y: 600}], closed: true,"
               " forwardArrow: {type: 2}});"
            << QList<QByteArray> { "2 3 0 1 0 7 50 0 -1 4.000 0 0 0 0 0 4", "\t 0 0 600 0 600 600 0 0" } << 1;
        QTest::newRow("polyline with both arrows")
            << "tavrel.drawPolyline({points: [{x: 600, y: 600}, {x: 1800, y: 600}],"
               " forwardArrow: {type: 1, thickness: 2, width: 2.5}, backwardArrow: {type: 0, height: 8}});\n"
               "tavrel.drawPolyline({points: [{x: 600, y: 1200}, {x: 1800, y: 1200}], forwardArrow: {type: -3}});"
            << QList<QByteArray> { "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 1 1 2", "\t1 0 2.00 37.00 120.00",
                   "\t0 0 1.00 60.00 120.00", "\t 600 600 1800 600", "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 1 0 2",
                   "\t0 0 1.00 60.00 120.00", "\t 600 1200 1800 1200" }
            << 2;
        QTest::newRow("spline and regular polygon")
            << "tavrel.drawSpline({points: [{x: 600, y: 600}, {x: 1200, y: 1800}, {x: 1800, y: 600}],"
               " type: 'approx', closed: true});\n"
               "tavrel.drawRegularPolygon({center: {x: 1200, y: 1200}, sides: 5, radius: 100});"
            << QList<QByteArray> { "3 1 0 1 0 7 50 0 -1 4.000 0 0 0 3", "\t 600 600 1200 1800 1800 600",
                   "\t 1.000 1.000 1.000", "2 3 0 1 0 7 50 -1 -1 4.000 0 0 0 0 0 6",
                   "\t 1300 1200 1231 1295 1119 1259 1119 1141 1231 1105 1300 1200" }
            << 2;
        QTest::newRow("open interpolated spline with an unknown type")
            << "tavrel.drawSpline({points: [{x: 600, y: 600}, {x: 1200, y: 1800}, {x: 1800, y: 600}],"
               " type: 'bezier', backwardArrow: true});"
            << QList<QByteArray> { "3 2 0 1 0 7 50 0 -1 4.000 0 0 1 3", "\t0 0 1.00 60.00 120.00",
                   "\t 600 600 1200 1800 1800 600", "\t 0.000 -1.000 0.000" }
            << 1;
        QTest::newRow("arc with an arrow")
            << "tavrel.drawArc({p1: {x: 1200, y: 2400}, p2: {x: 2400, y: 1200}, p3: {x: 3600, y: 2400},"
               " forwardArrow: {type: 2, width: 4, height: 8}});"
            << QList<QByteArray> { "5 1 0 1 0 7 50 0 -1 4.000 0 0 1 0 2400.000 2400.000 1200 2400 2400 1200 3600 2400",
                   "\t1 1 1.00 60.00 120.00" }
            << 1;
        QTest::newRow("arc in reverse turns the other way")
            << "tavrel.drawArc({p1: {x: 3600, y: 2400}, p2: {x: 2400, y: 1200}, p3: {x: 1200, y: 2400}, type: 'pie'});"
            << QList<QByteArray> { "5 2 0 1 0 7 50 0 -1 4.000 0 1 0 0 2400.000 2400.000 3600 2400 2400 1200 1200 2400" }
            << 1;
        QTest::newRow("pen and colours make user colour 32")
            << "tavrel.setPen({width: 2, lineStyle: 'dashed', dashValue: 3, joinStyle: 'round', capStyle: 'round',"
               " colors: {penColor: {rgb: {r: 255, g: 128, b: 0}}, fillColor: {index: 4}, fillPattern: 3}});\n"
               "tavrel.drawPolyline({points: [{x: 600, y: 600}, {x: 1800, y: 600}], depth: 40});"
            << QList<QByteArray> { "0 32 #ff8000", "2 1 1 2 32 4 40 0 44 4.500 1 1 0 0 0 2", "\t 600 600 1800 600" }
            << 1;
        QTest::newRow("fill shade wins over pattern, rgb colours each new")
            << "tavrel.setColors({penColor: {rgb: {r: 1, g: 2, b: 3}}, fillShade: 20, fillPattern: 3});\n"
               "tavrel.setColors({penColor: {rgb: {r: 1, g: 2, b: 3}}});\n"
               "tavrel.setColors({penColor: {rgb: {r: 300, g: 0, b: 0}}, fillColor: {index: 40}});\n"
               "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});"
            << QList<QByteArray> { "0 32 #010203", "0 33 #010203",
                   "1 3 0 1 33 7 50 0 20 4.000 1 0.0000 1200 1200 600 600 1200 1200 1800 1200" }
            << 1;
        QTest::newRow("fill shade alone keeps the colours")
            << "tavrel.setColors({}); tavrel.setColors({fillShade: 20});\n"
               "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});"
            << QList<QByteArray> { "1 3 0 1 0 7 50 0 20 4.000 1 0.0000 1200 1200 600 600 1200 1200 1800 1200" } << 1;
        QTest::newRow("closed spline takes its arrow")
            << "tavrel.drawSpline({points: [{x: 600, y: 600}, {x: 1200, y: 1800}, {x: 1800, y: 600}],"
               " type: 'interp', closed: true, forwardArrow: {}});"
            << QList<QByteArray> { "3 3 0 1 0 7 50 0 -1 4.000 0 1 0 3", "\t0 0 1.00 60.00 120.00",
                   "\t 600 600 1200 1800 1800 600", "\t -1.000 -1.000 -1.000" }
            << 1;
        QTest::newRow("unknown font keeps the font")
            << "tavrel.drawText({text: 'x', base: {x: 600, y: 1200}, font: 'Comic Sans'});"
            << QList<QByteArray> { "4 0 0 50 0 0 12 0.0000 4 * * 600 1200 x\\001" } << 1;
        QTest::newRow("rounded rectangle")
            << "tavrel.drawRectangle({p1: {x: 1800, y: 1200}, p2: {x: 600, y: 600}, cornerType: 'round',"
               " cornerRadius: 10});"
            << QList<QByteArray> { "2 4 0 1 0 7 50 0 -1 4.000 0 0 10 0 0 5",
                   "\t 1800 1200 600 1200 600 600 1800 600 1800 1200" }
            << 1;
        // A rounded box that is a line would make fig2dev refuse the file.
        QTest::newRow("rounded rectangle without height: written as a plain box")
            << "tavrel.drawRectangle({p1: {x: 1800, y: 1200}, p2: {x: 600, y: 1200}, cornerType: 'round',"
               " cornerRadius: 10});"
            << QList<QByteArray> { "2 2 0 1 0 7 50 0 -1 4.000 0 0 10 0 0 5",
                   "\t 1800 1200 600 1200 600 1200 1800 1200 1800 1200" }
            << 1;
        QTest::newRow("ellipse turned")
            << "tavrel.drawEllipse({center: {x: 2400, y: 1200}, radiusx: 600, radiusy: 300, angle: 30});"
            << QList<QByteArray> { "1 1 0 1 0 7 50 0 -1 4.000 1 0.5236 2400 1200 600 300 2400 1200 3000 1200" }
            << 1;
        QTest::newRow("text with control characters")
            << "tavrel.drawText({text: 'a\\u0001b\\nc\\\\d', base: {x: 600, y: 1200}, font: 'helvetica bold',"
               " fontSize: 14});"
            << QList<QByteArray> { "4 0 0 50 0 18 14 0.0000 4 * * 600 1200 a\\001b\\012c\\\\d\\001" } << 1;
    }
    void drawsIntoTheDocument()
    {
        QFETCH(QString, script);
        QFETCH(QList<QByteArray>, lines);
        QFETCH(int, steps);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            LogRecorder log;
            StatusRecorder status;
            runInConsole(window, script);
            QCOMPARE(log.of({ "ERROR" }), QStringList());
            QCOMPARE(status.messages.last(), QStringLiteral("script console executed."));
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), steps);
            compareLines(savedLines(document), lines);
        });
    }

    // Refused shapes and refused values: the records say why, nothing is
    // added and the current attributes stay.
    void refusals_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("records");

        QTest::newRow("circle radius") << "tavrel.drawCircle({center: {x: 0, y: 0}, radius: 0});\n"
                                          "tavrel.drawCircle({center: {x: 0, y: 0}, radius: -5});\n"
                                          "tavrel.drawCircle({center: {x: 0, y: 0}});"
                                       << QStringList { "ERROR a circle must have a radius > 0",
                                              "ERROR a circle must have a radius > 0",
                                              "ERROR a circle must have a radius > 0" };
        QTest::newRow("ellipse radius") << "tavrel.drawEllipse({center: {x: 0, y: 0}, radiusx: 10});"
                                        << QStringList { "ERROR an ellipse must have a radius > 0" };
        QTest::newRow("polygon") << "tavrel.drawRegularPolygon({center: {x: 0, y: 0}, sides: 2, radius: 10});\n"
                                    "tavrel.drawRegularPolygon({center: {x: 0, y: 0}});"
                                 << QStringList { "ERROR regular polygon must have at least 3 sides",
                                        "ERROR regular polygon must have a radius" };
        QTest::newRow("missing points") << "tavrel.drawRectangle({p1: {x: 0, y: 0}});\n"
                                           "tavrel.drawPolyline({points: [{x: 0, y: 0}, undefined]});\n"
                                           "tavrel.drawText({text: 'x'});"
                                        << QStringList { "ERROR drawRectangle : the point p2 is missing or out of range",
                                               "ERROR drawPolyline: a point is missing or out of range",
                                               "ERROR drawText : the point base is missing or out of range" };
        QTest::newRow("no record") << "tavrel.drawPolyline({points: []});\n"
                                      "tavrel.drawArc({p1: {x: 0, y: 0}, p2: {x: 10, y: 10}, p3: {x: 20, y: 20}});\n"
                                      "tavrel.drawPicture({fileName: ''});"
                                   << QStringList { "INFO Skipping picture with empty filename" };
        QTest::newRow("values out of their tables")
            << "tavrel.depthChanged(1000); tavrel.depthChanged(-1); tavrel.numSidesChanged(2);\n"
               "tavrel.arcTypeChanged(2); tavrel.forwArrowChanged(30); tavrel.lineStyleChanged(6);\n"
               "tavrel.psFontChanged(35); tavrel.latexFontChanged(6); tavrel.textAlignChanged(-1);"
            << QStringList { "WARN depth 1000 refused: not within 0 to 999",
                   "WARN depth -1 refused: not within 0 to 999",
                   "WARN number of sides 2 refused: not within 3 to 10000",
                   "WARN arc type 2 refused: not within 0 to 1", "WARN arrow 30 refused: not within 0 to 29",
                   "WARN line style 6 refused: not within 0 to 5",
                   "WARN PostScript font 35 refused: not within 0 to 34",
                   "WARN LaTeX font 6 refused: not within 0 to 5",
                   "WARN text alignment -1 refused: not within 0 to 2" };
        QTest::newRow("elliptical arc type") << "tavrel.drawArc({p1: {x: 0, y: 0}, p2: {x: 10, y: 10}, type: 'elliptical'});"
                                             << QStringList { "WARN arc type 2 refused: not within 0 to 1",
                                                    "ERROR drawArc : the point p3 is missing or out of range" };
        QTest::newRow("thrown text") << "tavrel.drawCircle({center: {x: 0, y: 0}, radius: 0});\nthrow 'stop';"
                                     << QStringList { "ERROR a circle must have a radius > 0",
                                            "ERROR console: uncaught exception: stop" };
        QTest::newRow("syntax error") << "tavrel.drawCircle({center: {x: 0, y: 0}, radius: 0});\n\nfoo(;"
                                      << QStringList { "ERROR console line 3: SyntaxError: Expected token `)'" };
    }
    void refusals()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, records);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            LogRecorder log;
            StatusRecorder status;
            runInConsole(window, script);
            QCOMPARE(log.of({ "ERROR", "WARN", "INFO" }).mid(0, records.size()), records);
            QCOMPARE(log.of({ "INFO" }).last(), QStringLiteral("INFO script console executed."));
            QCOMPARE(status.messages.last(), QStringLiteral("script console executed."));
            QVERIFY(document.figContext->objects()->empty());
            QVERIFY(document.figContext->undoHistory.undoSteps.isEmpty());
            QCOMPARE(currentAttrs.depth, 50);
            QCOMPARE(currentAttrs.numSides, 6);
            QCOMPARE(currentAttrs.arcType, 0);
            QCOMPARE(currentAttrs.lineStyle, 0);
            QCOMPARE(currentAttrs.forwArrowOn, false);
            QCOMPARE(currentAttrs.psFont, 0);
            QCOMPARE(currentAttrs.textFlags, 4);
        });
    }

    // A compound of two circles: three undo steps, corners around the
    // circles; undo takes the compound apart, then the circles away. An
    // inner compound becomes a member of the outer one.
    void compounds()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            runInConsole(window,
                "tavrel.beginCompound();\n"
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});\n"
                "tavrel.drawCircle({center: {x: 3000, y: 1200}, radius: 300, pen: {width: 2}});\n"
                "tavrel.finishCompound();");
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), 3);
            const QList<QByteArray> circles { circleAt1200,
                "1 3 0 2 0 7 50 0 -1 6.000 1 0.0000 3000 1200 300 300 3000 1200 3300 1200" };
            compareLines(savedLines(document), QList<QByteArray> { "6 592 592 3315 1807" } + circles + QList<QByteArray> { "-6" });
            QCOMPARE(currentAttrs.lineWidth, 2);
            window.undo();
            compareLines(savedLines(document), circles);
            window.undo();
            window.undo();
            compareLines(savedLines(document), {});

            LogRecorder log;
            runInConsole(window,
                "tavrel.finishCompound(); tavrel.beginCompound(); tavrel.finishCompound();\n"
                "tavrel.beginCompound();\n"
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600, pen: {width: 1}});\n"
                "tavrel.beginCompound();\n"
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600, depth: 60, pen: {width: 2}});\n"
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 0});\n"
                "tavrel.finishCompound(); tavrel.finishCompound();");
            QCOMPARE(log.of({ "WARN" }),
                QStringList({ "WARN trying to finish a compound, while none is open!", "WARN Empty compound, ignored!" }));
            compareLines(savedLines(document),
                { "6 585 585 1815 1815", circleAt1200, "6 585 585 1815 1815",
                    "1 3 0 2 0 7 60 0 -1 6.000 1 0.0000 1200 1200 600 600 1200 1200 1800 1200", "-6", "-6" });
            QCOMPARE(document.figContext->objects()->size(), size_t(1));
        });
    }

    // A script that fails inside a compound keeps what it drew, each object
    // its own undo step, and no compound; the record names the line.
    void failureInsideACompound()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            LogRecorder log;
            StatusRecorder status;
            runInConsole(window,
                "tavrel.beginCompound();\n"
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});\n"
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});\n"
                "nosuchfunction();\n"
                "tavrel.finishCompound();");
            QCOMPARE(log.of({ "ERROR" }),
                QStringList({ "ERROR console line 4: ReferenceError: nosuchfunction is not defined" }));
            QCOMPARE(status.messages.last(), QStringLiteral("script console executed."));
            compareLines(savedLines(document), { circleAt1200, circleAt1200 });
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), 2);
            window.undo();
            compareLines(savedLines(document), { circleAt1200 });
        });
    }

    // A script file chosen in the Script menu places a picture beside it at
    // the image's own size, as one undo step; the current folder is the
    // script's while it runs and is given back afterwards. Its save writes
    // the drawing beside the script.
    void pictureFromScriptMenu()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            const QString folder = QDir(appDir).filePath(QStringLiteral("Scripts"));
            QImage image(200, 100, QImage::Format_RGB32);
            image.fill(Qt::red);
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(image.save(QDir(folder).filePath(QStringLiteral("red.png"))));
            writeFile(QDir(folder).filePath(QStringLiteral("picture.js")),
                "tavrel.drawPicture({fileName: 'red.png', p1: {x: 1200, y: 1200}, useOriginalRatio: true,"
                " scale: 0.5, depth: 70});\n"
                "tavrel.drawPicture({fileName: 'missing.png', p1: {x: 0, y: 0}, p2: {x: 600, y: 300}});\n"
                "tavrel.save('saved.fig');\n");
            window.refreshScriptActions();
            QAction* action = nullptr;
            for (QAction* a : window.ui.menuScript->actions()) {
                if (a->text().contains(QStringLiteral("picture")))
                    action = a;
            }
            QVERIFY(action);
            const QString before = QDir::currentPath();
            StatusRecorder status;
            action->trigger();
            QCOMPARE(QDir::currentPath(), before);
            const QString path = QFileInfo(QDir(folder).filePath(QStringLiteral("picture.js"))).canonicalFilePath();
            QCOMPARE(status.messages.last(), QStringLiteral("script %1 executed.").arg(path));
            const QList<QByteArray> picture { "2 5 0 0 0 7 70 0 -1 0.000 0 0 0 0 0 5", "\t0 red.png",
                "\t 1200 1200 2700 1200 2700 1950 1200 1950 1200 1200" };
            const QList<QByteArray> missing { "2 5 0 0 0 7 70 0 -1 0.000 0 0 0 0 0 5", "\t0 missing.png",
                "\t 0 0 600 0 600 300 0 300 0 0" };
            compareLines(savedLines(document), picture + missing);
            QVERIFY(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("saved.fig"))));
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), 2);
            window.undo();
            compareLines(savedLines(document), picture);
            window.undo();
            compareLines(savedLines(document), {});
        });
    }

    // Every run starts in Fig units at the origin with the y axis down.
    void everyRunStartsAfresh()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            runInConsole(window, "tavrel.setUnit('metric'); tavrel.setCenter(1, 1); tavrel.setDirection('cartesian');");
            runInConsole(window, "tavrel.drawPolyline({points: [{x: 10, y: 20}]});");
            compareLines(savedLines(document), { "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 0 0 1", "\t 10 20" });
        });
    }

    // Colours a script adds are offered by the colour dialog after the run.
    void userColoursReachTheColourDialog()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            auto* pens = window.colorDlg->findChild<QComboBox*>(QStringLiteral("userPenColor"));
            QVERIFY(pens);
            QCOMPARE(pens->count(), 0);
            runInConsole(window,
                "tavrel.setColors({penColor: {rgb: {r: 255, g: 128, b: 0}}});\n"
                "tavrel.setColors({penColor: {rgb: {r: 255, g: 128, b: 0}}, fillColor: {rgb: {r: 0, g: 0, b: 255}}});");
            QCOMPARE(pens->count(), 3);
            QCOMPARE(document.figContext->penColor, 33);
            QCOMPARE(document.figContext->fillColor, 34);
        });
    }

    // A run with a current object leaves it alone and current.
    void currentObjectUntouched()
    {
        editsession::run(editsession::figText("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 2400 2400 3000 3000\n"),
            [&](QTMainFrm& window, QTChildFrm& document) {
                FigObject* line = document.figContext->objects()->front();
                document.figContext->currentObject = line;
                runInConsole(window, "tavrel.setPen({width: 5}); tavrel.drawCircle({center: {x: 1200, y: 1200},"
                                     " radius: 600, depth: 10});");
                QCOMPARE(document.figContext->currentObject, line);
                QCOMPARE(line->lineWidth, 1);
                QCOMPARE(line->depth, 50);
                QCOMPARE(currentAttrs.lineWidth, 5);
                QCOMPARE(document.figContext->undoHistory.undoSteps.size(), 1);
            });
    }
};

TAVREL_TEST_MAIN(TestScripts)
#include "tst_scripts.moc"
