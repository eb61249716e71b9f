#include "script/scriptcallqueue.h"

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
        std::shared_ptr<ScriptCallQueue> self = shared_from_this();
        QMetaObject::invokeMethod(receiver, [self] { self->makeCalls(); }, Qt::QueuedConnection);
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
        for (const std::function<void()>& call : calls) {
            if (!stopped.load())
                call();
        }
        QMutexLocker locker(&lock);
        made += calls.size();
        progressed.wakeAll();
    }
}
