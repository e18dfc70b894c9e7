#include "host/win/Desktop.h"

#include "host/win/WindowSystem.h"

namespace {

std::unique_ptr<TDesktop> gDesktop;

} // namespace

TDesktop::TDesktop(std::unique_ptr<TBackend> backend)
    : backend_(std::move(backend))
{
}

TDesktop::~TDesktop()
{
    for (auto& [w, object] : Windows)
        FreeWindowShape(w);
}

TDesktop& Desktop()
{
    if (!gDesktop)
        throw EWindowSystemError("The window system has not been started");
    return *gDesktop;
}

DWORD MessageTime()
{
    return static_cast<DWORD>(Desktop().Backend().Now());
}

void InitWindowSystem(std::unique_ptr<TBackend> backend)
{
    DoneWindowSystem();
    gDesktop = std::make_unique<TDesktop>(std::move(backend));
    gDesktop->Backend().Attach(*gDesktop);
}

void DoneWindowSystem()
{
    gDesktop.reset();
}

bool WindowSystemRunning()
{
    return gDesktop != nullptr;
}

TBackend& CurrentBackend()
{
    return Desktop().Backend();
}

void TDesktop::MouseMoved(TPoint screen)
{
    RawInput.push_back({ TRawInput::TKind::MouseMove, TMouseButton::Left, screen });
}

void TDesktop::MouseButton(TMouseButton button, bool down, TPoint screen)
{
    RawInput.push_back({ down ? TRawInput::TKind::MouseDown : TRawInput::TKind::MouseUp, button, screen });
}

void TDesktop::MouseWheel(int delta, TPoint screen)
{
    RawInput.push_back({ TRawInput::TKind::Wheel, TMouseButton::Left, screen, delta });
}

void TDesktop::MouseLeftWindows()
{
    RawInput.push_back({ TRawInput::TKind::MouseLeft, TMouseButton::Left, Mouse.Pos });
}

void TDesktop::Key(int virtualKey, bool down)
{
    RawInput.push_back({ down ? TRawInput::TKind::KeyDown : TRawInput::TKind::KeyUp, TMouseButton::Left, Mouse.Pos, virtualKey });
}

void TDesktop::Char(char32_t ch)
{
    RawInput.push_back({ TRawInput::TKind::Char, TMouseButton::Left, Mouse.Pos, static_cast<int>(ch) });
}
