// The options of every format row, as the dialog previews and runs them, for
// the start values of the form and for other settings; the general widgets
// each format uses; the document's page in the SVG and TK/PTK lists; the
// custom options in the settings; and every format exported by the real
// fig2dev.
#include "exportfixtures.h"

#include "app/preferences.h"
#include "export/exportdlg.h"
#include "render/colors.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QLabel>
#include <QSettings>
#include <QStandardPaths>

using namespace exportfixtures;

namespace {

// An inch drawing on Letter, portrait and centred, at 100 %, its box at depth 50.
const QByteArray plan = figure(box(1200, 1200, 3600, 2400));

struct Row {
    const char* format;
    const char* settings; // "name=value" separated by ";"
    const char* options;
};

const Row rows[] = {
    { "Bitmap", "", "-L gif -F" },
    { "Bitmap",
        "rbJpeg=1;jpegQuality=90;cbSmoothFactor=2;bmGrayscale=1;magnification=150;borderWidth=3;cbBackground=5;"
        "cbGridMinor=3;cbGridMajor=5;cbGridUnit=1;transpCol=#1122ee",
        "-L jpeg -m 1.5 -b 3 -G 1/4:1cm -g Red -F -S 4 -N -q 90" },
    { "Bitmap", "transpCol=#1122ee;cbSmoothFactor=1", "-L gif -F -S 2 -t #1122ee" },
    { "Bitmap", "rbPng=1;transpCol=#1122ee;jpegQuality=90", "-L png -F" },
    { "CGM", "", "-L cgm" },
    { "CGM", "binaryOutput=1;dontCompensateLineLength=1;magnification=150;borderWidth=3;cbBackground=5",
        "-L cgm -m 1.5 -a -r" },
    { "DXF", "", "-L dxf" },
    { "DXF",
        "dxfAnsiApaper=1;dxfPortraitMode=1;dxfReflected=1;dxfUse6180=1;dxfRestrictArea=1;dxfAreaXll=1;"
        "dxfAreaYll=1;dxfAreaXur=5;dxfAreaYur=4;magnification=150;dxfXoffset=0.5",
        "-L dxf -a -P -v -c -d 1,1,5,4 -m 1.5" },
    { "DXF", "dxfYoffset=1", "-L dxf -m 1" },
    { "Epic", "", "-L epic" },
    { "Epic",
        "cbEpicLanguage=2;cbEpicTextEncoding=2;epicLineThreshold=3;arrowDivide=2.5;epicNoFontSpec=1;"
        "epicCompleteFile=1;epicRotatedText=1;epicComments=1;epicVariableWidth=1;borderWidth=3",
        "-L eepicemu -E 2 -l 3 -d 2.5 -F -P -R foo -v -W" },
    { "Gerber", "", "-L gbx -p neg -g 1x1+0+0 -f 3.5 -v" },
    { "Gerber",
        "cbGbxDimensions=1;gbxScaleX=2;gbxScaleY=0.5;gbxOffsetX=10;gbxOffsetY=20;gbxPrecisionX=2;"
        "gbxPrecisionY=4;cbGbxComments=1;magnification=150;rbExportOnlyActive=1;borderWidth=3",
        "-L gbx -d in -p neg -g 2x0.5+10+20 -f 2.4" },
    { "IBM-GL", "", "-L ibmgl" },
    { "IBM-GL", "magnification=50", "-L ibmgl -m 0.5 -x 0 -y 0" },
    { "IBM-GL",
        "isoA4paper=1;useHpgl=1;mirrorImage=1;ibmglUse6180=1;ibmGlPortrait=1;speed=5;ibmglRestrictArea=1;"
        "ibmglAreaXll=1;ibmglAreaYll=1;ibmglAreaXur=5;ibmglAreaYur=4;ibmglXoffset=1",
        "-L ibmgl -a -k -v -c -P -S 5 -d 1,1,5,4 -m 1 -x 1 -y 0" },
    { "LaTeX", "", "-L latex" },
    { "LaTeX", "dashmag=150;cbLatexTextEncoding=1;latexLineThreshold=4;magnification=150",
        "-L latex -m 1.5 -E 1 -l 4 -d 1.5" },
    { "Map", "", "-L map" },
    { "Map", "borderWidth=3;rbExportOnlyActive=1;magnification=150", "-L map -b 3 -D +50" },
    { "Metafile", "", "-L emf" },
    { "Metafile", "rbExportOnlyActive=1;magnification=150;borderWidth=3", "-L emf -D +50" },
    { "Metafont", "", "-L mf" },
    { "Metafont", "penMagnification=8;startCode=40;coordTop=9;coordXmin=1;coordYmax=9.5;mfFilename=my font",
        "-L mf -C 40 -p 8 -t 9 -x 1 -Y 9.5 -n \"my font\"" },
    { "Metapost", "", "-L mp" },
    { "Metapost", "multiLevel=1;metapostPrologues=2;metapostInput=defs.mp;metapostHeader=head.mp;oldMode=1",
        "-L mp -M -o -p 2 -i \"defs.mp\" -d \"head.mp\"" },
    { "PDF", "", "-L pdf -F -z Letter -p foo -c" },
    { "PDF", "cbPdfOrientation=1;cbPdfPageFormat=13;pdfGrayscale=1", "-L pdf -F -z A4 -l foo -c -N" },
    { "Postscript", "", "-L ps -F -z Letter -p foo -c" },
    { "Postscript", "cbJustification=1;cbPsPreview=1;xOffset=5", "-L ps -F -z Letter -p foo -e -A -x 5" },
    { "EPS", "", "-L eps -F" },
    { "EPS", "cbEpsPreview=2;epsTitle=plan", "-L eps -F -T -n \"plan\"" },
    { "PdfTeX", "", "-L pdftex -F -L pdftex_t -p \"plan.pdf\"" },
    { "PdfTeX", "cbPdftexEncoding=2;pdftexNoFontspec=1", "-L pdftex -F -L pdftex_t -E 2 -F -p \"plan.pdf\"" },
    { "PsTeX", "", "-L pstex -F -L pstex_t -p \"plan.eps\"" },
    { "PsTeX", "cbPsTexMode=1;pstexTitle=T", "-L pstex -F -n \"T\"" },
    { "Pic", "", "-L pic" },
    { "Pic", "picAllowArcbox=1;picUseLineThickness=1;picFilledEllipses=1;picDontConvertPsFonts=1",
        "-L pic -p arc -p line -p fill -p psfont" },
    { "Pict2e", "", "-L pict2e" },
    { "Pict2e",
        "pict2eFont=cmr10;pict2ePrependDir=figs/;borderWidth=3;cbPict2eTextEncoding=1;pic2eDefaultColor=1;"
        "pict2eEpicCompatible=1;pict2eNoFontname=1;pict2eNoFontsizeOrBaselineskip=1;pict2eDontQuoteChars=1;"
        "pict2ePagemode=1;pict2eReplaceArrowheads=1;cbBackground=5",
        "-L pict2e -b 3 -E 1 -C 1 -e -F -f cmr10 -i figs/ -o -O -P -r" },
    { "Pict2e", "pict2eFont= ", "-L pict2e -f  " },
    { "PicTeX", "", "-L pictex" },
    { "PicTeX", "cbPictexTextEncoding=2", "-L pictex -E 2" },
    { "PSTricks", "", "-L pstricks -t 1.20 -n 0 -R 0 -z 0" },
    { "PSTricks",
        "cbPstricksVersion=0;pstricksLineWeight=1.5;pstricksEnvironment=3;pstricksArrowStyle=2;"
        "pstricksBmEpsDir=my dir;pstricksVerbose=1;pstricksGrid=1;cbPstricksFontHandling=1;pstricksXMargin=1.5;"
        "pstricksYMargin=0",
        "-L pstricks -t 1.10 -l 1.5 -n 3 -R 2 -p \"my dir\" -v -G 1 -z 1 -x 1.5" },
    { "SVG", "", "-L svg -z Letter" },
    { "SVG", "cbSvgPageFormat=13;magnification=150;borderWidth=3", "-L svg -m 1.5 -z A4" },
    { "TikZ", "", "-L tikz" },
    { "TikZ",
        "tikzTextEncoding=1;tikzDefaultColor=2;tikzNoFontname=1;tikzFont=cmr10;tikzPrependDir=figs/;"
        "tikzNoFontsizeOrBaselineskip=1;tikzDontQuoteChars=1;tikzPagemode=1;tikzUseTexFonts=1;tikzRemoveSuffix=1;"
        "borderWidth=2",
        "-L tikz -b 2 -E 1 -C 2 -F -f cmr10 -i figs/ -o -O -P -T -w" },
    { "TK/PTK", "", "-L tk -p foo" },
    { "TK/PTK", "tkFullpage=1;cbTkOrientation=1;magnification=150", "-L tk -l foo -P -z Letter" },
    { "Custom", "", " " },
    { "Custom", "customParameters=-L png;magnification=150", " -m 1.5 -L png" },
};

// A document window's export dialog without the window: the document, its
// file and a format row with settings applied through the dialog.
struct Dialog {
    ExportDlg dialog { nullptr, {} };
    QString preview() const { return dialog.findChild<QLabel*>(QStringLiteral("fig2devParameters"))->text(); }

    void prepare(Document& doc, const QString& format, const QString& settings)
    {
        dialog.setContext(doc.context.get());
        dialog.setFileName(doc.path(QStringLiteral("plan.fig")));
        QVERIFY(dialog.selectFormat(format));
        for (const QString& setting : settings.split(';', Qt::SkipEmptyParts))
            QVERIFY2(dialog.setOptionWidget(setting.section('=', 0, 0), setting.section('=', 1)), qPrintable(setting));
    }
};

} // namespace

class TestFormatOptions : public QObject, private ExportCases {
    Q_OBJECT

private slots:
    void initTestCase() { startCases(); }
    void init()
    {
        startCase();
        QSettings(settingsOrganization, settingsApplication).clear();
    }
    void cleanup() { endCase(); }

    void optionsOfEveryRow_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("options");
        for (const Row& row : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(row.format, row.settings))) << QString::fromLatin1(
                row.format) << QString::fromLatin1(row.settings) << QString::fromLatin1(row.options);
    }
    void optionsOfEveryRow()
    {
        QFETCH(QString, format);
        QFETCH(QString, settings);
        QFETCH(QString, options);
        Document doc(plan, QStringLiteral("plan.fig"));
        QVERIFY(doc.loaded);
        Dialog d;
        d.prepare(doc, format, settings);
        QCOMPARE(d.preview(), options);
    }

    // The general widgets each format leaves usable.
    void generalWidgets_data()
    {
        QTest::addColumn<QString>("format");
        // magnification, fit, all, only active, border, background, minor, major, unit
        QTest::addColumn<QString>("enabled");
        QTest::newRow("Bitmap") << "Bitmap"
                                << "111111111";
        QTest::newRow("CGM") << "CGM"
                             << "111100000";
        QTest::newRow("DXF") << "DXF"
                             << "111100000";
        QTest::newRow("Metafile") << "Metafile"
                                  << "011100000";
        QTest::newRow("Custom") << "Custom"
                                << "111111111";
        QTest::newRow("Epic") << "Epic"
                              << "111100000";
        QTest::newRow("Pict2e") << "Pict2e"
                                << "111110000";
        QTest::newRow("TikZ") << "TikZ"
                              << "111110000";
        QTest::newRow("PSTricks") << "PSTricks"
                                  << "111100000";
        QTest::newRow("Gerber") << "Gerber"
                                << "000000000";
        QTest::newRow("IBM-GL") << "IBM-GL"
                                << "111100000";
        QTest::newRow("Map") << "Map"
                             << "011110000";
        QTest::newRow("SVG") << "SVG"
                             << "111100000";
        QTest::newRow("TK/PTK") << "TK/PTK"
                                << "011100000";
    }
    void generalWidgets()
    {
        QFETCH(QString, format);
        QFETCH(QString, enabled);
        Document doc(plan, QStringLiteral("plan.fig"));
        Dialog d;
        d.prepare(doc, format, QString());
        QString actual;
        for (const char* name : { "magnification", "btFitToPage", "rbExportAll", "rbExportOnlyActive", "borderWidth",
                 "cbBackground", "cbGridMinor", "cbGridMajor", "cbGridUnit" })
            actual += d.dialog.findChild<QWidget*>(QLatin1String(name))->isEnabled() ? '1' : '0';
        QCOMPARE(actual, enabled);
    }

    // Bitmap: the transparent colour for GIF only, the quality for JPEG only;
    // the extension follows the chosen format.
    void bitmapFieldsFollowTheFormat()
    {
        Document doc(plan, QStringLiteral("plan.fig"));
        Dialog d;
        d.prepare(doc, QStringLiteral("Bitmap"), QStringLiteral("rbJpeg=1"));
        QVERIFY(!d.dialog.findChild<QWidget*>(QStringLiteral("transpCol"))->isEnabled());
        QVERIFY(d.dialog.findChild<QWidget*>(QStringLiteral("jpegQuality"))->isEnabled());
        QCOMPARE(QFileInfo(d.dialog.proposedOutputPath()).suffix(), QStringLiteral("jpeg"));
        QVERIFY(d.dialog.setOptionWidget(QStringLiteral("rbTiff"), QStringLiteral("1")));
        QVERIFY(!d.dialog.findChild<QWidget*>(QStringLiteral("jpegQuality"))->isEnabled());
        QCOMPARE(QFileInfo(d.dialog.proposedOutputPath()).suffix(), QStringLiteral("tiff"));
    }

    void proposedExtensions_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("extension");
        QTest::newRow("CGM") << "CGM"
                             << ""
                             << "cgm";
        QTest::newRow("DXF") << "DXF"
                             << ""
                             << "dxf";
        QTest::newRow("Metafile") << "Metafile"
                                  << ""
                                  << "emf";
        QTest::newRow("Epic") << "Epic"
                              << ""
                              << "tex";
        QTest::newRow("LaTeX") << "LaTeX"
                               << ""
                               << "tex";
        QTest::newRow("Pict2e") << "Pict2e"
                                << ""
                                << "tex";
        QTest::newRow("PicTeX") << "PicTeX"
                                << ""
                                << "tex";
        QTest::newRow("PSTricks") << "PSTricks"
                                  << ""
                                  << "pstricks";
        QTest::newRow("TikZ") << "TikZ"
                              << ""
                              << "tikz";
        QTest::newRow("Pic") << "Pic"
                             << ""
                             << "pic";
        QTest::newRow("Gerber") << "Gerber"
                                << ""
                                << "gbx";
        QTest::newRow("IBM-GL") << "IBM-GL"
                                << ""
                                << "ibmgl";
        QTest::newRow("Map") << "Map"
                             << ""
                             << "map";
        QTest::newRow("Metafont") << "Metafont"
                                  << ""
                                  << "mf";
        QTest::newRow("Metapost") << "Metapost"
                                  << ""
                                  << "mp";
        QTest::newRow("Metapost, multi-level") << "Metapost"
                                               << "multiLevel=1"
                                               << "mmp";
        QTest::newRow("SVG") << "SVG"
                             << ""
                             << "svg";
        QTest::newRow("TK/PTK") << "TK/PTK"
                                << ""
                                << "tk";
        QTest::newRow("Custom") << "Custom"
                                << ""
                                << "";
    }
    void proposedExtensions()
    {
        QFETCH(QString, format);
        QFETCH(QString, settings);
        QFETCH(QString, extension);
        Document doc(plan, QStringLiteral("plan.fig"));
        Dialog d;
        d.prepare(doc, format, settings);
        QCOMPARE(d.dialog.proposedOutputPath(), doc.path(QStringLiteral("plan.")) + extension);
    }

    // SVG and TK/PTK take the document's paper (and TK/PTK its orientation);
    // the full-page box opens the paper list.
    void documentPaperInTheLists()
    {
        Document doc(figure(box(0, 0, 1200, 1200), true, "A4", true), QStringLiteral("plan.fig"));
        Dialog d;
        d.prepare(doc, QStringLiteral("SVG"), QString());
        auto* svgPaper = d.dialog.findChild<QComboBox*>(QStringLiteral("cbSvgPageFormat"));
        QCOMPARE(svgPaper->count(), 29);
        QCOMPARE(svgPaper->currentText(), QStringLiteral("ISO A4  ( 210mm x  297mm)"));
        QCOMPARE(d.preview(), QStringLiteral("-L svg -z A4"));
        QVERIFY(d.dialog.selectFormat(QStringLiteral("TK/PTK")));
        QCOMPARE(d.preview(), QStringLiteral("-L tk -l foo"));
        auto* tkPaper = d.dialog.findChild<QComboBox*>(QStringLiteral("cbTkPageFormat"));
        QVERIFY(!tkPaper->isEnabled());
        QVERIFY(d.dialog.setOptionWidget(QStringLiteral("tkFullpage"), QStringLiteral("1")));
        QVERIFY(tkPaper->isEnabled());
        QCOMPARE(d.preview(), QStringLiteral("-L tk -l foo -P -z A4"));
        QVERIFY(d.dialog.setOptionWidget(QStringLiteral("tkFullpage"), QStringLiteral("0")));
        QVERIFY(!tkPaper->isEnabled());
    }

    // The custom text goes to the settings with every refresh and comes back
    // into a new dialog.
    void customParametersAreKept()
    {
        Document doc(plan, QStringLiteral("plan.fig"));
        {
            Dialog d;
            d.prepare(doc, QStringLiteral("Custom"), QStringLiteral("customParameters=-L svg -b 2"));
            QCOMPARE(QSettings(settingsOrganization, settingsApplication).value("fig2dev parameters").toString(),
                QStringLiteral("-L svg -b 2"));
        }
        Dialog other;
        other.prepare(doc, QStringLiteral("Custom"), QString());
        QCOMPARE(other.preview(), QStringLiteral(" -L svg -b 2"));
    }

    // With the real fig2dev: every row exports the drawing with its start
    // values and with other settings, into a non-empty file.
    void realExports_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("settings");
        const Row exports[] = {
            { "Bitmap", "", "" },
            { "Bitmap", "rbPng=1;cbSmoothFactor=2;bmGrayscale=1;borderWidth=3;cbBackground=5;cbGridMinor=3", "" },
            { "Bitmap", "rbJpeg=1;jpegQuality=90", "" },
            { "CGM", "", "" },
            { "CGM", "dontCompensateLineLength=1;magnification=150", "" },
            { "DXF", "", "" },
            { "DXF", "dxfAnsiApaper=1;dxfRestrictArea=1;dxfAreaXur=5;dxfAreaYur=4;magnification=150", "" },
            { "Epic", "", "" },
            { "Epic", "cbEpicLanguage=1;arrowDivide=2.5;epicRotatedText=1;epicComments=1", "" },
            { "Gerber", "", "" },
            { "Gerber", "cbGbxDimensions=1;gbxScaleX=2;cbGbxComments=1;cbGbxPolarity=0", "" },
            { "IBM-GL", "", "" },
            { "IBM-GL", "ibmglRestrictArea=1;ibmglAreaXur=5;ibmglAreaYur=4;ibmglXoffset=1;magnification=50", "" },
            { "LaTeX", "", "" },
            { "LaTeX", "dashmag=150;cbLatexTextEncoding=1", "" },
            { "Map", "", "" },
            { "Map", "borderWidth=3;rbExportOnlyActive=1", "" },
            { "Metafile", "", "" },
            { "Metafile", "rbExportOnlyActive=1", "" },
            { "Metafont", "", "" },
            { "Metafont", "penMagnification=8;mfFilename=my font", "" },
            { "Metapost", "", "" },
            { "Metapost", "multiLevel=1;metapostPrologues=2;metapostHeader=head.mp", "" },
            { "PDF", "", "" },
            { "PDF", "cbPdfOrientation=1;pdfTitle=plan", "" },
            { "Postscript", "", "" },
            { "Postscript", "cbPsPreview=1;cbMultiplePages=1", "" },
            { "EPS", "", "" },
            { "EPS", "cbEpsPreview=2;rbBoundingBox3=1", "" },
            { "PdfTeX", "", "" },
            { "PdfTeX", "cbPdftexEncoding=2;cbBackground=5", "" },
            { "PsTeX", "", "" },
            { "PsTeX", "cbPsTexMode=2", "" },
            { "Pic", "", "" },
            { "Pic", "picAllowArcbox=1;picFilledEllipses=1", "" },
            { "Pict2e", "", "" },
            { "Pict2e", "pict2ePagemode=1;borderWidth=3;pict2eReplaceArrowheads=1", "" },
            { "PicTeX", "", "" },
            { "PicTeX", "cbPictexTextEncoding=2", "" },
            { "PSTricks", "", "" },
            { "PSTricks", "cbPstricksVersion=0;pstricksGrid=1;pstricksXMargin=1.5", "" },
            { "SVG", "", "" },
            { "SVG", "cbSvgPageFormat=13;magnification=150", "" },
            { "TikZ", "", "" },
            { "TikZ", "tikzPagemode=1;tikzUseTexFonts=1;borderWidth=2", "" },
            { "TK/PTK", "", "" },
            { "TK/PTK", "tkFullpage=1;cbTkOrientation=1", "" },
            { "Custom", "customParameters=-L png", "" },
            { "Custom", "customParameters=-L png -S 4;magnification=150", "" },
        };
        for (const Row& row : exports)
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(row.format, row.settings)))
                << QString::fromLatin1(row.format) << QString::fromLatin1(row.settings);
    }
    void realExports()
    {
        QFETCH(QString, format);
        QFETCH(QString, settings);
        if (QStandardPaths::findExecutable(QStringLiteral("fig2dev")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty())
            QSKIP("fig2dev or Ghostscript is not installed");
        const EmptyProgramFolder realPrograms;
        Document doc(figure(box(1200, 1200, 3600, 2400) + "4 0 0 50 -1 0 12 0.0000 4 135 600 1500 1800 Plan\\001\n"),
            QStringLiteral("plan.fig"));
        Dialog d;
        d.prepare(doc, format, settings);
        QString out = d.dialog.proposedOutputPath();
        if (format == QLatin1String("Custom"))
            out += QStringLiteral("png");
        MessageBoxRecorder boxes;
        QDir::setCurrent(doc.dir.path());
        const bool exported = d.dialog.exportTo(out);
        QVERIFY2(exported, qPrintable(boxes.boxes.value(0).text));
        QVERIFY(QFileInfo(out).size() > 0);
    }

    // fig2dev reads the MetaPost header file itself: a relative name is
    // taken from the drawing's folder, although fig2dev works in a folder of
    // its own; the preview keeps the name as typed.
    void metapostHeaderBesideTheDrawing()
    {
        if (!installed({ "fig2dev" }))
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        Document doc(figure(box(1200, 1200, 3600, 2400)), QStringLiteral("plan.fig"));
        writeFile(doc.path(QStringLiteral("my head.mp")), "% from the header file\n");
        Dialog d;
        d.prepare(doc, QStringLiteral("Metapost"), QStringLiteral("metapostHeader=my head.mp"));
        QVERIFY2(d.preview().endsWith(QStringLiteral(" -d \"my head.mp\"")), qPrintable(d.preview()));
        const QString out = d.dialog.proposedOutputPath();
        MessageBoxRecorder boxes;
        QVERIFY2(d.dialog.exportTo(out), qPrintable(boxes.boxes.value(0).text));
        QVERIFY(readFile(out).contains("% from the header file"));
    }
};

TAVREL_TEST_MAIN(TestFormatOptions)
#include "tst_formatoptions.moc"
