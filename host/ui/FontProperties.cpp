#include "host/ui/FontProperties.h"

#include "host/ui/ColorIdents.h"

namespace {

void PublishFont(TPublisher<TFont>& p)
{
    p.Property("Charset", &TFont::Charset, &TFont::SetCharset).Idents(CharsetIdents());
    p.Property("Color", &TFont::Color, &TFont::SetColor).Idents(ColorIdents());
    p.Property("Height", &TFont::Height, &TFont::SetHeight);
    p.Property("Name", &TFont::Name, &TFont::SetName).NoDefault();
    // Height says the same in pixels.
    p.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    p.Property("Style", &TFont::Style, &TFont::SetStyle);
}

} // namespace

const TClassInfo& PublishedClassInfo(TTypeTag<TFont>)
{
    static const TClassInfo info(TTypeTag<TFont> {}, "TFont", &PublishFont);
    return info;
}

const TEnumInfo& EnumInfo(TTypeTag<TFontStyle>)
{
    static const TEnumInfo info("TFontStyle",
        {
            { "fsBold", static_cast<std::int64_t>(TFontStyle::fsBold) },
            { "fsItalic", static_cast<std::int64_t>(TFontStyle::fsItalic) },
            { "fsUnderline", static_cast<std::int64_t>(TFontStyle::fsUnderline) },
            { "fsStrikeOut", static_cast<std::int64_t>(TFontStyle::fsStrikeOut) },
        });
    return info;
}

const TEnumInfo& CharsetIdents()
{
    static const TEnumInfo info("TFontCharset",
        {
            { "ANSI_CHARSET", 0 },
            { "DEFAULT_CHARSET", 1 },
            { "SYMBOL_CHARSET", 2 },
            { "MAC_CHARSET", 77 },
            { "SHIFTJIS_CHARSET", 128 },
            { "HANGEUL_CHARSET", 129 },
            { "GB2312_CHARSET", 134 },
            { "CHINESEBIG5_CHARSET", 136 },
            { "OEM_CHARSET", 255 },
        });
    return info;
}
