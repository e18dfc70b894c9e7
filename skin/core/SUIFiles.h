#pragma once
#include <string>

// The file-system questions the theme file search asks.

// Whether a file (not a folder) of that name exists.
bool FileExists(const std::string& FileName);
// The name without its folder: the text after the last "/" or "\".
std::string ExtractFileName(const std::string& FileName);
// The folder of the running program's executable, ending in "/".
std::string ApplicationFolder();
