// The whole start-up and shut-down as main() runs it, each run closed at
// once: the settings written at exit, the upgrade of old LaTeX commands, the
// file named on the command line, the log destinations.
#include "app/appdir.h"
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "app/qslog.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/startup.h"
#include "app/statusmessages.h"
#include "app/version.h"
#include "defaultsettings.h"
#include "edit/editstate.h"
#include "library/librarystore.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "render/griddef.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>

#include <functional>

namespace {

const QString oldLatex = QStringLiteral("latex -quiet -job-name OUTFILE INFILE");
const QString newLatex = QStringLiteral("latex -quiet -output-directory TEMPDIR -job-name OUTFILE TEMPDIR/INFILE");
const QString oldDvips = QStringLiteral("dvips -quiet -E* -o OUTFILE INFILE");
const QString newDvips = QStringLiteral("dvips -quiet -E* -o TEMPDIR/OUTFILE TEMPDIR/INFILE");

const QString upgradeText = QStringLiteral(
    "This version changes the LaTeX commands for viewing TeX formatted text.You may have to customize that "
    "setting again.\n\nYou find it in the TeX View tab of the Preferences dialog.");

QString folder(const QString& name)
{
    const QString path = QDir(testenv::home()).filePath(name);
    QDir().mkpath(path);
    return QDir(path).canonicalPath();
}

QSettings* openSettings()
{
    return new QSettings(settingsOrganization, settingsApplication);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    // Runs the program as main() does with the given command line; inspect
    // sees the main window once the event loop runs, then every window is
    // closed. Fails the test when the window was never seen.
    int runProgram(const QStringList& arguments, const std::function<void(QTMainFrm&)>& inspect = {})
    {
        preferences = Preferences();
        const QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(testHandler);
        prepareStart();
        // QtTest keeps reporting Qt's messages.
        const QtMessageHandler installed = qInstallMessageHandler(testHandler);
        if (installed != &qtMessageHandler)
            qWarning("the start-up did not install its message handler");
        appDir = folder("app");
        int result = -1;
        bool seen = false;
        {
            std::unique_ptr<QSettings> settings(openSettings());
            enterLastDirectory(*settings);
            runAfterStart([&] {
                if (mainWindow && inspect)
                    inspect(*mainWindow);
                seen = mainWindow != nullptr;
                QApplication::closeAllWindows();
            });
            result = runApplication(arguments);
            finishRun(*settings);
        }
        if (!seen)
            qWarning("the main window was never seen");
        return seen ? result : -1;
    }

private slots:
    void init()
    {
        std::unique_ptr<QSettings> settings(openSettings());
        settings->clear();
        QDir::setCurrent(folder("start"));
    }

    void startWithoutArguments()
    {
        StatusRecorder status;
        QStringList documents;
        int page = -1;
        QString shown;
        const int result = runProgram({ "tavrel" }, [&](QTMainFrm& window) {
            const QList<QMdiSubWindow*> windows = window.mdiArea->subWindowList();
            for (QMdiSubWindow* sub : windows)
                documents << qobject_cast<QTChildFrm*>(sub->widget())->curFile;
            page = window.attrsStack->currentIndex();
            shown = window.statusBar()->currentMessage();
            QCOMPARE(editMode, 67);
            QVERIFY(activeFigContext());
            // The log view receives the records.
            QLOG_INFO() << "seen by the log view";
            QVERIFY(window.logView()->toPlainText().contains("seen by the log view"));
        });
        QCOMPARE(result, 0);
        QCOMPARE(documents.size(), 1);
        QVERIFY(QRegularExpression("^document\\d+\\.fig$").match(documents.first()).hasMatch());
        QCOMPARE(page, 6);
        QCOMPARE(shown, QString("Select objects object with bounding box or via SHIFT SELECT"));
        QCOMPARE(mainWindow, nullptr);
        QCOMPARE(gridDefs.size(), 0);
        // Used as the default, the detected Ghostscript is taken.
        QCOMPARE(preferences.ghostscriptLocation, findGhostscript());
        QCOMPARE(preferences.detectedGhostscriptPath, findGhostscript());

        // Both destinations got the record: the file in the program folder.
        QFile log(QDir(appDir).filePath("tavrel.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("seen by the log view"));
    }

    void loggingWhileTheWindowGoesAway()
    {
        // Records written while the main window is destroyed reach the log
        // file; the log view, going with the window, is no destination any more.
        runProgram({ "tavrel" }, [](QTMainFrm& window) {
            connect(&window, &QObject::destroyed, [] { QLOG_INFO() << "window destroyed"; });
        });
        QFile log(QDir(appDir).filePath("tavrel.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("window destroyed"));
    }

    void freshSettingsWrittenWithDefaults()
    {
        QCOMPARE(runProgram({ "tavrel" }), 0);
        QMap<QString, QString> expected;
        for (const auto& row : defaultsettings::writtenDefaults())
            expected.insert(row.first, row.second);
        expected.insert("version", versionString(true));
        expected.insert("last directory", folder("app"));
        // The library dialog made the default library folder the root.
        expected.insert("library root directory", defaultLibraryRoot());
        QVERIFY(QFileInfo(defaultLibraryRoot()).isDir());
        std::unique_ptr<QSettings> settings(openSettings());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QVERIFY2(settings->contains(it.key()), qPrintable(it.key()));
            QCOMPARE(settings->value(it.key()).toString(), it.value());
        }
        const QJsonDocument grids = QJsonDocument::fromJson(settings->value("custom grids").toByteArray());
        QVERIFY(grids.isArray());
        QVERIFY(grids.array().isEmpty());
        QCOMPARE(settings->value("window position").toPoint(), QPoint(100, 50));
        QCOMPARE(settings->value("window size").toSize(), QSize(650, 700));

        QStringList unexpected = settings->allKeys();
        for (const QString& key : expected.keys() + QStringList { "custom grids", "window position", "window size" })
            unexpected.removeAll(key);
        QCOMPARE(unexpected, QStringList());
    }

    void corruptedSettingsCorrectedAtExit_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QVariantMap>("written");
        QTest::newRow("grid index beyond the grids") << QVariantMap { { "grid on", "true" }, { "grid index", "12" } }
                                                     << QVariantMap { { "grid on", "false" }, { "grid index", "0" } };
        QTest::newRow("magnet mode above 4")
            << QVariantMap { { "magnet mode", "9" } } << QVariantMap { { "magnet mode", "4" } };
        QTest::newRow("snap mode with blanks and junk") << QVariantMap { { "snap mode", "VERTEX, GRID, magnet" } }
                                                        << QVariantMap { { "snap mode", "GRID,VERTEX" } };
        QTest::newRow("unknown resolution") << QVariantMap { { "dpi at zoom 100%", "lots of dpi" } }
                                            << QVariantMap { { "dpi at zoom 100%", "FIG dpi" } };
        QTest::newRow("widget style") << QVariantMap { { "widget style", "1" } }
                                      << QVariantMap { { "widget style", "0" } };
        QTest::newRow("custom grids not JSON")
            << QVariantMap { { "custom grids", "{{{" } } << QVariantMap { { "custom grids", "[\n]\n" } };
        QTest::newRow("transparent colour") << QVariantMap { { "background colour", "16777215" } }
                                            << QVariantMap { { "background colour", "4294967295" } };
        QTest::newRow("last directory gone")
            << QVariantMap { { "last directory", "/no/such/folder/anywhere" } }
            << QVariantMap { { "last directory", QDir::cleanPath(testenv::home() + "/start") } };
    }
    void corruptedSettingsCorrectedAtExit()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(QVariantMap, written);
        {
            std::unique_ptr<QSettings> settings(openSettings());
            for (auto it = stored.cbegin(); it != stored.cend(); ++it)
                settings->setValue(it.key(), it.value());
        }
        QCOMPARE(runProgram({ "tavrel" }), 0);
        std::unique_ptr<QSettings> settings(openSettings());
        for (auto it = written.cbegin(); it != written.cend(); ++it)
            QCOMPARE(settings->value(it.key()).toString(), it.value().toString());
    }

    void upgradeOfLatexCommands_data()
    {
        QTest::addColumn<QString>("version"); // empty: no key
        QTest::addColumn<QString>("latex");
        QTest::addColumn<QString>("dvips");
        QTest::addColumn<bool>("box");
        QTest::addColumn<QString>("latexAfter");
        QTest::addColumn<QString>("dvipsAfter");
        QTest::newRow("4.61 with the old defaults: silent")
            << "4.61" << oldLatex << oldDvips << false << newLatex << newDvips;
        QTest::newRow("4.61 with a changed latex command: told, reset")
            << "4.61"
            << "mylatex INFILE" << oldDvips << true << newLatex << newDvips;
        QTest::newRow("3.9.9 with a changed dvips command: told, reset")
            << "3.9.9" << oldLatex << "mydvips" << true << newLatex << newDvips;
        QTest::newRow("4.62 keeps the commands") << "4.62"
                                                 << "mylatex INFILE"
                                                 << "mydvips" << false << "mylatex INFILE"
                                                 << "mydvips";
        QTest::newRow("no version keeps the commands")
            << ""
            << "mylatex INFILE" << oldDvips << false << "mylatex INFILE" << oldDvips;
    }
    void upgradeOfLatexCommands()
    {
        QFETCH(QString, version);
        QFETCH(QString, latex);
        QFETCH(QString, dvips);
        QFETCH(bool, box);
        QFETCH(QString, latexAfter);
        QFETCH(QString, dvipsAfter);
        {
            std::unique_ptr<QSettings> settings(openSettings());
            if (!version.isEmpty())
                settings->setValue("version", version);
            settings->setValue("latex command", latex);
            settings->setValue("dvips command", dvips);
        }
        MessageBoxRecorder boxes;
        QWidget* parent = nullptr;
        QCOMPARE(runProgram({ "tavrel" }, [&](QTMainFrm& window) { parent = &window; }), 0);
        QCOMPARE(boxes.boxes.size(), box ? 1 : 0);
        if (box) {
            const MessageBoxRequest& request = boxes.boxes.first();
            QCOMPARE(request.parent, parent);
            QCOMPARE(request.icon, QMessageBox::Information);
            QCOMPARE(request.title, QString("Info"));
            QCOMPARE(request.text, upgradeText);
            QCOMPARE(request.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(preferences.latexCommand, latexAfter);
        QCOMPARE(preferences.dvipsCommand, dvipsAfter);
        std::unique_ptr<QSettings> settings(openSettings());
        QCOMPARE(settings->value("latex command").toString(), latexAfter);
        QCOMPARE(settings->value("dvips command").toString(), dvipsAfter);
        QCOMPARE(settings->value("version").toString(), versionString(true));
    }

    void fileOnTheCommandLine()
    {
        const QString path = QDir(QDir::currentPath()).filePath("two.fig");
        writeFile(path,
            QByteArray("#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                       "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 2400\n"
                       "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 600 600 300 300 600 600 900 600\n"));
        QStringList files;
        int objects = -1;
        MessageBoxRecorder boxes(QMessageBox::No);
        runProgram({ "tavrel", "two.fig" }, [&](QTMainFrm& window) {
            const QList<QTChildFrm*> children = window.childFrames();
            for (const QTChildFrm* child : children)
                files << child->curFile;
            if (!children.isEmpty())
                objects = countObjects(&children.last()->figContext->drawing.objects);
        });
        // The first empty document of the start, then the file in a window of its own.
        QCOMPARE(files.size(), 2);
        QCOMPARE(files.last(), QFileInfo(path).canonicalFilePath());
        QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.isEmpty() ? QString() : boxes.boxes.first().text));
        QCOMPARE(objects, 2);
        QFile log(QDir(appDir).filePath("tavrel.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("opened file"));
    }

    void fileThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents"); // null: no file
        QTest::addColumn<QString>("message"); // %1: the absolute path
        QTest::newRow("not a Fig file") << "notes.txt" << QByteArray("Dear diary,\nno drawing today.\n")
                                        << "Not a Fig file";
        QTest::newRow("missing file") << "missing.fig" << QByteArray()
                                      << "Couldn't open file %1, No such file or directory";
        QTest::newRow("empty Fig file") << "empty.fig" << QByteArray("#FIG 3.2\n") << "File \"%1\" is empty.";
    }
    void fileThatCannotBeOpened()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        const QString start = QDir::currentPath();
        const QString path = QDir(start).filePath(name);
        if (!contents.isNull())
            writeFile(path, contents);
        // The stored last directory is another folder: the relative argument
        // is still meant from where the program was started.
        const QString last = folder("last");
        {
            std::unique_ptr<QSettings> settings(openSettings());
            settings->setValue("last directory", last);
        }
        StatusRecorder status;
        QStringList documents;
        runProgram({ "tavrel", name }, [&](QTMainFrm& window) {
            const QList<QTChildFrm*> children = window.childFrames();
            for (const QTChildFrm* child : children)
                documents << child->curFile;
        });
        QCOMPARE(documents.size(), 1);
        QVERIFY(QRegularExpression("^document\\d+\\.fig$").match(documents.first()).hasMatch());
        const QString expected = message.contains("%1") ? message.arg(path) : message;
        QCOMPARE(status.messages.last(), expected);
        QVERIFY(status.messages.contains(QString("Reading objects from \"%1\" ...").arg(path)));
        std::unique_ptr<QSettings> settings(openSettings());
        QVERIFY(settings->value("recentFileList").toStringList().isEmpty());
        QCOMPARE(settings->value("last directory").toString(), last);
    }
};

TAVREL_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
