#pragma once
// One script run on a thread of its own, so that the program keeps drawing
// and answering while the script works, and a script that never ends can be
// stopped. The engine is made and destroyed on this thread; the scripting
// object it works through stays on the GUI thread (see ScriptProxy).

#include <QMutex>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

class QJSEngine;
class ScriptCallQueue;
class TavrelScript;

class ScriptThread : public QThread {
    Q_OBJECT
public:
    ScriptThread(TavrelScript* script, const QString& program, const QString& fileName);
    ~ScriptThread() override;

    ScriptThread(const ScriptThread&) = delete;
    ScriptThread& operator=(const ScriptThread&) = delete;

    // Asks the script to end as soon as it can; callable from any thread.
    // What it added before stays.
    void stop();
    // The same, for a script whose memory grew beyond its allowance.
    void stopForMemory();
    bool stopRequested() const { return stopping.load(std::memory_order_relaxed); }
    // Whether the script was stopped for its memory: grown beyond the
    // allowance, or an allocation inside the engine failed.
    bool stoppedForMemory() const { return memoryExhausted.load(); }
    const QString& fileName() const { return name; }

    // The run under way, whatever its document; null when none runs.
    static ScriptThread* current();

protected:
    void run() override;

private:
    TavrelScript* script; // on the GUI thread, owned by the caller
    std::shared_ptr<ScriptCallQueue> calls; // the script's calls into the program
    QString program;
    QString name;
    std::atomic<bool> stopping { false };
    std::atomic<bool> memoryExhausted { false };
    QMutex engineLock; // guards `engine` between the two threads
    QJSEngine* engine = nullptr; // while the engine exists
};
