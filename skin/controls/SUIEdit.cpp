#include "skin/controls/SUIEdit.h"

#include <algorithm>
#include <cstdlib>

#include "host/gfx/Utf8.h"
#include "host/ui/Publisher.h"
#include "host/win/Clipboard.h"
#include "host/win/VirtualKeys.h"
#include "skin/core/SUIMgr.h"

namespace {

// Border, focus ring, then two pixels of air before the text.
constexpr int kBorderWidth = 1;
constexpr int kFocusRingWidth = 1;
constexpr int kTextInset = kBorderWidth + kFocusRingWidth + 2;
constexpr TColor kDisabledTextColor = 0x00808080;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t PreviousCharStart(const std::string& Text, std::size_t Pos)
{
    if (Pos == 0)
        return 0;
    do
        --Pos;
    while (Pos > 0 && IsContinuationByte(Text[Pos]));
    return Pos;
}

std::size_t NextCharStart(const std::string& Text, std::size_t Pos)
{
    if (Pos >= Text.size())
        return Text.size();
    do
        ++Pos;
    while (Pos < Text.size() && IsContinuationByte(Text[Pos]));
    return Pos;
}

std::size_t CharCount(const std::string& Text)
{
    return static_cast<std::size_t>(std::count_if(Text.begin(), Text.end(), [](char c) { return !IsContinuationByte(c); }));
}

// The accepted characters of Text, which are all ASCII.
std::string AcceptedChars(const std::string& Text)
{
    std::string kept;
    for (char32_t c : DecodeUtf8(Text))
        if (TsuiEdit::IsAcceptedChar(c))
            kept += static_cast<char>(c);
    return kept;
}

} // namespace

void TsuiEdit::Publish(TPublisher<TsuiEdit>& p)
{
    // Stored once, as Text.
    p.Property("Caption", &TsuiEdit::Caption, &TsuiEdit::SetCaption).Stored(false);
    p.Property("Text", &TsuiEdit::Text, &TsuiEdit::SetText);
    p.Property("MaxLength", &TsuiEdit::MaxLength, &TsuiEdit::SetMaxLength).Default(0);
    p.Property("UIStyle", &TsuiEdit::UIStyle, &TsuiEdit::SetUIStyle);
    p.Property("FileTheme", &TsuiEdit::FileTheme, &TsuiEdit::SetFileTheme);
    p.Property("TabStop", &TsuiEdit::TabStop, &TsuiEdit::SetTabStop).Default(true);
    p.Event("OnChange", &TsuiEdit::OnChange);
}

TsuiEdit::TsuiEdit(TComponent* Owner)
    : TCustomControl(Owner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetCursor(crIBeam);
    SetUIStyle(GetOwnerFormUIStyle(Owner));
}

TsuiEdit::~TsuiEdit() = default;

bool TsuiEdit::IsAcceptedChar(char32_t Ch)
{
    return (Ch >= U'a' && Ch <= U'z') || (Ch >= U'A' && Ch <= U'Z') || Ch == U'\'' || Ch == U' ' || Ch == U'(' || Ch == U')';
}

void TsuiEdit::SetText(const std::string& Value)
{
    if (Value == Text())
        return;
    FCaret = 0;
    FAnchor = 0;
    FScrollX = 0;
    TCustomControl::SetText(Value);
}

void TsuiEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(Value, 0);
}

void TsuiEdit::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    Repaint();
}

void TsuiEdit::SetFileTheme(TsuiFileTheme* Value)
{
    if (FFileTheme)
        RemoveFreeNotification(FFileTheme);
    FFileTheme = Value;
    if (FFileTheme)
        FreeNotification(FFileTheme);
    SetUIStyle(FUIStyle);
}

int TsuiEdit::SelStart() const
{
    return static_cast<int>(std::min(FCaret, FAnchor));
}

int TsuiEdit::SelLength() const
{
    return static_cast<int>(std::max(FCaret, FAnchor) - std::min(FCaret, FAnchor));
}

std::string TsuiEdit::SelText() const
{
    return Text().substr(static_cast<std::size_t>(SelStart()), static_cast<std::size_t>(SelLength()));
}

void TsuiEdit::SelectAll()
{
    FAnchor = 0;
    FCaret = Text().size();
    ScrollToCaret();
    Repaint();
}

void TsuiEdit::PasteFromClipboard()
{
    // A clipboard without one usable character changes nothing, not even the selection.
    const std::string pasted = AcceptedChars(GetClipboardText());
    if (!pasted.empty())
        ReplaceSelection(pasted);
}

void TsuiEdit::CopyToClipboard()
{
    if (HasSelection())
        SetClipboardText(SelText());
}

void TsuiEdit::CutToClipboard()
{
    if (!HasSelection())
        return;
    SetClipboardText(SelText());
    ReplaceSelection("");
}

TsuiEditLayout TsuiEdit::TextLayout()
{
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    const TRect client = ClientRect();
    TsuiEditLayout layout;
    layout.TextRect = { kTextInset, kBorderWidth + kFocusRingWidth, std::max(client.Right - kTextInset, kTextInset),
        std::max(client.Bottom - kBorderWidth - kFocusRingWidth, kBorderWidth + kFocusRingWidth) };
    layout.TextHeight = canvas.TextHeight("W");
    layout.TextTop = (client.Height() - layout.TextHeight) / 2;
    const std::string& text = Text();
    const int origin = layout.TextRect.Left - FScrollX;
    for (std::size_t pos = 0;; pos = NextCharStart(text, pos)) {
        layout.Offsets.push_back(pos);
        layout.CaretX.push_back(origin + (pos == 0 ? 0 : canvas.TextWidth(text.substr(0, pos))));
        if (pos >= text.size())
            break;
    }
    return layout;
}

std::size_t TsuiEdit::OffsetAt(int X)
{
    const TsuiEditLayout layout = TextLayout();
    std::size_t best = 0;
    for (std::size_t i = 1; i < layout.CaretX.size(); ++i)
        if (std::abs(layout.CaretX[i] - X) < std::abs(layout.CaretX[best] - X))
            best = i;
    return layout.Offsets[best];
}

// Keeps the caret inside the text rectangle, and no blank room at the right while the text is
// scrolled.
void TsuiEdit::ScrollToCaret()
{
    const TsuiEditLayout layout = TextLayout();
    const auto at = std::lower_bound(layout.Offsets.begin(), layout.Offsets.end(), FCaret);
    const std::size_t index = static_cast<std::size_t>(at - layout.Offsets.begin());
    const int origin = layout.TextRect.Left - FScrollX;
    const int caret = layout.CaretX[std::min(index, layout.CaretX.size() - 1)] - origin;
    const int textWidth = layout.CaretX.back() - origin;
    // The caret is one pixel wide and must fit before the right edge.
    const int room = std::max(layout.TextRect.Width() - 1, 0);
    int scroll = std::clamp(FScrollX, 0, std::max(textWidth - room, 0));
    scroll = std::clamp(scroll, std::max(caret - room, 0), caret);
    FScrollX = scroll;
}

void TsuiEdit::MoveCaret(std::size_t Pos, bool Extend)
{
    FCaret = std::min(Pos, Text().size());
    if (!Extend)
        FAnchor = FCaret;
    ScrollToCaret();
    Repaint();
}

void TsuiEdit::ReplaceSelection(std::string Value)
{
    const std::size_t from = std::min(FCaret, FAnchor);
    const std::size_t to = std::max(FCaret, FAnchor);
    const std::string& text = Text();
    if (FMaxLength > 0) {
        const std::size_t kept = CharCount(text) - CharCount(text.substr(from, to - from));
        const std::size_t limit = static_cast<std::size_t>(FMaxLength);
        Value.resize(kept >= limit ? 0 : std::min(Value.size(), limit - kept));
    }
    if (Value.empty() && from == to)
        return;
    std::string changed = text.substr(0, from) + Value + text.substr(to);
    FCaret = from + Value.size();
    FAnchor = FCaret;
    // Past the reset of SetText: the caret stays where the edit left it.
    TCustomControl::SetText(changed);
    ScrollToCaret();
    Repaint();
}

bool TsuiEdit::EditKey(std::uint16_t Key, bool Shift, bool Ctrl)
{
    const std::string& text = Text();
    const std::size_t from = std::min(FCaret, FAnchor);
    const std::size_t to = std::max(FCaret, FAnchor);
    switch (Key) {
    case VK_LEFT:
        // Without Shift a selection collapses to its left end.
        MoveCaret(Shift || !HasSelection() ? PreviousCharStart(text, FCaret) : from, Shift);
        return true;
    case VK_RIGHT:
        MoveCaret(Shift || !HasSelection() ? NextCharStart(text, FCaret) : to, Shift);
        return true;
    case VK_HOME:
        MoveCaret(0, Shift);
        return true;
    case VK_END:
        MoveCaret(text.size(), Shift);
        return true;
    case VK_BACK:
        if (!HasSelection())
            FAnchor = PreviousCharStart(text, FCaret);
        ReplaceSelection("");
        return true;
    case VK_DELETE:
        if (Shift) {
            CutToClipboard();
            return true;
        }
        if (!HasSelection())
            FAnchor = NextCharStart(text, FCaret);
        ReplaceSelection("");
        return true;
    case VK_INSERT:
        if (Shift)
            PasteFromClipboard();
        else if (Ctrl)
            CopyToClipboard();
        return Shift || Ctrl;
    case 'A':
        if (Ctrl)
            SelectAll();
        return Ctrl;
    case 'C':
        if (Ctrl)
            CopyToClipboard();
        return Ctrl;
    case 'X':
        if (Ctrl)
            CutToClipboard();
        return Ctrl;
    case 'V':
        if (Ctrl)
            PasteFromClipboard();
        return Ctrl;
    default:
        return false;
    }
}

// The handlers see every key first; what they leave and the edit box takes goes no further,
// so that arrows and clipboard keys reach no dialog key or shortcut. Enter is never taken.
void TsuiEdit::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || Shift.Contains(ssAlt))
        return;
    if (EditKey(Key, Shift.Contains(ssShift), Shift.Contains(ssCtrl)))
        Key = 0;
}

// Printable characters end here, taken or refused, so that none clicks a control by its
// accelerator; control characters (Enter, Escape, Tab, Backspace) go on.
void TsuiEdit::KeyPress(char32_t& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key < U' ')
        return;
    if (IsAcceptedChar(Key))
        ReplaceSelection(std::string(1, static_cast<char>(Key)));
    Key = 0;
}

void TsuiEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        MoveCaret(OffsetAt(X), Shift.Contains(ssShift));
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TsuiEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    // Dragging with the left button held selects.
    if (Shift.Contains(ssLeft) && Focused())
        MoveCaret(OffsetAt(X), true);
    TCustomControl::MouseMove(Shift, X, Y);
}

TColor TsuiEdit::StyleColor(int Entry) const
{
    TsuiUIStyle style = FUIStyle;
    if (TsuiFileTheme::CanUseFileTheme(FFileTheme, FUIStyle, style))
        return FFileTheme->GetColor(Entry);
    return GetThemeColor(style, Entry);
}

void TsuiEdit::Paint()
{
    const TsuiEditLayout layout = TextLayout();
    const bool focused = Focused() && Enabled();
    const TRect client = ClientRect();

    TBitmap buffer = CreateCompatibleBitmap(Canvas().Handle(), client.Width(), client.Height());
    TCanvas& canvas = buffer.Canvas();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = StyleColor(SUI_THEME_CONTROL_BACKGROUND_COLOR);
    canvas.FillRect(client);
    canvas.Brush().Color = StyleColor(SUI_THEME_CONTROL_BORDER_COLOR);
    canvas.FrameRect(client);
    if (focused) {
        canvas.Brush().Color = StyleColor(SUI_THEME_MENU_SELECTED_BORDER_COLOR);
        canvas.FrameRect(client.Inflate(-kBorderWidth, -kBorderWidth));
    }

    const TColor textColor = Enabled() ? StyleColor(SUI_THEME_CONTROL_FONT_COLOR) : kDisabledTextColor;
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(textColor);
    canvas.Brush().Style = TBrushStyle::bsClear;
    const int originX = layout.CaretX.front();
    canvas.TextRect(layout.TextRect, originX, layout.TextTop, Text());

    auto caretX = [&](std::size_t Offset) {
        const auto at = std::lower_bound(layout.Offsets.begin(), layout.Offsets.end(), Offset);
        return layout.CaretX[std::min(static_cast<std::size_t>(at - layout.Offsets.begin()), layout.CaretX.size() - 1)];
    };
    const int lineBottom = layout.TextTop + layout.TextHeight;
    if (focused && HasSelection()) {
        const TRect selected
            = IntersectRect({ caretX(std::min(FCaret, FAnchor)), layout.TextTop, caretX(std::max(FCaret, FAnchor)), lineBottom },
                layout.TextRect);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = StyleColor(SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR);
        canvas.Font().SetColor(StyleColor(SUI_THEME_MENU_SELECTED_FONT_COLOR));
        canvas.TextRect(selected, originX, layout.TextTop, Text());
    }
    if (focused) {
        const int x = caretX(FCaret);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = textColor;
        canvas.FillRect(IntersectRect({ x, layout.TextTop, x + 1, lineBottom }, layout.TextRect));
    }
    Canvas().Draw(0, 0, buffer);
}

void TsuiEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        // Paint covers every pixel.
        Message.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Repaint();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TsuiEdit::CMTextChanged(TMessage&)
{
    Repaint();
    if (!Loading() && OnChange)
        OnChange(this);
}

void TsuiEdit::CMFontChanged(TMessage&)
{
    ScrollToCaret();
    Repaint();
}

void TsuiEdit::Resize()
{
    ScrollToCaret();
}

void TsuiEdit::Notification(TComponent* Component, TOperation Operation)
{
    TCustomControl::Notification(Component, Operation);
    if (Operation != opRemove || Component != FFileTheme || !FFileTheme)
        return;
    FFileTheme = nullptr;
    if (!ComponentState().Contains(csDestroying))
        SetUIStyle(DeepBlue);
}

void RegisterEditClasses()
{
    RegisterFileThemeClasses();
    RegisterClasses<TsuiEdit>();
}
