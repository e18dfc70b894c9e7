// Moraleaf: learn the Japanese kana. Takes no arguments; reads db1.mdb in the working folder.
#include <cstdlib>
#include <iostream>

#include "app/f_main.h"
#include "host/ui/Application.h"
#include "host/voice/VoiceService.h"
#include "host/win/DisplayScale.h"
#include "host/win/QuitSignals.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/SdlBackend.h"
#include "host/win/backends/X11Connection.h"
#include "skin/frame/SUIAppIcon.h"

namespace {

// The largest picture of the program's icon.
constexpr int kWindowIconSize = 32;

} // namespace

int main()
{
    TSdlBackend* desktop = nullptr;
    int scale = 1;
    try {
        // kill, Ctrl+C and a closing terminal close the window as its close button does.
        CatchQuitSignals();
        desktop = &TSdlBackend::Install();
        // The class is the desktop entry's StartupWMClass, so that docks and task bars match
        // the running window to its entry.
        desktop->SetWindowClass("moraleaf", "Moraleaf");
        TBitmap icon;
        if (LoadAppIcon(icon, kWindowIconSize))
            desktop->SetWindowIcon(icon);
        scale = ChooseDisplayScale({ std::getenv("MORALEAF_SCALE"), std::getenv("GDK_SCALE"), ReadX11Resources }, std::cerr);
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
        // Lowered when the window would not fit the screen; set before the window is shown.
        SetDisplayScale(FitDisplayScale(scale, desktop->ScreenPixels(), { Form1->Width(), Form1->Height() }));
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
