#pragma once
#include <optional>
#include <string>

#include "skin/core/SUIThemes.h"

// The built-in style a command-line name stands for (any letter case); none for anything else,
// which the commands then read as a theme file's name.
std::optional<TsuiUIStyle> BuiltInStyle(const std::string& name);
