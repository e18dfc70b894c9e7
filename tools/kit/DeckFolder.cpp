#include "tools/kit/DeckFolder.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <set>

#include "host/data/SameText.h"
#include "host/data/drivers/DatabaseDriver.h"
#include "host/gfx/KanaPicture.h"
#include "host/sys/Files.h"
#include "tools/kit/DatabaseListing.h"
#include "tools/kit/Tsv.h"

const char* const kDeckTableFile = "moratab.tsv";

namespace {

constexpr std::int64_t kChartLimit = 200;
const char* const kPictureColumn = "t_pic";
const char* const kDeckColumns[] = { "id", "t_type", "x", "y", "t_pronounce" };

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

// Reads one deck table line by line, naming the file and line in its errors.
class TDeckTableReader {
public:
    explicit TDeckTableReader(const std::filesystem::path& folder)
        : folder_(folder)
        , path_((folder / kDeckTableFile).string())
    {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(path_);
        text_.assign(bytes.begin(), bytes.end());
    }

    std::vector<TDeckRow> Read()
    {
        std::string_view rest = text_;
        ReadHeader(NextLine(rest));
        std::vector<TDeckRow> rows;
        std::set<std::int64_t> ids;
        while (!rest.empty()) {
            std::string_view line = NextLine(rest);
            if (line.empty())
                continue;
            TDeckRow row = ReadRow(line);
            if (!ids.insert(row.Id).second)
                Fail("id " + std::to_string(row.Id) + " appears twice");
            rows.push_back(std::move(row));
        }
        return rows;
    }

private:
    std::string_view NextLine(std::string_view& rest)
    {
        ++line_;
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    void ReadHeader(std::string_view line)
    {
        for (std::string_view escaped : SplitTsvLine(line)) {
            const std::string name = TsvUnescape(escaped);
            int index = -1;
            for (int i = 0; i < 5; ++i) {
                if (SameText(name, kDeckColumns[i]))
                    index = i;
            }
            if (index < 0)
                Fail("unknown column '" + name + "'");
            for (int known : order_) {
                if (known == index)
                    Fail("column '" + name + "' appears twice");
            }
            order_.push_back(index);
        }
        for (int i = 0; i < 5; ++i) {
            if (std::find(order_.begin(), order_.end(), i) == order_.end())
                Fail("the column '" + std::string(kDeckColumns[i]) + "' is missing");
        }
    }

    TDeckRow ReadRow(std::string_view line)
    {
        const std::vector<std::string_view> fields = SplitTsvLine(line);
        if (fields.size() != order_.size())
            Fail("expected " + std::to_string(order_.size()) + " fields, found " + std::to_string(fields.size()));
        TDeckRow row;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string value = TsvUnescape(fields[i]);
            switch (order_[i]) {
            case 0:
                if (value.empty())
                    Fail("the id is empty");
                row.Id = Integer(value, "id");
                break;
            case 1:
                row.Type = Text(value);
                break;
            case 2:
                row.X = ChartPosition(value, "x");
                break;
            case 3:
                row.Y = ChartPosition(value, "y");
                break;
            default:
                row.Pronounce = Text(value);
                break;
            }
        }
        row.Picture = ReadPicture(row.Id);
        return row;
    }

    static std::optional<std::string> Text(const std::string& value)
    {
        if (value.empty())
            return std::nullopt;
        return value;
    }

    std::int64_t Integer(const std::string& value, const char* column)
    {
        std::int64_t number = 0;
        const char* end = value.data() + value.size();
        auto [next, error] = std::from_chars(value.data(), end, number);
        if (error != std::errc() || next != end)
            Fail(std::string(column) + " '" + value + "' is not a whole number");
        return number;
    }

    std::optional<std::int64_t> ChartPosition(const std::string& value, const char* column)
    {
        if (value.empty())
            return std::nullopt;
        const std::int64_t number = Integer(value, column);
        if (number < 1 || number > kChartLimit)
            Fail(std::string(column) + " " + value + " lies outside 1 to " + std::to_string(kChartLimit));
        return number;
    }

    std::optional<TBlob> ReadPicture(std::int64_t id) const
    {
        const std::string path = PicturePath(folder_, id);
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

    [[noreturn]] void Fail(const std::string& problem) const
    {
        throw Exception(path_ + ":" + std::to_string(line_) + ": " + problem);
    }

    std::filesystem::path folder_;
    std::string path_;
    std::string text_;
    int line_ = 0;
    std::vector<int> order_;
};

} // namespace

int ExportDeck(const std::string& file, const std::string& folder)
{
    const TResultSet result = ConnectDriver(ProgramConnectionString(file))->Execute("select * from moratab order by id");
    const int idColumn = result.FindColumn("id");
    const int pictureColumn = result.FindColumn(kPictureColumn);
    PrepareFolder(folder);

    std::string table;
    const int columns = static_cast<int>(result.Columns().size());
    bool first = true;
    for (int i = 0; i < columns; ++i) {
        if (i == pictureColumn)
            continue;
        table += (first ? "" : "\t") + TsvEscape(result.Columns()[static_cast<std::size_t>(i)].Name);
        first = false;
    }
    table += '\n';
    for (int row = 0; row < result.RecordCount(); ++row) {
        first = true;
        for (int i = 0; i < columns; ++i) {
            if (i == pictureColumn)
                continue;
            table += (first ? "" : "\t") + ExportValue(result.Value(row, i));
            first = false;
        }
        table += '\n';
        if (pictureColumn < 0)
            continue;
        const TDataValue& picture = result.Value(row, pictureColumn);
        if (std::holds_alternative<std::monostate>(picture))
            continue;
        const auto* id = idColumn >= 0 ? std::get_if<std::int64_t>(&result.Value(row, idColumn)) : nullptr;
        if (id == nullptr)
            throw Exception("Row " + std::to_string(row + 1) + " of moratab has a picture but no whole-number id");
        const auto* bytes = std::get_if<TBlob>(&picture);
        if (bytes == nullptr)
            throw Exception("The picture of id " + std::to_string(*id) + " is not a large object");
        const std::span<const std::uint8_t> image = KanaPictureImage(*bytes);
        WriteFileBytes(PicturePath(folder, *id), image);
    }
    const std::string tablePath = (std::filesystem::path(folder) / kDeckTableFile).string();
    WriteFileBytes(tablePath, { reinterpret_cast<const std::uint8_t*>(table.data()), table.size() });
    return result.RecordCount();
}

std::vector<TDeckRow> ReadDeckFolder(const std::string& folder)
{
    return TDeckTableReader(folder).Read();
}
