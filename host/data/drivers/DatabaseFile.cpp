#include "host/data/drivers/DatabaseFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "host/data/drivers/AccessDriver.h"
#include "host/data/drivers/SqliteDriver.h"

namespace {

constexpr std::string_view sqliteMagic { "SQLite format 3\0", 16 };
constexpr std::string_view jetMagic { "\x00\x01\x00\x00Standard Jet DB\0", 20 };
constexpr std::string_view aceMagic { "\x00\x01\x00\x00Standard ACE DB\0", 20 };

bool StartsWith(const std::vector<std::uint8_t>& bytes, std::string_view magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin(), [](char m, std::uint8_t b) {
        return static_cast<std::uint8_t>(m) == b;
    });
}

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd)
        : fd_(fd)
    {
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() { ::close(fd_); }
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace

EDatabaseError FileNotFoundError(const std::string& path)
{
    return EDatabaseError("Could not find file '" + path + "'.");
}

EDatabaseError FileOpenError(const std::string& path, std::string_view reason)
{
    return EDatabaseError("Could not open file '" + path + "': " + std::string(reason) + ".");
}

EDatabaseError FileAccessError(const std::string& path, int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return FileNotFoundError(path);
    return FileOpenError(path, std::strerror(error));
}

EDatabaseError UnrecognizedFormatError(const std::string& path)
{
    return EDatabaseError("Unrecognized database format '" + path + "'.");
}

EDatabaseError DamagedFileError(const std::string& path, std::string_view reason)
{
    return EDatabaseError("Database file '" + path + "' is damaged: " + std::string(reason) + ".");
}

TFileHead ReadFileHead(const std::string& path, size_t count)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        throw FileAccessError(path, errno);
    TFileDescriptor file(fd);
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        throw FileAccessError(path, errno);
    if (S_ISDIR(info.st_mode))
        throw FileAccessError(path, EISDIR);
    if (!S_ISREG(info.st_mode))
        throw UnrecognizedFormatError(path);

    TFileHead head;
    head.Size = static_cast<std::uint64_t>(info.st_size);
    head.Bytes.resize(std::min<std::uint64_t>(count, head.Size));
    size_t done = 0;
    while (done < head.Bytes.size()) {
        ssize_t n = ::pread(fd, head.Bytes.data() + done, head.Bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileAccessError(path, errno);
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    head.Bytes.resize(done);
    return head;
}

std::unique_ptr<TDatabaseDriver> OpenDatabaseFile(const std::string& dataSource)
{
    if (dataSource.empty())
        throw FileNotFoundError(dataSource);
    std::string path = std::filesystem::absolute(dataSource).lexically_normal().string();
    TFileHead head = ReadFileHead(path, 20);
    if (StartsWith(head.Bytes, sqliteMagic))
        return std::make_unique<TSqliteDriver>(path);
    if (StartsWith(head.Bytes, jetMagic) || StartsWith(head.Bytes, aceMagic))
        return std::make_unique<TAccessDriver>(path);
    throw UnrecognizedFormatError(path);
}
