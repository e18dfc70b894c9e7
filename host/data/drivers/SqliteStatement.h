#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/data/drivers/ResultSet.h"

struct sqlite3;

struct TSqliteClose {
    void operator()(sqlite3* db) const;
};
using TSqliteConnection = std::unique_ptr<sqlite3, TSqliteClose>;

// Lets the connection compile reading statements only: no writes, attachments, transactions,
// pragmas or VACUUM INTO (which would create a file even on a read-only connection).
void AllowReadingOnly(sqlite3* db);

// Runs one statement in its own implicit transaction, so nothing stays locked or pinned between
// statements, and reads its whole result. The path names the file in errors about damage.
TResultSet RunStatement(sqlite3* db, const std::string& sql, const std::string& path);

// A column's kind from its declared type, when that says: BOOL -> ftBoolean; LONGBINARY, BLOB,
// OLE or IMAGE -> ftBlob; other BINARY -> ftVarBytes; MEMO, LONGTEXT, LONGCHAR or CLOB -> ftMemo;
// INT -> ftInteger; CHAR, TEXT or GUID -> ftString; REAL, FLOA, DOUB, CURRENCY, MONEY, DECIMAL or
// NUMERIC -> ftFloat; DATE or TIME -> ftDateTime (first match in this order, any letter case).
// Other or no declarations leave the kind to the values: the first non-null one decides
// (integer, float, text, bytes -> ftInteger, ftFloat, ftString, ftBlob), all null -> ftString.
std::optional<TFieldType> FieldTypeFromDeclaration(std::string_view declared);
