#include <functional>

#include "WinTestSupport.h"
#include "host/win/Regions.h"
#include "host/win/VirtualKeys.h"

namespace {

std::vector<TLogged> MouseOnly(const std::vector<TLogged>& log)
{
    std::vector<TLogged> result;
    for (const TLogged& l : log)
        if ((l.Msg >= WM_MOUSEFIRST && l.Msg <= WM_MOUSELAST) || l.Msg == WM_MOUSELEAVE
            || (l.Msg >= WM_NCMOUSEMOVE && l.Msg <= WM_NCMBUTTONDBLCLK))
            result.push_back(l);
    return result;
}

} // namespace

using MouseInput = WinTest;

TEST_F(MouseInput, GoesToTheDeepestVisibleEnabledChildInItsClientCoordinates)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(100, 100, 300, 200, Logging(log));
    HWND panel = Child(top, 10, 10, 200, 150, Logging(log));
    HWND button = Child(panel, 20, 30, 50, 20, Logging(log));
    DispatchPendingMessages();

    log.clear();
    desk->Click(100 + 10 + 20 + 5, 100 + 10 + 30 + 6);
    DispatchPendingMessages();
    auto mouse = MouseOnly(log);
    ASSERT_EQ(mouse.size(), 2u);
    EXPECT_EQ(mouse[0].Wnd, button);
    EXPECT_EQ(mouse[0].Msg, WM_LBUTTONDOWN);
    EXPECT_EQ(mouse[0].LParam, MAKELPARAM(5, 6));
    EXPECT_EQ(mouse[0].WParam, MK_LBUTTON);
    EXPECT_EQ(mouse[1].Msg, WM_LBUTTONUP);
    EXPECT_EQ(mouse[1].WParam, 0u);

    // Disabled or hidden, the button lets its parent have the click.
    EnableWindow(button, false);
    log.clear();
    desk->Click(135, 146);
    DispatchPendingMessages();
    mouse = MouseOnly(log);
    ASSERT_FALSE(mouse.empty());
    EXPECT_EQ(mouse[0].Wnd, panel);
    EXPECT_EQ(mouse[0].LParam, MAKELPARAM(25, 36));

    EnableWindow(button, true);
    ShowWindow(button, SW_HIDE);
    log.clear();
    desk->MoveMouse(135, 146);
    DispatchPendingMessages();
    mouse = MouseOnly(log);
    ASSERT_EQ(mouse.size(), 1u);
    EXPECT_EQ(mouse[0].Wnd, panel);
}

TEST_F(MouseInput, ATransparentHitTestPassesThePointToTheWindowBelow)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(0, 0, 300, 200, Logging(log));
    HWND below = Child(top, 0, 0, 100, 100, Logging(log));
    Child(top, 0, 0, 100, 100, [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_NCHITTEST ? HTTRANSPARENT : DefWindowProc(w, m, wp, lp);
    });
    DispatchPendingMessages();
    log.clear();
    desk->Click(50, 50);
    DispatchPendingMessages();
    const auto mouse = MouseOnly(log);
    ASSERT_FALSE(mouse.empty());
    EXPECT_EQ(mouse[0].Wnd, below);
    EXPECT_EQ(WindowFromPoint({ 50, 50 }), below);
}

TEST_F(MouseInput, CaptureTakesEveryMouseMessageUntilReleased)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(100, 100, 300, 200, Logging(log));
    HWND button = Child(top, 10, 10, 50, 20, Logging(log));
    DispatchPendingMessages();
    SetCapture(button);
    EXPECT_EQ(GetCapture(), button);
    EXPECT_TRUE(desk->MouseCaptured());

    log.clear();
    desk->MoveMouse(500, 600);
    DispatchPendingMessages();
    auto mouse = MouseOnly(log);
    ASSERT_EQ(mouse.size(), 1u);
    EXPECT_EQ(mouse[0].Wnd, button);
    EXPECT_EQ(mouse[0].Msg, WM_MOUSEMOVE);
    EXPECT_EQ(LParamToPoint(mouse[0].LParam), (TPoint { 500 - 110, 600 - 110 }));

    log.clear();
    ReleaseCapture();
    EXPECT_EQ(Only(log, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_FALSE(desk->MouseCaptured());
    desk->MoveMouse(150, 150);
    DispatchPendingMessages();
    mouse = MouseOnly(log);
    ASSERT_EQ(mouse.size(), 1u);
    EXPECT_EQ(mouse[0].Wnd, top);
}

TEST_F(MouseInput, LeaveTrackingFiresOnceWhenThePointerLeavesTheClientArea)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(0, 0, 300, 200, Logging(log));
    HWND button = Child(top, 10, 10, 50, 20, Logging(log));
    DispatchPendingMessages();

    desk->MoveMouse(20, 20);
    DispatchPendingMessages();
    TRACKMOUSEEVENT track { TME_LEAVE, button };
    TrackMouseEvent(&track);
    log.clear();
    desk->MoveMouse(25, 25);
    desk->MoveMouse(100, 100);
    desk->MoveMouse(20, 20);
    desk->MoveMouse(100, 100);
    DispatchPendingMessages();
    auto leaves = Only(log, WM_MOUSELEAVE);
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0].Wnd, button);

    // Leaving every window counts too; asking while outside answers at once.
    TrackMouseEvent(&track);
    DispatchPendingMessages();
    EXPECT_EQ(Only(log, WM_MOUSELEAVE).size(), 2u);
    desk->MoveMouse(20, 20);
    DispatchPendingMessages();
    TrackMouseEvent(&track);
    desk->LeaveWindows();
    DispatchPendingMessages();
    EXPECT_EQ(Only(log, WM_MOUSELEAVE).size(), 3u);
}

TEST_F(MouseInput, DoubleClicksNeedTheClassStyleTheTimeAndThePlace)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(0, 0, 300, 200, Logging(log));
    TCreateParams p;
    p.Style = WS_CHILD | WS_VISIBLE;
    p.ClassStyle = CS_DBLCLKS;
    p.Parent = top;
    p.Width = 100;
    p.Height = 100;
    p.WndProc = Logging(log);
    HWND dbl = CreateWindowEx(p);
    DispatchPendingMessages();

    auto presses = [&] {
        std::vector<UINT> r;
        for (const TLogged& l : log)
            if (l.Msg == WM_LBUTTONDOWN || l.Msg == WM_LBUTTONDBLCLK)
                r.push_back(l.Msg);
        log.clear();
        return r;
    };
    // Two clicks at once, then a third: down, double, down.
    desk->Click(10, 10);
    desk->Click(11, 11);
    desk->Click(11, 11);
    DispatchPendingMessages();
    EXPECT_EQ(presses(), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN }));

    // Too slow by the virtual clock, or too far apart: two downs.
    desk->Advance(1000);
    desk->Click(10, 10);
    DispatchPendingMessages();
    desk->Advance(GetDoubleClickTime() + 1);
    desk->Click(10, 10);
    desk->Click(20, 10);
    DispatchPendingMessages();
    EXPECT_EQ(presses(), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN }));

    // In time: a double-click.
    desk->Click(50, 50);
    desk->Advance(GetDoubleClickTime());
    desk->Click(50, 50);
    DispatchPendingMessages();
    EXPECT_EQ(presses(), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONDBLCLK }));

    // The top-level window's class does not ask: never a double-click there.
    desk->DoubleClick(200, 150);
    DispatchPendingMessages();
    EXPECT_EQ(presses(), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONDOWN }));
    (void)dbl;
}

TEST_F(MouseInput, AWindowRegionDecidesWhatItsWindowIsHit)
{
    std::vector<TLogged> log;
    HWND below = TopLevel(0, 0, 200, 200, Logging(log));
    HWND shaped = TopLevel(0, 0, 100, 100, Logging(log));
    HRGN rgn = CreateRectRgn(50, 0, 100, 100);
    SetWindowRgn(shaped, rgn, true);
    DispatchPendingMessages();
    EXPECT_EQ(WindowFromPoint({ 10, 10 }), below);
    EXPECT_EQ(WindowFromPoint({ 60, 10 }), shaped);

    log.clear();
    desk->Click(10, 10);
    DispatchPendingMessages();
    const auto mouse = MouseOnly(log);
    ASSERT_FALSE(mouse.empty());
    EXPECT_EQ(mouse[0].Wnd, below);
    // The window system owns the region now.
    EXPECT_FALSE(DeleteObject(rgn));
}

TEST_F(MouseInput, TheCursorFollowsTheWindowUnderThePointer)
{
    HWND top = TopLevel(0, 0, 300, 200);
    TCreateParams p;
    p.Style = WS_CHILD | WS_VISIBLE;
    p.Parent = top;
    p.Width = 50;
    p.Height = 50;
    p.Cursor = IDC_HAND;
    CreateWindowEx(p);
    DispatchPendingMessages();
    desk->MoveMouse(10, 10);
    DispatchPendingMessages();
    EXPECT_EQ(desk->CursorShape(), IDC_HAND);
    desk->MoveMouse(100, 100);
    DispatchPendingMessages();
    EXPECT_EQ(desk->CursorShape(), IDC_ARROW);
    TPoint pos;
    GetCursorPos(&pos);
    EXPECT_EQ(pos, (TPoint { 100, 100 }));
}

TEST_F(MouseInput, TheCursorPositionIsTheLastPointerEventUnlessThePointerLeftTheWindows)
{
    TopLevel(100, 100, 300, 200);
    DispatchPendingMessages();
    // The desktop's own answer lags behind (SDL's cache misses pointer warps).
    desk->SetGlobalPointer(TPoint { 5, 5 });
    struct TStep {
        const char* What;
        std::function<void()> Do;
        TPoint Expected;
    };
    const std::vector<TStep> steps = {
        { "before any event the desktop is asked", [] {}, { 5, 5 } },
        { "a move over the window", [&] { desk->MoveMouse(150, 160); }, { 150, 160 } },
        { "a press", [&] { desk->PressMouse(170, 180); }, { 170, 180 } },
        { "a release", [&] { desk->ReleaseMouse(171, 181); }, { 171, 181 } },
        { "a wheel notch", [&] { desk->Wheel(200, 190, WHEEL_DELTA); }, { 200, 190 } },
        { "leaving every window", [&] { desk->LeaveWindows(); }, { 5, 5 } },
        { "back over the window", [&] { desk->MoveMouse(120, 130); }, { 120, 130 } },
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.What);
        step.Do();
        DispatchPendingMessages();
        TPoint pos;
        ASSERT_TRUE(GetCursorPos(&pos));
        EXPECT_EQ(pos, step.Expected);
    }
}

TEST_F(MouseInput, ADisabledTopLevelWindowTakesNoInput)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(0, 0, 300, 200, Logging(log));
    DispatchPendingMessages();
    EnableWindow(top, false);
    log.clear();
    desk->Click(10, 10);
    desk->PressKey(VK_SPACE);
    DispatchPendingMessages();
    EXPECT_TRUE(MouseOnly(log).empty());
    EXPECT_TRUE(Only(log, WM_KEYDOWN).empty());
}
