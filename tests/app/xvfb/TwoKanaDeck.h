// The deck the desktop tests give the program: one hiragana and one katakana.
#pragma once
#include <cstdint>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "learn/KanaTable.h"
#include "tools/kit/KanaDeck.h"

// One hiragana and one katakana, each a square of its own colour at the charts' first place.
// The all-kana draw counts two rows and looks up id 0 or 1, which no row has, so entering the
// page always empties the picture; the katakana draw looks up id 49 and always shows blue.
constexpr unsigned long kHiraganaColour = 0xFF0000;
constexpr unsigned long kKatakanaColour = 0x0000FF;

inline TBlob SquarePicture(unsigned long rrggbb)
{
    TBitmap b(80, 80);
    const TColor colour = RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, colour);
    return b.SaveToBytes(24);
}

inline std::vector<TDeckRow> TwoKanaDeck()
{
    auto row = [](std::int64_t id, const char* type, TColor colour) {
        TDeckRow r;
        r.Id = id;
        r.Type = type;
        r.X = 1;
        r.Y = 1;
        r.Picture = SquarePicture(colour);
        r.Pronounce = "a";
        return r;
    };
    return { row(100, kHiraganaType, kHiraganaColour), row(49, kKatakanaType, kKatakanaColour) };
}
