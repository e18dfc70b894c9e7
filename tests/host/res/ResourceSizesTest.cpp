#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "host/res/Resources.h"

namespace {

struct TExpectedBitmap {
    const char* Name;
    int Width;
    int Height;
};

// Every skin bitmap the controls load by name, with the size its frames are cut from.
const std::vector<TExpectedBitmap> kBitmaps = {
    { "MACOS_BUTTON", 252, 23 },
    { "WINXP_BUTTON", 54, 21 },
    { "DEEPBLUE_BUTTON", 222, 21 },
    { "PROTEIN_BUTTON", 222, 21 },
    { "BLUEGLASS_BUTTON", 231, 27 },
    { "MACOS_CHECKBOX", 60, 17 },
    { "WINXP_CHECKBOX", 52, 13 },
    { "DEEPBLUE_CHECKBOX", 52, 13 },
    { "PROTEIN_CHECKBOX", 52, 13 },
    { "BLUEGLASS_CHECKBOX", 52, 13 },
    { "MACOS_RADIOBUTTON", 64, 17 },
    { "WINXP_RADIOBUTTON", 52, 13 },
    { "DEEPBLUE_RADIOBUTTON", 52, 13 },
    { "PROTEIN_RADIOBUTTON", 52, 13 },
    { "BLUEGLASS_RADIOBUTTON", 52, 13 },
    { "MACOS_TITLEBTN", 306, 17 },
    { "WINXP_TITLEBTN", 378, 21 },
    { "DEEPBLUE_TITLEBTN", 342, 19 },
    { "PROTEIN_TITLEBTN", 342, 19 },
    { "BLUEGLASS_TITLEBTN", 342, 19 },
    { "MACOS_TITLE_LEFT", 48, 23 },
    { "WINXP_TITLE_LEFT", 35, 29 },
    { "DEEPBLUE_TITLE_LEFT", 97, 32 },
    { "PROTEIN_TITLE_LEFT", 441, 23 },
    { "BLUEGLASS_TITLE_LEFT", 162, 33 },
    { "MACOS_TITLE_CLIENT", 49, 23 },
    { "WINXP_TITLE_CLIENT", 37, 29 },
    { "DEEPBLUE_TITLE_CLIENT", 98, 32 },
    { "PROTEIN_TITLE_CLIENT", 1, 23 },
    { "BLUEGLASS_TITLE_CLIENT", 179, 33 },
    { "MACOS_TITLE_RIGHT", 48, 23 },
    { "WINXP_TITLE_RIGHT", 35, 29 },
    { "DEEPBLUE_TITLE_RIGHT", 97, 32 },
    { "PROTEIN_TITLE_RIGHT", 1, 23 },
    { "BLUEGLASS_TITLE_RIGHT", 101, 33 },
    { "MACOS_SCROLLBUTTON", 72, 18 },
    { "WINXP_SCROLLBUTTON", 72, 18 },
    { "MORE_SCROLLBUTTON", 72, 17 },
    { "MACOS_TAB", 36, 27 },
    { "WINXP_TAB", 18, 18 },
    { "DEEPBLUE_TAB", 12, 17 },
    { "PROTEIN_TAB", 18, 17 },
    { "BLUEGLASS_TAB", 18, 17 },
    { "MACOS_TAB_LINE", 17, 7 },
    { "WINXP_TAB_LINE", 8, 1 },
    { "DEEPBLUE_TAB_LINE", 5, 5 },
    { "PROTEIN_TAB_LINE", 10, 5 },
    { "BLUEGLASS_TAB_LINE", 10, 5 },
    // Entries that no control reads still have their pictures.
    { "MACOS_PROGRESSBAR", 13, 10 },
    { "WINXP_PROGRESSBAR", 6, 10 },
    { "DEEPBLUE_PROGRESSBAR", 1, 10 },
    { "PROTEIN_PROGRESSBAR", 1, 10 },
    { "BLUEGLASS_PROGRESSBAR", 1, 10 },
    { "MACOS_TRACKBAR_BAR", 45, 5 },
    { "WINXP_TRACKBAR_BAR", 45, 8 },
    { "DEEPBLUE_TRACKBAR_BAR", 45, 4 },
    { "PROTEIN_TRACKBAR_BAR", 45, 4 },
    { "BLUEGLASS_TRACKBAR_BAR", 45, 4 },
    { "MACOS_TRACKBAR_SLIDER", 11, 20 },
    { "WINXP_TRACKBAR_SLIDER", 11, 21 },
    { "DEEPBLUE_TRACKBAR_SLIDER", 11, 20 },
    { "PROTEIN_TRACKBAR_SLIDER", 11, 20 },
    { "BLUEGLASS_TRACKBAR_SLIDER", 11, 20 },
    { "MACOS_TRACKBAR_SLIDER_V", 19, 11 },
    { "WINXP_TRACKBAR_SLIDER_V", 22, 11 },
    { "DEEPBLUE_TRACKBAR_SLIDER_V", 18, 11 },
    { "PROTEIN_TRACKBAR_SLIDER_V", 18, 11 },
    { "BLUEGLASS_TRACKBAR_SLIDER_V", 18, 11 },
    { "MACOS_SCROLLBAR_BUTTON", 96, 22 },
    { "WINXP_SCROLLBAR_BUTTON", 96, 17 },
    { "DEEPBLUE_SCROLLBAR_BUTTON", 96, 16 },
    { "PROTEIN_SCROLLBAR_BUTTON", 96, 16 },
    { "BLUEGLASS_SCROLLBAR_BUTTON", 102, 16 },
    { "MACOS_SCROLLBAR_TRACK", 33, 16 },
    { "WINXP_SCROLLBAR_TRACK", 21, 16 },
    { "DEEPBLUE_SCROLLBAR_TRACK", 21, 16 },
    { "PROTEIN_SCROLLBAR_TRACK", 21, 16 },
    { "BLUEGLASS_SCROLLBAR_TRACK", 21, 16 },
    { "MACOS_CHECKLIST", 40, 11 },
    { "WINXP_CHECKLIST", 44, 11 },
    { "DEEPBLUE_CHECKLIST", 44, 11 },
    { "PROTEIN_CHECKLIST", 44, 11 },
    { "BLUEGLASS_CHECKLIST", 44, 11 },
    { "MACOS_SIDECHENNEL_HANDLE", 7, 84 },
    { "WINXP_SIDECHENNEL_HANDLE", 8, 86 },
    { "DEEPBLUE_SIDECHENNEL_HANDLE", 8, 83 },
    { "PROTEIN_SIDECHENNEL_HANDLE", 8, 83 },
    { "BLUEGLASS_SIDECHENNEL_HANDLE", 8, 86 },
    { "MACOS_SIDECHENNEL_BAR", 1, 21 },
    { "WINXP_SIDECHENNEL_BAR", 1, 21 },
    { "DEEPBLUE_SIDECHENNEL_BAR", 1, 20 },
    { "PROTEIN_SIDECHENNEL_BAR", 1, 21 },
    { "BLUEGLASS_SIDECHENNEL_BAR", 1, 21 },
    // Loaded by fixed name.
    { "MACOS_MENU_BAR", 1, 22 },
    { "MACOS_MENU_SELECT", 1, 21 },
    { "MENU_CHECKED", 16, 16 },
    { "MACOS_FORM_BACKGROUND", 8, 8 },
    { "PROTEIN_FORM_BACKGROUND", 8, 8 },
};

std::int32_t Int32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::int32_t>(
        bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

int Uint16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8;
}

} // namespace

TEST(ResourceSizes, EverySkinBitmapHasItsSize)
{
    for (const TExpectedBitmap& e : kBitmaps) {
        SCOPED_TRACE(e.Name);
        const std::span<const std::uint8_t> bmp = FindResource(e.Name, TResourceKind::Bitmap);
        ASSERT_NE(bmp.data(), nullptr) << "missing";
        // File header (14 bytes), then the information header: size, width, height.
        ASSERT_GE(bmp.size(), 26u);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(Int32At(bmp, 2), static_cast<std::int32_t>(bmp.size()));
        EXPECT_EQ(Int32At(bmp, 18), e.Width);
        EXPECT_EQ(std::abs(Int32At(bmp, 22)), e.Height);
    }
}

TEST(ResourceSizes, SkinBitmapNamesAreDistinct)
{
    std::set<std::string> names;
    for (const TExpectedBitmap& e : kBitmaps)
        EXPECT_TRUE(names.insert(e.Name).second) << e.Name;
    EXPECT_EQ(names.size(), 98u);
}

TEST(ResourceSizes, TheProgramIconHoldsBothSizesWithAlpha)
{
    const std::span<const std::uint8_t> ico = LoadResource("MAINICON", TResourceKind::Icon);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Uint16At(ico, 0), 0);
    EXPECT_EQ(Uint16At(ico, 2), 1);
    const int count = Uint16At(ico, 4);
    std::set<int> sizes;
    for (int i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        ASSERT_LE(entry + 16, ico.size());
        const int side = ico[entry];
        EXPECT_EQ(ico[entry + 1], side);
        EXPECT_EQ(Uint16At(ico, entry + 6), 32);
        const auto length = static_cast<std::size_t>(Int32At(ico, entry + 8));
        const auto offset = static_cast<std::size_t>(Int32At(ico, entry + 12));
        ASSERT_LE(offset + length, ico.size());
        // The picture is a bitmap of twice the height: colour rows, then the AND mask.
        EXPECT_EQ(Int32At(ico, offset), 40);
        EXPECT_EQ(Int32At(ico, offset + 4), side);
        EXPECT_EQ(Int32At(ico, offset + 8), 2 * side);
        const std::size_t maskRow = static_cast<std::size_t>((side + 31) / 32 * 4);
        EXPECT_EQ(length, 40 + static_cast<std::size_t>(side * side * 4) + maskRow * static_cast<std::size_t>(side));
        sizes.insert(side);
    }
    EXPECT_EQ(sizes, (std::set<int> { 16, 32 }));
}
