// The export dialog of a document window: its rows, pages and preview, the
// save question and its answers, the output file proposal and chooser, the
// run with its working folder, Export Again, and the real fig2dev.
#include "exportfixtures.h"

#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "export/exportdlg.h"
#include "model/figtext.h"
#include "render/colors.h"
#include "render/griddef.h"
#include "render/markers.h"
#include "render/resources.h"
#include "support/filedialogrecorder.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTimer>

using namespace exportfixtures;

namespace {

const QByteArray plan = figure(box(1200, 1200, 3600, 2400, 40) + box(2400, 1200, 4800, 3600, 60));

const char* const rowTexts[] = { "Bitmap", "CGM", "DXF", "Epic", "Gerber", "IBM-GL", "LaTeX", "Map", "Metafile",
    "Metafont", "Metapost", "PDF", "Postscript", "EPS", "PdfTeX", "PsTeX", "Pic", "Pict2e", "PicTeX", "PSTricks", "SVG",
    "TikZ", "TK/PTK", "Custom" };
const char* const pageTitles[] = { "Bitmap Options", "CGM Options", "DXF Options", "Epic Options", "Gerber Options",
    "IBM-GL Options", "LaTeX Options", "Map Options", "Metafile Options", "MetaFont Options", "MetaPost Options",
    "Pdf Options", "PostScript Options", "Encapsulated PostScript Options", "PDFTeX Options", "PSTeX Options",
    "Pic Options", "Pict2e Options", "PicTeX Options", "PSTricks Options", "SVG Options", "TikZ Options",
    "TK and PTK Options", "Any options" };

// A document window holding a drawing file (or an untitled document).
struct Window {
    QTemporaryDir dir;
    QTChildFrm* frame = new QTChildFrm(nullptr);

    Window() { frame->setAttribute(Qt::WA_DeleteOnClose, false); }
    ~Window() { delete frame; }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    QString path(const QString& name) const { return dir.filePath(name); }
    void load(const QByteArray& text = plan, const QString& name = QStringLiteral("plan.fig"))
    {
        writeFile(path(name), text);
        QVERIFY(frame->loadFile(path(name)));
    }
    // A new document, never saved, holding a text.
    void newDrawing(const QString& text)
    {
        frame->newFile();
        CFigContext* ctx = frame->figContext;
        ctx->addObject(&ctx->drawing.objects, ctx->createText(text, 1200, 1200));
    }
    ExportDlg* dialog() const { return frame->exportDlg; }
    template <class W> W* widget(const char* name) const { return dialog()->findChild<W*>(QLatin1String(name)); }
    QListWidget* rows() const { return widget<QListWidget>("exportFormatList"); }
    QString preview() const { return widget<QLabel>("fig2devParameters")->text(); }

    // Export... with the row chosen in the shown dialog and OK pressed;
    // the result of the document window's command.
    bool exportRow(const QString& row, const std::function<void(ExportDlg*)>& adjust = nullptr)
    {
        bool shown = false;
        QTimer::singleShot(0, frame, [&shown, row, adjust] {
            auto* shownDialog = qobject_cast<ExportDlg*>(QApplication::activeModalWidget());
            if (!shownDialog)
                return;
            shown = true;
            shownDialog->selectFormat(row);
            if (adjust)
                adjust(shownDialog);
            shownDialog->accept();
        });
        const bool result = frame->exportFile();
        if (!shown)
            qWarning("the export dialog was not shown");
        return result;
    }
};

} // namespace

class TestExportDialog : public QObject {
    Q_OBJECT

    QString startDir;

private slots:
    void initTestCase()
    {
        initResources();
        createBuiltinGrids();
        initDefaultColors();
        startDir = QDir::currentPath();
    }
    void cleanupTestCase()
    {
        releaseMarkerPixmaps();
        deleteGridDefs();
    }
    void init() { preferences = Preferences(); }
    void cleanup() { QDir::setCurrent(startDir); }

    void newDialogShowsThePostscriptRow()
    {
        ExportDlg dialog(nullptr, {});
        auto* rows = dialog.findChild<QListWidget*>(QStringLiteral("exportFormatList"));
        QCOMPARE(rows->count(), 24);
        for (int i = 0; i < 24; ++i)
            QCOMPARE(rows->item(i)->text(), QString::fromLatin1(rowTexts[i]));
        QCOMPARE(rows->currentRow(), 12);
        QCOMPARE(dialog.findChild<QStackedWidget*>(QStringLiteral("stackedWidget"))->currentIndex(), 12);
        QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("groupBoxSpecific"))->title(),
            QStringLiteral("PostScript Options"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("fig2devParameters"))->text(), QString());
        QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("cbBackground"))->count(), 33);
        QVERIFY(!dialog.hasExported());
    }

    // Each row's page, title and preview with the start values of the form,
    // for an inch drawing on Letter at 150 %.
    void choosingARowShowsItsPage_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("preview");
        const char* const previews[] = {
            "-L gif -m 1.5 -F",
            "-L cgm -m 1.5",
            "-L dxf -m 1.5",
            "-L epic -m 1.5",
            "-L gbx -p neg -g 1x1+0+0 -f 3.5 -v",
            "-L ibmgl -m 1.5 -x 0 -y 0",
            "-L latex -m 1.5",
            "-L map",
            "-L emf",
            "-L mf -m 1.5",
            "-L mp -m 1.5",
            "-L pdf -m 1.5 -F -z Letter -p foo -c",
            "-L ps -m 1.5 -F -z Letter -p foo -c",
            "-L eps -m 1.5 -F",
            "-L pdftex -m 1.5 -F -L pdftex_t -m 1.5 -p \"plan.pdf\"",
            "-L pstex -m 1.5 -F -L pstex_t -m 1.5 -p \"plan.eps\"",
            "-L pic -m 1.5",
            "-L pict2e -m 1.5",
            "-L pictex -m 1.5",
            "-L pstricks -m 1.5 -t 1.20 -n 0 -R 0 -z 0",
            "-L svg -m 1.5 -z Letter",
            "-L tikz -m 1.5",
            "-L tk -p foo",
            " -m 1.5 ",
        };
        for (int i = 0; i < 24; ++i)
            QTest::newRow(rowTexts[i]) << i << QString::fromLatin1(previews[i]);
    }
    void choosingARowShowsItsPage()
    {
        QFETCH(int, row);
        QFETCH(QString, preview);
        Window w;
        w.load(figure(box(0, 0, 1200, 1200), false, "Letter", false, "150.00"));
        w.dialog()->setContext(w.frame->figContext);
        w.dialog()->setFileName(QDir::toNativeSeparators(w.frame->curFile));
        w.rows()->setCurrentRow(row == 0 ? 1 : 0);
        w.widget<QLabel>("fig2devParameters")->setText(QStringLiteral("stale"));
        w.rows()->setCurrentRow(row);
        QCOMPARE(w.widget<QStackedWidget>("stackedWidget")->currentIndex(), row);
        QCOMPARE(w.widget<QGroupBox>("groupBoxSpecific")->title(), QString::fromLatin1(pageTitles[row]));
        QCOMPARE(w.preview(), preview);
    }

    // Every value widget refreshes the preview, but those that choose the
    // route, a viewer or the overlay name's source.
    void widgetChangesRefreshThePreview()
    {
        const QSet<QString> outside { "epsUseLatex", "psUseLatex", "pdfUseLatex", "epsOpenInViewer", "psOpenInViewer",
            "pdfOpenInViewer", "pdftexOpenInPdfViewer", "pstexOpenInPsViewer", "useDefaultPdftexOverlayFile",
            "useDefaultPstexOverlayFile" };
        Window w;
        w.load();
        w.dialog()->setContext(w.frame->figContext);
        QLabel* preview = w.widget<QLabel>("fig2devParameters");
        int refreshing = 0;
        const QList<QWidget*> widgets = w.dialog()->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue;
            auto* combo = qobject_cast<QComboBox*>(widget);
            while (combo && combo->count() < 2)
                combo->addItem(QStringLiteral("item"));
            preview->setText(QStringLiteral("stale"));
            if (auto* spin = qobject_cast<QSpinBox*>(widget))
                spin->setValue(spin->value() == 1 ? 2 : 1);
            else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(widget))
                decimal->setValue(decimal->value() == 1 ? 2 : 1);
            else if (combo)
                combo->setCurrentIndex(combo->currentIndex() == 1 ? 0 : 1);
            else if (auto* check = qobject_cast<QCheckBox*>(widget))
                check->setChecked(!check->isChecked());
            else if (auto* radio = qobject_cast<QRadioButton*>(widget))
                radio->click();
            else if (auto* edit = qobject_cast<QLineEdit*>(widget))
                QTest::keyClicks(edit, QStringLiteral("x"));
            else
                continue;
            const bool refreshed = preview->text() != QStringLiteral("stale");
            QVERIFY2(refreshed != outside.contains(name), qPrintable(name));
            refreshing += refreshed;
        }
        QCOMPARE(refreshing, 159);
        // The fit button changes the preview only through the magnification:
        // once fitted, a second click changes nothing.
        w.widget<QPushButton>("btFitToPage")->click();
        preview->setText(QStringLiteral("stale"));
        w.widget<QPushButton>("btFitToPage")->click();
        QCOMPARE(preview->text(), QStringLiteral("stale"));
    }

    void cancelRestoresTheRowOfTheOpening()
    {
        Window w;
        w.load();
        QTimer::singleShot(0, w.frame, [&w] {
            w.rows()->setCurrentRow(3);
            w.dialog()->reject();
        });
        QVERIFY(!w.frame->exportFile());
        QCOMPARE(w.rows()->currentRow(), 12);
        QCOMPARE(w.widget<QGroupBox>("groupBoxSpecific")->title(), QStringLiteral("PostScript Options"));
        QVERIFY(!w.dialog()->hasExported());
    }

    // The run: the program folder's fig2dev, in a private folder, reads a
    // copy of the drawing's file and writes a file of the chosen name that
    // then replaces the chosen file; the current folder is given back
    // afterwards; Export Again repeats the same run without a question or a
    // file dialog and saves a modified drawing first.
    void exportAndExportAgain()
    {
        ProgramFolder program;
        Window w;
        w.load();
        QTemporaryDir outDir;
        const QString out = outDir.filePath(QStringLiteral("result.map"));
        FileDialogRecorder files({ out });
        MessageBoxRecorder boxes;
        QDir::setCurrent(outDir.path());
        QVERIFY(w.exportRow(QStringLiteral("Map"), [](ExportDlg* dialog) {
            QVERIFY(dialog->setOptionWidget(QStringLiteral("borderWidth"), QStringLiteral("5")));
        }));
        QCOMPARE(QDir::currentPath(), outDir.path());
        const QString figPath = w.path(QStringLiteral("plan.fig"));
        const QStringList oneRun { loggedRun({ "-L", "map", "-b", "5", "plan.fig", "result.map" }) };
        QCOMPARE(commandsOf(program.runs()), oneRun);
        QVERIFY(ranInPrivateFolders(program.runs()));
        QCOMPARE(readFile(out), QByteArray("output\n"));
        QCOMPARE(files.requests.size(), 1);
        QCOMPARE(files.requests.first().kind, FileDialogRequest::Save);
        QCOMPARE(files.requests.first().caption, QStringLiteral("Eport to"));
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(w.dialog()->hasExported());

        // Again, after a change: saved without asking, the same run.
        w.frame->figContext->setModified();
        const QByteArray before = readFile(figPath);
        QFile::remove(out);
        QVERIFY(w.frame->exportAgain());
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(files.requests.size(), 1);
        QVERIFY(readFile(figPath) != before);
        QVERIFY(!w.frame->figContext->modified);
        QCOMPARE(commandsOf(program.runs()), oneRun + oneRun);
        QCOMPARE(readFile(out), QByteArray("output\n"));
    }

    // A modified drawing: Yes saves it first, No exports the file as it is on
    // disk, Cancel writes nothing at all (no output file chosen, no run).
    void saveQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("exported");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true << true;
        QTest::newRow("no") << int(QMessageBox::No) << false << true;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    }
    void saveQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QFETCH(bool, exported);
        ProgramFolder program;
        Window w;
        w.load();
        w.frame->figContext->setModified();
        const QString figPath = w.path(QStringLiteral("plan.fig"));
        const QString out = w.path(QStringLiteral("plan.svg"));
        FileDialogRecorder files({ out });
        MessageBoxRecorder boxes { QMessageBox::StandardButton(answer) };
        QCOMPARE(w.exportRow(QStringLiteral("SVG")), exported);
        QCOMPARE(boxes.boxes.size(), 1);
        const MessageBoxRequest& question = boxes.boxes.first();
        QCOMPARE(question.title, QStringLiteral("Save changes?"));
        QCOMPARE(question.text,
            QStringLiteral("'plan.fig' has been modified.\nDo you want to save your changes to include them in the "
                           "exported file?"));
        QCOMPARE(question.icon, QMessageBox::Warning);
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(question.defaultButton, QMessageBox::Yes);
        QCOMPARE(readFile(figPath) != plan, saved);
        QCOMPARE(w.frame->figContext->modified, !saved);
        QCOMPARE(files.requests.size(), exported ? 1 : 0);
        QCOMPARE(QFile::exists(out), exported);
        QCOMPARE(program.runs().size(), exported ? 2 : 0);
        QCOMPARE(w.dialog()->hasExported(), exported);
    }

    // An untitled drawing saved at the question: the proposal and the run
    // take the name it was saved under. A save whose dialog is cancelled
    // exports nothing: the changes were to be in the exported file.
    void untitledDrawingSavedFirst()
    {
        ProgramFolder program;
        Window w;
        w.frame->newFile();
        w.frame->figContext->setModified();
        const QString saveAs = w.path(QStringLiteral("named.fig"));
        const QString out = w.path(QStringLiteral("named.svg"));
        MessageBoxRecorder boxes(QMessageBox::Yes);
        {
            FileDialogRecorder files({ QString() });
            QVERIFY(!w.exportRow(QStringLiteral("SVG")));
            QCOMPARE(files.requests.size(), 1);
            QCOMPARE(files.requests.first().caption, QStringLiteral("Save As"));
            QVERIFY(program.runs().isEmpty());
            QVERIFY(!w.dialog()->hasExported());
        }
        FileDialogRecorder files({ saveAs, out });
        QVERIFY(w.exportRow(QStringLiteral("SVG")));
        QCOMPARE(files.requests.size(), 2);
        QCOMPARE(files.requests.at(1).directory, w.path(QStringLiteral("named.svg")));
        QCOMPARE(program.runs().value(0), loggedRun({ "-L", "svg", "-z", "A4", "named.fig", "named.svg" }));
        QCOMPARE(readFile(out), QByteArray("output\n"));
    }

    // The proposal: the drawing's folder and name at first, the extension of
    // the format; afterwards the folder and name last chosen. A dot in a
    // folder name is no suffix.
    void proposals()
    {
        ProgramFolder program;
        Window w;
        w.load(plan, QStringLiteral("house.fig"));
        QTemporaryDir other;
        QDir().mkpath(other.filePath(QStringLiteral("my.dir")));
        const QString chosen = other.filePath(QStringLiteral("my.dir/out.svg"));
        const QString noSuffix = other.filePath(QStringLiteral("my.dir/plain"));
        FileDialogRecorder files({ chosen, chosen, noSuffix, QString() });
        MessageBoxRecorder boxes;
        QVERIFY(w.exportRow(QStringLiteral("Custom")));
        QCOMPARE(files.requests.at(0).directory, w.path(QStringLiteral("house.")));
        QCOMPARE(files.requests.at(0).filter, QStringLiteral("*."));
        // The chosen suffix is the Custom format's extension from now on.
        QVERIFY(w.exportRow(QStringLiteral("Custom")));
        QCOMPARE(files.requests.at(1).directory, chosen);
        QCOMPARE(files.requests.at(1).filter, QStringLiteral("*.svg"));
        // "plain" has no suffix: the name is taken, the extension stays.
        QVERIFY(w.exportRow(QStringLiteral("Custom")));
        QVERIFY(!w.exportRow(QStringLiteral("Custom")));
        QCOMPARE(files.requests.at(3).directory, other.filePath(QStringLiteral("my.dir/plain.svg")));
        QVERIFY(boxes.boxes.isEmpty());
    }

    // A document never saved, exported without saving: the proposal starts
    // with the separator, the current folder stays, and fig2dev reads what
    // the window shows, not a file of the proposed name that another
    // drawing may have in the current folder.
    void untitledUnsavedDrawing()
    {
        ProgramFolder program;
        StandInMode copying("copy");
        Window w;
        w.newDrawing(QStringLiteral("only in the window"));
        CFigContext* ctx = w.frame->figContext;
        ctx->setModified();
        QDir::setCurrent(w.dir.path());
        const QString name = w.frame->curFile;
        const QByteArray stranger = figure(box(0, 0, 1200, 1200));
        writeFile(w.path(name), stranger);
        const QString out = w.path(QStringLiteral("x.pdf"));
        FileDialogRecorder files({ out });
        MessageBoxRecorder boxes(QMessageBox::No);
        QVERIFY(w.exportRow(QStringLiteral("PDF")));
        QCOMPARE(files.requests.first().directory, QStringLiteral("/") + QFileInfo(name).completeBaseName() + ".pdf");
        QCOMPARE(commandsOf(program.runs()),
            QStringList(
                { loggedRun({ "-L", "pdf", "-F", "-z", "A4", "-p", "foo", "-e", "tavrel-drawing.fig", "x.pdf" }) }));
        QVERIFY(ranInPrivateFolders(program.runs()));
        QCOMPARE(QDir::currentPath(), w.dir.path());
        QVERIFY(readFile(out).contains("only in the window"));
        QCOMPARE(readFile(w.path(name)), stranger);
        QVERIFY(ctx->modified);
        QCOMPARE(boxes.boxes.size(), 1); // the save question only
    }

    // The same with the real fig2dev: an SVG of what the window shows.
    void realFig2devExportsANeverSavedDrawing()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("fig2dev")).isEmpty())
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        Window w;
        w.newDrawing(QStringLiteral("never saved"));
        QDir::setCurrent(w.dir.path());
        const QString out = w.path(QStringLiteral("new.svg"));
        FileDialogRecorder files({ out });
        MessageBoxRecorder boxes(QMessageBox::No);
        const bool exported = w.exportRow(QStringLiteral("SVG"));
        QVERIFY2(exported, qPrintable(boxes.boxes.value(0).text));
        QVERIFY(readFile(out).contains("never saved"));
        QCOMPARE(QDir(w.dir.path()).entryList(QDir::Files), QStringList({ "new.svg" }));
    }

    // Cancelling the file dialog exports nothing and forgets the file; a
    // later Export Again then does nothing until the next export.
    void cancelledFileDialog()
    {
        ProgramFolder program;
        Window w;
        w.load();
        MessageBoxRecorder boxes;
        {
            FileDialogRecorder files({ w.path(QStringLiteral("a.svg")) });
            QVERIFY(w.exportRow(QStringLiteral("SVG")));
        }
        {
            FileDialogRecorder files({ QString() });
            QVERIFY(!w.exportRow(QStringLiteral("SVG")));
        }
        FileDialogRecorder files;
        QVERIFY(!w.frame->exportAgain());
        QVERIFY(files.requests.isEmpty());
        QCOMPARE(program.runs().size(), 2);
    }

    // A failed run is no export: the document window reports no success.
    void failedRunIsNoSuccess()
    {
        ProgramFolder program;
        StandInMode failing("fail");
        Window w;
        w.load();
        FileDialogRecorder files({ w.path(QStringLiteral("out.svg")) });
        MessageBoxRecorder boxes;
        QVERIFY(!w.exportRow(QStringLiteral("SVG")));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("Export failed!"));
        QVERIFY(w.dialog()->hasExported());
        QVERIFY(!w.dialog()->lastExportSucceeded());
        QVERIFY(!w.frame->exportAgain());
        QCOMPARE(boxes.boxes.size(), 2);
    }

    // With the real fig2dev: an EPS file of the drawing.
    void realFig2devWritesEps()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("fig2dev")).isEmpty())
            QSKIP("fig2dev is not installed");
        const EmptyProgramFolder realPrograms;
        Window w;
        w.load();
        const QString out = w.path(QStringLiteral("plan.eps"));
        FileDialogRecorder files({ out });
        MessageBoxRecorder boxes;
        QVERIFY(w.exportRow(QStringLiteral("EPS")));
        QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));
        QVERIFY(readFile(out).startsWith("%!PS-Adobe"));
    }
};

TAVREL_TEST_MAIN(TestExportDialog)
#include "tst_exportdialog.moc"
