// The PostScript, EPS and PDF formats: their options for page settings,
// preview, title, offsets and bounding box; fit to page; the LaTeX route
// with stand-ins for fig2dev, latex, dvips and pdflatex (command sequence,
// working folders, the envelope, failures); the viewer; and the real
// programs where they are installed.
#include "exportfixtures.h"

#include "app/preferences.h"
#include "export/epsoptions.h"
#include "export/pdfoptions.h"
#include "export/postscriptoptions.h"
#include "export/texenvelope.h"
#include "render/colors.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace exportfixtures;

namespace {

// The three formats on one form, as the dialog makes them.
struct PageForms {
    Form form;
    PdfOptions pdf { &form.ui };
    PostScriptOptions ps { &form.ui };
    EpsOptions eps { &form.ui };

    void setContext(CFigContext* ctx)
    {
        pdf.setContext(ctx);
        ps.setContext(ctx);
        eps.setContext(ctx);
    }
};

const QByteArray a4Plan = figure(box(1200, 1200, 3600, 2400), true, "A4");

} // namespace

class TestPageFormats : public QObject, private ExportCases {
    Q_OBJECT

private slots:
    void initTestCase() { startCases(); }
    void init()
    {
        startCase();
        texRouteTimeout = 10000;
    }
    void cleanup() { endCase(); }

    void options_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("ps");
        QTest::addColumn<QString>("eps");
        QTest::newRow("A4, portrait, centred, single") << a4Plan << QStringList() << "-L pdf -F -z A4 -p foo -c"
                                                       << "-L ps -F -z A4 -p foo -c"
                                                       << "-L eps -F";
        QTest::newRow("Letter, landscape")
            << figure(box(0, 0, 1200, 1200), false, "Letter", true) << QStringList() << "-L pdf -F -z Letter -l foo -c"
            << "-L ps -F -z Letter -l foo -c"
            << "-L eps -F";
        QTest::newRow("multiple pages, overlapping")
            << a4Plan
            << QStringList { "cbPdfMultiplePages=1", "pdfOverlapMargins=1", "cbMultiplePages=1", "overlapMargins=1" }
            << "-L pdf -F -z A4 -p foo -c -M -O"
            << "-L ps -F -z A4 -p foo -c -M -O"
            << "-L eps -F";
        QTest::newRow("overlap without multiple pages")
            << a4Plan << QStringList { "pdfOverlapMargins=1", "overlapMargins=1" } << "-L pdf -F -z A4 -p foo -c"
            << "-L ps -F -z A4 -p foo -c"
            << "-L eps -F";
        QTest::newRow("previews") << a4Plan << QStringList { "cbPsPreview=3", "cbEpsPreview=1" }
                                  << "-L pdf -F -z A4 -p foo -c"
                                  << "-L ps -F -z A4 -p foo -c -C foo"
                                  << "-L eps -F -A";
        QTest::newRow("monochrome previews")
            << a4Plan << QStringList { "cbPsPreview=2", "cbEpsPreview=2" } << "-L pdf -F -z A4 -p foo -c"
            << "-L ps -F -z A4 -p foo -c -T"
            << "-L eps -F -T";
        QTest::newRow("grayscale, titles, offsets")
            << a4Plan
            << QStringList { "pdfGrayscale=1", "psGrayscale=1", "epsGrayscale=1", "pdfTitle=My Plan", "psTitle=My Plan",
                   "epsTitle=My Plan", "pdfxOffset=5", "yOffset=7" }
            << "-L pdf -F -z A4 -p foo -c -N -n \"My Plan\" -x 5"
            << "-L ps -F -z A4 -p foo -c -N -n \"My Plan\" -y 7"
            << "-L eps -F -N -n \"My Plan\"";
        QTest::newRow("common options first")
            << a4Plan << QStringList { "magnification=150", "borderWidth=4" } << "-L pdf -m 1.5 -b 4 -F -z A4 -p foo -c"
            << "-L ps -m 1.5 -b 4 -F -z A4 -p foo -c"
            << "-L eps -m 1.5 -b 4 -F";
        QTest::newRow("bounding box relative to the figure")
            << a4Plan
            << QStringList { "rbBoundingBox3=1", "boundingBoxX0=0", "boundingBoxY0=0", "boundingBoxWX=12.5",
                   "boundingBoxWY=8" }
            << "-L pdf -F -z A4 -p foo -c"
            << "-L ps -F -z A4 -p foo -c"
            << "-L eps -F -R \"12.5 8 0 0\"";
        QTest::newRow("bounding box relative to the screen")
            << a4Plan
            << QStringList { "rbBoundingBox2=1", "boundingBoxX0=1.5", "boundingBoxY0=2", "boundingBoxWX=3",
                   "boundingBoxWY=4.25" }
            << "-L pdf -F -z A4 -p foo -c"
            << "-L ps -F -z A4 -p foo -c"
            << "-L eps -F -B \"3 4.25 1.5 2\"";
        QTest::newRow("font base off") << a4Plan << QStringList { "fontBase72dpi=0" } << "-L pdf -z A4 -p foo -c"
                                       << "-L ps -z A4 -p foo -c"
                                       << "-L eps";
    }
    void options()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, settings);
        QFETCH(QString, pdf);
        QFETCH(QString, ps);
        QFETCH(QString, eps);
        Document doc(text);
        QVERIFY(doc.loaded);
        PageForms forms;
        forms.setContext(doc.context.get());
        for (const QString& setting : qAsConst(settings)) {
            const QString name = setting.section('=', 0, 0);
            const QString value = setting.section('=', 1);
            if (name == QLatin1String("fontBase72dpi")) {
                preferences.fontBase72dpi = value == QLatin1String("1");
                continue;
            }
            QWidget* widget = forms.form.dialog.findChild<QWidget*>(name);
            QVERIFY2(widget, qPrintable(name));
            if (auto* spin = qobject_cast<QSpinBox*>(widget))
                spin->setValue(value.toInt());
            else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(widget))
                decimal->setValue(value.toDouble());
            else if (auto* combo = qobject_cast<QComboBox*>(widget))
                combo->setCurrentIndex(value.toInt());
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setChecked(value == QLatin1String("1"));
            else if (auto* edit = qobject_cast<QLineEdit*>(widget))
                edit->setText(value);
        }
        QCOMPARE(forms.pdf.fig2devOptions(), pdf);
        QCOMPARE(forms.ps.fig2devOptions(), ps);
        QCOMPARE(forms.eps.fig2devOptions(), eps);
        // The overlap box can be ticked only for multiple pages.
        QCOMPARE(forms.form.ui.overlapMargins->isEnabled(), forms.form.ui.cbMultiplePages->currentIndex() == 1);
        // The bounding box's fields only for a box of one's own.
        QCOMPARE(forms.form.ui.boundingBoxWX->isEnabled(), !forms.form.ui.rbBoundingBox1->isChecked());
    }

    void withoutDocumentNoOptions()
    {
        PageForms forms;
        QCOMPARE(forms.pdf.fig2devOptions(), QString());
        QCOMPARE(forms.ps.fig2devOptions(), QString());
        QCOMPARE(forms.eps.fig2devOptions(), QString());
        QCOMPARE(forms.pdf.extension(), QStringLiteral("pdf"));
        QCOMPARE(forms.ps.extension(), QStringLiteral("ps"));
        forms.eps.setExtension(QStringLiteral("svg"));
        QCOMPARE(forms.eps.extension(), QStringLiteral("eps"));
    }

    // The paper lists hold the paper table; the document's page comes in
    // with every hand-over, whatever the user chose before.
    void documentPageComesIn()
    {
        Document doc(figure(box(0, 0, 1200, 1200), false, "Legal", true));
        PageForms forms;
        QCOMPARE(forms.form.ui.cbPdfPageFormat->count(), 29);
        QCOMPARE(forms.form.ui.cbPageFormat->itemText(13), QStringLiteral("ISO A4  ( 210mm x  297mm)"));
        forms.form.ui.cbPageFormat->setCurrentIndex(5);
        forms.form.ui.cbJustification->setCurrentIndex(1);
        doc.context->flushLeft = false;
        doc.context->multiplePages = true;
        forms.setContext(doc.context.get());
        for (QComboBox* paper : { forms.form.ui.cbPdfPageFormat, forms.form.ui.cbPageFormat })
            QCOMPARE(paper->currentIndex(), 1);
        QCOMPARE(forms.form.ui.cbOrientation->currentIndex(), 1);
        QCOMPARE(forms.form.ui.cbPdfJustification->currentIndex(), 0);
        QCOMPARE(forms.form.ui.cbMultiplePages->currentIndex(), 1);
    }

    // The EPS box's unit and size follow the document.
    void epsBoxFromTheDocument_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        // Two points more than the figure (fig2dev's box is whole points,
        // rounded outwards), rounded up to the fields' two decimals.
        QTest::newRow("inches at 150 %") << figure(box(0, 0, 2400, 1200), false, "Letter", false, "150.00") << "inch"
                                         << 3.03 << 1.53;
        // fig2dev draws a Metric drawing at 450 units a centimetre.
        QTest::newRow("centimetres") << figure(box(0, 0, 4724, 2362), true, "A4") << "cm" << 10.57 << 5.32;
        QTest::newRow("empty") << figure(QByteArray(), true, "A4") << "cm" << 0.0 << 0.0;
    }
    void epsBoxFromTheDocument()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, unit);
        QFETCH(double, width);
        QFETCH(double, height);
        Document doc(text);
        PageForms forms;
        forms.setContext(doc.context.get());
        QCOMPARE(forms.form.ui.lbBoundindBoxUnit1->text(), unit);
        QCOMPARE(forms.form.ui.lbBoundindBoxUnit2->text(), unit);
        QCOMPARE(forms.form.ui.boundingBoxWX->value(), width);
        QCOMPARE(forms.form.ui.boundingBoxWY->value(), height);
    }

    // Ticking LaTeX leaves only the route's own widgets usable.
    void latexDisablesThePageWidgets()
    {
        Document doc(a4Plan);
        PageForms forms;
        forms.setContext(doc.context.get());
        forms.form.ui.epsUseLatex->setChecked(true);
        forms.form.ui.psUseLatex->setChecked(true);
        for (QWidget* widget : { static_cast<QWidget*>(forms.form.ui.cbEpsPreview),
                 static_cast<QWidget*>(forms.form.ui.rbBoundingBox2), static_cast<QWidget*>(forms.form.ui.epsTitle),
                 static_cast<QWidget*>(forms.form.ui.cbPageFormat), static_cast<QWidget*>(forms.form.ui.yOffset) })
            QVERIFY(!widget->isEnabled());
        for (QWidget* widget : { static_cast<QWidget*>(forms.form.ui.epsOpenInViewer),
                 static_cast<QWidget*>(forms.form.ui.epsOpenTexEnvelope),
                 static_cast<QWidget*>(forms.form.ui.cbPdfPageFormat) })
            QVERIFY(widget->isEnabled());
        forms.form.ui.epsUseLatex->setChecked(false);
        QVERIFY(forms.form.ui.cbEpsPreview->isEnabled());
    }

    void fitToPage_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("psPaper");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty drawing: unchanged") << figure(QByteArray(), true, "A4") << 13 << 100;
        QTest::newRow("6000 x 3000 on A4 portrait") << figure(box(0, 0, 6000, 3000), false, "A4") << 13 << 145;
        QTest::newRow("the PostScript paper counts") << figure(box(0, 0, 6000, 3000), false, "A4") << 0 << 150;
        QTest::newRow("landscape") << figure(box(0, 0, 6000, 3000), false, "A4", true) << 13 << 214;
        // fig2dev draws a Metric drawing about 5 % larger (1143 units an
        // inch): it fits at a smaller magnification.
        QTest::newRow("metric, A4 portrait") << figure(box(0, 0, 6000, 3000), true, "A4") << 13 << 138;
        QTest::newRow("metric, landscape") << figure(box(0, 0, 6000, 3000), true, "A4", true) << 13 << 204;
    }
    void fitToPage()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, psPaper);
        QFETCH(int, expected);
        Document doc(text);
        PageForms forms;
        forms.setContext(doc.context.get());
        forms.form.ui.cbPdfPageFormat->setCurrentIndex(2);
        forms.form.ui.cbPageFormat->setCurrentIndex(psPaper);
        forms.form.ui.btFitToPage->click();
        QCOMPARE(forms.form.ui.magnification->value(), expected);
    }

    // ---- The LaTeX route ----

    // Every step in order, each in a private folder on the run's own names;
    // beside the output nothing but the output is written, so a LaTeX
    // document of the output's name stays as it was.
    void latexRoute_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("EPS") << "eps"
                             << "eps"
                             << QStringList {
                                    "fig2dev [-L] [pstex] [-g] [Red] [drawing.fig] [tavrel-tex/tavrel-graphics.eps]",
                                    "fig2dev [-L] [pstex_t] [-p] [tavrel-graphics.eps] [drawing.fig] "
                                    "[tavrel-tex/tavrel-graphics.pstex_t]",
                                    "latex [-no-shell-escape] [tavrel-envelope.tex]",
                                    "dvips [-quiet] [-E*] [-o] [tavrel-export.eps] [tavrel-envelope.dvi]"
                                };
        QTest::newRow("PostScript")
            << "ps"
            << "ps"
            << QStringList { "fig2dev [-L] [pstex] [-g] [Red] [drawing.fig] [tavrel-tex/tavrel-graphics.eps]",
                   "fig2dev [-L] [pstex_t] [-p] [tavrel-graphics.eps] [drawing.fig] "
                   "[tavrel-tex/tavrel-graphics.pstex_t]",
                   "latex [-no-shell-escape] [tavrel-envelope.tex]",
                   "dvips [-quiet] [-o] [tavrel-export.ps] [tavrel-envelope.dvi]" };
        QTest::newRow("PDF") << "pdf"
                             << "pdf"
                             << QStringList {
                                    "fig2dev [-L] [pdftex] [-g] [Red] [drawing.fig] [tavrel-tex/tavrel-graphics.pdf]",
                                    "fig2dev [-L] [pdftex_t] [-p] [tavrel-graphics.pdf] [drawing.fig] "
                                    "[tavrel-tex/tavrel-graphics.pdftex_t]",
                                    "pdflatex [-no-shell-escape] [tavrel-envelope.tex]"
                                };
    }
    void latexRoute()
    {
        QFETCH(QString, format);
        QFETCH(QString, suffix);
        QFETCH(QStringList, steps);
        ProgramFolder program;
        LatexStandIns latex(program.log());
        Document doc(a4Plan);
        QTemporaryDir outDir;
        const QString base = outDir.filePath(QStringLiteral("plan"));
        const QString out = base + QLatin1Char('.') + suffix;
        // The user's files named as the route's intermediate files once were.
        QStringList userFiles { "plan.tex", "texput.log" };
        for (const char* suffix : { "_envelope.tex", "_envelope.aux", "_envelope.dvi", "_envelope.log", "_envelope.pdf",
                 "_temp.eps", "_temp.pdf", "_temp.pstex_t", "_temp.pdftex_t" })
            userFiles << QStringLiteral("plan") + QLatin1String(suffix);
        for (const QString& name : qAsConst(userFiles))
            writeFile(outDir.filePath(name), "the user's own " + name.toUtf8() + "\n");
        PageForms forms;
        forms.setContext(doc.context.get());
        forms.form.ui.cbBackground->setCurrentIndex(5);
        ExportOptions* options = format == QLatin1String("eps") ? static_cast<ExportOptions*>(&forms.eps)
            : format == QLatin1String("ps")                     ? static_cast<ExportOptions*>(&forms.ps)
                                                                : static_cast<ExportOptions*>(&forms.pdf);
        for (QCheckBox* box : { forms.form.ui.epsUseLatex, forms.form.ui.psUseLatex, forms.form.ui.pdfUseLatex })
            box->setChecked(true);
        MessageBoxRecorder boxes;
        QDir::setCurrent(doc.dir.path());
        QVERIFY(options->exportFigure(doc.path(), out));
        QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));

        QCOMPARE(commandsOf(program.runs()), steps);
        // fig2dev and the LaTeX programs all ran in the export's own folder.
        QVERIFY(ranInPrivateFolders(program.runs()));
        QStringList expectedFiles = userFiles;
        expectedFiles << "plan." + suffix;
        expectedFiles.sort();
        QCOMPARE(QDir(outDir.path()).entryList(QDir::Files), expectedFiles);
        for (const QString& name : qAsConst(userFiles))
            QCOMPARE(readFile(outDir.filePath(name)), "the user's own " + name.toUtf8() + "\n");
        QCOMPARE(QDir(doc.dir.path()).entryList(QDir::Files), QStringList({ "drawing.fig" }));
        // The envelope: the template with the document's paper, orientation
        // and the overlay.
        const QStringList lines = QString::fromUtf8(readFile(latex.envelope())).split('\n');
        QCOMPARE(lines.value(1), QStringLiteral("\\usepackage[a4paper,portrait,scale=1.0,margin=0pt]{geometry}"));
        QCOMPARE(lines.value(3), QStringLiteral("\\usepackage[latin1]{inputenc}\r"));
        QCOMPARE(lines.value(10),
            QStringLiteral("\\input{\"tavrel-graphics.%1_t\"}")
                .arg(format == QLatin1String("pdf") ? "pdftex" : "pstex"));
        QCOMPARE(lines.size(), 14);
    }

    void envelopeText_data()
    {
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all three, twice") << "PAPERSIZETOKEN PAGEORIENTATIONTOKEN INPUTTEXFILETOKEN PAPERSIZETOKEN"
                                          << true << "letterpaper landscape /x/p_temp.pstex_t letterpaper";
        QTest::newRow("no placeholders") << "\\relax\n" << false << "\\relax\n";
        QTest::newRow("case matters") << "papersizetoken" << false << "papersizetoken";
    }
    void envelopeText()
    {
        QFETCH(QString, templateText);
        QFETCH(bool, landscape);
        QFETCH(QString, expected);
        CFigContext context;
        context.paperIndex = 0;
        context.landscape = landscape;
        QCOMPARE(texEnvelopeText(templateText, context, QStringLiteral("/x/p_temp.pstex_t")), expected);
    }

    // The first step that fails ends the route with its box.
    void failingStepEndsTheRoute_data()
    {
        QTest::addColumn<QByteArray>("fig2devMode");
        QTest::addColumn<bool>("withLatex");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("message");
        QTest::newRow("graphics run") << QByteArray("fail") << true << 1 << "failed with exit code 1";
        QTest::newRow("latex missing") << QByteArray() << false << 2
                                       << "latex -no-shell-escape tavrel-envelope.tex failed with error code 0";
    }
    void failingStepEndsTheRoute()
    {
        QFETCH(QByteArray, fig2devMode);
        QFETCH(bool, withLatex);
        QFETCH(int, runs);
        QFETCH(QString, message);
        ProgramFolder program;
        LatexStandIns latex(program.log(), withLatex);
        StandInMode mode(fig2devMode.constData());
        Document doc(a4Plan);
        PageForms forms;
        forms.setContext(doc.context.get());
        forms.form.ui.epsUseLatex->setChecked(true);
        MessageBoxRecorder boxes;
        const QString base = doc.path(QStringLiteral("plan"));
        QVERIFY(!forms.eps.exportFigure(doc.path(), base + QStringLiteral(".eps")));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("Export failed!"));
        QVERIFY2(boxes.boxes.first().text.contains(QString(message).replace("%1", base)),
            qPrintable(boxes.boxes.first().text));
        // fig2dev's runs only: nothing after the failing step ran.
        int fig2devRuns = 0;
        for (const QString& line : program.runs())
            fig2devRuns += line.startsWith(QLatin1String("fig2dev"));
        QCOMPARE(fig2devRuns, runs);
        QVERIFY(!QFile::exists(base + QStringLiteral(".eps")));
    }

    // The viewer gets the exported file in every placeholder, and only a
    // file that was written; the setting is split before the file is put in,
    // so a name with blanks and quotation marks stays one argument.
    void viewerOpensTheExport()
    {
        ProgramFolder program;
        QTemporaryDir viewerDir;
        const QString viewer = standins::write(viewerDir.path(), QStringLiteral("viewer"), program.log(), "");
        preferences.psViewerCommand = viewer + QStringLiteral(" \"FILENAME\" --again FILENAME");
        preferences.pdfViewerCommand = viewer + QStringLiteral(" --pdf \"FILENAME\"");
        Document doc(a4Plan);
        PageForms forms;
        forms.setContext(doc.context.get());
        forms.form.ui.epsOpenInViewer->setChecked(true);
        forms.form.ui.pdfOpenInViewer->setChecked(true);
        MessageBoxRecorder boxes;
        const QString eps = doc.path(QStringLiteral("plan \" --x \"y.eps"));
        const QString pdf = doc.path(QStringLiteral("plan.pdf"));
        QVERIFY(forms.eps.exportFigure(doc.path(), eps));
        QVERIFY(forms.pdf.exportFigure(doc.path(), pdf));
        {
            StandInMode failing("fail");
            QVERIFY(!forms.eps.exportFigure(doc.path(), eps));
        }
        // Started detached: wait for both viewers to have logged.
        QTRY_COMPARE(program.runs().filter(QStringLiteral("viewer")).size(), 2);
        QCOMPARE(program.runs().filter(QStringLiteral("viewer")),
            QStringList({ loggedRun({ eps, "--again", eps }, QStringLiteral("viewer")),
                loggedRun({ "--pdf", pdf }, QStringLiteral("viewer")) }));
    }

    void viewerThatCannotStart()
    {
        ProgramFolder program;
        preferences.psViewerCommand = QStringLiteral("/nonexistent/viewer \"FILENAME\"");
        Document doc(a4Plan);
        PageForms forms;
        forms.setContext(doc.context.get());
        forms.form.ui.psOpenInViewer->setChecked(true);
        MessageBoxRecorder boxes;
        const QString ps = doc.path(QStringLiteral("plan.ps"));
        QVERIFY(forms.ps.exportFigure(doc.path(), ps));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().text, QStringLiteral("/nonexistent/viewer \"%1\" failed!").arg(ps));
    }

    // ---- The real programs ----

    // PostScript, PDF and EPS with every bounding-box choice, through
    // fig2dev; the EPS box encloses the figure.
    void realExports_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("settings");
        QTest::newRow("PostScript") << "ps" << QStringList();
        QTest::newRow("PDF") << "pdf" << QStringList();
        QTest::newRow("EPS automatic") << "eps" << QStringList();
        QTest::newRow("EPS relative to the figure") << "eps" << QStringList { "rbBoundingBox3", "0", "0" };
        QTest::newRow("EPS relative to the screen") << "eps" << QStringList { "rbBoundingBox2", "1", "0" };
        QTest::newRow("PostScript through LaTeX") << "ps" << QStringList { "latex" };
        QTest::newRow("EPS through LaTeX") << "eps" << QStringList { "latex" };
        QTest::newRow("PDF through LaTeX") << "pdf" << QStringList { "latex" };
    }
    void realExports()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, settings);
        const bool latexRoute = settings.value(0) == QLatin1String("latex");
        if (!installed({ "fig2dev", "gs", "latex", "dvips", "pdflatex" }))
            QSKIP("fig2dev, Ghostscript or TeX is not installed");
        const EmptyProgramFolder realPrograms;
        texRouteTimeout = 60000; // a first TeX run may build its formats
        // An inch drawing: a box from 1 to 3 inches across and 1 to 2 down,
        // and a special text for the LaTeX route.
        Document doc(figure(box(1200, 1200, 3600, 2400) + "4 0 0 50 -1 0 12 0.0000 2 135 600 1500 1800 $x^2$\\001\n"));
        PageForms forms;
        forms.setContext(doc.context.get());
        if (latexRoute) {
            for (QCheckBox* check : { forms.form.ui.epsUseLatex, forms.form.ui.psUseLatex, forms.form.ui.pdfUseLatex })
                check->setChecked(true);
        } else if (!settings.isEmpty()) {
            forms.form.dialog.findChild<QRadioButton*>(settings.at(0))->setChecked(true);
            forms.form.ui.boundingBoxX0->setValue(settings.at(1).toDouble());
            forms.form.ui.boundingBoxY0->setValue(settings.at(2).toDouble());
        }
        ExportOptions* options = format == QLatin1String("eps") ? static_cast<ExportOptions*>(&forms.eps)
            : format == QLatin1String("ps")                     ? static_cast<ExportOptions*>(&forms.ps)
                                                                : static_cast<ExportOptions*>(&forms.pdf);
        MessageBoxRecorder boxes;
        QDir::setCurrent(doc.dir.path());
        const QString out = doc.path(QStringLiteral("plan.") + format);
        const bool exported = options->exportFigure(doc.path(), out);
        QVERIFY2(exported, qPrintable(boxes.boxes.value(0).text));
        const QByteArray written = readFile(out);
        QVERIFY(written.startsWith(format == QLatin1String("pdf") ? "%PDF" : "%!PS-Adobe"));
        if (format != QLatin1String("eps") || latexRoute)
            return;
        // The figure is 2 by 1 inches: the box must hold 144 by 72 points
        // from the figure's lower left corner, which fig2dev puts at 0 0.
        const QRegularExpression bbox(QStringLiteral("%%BoundingBox: (-?\\d+) (-?\\d+) (-?\\d+) (-?\\d+)"));
        const QRegularExpressionMatch match = bbox.match(QString::fromLatin1(written));
        QVERIFY(match.hasMatch());
        QVERIFY2(match.captured(1).toInt() <= 0 && match.captured(2).toInt() <= 0 && match.captured(3).toInt() >= 144
                && match.captured(4).toInt() >= 72,
            qPrintable(match.captured(0)));
    }

    // A figure larger than its paper (Letter, landscape) comes out of the
    // LaTeX route as whole as fig2dev's own EPS: Ghostscript measures the
    // marks of both. (PostScript keeps its paper, as on the plain route.)
    void latexRouteHoldsAFigureLargerThanThePaper_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("EPS") << "eps";
        QTest::newRow("PDF") << "pdf";
    }
    void latexRouteHoldsAFigureLargerThanThePaper()
    {
        QFETCH(QString, format);
        if (!installed({ "fig2dev", "gs", "latex", "dvips", "pdflatex" }))
            QSKIP("fig2dev, Ghostscript or TeX is not installed");
        const EmptyProgramFolder realPrograms;
        texRouteTimeout = 60000; // a first TeX run may build its formats
        // 14.5 by 9 inches, a special text at the far corner.
        Document doc(figure("2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                            "\t 600 600 18000 600 18000 11400 600 11400 600 600\n"
                            "4 0 0 50 -1 0 12 0.0000 2 135 600 17000 11000 $x^2$\\001\n",
            false, "Letter", true));
        PageForms forms;
        forms.setContext(doc.context.get());
        ExportOptions* options = format == QLatin1String("eps") ? static_cast<ExportOptions*>(&forms.eps) : &forms.pdf;
        MessageBoxRecorder boxes;
        const QString plain = doc.path(QStringLiteral("plain.eps"));
        const QString latex = doc.path(QStringLiteral("latex.") + format);
        bool exported = forms.eps.exportFigure(doc.path(), plain);
        forms.form.ui.epsUseLatex->setChecked(true);
        forms.form.ui.pdfUseLatex->setChecked(true);
        exported = exported && options->exportFigure(doc.path(), latex);
        QVERIFY2(exported, qPrintable(boxes.boxes.value(0).text));

        // The size of what is drawn, in points.
        auto markSize = [](const QString& file) {
            QProcess gs;
            gs.start(
                QStringLiteral("gs"), { "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop", "-sDEVICE=bbox", file });
            gs.waitForFinished(60000);
            const QRegularExpression bbox(QStringLiteral("%%BoundingBox: (-?\\d+) (-?\\d+) (-?\\d+) (-?\\d+)"));
            const QRegularExpressionMatch match = bbox.match(QString::fromLatin1(gs.readAllStandardError()));
            return match.hasMatch() ? QSize(match.captured(3).toInt() - match.captured(1).toInt(),
                       match.captured(4).toInt() - match.captured(2).toInt())
                                    : QSize();
        };
        const QSize whole = markSize(plain);
        const QSize routed = markSize(latex);
        QVERIFY2(whole.width() > 1000 && whole.height() > 600,
            qPrintable(QStringLiteral("%1 x %2").arg(whole.width()).arg(whole.height())));
        const QString sizes = QStringLiteral("LaTeX route %1 x %2, fig2dev's EPS %3 x %4")
                                  .arg(routed.width())
                                  .arg(routed.height())
                                  .arg(whole.width())
                                  .arg(whole.height());
        QVERIFY2(routed.width() >= whole.width() - 3 && routed.height() >= whole.height() - 3, qPrintable(sizes));
    }

    // The box "Relative to figure" with the fields the document fills in
    // holds what fig2dev draws: at least as wide and high as fig2dev's own
    // box, for Metric drawings (which fig2dev draws about 5 % larger than
    // true centimetres) and Inches ones, thin and thick lines, arrows and a
    // magnification.
    void epsBoxHoldsWhatFig2devDraws_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QByteArray line = "2 1 0 %1 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 %1.00 60.00 120.00\n"
                                "\t 1000 1000 5724 3362\n";
        const QByteArray rectangle = "2 2 0 %1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                     "\t 1000 1000 5724 1000 5724 3362 1000 3362 1000 1000\n";
        for (const bool metric : { true, false }) {
            for (const char* width : { "0", "1", "12" }) {
                QTest::addRow("%s, rectangle of width %s", metric ? "metric" : "inches", width)
                    << figure(QByteArray(rectangle).replace("%1", width), metric, "A4");
                QTest::addRow("%s, arrow of width %s at 150 %%", metric ? "metric" : "inches", width)
                    << figure(QByteArray(line).replace("%1", width), metric, "A4", false, "150.00");
            }
        }
    }
    void epsBoxHoldsWhatFig2devDraws()
    {
        QFETCH(QByteArray, text);
        if (QStandardPaths::findExecutable(QStringLiteral("fig2dev")).isEmpty())
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        Document doc(text);
        PageForms forms;
        forms.setContext(doc.context.get());
        forms.form.ui.rbBoundingBox3->setChecked(true);
        MessageBoxRecorder boxes;
        const QString out = doc.path(QStringLiteral("boxed.eps"));
        const bool exported = forms.eps.exportFigure(doc.path(), out);
        QVERIFY2(exported, qPrintable(boxes.boxes.value(0).text));
        // fig2dev's own box of the same drawing at the same magnification.
        const QString own = doc.path(QStringLiteral("own.eps"));
        QStringList arguments { "-L", "eps" };
        if (forms.form.ui.magnification->value() != 100)
            arguments << "-m" << optionNumber(forms.form.ui.magnification->value() / 100.0);
        QCOMPARE(QProcess::execute(QStringLiteral("fig2dev"), arguments << doc.path() << own), 0);
        const QRegularExpression bbox(QStringLiteral("%%BoundingBox: (-?\\d+) (-?\\d+) (-?\\d+) (-?\\d+)"));
        const QRegularExpressionMatch ours = bbox.match(QString::fromLatin1(readFile(out)));
        const QRegularExpressionMatch theirs = bbox.match(QString::fromLatin1(readFile(own)));
        QVERIFY(ours.hasMatch() && theirs.hasMatch());
        const QString boxes2 = ours.captured(0) + QStringLiteral(" / fig2dev's ") + theirs.captured(0);
        QVERIFY2(ours.captured(3).toInt() - ours.captured(1).toInt()
                >= theirs.captured(3).toInt() - theirs.captured(1).toInt(),
            qPrintable(boxes2));
        QVERIFY2(ours.captured(4).toInt() - ours.captured(2).toInt()
                >= theirs.captured(4).toInt() - theirs.captured(2).toInt(),
            qPrintable(boxes2));
    }
};

TAVREL_TEST_MAIN(TestPageFormats)
#include "tst_pageformats.moc"
