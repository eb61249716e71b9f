// A drawing is only data: exported as the export dialog does it, through
// the real fig2dev, TeX and Ghostscript, the names of its pictures and its
// special texts run no command and write no file outside the chosen output,
// and its pictures, of any name, export as they always did.
#include "exportfixtures.h"

#include "export/texenvelope.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

using namespace exportfixtures;

namespace {

// A picture box showing the file `name`.
QByteArray picture(const QByteArray& name, int x = 3600)
{
    const QByteArray left = QByteArray::number(x);
    const QByteArray right = QByteArray::number(x + 1200);
    return "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 " + name + "\n\t " + left + " 3600 " + right + " 3600 "
        + right + " 4800 " + left + " 4800 " + left + " 3600\n";
}

// A special text holding the LaTeX `markup`, its backslashes written as a
// Fig file holds them.
QByteArray specialText(QByteArray markup)
{
    return "4 0 0 50 -1 0 12 0.0000 2 135 600 1500 1800 " + markup.replace("\\", "\\\\") + "\\001\n";
}

// The markup of a text that writes `name` through TeX's \openout.
QByteArray openout(const QByteArray& name)
{
    return "\\newwrite\\tw\\immediate\\openout\\tw=" + name
        + " \\immediate\\write\\tw{overwritten}\\immediate\\closeout\\tw x";
}

// The count of PNG pictures fig2dev put into a PostScript file.
int pngPictures(const QByteArray& postScript)
{
    return postScript.count("% PNG image follows:");
}

} // namespace

class TestHostileDrawings : public QObject, private ExportCases {
    Q_OBJECT

private slots:
    void initTestCase() { startCases(); }
    void init()
    {
        startCase();
        texRouteTimeout = 60000; // a first TeX run may build its formats
    }
    void cleanup() { endCase(); }

    // Each drawing beside an ordinary picture and the user's own files, in
    // each format. A command that runs touches the file TAVREL_MARK names;
    // DRAWING stands for the drawing's folder, FIFO for a folder beside it
    // with a FIFO (which only the export reads). An export may fail where TeX
    // stops at a file it may not write, but only the output may change, and
    // the pictures are in an EPS export.
    void nothingRunsNothingElseIsWritten_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<QByteArray>("pictureFile"); // made beside the drawing: a PNG, compressed when ".gz"
        QTest::addColumn<int>("pictures"); // in an EPS export
        QTest::addColumn<bool>("typesets"); // TeX goes through its texts
        struct Drawing {
            const char* label;
            QByteArray objects;
            QByteArray pictureFile;
            int pictures;
            bool typesets = false;
        };
        const Drawing drawings[] = {
            { "$(...) in a compressed picture's name", picture("a$(touch \"$TAVREL_MARK\").png.gz"),
                "a$(touch \"$TAVREL_MARK\").png.gz", 2, true },
            { "backquotes in a compressed picture's name", picture("b`touch \"$TAVREL_MARK\"`.png.gz"),
                "b`touch \"$TAVREL_MARK\"`.png.gz", 2, true },
            { "an absolute compressed picture name", picture("DRAWING/c $(touch \"$TAVREL_MARK\").png.gz"),
                "c $(touch \"$TAVREL_MARK\").png.gz", 2, true },
            { "quotes and options in a picture's name", picture("-d\" --permit-file-all=* \"x.png"),
                "-d\" --permit-file-all=* \"x.png", 2, true },
            { "a FIFO picture", picture("FIFO/fifo.png"), QByteArray(), 1, true },
            { "\\openout through the pictures' link", specialText(openout("tavrel-pictures/thesis.tex")), QByteArray(),
                1 },
            { "\\openout into the parent folder", specialText(openout("../thesis.tex")), QByteArray(), 1 },
            { "\\openout two folders up", specialText(openout("../../thesis.tex")), QByteArray(), 1 },
            { "\\openout by the drawing's absolute folder", specialText(openout("DRAWING/thesis.tex")), QByteArray(),
                1 },
            { "\\openout onto a picture's link", specialText(openout("tavrel-picture-1.png")), QByteArray(), 1, true },
            { "\\write18", specialText("\\immediate\\write18{touch $TAVREL_MARK}x"), QByteArray(), 1 },
            { "piped input", specialText("\\input|\"touch $TAVREL_MARK\" x"), QByteArray(), 1 },
            { "a dvips special with backquotes", specialText("\\special{psfile=\"`touch $TAVREL_MARK\"}x"),
                QByteArray(), 1 },
        };
        const ExportFormat formats[] = {
            { "EPS", "EPS", "", "eps" },
            { "PDF", "PDF", "", "pdf" },
            { "PDF through LaTeX", "PDF", "pdfUseLatex=1", "pdf" },
            { "EPS through LaTeX", "EPS", "epsUseLatex=1", "eps" },
            { "bitmap", "Bitmap", "", "png" },
        };
        for (const ExportFormat& format : formats) {
            for (const Drawing& drawing : drawings)
                QTest::addRow("%s, %s", format.label, drawing.label)
                    << format.row << format.setting << format.suffix
                    << picture("pic.png", 1200) + drawing.objects + specialText("$x^2$") << drawing.pictureFile
                    << drawing.pictures << drawing.typesets;
        }
    }
    void nothingRunsNothingElseIsWritten()
    {
        QFETCH(QString, row);
        QFETCH(QString, setting);
        QFETCH(QString, suffix);
        QFETCH(QByteArray, objects);
        QFETCH(QByteArray, pictureFile);
        QFETCH(int, pictures);
        QFETCH(bool, typesets);
        if (!installed({ "fig2dev", "gs", "gzip", "latex", "dvips", "pdflatex" }))
            QSKIP("fig2dev, Ghostscript or TeX is not installed");
        const EmptyProgramFolder realPrograms;
        QTemporaryDir root;
        const ExecutionMark mark(root.path());
        const QString folder = root.filePath(QStringLiteral("drawing"));
        const QString figPath = folder + QStringLiteral("/plan.fig");
        QTemporaryDir fifoFolder;
        objects.replace("DRAWING", QFile::encodeName(folder)).replace("FIFO", QFile::encodeName(fifoFolder.path()));
        writeFile(figPath, figure(box(0, 0, 1200, 600) + objects));
        writePicture(folder + QStringLiteral("/pic.png"));
        if (!pictureFile.isEmpty())
            QVERIFY(QFile::copy(
                folder + (pictureFile.endsWith(".gz") ? QStringLiteral("/pic.png.gz") : QStringLiteral("/pic.png")),
                folder + QLatin1Char('/') + QFile::decodeName(pictureFile)));
        // Files a text that writes where TeX runs would overwrite.
        for (const QString& victim : { folder + QStringLiteral("/thesis.tex"),
                 root.filePath(QStringLiteral("thesis.tex")), QDir::tempPath() + QStringLiteral("/thesis.tex") })
            writeFile(victim, "the user's own file\n");
        const QString out = folder + QStringLiteral("/plan-out.") + suffix;
        writeFile(out, "an earlier export\n");

        MessageBoxRecorder boxes;
        DialogExport run(figPath);
        QVERIFY(run.loaded);
        // Made once the drawing is read: the export reads the picture anew.
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), { fifoFolder.filePath(QStringLiteral("fifo.png")) }), 0);
        const QMap<QString, QString> before = snapshot(root.path());
        const QStringList tempBefore = QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        boxes.boxes.clear();
        QVERIFY(chooseFormat(run.dialog, row, setting));
        const bool exported = run.dialog.exportTo(out);

        QVERIFY2(!mark.touched(), "a command of the drawing was executed");
        if (exported) {
            QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));
            QCOMPARE(changed(before, snapshot(root.path())), QStringList { out });
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(changed(before, snapshot(root.path())), QStringList());
        }
        // Nothing in the temporary folder either; the export's own folder
        // went with it.
        QCOMPARE(QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), tempBefore);
        QCOMPARE(readFile(QDir::tempPath() + QStringLiteral("/thesis.tex")), QByteArray("the user's own file\n"));
        // Every picture that can be read is exported, whatever its name, on
        // either route.
        if (setting.isEmpty() || typesets)
            QVERIFY2(exported, qPrintable(boxes.boxes.value(0).text));
        if (exported && suffix == QLatin1String("eps"))
            QCOMPARE(pngPictures(readFile(out)), pictures);
    }

    // Pictures are found as fig2dev finds them beside the drawing: by
    // relative and absolute names, through folders with blanks, and under
    // their name with a compression suffix added or removed.
    void picturesExportAsBefore_data()
    {
        QTest::addColumn<QByteArray>("name"); // ROOT stands for the folder above the drawing's
        QTest::addColumn<QString>("file"); // where the PNG lies, from ROOT
        QTest::newRow("plain") << QByteArray("pic.png") << "drawing/pic.png";
        QTest::newRow("compressed") << QByteArray("pic.png.gz") << "drawing/pic.png.gz";
        QTest::newRow("in a folder with blanks") << QByteArray("my pics/p.png") << "drawing/my pics/p.png";
        QTest::newRow("in the parent folder") << QByteArray("../pictures/p.png") << "pictures/p.png";
        QTest::newRow("absolute") << QByteArray("ROOT/pictures/p.png.gz") << "pictures/p.png.gz";
        QTest::newRow("compressed file of the plain name") << QByteArray("only.png") << "drawing/only.png.gz";
        QTest::newRow("plain file of the compressed name") << QByteArray("plain.png.gz") << "drawing/plain.png";
        QTest::newRow("without a suffix") << QByteArray("picture") << "drawing/picture";
    }
    void picturesExportAsBefore()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, file);
        if (!installed({ "fig2dev", "gzip" }))
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        QTemporaryDir root;
        const QString drawing = root.filePath(QStringLiteral("drawing"));
        const QString figPath = drawing + QStringLiteral("/plan.fig");
        writeFile(figPath, figure(picture(name.replace("ROOT", QFile::encodeName(root.path())))));
        const QString png = root.filePath(file.endsWith(QLatin1String(".gz")) ? file.chopped(3) : file);
        writePicture(png);
        if (!file.endsWith(QLatin1String(".gz")))
            QVERIFY(QFile::remove(png + QStringLiteral(".gz")));
        else
            QVERIFY(QFile::remove(png));

        // fig2dev on the drawing in its own folder.
        const QString direct = root.filePath(QStringLiteral("direct.eps"));
        QProcess fig2dev;
        fig2dev.setWorkingDirectory(drawing);
        fig2dev.start(QStringLiteral("fig2dev"), { "-L", "eps", figPath, direct });
        QVERIFY(fig2dev.waitForFinished(60000));
        QCOMPARE(pngPictures(readFile(direct)), 1);

        MessageBoxRecorder boxes;
        DialogExport run(figPath);
        QVERIFY(run.dialog.selectFormat(QStringLiteral("EPS")));
        const QString out = root.filePath(QStringLiteral("plan.eps"));
        QVERIFY2(run.dialog.exportTo(out), qPrintable(boxes.boxes.value(0).text));
        QCOMPARE(pngPictures(readFile(out)), 1);
    }

    // A drawing whose objects the export cannot follow in its file (here an
    // object code it does not know, which the reader drops) could hide a
    // picture name from it: it is exported as the window shows it.
    void unfollowedFileIsExportedAsShown()
    {
        if (!installed({ "fig2dev", "gzip" }))
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        QTemporaryDir root;
        const ExecutionMark mark(root.path());
        const QString figPath = root.filePath(QStringLiteral("plan.fig"));
        const QByteArray name = "a$(touch \"$TAVREL_MARK\").png.gz";
        writeFile(figPath, figure("7 1 2 3\n" + picture(name)));
        writePicture(root.filePath(QStringLiteral("pic.png")));
        QVERIFY(QFile::copy(root.filePath(QStringLiteral("pic.png.gz")), root.filePath(QFile::decodeName(name))));
        MessageBoxRecorder boxes;
        DialogExport run(figPath);
        QVERIFY(run.dialog.selectFormat(QStringLiteral("EPS")));
        const QString out = root.filePath(QStringLiteral("plan.eps"));
        QVERIFY2(run.dialog.exportTo(out), qPrintable(boxes.boxes.value(0).text));
        QVERIFY2(!mark.touched(), "a command of the drawing was executed");
        QCOMPARE(pngPictures(readFile(out)), 1);
    }
};

TAVREL_TEST_MAIN(TestHostileDrawings)
#include "tst_hostiledrawings.moc"
