#pragma once
#include <ostream>
#include <string>

// The connection string the program uses, naming `file` as its data source.
std::string ProgramConnectionString(const std::string& file);

// Every row of moratab, then of kana_more when the deck has it, in id order, read through the
// file driver (which only reads). Each table is its name on a line, a header of the column
// names and one tab-separated line per row; an empty line parts the tables. Null is empty,
// text is escaped as Tsv.h says, bytes are described as "SIZE bytes WIDTHxHEIGHT crc32=HEX" (or
// the decoding error in place of the size in pixels).
void DumpDatabase(const std::string& file, std::ostream& out);

// Runs one statement through TADOConnection and TADOQuery with the program's connection
// string and prints the column names, then one tab-separated line per row: null empty, large
// objects as "<blob N bytes>", short binary in hexadecimal, text escaped. Failures raise
// EDatabaseError.
void QueryDatabase(const std::string& file, const std::string& sql, std::ostream& out);
