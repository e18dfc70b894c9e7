#include "skin/core/SUIMgr.h"

#include "host/ui/Properties.h"
#include "skin/core/SUIFiles.h"
#include "skin/core/SUIPublic.h"

void TsuiFileTheme::Publish(TPublisher<TsuiFileTheme>& p)
{
    p.Property("ThemeFile", &TsuiFileTheme::ThemeFile, &TsuiFileTheme::SetThemeFile);
}

TsuiFileTheme::TsuiFileTheme(TComponent* Owner)
    : TComponent(Owner)
    , Mgr(std::make_unique<TsuiFileThemeMgr>())
{
}

TsuiFileTheme::~TsuiFileTheme() = default;

void TsuiFileTheme::SetThemeFile(const std::string& Value)
{
    if (Value == FThemeFile)
        return;
    std::string path = Value;
    if (!FileExists(path)) {
        path = ApplicationFolder() + ExtractFileName(Value);
        if (!FileExists(path))
            return;
    }
    FThemeFile = path;
    // A file that fails to load leaves no file behind, so it must not count as loaded.
    FThemeLoaded = false;
    FThemeLoaded = Mgr->LoadFromFile(path);
    if (FThemeLoaded)
        NotifyOwnerFormControls();
}

void TsuiFileTheme::NotifyOwnerFormControls()
{
    // Forms are recognised by class name so that this non-visual component needs no controls.
    TComponent* form = Owner();
    if (form == nullptr || !form->InheritsFrom("TCustomForm"))
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (!component->ClassName().starts_with("Tsui"))
            continue;
        const TPropInfo* fileTheme = component->ClassInfo().FindProperty("FileTheme");
        if (fileTheme == nullptr || fileTheme->Kind() != TTypeKind::tkComponent)
            continue;
        if (GetObjectProp(component, "FileTheme") == this)
            SetObjectProp(component, "FileTheme", this);
    }
}

void TsuiFileTheme::GetBitmap(int Entry, TBitmap& Graphic) const
{
    Mgr->GetBitmap(Entry, Graphic);
}

void TsuiFileTheme::GetBitmapFrame(int Entry, TBitmap& Bitmap, int FrameCount, int FrameIndex) const
{
    if (FrameCount <= 0) {
        Mgr->GetBitmap(Entry, Bitmap);
        return;
    }
    TBitmap whole;
    Mgr->GetBitmap(Entry, whole);
    ExtractBitmapFrame(whole, Bitmap, FrameCount, FrameIndex);
}

bool TsuiFileTheme::GetBool(int Entry) const
{
    return Mgr->GetBool(Entry);
}

TColor TsuiFileTheme::GetColor(int Entry) const
{
    return Mgr->GetColor(Entry);
}

int TsuiFileTheme::GetInt(int Entry) const
{
    return Mgr->GetInt(Entry);
}

bool TsuiFileTheme::CanUseFileTheme(const TsuiFileTheme* FileTheme, TsuiUIStyle UIStyle, TsuiUIStyle& Style)
{
    Style = UIStyle;
    if (UIStyle != FromThemeFile)
        return false;
    if (FileTheme != nullptr && FileTheme->ThemeLoaded())
        return true;
    Style = DeepBlue;
    return false;
}

void GetControlBitmapFrame(
    const TsuiFileTheme* FileTheme, TsuiUIStyle UIStyle, int Entry, TBitmap& Bitmap, int FrameCount, int FrameIndex)
{
    TsuiUIStyle style = UIStyle;
    if (TsuiFileTheme::CanUseFileTheme(FileTheme, UIStyle, style))
        FileTheme->GetBitmapFrame(Entry, Bitmap, FrameCount, FrameIndex);
    else
        GetThemeBitmapFrame(style, Entry, &Bitmap, FrameCount, FrameIndex);
}

void RegisterFileThemeClasses()
{
    RegisterClasses<TsuiFileTheme>();
}
