#include "host/ui/ShortCuts.h"

#include "host/ui/Identifiers.h"
#include "host/win/VirtualKeys.h"

namespace {

constexpr TShortCut kKeyMask = 0x00FF;

struct TModifier {
    TShortCut Flag;
    std::string_view Text;
};
constexpr TModifier kModifiers[] = { { scShift, "Shift+" }, { scCtrl, "Ctrl+" }, { scAlt, "Alt+" } };

std::string KeyName(int key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F1 + 23)
        return "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
    case VK_BACK:
        return "BkSp";
    case VK_TAB:
        return "Tab";
    case VK_RETURN:
        return "Enter";
    case VK_ESCAPE:
        return "Esc";
    case VK_SPACE:
        return "Space";
    case VK_PRIOR:
        return "PgUp";
    case VK_NEXT:
        return "PgDn";
    case VK_END:
        return "End";
    case VK_HOME:
        return "Home";
    case VK_LEFT:
        return "Left";
    case VK_UP:
        return "Up";
    case VK_RIGHT:
        return "Right";
    case VK_DOWN:
        return "Down";
    case VK_INSERT:
        return "Ins";
    case VK_DELETE:
        return "Del";
    default:
        return {};
    }
}

bool StartsWithText(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && SameIdent(text.substr(0, prefix.size()), prefix);
}

} // namespace

TShortCut ShortCut(int key, TShiftState shift)
{
    TShortCut result = static_cast<TShortCut>(key & kKeyMask);
    if (shift.Contains(TShiftStateItem::ssShift))
        result |= scShift;
    if (shift.Contains(TShiftStateItem::ssCtrl))
        result |= scCtrl;
    if (shift.Contains(TShiftStateItem::ssAlt))
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, int& key, TShiftState& shift)
{
    key = shortCut & kKeyMask;
    shift = {};
    if (shortCut & scShift)
        shift.Include(TShiftStateItem::ssShift);
    if (shortCut & scCtrl)
        shift.Include(TShiftStateItem::ssCtrl);
    if (shortCut & scAlt)
        shift.Include(TShiftStateItem::ssAlt);
}

std::string ShortCutToText(TShortCut shortCut)
{
    const std::string name = KeyName(shortCut & kKeyMask);
    if (name.empty())
        return {};
    std::string text;
    for (const TModifier& m : kModifiers) {
        if (shortCut & m.Flag)
            text += m.Text;
    }
    return text + name;
}

TShortCut TextToShortCut(std::string_view text)
{
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const TModifier& m : kModifiers) {
            if (StartsWithText(text, m.Text) && text.size() > m.Text.size()) {
                modifiers |= m.Flag;
                text.remove_prefix(m.Text.size());
                found = true;
            }
        }
    }
    for (int key = 1; key <= 0xFF; ++key) {
        const std::string name = KeyName(key);
        if (!name.empty() && name.size() == text.size() && SameIdent(name, text))
            return static_cast<TShortCut>(modifiers | key);
    }
    return scNone;
}
