// The skinned push button: styles and sizes, faces per state, keys, the repeat timer, events
// and the glyph layouts.
#include <cstdio>
#include <string>
#include <vector>

#include "host/ui/Panel.h"
#include "host/ui/Timer.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIThemeFile.h"
#include "tests/skin/controls/SUIButtonTestSupport.h"

namespace {

// A point of a face frame's top-left corner (which the nine-part drawing keeps at pixel size)
// where the normal, mouse-over and pressed frames all differ.
TPoint DistinctCornerPixel(const TBitmap& a, const TBitmap& b, const TBitmap& c)
{
    for (int y = 0; y < a.Height() / 2; ++y)
        for (int x = 0; x < a.Width() / 2; ++x) {
            const TColor pa = a.GetPixel(x, y), pb = b.GetPixel(x, y), pc = c.GetPixel(x, y);
            if (pa != pb && pb != pc && pa != pc && pa != clFuchsia && pb != clFuchsia && pc != clFuchsia)
                return { x, y };
        }
    return { -1, -1 };
}

// A square glyph of one colour on a fuchsia corner key, or two of them side by side.
TBitmap Glyph(int size, TColor color, TColor secondFrame = clNone)
{
    const int frames = secondFrame == clNone ? 1 : 2;
    TBitmap b(size * frames, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size * frames; ++x)
            b.SetPixel(x, y, x < size ? color : secondFrame);
    b.SetPixel(0, 0, clFuchsia);
    b.SetPixel(size, 0, clFuchsia);
    return b;
}

std::vector<std::string> Trace;

} // namespace

TEST_F(ButtonTest, StyleSetsTransparencyUntilTheNextStyleChange)
{
    auto* button = Place<TsuiButton>(10, 10);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Height(), 27);
    EXPECT_EQ(button->UIStyle(), DeepBlue);
    EXPECT_FALSE(button->Transparent());
    EXPECT_TRUE(button->TabStop());
    EXPECT_EQ(button->Spacing(), 4);
    EXPECT_EQ(button->MouseContinuouslyDownInterval(), 100);

    button->SetUIStyle(MacOS);
    EXPECT_TRUE(button->Transparent());
    button->SetTransparent(false);
    EXPECT_FALSE(button->Transparent());
    button->SetCaption("Draw");
    EXPECT_FALSE(button->Transparent());
    button->SetUIStyle(BlueGlass);
    EXPECT_TRUE(button->Transparent());
    button->SetUIStyle(WinXP);
    EXPECT_FALSE(button->Transparent());
    // A theme file given to a built-in style re-applies that style.
    button->SetTransparent(true);
    button->SetFileTheme(new TsuiFileTheme(form));
    EXPECT_FALSE(button->Transparent());
}

TEST_F(ButtonTest, AutoSizeTakesOneFrameOfTheOwnStylesImage)
{
    struct Case {
        TsuiUIStyle Style;
        int Width, Height;
    };
    for (const Case c : { Case { MacOS, 84, 23 }, Case { WinXP, 18, 21 }, Case { DeepBlue, 74, 21 }, Case { Protein, 74, 21 },
             Case { BlueGlass, 77, 27 }, Case { FromThemeFile, 24, 21 } }) {
        auto* button = Place<TsuiButton>(0, 0);
        button->SetUIStyle(c.Style);
        EXPECT_EQ(button->Width(), 80) << "a style change alone keeps the size";
        button->SetAutoSize(true);
        EXPECT_EQ(button->Width(), c.Width) << int(c.Style);
        EXPECT_EQ(button->Height(), c.Height) << int(c.Style);
        delete button;
    }
}

TEST_F(ButtonTest, FaceFrameFollowsHoverPressAndEnabled)
{
    auto* button = Place<TsuiButton>(20, 20);
    button->SetUIStyle(WinXP);
    const TBitmap normal = Frame(WinXP, SUI_THEME_BUTTON_IMAGE, 3, 1);
    const TBitmap over = Frame(WinXP, SUI_THEME_BUTTON_IMAGE, 3, 2);
    const TBitmap pressed = Frame(WinXP, SUI_THEME_BUTTON_IMAGE, 3, 3);
    const TPoint p = DistinctCornerPixel(normal, over, pressed);
    ASSERT_GE(p.X, 0) << "the WinXP frames differ in their corner";
    // The far corner comes from the frame's far corner.
    const TPoint far { normal.Width() - 1, normal.Height() - 1 };
    auto face = [&] { return Shot(button).GetPixel(p.X, p.Y); };

    EXPECT_EQ(face(), normal.GetPixel(p.X, p.Y));
    EXPECT_EQ(Shot(button).GetPixel(79, 26), normal.GetPixel(far.X, far.Y));
    const TPoint centre = At(button, 40, 13);
    desk->MoveMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    EXPECT_TRUE(button->MouseOver());
    EXPECT_EQ(face(), over.GetPixel(p.X, p.Y));
    desk->PressMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(face(), pressed.GetPixel(p.X, p.Y));
    // Dragged off: the normal face at once.
    const TPoint outside = At(button, 90, 13);
    desk->MoveMouse(outside.X, outside.Y);
    DispatchPendingMessages();
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->MouseOver());
    EXPECT_EQ(face(), normal.GetPixel(p.X, p.Y));
    desk->ReleaseMouse(outside.X, outside.Y);
    DispatchPendingMessages();

    // Disabled shows the normal frame, whatever the pointer does.
    desk->MoveMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    button->SetEnabled(false);
    EXPECT_EQ(face(), normal.GetPixel(p.X, p.Y));
}

TEST_F(ButtonTest, DeepBlueFaceIsTheFrameStretchedByNineParts)
{
    auto* button = Place<TsuiButton>(0, 0);
    button->SetUIStyle(DeepBlue);
    const TBitmap normal = Frame(DeepBlue, SUI_THEME_BUTTON_IMAGE, 3, 1);
    ASSERT_EQ(normal.Width(), 74);
    const TBitmap shot = Shot(button);
    // Top-right corner: source (38, 0) lands at (44, 0); bottom-left: source (0, 12) at (0, 18).
    EXPECT_EQ(shot.GetPixel(44 + 5, 3), normal.GetPixel(38 + 5, 3));
    EXPECT_EQ(shot.GetPixel(3, 18 + 4), normal.GetPixel(3, 12 + 4));
}

TEST_F(ButtonTest, MouseEventsComeInOrderAndTheClickGivesTheModalResult)
{
    auto* button = Place<TsuiButton>(20, 20);
    button->SetModalResult(mrOk);
    Trace.clear();
    button->OnMouseEnter = [](TObject*) { Trace.push_back("enter"); };
    button->OnMouseExit = [](TObject*) { Trace.push_back("exit"); };
    button->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { Trace.push_back("down"); };
    button->OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) { Trace.push_back("up"); };
    button->OnClick = [&](TObject*) { Trace.push_back(std::string("click") + (button->Pressed() ? " pressed" : "")); };
    const TPoint centre = At(button, 40, 13);
    desk->MoveMouse(centre.X, centre.Y);
    desk->Click(centre.X, centre.Y);
    DispatchPendingMessages();
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_TRUE(button->Focused());
    EXPECT_FALSE(button->HasRepeatTimer());
    desk->LeaveWindows();
    DispatchPendingMessages();
    EXPECT_EQ(Trace, (std::vector<std::string> { "enter", "down", "up", "click", "exit" }));

    // A second quick click is a click again, never a double click.
    int dbl = 0;
    button->OnDblClick = [&](TObject*) { ++dbl; };
    Trace.clear();
    desk->DoubleClick(centre.X, centre.Y);
    DispatchPendingMessages();
    EXPECT_EQ(std::count(Trace.begin(), Trace.end(), "click"), 2);
    EXPECT_EQ(dbl, 0);

    // Every click hands over the button's result, 0 included.
    button->SetModalResult(mrNone);
    button->Click();
    EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(ButtonTest, HeldButtonRepeatsUntilReleasedInside)
{
    auto* button = Place<TsuiButton>(20, 20);
    int repeats = 0, clicks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++repeats; };
    button->OnClick = [&](TObject*) { ++clicks; };
    const TPoint centre = At(button, 40, 13);
    desk->MoveMouse(centre.X, centre.Y);
    desk->PressMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    ASSERT_TRUE(button->HasRepeatTimer());
    desk->Advance(99);
    EXPECT_EQ(repeats, 0) << "the first repeat comes one interval after the press";
    desk->Advance(1);
    EXPECT_EQ(repeats, 1);
    desk->Advance(250);
    EXPECT_EQ(repeats, 3);
    desk->ReleaseMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->HasRepeatTimer());
    desk->Advance(500);
    EXPECT_EQ(repeats, 3);

    // A repeat event may itself stop the repeating.
    button->OnMouseContinuouslyDown = [&](TObject*) {
        ++repeats;
        button->Perform(CM_MOUSELEAVE, 0, 0);
    };
    desk->PressMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    desk->Advance(500);
    EXPECT_EQ(repeats, 4);
    desk->ReleaseMouse(centre.X, centre.Y);
    DispatchPendingMessages();
}

TEST_F(ButtonTest, MovedOffButtonLooksNormalButRepeatsUntilTheLeaveNotice)
{
    auto* button = Place<TsuiButton>(20, 20);
    int repeats = 0, exits = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++repeats; };
    button->OnMouseExit = [&](TObject*) { ++exits; };
    const TPoint centre = At(button, 40, 13);
    desk->MoveMouse(centre.X, centre.Y);
    desk->PressMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    // The right and bottom edges still count as on the button.
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 27));
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->MouseOver());
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(81, 13));
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->MouseOver());
    desk->Advance(200);
    EXPECT_EQ(repeats, 2);
    button->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(button->HasRepeatTimer());
    desk->Advance(300);
    EXPECT_EQ(repeats, 2);
}

TEST_F(ButtonTest, DraggedOffAndReleasedOutsideIsNoClick)
{
    auto* button = Place<TsuiButton>(20, 20);
    int repeats = 0, clicks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++repeats; };
    button->OnClick = [&](TObject*) { ++clicks; };
    const TPoint centre = At(button, 40, 13);
    const TPoint outside = At(button, 120, 13);
    desk->MoveMouse(centre.X, centre.Y);
    desk->PressMouse(centre.X, centre.Y);
    desk->MoveMouse(outside.X, outside.Y);
    DispatchPendingMessages();
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->HasRepeatTimer());
    desk->ReleaseMouse(outside.X, outside.Y);
    DispatchPendingMessages();
    desk->Advance(300);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(repeats, 0);

    // An interval of 0 repeats never.
    button->SetMouseContinuouslyDownInterval(0);
    desk->MoveMouse(centre.X, centre.Y);
    desk->PressMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    desk->Advance(500);
    EXPECT_EQ(repeats, 0);
    desk->ReleaseMouse(centre.X, centre.Y);
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, SpaceAndEnterPressOnKeyDownAndClickOnKeyUp)
{
    auto* button = Place<TsuiButton>(20, 20);
    button->SetUIStyle(WinXP);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    const TBitmap pressed = Frame(WinXP, SUI_THEME_BUTTON_IMAGE, 3, 3);
    const TPoint p
        = DistinctCornerPixel(Frame(WinXP, SUI_THEME_BUTTON_IMAGE, 3, 1), Frame(WinXP, SUI_THEME_BUTTON_IMAGE, 3, 2), pressed);
    for (int key : { VK_SPACE, VK_RETURN }) {
        desk->KeyDown(key);
        DispatchPendingMessages();
        EXPECT_TRUE(button->Pressed()) << key;
        EXPECT_EQ(Shot(button).GetPixel(p.X, p.Y), pressed.GetPixel(p.X, p.Y));
        EXPECT_EQ(clicks, key == VK_SPACE ? 0 : 1) << "no click before the release";
        desk->KeyUp(key);
        DispatchPendingMessages();
        EXPECT_FALSE(button->Pressed());
    }
    EXPECT_EQ(clicks, 2);
    // A disabled button is not pressed by keys.
    button->SetEnabled(false);
    desk->PressKey(VK_SPACE);
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, DefaultButtonTakesEnterAndCancelButtonEscape)
{
    auto* focused = Place<TsuiButton>(0, 0);
    auto* ok = Place<TsuiButton>(100, 0);
    auto* cancel = Place<TsuiButton>(200, 0);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    int focusedClicks = 0, okClicks = 0, cancelClicks = 0;
    focused->OnClick = [&](TObject*) { ++focusedClicks; };
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    focused->SetFocus();

    desk->KeyDown(VK_RETURN);
    DispatchPendingMessages();
    EXPECT_FALSE(focused->Pressed());
    desk->KeyUp(VK_RETURN);
    DispatchPendingMessages();
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(focusedClicks, 0);

    // Space is no dialog key: the focused button has it.
    focused->SetFocus();
    desk->PressKey(VK_SPACE);
    DispatchPendingMessages();
    EXPECT_EQ(focusedClicks, 1);
    EXPECT_EQ(okClicks, 1);

    desk->PressKey(VK_ESCAPE);
    DispatchPendingMessages();
    EXPECT_EQ(cancelClicks, 1);

    // Not with a modifier held.
    desk->KeyDown(VK_SHIFT);
    desk->PressKey(VK_RETURN);
    desk->KeyUp(VK_SHIFT);
    DispatchPendingMessages();
    EXPECT_EQ(okClicks, 1);
}

TEST_F(ButtonTest, AcceleratorClicksAnEnabledButton)
{
    auto* button = Place<TsuiButton>(0, 0);
    auto* other = Place<TsuiButton>(100, 0);
    button->SetCaption("&Draw");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    other->SetFocus();
    desk->TypeText("d");
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 1);
    desk->TypeText("r");
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    desk->TypeText("D");
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 1);

    EXPECT_TRUE(IsAccel('x', "E&xit"));
    EXPECT_FALSE(IsAccel('x', "E&&xit"));
    EXPECT_TRUE(IsAccel('a', "R&&D &and"));
    EXPECT_FALSE(IsAccel('e', "Exit&"));
}

TEST_F(ButtonTest, CaptionFollowsTheControlTextButNotTheOtherWay)
{
    auto* button = Place<TsuiButton>(0, 0);
    EXPECT_EQ(button->Caption(), "");
    button->SetText("Go");
    EXPECT_EQ(button->Caption(), "Go");
    button->SetCaption("Stop");
    EXPECT_EQ(button->Text(), "Go");
    EXPECT_EQ(button->Caption(), "Stop");
}

TEST_F(ButtonTest, FocusLookIsABoldCaptionOrADottedFrameByStyle)
{
    auto* button = Place<TsuiButton>(20, 20);
    auto* other = Place<TsuiButton>(120, 20);
    for (TsuiUIStyle style : { WinXP, MacOS }) {
        button->SetUIStyle(style);
        other->SetFocus();
        const TBitmap before = Shot(button);
        button->SetFocus();
        const TBitmap after = Shot(button);
        int changedOnFrame = 0;
        for (int x = 2; x < 78; ++x)
            changedOnFrame += before.GetPixel(x, 2) != after.GetPixel(x, 2);
        if (style == WinXP)
            EXPECT_GT(changedOnFrame, 30) << "a dotted frame two pixels inside the border";
        else
            EXPECT_EQ(changedOnFrame, 0) << "no frame in MacOS";
    }
}

TEST_F(ButtonTest, FocusedMacOSCaptionIsBold)
{
    auto* button = Place<TsuiButton>(20, 20);
    auto* other = Place<TsuiButton>(120, 20);
    button->SetUIStyle(MacOS);
    button->SetCaption(" ");
    button->SetFocus();
    const TBitmap bare = Shot(button);
    // Columns where the caption left ink.
    auto inkColumns = [&](const TBitmap& b) {
        int columns = 0;
        for (int x = 0; x < b.Width(); ++x) {
            bool ink = false;
            for (int y = 0; y < b.Height(); ++y)
                ink = ink || b.GetPixel(x, y) != bare.GetPixel(x, y);
            columns += ink;
        }
        return columns;
    };
    button->SetCaption("WWWW");
    other->SetFocus();
    const int plain = inkColumns(Shot(button));
    button->SetFocus();
    const int bold = inkColumns(Shot(button));
    EXPECT_GT(plain, 0);
    EXPECT_GT(bold, plain);
    // The bold look lasts one paint: unfocused again, the caption is plain.
    other->SetFocus();
    EXPECT_EQ(inkColumns(Shot(button)), plain);
}

TEST_F(ButtonTest, BlankCaptionIsNotDrawn)
{
    auto* button = Place<TsuiButton>(20, 20);
    const TBitmap empty = Shot(button);
    button->SetCaption("   ");
    const TBitmap blank = Shot(button);
    for (int y = 0; y < empty.Height(); ++y)
        for (int x = 0; x < empty.Width(); ++x)
            ASSERT_EQ(empty.GetPixel(x, y), blank.GetPixel(x, y)) << x << "," << y;
}

TEST_F(ButtonTest, GlyphLayoutsPlaceGlyphAndCaption)
{
    auto* button = Place<TsuiButton>(20, 20);
    button->SetUIStyle(WinXP);
    button->SetCaption("Go");
    button->SetSpacing(3);
    button->SetGlyph(Glyph(10, clRed));
    const int tw = button->Canvas().TextWidth("Go");
    const int th = button->Canvas().TextHeight("Go");
    const int w = 80, h = 27, g = 10, s = 3;
    struct Case {
        TButtonLayout Layout;
        TPoint Glyph, Caption;
    };
    const int gxLeft = (w - g - tw - s) / 2, gxRight = (w + tw + s - g) / 2;
    const int gyTop = (h - th - g - s) / 2, gyBottom = (h + th + s - g) / 2;
    for (const Case& c : { Case { blGlyphLeft, { gxLeft, (h - g) / 2 }, { gxLeft + g + s, (h - th) / 2 } },
             Case { blGlyphRight, { gxRight, (h - g) / 2 }, { gxRight - tw - s, (h - th) / 2 } },
             Case { blGlyphTop, { (w - g) / 2, gyTop }, { (w - tw) / 2, gyTop + g + s } },
             Case { blGlyphBottom, { (w - g) / 2, gyBottom }, { (w - tw) / 2, gyBottom - th - s } } }) {
        button->SetLayout(c.Layout);
        const TBitmap shot = Shot(button);
        EXPECT_EQ(button->CaptionPos().X, c.Caption.X) << int(c.Layout);
        EXPECT_EQ(button->CaptionPos().Y, c.Caption.Y) << int(c.Layout);
        // The glyph's key colour is left out; the rest lands at the glyph position.
        EXPECT_NE(shot.GetPixel(c.Glyph.X, c.Glyph.Y), clFuchsia);
        EXPECT_EQ(shot.GetPixel(c.Glyph.X + 1, c.Glyph.Y), clRed) << int(c.Layout);
        EXPECT_EQ(shot.GetPixel(c.Glyph.X + 9, c.Glyph.Y + 9), clRed) << int(c.Layout);
    }
    // Pressed, the glyph moves one pixel right and down.
    button->SetLayout(blGlyphLeft);
    button->SetFocus();
    desk->KeyDown(VK_SPACE);
    const TBitmap pressed = Shot(button);
    EXPECT_EQ(pressed.GetPixel(gxLeft + 10, (h - g) / 2 + 10), clRed);
    desk->KeyUp(VK_SPACE);
    DispatchPendingMessages();
}

TEST_F(ButtonTest, DisabledGlyphIsTheSecondFrameOrTheGreyedOne)
{
    auto* button = Place<TsuiButton>(20, 20);
    button->SetUIStyle(WinXP);
    const int gx = (80 - 16 - 0 - 4) / 2, gy = (27 - 16) / 2;

    button->SetGlyph(Glyph(16, clRed, clBlue));
    EXPECT_EQ(Shot(button).GetPixel(gx + 8, gy + 8), clRed);
    button->SetEnabled(false);
    EXPECT_EQ(Shot(button).GetPixel(gx + 8, gy + 8), clBlue);

    button->SetGlyph(Glyph(16, clBlack));
    const TColor greyed = Shot(button).GetPixel(gx + 8, gy + 8);
    EXPECT_NE(greyed, clBlack);
    EXPECT_EQ(greyed, ColorToRGB(clBtnShadow));
    button->SetEnabled(true);
    EXPECT_EQ(Shot(button).GetPixel(gx + 8, gy + 8), clBlack);
}

TEST_F(ButtonTest, TransparentButtonShowsItsParentAroundTheFace)
{
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clLime);
    auto* button = new TsuiButton(form);
    button->SetParent(panel);
    button->SetBounds(10, 10, 80, 27);
    button->SetUIStyle(MacOS);
    ASSERT_TRUE(button->Transparent());
    // The MacOS face's corner pixel is its key colour, left out when transparent.
    const TBitmap normal = Frame(MacOS, SUI_THEME_BUTTON_IMAGE, 3, 1);
    ASSERT_EQ(normal.GetPixel(0, 0), clFuchsia);
    EXPECT_EQ(Shot(button).GetPixel(0, 0), clLime);
    button->SetTransparent(false);
    button->SetColor(clBlue);
    EXPECT_EQ(Shot(button).GetPixel(0, 0), clFuchsia) << "opaque: the corner as it is";
}

TEST_F(ButtonTest, RemovedFileThemeFallsBackToDeepBlue)
{
    auto* button = Place<TsuiButton>(0, 0);
    auto* theme = new TsuiFileTheme(form);
    button->SetUIStyle(MacOS);
    button->SetFileTheme(theme);
    EXPECT_EQ(button->UIStyle(), MacOS);
    delete theme;
    EXPECT_EQ(button->FileTheme(), nullptr);
    EXPECT_EQ(button->UIStyle(), DeepBlue);
    EXPECT_FALSE(button->Transparent());
}

TEST_F(ButtonTest, FaceThatCannotBeLoadedLeavesABlankFaceAndTheCaption)
{
    auto* button = Place<TsuiButton>(0, 0);
    // A theme file style without a loaded file falls back to DeepBlue; a style byte past the
    // table has no image at all.
    button->SetUIStyle(static_cast<TsuiUIStyle>(9));
    button->SetTransparent(false);
    button->SetCaption("WWW");
    const TBitmap shot = Shot(button);
    EXPECT_EQ(shot.GetPixel(1, 1), clWhite) << "a blank face";
    bool ink = false;
    for (int x = 20; x < 60; ++x)
        ink = ink || shot.GetPixel(x, 13) != clWhite;
    EXPECT_TRUE(ink);
}

TEST_F(ButtonTest, ThemeFileGivesFacesAndTransparencyToFromThemeFileOnly)
{
    const TColor colours[3] = { clRed, clLime, clBlue };
    TBitmap image(30, 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 30; ++x)
            image.SetPixel(x, y, colours[x / 10]);
    TsuiThemeFileWriter writer;
    writer.AddImage("ButtonImage", image.SaveToBytes());
    writer.AddBool("ButtonTransparentBool", 0);
    const std::string path = ::testing::TempDir() + "button-theme.thm";
    writer.SaveToFile(path);
    auto* theme = new TsuiFileTheme(form);
    theme->SetThemeFile(path);
    ASSERT_TRUE(theme->ThemeLoaded());

    auto* button = Place<TsuiButton>(20, 20);
    button->SetUIStyle(MacOS);
    button->SetFileTheme(theme);
    EXPECT_TRUE(button->Transparent()) << "a built-in style ignores the file";
    button->SetUIStyle(FromThemeFile);
    EXPECT_FALSE(button->Transparent());
    EXPECT_EQ(Shot(button).GetPixel(2, 2), clRed);
    const TPoint centre = At(button, 40, 13);
    desk->MoveMouse(centre.X, centre.Y);
    EXPECT_EQ(Shot(button).GetPixel(2, 2), clLime);
    desk->PressMouse(centre.X, centre.Y);
    EXPECT_EQ(Shot(button).GetPixel(2, 2), clBlue);
    desk->ReleaseMouse(centre.X, centre.Y);
    // The automatic size never reads the file.
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 24);
    EXPECT_EQ(button->Height(), 21);
    std::remove(path.c_str());
}
