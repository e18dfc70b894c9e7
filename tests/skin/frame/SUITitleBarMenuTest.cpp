#include "host/ui/Menus.h"
#include "host/win/Input.h"
#include "host/win/VirtualKeys.h"
#include "tests/skin/frame/SUITitleBarTestSupport.h"

namespace {

class TitleBarMenuTest : public TitleBarTest {
protected:
    TMenuItem* Command(int index) { return bar->MenuPopup()->Items()->Items(index); }

    // Opens the system menu and closes it again at once; the enabled states stay.
    void PopupAndClose()
    {
        desk->OnIdle = [this] { desk->PressKey(VK_ESCAPE); };
        bar->MenuPopup()->Popup(0, 0);
        desk->OnIdle = nullptr;
    }

    std::vector<bool> Enabled() { return { Command(0)->Enabled(), Command(1)->Enabled(), Command(3)->Enabled() }; }

    // Where the given menu's window showed, with the menu closed by Escape once it did.
    void WatchMenu(TPopupMenu* menu, TRect& shownAt, int& shown)
    {
        desk->OnIdle = [this, menu, &shownAt, &shown] {
            if (HWND w = menu->WindowHandle()) {
                GetWindowRect(w, &shownAt);
                ++shown;
                desk->PressKey(VK_ESCAPE);
            }
        };
    }
};

} // namespace

TEST_F(TitleBarMenuTest, ItemsAreTheThreeCommandsAndASeparator)
{
    TMenuItem* root = bar->MenuPopup()->Items();
    ASSERT_EQ(root->Count(), 4);
    EXPECT_EQ(root->Items(0)->Caption(), "Minimize");
    EXPECT_EQ(root->Items(1)->Caption(), "Maximize/Restore");
    EXPECT_TRUE(root->Items(2)->IsLine());
    EXPECT_EQ(root->Items(3)->Caption(), "Close");
    EXPECT_EQ(bar->MenuPopup()->TitleBar(), bar);
    EXPECT_EQ(bar->MenuPopup()->UIStyle(), MacOS);
    // Every item is drawn by the skin.
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(root->Items(i)->OnDrawItem && root->Items(i)->OnMeasureItem) << i;
}

TEST_F(TitleBarMenuTest, CommandsAreEnabledByTheButtonsPresentVisibleOrNot)
{
    PopupAndClose();
    EXPECT_EQ(Enabled(), (std::vector<bool> { true, true, true }));

    bar->Buttons().Delete(3); // minimise
    bar->Buttons().Items(1)->SetVisible(false); // close, hidden but present
    EXPECT_EQ(Enabled(), (std::vector<bool> { true, true, true })) << "recomputed only on popup";
    PopupAndClose();
    EXPECT_EQ(Enabled(), (std::vector<bool> { false, true, true }));

    bar->Buttons().Clear();
    PopupAndClose();
    EXPECT_EQ(Enabled(), (std::vector<bool> { false, false, false }));
    EXPECT_TRUE(Command(2)->Enabled());

    bar->Buttons().Add()->SetButtonType(suiMin);
    PopupAndClose();
    EXPECT_EQ(Enabled(), (std::vector<bool> { true, false, false }));
}

TEST_F(TitleBarMenuTest, ReleaseOnTheControlBoxOpensItBelowTheBar)
{
    TRect shownAt;
    int shown = 0;
    WatchMenu(bar->MenuPopup(), shownAt, shown);
    ClickAt(3 + 8, kButtonTop + 8);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(shownAt.Left, kFormX);
    EXPECT_EQ(shownAt.Top, kFormY + bar->Height());
    EXPECT_FALSE(bar->MouseIsDown());
}

TEST_F(TitleBarMenuTest, ControlBoxMenuOpensInsteadOfTheSystemMenu)
{
    auto* own = new TPopupMenu(form);
    auto* item = new TMenuItem(own);
    item->SetCaption("About");
    own->Items()->Add(item);
    bar->Buttons().Items(0)->SetControlBoxMenu(own);
    int systemPopups = 0;
    bar->MenuPopup()->OnPopup = [&](TObject*) { ++systemPopups; };

    TRect shownAt;
    int shown = 0;
    WatchMenu(own, shownAt, shown);
    ClickAt(3 + 8, kButtonTop + 8);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(systemPopups, 0);
    EXPECT_EQ(shownAt.Left, kFormX);
    EXPECT_EQ(shownAt.Top, kFormY + bar->Height());

    // The menu going takes the reference with it; the system menu is back.
    delete own;
    EXPECT_EQ(bar->Buttons().Items(0)->ControlBoxMenu(), nullptr);
    WatchMenu(bar->MenuPopup(), shownAt, shown);
    ClickAt(3 + 8, kButtonTop + 8);
    EXPECT_EQ(systemPopups, 1);
}

TEST_F(TitleBarMenuTest, CommandsActOnTheForm)
{
    Command(1)->Click();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_TRUE(ShowsFrame(bar->Buttons().Items(2)->PicNormal(), 10));
    Command(1)->Click();
    EXPECT_EQ(form->WindowState(), wsNormal);

    Command(0)->Click();
    EXPECT_TRUE(IsIconic(form->Handle()));
    ShowWindow(form->Handle(), SW_RESTORE);

    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    Command(3)->Click();
    EXPECT_EQ(closes, 1);
}

TEST_F(TitleBarMenuTest, MaximizeRestoreClicksEveryMaxButton)
{
    bar->Buttons().Add()->SetButtonType(suiMax);
    // Two toggles: maximised and back.
    Command(1)->Click();
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(TitleBarMenuTest, CommandsOutsideAFormDoNothing)
{
    auto* loose = new TsuiTitleBar(app);
    TMenuItem* root = loose->MenuPopup()->Items();
    for (int i : { 0, 1, 3 })
        root->Items(i)->Click();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(IsIconic(form->Handle()));
}
