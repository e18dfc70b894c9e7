#pragma once
#include <memory>
#include <string>

#include "host/gfx/Bitmap.h"
#include "host/ui/Component.h"
#include "skin/core/SUIThemes.h"

// Offers a theme file to the skinned controls of a form: a control whose UIStyle is
// FromThemeFile and whose FileTheme is this component paints from the file once it is loaded.
class TsuiFileTheme : public TComponent {
    DECLARE_CLASS(TsuiFileTheme, TComponent)

public:
    explicit TsuiFileTheme(TComponent* Owner);
    ~TsuiFileTheme() override;

    const std::string& ThemeFile() const { return FThemeFile; }
    // Looks for the file under the name given, then under its file name in the program's
    // folder, and loads the first found; a name found at neither place changes nothing. After a
    // load the skin components of the owning form that use this theme are given it again, so
    // that they repaint from the new file.
    void SetThemeFile(const std::string& Value);
    bool ThemeLoaded() const { return FThemeLoaded; }

    // The entries of the loaded file, by number (as the built-in lookups take them).
    void GetBitmap(int Entry, TBitmap& Graphic) const;
    void GetBitmapFrame(int Entry, TBitmap& Bitmap, int FrameCount, int FrameIndex) const;
    bool GetBool(int Entry) const;
    TColor GetColor(int Entry) const;
    int GetInt(int Entry) const;

    // Whether a control with this FileTheme and UIStyle reads the file; when not, Style is the
    // built-in style to read instead (DeepBlue for FromThemeFile without a loaded file).
    static bool CanUseFileTheme(const TsuiFileTheme* FileTheme, TsuiUIStyle UIStyle, TsuiUIStyle& Style);

private:
    void NotifyOwnerFormControls();

    std::unique_ptr<TsuiFileThemeMgr> Mgr;
    std::string FThemeFile;
    bool FThemeLoaded = false;
};

// Frame FrameIndex of FrameCount of a theme image (the whole image for a count of 0) as a control
// with this FileTheme and UIStyle paints it: from the file when it can serve, else from the
// built-in style that stands in.
void GetControlBitmapFrame(
    const TsuiFileTheme* FileTheme, TsuiUIStyle UIStyle, int Entry, TBitmap& Bitmap, int FrameCount, int FrameIndex);

// Lets stored layouts hold a TsuiFileTheme; the registration of every skinned control calls it,
// since any of them may refer to one.
void RegisterFileThemeClasses();
