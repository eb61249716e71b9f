// The options every export format shares (magnification, border, grid,
// background colour, layers), the figure-size label, the background list,
// the TeX envelope editor, and the fig2dev run: program folder first, then
// PATH, and every way a run can fail, with a fig2dev stand-in.
#include "exportfixtures.h"

#include "app/preferences.h"
#include "export/exportoptions.h"
#include "render/colors.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QPlainTextEdit>
#include <QTimer>

using namespace exportfixtures;

namespace {

// Boxes at the depths 10, 30 and 50; depth 30 is hidden.
const QByteArray threeDepths
    = box(1200, 1200, 2400, 2400, 10) + box(1200, 1200, 3600, 2400, 30) + box(2400, 1200, 3600, 2400, 50);

// Answers the next modal text editor: puts `text` into it (unless null) and
// accepts it, or rejects it.
void answerTextEditor(QObject* context, bool accept, const QString& text = QString())
{
    QTimer::singleShot(0, context, [accept, text] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog)
            return;
        if (auto* editor = dialog->findChild<QPlainTextEdit*>()) {
            if (!text.isNull())
                editor->setPlainText(text);
        }
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

} // namespace

class TestExportOptions : public QObject {
    Q_OBJECT

    QTemporaryDir bin; // a second stand-in, reached through PATH
    QString workDir;

private slots:
    void initTestCase()
    {
        initDefaultColors();
        QVERIFY(bin.isValid());
        writeFig2devStandIn(bin.path(), bin.filePath(QStringLiteral("path-runs.log")));
        workDir = QDir::currentPath();
    }
    void init() { ExportOptions::finishTimeout = 30000; }
    void cleanup() { QDir::setCurrent(workDir); }

    void commonPart_data()
    {
        QTest::addColumn<int>("magnification");
        QTest::addColumn<int>("border");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("background");
        QTest::addColumn<bool>("onlyActive");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing") << 100 << 0 << 0 << 0 << 0 << 0 << false << "";
        QTest::newRow("magnification 150") << 150 << 0 << 0 << 0 << 0 << 0 << false << " -m 1.5";
        QTest::newRow("magnification 200") << 200 << 0 << 0 << 0 << 0 << 0 << false << " -m 2";
        QTest::newRow("magnification 0") << 0 << 0 << 0 << 0 << 0 << 0 << false << " -m 0";
        QTest::newRow("magnification 33") << 33 << 0 << 0 << 0 << 0 << 0 << false << " -m 0.33";
        QTest::newRow("border 5") << 100 << 5 << 0 << 0 << 0 << 0 << false << " -b 5";
        QTest::newRow("grid 1/4 and 1 in cm") << 100 << 0 << 3 << 5 << 1 << 0 << false << " -G 1/4:1cm";
        QTest::newRow("grid 1/16 in mm") << 100 << 0 << 1 << 0 << 0 << 0 << false << " -G 1/16mm";
        QTest::newRow("major only") << 100 << 0 << 0 << 6 << 3 << 0 << false << " -G :2in";
        QTest::newRow("no grid whatever the unit") << 100 << 0 << 0 << 0 << 4 << 0 << false << "";
        QTest::newRow("red background") << 100 << 0 << 0 << 0 << 0 << 5 << false << " -g Red";
        QTest::newRow("colour 11") << 100 << 0 << 0 << 0 << 0 << 12 << false << " -g SkyBlue1";
        QTest::newRow("shown depths only") << 100 << 0 << 0 << 0 << 0 << 0 << true << " -D +10,50";
        QTest::newRow("all in order") << 150 << 5 << 3 << 0 << 1 << 1 << true
                                      << " -m 1.5 -b 5 -G 1/4cm -g Black -D +10,50";
    }
    void commonPart()
    {
        QFETCH(int, magnification);
        QFETCH(int, border);
        QFETCH(int, minor);
        QFETCH(int, major);
        QFETCH(int, unit);
        QFETCH(int, background);
        QFETCH(bool, onlyActive);
        QFETCH(QString, expected);
        Document doc(figure(threeDepths));
        QVERIFY(doc.loaded);
        doc.context->depthVisible[30] = false;
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        form.ui.magnification->setValue(magnification);
        form.ui.borderWidth->setValue(border);
        form.ui.cbGridMinor->setCurrentIndex(minor);
        form.ui.cbGridMajor->setCurrentIndex(major);
        form.ui.cbGridUnit->setCurrentIndex(unit);
        form.ui.cbBackground->setCurrentIndex(background);
        (onlyActive ? form.ui.rbExportOnlyActive : form.ui.rbExportAll)->setChecked(true);
        QCOMPARE(options.fig2devOptions(), expected);
    }

    // Without a shown depth that holds objects, the list after "+" is empty;
    // an empty drawing has no used depth at all.
    void layersWithoutShownObjects_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::newRow("all hidden") << box(0, 0, 1200, 1200, 30);
        QTest::newRow("empty drawing") << QByteArray();
    }
    void layersWithoutShownObjects()
    {
        QFETCH(QByteArray, objects);
        Document doc(figure(objects));
        QVERIFY(doc.loaded);
        doc.context->depthVisible[30] = false;
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        form.ui.rbExportOnlyActive->setChecked(true);
        QCOMPARE(options.fig2devOptions(), QStringLiteral(" -D +"));
    }

    // The document's magnification (its fraction dropped) comes into the box.
    void contextBringsMagnification()
    {
        Document doc(figure(box(0, 0, 1200, 1200), false, "Letter", false, "150.75"));
        QVERIFY(doc.loaded);
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        QCOMPARE(form.ui.magnification->value(), 150);
        QCOMPARE(options.fig2devOptions(), QStringLiteral(" -m 1.5"));
    }

    void figureSize_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty, inches") << figure(QByteArray(), false) << "0in x 0in";
        QTest::newRow("empty, metric") << figure(QByteArray(), true) << "0cm x 0cm";
        QTest::newRow("2400 x 1200 at 150 %")
            << figure(box(1200, 1200, 3600, 2400), false, "Letter", false, "150.00") << "3in x 1.5in";
        // fig2dev draws a Metric drawing at 450 units a centimetre.
        QTest::newRow("metric") << figure(box(0, 0, 4724, 2362), true) << "10.4978cm x 5.24889cm";
    }
    void figureSize()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        Document doc(text);
        QVERIFY(doc.loaded);
        Form form;
        ExportOptions options(&form.ui);
        QCOMPARE(form.ui.lbFigureSize->text(), QStringLiteral("TextLabel"));
        options.setContext(doc.context.get());
        QCOMPARE(form.ui.lbFigureSize->text(), expected);
    }

    // Changing the magnification shows the new size at the next refresh.
    void figureSizeFollowsMagnification()
    {
        Document doc(figure(box(0, 0, 2400, 1200)));
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        form.ui.magnification->setValue(50);
        options.fig2devOptions();
        QCOMPARE(form.ui.lbFigureSize->text(), QStringLiteral("1in x 0.5in"));
    }

    void backgroundListIsFilledOnce()
    {
        Form form;
        ExportOptions first(&form.ui);
        ExportOptions second(&form.ui);
        ExportOptions third(&form.ui);
        QComboBox* list = form.ui.cbBackground;
        QCOMPARE(list->count(), 33);
        QCOMPARE(list->itemText(0), QStringLiteral("none"));
        QCOMPARE(list->itemData(0).toInt(), -1);
        QVERIFY(list->itemIcon(0).isNull());
        for (int color = 0; color < 32; ++color) {
            QCOMPARE(list->itemText(color + 1), QString());
            QCOMPARE(list->itemData(color + 1).toInt(), color);
            const QImage swatch = list->itemIcon(color + 1).pixmap(list->iconSize()).toImage();
            QCOMPARE(swatch.size(), QSize(126, 18));
            QCOMPARE(swatch.pixel(60, 9) & 0xffffff, QRgb(standardShades[color].shade[20]) & 0xffffff);
        }
    }

    void texEnvelopeEditor_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accepted") << true << "\\documentclass{article}\nINPUTTEXFILETOKEN\n"
                                  << "\\documentclass{article}\nINPUTTEXFILETOKEN\n";
        QTest::newRow("accepted empty") << true << ""
                                        << "";
        QTest::newRow("cancelled") << false << "something else"
                                   << "the template";
    }
    void texEnvelopeEditor()
    {
        QFETCH(bool, accept);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        const QString saved = preferences.exportTexFrame;
        preferences.exportTexFrame = QStringLiteral("the template");
        Form form;
        ExportOptions options(&form.ui);
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit text"));
                shown = dialog->findChild<QPlainTextEdit*>()->toPlainText();
            }
        });
        answerTextEditor(this, accept, typed);
        options.openTexEnvelope(false);
        QCOMPARE(shown, QStringLiteral("the template"));
        QCOMPARE(preferences.exportTexFrame, expected);
        preferences.exportTexFrame = saved;
    }

    // ---- The fig2dev run ----

    // The program folder's fig2dev runs, in a private folder, with the
    // options and the names of the drawing's copy and of the output as
    // separate arguments, even when the program folder's name holds a
    // blank; names that are not plain become the run's own.
    void runsTheProgramFoldersFig2dev_data()
    {
        QTest::addColumn<QString>("subFolder");
        QTest::newRow("plain folder") << "program";
        QTest::newRow("folder with a blank") << "my program";
    }
    void runsTheProgramFoldersFig2dev()
    {
        QFETCH(QString, subFolder);
        ProgramFolder program(subFolder);
        SearchPath path({ bin.path(), "/usr/bin", "/bin" });
        Document doc(figure(box(0, 0, 1200, 1200)), QStringLiteral("my plan.fig"));
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        form.ui.magnification->setValue(150);
        QDir::setCurrent(doc.dir.path());
        MessageBoxRecorder boxes;
        const QString out = doc.path(QStringLiteral("out file.eps"));
        QVERIFY(options.exportFigure(doc.path(QStringLiteral("my plan.fig")), out));
        QCOMPARE(commandsOf(program.runs()),
            QStringList({ loggedRun({ "-m", "1.5", "tavrel-drawing.fig", "tavrel-export.eps" }) }));
        QVERIFY(ranInPrivateFolders(program.runs()));
        QVERIFY(standins::runs(bin.filePath(QStringLiteral("path-runs.log"))).isEmpty());
        QCOMPARE(readFile(out), QByteArray("output\n"));
        QVERIFY(boxes.boxes.isEmpty());
    }

    // Without fig2dev in the program folder, the one on PATH runs, quietly.
    void fallsBackToPath()
    {
        const EmptyProgramFolder realPrograms;
        SearchPath path({ bin.path(), "/usr/bin", "/bin" });
        Document doc(figure(box(0, 0, 1200, 1200)));
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        MessageBoxRecorder boxes;
        const QString pathLog = bin.filePath(QStringLiteral("path-runs.log"));
        QFile::remove(pathLog);
        QVERIFY(options.exportFigure(doc.path(), doc.path(QStringLiteral("out.svg"))));
        QCOMPARE(standins::runs(pathLog).value(0), loggedRun({ "drawing.fig", "out.svg" }));
        QVERIFY(boxes.boxes.isEmpty());
    }

    // Every failure of a run is one "Export failed!" box and one log entry
    // with the command and what fig2dev said; the export counts as failed.
    void failuresAreReported_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing everywhere") << QByteArray() << true << "%1 failed with error code 0\n\n";
        QTest::newRow("exit code 1") << QByteArray("fail") << false
                                     << "%2 failed with exit code 1\n\nfig2dev: cannot do that\n";
        QTest::newRow("crash") << QByteArray("crash") << false << "%2 failed with error code 1\n\n";
        QTest::newRow("time-out") << QByteArray("sleep") << false << "%2 failed\n\n\n";
        QTest::newRow("no output file") << QByteArray("silent") << false
                                        << "%1 failed\n\nNo output file out.eps was written.";
        QTest::newRow("empty output file")
            << QByteArray("empty") << false << "%1 failed\n\nThe output file out.eps is empty.";
        QTest::newRow("part of an output file")
            << QByteArray("partial") << false << "%2 failed with exit code 1\n\nfig2dev: write error\n";
    }
    void failuresAreReported()
    {
        QFETCH(QByteArray, mode);
        QFETCH(bool, missing);
        QFETCH(QString, message);
        ProgramFolder program;
        if (missing)
            QFile::remove(program.folder + QStringLiteral("/fig2dev"));
        // Debian's /bin holds the real fig2dev; the stand-ins need its sleep.
        SearchPath path(missing ? QStringList { program.folder } : QStringList { bin.path(), "/bin" });
        StandInMode standIn(mode.constData());
        ExportOptions::finishTimeout = 1000;
        Document doc(figure(box(0, 0, 1200, 1200)));
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        MessageBoxRecorder boxes;
        const QString out = doc.path(QStringLiteral("out.eps"));
        const QString commandLine = QStringLiteral("fig2dev drawing.fig out.eps");
        writeFile(out, "an earlier export\n");
        QFile::remove(appDir + QStringLiteral("/tavrel.log"));
        QVERIFY(!options.exportFigure(doc.path(), out));
        QCOMPARE(boxes.boxes.size(), 1);
        const MessageBoxRequest& box = boxes.boxes.first();
        QCOMPARE(box.title, QStringLiteral("Export failed!"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const QString expected = QString(message)
                                     .replace(QStringLiteral("%1"), commandLine)
                                     .replace(QStringLiteral("%2"), program.folder + QStringLiteral("/") + commandLine);
        QCOMPARE(box.text, expected);
        const QString log = QString::fromUtf8(readFile(appDir + QStringLiteral("/tavrel.log")));
        QVERIFY2(log.contains(expected), qPrintable(log));
        // Nothing of the failed run reached the output's folder.
        QCOMPARE(readFile(out), QByteArray("an earlier export\n"));
        QCOMPARE(QDir(doc.dir.path()).entryList(QDir::Files), QStringList({ "drawing.fig", "out.eps" }));
    }

    // A file of the output's name from before is replaced by a new export,
    // and stays as it was when the run writes nothing.
    void earlierOutputIsReplacedOnlyByANewOne()
    {
        ProgramFolder program;
        Document doc(figure(box(0, 0, 1200, 1200)));
        Form form;
        ExportOptions options(&form.ui);
        options.setContext(doc.context.get());
        const QString out = doc.path(QStringLiteral("out.eps"));
        writeFile(out, "an older export, longer than the new one\n");
        MessageBoxRecorder boxes;
        QVERIFY(options.exportFigure(doc.path(), out));
        QCOMPARE(readFile(out), QByteArray("output\n"));
        StandInMode silent("silent");
        QVERIFY(!options.exportFigure(doc.path(), out));
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(readFile(out), QByteArray("output\n"));
    }
};

TAVREL_TEST_MAIN(TestExportOptions)
#include "tst_exportoptions.moc"
