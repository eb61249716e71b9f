// LaTeX images of special texts: the markup and the LaTeX document, the
// command lines of latex, dvips and Ghostscript (stand-ins first on PATH),
// the caches per style and resolution, the failure flag, the placement of
// the image, and one run of the real TeX and Ghostscript where installed.

#include "drawingfixtures.h"
#include "support/standins.h"

#include "app/appdir.h"
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "model/figtext.h"
#include "render/colors.h"
#include "render/latextext.h"
#include "support/testenv.h"

#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

using namespace drawingfixtures;

namespace {

std::unique_ptr<FigText> specialText(const QString& string, int x = 1500, int y = 1500)
{
    auto text = std::make_unique<FigText>(1);
    text->text = string;
    text->font = 0;
    text->fontSize = 12;
    text->fontFlags = 2;
    text->x = x;
    text->y = y;
    text->depth = 50;
    return text;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The smallest rectangle holding every pixel of the colour.
QRect boundsOf(const QImage& image, QRgb colour)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

class TestLatexText : public QObject {
    Q_OBJECT

    QTemporaryDir programs; // the stand-ins and their fixtures
    QString folder; // the temporary folder of the intermediate files
    QString log;
    QString cwdLog; // the working directories of latex and dvips
    QByteArray savedPath;

private slots:
    void initTestCase()
    {
        initDefaultColors();
        QVERIFY(programs.isValid());
        // Failure reports of the runner go beside the test, not to "/".
        appDir = testenv::home().isEmpty() ? programs.path() : testenv::home();
        log = programs.filePath(QStringLiteral("runs.log"));
        cwdLog = programs.filePath(QStringLiteral("cwd.log"));
        // A 30 x 20 red image is what the Ghostscript stand-in "makes".
        QImage image(30, 20, QImage::Format_ARGB32);
        image.fill(red);
        QVERIFY(image.save(programs.filePath(QStringLiteral("image.png"))));
        // latex makes the dvi in the -output-directory, dvips the -o file;
        // either makes nothing when its name is in STANDIN_NO_OUTPUT.
        QVERIFY(!standins::write(programs.path(), QStringLiteral("latex"), log,
            "pwd >> '" + cwdLog.toUtf8()
                + "'\n"
                  "case \"$STANDIN_NO_OUTPUT\" in *latex*) exit 0;; esac\n"
                  "dir=.; prev=; for a in \"$@\"; do [ \"$prev\" = -output-directory ] && dir=\"$a\"; prev=\"$a\"; "
                  "done\n"
                  "echo dvi > \"$dir/texclip.dvi\"")
                     .isEmpty());
        QVERIFY(!standins::write(programs.path(), QStringLiteral("dvips"), log,
            "pwd >> '" + cwdLog.toUtf8()
                + "'\n"
                  "case \"$STANDIN_NO_OUTPUT\" in *dvips*) exit 0;; esac\n"
                  "prev=; for a in \"$@\"; do [ \"$prev\" = -o ] && out=\"$a\"; prev=\"$a\"; done\n"
                  "echo eps > \"$out\"")
                     .isEmpty());
        QVERIFY(!standins::write(programs.path(), QStringLiteral("gs"), log,
            "case \"$STANDIN_NO_OUTPUT\" in *gs*) exit 0;; esac\n"
                + standins::ghostscriptBody(programs.filePath(QStringLiteral("image"))))
                     .isEmpty());
        savedPath = qgetenv("PATH");
    }
    void init()
    {
        preferences = Preferences();
        preferences.antialiasing = false;
        preferences.ghostscriptLocation = programs.filePath(QStringLiteral("gs"));
        qputenv("PATH", QFile::encodeName(programs.path()) + ':' + savedPath);
        qunsetenv("STANDIN_NO_OUTPUT");
        QFile::remove(log);
        QFile::remove(cwdLog);
        folder = latexTempFolder();
        QVERIFY(!folder.isEmpty());
        for (const char* name : { "texclip.tex", "texclip.dvi", "texclip.eps", "texclip.png" }) {
            const QString path = folder + QLatin1Char('/') + QLatin1String(name);
            QFile::remove(path);
            QDir(path).removeRecursively();
        }
    }
    void cleanup() { qputenv("PATH", savedPath); }

    void markup_data()
    {
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("expected");
        QTest::newRow("12 pt bold") << 2 << 12
                                    << "{\\fontsize{12}{14.4pt}\\fontfamily{\\rmdefault}\\fontseries{\\bfdefault}"
                                       "\\fontshape{\\updefault}\\selectfont a%1b}";
        QTest::newRow("italic, 13 pt as 12")
            << 3 << 13
            << "{\\fontsize{12}{14.4pt}\\fontfamily{\\rmdefault}\\fontseries{\\mddefault}"
               "\\fontshape{\\itdefault}\\selectfont a%1b}";
        QTest::newRow("PostScript number as sans serif, 100 pt as 41")
            << 17 << 100
            << "{\\fontsize{41}{49.2pt}\\fontfamily{\\sfdefault}\\fontseries{\\mddefault}"
               "\\fontshape{\\updefault}\\selectfont a%1b}";
        QTest::newRow("typewriter, 3 pt") << 5 << 3
                                          << "{\\fontsize{5}{6.0pt}\\fontfamily{\\ttdefault}\\fontseries{\\mddefault}"
                                             "\\fontshape{\\updefault}\\selectfont a%1b}";
        QTest::newRow("default font -1, 0 pt")
            << -1 << 0
            << "{\\fontsize{11}{13.2pt}\\fontfamily{\\familydefault}\\fontseries{\\mddefault}"
               "\\fontshape{\\updefault}\\selectfont a%1b}";
        QTest::newRow("40 pt") << 1 << 40
                               << "{\\fontsize{34}{40.8pt}\\fontfamily{\\rmdefault}\\fontseries{\\mddefault}"
                                  "\\fontshape{\\updefault}\\selectfont a%1b}";
    }
    void markup()
    {
        QFETCH(int, font);
        QFETCH(int, size);
        auto text = specialText(QStringLiteral("a%1b")); // the string is taken as it is
        text->font = font;
        text->fontSize = size;
        QTEST(latexTextMarkup(text.get()), "expected");
    }

    void clipFileKeepsTheTemplateLineEnds()
    {
        auto text = specialText(QStringLiteral("caf\u00e9 $x$"));
        const QString path = folder + QStringLiteral("/texclip.tex");
        QVERIFY(writeLatexClipFile(path, text.get(), QColor(128, 0, 255)));
        QCOMPARE(readBytes(path),
            QByteArray("\\documentclass[11pt]{article}\r\n\\usepackage{color}\r\n\\usepackage[latin1]{inputenc}\r\n"
                       "\\begin{document}\r\n\\begin{titlepage}\r\n\\color[rgb]{0.501961,0,1}\r\n"
                       "{\\fontsize{12}{14.4pt}\\fontfamily{\\familydefault}\\fontseries{\\mddefault}"
                       "\\fontshape{\\updefault}\\selectfont caf\xe9 $x$}\r\n"
                       "\\end{titlepage}\r\n\\end{document}\n"));
    }

    void commandLinesOfTheThreeSteps()
    {
        Canvas canvas;
        canvas.context.zoom = 2.0f;
        auto text = specialText(QStringLiteral("$x^2$"), 300, 600);
        canvas.context.drawText(text.get());

        const QString t = folder;
        QCOMPARE(standins::runs(log),
            QStringList({ QStringLiteral("latex [-no-shell-escape] [-quiet] [-output-directory] [%1] [-job-name] "
                                         "[texclip] [%1/texclip.tex]")
                              .arg(t),
                QStringLiteral("dvips [-quiet] [-E*] [-o] [%1/texclip.eps] [%1/texclip.dvi]").arg(t),
                QStringLiteral("gs [-q] [-dSAFER] [-dBATCH] [-dNOPAUSE] [-sDEVICE=pngalpha] [-r160] [-dEPSCrop] "
                               "[-sOutputFile=%1/texclip.png] [%1/texclip.eps]")
                    .arg(t) }));
        QCOMPARE(standins::runs(cwdLog), QStringList({ t, t }));
        // Only the document and what latex leaves besides the dvi stay.
        QVERIFY(QFile::exists(t + QStringLiteral("/texclip.tex")));
        for (const char* name : { "/texclip.dvi", "/texclip.eps", "/texclip.png" })
            QVERIFY2(!QFile::exists(t + QLatin1String(name)), name);
        QCOMPARE(text->latexPixmaps[0].keys(), QList<int>({ 160 }));
        QVERIFY(!text->latexFailed);
        // The image, not the string, is on the canvas: 30 x 20 pixels whose
        // bottom edge is the baseline at pixel (40, 80).
        QCOMPARE(boundsOf(canvas.finished(), red), QRect(40, 60, 30, 20));
    }

    // The settings are split before their placeholders are replaced, so a
    // temporary folder with blanks or quotation marks stays one argument.
    void settingsNameTheFolderAndPrograms_data()
    {
        QTest::addColumn<QString>("tempDir");
        QTest::newRow("plain") << "other";
        QTest::newRow("blanks and quotation marks") << "my \"temp\" dir";
    }
    void settingsNameTheFolderAndPrograms()
    {
        QFETCH(QString, tempDir);
        QTemporaryDir other;
        QVERIFY(other.isValid());
        QVERIFY(QDir(other.path()).mkdir(tempDir));
        preferences.useDefaultTempDir = false;
        preferences.tempDir = other.filePath(tempDir);
        preferences.latexCommand = QStringLiteral("latex -output-directory TEMPDIR TEMPDIR/INFILE -x OUTFILE");
        preferences.dvipsCommand = QStringLiteral("dvips -o TEMPDIR/OUTFILE TEMPDIR/INFILE");
        Canvas canvas;
        auto text = specialText(QStringLiteral("y"));
        canvas.context.drawText(text.get());
        // The process's own folder inside the one the settings name.
        const QString t = latexTempFolder();
        QCOMPARE(QFileInfo(t).absolutePath(), QFileInfo(other.filePath(tempDir)).absoluteFilePath());
        QCOMPARE(standins::runs(log),
            QStringList(
                { QStringLiteral("latex [-no-shell-escape] [-output-directory] [%1] [%1/texclip.tex] [-x] [texclip]")
                        .arg(t),
                    QStringLiteral("dvips [-o] [%1/texclip.eps] [%1/texclip.dvi]").arg(t),
                    QStringLiteral("gs [-q] [-dSAFER] [-dBATCH] [-dNOPAUSE] [-sDEVICE=pngalpha] [-r80] [-dEPSCrop] "
                                   "[-sOutputFile=%1/texclip.png] [%1/texclip.eps]")
                        .arg(t) }));
        QCOMPARE(text->latexPixmaps[0].size(), 1);
        QVERIFY(QFile::exists(t + QStringLiteral("/texclip.tex")));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/texclip.tex")));
    }

    void emptyTempDirSettingTypesetsNothing()
    {
        preferences.useDefaultTempDir = false;
        preferences.tempDir.clear();
        Canvas canvas;
        auto text = specialText(QStringLiteral("x"));
        canvas.context.drawText(text.get());
        QVERIFY(standins::runs(log).isEmpty());
        QVERIFY(text->latexFailed);
        QVERIFY(!QFile::exists(QStringLiteral("/texclip.tex")));
    }

    void commandsWithoutFoldersRunInTheTemporaryFolder()
    {
        preferences.latexCommand = preferences.oldLatexCommandDefault;
        preferences.dvipsCommand = preferences.oldDvipsCommandDefault;
        Canvas canvas;
        auto text = specialText(QStringLiteral("x"));
        canvas.context.drawText(text.get());
        const QString t = folder;
        QCOMPARE(standins::runs(log),
            QStringList({ QStringLiteral("latex [-no-shell-escape] [-quiet] [-job-name] [texclip] [texclip.tex]"),
                QStringLiteral("dvips [-quiet] [-E*] [-o] [texclip.eps] [texclip.dvi]"),
                QStringLiteral("gs [-q] [-dSAFER] [-dBATCH] [-dNOPAUSE] [-sDEVICE=pngalpha] [-r80] [-dEPSCrop] "
                               "[-sOutputFile=%1/texclip.png] [%1/texclip.eps]")
                    .arg(t) }));
        QCOMPARE(text->latexPixmaps[0].size(), 1);
        QVERIFY(!QFile::exists(t + QStringLiteral("/texclip.dvi")));
    }

    void imagesAreCachedPerResolutionAndStyle()
    {
        Canvas canvas;
        auto text = specialText(QStringLiteral("x"));
        canvas.context.zoom = 2.0f;
        canvas.context.drawText(text.get());
        canvas.context.zoom = 1.0f;
        canvas.context.drawText(text.get());
        QCOMPARE(standins::runs(log).size(), 6);
        canvas.context.zoom = 2.0f;
        canvas.context.drawText(text.get());
        canvas.context.zoom = 1.0f;
        canvas.context.drawText(text.get());
        QCOMPARE(standins::runs(log).size(), 6); // both images came from the cache
        QCOMPARE(text->latexPixmaps[0].keys(), QList<int>({ 80, 160 }));

        // Dimmed, the text is typeset again in the dimmed colour.
        const QColor dimmed = getPenColor(canvas.context.drawing.userShades, 0, DrawDimmed);
        canvas.context.drawLatexText(text->x, text->y, DrawDimmed, text.get());
        QCOMPARE(standins::runs(log).size(), 9);
        QCOMPARE(text->latexPixmaps[1].keys(), QList<int>({ 80 }));
        QVERIFY(text->latexPixmaps[2].isEmpty());
        QVERIFY(readBytes(folder + QStringLiteral("/texclip.tex"))
                    .contains(QStringLiteral("\\color[rgb]{%1,%2,%3}")
                                  .arg(dimmed.red() / 255.0)
                                  .arg(dimmed.green() / 255.0)
                                  .arg(dimmed.blue() / 255.0)
                                  .toLatin1()));
    }

    void imageSitsOnTheBaseline_data()
    {
        QTest::addColumn<QString>("string");
        QTest::addColumn<int>("justification");
        QTest::addColumn<double>("angle");
        QTest::addColumn<QRect>("expected");
        // Anchor at pixel (100, 100); the image is 30 x 20 pixels.
        QTest::newRow("left") << "Hello" << 0 << 0.0 << QRect(100, 80, 30, 20);
        QTest::newRow("centre") << "Hello" << 1 << 0.0 << QRect(85, 80, 30, 20);
        QTest::newRow("right") << "Hello" << 2 << 0.0 << QRect(70, 80, 30, 20);
        // 31 % of 20 pixels lower for strings with descenders.
        QTest::newRow("descender p") << "Happy" << 0 << 0.0 << QRect(100, 86, 30, 20);
        QTest::newRow("descender Q") << "Q" << 0 << 0.0 << QRect(100, 86, 30, 20);
        QTest::newRow("capital J is no descender") << "J" << 0 << 0.0 << QRect(100, 80, 30, 20);
        // A quarter turn counter-clockwise: the image stands left of the
        // anchor, its baseline running upwards through it.
        QTest::newRow("quarter turn") << "Hello" << 0 << M_PI / 2 << QRect(80, 70, 20, 30);
    }
    void imageSitsOnTheBaseline()
    {
        QFETCH(QString, string);
        QFETCH(int, justification);
        QFETCH(double, angle);
        Canvas canvas;
        auto text = specialText(string);
        text->subType = justification;
        text->angle = float(angle);
        canvas.context.drawText(text.get());
        QTEST(boundsOf(canvas.finished(), red), "expected");
    }

    // Each step needs the file its predecessor made for this very text:
    // files left by an earlier text never stand in, and the text is drawn
    // as plain text, without a new attempt until the images are flushed.
    void failedStepLeavesThePlainText_data()
    {
        QTest::addColumn<QString>("noOutput");
        QTest::addColumn<bool>("texIsFolder");
        QTest::addColumn<QStringList>("programsRun");
        QTest::newRow("document not written") << QString() << true << QStringList();
        QTest::newRow("latex makes no dvi") << "latex" << false << QStringList({ "latex" });
        QTest::newRow("dvips makes no eps") << "dvips" << false << QStringList({ "latex", "dvips" });
        QTest::newRow("gs makes no png") << "gs" << false << QStringList({ "latex", "dvips", "gs" });
    }
    void failedStepLeavesThePlainText()
    {
        QFETCH(QString, noOutput);
        QFETCH(bool, texIsFolder);
        QFETCH(QStringList, programsRun);
        qputenv("STANDIN_NO_OUTPUT", noOutput.toUtf8());
        // What an earlier text left behind.
        QVERIFY(QFile::copy(programs.filePath(QStringLiteral("image.png")), folder + QStringLiteral("/texclip.png")));
        for (const char* name : { "/texclip.dvi", "/texclip.eps" }) {
            QFile old(folder + QLatin1String(name));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        if (texIsFolder)
            QVERIFY(QDir(folder).mkdir(QStringLiteral("texclip.tex")));

        Canvas canvas;
        auto text = specialText(QStringLiteral("Hello"));
        canvas.context.drawText(text.get());
        QStringList ran;
        for (const QString& run : standins::runs(log))
            ran << run.section(QLatin1Char(' '), 0, 0);
        QCOMPARE(ran, programsRun);
        QVERIFY(text->latexFailed);
        for (const auto& cache : text->latexPixmaps)
            QVERIFY(cache.isEmpty());

        Canvas plain;
        plain.context.drawPlainText(text->x, text->y, DrawNormal, text.get());
        QCOMPARE(canvas.finished(), plain.finished());

        // No second attempt for this text...
        qunsetenv("STANDIN_NO_OUTPUT");
        if (texIsFolder)
            QVERIFY(QDir(folder + QStringLiteral("/texclip.tex")).removeRecursively());
        canvas.begin();
        canvas.context.drawText(text.get());
        QCOMPARE(standins::runs(log).size(), programsRun.size());
        // ...until the images are flushed.
        text->latexFailed = false;
        canvas.context.drawText(text.get());
        QCOMPARE(standins::runs(log).size(), programsRun.size() + 3);
        QCOMPARE(text->latexPixmaps[0].size(), 1);
    }

    void failingProgramStopsTheChain()
    {
        // A latex that reports an error (exit code 1) after writing a dvi.
        QTemporaryDir failing;
        QVERIFY(failing.isValid());
        QVERIFY(!standins::write(failing.path(), QStringLiteral("latex"), log,
            "prev=; for a in \"$@\"; do [ \"$prev\" = -output-directory ] && dir=\"$a\"; prev=\"$a\"; done\n"
            "echo dvi > \"$dir/texclip.dvi\"; exit 1")
                     .isEmpty());
        qputenv("PATH", QFile::encodeName(failing.path()) + ':' + QFile::encodeName(programs.path()) + ':' + savedPath);
        Canvas canvas;
        auto text = specialText(QStringLiteral("\\undefined"));
        canvas.context.drawText(text.get());
        QCOMPARE(standins::runs(log).size(), 1);
        QVERIFY(text->latexFailed);
    }

    // The files of typesetting lie in a folder of this process alone, inside
    // the temporary folder, that only its owner may enter.
    void privateFolder()
    {
        const QString t = latexTempFolder();
        const QFileInfo info(t);
        QVERIFY(info.isDir());
        QCOMPARE(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        QVERIFY(info.fileName().startsWith(QLatin1String("tavrel-latex-")));
        const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(info.permissions() & owner, owner);
        QCOMPARE(info.permissions() & others, QFileDevice::Permissions());
        QCOMPARE(latexTempFolder(), t); // one folder for the whole run
    }

    // The texts a redraw needs are typeset side by side, each pipeline in a
    // folder of its own with the command lines one text alone would have;
    // every text gets the image of its own document.
    void textsOfARedrawAreTypesetSideBySide()
    {
        QTemporaryDir own;
        QVERIFY(own.isValid());
        const QString barrier = own.filePath(QStringLiteral("started"));
        QVERIFY(QDir().mkpath(barrier));
        const QString met = own.filePath(QStringLiteral("met.log"));
        // latex passes its input on as the dvi, after waiting (a while at
        // most) for a second latex to run; dvips passes the dvi on as the
        // eps; gs makes an image in the colour the document names.
        QVERIFY(!standins::write(own.path(), QStringLiteral("latex"), log,
            "dir=.; prev=; for a in \"$@\"; do [ \"$prev\" = -output-directory ] && dir=\"$a\"; prev=\"$a\"; done\n"
            "touch '"
                + barrier.toUtf8()
                + "'/$$\n"
                  "i=0; while [ $(ls '"
                + barrier.toUtf8()
                + "' | wc -l) -lt 2 ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done\n"
                  "[ $(ls '"
                + barrier.toUtf8() + "' | wc -l) -ge 2 ] && echo met >> '" + met.toUtf8()
                + "'\n"
                  "cp \"$prev\" \"$dir/texclip.dvi\"")
                     .isEmpty());
        QVERIFY(!standins::write(own.path(), QStringLiteral("dvips"), log,
            "prev=; for a in \"$@\"; do [ \"$prev\" = -o ] && out=\"$a\"; prev=\"$a\"; done\ncp \"$prev\" \"$out\"")
                     .isEmpty());
        const QByteArray images = own.filePath(QStringLiteral("img")).toUtf8();
        QVERIFY(!standins::write(own.path(), QStringLiteral("gs"), log,
            "for a in \"$@\"; do case \"$a\" in -sOutputFile=*) out=\"${a#-sOutputFile=}\";; esac; in=\"$a\"; done\n"
            "c=red; grep -q green \"$in\" && c=green; grep -q blue \"$in\" && c=blue\n"
            "cp '"
                + images + "'$c.png \"$out\"")
                     .isEmpty());
        for (const auto& [name, colour] :
            { std::pair<const char*, QRgb> { "red", red }, { "green", green }, { "blue", blue } }) {
            QImage image(30, 20, QImage::Format_ARGB32);
            image.fill(colour);
            QVERIFY(image.save(QString::fromUtf8(images) + QLatin1String(name) + QLatin1String(".png")));
        }
        qputenv("PATH", QFile::encodeName(own.path()) + ':' + savedPath);
        preferences.ghostscriptLocation = own.filePath(QStringLiteral("gs"));

        Canvas canvas(400, 200);
        const QStringList strings { "red", "green", "blue", "green", "red", "blue" };
        QList<FigText*> texts;
        for (int i = 0; i < strings.size(); ++i)
            texts << canvas.add(specialText(strings[i], 300 + 900 * i, 1200).release());
        canvas.add(specialText(QStringLiteral("plain"), 300, 2400).release())->fontFlags = 0;
        canvas.context.drawAllObjects();

        // Each text's image is its own, and on the canvas.
        for (int i = 0; i < texts.size(); ++i) {
            const QPixmap* image = texts[i]->latexPixmaps[0].value(80, nullptr);
            QVERIFY2(image, qPrintable(strings[i]));
            const QRgb expected = strings[i] == "red" ? red : strings[i] == "green" ? green : blue;
            QCOMPARE(image->toImage().pixel(5, 5), expected);
            QCOMPARE(canvas.finished().pixel(20 + 60 * i + 5, 75), expected);
        }
        // At least two pipelines ran at the same time.
        QVERIFY(!standins::runs(met).isEmpty());

        // Every text ran latex, dvips and gs in this order in one folder of
        // the process's own, with the command lines of a text alone.
        const QStringList runs = standins::runs(log);
        QCOMPARE(runs.size(), 3 * texts.size());
        static const QRegularExpression latexLine(
            QStringLiteral("^latex \\[-no-shell-escape\\] \\[-quiet\\] \\[-output-directory\\] \\[(.*)\\] "
                           "\\[-job-name\\] \\[texclip\\] "
                           "\\[\\1/texclip\\.tex\\]$"));
        QMap<QString, QStringList> byFolder;
        for (const QString& run : runs) {
            const QRegularExpressionMatch latex = latexLine.match(run);
            if (latex.hasMatch()) {
                byFolder[latex.captured(1)] << QStringLiteral("latex");
                continue;
            }
            bool known = false;
            for (auto it = byFolder.begin(); it != byFolder.end(); ++it) {
                const QString t = it.key();
                if (run == QStringLiteral("dvips [-quiet] [-E*] [-o] [%1/texclip.eps] [%1/texclip.dvi]").arg(t)) {
                    it.value() << QStringLiteral("dvips");
                    known = true;
                } else if (run
                    == QStringLiteral("gs [-q] [-dSAFER] [-dBATCH] [-dNOPAUSE] [-sDEVICE=pngalpha] [-r80] [-dEPSCrop] "
                                      "[-sOutputFile=%1/texclip.png] [%1/texclip.eps]")
                           .arg(t)) {
                    it.value() << QStringLiteral("gs");
                    known = true;
                }
            }
            QVERIFY2(known, qPrintable(run));
        }
        QVERIFY(byFolder.size() >= 2);
        int pipelines = 0;
        for (auto it = byFolder.cbegin(); it != byFolder.cend(); ++it) {
            QCOMPARE(QFileInfo(it.key()).absolutePath(), QFileInfo(folder).absoluteFilePath());
            const QStringList& steps = it.value();
            QCOMPARE(steps.size() % 3, 0);
            for (int k = 0; k < steps.size(); k += 3)
                QCOMPARE(steps.mid(k, 3), QStringList({ "latex", "dvips", "gs" }));
            pipelines += steps.size() / 3;
        }
        QCOMPARE(pipelines, texts.size());

        // Drawn again, nothing is typeset anew.
        canvas.begin();
        canvas.context.drawAllObjects();
        QCOMPARE(standins::runs(log).size(), runs.size());
    }

    // Two programs typesetting at once each use a folder of their own, and
    // each removes its folder when it ends.
    void processesKeepTheirFilesApart()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        QTemporaryDir work;
        QVERIFY(work.isValid());
        QByteArray drawing("#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n");
        for (int i = 0; i < 3; ++i)
            drawing += QByteArray("4 0 0 50 -1 0 12 0.0000 2 135 900 ") + QByteArray::number(600 + 1200 * i)
                + " 1200 $x_" + QByteArray::number(i) + "$\\001\n";
        const QString file = work.filePath(QStringLiteral("formulas.fig"));
        {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(drawing);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), tmp.path());
        // Qt would make its run-time folder in the temporary folder.
        const QString runtime = work.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(
            QStringLiteral("PATH"), programs.path() + QLatin1Char(':') + QString::fromLocal8Bit(savedPath));
        QProcess first;
        QProcess second;
        for (QProcess* process : { &first, &second }) {
            process->setProcessEnvironment(environment);
            process->start(QStringLiteral(TAVREL_BINARY_DIR "/bench/figbench"), { file });
        }
        for (QProcess* process : { &first, &second }) {
            QVERIFY(process->waitForFinished(120000));
            QCOMPARE(process->exitCode(), 0);
        }
        QSet<QString> privateFolders;
        for (const QString& run : standins::runs(log)) {
            if (!run.startsWith(QLatin1String("latex ")))
                continue;
            const QString tex = run.section(QLatin1Char('['), -1).chopped(1);
            QVERIFY2(tex.startsWith(tmp.path() + QLatin1String("/tavrel-latex-")), qPrintable(run));
            privateFolders << tex.mid(tmp.path().size() + 1).section(QLatin1Char('/'), 0, 0);
        }
        QCOMPARE(privateFolders.size(), 2);
        // Nothing is left behind.
        const QStringList left = QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
    }

    // With the real programs, also in a temporary folder with a blank in
    // its path (which the latex command names several times).
    void realTexShowsTheFormula_data()
    {
        QTest::addColumn<QString>("tempDir"); // empty: the system's
        QTest::newRow("the system's temporary folder") << QString();
        QTest::newRow("a folder with a blank") << "my temp";
    }
    void realTexShowsTheFormula()
    {
        QFETCH(QString, tempDir);
        QTemporaryDir other;
        if (!tempDir.isEmpty()) {
            QVERIFY(QDir(other.path()).mkdir(tempDir));
            preferences.useDefaultTempDir = false;
            preferences.tempDir = other.filePath(tempDir);
        }
        const QString latex = QStandardPaths::findExecutable(
            QStringLiteral("latex"), { QString::fromLocal8Bit(savedPath).split(QLatin1Char(':')) });
        const QString dvips = QStandardPaths::findExecutable(
            QStringLiteral("dvips"), { QString::fromLocal8Bit(savedPath).split(QLatin1Char(':')) });
        qputenv("PATH", savedPath);
        const QString gs = findGhostscript();
        if (latex.isEmpty() || dvips.isEmpty() || !QFileInfo(gs).isAbsolute())
            QSKIP("latex, dvips or gs is not installed");
        preferences.ghostscriptLocation = gs;

        auto text = specialText(QStringLiteral("$x^2$"), 300, 1200);
        text->fontSize = 24;
        Canvas plain;
        plain.context.drawPlainText(text->x, text->y, DrawNormal, text.get());
        Canvas typeset;
        typeset.context.drawText(text.get());
        QVERIFY(!text->latexFailed);
        const QPixmap* image = text->latexPixmaps[0].value(80, nullptr);
        QVERIFY(image && !image->isNull());
        // A transparent background with dark glyphs, drawn over the canvas.
        const QImage glyphs = image->toImage();
        QCOMPARE(glyphs.pixelColor(0, 0).alpha(), 0);
        QVERIFY(boundsOf(typeset.finished(), white) != QRect());
        QVERIFY(typeset.finished() != plain.finished());
        int dark = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                dark += qGray(typeset.image.pixel(x, y)) < 128;
        QVERIFY(dark > 10);
    }

    // A special text runs no command and writes nothing outside the
    // process's own folder, through the real TeX, whatever the user's
    // environment allows TeX: writes through every folder reachable from
    // where TeX runs, the shell escape, piped input. A command that runs
    // touches the file TAVREL_MARK names; OUTSIDE stands for a folder of the
    // user's.
    void hostileTextsRunNothingWriteNothing_data()
    {
        QTest::addColumn<QString>("markup");
        const QString write = QStringLiteral(
            "\\newwrite\\tw\\immediate\\openout\\tw=%1 \\immediate\\write\\tw{overwritten}\\immediate\\closeout\\tw x");
        QTest::newRow("\\openout into the parent folder") << write.arg("../thesis.tex");
        QTest::newRow("\\openout two folders up") << write.arg("../../thesis.tex");
        QTest::newRow("\\openout by an absolute name") << write.arg("OUTSIDE/thesis.tex");
        QTest::newRow("\\write18") << "\\immediate\\write18{touch $TAVREL_MARK}x";
        QTest::newRow("piped input") << "\\input|\"touch $TAVREL_MARK\" x";
    }
    void hostileTextsRunNothingWriteNothing()
    {
        QFETCH(QString, markup);
        qputenv("PATH", savedPath);
        const QString gs = findGhostscript();
        if (QStandardPaths::findExecutable(QStringLiteral("latex")).isEmpty() || !QFileInfo(gs).isAbsolute())
            QSKIP("latex or gs is not installed");
        preferences.ghostscriptLocation = gs;
        QTemporaryDir outside;
        const QString mark = outside.filePath(QStringLiteral("EXECUTED"));
        const QString victim = outside.filePath(QStringLiteral("thesis.tex"));
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the user's own file\n");
        file.close();
        // What a user's environment may say to TeX.
        const QList<QPair<QByteArray, QByteArray>> lenient { { "TAVREL_MARK", QFile::encodeName(mark) },
            { "openout_any", "a" }, { "openout_any.latex", "a" }, { "shell_escape", "t" },
            { "TEXMFOUTPUT", QFile::encodeName(outside.path()) } };
        for (const auto& [name, value] : lenient)
            qputenv(name.constData(), value);
        const QStringList tempBefore = QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        auto text = specialText(QString(markup).replace(QLatin1String("OUTSIDE"), outside.path()));
        Canvas canvas;
        canvas.context.drawText(text.get());
        for (const auto& [name, value] : lenient)
            qunsetenv(name.constData());

        QVERIFY2(!QFile::exists(mark), "a command of the text was executed");
        QCOMPARE(readBytes(victim), QByteArray("the user's own file\n"));
        QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList { "thesis.tex" });
        QCOMPARE(QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), tempBefore);
        QVERIFY(!QFile::exists(QDir::tempPath() + QStringLiteral("/../thesis.tex")));
    }
};

TAVREL_TEST_MAIN(TestLatexText)
#include "tst_latextext.moc"
