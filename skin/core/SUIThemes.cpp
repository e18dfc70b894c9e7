#include "skin/core/SUIThemes.h"

#include "host/ui/Properties.h"
#include "host/ui/WinControl.h"
#include "skin/core/SUIFiles.h"
#include "skin/core/SUIPublic.h"
#include "skin/core/SUIThemeFile.h"

namespace {

constexpr TsuiThemeValue Num(std::int32_t value)
{
    return { value, nullptr };
}

constexpr TsuiThemeValue Img(const char* resourceName)
{
    return { 0, resourceName };
}

struct TThemeEntry {
    const char* Name;
    TsuiThemeKind Kind;
    // MacOS, WinXP, DeepBlue, Protein, BlueGlass.
    TsuiThemeValue Values[5];
};

constexpr TThemeEntry kEntries[SUI_THEME_ENTRY_COUNT] = {
    { "ButtonImage", suiKindImage,
        { Img("MACOS_BUTTON"), Img("WINXP_BUTTON"), Img("DEEPBLUE_BUTTON"), Img("PROTEIN_BUTTON"), Img("BLUEGLASS_BUTTON") } },
    { "ButtonTransparentBool", suiKindBoolean, { Num(1), Num(0), Num(0), Num(0), Num(1) } },
    { "CheckBoxImage", suiKindImage,
        { Img("MACOS_CHECKBOX"), Img("WINXP_CHECKBOX"), Img("DEEPBLUE_CHECKBOX"), Img("PROTEIN_CHECKBOX"),
            Img("BLUEGLASS_CHECKBOX") } },
    { "RadioButtonImage", suiKindImage,
        { Img("MACOS_RADIOBUTTON"), Img("WINXP_RADIOBUTTON"), Img("DEEPBLUE_RADIOBUTTON"), Img("PROTEIN_RADIOBUTTON"),
            Img("BLUEGLASS_RADIOBUTTON") } },
    { "TitleBarButtonImage", suiKindImage,
        { Img("MACOS_TITLEBTN"), Img("WINXP_TITLEBTN"), Img("DEEPBLUE_TITLEBTN"), Img("PROTEIN_TITLEBTN"),
            Img("BLUEGLASS_TITLEBTN") } },
    { "TitleBarButtonTransparentBool", suiKindBoolean, { Num(0), Num(0), Num(0), Num(1), Num(1) } },
    { "TitleBarButtonLeftOffsetInt", suiKindInteger, { Num(3), Num(2), Num(0), Num(0), Num(4) } },
    { "TitleBarButtonRightOffsetInt", suiKindInteger, { Num(-2), Num(-2), Num(0), Num(0), Num(-3) } },
    { "TitleBarButtonTopInt", suiKindInteger, { Num(4), Num(5), Num(2), Num(2), Num(6) } },
    { "TitleBarLeftImage", suiKindImage,
        { Img("MACOS_TITLE_LEFT"), Img("WINXP_TITLE_LEFT"), Img("DEEPBLUE_TITLE_LEFT"), Img("PROTEIN_TITLE_LEFT"),
            Img("BLUEGLASS_TITLE_LEFT") } },
    { "TitleBarClientImage", suiKindImage,
        { Img("MACOS_TITLE_CLIENT"), Img("WINXP_TITLE_CLIENT"), Img("DEEPBLUE_TITLE_CLIENT"), Img("PROTEIN_TITLE_CLIENT"),
            Img("BLUEGLASS_TITLE_CLIENT") } },
    { "TitleBarRightImage", suiKindImage,
        { Img("MACOS_TITLE_RIGHT"), Img("WINXP_TITLE_RIGHT"), Img("DEEPBLUE_TITLE_RIGHT"), Img("PROTEIN_TITLE_RIGHT"),
            Img("BLUEGLASS_TITLE_RIGHT") } },
    { "FormMinWidthInt", suiKindInteger, { Num(130), Num(150), Num(130), Num(130), Num(270) } },
    { "FormRoundCornerInt", suiKindInteger, { Num(0), Num(13), Num(0), Num(0), Num(11) } },
    { "FormBackgroundColor", suiKindColor,
        { Num(0x00E7E7E7), Num(0x00DEEBEF), Num(0x00E8E8E8), Num(0x00FBFBFB), Num(0x00E7E7E7) } },
    { "FormBorderColor", suiKindColor, { Num(0x007F7F7F), Num(0x00C82C00), Num(0x00000000), Num(0x00000000), Num(0x00000000) } },
    { "FormBorderWidthInt", suiKindInteger, { Num(1), Num(3), Num(1), Num(1), Num(1) } },
    { "MenuSelectedBorderColor", suiKindColor,
        { Num(0x00C47339), Num(0x00C66931), Num(0x00A04A44), Num(0x00C4302D), Num(0x00EC5E5E) } },
    { "MenuSelectedBackgroundColor", suiKindColor,
        { Num(0x00C47339), Num(0x00EFD3C6), Num(0x00A04A44), Num(0x00C4302D), Num(0x00EC5E5E) } },
    { "MenuSelectedFontColor", suiKindColor,
        { Num(0x00FFFFFF), Num(0x00000000), Num(0x00FFFFFF), Num(0x00FFFFFF), Num(0x00FFFFFF) } },
    { "MenuBackgroundColor", suiKindColor,
        { Num(0x00000000), Num(0x00FFFFFF), Num(0x00FFFFFF), Num(0x00FFFFFF), Num(0x00E7E7E7) } },
    { "MenuFontColor", suiKindColor, { Num(0x00000000), Num(0x00000000), Num(0x00000000), Num(0x00000000), Num(0x00000000) } },
    { "MenuBarColor", suiKindColor, { Num(0x00000000), Num(0x00CED3D6), Num(0x00CED3D6), Num(0x00CED3D6), Num(0x00CED3D6) } },
    { "ProgressBarImage", suiKindImage,
        { Img("MACOS_PROGRESSBAR"), Img("WINXP_PROGRESSBAR"), Img("DEEPBLUE_PROGRESSBAR"), Img("PROTEIN_PROGRESSBAR"),
            Img("BLUEGLASS_PROGRESSBAR") } },
    { "ControlBorderColor", suiKindColor,
        { Num(0x007F7F7F), Num(0x00686868), Num(0x00000000), Num(0x00000000), Num(0x00000000) } },
    { "ControlBackgroundColor", suiKindColor,
        { Num(0x00E7E7E7), Num(0x00DEEBEF), Num(0x00E8E8E8), Num(0x00FBFBFB), Num(0x00E7E7E7) } },
    { "ControlFontColor", suiKindColor, { Num(0x00000000), Num(0x00CF4602), Num(0x00000000), Num(0x00000000), Num(0x00000000) } },
    { "TrackBarBarImage", suiKindImage,
        { Img("MACOS_TRACKBAR_BAR"), Img("WINXP_TRACKBAR_BAR"), Img("DEEPBLUE_TRACKBAR_BAR"), Img("PROTEIN_TRACKBAR_BAR"),
            Img("BLUEGLASS_TRACKBAR_BAR") } },
    { "TrackBarSliderImage", suiKindImage,
        { Img("MACOS_TRACKBAR_SLIDER"), Img("WINXP_TRACKBAR_SLIDER"), Img("DEEPBLUE_TRACKBAR_SLIDER"),
            Img("PROTEIN_TRACKBAR_SLIDER"), Img("BLUEGLASS_TRACKBAR_SLIDER") } },
    { "TrackBarSliderVImage", suiKindImage,
        { Img("MACOS_TRACKBAR_SLIDER_V"), Img("WINXP_TRACKBAR_SLIDER_V"), Img("DEEPBLUE_TRACKBAR_SLIDER_V"),
            Img("PROTEIN_TRACKBAR_SLIDER_V"), Img("BLUEGLASS_TRACKBAR_SLIDER_V") } },
    { "ScrollBarBackgroundColor", suiKindColor,
        { Num(0x00C9C9C9), Num(0x00F9F9F9), Num(0x00F5F5F5), Num(0x00F5F5F5), Num(0x00F4F4F4) } },
    { "ScrollBarButtonImage", suiKindImage,
        { Img("MACOS_SCROLLBAR_BUTTON"), Img("WINXP_SCROLLBAR_BUTTON"), Img("DEEPBLUE_SCROLLBAR_BUTTON"),
            Img("PROTEIN_SCROLLBAR_BUTTON"), Img("BLUEGLASS_SCROLLBAR_BUTTON") } },
    { "ScrollBarSliderImage", suiKindImage,
        { Img("MACOS_SCROLLBAR_TRACK"), Img("WINXP_SCROLLBAR_TRACK"), Img("DEEPBLUE_SCROLLBAR_TRACK"),
            Img("PROTEIN_SCROLLBAR_TRACK"), Img("BLUEGLASS_SCROLLBAR_TRACK") } },
    { "CheckListBoxImage", suiKindImage,
        { Img("MACOS_CHECKLIST"), Img("WINXP_CHECKLIST"), Img("DEEPBLUE_CHECKLIST"), Img("PROTEIN_CHECKLIST"),
            Img("BLUEGLASS_CHECKLIST") } },
    { "ToolBarButtonBorderColor", suiKindColor,
        { Num(0x00474747), Num(0x00C66931), Num(0x00474747), Num(0x00474747), Num(0x00474747) } },
    { "ToolBarButtonBackgroundColor", suiKindColor,
        { Num(0x00EFEFEF), Num(0x00EFD3C6), Num(0x00EFEFEF), Num(0x00EFEFEF), Num(0x00EFEFEF) } },
    { "ToolBarButtonDownBackgroundColor", suiKindColor,
        { Num(0x00D8D8D8), Num(0x00E1AC93), Num(0x00D8D8D8), Num(0x00D8D8D8), Num(0x00D8D8D8) } },
    { "ScrollButtonImage", suiKindImage,
        { Img("MACOS_SCROLLBUTTON"), Img("WINXP_SCROLLBUTTON"), Img("MORE_SCROLLBUTTON"), Img("MORE_SCROLLBUTTON"),
            Img("MORE_SCROLLBUTTON") } },
    { "TabControlTabImage", suiKindImage,
        { Img("MACOS_TAB"), Img("WINXP_TAB"), Img("DEEPBLUE_TAB"), Img("PROTEIN_TAB"), Img("BLUEGLASS_TAB") } },
    { "TabControlBarImage", suiKindImage,
        { Img("MACOS_TAB_LINE"), Img("WINXP_TAB_LINE"), Img("DEEPBLUE_TAB_LINE"), Img("PROTEIN_TAB_LINE"),
            Img("BLUEGLASS_TAB_LINE") } },
    { "SideChannelHandleImage", suiKindImage,
        { Img("MACOS_SIDECHENNEL_HANDLE"), Img("WINXP_SIDECHENNEL_HANDLE"), Img("DEEPBLUE_SIDECHENNEL_HANDLE"),
            Img("PROTEIN_SIDECHENNEL_HANDLE"), Img("BLUEGLASS_SIDECHENNEL_HANDLE") } },
    { "SideChannelBarImage", suiKindImage,
        { Img("MACOS_SIDECHENNEL_BAR"), Img("WINXP_SIDECHENNEL_BAR"), Img("DEEPBLUE_SIDECHENNEL_BAR"),
            Img("PROTEIN_SIDECHENNEL_BAR"), Img("BLUEGLASS_SIDECHENNEL_BAR") } },
};

bool ValidEntry(int entry)
{
    return entry >= 1 && entry <= SUI_THEME_ENTRY_COUNT;
}

} // namespace

const char* GetThemeEntryName(int Entry)
{
    return ValidEntry(Entry) ? kEntries[Entry - 1].Name : "";
}

TsuiThemeKind GetThemeEntryKind(int Entry)
{
    return ValidEntry(Entry) ? kEntries[Entry - 1].Kind : suiKindInteger;
}

TsuiThemeValue GetThemeEntry(TsuiUIStyle Style, int Entry, TsuiThemeKind& Kind)
{
    if (Style < MacOS || Style > BlueGlass || !ValidEntry(Entry)) {
        Kind = suiKindInteger;
        return Num(-1);
    }
    const TThemeEntry& e = kEntries[Entry - 1];
    Kind = e.Kind;
    return e.Values[Style - MacOS];
}

bool GetThemeBool(TsuiUIStyle Style, int Entry)
{
    TsuiThemeKind kind;
    const TsuiThemeValue value = GetThemeEntry(Style, Entry, kind);
    return kind == suiKindBoolean && value.Number != 0;
}

TColor GetThemeColor(TsuiUIStyle Style, int Entry)
{
    TsuiThemeKind kind;
    const TsuiThemeValue value = GetThemeEntry(Style, Entry, kind);
    return kind == suiKindColor ? value.Number : 0;
}

int GetThemeInt(TsuiUIStyle Style, int Entry)
{
    TsuiThemeKind kind;
    const TsuiThemeValue value = GetThemeEntry(Style, Entry, kind);
    return kind == suiKindInteger ? value.Number : -1;
}

void GetThemeBitmap(TsuiUIStyle Style, int Entry, TBitmap* Bitmap)
{
    if (Bitmap == nullptr)
        return;
    TsuiThemeKind kind;
    const TsuiThemeValue value = GetThemeEntry(Style, Entry, kind);
    if (kind == suiKindImage)
        Bitmap->LoadFromResourceName(value.ResourceName);
}

void GetThemeBitmapFrame(TsuiUIStyle Style, int Entry, TBitmap* Bitmap, int FrameCount, int FrameIndex)
{
    if (Bitmap == nullptr)
        return;
    if (FrameCount <= 0) {
        GetThemeBitmap(Style, Entry, Bitmap);
        return;
    }
    TBitmap whole;
    GetThemeBitmap(Style, Entry, &whole);
    ExtractBitmapFrame(whole, *Bitmap, FrameCount, FrameIndex);
}

TsuiFileThemeMgr::TsuiFileThemeMgr() = default;

TsuiFileThemeMgr::~TsuiFileThemeMgr() = default;

bool TsuiFileThemeMgr::LoadFromFile(const std::string& FileName)
{
    if (!FileExists(FileName))
        return false;
    Reader.reset();
    Reader = std::make_unique<TsuiThemeFileReader>(FileName);
    return true;
}

void TsuiFileThemeMgr::GetBitmap(int Entry, TBitmap& Graphic) const
{
    if (!Reader || !ValidEntry(Entry))
        return;
    if (const auto image = Reader->GetImage(GetThemeEntryName(Entry)))
        Graphic.LoadFromBytes(*image);
}

bool TsuiFileThemeMgr::GetBool(int Entry) const
{
    return Reader && ValidEntry(Entry) && Reader->GetBool(GetThemeEntryName(Entry));
}

TColor TsuiFileThemeMgr::GetColor(int Entry) const
{
    return GetInt(Entry);
}

int TsuiFileThemeMgr::GetInt(int Entry) const
{
    if (!Reader)
        return 0;
    return ValidEntry(Entry) ? Reader->GetInt(GetThemeEntryName(Entry)) : -1;
}

TsuiUIStyle GetOwnerFormUIStyle(TComponent* Owner)
{
    // The skinned form is a later unit: it is recognised by class name and read by property.
    const auto* parent = dynamic_cast<TWinControl*>(Owner);
    if (!parent)
        return DeepBlue;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (child->ClassInfo().InheritsFrom("TsuiForm"))
            return static_cast<TsuiUIStyle>(GetOrdProp(child, "UIStyle"));
    }
    return DeepBlue;
}
