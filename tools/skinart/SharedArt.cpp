// The pieces no one style owns.
#include <cmath>

#include "tools/skinart/CommonArt.h"
#include "tools/skinart/StyleArt.h"

namespace {

// A neutral steel look that sits on the light grounds of DeepBlue, Protein and BlueGlass.
TBitmap SharedScrollButtons()
{
    TStyleLook look;
    look.Background = Hex(0xE9E9E9);
    look.Plain = { Hex(0xFBFCFD), Hex(0xE9EDF2), Hex(0xD6DDE6), Hex(0x7D8A9A), 0.4f, 0.6f };
    look.Hot = { Hex(0xF2F8FE), Hex(0xD7E8FA), Hex(0xBCD6F2), Hex(0x4A78AE), 0.5f, 0.6f };
    look.Arrow = Hex(0x2E3B4E);
    look.Radius = 2;
    return ScrollButtonFrames(look, 18, 17);
}

// Menus mask the check mark with white, so faint edge pixels are left white rather than
// tinting a highlighted item.
TBitmap MenuCheckMark()
{
    TRaster r(16, 16);
    r.Fill(CheckMark({ 8, 8.5f, 4.2f, 2.1f }), Hex(0x1C1C1C));
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            if (r.At(x, y).A < 0.3f)
                r.At(x, y).A = 0;
    return Flatten(r, Plain(Hex(0xFFFFFF)), clWhite);
}

// A green leaf from the lower left to the upper right, with its vein; `s` scales the 32-pixel
// drawing.
TRaster Leaf(int size)
{
    const float s = static_cast<float>(size) / 32.0f;
    TRaster r(size, size);
    const float baseX = 6 * s, baseY = 26 * s, tipX = 28 * s, tipY = 4 * s;
    const float midX = (baseX + tipX) / 2, midY = (baseY + tipY) / 2;
    const float half = std::hypot(tipX - baseX, tipY - baseY) / 2;
    const float halfWidth = 7.0f * s;
    // Two overlapping circles whose common part is the leaf.
    const float d = (half * half - halfWidth * halfWidth) / (2 * halfWidth);
    const float radius = d + halfWidth;
    const float px = 0.7071f, py = 0.7071f;
    const TShape leaf = Intersect(Circle(midX + d * px, midY + d * py, radius), Circle(midX - d * px, midY - d * py, radius));
    r.Fill(Segment(baseX, baseY, 2.5f * s, 29.5f * s, 2.2f * s), Hex(0x4E7A28));
    r.Fill(leaf, [=](float x, float y) {
        const float t = ((x - baseX) - (y - baseY)) / (2 * half * 1.4142f);
        return Mix(Hex(0x2F8F3A), Hex(0x9BD54B), t);
    });
    r.Fill(Border(leaf, std::max(1.0f, 1.2f * s)), Hex(0x1E6A2A));
    r.Fill(
        Segment(baseX + 1.5f * s, baseY - 1.5f * s, tipX - 4 * s, tipY + 4 * s, std::max(1.0f, 1.4f * s)), Hex(0xF4FFE0, 0.85f));
    if (size >= 32) {
        for (float t : { 0.3f, 0.5f, 0.7f }) {
            const float vx = baseX + (tipX - baseX) * t, vy = baseY + (tipY - baseY) * t;
            r.Fill(Segment(vx, vy, vx + 5.5f * s, vy + 0.5f * s, 1.1f), Hex(0xF4FFE0, 0.6f));
            r.Fill(Segment(vx, vy, vx - 0.5f * s, vy - 5.5f * s, 1.1f), Hex(0xF4FFE0, 0.6f));
        }
    }
    return r;
}

} // namespace

void DrawSharedArt(TArtBook& book)
{
    book.Add("SHARED", "MORE_SCROLLBUTTON", SharedScrollButtons(), 4);
    book.Add("SHARED", "MENU_CHECKED", MenuCheckMark());
    std::vector<TRaster> icon;
    icon.push_back(Leaf(16));
    icon.push_back(Leaf(32));
    book.AddIcon("MAINICON", std::move(icon));
}
