// Moraleaf: learn the Japanese kana. Takes no arguments; reads db1.mdb in the working folder.
#include <iostream>

#include "app/f_main.h"
#include "host/ui/Application.h"
#include "host/voice/VoiceService.h"
#include "host/win/QuitSignals.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/SdlBackend.h"
#include "skin/frame/SUIAppIcon.h"

namespace {

// The largest picture of the program's icon.
constexpr int kWindowIconSize = 32;

} // namespace

int main()
{
    try {
        // kill, Ctrl+C and a closing terminal close the window as its close button does.
        CatchQuitSignals();
        TSdlBackend& desktop = TSdlBackend::Install();
        // The class is the desktop entry's StartupWMClass, so that docks and task bars match
        // the running window to its entry.
        desktop.SetWindowClass("moraleaf", "Moraleaf");
        TBitmap icon;
        if (LoadAppIcon(icon, kWindowIconSize))
            desktop.SetWindowIcon(icon);
    } catch (const Exception& e) {
        std::cerr << "moraleaf: " << e.Message() << '\n';
        return 1;
    }
    RegisterMainFormClasses();
    auto* application = new TApplication(nullptr);
    int exitCode = 0;
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->Run();
    } catch (const Exception& e) {
        // Only a window that cannot be built at all gets here; handlers' errors are shown in
        // the error box by the message loop.
        std::cerr << "moraleaf: " << e.Message() << '\n';
        exitCode = 1;
    }
    delete application;
    DoneVoice();
    DoneWindowSystem();
    return exitCode;
}
