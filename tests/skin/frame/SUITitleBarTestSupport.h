#pragma once
#include <gtest/gtest.h>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/core/SUIPublic.h"
#include "skin/frame/SUITitleBar.h"

// A picture holding a copy of a bitmap.
struct TPictureOf : TPicture {
    explicit TPictureOf(const TBitmap& bitmap) { SetBitmap(bitmap); }
};

// Frame (from 1) of a style's title button strip.
inline TBitmap StripFrame(int index, TsuiUIStyle style = MacOS)
{
    TBitmap frame;
    GetThemeBitmapFrame(style, SUI_THEME_TITLEBAR_BUTTON_IMAGE, &frame, 18, index);
    return frame;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return false;
    return true;
}

// The picture holds that frame of the MacOS strip.
inline bool ShowsFrame(const TPicture& picture, int frame)
{
    return picture.Graphic() != nullptr && SamePixels(*picture.Graphic(), StripFrame(frame));
}

// A MacOS title bar across the top of a shown 400 x 300 form at (100, 100) of a headless
// desktop. MacOS places the buttons 17 x 17 at y 4: from the right close, maximise and
// minimise, one pixel apart, and the control box at x 3.
class TitleBarTest : public ::testing::Test {
protected:
    static constexpr int kFormX = 100;
    static constexpr int kFormY = 100;
    static constexpr int kButton = 17;
    static constexpr int kButtonTop = 4;

    void SetUp() override
    {
        desk = &THeadlessBackend::Install();
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetBorderStyle(bsNone);
        form->SetBounds(kFormX, kFormY, 400, 300);
        bar = new TsuiTitleBar(form);
        bar->SetParent(form);
        bar->SetUIStyle(MacOS);
        form->Show();
        DispatchPendingMessages();
    }
    void TearDown() override
    {
        desk->OnIdle = nullptr;
        delete app;
        DoneWindowSystem();
    }

    // Left edge of a right-hand button: 0 close, 1 maximise, 2 minimise.
    int RightButtonX(int slot) const { return bar->Width() - 1 - (kButton + 1) * (slot + 1); }
    // A point of the title bar on the screen.
    TPoint Screen(int x, int y) const { return bar->ClientToScreen({ x, y }); }
    void MoveTo(int x, int y)
    {
        const TPoint p = Screen(x, y);
        desk->MoveMouse(p.X, p.Y);
        DispatchPendingMessages();
    }
    // A click of its own, too late to make a double-click with the one before.
    void ClickAt(int x, int y)
    {
        desk->Advance(1000);
        const TPoint p = Screen(x, y);
        desk->Click(p.X, p.Y);
        DispatchPendingMessages();
    }
    TBitmap Shot() { return desk->CaptureWindow(bar->Handle()); }

    // A pixel at which the three frames all differ, so that a shot tells them apart.
    static TPoint TellingPixel(const TBitmap& a, const TBitmap& b, const TBitmap& c)
    {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x) {
                const TColor pa = a.GetPixel(x, y), pb = b.GetPixel(x, y), pc = c.GetPixel(x, y);
                if (pa != pb && pb != pc && pa != pc)
                    return { x, y };
            }
        ADD_FAILURE() << "the frames look alike";
        return { 0, 0 };
    }

    THeadlessBackend* desk = nullptr;
    TApplication* app = nullptr;
    TForm* form = nullptr;
    TsuiTitleBar* bar = nullptr;
};
