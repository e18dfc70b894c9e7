#include "learn/PracticeSettings.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "host/sys/Files.h"
#include "host/sys/XdgFolders.h"
#include "learn/KanaTable.h"

namespace {

// A settings file is a few hundred bytes; anything much larger is not one.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;
constexpr std::size_t kMaxLessons = 256;
constexpr std::size_t kMaxLessonBytes = 128;

// The words of each choice in the file, in the order of the enumeration.
constexpr std::string_view kScriptWords[] = { "平假名", "片假名", "混合" };
constexpr std::string_view kModeWords[] = { "typed", "choice" };
constexpr std::string_view kLengthWords[] = { "20", "50", "all" };
constexpr std::string_view kSpeechWords[] = { "off", "on" };

template <typename T, std::size_t N> std::optional<T> Choice(const std::string_view (&words)[N], std::string_view word)
{
    const auto found = std::find(std::begin(words), std::end(words), word);
    if (found == std::end(words))
        return std::nullopt;
    return static_cast<T>(found - std::begin(words));
}

// Well-formed UTF-8 without control characters.
bool IsCleanText(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = codePoint << 6 | (next & 0x3Fu);
        }
        const std::uint32_t shortest[] = { 0, 0, 0x80, 0x800, 0x10000 };
        if (codePoint < shortest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        if (codePoint < 0x20 || codePoint == 0x7F)
            return false;
        i += length;
    }
    return true;
}

} // namespace

std::vector<std::string> BasicLessons()
{
    std::vector<std::string> lessons;
    for (const TKana& kana : BasicKana()) {
        if (std::find(lessons.begin(), lessons.end(), kana.Group) == lessons.end())
            lessons.emplace_back(kana.Group);
    }
    return lessons;
}

std::size_t QuestionCount(TRoundLength length, std::size_t selected)
{
    switch (length) {
    case TRoundLength::Twenty:
        return std::min<std::size_t>(20, selected);
    case TRoundLength::Fifty:
        return std::min<std::size_t>(50, selected);
    case TRoundLength::All:
        break;
    }
    return selected;
}

std::filesystem::path PracticeSettingsPath()
{
    return XdgConfigHome() / "moraleaf" / "practice.conf";
}

std::optional<TPracticeSettings> ParsePracticeSettings(std::string_view text)
{
    if (text.size() > kMaxSettingsBytes)
        return std::nullopt;
    TPracticeSettings settings;
    settings.Lessons.clear();
    std::map<std::string_view, std::string_view> values;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "lesson") {
            if (value.empty() || value.size() > kMaxLessonBytes || !IsCleanText(value) || settings.Lessons.size() == kMaxLessons
                || std::find(settings.Lessons.begin(), settings.Lessons.end(), value) != settings.Lessons.end())
                return std::nullopt;
            settings.Lessons.emplace_back(value);
        } else if (!values.emplace(key, value).second) {
            return std::nullopt;
        }
    }
    const auto value = [&](std::string_view key) {
        const auto found = values.find(key);
        return found == values.end() ? std::string_view("\n") : found->second;
    };
    const auto script = Choice<TPracticeScript>(kScriptWords, value("script"));
    const auto mode = Choice<TAnswerMode>(kModeWords, value("mode"));
    const auto length = Choice<TRoundLength>(kLengthWords, value("round"));
    const auto speech = Choice<bool>(kSpeechWords, value("speech"));
    if (!script || !mode || !length || !speech)
        return std::nullopt;
    settings.Script = *script;
    settings.Mode = *mode;
    settings.Length = *length;
    settings.Speech = *speech;
    return settings;
}

std::string FormatPracticeSettings(const TPracticeSettings& settings)
{
    std::string text = "# Moraleaf: the last choices on the practice page\n";
    text += "script=" + std::string(kScriptWords[static_cast<int>(settings.Script)]) + "\n";
    for (const std::string& lesson : settings.Lessons)
        text += "lesson=" + lesson + "\n";
    text += "mode=" + std::string(kModeWords[static_cast<int>(settings.Mode)]) + "\n";
    text += "round=" + std::string(kLengthWords[static_cast<int>(settings.Length)]) + "\n";
    text += "speech=" + std::string(kSpeechWords[settings.Speech]) + "\n";
    return text;
}

TPracticeSettings ReadPracticeSettings(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string text(kMaxSettingsBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (!in.eof())
        return {};
    return ParsePracticeSettings(text).value_or(TPracticeSettings {});
}

void WritePracticeSettings(const std::filesystem::path& file, const TPracticeSettings& settings)
{
    const auto fail = [&](const std::string& reason) {
        throw EPracticeSettingsError("无法保存练习设置 \"" + file.string() + "\"：" + reason);
    };
    if (const std::string reason = ReplaceFileContent(file, FormatPracticeSettings(settings)); !reason.empty())
        fail(reason);
}
