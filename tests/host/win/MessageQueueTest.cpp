#include <atomic>
#include <cstdlib>
#include <new>

#include "WinTestSupport.h"

namespace {

std::atomic<long> gAllocations { 0 };

} // namespace

// The replacement pair below is matched; GCC cannot see that through the inlined calls.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Counts every allocation of the test program, so that a test can see that a path allocates
// nothing.
void* operator new(std::size_t size)
{
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

using MessageQueue = WinTest;

TEST_F(MessageQueue, SentMessagesRunAtOncePostedOnesInOrderLater)
{
    std::vector<TLogged> log;
    HWND wnd = TopLevel(0, 0, 10, 10, Logging(log));
    DispatchPendingMessages();
    log.clear();

    PostMessage(wnd, WM_USER + 1, 1, 0);
    PostMessage(wnd, WM_USER + 2, 2, 0);
    SendMessage(wnd, WM_USER + 3, 3, 0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Msg, WM_USER + 3u);

    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    DispatchMessage(&msg);
    DispatchPendingMessages();
    EXPECT_EQ(
        Kinds(log, { WM_USER + 1, WM_USER + 2, WM_USER + 3 }), (std::vector<UINT> { WM_USER + 3, WM_USER + 2, WM_USER + 1 }));
}

TEST_F(MessageQueue, ModalLoopsNest)
{
    std::vector<int> seen;
    bool innerDone = false;
    HWND wnd = TopLevel(0, 0, 10, 10, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER) {
            seen.push_back(static_cast<int>(wp));
            if (wp == 1) {
                // A modal loop inside a handler: it sees the messages posted meanwhile.
                PostMessage(w, WM_USER, 2, 0);
                PostMessage(w, WM_USER + 1, 0, 0);
                MSG msg;
                while (!innerDone && GetMessage(&msg, nullptr, 0, 0))
                    DispatchMessage(&msg);
                seen.push_back(-1);
            }
            return 0;
        }
        if (m == WM_USER + 1) {
            innerDone = true;
            return 0;
        }
        return DefWindowProc(w, m, wp, lp);
    });
    PostMessage(wnd, WM_USER, 1, 0);
    PostQuitMessage(5);

    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    EXPECT_EQ(seen, (std::vector<int> { 1, 2, -1 }));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(MessageQueue, AWaitThatCanNeverEndIsAnErrorNotAHang)
{
    TopLevel(0, 0, 10, 10);
    DispatchPendingMessages();
    MSG msg;
    EXPECT_THROW(GetMessage(&msg, nullptr, 0, 0), EWindowSystemError);
}

TEST_F(MessageQueue, AnIdleHookCanFeedAWaitingLoop)
{
    std::vector<TLogged> log;
    HWND wnd = TopLevel(0, 0, 10, 10, Logging(log));
    DispatchPendingMessages();
    int calls = 0;
    desk->OnIdle = [&] {
        if (++calls == 1)
            desk->PressKey('A');
    };
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.hwnd, wnd);
}

TEST_F(MessageQueue, SendingThroughAChainOfProceduresAllocatesNothing)
{
    HWND wnd = TopLevel(0, 0, 10, 10, [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_USER ? static_cast<LRESULT>(wp) : DefWindowProc(w, m, wp, lp);
    });
    WNDPROC second;
    second = SetWindowProc(wnd, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallWindowProc(second, w, m, wp, lp); });
    WNDPROC third;
    third = SetWindowProc(wnd, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallWindowProc(third, w, m, wp, lp); });
    SendMessage(wnd, WM_USER, 0, 0);

    const long before = gAllocations;
    LRESULT sum = 0;
    for (int i = 0; i < 1000; ++i)
        sum += SendMessage(wnd, WM_USER, 1, 0);
    EXPECT_EQ(gAllocations - before, 0);
    EXPECT_EQ(sum, 1000);
}

TEST_F(MessageQueue, PostingAndDispatchingAllocateNothingOnceTheQueueHasGrown)
{
    HWND wnd = TopLevel(0, 0, 10, 10);
    DispatchPendingMessages();
    for (int i = 0; i < 100; ++i)
        PostMessage(wnd, WM_USER, 0, 0);
    DispatchPendingMessages();

    const long before = gAllocations;
    MSG msg;
    for (int i = 0; i < 1000; ++i) {
        PostMessage(wnd, WM_USER, 0, 0);
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(gAllocations - before, 0);
}
