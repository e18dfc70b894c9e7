#pragma once
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "host/sys/Exception.h"

namespace files_detail {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

[[noreturn]] inline void Fail(const char* what, const std::string& path, int error)
{
    throw EFOpenError(std::string(what) + " \"" + path + "\". " + std::strerror(error));
}

} // namespace files_detail

// Files the program reads whole are pictures, themes and layouts; nothing real comes near this.
constexpr std::size_t kMaxFileBytes = std::size_t { 1 } << 28;

// The whole content of a file; EFOpenError ("Cannot open file "PATH". REASON") when it
// cannot be read or is larger than kMaxFileBytes. A file of known size is measured before a
// byte of it is read; one of unknown size (a device such as /dev/zero never ends) is refused
// once it has given more.
inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path)
{
    files_detail::TFile file(std::fopen(path.c_str(), "rb"));
    if (!file)
        files_detail::Fail("Cannot open file", path, errno);
    // The open file itself is measured, so that it cannot be swapped for another meanwhile.
    struct stat info { };
    if (::fstat(::fileno(file.get()), &info) != 0)
        files_detail::Fail("Cannot open file", path, errno);
    std::vector<std::uint8_t> bytes;
    if (S_ISREG(info.st_mode)) {
        if (static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes)
            files_detail::Fail("Cannot open file", path, EFBIG);
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (bytes.size() > kMaxFileBytes)
            files_detail::Fail("Cannot open file", path, EFBIG);
        if (n < sizeof chunk)
            break;
    }
    if (std::ferror(file.get()))
        files_detail::Fail("Cannot open file", path, errno);
    return bytes;
}

// Replaces a file's content; EFOpenError ("Cannot create file "PATH". REASON") when it
// cannot be written.
inline void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes)
{
    files_detail::TFile file(std::fopen(path.c_str(), "wb"));
    if (!file)
        files_detail::Fail("Cannot create file", path, errno);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        files_detail::Fail("Cannot create file", path, errno);
    if (std::fclose(file.release()) != 0)
        files_detail::Fail("Cannot create file", path, errno);
}

// Replaces a file's content all at once: the text goes to a file beside it, which is then
// renamed over it, so that a reader finds the old content or the new, never a part of either.
// Makes the folder when it is missing. The reason it failed (as std::strerror gives it), or
// empty when it worked.
inline std::string ReplaceFileContent(const std::filesystem::path& file, std::string_view text)
{
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return error.message();
    const std::filesystem::path temporary = file.string() + ".tmp-" + std::to_string(::getpid());
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out)
        return std::strerror(errno);
    const bool written
        = std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0 && ::fsync(::fileno(out)) == 0;
    const int writeError = errno;
    if (std::fclose(out) != 0 || !written) {
        const int reason = written ? errno : writeError;
        std::filesystem::remove(temporary, error);
        return std::strerror(reason);
    }
    std::filesystem::rename(temporary, file, error);
    if (error) {
        const std::string reason = error.message();
        std::filesystem::remove(temporary, error);
        return reason;
    }
    return {};
}
