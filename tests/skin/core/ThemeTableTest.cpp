// The built-in theme table: typed lookups, their neutral answers, and frames cut from the
// styles' images.
#include <gtest/gtest.h>

#include "host/res/Resources.h"
#include "skin/core/SUIPublic.h"
#include "skin/core/SUIThemes.h"
#include "tests/skin/core/SkinTestSupport.h"

TEST(ThemeTable, TypedLookupsAnswerOnlyForTheirKind)
{
    EXPECT_TRUE(GetThemeBool(MacOS, SUI_THEME_BUTTON_TRANSPARENT_BOOL));
    EXPECT_FALSE(GetThemeBool(WinXP, SUI_THEME_BUTTON_TRANSPARENT_BOOL));
    EXPECT_FALSE(GetThemeBool(MacOS, SUI_THEME_BUTTON_IMAGE));

    EXPECT_EQ(GetThemeColor(WinXP, SUI_THEME_FORM_BORDER_COLOR), 0x00C82C00);
    EXPECT_EQ(GetThemeColor(Protein, SUI_THEME_FORM_MINWIDTH_INT), 0);
    EXPECT_EQ(GetThemeInt(Protein, SUI_THEME_FORM_BACKGROUND_COLOR), -1);
    EXPECT_EQ(GetThemeInt(BlueGlass, SUI_THEME_FORM_MINWIDTH_INT), 270);
    // A negative value is a value, not a failure.
    EXPECT_EQ(GetThemeInt(BlueGlass, SUI_THEME_TITLEBAR_BUTTON_RIGHTOFFSET_INT), -3);

    TsuiThemeKind kind;
    EXPECT_STREQ(GetThemeEntry(DeepBlue, SUI_THEME_SCROLLBUTTON_IMAGE, kind).ResourceName, "MORE_SCROLLBUTTON");
    EXPECT_EQ(kind, suiKindImage);
    EXPECT_STREQ(GetThemeEntry(MacOS, SUI_THEME_SCROLLBAR_SLIDER_IMAGE, kind).ResourceName, "MACOS_SCROLLBAR_TRACK");
    EXPECT_STREQ(GetThemeEntryName(SUI_THEME_SIDECHANNEL_BAR_IMAGE), "SideChannelBarImage");
}

TEST(ThemeTable, StylesWithoutATableGiveNeutralAnswers)
{
    const TsuiUIStyle unknown = static_cast<TsuiUIStyle>(6);
    for (TsuiUIStyle style : { FromThemeFile, unknown }) {
        TsuiThemeKind kind = suiKindImage;
        EXPECT_EQ(GetThemeEntry(style, SUI_THEME_BUTTON_IMAGE, kind).Number, -1);
        EXPECT_EQ(kind, suiKindInteger);
        EXPECT_EQ(GetThemeInt(style, SUI_THEME_FORM_MINWIDTH_INT), -1);
        EXPECT_EQ(GetThemeColor(style, SUI_THEME_FORM_BACKGROUND_COLOR), 0);
        EXPECT_FALSE(GetThemeBool(style, SUI_THEME_BUTTON_TRANSPARENT_BOOL));
    }
    // Numbers outside the table are as safe.
    TsuiThemeKind kind;
    EXPECT_EQ(GetThemeEntry(MacOS, 0, kind).Number, -1);
    EXPECT_EQ(GetThemeEntry(MacOS, 43, kind).Number, -1);
    EXPECT_STREQ(GetThemeEntryName(43), "");
}

TEST(ThemeTable, NonImageEntriesLeaveTheBitmapOrEmptyItWhenCut)
{
    TBitmap b = CoordinateBitmap(5, 4);
    GetThemeBitmap(FromThemeFile, SUI_THEME_BUTTON_IMAGE, &b);
    EXPECT_EQ(b.Width(), 5);
    GetThemeBitmap(MacOS, SUI_THEME_FORM_MINWIDTH_INT, &b);
    GetThemeBitmapFrame(MacOS, SUI_THEME_FORM_MINWIDTH_INT, &b, 0, 0);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.GetPixel(4, 3), CoordinateColor(4, 3));

    GetThemeBitmapFrame(FromThemeFile, SUI_THEME_BUTTON_IMAGE, &b, 3, 1);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);

    GetThemeBitmap(MacOS, SUI_THEME_BUTTON_IMAGE, nullptr);
    GetThemeBitmapFrame(MacOS, SUI_THEME_BUTTON_IMAGE, nullptr, 3, 1);
}

TEST(ThemeTable, FramesAreCutSideBySideFromTheResource)
{
    TBitmap whole;
    whole.LoadFromResourceName("DEEPBLUE_BUTTON");
    ASSERT_EQ(whole.Width(), 222);
    ASSERT_EQ(whole.Height(), 21);

    TBitmap frame;
    GetThemeBitmapFrame(DeepBlue, SUI_THEME_BUTTON_IMAGE, &frame, 3, 2);
    ASSERT_EQ(frame.Width(), 74);
    ASSERT_EQ(frame.Height(), 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 74; ++x)
            ASSERT_EQ(frame.GetPixel(x, y), whole.GetPixel(74 + x, y)) << x << "," << y;

    GetThemeBitmapFrame(DeepBlue, SUI_THEME_BUTTON_IMAGE, &frame, 0, 0);
    EXPECT_EQ(frame.Width(), 222);
    EXPECT_EQ(frame.Height(), 21);
}

TEST(ThemeTable, AMissingResourceFailsAsTheHostDoes)
{
    TBitmap b;
    EXPECT_THROW(b.LoadFromResourceName("NO_SUCH_SKIN_BITMAP"), EResNotFound);
}

TEST(ExtractBitmapFrame, DropsTheColumnsLeftOverAtTheRight)
{
    TBitmap frame;
    ExtractBitmapFrame(CoordinateBitmap(231, 2), frame, 3, 3);
    EXPECT_EQ(frame.Width(), 77);
    EXPECT_EQ(frame.GetPixel(0, 1), CoordinateColor(154, 1));

    const TBitmap ten = CoordinateBitmap(10, 2);
    for (int index = 1; index <= 3; ++index) {
        ExtractBitmapFrame(ten, frame, 3, index);
        ASSERT_EQ(frame.Width(), 3);
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(frame.GetPixel(x, 1), CoordinateColor(3 * (index - 1) + x, 1));
    }
}

TEST(ExtractBitmapFrame, OddRequestsDoNotReachOutsideTheImage)
{
    const TBitmap source = CoordinateBitmap(12, 3);
    TBitmap frame;
    // A frame beyond the image comes out white; so do its columns past the edge.
    ExtractBitmapFrame(source, frame, 3, 4);
    EXPECT_EQ(frame.Width(), 4);
    EXPECT_EQ(frame.GetPixel(0, 0), clWhite);
    ExtractBitmapFrame(source, frame, 3, 0);
    EXPECT_EQ(frame.GetPixel(3, 2), clWhite);
    ExtractBitmapFrame(source, frame, 3, 1 << 30);
    EXPECT_EQ(frame.GetPixel(3, 2), clWhite);
    // No frame count is the whole image.
    ExtractBitmapFrame(source, frame, 0, 1);
    EXPECT_EQ(frame.Width(), 12);
    EXPECT_EQ(frame.GetPixel(11, 2), CoordinateColor(11, 2));
    // Source and destination may be one bitmap.
    TBitmap same = source;
    ExtractBitmapFrame(same, same, 2, 2);
    EXPECT_EQ(same.Width(), 6);
    EXPECT_EQ(same.GetPixel(0, 0), CoordinateColor(6, 0));
}
