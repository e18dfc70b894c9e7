#include "WinTestSupport.h"
#include "host/win/VirtualKeys.h"

using Focus = WinTest;

TEST_F(Focus, MovingTheFocusKillsTheOldThenSetsTheNew)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(0, 0, 300, 200, Logging(log));
    HWND a = Child(top, 0, 0, 50, 50, Logging(log));
    HWND b = Child(top, 60, 0, 50, 50, Logging(log));
    SetFocus(a);
    log.clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Wnd, a);
    EXPECT_EQ(log[0].Msg, WM_KILLFOCUS);
    EXPECT_EQ(log[0].WParam, reinterpret_cast<WPARAM>(b));
    EXPECT_EQ(log[1].Wnd, b);
    EXPECT_EQ(log[1].Msg, WM_SETFOCUS);
    EXPECT_EQ(log[1].WParam, reinterpret_cast<WPARAM>(a));
    EXPECT_EQ(GetFocus(), b);

    // Hidden and disabled windows cannot take it.
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(SetFocus(a), nullptr);
    EnableWindow(b, false);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, ActivationMovesBetweenTopLevelWindowsAndRemembersTheFocus)
{
    std::vector<TLogged> log;
    HWND first = TopLevel(0, 0, 300, 200, Logging(log));
    HWND field = Child(first, 0, 0, 50, 50, Logging(log));
    SetFocus(field);
    HWND second = TopLevel(400, 0, 300, 200, Logging(log));
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetFocus(), second);

    auto activations = Only(log, WM_ACTIVATE);
    ASSERT_GE(activations.size(), 2u);
    const TLogged& off = activations[activations.size() - 2];
    const TLogged& on = activations.back();
    EXPECT_EQ(off.Wnd, first);
    EXPECT_EQ(LOWORD(off.WParam), WA_INACTIVE);
    EXPECT_EQ(off.LParam, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(on.Wnd, second);
    EXPECT_EQ(LOWORD(on.WParam), WA_ACTIVE);

    // A click activates the first window again, and the focus returns to its field.
    log.clear();
    desk->Click(100, 100);
    DispatchPendingMessages();
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), field);
    activations = Only(log, WM_ACTIVATE);
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(LOWORD(activations[1].WParam), WA_CLICKACTIVE);

    // Destroying the active window hands the activation on.
    DestroyWindow(first);
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(Focus, PopupMenusAndTooltipsNeverTakeTheActivation)
{
    HWND form = TopLevel(0, 0, 300, 200);
    TCreateParams p;
    p.Style = WS_POPUP | WS_VISIBLE;
    p.Role = TWindowRole::PopupMenu;
    p.X = 50;
    p.Y = 50;
    p.Width = 100;
    p.Height = 100;
    HWND menu = CreateWindowEx(p);
    EXPECT_EQ(GetActiveWindow(), form);
    desk->Click(60, 60);
    DispatchPendingMessages();
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(WindowFromPoint({ 60, 60 }), menu);
    // It stays above ordinary windows brought up later.
    TopLevel(0, 0, 300, 200);
    EXPECT_EQ(WindowFromPoint({ 60, 60 }), menu);
}

TEST_F(Focus, KeysGoToTheFocusWithTheHostsFlags)
{
    std::vector<TLogged> log;
    HWND top = TopLevel(0, 0, 300, 200);
    HWND field = Child(top, 0, 0, 50, 50, Logging(log));
    SetFocus(field);
    desk->KeyDown(VK_SHIFT);
    desk->KeyDown('A');
    desk->KeyDown('A');
    DispatchPendingMessages();
    EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
    desk->KeyUp('A');
    desk->KeyUp(VK_SHIFT);
    desk->TypeText("a\xE3\x81\x82");
    DispatchPendingMessages();
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);

    const auto downs = Only(log, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[1].WParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(downs[1].LParam & (1 << 30), 0);
    EXPECT_NE(downs[2].LParam & (1 << 30), 0);
    const auto ups = Only(log, WM_KEYUP);
    ASSERT_EQ(ups.size(), 2u);
    EXPECT_NE(static_cast<std::uint64_t>(ups[0].LParam) & 0x80000000u, 0u);
    const auto chars = Only(log, WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].WParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(chars[1].WParam, 0x3042u);
}
