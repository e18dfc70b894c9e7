#include "tools/kit/DeckTable.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "host/data/SameText.h"
#include "host/sys/Exception.h"
#include "host/sys/TabSeparated.h"
#include "learn/DeckTables.h"
#include "tools/kit/Tsv.h"

namespace {

constexpr std::int64_t kChartLimit = 200;

enum TColumn { cId, cType, cX, cY, cPronounce, cKana, cGroup, cColumnCount };
const char* const kColumnNames[cColumnCount] = { "id", "t_type", "x", "y", "t_pronounce", "t_kana", "t_group" };

// Reads one deck table line by line, naming the file and line in its errors.
class TDeckTableParser {
public:
    TDeckTableParser(std::string_view text, TDeckTable table, const std::string& name)
        : text_(text)
        , table_(table)
        , name_(name)
    {
    }

    std::vector<TDeckRow> Parse()
    {
        std::string_view rest = text_;
        ParseHeader(NextLine(rest));
        std::vector<TDeckRow> rows;
        std::set<std::int64_t> ids;
        while (!rest.empty()) {
            std::string_view line = NextLine(rest);
            if (line.empty())
                continue;
            TDeckRow row = ParseRow(line);
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

    bool Known(int column) const { return column != cGroup || table_ == TDeckTable::KanaMore; }
    bool Required(int column) const { return Known(column) && column != cKana; }

    void ParseHeader(std::string_view line)
    {
        for (std::string_view escaped : SplitAtTabs(line)) {
            const std::string name = TsvUnescape(escaped);
            int index = -1;
            for (int i = 0; i < cColumnCount; ++i) {
                if (Known(i) && SameText(name, kColumnNames[i]))
                    index = i;
            }
            if (index < 0)
                Fail("unknown column '" + name + "'");
            if (std::find(order_.begin(), order_.end(), index) != order_.end())
                Fail("column '" + name + "' appears twice");
            order_.push_back(index);
        }
        for (int i = 0; i < cColumnCount; ++i) {
            if (Required(i) && std::find(order_.begin(), order_.end(), i) == order_.end())
                Fail("the column '" + std::string(kColumnNames[i]) + "' is missing");
        }
    }

    TDeckRow ParseRow(std::string_view line)
    {
        const std::vector<std::string_view> fields = SplitAtTabs(line);
        if (fields.size() != order_.size())
            Fail("expected " + std::to_string(order_.size()) + " fields, found " + std::to_string(fields.size()));
        TDeckRow row;
        row.Table = table_;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string value = TsvUnescape(fields[i]);
            switch (order_[i]) {
            case cId:
                if (value.empty())
                    Fail("the id is empty");
                row.Id = Integer(value, "id");
                break;
            case cType:
                row.Type = Text(value);
                break;
            case cX:
                row.X = ChartPosition(value, "x");
                break;
            case cY:
                row.Y = ChartPosition(value, "y");
                break;
            case cPronounce:
                row.Pronounce = Text(value);
                break;
            case cKana:
                row.Kana = Text(value);
                break;
            default:
                row.Group = Text(value);
                break;
            }
        }
        return row;
    }

    static std::optional<std::string> Text(const std::string& value)
    {
        if (value.empty())
            return std::nullopt;
        return value;
    }

    std::int64_t Integer(const std::string& value, const char* column) const
    {
        std::int64_t number = 0;
        const char* end = value.data() + value.size();
        auto [next, error] = std::from_chars(value.data(), end, number);
        if (error != std::errc() || next != end)
            Fail(std::string(column) + " '" + value + "' is not a whole number");
        return number;
    }

    std::optional<std::int64_t> ChartPosition(const std::string& value, const char* column) const
    {
        if (value.empty())
            return std::nullopt;
        const std::int64_t number = Integer(value, column);
        if (number < 1 || number > kChartLimit)
            Fail(std::string(column) + " " + value + " lies outside 1 to " + std::to_string(kChartLimit));
        return number;
    }

    [[noreturn]] void Fail(const std::string& problem) const
    {
        throw Exception(name_ + ":" + std::to_string(line_) + ": " + problem);
    }

    std::string_view text_;
    TDeckTable table_;
    const std::string& name_;
    int line_ = 0;
    std::vector<int> order_;
};

} // namespace

const char* DeckTableName(TDeckTable table)
{
    return table == TDeckTable::MoraTab ? kBasicTable : kMoreTable;
}

std::vector<TDeckRow> ParseDeckTable(std::string_view text, TDeckTable table, const std::string& name)
{
    return TDeckTableParser(text, table, name).Parse();
}
