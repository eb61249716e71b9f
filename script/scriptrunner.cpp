// Running scripts against a document: a fresh engine and scripting object
// per run, the object as the global "tavrel", one redraw at the end.
#include "app/qslog.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "dialogs/figcolordlg.h"
#include "model/figcontext.h"
#include "script/tavrelscript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QJSValue>
#include <QQmlEngine>

#include <memory>

void CFigContext::runScript(const QString& program, const QString& fileName)
{
    // Declared before the engine so that it outlives it: the engine only
    // points at it.
    auto script = std::make_unique<TavrelScript>(this);
    {
        QJSEngine engine;
        QQmlEngine::setObjectOwnership(script.get(), QQmlEngine::CppOwnership);
        engine.globalObject().setProperty(QStringLiteral("tavrel"), engine.newQObject(script.get()));

        // While there is no current object the attribute handler changes
        // only the current attributes, never an object of the drawing.
        FigObject* remembered = currentObject;
        currentObject = nullptr;
        // The program runs through an indirect eval inside a catching
        // wrapper: like a script of its own in the global scope, but every
        // uncaught exception is caught here, also one whose value is no
        // Error object (a thrown text or number), which the engine's own
        // result cannot tell from a completion value.
        QJSValue runner = engine.evaluate(QStringLiteral(
            "(function (program) { try { (0, eval)(program); return null; } catch (e) { return { error: e }; } })"));
        const QJSValue outcome = runner.call({ QJSValue(program) });
        if (outcome.isObject()) {
            const QJSValue error = outcome.property(QStringLiteral("error"));
            if (error.isError()) {
                QLOG_ERROR().noquote() << QStringLiteral("%1 line %2: %3")
                                              .arg(fileName)
                                              .arg(error.property(QStringLiteral("lineNumber")).toInt())
                                              .arg(error.toString());
            } else {
                QLOG_ERROR().noquote() << QStringLiteral("%1: uncaught exception: %2").arg(fileName, error.toString());
            }
        }
        currentObject = remembered;

        if (view)
            view->redisplayCanvas();
        const QString done = QStringLiteral("script %1 executed.").arg(fileName);
        showStatusMessage(done.toUtf8().constData());
        if (script->userColorAdded && mainWindow && mainWindow->colorDlg)
            mainWindow->colorDlg->updateUserColorCombos();
        QLOG_INFO().noquote() << done;
        // Compounds left open are dropped before the engine goes.
        script.reset();
    }
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
