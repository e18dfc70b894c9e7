#pragma once
#include <ostream>
#include <string>

// The connection string the program uses, naming `file` as its data source.
std::string ProgramConnectionString(const std::string& file);

// Every row of moratab in id order, read through the file driver (which only reads), as
// tab-separated lines after a header of the column names. Null is empty, text is escaped as
// Tsv.h says, bytes are described as "SIZE bytes WIDTHxHEIGHT crc32=HEX" (or the decoding
// error in place of the size in pixels).
void DumpDatabase(const std::string& file, std::ostream& out);

// Runs one statement through TADOConnection and TADOQuery with the program's connection
// string and prints the column names, then one tab-separated line per row: null empty, large
// objects as "<blob N bytes>", short binary in hexadecimal, text escaped. Failures raise
// EDatabaseError.
void QueryDatabase(const std::string& file, const std::string& sql, std::ostream& out);
