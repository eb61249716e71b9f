#include "script/scriptcallqueue.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QMutexLocker>

ScriptCallQueue::ScriptCallQueue(QObject* receiver)
    : receiver(receiver)
{
}

void ScriptCallQueue::add(std::function<void()> call)
{
    QMutexLocker locker(&lock);
    waiting.push_back(std::move(call));
    ++added;
    if (!handOverPosted) {
        handOverPosted = true;
        postHandOver();
    }
    while (added - made > maxUnmade)
        progressed.wait(&lock);
}

void ScriptCallQueue::finish()
{
    QMutexLocker locker(&lock);
    while (made != added)
        progressed.wait(&lock);
}

void ScriptCallQueue::makeCalls()
{
    // The calls are made for a short slice at a time, then the hand-over is
    // posted again: a script that calls without pause must not keep the GUI
    // thread from its events (painting, the Stop button) for longer.
    QElapsedTimer slice;
    slice.start();
    for (;;) {
        std::vector<std::function<void()>> calls;
        {
            QMutexLocker locker(&lock);
            if (waiting.empty()) {
                handOverPosted = false;
                return;
            }
            calls.swap(waiting);
        }
        size_t done = 0;
        while (done < calls.size()) {
            if (!stopped.load())
                calls[done]();
            ++done;
            if (slice.elapsed() >= maxSliceMs)
                break;
        }
        QMutexLocker locker(&lock);
        made += done;
        progressed.wakeAll();
        // Those not made yet (the slice ended) go back in front of any
        // added meanwhile.
        if (done < calls.size())
            waiting.insert(waiting.begin(), std::make_move_iterator(calls.begin() + qint64(done)),
                std::make_move_iterator(calls.end()));
        if (slice.elapsed() >= maxSliceMs) {
            postHandOver();
            return;
        }
    }
}

void ScriptCallQueue::postHandOver()
{
    // The queue lives on as long as a hand-over is posted.
    std::shared_ptr<ScriptCallQueue> self = shared_from_this();
    QMetaObject::invokeMethod(
        receiver, [self] { self->makeCalls(); }, Qt::QueuedConnection);
}
