// The main window at display scale 2: every skinned control draws its caption at the finer
// size, while the window's state and the drive dump stay in logical pixels.
#include "AppTestSupport.h"

namespace {

// Whether an aligned 2 x 2 block of the logical area holds a pixel of pure black ink and one of
// the background its row has at the area's right end. A 1x caption blown up, by repeating or
// by blending its pixels, never has both in one block; text rasterised at twice its size does.
bool HasFineInk(const TBitmap& shot, const TRect& logical)
{
    for (int y = 2 * logical.Top; y < 2 * logical.Bottom; y += 2)
        for (int x = 2 * logical.Left; x < 2 * logical.Right; x += 2) {
            bool inked = false;
            bool bare = false;
            for (int dy = 0; dy < 2; ++dy) {
                const TPixel* row = shot.ScanLine(y + dy);
                for (int dx = 0; dx < 2; ++dx) {
                    inked = inked || (row[x + dx] & 0xFFFFFF) == 0;
                    bare = bare || row[x + dx] == row[2 * logical.Right];
                }
            }
            if (inked && bare)
                return true;
        }
    return false;
}

} // namespace

TEST_F(MainWindowTest, AtScaleTwoEveryCaptionIsRasterisedAtTheFinerSize)
{
    WriteDatabase({ Kana(49, kKatakanaType, 1, 1, "a") });
    ::setenv("MORALEAF_SCALE", "2", 1);
    Start();
    ::unsetenv("MORALEAF_SCALE");
    const TBitmap shot = Session().Desktop().CaptureWindow(Form().Handle());
    ASSERT_EQ(shot.PixelWidth(), 1352);
    ASSERT_EQ(shot.PixelHeight(), 800);
    struct TCase {
        const char* What;
        TRect Area; // logical, ending right of the caption on its bare background
    };
    const TCase cases[] = {
        { "the title bar's caption", { 24, 3, 110, 20 } },
        { "a tab's caption", { 20, 28, 58, 46 } },
        { "a radio button's caption", { 534, 92, 586, 110 } },
        { "the button's caption", { 534, 214, 590, 234 } },
        { "the hint label", { 120, 178, 290, 198 } },
    };
    for (const TCase& c : cases)
        EXPECT_TRUE(HasFineInk(shot, c.Area)) << c.What;
}

TEST_F(MainWindowTest, AtScaleTwoInputAndTheDumpKeepToLogicalPixels)
{
    WriteDatabase({ Kana(49, kKatakanaType, 1, 1, "a") });
    Start();
    const std::string logical = Session().Dump();
    Stop();
    ::setenv("MORALEAF_SCALE", "2", 1);
    Start();
    ::unsetenv("MORALEAF_SCALE");
    EXPECT_EQ(Session().Dump(), logical);
    Play(ClickControl(Form().R2) + ClickControl(Form().suiButton1));
    EXPECT_TRUE(Form().R2->Checked());
    EXPECT_EQ(SqlText, "select *from moratab where t_type='片假名'and id=49") << "the draw button was hit";
}
