#include "skin/core/SUIFiles.h"

#include <filesystem>
#include <system_error>

bool FileExists(const std::string& FileName)
{
    if (FileName.empty())
        return false;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(FileName, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string ExtractFileName(const std::string& FileName)
{
    // Names written on the other platform separate folders with backslashes.
    const std::size_t slash = FileName.find_last_of("/\\");
    return slash == std::string::npos ? FileName : FileName.substr(slash + 1);
}

std::string ApplicationFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    std::string folder = exe.parent_path().string();
    if (!folder.ends_with('/'))
        folder += '/';
    return folder;
}
