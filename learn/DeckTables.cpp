#include "learn/DeckTables.h"

#include "host/data/DatabaseError.h"

const char* const kBasicTable = "moratab";
const char* const kMoreTable = "kana_more";

std::optional<TResultSet> ReadDeckTable(TDatabaseDriver& deck, const std::string& table)
{
    try {
        return deck.Execute("select * from " + table + " order by id");
    } catch (const EDatabaseError& e) {
        // Both drivers run the statement in SQLite, which names a missing table so.
        if (e.Message() == "no such table: " + table)
            return std::nullopt;
        throw;
    }
}
