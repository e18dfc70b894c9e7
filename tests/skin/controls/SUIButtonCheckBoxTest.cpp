// The skinned check box and radio button: toggling, radio groups, keys and accelerators, the
// state frames and the automatic size.
#include <string>
#include <vector>

#include "host/ui/Panel.h"
#include "host/ui/Streaming.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "skin/core/SUIMgr.h"
#include "tests/skin/controls/SUIButtonTestSupport.h"

namespace {

TPanel* PanelOn(TWinControl* parent, TComponent* owner, int x)
{
    auto* panel = new TPanel(owner);
    panel->SetParent(parent);
    panel->SetBounds(x, 0, 150, 200);
    return panel;
}

template <typename T> T* On(TWinControl* parent, TComponent* owner, int y, int group = 0)
{
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(5, y, 93, 17);
    if constexpr (std::is_same_v<T, TsuiRadioButton>)
        control->SetGroupIndex(group);
    return control;
}

} // namespace

TEST_F(ButtonTest, RadioGroupIsSiblingsWithTheSameGroupIndex)
{
    TPanel* panel = PanelOn(form, form, 0);
    TPanel* otherPanel = PanelOn(form, form, 200);
    auto* r1 = On<TsuiRadioButton>(panel, form, 0);
    auto* r2 = On<TsuiRadioButton>(panel, form, 20);
    auto* r3 = On<TsuiRadioButton>(panel, form, 40);
    auto* other = On<TsuiRadioButton>(panel, form, 60, 1);
    auto* elsewhere = On<TsuiRadioButton>(otherPanel, form, 0);
    auto* box = On<TsuiCheckBox>(panel, form, 80);
    r1->SetChecked(true);
    other->SetChecked(true);
    elsewhere->SetChecked(true);
    box->SetChecked(true);

    int clicks = 0;
    r2->OnClick = [&](TObject*) { ++clicks; };
    const TPoint p = At(r2, 5, 8);
    desk->Click(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r1->Checked());
    EXPECT_FALSE(r3->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(r2->Focused());
    // A click never unchecks a radio button, and still counts.
    desk->Click(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_TRUE(r2->Checked());
    EXPECT_EQ(clicks, 2);

    // Checked in code unchecks the group too.
    r3->SetChecked(true);
    EXPECT_FALSE(r2->Checked());
    // Setting the value it has changes nothing, not even the group.
    other->SetGroupIndex(0);
    other->SetChecked(true);
    EXPECT_TRUE(r3->Checked());
}

TEST_F(ButtonTest, CheckBoxClickTogglesBeforeOnClick)
{
    auto* box = Place<TsuiCheckBox>(10, 10);
    std::vector<bool> seen;
    box->OnClick = [&](TObject*) { seen.push_back(box->Checked()); };
    const TPoint p = At(box, 5, 8);
    desk->Click(p.X, p.Y);
    DispatchPendingMessages();
    desk->Click(p.X, p.Y); // quick, so a double click if the box allowed them
    DispatchPendingMessages();
    EXPECT_EQ(seen, (std::vector<bool> { true, false }));

    // Checked in code fires no click.
    box->SetChecked(true);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ButtonTest, StateGrayedUnchecks)
{
    auto* box = Place<TsuiCheckBox>(10, 10);
    box->SetState(cbChecked);
    EXPECT_TRUE(box->Checked());
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(ButtonTest, SpaceOrEnterReleasedOnTheFocusedBoxToggles)
{
    auto* box = Place<TsuiCheckBox>(10, 10);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    desk->KeyDown(VK_SPACE);
    DispatchPendingMessages();
    EXPECT_FALSE(box->Checked()) << "no pressed look; the release clicks";
    desk->KeyUp(VK_SPACE);
    DispatchPendingMessages();
    EXPECT_TRUE(box->Checked());
    desk->PressKey(VK_RETURN);
    DispatchPendingMessages();
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);

    // A default button takes Enter first; the box is left alone.
    auto* ok = Place<TsuiButton>(200, 10);
    ok->SetDefault(true);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    box->SetFocus();
    desk->PressKey(VK_RETURN);
    DispatchPendingMessages();
    EXPECT_EQ(okClicks, 1);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(ok->Focused()) << "a clicked button takes the focus";

    // Disabled: keys do nothing, code still does.
    box->SetFocus();
    desk->PressKey(VK_SPACE);
    DispatchPendingMessages();
    EXPECT_TRUE(box->Checked());
    box->SetEnabled(false);
    desk->PressKey(VK_SPACE);
    DispatchPendingMessages();
    EXPECT_TRUE(box->Checked());
    box->SetChecked(false);
    EXPECT_FALSE(box->Checked());
}

TEST_F(ButtonTest, AcceleratorClicksButTheAmpersandIsDrawn)
{
    auto* radio = Place<TsuiRadioButton>(10, 10);
    auto* other = Place<TsuiCheckBox>(10, 40);
    radio->SetUIStyle(MacOS);
    radio->SetCaption("&Kana");
    other->SetFocus();
    desk->TypeText("k");
    DispatchPendingMessages();
    EXPECT_TRUE(radio->Checked());
    EXPECT_TRUE(radio->Focused());
    // The width counts the ampersand: it is drawn as it stands.
    Shot(radio);
    TCanvas& canvas = radio->Canvas();
    canvas.Font().Assign(radio->Font());
    EXPECT_EQ(radio->Width(), 16 + canvas.TextWidth("&Kana") + 8);

    radio->SetChecked(false);
    radio->SetEnabled(false);
    other->SetFocus();
    desk->TypeText("k");
    DispatchPendingMessages();
    EXPECT_FALSE(radio->Checked());
}

TEST_F(ButtonTest, AutoSizeFitsTheBoxAndCaptionAtPaint)
{
    auto* radio = Place<TsuiRadioButton>(10, 10);
    radio->SetUIStyle(MacOS);
    radio->SetCaption("Hiragana");
    Shot(radio);
    TCanvas& canvas = radio->Canvas();
    canvas.Font().Assign(radio->Font());
    const int th = canvas.TextHeight("W");
    const int tw = canvas.TextWidth("Hiragana");
    EXPECT_EQ(radio->Height(), std::max(th + 2, 17) + 4);
    EXPECT_EQ(radio->Width(), 16 + tw + 8);

    auto* box = Place<TsuiCheckBox>(10, 40);
    box->SetUIStyle(WinXP);
    box->SetCaption("Hiragana");
    Shot(box);
    EXPECT_EQ(box->Height(), std::max(th + 2, 13) + 4);
    EXPECT_EQ(box->Width(), 13 + tw + 8);

    // Without AutoSize the size stays as set.
    box->SetAutoSize(false);
    box->SetBounds(10, 40, 200, 30);
    Shot(box);
    EXPECT_EQ(box->Width(), 200);
    EXPECT_EQ(box->Height(), 30);
}

TEST_F(ButtonTest, StateFrameFollowsCheckedAndEnabled)
{
    for (TsuiUIStyle style : { MacOS, WinXP, DeepBlue, Protein, BlueGlass }) {
        auto* box = Place<TsuiCheckBox>(10, 10);
        box->SetUIStyle(style);
        box->SetColor(clWhite);
        struct Case {
            bool Checked, Enabled;
            int Frame;
        };
        for (const Case c :
            { Case { true, true, 1 }, Case { false, true, 2 }, Case { true, false, 3 }, Case { false, false, 4 } }) {
            box->SetChecked(c.Checked);
            box->SetEnabled(c.Enabled);
            const TBitmap frame = Frame(style, SUI_THEME_CHECKBOX_IMAGE, 4, c.Frame);
            const TBitmap shot = Shot(box);
            const int top = (box->Height() - frame.Height()) / 2;
            for (int y = 0; y < frame.Height(); ++y)
                for (int x = 0; x < frame.Width(); ++x)
                    ASSERT_EQ(shot.GetPixel(1 + x, top + y), frame.GetPixel(x, y))
                        << "style " << int(style) << " frame " << c.Frame << " at " << x << "," << y;
        }
        delete box;
    }
}

TEST_F(ButtonTest, RadioFrameLeavesItsLowerLeftColourOut)
{
    auto* radio = Place<TsuiRadioButton>(10, 10);
    radio->SetUIStyle(WinXP);
    radio->SetColor(clLime);
    const TBitmap frame = Frame(WinXP, SUI_THEME_RADIOBUTTON_IMAGE, 4, 2);
    const TColor key = frame.GetPixel(0, frame.Height() - 1);
    const TBitmap shot = Shot(radio);
    const int top = (radio->Height() - frame.Height()) / 2;
    int keyed = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            const TColor expected = frame.GetPixel(x, y) == key ? clLime : frame.GetPixel(x, y);
            ASSERT_EQ(shot.GetPixel(1 + x, top + y), expected) << x << "," << y;
            keyed += frame.GetPixel(x, y) == key;
        }
    EXPECT_GT(keyed, 0);
}

TEST_F(ButtonTest, FocusedBoxShowsADottedFrameAroundItsCaption)
{
    auto* box = Place<TsuiCheckBox>(10, 10);
    auto* other = Place<TsuiCheckBox>(10, 40);
    box->SetCaption("Kana");
    box->SetColor(clWhite);
    other->SetFocus();
    const TBitmap before = Shot(box);
    box->SetFocus();
    const TBitmap after = Shot(box);
    const int x = 13 + 4 - 1;
    int changed = 0;
    for (int y = 0; y < box->Height(); ++y)
        changed += before.GetPixel(x, y) != after.GetPixel(x, y);
    EXPECT_GT(changed, 3);
    // Nothing left of the caption.
    for (int y = 0; y < box->Height(); ++y)
        EXPECT_EQ(before.GetPixel(0, y), after.GetPixel(0, y));
}

TEST_F(ButtonTest, RemovedFileThemeResetsTheBoxToDeepBlue)
{
    auto* radio = Place<TsuiRadioButton>(10, 10);
    auto* theme = new TsuiFileTheme(form);
    radio->SetUIStyle(MacOS);
    radio->SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(radio->FileTheme(), nullptr);
    EXPECT_EQ(radio->UIStyle(), DeepBlue);
}

TEST_F(ButtonTest, StoredLayoutLoadsTheControlsAndTheirGroup)
{
    RegisterButtonClasses();
    RegisterClasses<TPanel>();
    auto* stored = new TForm(app);
    ReadComponentFromString(R"(object Stored: TForm
  object Panel1: TPanel
    object R1: TsuiRadioButton
      Caption = 'All'
      UIStyle = MacOS
      AutoSize = True
      Transparent = False
      State = cbChecked
      GroupIndex = 0
    end
    object R2: TsuiRadioButton
      Caption = 'Hiragana'
      UIStyle = MacOS
      State = cbUnchecked
    end
    object R3: TsuiRadioButton
      Caption = 'Katakana'
      UIStyle = MacOS
      State = cbChecked
    end
    object suiButton1: TsuiButton
      Caption = 'Draw'
      UIStyle = WinXP
      AutoSize = False
      Transparent = False
      ModalResult = 0
      Layout = blGlyphLeft
      Spacing = 4
      MouseContinuouslyDownInterval = 100
      ResHandle = 0
    end
  end
end
)",
        stored);
    auto* r1 = dynamic_cast<TsuiRadioButton*>(stored->FindComponent("R1"));
    auto* r3 = dynamic_cast<TsuiRadioButton*>(stored->FindComponent("R3"));
    auto* button = dynamic_cast<TsuiButton*>(stored->FindComponent("suiButton1"));
    ASSERT_NE(r1, nullptr);
    ASSERT_NE(r3, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(r1->Checked()) << "R3, checked later, unchecked it";
    EXPECT_TRUE(r3->Checked());
    EXPECT_EQ(r3->UIStyle(), MacOS);
    EXPECT_EQ(button->UIStyle(), WinXP);
    EXPECT_EQ(button->Caption(), "Draw");
    EXPECT_EQ(button->ResHandle(), 0u);
}

TEST_F(ButtonTest, StoredGlyphComesBackFromTheLayout)
{
    RegisterButtonClasses();
    auto* original = new TForm(app);
    original->SetName("Gallery");
    auto* button = new TsuiButton(original);
    button->SetName("Glyphed");
    button->SetParent(original);
    TBitmap glyph(32, 16);
    glyph.SetPixel(20, 5, clRed);
    button->SetGlyph(glyph);
    const std::string text = WriteComponentToString(original);
    EXPECT_NE(text.find("Glyph.Data"), std::string::npos);
    delete original;

    auto* copy = new TForm(app);
    ReadComponentFromString(text, copy);
    auto* read = dynamic_cast<TsuiButton*>(copy->FindComponent("Glyphed"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Glyph().Width(), 32);
    EXPECT_EQ(read->Glyph().GetPixel(20, 5), clRed);
}
