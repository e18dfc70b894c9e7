#pragma once
#include <memory>
#include <string>

#include "host/ui/Forms.h"
#include "host/ui/Panel.h"
#include "host/ui/ToolBar.h"
#include "host/win/WindowProcedure.h"
#include "skin/core/SUIThemes.h"
#include "skin/frame/SUITitleBar.h"

class TMainMenu;
class TsuiFileTheme;

// A panel that turns the form owning it into a skinned window: it takes the system caption and
// frame away, fills the form's client area, paints a border around itself on the form's canvas,
// carries a title bar and a menu bar, and replaces the form's window procedure to move, size,
// maximise, colour on activation and dispatch the menu's shortcuts itself.
class TsuiForm : public TCustomPanel {
    DECLARE_CLASS(TsuiForm, TCustomPanel)

public:
    explicit TsuiForm(TComponent* owner);
    ~TsuiForm() override;

    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    bool UIStyleAutoUpdateSub() const { return uiStyleAutoUpdateSub_; }
    void SetUIStyleAutoUpdateSub(bool value) { uiStyleAutoUpdateSub_ = value; }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    // Width of the border strips on the host form (not the panel's own border).
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool value);
    // The title bar's caption; writing sets the host form's caption too.
    std::string Caption() const;
    void SetCaption(const std::string& value);
    TCustomPanel* FormPanel() const { return formPanel_; }
    void SetFormPanel(TCustomPanel* value);
    TsuiTitleBarButtons& TitleBarButtons();
    void SetTitleBarButtons(const TsuiTitleBarButtons& value);
    TsuiTitleBarSections& TitleBarSections();
    void SetTitleBarSections(const TsuiTitleBarSections& value);
    bool TitleBarDrawAppIcon() const;
    void SetTitleBarDrawAppIcon(bool value);
    // The title bar's (caption) font.
    TFont& Font();
    void SetFont(const TFont& value);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor value);
    int MenuBarHeight() const { return menuBarHeight_; }
    void SetMenuBarHeight(int value);
    // The panel's size; writing resizes the host form around it.
    int Width() const { return TCustomPanel::Width(); }
    void SetWidth(int value);
    int Height() const { return TCustomPanel::Height(); }
    void SetHeight(int value);
    int RoundCorner() const;
    void SetRoundCorner(int value);

    // Forwarded to the title bar, which calls them with itself as Sender.
    TsuiTitleBarButtonClickEvent OnTitleBarCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnTitleBarHelpBtnClick;

    TsuiTitleBar* TitleBar() const { return titleBar_; }
    TToolBar* MenuBar() const { return menuBar_; }
    TCustomForm* HostForm() const { return hostForm_; }
    // The host form's border style as designed, before the form took the frame away.
    TBorderStyle HostBorderStyle() const { return hostBorderStyle_; }

    // The menu bar: one flat tool button per top-level item of Menu.
    void CreateMenuBar();
    void DestroyMenuBar();
    void RebuildMenuBar();
    void RefreshMenuBar();
    void UpdateMenuBarFont();

    // 1 when the key-down message was one of Menu's shortcuts and its item was clicked.
    LRESULT HandleMenuShortCut(const TMessage& message);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool HostIsMDIChild() const;
    // The panel's bounds from the host's client size, less the border strips.
    void PlaceInHost();
    // On the host's canvas: dc when the host hands one over, else the host window's own.
    void PaintHostBorder(HDC dc = nullptr);
    // What the form adds to the host window's message after the host's own procedure gave result.
    LRESULT HostWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result);
    void HostSized();
    LRESULT HostHitTest(LPARAM lParam, LRESULT result);
    void SendToMDIClient(UINT msg, WPARAM wParam, LPARAM lParam);
    void ReleaseHostWindow();
    void AppMessageHook(MSG& msg, bool& handled);
    void DrawMenuBarButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw);
    void DrawMenuBarBackground(TToolBar* sender, const TRect& rect, bool& defaultDraw);

    TsuiTitleBar* titleBar_ = nullptr;
    TToolBar* menuBar_ = nullptr;
    TMainMenu* menu_ = nullptr;
    WNDPROC oldWndProc_;
    // Shared with the replacement procedure, which passes messages on alone once it is null.
    std::shared_ptr<TsuiForm*> hostLink_;
    HWND hostWnd_ = nullptr;
    TCustomForm* hostForm_ = nullptr;
    TBorderStyle hostBorderStyle_ = bsNone;
    TColor borderColor_ = clBlack;
    TCustomPanel* formPanel_ = nullptr;
    int borderWidth_ = 1;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TColor menuBarColor_ = clBtnFace;
    int menuBarHeight_ = 22;
    bool ownsAppHook_ = false;
    bool uiStyleAutoUpdateSub_ = false;
    TRect designBounds_;
    bool startedMaximized_ = false;
    int nonClientHeight_ = 0;
    int nonClientWidth_ = 0;
};

// Registers the skinned form for the layout reader.
void RegisterFormClasses();
