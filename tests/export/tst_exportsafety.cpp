// What an export may replace: only a complete output replaces the file of
// its name (a full disk, a short or empty output, a failed part leave it as
// it was), the drawing itself is never an output, and the programs work in
// a folder of the process's own.
#include "exportfixtures.h"

#include "app/preferences.h"
#include "app/privatefolder.h"
#include "render/colors.h"
#include "support/filesizelimit.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

using namespace exportfixtures;

class TestExportSafety : public QObject, private ExportCases {
    Q_OBJECT

private slots:
    void initTestCase() { startCases(); }
    void init() { startCase(); }
    void cleanup()
    {
        endCase();
        qunsetenv("TAVREL_FIG2DEV_PREPARED");
        qunsetenv("TAVREL_TEX_STANDIN");
    }

    // Only a complete output replaces the file of its name: a copy into
    // place that fails part-way (a full disk), a run that writes part of its
    // file and fails, one that leaves an empty file, one that writes the
    // beginning of a PostScript or PDF file and reports success (a full disk
    // that goes unnoticed), on the plain route or the LaTeX route, or a
    // failed second part leave the earlier files as they were and no file
    // beside them.
    void onlyCompleteOutputsReplaceFiles_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("setting"); // widget=value, or empty
        QTest::addColumn<QByteArray>("mode"); // of the fig2dev stand-in
        QTest::addColumn<QByteArray>("texMode"); // of the LaTeX stand-ins
        QTest::addColumn<QString>("message");
        QTest::newRow("full disk while copying into place")
            << "SVG" << QString() << QByteArray("link") << QByteArray() << "Couldn't write file";
        QTest::newRow("full disk, both parts")
            << "PdfTeX" << QString() << QByteArray("link") << QByteArray() << "Couldn't write file";
        QTest::newRow("part of a file and a failure")
            << "SVG" << QString() << QByteArray("partial") << QByteArray() << "failed with exit code 1";
        QTest::newRow("an empty file and success")
            << "SVG" << QString() << QByteArray("empty") << QByteArray() << "is empty";
        QTest::newRow("fig2dev's EPS cut short and success")
            << "EPS" << QString() << QByteArray("truncated") << QByteArray() << "is incomplete";
        QTest::newRow("dvips's EPS cut short and success")
            << "EPS"
            << "epsUseLatex=1" << QByteArray() << QByteArray("truncated") << "is incomplete";
        QTest::newRow("pdflatex's PDF cut short and success")
            << "PDF"
            << "pdfUseLatex=1" << QByteArray() << QByteArray("truncated") << "is incomplete";
    }
    void onlyCompleteOutputsReplaceFiles()
    {
        QFETCH(QString, row);
        QFETCH(QString, setting);
        QFETCH(QByteArray, mode);
        QFETCH(QByteArray, texMode);
        QFETCH(QString, message);
        ProgramFolder program;
        StandInMode standIn(mode.constData());
        LatexStandIns latex(program.log());
        qputenv("TAVREL_TEX_STANDIN", texMode);
        Document doc(figure(box(0, 0, 1200, 1200)));
        // A large output fig2dev "makes" without writing (a hard link), so
        // that only the copy into place meets the full disk.
        QTemporaryDir prepared;
        const QString large = prepared.filePath(QStringLiteral("large"));
        writeFile(large, QByteArray(256 * 1024, 'x') + "\n%%EOF\n");
        qputenv("TAVREL_FIG2DEV_PREPARED", QFile::encodeName(large));
        const QString out
            = doc.path(QStringLiteral("plan.") + (row == QLatin1String("PdfTeX") ? "pdf" : row.toLower()));
        const QString overlay = doc.path(QStringLiteral("plan.pdftex_t"));
        writeFile(out, "the earlier export\n");
        writeFile(overlay, "the earlier overlay\n");
        const QMap<QString, QString> before = snapshot(doc.dir.path());

        ExportDlg dialog(nullptr, {});
        dialog.setContext(doc.context.get());
        dialog.setFileName(doc.path());
        QVERIFY(dialog.selectFormat(row));
        if (!setting.isEmpty())
            QVERIFY(dialog.setOptionWidget(setting.section('=', 0, 0), setting.section('=', 1)));
        MessageBoxRecorder boxes;
        bool exported = true;
        {
            const FileSizeLimit fullDisk(64 * 1024);
            exported = dialog.exportTo(out);
        }
        QVERIFY(!exported);
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY2(boxes.boxes.first().text.contains(message), qPrintable(boxes.boxes.first().text));
        QCOMPARE(changed(before, snapshot(doc.dir.path())), QStringList());
    }

    // The drawing is never an output: not the file itself (whatever its
    // name), nor any Fig file, on any route; nothing runs.
    void theDrawingIsNeverAnOutput_data()
    {
        QTest::addColumn<QString>("drawingName");
        QTest::addColumn<QString>("outName");
        QTest::addColumn<QString>("setting");
        QTest::newRow("plain route, the drawing") << "plan.svg"
                                                  << "plan.svg" << QString();
        QTest::newRow("plain route, a Fig file") << "plan.fig"
                                                 << "other.fig" << QString();
        QTest::newRow("LaTeX route, the drawing") << "plan.fig"
                                                  << "plan.fig"
                                                  << "epsUseLatex=1";
        QTest::newRow("LaTeX route, the drawing by another name") << "plan.eps"
                                                                  << "./plan.eps"
                                                                  << "epsUseLatex=1";
    }
    void theDrawingIsNeverAnOutput()
    {
        QFETCH(QString, drawingName);
        QFETCH(QString, outName);
        QFETCH(QString, setting);
        ProgramFolder program;
        Document doc(figure(box(0, 0, 1200, 1200)), drawingName);
        const QMap<QString, QString> before = snapshot(doc.dir.path());
        ExportDlg dialog(nullptr, {});
        dialog.setContext(doc.context.get());
        dialog.setFileName(doc.path(drawingName));
        QVERIFY(dialog.selectFormat(setting.isEmpty() ? QStringLiteral("SVG") : QStringLiteral("EPS")));
        if (!setting.isEmpty())
            QVERIFY(dialog.setOptionWidget(setting.section('=', 0, 0), setting.section('=', 1)));
        MessageBoxRecorder boxes;
        QVERIFY(!dialog.exportTo(doc.path(outName)));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("Export failed!"));
        QVERIFY(program.runs().isEmpty());
        QCOMPARE(changed(before, snapshot(doc.dir.path())), QStringList());
    }

    // The export's folder is the process's own.
    void privateFolderIsTheOwners()
    {
        const auto folder = makePrivateFolder(QStringLiteral("tavrel-export-"));
        QVERIFY(folder);
        const QFileDevice::Permissions permissions = QFileInfo(folder->path()).permissions();
        QVERIFY(permissions.testFlag(QFileDevice::ReadOwner) && permissions.testFlag(QFileDevice::WriteOwner)
            && permissions.testFlag(QFileDevice::ExeOwner));
        QVERIFY(!(permissions
            & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                | QFileDevice::WriteOther | QFileDevice::ExeOther)));
        QVERIFY(QFileInfo(folder->path()).absolutePath() == QDir::tempPath());
    }
};

TAVREL_TEST_MAIN(TestExportSafety)
#include "tst_exportsafety.moc"
