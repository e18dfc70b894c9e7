// The window system on a real X display (started by xvfb-e2e.sh), driven by xdotool.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "host/win/Clipboard.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/Regions.h"
#include "host/win/VirtualKeys.h"
#include "host/win/Window.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/SdlBackend.h"

namespace {

struct TLogged {
    HWND Wnd;
    UINT Msg;
    LPARAM LParam;
};

// Dispatches what the display sends until done() or the time is up.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        DispatchPendingMessages();
        CurrentBackend().WaitForEvents(20);
    }
    return true;
}

void Xdotool(const std::string& args)
{
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << "xdotool " << args;
}

class SdlDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs a display; run through xvfb-e2e.sh";
        // On a busy machine the server may refuse a connection for a moment right after the
        // last test's connections closed.
        for (int attempt = 1;; ++attempt) {
            try {
                TSdlBackend::Install();
                return;
            } catch (const EWindowSystemError&) {
                if (attempt == 40)
                    throw;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
    }
    void TearDown() override { DoneWindowSystem(); }

    HWND Make(HWND parent, int x, int y, int width, int height, WNDPROC proc)
    {
        TCreateParams p;
        p.Style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
        p.Parent = parent;
        p.X = x;
        p.Y = y;
        p.Width = width;
        p.Height = height;
        p.WndProc = std::move(proc);
        return CreateWindowEx(p);
    }

    WNDPROC Logging()
    {
        return [this](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            log.push_back({ w, m, lp });
            return DefWindowProc(w, m, wp, lp);
        };
    }

    bool Saw(HWND wnd, UINT msg, LPARAM lParam) const
    {
        for (const TLogged& l : log)
            if (l.Wnd == wnd && l.Msg == msg && l.LParam == lParam)
                return true;
        return false;
    }

    std::vector<TLogged> log;
};

} // namespace

TEST_F(SdlDesktop, AClickArrivesAtItsClientCoordinatesAndACaptionDragMovesTheWindow)
{
    HWND form = Make(nullptr, 100, 100, 300, 200, Logging());
    // A caption strip that starts the window system's move loop, as a skinned title bar does.
    Make(form, 0, 0, 300, 30, [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != WM_LBUTTONDOWN)
            return DefWindowProc(w, m, wp, lp);
        ReleaseCapture();
        SendMessage(GetParent(w), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    });
    // Rounded corners, which the display must respect.
    SetWindowRgn(form, CreateRoundRectRgn(0, 0, 301, 201, 40, 40), true);
    // Let the window reach the display.
    PumpUntil([] { return false; }, 300);

    Xdotool("mousemove 150 250 click 1");
    EXPECT_TRUE(PumpUntil([&] { return Saw(form, WM_LBUTTONUP, MAKELPARAM(50, 150)); }));
    EXPECT_TRUE(Saw(form, WM_LBUTTONDOWN, MAKELPARAM(50, 150)));

    // Press on the caption, move in steps, release: the loop follows the pointer.
    Xdotool("mousemove 150 110 mousedown 1 sleep 0.2 mousemove 200 160 sleep 0.2 mousemove 250 210 sleep 0.2 mouseup 1 &");
    TRect bounds;
    EXPECT_TRUE(PumpUntil([&] {
        GetWindowRect(form, &bounds);
        return bounds == Rect(200, 200, 500, 400) && !(GetKeyState(VK_LBUTTON) & 0x8000);
    }));
    EXPECT_EQ(bounds, Rect(200, 200, 500, 400));

    // The window on the display moved with it: a click in its cut-off corner misses it (it
    // would start another move from the caption strip), a click inside lands at the new place.
    log.clear();
    Xdotool("mousemove 201 201 click 1");
    PumpUntil([] { return false; }, 500);
    EXPECT_FALSE(Saw(form, WM_ENTERSIZEMOVE, 0));
    Xdotool("mousemove 260 360 click 1");
    EXPECT_TRUE(PumpUntil([&] { return Saw(form, WM_LBUTTONDOWN, MAKELPARAM(60, 160)); }));
}

TEST_F(SdlDesktop, TextGoesThroughTheDisplaysClipboard)
{
    SetClipboardText("ka'na (\u304b)");
    EXPECT_EQ(GetClipboardText(), "ka'na (\u304b)");
    SetClipboardText("");
    EXPECT_EQ(GetClipboardText(), "");
}
