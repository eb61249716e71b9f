// figbench --export: the drawing exported as the export dialog does it, with
// a row's start values changed by --set, under the proposed name, by the
// fig2dev found on PATH (a logging stand-in here), timed as export_ms; a
// failed export or a bad --set makes the exit status 1.
#include "support/standins.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct Run {
    int exitCode = -1;
    QStringList out;
    QStringList err;
};

const QByteArray drawing = "#FIG 3.2\nPortrait\nCenter\nInches\nLetter\n150.00\nSingle\n-2\n1200 2\n"
                           "2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                           "\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n";

} // namespace

class TestFigBenchExport : public QObject {
    Q_OBJECT

    QTemporaryDir bin;
    QTemporaryDir work;

    QString log() const { return bin.filePath(QStringLiteral("runs.log")); }
    QString input() const { return work.filePath(QStringLiteral("plan.fig")); }

    Run figbench(const QStringList& arguments, const QByteArray& mode = QByteArray(), bool standIn = true)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (standIn)
            env.insert(QStringLiteral("PATH"), bin.path() + QStringLiteral(":/bin:/usr/bin"));
        if (!mode.isEmpty())
            env.insert(QStringLiteral("STANDIN_MODE"), QString::fromLatin1(mode));
        process.setProcessEnvironment(env);
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

private slots:
    void initTestCase()
    {
        QVERIFY(bin.isValid() && work.isValid());
        standins::write(bin.path(), QStringLiteral("fig2dev"), log(),
            "if [ \"$STANDIN_MODE\" = fail ]; then echo 'fig2dev: bad option' >&2; exit 1; fi\n"
            "for last; do :; done\nprintf 'output\\n' > \"$last\"");
        writeFile(input(), drawing);
    }
    void init() { QFile::remove(log()); }

    // Into --out under the proposed name, from the file written there, with
    // the document's magnification and the widgets set.
    void exportsIntoTheOutFolder()
    {
        QTemporaryDir out;
        const Run run = figbench({ "--out", out.path(), "--export", "Bitmap", "--set", "borderWidth=5", "--set",
            "cbBackground=5", input() });
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err.join('\n')));
        // fig2dev works on plain names in a private folder; the result is put
        // beside the file written there.
        QCOMPARE(standins::runs(log()),
            QStringList(
                { QStringLiteral("fig2dev [-L] [gif] [-m] [1.5] [-b] [5] [-g] [Red] [-F] [plan.fig] [plan.gif]") }));
        QCOMPARE(readFile(QDir(out.path()).filePath(QStringLiteral("plan.gif"))), QByteArray("output\n"));
        QCOMPARE(run.out.size(), 2);
        const QRegularExpression timed(QStringLiteral(" export_ms=\\d+\\.\\d{3}$"));
        QVERIFY2(timed.match(run.out.at(0)).hasMatch(), qPrintable(run.out.at(0)));
        QVERIFY2(timed.match(run.out.at(1)).hasMatch(), qPrintable(run.out.at(1)));
    }

    // Without --out: from the file itself into its own folder.
    void exportsBesideTheFile()
    {
        const Run run = figbench({ "--export", "Custom", input() });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(standins::runs(log()), QStringList({ QStringLiteral("fig2dev [-m] [1.5] [plan.fig] [plan.]") }));
        QCOMPARE(readFile(work.filePath("plan.")), QByteArray("output\n"));
    }

    // With the real fig2dev: the EPS row writes an EPS file.
    void realFig2dev()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("fig2dev")).isEmpty())
            QSKIP("fig2dev is not installed");
        QTemporaryDir out;
        const Run run = figbench({ "--out", out.path(), "--export", "EPS", input() }, QByteArray(), false);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(readFile(QDir(out.path()).filePath(QStringLiteral("plan.eps"))).startsWith("%!PS-Adobe"));
    }

    void failuresSetTheExitStatus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("fig2dev fails") << QStringList { "--export", "SVG" } << QByteArray("fail") << 1
                                       << "fig2dev: bad option";
        QTest::newRow("unknown row") << QStringList { "--export", "Nonsense" } << QByteArray() << 1
                                     << "no export format Nonsense";
        QTest::newRow("unknown widget") << QStringList { "--export", "SVG", "--set", "nosuch=1" } << QByteArray() << 1
                                        << "cannot set nosuch to 1";
        QTest::newRow("value out of range") << QStringList { "--export", "SVG", "--set", "borderWidth=5000" }
                                            << QByteArray() << 1 << "cannot set borderWidth to 5000";
        QTest::newRow("set without export")
            << QStringList { "--set", "borderWidth=5" } << QByteArray() << 2 << "--set needs --export";
        QTest::newRow("set without value") << QStringList { "--export", "SVG", "--set", "borderWidth" } << QByteArray()
                                           << 2 << "--set needs WIDGET=VALUE";
    }
    void failuresSetTheExitStatus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, mode);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = figbench(arguments << input(), mode);
        QCOMPARE(run.exitCode, status);
        QVERIFY2(run.err.join('\n').contains(message), qPrintable(run.err.join('\n')));
    }
};

TAVREL_TEST_MAIN(TestFigBenchExport)
#include "tst_figbenchexport.moc"
