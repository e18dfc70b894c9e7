#include "tools/kit/DriveSession.h"

#include <span>
#include <utility>

#include "app/f_main.h"
#include "host/gfx/PngWriter.h"
#include "host/sys/Files.h"
#include "host/ui/Application.h"
#include "host/win/MessageQueue.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "tools/kit/DriveDump.h"

namespace {

// Escape presses that a played-out script may spend on closing modal loops.
constexpr int kMaxDismissals = 100;

// The key a character is typed with on a keyboard, and whether Shift is held for it; no key
// for characters the drive's keys do not name.
struct TTypedKey {
    int Key = 0;
    bool Shift = false;
};

TTypedKey KeyOfChar(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return { static_cast<int>(c - U'a' + 'A'), false };
    if (c >= U'A' && c <= U'Z')
        return { static_cast<int>(c), true };
    if (c >= U'0' && c <= U'9')
        return { static_cast<int>(c), false };
    if (c == U' ')
        return { VK_SPACE, false };
    return {};
}

} // namespace

TDriveSession::TDriveSession()
    : desktop_(THeadlessBackend::Install())
{
    RegisterMainFormClasses();
    desktop_.OnIdle = [this] { Idle(); };
    new TApplication(nullptr);
    Application->OnException = [this](TObject*, const std::exception& e) {
        errors_.push_back(e.what());
        Application->ShowException(e);
    };
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        Form1->Show();
        Pump();
    } catch (...) {
        delete Application;
        DoneWindowSystem();
        throw;
    }
}

TDriveSession::~TDriveSession()
{
    try {
        Close();
    } catch (const std::exception&) {
        // The session ends anyway.
    }
    desktop_.OnIdle = nullptr;
    delete Application;
    DoneWindowSystem();
}

TForm1& TDriveSession::Form() const
{
    return *Form1;
}

void TDriveSession::Play(const std::vector<TDriveCommand>& script)
{
    script_ = script;
    next_ = 0;
    dismissals_ = 0;
    failure_ = nullptr;
    while (next_ < script_.size() && !failure_) {
        const TDriveCommand& command = script_[next_++];
        Execute(command);
        Pump();
    }
    script_.clear();
    next_ = 0;
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void TDriveSession::Close()
{
    if (Form1 == nullptr || Application->Terminated() || !Form1->HandleAllocated())
        return;
    PostMessage(Form1->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
}

std::string TDriveSession::Dump() const
{
    return DumpWindowState(*Form1, errors_);
}

TPoint TDriveSession::ScreenPoint(int x, int y) const
{
    return Form1->ClientToScreen({ x, y });
}

bool TDriveSession::Execute(const TDriveCommand& command)
{
    const TPoint p = ScreenPoint(command.X, command.Y);
    try {
        switch (command.Action) {
        case TDriveAction::Move:
            desktop_.MoveMouse(p.X, p.Y);
            break;
        case TDriveAction::Click:
            desktop_.Click(p.X, p.Y);
            break;
        case TDriveAction::DblClick:
            desktop_.DoubleClick(p.X, p.Y);
            break;
        case TDriveAction::Press:
            desktop_.PressMouse(p.X, p.Y);
            buttonDown_ = true;
            break;
        case TDriveAction::Release:
            desktop_.ReleaseMouse(p.X, p.Y);
            buttonDown_ = false;
            break;
        case TDriveAction::Key:
            desktop_.PressKey(command.VirtualKey);
            return true;
        case TDriveAction::Type:
            Type(command.Text);
            return true;
        case TDriveAction::Wait:
            try {
                desktop_.Advance(command.Milliseconds);
            } catch (const std::exception& e) {
                Application->HandleException(e);
            }
            return false;
        case TDriveAction::Shot:
            if (command.WholeScreen)
                desktop_.SaveScreenPng(command.File);
            else
                desktop_.SaveWindowPng(Form1->Handle(), command.File);
            return false;
        case TDriveAction::Dump: {
            const std::string json = Dump();
            WriteFileBytes(command.File, std::span(reinterpret_cast<const std::uint8_t*>(json.data()), json.size()));
            return false;
        }
        }
    } catch (const Exception& e) {
        throw EDriveScriptError("Line " + std::to_string(command.Line) + ": " + e.Message());
    }
    mouse_ = p;
    return true;
}

// As a keyboard types: each character between the press and the release of its key, Shift
// held for capitals.
void TDriveSession::Type(std::u32string_view text)
{
    for (const char32_t c : text) {
        const TTypedKey typed = KeyOfChar(c);
        if (typed.Shift)
            desktop_.KeyDown(VK_SHIFT);
        if (typed.Key)
            desktop_.KeyDown(typed.Key);
        desktop_.TypeChar(c);
        if (typed.Key)
            desktop_.KeyUp(typed.Key);
        if (typed.Shift)
            desktop_.KeyUp(VK_SHIFT);
    }
}

void TDriveSession::Pump()
{
    Application->ProcessMessages();
    DispatchPendingMessages();
}

void TDriveSession::Idle()
{
    while (next_ < script_.size() && !failure_) {
        try {
            if (Execute(script_[next_++]))
                return;
        } catch (...) {
            failure_ = std::current_exception();
        }
    }
    if (++dismissals_ > kMaxDismissals)
        throw EWindowSystemError("A modal loop of the main window does not end");
    if (buttonDown_) {
        desktop_.ReleaseMouse(mouse_.X, mouse_.Y);
        buttonDown_ = false;
    } else {
        desktop_.PressKey(VK_ESCAPE);
    }
}
