// The skin settings that the main window's layout stores, as the window built from it holds
// them.
#include <algorithm>

#include "AppTestSupport.h"
#include "host/ui/Properties.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUITitleBar.h"

namespace {

std::string Int(std::int64_t value)
{
    return std::to_string(value);
}

// A published property as text: integers by the identifier that names them, if any, else in
// decimal; enumerations by identifier; sets as [a,b].
std::string PropertyText(TObject* object, const std::string& path)
{
    const TPropertyTarget target = FindProperty(object, path);
    if (target.Prop == nullptr)
        return "no property " + path;
    switch (target.Prop->Kind()) {
    case TTypeKind::tkInteger: {
        const std::int64_t value = GetOrdProp(object, path);
        const TEnumInfo* idents = target.Prop->Idents();
        const int named = idents != nullptr ? idents->IndexOfValue(value) : -1;
        return named >= 0 ? idents->Ident(named) : Int(value);
    }
    case TTypeKind::tkEnumeration:
        return GetEnumProp(object, path);
    case TTypeKind::tkString:
        return GetStrProp(object, path);
    case TTypeKind::tkSet: {
        std::string text = "[";
        for (const std::string& element : GetSetProp(object, path))
            text += (text.size() > 1 ? "," : "") + element;
        return text + "]";
    }
    default:
        return "unreadable " + path;
    }
}

std::string PictureText(const TPicture& picture)
{
    if (picture.Graphic() == nullptr)
        return "none";
    return Int(picture.Width()) + "x" + Int(picture.Height()) + " " + Int(BitsPerPixel(picture.Graphic()->PixelFormat()))
        + " bpp";
}

struct TStoredValue {
    std::string What;
    std::string Actual;
    std::string Expected;
};

TStoredValue Stored(TObject* object, const std::string& name, const std::string& path, const std::string& expected)
{
    return { name + "." + path, PropertyText(object, path), expected };
}

} // namespace

TEST_F(MainWindowTest, TheWindowHoldsTheSkinSettingsItsLayoutStores)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a") });
    Start();
    TForm1& form = Form();
    TsuiForm* frame = form.suiForm1;
    TsuiPageControl* pages = form.suiPageControl1;
    TsuiButton* button = form.suiButton1;
    std::vector<TStoredValue> values = {
        Stored(frame, "suiForm1", "UIStyle", "MacOS"),
        Stored(frame, "suiForm1", "UIStyleAutoUpdateSub", "False"),
        Stored(frame, "suiForm1", "Caption", "Moraleaf"),
        Stored(frame, "suiForm1", "Color", Int(0xE7E7E7)),
        Stored(frame, "suiForm1", "BorderColor", Int(0x7F7F7F)),
        Stored(frame, "suiForm1", "BorderWidth", "1"),
        Stored(frame, "suiForm1", "RoundCorner", "0"),
        Stored(frame, "suiForm1", "MenuBarColor", Int(0xE7E7E7)),
        Stored(frame, "suiForm1", "MenuBarHeight", "22"),
        Stored(frame, "suiForm1", "TitleBarDrawAppIcon", "False"),
        Stored(frame, "suiForm1", "Font.Name", "Tahoma"),
        Stored(frame, "suiForm1", "Font.Height", "-11"),
        Stored(frame, "suiForm1", "Font.Color", "clBlack"),
        Stored(frame, "suiForm1", "Font.Style", "[fsBold]"),
        Stored(frame, "suiForm1", "Font.Charset", "DEFAULT_CHARSET"),
        Stored(pages, "suiPageControl1", "UIStyle", "MacOS"),
        Stored(pages, "suiPageControl1", "LeftMargin", "10"),
        Stored(pages, "suiPageControl1", "BorderColor", Int(0x7F7F7F)),
        Stored(pages, "suiPageControl1", "Color", Int(0xE7E7E7)),
        Stored(button, "suiButton1", "UIStyle", "WinXP"),
        Stored(button, "suiButton1", "AutoSize", "False"),
        Stored(button, "suiButton1", "Transparent", "False"),
        Stored(button, "suiButton1", "ModalResult", "0"),
        Stored(button, "suiButton1", "Layout", "blGlyphLeft"),
        Stored(button, "suiButton1", "Spacing", "4"),
        Stored(button, "suiButton1", "MouseContinuouslyDownInterval", "100"),
        Stored(button, "suiButton1", "ResHandle", "0"),
    };

    // The title bar's buttons in their stored order, each with three 17 x 17 pictures of 32 bits.
    TsuiTitleBarButtons& buttons = frame->TitleBar()->Buttons();
    const char* const types[] = { "suiControlBox", "suiClose", "suiMax", "suiMin" };
    values.push_back({ "button count", Int(buttons.Count()), "4" });
    for (int i = 0; i < std::min(buttons.Count(), 4); ++i) {
        TsuiTitleBarButton* b = buttons.Items(i);
        const std::string name = "TitleBarButtons[" + Int(i) + "]";
        values.push_back(Stored(b, name, "ButtonType", types[i]));
        values.push_back(Stored(b, name, "UIStyle", "MacOS"));
        values.push_back(Stored(b, name, "Transparent", "False"));
        values.push_back(Stored(b, name, "Top", "4"));
        values.push_back(Stored(b, name, "Visible", "True"));
        values.push_back({ name + ".PicNormal", PictureText(b->PicNormal()), "17x17 32 bpp" });
        values.push_back({ name + ".PicMouseOn", PictureText(b->PicMouseOn()), "17x17 32 bpp" });
        values.push_back({ name + ".PicMouseDown", PictureText(b->PicMouseDown()), "17x17 32 bpp" });
    }

    // Its sections: left and right ends of their pictures' width, the stretched middle.
    struct TSection {
        const char* Align;
        const char* AutoSize;
        const char* Width;
        const char* Stretch;
        const char* Picture;
    };
    const TSection sections[] = {
        { "suiLeft", "True", "48", "False", "48x23 8 bpp" },
        { "suiRight", "True", "48", "False", "48x23 8 bpp" },
        { "suiClient", "False", "10", "True", "49x23 8 bpp" },
    };
    TsuiTitleBarSections& stored = frame->TitleBar()->Sections();
    values.push_back({ "section count", Int(stored.Count()), "3" });
    for (int i = 0; i < std::min(stored.Count(), 3); ++i) {
        TsuiTitleBarSection* s = stored.Items(i);
        const std::string name = "TitleBarSections[" + Int(i) + "]";
        values.push_back(Stored(s, name, "Align", sections[i].Align));
        values.push_back(Stored(s, name, "AutoSize", sections[i].AutoSize));
        values.push_back(Stored(s, name, "Width", sections[i].Width));
        values.push_back(Stored(s, name, "Stretch", sections[i].Stretch));
        values.push_back({ name + ".Picture", PictureText(s->Picture()), sections[i].Picture });
    }

    for (const TStoredValue& v : values)
        EXPECT_EQ(v.Actual, v.Expected) << v.What;
}
