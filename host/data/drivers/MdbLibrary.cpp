#include "host/data/drivers/MdbLibrary.h"

#include "host/data/DatabaseError.h"
#include "host/sys/SharedLibrary.h"

namespace {

MdbLibrary Bind()
{
    static const TSharedLibrary library("libmdb.so.3");
    MdbLibrary mdb {};
    const bool bound = library.Bind(mdb.Open, "mdb_open") && library.Bind(mdb.Close, "mdb_close")
        && library.Bind(mdb.FreeTabledef, "mdb_free_tabledef") && library.Bind(mdb.ReadTable, "mdb_read_table")
        && library.Bind(mdb.ReadColumns, "mdb_read_columns") && library.Bind(mdb.BindColumn, "mdb_bind_column")
        && library.Bind(mdb.RewindTable, "mdb_rewind_table") && library.Bind(mdb.FetchRow, "mdb_fetch_row")
        && library.Bind(mdb.OleReadFull, "mdb_ole_read_full") && library.Bind(mdb.GetSingle, "mdb_get_single")
        && library.Bind(mdb.GetDouble, "mdb_get_double") && library.Bind(mdb.Unicode2ascii, "mdb_unicode2ascii")
        && library.Bind(mdb.SetBindSize, "mdb_set_bind_size") && library.Bind(mdb.SetDateFmt, "mdb_set_date_fmt")
        && library.Bind(mdb.SetBooleanFmtNumbers, "mdb_set_boolean_fmt_numbers")
        && library.Bind(mdb.ReadCatalog, "mdb_read_catalog");
    if (!bound)
        throw EDatabaseError("Access files cannot be read: libmdb.so.3 cannot be loaded");
    return mdb;
}

} // namespace

const MdbLibrary& MdbLibrary::Get()
{
    // A failed binding throws and is tried again at the next use.
    static const MdbLibrary mdb = Bind();
    return mdb;
}
