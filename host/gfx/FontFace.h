#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <unordered_map>

#include "host/gfx/FontEngine.h"

// An opened scalable font file, with one FreeType size object per em size in use, so that
// switching between sizes does not redo their scaling set-up.
class FontFace {
public:
    // EFontError when FreeType cannot open the face or it is not scalable.
    FontFace(FT_Library library, const std::string& file, int index);
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    FT_Face Handle() const { return face_; }
    const std::string& File() const { return file_; }
    int Index() const { return index_; }
    std::string Family() const;
    // 0 when the face has no glyph for the code point.
    FT_UInt GlyphIndex(char32_t codePoint) const { return FT_Get_Char_Index(face_, codePoint); }

    // Makes the em size current; false when the face cannot be set to it.
    bool Activate(int pixels);
    // Ascent plus descent at the current size.
    int LineHeight() const;
    FontMetrics Metrics() const;

private:
    FT_Face face_ = nullptr;
    std::string file_;
    int index_;
    std::unordered_map<int, FT_Size> sizes_;
};
