#include "tools/kit/DriveScript.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

#include "host/gfx/Utf8.h"
#include "host/win/VirtualKeys.h"

namespace {

struct TKeyName {
    const char* Name;
    int Key;
};

const TKeyName kKeyNames[] = {
    { "Return", VK_RETURN },
    { "Enter", VK_RETURN },
    { "Escape", VK_ESCAPE },
    { "Esc", VK_ESCAPE },
    { "Tab", VK_TAB },
    { "Space", VK_SPACE },
    { "Backspace", VK_BACK },
    { "Back", VK_BACK },
    { "Left", VK_LEFT },
    { "Right", VK_RIGHT },
    { "Up", VK_UP },
    { "Down", VK_DOWN },
    { "Home", VK_HOME },
    { "End", VK_END },
    { "PageUp", VK_PRIOR },
    { "PageDown", VK_NEXT },
    { "Insert", VK_INSERT },
    { "Delete", VK_DELETE },
    { "Shift", VK_SHIFT },
    { "Control", VK_CONTROL },
    { "Ctrl", VK_CONTROL },
    { "Alt", VK_MENU },
};

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() > suffix.size() && SameName(text.substr(text.size() - suffix.size()), suffix);
}

[[noreturn]] void Fail(int line, const std::string& problem)
{
    throw EDriveScriptError("Line " + std::to_string(line) + ": " + problem);
}

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

int Number(std::string_view word, int line, int low, int high)
{
    int value = 0;
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && ptr == end && (value < low || value > high)))
        Fail(line, "'" + std::string(word) + "' is out of range " + std::to_string(low) + ".." + std::to_string(high));
    if (ec != std::errc() || ptr != end)
        Fail(line, "'" + std::string(word) + "' is not a number");
    return value;
}

void ExpectWords(const std::vector<std::string_view>& words, std::size_t low, std::size_t high, int line, const char* usage)
{
    if (words.size() < low || words.size() > high)
        Fail(line, std::string("expected '") + usage + "'");
}

TDriveButton MouseButton(std::string_view word, int line)
{
    if (word == "left")
        return TDriveButton::Left;
    if (word == "right")
        return TDriveButton::Right;
    if (word == "middle")
        return TDriveButton::Middle;
    Fail(line, "expected 'left', 'right' or 'middle', not '" + std::string(word) + "'");
}

// What "type" types: the rest of the line after the word and the one blank that follows it,
// so that blanks inside and at the end of the text count.
std::u32string TypedText(std::string_view row, std::string_view word, int line)
{
    const std::size_t start = static_cast<std::size_t>(word.data() - row.data()) + word.size() + 1;
    if (start >= row.size())
        Fail(line, "expected 'type TEXT'");
    return DecodeUtf8(row.substr(start));
}

TDriveCommand ParseCommand(std::string_view row, const std::vector<std::string_view>& words, int line)
{
    struct TPointCommand {
        const char* Name;
        TDriveAction Action;
        bool TakesButton;
    };
    static const TPointCommand pointCommands[] = {
        { "move", TDriveAction::Move, false },
        { "click", TDriveAction::Click, true },
        { "dblclick", TDriveAction::DblClick, true },
        { "press", TDriveAction::Press, true },
        { "release", TDriveAction::Release, true },
    };

    TDriveCommand command;
    command.Line = line;
    const std::string_view name = words[0];
    for (const TPointCommand& p : pointCommands) {
        if (name != p.Name)
            continue;
        const std::string usage = std::string(p.Name) + (p.TakesButton ? " X Y [left|right|middle]" : " X Y");
        ExpectWords(words, 3, p.TakesButton ? 4 : 3, line, usage.c_str());
        command.Action = p.Action;
        command.X = Number(words[1], line, -kMaxDriveCoordinate, kMaxDriveCoordinate);
        command.Y = Number(words[2], line, -kMaxDriveCoordinate, kMaxDriveCoordinate);
        if (words.size() == 4)
            command.Button = MouseButton(words[3], line);
        return command;
    }
    if (name == "key") {
        ExpectWords(words, 2, 2, line, "key NAME");
        command.Action = TDriveAction::Key;
        command.VirtualKey = VirtualKeyOfName(words[1]);
        if (command.VirtualKey == 0)
            Fail(line, "unknown key '" + std::string(words[1]) + "'");
    } else if (name == "type") {
        command.Action = TDriveAction::Type;
        command.Text = TypedText(row, name, line);
    } else if (name == "wait") {
        ExpectWords(words, 2, 2, line, "wait MS");
        command.Action = TDriveAction::Wait;
        command.Milliseconds = Number(words[1], line, 0, kMaxDriveWait);
    } else if (name == "shot") {
        ExpectWords(words, 2, 3, line, "shot FILE.png [window|screen]");
        command.Action = TDriveAction::Shot;
        command.File = words[1];
        if (!EndsWith(command.File, ".png"))
            Fail(line, "the picture file '" + command.File + "' does not end in .png");
        if (words.size() == 3) {
            if (words[2] == "screen")
                command.WholeScreen = true;
            else if (words[2] != "window")
                Fail(line, "expected 'window' or 'screen', not '" + std::string(words[2]) + "'");
        }
    } else if (name == "dump") {
        ExpectWords(words, 2, 2, line, "dump FILE.json");
        command.Action = TDriveAction::Dump;
        command.File = words[1];
    } else {
        Fail(line, "unknown command '" + std::string(name) + "'");
    }
    return command;
}

} // namespace

int VirtualKeyOfName(std::string_view name)
{
    for (const TKeyName& k : kKeyNames)
        if (SameName(name, k.Name))
            return k.Key;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f')) {
        int n = 0;
        auto [ptr, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
        if (ec == std::errc() && ptr == name.data() + name.size() && n >= 1 && n <= 12)
            return VK_F1 + n - 1;
    }
    return 0;
}

std::optional<TDriveCommand> ParseDriveLine(std::string_view row, int line)
{
    if (!row.empty() && row.back() == '\r')
        row.remove_suffix(1);
    if (row.find('\0') != std::string_view::npos)
        Fail(line, "the line holds a NUL character");
    const std::vector<std::string_view> words = Words(row);
    if (words.empty() || words[0].starts_with('#'))
        return std::nullopt;
    return ParseCommand(row, words, line);
}

std::vector<TDriveCommand> ParseDriveScript(std::string_view text)
{
    std::vector<TDriveCommand> script;
    int line = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        ++line;
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view row = text.substr(pos, end - pos);
        pos = end + 1;
        if (std::optional<TDriveCommand> command = ParseDriveLine(row, line))
            script.push_back(std::move(*command));
    }
    return script;
}
