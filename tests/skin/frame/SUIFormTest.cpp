// The skinned form on its host window: geometry, sizing bands, maximise and restore, the
// replaced window procedure and the border it paints.
#include "host/win/Painting.h"
#include "host/win/Window.h"
#include "host/win/WindowProcedure.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "tests/skin/frame/SUIFormTestSupport.h"

TEST_F(SkinFormTest, MainWindowFrameFillsTheHostInsideItsBorder)
{
    TForm* form = MainWindow();
    TsuiForm* skin = SkinOf(form);
    ASSERT_NE(skin, nullptr);

    EXPECT_EQ(form->Width(), 676);
    EXPECT_EQ(form->Height(), 400);
    EXPECT_EQ(form->ClientWidth(), 676);
    EXPECT_EQ(form->ClientHeight(), 400);
    EXPECT_EQ(skin->BoundsRect(), Bounds(1, 0, 674, 399));
    EXPECT_EQ(skin->TitleBar()->Top(), 0);
    EXPECT_TRUE(skin->TitleBarVisible());

    // The system frame is gone; the skinned form draws its own.
    EXPECT_EQ(GetWindowLong(form->Handle(), GWL_STYLE) & static_cast<LONG>(WS_CAPTION), 0);
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(skin->HostBorderStyle(), bsSingle);
    EXPECT_EQ(form->Caption(), "Moraleaf");
    EXPECT_EQ(skin->Caption(), "Moraleaf");
    EXPECT_FALSE(form->Scaled());

    EXPECT_EQ(skin->MenuBar(), nullptr);
    // The stored font is the caption's.
    EXPECT_EQ(skin->TitleBar()->Font().Name(), "Tahoma");
    EXPECT_TRUE(skin->TitleBar()->Font().Style().Has(TFontStyle::fsBold));
}

TEST_F(SkinFormTest, WrittenFrameReadsBackTheSame)
{
    TForm* form = MainWindow();
    const std::string text = WriteComponentToString(form);
    delete form;
    auto* again = new TForm(app);
    ReadComponentFromString(text, again);
    again->Show();
    DispatchPendingMessages();
    TsuiForm* skin = SkinOf(again);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(again->Width(), 676);
    EXPECT_EQ(again->Height(), 400);
    EXPECT_EQ(skin->BoundsRect(), Bounds(1, 0, 674, 399));
    EXPECT_EQ(skin->Caption(), "Moraleaf");
    EXPECT_EQ(skin->UIStyle(), MacOS);
    EXPECT_EQ(skin->TitleBar()->Font().Name(), "Tahoma");
    // The title bar is the skinned form's own part, never stored as a component of its own.
    EXPECT_EQ(text.find("TsuiTitleBar"), std::string::npos) << text;
}

TEST_F(SkinFormTest, SingleBorderedHostOffersNoEdgeSizing)
{
    TForm* form = MainWindow();
    // Corners, edges and the bottom strip all stay client area.
    EXPECT_EQ(HitTest(form, 0, 200), HTCLIENT);
    EXPECT_EQ(HitTest(form, 675, 200), HTCLIENT);
    EXPECT_EQ(HitTest(form, 300, 399), HTCLIENT);
    EXPECT_EQ(HitTest(form, 675, 399), HTCLIENT);
    EXPECT_EQ(HitTest(form, 0, 399), HTCLIENT);
}

TEST_F(SkinFormTest, SizeableHostHasFivePixelBandsOnEveryEdge)
{
    SkinnedForm(bsSizeable);
    const int cw = host->ClientWidth();
    const int ch = host->ClientHeight();
    EXPECT_EQ(HitTest(host, 0, 0), HTTOPLEFT);
    EXPECT_EQ(HitTest(host, 4, 4), HTTOPLEFT);
    EXPECT_EQ(HitTest(host, cw - 1, 2), HTTOPRIGHT);
    EXPECT_EQ(HitTest(host, cw - 1, ch - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(host, 2, ch - 2), HTBOTTOMLEFT);
    EXPECT_EQ(HitTest(host, 0, 150), HTLEFT);
    EXPECT_EQ(HitTest(host, 4, 150), HTLEFT);
    EXPECT_EQ(HitTest(host, 200, 3), HTTOP);
    EXPECT_EQ(HitTest(host, cw - 4, 150), HTRIGHT);
    EXPECT_EQ(HitTest(host, 200, ch - 4), HTBOTTOM);
    // Just inside the bands.
    EXPECT_EQ(HitTest(host, 5, 150), HTCLIENT);
    EXPECT_EQ(HitTest(host, cw - 5, 150), HTCLIENT);
    EXPECT_EQ(HitTest(host, 200, ch - 5), HTCLIENT);
    EXPECT_EQ(HitTest(host, 200, 5), HTCLIENT);
}

TEST_F(SkinFormTest, MaximisedHostKeepsTheDefaultHitTest)
{
    SkinnedForm(bsSizeable);
    host->SetWindowState(wsMaximized);
    DispatchPendingMessages();
    EXPECT_EQ(HitTest(host, 0, 0), HTCLIENT);
    EXPECT_EQ(HitTest(host, 0, 150), HTCLIENT);
}

TEST_F(SkinFormTest, MaximiseCoversTheWorkAreaAndRestoreReturns)
{
    TsuiForm* skin = SkinnedForm(bsSingle);
    const TRect normal = host->BoundsRect();
    host->SetWindowState(wsMaximized);
    DispatchPendingMessages();

    TRect area;
    ASSERT_TRUE(GetWorkArea(area));
    EXPECT_EQ(host->BoundsRect(), area);
    EXPECT_LT(area.Bottom, THeadlessBackend::kScreenHeight); // the task bar stays visible
    EXPECT_EQ(skin->BoundsRect(), Bounds(1, 0, area.Width() - 2, area.Height() - 1));

    host->SetWindowState(wsNormal);
    DispatchPendingMessages();
    EXPECT_EQ(host->BoundsRect(), normal);
    EXPECT_EQ(skin->BoundsRect(), Bounds(1, 0, normal.Width() - 2, normal.Height() - 1));
}

TEST_F(SkinFormTest, HostCreatedMaximisedRestoresToItsBoundsAtCreation)
{
    host = new TForm(app);
    host->SetBorderStyle(bsNone);
    host->SetBounds(120, 90, 300, 200);
    host->SetWindowState(wsMaximized);
    auto* skin = new TsuiForm(host);
    skin->SetParent(host);
    host->Show();
    DispatchPendingMessages();
    // A host without frame by design is left at the window system's maximised size.
    EXPECT_EQ(host->WindowState(), wsMaximized);

    host->SetWindowState(wsNormal);
    DispatchPendingMessages();
    EXPECT_EQ(host->BoundsRect(), Bounds(120, 90, 300, 200));
    EXPECT_EQ(skin->BoundsRect(), Bounds(skin->BorderWidth(), 0, 300 - 2 * skin->BorderWidth(), 200 - skin->BorderWidth()));
}

TEST_F(SkinFormTest, WidthAndHeightSizeTheHostAroundTheBorder)
{
    TsuiForm* skin = SkinnedForm(bsSingle, WinXP);
    ASSERT_EQ(skin->BorderWidth(), 3);
    skin->SetWidth(300);
    skin->SetHeight(200);
    // One and a half border widths of height allowance, rounded down.
    EXPECT_EQ(host->Width(), 306);
    EXPECT_EQ(host->Height(), 204);
    EXPECT_EQ(skin->BoundsRect(), Bounds(3, 0, 300, 201));

    skin->SetBorderWidth(-1); // what a theme file without the entry answers
    EXPECT_EQ(skin->BorderWidth(), 0);
    EXPECT_EQ(skin->Left(), 0);
}

TEST_F(SkinFormTest, ConstructionStartsDeepBlueAndAdaptsTheHost)
{
    host = new TForm(app);
    host->SetBorderStyle(bsSizeable);
    host->SetCaption("Host");
    auto* skin = new TsuiForm(host);
    EXPECT_EQ(skin->UIStyle(), DeepBlue);
    EXPECT_EQ(skin->BorderColor(), TColor(0x000000));
    EXPECT_EQ(skin->BorderWidth(), 1);
    EXPECT_EQ(skin->Color(), TColor(0xE8E8E8));
    EXPECT_EQ(skin->MenuBarColor(), TColor(0xE8E8E8));
    EXPECT_EQ(skin->MenuBarHeight(), 22);
    EXPECT_FALSE(skin->UIStyleAutoUpdateSub());
    EXPECT_TRUE(skin->TitleBarVisible());
    EXPECT_EQ(skin->Caption(), "Host");
    EXPECT_EQ(host->Constraints().MinWidth(), 125);
    EXPECT_EQ(host->Constraints().MinHeight(), 50);
    EXPECT_EQ(host->BorderStyle(), bsNone);
    EXPECT_EQ(skin->HostBorderStyle(), bsSizeable);
    EXPECT_FALSE(host->AutoScroll());
    // The menu hook goes to the first skinned form only.
    EXPECT_TRUE(static_cast<bool>(app->OnMessage));
}

TEST_F(SkinFormTest, SecondSkinnedFormOnOneHostIsRefused)
{
    TsuiForm* skin = SkinnedForm(bsSingle);
    const TRect before = host->BoundsRect();
    try {
        new TsuiForm(host);
        FAIL() << "a second skinned form was made";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Sorry, You can create only one TsuiForm component in one form!");
    }
    EXPECT_EQ(host->BoundsRect(), before);
    // The first keeps working.
    host->SetWidth(380);
    DispatchPendingMessages();
    EXPECT_EQ(skin->Width(), 378);
}

TEST_F(SkinFormTest, DestroyedSkinnedFormGivesTheHostItsProcedureBack)
{
    TsuiForm* skin = SkinnedForm(bsSizeable);
    EXPECT_EQ(HitTest(host, 0, 0), HTTOPLEFT);
    EXPECT_TRUE(static_cast<bool>(app->OnMessage));
    delete skin;

    EXPECT_EQ(HitTest(host, 0, 0), HTCLIENT);
    EXPECT_FALSE(static_cast<bool>(app->OnMessage));
    // Messages the skinned form used to handle reach no destroyed object.
    host->SetBounds(50, 60, 350, 250);
    SendMessage(host->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    host->Invalidate();
    DispatchPendingMessages();
    UpdateWindow(host->Handle());
    EXPECT_EQ(host->Width(), 350);
}

TEST_F(SkinFormTest, ActivationColoursTheTitleBar)
{
    TsuiForm* skin = SkinnedForm(bsSingle);
    SendMessage(host->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(skin->TitleBar()->FormActive());
    SendMessage(host->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(skin->TitleBar()->FormActive());
}

TEST_F(SkinFormTest, BorderIsPaintedOnTheHostAroundThePanel)
{
    TsuiForm* skin = SkinnedForm(bsSingle, WinXP);
    skin->SetBorderColor(RGB(200, 10, 30));
    skin->SetTitleBarVisible(false);
    DispatchPendingMessages();
    UpdateWindow(host->Handle());
    const int bw = skin->BorderWidth();
    EXPECT_EQ(skin->Top(), bw);
    EXPECT_EQ(skin->Height(), host->ClientHeight() - 2 * bw);

    const TBitmap shot = desk->CaptureWindow(host->Handle());
    const int cw = host->ClientWidth();
    const int ch = host->ClientHeight();
    EXPECT_EQ(shot.GetPixel(0, ch / 2), RGB(200, 10, 30));
    EXPECT_EQ(shot.GetPixel(bw - 1, ch / 2), RGB(200, 10, 30));
    EXPECT_EQ(shot.GetPixel(cw - 1, ch / 2), RGB(200, 10, 30));
    EXPECT_EQ(shot.GetPixel(cw / 2, ch - 1), RGB(200, 10, 30));
    EXPECT_EQ(shot.GetPixel(cw / 2, 0), RGB(200, 10, 30));
    // Inside, the WinXP panel is filled with its colour.
    EXPECT_EQ(shot.GetPixel(cw / 2, ch / 2), skin->Color());
}

TEST_F(SkinFormTest, LostFileThemeFallsBackToDeepBlue)
{
    TsuiForm* skin = SkinnedForm(bsSingle, MacOS);
    auto* theme = new TsuiFileTheme(host);
    skin->SetFileTheme(theme);
    skin->SetUIStyle(FromThemeFile);
    // No file loaded: the form's colours come from DeepBlue.
    EXPECT_EQ(skin->Color(), TColor(0xE8E8E8));
    delete theme;
    EXPECT_EQ(skin->FileTheme(), nullptr);
    EXPECT_EQ(skin->UIStyle(), DeepBlue);
    EXPECT_EQ(skin->TitleBar()->UIStyle(), DeepBlue);
}

TEST_F(SkinFormTest, FormPanelFillsTheClientArea)
{
    TsuiForm* skin = SkinnedForm(bsSingle);
    auto* panel = new TPanel(host);
    panel->SetParent(skin);
    panel->SetCaption("content");
    skin->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    EXPECT_EQ(panel->Caption(), "");
    EXPECT_EQ(panel->Top(), skin->TitleBar()->Height());
    delete panel;
    EXPECT_EQ(skin->FormPanel(), nullptr);
}

TEST_F(SkinFormTest, DraggingTheTitleBarMovesTheMainWindow)
{
    TForm* form = MainWindow();
    TsuiTitleBar* bar = SkinOf(form)->TitleBar();
    const TPoint start = bar->ClientToScreen({ 300, 10 });
    int step = 0;
    desk->OnIdle = [&] {
        if (step == 0)
            desk->MoveMouse(start.X + 30, start.Y + 20);
        else if (step == 1)
            desk->ReleaseMouse(start.X + 30, start.Y + 20);
        ++step;
    };
    desk->PressMouse(start.X, start.Y);
    DispatchPendingMessages();
    EXPECT_EQ(form->Left(), 252 + 30);
    EXPECT_EQ(form->Top(), 215 + 20);
    EXPECT_EQ(form->Width(), 676);
    EXPECT_EQ(SkinOf(form)->BoundsRect(), Bounds(1, 0, 674, 399));
}
