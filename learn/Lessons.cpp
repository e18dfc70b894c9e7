#include "learn/Lessons.h"

#include <algorithm>
#include <map>
#include <optional>

#include "learn/DeckTables.h"

namespace {

// The text of a column in one row; empty for null, numbers and bytes, and a missing column.
std::string Text(const TResultSet& rows, int row, int column)
{
    if (column < 0)
        return {};
    const auto* text = std::get_if<std::string>(&rows.Value(row, column));
    return text ? *text : std::string();
}

// A lesson being gathered: its kana with their script, keyed by what sorts the lessons.
struct TLessonKey {
    TKanaScript Script;
    bool More; // a group of kana_more, after every chart row
    std::int64_t Order; // the chart row, or the place of the group
    std::string Group; // the group of kana_more; empty for a chart row
    auto operator<=>(const TLessonKey&) const = default;
};

std::string LessonName(const TLessonKey& key, const std::vector<TLessonKana>& kana)
{
    if (!key.Group.empty())
        return key.Group;
    std::optional<std::string_view> shared;
    std::string joined;
    for (const TLessonKana& k : kana) {
        const TKana* known = FindKana(k.Text);
        const std::string_view group = known ? known->Group : std::string_view();
        if (!shared)
            shared = group;
        else if (*shared != group)
            shared = std::string_view();
        joined += (joined.empty() ? "" : "・") + (k.Text.empty() ? k.Romaji : k.Text);
    }
    return shared && !shared->empty() ? std::string(*shared) : joined;
}

class TLessonReader {
public:
    void AddBasic(const TResultSet& rows)
    {
        const int y = rows.FindColumn("y");
        for (int row = 0; row < rows.RecordCount(); ++row) {
            const auto* chartRow = y >= 0 ? std::get_if<std::int64_t>(&rows.Value(row, y)) : nullptr;
            if (chartRow != nullptr)
                Add(rows, row, { TKanaScript::Hiragana, false, *chartRow, {} });
        }
    }

    void AddMore(const TResultSet& rows)
    {
        const int group = rows.FindColumn("t_group");
        for (int row = 0; row < rows.RecordCount(); ++row) {
            std::string name = Text(rows, row, group);
            if (name.empty())
                continue;
            auto known = std::find(groupOrder_.begin(), groupOrder_.end(), name);
            if (known == groupOrder_.end())
                known = groupOrder_.insert(known, name);
            Add(rows, row, { TKanaScript::Hiragana, true, known - groupOrder_.begin(), std::move(name) });
        }
    }

    std::vector<TLesson> Lessons() const
    {
        std::vector<TLesson> lessons;
        for (const auto& [key, kana] : lessons_)
            lessons.push_back({ LessonName(key, kana), key.Script, kana });
        return lessons;
    }

private:
    // Adds the row to the lesson of `key`, whose script it sets.
    void Add(const TResultSet& rows, int row, TLessonKey key)
    {
        const int idColumn = rows.FindColumn("id");
        const std::optional<TKanaScript> script = ScriptOfType(Text(rows, row, rows.FindColumn("t_type")));
        const auto* id = idColumn >= 0 ? std::get_if<std::int64_t>(&rows.Value(row, idColumn)) : nullptr;
        if (!script || id == nullptr)
            return;
        std::string romaji = Text(rows, row, rows.FindColumn("t_pronounce"));
        TLessonKana kana { key.More ? kMoreTable : kBasicTable, *id,
            DeckKanaText(Text(rows, row, rows.FindColumn("t_kana")), romaji, ScriptType(*script)), romaji };
        key.Script = *script;
        lessons_[std::move(key)].push_back(std::move(kana));
    }

    std::vector<std::string> groupOrder_ { std::string(kVoicedGroup), std::string(kHalfVoicedGroup),
        std::string(kContractedGroup) };
    std::map<TLessonKey, std::vector<TLessonKana>> lessons_;
};

} // namespace

std::vector<TLesson> ReadLessons(TDatabaseDriver& deck)
{
    TLessonReader reader;
    reader.AddBasic(deck.Execute("select * from moratab order by id"));
    if (const std::optional<TResultSet> more = ReadDeckTable(deck, kMoreTable))
        reader.AddMore(*more);
    return reader.Lessons();
}
