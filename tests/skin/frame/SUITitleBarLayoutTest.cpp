#include <filesystem>
#include <unistd.h>

#include "skin/core/SUIMgr.h"
#include "skin/core/SUIThemeFile.h"
#include "skin/frame/SUIAppIcon.h"
#include "skin/frame/SUICaptionText.h"
#include "tests/skin/core/SkinTestSupport.h"
#include "tests/skin/frame/SUITitleBarTestSupport.h"

namespace {

// Blue caption text, smoothed: pixels clearly bluer than they are red or green. The MacOS
// caption images are grey and its buttons red, yellow and green.
bool Bluish(TColor c)
{
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return b - std::max(r, g) > 60;
}

class TitleBarLayoutTest : public TitleBarTest {
protected:
    void BlueCaption(const std::string& caption)
    {
        bar->Font().SetColor(clBlue);
        bar->SetCaption(caption);
        DispatchPendingMessages();
    }

    // The box around the caption's ink between the control box and the minimise button
    // (empty when there is none).
    TRect CaptionInk()
    {
        const TBitmap shot = Shot();
        TRect box { shot.Width(), shot.Height(), 0, 0 };
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < RightButtonX(2); ++x)
                if (Bluish(shot.GetPixel(x, y)))
                    box = { std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                        std::max(box.Bottom, y + 1) };
        return box;
    }
};

} // namespace

TEST(CaptionText, ShortenedCaptionKeepsOneWideOrTwoAsciiCharacters)
{
    EXPECT_EQ(ShortenedCaption("Moraleaf"), "Mo...");
    EXPECT_EQ(ShortenedCaption("平假名"), "平...");
    EXPECT_EQ(ShortenedCaption("M平假名"), "M...");
    EXPECT_EQ(ShortenedCaption("😀x"), "😀...");
    EXPECT_EQ(ShortenedCaption("A"), "A...");
    EXPECT_EQ(ShortenedCaption(""), "...");
    // Broken sequences never swallow more than they hold.
    EXPECT_EQ(ShortenedCaption("\xE5\xB9"), "\xE5\xB9...");
    EXPECT_EQ(ShortenedCaption("\xB9\xB9z"), "\xB9...");
    EXPECT_EQ(ShortenedCaption("\xE5z"), "\xE5...");
}

TEST_F(TitleBarLayoutTest, MacOSStyleSetsSectionsOffsetsAndForm)
{
    EXPECT_EQ(bar->Height(), 23);
    EXPECT_TRUE(bar->AutoSize());
    EXPECT_EQ(bar->Align(), alTop);
    EXPECT_EQ(bar->Width(), 400);
    EXPECT_EQ(bar->LeftBtnXOffset(), 3);
    EXPECT_EQ(bar->RightBtnXOffset(), -2);
    EXPECT_EQ(bar->ButtonTopOffset(), 4);
    EXPECT_EQ(bar->ButtonImageHeight(), 17);
    EXPECT_EQ(bar->RoundCorner(), 0);
    EXPECT_EQ(bar->CornerPenColor(), TColor { 0x7F7F7F });
    EXPECT_EQ(bar->Font().Color(), clBlack);
    EXPECT_EQ(form->Constraints().MinWidth(), 130);
    TsuiTitleBarSections& s = bar->Sections();
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.Items(0)->Width(), 48);
    EXPECT_EQ(s.Items(1)->Width(), 48);
    EXPECT_EQ(s.Items(2)->Picture().Width(), 49);
    EXPECT_TRUE(s.Items(2)->Stretch());

    // The left and right images stand unscaled at the ends.
    TBitmap left, right;
    GetThemeBitmap(MacOS, SUI_THEME_TITLEBAR_LEFT_IMAGE, &left);
    GetThemeBitmap(MacOS, SUI_THEME_TITLEBAR_RIGHT_IMAGE, &right);
    bar->SetCaption("");
    for (int i = 0; i < 4; ++i)
        bar->Buttons().Items(i)->SetVisible(false);
    DispatchPendingMessages();
    TBitmap shot = Shot();
    for (int x : { 0, 20, 47 })
        EXPECT_EQ(shot.GetPixel(x, 11), left.GetPixel(x, 11)) << x;
    for (int x : { 0, 30, 47 })
        EXPECT_EQ(shot.GetPixel(352 + x, 11), right.GetPixel(x, 11)) << x;
}

TEST_F(TitleBarLayoutTest, EveryStylesEndsJoinTheStretchedMiddleWithoutAStep)
{
    // Protein's left end alone is 441 pixels wide.
    form->SetWidth(700);
    bar->SetCaption("");
    // Of one channel, between the last column of an end and the first of the middle (or back):
    // what the 256 colours of a stored bitmap may round apart, well short of a visible step.
    constexpr int kTolerance = 2;
    for (TsuiUIStyle style : { MacOS, WinXP, DeepBlue, Protein, BlueGlass }) {
        bar->SetUIStyle(style);
        for (int i = 0; i < bar->Buttons().Count(); ++i)
            bar->Buttons().Items(i)->SetVisible(false);
        DispatchPendingMessages();
        const TBitmap shot = Shot();
        ASSERT_EQ(shot.Width(), bar->Width());
        const int leftJoin = bar->Sections().Items(0)->Width();
        const int rightJoin = shot.Width() - bar->Sections().Items(1)->Width();
        ASSERT_LT(leftJoin, rightJoin) << int(style);
        for (int join : { leftJoin, rightJoin }) {
            int step = 0;
            for (int y = 0; y < shot.Height(); ++y) {
                const TColor a = shot.GetPixel(join - 1, y), b = shot.GetPixel(join, y);
                for (int shift : { 0, 8, 16 })
                    step = std::max(step, std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)));
            }
            EXPECT_LE(step, kTolerance) << "style " << int(style) << ", join at x " << join;
        }
    }
}

TEST_F(TitleBarLayoutTest, OtherStylesAndTheFileThemeKeepingTheFontColour)
{
    bar->SetUIStyle(WinXP);
    EXPECT_EQ(bar->Font().Color(), clWhite);
    EXPECT_EQ(bar->RoundCorner(), 13);
    EXPECT_EQ(form->Constraints().MinWidth(), 150);
    EXPECT_EQ(bar->Buttons().Items(1)->UIStyle(), WinXP);
    EXPECT_EQ(bar->MenuPopup()->UIStyle(), WinXP);

    bar->Font().SetColor(clRed);
    bar->SetFileTheme(nullptr);
    EXPECT_EQ(bar->Font().Color(), clRed);
    // Without a loaded file the file style reads DeepBlue.
    bar->SetUIStyle(FromThemeFile);
    EXPECT_EQ(bar->Font().Color(), clWhite);
    EXPECT_EQ(bar->Buttons().Items(1)->UIStyle(), DeepBlue);
    EXPECT_EQ(bar->Buttons().Items(1)->PicNormal().Width(), 19);
}

TEST_F(TitleBarLayoutTest, SectionsPackLeftRightAndStretchTheClient)
{
    for (int i = 0; i < 4; ++i)
        bar->Buttons().Items(i)->SetVisible(false);
    bar->SetCaption("");
    TsuiTitleBarSections& s = bar->Sections();
    s.Clear();
    TsuiTitleBarSection* left = s.Add();
    left->SetPicture(TPictureOf(CoordinateBitmap(30, 23)));
    left->SetWidth(20); // the picture is cut to the slot
    TsuiTitleBarSection* right = s.Add();
    right->SetAlign(suiRight);
    right->SetWidth(15);
    right->SetPicture(TPictureOf(FilledBitmap(15, 23, clLime)));
    TsuiTitleBarSection* client = s.Add();
    client->SetPicture(TPictureOf(FilledBitmap(3, 23, clBlue)));
    client->SetAlign(suiClient);
    TsuiTitleBarSection* left2 = s.Add();
    left2->SetWidth(10);
    left2->SetStretch(true);
    left2->SetPicture(TPictureOf(FilledBitmap(2, 2, clYellow)));
    DispatchPendingMessages();

    TBitmap shot = Shot();
    EXPECT_EQ(shot.GetPixel(0, 0), CoordinateColor(0, 0));
    EXPECT_EQ(shot.GetPixel(19, 22), CoordinateColor(19, 22));
    EXPECT_EQ(shot.GetPixel(20, 5), clYellow);
    EXPECT_EQ(shot.GetPixel(29, 22), clYellow);
    EXPECT_EQ(shot.GetPixel(30, 5), clBlue);
    EXPECT_EQ(shot.GetPixel(384, 5), clBlue);
    EXPECT_EQ(shot.GetPixel(385, 5), clLime);
    EXPECT_EQ(shot.GetPixel(399, 22), clLime);

    // A right section without room to the right of the left ones before it is left out; the
    // later left section takes the place.
    left->SetWidth(390);
    DispatchPendingMessages();
    shot = Shot();
    EXPECT_EQ(shot.GetPixel(395, 5), clYellow);
    EXPECT_NE(shot.GetPixel(399, 5), clLime);
}

TEST_F(TitleBarLayoutTest, AutoSizeFollowsTheFirstSection)
{
    TsuiTitleBarSection* first = bar->Sections().Items(0);
    first->SetPicture(TPictureOf(FilledBitmap(48, 30, clRed)));
    bar->SetAutoSize(false);
    EXPECT_EQ(bar->Height(), 30);
    EXPECT_FALSE(bar->AutoSize());
    bar->Sections().Clear();
    bar->SetAutoSize(true);
    EXPECT_FALSE(bar->AutoSize());
    EXPECT_EQ(bar->Height(), 30);
}

TEST_F(TitleBarLayoutTest, CaptionStartsAfterTheControlBoxCentredOnTheButtons)
{
    BlueCaption("Moraleaf");
    const TRect ink = CaptionInk();
    ASSERT_FALSE(ink.IsEmpty());
    // Control box at 3, 17 wide, then 5 pixels: 25 (a glyph may start a pixel in).
    EXPECT_GE(ink.Left, 25);
    EXPECT_LE(ink.Left, 27);
    // Buttons occupy rows 4 to 20; the text is centred on them.
    const int textHeight = bar->Canvas().TextHeight("Moraleaf");
    const int top = (17 - textHeight) / 2 + 4;
    EXPECT_GE(ink.Top, top);
    EXPECT_LE(ink.Bottom, top + textHeight);
    EXPECT_LE(std::abs((ink.Top + ink.Bottom) - (4 + 21)), 4);
}

TEST_F(TitleBarLayoutTest, CaptionWithoutButtonsStartsAtSix)
{
    bar->Buttons().Items(0)->SetVisible(false);
    bar->SetLeftBtnXOffset(0);
    BlueCaption("Moraleaf");
    const TRect ink = CaptionInk();
    EXPECT_GE(ink.Left, 6);
    EXPECT_LE(ink.Left, 8);
}

TEST_F(TitleBarLayoutTest, AppIconTakesTheControlBoxPlace)
{
    bar->SetDrawAppIcon(true);
    BlueCaption("Moraleaf");
    const TRect ink = CaptionInk();
    EXPECT_GE(ink.Left, 3 + 21);
    EXPECT_LE(ink.Left, 3 + 21 + 2);
    // The hot area is still the control box picture's.
    MoveTo(4, kButtonTop + 16);
    EXPECT_EQ(bar->HotButtonIndex(), 0);
    MoveTo(3 + kButton + 1, kButtonTop + 8);
    EXPECT_EQ(bar->HotButtonIndex(), -1);
}

TEST_F(TitleBarLayoutTest, CaptionTooWideIsShortened)
{
    form->SetWidth(200);
    DispatchPendingMessages();
    ASSERT_EQ(bar->Width(), 200);
    // Between x 25 and the minimise button at 145 there are 120 pixels.
    BlueCaption("Moraleaf, a small program for learning the kana");
    const TRect ink = CaptionInk();
    const int shortWidth = bar->Canvas().TextWidth("Mo...");
    EXPECT_GE(ink.Left, 25);
    EXPECT_LE(ink.Right, 25 + shortWidth + 1);
    EXPECT_GT(ink.Width(), shortWidth / 2);

    // A caption that fits is drawn whole.
    BlueCaption("Moraleaf");
    EXPECT_GT(CaptionInk().Width(), shortWidth);
}

TEST_F(TitleBarLayoutTest, InactiveFormDrawsTheCaptionInTheInactiveColour)
{
    BlueCaption("Moraleaf");
    bar->SetFormActive(false);
    DispatchPendingMessages();
    EXPECT_TRUE(CaptionInk().IsEmpty());
    TBitmap shot = Shot();
    const TColor inactive = ColorToRGB(clInactiveCaption);
    int inactivePixels = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 25; x < 80; ++x)
            inactivePixels += shot.GetPixel(x, y) == inactive ? 1 : 0;
    EXPECT_GT(inactivePixels, 0);

    bar->SetFormActive(true);
    DispatchPendingMessages();
    EXPECT_FALSE(CaptionInk().IsEmpty());
}

TEST_F(TitleBarLayoutTest, RoundCornerOutlineExceptForWinXP)
{
    // Nothing on the bar but a green client image.
    const auto plain = [this] {
        for (int i = 0; i < 4; ++i)
            bar->Buttons().Items(i)->SetVisible(false);
        bar->SetCaption("");
        bar->Sections().Clear();
        TsuiTitleBarSection* client = bar->Sections().Add();
        client->SetPicture(TPictureOf(FilledBitmap(4, 23, clLime)));
        client->SetAlign(suiClient);
    };
    plain();
    bar->SetRoundCorner(10);
    DispatchPendingMessages();
    TBitmap shot = Shot();
    EXPECT_EQ(shot.GetPixel(200, 0), TColor { 0x7F7F7F });
    EXPECT_EQ(shot.GetPixel(200, 1), clLime);
    EXPECT_NE(shot.GetPixel(0, 0), TColor { 0x7F7F7F }) << "the corner is rounded off";

    bar->SetRoundCorner(0);
    DispatchPendingMessages();
    EXPECT_EQ(Shot().GetPixel(200, 0), clLime);

    bar->SetUIStyle(WinXP);
    EXPECT_EQ(bar->RoundCorner(), 13);
    plain();
    DispatchPendingMessages();
    EXPECT_EQ(Shot().GetPixel(200, 0), clLime);
}

TEST_F(TitleBarLayoutTest, ThemeFileServesTheBarUntilItGoes)
{
    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / ("titlebar-" + std::to_string(::getpid()) + ".thm");
    TsuiThemeFileWriter writer;
    writer.AddImage("TitleBarButtonImage", CoordinateBitmap(18 * 12, 12).SaveToBytes());
    writer.AddImage("TitleBarLeftImage", FilledBitmap(20, 26, clRed).SaveToBytes());
    writer.AddImage("TitleBarRightImage", FilledBitmap(20, 26, clLime).SaveToBytes());
    writer.AddImage("TitleBarClientImage", FilledBitmap(5, 26, clBlue).SaveToBytes());
    writer.AddInt("TitleBarButtonTopInt", 7);
    writer.AddInt("TitleBarButtonLeftOffsetInt", 9);
    writer.AddBool("TitleBarButtonTransparentBool", 1);
    writer.SaveToFile(file.string());
    auto* theme = new TsuiFileTheme(form);
    theme->SetThemeFile(file.string());
    fs::remove(file);
    ASSERT_TRUE(theme->ThemeLoaded());

    bar->SetUIStyle(FromThemeFile);
    bar->Font().SetColor(clRed);
    bar->SetFileTheme(theme);
    EXPECT_EQ(bar->Font().Color(), clRed) << "a new theme file keeps the caption colour";
    EXPECT_EQ(bar->Height(), 26);
    EXPECT_EQ(bar->LeftBtnXOffset(), 9);
    EXPECT_EQ(bar->ButtonImageHeight(), 12);
    TsuiTitleBarButton* close = bar->Buttons().Items(1);
    EXPECT_EQ(close->UIStyle(), FromThemeFile);
    EXPECT_EQ(close->Top(), 7);
    EXPECT_TRUE(close->Transparent());
    // Frame 16 of the file's strip starts 15 frames in.
    ASSERT_EQ(close->PicNormal().Width(), 12);
    EXPECT_EQ(close->PicNormal().Graphic()->GetPixel(0, 0), CoordinateColor(15 * 12, 0));
    EXPECT_EQ(bar->MenuPopup()->FileTheme(), theme);

    delete theme;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), DeepBlue);
    EXPECT_EQ(close->UIStyle(), DeepBlue);
    EXPECT_EQ(close->PicNormal().Width(), 19);
}

TEST(AppIcon, LoadsTheProgramIconWithItsSeeThroughPixels)
{
    TBitmap icon;
    ASSERT_TRUE(LoadAppIcon(icon, 16));
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
    EXPECT_TRUE(icon.Transparent());
    TBitmap none;
    EXPECT_FALSE(LoadAppIcon(none, 48));
    EXPECT_TRUE(none.Empty());
}
