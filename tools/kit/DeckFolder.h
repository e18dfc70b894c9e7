#pragma once
#include <string>
#include <vector>

#include "tools/kit/DeckTable.h"

// A kana deck as a folder a teacher can edit: moratab.tsv, and kana_more.tsv when the deck has
// the extra kana, hold every column of their table but the picture (as DeckTable.h reads
// them), and each picture is a Windows bitmap file named after its row's id ("12.bmp"), so ids
// are unique across both tables.

// The names of the table files in a deck folder.
extern const char* const kDeckTableFile; // moratab.tsv
extern const char* const kDeckMoreTableFile; // kana_more.tsv

// Writes the rows of the database `file`, read through the file driver, into `folder`, which
// must be missing or empty. Returns the number of rows.
int ExportDeck(const std::string& file, const std::string& folder);

// Reads a deck folder; kana_more.tsv may be missing. A missing picture file makes a null
// picture. Every picture is checked as the program loads it. The first fault raises Exception
// naming the file (and line): "DIR/7.bmp: Bitmap image is not valid".
std::vector<TDeckRow> ReadDeckFolder(const std::string& folder);
