// The preferences dialog of a real main window: its tabs, what loading shows
// (and that it changes nothing), what OK stores, flushes and writes for a
// change of one preference, the file choosers, the Ghostscript box, the
// connections made by loading, and flushing the LaTeX images so that special
// texts are typeset again (stand-ins of latex, dvips and gs first on PATH).
#include "app/appdir.h"
#include "app/mainwindowtestfolder.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/preferencesdlg.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "support/filedialogrecorder.h"
#include "support/formneed.h"
#include "support/messageboxrecorder.h"
#include "support/standins.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "toolbars/drawingattributes.h"

#include "ui_preferencesdlg.h"

#include <QPixmap>
#include <QSettings>

#include <functional>
#include <memory>

namespace {

// A drawing with one special text inside a compound and one plain text.
const QByteArray texts = "#FIG 3.2\nPortrait\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                         "6 1200 1000 3000 1300\n"
                         "4 0 0 50 -1 0 12 0.0000 2 135 405 1200 1200 $x^2$\\001\n"
                         "-6\n"
                         "4 0 0 50 -1 0 12 0.0000 0 135 405 1200 2400 plain\\001\n";

// Whether the preferences were written to the settings (every writing
// stores the version among them; other keys, such as the recent files, are
// written by others).
bool preferencesWritten()
{
    return QSettings(settingsOrganization, settingsApplication).contains("version");
}

QList<FigText*> textsOf(CFigContext& context)
{
    QList<FigText*> found;
    std::function<void(const FigObjectList&)> walk = [&](const FigObjectList& list) {
        for (FigObject* object : list) {
            if (object->type == FigObject::Text)
                found << static_cast<FigText*>(object);
            else if (object->type == FigObject::Compound)
                walk(*static_cast<FigCompound*>(object)->members);
        }
    };
    walk(context.drawing.objects);
    return found;
}

} // namespace

class TestPreferencesDlg : public QObject {
    Q_OBJECT

    MainWindowTestFolder folder;
    std::unique_ptr<QTMainFrm> window;
    QTemporaryDir programs; // stand-ins of latex, dvips and gs
    QString runsLog;
    QByteArray savedPath;

    PreferencesDlg& dialog() { return *window->preferencesDlg; }
    Ui::PreferencesDlg& form() { return window->preferencesDlg->form(); }
    CFigContext& ctx() { return *window->activeMdiChild()->figContext; }

    // Starts a main window on the drawing of texts, with the dialog shown
    // and loaded from the preferences as they are now.
    void start()
    {
        window = std::make_unique<QTMainFrm>();
        mainWindow = window.get();
        QVERIFY(MainWindowTestFolder::showActive(*window));
        const QString name = folder.path("texts.fig");
        writeFile(name, texts);
        window->openFile(name);
        QCOMPARE(textsOf(ctx()).size(), 2);
        dialog().loadValues();
        window->onOpenPreferencesDlg();
        QVERIFY(dialog().isVisible());
    }
    // Marks every text as typeset and failed, as drawing leaves them.
    void markTexts()
    {
        for (FigText* text : textsOf(ctx())) {
            text->latexFailed = true;
            text->latexPixmaps[0].insert(1, new QPixmap(4, 4));
        }
    }
    // Whether the images of the document's texts were flushed.
    bool textsFlushed()
    {
        for (FigText* text : textsOf(ctx())) {
            if (text->latexFailed || !text->latexPixmaps[0].isEmpty())
                return false;
        }
        return true;
    }
    void ok() { form().buttonBox->button(QDialogButtonBox::Ok)->click(); }
    void cancel() { form().buttonBox->button(QDialogButtonBox::Cancel)->click(); }

private slots:
    void initTestCase()
    {
        folder.initOnce();
        QVERIFY(programs.isValid());
        appDir = testenv::home().isEmpty() ? programs.path() : testenv::home();
        runsLog = programs.filePath("runs.log");
        QImage image(30, 20, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(programs.filePath("image.png")));
        QVERIFY(!standins::write(programs.path(), "latex", runsLog,
            "dir=.; prev=; for a in \"$@\"; do [ \"$prev\" = -output-directory ] && dir=\"$a\"; prev=\"$a\"; done\n"
            "echo dvi > \"$dir/texclip.dvi\"")
                     .isEmpty());
        QVERIFY(!standins::write(programs.path(), "dvips", runsLog,
            "prev=; for a in \"$@\"; do [ \"$prev\" = -o ] && out=\"$a\"; prev=\"$a\"; done\necho eps > \"$out\"")
                     .isEmpty());
        QVERIFY(!standins::write(programs.path(), "gs", runsLog, standins::ghostscriptBody(programs.filePath("image")))
                     .isEmpty());
        savedPath = qgetenv("PATH");
    }
    void cleanupTestCase() { folder.finishOnce(); }
    void init()
    {
        currentAttrs = DrawingAttributes();
        QVERIFY(folder.reset());
        // Special texts are typeset only where a test asks for it.
        preferences.renderSpecialTextUsingTex = false;
        preferences.detectedGhostscriptPath = "/usr/bin/gs";
        preferences.ghostscriptLocation = "/usr/bin/gs";
        QFile::remove(runsLog);
    }
    void cleanup()
    {
        window.reset();
        folder.restore();
        qputenv("PATH", savedPath);
    }

    void form_()
    {
        start();
        QCOMPARE(dialog().windowTitle(), QString("Preferences"));
        const int height = sizeOrNeed(dialog(), QSize(0, 620)).height();
        QCOMPARE(dialog().minimumHeight(), height);
        QCOMPARE(dialog().maximumHeight(), height);
        QCOMPARE(dialog().locale(), QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(form().tabWidget->count(), 4);
        QStringList tabs;
        for (int i = 0; i < 4; ++i)
            tabs << form().tabWidget->tabText(i);
        QCOMPARE(tabs, QStringList({ "EPS View", "TeX View", "Environment", "Other" }));
        QCOMPARE(form().tabWidget->currentIndex(), 0);
        QVERIFY(form().pathLabel->text().startsWith("The following line will be added to your PATH variable."));
        QCOMPARE(form().cbWidgetStyle->count(), 1);
        QCOMPARE(form().cbWidgetStyle->itemData(0).toInt(), 0);
        QList<int> codes;
        QStringList views;
        for (int i = 0; i < form().cbCompoundEditinViewMode->count(); ++i) {
            views << form().cbCompoundEditinViewMode->itemText(i);
            codes << form().cbCompoundEditinViewMode->itemData(i).toInt();
        }
        QCOMPARE(views, QStringList({ "dimmed", "grayed", "hidden", "normal" }));
        QCOMPARE(codes, QList<int>({ 10, 11, 12, 3 }));
        QCOMPARE(form().previewResolution->maximum(), 10000);
        QCOMPARE(form().commentTipDelay->maximum(), 100000);
        QCOMPARE(form().pdfViewerPath->text(), QString("xdg-open \"FILENAME\""));
        QCOMPARE(form().psViewerPath->text(), QString("xdg-open \"FILENAME\""));
    }

    // Each box enables the fields that depend on it.
    void enablingRules()
    {
        start();
        form().previewEps->setChecked(false);
        QVERIFY(!form().cbPreviewFiletype->isEnabled());
        QVERIFY(!form().previewResolution->isEnabled());
        form().previewEps->setChecked(true);
        QVERIFY(form().previewResolution->isEnabled());
        QVERIFY(!form().tempDir->isEnabled());
        form().useDefaultTempDir->setChecked(false);
        QVERIFY(form().tempDir->isEnabled());
        QVERIFY(!form().ghostscriptLocation->isEnabled());
        QVERIFY(!form().btOpenGsPathDlg->isEnabled());
        form().useDefaultGSLocation->setChecked(false);
        QVERIFY(form().ghostscriptLocation->isEnabled());
        QVERIFY(form().btOpenGsPathDlg->isEnabled());
    }

    // Stored values shown and stored back as the controls can hold them.
    void storedValuesComeBack_data()
    {
        QTest::addColumn<QString>("fileType");
        QTest::addColumn<int>("viewMode");
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("fileTypeBack");
        QTest::addColumn<int>("viewModeBack");
        QTest::addColumn<int>("resolutionBack");
        QTest::addColumn<QString>("encodingBack");
        QTest::newRow("as stored") << "jpeg" << 12 << 300 << "UTF-8"
                                   << "jpeg" << 12 << 300 << "UTF-8";
        QTest::newRow("normal view") << "png256" << 3 << 96 << "ISO 8859-1"
                                     << "png256" << 3 << 96 << "ISO 8859-1";
        QTest::newRow("unknown values") << "gif" << 7 << 0 << "KOI8-R"
                                        << "png256" << 10 << 1 << "ISO 8859-1";
        QTest::newRow("jpeg in capitals") << "JPEG" << 11 << 20000 << "utf-8"
                                          << "png256" << 11 << 10000 << "ISO 8859-1";
    }
    void storedValuesComeBack()
    {
        QFETCH(QString, fileType);
        QFETCH(int, viewMode);
        QFETCH(int, resolution);
        QFETCH(QString, encoding);
        preferences.epsPreviewFileType = fileType;
        preferences.compoundEditViewMode = viewMode;
        preferences.epsPreviewResolution = resolution;
        preferences.fileEncoding = encoding;
        start();
        ok();
        QTEST(preferences.epsPreviewFileType, "fileTypeBack");
        QTEST(preferences.compoundEditViewMode, "viewModeBack");
        QTEST(preferences.epsPreviewResolution, "resolutionBack");
        QTEST(preferences.fileEncoding, "encodingBack");
        QVERIFY(!dialog().isVisible());
    }

    // OK after changing one preference: the record takes it; the LaTeX
    // images are flushed only for the LaTeX and Ghostscript settings; the
    // settings are written at once only for the Ghostscript ones.
    void okAfterOneChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("flushed");
        QTest::addColumn<bool>("written");
        QTest::newRow("antialiasing") << "antialiasing" << false << false;
        QTest::newRow("pdf viewer") << "pdf viewer" << false << false;
        QTest::newRow("comment tip delay") << "comment tip delay" << false << false;
        QTest::newRow("additional path") << "additional path" << false << false;
        QTest::newRow("render special text") << "render special text" << false << false;
        QTest::newRow("latex command") << "latex command" << true << false;
        QTest::newRow("dvips command") << "dvips command" << true << false;
        QTest::newRow("temp dir box") << "temp dir box" << true << false;
        QTest::newRow("envelope") << "envelope" << true << false;
        QTest::newRow("ghostscript chosen") << "ghostscript chosen" << true << true;
        QTest::newRow("ghostscript typed") << "ghostscript typed" << true << true;
        QTest::newRow("nothing") << "" << false << false;
    }
    void okAfterOneChange()
    {
        QFETCH(QString, change);
        QFETCH(bool, flushed);
        QFETCH(bool, written);
        start();
        markTexts();
        QVERIFY(!preferencesWritten());
        const Preferences before = preferences;
        Preferences expected = preferences;
        FileDialogRecorder files({ "/opt/ghost script/bin/gs" });
        if (change == "antialiasing") {
            form().antialiasing->setChecked(false);
            expected.antialiasing = false;
        } else if (change == "pdf viewer") {
            form().pdfViewerPath->setText("evince \"FILENAME\"");
            expected.pdfViewerCommand = "evince \"FILENAME\"";
        } else if (change == "comment tip delay") {
            form().commentTipDelay->setValue(250);
            expected.commentTipDelay = 250;
        } else if (change == "additional path") {
            form().additionalPath->setText("/opt/tex/bin");
            expected.additionalPath = "/opt/tex/bin";
        } else if (change == "render special text") {
            form().previewTex->setChecked(true);
            expected.renderSpecialTextUsingTex = true;
        } else if (change == "latex command") {
            form().texCommand->setText("pdflatex INFILE");
            expected.latexCommand = "pdflatex INFILE";
        } else if (change == "dvips command") {
            form().dvipsCommand->setText("dvips -o OUTFILE INFILE");
            expected.dvipsCommand = "dvips -o OUTFILE INFILE";
        } else if (change == "temp dir box") {
            form().useDefaultTempDir->setChecked(false);
            expected.useDefaultTempDir = false;
        } else if (change == "envelope") {
            form().latexEnvelope->setPlainText("\\documentclass{article}\nTEXTTOKEN");
            expected.specialTextTexFrame = "\\documentclass{article}\nTEXTTOKEN";
        } else if (change == "ghostscript chosen") {
            form().useDefaultGSLocation->setChecked(false);
            form().btOpenGsPathDlg->click();
            expected.useDefaultGsLocation = false;
            expected.ghostscriptLocation = "/opt/ghost script/bin/gs";
        } else if (change == "ghostscript typed") {
            form().ghostscriptLocation->setText("/usr/local/bin/gs");
            expected.ghostscriptLocation = "/usr/local/bin/gs";
        }
        ok();
        QVERIFY(!dialog().isVisible());

        const Preferences& p = preferences;
        QCOMPARE(p.antialiasing, expected.antialiasing);
        QCOMPARE(p.pdfViewerCommand, expected.pdfViewerCommand);
        QCOMPARE(p.psViewerCommand, expected.psViewerCommand);
        QCOMPARE(p.commentTipDelay, expected.commentTipDelay);
        QCOMPARE(p.additionalPath, expected.additionalPath);
        QCOMPARE(p.renderSpecialTextUsingTex, expected.renderSpecialTextUsingTex);
        QCOMPARE(p.latexCommand, expected.latexCommand);
        QCOMPARE(p.dvipsCommand, expected.dvipsCommand);
        QCOMPARE(p.useDefaultTempDir, expected.useDefaultTempDir);
        QCOMPARE(p.tempDir, expected.tempDir);
        // The stored envelope keeps its CR LF line ends unless it was edited.
        QCOMPARE(p.specialTextTexFrame, expected.specialTextTexFrame);
        QCOMPARE(p.useDefaultGsLocation, expected.useDefaultGsLocation);
        QCOMPARE(p.ghostscriptLocation, expected.ghostscriptLocation);
        QCOMPARE(p.generateEpsPreview, before.generateEpsPreview);
        QCOMPARE(p.epsPreviewFileType, before.epsPreviewFileType);
        QCOMPARE(p.epsPreviewResolution, before.epsPreviewResolution);
        QCOMPARE(p.fileEncoding, before.fileEncoding);
        QCOMPARE(p.showCommentTips, before.showCommentTips);
        QCOMPARE(p.widgetStyle, before.widgetStyle);
        QCOMPARE(p.compoundEditViewMode, before.compoundEditViewMode);

        QCOMPARE(textsFlushed(), flushed);
        QSettings settings(settingsOrganization, settingsApplication);
        QCOMPARE(preferencesWritten(), written);
        if (written) {
            QCOMPARE(settings.value("use default gs location").toBool(), expected.useDefaultGsLocation);
            QCOMPARE(settings.value("antialiasing").toBool(), expected.antialiasing);
        }
    }

    // Ticking the automatic Ghostscript box takes the Ghostscript found at
    // start at once; Cancel shows the stored box again and leaves that.
    void tickingTheGhostscriptBox()
    {
        preferences.useDefaultGsLocation = false;
        preferences.ghostscriptLocation = "/opt/gs/bin/gs";
        start();
        QCOMPARE(form().ghostscriptLocation->text(), QString("/opt/gs/bin/gs"));
        form().useDefaultGSLocation->setChecked(true);
        QCOMPARE(preferences.ghostscriptLocation, QString("/usr/bin/gs"));
        QCOMPARE(form().ghostscriptLocation->text(), QString("/usr/bin/gs"));
        cancel();
        QVERIFY(!dialog().isVisible());
        QVERIFY(!form().useDefaultGSLocation->isChecked());
        QVERIFY(!preferences.useDefaultGsLocation);
        QCOMPARE(preferences.ghostscriptLocation, QString("/usr/bin/gs"));
        QVERIFY(!preferencesWritten());
    }

    // Loading only shows the preferences: whatever the boxes showed before,
    // no preference changes, and the Ghostscript location stays as stored.
    void loadingChangesNothing_data()
    {
        QTest::addColumn<bool>("storedAutomatic");
        QTest::addColumn<bool>("shownAutomatic");
        QTest::newRow("stored on, box unticked by the user") << true << false;
        QTest::newRow("stored on, box ticked") << true << true;
        QTest::newRow("stored off, box ticked") << false << true;
        QTest::newRow("stored off, box unticked") << false << false;
    }
    void loadingChangesNothing()
    {
        QFETCH(bool, storedAutomatic);
        QFETCH(bool, shownAutomatic);
        preferences.useDefaultGsLocation = storedAutomatic;
        preferences.ghostscriptLocation = "/opt/gs/bin/gs";
        preferences.useDefaultTempDir = !storedAutomatic;
        start();
        {
            const QSignalBlocker blocker(form().useDefaultGSLocation);
            form().useDefaultGSLocation->setChecked(shownAutomatic);
        }
        form().useDefaultTempDir->setChecked(storedAutomatic);
        const Preferences before = preferences;
        cancel();
        dialog().loadValues();
        QCOMPARE(preferences.ghostscriptLocation, QString("/opt/gs/bin/gs"));
        QCOMPARE(preferences.useDefaultGsLocation, before.useDefaultGsLocation);
        QCOMPARE(preferences.useDefaultTempDir, before.useDefaultTempDir);
        QCOMPARE(form().useDefaultGSLocation->isChecked(), storedAutomatic);
        QCOMPARE(form().ghostscriptLocation->text(), QString("/opt/gs/bin/gs"));
        QCOMPARE(form().ghostscriptLocation->isEnabled(), !storedAutomatic);
        QCOMPARE(form().tempDir->isEnabled(), storedAutomatic);
        QVERIFY(!preferencesWritten());
        // A later OK, with nothing touched, finds nothing changed.
        markTexts();
        dialog().show();
        ok();
        QVERIFY(!textsFlushed());
        QVERIFY(!preferencesWritten());
    }

    // However often the dialog is loaded, each of its signals reaches its
    // slot once: one flush box per click, one check of the box per toggle.
    void loadingConnectsOnce()
    {
        start();
        for (int i = 0; i < 3; ++i) {
            dialog().loadValues();
            dialog().show();
            cancel();
        }
        dialog().show();
        MessageBoxRecorder boxes;
        form().flushLatexImages->click();
        QCOMPARE(boxes.boxes.size(), 1);
        form().previewEps->setChecked(false);
        QVERIFY(!form().previewResolution->isEnabled());
        form().previewEps->setChecked(true);
        QVERIFY(form().previewResolution->isEnabled());
        form().antialiasing->setChecked(false);
        ok();
        QVERIFY(!preferences.antialiasing);
        QCOMPARE(boxes.boxes.size(), 1);
    }

    // The file choosers: a viewer gets its path (not quoted) with
    // "FILENAME" in double quotes; Ghostscript the path alone.
    void browse_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("text");
        QTest::newRow("pdf viewer") << "btOpenPdfFileDlg"
                                    << "pdfViewerPath"
                                    << "Select PDF viewer"
                                    << "/opt/my viewer/bin/okular"
                                    << "/opt/my viewer/bin/okular \"FILENAME\"";
        QTest::newRow("ps viewer") << "btOpenPsFileDlg"
                                   << "psViewerPath"
                                   << "Select PS viewer"
                                   << "/usr/bin/gv"
                                   << "/usr/bin/gv \"FILENAME\"";
        QTest::newRow("pdf viewer cancelled") << "btOpenPdfFileDlg"
                                              << "pdfViewerPath"
                                              << "Select PDF viewer" << QString() << "xdg-open \"FILENAME\"";
        QTest::newRow("ghostscript") << "btOpenGsPathDlg"
                                     << "ghostscriptLocation"
                                     << "Select location of gswin32c.exe or another GhostScript implementation"
                                     << "/opt/gs 10/bin/gs"
                                     << "/opt/gs 10/bin/gs";
    }
    void browse()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, caption);
        QFETCH(QString, chosen);
        QFETCH(QString, text);
        preferences.useDefaultGsLocation = false;
        start();
        FileDialogRecorder files({ chosen });
        dialog().findChild<QPushButton*>(button)->click();
        QCOMPARE(files.requests.size(), 1);
        QCOMPARE(files.requests.first().kind, FileDialogRequest::Open);
        QCOMPARE(files.requests.first().caption, caption);
        QCOMPARE(files.requests.first().parent, static_cast<QWidget*>(&dialog()));
        QCOMPARE(files.requests.first().directory, QString());
        QCOMPARE(files.requests.first().filter, QString());
        QCOMPARE(dialog().findChild<QLineEdit*>(field)->text(), text);
        ok();
        if (field == "pdfViewerPath")
            QCOMPARE(preferences.pdfViewerCommand, text);
        else if (field == "psViewerPath")
            QCOMPARE(preferences.psViewerCommand, text);
        else
            QCOMPARE(preferences.ghostscriptLocation, text);
    }

    void resetAdditionalPath()
    {
        preferences.additionalPath = "/opt/tex/bin";
        start();
        QCOMPARE(form().additionalPath->text(), QString("/opt/tex/bin"));
        form().resetAdditionalPath->click();
        QCOMPARE(form().additionalPath->text(), QString());
        QCOMPARE(preferences.additionalPath, QString("/opt/tex/bin"));
        ok();
        QCOMPARE(preferences.additionalPath, QString());
    }

    // "Flush LaTeX images" tells that it is done, and the next drawing of a
    // special text typesets it again.
    void flushLatexImages()
    {
        qputenv("PATH", QFile::encodeName(programs.path()) + ':' + savedPath);
        preferences.renderSpecialTextUsingTex = true;
        preferences.ghostscriptLocation = programs.filePath("gs");
        start();
        window->activeMdiChild()->redisplayCanvas();
        const int typeset = standins::runs(runsLog).size();
        QCOMPARE(typeset, 3); // latex, dvips, gs for the one special text
        window->activeMdiChild()->redisplayCanvas();
        QCOMPARE(standins::runs(runsLog).size(), typeset); // from the cache

        MessageBoxRecorder boxes;
        form().flushLatexImages->click();
        QCOMPARE(boxes.boxes.size(), 1);
        const MessageBoxRequest& box = boxes.boxes.first();
        QCOMPARE(box.title, QString("Done"));
        QCOMPARE(
            box.text, QString("LaTeX images flushed from memory.\nThey will be created again with current settings."));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.parent, static_cast<QWidget*>(window.get()));
        QVERIFY(dialog().isVisible());
        QCOMPARE(standins::runs(runsLog).size(), typeset); // nothing redrawn yet

        window->activeMdiChild()->redisplayCanvas();
        QCOMPARE(standins::runs(runsLog).size(), 2 * typeset);
        QVERIFY(standins::runs(runsLog).last().startsWith("gs"));
    }

    void flushWithoutDocuments()
    {
        start();
        window->mdiArea->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window->childFrames().isEmpty());
        MessageBoxRecorder boxes;
        form().flushLatexImages->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QString("Done"));
    }
};

TAVREL_TEST_MAIN(TestPreferencesDlg)
#include "tst_preferencesdlg.moc"
