// The PdfTeX and PsTeX formats: the options of each part by mode, the
// widgets each mode uses, the overlay's name for the graphics file, the runs
// of a two-part export with a fig2dev stand-in, and the real fig2dev.
#include "exportfixtures.h"

#include "app/preferences.h"
#include "export/pdftexoptions.h"
#include "export/pstexoptions.h"
#include "render/colors.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QStandardPaths>

using namespace exportfixtures;

namespace {

struct TwoPartForms {
    Form form;
    PdftexOptions pdftex { &form.ui };
    PstexOptions pstex { &form.ui };
};

const QByteArray plan = figure(box(1200, 1200, 3600, 2400), true, "A4");

} // namespace

class TestTwoPartExport : public QObject, private ExportCases {
    Q_OBJECT

private slots:
    void initTestCase() { startCases(); }
    void init() { startCase(); }
    void cleanup() { endCase(); }

    void options_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("pdftex");
        QTest::addColumn<QString>("pstex");
        QTest::newRow("both parts") << 0 << QStringList() << "-L pdftex -F -L pdftex_t -p \"plan.pdf\""
                                    << "-L pstex -F -L pstex_t -p \"plan.eps\"";
        QTest::newRow("encoding in the overlay only")
            << 0 << QStringList { "enc=2" } << "-L pdftex -F -L pdftex_t -E 2 -p \"plan.pdf\""
            << "-L pstex -F -L pstex_t -E 2 -p \"plan.eps\"";
        QTest::newRow("background in the graphics only")
            << 0 << QStringList { "background=5", "magnification=150" }
            << "-L pdftex -m 1.5 -g Red -F -L pdftex_t -m 1.5 -p \"plan.pdf\""
            << "-L pstex -m 1.5 -g Red -F -L pstex_t -m 1.5 -p \"plan.eps\"";
        QTest::newRow("title and font specification") << 0 << QStringList { "title=My Plan", "nofont=1" }
                                                      << "-L pdftex -F -n \"My Plan\" -L pdftex_t -F -p \"plan.pdf\""
                                                      << "-L pstex -F -n \"My Plan\" -L pstex_t -F -p \"plan.eps\"";
        QTest::newRow("graphics only") << 1 << QStringList { "enc=1", "nofont=1", "title=T" } << "-L pdftex -F -n \"T\""
                                       << "-L pstex -F -n \"T\"";
        QTest::newRow("special text only")
            << 2 << QStringList { "title=T", "background=5", "enc=1" } << "-L pdftex_t -E 1 -p \"plan.pdf\""
            << "-L pstex_t -E 1 -p \"plan.eps\"";
        QTest::newRow("no overlay name") << 2 << QStringList { "overlay=" } << "-L pdftex_t"
                                         << "-L pstex_t";
        QTest::newRow("font base off") << 0 << QStringList { "fontBase72dpi=0" }
                                       << "-L pdftex -L pdftex_t -p \"plan.pdf\""
                                       << "-L pstex -L pstex_t -p \"plan.eps\"";
    }
    void options()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, settings);
        QFETCH(QString, pdftex);
        QFETCH(QString, pstex);
        Document doc(plan);
        TwoPartForms forms;
        forms.pdftex.setContext(doc.context.get());
        forms.pstex.setContext(doc.context.get());
        forms.pdftex.setBaseName(QStringLiteral("plan"));
        forms.pstex.setBaseName(QStringLiteral("plan"));
        Ui::ExportDlgForm& ui = forms.form.ui;
        ui.cbPdfTexMode->setCurrentIndex(mode);
        ui.cbPsTexMode->setCurrentIndex(mode);
        for (const QString& setting : qAsConst(settings)) {
            const QString name = setting.section('=', 0, 0);
            const QString value = setting.section('=', 1);
            if (name == QLatin1String("enc")) {
                ui.cbPdftexEncoding->setCurrentIndex(value.toInt());
                ui.cbPstexEncoding->setCurrentIndex(value.toInt());
            } else if (name == QLatin1String("title")) {
                ui.pdftexTitle->setText(value);
                ui.pstexTitle->setText(value);
            } else if (name == QLatin1String("nofont")) {
                ui.pdftexNoFontspec->setChecked(true);
                ui.pstexNoFontspec->setChecked(true);
            } else if (name == QLatin1String("overlay")) {
                ui.pdftexOverlay->setText(value);
                ui.pstexOverlay->setText(value);
            } else if (name == QLatin1String("background")) {
                ui.cbBackground->setCurrentIndex(value.toInt());
            } else if (name == QLatin1String("magnification")) {
                ui.magnification->setValue(value.toInt());
            } else if (name == QLatin1String("fontBase72dpi")) {
                preferences.fontBase72dpi = false;
            }
        }
        QCOMPARE(forms.pdftex.fig2devOptions(), pdftex);
        QCOMPARE(forms.pstex.fig2devOptions(), pstex);
    }

    // What each mode can use; the viewer box never.
    void widgetsByMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("useDefault");
        QTest::addColumn<QList<bool>>("enabled"); // background, title, font spec, encoding, use default, overlay
        QTest::newRow("both") << 0 << true << QList<bool> { true, true, true, true, true, false };
        QTest::newRow("both, own name") << 0 << false << QList<bool> { true, true, true, true, true, true };
        QTest::newRow("graphics") << 1 << false << QList<bool> { true, true, false, false, false, false };
        QTest::newRow("special text") << 2 << true << QList<bool> { false, false, true, true, true, false };
        QTest::newRow("special text, own name") << 2 << false << QList<bool> { false, false, true, true, true, true };
    }
    void widgetsByMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, useDefault);
        QFETCH(QList<bool>, enabled);
        Document doc(plan);
        TwoPartForms forms;
        forms.pstex.setContext(doc.context.get());
        Ui::ExportDlgForm& ui = forms.form.ui;
        ui.cbPsTexMode->setCurrentIndex(mode);
        ui.useDefaultPstexOverlayFile->setChecked(useDefault);
        forms.pstex.fig2devOptions();
        const QList<bool> actual { ui.cbBackground->isEnabled(), ui.pstexTitle->isEnabled(),
            ui.pstexNoFontspec->isEnabled(), ui.cbPstexEncoding->isEnabled(),
            ui.useDefaultPstexOverlayFile->isEnabled(), ui.pstexOverlay->isEnabled() };
        QCOMPARE(actual, enabled);
        QVERIFY(!ui.pstexOpenInPsViewer->isEnabled());
        QCOMPARE(forms.pstex.extension(), QString(mode == 2 ? "pstex_t" : "ps"));
        QCOMPARE(forms.pdftex.extension(), QStringLiteral("pdf"));
    }

    // Unticking "Use default" opens the overlay field at once.
    void useDefaultClick()
    {
        TwoPartForms forms;
        Ui::ExportDlgForm& ui = forms.form.ui;
        ui.pdftexOverlay->setEnabled(false);
        ui.useDefaultPdftexOverlayFile->click();
        QVERIFY(ui.pdftexOverlay->isEnabled());
        ui.useDefaultPdftexOverlayFile->click();
        QVERIFY(!ui.pdftexOverlay->isEnabled());
    }

    // Both parts: the graphics into the chosen file, then the overlay beside
    // it, naming the graphics file as written; fig2dev makes both in a
    // private folder.
    void bothParts_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::addColumn<QString>("outName");
        QTest::addColumn<QString>("overlayName");
        QTest::addColumn<QString>("named");
        QTest::newRow("PdfTeX") << true << "plan.pdf"
                                << "plan.pdftex_t"
                                << "plan.pdf";
        QTest::newRow("PsTeX") << false << "plan.ps"
                               << "plan.pstex_t"
                               << "plan.ps";
        QTest::newRow("PdfTeX, any suffix") << true << "out.xyz"
                                            << "out.pdftex_t"
                                            << "out.xyz";
    }
    void bothParts()
    {
        QFETCH(bool, pdf);
        QFETCH(QString, outName);
        QFETCH(QString, overlayName);
        QFETCH(QString, named);
        ProgramFolder program;
        Document doc(plan);
        TwoPartForms forms;
        ExportOptions& options = pdf ? static_cast<ExportOptions&>(forms.pdftex) : forms.pstex;
        options.setContext(doc.context.get());
        options.setBaseName(QStringLiteral("plan"));
        preferences.fontBase72dpi = false;
        MessageBoxRecorder boxes;
        const QString out = doc.path(outName);
        QVERIFY(options.exportFigure(doc.path(), out));
        QVERIFY(boxes.boxes.isEmpty());
        const QString graphics = pdf ? "pdftex" : "pstex";
        QCOMPARE(commandsOf(program.runs()),
            QStringList({ loggedRun({ "-L", graphics, "drawing.fig", outName }),
                loggedRun({ "-L", graphics + "_t", "-p", named, "drawing.fig", overlayName }) }));
        QVERIFY(ranInPrivateFolders(program.runs()));
        QVERIFY(QFile::exists(out) && QFile::exists(doc.path(overlayName)));
        // The suffix typed becomes the default graphics name's.
        options.setExtension(QFileInfo(outName).suffix());
        options.setBaseName(QStringLiteral("next"));
        QCOMPARE((pdf ? forms.form.ui.pdftexOverlay : forms.form.ui.pstexOverlay)->text(),
            QStringLiteral("next.") + QFileInfo(outName).suffix());
    }

    // A failed graphics run writes no overlay that would name a missing file,
    // and a failed overlay run leaves no graphics file without its overlay:
    // the earlier files stay.
    void failedPartKeepsBothEarlierFiles()
    {
        ProgramFolder program;
        Document doc(plan);
        TwoPartForms forms;
        forms.pstex.setContext(doc.context.get());
        forms.pstex.setBaseName(QStringLiteral("plan"));
        const QString out = doc.path(QStringLiteral("plan.ps"));
        const QString overlay = doc.path(QStringLiteral("plan.pstex_t"));
        writeFile(out, "earlier graphics\n");
        writeFile(overlay, "earlier overlay\n");
        // The stand-in fails on its second run: the overlay's.
        const QString fails = program.dir.filePath(QStringLiteral("fig2dev-fails-second"));
        QVERIFY(QFile::rename(program.folder + QStringLiteral("/fig2dev"), fails));
        standins::write(program.folder, QStringLiteral("fig2dev"), program.dir.filePath(QStringLiteral("other.log")),
            "case \"$*\" in *pstex_t*) exit 1;; esac\nexec '" + fails.toUtf8() + "' \"$@\"");
        MessageBoxRecorder boxes;
        QVERIFY(!forms.pstex.exportFigure(doc.path(), out));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(readFile(out), QByteArray("earlier graphics\n"));
        QCOMPARE(readFile(overlay), QByteArray("earlier overlay\n"));
        QCOMPARE(
            QDir(doc.dir.path()).entryList(QDir::Files), QStringList({ "drawing.fig", "plan.ps", "plan.pstex_t" }));
    }

    // A failed graphics run writes no overlay that would name a missing file.
    void failedGraphicsStopsTheOverlay()
    {
        ProgramFolder program;
        StandInMode failing("fail");
        Document doc(plan);
        TwoPartForms forms;
        forms.pstex.setContext(doc.context.get());
        MessageBoxRecorder boxes;
        QVERIFY(!forms.pstex.exportFigure(doc.path(), doc.path(QStringLiteral("plan.ps"))));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(program.runs().filter(QStringLiteral("fig2dev")).size(), 1);
    }

    // One part: one run to the chosen file.
    void onePart_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("graphics") << 1 << "pdftex" << QByteArray("output\n%%EOF\n");
        QTest::newRow("special text") << 2 << "pdftex_t" << QByteArray("output\n");
    }
    void onePart()
    {
        QFETCH(int, mode);
        QFETCH(QString, language);
        ProgramFolder program;
        Document doc(plan);
        TwoPartForms forms;
        forms.pdftex.setContext(doc.context.get());
        forms.form.ui.cbPdfTexMode->setCurrentIndex(mode);
        forms.form.ui.pdftexOverlay->clear();
        preferences.fontBase72dpi = false;
        MessageBoxRecorder boxes;
        const QString out = doc.path(QStringLiteral("part.") + forms.pdftex.extension());
        QVERIFY(forms.pdftex.exportFigure(doc.path(), out));
        QCOMPARE(commandsOf(program.runs()),
            QStringList({ loggedRun({ "-L", language, "drawing.fig", QFileInfo(out).fileName() }) }));
        QTEST(readFile(out), "written");
    }

    // Exporting only the overlay never makes it name itself, however often.
    void overlayNeverNamesItself()
    {
        Document doc(plan);
        TwoPartForms forms;
        Ui::ExportDlgForm& ui = forms.form.ui;
        forms.pstex.setContext(doc.context.get());
        forms.pstex.setBaseName(QStringLiteral("plan"));
        ui.cbPsTexMode->setCurrentIndex(2);
        forms.pstex.setExtension(QStringLiteral("pstex_t"));
        forms.pstex.setBaseName(QStringLiteral("plan"));
        QCOMPARE(ui.pstexOverlay->text(), QStringLiteral("plan.eps"));
        // Nor when both parts were to go to a file of the overlay's suffix.
        ui.cbPsTexMode->setCurrentIndex(0);
        forms.pstex.setExtension(QStringLiteral("PSTEX_T"));
        forms.pstex.setBaseName(QStringLiteral("plan"));
        QCOMPARE(ui.pstexOverlay->text(), QStringLiteral("plan.eps"));
    }

    // Both parts into a file named as the overlay would overwrite one with
    // the other: nothing runs.
    void bothPartsIntoTheOverlaysFile()
    {
        ProgramFolder program;
        Document doc(plan);
        TwoPartForms forms;
        forms.pstex.setContext(doc.context.get());
        MessageBoxRecorder boxes;
        QVERIFY(!forms.pstex.exportFigure(doc.path(), doc.path(QStringLiteral("plan.pstex_t"))));
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(program.runs().isEmpty());
    }

    // With the real fig2dev: both files of each format.
    void realTwoParts_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::newRow("PdfTeX") << true;
        QTest::newRow("PsTeX") << false;
    }
    void realTwoParts()
    {
        QFETCH(bool, pdf);
        if (QStandardPaths::findExecutable(QStringLiteral("fig2dev")).isEmpty())
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        Document doc(figure(box(1200, 1200, 3600, 2400) + "4 0 0 50 -1 0 12 0.0000 2 135 600 1500 1800 $x^2$\\001\n"));
        TwoPartForms forms;
        ExportOptions& options = pdf ? static_cast<ExportOptions&>(forms.pdftex) : forms.pstex;
        options.setContext(doc.context.get());
        MessageBoxRecorder boxes;
        const QString out = doc.path(pdf ? QStringLiteral("plan.pdf") : QStringLiteral("plan.ps"));
        const bool exported = options.exportFigure(doc.path(), out);
        QVERIFY2(exported, qPrintable(boxes.boxes.value(0).text));
        QVERIFY(readFile(out).startsWith(pdf ? "%PDF" : "%!PS"));
        const QByteArray overlay
            = readFile(doc.path(pdf ? QStringLiteral("plan.pdftex_t") : QStringLiteral("plan.pstex_t")));
        QVERIFY(overlay.contains(pdf ? "plan.pdf" : "plan.ps"));
        QVERIFY(overlay.contains("$x^2$"));
    }
};

TAVREL_TEST_MAIN(TestTwoPartExport)
#include "tst_twopartexport.moc"
