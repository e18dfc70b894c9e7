#include "tools/kit/KanaDeck.h"

#include <algorithm>

#include "host/gfx/Canvas.h"
#include "host/gfx/FontEngine.h"
#include "host/gfx/KanaPicture.h"
#include "host/gfx/Utf8.h"

namespace {

constexpr const char* kFaceName = "IPAPGothic";
// An 80-pixel em fills most of the 96-pixel square while leaving every glyph a margin; a
// contracted kana, two characters wide, gets a smaller em so that the pair keeps that margin.
constexpr int kEmPixels = 80;
constexpr int kPairEmPixels = 47;
// The glyph is first drawn on a scratch square this much larger, where it lies whole.
constexpr int kScratchMargin = kKanaPictureSide / 2;

void SetKanaFont(TCanvas& canvas, const std::string& kana)
{
    canvas.Font().SetName(kFaceName);
    canvas.Font().SetHeight(DecodeUtf8(kana).size() > 1 ? -kPairEmPixels : -kEmPixels);
    canvas.Font().SetColor(clBlack);
    canvas.Brush().Style = TBrushStyle::bsClear;
}

void CheckFace(const std::string& kana, const TFont& font)
{
    for (char32_t codePoint : DecodeUtf8(kana)) {
        if (FontEngine::Instance().FaceFor(font, codePoint).Family != kFaceName)
            throw Exception(
                "The font " + std::string(kFaceName) + " (fonts-ipafont-gothic) is not installed or lacks '" + kana + "'");
    }
}

// The smallest rectangle holding every pixel that is not white.
TRect InkBounds(const TBitmap& bitmap)
{
    TRect ink { bitmap.Width(), bitmap.Height(), 0, 0 };
    for (int y = 0; y < bitmap.Height(); ++y) {
        const TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (row[x] != ColorToPixel(clWhite)) {
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x + 1);
                ink.Bottom = std::max(ink.Bottom, y + 1);
            }
        }
    }
    return ink;
}

TBlob PictureBlob(const std::string& kana)
{
    return KanaPictureBlob(RenderKanaPicture(kana), 8);
}

} // namespace

TBitmap RenderKanaPicture(const std::string& kana)
{
    const int scratchSide = kKanaPictureSide + 2 * kScratchMargin;
    TBitmap scratch(scratchSide, scratchSide);
    SetKanaFont(scratch.Canvas(), kana);
    CheckFace(kana, scratch.Canvas().Font());
    scratch.Canvas().TextOut(kScratchMargin, kScratchMargin, kana);
    const TRect ink = InkBounds(scratch);

    TBitmap picture(kKanaPictureSide, kKanaPictureSide);
    if (ink.IsEmpty())
        return picture;
    // Across, the ink is centred; down, every kana shares one baseline with the font's line
    // centred, so that the small ones (っ, ッ, ゃ) sit low and read as small, as in writing.
    TCanvas& canvas = picture.Canvas();
    SetKanaFont(canvas, kana);
    canvas.TextOut(
        kScratchMargin + (kKanaPictureSide - ink.Width()) / 2 - ink.Left, (kKanaPictureSide - canvas.TextHeight(kana)) / 2, kana);
    return picture;
}

std::vector<TDeckRow> DefaultKanaDeck()
{
    constexpr std::int64_t kFirstMoreId = 1000;
    std::vector<TDeckRow> rows;
    rows.reserve(BasicKana().size() + MoreKana().size());
    for (const TDeckTable table : { TDeckTable::MoraTab, TDeckTable::KanaMore }) {
        const bool more = table == TDeckTable::KanaMore;
        const std::span<const TKana> kana = more ? MoreKana() : BasicKana();
        for (std::size_t i = 0; i < kana.size(); ++i) {
            TDeckRow row;
            row.Id = (more ? kFirstMoreId : 0) + static_cast<std::int64_t>(i);
            row.Type = std::string(ScriptType(kana[i].Script));
            row.X = kana[i].X;
            row.Y = kana[i].Y;
            row.Picture = PictureBlob(std::string(kana[i].Text));
            row.Pronounce = std::string(kana[i].Romaji);
            row.Kana = std::string(kana[i].Text);
            if (more)
                row.Group = std::string(kana[i].Group);
            row.Table = table;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}
