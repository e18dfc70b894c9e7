#include "WinTestSupport.h"
#include "host/gfx/Canvas.h"
#include "host/win/Regions.h"

namespace {

TColor ScreenPixel(THeadlessBackend& desk, int x, int y)
{
    return desk.CaptureScreen().GetPixel(x, y);
}

} // namespace

using Painting = WinTest;

TEST_F(Painting, BeginPaintErasesFirstThroughThePaintContext)
{
    std::vector<TLogged> log;
    HDC erasedWith = nullptr;
    HDC paintedWith = nullptr;
    std::vector<TRect> painted;
    HWND wnd = TopLevel(0, 0, 40, 30, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        log.push_back({ w, m, wp, lp });
        if (m == WM_ERASEBKGND)
            erasedWith = reinterpret_cast<HDC>(wp);
        if (m != WM_PAINT)
            return DefWindowProc(w, m, wp, lp);
        PAINTSTRUCT ps;
        paintedWith = BeginPaint(w, &ps);
        EXPECT_FALSE(ps.fErase);
        painted.push_back(ps.rcPaint);
        EndPaint(w, &ps);
        return 0;
    });
    DispatchPendingMessages();
    EXPECT_EQ(Kinds(log, { WM_PAINT, WM_ERASEBKGND }), (std::vector<UINT> { WM_PAINT, WM_ERASEBKGND }));
    EXPECT_EQ(erasedWith, paintedWith);
    // The class background (clBtnFace) reached the screen.
    EXPECT_EQ(ScreenPixel(*desk, 5, 5), ColorToRGB(clBtnFace));

    // Nothing is invalid any more; invalidating without erase skips WM_ERASEBKGND.
    log.clear();
    DispatchPendingMessages();
    EXPECT_TRUE(log.empty());
    const TRect part = Rect(10, 10, 20, 20);
    InvalidateRect(wnd, &part, false);
    UpdateWindow(wnd);
    EXPECT_EQ(Kinds(log, { WM_PAINT, WM_ERASEBKGND }), (std::vector<UINT> { WM_PAINT }));
    EXPECT_EQ(painted, (std::vector<TRect> { Rect(0, 0, 40, 30), part }));
}

TEST_F(Painting, AWindowThatDoesNotValidateIsNotPaintedForever)
{
    int paints = 0;
    TopLevel(0, 0, 10, 10, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_PAINT) {
            ++paints;
            return 0;
        }
        return DefWindowProc(w, m, wp, lp);
    });
    DispatchPendingMessages();
    EXPECT_EQ(paints, 1);
}

TEST_F(Painting, ParentsPaintBeforeChildrenAndChildrenAreClippedOut)
{
    std::vector<HWND> order;
    auto recording = [&](TColor color) {
        WNDPROC fill = Filler(color);
        return [&order, fill](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_PAINT)
                order.push_back(w);
            return fill(w, m, wp, lp);
        };
    };
    HWND top = TopLevel(100, 100, 200, 100, recording(clRed));
    HWND child = Child(top, 20, 20, 100, 50, recording(clGreen));
    HWND grandChild = Child(child, 90, 10, 30, 30, recording(clBlue));
    DispatchPendingMessages();
    EXPECT_EQ(order, (std::vector<HWND> { top, child, grandChild }));

    // Repainting the parent alone leaves its children's pixels alone.
    order.clear();
    RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(order, (std::vector<HWND> { top }));
    EXPECT_EQ(ScreenPixel(*desk, 105, 105), clRed);
    EXPECT_EQ(ScreenPixel(*desk, 125, 125), clGreen);
    EXPECT_EQ(ScreenPixel(*desk, 215, 135), clBlue);
    // The grandchild sticks out of its parent (x 210..240 of 120..220): the part outside is cut.
    EXPECT_EQ(ScreenPixel(*desk, 219, 135), clBlue);
    EXPECT_EQ(ScreenPixel(*desk, 221, 135), clRed);

    // Hiding the child uncovers the parent there.
    ShowWindow(child, SW_HIDE);
    DispatchPendingMessages();
    EXPECT_EQ(ScreenPixel(*desk, 125, 125), clRed);
    EXPECT_EQ(ScreenPixel(*desk, 215, 135), clRed);
}

TEST_F(Painting, SiblingsAboveClipSiblingsBelow)
{
    HWND top = TopLevel(0, 0, 100, 100, Filler(clWhite));
    HWND lower = Child(top, 0, 0, 60, 60, Filler(clRed));
    Child(top, 40, 40, 60, 60, Filler(clBlue));
    DispatchPendingMessages();
    EXPECT_EQ(ScreenPixel(*desk, 50, 50), clBlue);
    // Repainting the lower sibling does not draw over the upper one.
    RedrawWindow(lower, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(*desk, 50, 50), clBlue);
    EXPECT_EQ(ScreenPixel(*desk, 30, 30), clRed);
    // Raised to the top, it covers the overlap.
    SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    DispatchPendingMessages();
    EXPECT_EQ(ScreenPixel(*desk, 50, 50), clRed);
}

// The see-through control trick: a child paints what its parent shows behind it by sending the
// parent WM_ERASEBKGND and WM_PAINT with its own bitmap's device context, the origin moved by
// (-Left, -Top) and clipped to the parent's client area.
TEST_F(Painting, AParentPaintsIntoTheContextAChildPassesIn)
{
    HWND parent = TopLevel(0, 0, 100, 80, [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != WM_PAINT)
            return DefWindowProc(w, m, wp, lp);
        PAINTSTRUCT ps;
        HDC dc = wp ? reinterpret_cast<HDC>(wp) : BeginPaint(w, &ps);
        TCanvas canvas(dc);
        canvas.Brush().Color = clRed;
        canvas.FillRect(Rect(30, 20, 40, 30));
        if (!wp)
            EndPaint(w, &ps);
        return 0;
    });
    HWND child = Child(parent, 25, 15, 30, 30);
    DispatchPendingMessages();

    TBitmap behind(30, 30);
    HDC dc = &behind.DeviceContext();
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -25, -15, nullptr);
    IntersectClipRect(dc, 0, 0, 100, 80);
    SendMessage(GetParent(child), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessage(GetParent(child), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);

    // Background from the parent's class erase, the red square at its offset in the child.
    EXPECT_EQ(behind.GetPixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(behind.GetPixel(5, 5), clRed);
    EXPECT_EQ(behind.GetPixel(14, 14), clRed);
    EXPECT_EQ(behind.GetPixel(15, 15), ColorToRGB(clBtnFace));
    EXPECT_EQ(dc->ViewportOrg(), TPoint {});
    // The parent's own invalid state is untouched by painting into a foreign context.
    EXPECT_FALSE(GetUpdateRect(parent, nullptr));
}

TEST_F(Painting, WindowDCsStartAtTheClientAndStayInsideTheVisibleArea)
{
    HWND top = TopLevel(10, 10, 100, 100, Filler(clWhite));
    HWND child = Child(top, 50, 50, 100, 100, Filler(clWhite));
    DispatchPendingMessages();

    HDC dc = GetDC(child);
    EXPECT_EQ(dc->ViewportOrg(), (TPoint { 50, 50 }));
    TCanvas canvas(dc);
    canvas.Brush().Color = clBlue;
    canvas.FillRect(Rect(-10, -10, 100, 100));
    ReleaseDC(child, dc);
    DispatchPendingMessages();
    EXPECT_EQ(ScreenPixel(*desk, 60 + 5, 60 + 5), clBlue);
    EXPECT_EQ(ScreenPixel(*desk, 60 - 5, 60 - 5), clWhite);
    EXPECT_EQ(ScreenPixel(*desk, 109, 109), clBlue);
    EXPECT_EQ(ScreenPixel(*desk, 111, 109), ColorToRGB(clBackground));
}

TEST_F(Painting, WhatAContextPaintedReachesTheScreenThoughItsClipNarrowedLater)
{
    HWND top = TopLevel(10, 10, 100, 100, Filler(clWhite));
    DispatchPendingMessages();

    HDC dc = GetDC(top);
    TCanvas canvas(dc);
    canvas.Brush().Color = clBlue;
    canvas.FillRect(Rect(0, 0, 100, 100));
    ExcludeClipRect(dc, 0, 0, 100, 90);
    ReleaseDC(top, dc);
    DispatchPendingMessages();
    EXPECT_EQ(ScreenPixel(*desk, 10 + 50, 10 + 50), clBlue);
    EXPECT_EQ(ScreenPixel(*desk, 10 + 50, 10 + 95), clBlue);
}

TEST_F(Painting, WindowFromDCNamesTheWindowWhileTheContextLives)
{
    HWND top = TopLevel(10, 10, 100, 100, Filler(clWhite));
    HWND child = Child(top, 50, 50, 40, 40, Filler(clWhite));
    DispatchPendingMessages();
    HDC childDC = GetDC(child);
    HDC frameDC = GetWindowDC(top);
    EXPECT_EQ(WindowFromDC(childDC), child);
    EXPECT_EQ(WindowFromDC(frameDC), top);
    ReleaseDC(child, childDC);
    EXPECT_EQ(WindowFromDC(childDC), nullptr) << "released";
    ReleaseDC(top, frameDC);
    TBitmap memory(4, 4);
    TDeviceContext memoryDC(memory);
    EXPECT_EQ(WindowFromDC(&memoryDC), nullptr);
    EXPECT_EQ(WindowFromDC(nullptr), nullptr);
}

TEST_F(Painting, AWindowRegionCutsDrawingAndTheDesktop)
{
    HWND lowest = TopLevel(0, 0, 200, 200, Filler(clGreen));
    HWND top = TopLevel(0, 0, 100, 100, Filler(clRed));
    SetWindowRgn(top, CreateRoundRectRgn(0, 0, 101, 101, 40, 40), true);
    DispatchPendingMessages();
    EXPECT_EQ(ScreenPixel(*desk, 50, 50), clRed);
    EXPECT_EQ(ScreenPixel(*desk, 1, 1), clGreen);
    EXPECT_EQ(ScreenPixel(*desk, 150, 50), clGreen);
    ASSERT_TRUE(desk->NativeShape(top).has_value());
    EXPECT_FALSE(desk->NativeShape(top)->Contains(0, 0));
    EXPECT_TRUE(desk->NativeShape(top)->Contains(20, 0));
    // The surface itself was not drawn outside the shape either.
    HDC dc = GetDC(top);
    EXPECT_FALSE(dc->IsVisible(0, 0));
    EXPECT_TRUE(dc->IsVisible(50, 50));
    ReleaseDC(top, dc);
    (void)lowest;
}
