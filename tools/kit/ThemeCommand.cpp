// moraleaf-kit theme export STYLE FILE | dump FILE | pack DIR FILE: theme files for skin authors.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <utility>

#include "host/res/Resources.h"
#include "host/sys/Files.h"
#include "host/ui/Identifiers.h"
#include "skin/core/SUIThemeFile.h"
#include "skin/core/SUIThemes.h"
#include "tools/kit/Commands.h"
#include "tools/kit/StyleNames.h"

namespace {

namespace fs = std::filesystem;

int Usage()
{
    std::cerr << "usage: moraleaf-kit theme export STYLE FILE   write a built-in style (MacOS, WinXP, DeepBlue, Protein,\n"
                 "                                              BlueGlass) as a theme file\n"
                 "       moraleaf-kit theme dump FILE           list a theme file's values: NAME TAB TYPE TAB VALUE\n"
                 "       moraleaf-kit theme pack DIR FILE       make a theme file of DIR/ENTRY.bmp images and the\n"
                 "                                              NAME TAB VALUE lines of DIR/values.tsv\n";
    return 2;
}

// The entry of that name (any letter case), or 0.
int EntryNamed(std::string_view name)
{
    for (int entry = 1; entry <= SUI_THEME_ENTRY_COUNT; ++entry) {
        if (SameIdent(GetThemeEntryName(entry), name))
            return entry;
    }
    return 0;
}

int Export(const std::string& styleName, const std::string& file)
{
    const std::optional<TsuiUIStyle> style = BuiltInStyle(styleName);
    if (!style) {
        std::cerr << "moraleaf-kit: '" << styleName << "' is not a built-in style\n";
        return Usage();
    }
    TsuiThemeFileWriter writer;
    for (int entry = 1; entry <= SUI_THEME_ENTRY_COUNT; ++entry) {
        TsuiThemeKind kind;
        const TsuiThemeValue value = GetThemeEntry(*style, entry, kind);
        const char* name = GetThemeEntryName(entry);
        switch (kind) {
        case suiKindImage:
            writer.AddImage(name, LoadResource(value.ResourceName, TResourceKind::Bitmap));
            break;
        case suiKindInteger:
        case suiKindColor:
            writer.AddInt(name, value.Number);
            break;
        case suiKindBoolean:
            writer.AddBool(name, static_cast<std::uint8_t>(value.Number));
            break;
        }
    }
    writer.SaveToFile(file);
    return 0;
}

int Dump(const std::string& file)
{
    const std::vector<std::uint8_t> bytes = ReadFileBytes(file);
    for (const TsuiThemeFileRecord& record : ReadThemeFileRecords(bytes, file)) {
        std::cout << record.Name << '\t';
        switch (record.Type) {
        case suiRecordImage: {
            TBitmap image;
            image.LoadFromBytes(record.Data);
            std::cout << "image\t" << image.Width() << 'x' << image.Height();
            break;
        }
        case suiRecordInteger:
            std::cout << "int\t" << ThemeRecordInt(record);
            break;
        case suiRecordBoolean:
            std::cout << "bool\t" << static_cast<int>(ThemeRecordByte(record));
            break;
        case suiRecordText:
            std::cout << "text\t" << std::string(record.Data.begin(), record.Data.end());
            break;
        }
        std::cout << '\n';
    }
    return 0;
}

// Decimal, or hexadecimal after "$" or "0x" (colours read better so).
std::optional<std::int32_t> ParseInt(std::string_view text)
{
    int base = 10;
    if (text.starts_with('$')) {
        text.remove_prefix(1);
        base = 16;
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    // Hexadecimal colours may use all 32 bits.
    if (base == 16 && value >= 0 && value <= 0xFFFFFFFF)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    if (!std::in_range<std::int32_t>(value))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::uint8_t> ParseBool(std::string_view text)
{
    if (text == "1" || SameIdent(text, "true"))
        return 1;
    if (text == "0" || SameIdent(text, "false"))
        return 0;
    return std::nullopt;
}

// The values of values.tsv by entry number; raises what is wrong with a line.
std::map<int, std::string> ReadValues(const fs::path& path)
{
    std::map<int, std::string> values;
    if (!fs::exists(path))
        return values;
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path.string());
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::string where = path.filename().string() + " line " + std::to_string(number) + ": ";
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos)
            throw Exception(where + "expected NAME<TAB>VALUE");
        const std::string name = line.substr(0, tab);
        const int entry = EntryNamed(name);
        if (entry == 0)
            throw Exception(where + "\"" + name + "\" is no theme entry");
        if (GetThemeEntryKind(entry) == suiKindImage)
            throw Exception(where + "\"" + name + "\" is an image: put it in " + name + ".bmp");
        if (!values.emplace(entry, line.substr(tab + 1)).second)
            throw Exception(where + "\"" + name + "\" is given twice");
    }
    return values;
}

// The image files of the folder by entry number; a .bmp named after no image entry is a mistake.
std::map<int, fs::path> FindImages(const fs::path& folder)
{
    std::map<int, fs::path> images;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::directory_entry& file = *it;
        if (!file.is_regular_file(error) || !SameIdent(file.path().extension().string(), ".bmp"))
            continue;
        const std::string stem = file.path().stem().string();
        const int entry = EntryNamed(stem);
        if (entry == 0 || GetThemeEntryKind(entry) != suiKindImage)
            throw Exception(file.path().filename().string() + " is named after no image entry");
        if (!images.emplace(entry, file.path()).second)
            throw Exception(file.path().filename().string() + " is given twice");
    }
    if (error)
        throw Exception("Cannot read folder \"" + folder.string() + "\". " + error.message());
    return images;
}

int Pack(const std::string& folder, const std::string& file)
{
    if (!fs::is_directory(folder)) {
        std::cerr << "moraleaf-kit: '" << folder << "' is not a folder\n";
        return 1;
    }
    const std::map<int, fs::path> images = FindImages(folder);
    const std::map<int, std::string> values = ReadValues(fs::path(folder) / "values.tsv");
    TsuiThemeFileWriter writer;
    for (int entry = 1; entry <= SUI_THEME_ENTRY_COUNT; ++entry) {
        const std::string name = GetThemeEntryName(entry);
        if (const auto image = images.find(entry); image != images.end()) {
            const std::vector<std::uint8_t> bytes = ReadFileBytes(image->second.string());
            TBitmap check;
            check.LoadFromBytes(bytes); // a picture the program could not load is no use in a theme
            writer.AddImage(name, bytes);
            continue;
        }
        const auto value = values.find(entry);
        if (value == values.end())
            continue;
        if (GetThemeEntryKind(entry) == suiKindBoolean) {
            const std::optional<std::uint8_t> flag = ParseBool(value->second);
            if (!flag)
                throw Exception("values.tsv: " + name + " is \"" + value->second + "\", not 0 or 1");
            writer.AddBool(name, *flag);
        } else {
            const std::optional<std::int32_t> number = ParseInt(value->second);
            if (!number)
                throw Exception("values.tsv: " + name + " is \"" + value->second + "\", not a number");
            writer.AddInt(name, *number);
        }
    }
    writer.SaveToFile(file);
    return 0;
}

} // namespace

int ThemeCommand(std::span<const std::string> args)
{
    if (args.size() == 3 && args[0] == "export")
        return Export(args[1], args[2]);
    if (args.size() == 2 && args[0] == "dump")
        return Dump(args[1]);
    if (args.size() == 3 && args[0] == "pack")
        return Pack(args[1], args[2]);
    return Usage();
}
