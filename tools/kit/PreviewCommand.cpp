// moraleaf-kit preview STYLE|THEMEFILE --png OUT [--menu]: every skinned control in every state
// it can show, in one picture, so that a style or a theme file can be judged at a glance.
#include <algorithm>
#include <iostream>
#include <optional>

#include "host/gfx/PngWriter.h"
#include "host/sys/Files.h"
#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/ui/Properties.h"
#include "host/ui/Streaming.h"
#include "host/ui/ToolBar.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "host/win/Window.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/controls/SUIButton.h"
#include "skin/controls/SUIPageControl.h"
#include "skin/controls/SUITabControl.h"
#include "skin/core/SUIMgr.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUIMainMenu.h"
#include "skin/frame/SUIPopupMenu.h"
#include "skin/frame/SUITitleBar.h"
#include "tools/kit/Commands.h"
#include "tools/kit/StyleNames.h"

namespace {

int Usage()
{
    std::cerr << "usage: moraleaf-kit preview STYLE|THEMEFILE --png OUT [--menu]\n"
                 "  STYLE is a built-in style (MacOS, WinXP, DeepBlue, Protein, BlueGlass); anything else is\n"
                 "  read as a theme file. --menu adds the gallery's popup menu, opened.\n";
    return 2;
}

void RegisterGalleryClasses()
{
    RegisterControlClasses();
    RegisterMenuClasses();
    RegisterToolBarClasses();
    RegisterButtonClasses();
    RegisterTabControlClasses();
    RegisterPageControlClasses();
    RegisterFormClasses();
    RegisterTitleBarClasses();
    RegisterMainMenuClasses();
    RegisterPopupMenuClasses();
}

// The window system and the application for one run, taken down again however the run ends.
class THeadlessSession {
public:
    THeadlessSession()
        : Desk(THeadlessBackend::Install())
        , App(new TApplication(nullptr))
    {
        App->Initialize();
    }
    ~THeadlessSession()
    {
        Desk.OnIdle = nullptr;
        delete App;
        DoneWindowSystem();
    }
    THeadlessSession(const THeadlessSession&) = delete;
    THeadlessSession& operator=(const THeadlessSession&) = delete;

    THeadlessBackend& Desk;
    TApplication* App;
};

template <typename T> T& Find(TForm& form, const char* name)
{
    auto* component = dynamic_cast<T*>(form.FindComponent(name));
    if (component == nullptr)
        throw Exception(std::string("The gallery has no ") + name);
    return *component;
}

// Every skinned component of the form takes the look, the frame panel first (it is created
// first), so that what it hands down is then set once more on each control directly.
void ApplyLook(TForm& form, TsuiUIStyle style, TsuiFileTheme* theme)
{
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* component = form.Components(i);
        if (!HasPublishedProperty(component, "FileTheme") || !HasPublishedProperty(component, "UIStyle"))
            continue;
        SetObjectProp(component, "FileTheme", theme);
        SetOrdProp(component, "UIStyle", style);
    }
}

TPoint ScreenCentre(TControl& control)
{
    TRect r;
    GetWindowRect(static_cast<TWinControl&>(control).Handle(), &r);
    return { (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2 };
}

// The states that need input: one button pressed by the mouse, one hot, one focused.
void SetButtonStates(THeadlessBackend& desk, TForm& form)
{
    const TPoint pressed = ScreenCentre(Find<TsuiButton>(form, "PressedButton"));
    desk.PressMouse(pressed.X, pressed.Y);
    DispatchPendingMessages();
    Find<TsuiButton>(form, "FocusedButton").SetFocus();
    Find<TsuiButton>(form, "HotButton").Perform(CM_MOUSEENTER, 0, 0);
    DispatchPendingMessages();
}

TBitmap Crop(const TBitmap& screen, TRect r)
{
    r = IntersectRect(r, { 0, 0, screen.Width(), screen.Height() });
    TBitmap out(r.Width(), r.Height());
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.SetPixel(x, y, screen.GetPixel(r.Left + x, r.Top + y));
    return out;
}

TRect UnionRect(const TRect& a, const TRect& b)
{
    return { std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom) };
}

// The screen under the form, and with the popup menu opened over it (its first item hot) when
// asked for.
TBitmap Picture(THeadlessBackend& desk, TForm& form, bool withMenu)
{
    RedrawWindow(form.Handle(), nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    TRect area;
    GetWindowRect(form.Handle(), &area);
    if (!withMenu)
        return Crop(desk.CaptureScreen(), area);

    auto& menu = Find<TsuiPopupMenu>(form, "PopupMenu1");
    TBitmap shot;
    int step = 0;
    desk.OnIdle = [&] {
        if (step == 0) {
            desk.PressKey(VK_DOWN);
        } else if (step == 1) {
            TRect menuRect;
            GetWindowRect(menu.WindowHandle(), &menuRect);
            area = UnionRect(area, menuRect);
            shot = desk.CaptureScreen();
            desk.PressKey(VK_ESCAPE);
        }
        ++step;
    };
    menu.Popup(area.Left + 440, area.Top + 60);
    desk.OnIdle = nullptr;
    if (shot.Empty())
        throw Exception("The popup menu did not open");
    return Crop(shot, area);
}

} // namespace

int PreviewCommand(std::span<const std::string> args)
{
    std::optional<std::string> look;
    std::optional<std::string> png;
    bool withMenu = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--png" && i + 1 < args.size() && !png)
            png = args[++i];
        else if (args[i] == "--menu")
            withMenu = true;
        else if (!args[i].starts_with("--") && !look)
            look = args[i];
        else
            return Usage();
    }
    if (!look || !png)
        return Usage();

    THeadlessSession session;
    RegisterGalleryClasses();
    auto* form = new TForm(session.App);
    ReadComponentRes("GALLERY", form);

    std::optional<TsuiUIStyle> style = BuiltInStyle(*look);
    TsuiFileTheme* theme = nullptr;
    if (!style) {
        // Names a theme file that is missing or unreadable; the theme reader names a bad one.
        ReadFileBytes(*look);
        theme = new TsuiFileTheme(form);
        theme->SetThemeFile(*look);
        style = FromThemeFile;
    }
    ApplyLook(*form, *style, theme);

    form->Show();
    DispatchPendingMessages();
    SetButtonStates(session.Desk, *form);
    SavePngFile(Picture(session.Desk, *form, withMenu), *png);
    return 0;
}
