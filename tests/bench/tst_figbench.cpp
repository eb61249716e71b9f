#include "support/testenv.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct Run {
    int exitCode = -1;
    QStringList out;
    QStringList err;
};

Run figbench(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TAVREL_BINARY_DIR "/bench/figbench"), arguments);
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line :
        QString::fromLocal8Bit(process.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1String("QStandardPaths")))
            run.err << line;
    }
    return run;
}

QString fixture(const char* name)
{
    return QStringLiteral(TAVREL_TEST_DATA "/") + QLatin1String(name);
}

const QString number = QStringLiteral("\\d+\\.\\d{3}");

} // namespace

class TestFigBench : public QObject {
    Q_OBJECT
private slots:
    void readsAndWritesEachFile()
    {
        QTemporaryDir out;
        QTemporaryDir png;
        const QString own = fixture("own.fig");
        const QString missing = QDir(out.path()).filePath(QStringLiteral("missing.fig"));
        const Run run = figbench({ "--repeat", "3", "--out", out.path(), "--png", png.path(), "--messages", own,
            fixture("corrections.fig"), missing });
        QCOMPARE(run.exitCode, 1); // one file could not be read
        QCOMPARE(run.out.size(), 4);
        QVERIFY2(QRegularExpression(QStringLiteral("^%1 objects=7 read_ms=%2 write_ms=%2 draw_ms=%2$")
                                        .arg(QRegularExpression::escape(own), number))
                     .match(run.out.at(0))
                     .hasMatch(),
            qPrintable(run.out.at(0)));
        QVERIFY(run.out.at(1).contains(QStringLiteral(" objects=13 ")));
        QCOMPARE(run.out.at(2), missing + QStringLiteral(" objects=0 read_ms=0.000 write_ms=0.000 draw_ms=0.000"));
        QVERIFY2(QRegularExpression(
                     QStringLiteral("^total files=3 objects=20 read_ms=%1 write_ms=%1 draw_ms=%1 peak_rss_kb=\\d+$")
                         .arg(number))
                     .match(run.out.at(3))
                     .hasMatch(),
            qPrintable(run.out.at(3)));

        // The reader's messages, once per file, prefixed with the file name.
        QVERIFY(run.err.contains(own + QStringLiteral(": Opened \"%1\" Figure contains 7 objects").arg(own)));
        QVERIFY(run.err.contains(fixture("corrections.fig")
            + QStringLiteral(": Depth > Maximum allowed (999), setting to 999 in line 10.")));
        QCOMPARE(run.err.filter(QStringLiteral("Depth > Maximum")).size(), 1);

        QFile written(QDir(out.path()).filePath(QStringLiteral("own.fig")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith("#FIG 3.2\n# Created by Tavrel version "));
        QVERIFY(QFileInfo::exists(QDir(out.path()).filePath(QStringLiteral("corrections.fig"))));
        // A picture of each file that was read.
        QCOMPARE(QDir(png.path()).entryList(QDir::Files),
            QStringList({ QStringLiteral("corrections.fig.png"), QStringLiteral("own.fig.png") }));
    }

    void everyFileRead()
    {
        const Run run = figbench({ fixture("fig31.fig") });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), 2);
        QVERIFY(run.out.at(0).startsWith(fixture("fig31.fig") + QStringLiteral(" objects=6 ")));
        QVERIFY(run.err.isEmpty()); // no messages without --messages
    }

    // --script runs the script after reading and before writing: the written
    // file holds what it drew, and the lines end with its time.
    void runsAScript()
    {
        QTemporaryDir out;
        const QString script = QDir(out.path()).filePath(QStringLiteral("circles.js"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("for (var i = 0; i < 3; ++i)\n"
                   "    tavrel.drawCircle({center: {x: 1200 * (i + 1), y: 1200}, radius: 600, comment: 'c' + i});\n");
        file.close();
        const QString input = fixture("fig31.fig");
        const Run run = figbench({ "--out", out.path(), "--script", script, input });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), 2);
        QVERIFY2(QRegularExpression(QStringLiteral("^%1 objects=6 read_ms=%2 write_ms=%2 draw_ms=%2 script_ms=%2$")
                                        .arg(QRegularExpression::escape(input), number))
                     .match(run.out.at(0))
                     .hasMatch(),
            qPrintable(run.out.at(0)));
        QVERIFY2(
            run.out.at(1).contains(QRegularExpression(QStringLiteral("peak_rss_kb=\\d+ script_ms=%1$").arg(number))),
            qPrintable(run.out.at(1)));
        QFile written(QDir(out.path()).filePath(QStringLiteral("fig31.fig")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray saved = written.readAll();
        for (const char* line : { "# c0\n1 3 ", " 1200 1200 600 600 1200 1200 1800 1200\n", "# c2\n1 3 ",
                 " 3600 1200 600 600 3600 1200 4200 1200\n" })
            QVERIFY2(saved.contains(line), line);
    }

    // --script runs a script as the Script menu does: the keywords are known
    // and the attribute keys reach an attribute handler, so units, corner
    // types and radii, the pen and the number of sides all take effect, and
    // values beyond their range are refused as in the editor.
    void scriptTakesAttributesAsTheScriptMenu()
    {
        QTemporaryDir out;
        const QString script = QDir(out.path()).filePath(QStringLiteral("attributes.js"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("tavrel.setUnit('metric');\n"
                   "tavrel.drawRectangle({p1: {x: 1, y: 1}, p2: {x: 2, y: 2}, cornerType: 'round', cornerRadius: 10,"
                   " pen: {width: 2, lineStyle: 'dashed', dashValue: 3, capStyle: 'round', joinStyle: 'bevel',"
                   " colors: {penColor: {index: 4}, fillColor: {index: 2}, fillPattern: 3}}});\n"
                   "tavrel.setUnit('fig'); tavrel.setDirection('cartesian');\n"
                   "tavrel.numSidesChanged(2147483647);\n"
                   "tavrel.drawRegularPolygon({center: {x: 1200, y: -1200}, sides: 3, radius: 100, depth: 40});\n"
                   "tavrel.drawText({text: 'x', base: {x: 600, y: -600}, font: 'Helvetica Bold', fontSize: 14});\n");
        file.close();
        const Run run = figbench({ "--out", out.path(), "--script", script, fixture("fig31.fig") });
        QCOMPARE(run.exitCode, 0);
        QFile written(QDir(out.path()).filePath(QStringLiteral("fig31.fig")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray saved = written.readAll();
        for (const char* lines :
            { "2 4 1 2 4 2 50 0 44 4.500 2 1 10 0 0 5\n\t 472 472 945 472 945 945 472 945 472 472\n",
                "2 3 1 2 4 2 40 -1 44 4.500 2 1 0 0 0 4\n\t 1300 1200 1150 1287 1150 1113 1300 1200\n",
                "4 0 4 40 0 18 14 0.0000 4 " })
            QVERIFY2(saved.contains(lines), saved.constData());
    }

    // With --edit every object moves one grid step right (moved, undone,
    // redone), which the written file shows, and each line ends in edit_ms.
    void editMovesEverythingOneStep()
    {
        QTemporaryDir out;
        const QString own = fixture("own.fig");
        const Run run = figbench({ "--edit", "--out", out.path(), own });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), 2);
        const QString edit = QStringLiteral(" edit_ms=%1$").arg(number);
        QVERIFY2(QRegularExpression(
                     QStringLiteral("^%1 objects=7 .* draw_ms=%2%3").arg(QRegularExpression::escape(own), number, edit))
                     .match(run.out.at(0))
                     .hasMatch(),
            qPrintable(run.out.at(0)));
        QVERIFY2(QRegularExpression(QStringLiteral("peak_rss_kb=\\d+%1").arg(edit)).match(run.out.at(1)).hasMatch(),
            qPrintable(run.out.at(1)));

        QFile written(QDir(out.path()).filePath(QStringLiteral("own.fig")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = written.readAll().split('\n');
        const int header = lines.indexOf("2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5");
        QVERIFY(header >= 0 && header + 1 < lines.size());
        const QList<QByteArray> values = lines.at(header + 1).simplified().split(' ');
        QCOMPARE(values.size(), 10);
        const int step = values.at(0).toInt() - 2400;
        QVERIFY(step > 0);
        const int expected[] = { 2400, 2400, 4800, 2400, 4800, 4800, 2400, 4800, 2400, 2400 };
        for (int i = 0; i < 10; ++i)
            QCOMPARE(values.at(i).toInt(), expected[i] + (i % 2 == 0 ? step : 0));
    }

    // --interactive opens the file in a window: the line ends with the
    // measurements there, and the opening redraws the canvas once.
    void interactiveOpensZoomsAndScrolls()
    {
        const QString own = fixture("own.fig");
        const Run run = figbench({ "--interactive", "--view-zoom", "4", own });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), 3);
        QVERIFY2(QRegularExpression(QStringLiteral("^%1 objects=7 read_ms=%2 write_ms=%2 draw_ms=%2 open_redraws=1 "
                                                   "start_painted_ms=%2 open_first_paint_ms=%2 open_ms=%2 "
                                                   "zoom_first_ms=%2 zoom_ms=%2 scroll_ms=%2 scroll_redraws=0 "
                                                   "visible=\\d+$")
                                        .arg(QRegularExpression::escape(own), number))
                     .match(run.out.at(0))
                     .hasMatch(),
            qPrintable(run.out.at(0)));
        // A drawing of seven objects is drawn before the window shows it.
        QVERIFY2(QRegularExpression(QStringLiteral("^%1 window painted before the drawing: no \\(menu bar \\d+ ms "
                                                   "after the start, document window \\d+ ms and the whole drawing "
                                                   "\\d+ ms after the Open command\\)$")
                                        .arg(QRegularExpression::escape(own)))
                     .match(run.out.at(1))
                     .hasMatch(),
            qPrintable(run.out.at(1)));
        QCOMPARE(figbench({ "--interactive", "--view-zoom", "0", own }).exitCode, 2);
    }

    // --views redraws the window over the drawing at each zoom: the line
    // ends with how many redraws, their median and slowest, and where.
    void viewsRedrawTheWindowAtEachZoom()
    {
        const QString own = fixture("own.fig");
        const Run run = figbench({ "--views", "1,20", own });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), 2);
        const QRegularExpressionMatch match
            = QRegularExpression(QStringLiteral("^%1 objects=7 read_ms=%2 write_ms=%2 draw_ms=%2 views=(\\d+) "
                                                "view_ms=%2 view_max_ms=%2 view_worst=(1|20)@\\d+,\\d+$")
                                     .arg(QRegularExpression::escape(own), number))
                  .match(run.out.at(0));
        QVERIFY2(match.hasMatch(), qPrintable(run.out.at(0)));
        // One view at least at each zoom, more at 2000 % than at 100 %.
        QVERIFY(match.captured(1).toInt() >= 3);
        for (const char* zooms : { "0", "1,100", "1,,2", "x" })
            QCOMPARE(figbench({ "--views", zooms, own }).exitCode, 2);
    }

    void unusableArguments()
    {
        QCOMPARE(figbench({}).exitCode, 2);
        QCOMPARE(figbench({ "--repeat", "0", fixture("own.fig") }).exitCode, 2);
        QCOMPARE(figbench({ "--frobnicate", fixture("own.fig") }).exitCode, 2);
        QCOMPARE(figbench({ fixture("own.fig"), "--script" }).exitCode, 2);
    }
};

TAVREL_TEST_MAIN(TestFigBench)
#include "tst_figbench.moc"
