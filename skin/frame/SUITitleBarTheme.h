#pragma once
#include "host/gfx/Bitmap.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIThemes.h"

// Where the title bar's parts read their theme entries: the theme file when the style asks for
// it and one is loaded, else the built-in table of the effective style.
class TsuiTitleBarTheme {
public:
    TsuiTitleBarTheme(const TsuiFileTheme* FileTheme, TsuiUIStyle UIStyle)
        : FFileTheme(FileTheme)
    {
        FUseFile = TsuiFileTheme::CanUseFileTheme(FileTheme, UIStyle, FStyle);
    }

    bool UsesFile() const { return FUseFile; }
    // FromThemeFile while the file is read, else the built-in style in use.
    TsuiUIStyle EffectiveStyle() const { return FUseFile ? FromThemeFile : FStyle; }

    bool Bool(int Entry) const { return FUseFile ? FFileTheme->GetBool(Entry) : GetThemeBool(FStyle, Entry); }
    int Int(int Entry) const { return FUseFile ? FFileTheme->GetInt(Entry) : GetThemeInt(FStyle, Entry); }
    TColor Color(int Entry) const { return FUseFile ? FFileTheme->GetColor(Entry) : GetThemeColor(FStyle, Entry); }
    void Bitmap(int Entry, TBitmap& Bitmap) const
    {
        if (FUseFile)
            FFileTheme->GetBitmap(Entry, Bitmap);
        else
            GetThemeBitmap(FStyle, Entry, &Bitmap);
    }
    void BitmapFrame(int Entry, TBitmap& Bitmap, int FrameCount, int FrameIndex) const
    {
        GetControlBitmapFrame(FFileTheme, EffectiveStyle(), Entry, Bitmap, FrameCount, FrameIndex);
    }

private:
    const TsuiFileTheme* FFileTheme;
    TsuiUIStyle FStyle = DeepBlue;
    bool FUseFile = false;
};
