// Start-up: wall time from starting a process to its first frame on screen, for the program
// and for an empty SDL2 program doing the least work that gets a window up. Both run on a
// private Xvfb started here, and end themselves after the first present
// (MORALEAF_EXIT_AFTER_FIRST_FRAME=1), so the time to their exit is the time to that frame.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kRunTimeoutMs = 30000;

fs::path ProgramFolder()
{
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// Waits up to timeoutMs for a child to end; kills it after that. Returns its exit status, or
// nothing when it had to be killed; usage receives the CPU time it took. (Kernels without
// pidfd_open, before 5.3, wait without a limit.)
std::optional<int> WaitForChild(pid_t pid, int timeoutMs, rusage* usage = nullptr)
{
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    bool ended = true;
    if (pidfd >= 0) {
        pollfd p { pidfd, POLLIN, 0 };
        ended = ::poll(&p, 1, timeoutMs) == 1;
        ::close(pidfd);
    }
    if (!ended)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::wait4(pid, &status, 0, usage) < 0 && errno == EINTR) { }
    if (!ended)
        return std::nullopt;
    return status;
}

double Seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

std::string DescribeStatus(const std::optional<int>& status)
{
    if (!status)
        return "did not end within " + std::to_string(kRunTimeoutMs / 1000) + " s";
    if (WIFEXITED(*status))
        return "exited with " + std::to_string(WEXITSTATUS(*status));
    if (WIFSIGNALED(*status))
        return std::string("was killed by ") + ::strsignal(WTERMSIG(*status));
    return "ended abnormally";
}

// A process started with extra environment entries, in a given working folder.
class TChild {
public:
    TChild(const fs::path& program, const std::vector<std::string>& arguments, const std::vector<std::string>& extraEnvironment,
        const fs::path& folder)
    {
        std::vector<std::string> environment = extraEnvironment;
        for (char** e = environ; *e; ++e)
            if (!Overridden(*e, extraEnvironment))
                environment.emplace_back(*e);
        std::vector<std::string> argv { program.string() };
        argv.insert(argv.end(), arguments.begin(), arguments.end());

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        const int result
            = ::posix_spawn(&pid_, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(environment).data());
        posix_spawn_file_actions_destroy(&actions);
        if (result != 0) {
            pid_ = -1;
            error_ = "cannot start " + program.string() + ": " + std::strerror(result);
        }
    }

    // Empty when it ended with status 0, else what went wrong.
    std::string Wait(int timeoutMs, rusage* usage = nullptr)
    {
        if (pid_ < 0)
            return error_;
        const std::optional<int> status = WaitForChild(pid_, timeoutMs, usage);
        pid_ = -1;
        if (status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
            return {};
        return DescribeStatus(status);
    }

private:
    static bool Overridden(std::string_view entry, const std::vector<std::string>& extraEnvironment)
    {
        const std::string_view name = entry.substr(0, entry.find('=') + 1);
        for (const std::string& extra : extraEnvironment)
            if (std::string_view(extra).substr(0, extra.find('=') + 1) == name)
                return true;
        return false;
    }

    static std::vector<char*> Pointers(std::vector<std::string>& strings)
    {
        std::vector<char*> pointers;
        for (std::string& s : strings)
            pointers.push_back(s.data());
        pointers.push_back(nullptr);
        return pointers;
    }

    pid_t pid_ = -1;
    std::string error_;
};

// A private X server on a display number it picks itself (-displayfd), stopped at exit.
class TXvfb {
public:
    TXvfb()
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            error_ = "no pipe for Xvfb";
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(fds[1], 3); // dup2 clears close-on-exec on the copy
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            // Large enough for the main window at twice its size.
            ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "2560x1600x24", "-nolisten", "tcp",
                static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        if (pid_ < 0) {
            ::close(fds[0]);
            error_ = "cannot start Xvfb";
            return;
        }
        std::string number;
        pollfd p { fds[0], POLLIN, 0 };
        char c = 0;
        while (::poll(&p, 1, kStartTimeoutMs) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (number.empty()) {
            error_ = "Xvfb did not start (is it installed? it comes with the Debian package xvfb)";
            Stop();
            return;
        }
        display_ = ":" + number;
    }
    TXvfb(const TXvfb&) = delete;
    TXvfb& operator=(const TXvfb&) = delete;
    ~TXvfb() { Stop(); }

    const std::string& Display() const { return display_; }
    const std::string& Error() const { return error_; }

private:
    void Stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        WaitForChild(pid_, kStartTimeoutMs);
        pid_ = -1;
    }

    pid_t pid_ = -1;
    std::string display_;
    std::string error_;
};

TXvfb& Xvfb()
{
    static TXvfb server;
    return server;
}

// A working folder removed at exit; the program finds its db1.mdb there.
class TWorkFolder {
public:
    TWorkFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "moraleaf-startup-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    TWorkFolder(const TWorkFolder&) = delete;
    TWorkFolder& operator=(const TWorkFolder&) = delete;
    ~TWorkFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// The programs keep their cache files in the working folder, not in the user's.
std::string CacheHome(const fs::path& folder)
{
    return "XDG_CACHE_HOME=" + (folder / "cache").string();
}

// Makes the default db1.mdb with the kit beside the program; empty when that worked.
std::string PrepareDatabase(const fs::path& folder)
{
    const fs::path kit = ProgramFolder() / "moraleaf-kit";
    if (!fs::exists(kit))
        return kit.string() + " is missing; build the target moraleaf-kit";
    TChild create(kit, { "db", "create", "db1.mdb" }, { CacheHome(folder) }, folder);
    const std::string error = create.Wait(kRunTimeoutMs);
    return error.empty() ? error : "moraleaf-kit db create " + error;
}

// One process start to its first frame, timed by hand so that only that span counts; the
// program drawn at the display scale given.
void FirstFrame(benchmark::State& state, const char* programName, bool needsDatabase, const char* scale)
{
    const fs::path program = ProgramFolder() / programName;
    if (!fs::exists(program)) {
        state.SkipWithError((program.string() + " is missing; build the target " + programName + " first").c_str());
        return;
    }
    if (!Xvfb().Error().empty()) {
        state.SkipWithError(("no display to measure on: " + Xvfb().Error()).c_str());
        return;
    }
    TWorkFolder folder;
    if (folder.Path().empty()) {
        state.SkipWithError("cannot make a working folder");
        return;
    }
    if (std::string error = needsDatabase ? PrepareDatabase(folder.Path()) : ""; !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::vector<std::string> environment { "DISPLAY=" + Xvfb().Display(), "MORALEAF_EXIT_AFTER_FIRST_FRAME=1",
        CacheHome(folder.Path()), std::string("MORALEAF_SCALE=") + scale };
    // One untimed start warms the page cache, the X server's font and visual caches and the
    // program's own cache files, as any start after the first finds them.
    if (std::string error = TChild(program, {}, environment, folder.Path()).Wait(kRunTimeoutMs); !error.empty()) {
        state.SkipWithError((std::string(programName) + " " + error).c_str());
        return;
    }
    double childCpuSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TChild child(program, {}, environment, folder.Path());
        rusage usage {};
        const std::string error = child.Wait(kRunTimeoutMs, &usage);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (!error.empty()) {
            state.SkipWithError((std::string(programName) + " " + error).c_str());
            break;
        }
        state.SetIterationTime(elapsed.count());
        childCpuSeconds += Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    }
    // The process's own CPU time, which other load on the machine barely disturbs (the X
    // server's share is not in it).
    if (state.iterations() > 0)
        state.counters["child_cpu_ms"] = 1000 * childCpuSeconds / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(FirstFrame, empty_sdl_window, "empty_sdl_window", false, "1")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstFrame, moraleaf, "moraleaf", true, "1")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstFrame, moraleaf_scale2, "moraleaf", true, "2")->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
