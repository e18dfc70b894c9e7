#include "host/win/NonClient.h"

#include <algorithm>

#include "host/win/Desktop.h"
#include "host/win/MessageQueue.h"
#include "host/win/VirtualKeys.h"

// The modal loop that WM_SYSCOMMAND with SC_MOVE or SC_SIZE runs: the window follows the
// mouse until the left button is released (Escape puts it back). Other messages are dispatched
// as usual meanwhile.
class TMoveSizeLoop {
public:
    TMoveSizeLoop(TWindow* w, WPARAM edge)
        : w_(w)
        , edge_(edge)
    {
    }

    void Run();
    bool TakeInput(const TRawInput& input);

private:
    void Track(TPoint pos);

    TWindow* w_;
    // 0 for a move, else the WMSZ_ edge or corner being dragged.
    WPARAM edge_;
    TPoint start_;
    TRect startBounds_;
    MINMAXINFO limits_ {};
    // The backend sees the pointer everywhere: follow that rather than the events.
    bool global_ = false;
    bool done_ = false;
};

namespace {

// How often the loop looks at the pointer when the backend can see it outside its windows.
constexpr int kGlobalMousePollMs = 10;

bool HasEdge(WPARAM edge, WPARAM a, WPARAM b, WPARAM c)
{
    return edge == a || edge == b || edge == c;
}

} // namespace

void TMoveSizeLoop::Run()
{
    TDesktop& d = Desktop();
    HWND wnd = w_;
    start_ = d.Mouse.Pos;
    startBounds_ = w_->Bounds;
    const TRect screen = d.Backend().ScreenRect();
    limits_.ptMaxSize = { screen.Width(), screen.Height() };
    limits_.ptMinTrackSize = { w_->Frame.Left + w_->Frame.Right + 1, w_->Frame.Top + w_->Frame.Bottom + 1 };
    limits_.ptMaxTrackSize = { 1 << 15, 1 << 15 };
    SendMessage(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits_));
    TPoint unused;
    bool leftDown = false;
    global_ = d.Backend().GlobalMouse(unused, leftDown);

    struct TLoopScope {
        TDesktop& d;
        TMoveSizeLoop* loop;
        TLoopScope(TDesktop& desktop, TMoveSizeLoop* l)
            : d(desktop)
            , loop(l)
        {
            d.MoveSize = loop;
            d.Backend().SetMouseCapture(true);
        }
        ~TLoopScope()
        {
            d.MoveSize = nullptr;
            d.Backend().SetMouseCapture(d.Mouse.Capture != nullptr);
        }
    } scope(d, this);

    SendMessage(wnd, WM_ENTERSIZEMOVE, 0, 0);
    while (!done_ && FindWindow(wnd)) {
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            DispatchMessage(&msg);
            continue;
        }
        if (done_)
            break;
        PresentDirtyWindows();
        TPoint pos;
        if (global_ && d.Backend().GlobalMouse(pos, leftDown)) {
            d.Mouse.Pos = pos;
            Track(pos);
            if (!leftDown)
                break;
            d.Backend().WaitForEvents(kGlobalMousePollMs);
        } else {
            d.Backend().WaitForEvents(WaitTimeout());
        }
    }
    if (FindWindow(wnd))
        SendMessage(wnd, WM_EXITSIZEMOVE, 0, 0);
}

bool TMoveSizeLoop::TakeInput(const TRawInput& input)
{
    // Input that arrives after the release belongs to whatever the user does next (the second
    // click of a double-click on a caption, say).
    if (done_)
        return false;
    TDesktop& d = Desktop();
    switch (input.Kind) {
    case TRawInput::TKind::MouseMove:
        d.Mouse.Pos = input.Pos;
        if (!global_)
            Track(input.Pos);
        break;
    case TRawInput::TKind::MouseUp:
    case TRawInput::TKind::MouseDown:
        d.Mouse.Pos = input.Pos;
        d.KeysDown[input.Button == TMouseButton::Left ? VK_LBUTTON
                : input.Button == TMouseButton::Right ? VK_RBUTTON
                                                      : VK_MBUTTON]
            = input.Kind == TRawInput::TKind::MouseDown;
        if (input.Kind == TRawInput::TKind::MouseUp && input.Button == TMouseButton::Left) {
            // An event's position is relative to where the window was when it happened, which
            // the loop has moved since; the desktop's own answer is not.
            TPoint pos = input.Pos;
            bool leftDown = false;
            if (global_)
                d.Backend().GlobalMouse(pos, leftDown);
            Track(pos);
            done_ = true;
        }
        break;
    case TRawInput::TKind::KeyDown:
    case TRawInput::TKind::KeyUp:
        d.KeysDown[input.Value & 0xFF] = input.Kind == TRawInput::TKind::KeyDown;
        if (input.Kind == TRawInput::TKind::KeyDown && input.Value == VK_ESCAPE) {
            if (FindWindow(w_))
                PlaceWindow(w_, startBounds_);
            done_ = true;
        }
        break;
    default:
        break;
    }
    return true;
}

void TMoveSizeLoop::Track(TPoint pos)
{
    if (!FindWindow(w_) || done_)
        return;
    const int dx = pos.X - start_.X;
    const int dy = pos.Y - start_.Y;
    TRect r = startBounds_;
    if (edge_ == 0) {
        r = r.Offset(dx, dy);
        SendMessage(w_, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        if (!FindWindow(w_))
            return;
    } else {
        const TPoint minSize = limits_.ptMinTrackSize;
        const TPoint maxSize = limits_.ptMaxTrackSize;
        if (HasEdge(edge_, WMSZ_LEFT, WMSZ_TOPLEFT, WMSZ_BOTTOMLEFT))
            r.Left = std::clamp(r.Left + dx, r.Right - maxSize.X, r.Right - minSize.X);
        if (HasEdge(edge_, WMSZ_RIGHT, WMSZ_TOPRIGHT, WMSZ_BOTTOMRIGHT))
            r.Right = std::clamp(r.Right + dx, r.Left + minSize.X, r.Left + maxSize.X);
        if (HasEdge(edge_, WMSZ_TOP, WMSZ_TOPLEFT, WMSZ_TOPRIGHT))
            r.Top = std::clamp(r.Top + dy, r.Bottom - maxSize.Y, r.Bottom - minSize.Y);
        if (HasEdge(edge_, WMSZ_BOTTOM, WMSZ_BOTTOMLEFT, WMSZ_BOTTOMRIGHT))
            r.Bottom = std::clamp(r.Bottom + dy, r.Top + minSize.Y, r.Top + maxSize.Y);
    }
    PlaceWindow(w_, r);
}

void RunMoveSizeLoop(TWindow* w, WPARAM command)
{
    TDesktop& d = Desktop();
    if (d.MoveSize || (w->Style & (WS_MINIMIZE | WS_MAXIMIZE)))
        return;
    const WPARAM edge = (command & 0xFFF0) == SC_SIZE ? (command & 0x000F) : 0;
    if ((command & 0xFFF0) == SC_SIZE && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT))
        return;
    TMoveSizeLoop loop(w, edge);
    loop.Run();
}

bool MoveSizeTakesInput(const TRawInput& input)
{
    TMoveSizeLoop* loop = Desktop().MoveSize;
    return loop && loop->TakeInput(input);
}

LRESULT DefaultHitTest(TWindow* w, TPoint screen)
{
    const TRect bounds = ScreenBounds(w);
    if (!bounds.Contains(screen))
        return HTNOWHERE;
    if (const TRegion* shape = ShapeOf(w); shape && !shape->Contains(screen.X - bounds.Left, screen.Y - bounds.Top))
        return HTNOWHERE;
    const TPoint origin = ClientOriginOnScreen(w);
    if (w->ClientRect().Offset(origin.X, origin.Y).Contains(screen))
        return HTCLIENT;
    const TRect& f = w->Frame;
    if ((w->Style & WS_THICKFRAME) && !(w->Style & WS_MAXIMIZE)) {
        const bool left = screen.X < bounds.Left + f.Left;
        const bool right = screen.X >= bounds.Right - f.Right;
        const bool top = screen.Y < bounds.Top + f.Left;
        const bool bottom = screen.Y >= bounds.Bottom - f.Bottom;
        if (top)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }
    if (screen.Y < origin.Y && screen.Y >= bounds.Top + f.Left)
        return HTCAPTION;
    return HTBORDER;
}
