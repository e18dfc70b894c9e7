#pragma once
#include <string>
#include <string_view>
#include <vector>

// The words and quoted names of a statement ("name", [name], `name`), outside string literals
// and comments, in order of appearance; keywords are included, so the caller matches them
// against names it knows.
std::vector<std::string> SqlIdentifiers(std::string_view sql);
