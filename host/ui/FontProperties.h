#pragma once
#include <cstdint>

#include "host/gfx/Font.h"
#include "host/ui/Publisher.h"

// The published properties of TFont (Charset, Color, Height, Name, Size, Style), so that a
// control's Font is stored as Font.Name = 'Tahoma', Font.Style = [fsBold] and so on.
const TClassInfo& PublishedClassInfo(TTypeTag<TFont>);

const TEnumInfo& EnumInfo(TTypeTag<TFontStyle>);

template <> struct TSetTraits<TFontStyles> {
    static constexpr bool IsSet = true;
    static const TEnumInfo& Elements() { return EnumInfo(TTypeTag<TFontStyle> {}); }
    static bool Contains(TFontStyles s, std::int64_t value) { return s.Has(static_cast<TFontStyle>(value)); }
    static TFontStyles With(TFontStyles s, std::int64_t value) { return s.With(static_cast<TFontStyle>(value)); }
};

// The names of the character sets (DEFAULT_CHARSET, GB2312_CHARSET, ...).
const TEnumInfo& CharsetIdents();
