#include "learn/XdgFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::filesystem::path BaseFolder(const char* variable, const char* defaultBelowHome)
{
    // A relative path in the variable is to be ignored, as an unset one.
    if (const char* value = std::getenv(variable); value && *value == '/')
        return value;
    return HomeFolder() / defaultBelowHome;
}

} // namespace

std::filesystem::path XdgDataHome()
{
    return BaseFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path XdgConfigHome()
{
    return BaseFolder("XDG_CONFIG_HOME", ".config");
}
