#include <vector>

#include "host/ui/Menus.h"
#include "host/win/Input.h"
#include "tests/skin/core/SkinTestSupport.h"
#include "tests/skin/frame/MessageBoxAnswers.h"
#include "tests/skin/frame/SUITitleBarTestSupport.h"

namespace {

const std::string kOneControlBox = "Sorry, only one button's ButtonType property can be \"suiControlBox\"";
const std::string kOneClient = "Sorry, only one section's Align property can be \"suiClient\"";

} // namespace

TEST_F(TitleBarTest, DefaultButtonsTakeTheirStripFramesAndTop)
{
    TsuiTitleBarButtons& buttons = bar->Buttons();
    ASSERT_EQ(buttons.Count(), 4);
    const TsuiTitleBarBtnType types[] = { suiControlBox, suiClose, suiMax, suiMin };
    const int firstFrames[] = { 1, 16, 7, 13 };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        TsuiTitleBarButton* b = buttons.Items(i);
        EXPECT_EQ(b->ButtonType(), types[i]);
        EXPECT_EQ(b->UIStyle(), MacOS);
        EXPECT_EQ(b->Top(), kButtonTop);
        EXPECT_FALSE(b->Transparent());
        EXPECT_EQ(b->PicNormal().Width(), kButton);
        EXPECT_TRUE(ShowsFrame(b->PicNormal(), firstFrames[i]));
        EXPECT_TRUE(ShowsFrame(b->PicMouseOn(), firstFrames[i] + 1));
        EXPECT_TRUE(ShowsFrame(b->PicMouseDown(), firstFrames[i] + 2));
    }
    // A WinXP strip has 21-pixel frames and its own top.
    buttons.Items(1)->SetUIStyle(WinXP);
    EXPECT_EQ(buttons.Items(1)->PicNormal().Width(), 21);
    EXPECT_EQ(buttons.Items(1)->Top(), 5);
}

TEST_F(TitleBarTest, NewCustomButtonIsEmptyAndKeepsItsTop)
{
    TsuiTitleBarButton* custom = bar->Buttons().Add();
    EXPECT_EQ(custom->ButtonType(), suiCustom);
    EXPECT_EQ(custom->UIStyle(), DeepBlue);
    EXPECT_EQ(custom->Top(), 2);
    EXPECT_TRUE(custom->Visible());
    EXPECT_EQ(custom->PicNormal().Graphic(), nullptr);
    EXPECT_EQ(custom->ControlBoxMenu(), nullptr);
    // Another style gives a custom button no pictures either.
    custom->SetUIStyle(MacOS);
    EXPECT_EQ(custom->PicNormal().Graphic(), nullptr);
    EXPECT_EQ(custom->Top(), 2);
}

TEST_F(TitleBarTest, HoverAndPressShowTheButtonsStatePictures)
{
    const int closeX = RightButtonX(0);
    const TPoint probe = TellingPixel(StripFrame(16), StripFrame(17), StripFrame(18));
    const auto shownAtProbe = [&] { return Shot().GetPixel(closeX + probe.X, kButtonTop + probe.Y); };

    MoveTo(200, 12);
    EXPECT_EQ(bar->HotButtonIndex(), -1);
    EXPECT_EQ(shownAtProbe(), StripFrame(16).GetPixel(probe.X, probe.Y));

    MoveTo(closeX + 8, kButtonTop + 8);
    EXPECT_EQ(bar->HotButtonIndex(), 1);
    EXPECT_EQ(shownAtProbe(), StripFrame(17).GetPixel(probe.X, probe.Y));

    // Its edges count as inside.
    MoveTo(closeX + kButton, kButtonTop + kButton);
    EXPECT_EQ(bar->HotButtonIndex(), 1);
    MoveTo(closeX + kButton + 1, kButtonTop + 8);
    EXPECT_EQ(bar->HotButtonIndex(), -1);

    MoveTo(closeX + 8, kButtonTop + 8);
    const TPoint p = Screen(closeX + 8, kButtonTop + 8);
    desk->PressMouse(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_TRUE(bar->MouseIsDown());
    EXPECT_EQ(shownAtProbe(), StripFrame(18).GetPixel(probe.X, probe.Y));

    // Leaving the button with the mouse down shows it normal again.
    MoveTo(200, 12);
    EXPECT_EQ(shownAtProbe(), StripFrame(16).GetPixel(probe.X, probe.Y));
    const TPoint away = Screen(200, 12);
    desk->ReleaseMouse(away.X, away.Y);
    DispatchPendingMessages();
    EXPECT_FALSE(bar->MouseIsDown());
    EXPECT_TRUE(form->Visible());
}

TEST_F(TitleBarTest, ControlBoxAndButtonRowSitWhereTheStyleSays)
{
    const TPoint probe = TellingPixel(StripFrame(1), StripFrame(2), StripFrame(3));
    TBitmap shot = Shot();
    EXPECT_EQ(shot.GetPixel(3 + probe.X, kButtonTop + probe.Y), StripFrame(1).GetPixel(probe.X, probe.Y));
    const int frames[] = { 16, 7, 13 };
    for (int slot = 0; slot < 3; ++slot) {
        const TPoint q = TellingPixel(StripFrame(frames[slot]), StripFrame(frames[slot] + 1), StripFrame(frames[slot] + 2));
        EXPECT_EQ(shot.GetPixel(RightButtonX(slot) + q.X, kButtonTop + q.Y), StripFrame(frames[slot]).GetPixel(q.X, q.Y)) << slot;
    }
    // A button interval widens every gap of the right-hand row.
    bar->SetButtonInterval(4);
    MoveTo(RightButtonX(1) - 4 + 8, kButtonTop + 8);
    EXPECT_EQ(bar->HotButtonIndex(), 2);
}

TEST_F(TitleBarTest, MaximiseTogglesTheWindowAndTheRestorePictures)
{
    TsuiTitleBarButton* max = bar->Buttons().Items(2);
    ClickAt(RightButtonX(1) + 8, kButtonTop + 8);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_TRUE(ShowsFrame(max->PicNormal(), 10));
    EXPECT_TRUE(ShowsFrame(max->PicMouseOn(), 11));
    EXPECT_TRUE(ShowsFrame(max->PicMouseDown(), 12));
    // The bar now spans the maximised window; the button moved with its right edge.
    ClickAt(RightButtonX(1) + 8, kButtonTop + 8);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_TRUE(ShowsFrame(max->PicNormal(), 7));
    EXPECT_TRUE(ShowsFrame(max->PicMouseDown(), 9));
}

TEST_F(TitleBarTest, OtherStateChangesLeaveTheMaxPicturesUntilAskedToFollow)
{
    TsuiTitleBarButton* max = bar->Buttons().Items(2);
    form->SetWindowState(wsMaximized);
    DispatchPendingMessages();
    EXPECT_TRUE(ShowsFrame(max->PicNormal(), 7));
    bar->UpdateMaxButtons();
    EXPECT_TRUE(ShowsFrame(max->PicNormal(), 10));
    // Other buttons are not touched.
    EXPECT_TRUE(ShowsFrame(bar->Buttons().Items(1)->PicNormal(), 16));
}

TEST_F(TitleBarTest, MaxButtonOutsideAFormKeepsItsPictures)
{
    auto* loose = new TsuiTitleBar(app);
    TsuiTitleBarButton* max = loose->Buttons().Items(2);
    max->Click();
    EXPECT_EQ(loose->GetParentForm(), nullptr);
    TBitmap deepBlueMax;
    GetThemeBitmapFrame(DeepBlue, SUI_THEME_TITLEBAR_BUTTON_IMAGE, &deepBlueMax, 18, 7);
    EXPECT_TRUE(SamePixels(*max->PicNormal().Graphic(), deepBlueMax));
}

TEST_F(TitleBarTest, MinimiseShowsAnOrdinaryFormMinimised)
{
    ClickAt(RightButtonX(2) + 8, kButtonTop + 8);
    EXPECT_TRUE(IsIconic(form->Handle()));
}

TEST_F(TitleBarTest, MinimiseOfTheMainFormGoesThroughItsMinimiseCommand)
{
    TForm* main = nullptr;
    app->CreateForm(main);
    ASSERT_EQ(app->MainForm(), main);
    main->SetBorderStyle(bsNone);
    main->SetBounds(500, 100, 300, 200);
    auto* mainBar = new TsuiTitleBar(main);
    mainBar->SetParent(main);
    main->Show();
    DispatchPendingMessages();
    std::vector<WPARAM> commands;
    const WNDPROC old = GetWindowProc(main->Handle());
    SetWindowProc(main->Handle(), [&](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_SYSCOMMAND)
            commands.push_back(wParam);
        return CallWindowProc(old, wnd, msg, wParam, lParam);
    });
    mainBar->Buttons().Items(3)->Click();
    EXPECT_EQ(commands, std::vector<WPARAM> { SC_MINIMIZE });
    EXPECT_TRUE(IsIconic(main->Handle()));
    SetWindowProc(main->Handle(), old);
}

TEST_F(TitleBarTest, CloseButtonClosesTheForm)
{
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    ClickAt(RightButtonX(0) + 8, kButtonTop + 8);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form->Visible());
}

TEST_F(TitleBarTest, CustomAndHelpButtonsFireTheirEventsWithTheirIndex)
{
    TsuiTitleBarButton* custom = bar->Buttons().Add();
    custom->SetPicNormal(TPictureOf(FilledBitmap(10, 10, clRed)));
    custom->SetPicMouseOn(TPictureOf(FilledBitmap(10, 10, clLime)));
    custom->SetPicMouseDown(TPictureOf(FilledBitmap(10, 10, clBlue)));
    TsuiTitleBarButton* help = bar->Buttons().Add();
    help->SetUIStyle(MacOS);
    help->SetButtonType(suiHelp);
    EXPECT_TRUE(ShowsFrame(help->PicNormal(), 4));

    std::vector<std::pair<TObject*, int>> customClicks;
    std::vector<std::pair<TObject*, int>> helpClicks;
    bar->OnCustomBtnsClick = [&](TObject* sender, int index) { customClicks.emplace_back(sender, index); };
    bar->OnHelpBtnClick = [&](TObject* sender, int index) { helpClicks.emplace_back(sender, index); };

    // Right to left: close, max, min, the 10-pixel custom button at y 2, then help.
    const int customX = RightButtonX(2) - 11;
    MoveTo(customX + 5, 2 + 5);
    EXPECT_EQ(bar->HotButtonIndex(), 4);
    EXPECT_EQ(Shot().GetPixel(customX + 5, 7), clLime);
    ClickAt(customX + 5, 2 + 5);
    const int helpX = customX - kButton - 1;
    ClickAt(helpX + 8, kButtonTop + 8);
    EXPECT_EQ(customClicks, (std::vector<std::pair<TObject*, int>> { { bar, 4 } }));
    EXPECT_EQ(helpClicks, (std::vector<std::pair<TObject*, int>> { { bar, 5 } }));
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_TRUE(form->Visible());
}

TEST_F(TitleBarTest, InvisibleButtonsAreNeitherDrawnNorHit)
{
    bar->Buttons().Items(1)->SetVisible(false);
    // Maximise moves into the close button's place.
    MoveTo(RightButtonX(0) + 8, kButtonTop + 8);
    EXPECT_EQ(bar->HotButtonIndex(), 2);
}

TEST_F(TitleBarTest, OnlyOneControlBoxIsAllowed)
{
    std::vector<std::string> boxes;
    AnswerBoxes(desk, form->Handle(), boxes);
    TsuiTitleBarButton* min = bar->Buttons().Items(3);
    min->SetButtonType(suiControlBox);
    EXPECT_EQ(boxes, std::vector { kOneControlBox });
    EXPECT_EQ(min->ButtonType(), suiMin);
    // The control box itself is refused the same way.
    bar->Buttons().Items(0)->SetButtonType(suiControlBox);
    EXPECT_EQ(boxes, std::vector(2, kOneControlBox));
    EXPECT_EQ(bar->Buttons().Items(0)->ButtonType(), suiControlBox);
    // Once it is gone another button may be the control box.
    bar->Buttons().Delete(0);
    min->SetButtonType(suiControlBox);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(min->ButtonType(), suiControlBox);
    EXPECT_TRUE(ShowsFrame(min->PicNormal(), 1));
}

TEST_F(TitleBarTest, AssignedButtonKeepsTheCopiedPictures)
{
    TsuiTitleBarButtons copy(nullptr);
    TsuiTitleBarButton* source = bar->Buttons().Items(1);
    source->SetPicNormal(TPictureOf(FilledBitmap(5, 6, clRed)));
    source->SetTop(9);
    source->SetTransparent(true);
    source->SetVisible(false);
    TPopupMenu menu(nullptr);
    source->SetControlBoxMenu(&menu);
    TsuiTitleBarButton* target = copy.Add();
    target->Assign(*source);
    EXPECT_EQ(target->ButtonType(), suiClose);
    EXPECT_EQ(target->UIStyle(), MacOS);
    EXPECT_FALSE(target->Visible());
    EXPECT_EQ(target->PicNormal().Width(), 5);
    EXPECT_TRUE(ShowsFrame(target->PicMouseOn(), 17));
    EXPECT_EQ(target->ControlBoxMenu(), &menu);
    // The style does not overwrite the copied top and transparency.
    EXPECT_EQ(target->Top(), 9);
    EXPECT_TRUE(target->Transparent());

    // A whole collection copies with its one control box.
    copy.Assign(bar->Buttons());
    ASSERT_EQ(copy.Count(), 4);
    EXPECT_EQ(copy.Items(0)->ButtonType(), suiControlBox);
    EXPECT_EQ(copy.Items(3)->ButtonType(), suiMin);
}

TEST_F(TitleBarTest, SectionRulesForClientAlignStretchAndAutoSize)
{
    std::vector<std::string> boxes;
    AnswerBoxes(desk, form->Handle(), boxes);
    TsuiTitleBarSections& sections = bar->Sections();
    ASSERT_EQ(sections.Count(), 3);
    EXPECT_EQ(sections.Items(0)->Align(), suiLeft);
    EXPECT_EQ(sections.Items(1)->Align(), suiRight);
    EXPECT_EQ(sections.Items(2)->Align(), suiClient);

    sections.Items(0)->SetAlign(suiClient);
    EXPECT_EQ(boxes, std::vector { kOneClient });
    EXPECT_EQ(sections.Items(0)->Align(), suiLeft);
    sections.Items(2)->SetAlign(suiClient);
    EXPECT_EQ(boxes, std::vector(2, kOneClient));

    sections.Items(2)->SetStretch(false);
    EXPECT_TRUE(sections.Items(2)->Stretch());

    TsuiTitleBarSection* s = sections.Add();
    EXPECT_EQ(s->Width(), 10);
    EXPECT_FALSE(s->Stretch());
    s->SetPicture(TPictureOf(FilledBitmap(33, 5, clRed)));
    EXPECT_EQ(s->Width(), 10);
    s->SetAutoSize(false);
    EXPECT_EQ(s->Width(), 33);
    s->SetWidth(12);
    s->SetAutoSize(true);
    EXPECT_EQ(s->Width(), 33);
    s->SetPicture(TPictureOf(FilledBitmap(40, 5, clRed)));
    EXPECT_EQ(s->Width(), 40);
    // An empty picture leaves the width alone.
    s->SetPicture(TPicture());
    EXPECT_EQ(s->Width(), 40);

    // Moving the client section elsewhere frees the one client place.
    sections.Items(2)->SetAlign(suiLeft);
    s->SetAlign(suiClient);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(s->Align(), suiClient);
    EXPECT_TRUE(s->Stretch());
}
