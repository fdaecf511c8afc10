#pragma once

#include <QtGlobal>

// Lets another thread see that the thread which runs the program's statements is waiting
// for one: the wait cursor of a statement that runs longer than about a second (the
// statements run on the GUI thread, so nothing there can react while one blocks). On the
// statement's side it costs two atomic stores and a load per statement; the watcher does
// the rest.
namespace data::statementwatch {

// Statements on the calling thread are watched from now on (the GUI thread calls it once).
// `slowEnded` runs on this thread when a statement the watcher marked slow has ended.
void watchThisThread(void (*slowEnded)());
// Stops watching: afterwards no statement is seen and `slowEnded` is not called again.
void stopWatching();

// The statement (or connect, or save) running on the watched thread: a number that stays
// the same while it runs, 0 while none does.
quint64 running();

// Called by the watcher: if the statement `id` is still running, runs `act` (on the
// watcher's thread) and arranges for the watched thread's `slowEnded` to run when the
// statement ends. True when `act` ran. `act` must not call into the watched thread's objects.
bool whileRunning(quint64 id, void (*act)(void*), void* context);

// Marks what runs on the watched thread while it lives; nested ones count as the outer one.
class Running {
public:
    Running();
    ~Running();
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    bool m_counted;
};

} // namespace data::statementwatch
