// Names are only data: a hostile name of drawing, folder or output runs
// nothing through fig2dev, the LaTeX programs or Ghostscript and touches no
// other file; pictures with relative names are found from the private
// folder fig2dev works in; quoted option values stay one argument.
#include "exportfixtures.h"

#include "app/preferences.h"
#include "app/privatefolder.h"
#include "export/exportoptions.h"
#include "export/exportrun.h"
#include "export/picturenames.h"
#include "export/texenvelope.h"
#include "render/colors.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

using namespace exportfixtures;

namespace {

// A box, a special text for the LaTeX route and a picture with a relative,
// compressed name (fig2dev unpacks it through a shell).
const QByteArray drawingWithPicture = figure(box(1200, 1200, 3600, 2400)
    + "4 0 0 50 -1 0 12 0.0000 2 135 600 1500 1800 $x^2$\\001\n"
      "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n"
      "\t0 pic.png.gz\n"
      "\t 3600 3600 4800 3600 4800 4800 3600 4800 3600 3600\n");

} // namespace

class TestExportNames : public QObject, private ExportCases {
    Q_OBJECT

private slots:
    void initTestCase() { startCases(); }
    void init()
    {
        startCase();
        texRouteTimeout = 60000; // a first TeX run may build its formats
    }
    void cleanup() { endCase(); }

    // A hostile name in the drawing's folder, the drawing's file and the
    // output's file at once, through the real fig2dev, Ghostscript and LaTeX.
    // A name that gets executed touches the file TAVREL_MARK names.
    void hostileNames_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("name");
        const char* const names[][2] = {
            { "single quotes", "x';touch \"$TAVREL_MARK\";'y" },
            { "double quotes", "q\" \"victim.tex\" \"x" },
            { "command substitution", "dir $(touch \"$TAVREL_MARK\")" },
            { "backquotes", "a`touch \"$TAVREL_MARK\"`b" },
            { "semicolon", "a;touch \"$TAVREL_MARK\";b" },
            { "leading dash", "-o victim" },
            { "non-ASCII", "Zeichnung_\u00e4\u00f6\u00fc" },
            { "percent", "50% scale" },
            { "space", "my plan" },
        };
        const ExportFormat formats[] = {
            { "PDF", "PDF", "", "pdf" },
            { "PdfTeX", "PdfTeX", "", "pdf" },
            { "CGM binary", "CGM", "binaryOutput=1", "cgm" },
            { "SVG", "SVG", "", "svg" },
            { "EPS through LaTeX", "EPS", "epsUseLatex=1", "eps" },
        };
        for (const ExportFormat& format : formats) {
            for (const auto& name : names)
                QTest::addRow("%s, %s", format.label, name[0])
                    << format.row << format.setting << format.suffix << QString::fromUtf8(name[1]);
        }
    }
    void hostileNames()
    {
        QFETCH(QString, row);
        QFETCH(QString, setting);
        QFETCH(QString, suffix);
        QFETCH(QString, name);
        const bool latex = setting.startsWith(QLatin1String("epsUseLatex"));
        if (!installed({ "fig2dev", "gs", "gzip" }) || (latex && !installed({ "latex", "dvips" })))
            QSKIP("fig2dev, Ghostscript or TeX is not installed");
        const EmptyProgramFolder realPrograms;
        QTemporaryDir root;
        const ExecutionMark mark(root.path());
        const QString folder = root.filePath(QStringLiteral("dir ") + name);
        const QString figPath = folder + QLatin1Char('/') + name + QStringLiteral(".fig");
        writeFile(figPath, drawingWithPicture);
        writePicture(folder + QStringLiteral("/pic.png"));
        // Files a broken quoting or the LaTeX route would overwrite.
        for (const QString& victim :
            { QStringLiteral("victim.tex"), name + QStringLiteral(".tex"), name + QStringLiteral("_envelope.tex"),
                name + QStringLiteral("-out_temp.eps"), QStringLiteral("texput.log"), QStringLiteral("x.fig") })
            writeFile(folder + QLatin1Char('/') + victim, "the user's own file\n");
        const QString out = folder + QLatin1Char('/') + name + QStringLiteral("-out.") + suffix;
        const QMap<QString, QString> before = snapshot(root.path());
        const QStringList tempBefore = QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        MessageBoxRecorder boxes;
        DialogExport run(figPath);
        QVERIFY(run.loaded);
        QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));
        QVERIFY(chooseFormat(run.dialog, row, setting));
        const bool exported = run.dialog.exportTo(out);

        QVERIFY2(!mark.touched(), "a name was executed");
        QStringList outputs { out };
        if (row == QLatin1String("PdfTeX"))
            outputs << stripExtension(out) + QStringLiteral(".pdftex_t");
        outputs.sort();
        // fig2dev makes binary CGM through ralcgm, which Debian lacks.
        const bool possible = row != QLatin1String("CGM") || installed({ "ralcgm" });
        QCOMPARE(exported, possible);
        if (exported) {
            QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));
            for (const QString& output : qAsConst(outputs))
                QVERIFY2(QFileInfo(output).size() > 0, qPrintable(output));
            QCOMPARE(changed(before, snapshot(root.path())), outputs);
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes.first().title, QStringLiteral("Export failed!"));
            QCOMPARE(changed(before, snapshot(root.path())), QStringList());
        }
        // The private folder went with the export.
        QCOMPARE(QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), tempBefore);
    }

    // Pictures with relative names, plain or compressed, are found beside
    // the drawing although fig2dev reads a copy elsewhere.
    void relativePicturesAreFound()
    {
        if (!installed({ "fig2dev", "gzip" }))
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        QTemporaryDir root;
        writePicture(root.filePath(QStringLiteral("pictures/pic.png")));
        const QByteArray picture = "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 %1\n"
                                   "\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n";
        writeFile(root.filePath(QStringLiteral("drawings/plan.fig")),
            figure(QByteArray(picture).replace("%1", "../pictures/pic.png")
                + QByteArray(picture).replace("%1", "../pictures/pic.png.gz")));
        MessageBoxRecorder boxes;
        DialogExport run(root.filePath(QStringLiteral("drawings/plan.fig")));
        QVERIFY(run.dialog.selectFormat(QStringLiteral("EPS")));
        const QString out = root.filePath(QStringLiteral("drawings/plan.eps"));
        const bool exported = run.dialog.exportTo(out);
        QVERIFY2(exported && boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));
        QCOMPARE(readFile(out).count("% PNG image follows:"), 2);
    }

    // Every picture name is found, relative or absolute, and nothing that
    // only looks like one; a text whose objects cannot be followed gives
    // nothing, since a name in it could be missed.
    void pictureNamesAreReplaced_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("followed");
        const QByteArray points = "\t 0 0 1200 0 1200 1200 0 1200 0 0\n";
        const QByteArray picture = "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n";
        QTest::newRow("relative") << picture + "\t0 pic.png\n" + points << picture + "\t0 <pic.png>\n" + points << true;
        QTest::newRow("in a parent folder")
            << picture + "\t1 ../my pics/p.eps \n" + points << picture + "\t1 <../my pics/p.eps> \n" + points << true;
        QTest::newRow("absolute") << picture + "\t0 /srv/pic.png\n" + points
                                  << picture + "\t0 </srv/pic.png>\n" + points << true;
        QTest::newRow("shell text") << picture + "\t0 a$(touch x).eps.gz\r\n" + points
                                    << picture + "\t0 <a$(touch x).eps.gz>\r\n" + points << true;
        QTest::newRow("no file") << picture + "\t0 <empty>\n" + points << picture + "\t0 <empty>\n" + points << true;
        // Data that looks like a picture line is not one: a text, the
        // points of a polyline with arrows, a spline's shape factors.
        const QByteArray others = "# 2 5 a comment\n"
                                  "6 0 0 2400 2400\n"
                                  "4 0 0 50 -1 0 12 0.0000 2 135 600 1500 1800 2 5 \\001\n"
                                  "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 1 2\n"
                                  "\t1 1 1.00 60.00 120.00\n\t1 1 1.00 60.00 120.00\n"
                                  "2 5\n"
                                  "3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 0 0 600 600 1200 0\n 0.000 1.000 0.000\n"
                                  "5 1 0 1 0 7 50 -1 -1 0.000 0 1 1 0 600.0 600.0 0 600 600 0 1200 600\n"
                                  "\t1 1 1.00 60.00 120.00\n"
                                  "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 600 600 300 300 600 600 900 600\n"
                                  "-6\n";
        QTest::newRow("among other objects")
            << others + picture + "\t0 p.png\n" + points << others + picture + "\t0 <p.png>\n" + points << true;
        // Objects it cannot follow.
        QTest::newRow("too few points") << picture + "\t0 pic.png\n\t 0 0 1200 0\n" << QByteArray() << false;
        QTest::newRow("unknown object") << "7 1 2 3\n" + picture + "\t0 pic.png\n" + points << QByteArray() << false;
    }
    void pictureNamesAreReplaced()
    {
        QFETCH(QByteArray, objects);
        QFETCH(QByteArray, expected);
        QFETCH(bool, followed);
        const auto mark = [](const QByteArray& name) { return '<' + name + '>'; };
        const std::optional<QByteArray> renamed = renamePictures(figure(objects), mark);
        QCOMPARE(renamed.has_value(), followed);
        if (followed)
            QCOMPARE(*renamed, figure(expected));
        // Another version of the format cannot be followed.
        QByteArray older = figure(objects);
        older.replace("#FIG 3.2", "#FIG 3.1");
        QVERIFY(!renamePictures(older, mark));
    }

    // A picture's generated name keeps the suffixes fig2dev goes by, and
    // nothing of the name that is not plain.
    void generatedNamesKeepPlainSuffixes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("suffixes");
        QTest::newRow("one") << "photo.jpg"
                             << ".jpg";
        QTest::newRow("compressed") << "a$(touch x).eps.gz"
                                    << ".eps.gz";
        QTest::newRow("the last two") << "my.photo.v2.png"
                                      << ".v2.png";
        QTest::newRow("in a folder") << "/srv/my.pics/p"
                                     << "";
        QTest::newRow("a suffix that is not plain") << "a.p$g"
                                                    << "";
        QTest::newRow("a plain one after it") << "a.b$c.png"
                                              << ".png";
        QTest::newRow("non-ASCII") << QString::fromUtf8("a.\u00e4.png") << ".png";
        QTest::newRow("only a suffix") << ".gz"
                                       << "";
        QTest::newRow("none") << "picture"
                              << "";
    }
    void generatedNamesKeepPlainSuffixes()
    {
        QFETCH(QString, name);
        QTEST(plainSuffixes(name), "suffixes");
    }

    // ---- Options ----

    // A quoted value comes back as one argument, whatever it holds.
    void quotedOptionsStayOneArgument_data()
    {
        QTest::addColumn<QString>("value");
        for (const char* value : { "My Plan", "a\"b", "\"", "\"\"", "x\" \"y", "\" leading", "trailing \"", "a\"\"\"b",
                 " blanks ", "50% $(x) `y` ;z", "-n" })
            QTest::newRow(value) << QString::fromUtf8(value);
    }
    void quotedOptionsStayOneArgument()
    {
        QFETCH(QString, value);
        QCOMPARE(optionArguments(QStringLiteral("-L eps -n ") + quotedOption(value) + QStringLiteral(" -F")),
            QStringList({ "-L", "eps", "-n", value, "-F" }));
    }
};

TAVREL_TEST_MAIN(TestExportNames)
#include "tst_exportnames.moc"
