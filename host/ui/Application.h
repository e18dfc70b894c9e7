#pragma once
#include <exception>
#include <memory>
#include <string>

#include "host/ui/Component.h"
#include "host/ui/Control.h"
#include "host/win/Messages.h"

class TCustomForm;
class THintWindow;

using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// The program: its forms, the message loop, the standard error box and the hint window.
class TApplication : public TComponent {
    DECLARE_CLASS(TApplication, TComponent)

public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // With the window system running, also makes the application's window, so that a quit
    // request (SIGTERM, SIGINT, SIGHUP) is taken from the start.
    void Initialize();
    // Creates a form owned by the application; the first becomes the main form.
    template <typename T> void CreateForm(T*& reference)
    {
        reference = new T(this);
        if (!mainForm_)
            mainForm_ = reference;
    }
    // Shows the main form and runs the message loop until Terminate.
    void Run();
    // Handles one message, or waits for one when none is there.
    void HandleMessage();
    // Handles every message that is there now.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    TCustomForm* MainForm() const { return mainForm_; }
    // Whether one of the program's windows is active.
    bool Active() const;
    void Minimize();
    void Restore();
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }

    // An exception escaped a message handler: OnException, or the standard error box.
    void HandleException(const std::exception& e);
    void ShowException(const std::exception& e);

    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int value) { hintPause_ = value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int value) { hintHidePause_ = value; }
    void CancelHint();
    // The hint window while a hint is shown, else none.
    THintWindow* HintWindow() const;

    TMessageEvent OnMessage;
    TExceptionEvent OnException;

    // From the controls: mouse tracking for hints and enter/leave notifications, the control
    // that captured the mouse, and the control a left button went down on.
    void HintMouseMessage(TControl* control, const TMessage& message);
    void MouseLeftWindow(TControl* window);
    TControl* MouseControl() const { return mouseControl_; }
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control) { captureControl_ = control; }
    void SetClickTarget(TControl* control) { clickTarget_ = control; }
    bool TakeClickTarget(TControl* control);
    void ControlDestroyed(TControl* control);
    void FormDestroyed(TCustomForm* form);

private:
    bool ProcessMessage(MSG& msg);
    // The application's hidden window: it runs the hint timers and takes the request to end
    // the program that the desktop posts to every top-level window.
    HWND AppWindow();
    void EndSession();
    void HintTimer(UINT_PTR id);
    void ShowHintNow();

    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::string title_;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    bool handlingException_ = false;
    TControl* mouseControl_ = nullptr;
    TControl* hintControl_ = nullptr;
    TControl* captureControl_ = nullptr;
    TControl* clickTarget_ = nullptr;
    HWND appWindow_ = nullptr;
    std::unique_ptr<THintWindow> hintWindow_;
    bool hintShown_ = false;
};

// The one application object: made by the first TApplication, cleared by its destructor.
extern TApplication* Application;
