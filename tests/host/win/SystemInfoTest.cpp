#include <cstring>

#include "WinTestSupport.h"
#include "host/win/Regions.h"
#include "host/win/SystemInfo.h"

using SystemInfo = WinTest;

TEST_F(SystemInfo, NonClientMetricsNeedTheirSizeAndCarryTheMenuFont)
{
    NONCLIENTMETRICS metrics;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    metrics.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, "Tahoma");
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, -11);
    EXPECT_EQ(metrics.lfMenuFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 800);
}

TEST_F(SystemInfo, RegionsCombineAndRefuseBadHandles)
{
    HRGN round = CreateRoundRectRgn(0, 0, 101, 101, 20, 20);
    HRGN left = CreateRectRgn(0, 60, 40, 100);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(result, round, left, RGN_OR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(round, 0, 99));
    EXPECT_TRUE(PtInRegion(result, 0, 99));
    EXPECT_FALSE(PtInRegion(result, 0, 0));
    EXPECT_EQ(CombineRgn(result, round, left, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(result, 10, 70));
    EXPECT_EQ(CombineRgn(result, left, nullptr, RGN_COPY), SIMPLEREGION);
    HRGN far = CreateRectRgn(200, 200, 300, 300);
    EXPECT_EQ(CombineRgn(result, round, far, RGN_AND), NULLREGION);
    DeleteObject(far);
    TRect box;
    EXPECT_EQ(GetRgnBox(left, &box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(0, 60, 40, 100));

    EXPECT_EQ(CombineRgn(result, round, left, 3), RGN_ERROR);
    EXPECT_TRUE(DeleteObject(left));
    EXPECT_FALSE(DeleteObject(left));
    EXPECT_EQ(CombineRgn(result, round, left, RGN_OR), RGN_ERROR);

    HWND wnd = TopLevel(0, 0, 100, 100);
    EXPECT_EQ(SetWindowRgn(wnd, round, false), 1);
    EXPECT_FALSE(DeleteObject(round));
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(wnd, copy), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(copy, 0, 0));
    EXPECT_EQ(SetWindowRgn(wnd, nullptr, true), 1);
    EXPECT_EQ(GetWindowRgn(wnd, copy), RGN_ERROR);
    DeleteObject(copy);
    DeleteObject(result);
}

TEST_F(SystemInfo, TheHeadlessDesktopDrawsFramesAroundFramedWindows)
{
    HWND framed = TopLevel(100, 100, 200, 150, Filler(clRed), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    DispatchPendingMessages();
    const TBitmap screen = desk->CaptureScreen();
    EXPECT_EQ(screen.GetPixel(100 + 4, 100 + 23), clRed);
    EXPECT_EQ(screen.GetPixel(100 + 50, 100 + 10), ColorToRGB(clActiveCaption));
    EXPECT_EQ(screen.GetPixel(100, 100), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(screen.GetPixel(10, 10), ColorToRGB(clBackground));
    EXPECT_EQ(screen.GetPixel(10, 790), ColorToRGB(clBtnFace));

    const TBitmap window = desk->CaptureWindow(framed);
    EXPECT_EQ(window.Width(), 200);
    EXPECT_EQ(window.Height(), 150);
    EXPECT_EQ(window.GetPixel(4, 23), clRed);

    const std::string path = ::testing::TempDir() + "headless-screen.png";
    desk->SaveScreenPng(path);
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[4] = {};
    EXPECT_EQ(std::fread(magic, 1, 4, f), 4u);
    std::fclose(f);
    EXPECT_EQ(std::memcmp(magic, "\x89PNG", 4), 0);
    std::remove(path.c_str());
}
