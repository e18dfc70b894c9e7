#pragma once
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "learn/KanaTable.h"
#include "tools/kit/DeckTable.h"

// The side of a default kana picture, in pixels.
constexpr int kKanaPictureSide = 96;

// A kana drawn large, antialiased black on white, in IPAPGothic, on a square of
// kKanaPictureSide: centred across by its ink, down on a baseline shared by every kana of its
// length; a contracted kana is drawn smaller, so that both its characters fit. Raises
// Exception when IPAPGothic is not installed, since another face would silently draw other
// glyph shapes.
TBitmap RenderKanaPicture(const std::string& kana);

// The default deck, each kana with its picture, Hepburn romaji and text. First moratab: the 49
// hiragana (ids 0 to 48) in chart order, then the 49 katakana (ids 49 to 97) in the same order.
// Then kana_more: the 58 voiced, half-voiced and contracted hiragana (ids 1000 to 1057) group
// by group, then their katakana (ids 1058 to 1115).
std::vector<TDeckRow> DefaultKanaDeck();
