// The built-in skin bitmaps keep the conventions their drawing relies on: key colours where
// the drawing must see through and nowhere else, stretchable middles without seams, and
// opaque title buttons that match the caption behind them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"

namespace {

const std::vector<std::string> kStyles = { "MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS" };

TBitmap Load(const std::string& name)
{
    TBitmap b;
    b.LoadFromResourceName(name);
    return b;
}

int FrameWidth(const TBitmap& b, int frames)
{
    return b.Width() / frames;
}

bool AnyPixel(const TBitmap& b, int left, int top, int right, int bottom, TColor c)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (b.GetPixel(x, y) == c)
                return true;
    return false;
}

} // namespace

// Push button faces: fuchsia corners for the see-through styles (MacOS, BlueGlass), none at
// all for the opaque ones, whose corners are painted as they stand.
TEST(SkinArt, ButtonFacesKeyTheirCornersOnlyWhenSeeThrough)
{
    for (const std::string& s : kStyles) {
        SCOPED_TRACE(s);
        const TBitmap b = Load(s + "_BUTTON");
        const bool seeThrough = s == "MACOS" || s == "BLUEGLASS";
        const int w = FrameWidth(b, 3);
        for (int f = 0; f < 3; ++f) {
            EXPECT_EQ(b.GetPixel(f * w, 0) == clFuchsia, seeThrough);
            // The middle of the face is never keyed.
            EXPECT_NE(b.GetPixel(f * w + w / 2, b.Height() / 2), clFuchsia);
        }
        if (!seeThrough) {
            EXPECT_FALSE(AnyPixel(b, 0, 0, b.Width(), b.Height(), clFuchsia));
        }
    }
}

// Nine-part drawing stretches row k (left, centre) and row k + 1 (right) of a face 2k + 1
// high, and both middle columns of an odd width: they must agree or the stretch shows a step.
TEST(SkinArt, ButtonFacesStretchWithoutSeams)
{
    for (const std::string& s : kStyles) {
        SCOPED_TRACE(s);
        const TBitmap b = Load(s + "_BUTTON");
        const int w = FrameWidth(b, 3);
        const int k = b.Height() / 2;
        for (int f = 0; f < 3; ++f) {
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(b.GetPixel(f * w + x, k), b.GetPixel(f * w + x, k + 1)) << "frame " << f << " column " << x;
            if (w % 2 == 1) {
                for (int y = 0; y < b.Height(); ++y)
                    ASSERT_EQ(b.GetPixel(f * w + w / 2, y), b.GetPixel(f * w + w / 2 + 1, y)) << "frame " << f << " row " << y;
            }
        }
    }
}

// Tabs: the middle third is stretched without a key, so it holds no fuchsia and every column
// of it is the same; the rounded top corners of the caps are keyed.
TEST(SkinArt, TabsHaveKeyedCapsAndAPlainMiddle)
{
    for (const std::string& s : kStyles) {
        SCOPED_TRACE(s);
        const TBitmap b = Load(s + "_TAB");
        const int w = FrameWidth(b, 2);
        const int cap = w / 3;
        for (int f = 0; f < 2; ++f) {
            const int x0 = f * w;
            EXPECT_EQ(b.GetPixel(x0, 0), clFuchsia);
            EXPECT_EQ(b.GetPixel(x0 + w - 1, 0), clFuchsia);
            EXPECT_FALSE(AnyPixel(b, x0 + cap, 0, x0 + w - cap, b.Height(), clFuchsia));
            for (int x = x0 + cap; x < x0 + w - cap; ++x)
                for (int y = 0; y < b.Height(); ++y)
                    ASSERT_EQ(b.GetPixel(x, y), b.GetPixel(x0 + cap, y)) << "frame " << f << " column " << x - x0;
        }
    }
}

// Frames drawn as transparent bitmaps take their key from the lower-left pixel: radio
// buttons, the tab scroll buttons and the title buttons of Protein and BlueGlass. The key
// must be fuchsia, so no drawn pixel can match it by chance.
TEST(SkinArt, SeeThroughFramesAreKeyedByTheirLowerLeftPixel)
{
    std::vector<std::pair<std::string, int>> strips = { { "MACOS_SCROLLBUTTON", 4 }, { "WINXP_SCROLLBUTTON", 4 },
        { "MORE_SCROLLBUTTON", 4 }, { "PROTEIN_TITLEBTN", 18 }, { "BLUEGLASS_TITLEBTN", 18 } };
    for (const std::string& s : kStyles)
        strips.emplace_back(s + "_RADIOBUTTON", 4);
    for (const auto& [name, frames] : strips) {
        SCOPED_TRACE(name);
        const TBitmap b = Load(name);
        const int w = FrameWidth(b, frames);
        for (int f = 0; f < frames; ++f) {
            EXPECT_EQ(b.GetPixel(f * w, b.Height() - 1), clFuchsia) << "frame " << f;
            EXPECT_NE(b.GetPixel(f * w + w / 2, b.Height() / 2), clFuchsia) << "frame " << f;
        }
    }
}

// Opaque title buttons are drawn over the caption as they stand: their corners must show
// the caption's own rows at the button's top offset, so no box appears around them.
TEST(SkinArt, OpaqueTitleButtonsMatchTheCaptionBehindThem)
{
    const std::vector<std::pair<std::string, int>> opaque = { { "MACOS", 4 }, { "WINXP", 5 }, { "DEEPBLUE", 2 } };
    for (const auto& [s, top] : opaque) {
        SCOPED_TRACE(s);
        const TBitmap buttons = Load(s + "_TITLEBTN");
        const TBitmap client = Load(s + "_TITLE_CLIENT");
        const int w = FrameWidth(buttons, 18);
        for (int f = 0; f < 18; ++f) {
            EXPECT_EQ(buttons.GetPixel(f * w, 0), client.GetPixel(0, top)) << "frame " << f;
            EXPECT_EQ(buttons.GetPixel(f * w + w - 1, buttons.Height() - 1), client.GetPixel(0, top + buttons.Height() - 1))
                << "frame " << f;
        }
    }
}

// Menus mask the check mark with white: its background is white and the mark is dark.
TEST(SkinArt, MenuCheckMarkIsDarkOnWhite)
{
    const TBitmap b = Load("MENU_CHECKED");
    EXPECT_EQ(b.GetPixel(0, 0), clWhite);
    EXPECT_EQ(b.GetPixel(15, 15), clWhite);
    EXPECT_TRUE(AnyPixel(b, 0, 0, 16, 16, 0x1C1C1C));
}
