#include "tools/kit/DeckFolder.h"

#include <filesystem>
#include <map>
#include <set>

#include "host/data/drivers/DatabaseDriver.h"
#include "host/gfx/KanaPicture.h"
#include "host/sys/Files.h"
#include "learn/DeckTables.h"
#include "tools/kit/DatabaseListing.h"
#include "tools/kit/Tsv.h"

const char* const kDeckTableFile = "moratab.tsv";
const char* const kDeckMoreTableFile = "kana_more.tsv";

namespace {

const char* const kPictureColumn = "t_pic";

std::string PicturePath(const std::filesystem::path& folder, std::int64_t id)
{
    return (folder / (std::to_string(id) + ".bmp")).string();
}

std::string ExportValue(const TDataValue& value)
{
    return TsvValue(value, [](const TBlob& bytes) { return TsvEscape(std::string(bytes.begin(), bytes.end())); });
}

void PrepareFolder(const std::string& folder)
{
    std::error_code error;
    if (std::filesystem::exists(folder, error) && !std::filesystem::is_empty(folder, error))
        throw Exception("Folder \"" + folder + "\" is not empty");
    std::filesystem::create_directories(folder, error);
    if (error)
        throw EFOpenError("Cannot create folder \"" + folder + "\". " + error.message());
}

// Pictures are named by id and share the folder, so an id names one row of the deck.
void CheckDistinctIds(const std::vector<std::pair<const char*, const TResultSet*>>& tables)
{
    std::map<std::int64_t, const char*> owners;
    for (const auto& [table, result] : tables) {
        const int idColumn = result->FindColumn("id");
        for (int row = 0; idColumn >= 0 && row < result->RecordCount(); ++row) {
            const auto* id = std::get_if<std::int64_t>(&result->Value(row, idColumn));
            if (id == nullptr)
                continue;
            const auto [owner, added] = owners.emplace(*id, table);
            if (!added)
                throw Exception("The id " + std::to_string(*id) + " appears twice in " + owner->second
                    + (owner->second == table ? "" : std::string(" and ") + table));
        }
    }
}

// Writes one table's file and its pictures.
void ExportTable(const TResultSet& result, const char* table, const std::filesystem::path& folder, const char* file)
{
    const int idColumn = result.FindColumn("id");
    const int pictureColumn = result.FindColumn(kPictureColumn);
    std::string text;
    const int columns = static_cast<int>(result.Columns().size());
    bool first = true;
    for (int i = 0; i < columns; ++i) {
        if (i == pictureColumn)
            continue;
        text += (first ? "" : "\t") + TsvEscape(result.Columns()[static_cast<std::size_t>(i)].Name);
        first = false;
    }
    text += '\n';
    for (int row = 0; row < result.RecordCount(); ++row) {
        first = true;
        for (int i = 0; i < columns; ++i) {
            if (i == pictureColumn)
                continue;
            text += (first ? "" : "\t") + ExportValue(result.Value(row, i));
            first = false;
        }
        text += '\n';
        if (pictureColumn < 0)
            continue;
        const TDataValue& picture = result.Value(row, pictureColumn);
        if (std::holds_alternative<std::monostate>(picture))
            continue;
        const auto* id = idColumn >= 0 ? std::get_if<std::int64_t>(&result.Value(row, idColumn)) : nullptr;
        if (id == nullptr)
            throw Exception("Row " + std::to_string(row + 1) + " of " + table + " has a picture but no whole-number id");
        const auto* bytes = std::get_if<TBlob>(&picture);
        if (bytes == nullptr)
            throw Exception("The picture of id " + std::to_string(*id) + " is not a large object");
        const std::span<const std::uint8_t> image = KanaPictureImage(*bytes);
        WriteFileBytes(PicturePath(folder, *id), image);
    }
    WriteFileBytes((folder / file).string(), { reinterpret_cast<const std::uint8_t*>(text.data()), text.size() });
}

std::optional<TBlob> ReadPicture(const std::filesystem::path& folder, std::int64_t id)
{
    const std::string path = PicturePath(folder, id);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    try {
        TBlob blob = KanaPictureBlob(ReadFileBytes(path));
        TBitmap picture;
        LoadKanaPicture(blob, picture);
        return blob;
    } catch (const Exception& e) {
        throw Exception(path + ": " + e.Message());
    }
}

// The rows of one table file with their pictures.
std::vector<TDeckRow> ReadTable(const std::filesystem::path& folder, const char* file, TDeckTable table)
{
    const std::string path = (folder / file).string();
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    std::vector<TDeckRow> rows
        = ParseDeckTable(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), table, path);
    for (TDeckRow& row : rows)
        row.Picture = ReadPicture(folder, row.Id);
    return rows;
}

} // namespace

int ExportDeck(const std::string& file, const std::string& folder)
{
    const std::unique_ptr<TDatabaseDriver> deck = ConnectDriver(ProgramConnectionString(file));
    const TResultSet basic = deck->Execute("select * from moratab order by id");
    const std::optional<TResultSet> more = ReadDeckTable(*deck, kMoreTable);
    std::vector<std::pair<const char*, const TResultSet*>> tables = { { kBasicTable, &basic } };
    if (more)
        tables.emplace_back(kMoreTable, &*more);
    CheckDistinctIds(tables);
    PrepareFolder(folder);
    ExportTable(basic, kBasicTable, folder, kDeckTableFile);
    if (more)
        ExportTable(*more, kMoreTable, folder, kDeckMoreTableFile);
    return basic.RecordCount() + (more ? more->RecordCount() : 0);
}

std::vector<TDeckRow> ReadDeckFolder(const std::string& folder)
{
    std::vector<TDeckRow> rows = ReadTable(folder, kDeckTableFile, TDeckTable::MoraTab);
    const std::filesystem::path morePath = std::filesystem::path(folder) / kDeckMoreTableFile;
    std::error_code error;
    if (!std::filesystem::exists(morePath, error))
        return rows;
    std::set<std::int64_t> ids;
    for (const TDeckRow& row : rows)
        ids.insert(row.Id);
    for (TDeckRow& row : ReadTable(folder, kDeckMoreTableFile, TDeckTable::KanaMore)) {
        if (ids.count(row.Id))
            throw Exception(morePath.string() + ": id " + std::to_string(row.Id) + " is also an id of " + kDeckTableFile);
        rows.push_back(std::move(row));
    }
    return rows;
}
