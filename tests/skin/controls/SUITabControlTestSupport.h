#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/controls/SUIPageControl.h"
#include "skin/controls/SUITabControl.h"
#include "skin/core/SUIThemes.h"

// Tab controls on a fresh headless desktop: a borderless form whose client area starts at the
// screen point (FormLeft, FormTop).
class TabControlTest : public ::testing::Test {
protected:
    static constexpr int FormLeft = 100;
    static constexpr int FormTop = 100;

    void SetUp() override
    {
        desk = &THeadlessBackend::Install();
        app = new TApplication(nullptr);
        app->Initialize();
        RegisterControlClasses();
        RegisterPageControlClasses();
    }
    void TearDown() override
    {
        delete app;
        DoneWindowSystem();
    }

    TForm* ShownForm(int width = 800, int height = 500)
    {
        auto* form = new TForm(app);
        form->SetBorderStyle(bsNone);
        form->SetBounds(FormLeft, FormTop, width, height);
        form->Show();
        DispatchPendingMessages();
        return form;
    }

    // Screen point of a point in a control's client area.
    static TPoint ScreenOf(const TControl* control, int x, int y) { return control->ClientToScreen({ x, y }); }

    void ClickAt(const TControl* control, int x, int y)
    {
        const TPoint p = ScreenOf(control, x, y);
        desk->Click(p.X, p.Y);
        DispatchPendingMessages();
    }

    // What the desktop shows of a window, in its client coordinates (borderless windows only).
    TBitmap Capture(TWinControl* control)
    {
        DispatchPendingMessages();
        return desk->CaptureWindow(control->Handle());
    }

    THeadlessBackend* desk = nullptr;
    TApplication* app = nullptr;
    std::vector<std::string> log;
};
