#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/data/drivers/ResultSet.h"
#include "host/gfx/Bitmap.h"

// One row of the kana table moratab. Columns other than id may be null.
struct TDeckRow {
    std::int64_t Id = 0;
    std::optional<std::string> Type; // t_type
    std::optional<std::int64_t> X; // chart column from 1
    std::optional<std::int64_t> Y; // chart row from 1
    std::optional<TBlob> Picture; // t_pic: a kana picture blob
    std::optional<std::string> Pronounce; // t_pronounce
};

// The two kinds of kana as t_type holds them.
extern const char* const kHiraganaType; // 平假名
extern const char* const kKatakanaType; // 片假名

// The side of a default kana picture, in pixels.
constexpr int kKanaPictureSide = 96;

// A kana drawn large, antialiased black on white, in IPAPGothic, on a square of
// kKanaPictureSide: centred across by its ink, down on a baseline shared by every kana. Raises
// Exception when IPAPGothic is not installed, since another face would silently draw other
// glyph shapes.
TBitmap RenderKanaPicture(const std::string& kana);

// The default table: the 49 hiragana (ids 0 to 48) in chart order, then the 49 katakana (ids
// 49 to 97) in the same order, each with its picture and Hepburn romaji.
std::vector<TDeckRow> DefaultKanaDeck();
