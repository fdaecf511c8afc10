#include "data/statementwatch.h"

#include <atomic>
#include <mutex>

namespace data::statementwatch {

namespace {

// Odd while something runs on the watched thread; each run has its own number.
std::atomic<quint64> g_sequence{0};
std::atomic<bool> g_marked{false};
std::atomic<void (*)()> g_slowEnded{nullptr};
// Held while the watcher acts on a running statement and while the end of a marked one is
// handled: the watcher never acts on a statement that has ended.
std::mutex g_mutex;
thread_local bool t_watched = false;
thread_local int t_depth = 0;

} // namespace

void watchThisThread(void (*slowEnded)())
{
    g_slowEnded.store(slowEnded);
    t_watched = true;
}

void stopWatching()
{
    std::lock_guard lock(g_mutex);
    g_slowEnded.store(nullptr);
    g_marked.store(false);
    t_watched = false;
}

quint64 running()
{
    const quint64 s = g_sequence.load(std::memory_order_acquire);
    return (s & 1) ? s : 0;
}

bool whileRunning(quint64 id, void (*act)(void*), void* context)
{
    // Marked first, then checked: either the watched thread sees the mark when it ends the
    // statement, or this thread sees that it has ended (both are sequentially consistent).
    g_marked.store(true);
    std::lock_guard lock(g_mutex);
    if (id == 0 || g_sequence.load() != id)
        return false;
    act(context);
    return true;
}

Running::Running() : m_counted(t_watched)
{
    if (m_counted && t_depth++ == 0)
        g_sequence.store(g_sequence.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

Running::~Running()
{
    if (!m_counted || --t_depth > 0)
        return;
    g_sequence.store(g_sequence.load(std::memory_order_relaxed) + 1);
    if (!g_marked.load())
        return;
    // A mark the watcher left for a statement that had already ended costs one needless call.
    std::lock_guard lock(g_mutex);
    g_marked.store(false);
    if (void (*ended)() = g_slowEnded.load())
        ended();
}

} // namespace data::statementwatch
