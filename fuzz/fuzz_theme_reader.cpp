// Feeds arbitrary bytes to the theme file reader: a file either reads or is refused with the
// reader's own error. One that reads, written again by the writer, reads back to the same values.
// The images it holds go to the bitmap loader as the skin would hand them over.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "skin/core/SUIThemeFile.h"
#include "skin/core/SUIThemes.h"

namespace {

bool SameRecords(const std::vector<TsuiThemeFileRecord>& a, const std::vector<TsuiThemeFileRecord>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Name != b[i].Name || a[i].Type != b[i].Type
            || !std::equal(a[i].Data.begin(), a[i].Data.end(), b[i].Data.begin(), b[i].Data.end()))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    std::vector<TsuiThemeFileRecord> records;
    try {
        records = ReadThemeFileRecords(bytes, "fuzz.thm");
    } catch (const EThemeFileError&) {
        return 0;
    }

    TsuiThemeFileWriter writer;
    for (const TsuiThemeFileRecord& r : records) {
        switch (r.Type) {
        case suiRecordImage:
            writer.AddImage(r.Name, r.Data);
            break;
        case suiRecordInteger:
            writer.AddInt(r.Name, ThemeRecordInt(r));
            break;
        case suiRecordBoolean:
            writer.AddBool(r.Name, ThemeRecordByte(r));
            break;
        case suiRecordText:
            writer.AddText(r.Name, std::string(r.Data.begin(), r.Data.end()));
            break;
        }
    }
    const std::vector<std::uint8_t> again = writer.SaveToBytes();
    if (!SameRecords(records, ReadThemeFileRecords(again, "again.thm")))
        __builtin_trap();

    const TsuiThemeFileReader reader(bytes, "fuzz.thm");
    for (int entry = 1; entry <= SUI_THEME_ENTRY_COUNT; ++entry) {
        reader.GetInt(GetThemeEntryName(entry));
        reader.GetBool(GetThemeEntryName(entry));
        const auto image = reader.GetImage(GetThemeEntryName(entry));
        if (!image)
            continue;
        TBitmap bitmap;
        try {
            bitmap.LoadFromBytes(*image);
        } catch (const EReadError&) {
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
