// Scripts that try to break the program: values no plain data can hold,
// nesting without end, loops without end, attribute values and shapes beyond
// what a file holds, control characters in comments. None may crash or
// freeze the program or harm the drawing; each leaves its log record, and
// the drawing it leaves is read back whole by the program and by fig2dev.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "script/scriptmemorywatch.h"
#include "support/editsession.h"
#include "support/fig2devverdict.h"
#include "support/logrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "toolbars/drawingattributes.h"

#include "ui_qtmainfrm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

// An allocation beyond what the allocator can give fails as it does without
// the address checker (the request is refused, and the program must cope),
// rather than ending the test: a text doubled without end may get there
// before the memory watch stops it.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}

namespace {

void runInConsole(QTMainFrm& window, const QString& script)
{
    window.ui.scriptEdit->setPlainText(script);
    window.ui.executeScript->click();
}

QString scratchFile(const QString& name)
{
    return QDir(testenv::home().isEmpty() ? QDir::tempPath() : testenv::home()).filePath(name);
}

// The document saved, then read back by the program and by fig2dev: the
// reader must keep every object, and fig2dev must take the file without a
// complaint. Returns the saved text.
QByteArray checkReadBackWhole(QTChildFrm& document)
{
    static int count = 0;
    const QString file = scratchFile(QStringLiteral("hostile-%1.fig").arg(++count));
    if (!document.figContext->saveFile(file)) {
        QTest::qFail("the drawing could not be saved", __FILE__, __LINE__);
        return {};
    }
    const int written = figFileProgress.objectCount;
    CFigContext reread;
    reread.dpiX = reread.dpiY = 80.0f;
    if (!reread.loadFile(file)) {
        QTest::qFail("the saved drawing could not be read", __FILE__, __LINE__);
        return {};
    }
    if (figFileProgress.objectCount != written || reread.objects()->size() != document.figContext->objects()->size())
        QTest::qFail(
            qPrintable(QStringLiteral("read back %1 of %2 objects").arg(figFileProgress.objectCount).arg(written)),
            __FILE__, __LINE__);
    const Fig2devVerdict verdict = fig2devVerdict(file);
    if (verdict.status != 0 || !verdict.complaints.isEmpty())
        QTest::qFail(("fig2dev refused the saved drawing: " + verdict.complaints).constData(), __FILE__, __LINE__);
    return readFile(file);
}

// Presses Stop in the script window once it shows, and remembers when.
class StopPresser : public QObject {
public:
    explicit StopPresser(int afterMilliseconds)
    {
        QTimer::singleShot(afterMilliseconds, this, [this] { press(); });
    }
    void press()
    {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* stop = dialog ? dialog->findChild<QPushButton*>(QStringLiteral("stopScript")) : nullptr;
        if (!stop) {
            // Not shown yet: try again shortly.
            QTimer::singleShot(50, this, [this] { press(); });
            return;
        }
        windowTitle = dialog->windowTitle();
        pressed.start();
        stop->click();
    }
    QElapsedTimer pressed;
    QString windowTitle;
};

const QByteArray circle = "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});";

} // namespace

class TestHostileScripts : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }

    // Each hostile call is refused with its record; what comes before and
    // after it is drawn, and the drawing reads back whole.
    void refusedWithoutHarm_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<int>("objects");

        const QString after = QString::fromLatin1(circle);
        QTest::newRow("Symbol in a point") << "tavrel.drawCircle({center: {x: Symbol(), y: 0}, radius: 5});\n" + after
                                           << QStringList { "ERROR console line 1: drawCircle: argument refused: a "
                                                            "Symbol or other value without plain form" }
                                           << 1;
        QTest::newRow("Symbol among points") << after + "\n\ntavrel.drawPolyline({points: [Symbol()]});"
                                             << QStringList { "ERROR console line 3: drawPolyline: argument refused: a "
                                                              "Symbol or other value without plain form" }
                                             << 1;
        QTest::newRow("Symbol for a number and a text")
            << "tavrel.numSidesChanged(Symbol()); tavrel.setUnit(Symbol('metric'));\n" + after
            << QStringList { "ERROR console line 1: numSidesChanged: argument refused: a Symbol or function is no "
                             "number",
                   "ERROR console line 1: setUnit: argument refused: a Symbol or function is no text" }
            << 1;
        QTest::newRow("deep nesting")
            << "var o = {}, p = o;\nfor (var i = 0; i < 20000; i++) p = p.c = {};\ntavrel.setPen(o);\n" + after
            << QStringList { "ERROR console line 3: setPen: argument refused: it is nested more than 64 levels deep" }
            << 1;
        QTest::newRow("deeply nested points inside a function")
            << "function draw(points) {\n  tavrel.drawPolyline({points: points});\n}\n"
               "var a = [{x: 0, y: 0}];\nfor (var i = 0; i < 100000; i++) a = [a];\ndraw(a);\n"
                + after
            << QStringList { "ERROR console line 2: drawPolyline: argument refused: it is nested more than 64 levels "
                             "deep" }
            << 1;
        QTest::newRow("an object holding itself")
            << "var o = {width: 2}; o.self = o;\ntavrel.setPen(o);\n" + after
            << QStringList { "ERROR console line 2: setPen: argument refused: it contains itself" } << 1;
        QTest::newRow("shared parts multiplying")
            << "var a = [1];\nfor (var i = 0; i < 40; i++) a = [a, a];\ntavrel.drawPolyline({points: a});\n" + after
            << QStringList { "ERROR console line 3: drawPolyline: argument refused: it holds more than 4000000 values" }
            << 1;
        QTest::newRow("a function where a value belongs")
            << "tavrel.drawCircle({center: function () { return 0; }, radius: 5});\n" + after
            << QStringList { "ERROR console line 1: drawCircle: argument refused: a function is no value" } << 1;
        QTest::newRow("the scripting object's own housekeeping")
            << "tavrel.objectName = 'gone';\n" + after << QStringList {} << 1;
        QTest::newRow("thrown Symbol") << after + "\nthrow Symbol('x');"
                                       << QStringList { "ERROR console: uncaught exception: Symbol(x)" } << 1;
        QTest::newRow("endless recursion")
            << after + "\nfunction f() { return f() + 1; }\nf();"
            << QStringList { "ERROR console line 0: RangeError: Maximum call stack size exceeded." } << 1;
        QTest::newRow("huge number of sides")
            << "tavrel.numSidesChanged(2147483647);\n"
               "tavrel.drawRegularPolygon({center: {x: 2400, y: 2400}, radius: 600});\n"
               "tavrel.drawRegularPolygon({center: {x: 2400, y: 2400}, radius: 600, sides: 10001});"
            << QStringList { "WARN number of sides 2147483647 refused: not within 3 to 10000",
                   "ERROR regular polygon must have at most 10000 sides" }
            << 1;
        QTest::newRow("attribute values beyond their range")
            << "tavrel.lineWidthChanged(-1); tavrel.boxCornerRadiusChanged(2000000000);\n"
               "tavrel.fontSizeChanged(0); tavrel.ellipseAngleChanged(1000000); tavrel.styleValChanged(NaN);\n"
               "tavrel.textAngleChanged(-1000);\n"
                + after
            << QStringList { "WARN line width -1 refused: not within 0 to 100",
                   "WARN corner radius 2000000000 refused: not within 0 to 1000000",
                   "WARN font size 0 refused: not within 1 to 500",
                   "WARN ellipse angle 1000000 refused: not within -360 to 360",
                   "WARN style value nan refused: not within 0 to 99.99",
                   "WARN text angle -1000 refused: not within -360 to 360" }
            << 1;
        QTest::newRow("circle beyond the drawing")
            << "tavrel.drawCircle({center: {x: 1e8, y: 1e8}, radius: 1e8});\n"
               "tavrel.drawCircle({center: {x: 0, y: 0}, radius: 1e300});\n"
                + after
            << QStringList { "ERROR a circle must lie within 1e+08 of the origin",
                   "ERROR a circle must lie within 1e+08 of the origin" }
            << 1;
        QTest::newRow("circle of radius cut to 0")
            << "tavrel.drawCircle({center: {x: 0, y: 0}, radius: 0.5});\n" + after
            << QStringList { "ERROR a circle must have a radius > 0" } << 1;
        QTest::newRow("ellipse beyond the drawing")
            << "tavrel.drawEllipse({center: {x: 0, y: 99999000}, radiusx: 10, radiusy: 2000});\n"
               "tavrel.drawEllipse({center: {x: 0, y: 0}, radiusx: 10, radiusy: 0.2});\n"
               "tavrel.drawEllipse({center: {x: 0, y: 0}, radiusx: 10, radiusy: 20, angle: Infinity});\n"
                + after
            << QStringList { "ERROR an ellipse must lie within 1e+08 of the origin",
                   "ERROR an ellipse must have a radius > 0", "ERROR ellipse angle inf is no finite number" }
            << 1;
        QTest::newRow("nearly straight arc")
            << "tavrel.drawArc({p1: {x: 0, y: 0}, p2: {x: 50000000, y: 1}, p3: {x: 100000000, y: 0}});\n" + after
            << QStringList { "ERROR drawArc: the arc's centre lies beyond the drawing; the points are nearly on one "
                             "line" }
            << 1;
        QTest::newRow("a text too long")
            << "tavrel.drawText({text: 'x'.repeat(100001), base: {x: 0, y: 0}});\n" + after
            << QStringList { "ERROR console line 1: drawText: argument refused: it holds a text of more than 100000 "
                             "characters" }
            << 1;
        QTest::newRow("a comment too long, deep inside")
            << after + "\nvar c = 'ab'.repeat(50001);\ntavrel.drawPolyline({points: [{x: 0, y: 0}], comment: [c]});"
            << QStringList { "ERROR console line 3: drawPolyline: argument refused: it holds a text of more than "
                             "100000 characters" }
            << 1;
        QTest::newRow("a key name too long")
            << "var o = {}; o['k'.repeat(100001)] = 1;\ntavrel.setPen(o);\n" + after
            << QStringList { "ERROR console line 2: setPen: argument refused: it holds a text of more than 100000 "
                             "characters" }
            << 1;
        QTest::newRow("a unit name too long")
            << "tavrel.setUnit('metric'.repeat(20000));\n" + after
            << QStringList { "ERROR console line 1: setUnit: argument refused: it holds a text of more than 100000 "
                             "characters" }
            << 1;
        QTest::newRow("texts of the longest length")
            << "tavrel.drawText({text: 'x'.repeat(100000), base: {x: 1200, y: 1200}, comment: 'c'.repeat(100000)});\n"
                + after
            << QStringList {} << 2;
        QTest::newRow("picture name with a line break")
            << "tavrel.drawPicture({fileName: 'a\\nb.png', p1: {x: 0, y: 0}, p2: {x: 600, y: 300}});\n" + after
            << QStringList { "ERROR drawPicture: a file name with control characters cannot be stored" } << 1;
        QTest::newRow("picture frame without width or height")
            << "tavrel.drawPicture({fileName: 'a.png', p1: {x: 0, y: 300}, p2: {x: 600, y: 300}});\n"
               "tavrel.drawPicture({fileName: 'a.png', p1: {x: 600, y: 0}, p2: {x: 600, y: 300}});\n"
               "tavrel.drawPicture({fileName: 'a.png', p1: {x: 600, y: 300}, p2: {x: 600, y: 300}});\n"
               "tavrel.drawPicture({fileName: 'missing.png', p1: {x: 600, y: 300}, useOriginalRatio: true});\n"
                + after
            << QStringList { "ERROR drawPicture: the picture frame has no width or no height",
                   "ERROR drawPicture: the picture frame has no width or no height",
                   "ERROR drawPicture: the picture frame has no width or no height",
                   "ERROR drawPicture: the picture frame has no width or no height" }
            << 1;
        QTest::newRow("regular polygons beyond the drawing or without an angle")
            << "tavrel.drawRegularPolygon({center: {x: 10, y: 0}, radius: 1e8, sides: 5});\n"
               "tavrel.drawRegularPolygon({center: {x: 0, y: 0}, radius: 100, angle: NaN});\n"
               "tavrel.drawRegularPolygon({center: {x: 0, y: 0}, radius: 100, angle: -Infinity});\n"
               "tavrel.drawRegularPolygon({center: {x: 0, y: 0}, radius: 0.2});\n"
                + after
            << QStringList { "ERROR regular polygon reaches beyond the drawing",
                   "ERROR regular polygon angle nan is no finite number",
                   "ERROR regular polygon angle -inf is no finite number",
                   "ERROR regular polygon radius 0.2 is too small" }
            << 1;
    }
    void refusedWithoutHarm()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, records);
        QFETCH(int, objects);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            LogRecorder log;
            StatusRecorder status;
            runInConsole(window, script);
            const QStringList seen = log.of({ "ERROR", "WARN" });
            QVERIFY2(seen == records, qPrintable(seen.join(QLatin1Char('\n'))));
            QCOMPARE(status.messages.last(), QStringLiteral("script console executed."));
            QCOMPARE(int(document.figContext->objects()->size()), objects);
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), objects);
            QVERIFY(currentAttrs.numSides >= 3 && currentAttrs.numSides <= 10000);
            checkReadBackWhole(document);
        });
    }

    // Control characters in a comment: no NUL reaches the file, and a
    // carriage return becomes a line of its own, so the file reads back as
    // written by the program and by fig2dev.
    void controlCharactersInComments()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            runInConsole(window,
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600, comment: 'a\\u0000b\\rc\\r\\nd'});");
            QCOMPARE(int(document.figContext->objects()->size()), 1);
            const QByteArray saved = checkReadBackWhole(document);
            QVERIFY(!saved.contains('\0'));
            QVERIFY(!saved.contains('\r'));
            QVERIFY2(saved.contains("# ab\n# c\n# d\n1 3 "), saved.constData());
        });
    }

    // A script without end is stopped from its window within a second: what
    // it drew before stays, each object its own undo step, and the log and
    // the status bar say it was stopped. Scripts catching the interruption
    // are stopped all the same.
    void endlessScriptStopped_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("drawsOn");
        QTest::newRow("empty loop") << QString::fromLatin1(circle) + "\nwhile (true) {}" << false;
        QTest::newRow("loop catching the stop")
            << QString::fromLatin1(circle) + "\nwhile (true) { try { while (true) {} } catch (e) {} }" << false;
        QTest::newRow("drawing without end")
            << "for (var i = 0; ; i++) tavrel.drawCircle({center: {x: 1200 + i % 100, y: 1200}, radius: 600});" << true;
    }
    void endlessScriptStopped()
    {
        QFETCH(QString, script);
        QFETCH(bool, drawsOn);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            LogRecorder log;
            StatusRecorder status;
            StopPresser presser(800);
            runInConsole(window, script);
            QVERIFY(presser.pressed.isValid());
            QVERIFY2(presser.pressed.elapsed() < 1000, qPrintable(QString::number(presser.pressed.elapsed())));
            QCOMPARE(presser.windowTitle, QStringLiteral("Running script"));
            QCOMPARE(log.of({ "WARN" }), QStringList { "WARN script console stopped." });
            QCOMPARE(log.of({ "ERROR" }), QStringList());
            QCOMPARE(status.messages.last(), QStringLiteral("script console stopped."));
            const int objects = int(document.figContext->objects()->size());
            if (drawsOn)
                QVERIFY(objects >= 1);
            else
                QCOMPARE(objects, 1);
            // Each object its own step, as far as the history reaches back.
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(),
                qMin(objects, document.figContext->undoHistory.maxSteps));
            checkReadBackWhole(document);
            // The program works on: the next script runs.
            runInConsole(window, QString::fromLatin1(circle));
            QCOMPARE(int(document.figContext->objects()->size()), objects + 1);
        });
    }

    // Closing the document while a script runs stops the script and keeps
    // the window; Escape in the script window stops it too.
    void closeAndEscapeStop()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            QPointer<QTChildFrm> kept(&document);
            QTimer::singleShot(200, &document, [&document] { document.close(); });
            QElapsedTimer clock;
            clock.start();
            runInConsole(window, QString::fromLatin1(circle) + "\nwhile (true) {}");
            QVERIFY(clock.elapsed() < 1500);
            QVERIFY(kept);
            QCOMPARE(int(document.figContext->objects()->size()), 1);

            QTimer::singleShot(800, &window, [] {
                if (QWidget* dialog = QApplication::activeModalWidget())
                    QTest::keyClick(dialog, Qt::Key_Escape);
            });
            clock.restart();
            runInConsole(window, "while (true) {}");
            QVERIFY(clock.elapsed() < 2000);
        });
    }

    // A script whose memory grows without end is stopped, with its record,
    // before it takes the program down: what it drew before stays and the
    // program works on. A drawing script within the allowance runs to its
    // end. The allowance is lowered so that the test stays small; growth is
    // measured from the script's start, so an instrumented build's larger
    // memory does not count against it.
    void memoryGrowthStopsTheScript_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("stops");
        const QString before = QString::fromLatin1(circle) + QLatin1Char('\n');
        QTest::newRow("text doubled without end") << before + "var s = 'abcdefgh';\nwhile (true) s = s + s;" << true;
        QTest::newRow("array grown without end")
            << before + "var a = [];\nwhile (true) a.push(new Array(1000).fill(1.5));" << true;
        QTest::newRow("drawing within the allowance")
            << "var kept = [];\nfor (var i = 0; i < 300; i++) {\n"
               "  kept.push('text'.repeat(1000));\n"
               "  tavrel.drawCircle({center: {x: 1200 + i, y: 1200}, radius: 600});\n}"
            << false;
    }
    void memoryGrowthStopsTheScript()
    {
        QFETCH(QString, script);
        QFETCH(bool, stops);
        constexpr qint64 allowance = 96 * 1024 * 1024;
        ScriptMemoryWatch::setAllowance(allowance);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            LogRecorder log;
            StatusRecorder status;
            runInConsole(window, script);
            if (stops) {
                QCOMPARE(log.of({ "ERROR", "WARN" }),
                    QStringList({ "ERROR script console stopped: it needed more than 96 MB of memory",
                        "WARN script console stopped." }));
                QCOMPARE(status.messages.last(), QStringLiteral("script console stopped."));
                QCOMPARE(int(document.figContext->objects()->size()), 1);
            } else {
                QCOMPARE(log.of({ "ERROR", "WARN" }), QStringList());
                QCOMPARE(status.messages.last(), QStringLiteral("script console executed."));
                QCOMPARE(int(document.figContext->objects()->size()), 300);
            }
            checkReadBackWhole(document);
            // The program works on: the next script runs.
            const int objects = int(document.figContext->objects()->size());
            runInConsole(window, QString::fromLatin1(circle));
            QCOMPARE(int(document.figContext->objects()->size()), objects + 1);
        });
        ScriptMemoryWatch::setAllowance(0);
    }

    // A long script that nobody stops runs to its end.
    void longScriptRunsToItsEnd()
    {
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            StatusRecorder status;
            runInConsole(window,
                "for (var i = 0; i < 3000; i++) tavrel.drawCircle({center: {x: 1200 + i, y: 1200}, radius: 600});\n"
                "var t = Date.now(); while (Date.now() - t < 700) {}");
            QCOMPARE(status.messages.last(), QStringLiteral("script console executed."));
            QCOMPARE(int(document.figContext->objects()->size()), 3000);
        });
    }
};

TAVREL_TEST_MAIN(TestHostileScripts)
#include "tst_hostilescripts.moc"
