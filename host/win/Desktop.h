#pragma once
// The window system's state and the calls its units make on one another; not for use
// outside host/win.
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "host/win/Backend.h"
#include "host/win/MessageRing.h"
#include "host/win/WindowObject.h"

// Input as the backend reported it, turned into messages only when the loop takes it, so that
// hit testing sees the windows as they are by then.
struct TRawInput {
    enum class TKind : std::uint8_t { MouseMove, MouseDown, MouseUp, Wheel, MouseLeft, KeyDown, KeyUp, Char };
    TKind Kind = TKind::MouseMove;
    TMouseButton Button = TMouseButton::Left;
    TPoint Pos;
    // Wheel delta, virtual-key code or character.
    int Value = 0;
};

struct TTimer {
    TWindow* Window = nullptr;
    UINT_PTR Id = 0;
    UINT Interval = 0;
    std::uint64_t Due = 0;
};

struct TMouseState {
    // Position of the last mouse input taken from the queue.
    TPoint Pos;
    // No input since has said that the pointer left the program's windows: Pos is the cursor
    // position, rather than what the desktop answers when asked.
    bool Inside = false;
    TWindow* Capture = nullptr;
    // The window under the pointer and its hit-test code, as of that input.
    TWindow* Under = nullptr;
    LRESULT UnderHit = 0;
    // The window that asked for WM_MOUSELEAVE.
    TWindow* Tracking = nullptr;
    // The last press, for double-clicks.
    TWindow* PressWindow = nullptr;
    UINT PressMessage = 0;
    std::uint64_t PressTime = 0;
    TPoint PressPos;
    bool PressWasDouble = false;
    HCURSOR Cursor = IDC_ARROW;
};

class TMoveSizeLoop;

// One per running window system. Its TBackendEvents side is defined by the unit that owns
// each kind of event: input here (Desktop.cpp), native window changes in WindowPlacement.cpp,
// focus in Focus.cpp, exposure in Painting.cpp.
class TDesktop final : public TBackendEvents {
public:
    explicit TDesktop(std::unique_ptr<TBackend> backend);
    ~TDesktop();
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    TBackend& Backend() { return *backend_; }

    std::unordered_map<TWindow*, std::unique_ptr<TWindow>> Windows;
    // Destroyed windows that a call in progress still uses.
    std::vector<std::unique_ptr<TWindow>> Graveyard;
    // Top-level windows, bottom of the z-order first.
    std::vector<TWindow*> TopLevels;
    // Bumped by every change of place, size, order, visibility or shape.
    std::uint64_t GeometryStamp = 1;

    TMessageRing Posted;
    // Input already turned into messages, waiting to be taken.
    TMessageRing InputMessages;
    std::deque<TRawInput> RawInput;
    bool QuitPosted = false;
    int QuitCode = 0;

    TMouseState Mouse;
    TWindow* Focus = nullptr;
    TWindow* Active = nullptr;
    bool AppActive = false;
    std::array<bool, 256> KeysDown {};
    std::vector<TTimer> Timers;
    // The modal move or size loop running, if any; it takes the mouse input.
    TMoveSizeLoop* MoveSize = nullptr;

    void MouseMoved(TPoint screen) override;
    void MouseButton(TMouseButton button, bool down, TPoint screen) override;
    void MouseWheel(int delta, TPoint screen) override;
    void MouseLeftWindows() override;
    void Key(int virtualKey, bool down) override;
    void Char(char32_t ch) override;
    void Exposed(HWND wnd) override;
    void Moved(HWND wnd, TPoint clientOrigin) override;
    void Resized(HWND wnd, TSize clientSize) override;
    void ShowStateChanged(HWND wnd, TShowState state) override;
    void FocusChanged(HWND wnd, bool gained) override;
    void CloseRequested(HWND wnd) override;
    void QuitRequested() override;

private:
    std::unique_ptr<TBackend> backend_;
};

// The running desktop; EWindowSystemError when there is none.
TDesktop& Desktop();
DWORD MessageTime();

// WindowTree.cpp
// Frees a destroyed window's object once no call on it is in progress.
void FreeWindowIfDone(TWindow* w);
// The list a window sits in: its parent's children, or the top-level windows.
std::vector<TWindow*>& SiblingsOf(TWindow* w);
// Whether w stays above ordinary top-level windows (topmost, popup menu, tooltip).
bool IsTopmost(const TWindow* w);
// Puts a window at the top of its siblings (a top-level one below the topmost windows unless
// it is one), its owned windows above it.
void RaiseWindow(TWindow* w);

// WindowPlacement.cpp
// Makes sure a shown top-level window has its native window and shows it as it is now.
void SyncNative(TWindow* w);
// Recomputes the frame from the style, keeping the outer bounds; whether it changed.
bool UpdateFrame(TWindow* w);
// Moves/resizes with WM_MOVE and WM_SIZE; the single path every bounds change takes.
// tellDesktop is false when the change comes from the desktop itself.
void PlaceWindow(TWindow* w, const TRect& bounds, bool tellDesktop = true);
// WM_SIZE's wParam for the window's show state.
WPARAM SizeKind(const TWindow* w);

// Painting.cpp
// Invalidates a client rectangle of w and of every visible descendant it covers.
void InvalidateTree(TWindow* w, const TRect& clientRect, bool erase);
// Invalidates what lies under a rectangle (window coordinates of parent's client) in parent.
void ExposeInParent(TWindow* parent, const TRect& area);
void MarkDirty(TWindow* top, const TRect& surfaceRect);
void PresentDirtyWindows();
// The first showing window with an invalid region, parents before children.
TWindow* NextWindowToPaint(HWND filter);
void ResizeSurface(TWindow* top);
// An empty surface for a top-level window, at the display's scale.
std::unique_ptr<TBitmap> NewSurface();
void ReleaseWindowDCs(TWindow* w);
// WM_ERASEBKGND's default: fills the client area through dc with the class background;
// whether it erased.
bool EraseBackground(TWindow* w, HDC dc);

// MouseInput.cpp and KeyboardInput.cpp: turn the oldest raw input into queued messages.
// The window under a screen point and its hit-test code; null when none (or transparent).
TWindow* HitWindow(TPoint screen, LRESULT* hit);
void TranslateMouseInput(const TRawInput& input);
void TranslateKeyInput(const TRawInput& input);
// Drops every reference the input state holds to a dying window.
void ForgetWindowInInput(TWindow* w);

// Focus.cpp
// Activates a top-level window (null: none of the program's); how is WA_ACTIVE or
// WA_CLICKACTIVE; fromDesktop when the desktop already moved its focus there.
void ActivateWindow(TWindow* w, WPARAM how, bool fromDesktop);
// Activates another window when the active one goes away or hides.
void ActivateNextWindow(TWindow* leaving);
bool CanBeActive(const TWindow* w);
// WM_ACTIVATE's default: the focus returns to where it was in this window, or to the window.
void FocusAfterActivation(TWindow* w);

// Timers.cpp
std::optional<std::uint64_t> NextTimerDue();
// Takes the WM_TIMER of the earliest due timer matching the filter.
bool TakeDueTimer(HWND filter, UINT filterMin, UINT filterMax, bool remove, MSG* msg);
void KillWindowTimers(TWindow* w);

// NonClient.cpp
LRESULT DefaultHitTest(TWindow* w, TPoint screen);
void RunMoveSizeLoop(TWindow* w, WPARAM command);
// The loop's share of the raw input; true when the loop took it.
bool MoveSizeTakesInput(const TRawInput& input);

// Regions.cpp
void FreeWindowShape(TWindow* w);

// MessageQueue.cpp
// Milliseconds the loop may sleep before the next timer is due (-1: no limit).
int WaitTimeout();
