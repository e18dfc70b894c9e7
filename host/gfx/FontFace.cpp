#include "host/gfx/FontFace.h"

#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace {

// Sizes kept per face; more are dropped all at once (a face is seldom used at many sizes).
constexpr std::size_t kMaxSizesPerFace = 16;

int CeilPixels(FT_Pos v)
{
    return static_cast<int>((v + 63) >> 6);
}

} // namespace

FontFace::FontFace(FT_Library library, const std::string& file, int index)
    : file_(file)
    , index_(index)
{
    if (FT_New_Face(library, file.c_str(), index, &face_) != 0)
        throw EFontError("Cannot load the font file \"" + file + "\"");
    if (!FT_IS_SCALABLE(face_)) {
        FT_Done_Face(face_);
        throw EFontError("The font file \"" + file + "\" holds no scalable font");
    }
}

FontFace::~FontFace()
{
    FT_Done_Face(face_);
}

std::string FontFace::Family() const
{
    return face_->family_name ? face_->family_name : "";
}

bool FontFace::Activate(int pixels)
{
    if (auto it = sizes_.find(pixels); it != sizes_.end())
        return FT_Activate_Size(it->second) == 0;
    if (sizes_.size() >= kMaxSizesPerFace) {
        for (const auto& kept : sizes_)
            FT_Done_Size(kept.second);
        sizes_.clear();
    }
    FT_Size size = nullptr;
    if (FT_New_Size(face_, &size) != 0)
        return false;
    if (FT_Activate_Size(size) != 0 || FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels)) != 0) {
        FT_Done_Size(size);
        return false;
    }
    sizes_.emplace(pixels, size);
    return true;
}

int FontFace::LineHeight() const
{
    return CeilPixels(face_->size->metrics.ascender) + CeilPixels(-face_->size->metrics.descender);
}

FontMetrics FontFace::Metrics() const
{
    const FT_Size_Metrics& size = face_->size->metrics;
    FontMetrics m;
    m.Ascent = CeilPixels(size.ascender);
    m.Descent = CeilPixels(-size.descender);
    const double scale = static_cast<double>(size.y_ppem) / face_->units_per_EM;

    const double underlineThickness = std::max(1.0, std::round(face_->underline_thickness * scale));
    const double underlineCentre = -face_->underline_position * scale;
    m.UnderlineThickness = static_cast<int>(underlineThickness);
    m.UnderlineTop = static_cast<int>(std::lround(underlineCentre - underlineThickness / 2));
    // Inside the cell, below the baseline.
    m.UnderlineTop = std::max(0, std::min(m.UnderlineTop, m.Descent - m.UnderlineThickness));

    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
        m.StrikeOutTop = -static_cast<int>(std::lround(os2->yStrikeoutPosition * scale));
        m.StrikeOutThickness = std::max(1, static_cast<int>(std::lround(os2->yStrikeoutSize * scale)));
    } else {
        m.StrikeOutTop = -static_cast<int>(std::lround(size.y_ppem * 0.3));
        m.StrikeOutThickness = m.UnderlineThickness;
    }
    return m;
}
