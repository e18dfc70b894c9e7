// What the desktop tests of the real program share: a command's output, and a bounded wait.
#pragma once
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include <unistd.h>

inline std::string Output(const std::string& command)
{
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p))
            out += buffer;
        ::pclose(p);
    }
    return out;
}

// Whether done() came true before the time ran out.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The display number an Xvfb started with -displayfd writes to fd, read to the line's end and
// the fd closed: Xvfb writes the number and its line end apart, and dies when the pipe closes in
// between. Empty when it wrote none.
inline std::string ReadDisplayNumber(int fd)
{
    std::string number;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fd);
    return number;
}
