#include <map>

#include "host/ui/ImageList.h"
#include "host/ui/Menus.h"
#include "host/ui/ToolBar.h"
#include "host/win/Input.h"
#include "host/win/VirtualKeys.h"
#include "tests/host/ui/ControlTestSupport.h"

namespace {

// A flat bar without edges across the top of a form at (100, 100), with buttons in order.
class ToolBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm();
        bar = new TToolBar(form);
        bar->SetParent(form);
        bar->SetFlat(true);
        bar->SetEdgeBorders({});
    }

    // Buttons made the way a menu bar makes them: the last first, each at the front.
    std::vector<TToolButton*> Buttons(std::initializer_list<const char*> captions)
    {
        std::vector<TToolButton*> made(captions.size());
        for (std::size_t i = captions.size(); i-- > 0;) {
            auto* button = new TToolButton(form);
            button->SetParent(bar);
            button->SetCaption(captions.begin()[i]);
            made[i] = button;
        }
        DispatchPendingMessages();
        return made;
    }

    // The state each button was last custom-drawn with.
    void LogStates()
    {
        bar->OnCustomDrawButton
            = [this](TToolBar*, TToolButton* button, TCustomDrawState state, bool&) { states[button->Caption()] = state; };
    }
    TCustomDrawState StateOf(const std::string& caption) { return states[caption]; }

    TForm* form = nullptr;
    TToolBar* bar = nullptr;
    std::map<std::string, TCustomDrawState> states;
};

} // namespace

TEST_F(ToolBarTest, ButtonsAreLaidOutLeftToRight)
{
    const std::vector<TToolButton*> b = Buttons({ "File", "Edit", "Help" });
    ASSERT_EQ(bar->ButtonCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bar->Buttons(i), b[static_cast<std::size_t>(i)]);
    EXPECT_EQ(b[0]->BoundsRect(), Rect(0, 0, 23, 22));
    EXPECT_EQ(b[2]->BoundsRect(), Rect(46, 0, 69, 22));
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(bar->Width(), form->ClientWidth()) << "across the top";

    // Captions shown: each auto-sized button is as wide as its caption needs.
    bar->SetShowCaptions(true);
    for (TToolButton* button : b)
        button->SetAutoSize(true);
    EXPECT_EQ(b[0]->Width(), bar->Canvas().TextWidth("File") + 8);
    EXPECT_EQ(b[1]->Left(), b[0]->Width());
    b[1]->SetCaption("Edit more");
    EXPECT_EQ(b[2]->Left(), b[0]->Width() + b[1]->Width());
    b[1]->SetVisible(false);
    EXPECT_EQ(b[2]->Left(), b[0]->Width()) << "a hidden button takes no room";

    bar->SetEdgeBorders({ ebLeft, ebTop });
    EXPECT_EQ(b[0]->Left(), 2);
    EXPECT_EQ(b[0]->Top(), 2);
    bar->SetButtonHeight(30);
    EXPECT_EQ(b[0]->Height(), 30);

    delete b[0];
    EXPECT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(b[2]->Left(), 2);
}

TEST_F(ToolBarTest, CustomDrawSeesHotAndSelectedStates)
{
    const std::vector<TToolButton*> b = Buttons({ "One", "Two", "Off" });
    b[2]->SetEnabled(false);
    LogStates();
    bar->Invalidate();
    DispatchPendingMessages();
    EXPECT_TRUE(StateOf("One").Empty());
    EXPECT_TRUE(StateOf("Off") == TCustomDrawState { cdsDisabled });

    desk->MoveMouse(100 + 30, 100 + 10);
    DispatchPendingMessages();
    EXPECT_TRUE(StateOf("Two") == TCustomDrawState { cdsHot });
    EXPECT_TRUE(StateOf("One").Empty());

    desk->PressMouse(100 + 30, 100 + 10);
    DispatchPendingMessages();
    EXPECT_TRUE(StateOf("Two") == (TCustomDrawState { cdsHot, cdsSelected }));
    desk->ReleaseMouse(100 + 30, 100 + 10);
    DispatchPendingMessages();
    EXPECT_TRUE(StateOf("Two") == TCustomDrawState { cdsHot });

    desk->MoveMouse(100 + 300, 100 + 200);
    DispatchPendingMessages();
    EXPECT_TRUE(StateOf("Two").Empty()) << "the pointer left";

    desk->MoveMouse(100 + 50, 100 + 10);
    DispatchPendingMessages();
    EXPECT_FALSE(StateOf("Off").Contains(cdsHot)) << "a disabled button is never hot";
}

TEST_F(ToolBarTest, CustomDrawReplacesTheDefaultDrawing)
{
    Buttons({ "One" });
    bar->SetColor(clWhite);
    TRect barRect;
    bar->OnCustomDraw = [&barRect](TToolBar* sender, const TRect& r, bool&) {
        barRect = r;
        sender->Canvas().Brush().Color = clYellow;
        sender->Canvas().FillRect(r);
    };
    bar->OnCustomDrawButton = [](TToolBar* sender, TToolButton* button, TCustomDrawState, bool& defaultDraw) {
        defaultDraw = false;
        sender->Canvas().Brush().Color = clRed;
        sender->Canvas().FillRect(button->BoundsRect());
    };
    bar->Invalidate();
    DispatchPendingMessages();
    EXPECT_EQ(barRect, bar->ClientRect());
    TBitmap shot = desk->CaptureWindow(bar->Handle());
    EXPECT_EQ(shot.GetPixel(10, 10), clRed) << "the button as its handler drew it, on the bar's canvas";
    EXPECT_EQ(shot.GetPixel(100, 10), clYellow);

    bool buttonsAsked = false;
    bar->OnCustomDraw = [](TToolBar*, const TRect&, bool& defaultDraw) { defaultDraw = false; };
    bar->OnCustomDrawButton = [&buttonsAsked](TToolBar*, TToolButton*, TCustomDrawState, bool&) { buttonsAsked = true; };
    bar->Invalidate();
    DispatchPendingMessages();
    EXPECT_FALSE(buttonsAsked) << "DefaultDraw false on the bar leaves the buttons out";
}

TEST_F(ToolBarTest, AButtonBoundToAMenuItemDropsItsSubMenu)
{
    auto* menu = new TMainMenu(form);
    auto item = [&](TMenuItem* parent, const std::string& caption) {
        auto* i = new TMenuItem(form);
        i->SetCaption(caption);
        parent->Add(i);
        return i;
    };
    TMenuItem* file = item(menu->Items(), "File");
    TMenuItem* help = item(menu->Items(), "Help");
    item(file, "Open");
    TMenuItem* quit = item(file, "Quit");
    std::vector<std::string> clicks;
    quit->OnClick = [&clicks](TObject*) { clicks.push_back("Quit"); };
    help->OnClick = [&clicks](TObject*) { clicks.push_back("Help"); };
    help->SetEnabled(false);

    const std::vector<TToolButton*> b = Buttons({ "", "" });
    b[0]->SetMenuItem(file);
    b[1]->SetMenuItem(help);
    EXPECT_EQ(b[0]->Caption(), "File");
    EXPECT_FALSE(b[1]->Enabled()) << "takes the item's state";
    LogStates();

    HWND dropped = nullptr;
    TRect droppedRect;
    TCustomDrawState whileDropped;
    int step = 0;
    desk->OnIdle = [&] {
        if (step++ == 0) {
            dropped = WindowFromPoint({ 100 + 5, 100 + 22 + 5 });
            GetWindowRect(dropped, &droppedRect);
            whileDropped = StateOf("File");
            desk->PressKey(VK_DOWN);
            desk->PressKey(VK_DOWN);
            desk->PressKey(VK_RETURN);
        }
    };
    desk->Click(100 + 5, 100 + 5);
    DispatchPendingMessages();
    desk->OnIdle = nullptr;

    EXPECT_EQ(droppedRect.TopLeft(), Point(100, 100 + 22)) << "under the button";
    EXPECT_NE(dropped, form->Handle());
    EXPECT_TRUE(whileDropped.Contains(cdsSelected));
    EXPECT_EQ(clicks, (std::vector<std::string> { "Quit" }));
    EXPECT_FALSE(IsWindow(dropped));

    help->SetEnabled(true);
    b[1]->SetMenuItem(help);
    desk->Click(100 + 30, 100 + 5);
    DispatchPendingMessages();
    EXPECT_EQ(clicks, (std::vector<std::string> { "Quit", "Help" })) << "an item without sub-items is clicked";

    delete help;
    EXPECT_EQ(b[1]->MenuItem(), nullptr);
}

TEST_F(ToolBarTest, GroupedCheckButtonsReleaseEachOther)
{
    const std::vector<TToolButton*> b = Buttons({ "A", "B", "C" });
    for (TToolButton* button : b) {
        button->SetStyle(tbsCheck);
        button->SetGrouped(true);
    }
    b[0]->Click();
    b[2]->Click();
    EXPECT_FALSE(b[0]->Down());
    EXPECT_TRUE(b[2]->Down());
    b[2]->Click();
    EXPECT_TRUE(b[2]->Down()) << "a grouped button stays down";
}
