// Files written by figbench --out must mean to fig2dev what the originals
// meant: the SVG bodies are the same once comments (which carry the program's
// metadata) and the page box (which depends on the measured text sizes) are
// set aside.
#include "support/testenv.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString svgOf(const QString& figFile, QString& error)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral("fig2dev"), { "-L", "svg", figFile });
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error = QString::fromLocal8Bit(process.readAllStandardError());
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The drawn elements only: comments, descriptions and the size of the page box
// left out.
QStringList body(const QString& svg)
{
    QString text = svg;
    text.remove(QRegularExpression(QStringLiteral("<!--.*?-->"), QRegularExpression::DotMatchesEverythingOption));
    text.remove(QRegularExpression(QStringLiteral("<desc>.*?</desc>"), QRegularExpression::DotMatchesEverythingOption));
    QStringList lines;
    const QStringList all = text.split(QLatin1Char('\n'));
    for (const QString& line : all) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1String("width=")) || t.startsWith(QLatin1String("viewBox="))
            || t.contains(QLatin1String("clip-rule=\"evenodd\"")))
            continue;
        // Relative picture names resolve against each file's own folder.
        static const QRegularExpression href(QStringLiteral("xlink:href=\"file://[^\"]*/"));
        lines << QString(t).replace(href, QStringLiteral("xlink:href=\"file://"));
    }
    return lines;
}

} // namespace

class TestFig2devSvg : public QObject {
    Q_OBJECT
private slots:
    void writtenFilesDrawTheSame_data()
    {
        QTest::addColumn<QString>("file");
        const QDir data(QStringLiteral(TAVREL_TEST_DATA));
        const QStringList files = data.entryList({ "*.fig" }, QDir::Files, QDir::Name);
        // Files the reader converts on purpose (a 3.1 file's splines, another
        // resolution rescaled to 1200) are drawn differently by fig2dev, and
        // a file with faults to correct is not read by it at all.
        for (const QString& f : files) {
            if (f == QLatin1String("fig31.fig") || f == QLatin1String("res2400.fig")
                || f == QLatin1String("corrections.fig"))
                continue;
            QTest::newRow(qPrintable(f)) << data.filePath(f);
        }
    }
    void writtenFilesDrawTheSame()
    {
        QFETCH(QString, file);
        if (QStandardPaths::findExecutable(QStringLiteral("fig2dev")).isEmpty())
            QSKIP("fig2dev is not installed");
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QProcess bench;
        bench.start(QStringLiteral(TAVREL_BINARY_DIR "/bench/figbench"), { "--out", out.path(), file });
        QVERIFY(bench.waitForFinished(60000));
        QCOMPARE(bench.exitCode(), 0);
        const QString written = QDir(out.path()).filePath(QFileInfo(file).fileName());
        QVERIFY(QFileInfo::exists(written));

        QString error;
        const QString original = svgOf(file, error);
        QVERIFY2(!original.isEmpty(), qPrintable(error));
        const QString copy = svgOf(written, error);
        QVERIFY2(!copy.isEmpty(), qPrintable(error));
        QCOMPARE(body(copy), body(original));
    }
};

TAVREL_TEST_MAIN(TestFig2devSvg)
#include "tst_fig2devsvg.moc"
