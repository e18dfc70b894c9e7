#include "host/data/drivers/SqliteStatement.h"

#include <sqlite3.h>

#include <array>
#include <utility>

#include "host/data/DatabaseError.h"
#include "host/data/drivers/DatabaseFile.h"

namespace {

struct TStatementFinalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using TStatement = std::unique_ptr<sqlite3_stmt, TStatementFinalize>;

int AuthorizeReading(void*, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

[[noreturn]] void RaiseSqliteError(sqlite3* db, int code, const std::string& path)
{
    int primary = code & 0xff;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        throw DamagedFileError(path, sqlite3_errstr(primary));
    throw EDatabaseError(sqlite3_errmsg(db));
}

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

TDataValue ReadValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return static_cast<std::int64_t>(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement, column));
        return bytes ? TBlob(bytes, bytes + sqlite3_column_bytes(statement, column)) : TBlob();
    }
    default:
        return std::monostate {};
    }
}

TFieldType FieldTypeFromValues(const std::vector<TDataValue>& values, size_t column, size_t columnCount)
{
    for (size_t i = column; i < values.size(); i += columnCount) {
        switch (values[i].index()) {
        case 1:
            return TFieldType::ftInteger;
        case 2:
            return TFieldType::ftFloat;
        case 3:
            return TFieldType::ftString;
        case 4:
            return TFieldType::ftBlob;
        default:
            break;
        }
    }
    return TFieldType::ftString;
}

} // namespace

void TSqliteClose::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

void AllowReadingOnly(sqlite3* db)
{
    sqlite3_set_authorizer(db, AuthorizeReading, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
}

std::optional<TFieldType> FieldTypeFromDeclaration(std::string_view declared)
{
    static const std::array<std::pair<const char*, TFieldType>, 23> rules { {
        { "BOOL", TFieldType::ftBoolean },
        { "LONGBINARY", TFieldType::ftBlob },
        { "BLOB", TFieldType::ftBlob },
        { "OLE", TFieldType::ftBlob },
        { "IMAGE", TFieldType::ftBlob },
        { "BINARY", TFieldType::ftVarBytes },
        { "MEMO", TFieldType::ftMemo },
        { "LONGTEXT", TFieldType::ftMemo },
        { "LONGCHAR", TFieldType::ftMemo },
        { "CLOB", TFieldType::ftMemo },
        { "INT", TFieldType::ftInteger },
        { "CHAR", TFieldType::ftString },
        { "TEXT", TFieldType::ftString },
        { "GUID", TFieldType::ftString },
        { "REAL", TFieldType::ftFloat },
        { "FLOA", TFieldType::ftFloat },
        { "DOUB", TFieldType::ftFloat },
        { "CURRENCY", TFieldType::ftFloat },
        { "MONEY", TFieldType::ftFloat },
        { "DECIMAL", TFieldType::ftFloat },
        { "NUMERIC", TFieldType::ftFloat },
        { "DATE", TFieldType::ftDateTime },
        { "TIME", TFieldType::ftDateTime },
    } };
    std::string upper = UpperAscii(declared);
    for (const auto& [word, type] : rules) {
        if (upper.find(word) != std::string::npos)
            return type;
    }
    return std::nullopt;
}

TResultSet RunStatement(sqlite3* db, const std::string& sql, const std::string& path)
{
    const char* tail = nullptr;
    sqlite3_stmt* raw = nullptr;
    int code = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &raw, &tail);
    TStatement statement(raw);
    if (code != SQLITE_OK)
        RaiseSqliteError(db, code, path);
    if (!statement)
        throw EDatabaseError("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
    sqlite3_stmt* rawRest = nullptr;
    code = sqlite3_prepare_v2(db, tail, static_cast<int>(sql.c_str() + sql.size() - tail), &rawRest, nullptr);
    TStatement rest(rawRest);
    if (code != SQLITE_OK || rest)
        throw EDatabaseError("Characters found after end of SQL statement.");

    // The first step checks the schema and prepares the statement again when another program
    // changed it, so the columns are read after it: before, they may be those of a dropped
    // column's table, and the values would land under the wrong names.
    code = sqlite3_step(statement.get());
    int columnCount = sqlite3_column_count(statement.get());
    std::vector<TResultColumn> columns(static_cast<size_t>(columnCount));
    std::vector<bool> declared(columns.size());
    for (int i = 0; i < columnCount; ++i) {
        auto& column = columns[static_cast<size_t>(i)];
        column.Name = sqlite3_column_name(statement.get(), i);
        const char* declaration = sqlite3_column_decltype(statement.get(), i);
        if (auto type = FieldTypeFromDeclaration(declaration ? declaration : "")) {
            column.DataType = *type;
            declared[static_cast<size_t>(i)] = true;
        }
    }

    std::vector<TDataValue> values;
    for (; code == SQLITE_ROW; code = sqlite3_step(statement.get())) {
        for (int i = 0; i < columnCount; ++i)
            values.push_back(ReadValue(statement.get(), i));
    }
    if (code != SQLITE_DONE)
        RaiseSqliteError(db, code, path);

    for (size_t i = 0; i < columns.size(); ++i) {
        if (!declared[i])
            columns[i].DataType = FieldTypeFromValues(values, i, columns.size());
    }
    return TResultSet(std::move(columns), std::move(values));
}
