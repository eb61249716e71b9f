#include "app/startup.h"

#include "app/appdir.h"
#include "app/externalprograms.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/qslog.h"
#include "app/qslogdest.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "app/version.h"
#include "dialogs/preferencesdlg.h"
#include "edit/editobjects.h"
#include "model/objectlist.h"
#include "render/colors.h"
#include "render/fonts.h"
#include "render/griddef.h"
#include "render/markers.h"
#include "render/pens.h"
#include "render/resources.h"
#include "script/scriptkeywords.h"
#include "toolbars/shapestoolbar.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSettings>
#include <QStyleFactory>
#include <QTimer>

#include <cstdlib>
#include <vector>

namespace {

const QString lastDirectoryKey = QStringLiteral("last directory");
constexpr int selectMode = 67;

// The current directory when the program started, before the stored "last
// directory" replaced it: relative command-line paths are meant from here.
QString startDirectory;

// Settings of versions before 4.62 carry LaTeX commands that no longer work:
// both are reset, after telling a user who had changed either.
void upgradeLatexCommands(QTMainFrm& window)
{
    const bool before462 = storedVersionMajor < 4 || (storedVersionMajor == 4 && storedVersionMinor <= 61);
    if (!storedVersionOlder || !before462)
        return;
    Preferences& p = preferences;
    if (p.latexCommand != p.oldLatexCommandDefault || p.dvipsCommand != p.oldDvipsCommandDefault) {
        MessageBoxRequest request;
        request.parent = &window;
        request.icon = QMessageBox::Information;
        request.title = QCoreApplication::translate("main", "Info");
        request.text = QCoreApplication::translate("main",
                           "This version changes the LaTeX commands for viewing TeX formatted text.You may have to "
                           "customize that setting again.")
            + QStringLiteral("\n\n")
            + QCoreApplication::translate("main", "You find it in the TeX View tab of the Preferences dialog.");
        request.buttons = QMessageBox::Ok;
        showMessageBox(request);
    }
    p.latexCommand = p.latexCommandDefault;
    p.dvipsCommand = p.dvipsCommandDefault;
    window.preferencesDlg->loadValues();
}

// What runs once the start-up has opened its file, and whether it has.
std::vector<std::function<void()>> afterStart;
bool started = false;

void finishStart()
{
    started = true;
    std::vector<std::function<void()>> steps;
    steps.swap(afterStart);
    for (const std::function<void()>& step : steps)
        step();
}

// Calls `open` once, after the first paint of `watched` (the main window's
// menu bar) has reached the screen, or after a while when no paint comes
// (a platform that shows nothing).
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* watched, std::function<void()> open)
        : QObject(watched)
        , open(std::move(open))
    {
        watched->installEventFilter(this);
        QTimer::singleShot(fallbackMs, this, [this] { fire(); });
    }
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        // Queued: the paint under way is finished and shown first.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { fire(); });
        return false;
    }

private:
    static constexpr int fallbackMs = 1000;
    void fire()
    {
        if (fired)
            return;
        fired = true;
        open();
        deleteLater();
    }
    std::function<void()> open;
    bool fired = false;
};

} // namespace

void runAfterStart(const std::function<void()>& step)
{
    if (started)
        QTimer::singleShot(0, step);
    else
        afterStart.push_back(step);
}

void qtMessageHandler(QtMsgType type, const QMessageLogContext& /*context*/, const QString& /*message*/)
{
    if (type == QtFatalMsg)
        std::abort();
}

void prepareStart()
{
    appDir = QCoreApplication::applicationDirPath();
    QCoreApplication::addLibraryPath(appDir + QDir::separator() + QStringLiteral("plugins"));
    QCoreApplication::addLibraryPath(appDir + QDir::separator() + QStringLiteral("platforms"));
    qInstallMessageHandler(qtMessageHandler);
    initResources();
    // The font table's families are mapped onto the installed faces before
    // any text is measured.
    installFontSubstitutions();
    // The custom grids of the settings follow the built-in ones, and the
    // stored grid index is checked against all of them.
    createBuiltinGrids();
    readSettings();
    startDirectory = QDir::currentPath();
}

void enterLastDirectory(QSettings& settings)
{
    const QString directory = settings.value(lastDirectoryKey, appDir).toString();
    QDir::setCurrent(directory);
}

int runApplication(int /*argc*/, char* /*argv*/[])
{
    // The arguments as Qt decoded them from the locale, not the raw bytes.
    return runApplication(QCoreApplication::arguments());
}

int runApplication(const QStringList& arguments)
{
    preferences.widgetStyle = 0;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    initDefaultColors();
    loadFillPatterns();
    loadMarkerPixmaps();

    QTMainFrm window;
    mainWindow = &window;
    attachStatusBar(window.statusBar());
    window.show();

    QsLogging::Logger& logger = QsLogging::Logger::instance();
    logger.addDestination(
        QsLogging::DestinationFactory::MakeFileDestination(appDir + QDir::separator() + QStringLiteral("tavrel.log"),
            QsLogging::EnableLogRotation, QsLogging::MaxSizeBytes(500000), QsLogging::MaxOldLogCount(2)));
    const QsLogging::DestinationPtr logViewDestination
        = QsLogging::DestinationFactory::MakeTextDocumentDestination(window.logView()->document(), false);
    logger.addDestination(logViewDestination);

    window.shapesToolbar->setMode(selectMode);

    upgradeLatexCommands(window);

    preferences.detectedGhostscriptPath = findGhostscript();
    if (preferences.ghostscriptLocation.isEmpty() || preferences.useDefaultGsLocation)
        preferences.ghostscriptLocation = preferences.detectedGhostscriptPath;
    window.preferencesDlg->loadValues();

    extendPath(preferences.additionalPath);

    initScriptKeywords();

    // A relative path is meant from the directory the program was started
    // in, which is no longer the current one.
    started = false;
    if (arguments.size() > 1) {
        const QString file = QDir::cleanPath(
            QDir(startDirectory.isEmpty() ? QDir::currentPath() : startDirectory).absoluteFilePath(arguments.at(1)));
        QPointer<QTMainFrm> shown(&window);
        new FirstPaintWatch(window.menuBar(), [shown, file] {
            if (shown)
                shown->openFile(file);
            finishStart();
        });
    } else {
        if (QTChildFrm* child = window.activeMdiChild())
            child->redisplayCanvas();
        QTimer::singleShot(0, [] { finishStart(); });
    }

    const int result = QApplication::exec();
    started = false;

    // The log view's document goes with the window: nothing may be written
    // to it afterwards.
    logger.removeDestination(logViewDestination);
    attachStatusBar(nullptr);
    mainWindow = nullptr;
    return result;
}

void finishRun(QSettings& settings)
{
    // The current directory follows the last opened or saved file.
    settings.setValue(lastDirectoryKey, QDir::currentPath());
    writeSettings();

    releaseMarkerPixmaps();

    delete libraryPlacementPixmap;
    libraryPlacementPixmap = nullptr;
    delete libraryPlacementBackground;
    libraryPlacementBackground = nullptr;

    deleteGridDefs();

    if (clipboardObjects) {
        deleteAllObjects(clipboardObjects);
        delete clipboardObjects;
        clipboardObjects = nullptr;
    }
    clipboardUserColors.clear();
    deleteAllObjects(&editScratchList);

    QsLogging::Logger::destroyInstance();
}
