#include "host/ui/ToolBar.h"

#include <algorithm>

#include "host/ui/ImageList.h"
#include "host/ui/MenuTracking.h"
#include "host/ui/Menus.h"

namespace {

constexpr int kEdge = 2;
constexpr int kSeparatorWidth = 8;
constexpr int kCaptionPadding = 4;

// A one-pixel 3D frame: light on the top and left, dark on the bottom and right.
void DrawFrame(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight)
{
    canvas.Pen().Color = topLeft;
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.Pen().Color = bottomRight;
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left - 1, r.Bottom - 1);
}

// Tells whether a component went while a modal loop ran.
class TFreeWatch : public TComponent {
public:
    explicit TFreeWatch(TComponent* watched)
        : TComponent(nullptr)
        , watched_(watched)
    {
        FreeNotification(watched);
    }
    bool Gone() const { return watched_ == nullptr; }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == watched_)
            watched_ = nullptr;
    }

private:
    TComponent* watched_;
};

bool HasVisibleSubItems(const TMenuItem& item)
{
    for (int i = 0; i < item.Count(); ++i) {
        if (item.Items(i)->Visible())
            return true;
    }
    return false;
}

} // namespace

// ---- TToolButton ----

void TToolButton::Publish(TPublisher<TToolButton>& p)
{
    p.Property("AutoSize", &TToolButton::AutoSize, &TToolButton::SetAutoSize).Default(false);
    p.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    p.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
    p.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
    p.Property("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
    p.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
}

TToolButton::TToolButton(TComponent* owner)
    : TGraphicControl(owner)
{
}

TToolButton::~TToolButton()
{
    // Leave the bar while still a tool button, so that it forgets this one.
    SetParent(nullptr);
}

TToolBar* TToolButton::ToolBar() const
{
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    Changed();
}

void TToolButton::SetMenuItem(TMenuItem* value)
{
    if (value != nullptr) {
        value->FreeNotification(this);
        SetCaption(value->Caption());
        SetDown(value->Checked());
        SetEnabled(value->Enabled());
        SetHint(value->Hint());
        SetImageIndex(value->ImageIndex());
        SetVisible(value->Visible());
    }
    menuItem_ = value;
}

void TToolButton::SetDown(bool value)
{
    if (value == down_)
        return;
    down_ = value;
    if (value && grouped_)
        if (TToolBar* bar = ToolBar())
            bar->ReleaseGroup(*this);
    Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Changed();
}

void TToolButton::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    Changed();
}

void TToolButton::Changed()
{
    if (TToolBar* bar = ToolBar())
        bar->LayoutButtons();
    Invalidate();
}

void TToolButton::Click()
{
    if (menuItem_ != nullptr) {
        if (HasVisibleSubItems(*menuItem_))
            DropMenu();
        else
            menuItem_->Click();
        return;
    }
    if (style_ == tbsCheck)
        SetDown(!down_ || grouped_);
    inherited::Click();
}

void TToolButton::DropMenu()
{
    TMenu* menu = menuItem_->GetParentMenu();
    if (menu == nullptr)
        return;
    dropped_ = true;
    Invalidate();
    TMenuItem* chosen = nullptr;
    const TFreeWatch self(this);
    try {
        TMenuTracker tracker(*menu, *menuItem_);
        tracker.Open(ClientToScreen({ 0, Height() }));
        chosen = tracker.Run();
    } catch (...) {
        if (!self.Gone())
            dropped_ = false;
        throw;
    }
    if (self.Gone()) {
        if (chosen != nullptr)
            chosen->Click();
        return;
    }
    // The pointer was the menu's meanwhile.
    dropped_ = false;
    hot_ = false;
    Invalidate();
    if (chosen != nullptr)
        chosen->Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled() && style_ != tbsSeparator && style_ != tbsDivider) {
        pressed_ = true;
        Invalidate();
    }
    inherited::MouseDown(button, shift, x, y);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    inherited::MouseUp(button, shift, x, y);
}

void TToolButton::CMMouseEnter(TMessage& message)
{
    inherited::CMMouseEnter(message);
    hot_ = true;
    Invalidate();
}

void TToolButton::CMMouseLeave(TMessage& message)
{
    inherited::CMMouseLeave(message);
    hot_ = false;
    Invalidate();
}

void TToolButton::CMTextChanged(TMessage& message)
{
    inherited::CMTextChanged(message);
    Changed();
}

void TToolButton::CMVisibleChanged(TMessage& message)
{
    inherited::CMVisibleChanged(message);
    if (TToolBar* bar = ToolBar())
        bar->LayoutButtons();
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == menuItem_)
        menuItem_ = nullptr;
}

// ---- TToolBar ----

void TToolBar::Publish(TPublisher<TToolBar>& p)
{
    p.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    p.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    p.Property("EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders).Default(TEdgeBorders { ebTop });
    p.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
    p.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
    p.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
    p.Event("OnCustomDraw", &TToolBar::OnCustomDraw);
    p.Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
}

TToolBar::TToolBar(TComponent* owner)
    : TCustomControl(owner)
{
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

void TToolBar::SetFlat(bool value)
{
    if (value == flat_)
        return;
    flat_ = value;
    Invalidate();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value)
{
    if (value == edgeBorders_)
        return;
    edgeBorders_ = value;
    LayoutButtons();
}

void TToolBar::SetShowCaptions(bool value)
{
    if (value == showCaptions_)
        return;
    showCaptions_ = value;
    LayoutButtons();
}

void TToolBar::SetButtonWidth(int value)
{
    if (value == buttonWidth_ || value < 0)
        return;
    buttonWidth_ = value;
    LayoutButtons();
}

void TToolBar::SetButtonHeight(int value)
{
    if (value == buttonHeight_ || value < 0)
        return;
    buttonHeight_ = value;
    for (TToolButton* button : buttons_)
        button->SetHeight(value);
    LayoutButtons();
}

void TToolBar::SetImages(TImageList* value)
{
    if (value == images_)
        return;
    images_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
    LayoutButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
        if (!ComponentState().Contains(csDestroying))
            LayoutButtons();
    }
}

void TToolBar::ControlsChanged()
{
    inherited::ControlsChanged();
    std::erase_if(buttons_, [this](TToolButton* button) { return button->Parent() != this; });
    for (int i = 0; i < ControlCount(); ++i) {
        auto* button = dynamic_cast<TToolButton*>(Controls(i));
        if (button == nullptr || std::find(buttons_.begin(), buttons_.end(), button) != buttons_.end())
            continue;
        // A new button goes before the first one at or right of its own position.
        const auto at
            = std::find_if(buttons_.begin(), buttons_.end(), [button](TToolButton* b) { return b->Left() >= button->Left(); });
        buttons_.insert(at, button);
    }
    LayoutButtons();
}

void TToolBar::Loaded()
{
    inherited::Loaded();
    // The stored positions give the order.
    std::stable_sort(buttons_.begin(), buttons_.end(), [](TToolButton* a, TToolButton* b) { return a->Left() < b->Left(); });
    LayoutButtons();
}

TRect TToolBar::EdgeInsets() const
{
    return { edgeBorders_.Contains(ebLeft) ? kEdge : 0, edgeBorders_.Contains(ebTop) ? kEdge : 0,
        edgeBorders_.Contains(ebRight) ? kEdge : 0, edgeBorders_.Contains(ebBottom) ? kEdge : 0 };
}

int TToolBar::ButtonWidthFor(TToolButton& button)
{
    if (button.Style() == tbsSeparator || button.Style() == tbsDivider)
        return kSeparatorWidth;
    if (!button.AutoSize())
        return buttonWidth_;
    int width = 0;
    if (images_ != nullptr && button.ImageIndex() >= 0 && button.ImageIndex() < images_->Count())
        width += images_->Width();
    if (showCaptions_ && !button.Caption().empty()) {
        TCanvas& canvas = Canvas();
        canvas.Font().Assign(Font());
        TRect text;
        DrawText(canvas, button.Caption(), text, DT_SINGLELINE | DT_CALCRECT);
        width += text.Width() + (width > 0 ? kCaptionPadding : 0);
    }
    return width > 0 ? width + 2 * kCaptionPadding : buttonWidth_;
}

void TToolBar::LayoutButtons()
{
    if (layingOut_ || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    layingOut_ = true;
    const TRect insets = EdgeInsets();
    int x = insets.Left;
    for (TToolButton* button : buttons_) {
        if (!button->Visible())
            continue;
        const int width = ButtonWidthFor(*button);
        button->SetBounds(x, insets.Top, width, button->Height() > 0 ? button->Height() : buttonHeight_);
        x += width;
    }
    layingOut_ = false;
    Invalidate();
}

void TToolBar::ReleaseGroup(TToolButton& button)
{
    const auto at = std::find(buttons_.begin(), buttons_.end(), &button);
    if (at == buttons_.end())
        return;
    auto inGroup = [](const TToolButton* b) { return b->Grouped() && b->Style() == tbsCheck; };
    for (auto it = at + 1; it != buttons_.end() && inGroup(*it); ++it)
        (*it)->SetDown(false);
    for (auto it = at; it != buttons_.begin() && inGroup(*(it - 1)); --it)
        (*(it - 1))->SetDown(false);
}

TCustomDrawState TToolBar::StateOf(const TToolButton& button) const
{
    TCustomDrawState state;
    if (button.Hot() && button.Enabled())
        state.Include(cdsHot);
    if (button.Pressed())
        state.Include(cdsSelected);
    if (button.Down())
        state.Include(cdsChecked);
    if (!button.Enabled())
        state.Include(cdsDisabled);
    return state;
}

void TToolBar::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(client);
    DrawEdges(canvas);
    canvas.Font().Assign(Font());
    bool defaultDraw = true;
    if (OnCustomDraw)
        OnCustomDraw(this, client, defaultDraw);
    if (!defaultDraw)
        return;
    for (TToolButton* button : std::vector<TToolButton*>(buttons_)) {
        if (!button->Visible())
            continue;
        const TCustomDrawState state = StateOf(*button);
        bool drawButton = true;
        if (OnCustomDrawButton)
            OnCustomDrawButton(this, button, state, drawButton);
        if (drawButton)
            DrawButton(canvas, *button, state);
    }
}

void TToolBar::DrawEdges(TCanvas& canvas)
{
    const TRect r = ClientRect();
    auto line = [&canvas](int x1, int y1, int x2, int y2, TColor color) {
        canvas.Pen().Color = color;
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (edgeBorders_.Contains(ebTop)) {
        line(r.Left, r.Top, r.Right, r.Top, clBtnShadow);
        line(r.Left, r.Top + 1, r.Right, r.Top + 1, clBtnHighlight);
    }
    if (edgeBorders_.Contains(ebBottom)) {
        line(r.Left, r.Bottom - 2, r.Right, r.Bottom - 2, clBtnShadow);
        line(r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, clBtnHighlight);
    }
    if (edgeBorders_.Contains(ebLeft)) {
        line(r.Left, r.Top, r.Left, r.Bottom, clBtnShadow);
        line(r.Left + 1, r.Top, r.Left + 1, r.Bottom, clBtnHighlight);
    }
    if (edgeBorders_.Contains(ebRight)) {
        line(r.Right - 2, r.Top, r.Right - 2, r.Bottom, clBtnShadow);
        line(r.Right - 1, r.Top, r.Right - 1, r.Bottom, clBtnHighlight);
    }
}

void TToolBar::DrawButton(TCanvas& canvas, TToolButton& button, TCustomDrawState state)
{
    const TRect r = button.BoundsRect();
    if (button.Style() == tbsSeparator || button.Style() == tbsDivider) {
        const int x = r.Left + r.Width() / 2 - 1;
        DrawFrame(canvas, { x, r.Top, x + 2, r.Bottom }, clBtnShadow, clBtnHighlight);
        return;
    }
    const bool sunken = state.Contains(cdsSelected) || state.Contains(cdsChecked);
    if (sunken)
        DrawFrame(canvas, r, clBtnShadow, clBtnHighlight);
    else if (!flat_ || state.Contains(cdsHot))
        DrawFrame(canvas, r, clBtnHighlight, clBtnShadow);
    TRect content = r.Inflate(-kEdge, -kEdge);
    if (sunken)
        content = content.Offset(1, 1);
    const bool caption = showCaptions_ && !button.Caption().empty();
    if (images_ != nullptr && button.ImageIndex() >= 0 && button.ImageIndex() < images_->Count()) {
        const int x = caption ? content.Left + kCaptionPadding - kEdge : content.Left + (content.Width() - images_->Width()) / 2;
        images_->Draw(canvas, x, content.Top + (content.Height() - images_->Height()) / 2, button.ImageIndex(), button.Enabled());
        content.Left = x + images_->Width();
    }
    if (!caption)
        return;
    const TColor color = canvas.Font().Color();
    if (!button.Enabled())
        canvas.Font().SetColor(clGrayText);
    canvas.Brush().Style = TBrushStyle::bsClear;
    DrawText(canvas, button.Caption(), content, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Font().SetColor(color);
}

void RegisterToolBarClasses()
{
    RegisterClasses<TToolBar, TToolButton>();
}
