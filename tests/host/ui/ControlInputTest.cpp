#include <stdexcept>

#include "host/ui/Dialogs.h"
#include "host/ui/HintWindow.h"
#include "host/ui/Panel.h"
#include "host/ui/ScrollBox.h"
#include "host/ui/StdCtrls.h"
#include "host/ui/Timer.h"
#include "host/win/Input.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "tests/host/ui/ControlTestSupport.h"

namespace {

TPanel* PanelAt(TWinControl* parent, int x, int y, int w, int h)
{
    auto* p = new TPanel(parent->GetParentForm() ? static_cast<TComponent*>(parent->GetParentForm()) : parent);
    p->SetParent(parent);
    p->SetBounds(x, y, w, h);
    return p;
}

} // namespace

TEST_F(ControlTest, MouseMoveGoesOnlyToTheControlUnderThePointer)
{
    TForm* form = ShownForm();
    TPanel* panel = PanelAt(form, 0, 0, 200, 200);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 50, 20);
    std::vector<std::string> seen;
    panel->OnMouseMove
        = [&](TObject*, TShiftState, int x, int y) { seen.push_back("panel " + std::to_string(x) + "," + std::to_string(y)); };
    label->OnMouseMove
        = [&](TObject*, TShiftState, int x, int y) { seen.push_back("label " + std::to_string(x) + "," + std::to_string(y)); };
    form->OnMouseMove = [&](TObject*, TShiftState, int, int) { seen.push_back("form"); };
    desk->MoveMouse(100 + 15, 100 + 12);
    DispatchPendingMessages();
    desk->MoveMouse(100 + 100, 100 + 100);
    DispatchPendingMessages();
    desk->MoveMouse(100 + 300, 100 + 250);
    DispatchPendingMessages();
    EXPECT_EQ(seen, (std::vector<std::string> { "label 5,2", "panel 100,100", "form" }));
}

TEST_F(ControlTest, ClickFiresOnceForPressAndReleaseOnTheSameControl)
{
    TForm* form = ShownForm();
    TPanel* panel = PanelAt(form, 0, 0, 100, 100);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(150, 0, 50, 20);
    int panelClicks = 0;
    int labelClicks = 0;
    panel->OnClick = [&](TObject*) { ++panelClicks; };
    label->OnClick = [&](TObject*) { ++labelClicks; };
    desk->Click(110, 110);
    desk->Click(260, 105);
    DispatchPendingMessages();
    EXPECT_EQ(panelClicks, 1);
    EXPECT_EQ(labelClicks, 1);
    // Pressed on the label, released elsewhere: no click.
    desk->PressMouse(260, 105);
    desk->ReleaseMouse(110, 110);
    DispatchPendingMessages();
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(panelClicks, 1);
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowThePointer)
{
    TForm* form = ShownForm();
    TPanel* a = PanelAt(form, 0, 0, 100, 100);
    TPanel* b = PanelAt(form, 100, 0, 100, 100);
    desk->MoveMouse(150, 150);
    DispatchPendingMessages();
    EXPECT_EQ(app->MouseControl(), a);
    desk->MoveMouse(250, 150);
    DispatchPendingMessages();
    EXPECT_EQ(app->MouseControl(), b);
    desk->LeaveWindows();
    DispatchPendingMessages();
    EXPECT_EQ(app->MouseControl(), nullptr);
}

TEST_F(ControlTest, TooltipShowsTheNearestNonEmptyHintAfterThePause)
{
    TForm* form = ShownForm();
    form->SetHint("form hint");
    form->SetShowHint(true);
    TPanel* outer = PanelAt(form, 0, 0, 200, 200);
    TPanel* inner = PanelAt(outer, 10, 10, 100, 100);
    TPanel* own = PanelAt(form, 250, 0, 100, 100);
    own->SetHint("own hint");
    EXPECT_TRUE(inner->ShowHint());

    desk->MoveMouse(100 + 50, 100 + 50);
    DispatchPendingMessages();
    desk->Advance(400);
    EXPECT_EQ(app->HintWindow(), nullptr);
    desk->Advance(200);
    ASSERT_NE(app->HintWindow(), nullptr);
    EXPECT_EQ(app->HintWindow()->Caption(), "form hint");
    EXPECT_EQ(app->HintWindow()->Color(), clInfoBk);

    desk->MoveMouse(100 + 300, 100 + 50);
    DispatchPendingMessages();
    EXPECT_EQ(app->HintWindow(), nullptr);
    desk->Advance(600);
    ASSERT_NE(app->HintWindow(), nullptr);
    EXPECT_EQ(app->HintWindow()->Caption(), "own hint");
    desk->Click(100 + 300, 100 + 50);
    DispatchPendingMessages();
    EXPECT_EQ(app->HintWindow(), nullptr);
    desk->MoveMouse(100 + 50, 100 + 50);
    DispatchPendingMessages();
    desk->MoveMouse(100 + 300, 100 + 50);
    DispatchPendingMessages();
    desk->Advance(600);
    ASSERT_NE(app->HintWindow(), nullptr);
    // Hidden after the hide pause, and by a click.
    desk->Advance(3000);
    EXPECT_EQ(app->HintWindow(), nullptr);
}

TEST_F(ControlTest, NoTooltipWhenTheHintChainIsEmptyOrHintsAreOff)
{
    TForm* form = ShownForm();
    form->SetShowHint(true);
    TPanel* panel = PanelAt(form, 0, 0, 200, 200);
    desk->MoveMouse(150, 150);
    DispatchPendingMessages();
    desk->Advance(1000);
    EXPECT_EQ(app->HintWindow(), nullptr);

    panel->SetHint("panel hint");
    panel->SetShowHint(false);
    desk->MoveMouse(350, 150);
    DispatchPendingMessages();
    desk->MoveMouse(150, 150);
    DispatchPendingMessages();
    desk->Advance(1000);
    EXPECT_EQ(app->HintWindow(), nullptr);
}

TEST_F(ControlTest, TabMovesTheFocusInTabOrder)
{
    TForm* form = ShownForm();
    TPanel* a = PanelAt(form, 0, 0, 50, 50);
    TPanel* b = PanelAt(form, 60, 0, 50, 50);
    TPanel* c = PanelAt(form, 120, 0, 50, 50);
    for (TPanel* p : { a, b, c })
        p->SetTabStop(true);
    c->SetTabOrder(0);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    b->SetEnabled(false);
    c->SetFocus();
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(form->ActiveControl(), c);
    desk->PressKey(VK_TAB);
    DispatchPendingMessages();
    EXPECT_TRUE(a->Focused());
    desk->PressKey(VK_TAB);
    DispatchPendingMessages();
    EXPECT_TRUE(c->Focused()); // b is disabled
    EXPECT_FALSE(b->CanFocus());
}

TEST_F(ControlTest, TypedCharactersReachKeyPressThroughThePreviewingForm)
{
    TForm* form = ShownForm();
    TPanel* panel = PanelAt(form, 0, 0, 50, 50);
    panel->SetTabStop(true);
    panel->SetFocus();
    std::u32string formSaw;
    std::u32string panelSaw;
    form->SetKeyPreview(true);
    form->OnKeyPress = [&](TObject*, char32_t& key) {
        formSaw += key;
        if (key == U'x')
            key = 0;
        else if (key == U'a')
            key = U'A';
    };
    panel->OnKeyPress = [&](TObject*, char32_t& key) { panelSaw += key; };
    desk->TypeText("axか");
    DispatchPendingMessages();
    EXPECT_EQ(formSaw, U"axか");
    EXPECT_EQ(panelSaw, U"Aか") << "the form swallowed x and changed a";
    // Without preview the form hears nothing.
    form->SetKeyPreview(false);
    desk->TypeText("q");
    DispatchPendingMessages();
    EXPECT_EQ(formSaw, U"axか");
    EXPECT_EQ(panelSaw, U"Aかq");
}

TEST_F(ControlTest, GraphicChildrenArePaintedByTheParent)
{
    TForm* form = ShownForm(200, 100);
    form->SetColor(clWhite);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 30, 20);
    label->SetColor(clRed);
    label->SetCaption("");
    UpdateWindow(form->Handle());
    TBitmap shot = desk->CaptureWindow(form->Handle());
    EXPECT_EQ(shot.Canvas().GetPixel(15, 15), clRed);
    EXPECT_EQ(shot.Canvas().GetPixel(5, 5), clWhite);
    EXPECT_EQ(shot.Canvas().GetPixel(41, 15), clWhite);
}

TEST_F(ControlTest, PaintWithAnHdcPaintsIntoThatContext)
{
    TForm* form = ShownForm(200, 100);
    TPanel* panel = PanelAt(form, 0, 0, 200, 100);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clBlue);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 10, 10);
    label->SetColor(clLime);
    TBitmap target(50, 50);
    target.Canvas().Brush().Color = clBlack;
    target.Canvas().FillRect({ 0, 0, 50, 50 });
    TDeviceContext dc(target);
    // As a child at (15, 15) of the panel would draw its parent's background.
    OffsetViewportOrgEx(&dc, -15, -15, nullptr);
    SendMessage(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
    SendMessage(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
    EXPECT_EQ(target.Canvas().GetPixel(0, 0), clBlue);
    EXPECT_EQ(target.Canvas().GetPixel(6, 6), clLime);
    EXPECT_EQ(target.Canvas().GetPixel(20, 20), clBlue);
}

TEST_F(ControlTest, ScrollBoxRangeFollowsChildrenAndScrollingMovesThem)
{
    TForm* form = ShownForm(300, 300);
    auto* box = new TScrollBox(form);
    box->SetParent(form);
    box->SetBounds(0, 0, 200, 200);
    TPanel* far = PanelAt(box, 10, 500, 50, 50);
    EXPECT_TRUE(box->VertScrollBar().IsScrollBarVisible());
    EXPECT_FALSE(box->HorzScrollBar().IsScrollBarVisible());
    EXPECT_EQ(box->VertScrollBar().Range(), 550);
    EXPECT_EQ(box->ClientWidth(), 200 - TScrollBox::kScrollBarSize);
    box->VertScrollBar().SetPosition(100);
    EXPECT_EQ(far->Top(), 400);
    box->VertScrollBar().SetPosition(10000);
    EXPECT_EQ(box->VertScrollBar().Position(), 350);
    EXPECT_EQ(far->Top(), 150);
    // The wheel scrolls the focused box back up.
    box->SetFocus();
    desk->Wheel(100 + 50, 100 + 50, WHEEL_DELTA);
    DispatchPendingMessages();
    EXPECT_LT(box->VertScrollBar().Position(), 350);
    EXPECT_EQ(far->Top(), 500 - box->VertScrollBar().Position());
    delete far;
    EXPECT_FALSE(box->VertScrollBar().IsScrollBarVisible());
}

TEST_F(ControlTest, CloseActionsHideMinimiseFreeOrKeep)
{
    TForm* main = nullptr;
    app->CreateForm(main);
    auto* form = new TForm(app);
    TCloseAction next = caHide;
    form->OnClose = [&](TObject*, TCloseAction& action) { action = next; };
    form->Show();
    form->Close();
    EXPECT_FALSE(form->Visible());
    form->Show();
    next = caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());
    form->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    next = caHide;
    form->Close();
    EXPECT_TRUE(form->Visible());
    form->OnCloseQuery = nullptr;
    next = caFree;
    const int before = app->ComponentCount();
    form->Close();
    DispatchPendingMessages();
    EXPECT_EQ(app->ComponentCount(), before - 1);
    EXPECT_FALSE(app->Terminated());
}

TEST_F(ControlTest, ClosingTheMainFormEndsTheApplication)
{
    TForm* form = nullptr;
    app->CreateForm(form);
    form->SetBorderStyle(bsSingle);
    form->SetPosition(poScreenCenter);
    form->SetBounds(0, 0, 200, 100);
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    form->OnShow = [&](TObject*) { PostMessage(form->Handle(), WM_CLOSE, 0, 0); };
    app->Run();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(form->Left(), (THeadlessBackend::kScreenWidth - 200) / 2);
}

TEST_F(ControlTest, ExceptionFromAHandlerIsShownAndTheLoopGoesOn)
{
    TForm* form = ShownForm();
    TPanel* panel = PanelAt(form, 0, 0, 100, 100);
    panel->OnClick = [](TObject*) { throw std::runtime_error("Broken handler"); };
    int ticks = 0;
    std::string boxCaption;
    std::string boxText;
    desk->OnIdle = [&] {
        // The error box is the active window: read it and press Enter.
        HWND box = GetActiveWindow();
        if (box && box != form->Handle()) {
            boxCaption = GetWindowText(box);
            boxText = MessageBoxText(box);
            desk->PressKey(VK_RETURN);
        }
    };
    app->SetTitle("Moraleaf");
    desk->Click(150, 150);
    DispatchPendingMessages();
    EXPECT_EQ(boxCaption, "Moraleaf");
    EXPECT_EQ(boxText, "Broken handler.");
    EXPECT_EQ(MessageBoxText(form->Handle()), "") << "not a box";
    // The program goes on.
    panel->OnClick = [&](TObject*) { ++ticks; };
    desk->Click(150, 150);
    DispatchPendingMessages();
    EXPECT_EQ(ticks, 1);
    // The box is gone with its window.
    EXPECT_EQ(app->ComponentCount(), 1);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
}

TEST_F(ControlTest, MessageDlgClosesOnEnterEscapeOrOk)
{
    for (int way = 0; way < 3; ++way) {
        desk->OnIdle = [&] {
            HWND box = GetActiveWindow();
            if (!box)
                return;
            if (way == 0)
                desk->PressKey(VK_RETURN);
            else if (way == 1)
                desk->PressKey(VK_ESCAPE);
            else {
                // The OK button sits centred at the bottom of the client area.
                TRect r;
                GetClientRect(box, &r);
                TPoint p { r.Width() / 2, r.Height() - 12 - 12 };
                ClientToScreen(box, &p);
                desk->Click(p.X, p.Y);
            }
        };
        EXPECT_EQ(MessageDlg("A rather long message that is wrapped over more than one line of the box, because it is wide.",
                      way == 1 ? mtInformation : mtError, { mbOK }, 0),
            mrOk);
    }
    EXPECT_EQ(app->ComponentCount(), 0);
}

TEST_F(ControlTest, TimerFiresOnTheVirtualClock)
{
    auto* timer = new TTimer(app);
    int fired = 0;
    timer->OnTimer = [&](TObject*) { ++fired; };
    timer->SetInterval(100);
    desk->Advance(350);
    EXPECT_EQ(fired, 3);
    timer->SetEnabled(false);
    desk->Advance(500);
    EXPECT_EQ(fired, 3);
}

TEST_F(ControlTest, MdiFrameAnswersActiveChildAndMaximisesInside)
{
    TForm* frame = nullptr;
    app->CreateForm(frame);
    frame->SetBorderStyle(bsNone);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(0, 0, 400, 300);
    frame->Show();
    ASSERT_NE(frame->ClientHandle(), nullptr);
    auto* child = new TForm(app);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 100, 80);
    child->Show();
    EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(frame->ClientHandle(), WM_MDIGETACTIVE, 0, 0)), child->Handle());
    EXPECT_EQ(SendMessage(frame->ClientHandle(), 0x1331, reinterpret_cast<WPARAM>(child->Handle()), 0), 0);
    child->SetWindowState(wsMaximized);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 400, 300));
    child->SetWindowState(wsNormal);
    EXPECT_EQ(child->BoundsRect(), Rect(10, 10, 110, 90));
}

namespace {

// A 200 x 200 box at the screen's (100, 100) whose children reach down to 1000: only the
// vertical bar shows, its track from 16 to 184, page 200, thumb 33 long, 135 pixels of play.
class ScrollBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(300, 300);
        box = new TScrollBox(form);
        box->SetParent(form);
        box->SetBounds(0, 0, 200, 200);
        child = new TLabel(form);
        child->SetParent(box);
        child->SetAutoSize(false);
        child->SetBounds(0, 990, 10, 10);
        DispatchPendingMessages();
    }
    int Position() { return box->VertScrollBar().Position(); }
    static constexpr int kBarX = 100 + 192;
    static constexpr int kDownArrowY = 100 + 192;
    static constexpr int kUpArrowY = 100 + 8;

    TForm* form = nullptr;
    TScrollBox* box = nullptr;
    TLabel* child = nullptr;
};

} // namespace

TEST_F(ScrollBarTest, ArrowsStepByTheIncrementAndRepeatWhileHeld)
{
    desk->Click(kBarX, kDownArrowY);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 8);
    EXPECT_EQ(child->Top(), 990 - 8);
    desk->Click(kBarX, kUpArrowY);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 0);

    desk->PressMouse(kBarX, kDownArrowY);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 8);
    desk->Advance(150);
    EXPECT_EQ(Position(), 8) << "still in the first delay";
    desk->Advance(100);
    EXPECT_EQ(Position(), 24) << "repeats at 200 and 250";
    // Off the arrow the repeat waits; back on it, it goes on.
    desk->MoveMouse(kBarX, 100 + 100);
    desk->Advance(100);
    EXPECT_EQ(Position(), 24);
    desk->MoveMouse(kBarX, kDownArrowY);
    desk->Advance(50);
    EXPECT_EQ(Position(), 32);
    desk->ReleaseMouse(kBarX, kDownArrowY);
    desk->Advance(500);
    EXPECT_EQ(Position(), 32);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarTest, PageClicksRepeatUntilTheThumbReachesThePointer)
{
    desk->Click(kBarX, 100 + 150);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 200);
    desk->Click(kBarX, 100 + 20);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 0);

    // Pages of 200 put the thumb at 49, then at 83, which holds the pointer at 100.
    desk->PressMouse(kBarX, 100 + 100);
    DispatchPendingMessages();
    desk->Advance(1000);
    EXPECT_EQ(Position(), 400);
    desk->ReleaseMouse(kBarX, 100 + 100);
    desk->Advance(100);
    // Held near the end it stops at the end of the range.
    desk->PressMouse(kBarX, 100 + 183);
    DispatchPendingMessages();
    desk->Advance(1000);
    desk->ReleaseMouse(kBarX, 100 + 183);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 800);
    EXPECT_EQ(child->Top(), 190);
}

TEST_F(ScrollBarTest, DraggingTheThumbScrollsOnReleaseOrAsItMovesWhenTracking)
{
    // Grabbed 5 pixels into the thumb and moved 67 down: the thumb starts at 83.
    desk->PressMouse(kBarX, 100 + 21);
    desk->MoveMouse(kBarX, 100 + 88);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 0) << "not tracking: the children wait for the release";
    TBitmap shot = desk->CaptureWindow(form->Handle());
    EXPECT_EQ(shot.Canvas().GetPixel(192, 83), ColorToRGB(clBtnShadow)) << "the thumb is drawn where it was dragged";
    EXPECT_NE(shot.Canvas().GetPixel(192, 16), ColorToRGB(clBtnShadow));
    desk->ReleaseMouse(kBarX, 100 + 88);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 397);
    EXPECT_EQ(child->Top(), 990 - 397);

    box->VertScrollBar().SetTracking(true);
    box->VertScrollBar().SetPosition(0);
    desk->PressMouse(kBarX, 100 + 21);
    desk->MoveMouse(kBarX, 100 + 88);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 397);
    // Far past the end, even outside the box: the pointer is captured, the thumb stops.
    desk->MoveMouse(kBarX, 100 + 400);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 800);
    desk->ReleaseMouse(kBarX, 100 + 400);
    DispatchPendingMessages();
    EXPECT_EQ(Position(), 800);
}

TEST_F(ScrollBarTest, TheBarLiesAboveTheChildrenForPaintAndClicks)
{
    auto* wide = new TLabel(form);
    wide->SetParent(box);
    wide->SetAutoSize(false);
    wide->SetCaption("");
    wide->SetColor(clRed);
    wide->SetBounds(0, 0, 400, 30);
    int clicks = 0;
    wide->OnClick = [&](TObject*) { ++clicks; };
    DispatchPendingMessages();
    TBitmap shot = desk->CaptureWindow(form->Handle());
    EXPECT_EQ(shot.Canvas().GetPixel(50, 20), clRed);
    EXPECT_EQ(shot.Canvas().GetPixel(192, 16), ColorToRGB(clBtnShadow)) << "the thumb's top edge";
    EXPECT_EQ(shot.Canvas().GetPixel(192, 8), clBlack) << "the arrow's glyph";
    desk->Click(100 + 192, 100 + 20);
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 0);
    desk->Click(100 + 50, 100 + 20);
    DispatchPendingMessages();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ScrollBarTest, ANewRangeRedrawsTheThumbAtItsNewLength)
{
    EXPECT_EQ(desk->CaptureWindow(form->Handle()).Canvas().GetPixel(192, 48), ColorToRGB(clBtnShadow));
    // Twice the range: the thumb is half as long, 16 to 32.
    child->SetTop(1990);
    DispatchPendingMessages();
    TBitmap shot = desk->CaptureWindow(form->Handle());
    EXPECT_EQ(shot.Canvas().GetPixel(192, 31), ColorToRGB(clBtnShadow));
    EXPECT_NE(shot.Canvas().GetPixel(192, 48), ColorToRGB(clBtnShadow));
}
