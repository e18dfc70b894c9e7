// Helpers that ask the window system: the work area and the flat border over a menu window.
#include <gtest/gtest.h>

#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/Window.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/core/SUIPublic.h"

namespace {

class WindowHelpers : public ::testing::Test {
protected:
    void SetUp() override { desk = &THeadlessBackend::Install(); }
    void TearDown() override { DoneWindowSystem(); }

    THeadlessBackend* desk = nullptr;
};

} // namespace

TEST_F(WindowHelpers, WorkAreaLeavesOutTheTaskBar)
{
    TRect r;
    ASSERT_TRUE(GetWorkArea(r));
    EXPECT_EQ(r, Rect(0, 0, THeadlessBackend::kScreenWidth, THeadlessBackend::kScreenHeight - THeadlessBackend::kTaskBarHeight));
    DoneWindowSystem();
    EXPECT_FALSE(GetWorkArea(r));
}

// On a 20 x 10 menu window at (100, 50): frame (0, 1, 19, 9) in FrameColor, a white frame
// inside it, and the line colour along the bottom row, the right column and the top row
// (lines leave out their end points).
TEST_F(WindowHelpers, MenuWindowBorder)
{
    TCreateParams p;
    p.Style = WS_POPUP | WS_VISIBLE;
    p.X = 100;
    p.Y = 50;
    p.Width = 20;
    p.Height = 10;
    HWND menu = CreateWindowEx(p);
    DispatchPendingMessages();

    DrawMenuWindowBorder(menu, clRed, clBlue);
    DispatchPendingMessages();
    const TBitmap shot = desk->CaptureWindow(menu);
    ASSERT_EQ(shot.Width(), 20);
    EXPECT_EQ(shot.GetPixel(0, 1), clRed); // frame, left
    EXPECT_EQ(shot.GetPixel(18, 5), clRed); // frame, right (one short of the window's edge)
    EXPECT_EQ(shot.GetPixel(1, 2), clWhite); // inner frame
    EXPECT_EQ(shot.GetPixel(16, 7), clWhite);
    EXPECT_EQ(shot.GetPixel(5, 9), clBlue); // bottom line
    EXPECT_EQ(shot.GetPixel(19, 4), clBlue); // right line
    EXPECT_EQ(shot.GetPixel(10, 0), clBlue); // top line, back to the left
    EXPECT_EQ(shot.GetPixel(1, 0), clBlue);
    EXPECT_NE(shot.GetPixel(0, 0), clBlue); // its end point
    DestroyWindow(menu);
}
