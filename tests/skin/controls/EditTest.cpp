// The skinned edit box: editing keys, the characters it takes, the clipboard, scrolling, clicks,
// the look in every style and the keys it leaves to the form.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "host/ui/Streaming.h"
#include "host/win/Clipboard.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "skin/controls/SUIEdit.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIThemeFile.h"
#include "tests/skin/controls/SUIButtonTestSupport.h"

namespace {

class EditTest : public ButtonTest {
protected:
    // Plays words of a key script on the focused control: "type:TEXT" types characters ('_' for a
    // space); a key name (Left, Right, Home, End, Back, Del, Ins, Tab, or one letter) is pressed,
    // held with Shift after "S-" and with Ctrl after "C-".
    void PlayKeys(const std::string& script)
    {
        std::istringstream words(script);
        std::string word;
        while (words >> word) {
            if (word.starts_with("type:")) {
                std::string text = word.substr(5);
                std::replace(text.begin(), text.end(), '_', ' ');
                desk->TypeText(text);
                DispatchPendingMessages();
                continue;
            }
            int modifier = 0;
            if (word.starts_with("S-") || word.starts_with("C-")) {
                modifier = word[0] == 'S' ? VK_SHIFT : VK_CONTROL;
                word = word.substr(2);
            }
            if (modifier)
                desk->KeyDown(modifier);
            desk->PressKey(KeyOf(word));
            if (modifier)
                desk->KeyUp(modifier);
            DispatchPendingMessages();
        }
    }

    static int KeyOf(const std::string& name)
    {
        struct Name {
            const char* Text;
            int Key;
        };
        for (const Name n :
            { Name { "Left", VK_LEFT }, Name { "Right", VK_RIGHT }, Name { "Home", VK_HOME }, Name { "End", VK_END },
                Name { "Back", VK_BACK }, Name { "Del", VK_DELETE }, Name { "Ins", VK_INSERT }, Name { "Tab", VK_TAB } })
            if (name == n.Text)
                return n.Key;
        EXPECT_EQ(name.size(), 1u) << name;
        return std::toupper(static_cast<unsigned char>(name[0]));
    }

    // The x of the caret, in the edit box's client coordinates.
    static int CaretX(TsuiEdit* edit)
    {
        const TsuiEditLayout layout = edit->TextLayout();
        for (std::size_t i = 0; i < layout.Offsets.size(); ++i)
            if (layout.Offsets[i] == static_cast<std::size_t>(edit->CaretPos()))
                return layout.CaretX[i];
        ADD_FAILURE() << "the caret is not at a caret position";
        return -1;
    }
};

} // namespace

TEST_F(EditTest, KeysEditTheTextAndMoveCaretAndSelection)
{
    struct Case {
        const char* Start;
        int MaxLength;
        const char* Clipboard;
        const char* Keys;
        const char* Text;
        int Caret;
        int SelStart;
        int SelLength;
        const char* ClipboardAfter;
    };
    const Case cases[] = {
        { "", 0, "", "type:kana", "kana", 4, 4, 0, "" },
        { "kana", 0, "", "End Back", "kan", 3, 3, 0, "" },
        { "kana", 0, "", "Home Del", "ana", 0, 0, 0, "" },
        { "kana", 0, "", "Home Back End Del", "kana", 4, 4, 0, "" },
        { "kana", 0, "", "Home Right Right type:X", "kaXna", 3, 3, 0, "" },
        { "kana", 0, "", "End S-Left S-Left", "kana", 2, 2, 2, "" },
        { "kana", 0, "", "End S-Left S-Left type:ji", "kaji", 4, 4, 0, "" },
        { "kana", 0, "", "Right S-End", "kana", 4, 1, 3, "" },
        { "kana", 0, "", "End S-Home Right", "kana", 4, 4, 0, "" },
        { "kana", 0, "", "End S-Home Left", "kana", 0, 0, 0, "" },
        { "kana", 0, "", "S-Right S-Right S-Left", "kana", 1, 0, 1, "" },
        { "kana", 0, "", "C-a", "kana", 4, 0, 4, "" },
        { "kana", 0, "", "C-a type:o", "o", 1, 1, 0, "" },
        { "kana", 0, "", "C-a Back", "", 0, 0, 0, "" },
        { "kana", 0, "", "Right S-Right Del", "kna", 1, 1, 0, "" },
        { "", 0, "", "type:n'(a)\u00a0b", "n'(a)b", 6, 6, 0, "" },
        { "", 0, "", "type:shi_ka", "shi ka", 6, 6, 0, "" },
        { "", 0, "", "type:k1a-\u30ca!n.9", "kan", 3, 3, 0, "" },
        { "kana", 0, "shi 2x!", "End C-v", "kanashi x", 9, 9, 0, "shi 2x!" },
        { "kana", 0, "Tsu\n", "Home S-Ins", "Tsukana", 3, 3, 0, "Tsu\n" },
        { "kana", 0, "\u3064-42", "C-a C-v", "kana", 4, 0, 4, "\u3064-42" },
        { "kana", 0, "", "S-Right S-Right C-c End C-v", "kanaka", 6, 6, 0, "ka" },
        { "kana", 0, "", "S-Right S-Right C-Ins", "kana", 2, 0, 2, "ka" },
        { "kana", 0, "old", "S-Right S-Right C-x", "na", 0, 0, 0, "ka" },
        { "kana", 0, "old", "S-End Left S-Del", "kana", 0, 0, 0, "old" },
        { "kana", 0, "old", "S-Right S-Del", "ana", 0, 0, 0, "k" },
        { "kana", 5, "", "End type:abc", "kanaa", 5, 5, 0, "" },
        { "kana", 4, "", "End S-Left type:xyz", "kanx", 4, 4, 0, "" },
        { "kana", 6, "wxyz", "Home C-v", "wxkana", 2, 2, 0, "wxyz" },
        { "kana", 4, "", "Home type:b", "kana", 0, 0, 0, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.Start + "' with " + c.Keys);
        auto* edit = Place<TsuiEdit>(10, 10);
        edit->SetText(c.Start);
        edit->SetMaxLength(c.MaxLength);
        SetClipboardText(c.Clipboard);
        edit->SetFocus();
        ASSERT_TRUE(edit->Focused());
        PlayKeys(c.Keys);
        EXPECT_EQ(edit->Text(), c.Text);
        EXPECT_EQ(edit->CaretPos(), c.Caret);
        EXPECT_EQ(edit->SelStart(), c.SelStart);
        EXPECT_EQ(edit->SelLength(), c.SelLength);
        EXPECT_EQ(GetClipboardText(), c.ClipboardAfter);
        delete edit;
    }
}

TEST_F(EditTest, ChangesAreReportedOncePerChangeOfText)
{
    auto* edit = Place<TsuiEdit>(10, 10);
    std::vector<std::string> changes;
    edit->OnChange = [&](TObject*) { changes.push_back(edit->Text()); };
    edit->SetFocus();
    PlayKeys("type:a1b Left Home End S-Left Back Back");
    edit->SetText("tsu");
    edit->SetText("tsu");
    EXPECT_EQ(changes, (std::vector<std::string> { "a", "ab", "a", "", "tsu" }));
    EXPECT_EQ(edit->CaretPos(), 0) << "text set in code puts the caret at its start";
}

TEST_F(EditTest, EnterEscapeAndTabGoOnToTheHandlersAndTheForm)
{
    auto* edit = Place<TsuiEdit>(10, 10);
    auto* next = Place<TsuiEdit>(10, 40);
    std::u32string formChars, editChars;
    std::vector<int> editKeys;
    form->SetKeyPreview(true);
    form->OnKeyPress = [&](TObject*, char32_t& key) { formChars += key; };
    edit->OnKeyPress = [&](TObject*, char32_t& key) { editChars += key; };
    edit->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) { editKeys.push_back(key); };
    edit->SetText("ka");
    edit->SetFocus();

    // Enter as a keyboard gives it: the key, its character, the release; then Escape's character.
    desk->KeyDown(VK_RETURN);
    desk->TypeText("\r");
    desk->KeyUp(VK_RETURN);
    desk->TypeText("\x1B");
    DispatchPendingMessages();
    EXPECT_EQ(formChars, U"\r\x1B");
    EXPECT_EQ(editChars, U"\r\x1B");
    EXPECT_EQ(editKeys, std::vector<int> { VK_RETURN });
    EXPECT_EQ(edit->Text(), "ka");

    // A handler that takes a character keeps it from the edit box.
    edit->OnKeyPress = [&](TObject*, char32_t& key) { key = key == U'x' ? 0 : key; };
    PlayKeys("End type:xo");
    EXPECT_EQ(edit->Text(), "kao");

    // The form's default button gets Enter as a dialog key.
    auto* ok = Place<TsuiButton>(200, 10);
    ok->SetDefault(true);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    edit->SetFocus();
    desk->PressKey(VK_RETURN);
    DispatchPendingMessages();
    EXPECT_EQ(okClicks, 1);

    edit->SetFocus();
    PlayKeys("Tab");
    EXPECT_TRUE(next->Focused()) << "Tab moves on";
}

TEST_F(EditTest, TheCaretStaysInViewAsTheTextScrolls)
{
    auto* edit = Place<TsuiEdit>(10, 10);
    edit->SetWidth(40);
    edit->SetFocus();
    PlayKeys("type:abcdefghijklmnopqrstu");
    TsuiEditLayout layout = edit->TextLayout();
    EXPECT_LT(layout.CaretX.front(), layout.TextRect.Left) << "scrolled";
    EXPECT_GE(CaretX(edit), layout.TextRect.Left);
    EXPECT_LT(CaretX(edit), layout.TextRect.Right);
    PlayKeys("Home");
    EXPECT_EQ(edit->TextLayout().CaretX.front(), layout.TextRect.Left);
    PlayKeys("End");
    EXPECT_EQ(CaretX(edit), layout.TextRect.Right - 1) << "the end of the text at the right edge";
    PlayKeys("C-a Back");
    EXPECT_EQ(edit->TextLayout().CaretX.front(), layout.TextRect.Left) << "nothing left to scroll";
}

TEST_F(EditTest, AClickPlacesTheCaretAtTheNearestGapAndShiftClickOrDragSelects)
{
    auto* edit = Place<TsuiEdit>(10, 10);
    auto* other = Place<TsuiEdit>(10, 40);
    edit->SetText("wawa");
    other->SetFocus();
    const TsuiEditLayout layout = edit->TextLayout();
    const int middle = layout.TextTop + layout.TextHeight / 2;
    TPoint p = At(edit, layout.CaretX[2] + 1, middle);
    desk->Click(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->CaretPos(), 2);
    p = At(edit, layout.CaretX[4] - 1, middle);
    desk->KeyDown(VK_SHIFT);
    desk->Click(p.X, p.Y);
    desk->KeyUp(VK_SHIFT);
    DispatchPendingMessages();
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 2);
    p = At(edit, 1, middle);
    desk->Click(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_EQ(edit->CaretPos(), 0);
    EXPECT_EQ(edit->SelLength(), 0);

    // Dragging selects from the press to the pointer.
    p = At(edit, layout.CaretX[1], middle);
    desk->PressMouse(p.X, p.Y);
    p = At(edit, layout.CaretX[3], middle);
    desk->MoveMouse(p.X, p.Y);
    desk->ReleaseMouse(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 2);
    EXPECT_EQ(edit->CaretPos(), 3);
}

TEST_F(EditTest, EveryStyleGivesBorderBackgroundFocusRingCaretAndSelection)
{
    for (const TsuiUIStyle style : { MacOS, WinXP, DeepBlue, Protein, BlueGlass }) {
        SCOPED_TRACE(static_cast<int>(style));
        auto* edit = Place<TsuiEdit>(10, 10);
        auto* other = Place<TsuiEdit>(10, 40);
        edit->SetUIStyle(style);
        const TColor border = GetThemeColor(style, SUI_THEME_CONTROL_BORDER_COLOR);
        const TColor background = GetThemeColor(style, SUI_THEME_CONTROL_BACKGROUND_COLOR);
        const TColor ring = GetThemeColor(style, SUI_THEME_MENU_SELECTED_BORDER_COLOR);
        const TColor caret = GetThemeColor(style, SUI_THEME_CONTROL_FONT_COLOR);
        const TsuiEditLayout layout = edit->TextLayout();
        const int x = layout.CaretX.front();
        const int y = layout.TextTop + layout.TextHeight / 2;
        const int middle = edit->Height() / 2;

        other->SetFocus();
        TBitmap shot = Shot(edit);
        EXPECT_EQ(shot.GetPixel(0, middle), border);
        EXPECT_EQ(shot.GetPixel(edit->Width() - 1, middle), border);
        EXPECT_EQ(shot.GetPixel(1, middle), background) << "no focus ring";
        EXPECT_EQ(shot.GetPixel(x, y), background) << "no caret";

        edit->SetFocus();
        shot = Shot(edit);
        EXPECT_EQ(shot.GetPixel(0, middle), border);
        EXPECT_EQ(shot.GetPixel(1, middle), ring);
        EXPECT_EQ(shot.GetPixel(edit->Width() / 2, 1), ring);
        EXPECT_EQ(shot.GetPixel(x, y), caret);
        EXPECT_EQ(shot.GetPixel(x + 2, y), background);

        // Blanks, selected: the selection's colour between their caret positions.
        edit->SetText("   ");
        edit->SelectAll();
        const int inside = (edit->TextLayout().CaretX[0] + edit->TextLayout().CaretX[3]) / 2;
        EXPECT_EQ(Shot(edit).GetPixel(inside, y), GetThemeColor(style, SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR));
        other->SetFocus();
        EXPECT_EQ(Shot(edit).GetPixel(inside, y), background) << "the selection shows only with the focus";
        delete edit;
        delete other;
    }
}

TEST_F(EditTest, ThemeFileColoursOnlyFromThemeFileWhichFallsBackToDeepBlue)
{
    TsuiThemeFileWriter writer;
    writer.AddInt("ControlBorderColor", clRed);
    writer.AddInt("ControlBackgroundColor", clYellow);
    writer.AddInt("ControlFontColor", clBlue);
    writer.AddInt("MenuSelectedBorderColor", clLime);
    const std::string path = ::testing::TempDir() + "edit-theme.thm";
    writer.SaveToFile(path);

    auto* edit = Place<TsuiEdit>(10, 10);
    edit->SetUIStyle(FromThemeFile);
    const int middle = edit->Height() / 2;
    EXPECT_EQ(Shot(edit).GetPixel(0, middle), GetThemeColor(DeepBlue, SUI_THEME_CONTROL_BORDER_COLOR));
    EXPECT_EQ(Shot(edit).GetPixel(1, middle), GetThemeColor(DeepBlue, SUI_THEME_CONTROL_BACKGROUND_COLOR));

    auto* theme = new TsuiFileTheme(form);
    theme->SetThemeFile(path);
    ASSERT_TRUE(theme->ThemeLoaded());
    edit->SetFileTheme(theme);
    EXPECT_EQ(Shot(edit).GetPixel(0, middle), clRed);
    EXPECT_EQ(Shot(edit).GetPixel(1, middle), clYellow);
    edit->SetFocus();
    EXPECT_EQ(Shot(edit).GetPixel(1, middle), clLime);

    edit->SetUIStyle(WinXP);
    EXPECT_EQ(Shot(edit).GetPixel(0, middle), GetThemeColor(WinXP, SUI_THEME_CONTROL_BORDER_COLOR));
    edit->SetUIStyle(FromThemeFile);
    delete theme;
    EXPECT_EQ(edit->FileTheme(), nullptr);
    EXPECT_EQ(edit->UIStyle(), DeepBlue);
    std::remove(path.c_str());
}

TEST_F(EditTest, StoredLayoutHoldsTheEditBoxWithItsTextOnce)
{
    RegisterEditClasses();
    auto* stored = new TForm(app);
    ReadComponentFromString(R"(object Stored: TForm
  object Answer: TsuiEdit
    Left = 8
    Top = 6
    Text = 'kya'
    MaxLength = 8
    UIStyle = WinXP
    TabStop = False
  end
end
)",
        stored);
    auto* edit = dynamic_cast<TsuiEdit*>(stored->FindComponent("Answer"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "kya");
    EXPECT_EQ(edit->MaxLength(), 8);
    EXPECT_EQ(edit->UIStyle(), WinXP);
    EXPECT_FALSE(edit->TabStop());
    EXPECT_EQ(std::make_pair(edit->Width(), edit->Height()), std::make_pair(121, 21));

    const std::string text = WriteComponentToString(stored);
    EXPECT_NE(text.find("Text = 'kya'"), std::string::npos) << text;
    EXPECT_EQ(text.find("Caption"), std::string::npos) << text;
    EXPECT_TRUE(Place<TsuiEdit>(0, 0)->TabStop()) << "a new edit box is a tab stop";
}
