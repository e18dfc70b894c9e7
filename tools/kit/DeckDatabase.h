#pragma once
#include <string>
#include <vector>

#include "tools/kit/KanaDeck.h"

// Writes rows as a new SQLite database holding the table moratab(id INTEGER PRIMARY KEY,
// t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB, t_pronounce TEXT, t_kana TEXT) and, when some
// row belongs to it, kana_more with the same columns and t_group TEXT. The file is written beside
// its destination and then renamed onto it, so it appears whole or not at all. An existing file
// is replaced only when `replace` is set; otherwise, and on any failure, Exception.
void WriteDeckDatabase(const std::string& path, const std::vector<TDeckRow>& rows, bool replace);

// Raises the error WriteDeckDatabase gives for an existing file, so that a command can refuse
// before doing its work.
void CheckDeckDestination(const std::string& path, bool replace);
