#include "host/win/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

#include "host/win/WindowSystem.h"

namespace {

std::atomic<bool> gQuitSignalled { false };
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");
int gPipe[2] = { -1, -1 };

extern "C" void OnQuitSignal(int)
{
    const int saved = errno;
    gQuitSignalled.store(true);
    // A full pipe already wakes the wait; the byte is only a wake-up.
    const char byte = 'q';
    [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

void CatchQuitSignals()
{
    if (gPipe[0] >= 0)
        return;
    if (::pipe2(gPipe, O_NONBLOCK | O_CLOEXEC) != 0)
        throw EWindowSystemError("Cannot watch for quit signals: no pipe");
    struct sigaction action { };
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    // Reads and writes elsewhere go on after the handler rather than failing with EINTR.
    action.sa_flags = SA_RESTART;
    for (int signal : { SIGTERM, SIGINT, SIGHUP })
        ::sigaction(signal, &action, nullptr);
}

int QuitSignalFd()
{
    return gPipe[0];
}

bool TakeQuitSignal()
{
    if (!gQuitSignalled.load())
        return false;
    // Emptied before the flag is cleared: a signal after the emptying keeps its byte, so a
    // wait never sleeps through it.
    char buffer[64];
    while (::read(gPipe[0], buffer, sizeof buffer) > 0) { }
    return gQuitSignalled.exchange(false);
}
