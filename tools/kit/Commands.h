#pragma once
#include <span>
#include <string>

// A subcommand of moraleaf-kit: its arguments after the subcommand's name; returns the exit code.
using TKitCommand = int (*)(std::span<const std::string> args);

int PictureCommand(std::span<const std::string> args);
int DbCommand(std::span<const std::string> args);
int ThemeCommand(std::span<const std::string> args);
int DriveCommand(std::span<const std::string> args);
int PreviewCommand(std::span<const std::string> args);
