// Running scripts against a document: a fresh engine and scripting object
// per run, the engine on a thread of its own (so that the program keeps
// answering and a script can be stopped), the object as the global "tavrel",
// one redraw at the end.
#include "app/qslog.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/fontsdlg.h"
#include "model/figcontext.h"
#include "script/scriptmemorywatch.h"
#include "script/scriptstopdialog.h"
#include "script/scriptthread.h"
#include "script/tavrelscript.h"
#include "toolbars/attrstoolbarhandler.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <memory>

namespace {

// Scripts that end within this show no window at all.
constexpr int quietMilliseconds = 500;

// Keeps the GUI thread serving the script's calls until the script has
// ended. For the first moment the user's input waits (a short script ends
// unseen); then, with a main window, the stop window takes it.
void waitForScript(ScriptThread& thread)
{
    bool done = false;
    QEventLoop loop;
    QObject::connect(&thread, &QThread::finished, &loop, [&done, &loop] {
        done = true;
        loop.quit();
    });
    thread.start();
    {
        QTimer quiet;
        quiet.setSingleShot(true);
        QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
        quiet.start(quietMilliseconds);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!done && mainWindow) {
        ScriptStopDialog dialog(mainWindow, thread.fileName());
        QObject::connect(&dialog, &ScriptStopDialog::stopRequested, &dialog, [&thread] { thread.stop(); });
        QObject::connect(&thread, &QThread::finished, &dialog, &ScriptStopDialog::finish);
        // `done` changes only in an event loop: a script that ended after
        // the quiet moment but before the window was connected is seen by
        // the thread itself, else the window would wait for a Stop that
        // cannot close it.
        if (!thread.isFinished())
            dialog.exec();
    }
    while (!done)
        loop.exec();
    thread.wait();
}

} // namespace

void CFigContext::runScript(const QString& program, const QString& fileName)
{
    if (ScriptThread::current()) {
        QLOG_WARN().noquote() << QStringLiteral("script %1 not run: another script is running").arg(fileName);
        return;
    }
    auto script = std::make_unique<TavrelScript>(this);
    // The attribute handler and fonts dialog are the main window's; without
    // one the run brings its own (the dialog never shown), so that attributes
    // work as in the editor.
    std::unique_ptr<AttrsToolbarHandler> ownHandler;
    std::unique_ptr<FontsDlg> ownFonts;
    if (mainWindow) {
        script->connectAttributes(mainWindow->attrsHandler, mainWindow->fontsDlg);
    } else {
        ownHandler = std::make_unique<AttrsToolbarHandler>(nullptr);
        ownHandler->document = this;
        ownFonts = std::make_unique<FontsDlg>(nullptr);
        script->connectAttributes(ownHandler.get(), ownFonts.get());
    }

    // While there is no current object the attribute handler changes only
    // the current attributes, never an object of the drawing.
    FigObject* remembered = currentObject;
    currentObject = nullptr;
    bool stopped = false;
    bool outOfMemory = false;
    {
        ScriptThread thread(script.get(), program, fileName);
        {
            ScriptMemoryWatch watch([&thread] { thread.stopForMemory(); });
            waitForScript(thread);
        }
        stopped = thread.stopRequested();
        outOfMemory = thread.stoppedForMemory();
    }
    currentObject = remembered;
    if (outOfMemory) {
        QLOG_ERROR().noquote() << QStringLiteral("script %1 stopped: it needed more than %2 MB of memory")
                                      .arg(fileName)
                                      .arg(ScriptMemoryWatch::allowance() / (1024 * 1024));
    }

    if (view)
        view->redisplayCanvas();
    const QString done = stopped ? QStringLiteral("script %1 stopped.").arg(fileName)
                                 : QStringLiteral("script %1 executed.").arg(fileName);
    showStatusMessage(done.toUtf8().constData());
    if (script->userColorAdded && mainWindow && mainWindow->colorDlg)
        mainWindow->colorDlg->updateUserColorCombos();
    if (stopped)
        QLOG_WARN().noquote() << done;
    else
        QLOG_INFO().noquote() << done;
    // Compounds left open are dropped.
    script.reset();
}

void CFigContext::runScriptFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QLOG_INFO().noquote() << QStringLiteral("Could not open script file ") + path;
        return;
    }
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QFileInfo(path).absolutePath());
    runScript(text, path);
    QDir::setCurrent(previous);
}
