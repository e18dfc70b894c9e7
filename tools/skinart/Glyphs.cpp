#include "tools/skinart/Glyphs.h"

#include <vector>

namespace {

// A small window: an outline whose top edge is drawn thicker, as a title bar.
TShape Window(float left, float top, float right, float bottom, float stroke)
{
    const TShape frame = Border(RoundRect(left, top, right, bottom, 0.6f), stroke);
    const TShape titleBand = RoundRect(left, top, right, top + stroke * 2, 0.6f);
    return Union(frame, titleBand);
}

TShape Scaled(std::vector<std::pair<float, float>> unitPoints, const TGlyphBox& b)
{
    for (auto& [x, y] : unitPoints) {
        x = b.Cx + x * b.Half;
        y = b.Cy + y * b.Half;
    }
    return Polyline(std::move(unitPoints), b.Stroke);
}

} // namespace

TShape TitleGlyph(TTitleGlyph glyph, const TGlyphBox& b)
{
    const float a = b.Half;
    switch (glyph) {
    case TTitleGlyph::Close:
        return Union(
            Segment(b.Cx - a, b.Cy - a, b.Cx + a, b.Cy + a, b.Stroke), Segment(b.Cx - a, b.Cy + a, b.Cx + a, b.Cy - a, b.Stroke));
    case TTitleGlyph::Maximize:
        return Window(b.Cx - a, b.Cy - a, b.Cx + a, b.Cy + a, b.Stroke * 0.8f);
    case TTitleGlyph::Restore: {
        // The front window lower left; the one behind shows only where the front leaves room.
        const float s = a * 0.62f;
        const float off = a - s;
        const float stroke = b.Stroke * 0.75f;
        const TShape front = Window(b.Cx - a, b.Cy - a + 2 * off, b.Cx + a - 2 * off, b.Cy + a, stroke);
        const TShape frontArea
            = RoundRect(b.Cx - a - stroke, b.Cy - a + 2 * off - stroke, b.Cx + a - 2 * off + stroke, b.Cy + a + stroke, 0.6f);
        const TShape back = Window(b.Cx - a + 2 * off, b.Cy - a, b.Cx + a, b.Cy + a - 2 * off, stroke);
        return Union(front, Subtract(back, frontArea));
    }
    case TTitleGlyph::Minimize:
        return Segment(
            b.Cx - a + b.Stroke / 2, b.Cy + a - b.Stroke / 2, b.Cx + a - b.Stroke / 2, b.Cy + a - b.Stroke / 2, b.Stroke);
    case TTitleGlyph::Help: {
        const TShape hook = Scaled({ { -0.62f, -0.42f }, { -0.48f, -0.8f }, { -0.1f, -1.0f }, { 0.32f, -0.94f }, { 0.6f, -0.62f },
                                       { 0.56f, -0.26f }, { 0.22f, 0.0f }, { 0.0f, 0.2f }, { 0.0f, 0.42f } },
            b);
        const TShape dot = Circle(b.Cx, b.Cy + a * 0.86f, b.Stroke * 0.66f);
        return Union(hook, dot);
    }
    case TTitleGlyph::ControlBox: {
        // A window with two menu lines in it.
        const float stroke = b.Stroke * 0.8f;
        const TShape window = Window(b.Cx - a, b.Cy - a, b.Cx + a, b.Cy + a, stroke);
        const float inner = a * 0.5f;
        const TShape line1 = Segment(b.Cx - inner, b.Cy + a * 0.05f, b.Cx + inner, b.Cy + a * 0.05f, stroke);
        const TShape line2 = Segment(b.Cx - inner, b.Cy + a * 0.5f, b.Cx + inner * 0.3f, b.Cy + a * 0.5f, stroke);
        return Union(window, Union(line1, line2));
    }
    }
    return Circle(b.Cx, b.Cy, a);
}

TShape CheckMark(const TGlyphBox& b)
{
    return Scaled({ { -0.8f, 0.0f }, { -0.25f, 0.6f }, { 0.8f, -0.7f } }, b);
}

TShape Arrow(const TGlyphBox& b, int dx, int dy)
{
    // The triangle for a right-pointing arrow, turned to the direction asked.
    const std::vector<std::pair<float, float>> right = { { -0.45f, -0.9f }, { 0.55f, 0.0f }, { -0.45f, 0.9f } };
    std::vector<std::pair<float, float>> points;
    for (auto [x, y] : right) {
        const float rx = dx != 0 ? x * static_cast<float>(dx) : -y;
        const float ry = dx != 0 ? y : x * static_cast<float>(dy);
        points.emplace_back(b.Cx + rx * b.Half, b.Cy + ry * b.Half);
    }
    return Polygon(std::move(points));
}

TShape Grip(const TGlyphBox& b, bool stacked)
{
    TShape grip = Circle(-100, -100, 0);
    for (int i = -1; i <= 1; ++i) {
        const float o = static_cast<float>(i) * b.Stroke * 2.5f;
        grip = Union(grip,
            stacked ? Segment(b.Cx - b.Half, b.Cy + o, b.Cx + b.Half, b.Cy + o, b.Stroke)
                    : Segment(b.Cx + o, b.Cy - b.Half, b.Cx + o, b.Cy + b.Half, b.Stroke));
    }
    return grip;
}
