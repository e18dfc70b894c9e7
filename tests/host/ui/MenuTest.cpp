#include <gtest/gtest.h>

#include <memory>

#include "TestComponents.h"
#include "host/ui/ImageList.h"
#include "host/ui/Menus.h"
#include "host/ui/Streaming.h"
#include "host/win/VirtualKeys.h"

namespace {

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::string& caption, TShortCut shortCut = scNone)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    parent->Add(item);
    return item;
}

} // namespace

TEST(ShortCutTest, TextRoundTrip)
{
    EXPECT_EQ(ShortCutToText(ShortCut('S', { ssCtrl })), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, { ssShift })), "Shift+F1");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, { ssAlt, ssCtrl, ssShift })), "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F12, {})), "F12");
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_SHIFT, { ssCtrl })), "") << "a key without a name";

    for (const char* text : { "Ctrl+S", "Shift+F1", "Alt+Enter", "Shift+Ctrl+Alt+Del", "Ctrl+0", "PgDn", "Esc", "F24" })
        EXPECT_EQ(ShortCutToText(TextToShortCut(text)), text);
    EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', { ssCtrl })) << "any letter case";
    EXPECT_EQ(TextToShortCut("Ctrl+S"), scCtrl | 'S');
    for (const char* text : { "", "Ctrl+", "Ctrl+Foo", "S+Ctrl", "Ctrl+SS", "Hyper+S" })
        EXPECT_EQ(TextToShortCut(text), scNone) << text;

    int key = 0;
    TShiftState shift;
    ShortCutToKey(TextToShortCut("Shift+Ctrl+F5"), key, shift);
    EXPECT_EQ(key, VK_F1 + 4);
    EXPECT_TRUE(shift == (TShiftState { ssShift, ssCtrl }));
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterMenuClasses(); }

    TComponent form { nullptr };
    std::vector<std::string> clicks;

    TMenuItem* Clickable(TMenuItem* parent, const std::string& caption, TShortCut shortCut = scNone)
    {
        TMenuItem* item = NewItem(&form, parent, caption, shortCut);
        item->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
        return item;
    }
};

TEST_F(MenuTest, IsShortCutClicksTheEnabledItemAnywhereInTheTree)
{
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = NewItem(&form, menu->Items(), "File");
    Clickable(file, "New", TextToShortCut("Ctrl+N"));
    Clickable(file, "Save", TextToShortCut("Ctrl+S"))->SetEnabled(false);
    TMenuItem* recent = NewItem(&form, file, "Recent");
    Clickable(recent, "First", TextToShortCut("Ctrl+1"));
    TMenuItem* edit = NewItem(&form, menu->Items(), "Edit");
    Clickable(edit, "Copy", TextToShortCut("Ctrl+C"));
    edit->SetEnabled(false);
    // A second item with the shortcut of the disabled one: the enabled one answers.
    Clickable(menu->Items(), "Store", TextToShortCut("Ctrl+S"));

    EXPECT_TRUE(menu->IsShortCut('N', { ssCtrl }));
    EXPECT_TRUE(menu->IsShortCut('1', { ssCtrl }));
    EXPECT_TRUE(menu->IsShortCut('S', { ssCtrl }));
    EXPECT_FALSE(menu->IsShortCut('C', { ssCtrl })) << "its parent is disabled";
    EXPECT_FALSE(menu->IsShortCut('N', {})) << "modifiers must match";
    EXPECT_FALSE(menu->IsShortCut('N', { ssCtrl, ssShift }));
    EXPECT_FALSE(menu->IsShortCut(0, {}));
    EXPECT_EQ(clicks, (std::vector<std::string> { "New", "First", "Store" }));
}

TEST_F(MenuTest, ItemChangesNotifyTheMenu)
{
    auto* menu = new TPopupMenu(&form);
    std::vector<std::string> log;
    menu->OnChange = [&log](TObject* sender, TMenuItem* source, bool rebuild) {
        const auto* item = dynamic_cast<TMenuItem*>(sender);
        const std::string caption = item != nullptr ? item->Caption() : "?";
        log.push_back(caption + (source == nullptr ? " root" : "") + (rebuild ? " rebuild" : ""));
    };
    TMenuItem* file = NewItem(&form, menu->Items(), "File");
    TMenuItem* open = NewItem(&form, file, "Open");
    log.clear();

    open->SetCaption("Open...");
    open->SetChecked(true);
    open->SetEnabled(false);
    open->SetShortCut(TextToShortCut("Ctrl+O"));
    open->SetImageIndex(2);
    open->SetDefault(true);
    open->SetVisible(false);
    open->SetCaption("Open...");
    NewItem(&form, file, "Close");
    file->Delete(0);
    EXPECT_EQ(log,
        (std::vector<std::string> { "Open...", "Open...", "Open...", "Open...", "Open...", "Open...", "Open... rebuild",
            "File rebuild", "File rebuild" }));

    log.clear();
    NewItem(&form, menu->Items(), "Help");
    EXPECT_EQ(log, (std::vector<std::string> { " root rebuild" }));

    // An item outside any menu tells nobody; destroying an item tells its menu it went.
    open->SetCaption("Elsewhere");
    log.clear();
    delete file;
    EXPECT_EQ(log, (std::vector<std::string> { " root rebuild" }));
    EXPECT_EQ(menu->Items()->Count(), 1);
}

TEST_F(MenuTest, TreeKeepsItsItemsConsistent)
{
    auto* menu = new TPopupMenu(&form);
    TMenuItem* a = NewItem(&form, menu->Items(), "A");
    TMenuItem* b = NewItem(&form, menu->Items(), "B");
    TMenuItem* c = NewItem(&form, menu->Items(), "C");
    EXPECT_THROW(menu->Items()->Add(a), EMenuError) << "an item has one parent";
    EXPECT_THROW(a->Add(menu->Items()), EMenuError);
    EXPECT_THROW(b->Add(b), EMenuError);
    EXPECT_THROW(b->Remove(a), EMenuError);
    EXPECT_THROW(menu->Items()->Items(3), EMenuError);
    EXPECT_THROW(menu->Items()->Insert(4, new TMenuItem(&form)), EMenuError);

    c->SetMenuIndex(0);
    EXPECT_EQ(menu->Items()->IndexOf(c), 0);
    EXPECT_EQ(a->MenuIndex(), 1);
    EXPECT_EQ(a->Parent(), menu->Items());
    EXPECT_EQ(a->GetParentMenu(), menu);
    EXPECT_EQ(a->GetParentComponent(), menu);

    // A parent frees the sub-items nobody owns and lets go of the others.
    TMenuItem* owned = NewItem(&form, b, "owned");
    NewItem(nullptr, b, "unowned");
    delete b;
    EXPECT_EQ(owned->Parent(), nullptr);
    EXPECT_EQ(menu->Items()->Count(), 2);

    // Radio items of one group among siblings: one checked at a time.
    a->SetRadioItem(true);
    c->SetRadioItem(true);
    a->SetChecked(true);
    c->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    c->SetGroupIndex(1);
    a->SetChecked(true);
    EXPECT_TRUE(c->Checked()) << "another group";

    // The menu goes first: its items stay with their owner, parentless.
    delete menu;
    EXPECT_EQ(a->Parent(), nullptr);
    a->SetCaption("still fine");
}

TEST_F(MenuTest, ImagesReferenceIsClearedWhenTheListGoes)
{
    auto* menu = new TMainMenu(&form);
    TComponent other(nullptr);
    auto* images = new TImageList(&other);
    menu->SetImages(images);
    EXPECT_EQ(menu->Images(), images);
    delete images;
    EXPECT_EQ(menu->Images(), nullptr);
}

TEST_F(MenuTest, MenusAreStoredWithTheirItemsNested)
{
    RegisterTestClasses();
    const char* const layout = R"(object Form1: TTestForm
  object Images1: TImageList
    Width = 8
  end
  object PopupMenu1: TPopupMenu
    Images = Images1
    OwnerDraw = True
    AutoPopup = False
    object File1: TMenuItem
      Caption = 'File'
      object Save1: TMenuItem
        Caption = 'Save'
        ShortCut = 16467
        OnClick = PanelClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Quit1: TMenuItem
        Caption = 'Quit'
        Checked = True
        Default = True
        Enabled = False
        Hint = 'Leave'
        ImageIndex = 0
      end
    end
  end
end
)";
    TTestForm root;
    ReadComponentFromString(layout, &root);
    auto* menu = dynamic_cast<TPopupMenu*>(root.FindComponent("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_FALSE(menu->AutoPopup());
    EXPECT_EQ(menu->Images(), root.FindComponent("Images1"));
    ASSERT_EQ(menu->Items()->Count(), 1);
    TMenuItem* file = menu->Items()->Items(0);
    ASSERT_EQ(file->Count(), 3);
    EXPECT_EQ(ShortCutToText(file->Items(0)->ShortCut()), "Ctrl+S");
    EXPECT_TRUE(file->Items(1)->IsLine());
    TMenuItem* quit = file->Items(2);
    EXPECT_TRUE(quit->Checked() && quit->Default() && !quit->Enabled());
    EXPECT_EQ(quit->Hint(), "Leave");
    EXPECT_EQ(quit->ImageIndex(), 0);

    file->Items(0)->Click();
    EXPECT_EQ(root.Clicks.size(), 1u);

    const std::string written = WriteComponentToString(&root);
    const std::string stored(layout);
    const std::string components = stored.substr(stored.find("  object Images1"));
    EXPECT_NE(written.find(components), std::string::npos) << written;
}
