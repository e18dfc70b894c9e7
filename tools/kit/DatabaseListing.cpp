#include "tools/kit/DatabaseListing.h"

#include <cstdio>

#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/data/drivers/DatabaseDriver.h"
#include "host/gfx/KanaPicture.h"
#include "learn/DeckTables.h"
#include "tools/kit/Crc32.h"
#include "tools/kit/Tsv.h"

namespace {

// A value the connection string parser reads back unchanged.
std::string QuotedValue(const std::string& value)
{
    if (value.find_first_of(";\"' \t") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string Hex(std::span<const std::uint8_t> bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text = "0x";
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

std::string DescribePicture(std::span<const std::uint8_t> bytes)
{
    std::string text = std::to_string(bytes.size()) + " bytes ";
    try {
        TBitmap picture;
        LoadKanaPicture(bytes, picture);
        text += std::to_string(picture.Width()) + "x" + std::to_string(picture.Height());
    } catch (const Exception& e) {
        text += "(" + e.Message() + ")";
    }
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(Crc32(bytes)));
    return text + " crc32=" + crc;
}

std::string DumpValue(const TDataValue& value)
{
    return TsvValue(value, [](const TBlob& bytes) { return DescribePicture(bytes); });
}

std::string QueryValue(const TField& field)
{
    if (field.IsNull())
        return {};
    if (field.IsBlob())
        return "<blob " + std::to_string(field.AsBytes().size()) + " bytes>";
    if (std::holds_alternative<TBlob>(field.Value()))
        return Hex(field.AsBytes());
    return TsvEscape(field.AsString());
}

void DumpTable(const char* table, const TResultSet& result, std::ostream& out)
{
    out << table << '\n';
    const std::size_t columns = result.Columns().size();
    for (std::size_t i = 0; i < columns; ++i)
        out << (i ? "\t" : "") << TsvEscape(result.Columns()[i].Name);
    out << '\n';
    for (int row = 0; row < result.RecordCount(); ++row) {
        for (std::size_t i = 0; i < columns; ++i)
            out << (i ? "\t" : "") << DumpValue(result.Value(row, static_cast<int>(i)));
        out << '\n';
    }
}

} // namespace

std::string ProgramConnectionString(const std::string& file)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + QuotedValue(file) + ";Persist Security Info=False";
}

void DumpDatabase(const std::string& file, std::ostream& out)
{
    const std::unique_ptr<TDatabaseDriver> deck = ConnectDriver(ProgramConnectionString(file));
    DumpTable(kBasicTable, deck->Execute("select * from moratab order by id"), out);
    if (const std::optional<TResultSet> more = ReadDeckTable(*deck, kMoreTable)) {
        out << '\n';
        DumpTable(kMoreTable, *more, out);
    }
}

void QueryDatabase(const std::string& file, const std::string& sql, std::ostream& out)
{
    TADOConnection connection(nullptr);
    connection.SetConnectionString(ProgramConnectionString(file));
    connection.SetLoginPrompt(false);
    connection.SetMode(cmShareDenyNone);
    connection.Open();
    TADOQuery query(nullptr);
    query.SetConnection(&connection);
    query.SQL()->Add(sql);
    query.Open();
    for (int i = 0; i < query.FieldCount(); ++i)
        out << (i ? "\t" : "") << TsvEscape(query.Fields(i).FieldName());
    out << '\n';
    for (query.First(); !query.Eof(); query.Next()) {
        for (int i = 0; i < query.FieldCount(); ++i)
            out << (i ? "\t" : "") << QueryValue(query.Fields(i));
        out << '\n';
    }
}
