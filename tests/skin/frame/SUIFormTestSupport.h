#pragma once
#include <gtest/gtest.h>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/ui/Menus.h"
#include "host/ui/Streaming.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUIMainMenu.h"
#include "skin/frame/SUITitleBar.h"

// The main window's frame as its layout stores it: a single-bordered form whose skinned form
// panel is MacOS with a one-pixel grey border.
inline const char* const kMainWindowFrame = R"(object Form1: TForm
  Left = 252
  Top = 215
  BorderStyle = bsSingle
  Caption = 'Moraleaf'
  ClientHeight = 400
  ClientWidth = 676
  object suiForm1: TsuiForm
    Left = 1
    Top = 0
    Width = 674
    Height = 399
    UIStyle = MacOS
    UIStyleAutoUpdateSub = False
    Caption = 'Moraleaf'
    Color = $00E7E7E7
    BorderColor = $007F7F7F
    BorderWidth = 1
    RoundCorner = 0
    MenuBarColor = $00E7E7E7
    MenuBarHeight = 22
    TitleBarDrawAppIcon = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clBlack
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
  end
end
)";

class SkinFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = &THeadlessBackend::Install();
        app = new TApplication(nullptr);
        app->Initialize();
        RegisterControlClasses();
        RegisterMenuClasses();
        RegisterFormClasses();
        RegisterTitleBarClasses();
        RegisterMainMenuClasses();
    }
    void TearDown() override
    {
        desk->OnIdle = nullptr;
        delete app;
        DoneWindowSystem();
    }

    // The main window's frame read from its layout, shown.
    TForm* MainWindow()
    {
        auto* form = new TForm(app);
        ReadComponentFromString(kMainWindowFrame, form);
        form->Show();
        DispatchPendingMessages();
        return form;
    }

    // A shown form at (100, 100) with the border style given, carrying a skinned form.
    TsuiForm* SkinnedForm(TBorderStyle border, TsuiUIStyle style = MacOS)
    {
        host = new TForm(app);
        host->SetBorderStyle(border);
        host->SetBounds(100, 100, 400, 300);
        auto* skin = new TsuiForm(host);
        skin->SetParent(host);
        skin->SetUIStyle(style);
        skin->SetWidth(398);
        skin->SetHeight(299);
        host->Show();
        DispatchPendingMessages();
        return skin;
    }

    static TsuiForm* SkinOf(TForm* form) { return dynamic_cast<TsuiForm*>(form->FindComponent("suiForm1")); }

    // WM_NCHITTEST at a point of the host's client area.
    static LRESULT HitTest(TForm* form, int x, int y)
    {
        const TPoint p = form->ClientToScreen({ x, y });
        return SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam(p));
    }

    THeadlessBackend* desk = nullptr;
    TApplication* app = nullptr;
    TForm* host = nullptr;
};
