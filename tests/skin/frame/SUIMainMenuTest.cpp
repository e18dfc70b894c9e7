#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/gfx/DeviceContext.h"
#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/ui/ImageList.h"
#include "host/ui/Streaming.h"
#include "host/ui/ToolBar.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/core/SUIMgr.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUIMainMenu.h"
#include "skin/frame/SUIPopupMenu.h"
#include "skin/frame/SUITitleBar.h"
#include "tests/skin/core/SkinTestSupport.h"

namespace {

constexpr TColor kImageColor = RGB(0, 200, 0);

// A form as a layout stores it: its skinned frame first, then its menu with two top-level items.
const char* const kMenuForm = R"(object MenuForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object suiForm1: TsuiForm
    UIStyle = WinXP
  end
  object MainMenu1: TsuiMainMenu
    object File1: TMenuItem
      Caption = 'File'
      object Save1: TMenuItem
        Caption = 'Save'
        ShortCut = 16467
      end
      object N1: TMenuItem
        Caption = '-'
      end
    end
    object Help1: TMenuItem
      Caption = 'Help'
    end
  end
end
)";

class MainMenuTest : public ::testing::Test {
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
        delete app;
        DoneWindowSystem();
    }

    // The form of kMenuForm, shown and active.
    TForm* MenuForm()
    {
        auto* form = new TForm(app);
        ReadComponentFromString(kMenuForm, form);
        form->Show();
        DispatchPendingMessages();
        return form;
    }

    template <typename T> static T* Find(TComponent* form, const char* name)
    {
        return dynamic_cast<T*>(form->FindComponent(name));
    }

    static TBitmap DrawItem(TMenuItem* item)
    {
        TBitmap b = FilledBitmap(200, 21, clFuchsia);
        TDeviceContext dc(b);
        TCanvas canvas(&dc);
        item->OnDrawItem(item, canvas, { 0, 0, 200, 21 }, false);
        return b;
    }

    THeadlessBackend* desk = nullptr;
    TApplication* app = nullptr;
};

TEST_F(MainMenuTest, ImagesReadNoneWhileTheSlotHoldsTheCheckMarks)
{
    TsuiMainMenu menu(nullptr);
    EXPECT_EQ(menu.Images(), nullptr);
    TImageList* slot = menu.TMenu::Images();
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->Count(), 1);

    auto* user = new TImageList(nullptr);
    menu.SetImages(user);
    EXPECT_EQ(menu.Images(), user);
    menu.SetImages(nullptr);
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_EQ(menu.TMenu::Images(), slot);

    menu.SetImages(user);
    delete user;
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_EQ(menu.TMenu::Images(), slot) << "a user's list that goes gives the slot back to the check marks";
    EXPECT_TRUE(menu.OwnerDraw());
}

TEST_F(MainMenuTest, CheckMarkListNeverCountsAsTheUsersImages)
{
    TsuiMainMenu menu(nullptr);
    menu.SetUIStyle(WinXP);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Open");
    item->SetImageIndex(0);
    item->SetChecked(true);
    menu.Items()->Add(item);
    menu.AttachItemHandlers();

    // Image 0 of the slot is the check mark, but the item has no image of the user's: the mark
    // is drawn, not the framed square.
    TBitmap mark;
    ASSERT_TRUE(MenuCheckImages().GetBitmap(0, mark));
    const TBitmap checked = DrawItem(item);
    EXPECT_NE(checked.GetPixel(2, 1), clBlack);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (mark.GetPixel(x, y) != clWhite) {
                EXPECT_EQ(checked.GetPixel(4 + x, 3 + y), mark.GetPixel(x, y)) << x << "," << y;
            }
        }
    }

    auto* user = new TImageList(&menu);
    user->Add(FilledBitmap(16, 16, kImageColor));
    menu.SetImages(user);
    const TBitmap withImage = DrawItem(item);
    EXPECT_EQ(withImage.GetPixel(2, 1), clBlack);
    EXPECT_EQ(withImage.GetPixel(3, 2), menu.SelectedColor());
    EXPECT_EQ(withImage.GetPixel(10, 10), kImageColor);
}

TEST_F(MainMenuTest, RemovedFileThemeFallsBackToDeepBlue)
{
    TsuiMainMenu menu(nullptr);
    auto* theme = new TsuiFileTheme(nullptr);
    menu.SetUIStyle(MacOS);
    menu.SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(menu.FileTheme(), nullptr);
    EXPECT_EQ(menu.UIStyle(), DeepBlue);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    EXPECT_EQ(menu.BarColor(), GetThemeColor(DeepBlue, SUI_THEME_MENU_BAR_COLOR));
}

TEST_F(MainMenuTest, FormWithoutSkinnedFrameKeepsNoMenuBar)
{
    auto* form = new TForm(app);
    auto* plain = new TMainMenu(form);
    form->SetMenu(plain);
    auto* menu = new TsuiMainMenu(form);
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(menu->SkinForm(), nullptr);
    delete form;
}

TEST_F(MainMenuTest, StoredMenuHandsItselfToTheSkinnedFrame)
{
    TForm* form = MenuForm();
    auto* skinForm = Find<TsuiForm>(form, "suiForm1");
    auto* menu = Find<TsuiMainMenu>(form, "MainMenu1");
    ASSERT_NE(skinForm, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form->Menu(), nullptr) << "no native menu bar";
    EXPECT_EQ(skinForm->Menu(), menu);
    EXPECT_EQ(menu->SkinForm(), skinForm);
    // The frame hands its style down to the menu.
    EXPECT_EQ(menu->UIStyle(), WinXP);

    TToolBar* bar = skinForm->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(0)->MenuItem(), Find<TMenuItem>(form, "File1"));
    EXPECT_EQ(bar->Buttons(1)->MenuItem(), Find<TMenuItem>(form, "Help1"));
    EXPECT_LT(bar->Buttons(0)->Left(), bar->Buttons(1)->Left());

    // Every item, sub-items too, is drawn by the skin once loaded.
    EXPECT_TRUE(Find<TMenuItem>(form, "Save1")->OnDrawItem);
    EXPECT_TRUE(Find<TMenuItem>(form, "N1")->OnMeasureItem);
}

TEST_F(MainMenuTest, MenuBarButtonsFollowTheirItems)
{
    TForm* form = MenuForm();
    auto* skinForm = Find<TsuiForm>(form, "suiForm1");
    TToolBar* bar = skinForm->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 2);
    TMenuItem* help = Find<TMenuItem>(form, "Help1");
    help->SetCaption("About");
    help->SetEnabled(false);
    EXPECT_EQ(bar->Buttons(1)->Caption(), "About");
    EXPECT_FALSE(bar->Buttons(1)->Enabled());
}

TEST_F(MainMenuTest, UseSystemFontSwitchesTheMenuBarFontAtOnce)
{
    TForm* form = MenuForm();
    auto* menu = Find<TsuiMainMenu>(form, "MainMenu1");
    TToolBar* bar = Find<TsuiForm>(form, "suiForm1")->MenuBar();
    ASSERT_NE(bar, nullptr);
    menu->SetFontName("Tahoma");
    menu->SetFontSize(20);
    menu->SetUseSystemFont(false);
    EXPECT_EQ(bar->Font().Name(), "Tahoma");
    EXPECT_EQ(bar->Font().Size(), 20);
    menu->SetUseSystemFont(true);
    EXPECT_NE(bar->Font().Size(), 20);
}

TEST_F(MainMenuTest, DestroyedMenuLeavesTheFrameWithoutMenuBar)
{
    TForm* form = MenuForm();
    auto* skinForm = Find<TsuiForm>(form, "suiForm1");
    delete Find<TsuiMainMenu>(form, "MainMenu1");
    EXPECT_EQ(skinForm->Menu(), nullptr);
    EXPECT_EQ(skinForm->MenuBar(), nullptr);
    DispatchPendingMessages();
    UpdateWindow(form->Handle());
}

// The frame dispatches its menu's shortcuts itself, and only while its form is the active one.
TEST_F(MainMenuTest, ShortCutsReachOnlyTheActiveForm)
{
    TForm* form = MenuForm();
    int saves = 0;
    Find<TMenuItem>(form, "Save1")->OnClick = [&](TObject*) { ++saves; };
    auto ctrlS = [&] {
        desk->KeyDown(VK_CONTROL);
        desk->PressKey('S');
        desk->KeyUp(VK_CONTROL);
        DispatchPendingMessages();
    };

    ctrlS();
    EXPECT_EQ(saves, 1);

    auto* other = new TForm(app);
    other->SetBounds(600, 100, 200, 200);
    other->Show();
    DispatchPendingMessages();
    ASSERT_TRUE(other->Active());
    ASSERT_FALSE(form->Active());
    ctrlS();
    EXPECT_EQ(saves, 1);

    SetActiveWindow(form->Handle());
    DispatchPendingMessages();
    ctrlS();
    EXPECT_EQ(saves, 2);
}

} // namespace
