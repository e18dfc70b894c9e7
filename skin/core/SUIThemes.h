#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "host/gfx/Bitmap.h"
#include "host/ui/TypeInfo.h"

class TComponent;
class TsuiThemeFileReader;

// The look a skinned control paints in. FromThemeFile takes every entry from a theme file;
// DeepBlue is the fallback wherever a look cannot be had. Held in one byte: values above
// BlueGlass can arrive and are treated as unknown.
enum TsuiUIStyle : std::uint8_t { FromThemeFile = 0, MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

inline const TEnumInfo& EnumInfo(TTypeTag<TsuiUIStyle>)
{
    static const TEnumInfo info("TsuiUIStyle", { "FromThemeFile", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass" });
    return info;
}

// What a theme entry holds.
enum TsuiThemeKind : std::uint8_t { suiKindInteger = 0, suiKindColor = 1, suiKindImage = 2, suiKindBoolean = 3 };

// The theme entries, by number. Theme files key them by GetThemeEntryName.
constexpr int SUI_THEME_BUTTON_IMAGE = 1;
constexpr int SUI_THEME_BUTTON_TRANSPARENT_BOOL = 2;
constexpr int SUI_THEME_CHECKBOX_IMAGE = 3;
constexpr int SUI_THEME_RADIOBUTTON_IMAGE = 4;
constexpr int SUI_THEME_TITLEBAR_BUTTON_IMAGE = 5;
constexpr int SUI_THEME_TITLEBAR_BUTTON_TRANSPARENT_BOOL = 6;
constexpr int SUI_THEME_TITLEBAR_BUTTON_LEFTOFFSET_INT = 7;
constexpr int SUI_THEME_TITLEBAR_BUTTON_RIGHTOFFSET_INT = 8;
constexpr int SUI_THEME_TITLEBAR_BUTTON_TOP_INT = 9;
constexpr int SUI_THEME_TITLEBAR_LEFT_IMAGE = 10;
constexpr int SUI_THEME_TITLEBAR_CLIENT_IMAGE = 11;
constexpr int SUI_THEME_TITLEBAR_RIGHT_IMAGE = 12;
constexpr int SUI_THEME_FORM_MINWIDTH_INT = 13;
constexpr int SUI_THEME_FORM_ROUNDCORNER_INT = 14;
constexpr int SUI_THEME_FORM_BACKGROUND_COLOR = 15;
constexpr int SUI_THEME_FORM_BORDER_COLOR = 16;
constexpr int SUI_THEME_FORM_BORDERWIDTH_INT = 17;
constexpr int SUI_THEME_MENU_SELECTED_BORDER_COLOR = 18;
constexpr int SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR = 19;
constexpr int SUI_THEME_MENU_SELECTED_FONT_COLOR = 20;
constexpr int SUI_THEME_MENU_BACKGROUND_COLOR = 21;
constexpr int SUI_THEME_MENU_FONT_COLOR = 22;
constexpr int SUI_THEME_MENU_BAR_COLOR = 23;
constexpr int SUI_THEME_PROGRESSBAR_IMAGE = 24;
constexpr int SUI_THEME_CONTROL_BORDER_COLOR = 25;
constexpr int SUI_THEME_CONTROL_BACKGROUND_COLOR = 26;
constexpr int SUI_THEME_CONTROL_FONT_COLOR = 27;
constexpr int SUI_THEME_TRACKBAR_BAR_IMAGE = 28;
constexpr int SUI_THEME_TRACKBAR_SLIDER_IMAGE = 29;
constexpr int SUI_THEME_TRACKBAR_SLIDER_V_IMAGE = 30;
constexpr int SUI_THEME_SCROLLBAR_BACKGROUND_COLOR = 31;
constexpr int SUI_THEME_SCROLLBAR_BUTTON_IMAGE = 32;
constexpr int SUI_THEME_SCROLLBAR_SLIDER_IMAGE = 33;
constexpr int SUI_THEME_CHECKLISTBOX_IMAGE = 34;
constexpr int SUI_THEME_TOOLBAR_BUTTON_BORDER_COLOR = 35;
constexpr int SUI_THEME_TOOLBAR_BUTTON_BACKGROUND_COLOR = 36;
constexpr int SUI_THEME_TOOLBAR_BUTTON_DOWN_BACKGROUND_COLOR = 37;
constexpr int SUI_THEME_SCROLLBUTTON_IMAGE = 38;
constexpr int SUI_THEME_TABCONTROL_TAB_IMAGE = 39;
constexpr int SUI_THEME_TABCONTROL_BAR_IMAGE = 40;
constexpr int SUI_THEME_SIDECHANNEL_HANDLE_IMAGE = 41;
constexpr int SUI_THEME_SIDECHANNEL_BAR_IMAGE = 42;
constexpr int SUI_THEME_ENTRY_COUNT = 42;

// A built-in value: a number (integer, colour $00BBGGRR, 0/1 switch), or for an image entry
// the name of its bitmap resource.
struct TsuiThemeValue {
    std::int32_t Number = -1;
    const char* ResourceName = nullptr;
};

// The name and kind of entry 1..42; an empty name and suiKindInteger outside that range.
const char* GetThemeEntryName(int Entry);
TsuiThemeKind GetThemeEntryKind(int Entry);

// The raw value of an entry in a built-in style. A style without a table (FromThemeFile, or a
// byte above BlueGlass) or an entry outside 1..42 gives Kind suiKindInteger and Number -1.
TsuiThemeValue GetThemeEntry(TsuiUIStyle Style, int Entry, TsuiThemeKind& Kind);

// Typed lookups; an entry of another kind gives false, 0 (black) and -1.
bool GetThemeBool(TsuiUIStyle Style, int Entry);
TColor GetThemeColor(TsuiUIStyle Style, int Entry);
int GetThemeInt(TsuiUIStyle Style, int Entry);

// Loads the entry's bitmap resource into Bitmap, afresh on every call; a non-image entry (or
// a null Bitmap) leaves it untouched. A missing resource raises EResNotFound.
void GetThemeBitmap(TsuiUIStyle Style, int Entry, TBitmap* Bitmap);
// Frame FrameIndex (from 1) of FrameCount equal frames of the entry's image. A FrameCount of 0
// (or below) is GetThemeBitmap; otherwise a non-image entry leaves Bitmap empty.
void GetThemeBitmapFrame(TsuiUIStyle Style, int Entry, TBitmap* Bitmap, int FrameCount, int FrameIndex);

// The style a new control starts with: that of the first skinned form (a TsuiForm, or a class
// derived from it) among the owner's direct child controls; DeepBlue when the owner is not a
// windowed control or holds none.
TsuiUIStyle GetOwnerFormUIStyle(TComponent* Owner);

// Owns the theme file a TsuiFileTheme has loaded and reads entries from it by number.
class TsuiFileThemeMgr {
public:
    TsuiFileThemeMgr();
    ~TsuiFileThemeMgr();
    TsuiFileThemeMgr(const TsuiFileThemeMgr&) = delete;
    TsuiFileThemeMgr& operator=(const TsuiFileThemeMgr&) = delete;

    // False, with the current file kept, when no such file exists. Otherwise the current file is
    // dropped first and the new one read; a file that cannot be read leaves none loaded and
    // raises the reader's error.
    bool LoadFromFile(const std::string& FileName);

    // Graphic loads the entry's image; it stays unchanged without a file, or when the file
    // lacks the entry.
    void GetBitmap(int Entry, TBitmap& Graphic) const;
    // With a file, its value (false or -1 when it lacks the entry); without, false and 0.
    bool GetBool(int Entry) const;
    TColor GetColor(int Entry) const;
    int GetInt(int Entry) const;

private:
    std::unique_ptr<TsuiThemeFileReader> Reader;
};
