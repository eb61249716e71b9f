#pragma once
// Watches the program's resident memory while a script runs, from a thread
// of its own, and calls back once when it has grown beyond the allowance
// since the watch began. A script can allocate without limit (a text doubled
// in a loop, an array grown without end); stopped in time, the program and
// its unsaved drawings live on. The watch reads the resident size every
// 50 ms, so a script that grows faster than that overshoots the allowance by
// what it allocates meanwhile.

#include <QtGlobal>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class ScriptMemoryWatch {
public:
    // Starts watching; `exceeded` is called once, on the watch's thread.
    explicit ScriptMemoryWatch(std::function<void()> exceeded);
    // Stops watching and waits for the watch's thread.
    ~ScriptMemoryWatch();

    ScriptMemoryWatch(const ScriptMemoryWatch&) = delete;
    ScriptMemoryWatch& operator=(const ScriptMemoryWatch&) = delete;

    // The growth allowed to a script, in bytes: a quarter of the physical
    // memory, at least 128 MiB and at most 1 GiB. Drawing scripts need a few
    // megabytes; the cap keeps the rest of the machine's memory for the
    // program and everything else running.
    static qint64 allowance();
    // Replaces the allowance (tests); 0 gives the default back.
    static void setAllowance(qint64 bytes);
    // The program's resident size in bytes; 0 when it cannot be read.
    static qint64 residentBytes();

private:
    void watch(qint64 limit);

    std::function<void()> exceeded;
    std::mutex lock;
    std::condition_variable wake;
    bool ending = false;
    std::thread watcher;
};
