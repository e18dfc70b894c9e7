#include "host/data/drivers/AccessConversion.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "host/data/DatabaseError.h"
#include "host/data/SameText.h"
#include "host/data/drivers/DatabaseFile.h"
#include "host/data/drivers/MdbLibrary.h"
#include "host/data/drivers/SqliteStatement.h"

namespace {

const MdbLibrary& Mdb()
{
    return MdbLibrary::Get();
}

// The length of the pointer to a memo or OLE value kept outside the row.
constexpr int longValueHeader = MDB_MEMO_OVERHEAD;

struct TMdbClose {
    void operator()(MdbHandle* mdb) const { Mdb().Close(mdb); }
};
struct TTableFree {
    void operator()(MdbTableDef* table) const { Mdb().FreeTabledef(table); }
};
struct TStatementFinalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
struct TMallocFree {
    void operator()(void* p) const { std::free(p); }
};

std::string QuoteName(const char* name)
{
    std::string quoted = "\"";
    for (const char* p = name; *p; ++p) {
        if (*p == '"')
            quoted += '"';
        quoted += *p;
    }
    return quoted + '"';
}

const char* DeclaredType(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL:
        return "BOOLEAN";
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return "INTEGER";
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return "DOUBLE";
    case MDB_MONEY:
        return "CURRENCY";
    case MDB_NUMERIC:
        return "DECIMAL";
    case MDB_DATETIME:
        return "DATETIME";
    case MDB_MEMO:
        return "LONGTEXT";
    case MDB_OLE:
        return "LONGBINARY";
    case MDB_BINARY:
        return "VARBINARY";
    default:
        return "TEXT";
    }
}

class TTableCopy {
public:
    TTableCopy(MdbHandle* mdb, MdbCatalogEntry* entry, sqlite3* db, const std::string& path)
        : mdb_(mdb)
        , db_(db)
        , path_(path)
    {
        table_.reset(Mdb().ReadTable(entry));
        if (!table_ || !Mdb().ReadColumns(table_.get()))
            throw DamagedFileError(path_, "the table '" + std::string(entry->object_name) + "' cannot be read");
        for (unsigned i = 0; i < table_->num_cols; ++i)
            columns_.push_back(static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i)));
    }

    void Run()
    {
        CreateTable();
        buffers_.assign(columns_.size(), std::vector<char>(mdb_->bind_size + 1));
        for (size_t i = 0; i < columns_.size(); ++i)
            Mdb().BindColumn(table_.get(), static_cast<int>(i + 1), buffers_[i].data(), nullptr);
        Mdb().RewindTable(table_.get());
        while (Mdb().FetchRow(table_.get())) {
            for (size_t i = 0; i < columns_.size(); ++i)
                BindValue(static_cast<int>(i + 1), columns_[i], buffers_[i].data());
            if (sqlite3_step(insert_.get()) != SQLITE_DONE)
                throw EDatabaseError(sqlite3_errmsg(db_));
            sqlite3_reset(insert_.get());
        }
    }

private:
    void CreateTable()
    {
        std::string name = QuoteName(table_->name);
        std::string create = "CREATE TABLE " + name + " (";
        std::string insert = "INSERT INTO " + name + " VALUES (";
        for (size_t i = 0; i < columns_.size(); ++i) {
            create += (i ? ", " : "") + QuoteName(columns_[i]->name) + " " + DeclaredType(columns_[i]->col_type);
            insert += i ? ", ?" : "?";
        }
        create += ")";
        insert += ")";
        char* message = nullptr;
        if (sqlite3_exec(db_, create.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::string text = message ? message : "";
            sqlite3_free(message);
            throw DamagedFileError(path_, "the table '" + std::string(table_->name) + "' cannot be read: " + text);
        }
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, insert.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw EDatabaseError(sqlite3_errmsg(db_));
        insert_.reset(statement);
    }

    // The raw bytes of the current value inside the row's page, or null when they lie outside.
    const unsigned char* RawValue(const MdbColumn* column) const
    {
        if (column->cur_value_start < 0 || column->cur_value_len < 0
            || column->cur_value_start + column->cur_value_len > mdb_->fmt->pg_size)
            return nullptr;
        return mdb_->pg_buf + column->cur_value_start;
    }

    void BindNumber(int parameter, const char* text, bool whole)
    {
        char* end = nullptr;
        if (whole) {
            long long value = std::strtoll(text, &end, 10);
            if (end != text && *end == '\0')
                sqlite3_bind_int64(insert_.get(), parameter, value);
        } else {
            double value = std::strtod(text, &end);
            if (end != text && *end == '\0')
                sqlite3_bind_double(insert_.get(), parameter, value);
        }
    }

    // An OLE or memo value, whose row holds only a pointer to pages elsewhere.
    std::unique_ptr<void, TMallocFree> ReadLongValue(MdbColumn* column, char* bound, size_t& size)
    {
        size = 0;
        const unsigned char* header = RawValue(column);
        if (!header || column->cur_value_len < longValueHeader)
            return nullptr;
        // mdb_ole_read_full follows the pointer it finds in the bound buffer, which libmdb fills
        // for OLE columns only; a memo's has been turned into text.
        std::memcpy(bound, header, longValueHeader);
        return std::unique_ptr<void, TMallocFree>(Mdb().OleReadFull(mdb_, column, &size));
    }

    void BindValue(int parameter, MdbColumn* column, char* bound)
    {
        sqlite3_stmt* insert = insert_.get();
        sqlite3_bind_null(insert, parameter);
        if (column->col_type == MDB_BOOL) {
            BindNumber(parameter, bound, true);
            return;
        }
        if (column->cur_value_len == 0)
            return;
        switch (column->col_type) {
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
            BindNumber(parameter, bound, true);
            break;
        case MDB_MONEY:
        case MDB_NUMERIC:
            BindNumber(parameter, bound, false);
            break;
        case MDB_FLOAT:
        case MDB_DOUBLE:
            if (const unsigned char* raw = RawValue(column)) {
                if (column->cur_value_len == 4)
                    sqlite3_bind_double(insert, parameter, Mdb().GetSingle(const_cast<unsigned char*>(raw), 0));
                else if (column->cur_value_len == 8)
                    sqlite3_bind_double(insert, parameter, Mdb().GetDouble(const_cast<unsigned char*>(raw), 0));
            }
            break;
        case MDB_BINARY:
            if (const unsigned char* raw = RawValue(column))
                sqlite3_bind_blob(insert, parameter, raw, column->cur_value_len, SQLITE_TRANSIENT);
            break;
        case MDB_OLE: {
            size_t size = 0;
            auto bytes = ReadLongValue(column, bound, size);
            if (bytes)
                sqlite3_bind_blob64(insert, parameter, bytes.get(), size, SQLITE_TRANSIENT);
            break;
        }
        case MDB_MEMO: {
            // The bound text stops at the bind size; the value itself has no such limit.
            size_t size = 0;
            auto bytes = ReadLongValue(column, bound, size);
            if (!bytes)
                break;
            std::vector<char> text(size * 3 + 1);
            int length = Mdb().Unicode2ascii(mdb_, static_cast<const char*>(bytes.get()), size, text.data(), text.size());
            sqlite3_bind_text64(
                insert, parameter, text.data(), static_cast<sqlite3_uint64>(length), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        default:
            sqlite3_bind_text(insert, parameter, bound, -1, SQLITE_TRANSIENT);
            break;
        }
    }

    MdbHandle* mdb_;
    sqlite3* db_;
    const std::string& path_;
    std::unique_ptr<MdbTableDef, TTableFree> table_;
    std::vector<MdbColumn*> columns_;
    std::vector<std::vector<char>> buffers_;
    std::unique_ptr<sqlite3_stmt, TStatementFinalize> insert_;
};

bool IsNamed(const char* table, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        if (SameText(name, table))
            return true;
    }
    return false;
}

void Execute(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw EDatabaseError(sqlite3_errmsg(db));
}

} // namespace

TBlob ConvertAccessTables(const std::string& path, const std::vector<std::string>& names)
{
    std::unique_ptr<MdbHandle, TMdbClose> mdb(Mdb().Open(path.c_str(), MDB_NOFLAGS));
    if (!mdb)
        throw UnrecognizedFormatError(path);
    // OLE values are read through the bound buffer, which must hold a whole page.
    if (mdb->bind_size < static_cast<size_t>(mdb->fmt->pg_size))
        Mdb().SetBindSize(mdb.get(), static_cast<size_t>(mdb->fmt->pg_size));
    Mdb().SetDateFmt(mdb.get(), "%Y-%m-%d %H:%M:%S");
    Mdb().SetBooleanFmtNumbers(mdb.get());
    if (!Mdb().ReadCatalog(mdb.get(), MDB_TABLE))
        throw DamagedFileError(path, "its list of tables cannot be read");

    sqlite3* raw = nullptr;
    int code = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    TSqliteConnection db(raw);
    if (code != SQLITE_OK)
        throw EDatabaseError(sqlite3_errstr(code));
    Execute(db.get(), "BEGIN");
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && IsNamed(entry->object_name, names))
            TTableCopy(mdb.get(), entry, db.get(), path).Run();
    }
    Execute(db.get(), "COMMIT");

    sqlite3_int64 size = 0;
    std::unique_ptr<unsigned char, decltype(&sqlite3_free)> image(sqlite3_serialize(db.get(), "main", &size, 0), sqlite3_free);
    if (!image && size > 0)
        throw EDatabaseError(sqlite3_errstr(SQLITE_NOMEM));
    if (!image)
        return {}; // no table named: a database without pages
    return TBlob(image.get(), image.get() + size);
}
