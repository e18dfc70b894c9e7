#include <string>

#include "WinTestSupport.h"
#include "host/win/WindowProcedure.h"

using WindowProcedure = WinTest;

TEST_F(WindowProcedure, SubclassChainsRunNewestFirstAndPassResultsBack)
{
    std::string order;
    HWND wnd = TopLevel(0, 0, 100, 100, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER) {
            order += "base ";
            return 7;
        }
        return DefWindowProc(w, m, wp, lp);
    });
    WNDPROC first;
    first = SetWindowProc(wnd, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        const LRESULT r = CallWindowProc(first, w, m, wp, lp);
        if (m == WM_USER)
            order += "first ";
        return r * 10;
    });
    WNDPROC second;
    second = SetWindowProc(wnd, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER)
            order += "second ";
        return CallWindowProc(second, w, m, wp, lp) + 1;
    });

    EXPECT_EQ(SendMessage(wnd, WM_USER, 0, 0), 71);
    EXPECT_EQ(order, "second base first ");

    // Putting the previous procedure back undoes one level.
    SetWindowProc(wnd, second);
    order.clear();
    EXPECT_EQ(SendMessage(wnd, WM_USER, 0, 0), 70);
}

TEST_F(WindowProcedure, AProcedureMayReplaceItselfWhileRunning)
{
    HWND wnd = TopLevel(0, 0, 10, 10);
    int calls = 0;
    SetWindowProc(wnd, [&, captured = std::string(200, 'x')](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != WM_USER)
            return DefWindowProc(w, m, wp, lp);
        SetWindowProc(w, {});
        ++calls;
        return static_cast<LRESULT>(captured.size());
    });
    EXPECT_EQ(SendMessage(wnd, WM_USER, 0, 0), 200);
    EXPECT_EQ(SendMessage(wnd, WM_USER, 0, 0), 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(WindowProcedure, ClearingTheCaptionMakesTheWholeWindowClient)
{
    std::vector<TLogged> log;
    HWND wnd = TopLevel(100, 100, 300, 200, Logging(log), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TRect client;
    GetClientRect(wnd, &client);
    EXPECT_EQ(client, Rect(0, 0, 300 - 8, 200 - 27));

    log.clear();
    const LONG style = GetWindowLong(wnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_VISIBLE);
    SetWindowLong(wnd, GWL_STYLE, style & 0xFF3FFFFF);
    EXPECT_EQ(GetWindowLong(wnd, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_TRUE(GetWindowLong(wnd, GWL_STYLE) & WS_VISIBLE);

    TRect window;
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    EXPECT_EQ(window, Rect(100, 100, 400, 300));
    EXPECT_EQ(client, Rect(0, 0, 300, 200));
    const auto sizes = Only(log, WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].LParam, MAKELPARAM(300, 200));

    // The state bits cannot be changed through the style word.
    SetWindowLong(wnd, GWL_STYLE, 0);
    EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST_F(WindowProcedure, CreationSendsCreateSizeMoveAndShowInOrder)
{
    std::vector<TLogged> log;
    HWND wnd = TopLevel(10, 20, 50, 40, Logging(log));
    EXPECT_EQ(Kinds(log, { WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_ACTIVATE }),
        (std::vector<UINT> { WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_ACTIVATE }));
    EXPECT_EQ(GetActiveWindow(), wnd);
    EXPECT_EQ(GetFocus(), wnd);

    // A procedure answering WM_CREATE with -1 refuses the window.
    HWND refused = TopLevel(0, 0, 10, 10,
        [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT { return m == WM_CREATE ? -1 : DefWindowProc(w, m, wp, lp); });
    EXPECT_EQ(refused, nullptr);
}

TEST_F(WindowProcedure, DestroyReachesChildrenAfterParentAndForgetsThem)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(0, 0, 100, 100, Logging(log));
    HWND child = Child(top, 0, 0, 50, 50, Logging(log));
    HWND grandChild = Child(child, 0, 0, 10, 10, Logging(log));
    PostMessage(child, WM_USER, 0, 0);
    log.clear();

    EXPECT_TRUE(DestroyWindow(top));
    const auto destroys = Only(log, WM_DESTROY);
    ASSERT_EQ(destroys.size(), 3u);
    EXPECT_EQ(destroys[0].Wnd, top);
    EXPECT_EQ(destroys[1].Wnd, child);
    EXPECT_EQ(destroys[2].Wnd, grandChild);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(grandChild));
    EXPECT_EQ(GetActiveWindow(), nullptr);

    // The message posted to the dead child is gone with it; calls on dead handles are harmless.
    log.clear();
    DispatchPendingMessages();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(SendMessage(child, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(child, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(child));
}

TEST_F(WindowProcedure, AWindowDestroyedInsideItsOwnHandlerFinishesTheCall)
{
    HWND wnd = TopLevel(0, 0, 10, 10, [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != WM_USER)
            return DefWindowProc(w, m, wp, lp);
        DestroyWindow(w);
        // Still safe to use: the object lives until this call returns.
        return IsWindow(w) ? 1 : 2;
    });
    EXPECT_EQ(SendMessage(wnd, WM_USER, 0, 0), 2);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(WindowProcedure, CloseDestroysByDefault)
{
    HWND wnd = TopLevel(0, 0, 10, 10);
    SendMessage(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(wnd));
}
