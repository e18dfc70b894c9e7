#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/Window.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"

// One message as a window procedure saw it.
struct TLogged {
    HWND Wnd;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// Every test runs on a fresh headless desktop.
class WinTest : public ::testing::Test {
protected:
    void SetUp() override { desk = &THeadlessBackend::Install(); }
    void TearDown() override { DoneWindowSystem(); }

    // A procedure that records each message into log, then hands it to next (DefWindowProc
    // when empty).
    WNDPROC Logging(std::vector<TLogged>& into, WNDPROC next = {})
    {
        return [&into, next](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            into.push_back({ w, m, wp, lp });
            return CallWindowProc(next, w, m, wp, lp);
        };
    }

    HWND TopLevel(int x, int y, int width, int height, WNDPROC proc = {}, DWORD style = WS_POPUP | WS_VISIBLE)
    {
        TCreateParams p;
        p.Style = style;
        p.X = x;
        p.Y = y;
        p.Width = width;
        p.Height = height;
        p.WndProc = std::move(proc);
        return CreateWindowEx(p);
    }

    HWND Child(HWND parent, int x, int y, int width, int height, WNDPROC proc = {}, DWORD style = WS_CHILD | WS_VISIBLE)
    {
        TCreateParams p;
        p.Style = style;
        p.Parent = parent;
        p.X = x;
        p.Y = y;
        p.Width = width;
        p.Height = height;
        p.WndProc = std::move(proc);
        return CreateWindowEx(p);
    }

    // The messages of one kind in the log, in order.
    static std::vector<TLogged> Only(const std::vector<TLogged>& log, UINT msg)
    {
        std::vector<TLogged> result;
        for (const TLogged& l : log)
            if (l.Msg == msg)
                result.push_back(l);
        return result;
    }
    static std::vector<UINT> Kinds(const std::vector<TLogged>& log, std::initializer_list<UINT> wanted)
    {
        std::vector<UINT> result;
        for (const TLogged& l : log)
            for (UINT w : wanted)
                if (l.Msg == w)
                    result.push_back(l.Msg);
        return result;
    }

    THeadlessBackend* desk = nullptr;
};

// A procedure that paints its whole client area in one colour on WM_PAINT.
inline WNDPROC Filler(TColor color)
{
    return [color](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_ERASEBKGND)
            return 1;
        if (m != WM_PAINT)
            return DefWindowProc(w, m, wp, lp);
        PAINTSTRUCT ps;
        HDC dc = wp ? reinterpret_cast<HDC>(wp) : BeginPaint(w, &ps);
        TRect client;
        GetClientRect(w, &client);
        const TPixel pixel = ColorToPixel(ColorToRGB(color));
        dc->ForEachVisiblePart(dc->ToDevice(client), [&](const TRect& part) {
            for (int y = part.Top; y < part.Bottom; ++y)
                std::fill_n(dc->Surface().ScanLine(y) + part.Left, part.Width(), pixel);
        });
        if (!wp)
            EndPaint(w, &ps);
        return 0;
    };
}
