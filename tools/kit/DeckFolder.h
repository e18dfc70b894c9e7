#pragma once
#include <string>
#include <vector>

#include "tools/kit/KanaDeck.h"

// A kana deck as a folder a teacher can edit: moratab.tsv holds every column of moratab but
// the picture (a header of column names, then one row per line, escaped as Tsv.h says, null
// as empty), and each picture is a Windows bitmap file named after its row's id ("12.bmp").

// The name of the table file in a deck folder.
extern const char* const kDeckTableFile;

// Writes the rows of the database `file`, read through the file driver, into `folder`, which
// must be missing or empty. Returns the number of rows.
int ExportDeck(const std::string& file, const std::string& folder);

// Reads a deck folder: the columns id, t_type, x, y and t_pronounce in any order; id a whole
// number given once; x and y empty or 1 to 200 (the chart's range); a missing picture file
// makes a null picture. Every picture is checked as the program loads it. The first fault
// raises Exception naming the file (and line): "DIR/7.bmp: Bitmap image is not valid".
std::vector<TDeckRow> ReadDeckFolder(const std::string& folder);
