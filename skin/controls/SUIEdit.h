#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/ui/CustomControl.h"
#include "skin/core/SUIThemes.h"

class TsuiFileTheme;

// Where an edit box puts its line of text: the rectangle the text is clipped to, the line's
// top and height, and for every caret position (before each character and after the last) its
// x and the byte offset in the text it stands for. Painting and mouse clicks both read it.
struct TsuiEditLayout {
    TRect TextRect;
    int TextTop = 0;
    int TextHeight = 0;
    std::vector<int> CaretX;
    std::vector<std::size_t> Offsets;
};

// A single-line skinned edit box. Border, background and text colours come from the style;
// focus shows as the caret and a ring inside the border in the style's highlight colour. It
// takes only the characters romaji are written with (ASCII letters, apostrophe, space and
// parentheses), typed or pasted, and drops others silently. Enter, Escape and Tab are left to
// the handlers and the form.
class TsuiEdit : public TCustomControl {
    DECLARE_CLASS(TsuiEdit, TCustomControl)

public:
    explicit TsuiEdit(TComponent* Owner);
    ~TsuiEdit() override;

    // Text set in code is kept whole, whatever MaxLength says; the caret goes to its start.
    void SetText(const std::string& Value) override;
    // The most characters typing and pasting may bring the text to; 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme* Value);

    // The selection, in bytes of Text; the caret stands at one of its ends.
    int SelStart() const;
    int SelLength() const;
    int CaretPos() const { return static_cast<int>(FCaret); }
    std::string SelText() const;
    void SelectAll();
    // The selection replaced by the clipboard's accepted characters, as far as MaxLength lets.
    void PasteFromClipboard();
    void CopyToClipboard();
    void CutToClipboard();

    // The one geometry of the text, for the current font, size and scroll.
    TsuiEditLayout TextLayout();

    static bool IsAcceptedChar(char32_t Ch);

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void Resize() override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    // Handles an editing key; false for keys the edit box leaves to others.
    bool EditKey(std::uint16_t Key, bool Shift, bool Ctrl);
    TColor StyleColor(int Entry) const;
    bool HasSelection() const { return FCaret != FAnchor; }
    void MoveCaret(std::size_t Pos, bool Extend);
    // Puts Value in place of the selection, cut to what MaxLength leaves room for.
    void ReplaceSelection(std::string Value);
    std::size_t OffsetAt(int X);
    void ScrollToCaret();

    TsuiUIStyle FUIStyle = DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
    int FMaxLength = 0;
    std::size_t FCaret = 0;
    // The other end of the selection; equal to FCaret when nothing is selected.
    std::size_t FAnchor = 0;
    // How far the text is scrolled to the left, in pixels.
    int FScrollX = 0;
};

// Registers the edit box for the layout reader.
void RegisterEditClasses();
