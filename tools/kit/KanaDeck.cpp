#include "tools/kit/KanaDeck.h"

#include <algorithm>
#include <array>

#include "host/gfx/Canvas.h"
#include "host/gfx/FontEngine.h"
#include "host/gfx/KanaPicture.h"
#include "host/gfx/Utf8.h"

const char* const kHiraganaType = "平假名";
const char* const kKatakanaType = "片假名";

namespace {

struct TKana {
    int X;
    int Y;
    const char* Hiragana;
    const char* Katakana;
    const char* Romaji;
};

// Chart order: row by row, each row from its first column.
constexpr std::array<TKana, 49> kKana { {
    { 1, 1, "あ", "ア", "a" },
    { 2, 1, "い", "イ", "i" },
    { 3, 1, "う", "ウ", "u" },
    { 4, 1, "え", "エ", "e" },
    { 5, 1, "お", "オ", "o" },
    { 1, 2, "か", "カ", "ka" },
    { 2, 2, "き", "キ", "ki" },
    { 3, 2, "く", "ク", "ku" },
    { 4, 2, "け", "ケ", "ke" },
    { 5, 2, "こ", "コ", "ko" },
    { 1, 3, "さ", "サ", "sa" },
    { 2, 3, "し", "シ", "shi" },
    { 3, 3, "す", "ス", "su" },
    { 4, 3, "せ", "セ", "se" },
    { 5, 3, "そ", "ソ", "so" },
    { 1, 4, "た", "タ", "ta" },
    { 2, 4, "ち", "チ", "chi" },
    { 3, 4, "つ", "ツ", "tsu" },
    { 4, 4, "て", "テ", "te" },
    { 5, 4, "と", "ト", "to" },
    { 1, 5, "な", "ナ", "na" },
    { 2, 5, "に", "ニ", "ni" },
    { 3, 5, "ぬ", "ヌ", "nu" },
    { 4, 5, "ね", "ネ", "ne" },
    { 5, 5, "の", "ノ", "no" },
    { 1, 6, "は", "ハ", "ha" },
    { 2, 6, "ひ", "ヒ", "hi" },
    { 3, 6, "ふ", "フ", "fu" },
    { 4, 6, "へ", "ヘ", "he" },
    { 5, 6, "ほ", "ホ", "ho" },
    { 1, 7, "ま", "マ", "ma" },
    { 2, 7, "み", "ミ", "mi" },
    { 3, 7, "む", "ム", "mu" },
    { 4, 7, "め", "メ", "me" },
    { 5, 7, "も", "モ", "mo" },
    { 1, 8, "や", "ヤ", "ya" },
    { 3, 8, "ゆ", "ユ", "yu" },
    { 5, 8, "よ", "ヨ", "yo" },
    { 1, 9, "ら", "ラ", "ra" },
    { 2, 9, "り", "リ", "ri" },
    { 3, 9, "る", "ル", "ru" },
    { 4, 9, "れ", "レ", "re" },
    { 5, 9, "ろ", "ロ", "ro" },
    { 1, 10, "わ", "ワ", "wa" },
    { 2, 10, "ゐ", "ヰ", "wi" },
    { 4, 10, "ゑ", "ヱ", "we" },
    { 5, 10, "を", "ヲ", "wo" },
    { 1, 11, "ん", "ン", "n" },
    { 3, 11, "っ", "ッ", "(small tsu)" },
} };

constexpr const char* kFaceName = "IPAPGothic";
// An 80-pixel em fills most of the 96-pixel square while leaving every glyph a margin.
constexpr int kEmPixels = 80;
// The glyph is first drawn on a scratch square this much larger, where it lies whole.
constexpr int kScratchMargin = kKanaPictureSide / 2;

void SetKanaFont(TCanvas& canvas)
{
    canvas.Font().SetName(kFaceName);
    canvas.Font().SetHeight(-kEmPixels);
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
    SetKanaFont(scratch.Canvas());
    CheckFace(kana, scratch.Canvas().Font());
    scratch.Canvas().TextOut(kScratchMargin, kScratchMargin, kana);
    const TRect ink = InkBounds(scratch);

    TBitmap picture(kKanaPictureSide, kKanaPictureSide);
    if (ink.IsEmpty())
        return picture;
    // Across, the ink is centred; down, every kana shares one baseline with the font's line
    // centred, so that the small ones (っ, ッ) sit low and read as small, as in writing.
    TCanvas& canvas = picture.Canvas();
    SetKanaFont(canvas);
    canvas.TextOut(
        kScratchMargin + (kKanaPictureSide - ink.Width()) / 2 - ink.Left, (kKanaPictureSide - canvas.TextHeight(kana)) / 2, kana);
    return picture;
}

std::vector<TDeckRow> DefaultKanaDeck()
{
    std::vector<TDeckRow> rows;
    rows.reserve(2 * kKana.size());
    for (int katakana = 0; katakana < 2; ++katakana) {
        for (const TKana& kana : kKana) {
            TDeckRow row;
            row.Id = static_cast<std::int64_t>(rows.size());
            row.Type = katakana ? kKatakanaType : kHiraganaType;
            row.X = kana.X;
            row.Y = kana.Y;
            row.Picture = PictureBlob(katakana ? kana.Katakana : kana.Hiragana);
            row.Pronounce = kana.Romaji;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}
