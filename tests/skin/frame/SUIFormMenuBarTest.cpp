// The skinned form's menu bar: one flat button per top-level item, following the items, and
// the menu's shortcuts dispatched for the active form only.
#include "host/ui/ShortCuts.h"
#include "host/ui/ToolBar.h"
#include "host/win/Input.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "host/win/Window.h"
#include "skin/core/SUIThemes.h"
#include "tests/skin/frame/SUIFormTestSupport.h"

namespace {

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, int index = -1)
{
    auto* item = new TMenuItem(parent->Owner());
    item->SetCaption(caption);
    if (index < 0)
        parent->Add(item);
    else
        parent->Insert(index, item);
    return item;
}

} // namespace

class SkinFormMenuBarTest : public SkinFormTest {
protected:
    // A skinned form and a plain main menu: File (with Save), Edit, Help.
    void SetUpMenu(TsuiUIStyle style = WinXP)
    {
        skin = SkinnedForm(bsSingle, style);
        menu = new TMainMenu(host);
        file = AddItem(menu->Items(), "File");
        save = AddItem(file, "Save");
        edit = AddItem(menu->Items(), "Edit");
        help = AddItem(menu->Items(), "Help");
    }

    std::vector<std::string> ButtonCaptions() const
    {
        std::vector<std::string> captions;
        TToolBar* bar = skin->MenuBar();
        int lastLeft = -1;
        for (int i = 0; i < bar->ButtonCount(); ++i) {
            TToolButton* button = bar->Buttons(i);
            EXPECT_GT(button->Left(), lastLeft) << "buttons run left to right";
            lastLeft = button->Left();
            captions.push_back(button->Caption());
        }
        return captions;
    }

    TsuiForm* skin = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* save = nullptr;
    TMenuItem* edit = nullptr;
    TMenuItem* help = nullptr;
};

TEST_F(SkinFormMenuBarTest, MenuBarShowsTheTopLevelItemsBelowTheTitleBar)
{
    SetUpMenu();
    EXPECT_EQ(skin->MenuBar(), nullptr);
    skin->SetMenu(menu);
    TToolBar* bar = skin->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(ButtonCaptions(), (std::vector<std::string> { "File", "Edit", "Help" }));
    EXPECT_EQ(bar->Buttons(0)->MenuItem(), file);
    EXPECT_EQ(bar->Buttons(2)->MenuItem(), help);
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(bar->ShowCaptions());
    EXPECT_TRUE(bar->EdgeBorders().Empty());
    EXPECT_EQ(bar->Height(), 22);
    EXPECT_EQ(bar->Color(), skin->MenuBarColor());
    EXPECT_EQ(skin->TitleBar()->Top(), 0);
    EXPECT_EQ(bar->Top(), skin->TitleBar()->Height());
    // The host's own menu stays empty.
    EXPECT_EQ(host->Menu(), nullptr);
}

TEST_F(SkinFormMenuBarTest, ButtonsFollowTheItems)
{
    SetUpMenu();
    skin->SetMenu(menu);
    AddItem(menu->Items(), "View", 1);
    skin->RebuildMenuBar();
    EXPECT_EQ(ButtonCaptions(), (std::vector<std::string> { "File", "View", "Edit", "Help" }));

    edit->SetCaption("Change");
    edit->SetEnabled(false);
    skin->RefreshMenuBar();
    EXPECT_EQ(ButtonCaptions(), (std::vector<std::string> { "File", "View", "Change", "Help" }));
    EXPECT_FALSE(skin->MenuBar()->Buttons(2)->Enabled());

    delete help;
    skin->RebuildMenuBar();
    EXPECT_EQ(ButtonCaptions(), (std::vector<std::string> { "File", "View", "Change" }));

    skin->SetMenuBarHeight(30);
    EXPECT_EQ(skin->MenuBar()->Height(), 30);
    for (int i = 0; i < skin->MenuBar()->ButtonCount(); ++i)
        EXPECT_EQ(skin->MenuBar()->Buttons(i)->Height(), 30);
}

TEST_F(SkinFormMenuBarTest, MenuBarGoesWithTheMenu)
{
    SetUpMenu();
    skin->SetMenu(menu);
    skin->SetMenu(nullptr);
    EXPECT_EQ(skin->MenuBar(), nullptr);

    skin->SetMenu(menu);
    ASSERT_NE(skin->MenuBar(), nullptr);
    delete menu;
    EXPECT_EQ(skin->Menu(), nullptr);
    EXPECT_EQ(skin->MenuBar(), nullptr);
    DispatchPendingMessages();
    UpdateWindow(host->Handle());
}

TEST_F(SkinFormMenuBarTest, SkinnedMenuTakesTheFormsStyleAndLink)
{
    skin = SkinnedForm(bsSingle, MacOS);
    auto* skinMenu = new TsuiMainMenu(host);
    AddItem(skinMenu->Items(), "File");
    skin->SetMenu(skinMenu);
    EXPECT_EQ(skinMenu->SkinForm(), skin);
    skin->SetUIStyle(BlueGlass);
    EXPECT_EQ(skinMenu->UIStyle(), BlueGlass);
    skin->SetMenu(nullptr);
    EXPECT_EQ(skinMenu->SkinForm(), nullptr);
    EXPECT_EQ(skin->MenuBar(), nullptr);
}

TEST_F(SkinFormMenuBarTest, HotButtonIsDrawnInTheStylesSelectionColours)
{
    SetUpMenu(WinXP);
    skin->SetMenu(menu);
    DispatchPendingMessages();
    TToolButton* button = skin->MenuBar()->Buttons(1);
    const TPoint centre = button->ClientToScreen({ button->Width() / 2, button->Height() / 2 });
    desk->MoveMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    UpdateWindow(host->Handle());
    ASSERT_TRUE(button->Hot());

    const TBitmap shot = desk->CaptureWindow(host->Handle());
    const TPoint origin = host->ScreenToClient(button->ClientToScreen({ 0, 0 }));
    EXPECT_EQ(
        shot.GetPixel(origin.X, origin.Y + button->Height() / 2), GetThemeColor(WinXP, SUI_THEME_MENU_SELECTED_BORDER_COLOR));
    EXPECT_EQ(shot.GetPixel(origin.X + 2, origin.Y + 2), GetThemeColor(WinXP, SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR));
    // A button that is not hot is drawn by the bar on its own colour.
    TToolButton* other = skin->MenuBar()->Buttons(2);
    const TPoint otherOrigin = host->ScreenToClient(other->ClientToScreen({ 0, 0 }));
    EXPECT_EQ(shot.GetPixel(otherOrigin.X + 2, otherOrigin.Y + 2), skin->MenuBarColor());
}

TEST_F(SkinFormMenuBarTest, ShortcutsAreDispatchedForTheActiveFormOnly)
{
    SetUpMenu();
    save->SetShortCut(ShortCut(VK_F12, {}));
    int saves = 0;
    save->OnClick = [&](TObject*) { ++saves; };
    skin->SetMenu(menu);
    SetActiveWindow(host->Handle());
    DispatchPendingMessages();
    ASSERT_TRUE(host->Active());

    EXPECT_EQ(SendMessage(host->Handle(), WM_KEYDOWN, VK_F12, 0), 1);
    EXPECT_EQ(saves, 1);

    // Through the application's message hook, as a key press arrives.
    desk->PressKey(VK_F12);
    DispatchPendingMessages();
    EXPECT_EQ(saves, 2);

    auto* other = new TForm(app);
    other->SetBounds(600, 100, 200, 150);
    other->Show();
    SetActiveWindow(other->Handle());
    DispatchPendingMessages();
    ASSERT_FALSE(host->Active());
    EXPECT_EQ(SendMessage(host->Handle(), WM_KEYDOWN, VK_F12, 0), 0);
    desk->PressKey(VK_F12);
    DispatchPendingMessages();
    EXPECT_EQ(saves, 2);
}
