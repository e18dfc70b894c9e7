#include "host/win/NonClient.h"
#include "WinTestSupport.h"
#include "host/win/SystemInfo.h"
#include "host/win/VirtualKeys.h"

namespace {

// What a skinned title bar does on a press over its empty caption: release the capture and
// let the window system move the form.
WNDPROC DragsItsForm()
{
    return [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != WM_LBUTTONDOWN)
            return DefWindowProc(w, m, wp, lp);
        ReleaseCapture();
        SendMessage(GetParent(w), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    };
}

TRect WindowRect(HWND wnd)
{
    TRect r;
    GetWindowRect(wnd, &r);
    return r;
}

} // namespace

using NonClient = WinTest;

TEST_F(NonClient, AFramedWindowAnswersItsFrameParts)
{
    HWND wnd = TopLevel(100, 100, 300, 200, {}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    auto hit = [&](int x, int y) { return SendMessage(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(hit(150, 110), HTCAPTION);
    EXPECT_EQ(hit(150, 150), HTCLIENT);
    EXPECT_EQ(hit(101, 150), HTLEFT);
    EXPECT_EQ(hit(398, 150), HTRIGHT);
    EXPECT_EQ(hit(150, 101), HTTOP);
    EXPECT_EQ(hit(150, 298), HTBOTTOM);
    EXPECT_EQ(hit(101, 101), HTTOPLEFT);
    EXPECT_EQ(hit(398, 298), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(99, 150), HTNOWHERE);

    TPoint origin { 0, 0 };
    ClientToScreen(wnd, &origin);
    EXPECT_EQ(origin, (TPoint { 104, 123 }));
}

TEST_F(NonClient, DraggingACaptionAreaMovesABorderlessWindow)
{
    std::vector<TLogged> log;
    HWND form = TopLevel(100, 100, 300, 200, Logging(log));
    Child(form, 0, 0, 300, 20, DragsItsForm());
    DispatchPendingMessages();
    log.clear();

    desk->PressMouse(150, 110);
    desk->MoveMouse(160, 120);
    desk->MoveMouse(250, 300);
    desk->ReleaseMouse(250, 300);
    desk->Click(500, 500);
    DispatchPendingMessages();

    EXPECT_EQ(WindowRect(form), Rect(200, 290, 500, 490));
    EXPECT_EQ(Kinds(log, { WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE }), (std::vector<UINT> { WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE }));
    const auto moves = Only(log, WM_MOVE);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(LParamToPoint(moves[1].LParam), (TPoint { 200, 290 }));
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
    // Input after the release is ordinary input again.
    EXPECT_EQ(Only(log, WM_LBUTTONDOWN).size(), 0u);
}

TEST_F(NonClient, APressQueuedBehindTheReleaseReachesTheWindow)
{
    HWND form = TopLevel(100, 100, 300, 200);
    int presses = 0;
    const WNDPROC drags = DragsItsForm();
    Child(form, 0, 0, 300, 20, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_LBUTTONDOWN)
            ++presses;
        return drags(w, m, wp, lp);
    });
    DispatchPendingMessages();
    // Both clicks of a double-click arrive at once: the first one's move loop ends with its
    // release and leaves the second click alone.
    desk->DoubleClick(150, 110);
    DispatchPendingMessages();
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(WindowRect(form), Rect(100, 100, 400, 300));
}

TEST_F(NonClient, EscapePutsAMovedWindowBack)
{
    HWND form = TopLevel(100, 100, 300, 200);
    Child(form, 0, 0, 300, 20, DragsItsForm());
    DispatchPendingMessages();
    desk->PressMouse(150, 110);
    desk->MoveMouse(300, 300);
    desk->KeyDown(VK_ESCAPE);
    DispatchPendingMessages();
    EXPECT_EQ(WindowRect(form), Rect(100, 100, 400, 300));
}

TEST_F(NonClient, SizingByAnEdgeRespectsTheMinimumTrackSize)
{
    HWND wnd = TopLevel(100, 100, 300, 200, [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = { 125, 50 };
            return 0;
        }
        if (m == WM_NCHITTEST) {
            const TPoint p = LParamToPoint(lp);
            if (p.X >= 395 && p.Y >= 295)
                return HTBOTTOMRIGHT;
            if (p.X < 105)
                return HTLEFT;
        }
        return DefWindowProc(w, m, wp, lp);
    });
    DispatchPendingMessages();

    desk->PressMouse(398, 298);
    desk->MoveMouse(450, 320);
    desk->ReleaseMouse(450, 320);
    DispatchPendingMessages();
    EXPECT_EQ(WindowRect(wnd), Rect(100, 100, 452, 322));

    desk->PressMouse(101, 150);
    desk->MoveMouse(500, 150);
    desk->ReleaseMouse(500, 150);
    DispatchPendingMessages();
    EXPECT_EQ(WindowRect(wnd), Rect(452 - 125, 100, 452, 322));
}

TEST_F(NonClient, AFramelessWindowMaximisesToTheWorkAreaAndRestores)
{
    std::vector<TLogged> log;
    HWND wnd = TopLevel(100, 100, 676, 400, Logging(log));
    DispatchPendingMessages();
    log.clear();

    SendMessage(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(wnd));
    TRect work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, Rect(0, 0, 1280, 768));
    EXPECT_EQ(WindowRect(wnd), work);
    auto sizes = Only(log, WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].WParam, SIZE_MAXIMIZED);
    EXPECT_EQ(sizes[0].LParam, MAKELPARAM(1280, 768));
    EXPECT_EQ(desk->NativeShowState(wnd), TShowState::Maximized);

    // Setting bounds while maximised keeps the state; a maximised window does not move.
    MoveWindow(wnd, 0, 0, 1280, 768, true);
    EXPECT_TRUE(IsZoomed(wnd));
    SendMessage(wnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(WindowRect(wnd), work);

    log.clear();
    ShowWindow(wnd, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(wnd));
    EXPECT_EQ(WindowRect(wnd), Rect(100, 100, 776, 500));
    sizes = Only(log, WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].WParam, SIZE_RESTORED);
}

TEST_F(NonClient, MinimisingHandsOnTheActivationAndRestoringBringsTheWindowBack)
{
    std::vector<TLogged> log;
    HWND other = TopLevel(0, 0, 100, 100);
    HWND wnd = TopLevel(100, 100, 300, 200, Logging(log));
    SendMessage(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    log.clear();

    SendMessage(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(wnd));
    EXPECT_FALSE(IsZoomed(wnd));
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(desk->NativeShowState(wnd), TShowState::Minimized);
    EXPECT_EQ(Only(log, WM_SIZE).back().WParam, SIZE_MINIMIZED);
    EXPECT_NE(WindowFromPoint({ 500, 500 }), wnd);

    // Restoring a window minimised from maximised maximises it again.
    ShowWindow(wnd, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(wnd));
    EXPECT_EQ(GetActiveWindow(), wnd);
    ShowWindow(wnd, SW_RESTORE);
    EXPECT_EQ(WindowRect(wnd), Rect(100, 100, 400, 300));

    ShowWindow(wnd, SW_SHOWMINIMIZED);
    EXPECT_TRUE(IsIconic(wnd));
}
