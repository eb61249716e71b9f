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
#include <new>

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
    // The machine code the engine compiles for code run often carries no
    // unwinding information: an allocation failing below it (a text grown
    // past what a string can hold) would end the program. Below the
    // interpreter the failure is caught and the run stopped. The engine
    // reads the setting when it is made, on the script's thread, after this.
    if (!qEnvironmentVariableIsSet("QV4_FORCE_INTERPRETER"))
        qputenv("QV4_FORCE_INTERPRETER", "1");
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

void ScriptThread::stopForMemory()
{
    memoryExhausted.store(true);
    stop();
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
    QJSValue outcome;
    bool exhausted = false;
    try {
        outcome = runner.call({ QJSValue(program) });
    } catch (const std::bad_alloc&) {
        // The engine's own frames were left without their clean-up: it is
        // not used again, only destroyed, which frees what the script held
        // (but for a few kilobytes of the compiled program those frames
        // kept). Better than the whole program ending, unsaved drawings and
        // all.
        exhausted = true;
    }
    proxy.finishCalls();
    // What the script did before the failure stays, as before an error;
    // the run counts as stopped.
    if (exhausted) {
        memoryExhausted.store(true);
        stopping.store(true);
    }
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
