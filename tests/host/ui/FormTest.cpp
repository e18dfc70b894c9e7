#include "host/res/Resources.h"
#include "host/ui/Panel.h"
#include "host/ui/Streaming.h"
#include "host/win/Input.h"
#include "host/win/NonClient.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowProcedure.h"
#include "tests/host/ui/ControlTestSupport.h"

TEST_F(ControlTest, BorderStylesBecomeWindowStyles)
{
    auto* form = new TForm(app);
    form->SetBorderStyle(bsSingle);
    form->SetFormStyle(fsStayOnTop);
    form->Show();
    const DWORD single = static_cast<DWORD>(GetWindowLong(form->Handle(), GWL_STYLE));
    EXPECT_EQ(single & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(single & WS_THICKFRAME, 0u);
    EXPECT_EQ(single & WS_CHILD, 0u);
    EXPECT_NE(static_cast<DWORD>(GetWindowLong(form->Handle(), GWL_EXSTYLE)) & WS_EX_TOPMOST, 0u);
    // The client area is the window less the frame.
    EXPECT_LT(form->ClientWidth(), form->Width());

    // Without a frame the client area is the whole window.
    form->SetBorderStyle(bsNone);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(form->Handle(), GWL_STYLE)) & WS_CAPTION, 0u);
    EXPECT_EQ(form->ClientWidth(), form->Width());
    form->SetBorderStyle(bsSizeable);
    EXPECT_NE(static_cast<DWORD>(GetWindowLong(form->Handle(), GWL_STYLE)) & WS_THICKFRAME, 0u);
}

TEST_F(ControlTest, ClientSizeBeforeTheWindowExistsKeepsTheFrame)
{
    auto* form = new TForm(app);
    form->SetBorderStyle(bsSingle);
    form->SetClientWidth(676);
    form->SetClientHeight(400);
    form->Show();
    EXPECT_EQ(form->ClientWidth(), 676);
    EXPECT_EQ(form->ClientHeight(), 400);
}

TEST_F(ControlTest, ConstraintsLimitTheFormSize)
{
    TForm* form = ShownForm(400, 300);
    form->Constraints().SetMinWidth(130);
    form->Constraints().SetMaxHeight(250);
    EXPECT_EQ(form->Height(), 250);
    form->SetWidth(50);
    EXPECT_EQ(form->Width(), 130);
    MINMAXINFO info;
    SendMessage(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.X, 130);
    EXPECT_EQ(info.ptMaxTrackSize.Y, 250);
}

TEST_F(ControlTest, KeyPreviewGivesTheFormKeysFirst)
{
    TForm* form = ShownForm();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetTabStop(true);
    panel->SetFocus();
    std::vector<std::string> order;
    form->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) {
        order.push_back("form");
        if (key == 'X')
            key = 0;
    };
    panel->OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) { order.push_back("panel"); };
    desk->PressKey('A');
    DispatchPendingMessages();
    EXPECT_EQ(order, std::vector<std::string> { "panel" });
    form->SetKeyPreview(true);
    order.clear();
    desk->PressKey('A');
    desk->PressKey('X');
    DispatchPendingMessages();
    EXPECT_EQ(order, (std::vector<std::string> { "form", "panel", "form" }));
}

TEST_F(ControlTest, ReplacedWindowProcedureStillReachesTheForm)
{
    TForm* form = ShownForm();
    int seen = 0;
    WNDPROC old = GetWindowProc(form->Handle());
    SetWindowProc(form->Handle(), [&seen, old](HWND w, UINT m, WPARAM wp, LPARAM lp) {
        const LRESULT r = CallWindowProc(old, w, m, wp, lp);
        if (m == WM_SIZE)
            ++seen;
        return r;
    });
    form->SetBounds(0, 0, 333, 222);
    EXPECT_GE(seen, 1);
    EXPECT_EQ(form->ClientWidth(), 333);
}

namespace {

class TUnstoredForm : public TForm {
    DECLARE_CLASS(TUnstoredForm, TForm)

public:
    explicit TUnstoredForm(TComponent* owner)
        : TForm(owner)
    {
        InitLayout();
    }
};

void TUnstoredForm::Publish(TPublisher<TUnstoredForm>&)
{
}

} // namespace

TEST_F(ControlTest, FormWithoutItsLayoutResourceFailsCleanly)
{
    EXPECT_THROW(new TUnstoredForm(app), EResNotFound);
    EXPECT_EQ(app->ComponentCount(), 0);
}

namespace {

class TMainLikeForm : public TForm {
    DECLARE_CLASS(TMainLikeForm, TForm)

public:
    explicit TMainLikeForm(TComponent* owner)
        : TForm(owner)
    {
    }
    void FormClose(TObject*, TCloseAction& action)
    {
        ++closes;
        (void)action;
    }
    int closes = 0;
};

void TMainLikeForm::Publish(TPublisher<TMainLikeForm>& p)
{
    p.Method("FormClose", &TMainLikeForm::FormClose);
}

} // namespace

TEST_F(ControlTest, MainWindowHeaderReadsAndCentresOnTheScreen)
{
    TMainLikeForm* form = nullptr;
    app->CreateForm(form);
    ReadComponentFromString(R"(object Form1: TMainLikeForm
  Left = 252
  Top = 215
  BorderStyle = bsSingle
  Caption = 'Moraleaf'
  ClientHeight = 400
  ClientWidth = 676
  Color = clBtnFace
  Constraints.MinWidth = 130
  DefaultMonitor = dmMainForm
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  HorzScrollBar.Smooth = True
  HorzScrollBar.Tracking = True
  OldCreateOrder = False
  Position = poScreenCenter
  ScreenSnap = True
  VertScrollBar.Smooth = True
  VertScrollBar.Tracking = True
  OnClose = FormClose
  PixelsPerInch = 96
  TextHeight = 13
end
)",
        form);
    EXPECT_EQ(form->Constraints().MinWidth(), 130);
    EXPECT_TRUE(form->HorzScrollBar().Smooth());
    form->Show();
    EXPECT_EQ(form->ClientWidth(), 676);
    EXPECT_EQ(form->ClientHeight(), 400);
    EXPECT_EQ(GetWindowText(form->Handle()), "Moraleaf");
    EXPECT_EQ(form->Left(), (THeadlessBackend::kScreenWidth - form->Width()) / 2);
    EXPECT_EQ(form->Top(), (THeadlessBackend::kScreenHeight - form->Height()) / 2);
    form->Close();
    EXPECT_EQ(form->closes, 1);
    EXPECT_TRUE(app->Terminated());
}

namespace {

// A connection-like component whose Loaded fails the way a missing database does.
class TUnopenableConnection : public TComponent {
    DECLARE_CLASS(TUnopenableConnection, TComponent)

public:
    using TComponent::TComponent;
    bool Connected() const { return connected_; }
    void SetConnected(bool value)
    {
        if (Loading()) {
            streamedConnected_ = value;
            return;
        }
        if (value)
            throw Exception("Could not find file 'db1.mdb'");
        connected_ = false;
    }

protected:
    void Loaded() override
    {
        TComponent::Loaded();
        if (streamedConnected_)
            SetConnected(true);
    }

private:
    bool Loading() const { return ComponentState().Contains(csLoading); }
    bool connected_ = false;
    bool streamedConnected_ = false;
};

void TUnopenableConnection::Publish(TPublisher<TUnopenableConnection>& p)
{
    p.Property("Connected", &TUnopenableConnection::Connected, &TUnopenableConnection::SetConnected).Default(false);
}

class TConnectedForm : public TForm {
    DECLARE_CLASS(TConnectedForm, TForm)

public:
    explicit TConnectedForm(TComponent* owner)
        : TForm(owner)
    {
        RegisterClasses<TUnopenableConnection>();
        ReadComponentFromString(R"(object Form1: TConnectedForm
  BorderStyle = bsNone
  Caption = 'Moraleaf'
  object ADOConnection1: TUnopenableConnection
    Connected = True
  end
  object Panel1: TPanel
    Left = 10
    Width = 50
  end
end
)",
            this);
    }
};

void TConnectedForm::Publish(TPublisher<TConnectedForm>&)
{
}

} // namespace

TEST_F(ControlTest, AConnectionThatCannotOpenIsShownOnceAndTheFormStillComesUp)
{
    app->SetTitle("Moraleaf");
    int boxes = 0;
    std::string boxCaption;
    HWND answered = nullptr;
    desk->OnIdle = [&] {
        HWND box = GetActiveWindow();
        if (box && box != answered) {
            answered = box;
            ++boxes;
            boxCaption = GetWindowText(box);
            desk->PressKey(VK_RETURN);
        }
    };
    TConnectedForm* form = nullptr;
    app->CreateForm(form);
    desk->OnIdle = nullptr;
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(boxCaption, "Moraleaf");
    ASSERT_EQ(app->MainForm(), form);
    auto* connection = dynamic_cast<TUnopenableConnection*>(form->FindComponent("ADOConnection1"));
    auto* panel = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
    ASSERT_TRUE(connection && panel);
    EXPECT_FALSE(connection->Connected());
    EXPECT_FALSE(panel->ComponentState().Contains(csLoading));
    EXPECT_EQ(panel->Left(), 10);
    form->Show();
    DispatchPendingMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(GetActiveWindow(), form->Handle());
}
