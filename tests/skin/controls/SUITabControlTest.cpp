// The tab strip and the tab control: measuring, cutting and scrolling the tabs, hidden tabs,
// the tab change protocol and its events, and the pixels drawn from the style's bitmaps.
#include <string>
#include <vector>

#include "host/ui/Panel.h"
#include "host/ui/Publisher.h"
#include "skin/core/SUIMgr.h"
#include "tests/skin/controls/SUITabControlTestSupport.h"

// A strip that counts its paints.
class TCountingStrip : public TsuiTabControlTopPanel {
public:
    using TsuiTabControlTopPanel::TsuiTabControlTopPanel;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TsuiTabControlTopPanel::Paint();
    }
};

// The smallest concrete tab control: the plain strip, or one that counts its paints.
class TTestTab : public TsuiTab {
    DECLARE_CLASS(TTestTab, TsuiTab)

public:
    explicit TTestTab(TComponent* Owner, bool CountPaints = false)
        : TsuiTab(Owner, CountPaints ? &MakeCountingStrip : &MakeStrip)
    {
    }

private:
    static TsuiTabControlTopPanel* MakeStrip(TsuiTab* tab) { return new TsuiTabControlTopPanel(tab, tab); }
    static TsuiTabControlTopPanel* MakeCountingStrip(TsuiTab* tab) { return new TCountingStrip(tab, tab); }
};

void TTestTab::Publish(TPublisher<TTestTab>&)
{
}

namespace {

constexpr TColor kFuchsia = 0x00FF00FF;

class TabStripTest : public TabControlTest {
protected:
    TTestTab* TabOn(TForm* form, TsuiUIStyle style, int width, const std::vector<std::string>& captions, bool countPaints = false)
    {
        auto* tab = new TTestTab(form, countPaints);
        tab->SetParent(form);
        tab->SetBounds(0, 0, width, 376);
        tab->SetUIStyle(style);
        TStrings& tabs = tab->TopPanel()->Tabs();
        tabs.Clear();
        for (const std::string& caption : captions)
            tabs.Add(caption);
        Paint(tab);
        return tab;
    }

    void Paint(TTestTab* tab)
    {
        DispatchPendingMessages();
        tab->TopPanel()->Repaint();
    }

    void LogEvents(TTestTab* tab, bool allow = true)
    {
        tab->OnChanging = [this, allow](TObject* sender, bool& allowChange) {
            log.push_back(std::string("changing") + (dynamic_cast<TTestTab*>(sender) ? "" : " (wrong sender)"));
            allowChange = allow;
        };
        tab->OnTabActive = [this](TObject*, int index) { log.push_back("active " + std::to_string(index)); };
        tab->OnChange = [this](TObject*) { log.push_back("change"); };
    }

    static TPoint Middle(const TRect& r) { return { (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2 }; }

    static int TextWidthIn(const TFont& font, const std::string& text)
    {
        TBitmap scratch(1, 1);
        scratch.Canvas().Font().Assign(font);
        return scratch.Canvas().TextWidth(text);
    }

    // Every pixel of the frame that is not see-through lands at (left, top) of the picture,
    // for the columns [fromColumn, toColumn) of the frame.
    static void ExpectFrameAt(
        const TBitmap& picture, const TBitmap& frame, int left, int top, int fromColumn, int toColumn, TColor key)
    {
        int compared = 0;
        for (int y = 0; y < frame.Height(); ++y) {
            for (int x = fromColumn; x < toColumn; ++x) {
                if (frame.GetPixel(x, y) == key)
                    continue;
                ++compared;
                ASSERT_EQ(picture.GetPixel(left + x, top + y), frame.GetPixel(x, y)) << "frame pixel " << x << "," << y;
            }
        }
        EXPECT_GT(compared, 0);
    }
};

} // namespace

TEST_F(TabStripTest, TabsAreMeasuredFromTheirCaptions)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "", "W", "平假名" });
    TsuiTabControlTopPanel* strip = tab->TopPanel();

    EXPECT_EQ(strip->Height(), 34);
    EXPECT_EQ(strip->Width(), 674);
    EXPECT_EQ(strip->TabHeight(), 27);
    EXPECT_EQ(strip->ScrollButtonWidth(), 18);
    EXPECT_EQ(strip->TabWidth(0), 80);
    EXPECT_EQ(strip->TabWidth(1), std::max(TextWidthIn(tab->Font(), "W") + 20, 15));
    EXPECT_EQ(strip->TabWidth(2), TextWidthIn(tab->Font(), "平假名") + 20);
    EXPECT_EQ(strip->TabWidth(3), -1);
    EXPECT_FALSE(strip->Overflow());
    EXPECT_EQ(strip->CutTabIndex(), -1);
    EXPECT_EQ(strip->ScrollOffset(), 0);
}

TEST_F(TabStripTest, StripHeightFollowsTheStyle)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, WinXP, 300, { "a" });
    EXPECT_EQ(tab->TopPanel()->Height(), 19);
    tab->SetUIStyle(DeepBlue);
    EXPECT_EQ(tab->TopPanel()->Height(), 22);
    EXPECT_EQ(tab->TopPanel()->ScrollButtonHeight(), 17);
    tab->SetWidth(420);
    EXPECT_EQ(tab->TopPanel()->Width(), 420) << "the strip spans its tab control";
}

TEST_F(TabStripTest, OverflowCutsOneTabAndShowsTheScrollButtons)
{
    TForm* form = ShownForm();
    desk->MoveMouse(700, 700);
    // Right limit 300 - 36 - 2 = 262: tabs at 10, 90, 170 fit, the one at 250 is cut.
    TTestTab* tab = TabOn(form, MacOS, 300, { "", "", "", "", "", "" });
    TsuiTabControlTopPanel* strip = tab->TopPanel();
    EXPECT_TRUE(strip->Overflow());
    EXPECT_EQ(strip->CutTabIndex(), 3);
    EXPECT_EQ(strip->TabWidth(3), 12) << "a cut inactive tab records what is shown of it";
    EXPECT_EQ(strip->TabWidth(4), -1) << "tabs after the cut one are not laid out";

    const TBitmap picture = Capture(strip);
    TBitmap right;
    TBitmap left;
    GetThemeBitmapFrame(MacOS, SUI_THEME_SCROLLBUTTON_IMAGE, &right, 4, 1);
    GetThemeBitmapFrame(MacOS, SUI_THEME_SCROLLBUTTON_IMAGE, &left, 4, 3);
    const int top = (34 - 18) / 2 - 2;
    ExpectFrameAt(picture, right, 300 - 2 - 18, top, 0, 18, right.GetPixel(0, 17));
    ExpectFrameAt(picture, left, 300 - 2 - 36, top, 0, 18, left.GetPixel(0, 17));

    // The left button at offset 0 stays at 0; the right one scrolls one tab out.
    ClickAt(strip, 300 - 2 - 36 + 9, top + 9);
    EXPECT_EQ(strip->ScrollOffset(), 0);
    ClickAt(strip, 300 - 2 - 9, top + 9);
    EXPECT_EQ(strip->ScrollOffset(), 1);
    EXPECT_EQ(strip->HotScrollButton(), 1);
    EXPECT_EQ(strip->CutTabIndex(), 4) << "one tab further along is cut now";
    ClickAt(strip, 300 - 2 - 36 + 9, top + 9);
    EXPECT_EQ(strip->ScrollOffset(), 0);
    EXPECT_EQ(strip->TabIndex(), 0) << "scrolling changes no tab";
}

TEST_F(TabStripTest, ClickingTheCutTabSelectsItAndScrollsByOne)
{
    TForm* form = ShownForm();
    desk->MoveMouse(700, 700);
    TTestTab* tab = TabOn(form, MacOS, 300, { "", "", "", "", "", "" });
    TsuiTabControlTopPanel* strip = tab->TopPanel();
    LogEvents(tab);
    ClickAt(strip, 255, 10);
    EXPECT_EQ(strip->TabIndex(), 3);
    EXPECT_EQ(strip->ScrollOffset(), 1);
    EXPECT_EQ(log, (std::vector<std::string> { "changing", "active 3", "change" }));
    // Tab 3 now lies at 170 and fits; tab 4 at 250 is the cut one.
    EXPECT_EQ(strip->CutTabIndex(), 4);
    EXPECT_EQ(strip->TabWidth(3), 80);

    // Refused: the strip still scrolls, but nothing else changes.
    log.clear();
    LogEvents(tab, false);
    ClickAt(strip, 255, 10);
    EXPECT_EQ(strip->TabIndex(), 3);
    EXPECT_EQ(strip->ScrollOffset(), 2);
    EXPECT_EQ(log, (std::vector<std::string> { "changing" }));
}

TEST_F(TabStripTest, ClickEventsComeInOrderAndCanBeRefused)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "", "", "" });
    TsuiTabControlTopPanel* strip = tab->TopPanel();
    LogEvents(tab);

    ClickAt(strip, 100, 10); // tab 1: 90..170
    EXPECT_EQ(log, (std::vector<std::string> { "changing", "active 1", "change" }));
    EXPECT_EQ(strip->TabIndex(), 1);

    log.clear();
    ClickAt(strip, 100, 10); // the active tab again
    EXPECT_EQ(log, (std::vector<std::string> { "changing", "active 1", "change" }));

    log.clear();
    LogEvents(tab, false);
    ClickAt(strip, 180, 10);
    EXPECT_EQ(log, (std::vector<std::string> { "changing" }));
    EXPECT_EQ(strip->TabIndex(), 1);

    // The edges of a tab, its top row, the row at TabHeight and the bar hit nothing.
    log.clear();
    LogEvents(tab);
    ClickAt(strip, 90, 10);
    ClickAt(strip, 180, 0);
    ClickAt(strip, 180, 27);
    ClickAt(strip, 180, 30);
    ClickAt(strip, 400, 10);
    EXPECT_TRUE(log.empty());
    ClickAt(strip, 180, 26);
    EXPECT_EQ(strip->TabIndex(), 2);
}

TEST_F(TabStripTest, ChangesByProgramAreNotAskedAndIgnoreBadIndexes)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "a", "b", "c" });
    TsuiTabControlTopPanel* strip = tab->TopPanel();
    LogEvents(tab);

    tab->SelectTab(2);
    EXPECT_EQ(log, (std::vector<std::string> { "active 2", "change" }));
    log.clear();
    strip->SetTabIndex(3);
    strip->SetTabIndex(-2);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(strip->TabIndex(), 2);

    strip->SetTabIndex(-1);
    EXPECT_EQ(log, (std::vector<std::string> { "active -1", "change" }));
    EXPECT_EQ(strip->TabIndex(), -1);

    // Replacing the captions keeps the index; without captions it becomes -1.
    strip->SetTabIndex(1);
    strip->Tabs().Clear();
    EXPECT_EQ(strip->TabIndex(), 1);
    strip->SetTabIndex(0);
    EXPECT_EQ(strip->TabIndex(), -1);
}

TEST_F(TabStripTest, HiddenTabsTakeNoRoomAndCannotBeClicked)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "", "", "" });
    TsuiTabControlTopPanel* strip = tab->TopPanel();
    strip->SetTabVisible(1, false);
    Paint(tab);
    EXPECT_EQ(strip->TabWidth(1), 0);
    ClickAt(strip, 100, 10); // where tab 1 was: tab 2 closed up to 90..170
    EXPECT_EQ(strip->TabIndex(), 2);
}

TEST_F(TabStripTest, MoreThanSixtyFourTabsAreMeasuredAndClickable)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, std::vector<std::string>(70, ""));
    TsuiTabControlTopPanel* strip = tab->TopPanel();
    for (int i = 0; i < 66; ++i)
        strip->SetTabVisible(i, false);
    Paint(tab);
    EXPECT_EQ(strip->TabWidth(66), 80);
    EXPECT_EQ(strip->TabWidth(69), 80);
    ClickAt(strip, 100, 10);
    EXPECT_EQ(strip->TabIndex(), 67);
    ClickAt(strip, 300, 10);
    EXPECT_EQ(strip->TabIndex(), 69);
}

TEST_F(TabStripTest, TabsAndBarArePaintedFromTheStyleBitmaps)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "", "" });
    const TBitmap picture = Capture(tab->TopPanel());

    TBitmap active;
    TBitmap inactive;
    TBitmap bar;
    GetThemeBitmapFrame(MacOS, SUI_THEME_TABCONTROL_TAB_IMAGE, &active, 2, 1);
    GetThemeBitmapFrame(MacOS, SUI_THEME_TABCONTROL_TAB_IMAGE, &inactive, 2, 2);
    GetThemeBitmap(MacOS, SUI_THEME_TABCONTROL_BAR_IMAGE, &bar);
    // Caps of the active tab (10..90, one row lower) and of the inactive one (90..170).
    ExpectFrameAt(picture, active, 10, 1, 0, 6, kFuchsia);
    ExpectFrameAt(picture, active, 90 - 18, 1, 12, 18, kFuchsia);
    ExpectFrameAt(picture, inactive, 90, 0, 0, 6, kFuchsia);
    ExpectFrameAt(picture, inactive, 170 - 18, 0, 12, 18, kFuchsia);
    // The bar's first column at x = 1, the side lines in the border colour.
    for (int y = 0; y < bar.Height(); ++y)
        EXPECT_EQ(picture.GetPixel(1, 27 + y), bar.GetPixel(0, y)) << "bar row " << y;
    EXPECT_EQ(picture.GetPixel(0, 30), TColor(0x7F7F7F));
    EXPECT_EQ(picture.GetPixel(673, 30), TColor(0x7F7F7F));
}

TEST_F(TabStripTest, BodyColoursFollowTheStyleAndTheBorderColour)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "a" });
    TBitmap picture = Capture(tab);
    EXPECT_EQ(tab->Color(), TColor(0xE7E7E7));
    EXPECT_EQ(picture.GetPixel(5, 200), TColor(0xE7E7E7));
    EXPECT_EQ(picture.GetPixel(0, 200), TColor(0x7F7F7F));
    EXPECT_EQ(picture.GetPixel(673, 200), TColor(0x7F7F7F));
    EXPECT_EQ(picture.GetPixel(300, 375), TColor(0x7F7F7F));

    tab->SetBorderColor(clRed);
    picture = Capture(tab);
    EXPECT_EQ(picture.GetPixel(0, 200), clRed);
    EXPECT_EQ(picture.GetPixel(0, 30), clRed) << "the strip's side line";

    tab->SetUIStyle(WinXP);
    picture = Capture(tab);
    EXPECT_EQ(picture.GetPixel(5, 200), clWhite);
    EXPECT_EQ(tab->BorderColor(), TColor(0x686868));
}

TEST_F(TabStripTest, ChildrenAreLaidOutInsideTheBody)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "a" });
    auto* child = new TPanel(form);
    child->SetParent(tab);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Bounds(3, 37, 668, 336));
}

TEST_F(TabStripTest, RemovedFileThemeFallsBackToDeepBlue)
{
    TForm* form = ShownForm();
    TTestTab* tab = TabOn(form, MacOS, 674, { "a" });
    auto* theme = new TsuiFileTheme(form);
    tab->SetFileTheme(theme);
    EXPECT_EQ(tab->TopPanel()->FileTheme(), theme);
    delete theme;
    EXPECT_EQ(tab->FileTheme(), nullptr);
    EXPECT_EQ(tab->TopPanel()->FileTheme(), nullptr);
    EXPECT_EQ(tab->UIStyle(), DeepBlue);
    EXPECT_EQ(tab->TopPanel()->Height(), 22);
}

TEST_F(TabStripTest, ClicksLandOnEachTabWherePaintingPutIt)
{
    TForm* form = ShownForm();
    const std::vector<std::string> captions { "", "W", "平假名", "", "ab", "" };
    for (TsuiUIStyle style : { MacOS, WinXP, DeepBlue, Protein, BlueGlass }) {
        for (int margin : { 0, 10, 37 }) {
            for (int offset : { 0, 2 }) {
                SCOPED_TRACE(testing::Message() << "style " << int(style) << ", margin " << margin << ", offset " << offset);
                TTestTab* tab = TabOn(form, style, 300, captions);
                TsuiTabControlTopPanel* strip = tab->TopPanel();
                strip->SetLeftMargin(margin);
                for (int i = 0; i < offset; ++i) {
                    const TPoint p = Middle(strip->ScrollButtonRect(1));
                    ClickAt(strip, p.X, p.Y);
                }
                ASSERT_EQ(strip->ScrollOffset(), offset);

                int shown = 0;
                for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
                    const TRect r = strip->TabRect(i);
                    if (r.IsEmpty())
                        continue;
                    ++shown;
                    SCOPED_TRACE(testing::Message() << "tab " << i);
                    TBitmap frame;
                    GetThemeBitmapFrame(style, SUI_THEME_TABCONTROL_TAB_IMAGE, &frame, 2, i == strip->TabIndex() ? 1 : 2);
                    const int cap = frame.Width() / 3;
                    const TBitmap picture = Capture(strip);
                    if (r.Width() >= 2 * cap)
                        ExpectFrameAt(picture, frame, r.Left, r.Top, 0, cap, kFuchsia);
                    if (i != strip->CutTabIndex())
                        ExpectFrameAt(picture, frame, r.Right - 3 * cap, r.Top, 2 * cap, 3 * cap, kFuchsia);
                    const TPoint p = Middle(r);
                    ClickAt(strip, p.X, p.Y);
                    EXPECT_EQ(strip->TabIndex(), i);
                }
                EXPECT_GE(shown, 3);
                delete tab;
            }
        }
    }
}

TEST_F(TabStripTest, MouseMovesRepaintOnlyWhenTheHotScrollButtonChanges)
{
    TForm* form = ShownForm();
    desk->MoveMouse(700, 700);
    TTestTab* tab = TabOn(form, MacOS, 300, { "", "", "", "", "", "" }, true);
    auto* strip = static_cast<TCountingStrip*>(tab->TopPanel());
    const TRect left = strip->ScrollButtonRect(-1);
    const TRect right = strip->ScrollButtonRect(1);
    ASSERT_FALSE(right.IsEmpty());
    EXPECT_EQ(left.Right, right.Left);

    // Points of the strip; the last lies in the tab control's body, off the strip.
    const struct {
        const char* where;
        TPoint at;
        int paints;
        int hot;
    } moves[] = {
        { "into tab 0", { 20, 10 }, 0, 0 },
        { "within tab 0", { 60, 20 }, 0, 0 },
        { "onto tab 1", { 120, 10 }, 0, 0 },
        { "onto the right button", Middle(right), 1, 1 },
        { "within the right button", { right.Right, right.Bottom }, 0, 1 },
        { "onto the edge both buttons share", { right.Left, right.Top }, 1, -1 },
        { "within the left button", Middle(left), 0, -1 },
        { "onto the bar", { 120, 30 }, 1, 0 },
        { "back onto the right button", Middle(right), 1, 1 },
        { "off the strip", { 120, 200 }, 1, 0 },
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.where);
        const int before = strip->Paints;
        const TPoint p = ScreenOf(strip, move.at.X, move.at.Y);
        desk->MoveMouse(p.X, p.Y);
        DispatchPendingMessages();
        EXPECT_EQ(strip->Paints - before, move.paints);
        EXPECT_EQ(strip->HotScrollButton(), move.hot);

        const TBitmap picture = Capture(strip);
        TBitmap rightFrame;
        TBitmap leftFrame;
        GetThemeBitmapFrame(MacOS, SUI_THEME_SCROLLBUTTON_IMAGE, &rightFrame, 4, move.hot == 1 ? 2 : 1);
        GetThemeBitmapFrame(MacOS, SUI_THEME_SCROLLBUTTON_IMAGE, &leftFrame, 4, move.hot == -1 ? 4 : 3);
        ExpectFrameAt(picture, rightFrame, right.Left, right.Top, 0, 18, rightFrame.GetPixel(0, 17));
        ExpectFrameAt(picture, leftFrame, left.Left, left.Top, 0, 18, leftFrame.GetPixel(0, 17));
    }
}
