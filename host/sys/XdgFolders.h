#pragma once
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace xdg_detail {

inline std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

inline std::filesystem::path BaseFolder(const char* variable, const char* defaultBelowHome)
{
    // A relative path in the variable is to be ignored, as an unset one.
    if (const char* value = std::getenv(variable); value && *value == '/')
        return value;
    return HomeFolder() / defaultBelowHome;
}

} // namespace xdg_detail

// The folders of the XDG base directory rules: the variable when it holds an absolute path,
// else its default below the home folder ($HOME, else the user's entry in the password file).
inline std::filesystem::path XdgDataHome() // $XDG_DATA_HOME, default ~/.local/share
{
    return xdg_detail::BaseFolder("XDG_DATA_HOME", ".local/share");
}

inline std::filesystem::path XdgConfigHome() // $XDG_CONFIG_HOME, default ~/.config
{
    return xdg_detail::BaseFolder("XDG_CONFIG_HOME", ".config");
}

inline std::filesystem::path XdgCacheHome() // $XDG_CACHE_HOME, default ~/.cache
{
    return xdg_detail::BaseFolder("XDG_CACHE_HOME", ".cache");
}
