#include "skin/frame/SUIForm.h"

#include <algorithm>

#include "host/gfx/Canvas.h"
#include "host/ui/Application.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Menus.h"
#include "host/ui/Publisher.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/Window.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "skin/frame/SUIMainMenu.h"

namespace {

// Sent to the MDI client window of the application's main form.
constexpr UINT SUIM_MDICHILDACTIVATED = 0x1330;
constexpr UINT SUIM_MDICHILDMAXIMIZED = 0x1331;
constexpr UINT SUIM_MDICHILDRESTORED = 0x1332;

// Caption-less style: WS_BORDER and WS_DLGFRAME cleared.
constexpr LONG kNoCaptionMask = static_cast<LONG>(0xFF3FFFFF);

// Width of the resize band along each edge of a sizeable host.
constexpr int kSizeBand = 5;

// The children of maximised MDI children are scrolled up under the hidden title bar; one flag
// for all skinned forms.
bool MdiScrolled = false;

} // namespace

TsuiForm::TsuiForm(TComponent* owner)
    : TCustomPanel(owner)
{
    auto* host = dynamic_cast<TForm*>(owner);
    // Refused before anything of the host changes.
    if (host != nullptr) {
        for (int i = 0; i < host->ControlCount(); ++i) {
            if (host->Controls(i)->ClassInfo().InheritsFrom("TsuiForm"))
                throw Exception("Sorry, You can create only one TsuiForm component in one form!");
        }
    }
    hostForm_ = host;
    if (host != nullptr && !Designing()) {
        host->Constraints().SetMinHeight(50);
        host->Constraints().SetMinWidth(125);
    }
    if (host != nullptr) {
        designBounds_ = { host->Left(), host->Top(), host->Left() + host->Width(), host->Top() + host->Height() };
        startedMaximized_ = host->WindowState() == wsMaximized;
        hostBorderStyle_ = host->BorderStyle();
    }
    // The title bar always exists, so that its properties can be reached whatever the owner.
    titleBar_ = new TsuiTitleBar(this);
    titleBar_->SetParent(this);
    titleBar_->OnCustomBtnsClick = [this](TObject* sender, int index) {
        if (OnTitleBarCustomBtnsClick)
            OnTitleBarCustomBtnsClick(sender, index);
    };
    titleBar_->OnHelpBtnClick = [this](TObject* sender, int index) {
        if (OnTitleBarHelpBtnClick)
            OnTitleBarHelpBtnClick(sender, index);
    };
    menuBarColor_ = Color();
    menuBarHeight_ = 22;
    if (host == nullptr)
        return;

    SetUIStyle(DeepBlue);
    uiStyleAutoUpdateSub_ = false;
    nonClientHeight_ = host->Height() - host->ClientHeight();
    nonClientWidth_ = host->Width() - host->ClientWidth();
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderStyle(bsNone);
    SetAlign(alNone);
    SetCaption(host->Caption());
    SetTitleBarVisible(true);
    TCustomPanel::SetText(" ");
    ownsAppHook_ = false;
    host->SetScaled(false);
    if (Designing())
        return;

    if (host->FormStyle() != fsMDIChild && host->FormStyle() != fsMDIForm)
        host->SetBorderStyle(bsNone);
    host->SetAutoScroll(false);
    hostWnd_ = host->Handle();
    hostLink_ = std::make_shared<TsuiForm*>(this);
    oldWndProc_ = GetWindowProc(hostWnd_);
    SetWindowProc(hostWnd_, [link = hostLink_, old = oldWndProc_](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const LRESULT result = CallWindowProc(old, wnd, msg, wParam, lParam);
        // The host's own handling may have destroyed the skinned form.
        if (*link == nullptr)
            return result;
        return (*link)->HostWndProc(wnd, msg, wParam, lParam, result);
    });
    SetWindowLong(hostWnd_, GWL_STYLE, GetWindowLong(hostWnd_, GWL_STYLE) & kNoCaptionMask);
    if (Application != nullptr && !Application->OnMessage) {
        ownsAppHook_ = true;
        Application->OnMessage = [this](MSG& msg, bool& handled) { AppMessageHook(msg, handled); };
    }
}

TsuiForm::~TsuiForm()
{
    Destroying();
    if (ownsAppHook_ && Application != nullptr)
        Application->OnMessage = nullptr;
    ReleaseHostWindow();
    if (auto* skinMenu = dynamic_cast<TsuiMainMenu*>(menu_))
        skinMenu->SetSkinForm(nullptr);
    delete menuBar_;
    menuBar_ = nullptr;
    delete titleBar_;
    titleBar_ = nullptr;
    if (hostForm_ != nullptr && !hostForm_->ComponentState().Contains(csDestroying))
        hostForm_->Invalidate();
}

// The host window lives on without the form: it gets its own procedure back.
void TsuiForm::ReleaseHostWindow()
{
    if (!hostLink_)
        return;
    *hostLink_ = nullptr;
    if (IsWindow(hostWnd_))
        SetWindowProc(hostWnd_, oldWndProc_);
    hostLink_.reset();
}

bool TsuiForm::HostIsMDIChild() const
{
    return hostForm_ != nullptr && hostForm_->FormStyle() == fsMDIChild;
}

// ---- the host window ----

LRESULT TsuiForm::HostWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result)
{
    if (ComponentState().Contains(csDestroying) || hostForm_->ComponentState().Contains(csDestroying))
        return result;
    switch (msg) {
    case WM_MDIACTIVATE:
        if (lParam == reinterpret_cast<LPARAM>(wnd))
            SendToMDIClient(SUIM_MDICHILDACTIVATED, 0, 0);
        break;
    case WM_KEYDOWN:
        result = HandleMenuShortCut(TMessage { msg, wParam, lParam, 0 });
        break;
    case WM_SHOWWINDOW:
        // The menu shows in the menu bar, never as the window's own.
        hostForm_->SetMenu(nullptr);
        break;
    case WM_ACTIVATE:
        titleBar_->SetFormActive(LOWORD(wParam) != 0);
        break;
    case WM_SIZE:
        HostSized();
        break;
    case WM_ERASEBKGND:
        PaintHostBorder(reinterpret_cast<HDC>(wParam));
        break;
    case WM_NCHITTEST:
        if (hostForm_->WindowState() != wsMaximized)
            result = HostHitTest(lParam, result);
        break;
    default:
        break;
    }
    return result;
}

void TsuiForm::HostSized()
{
    TCustomForm* host = hostForm_;
    if (startedMaximized_) {
        if (host->WindowState() != wsMaximized) {
            startedMaximized_ = false;
            SetControlBounds(host, designBounds_);
        }
        MdiScrolled = true;
    }
    if (host->WindowState() == wsMaximized && !HostIsMDIChild() && hostBorderStyle_ != bsNone) {
        // Maximised over the work area, so task bars stay visible.
        TRect area;
        if (GetWorkArea(area) && host->BoundsRect() != area)
            SetControlBounds(host, area);
    }
    PlaceInHost();
    PaintHostBorder();
    if (HostIsMDIChild()) {
        const int titleHeight = titleBar_->Height();
        if (host->WindowState() == wsMaximized) {
            SetTitleBarVisible(false);
            if (!MdiScrolled) {
                ScrollBy(0, -titleHeight);
                MdiScrolled = true;
                SendToMDIClient(SUIM_MDICHILDMAXIMIZED, reinterpret_cast<WPARAM>(hostWnd_), 0);
            }
        } else {
            SetTitleBarVisible(true);
            if (MdiScrolled) {
                ScrollBy(0, titleHeight);
                // Scrolling moved the aligned title bar too: it goes back to the top.
                Realign();
                MdiScrolled = false;
                titleBar_->UpdateMaxButtons();
                SendToMDIClient(SUIM_MDICHILDRESTORED, 0, 0);
            }
        }
    }
    if (titleBar_->OnSkinnedForm())
        titleBar_->ApplyRoundCorner(titleBar_->RoundCorner());
}

LRESULT TsuiForm::HostHitTest(LPARAM lParam, LRESULT result)
{
    if (hostForm_->FormStyle() == fsMDIForm && result == HTCLIENT)
        result = HTTRANSPARENT;
    if (hostBorderStyle_ != bsSizeable)
        return result;
    // Signed halves: screens left of or above the primary one have negative coordinates.
    TPoint p = LParamToPoint(lParam);
    ::ScreenToClient(hostWnd_, &p);
    const int cw = hostForm_->ClientWidth();
    const int ch = hostForm_->ClientHeight();
    const bool left = p.X < kSizeBand;
    const bool top = p.Y < kSizeBand;
    const bool right = p.X > cw - kSizeBand;
    const bool bottom = p.Y > ch - kSizeBand;
    if (left && top)
        return HTTOPLEFT;
    if (right && top)
        return HTTOPRIGHT;
    if (right && bottom)
        return HTBOTTOMRIGHT;
    if (left && bottom)
        return HTBOTTOMLEFT;
    if (left)
        return HTLEFT;
    if (top)
        return HTTOP;
    if (right)
        return HTRIGHT;
    if (bottom)
        return HTBOTTOM;
    return result;
}

void TsuiForm::SendToMDIClient(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (Application == nullptr || Application->MainForm() == nullptr)
        return;
    if (HWND client = Application->MainForm()->ClientHandle())
        SendMessage(client, msg, wParam, lParam);
}

void TsuiForm::PlaceInHost()
{
    if (hostForm_ == nullptr)
        return;
    const int cw = hostForm_->ClientWidth();
    const int ch = hostForm_->ClientHeight();
    const int top = TitleBarVisible() ? 0 : borderWidth_;
    int width = cw - 2 * borderWidth_;
    int height = ch - borderWidth_ - top;
    if (HostIsMDIChild()) {
        width -= 3;
        height -= 3;
    }
    TCustomPanel::SetBounds(borderWidth_, top, width, height);
}

void TsuiForm::PaintHostBorder(HDC dc)
{
    if (hostForm_ == nullptr || !hostForm_->HandleAllocated())
        return;
    HWND wnd = hostForm_->Handle();
    HDC own = dc == nullptr ? GetDC(wnd) : nullptr;
    if (dc == nullptr && own == nullptr)
        return;
    TCanvas canvas(dc != nullptr ? dc : own);
    const int cw = hostForm_->ClientWidth();
    const int ch = hostForm_->ClientHeight();
    const int bw = borderWidth_;
    canvas.Pen().Color = borderColor_;
    canvas.Pen().Width = bw;
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Brush().Color = borderColor_;
    canvas.Brush().Style = TBrushStyle::bsSolid;
    if (HostIsMDIChild()) {
        canvas.FillRect({ 0, 0, bw, ch - 2 });
        canvas.FillRect({ 0, ch - bw - 3, cw, ch });
        canvas.FillRect({ cw - bw - 3, 0, cw, ch });
    } else {
        canvas.FillRect({ 0, 0, bw, ch });
        canvas.FillRect({ 0, ch - bw, cw, ch });
        canvas.FillRect({ cw - bw, 0, cw, ch });
    }
    canvas.MoveTo(0, 0);
    canvas.LineTo(cw, 0);
    if (own != nullptr)
        ReleaseDC(wnd, own);
}

// ---- the panel ----

void TsuiForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // The panel paints all of itself; erasing would only flicker.
        PaintHostBorder();
        message.Result = 1;
        return;
    case WM_CREATE:
        TCustomPanel::WndProc(message);
        PlaceInHost();
        PaintHostBorder();
        return;
    default:
        TCustomPanel::WndProc(message);
    }
}

void TsuiForm::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    if (uiStyle_ == MacOS || uiStyle_ == Protein) {
        TBitmap pattern;
        pattern.LoadFromResourceName(uiStyle_ == MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND");
        // Only what the clip lets through, the pattern still tiled from the form's corner.
        const TRect box = IntersectRect(client, canvas.Handle()->ClipBox());
        if (!box.IsEmpty()) {
            TBitmap tile(pattern.Width(), pattern.Height());
            for (int y = 0; y < tile.Height(); ++y)
                for (int x = 0; x < tile.Width(); ++x)
                    tile.SetPixel(x, y, pattern.GetPixel((x + box.Left) % tile.Width(), (y + box.Top) % tile.Height()));
            TBitmap buffer = CreateCompatibleBitmap(canvas.Handle(), box.Width(), box.Height());
            buffer.Canvas().Brush().Bitmap = &tile;
            buffer.Canvas().FillRect(Rect(0, 0, box.Width(), box.Height()));
            canvas.Draw(box.Left, box.Top, buffer);
        }
    } else {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = Color();
        canvas.FillRect(client);
    }
    if (Designing()) {
        PlaceInHost();
        PaintHostBorder();
    }
}

void TsuiForm::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (component == nullptr)
        return;
    if (operation == opInsert) {
        if (Designing() && !Loading() && component->ClassName() != "TsuiMainMenu" && dynamic_cast<TMainMenu*>(component)) {
            const std::string hostName = hostForm_ != nullptr ? hostForm_->Name() : std::string();
            MessageDlg("Strongly recommend you to use \"TsuiMainMenu\" instead of \"TMainMenu\".\r\n\r\nIf you still want to "
                       "use TMainForm, \r\n\r\nset "
                    + hostName + "'s MENU property to NIL please." + "\r\n\r\n" + "And set " + Name()
                    + "'s MENU property to this Menu when you finished designing the menu.",
                mtInformation, TMsgDlgButtons { mbOK }, 0);
        }
        return;
    }
    if (component == titleBar_)
        titleBar_ = nullptr;
    if (component == menuBar_)
        menuBar_ = nullptr;
    if (component == formPanel_)
        formPanel_ = nullptr;
    if (component == menu_)
        DestroyMenuBar();
    if (component == fileTheme_) {
        fileTheme_ = nullptr;
        ApplyThemeToChildren(this, DeepBlue, nullptr);
        SetUIStyle(DeepBlue);
    }
}

// ---- properties ----

void TsuiForm::SetFileTheme(TsuiFileTheme* value)
{
    if (value == fileTheme_)
        return;
    if (fileTheme_ != nullptr)
        fileTheme_->RemoveFreeNotification(this);
    fileTheme_ = value;
    if (fileTheme_ != nullptr)
        fileTheme_->FreeNotification(this);
    SetUIStyle(uiStyle_);
}

void TsuiForm::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    TsuiUIStyle style = DeepBlue;
    if (TsuiFileTheme::CanUseFileTheme(fileTheme_, uiStyle_, style)) {
        SetBorderColor(fileTheme_->GetColor(SUI_THEME_FORM_BORDER_COLOR));
        SetBorderWidth(fileTheme_->GetInt(SUI_THEME_FORM_BORDERWIDTH_INT));
        SetColor(fileTheme_->GetColor(SUI_THEME_FORM_BACKGROUND_COLOR));
    } else {
        SetBorderColor(GetThemeColor(style, SUI_THEME_FORM_BORDER_COLOR));
        SetBorderWidth(GetThemeInt(style, SUI_THEME_FORM_BORDERWIDTH_INT));
        SetColor(GetThemeColor(style, SUI_THEME_FORM_BACKGROUND_COLOR));
    }
    SetMenuBarColor(Color());
    titleBar_->SetFileTheme(fileTheme_);
    titleBar_->SetUIStyle(uiStyle_);
    if (HostIsMDIChild())
        titleBar_->SetRoundCorner(0);
    if (auto* skinMenu = dynamic_cast<TsuiMainMenu*>(menu_)) {
        skinMenu->SetUIStyle(uiStyle_);
        skinMenu->SetFileTheme(fileTheme_);
    }
    if (uiStyleAutoUpdateSub_)
        ApplyThemeToChildren(this, uiStyle_, fileTheme_);
    PlaceInHost();
    Invalidate();
    PaintHostBorder();
}

void TsuiForm::SetBorderColor(TColor value)
{
    borderColor_ = value;
    PlaceInHost();
    PaintHostBorder();
}

void TsuiForm::SetBorderWidth(int value)
{
    // A theme file without the entry answers -1.
    borderWidth_ = std::max(value, 0);
    SetWidth(Width());
    PlaceInHost();
    SetHeight(Height());
    PaintHostBorder();
}

bool TsuiForm::TitleBarVisible() const
{
    return titleBar_ != nullptr && titleBar_->Visible();
}

void TsuiForm::SetTitleBarVisible(bool value)
{
    if (value == titleBar_->Visible())
        return;
    titleBar_->SetVisible(value);
    titleBar_->SetTop(0);
    PlaceInHost();
    PaintHostBorder();
}

std::string TsuiForm::Caption() const
{
    return titleBar_->Caption();
}

void TsuiForm::SetCaption(const std::string& value)
{
    titleBar_->SetText(value);
    if (hostForm_ != nullptr)
        hostForm_->SetCaption(value);
}

void TsuiForm::SetFormPanel(TCustomPanel* value)
{
    if (value == this) {
        MessageDlg("Sorry, you can't select the Form assign to FormPanel property", mtError, TMsgDlgButtons { mbOK }, 0);
        return;
    }
    if (formPanel_ != nullptr && formPanel_ != value)
        formPanel_->RemoveFreeNotification(this);
    formPanel_ = value;
    if (formPanel_ == nullptr)
        return;
    formPanel_->FreeNotification(this);
    formPanel_->SetAlign(alClient);
    if (auto* panel = dynamic_cast<TPanel*>(formPanel_)) {
        panel->SetBevelOuter(bvNone);
        panel->SetBevelInner(bvNone);
        panel->SetBorderStyle(bsNone);
        panel->SetCaption("");
    }
}

TsuiTitleBarButtons& TsuiForm::TitleBarButtons()
{
    return titleBar_->Buttons();
}

void TsuiForm::SetTitleBarButtons(const TsuiTitleBarButtons& value)
{
    titleBar_->SetButtons(value);
}

TsuiTitleBarSections& TsuiForm::TitleBarSections()
{
    return titleBar_->Sections();
}

void TsuiForm::SetTitleBarSections(const TsuiTitleBarSections& value)
{
    titleBar_->SetSections(value);
}

bool TsuiForm::TitleBarDrawAppIcon() const
{
    return titleBar_->DrawAppIcon();
}

void TsuiForm::SetTitleBarDrawAppIcon(bool value)
{
    titleBar_->SetDrawAppIcon(value);
}

TFont& TsuiForm::Font()
{
    return titleBar_->Font();
}

void TsuiForm::SetFont(const TFont& value)
{
    titleBar_->SetFont(value);
}

void TsuiForm::SetWidth(int value)
{
    if (hostForm_ == nullptr) {
        TCustomPanel::SetWidth(value);
        return;
    }
    hostForm_->SetWidth(value + 2 * borderWidth_ + (Designing() ? nonClientWidth_ : 0));
    PlaceInHost();
}

void TsuiForm::SetHeight(int value)
{
    if (hostForm_ == nullptr) {
        TCustomPanel::SetHeight(value);
        return;
    }
    hostForm_->SetHeight(value + borderWidth_ + borderWidth_ / 2 + (Designing() ? nonClientHeight_ : 0));
    PlaceInHost();
}

int TsuiForm::RoundCorner() const
{
    return titleBar_->RoundCorner();
}

void TsuiForm::SetRoundCorner(int value)
{
    if (!HostIsMDIChild())
        titleBar_->SetRoundCorner(value);
}

void TsuiForm::Publish(TPublisher<TsuiForm>& p)
{
    p.Property("FileTheme", &TsuiForm::FileTheme, &TsuiForm::SetFileTheme);
    p.Property("UIStyle", &TsuiForm::UIStyle, &TsuiForm::SetUIStyle);
    p.Property("UIStyleAutoUpdateSub", &TsuiForm::UIStyleAutoUpdateSub, &TsuiForm::SetUIStyleAutoUpdateSub);
    p.Property("BorderColor", &TsuiForm::BorderColor, &TsuiForm::SetBorderColor).Idents(ColorIdents());
    p.Property("BorderWidth", &TsuiForm::BorderWidth, &TsuiForm::SetBorderWidth);
    p.Property("TitleBarVisible", &TsuiForm::TitleBarVisible, &TsuiForm::SetTitleBarVisible).Default(true);
    p.Property("Color", &TsuiForm::Color, &TsuiForm::SetColor).Idents(ColorIdents()).Default(clBtnFace);
    p.Property("Caption", &TsuiForm::Caption, &TsuiForm::SetCaption);
    p.Property("FormPanel", &TsuiForm::FormPanel, &TsuiForm::SetFormPanel);
    p.Property("TitleBarButtons", &TsuiForm::TitleBarButtons, &TsuiForm::SetTitleBarButtons);
    p.Property("TitleBarSections", &TsuiForm::TitleBarSections, &TsuiForm::SetTitleBarSections);
    p.Property("TitleBarDrawAppIcon", &TsuiForm::TitleBarDrawAppIcon, &TsuiForm::SetTitleBarDrawAppIcon);
    p.Property("Font", &TsuiForm::Font, &TsuiForm::SetFont);
    p.Property("Menu", &TsuiForm::Menu, &TsuiForm::SetMenu);
    p.Property("MenuBarColor", &TsuiForm::MenuBarColor, &TsuiForm::SetMenuBarColor).Idents(ColorIdents());
    p.Property("MenuBarHeight", &TsuiForm::MenuBarHeight, &TsuiForm::SetMenuBarHeight);
    p.Property("Height", &TsuiForm::Height, &TsuiForm::SetHeight);
    p.Property("Width", &TsuiForm::Width, &TsuiForm::SetWidth);
    p.Property("RoundCorner", &TsuiForm::RoundCorner, &TsuiForm::SetRoundCorner);
    p.Event("OnTitleBarCustomBtnsClick", &TsuiForm::OnTitleBarCustomBtnsClick);
    p.Event("OnTitleBarHelpBtnClick", &TsuiForm::OnTitleBarHelpBtnClick);
}

void RegisterFormClasses()
{
    RegisterFileThemeClasses();
    RegisterClasses<TsuiForm>();
}
