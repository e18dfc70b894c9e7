#include <gtest/gtest.h>

#include "host/gfx/Colors.h"

TEST(Colors, SystemColoursResolveThroughTheSchemeAndOthersStay)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
}

TEST(Colors, PixelsSwapRedAndBlue)
{
    EXPECT_EQ(ColorToPixel(RGB(0x12, 0x34, 0x56)), 0x123456u);
    EXPECT_EQ(PixelToColor(0x123456u), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(GetRValue(clRed), 0xFF);
    EXPECT_EQ(GetBValue(clBlue), 0xFF);
}
