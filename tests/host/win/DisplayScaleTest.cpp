#include <gtest/gtest.h>

#include <sstream>

#include "host/gfx/Canvas.h"
#include "host/win/DisplayScale.h"
#include "tests/host/win/WinTestSupport.h"

TEST(DisplayScale, TheFirstSourceGivingAScaleDecidesAndBadVariablesAreReportedOnce)
{
    struct TCase {
        const char* MoraleafScale;
        const char* GdkScale;
        std::optional<std::string> Resources;
        int Expected;
        const char* Error; // a part of the one line on standard error, or "" for none
    };
    const TCase cases[] = {
        { "2", "3", "Xft.dpi:\t288\n", 2, "" },
        { nullptr, "3", "Xft.dpi:\t96\n", 3, "" },
        { "", " 2\n", std::nullopt, 2, "" },
        { "abc", "2", std::nullopt, 2, "MORALEAF_SCALE=\"abc\"" },
        { "0", nullptr, std::nullopt, 1, "MORALEAF_SCALE=\"0\"" },
        { "-2", nullptr, "Xft.dpi: 192", 2, "MORALEAF_SCALE=\"-2\"" },
        { nullptr, "1e9", "Xft.dpi:\t168.0\n", 2, "GDK_SCALE=\"1e9\"" },
        { "99999999999999999999", nullptr, std::nullopt, kMaxBitmapScale, "" },
        { nullptr, nullptr, "Xft.antialias:\t1\nXft.dpi:\t264\nXft.hinting:\t1\n", 3, "" },
        { nullptr, nullptr, "Xft.dpi:\t167.9\n", 1, "" },
        { nullptr, nullptr, "Xft.dpi:\tlarge\n", 1, "" },
        { nullptr, nullptr, "Xft.dpi:\t-300\n", 1, "" },
        { nullptr, nullptr, "Xft.dpix: 300\n*dpi: 300\n", 1, "" },
        { nullptr, nullptr, std::nullopt, 1, "" },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.MoraleafScale ? c.MoraleafScale : "-") + " / " + (c.GdkScale ? c.GdkScale : "-") + " / "
            + c.Resources.value_or("-"));
        std::ostringstream errors;
        int asked = 0;
        const TScaleSources sources { c.MoraleafScale, c.GdkScale, [&] {
                                         ++asked;
                                         return c.Resources;
                                     } };
        EXPECT_EQ(ChooseDisplayScale(sources, errors), c.Expected);
        const std::string text = errors.str();
        if (*c.Error) {
            EXPECT_NE(text.find(c.Error), std::string::npos) << text;
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        } else {
            EXPECT_EQ(text, "");
        }
        const bool fromVariable = ParseScale(c.MoraleafScale ? c.MoraleafScale : "") || ParseScale(c.GdkScale ? c.GdkScale : "");
        EXPECT_EQ(asked, fromVariable ? 0 : 1) << "the X resources are read only when needed";
    }
}

TEST(DisplayScale, AScaleTooLargeForTheScreenIsLoweredToTheLargestThatFits)
{
    struct TCase {
        int Scale;
        TSize Screen;
        int Expected;
    };
    const TCase cases[] = {
        { 2, { 1352, 800 }, 2 },
        { 2, { 1351, 800 }, 1 },
        { 3, { 2560, 1199 }, 2 },
        { 4, { 3840, 2160 }, 4 },
        { 3, { 0, 0 }, 1 },
        { 0, { 3840, 2160 }, 1 },
        { 1000, { 100000, 100000 }, kMaxBitmapScale },
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FitDisplayScale(c.Scale, c.Screen, { 676, 400 }), c.Expected) << c.Scale << " on " << c.Screen.cx;
}

// Painting, input and geometry stay logical at scale 2; the desktop shows twice the pixels.
TEST_F(WinTest, AtADisplayScaleWindowsKeepToLogicalPixelsWhileTheirSurfacesAreFiner)
{
    TPoint clicked { -1, -1 };
    HWND wnd = TopLevel(100, 50, 40, 30, [&](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_LBUTTONDOWN)
            clicked = { GET_X_LPARAM(lp), GET_Y_LPARAM(lp) };
        if (msg != WM_PAINT)
            return DefWindowProc(w, msg, wp, lp);
        PAINTSTRUCT ps;
        TCanvas canvas(BeginPaint(w, &ps));
        canvas.Brush().Color = clRed;
        canvas.FillRect(Rect(0, 0, 40, 30));
        canvas.Brush().Color = clBlue;
        canvas.FillRect(Rect(10, 5, 11, 6));
        EndPaint(w, &ps);
        return 0;
    });
    UpdateWindow(wnd);
    SetDisplayScale(2);
    UpdateWindow(wnd);
    desk->Click(115, 60);
    DispatchPendingMessages();
    EXPECT_EQ(clicked, (TPoint { 15, 10 }));

    const TBitmap shot = desk->CaptureWindow(wnd);
    EXPECT_EQ(shot.Width(), 40);
    EXPECT_EQ(shot.PixelWidth(), 80);
    EXPECT_EQ(shot.PixelHeight(), 60);
    EXPECT_EQ(PixelToColor(shot.ScanLine(11)[21]), clBlue);
    EXPECT_EQ(PixelToColor(shot.ScanLine(12)[21]), clRed);
    EXPECT_EQ(PixelToColor(shot.ScanLine(59)[79]), clRed) << "painted to the last device pixel";
    EXPECT_EQ(desk->CaptureScreen().GetPixel(110, 55), clBlue);
}
