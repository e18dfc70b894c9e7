#include "host/ui/MenuTracking.h"

#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/VirtualKeys.h"

namespace {

bool IsButtonDown(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool IsNonClientMouse(UINT msg)
{
    return msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK;
}
bool IsClientMouse(UINT msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
}

} // namespace

TMenuTracker::TMenuTracker(TMenu& menu, TMenuItem& root)
    : menu_(menu)
    , root_(root)
{
}

TMenuTracker::~TMenuTracker()
{
    Close();
}

HWND TMenuTracker::Open(TPoint at)
{
    bool anyVisible = false;
    for (int i = 0; i < root_.Count(); ++i)
        anyVisible = anyVisible || root_.Items(i)->Visible();
    if (!anyVisible)
        return nullptr;
    levels_.push_back(std::make_unique<TMenuWindow>(menu_, root_, at, GetActiveWindow()));
    return levels_.front()->Handle();
}

TMenuItem* TMenuTracker::Run()
{
    if (levels_.empty())
        return nullptr;
    generation_ = menu_.Generation();
    capture_ = levels_.front()->Handle();
    SetCapture(capture_);
    while (!done_) {
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            Finish(nullptr);
            break;
        }
        if (msg.message == WM_KEYDOWN)
            HandleKey(static_cast<int>(msg.wParam));
        else if (msg.message == WM_KEYUP || msg.message == WM_CHAR)
            continue;
        else if (IsClientMouse(msg.message) || IsNonClientMouse(msg.message))
            HandleMouse(msg);
        else
            DispatchMessage(&msg);
        // Another window took the mouse, the menu's window went, or its items changed: the menu
        // is over.
        if (!done_ && (!IsWindow(capture_) || GetCapture() != capture_ || menu_.Generation() != generation_))
            Finish(nullptr);
    }
    Close();
    return chosen_;
}

void TMenuTracker::Finish(TMenuItem* chosen)
{
    done_ = true;
    chosen_ = chosen;
}

void TMenuTracker::Close()
{
    if (capture_ != nullptr && GetCapture() == capture_)
        ReleaseCapture();
    capture_ = nullptr;
    CloseFrom(0);
}

void TMenuTracker::HandleKey(int key)
{
    const int level = static_cast<int>(levels_.size()) - 1;
    TMenuWindow& window = *levels_.back();
    const int hot = window.Hot();
    switch (key) {
    case VK_DOWN:
    case VK_UP: {
        const int next = window.NextSelectable(key == VK_DOWN ? 1 : -1);
        if (next >= 0)
            window.SetHot(next);
        break;
    }
    case VK_RIGHT:
        if (hot >= 0 && window.HasSubMenu(hot))
            OpenSubMenu(level, hot, true);
        break;
    case VK_LEFT:
        if (level > 0)
            CloseFrom(level);
        break;
    case VK_ESCAPE:
        if (level > 0)
            CloseFrom(level);
        else
            Finish(nullptr);
        break;
    case VK_RETURN:
    case VK_SPACE:
        if (hot < 0)
            break;
        if (window.HasSubMenu(hot))
            OpenSubMenu(level, hot, true);
        else
            Finish(window.Item(hot));
        break;
    default:
        break;
    }
}

void TMenuTracker::HandleMouse(const MSG& msg)
{
    TPoint screen = LParamToPoint(msg.lParam);
    if (IsClientMouse(msg.message))
        ClientToScreen(msg.hwnd, &screen);
    const int level = LevelAt(screen);
    if (IsButtonDown(msg.message)) {
        if (level < 0)
            Finish(nullptr);
        return;
    }
    if (level < 0)
        return;
    TMenuWindow& window = *levels_[static_cast<std::size_t>(level)];
    const int index = window.ItemAtScreen(screen);
    const int hot = index >= 0 && window.Selectable(index) ? index : -1;
    if (msg.message == WM_MOUSEMOVE) {
        const bool subMenuOpen = static_cast<int>(levels_.size()) > level + 1;
        if (hot >= 0 && subMenuOpen && &levels_[static_cast<std::size_t>(level) + 1]->ParentItem() == window.Item(hot))
            return;
        window.SetHot(hot);
        CloseFrom(level + 1);
        if (hot >= 0 && window.HasSubMenu(hot))
            OpenSubMenu(level, hot, false);
    } else if (msg.message == WM_LBUTTONUP && hot >= 0 && !window.HasSubMenu(hot)) {
        Finish(window.Item(hot));
    }
}

void TMenuTracker::OpenSubMenu(int level, int index, bool selectFirst)
{
    CloseFrom(level + 1);
    TMenuWindow& window = *levels_[static_cast<std::size_t>(level)];
    TRect bounds;
    GetWindowRect(window.Handle(), &bounds);
    TPoint itemTop { 0, window.ItemRect(index).Top };
    TPoint itemBottom { 0, window.ItemRect(index).Bottom };
    ClientToScreen(window.Handle(), &itemTop);
    ClientToScreen(window.Handle(), &itemBottom);
    const TRect beside { bounds.Left, itemTop.Y, bounds.Right, itemBottom.Y };
    const TPoint at { beside.Right, beside.Top - TMenuWindow::kFrame };
    levels_.push_back(std::make_unique<TMenuWindow>(menu_, *window.Item(index), at, window.Handle(), &beside));
    if (selectFirst)
        levels_.back()->SetHot(levels_.back()->NextSelectable(1));
}

void TMenuTracker::CloseFrom(int level)
{
    while (static_cast<int>(levels_.size()) > level)
        levels_.pop_back();
}

int TMenuTracker::LevelAt(TPoint screen) const
{
    for (int level = static_cast<int>(levels_.size()) - 1; level >= 0; --level) {
        if (levels_[static_cast<std::size_t>(level)]->ContainsScreen(screen))
            return level;
    }
    return -1;
}
