#pragma once
#include <filesystem>

// The folders of the XDG base directory rules: the variable when it holds an absolute path,
// else its default below the home folder ($HOME, else the user's entry in the password file).
std::filesystem::path XdgDataHome(); // $XDG_DATA_HOME, default ~/.local/share
std::filesystem::path XdgConfigHome(); // $XDG_CONFIG_HOME, default ~/.config
