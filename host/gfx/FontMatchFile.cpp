#include "host/gfx/FontMatchFile.h"

#include <sys/stat.h>

#include <charconv>
#include <cstdlib>

#include "host/sys/TabSeparated.h"

namespace {

constexpr std::string_view kHeader = "moraleaf font matches 1";
constexpr std::string_view kEnd = "end";

// What fontconfig reads besides its files: where they are, the home folder its paths start
// from, and the language its rules may test.
constexpr const char* kVariables[] = { "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME", "XDG_CONFIG_HOME",
    "XDG_DATA_HOME", "FC_LANG", "LANG", "LC_ALL", "LC_CTYPE" };

// Fields are escaped by TsvEscape, so tabs and line breaks inside them never split a record;
// any other escape marks a damaged file.
std::optional<std::string> Unescape(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

template <typename T> std::optional<T> Number(std::string_view field, T least, T most)
{
    T value {};
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value < least || value > most)
        return std::nullopt;
    return value;
}

std::optional<bool> Flag(std::string_view field)
{
    if (field == "0" || field == "1")
        return field == "1";
    return std::nullopt;
}

std::string Flag(bool value)
{
    return value ? "1" : "0";
}

std::string CodePoint(const std::optional<char32_t>& codePoint)
{
    return codePoint ? std::to_string(static_cast<std::uint32_t>(*codePoint)) : "-";
}

// The request of a "face" or "none" record: family, bold, italic and code point.
std::optional<FontRequest> Request(const std::vector<std::string_view>& fields)
{
    std::optional<std::string> family = Unescape(fields[1]);
    const std::optional<bool> bold = Flag(fields[2]);
    const std::optional<bool> italic = Flag(fields[3]);
    if (!family || !bold || !italic)
        return std::nullopt;
    FontRequest request { std::move(*family), *bold, *italic, std::nullopt };
    if (fields[4] != "-") {
        const std::optional<std::uint32_t> codePoint = Number<std::uint32_t>(fields[4], 0, 0x10FFFF);
        if (!codePoint)
            return std::nullopt;
        request.CodePoint = *codePoint;
    }
    return request;
}

// Reads one record into the answers; false when it is not well formed.
bool ReadRecord(const std::vector<std::string_view>& fields, FontMatches& matches)
{
    const std::string_view kind = fields[0];
    if (kind == "env" && fields.size() == 3) {
        std::optional<std::string> name = Unescape(fields[1]);
        std::optional<std::string> value = Unescape(fields[2]);
        if (!name || !value)
            return false;
        matches.Environment[std::move(*name)] = std::move(*value);
        return true;
    }
    if (kind == "unset" && fields.size() == 2) {
        std::optional<std::string> name = Unescape(fields[1]);
        if (!name)
            return false;
        matches.Environment[std::move(*name)] = std::nullopt;
        return true;
    }
    if (kind == "stamp" && fields.size() == 4) {
        const auto modified = Number<std::int64_t>(fields[1], INT64_MIN, INT64_MAX);
        const auto size = Number<std::int64_t>(fields[2], 0, INT64_MAX);
        std::optional<std::string> path = Unescape(fields[3]);
        if (!modified || !size || !path)
            return false;
        matches.Stamps.push_back({ std::move(*path), true, *modified, *size });
        return true;
    }
    if (kind == "missing" && fields.size() == 2) {
        std::optional<std::string> path = Unescape(fields[1]);
        if (!path)
            return false;
        matches.Stamps.push_back({ std::move(*path), false, 0, 0 });
        return true;
    }
    if (kind == "none" && fields.size() == 5) {
        std::optional<FontRequest> request = Request(fields);
        if (!request)
            return false;
        matches.Answers[std::move(*request)] = std::nullopt;
        return true;
    }
    if (kind == "face" && fields.size() == 9) {
        std::optional<FontRequest> request = Request(fields);
        const std::optional<int> index = Number<int>(fields[5], 0, INT32_MAX);
        const std::optional<bool> bold = Flag(fields[6]);
        const std::optional<bool> italic = Flag(fields[7]);
        std::optional<std::string> file = Unescape(fields[8]);
        if (!request || !index || !bold || !italic || !file)
            return false;
        matches.Answers[std::move(*request)] = FontCandidate { std::move(*file), *index, *bold, *italic };
        return true;
    }
    return false;
}

} // namespace

FileStamp FileStamp::Of(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return { path, false, 0, 0 };
    const std::int64_t modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return { path, true, modified, static_cast<std::int64_t>(info.st_size) };
}

std::map<std::string, std::optional<std::string>> FontEnvironment()
{
    std::map<std::string, std::optional<std::string>> environment;
    for (const char* name : kVariables) {
        const char* value = std::getenv(name);
        environment[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    return environment;
}

bool StillValid(const FontMatches& matches)
{
    if (matches.Environment != FontEnvironment())
        return false;
    for (const FileStamp& stamp : matches.Stamps)
        if (FileStamp::Of(stamp.Path) != stamp)
            return false;
    return true;
}

std::string FormatFontMatches(const FontMatches& matches)
{
    std::string text(kHeader);
    text += '\n';
    for (const auto& [name, value] : matches.Environment)
        text += value ? "env\t" + TsvEscape(name) + '\t' + TsvEscape(*value) + '\n' : "unset\t" + TsvEscape(name) + '\n';
    for (const FileStamp& stamp : matches.Stamps) {
        if (stamp.Exists)
            text += "stamp\t" + std::to_string(stamp.ModifiedNs) + '\t' + std::to_string(stamp.Size) + '\t'
                + TsvEscape(stamp.Path) + '\n';
        else
            text += "missing\t" + TsvEscape(stamp.Path) + '\n';
    }
    for (const auto& [request, answer] : matches.Answers) {
        const std::string fields = TsvEscape(request.Family) + '\t' + Flag(request.Bold) + '\t' + Flag(request.Italic) + '\t'
            + CodePoint(request.CodePoint);
        if (answer)
            text += "face\t" + fields + '\t' + std::to_string(answer->Index) + '\t' + Flag(answer->Bold) + '\t'
                + Flag(answer->Italic) + '\t' + TsvEscape(answer->File) + '\n';
        else
            text += "none\t" + fields + '\n';
    }
    text += kEnd;
    text += '\n';
    return text;
}

std::optional<FontMatches> ParseFontMatches(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // cut short
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (lines.size() < 2 || lines.front() != kHeader || lines.back() != kEnd)
        return std::nullopt;
    FontMatches matches;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
        if (!ReadRecord(SplitAtTabs(lines[i]), matches))
            return std::nullopt;
    return matches;
}
