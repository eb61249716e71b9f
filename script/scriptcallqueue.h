#pragma once
// The calls a running script makes into the program, on their way from the
// script's thread to the GUI thread. The script's thread adds calls without
// waiting for each; the GUI thread makes all calls waiting whenever it gets
// to them (one hand-over for many calls), in order. The script's thread
// waits when it is too far ahead, and when it needs the calls made (for a
// result, or before a record of its own).

#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class ScriptCallQueue : public std::enable_shared_from_this<ScriptCallQueue> {
public:
    // `receiver` lives on the thread that makes the calls.
    explicit ScriptCallQueue(QObject* receiver);

    // Adds a call (script's thread). Waits while many calls are unmade.
    void add(std::function<void()> call);
    // Waits until every call added so far has been made (script's thread).
    void finish();
    // From now on calls not yet made are dropped; callable from any thread.
    void stop() { stopped.store(true); }

private:
    // Makes the calls waiting, until none is left (receiver's thread).
    void makeCalls();
    // Has makeCalls run on the receiver's thread when it gets to it.
    void postHandOver();

    // Calls added but not yet made before the script's thread waits.
    static constexpr quint64 maxUnmade = 512;
    // How long the GUI thread makes calls before it turns to its events.
    static constexpr qint64 maxSliceMs = 50;

    QObject* receiver;
    QMutex lock;
    QWaitCondition progressed; // calls made
    std::vector<std::function<void()>> waiting;
    bool handOverPosted = false;
    quint64 added = 0;
    quint64 made = 0;
    std::atomic<bool> stopped { false };
};
