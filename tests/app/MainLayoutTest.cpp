// The main window's stored layout. Its title bar pictures are the MacOS art's own frames: with
// MORALEAF_WRITE_F_MAIN=FILE set, the layout test writes the layout with those pictures to FILE,
// which is how resources/layouts/F_MAIN.txt gets them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "host/res/Resources.h"
#include "host/ui/LayoutParser.h"
#include "host/ui/LayoutPrinter.h"
#include "skin/core/SUIPublic.h"

namespace {

// A picture as a layout stores it: the class name, the byte count and the BMP file image.
std::vector<std::uint8_t> PictureData(const TBitmap& bitmap, int bitsPerPixel)
{
    const std::vector<std::uint8_t> bmp = bitmap.SaveToBytes(bitsPerPixel);
    std::vector<std::uint8_t> data { 7, 'T', 'B', 'i', 't', 'm', 'a', 'p' };
    for (int shift = 0; shift < 32; shift += 8)
        data.push_back(static_cast<std::uint8_t>(bmp.size() >> shift));
    data.insert(data.end(), bmp.begin(), bmp.end());
    return data;
}

TBitmap ResourceBitmap(const char* name)
{
    TBitmap b;
    b.LoadFromResourceName(name);
    return b;
}

// Frame n (from 1) of the 18-frame title bar button image.
TBitmap ButtonFrame(int n)
{
    TBitmap frame;
    ExtractBitmapFrame(ResourceBitmap("MACOS_TITLEBTN"), frame, 18, n);
    return frame;
}

void SetProperty(std::vector<TLayoutProperty>& properties, const std::string& name, TLayoutValue value)
{
    for (TLayoutProperty& p : properties)
        if (p.Name == name) {
            p.Value = std::move(value);
            return;
        }
    properties.push_back({ name, std::move(value), 0 });
}

TLayoutProperty& Find(std::vector<TLayoutProperty>& properties, const std::string& name)
{
    for (TLayoutProperty& p : properties)
        if (p.Name == name)
            return p;
    throw Exception("no property " + name);
}

// The layout with the MacOS title bar pictures in the skinned form's buttons and sections.
TLayoutObject WithMacOSTitleBarArt(TLayoutObject layout)
{
    static const std::map<std::string, int> firstFrame
        = { { "suiControlBox", 1 }, { "suiClose", 16 }, { "suiMax", 7 }, { "suiMin", 13 } };
    static const std::map<std::string, const char*> sectionImage
        = { { "suiLeft", "MACOS_TITLE_LEFT" }, { "suiRight", "MACOS_TITLE_RIGHT" }, { "suiClient", "MACOS_TITLE_CLIENT" } };
    for (TLayoutObject& child : layout.Children) {
        if (child.ClassName != "TsuiForm")
            continue;
        TLayoutValue& buttons = Find(child.Properties, "TitleBarButtons").Value;
        std::vector<TLayoutItem> items = buttons.AsCollection();
        for (TLayoutItem& item : items) {
            const int first = firstFrame.at(Find(item.Properties, "ButtonType").Value.AsIdent());
            const char* names[] = { "PicNormal.Data", "PicMouseOn.Data", "PicMouseDown.Data" };
            for (int i = 0; i < 3; ++i)
                SetProperty(item.Properties, names[i], TLayoutValue::FromBinary(PictureData(ButtonFrame(first + i), 32)));
        }
        buttons = TLayoutValue::FromCollection(std::move(items));
        TLayoutValue& sections = Find(child.Properties, "TitleBarSections").Value;
        items = sections.AsCollection();
        for (TLayoutItem& item : items) {
            const char* image = sectionImage.at(Find(item.Properties, "Align").Value.AsIdent());
            SetProperty(item.Properties, "Picture.Data", TLayoutValue::FromBinary(PictureData(ResourceBitmap(image), 8)));
        }
        sections = TLayoutValue::FromCollection(std::move(items));
    }
    return layout;
}

std::string StoredLayout()
{
    const auto bytes = LoadResource("F_MAIN", TResourceKind::Layout);
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

} // namespace

TEST(MainLayout, TheTitleBarPicturesAreTheMacOSArtsOwnFrames)
{
    const std::string stored = StoredLayout();
    const std::string expected = PrintLayout(WithMacOSTitleBarArt(ParseLayout(stored)));
    if (const char* out = std::getenv("MORALEAF_WRITE_F_MAIN")) {
        std::ofstream(out, std::ios::binary) << expected;
        GTEST_SKIP() << "wrote " << out;
    }
    EXPECT_TRUE(stored == expected) << "F_MAIN.txt differs from its art; regenerate it with MORALEAF_WRITE_F_MAIN";
}

TEST(MainLayout, TheSheetsAreStoredOutOfPageOrder)
{
    // Loading the window restores the page order from Pages and PageIndex, not from the order
    // in which the sheets come.
    const TLayoutObject layout = ParseLayout(StoredLayout());
    const TLayoutObject* pages = nullptr;
    for (const TLayoutObject& child : layout.Children.at(0).Children)
        if (child.Name == "suiPageControl1")
            pages = &child;
    ASSERT_NE(pages, nullptr);
    std::vector<std::string> sheets;
    for (const TLayoutObject& sheet : pages->Children)
        sheets.push_back(sheet.Name);
    EXPECT_EQ(sheets, (std::vector<std::string> { "suiTabSheet2", "suiTabSheet1", "suiTabSheet3", "suiTabSheet4" }));
}
