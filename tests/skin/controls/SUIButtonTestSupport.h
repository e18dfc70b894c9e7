#pragma once
#include <gtest/gtest.h>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/controls/SUIButton.h"
#include "skin/core/SUIThemes.h"

// Button tests run on a fresh headless desktop with an application and one shown form.
class ButtonTest : public ::testing::Test {
protected:
    static constexpr int kFormLeft = 100;
    static constexpr int kFormTop = 100;

    void SetUp() override
    {
        desk = &THeadlessBackend::Install();
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetBorderStyle(bsNone);
        form->SetBounds(kFormLeft, kFormTop, 400, 300);
        form->SetColor(clWhite);
        form->Show();
        DispatchPendingMessages();
    }
    void TearDown() override
    {
        delete app;
        DoneWindowSystem();
    }

    template <typename T> T* Place(int x, int y)
    {
        auto* control = new T(form);
        control->SetParent(form);
        control->SetLeft(x);
        control->SetTop(y);
        return control;
    }

    // A point of the control's client area on the screen.
    static TPoint At(TControl* control, int x, int y) { return control->ClientToScreen({ x, y }); }

    // What the control shows on the screen now, after every pending paint.
    TBitmap Shot(TWinControl* control)
    {
        DispatchPendingMessages();
        UpdateWindow(control->Handle());
        return desk->CaptureWindow(control->Handle());
    }

    static TBitmap Frame(TsuiUIStyle style, int entry, int count, int index)
    {
        TBitmap b;
        GetThemeBitmapFrame(style, entry, &b, count, index);
        return b;
    }

    THeadlessBackend* desk = nullptr;
    TApplication* app = nullptr;
    TForm* form = nullptr;
};
