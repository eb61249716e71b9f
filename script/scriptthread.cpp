#include "script/scriptthread.h"

#include "app/qslog.h"
#include "script/scriptcallqueue.h"
#include "script/scriptproxy.h"
#include "script/tavrelscript.h"

#include <QJSEngine>
#include <QJSValue>
#include <QMutexLocker>
#include <QQmlEngine>

#include <memory>

namespace {

ScriptThread* running = nullptr; // read and written on the GUI thread only

// Room for the engine's own recursion checks, also in instrumented builds.
constexpr uint scriptStackSize = 16u * 1024u * 1024u;

} // namespace

ScriptThread::ScriptThread(TavrelScript* script, const QString& program, const QString& fileName)
    : script(script)
    , calls(std::make_shared<ScriptCallQueue>(script))
    , program(program)
    , name(fileName)
{
    setObjectName(QStringLiteral("script"));
    setStackSize(scriptStackSize);
    running = this;
}

ScriptThread::~ScriptThread()
{
    if (running == this)
        running = nullptr;
}

ScriptThread* ScriptThread::current()
{
    return running;
}

void ScriptThread::stop()
{
    stopping.store(true);
    calls->stop();
    QMutexLocker lock(&engineLock);
    if (engine)
        engine->setInterrupted(true);
}

void ScriptThread::run()
{
    auto jsEngine = std::make_unique<QJSEngine>();
    ScriptProxy proxy(script, this, jsEngine.get(), calls);
    QQmlEngine::setObjectOwnership(&proxy, QQmlEngine::CppOwnership);
    jsEngine->globalObject().setProperty(QStringLiteral("tavrel"), jsEngine->newQObject(&proxy));
    {
        QMutexLocker lock(&engineLock);
        engine = jsEngine.get();
        if (stopping.load())
            engine->setInterrupted(true);
    }
    // The program runs through an indirect eval inside a catching wrapper:
    // like a script of its own in the global scope, but every uncaught
    // exception is caught here, also one whose value is no Error object (a
    // thrown text or number), which the engine's own result cannot tell from
    // a completion value.
    QJSValue runner = jsEngine->evaluate(QStringLiteral(
        "(function (program) { try { (0, eval)(program); return null; } catch (e) { return { error: e }; } })"));
    const QJSValue outcome = runner.call({ QJSValue(program) });
    proxy.finishCalls();
    // A stopped script ends with the engine's interruption, which is no
    // fault of the script: the runner reports the stop instead.
    if (outcome.isObject() && !stopping.load()) {
        const QJSValue error = outcome.property(QStringLiteral("error"));
        if (error.isError()) {
            QLOG_ERROR().noquote() << QStringLiteral("%1 line %2: %3")
                                          .arg(name)
                                          .arg(error.property(QStringLiteral("lineNumber")).toInt())
                                          .arg(error.toString());
        } else {
            QLOG_ERROR().noquote() << QStringLiteral("%1: uncaught exception: %2").arg(name, error.toString());
        }
    }
    {
        QMutexLocker lock(&engineLock);
        engine = nullptr;
    }
    jsEngine.reset();
}
