#include "script/scriptmemorywatch.h"

#include <QFile>
#include <QList>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>

namespace {

constexpr qint64 mebibyte = 1024 * 1024;
constexpr auto period = std::chrono::milliseconds(50);

std::atomic<qint64> allowanceOverride { 0 };

qint64 pageSize()
{
    const long size = sysconf(_SC_PAGESIZE);
    return size > 0 ? size : 4096;
}

} // namespace

qint64 ScriptMemoryWatch::allowance()
{
    const qint64 given = allowanceOverride.load();
    if (given > 0)
        return given;
    const long pages = sysconf(_SC_PHYS_PAGES);
    const qint64 physical = pages > 0 ? qint64(pages) * pageSize() : 0;
    return std::clamp(physical / 4, 128 * mebibyte, 1024 * mebibyte);
}

void ScriptMemoryWatch::setAllowance(qint64 bytes)
{
    allowanceOverride.store(std::max<qint64>(bytes, 0));
}

qint64 ScriptMemoryWatch::residentBytes()
{
    // The second field of statm is the resident size in pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.read(256).split(' ');
    bool ok = false;
    const qint64 pages = fields.value(1).toLongLong(&ok);
    return ok ? pages * pageSize() : 0;
}

ScriptMemoryWatch::ScriptMemoryWatch(std::function<void()> exceeded)
    : exceeded(std::move(exceeded))
{
    const qint64 start = residentBytes();
    // Without a resident size to compare with there is nothing to watch.
    if (start > 0)
        watcher = std::thread([this, limit = start + allowance()] { watch(limit); });
}

ScriptMemoryWatch::~ScriptMemoryWatch()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        ending = true;
    }
    wake.notify_all();
    if (watcher.joinable())
        watcher.join();
}

void ScriptMemoryWatch::watch(qint64 limit)
{
    std::unique_lock<std::mutex> guard(lock);
    while (!wake.wait_for(guard, period, [this] { return ending; })) {
        if (residentBytes() > limit) {
            guard.unlock();
            exceeded();
            return;
        }
    }
}
