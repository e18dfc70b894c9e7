#include "tools/kit/DriveSession.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <span>
#include <utility>

#include "app/f_main.h"
#include "host/gfx/PngWriter.h"
#include "host/sys/Files.h"
#include "host/ui/Application.h"
#include "host/voice/VoiceService.h"
#include "host/win/DisplayScale.h"
#include "host/win/MessageQueue.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "tools/kit/DriveDump.h"

namespace {

TMouseButton MouseButton(TDriveButton button)
{
    switch (button) {
    case TDriveButton::Right:
        return TMouseButton::Right;
    case TDriveButton::Middle:
        return TMouseButton::Middle;
    case TDriveButton::Left:
        break;
    }
    return TMouseButton::Left;
}

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

// Writes a file under a name of its own first, so that whoever waits for the file never finds
// it half written. A pipe or device of that name is written as it is: its reader is waiting.
void WriteWhole(const std::string& path, const std::function<void(const std::string&)>& write)
{
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::status(path, ignored);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        write(path);
        return;
    }
    const std::string part = path + ".part";
    write(part);
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(part.c_str());
        throw EFOpenError("Cannot create file \"" + path + "\". " + std::strerror(error));
    }
}

// Clears a session's script when playing ends, by an exception too.
class TPlaying {
public:
    TPlaying(const TDriveSource*& slot, const TDriveSource& source)
        : slot_(slot)
    {
        slot_ = &source;
    }
    TPlaying(const TPlaying&) = delete;
    TPlaying& operator=(const TPlaying&) = delete;
    ~TPlaying() { slot_ = nullptr; }

private:
    const TDriveSource*& slot_;
};

} // namespace

TDriveSession::TDriveSession()
    : desktop_(THeadlessBackend::Install())
{
    // The headless screen is logical, so any scale fits it; shots are at the scale's pixels.
    SetDisplayScale(ChooseDisplayScale({ std::getenv("MORALEAF_SCALE"), std::getenv("GDK_SCALE"), nullptr }, std::cerr));
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
    DoneVoice();
    DoneWindowSystem();
}

TForm1& TDriveSession::Form() const
{
    return *Form1;
}

void TDriveSession::Play(const TDriveSource& source)
{
    dismissals_ = 0;
    failure_ = nullptr;
    {
        const TPlaying playing(source_, source);
        while (!failure_) {
            const std::optional<TDriveCommand> command = source();
            if (!command)
                break;
            Execute(*command);
            Pump();
        }
    }
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void TDriveSession::Play(const std::vector<TDriveCommand>& script)
{
    std::size_t next = 0;
    Play([&]() -> std::optional<TDriveCommand> {
        if (next == script.size())
            return std::nullopt;
        return script[next++];
    });
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
            desktop_.Click(p.X, p.Y, MouseButton(command.Button));
            break;
        case TDriveAction::DblClick:
            desktop_.DoubleClick(p.X, p.Y, MouseButton(command.Button));
            break;
        case TDriveAction::Press:
            desktop_.PressMouse(p.X, p.Y, MouseButton(command.Button));
            buttonDown_ = true;
            downButton_ = command.Button;
            break;
        case TDriveAction::Release:
            desktop_.ReleaseMouse(p.X, p.Y, MouseButton(command.Button));
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
            WriteWhole(command.File, [&](const std::string& path) {
                if (command.WholeScreen)
                    desktop_.SaveScreenPng(path);
                else
                    desktop_.SaveWindowPng(Form1->Handle(), path);
            });
            return false;
        case TDriveAction::Dump: {
            const std::string json = Dump();
            WriteWhole(command.File, [&](const std::string& path) {
                WriteFileBytes(path, std::span(reinterpret_cast<const std::uint8_t*>(json.data()), json.size()));
            });
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
    while (source_ && !failure_) {
        try {
            const std::optional<TDriveCommand> command = (*source_)();
            if (!command)
                break;
            if (Execute(*command))
                return;
        } catch (...) {
            failure_ = std::current_exception();
        }
    }
    if (++dismissals_ > kMaxDismissals)
        throw EWindowSystemError("A modal loop of the main window does not end");
    if (buttonDown_) {
        desktop_.ReleaseMouse(mouse_.X, mouse_.Y, MouseButton(downButton_));
        buttonDown_ = false;
    } else {
        desktop_.PressKey(VK_ESCAPE);
    }
}
