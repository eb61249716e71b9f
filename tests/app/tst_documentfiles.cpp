// A document window's files: untitled names, Save As names, the back-up copy,
// saves that fail, and closing with the question to save, together with the
// shared dialogs that must follow the document that stays active.
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/metricsdlg.h"
#include "edit/editstate.h"
#include "mainwindowtestfolder.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "render/griddef.h"
#include "render/resources.h"
#include "support/filedialogrecorder.h"
#include "support/filesizelimit.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

// One line from (1200, 1200) to (2400, 2400).
const QByteArray fixture = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                           "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 2400\n";

// Moves the document's first polyline right, as an edit would, and marks the
// document modified.
void moveFirstLine(QTChildFrm* child, int dx)
{
    auto* line = static_cast<FigLine*>(child->figContext->drawing.objects.front());
    for (FigPoint* point = line->points; point; point = point->next)
        point->x += dx;
    child->figContext->setModified();
}

// Shows the main window and makes it the active one, as at start-up: only
// then does its MDI area keep an active sub-window.
bool showActive(QTMainFrm& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class TestDocumentFiles : public QObject {
    Q_OBJECT

    MainWindowTestFolder folder;

    QString path(const QString& name) const { return folder.path(name); }

private slots:
    void initTestCase() { folder.initOnce(); }
    void cleanupTestCase() { folder.finishOnce(); }
    void init() { QVERIFY(folder.reset()); }
    void cleanup() { folder.restore(); }

    void untitledNumbersAreNeverReused()
    {
        QTMainFrm window;
        const int first = untitledCounter;
        QTChildFrm* a = window.newFile();
        QTChildFrm* b = window.newFile();
        QCOMPARE(a->curFile, QString("document%1.fig").arg(first));
        QCOMPARE(b->curFile, QString("document%1.fig").arg(first + 1));
        QCOMPARE(a->windowTitle(), a->curFile + "[*]");
        QVERIFY(a->isUntitled);
        QVERIFY(!a->isWindowModified());
        a->figContext->setModified();
        QVERIFY(a->isWindowModified());

        // Closed without saving, its number stays taken.
        MessageBoxRecorder boxes(QMessageBox::Discard);
        QVERIFY(window.findSubWindow(a)->close());
        QCOMPARE(boxes.boxes.size(), 1);
        QTChildFrm* c = window.newFile();
        QCOMPARE(c->curFile, QString("document%1.fig").arg(first + 2));
    }

    void loading_data()
    {
        QTest::addColumn<bool>("markersShown");
        QTest::newRow("markers hidden") << false;
        QTest::newRow("all markers shown") << true;
    }
    void loading()
    {
        QFETCH(bool, markersShown);
        QDir(folder.dir->path()).mkpath("sub");
        const QString file = path("sub/a.fig");
        writeFile(file, fixture);
        QTMainFrm window;
        QTChildFrm* child = window.createMdiChild();
        allMarkersShown = markersShown;
        const bool loaded = child->loadFile(file);
        allMarkersShown = false;
        QVERIFY(loaded);
        QCOMPARE(child->windowTitle(), QString("a.fig[*]"));
        QCOMPARE(child->curFile, QFileInfo(file).canonicalFilePath());
        QVERIFY(!child->isUntitled);
        QCOMPARE(QDir::currentPath(), QFileInfo(child->curFile).absolutePath());
        QCOMPARE(child->figContext->drawing.objects.front()->markerState, markersShown ? 1 : 0);
        QVERIFY(!child->canvasPainter.isActive());

        // A file that cannot be read changes nothing.
        const QString before = child->curFile;
        QVERIFY(!child->loadFile(path("missing.fig")));
        QCOMPARE(child->curFile, before);
    }

    void saveAsNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "drawing"
                                      << "drawing.fig";
        QTest::newRow("ends with a dot") << "d2."
                                         << "d2.fig";
        QTest::newRow("upper-case extension") << "d3.FIG"
                                              << "d3.FIG";
        QTest::newRow(".fig inside the name") << "a.fig.txt"
                                              << "a.fig.txt";
        QTest::newRow("back-up name") << "drawing.fig.bak"
                                      << "drawing.fig.bak";
    }
    void saveAsNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        QTChildFrm* child = window.activeMdiChild();
        QVERIFY(child);
        const QString proposed = child->curFile;
        child->figContext->setModified();

        FileDialogRecorder names({ path(typed) });
        window.saveAs();
        QCOMPARE(names.requests.size(), 1);
        QCOMPARE(names.requests.first().kind, FileDialogRequest::Save);
        QCOMPARE(names.requests.first().caption, QString("Save As"));
        QCOMPARE(names.requests.first().directory, proposed);
        QCOMPARE(names.requests.first().filter, QString());

        const QString expected = QFileInfo(path(written)).canonicalFilePath();
        QVERIFY2(!expected.isEmpty(), qPrintable(written + " was not written"));
        QCOMPARE(QDir(folder.dir->path()).entryList(QDir::Files), QStringList { written });
        QCOMPARE(child->curFile, expected);
        QVERIFY(!child->isUntitled);
        QVERIFY(!child->figContext->modified);
        QCOMPARE(child->windowTitle(), written + "[*]");
        QVERIFY(!child->isWindowModified());
        QCOMPARE(window.statusBar()->currentMessage(), QString("File saved"));
        QCOMPARE(QDir::currentPath(), QFileInfo(expected).absolutePath());
        QSettings settings(settingsOrganization, settingsApplication);
        QCOMPARE(settings.value("recentFileList").toStringList(), QStringList { expected });
    }

    void cancelledSaveAsChangesNothing()
    {
        QTMainFrm window;
        QVERIFY(showActive(window));
        QTChildFrm* child = window.activeMdiChild();
        QVERIFY(child);
        const QString name = child->curFile;
        child->figContext->setModified();
        FileDialogRecorder names; // cancels
        QVERIFY(!child->saveAs());
        QVERIFY(!child->save());
        QCOMPARE(names.requests.size(), 2);
        QCOMPARE(child->curFile, name);
        QVERIFY(child->isUntitled);
        QVERIFY(child->figContext->modified);
        QCOMPARE(window.statusBar()->currentMessage(), QString());
    }

    void backUpCopies()
    {
        const QString file = path("x.fig");
        writeFile(file, fixture);
        QTMainFrm window;
        QTChildFrm* child = window.createMdiChild();
        QVERIFY(child->loadFile(file));

        // The first save keeps the file as it was read.
        moveFirstLine(child, 15);
        QVERIFY(child->save());
        QCOMPARE(readFile(file + ".bak"), fixture);
        const QByteArray firstSave = readFile(file);
        QVERIFY(firstSave.contains("1215 1200 2415 2400"));

        // The second replaces it by the first save's contents.
        moveFirstLine(child, 15);
        QVERIFY(child->save());
        QCOMPARE(readFile(file + ".bak"), firstSave);
        QVERIFY(readFile(file).contains("1230 1200 2430 2400"));

        // A file saved for the first time has nothing to back up.
        FileDialogRecorder names({ path("new.fig") });
        QVERIFY(child->saveAs());
        QVERIFY(QFile::exists(path("new.fig")));
        QVERIFY(!QFile::exists(path("new.fig.bak")));
        QCOMPARE(QDir(folder.dir->path()).entryList(QDir::Files), QStringList({ "new.fig", "x.fig", "x.fig.bak" }));
    }

    void failedSave_data()
    {
        QTest::addColumn<bool>("device"); // else a regular file on a full disk
        QTest::newRow("full device") << true;
        QTest::newRow("full disk") << false;
    }
    void failedSave()
    {
        QFETCH(bool, device);
        const QString file = path("x.fig");
        const QByteArray oldBackUp = "an older back-up\n";
        writeFile(file, fixture);
        writeFile(file + ".bak", oldBackUp);

        QTMainFrm window;
        QTChildFrm* child = window.createMdiChild();
        QVERIFY(child->loadFile(file));
        moveFirstLine(child, 15);
        const QString target = device ? QStringLiteral("/dev/full") : child->curFile;
        const QString cwd = QDir::currentPath();

        MessageBoxRecorder boxes;
        bool saved = true;
        {
            // Neither the back-up copy nor the new file fits on the disk.
            std::unique_ptr<FileSizeLimit> limit;
            if (!device)
                limit = std::make_unique<FileSizeLimit>(16);
            saved = child->saveFile(target);
        }
        QVERIFY(!saved);
        QCOMPARE(boxes.boxes.size(), 1);
        const MessageBoxRequest& box = boxes.boxes.first();
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.parent, child);
        QVERIFY2(box.text.contains(target), qPrintable(box.text));
        QVERIFY2(box.text.contains(device ? "No space left on device" : "File too large"), qPrintable(box.text));

        QVERIFY(child->figContext->modified);
        QVERIFY(child->isWindowModified());
        QCOMPARE(child->curFile, QFileInfo(file).canonicalFilePath());
        QCOMPARE(child->windowTitle(), QString("x.fig[*]"));
        QCOMPARE(QDir::currentPath(), cwd);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        // The file and the old back-up are as they were; nothing half-written
        // is left beside them.
        QCOMPARE(readFile(file), fixture);
        QCOMPARE(readFile(file + ".bak"), oldBackUp);
        QCOMPARE(QDir(folder.dir->path()).entryList(QDir::Files), QStringList({ "x.fig", "x.fig.bak" }));
        // A device is never backed up.
        if (device)
            QVERIFY(!QFile::exists(target + ".bak"));
    }

    void closingAModifiedDocument_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("names"); // answers of the Save As dialog
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << QStringList() << false << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << QStringList() << true << false;
        QTest::newRow("save, name dialog cancelled")
            << int(QMessageBox::Save) << QStringList { QString() } << false << false;
        QTest::newRow("save under a name") << int(QMessageBox::Save) << QStringList { "kept" } << true << true;
    }
    void closingAModifiedDocument()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, names);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        for (QString& name : names) {
            if (!name.isEmpty())
                name = path(name);
        }
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        QTChildFrm* other = window.activeMdiChild();
        other->figContext->gridIndex = 0;
        QTChildFrm* child = window.newFile();
        // A document showing grid 2 (the grid box shows "None" for a
        // document whose grid is off).
        window.setGrid(2, child->figContext);
        window.mdiArea->setActiveSubWindow(window.findSubWindow(child));
        QCOMPARE(window.activeMdiChild(), child);
        QCOMPARE(window.colorDlg->context(), child->figContext);
        QCOMPARE(window.metricsDlg->gridCombo()->currentIndex(), 2);
        child->figContext->setModified();
        window.setAlignButtonsState(true);

        MessageBoxRecorder boxes(static_cast<QMessageBox::StandardButton>(answer));
        FileDialogRecorder dialog(names);
        const QString name = child->currentFileName();
        QPointer<QTChildFrm> watched(child);
        window.closeActiveChild();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(boxes.boxes.size(), 1);
        const MessageBoxRequest& box = boxes.boxes.first();
        QCOMPARE(box.title, QString("Save changes?"));
        QCOMPARE(box.text, QString("'%1' has been modified.\nDo you want to save your changes?").arg(name));
        QCOMPARE(box.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(box.defaultButton, QMessageBox::NoButton);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.parent, child);
        QCOMPARE(dialog.requests.size(), names.size());

        QCOMPARE(watched.isNull(), closed);
        QCOMPARE(window.childFrames().size(), closed ? 1 : 2);
        QCOMPARE(QFile::exists(path("kept.fig")), written);
        // Whatever happened, the buttons wait for the next state report.
        QVERIFY(!window.findChild<QAction*>("actionAlignLeft")->isEnabled());
        // The shared dialogs show the document that is active now.
        QTChildFrm* active = window.activeMdiChild();
        QCOMPARE(active, closed ? other : child);
        QCOMPARE(window.colorDlg->context(), active->figContext);
        QCOMPARE(window.metricsDlg->gridCombo()->currentIndex(), active->figContext->gridIndex);
    }

    void closingAnUnchangedDocumentAsksNothing()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        QTChildFrm* child = window.newFile();
        MessageBoxRecorder boxes(QMessageBox::Cancel);
        QPointer<QTChildFrm> watched(child);
        window.closeActiveChild();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(watched.isNull());
        QCOMPARE(window.colorDlg->context(), window.activeMdiChild()->figContext);
    }

    void exitWithAModifiedDocument()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        QTChildFrm* modified = window.newFile();
        window.newFile();
        modified->figContext->setModified();
        MessageBoxRecorder boxes(QMessageBox::Cancel);
        QVERIFY(!window.close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(boxes.boxes.size(), 1);
        // The other documents closed; the modified one and the program stay.
        QCOMPARE(window.childFrames(), QList<QTChildFrm*> { modified });
        QVERIFY(window.isVisible());
        QCOMPARE(window.colorDlg->context(), modified->figContext);
    }
};

TAVREL_TEST_MAIN(TestDocumentFiles)
#include "tst_documentfiles.moc"
