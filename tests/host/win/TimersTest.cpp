#include "host/win/Timers.h"
#include "WinTestSupport.h"

using Timers = WinTest;

TEST_F(Timers, FireOnTheVirtualClockUntilKilled)
{
    std::vector<TLogged> log;
    HWND wnd = TopLevel(0, 0, 10, 10, Logging(log));
    DispatchPendingMessages();
    const DWORD start = GetTickCount();
    std::vector<DWORD> ticks;
    SetWindowProc(wnd, [&, next = GetWindowProc(wnd)](HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_TIMER && wp == 7)
            ticks.push_back(GetTickCount() - start);
        return CallWindowProc(next, w, m, wp, lp);
    });
    EXPECT_EQ(SetTimer(wnd, 7, 100), 7u);
    DispatchPendingMessages();
    EXPECT_TRUE(ticks.empty());
    desk->Advance(99);
    EXPECT_TRUE(ticks.empty());
    desk->Advance(251);
    EXPECT_EQ(ticks, (std::vector<DWORD> { 100, 200, 300 }));

    // Setting the same id again restarts it.
    SetTimer(wnd, 7, 100);
    desk->Advance(50);
    EXPECT_EQ(ticks.size(), 3u);
    desk->Advance(50);
    EXPECT_EQ(ticks.size(), 4u);

    EXPECT_TRUE(KillTimer(wnd, 7));
    desk->Advance(1000);
    EXPECT_EQ(ticks.size(), 4u);
    EXPECT_FALSE(KillTimer(wnd, 7));
}

TEST_F(Timers, TimersGoWithTheirWindowAndComeAfterOtherMessages)
{
    std::vector<TLogged> log;
    HWND wnd = TopLevel(0, 0, 10, 10, Logging(log));
    SetTimer(wnd, 1, 10);
    desk->Advance(10);
    log.clear();
    desk->Advance(10);
    PostMessage(wnd, WM_USER, 0, 0);
    DispatchPendingMessages();
    EXPECT_EQ(Kinds(log, { WM_USER, WM_TIMER }), (std::vector<UINT> { WM_TIMER, WM_USER }));

    log.clear();
    desk->Advance(5);
    PostMessage(wnd, WM_USER, 0, 0);
    desk->Advance(5);
    EXPECT_EQ(Kinds(log, { WM_USER, WM_TIMER }), (std::vector<UINT> { WM_USER, WM_TIMER }));

    DestroyWindow(wnd);
    MSG msg;
    desk->Advance(100);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}
