// Typing through drive scripts: characters as a keyboard sends them, into the focused control.
#include <vector>

#include "AppTestSupport.h"
#include "host/win/VirtualKeys.h"
#include "skin/controls/SUIEdit.h"

TEST_F(MainWindowTest, TypedTextReachesTheFocusedControlKeyByKey)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a") });
    Start();
    // The main window holds no edit box of its own; this one stands for a page's.
    auto* edit = new TsuiEdit(&Form());
    edit->SetName("Answer");
    edit->SetParent(Form().Panel1);
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    std::vector<int> keys;
    std::u32string chars;
    edit->OnKeyDown
        = [&](TObject*, std::uint16_t& key, TShiftState shift) { keys.push_back(shift.Contains(ssShift) ? -key : key); };
    edit->OnKeyPress = [&](TObject*, char32_t& key) { chars += key; };

    Play("type Ka 1(n)\n");
    EXPECT_EQ(chars, U"Ka 1(n)");
    // Capitals with Shift held (negative here), characters without a key of their own alone.
    EXPECT_EQ(keys, (std::vector<int> { -VK_SHIFT, -'K', 'A', VK_SPACE, '1', 'N' }));
    EXPECT_EQ(edit->Text(), "Ka (n)");

    Play("type  x \ndump typed.json\n");
    EXPECT_EQ(edit->Text(), "Ka (n) x ");
    EXPECT_NE(Session().Dump().find("{\"name\": \"Answer\", \"class\": \"TsuiEdit\", \"parent\": \"Panel1\""), std::string::npos);
    EXPECT_NE(Session().Dump().find("\"text\": \"Ka (n) x \""), std::string::npos);
}
