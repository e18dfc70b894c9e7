#pragma once
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

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
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 28;

// The whole content of a file; EFOpenError ("Cannot open file "PATH". REASON") when it
// cannot be read or is larger than kMaxFileBytes (a device such as /dev/zero never ends).
inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path)
{
    files_detail::TFile file(std::fopen(path.c_str(), "rb"));
    if (!file)
        files_detail::Fail("Cannot open file", path, errno);
    std::vector<std::uint8_t> bytes;
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
