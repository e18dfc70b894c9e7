#include "host/ui/ExtCtrls.h"
#include "host/ui/Panel.h"
#include "host/ui/StdCtrls.h"
#include "host/ui/Streaming.h"
#include "host/ui/Timer.h"
#include "host/win/Painting.h"
#include "tests/host/ui/ControlTestSupport.h"

namespace {

// Counts where each pixel of a rectangle differs from a colour.
int CountNot(TBitmap& shot, const TRect& r, TColor color)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += shot.Canvas().GetPixel(x, y) != color;
    return n;
}

} // namespace

TEST_F(ControlTest, LabelWithoutAutoSizeCutsItsTextAtTheRightEdge)
{
    TForm* form = ShownForm(300, 100);
    form->SetColor(clWhite);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("WWWWWWWWWWWWWWWWWWWW");
    const int fullWidth = label->Width();
    EXPECT_GT(fullWidth, 60);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 30, 20);
    label->SetTransparent(true);
    UpdateWindow(form->Handle());
    TBitmap shot = desk->CaptureWindow(form->Handle());
    EXPECT_GT(CountNot(shot, { 10, 10, 40, 30 }, clWhite), 0);
    EXPECT_EQ(CountNot(shot, { 40, 0, 300, 100 }, clWhite), 0);
    // AutoSize again takes the text's width.
    label->SetAutoSize(true);
    EXPECT_EQ(label->Width(), fullWidth);
}

TEST_F(ControlTest, ImageShowsItsPictureUnscaledFromTheTopLeftAndClipped)
{
    TForm* form = ShownForm(300, 200);
    form->SetColor(clWhite);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(20, 20, 40, 30);
    TBitmap picture(100, 100);
    picture.Canvas().Brush().Color = clRed;
    picture.Canvas().FillRect({ 0, 0, 100, 100 });
    picture.Canvas().Brush().Color = clBlue;
    picture.Canvas().FillRect({ 0, 0, 10, 10 });
    image->Picture().SetBitmap(picture);
    UpdateWindow(form->Handle());
    TBitmap shot = desk->CaptureWindow(form->Handle());
    EXPECT_EQ(shot.Canvas().GetPixel(20, 20), clBlue);
    EXPECT_EQ(shot.Canvas().GetPixel(29, 29), clBlue);
    EXPECT_EQ(shot.Canvas().GetPixel(30, 30), clRed);
    EXPECT_EQ(shot.Canvas().GetPixel(59, 49), clRed);
    EXPECT_EQ(shot.Canvas().GetPixel(60, 30), clWhite);
    EXPECT_EQ(shot.Canvas().GetPixel(30, 50), clWhite);
}

TEST_F(ControlTest, PanelPaintsItsColourBevelAndCaption)
{
    TForm* form = ShownForm(300, 200);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 50);
    panel->SetColor(clYellow);
    panel->SetCaption("Hi");
    panel->Font().SetColor(clBlack);
    DispatchPendingMessages();
    TBitmap shot = desk->CaptureWindow(form->Handle());
    EXPECT_EQ(shot.Canvas().GetPixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(shot.Canvas().GetPixel(99, 49), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.Canvas().GetPixel(5, 5), clYellow);
    // The caption lies around the middle, nothing of it near the edges.
    EXPECT_GT(CountNot(shot, { 30, 10, 70, 40 }, clYellow), 0);
    EXPECT_EQ(CountNot(shot, { 2, 2, 25, 48 }, clYellow), 0);
}

TEST_F(ControlTest, HandPointCursorOverTheControl)
{
    TForm* form = ShownForm();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    panel->SetCursor(crHandPoint);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(150, 0, 50, 20);
    label->SetCursor(crHandPoint);
    desk->MoveMouse(150, 150);
    DispatchPendingMessages();
    EXPECT_EQ(desk->CursorShape(), IDC_HAND);
    desk->MoveMouse(350, 350);
    DispatchPendingMessages();
    EXPECT_EQ(desk->CursorShape(), IDC_ARROW);
    desk->MoveMouse(255, 105);
    DispatchPendingMessages();
    EXPECT_EQ(desk->CursorShape(), IDC_HAND);
}

namespace {

// Records the notifications a control gets.
class TSpyPanel : public TPanel {
    DECLARE_CLASS(TSpyPanel, TPanel)

public:
    using TPanel::TPanel;
    std::vector<std::string> log;

protected:
    void CMMouseEnter(TMessage&) override { log.push_back("enter"); }
    void CMMouseLeave(TMessage&) override { log.push_back("leave"); }
    void CMFontChanged(TMessage& m) override
    {
        log.push_back("font");
        TPanel::CMFontChanged(m);
    }
    void CMColorChanged(TMessage& m) override
    {
        log.push_back("color");
        TPanel::CMColorChanged(m);
    }
    void CMEnabledChanged(TMessage& m) override
    {
        log.push_back("enabled");
        TPanel::CMEnabledChanged(m);
    }
    void CMTextChanged(TMessage& m) override
    {
        log.push_back("text");
        TPanel::CMTextChanged(m);
    }
    void WndProc(TMessage& m) override
    {
        if (m.Msg == CM_CONTROLLISTCHANGE)
            log.push_back(m.LParam ? "inserted" : "removed");
        if (m.Msg == CM_FOCUSCHANGED)
            log.push_back("focus");
        TPanel::WndProc(m);
    }
};

void TSpyPanel::Publish(TPublisher<TSpyPanel>&)
{
}

} // namespace

TEST_F(ControlTest, ControlsAreToldOfTheirChanges)
{
    TForm* form = ShownForm();
    auto* spy = new TSpyPanel(form);
    spy->SetParent(form);
    spy->SetBounds(0, 0, 100, 100);
    spy->log.clear();
    spy->Font().SetHeight(-20);
    spy->SetColor(clRed);
    spy->SetEnabled(false);
    spy->SetEnabled(true);
    spy->SetCaption("x");
    auto* child = new TLabel(form);
    child->SetParent(spy);
    delete child;
    desk->MoveMouse(150, 150);
    DispatchPendingMessages();
    desk->MoveMouse(350, 350);
    DispatchPendingMessages();
    auto* other = new TPanel(form);
    other->SetParent(form);
    other->SetTabStop(true);
    other->SetBounds(200, 200, 10, 10);
    other->SetFocus();
    EXPECT_EQ(spy->log,
        (std::vector<std::string> {
            "font", "color", "enabled", "enabled", "text", "inserted", "removed", "enter", "leave", "focus" }));
}

TEST_F(ControlTest, StoredFormRoundTrips)
{
    auto* form = new TForm(app);
    form->SetName("Form1");
    form->SetBorderStyle(bsSingle);
    form->SetPosition(poScreenCenter);
    form->SetCaption("Moraleaf");
    auto* panel = new TPanel(form);
    panel->SetName("Panel1");
    panel->SetParent(form);
    panel->SetAlign(alTop);
    panel->SetBevelOuter(bvNone);
    auto* label = new TLabel(form);
    label->SetName("Label1");
    label->SetParent(panel);
    label->SetCaption("Hello");
    auto* timer = new TTimer(form);
    timer->SetName("Timer1");
    timer->SetInterval(250);
    const std::string text = WriteComponentToString(form);
    delete form;
    auto* copy = new TForm(app);
    ReadComponentFromString(text, copy);
    EXPECT_EQ(WriteComponentToString(copy), text);
    auto* timerCopy = dynamic_cast<TTimer*>(copy->FindComponent("Timer1"));
    ASSERT_NE(timerCopy, nullptr);
    EXPECT_EQ(timerCopy->Interval(), 250);
    EXPECT_EQ(copy->Position(), poScreenCenter);
    auto* labelCopy = dynamic_cast<TLabel*>(copy->FindComponent("Label1"));
    ASSERT_NE(labelCopy, nullptr);
    EXPECT_EQ(labelCopy->Parent(), copy->FindComponent("Panel1"));
    EXPECT_EQ(labelCopy->Caption(), "Hello");
    EXPECT_NE(text.find("BevelOuter = bvNone"), std::string::npos);
}
