#include "host/data/drivers/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "host/data/DatabaseError.h"
#include "host/data/drivers/DatabaseFile.h"

#if defined(__SANITIZE_ADDRESS__)
#define MORALEAF_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORALEAF_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

constexpr size_t outputLimit = size_t(1) << 30;
#ifndef MORALEAF_ADDRESS_SANITIZER
// The sanitizer reserves terabytes of shadow memory up front, so it runs without this cap.
constexpr rlim_t addressSpaceLimit = rlim_t(4) << 30;
#endif

// The first byte the child writes: its work's bytes or its error message follow.
constexpr char resultTag = 'D';
constexpr char errorTag = 'E';

bool WriteAll(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

[[noreturn]] void RunChild(int output, const std::function<TBlob()>& work)
{
    // The library chatters about every oddity it meets, on both streams; none of it may mix
    // with what this program prints.
    int devnull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devnull < 0 || ::dup2(devnull, STDOUT_FILENO) < 0 || ::dup2(devnull, STDERR_FILENO) < 0)
        ::_exit(1);
#ifndef MORALEAF_ADDRESS_SANITIZER
    rlimit limit { addressSpaceLimit, addressSpaceLimit };
    ::setrlimit(RLIMIT_AS, &limit);
#endif
    bool written = false;
    try {
        TBlob bytes = work();
        written = WriteAll(output, &resultTag, 1) && WriteAll(output, bytes.data(), bytes.size());
    } catch (const Exception& e) {
        written = WriteAll(output, &errorTag, 1) && WriteAll(output, e.Message().data(), e.Message().size());
    } catch (...) {
    }
    ::_exit(written ? 0 : 1);
}

struct TChildEnd {
    bool Exited = false;
    int Status = 0;
};

TChildEnd Reap(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return {};
    }
    return { true, status };
}

} // namespace

TBlob ReadInChildProcess(const std::string& path, const std::function<TBlob()>& work, std::chrono::milliseconds timeLimit)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw FileOpenError(path, std::strerror(errno));
    pid_t pid = ::fork();
    if (pid < 0) {
        int error = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        throw FileOpenError(path, std::strerror(error));
    }
    if (pid == 0) {
        ::close(fds[0]);
        RunChild(fds[1], work);
    }
    ::close(fds[1]);

    TBlob output;
    const char* failure = nullptr;
    auto deadline = std::chrono::steady_clock::now() + timeLimit;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            failure = "reading it took too long";
            break;
        }
        pollfd waiting { fds[0], POLLIN, 0 };
        int ready = ::poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            continue;
        size_t size = output.size();
        output.resize(size + 65536);
        ssize_t n = ready < 0 ? -1 : ::read(fds[0], output.data() + size, 65536);
        if (n < 0 && errno == EINTR) {
            output.resize(size);
            continue;
        }
        output.resize(size + static_cast<size_t>(n > 0 ? n : 0));
        if (n <= 0)
            break;
        if (output.size() > outputLimit + 1) {
            failure = "the tables it names hold more than 1 GiB";
            break;
        }
    }
    ::close(fds[0]);
    if (failure)
        ::kill(pid, SIGKILL);
    TChildEnd end = Reap(pid);
    if (failure)
        throw DamagedFileError(path, failure);
    if (!end.Exited || !WIFEXITED(end.Status) || WEXITSTATUS(end.Status) != 0 || output.empty())
        throw DamagedFileError(path, "reading it stopped on damaged data");
    if (output.front() == errorTag)
        throw EDatabaseError(std::string(output.begin() + 1, output.end()));
    output.erase(output.begin());
    return output;
}
