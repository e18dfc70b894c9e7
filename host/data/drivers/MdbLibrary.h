#pragma once
// clang-format off
#include <glib.h>
#include <mdbtools.h>
// clang-format on

// The functions of libmdb that read Access files, bound at run time: most runs read a SQLite
// table or nothing before the window shows, and loading libmdb with glib would cost them all.
struct MdbLibrary {
    decltype(&mdb_open) Open;
    decltype(&mdb_close) Close;
    decltype(&mdb_free_tabledef) FreeTabledef;
    decltype(&mdb_read_table) ReadTable;
    decltype(&mdb_read_columns) ReadColumns;
    decltype(&mdb_bind_column) BindColumn;
    decltype(&mdb_rewind_table) RewindTable;
    decltype(&mdb_fetch_row) FetchRow;
    decltype(&mdb_ole_read_full) OleReadFull;
    decltype(&mdb_get_single) GetSingle;
    decltype(&mdb_get_double) GetDouble;
    decltype(&mdb_unicode2ascii) Unicode2ascii;
    decltype(&mdb_set_bind_size) SetBindSize;
    decltype(&mdb_set_date_fmt) SetDateFmt;
    decltype(&mdb_set_boolean_fmt_numbers) SetBooleanFmtNumbers;
    decltype(&mdb_read_catalog) ReadCatalog;

    // Opened and bound on first use; EDatabaseError when the library or a function is missing.
    static const MdbLibrary& Get();
};
