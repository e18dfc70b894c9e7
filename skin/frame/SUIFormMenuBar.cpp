// The skinned form's menu bar: a flat tool bar below the title bar with one button per
// top-level item of Menu, and the menu's shortcuts, which the form dispatches itself because
// the host form's own menu stays empty.
#include <algorithm>

#include "host/gfx/Canvas.h"
#include "host/ui/Application.h"
#include "host/ui/Menus.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUIMainMenu.h"

void TsuiForm::SetMenu(TMainMenu* value)
{
    if (auto* oldMenu = dynamic_cast<TsuiMainMenu*>(menu_))
        oldMenu->SetSkinForm(nullptr);
    if (menu_ != nullptr && menu_ != value)
        menu_->RemoveFreeNotification(this);
    menu_ = value;
    if (menu_ == nullptr) {
        DestroyMenuBar();
        return;
    }
    menu_->FreeNotification(this);
    if (auto* skinMenu = dynamic_cast<TsuiMainMenu*>(menu_))
        skinMenu->SetSkinForm(this);
    if (menuBar_ == nullptr)
        CreateMenuBar();
    RebuildMenuBar();
}

void TsuiForm::SetMenuBarColor(TColor value)
{
    menuBarColor_ = value;
    if (menuBar_ != nullptr)
        menuBar_->SetColor(value);
}

void TsuiForm::SetMenuBarHeight(int value)
{
    menuBarHeight_ = value;
    if (menuBar_ == nullptr)
        return;
    menuBar_->SetHeight(value);
    for (int i = 0; i < menuBar_->ButtonCount(); ++i)
        menuBar_->Buttons(i)->SetHeight(value);
}

void TsuiForm::CreateMenuBar()
{
    if (menuBar_ != nullptr || HostIsMDIChild())
        return;
    menuBar_ = new TToolBar(this);
    menuBar_->SetParent(this);
    menuBar_->SetFlat(true);
    menuBar_->SetEdgeBorders({});
    menuBar_->SetShowCaptions(true);
    menuBar_->SetHeight(menuBarHeight_);
    menuBar_->SetColor(menuBarColor_);
    // While designing the bar draws hot and pressed buttons itself.
    if (!Designing()) {
        menuBar_->OnCustomDrawButton = [this](TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
            DrawMenuBarButton(sender, button, state, defaultDraw);
        };
    }
    menuBar_->OnCustomDraw
        = [this](TToolBar* sender, const TRect& rect, bool& defaultDraw) { DrawMenuBarBackground(sender, rect, defaultDraw); };
    // Both align to the top: the title bar stays above the menu bar.
    titleBar_->SetTop(0);
}

void TsuiForm::DestroyMenuBar()
{
    if (!HostIsMDIChild()) {
        delete menuBar_;
        menuBar_ = nullptr;
    }
    menu_ = nullptr;
}

void TsuiForm::RebuildMenuBar()
{
    if (menuBar_ == nullptr)
        return;
    if (menu_ == nullptr) {
        DestroyMenuBar();
        return;
    }
    while (menuBar_->ButtonCount() > 0)
        delete menuBar_->Buttons(menuBar_->ButtonCount() - 1);
    // A new button goes in front of those already on the bar, so the last item comes first.
    TMenuItem* root = menu_->Items();
    for (int i = root->Count() - 1; i >= 0; --i) {
        TMenuItem* item = root->Items(i);
        if (item->Parent() != root)
            continue;
        auto* button = new TToolButton(this);
        button->SetParent(menuBar_);
        button->SetGrouped(true);
        button->SetMenuItem(item);
        button->SetAutoSize(true);
    }
}

void TsuiForm::RefreshMenuBar()
{
    if (menuBar_ == nullptr)
        return;
    for (int i = 0; i < menuBar_->ButtonCount(); ++i) {
        TToolButton* button = menuBar_->Buttons(i);
        if (TMenuItem* item = button->MenuItem()) {
            button->SetCaption(item->Caption());
            button->SetEnabled(item->Enabled());
        }
    }
}

void TsuiForm::UpdateMenuBarFont()
{
    if (menuBar_ == nullptr || menu_ == nullptr)
        return;
    if (auto* skinMenu = dynamic_cast<TsuiMainMenu*>(menu_)) {
        TFont& font = menuBar_->Font();
        if (skinMenu->UseSystemFont()) {
            SetMenuSystemFont(font);
        } else {
            font.SetName(skinMenu->FontName());
            font.SetSize(skinMenu->FontSize());
            font.SetCharset(skinMenu->FontCharset());
        }
    }
    menuBar_->Invalidate();
}

void TsuiForm::DrawMenuBarButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw)
{
    TsuiUIStyle style = uiStyle_;
    TsuiFileTheme* fileTheme = fileTheme_;
    TCanvas& canvas = sender->Canvas();
    auto* skinMenu = dynamic_cast<TsuiMainMenu*>(menu_);
    const bool menuFont = skinMenu != nullptr && !skinMenu->UseSystemFont();
    if (skinMenu != nullptr) {
        style = skinMenu->UIStyle();
        fileTheme = skinMenu->FileTheme();
        if (menuFont) {
            canvas.Font().SetName(skinMenu->FontName());
            canvas.Font().SetSize(skinMenu->FontSize());
            canvas.Font().SetCharset(skinMenu->FontCharset());
            canvas.Font().SetColor(skinMenu->FontColor());
        } else {
            SetMenuSystemFont(canvas.Font());
        }
    }
    const bool selected = state.Contains(cdsSelected);
    if (!selected && !state.Contains(cdsHot)) {
        defaultDraw = true;
        return;
    }
    defaultDraw = false;

    TsuiUIStyle tableStyle = DeepBlue;
    const bool fromFile = TsuiFileTheme::CanUseFileTheme(fileTheme, style, tableStyle);
    auto themeColor = [&](int entry) { return fromFile ? fileTheme->GetColor(entry) : GetThemeColor(tableStyle, entry); };
    const std::string caption = button->Caption();

    if (style == MacOS) {
        const int width = std::max(button->Width(), 1);
        const int height = std::max(button->Height(), 1);
        TBitmap face = CreateCompatibleBitmap(canvas.Handle(), width, height);
        TCanvas& faceCanvas = face.Canvas();
        DrawMacMenuSelection(faceCanvas, { 0, 0, width, height });
        const TFont& source = canvas.Font();
        faceCanvas.Font().SetName(menuFont ? skinMenu->FontName() : source.Name());
        faceCanvas.Font().SetSize(menuFont ? skinMenu->FontSize() : source.Size());
        faceCanvas.Font().SetCharset(menuFont ? skinMenu->FontCharset() : source.Charset());
        faceCanvas.Font().SetColor(themeColor(SUI_THEME_MENU_SELECTED_FONT_COLOR));
        faceCanvas.Brush().Style = TBrushStyle::bsClear;
        // Two pixels taller: the caption sits one pixel below the centre.
        TRect textRect { 0, 0, width, height + 2 };
        DrawText(faceCanvas, caption, textRect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        canvas.Draw(button->Left(), button->Top(), face);
        return;
    }

    TRect r = button->BoundsRect();
    if (selected)
        r.Right -= 2;
    FillRectColor(canvas, r, themeColor(SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR));
    FrameRectColor(canvas, r, themeColor(SUI_THEME_MENU_SELECTED_BORDER_COLOR));
    if (selected) {
        r.Left += 2;
        r.Top += 2;
    }
    canvas.Font().SetColor(themeColor(SUI_THEME_MENU_SELECTED_FONT_COLOR));
    canvas.Brush().Style = TBrushStyle::bsClear;
    DrawText(canvas, caption, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void TsuiForm::DrawMenuBarBackground(TToolBar* sender, const TRect& rect, bool&)
{
    auto* skinMenu = dynamic_cast<TsuiMainMenu*>(menu_);
    const TsuiUIStyle style = skinMenu != nullptr ? skinMenu->UIStyle() : uiStyle_;
    if (style == MacOS)
        DrawMacMenuBar(sender->Canvas(), rect);
}

LRESULT TsuiForm::HandleMenuShortCut(const TMessage& message)
{
    if (hostForm_ == nullptr || menu_ == nullptr || !IsFormActive(hostForm_) || !hostForm_->Active())
        return 0;
    MSG msg;
    msg.hwnd = hostWnd_;
    msg.message = message.Msg;
    msg.wParam = message.WParam;
    msg.lParam = message.LParam;
    return menu_->IsShortCut(msg) ? 1 : 0;
}

void TsuiForm::AppMessageHook(MSG& msg, bool& handled)
{
    if (msg.message != WM_KEYDOWN)
        return;
    handled = HandleMenuShortCut(TMessage { msg.message, msg.wParam, msg.lParam, 0 }) != 0;
}
