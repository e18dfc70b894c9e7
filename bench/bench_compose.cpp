// Composing a skinned 676 x 400 window into an off-screen bitmap (at scale 1 and at scale 2),
// the way the skin paints it:
// patterned background, title bar sections and buttons, tab strip, nine-part button faces,
// radio buttons, border, and captions in Latin and Chinese; beside a plain copy of the same
// number of pixels.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "host/gfx/Canvas.h"
#include "host/gfx/MaskedImageList.h"

namespace {

constexpr int kWidth = 676;
constexpr int kHeight = 400;

// A skin-like picture: a vertical gradient with fuchsia corners.
TBitmap SkinImage(int width, int height, TColor top, TColor bottom)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y) {
        const int t = height > 1 ? y * 255 / (height - 1) : 0;
        const TColor c = RGB(static_cast<std::uint8_t>((GetRValue(top) * (255 - t) + GetRValue(bottom) * t) / 255),
            static_cast<std::uint8_t>((GetGValue(top) * (255 - t) + GetGValue(bottom) * t) / 255),
            static_cast<std::uint8_t>((GetBValue(top) * (255 - t) + GetBValue(bottom) * t) / 255));
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, c);
    }
    for (const TPoint corner : { Point(0, 0), Point(width - 1, 0), Point(0, height - 1), Point(width - 1, height - 1) })
        b.SetPixel(corner.X, corner.Y, clFuchsia);
    return b;
}

TBitmap Cut(TBitmap& source, const TRect& r)
{
    TBitmap piece(r.Width(), r.Height());
    piece.Canvas().CopyRect(Rect(0, 0, r.Width(), r.Height()), source.Canvas(), r);
    return piece;
}

// Stretches a band of the face over a target with the fuchsia key.
void StretchBand(TCanvas& canvas, TBitmap& face, const TRect& band, const TRect& target)
{
    if (target.IsEmpty() || band.IsEmpty())
        return;
    TBitmap work(target.Width(), target.Height());
    work.Canvas().CopyRect(Rect(0, 0, target.Width(), target.Height()), face.Canvas(), band);
    work.SetTransparentColor(clFuchsia);
    work.SetTransparent(true);
    canvas.StretchDraw(target, work);
}

// The nine-part drawing of a face over (0, 0, w, h) at the canvas origin: corners at their size
// through a masked image list, edges and centre stretched.
void DrawNinePart(TCanvas& canvas, TBitmap& face, int w, int h)
{
    const int bw = face.Width();
    const int bh = face.Height();
    const int hw = bw / 2;
    const int hh = bh / 2;
    auto corner = [&](const TRect& source, int x, int y) {
        TMaskedImageList list(source.Width(), source.Height());
        list.AddMasked(Cut(face, source), clFuchsia);
        list.Draw(canvas, x, y, 0);
    };
    corner(Rect(0, 0, hw, hh), 0, 0);
    corner(Rect(0, bh - hh + 1, hw, bh), 0, h - (hh - 1));
    corner(Rect(bw - hw + 1, 0, bw, hh), w - (hw - 1), 0);
    corner(Rect(bw - hw + 1, bh - hh + 1, bw, bh), w - (hw - 1), h - (hh - 1));
    StretchBand(canvas, face, Rect(0, hh, hw, bh - hh), Rect(0, hh, hw, h - (hh - 1)));
    StretchBand(canvas, face, Rect(bw - hw + 1, bh - hh, bw, hh + 2), Rect(w - (hw - 1), hh, w, h - (hh - 1)));
    StretchBand(canvas, face, Rect(hw, 0, bw - hw + 1, hh), Rect(hw, 0, w - (hw - 1), hh));
    StretchBand(canvas, face, Rect(hw, hh, bw - hw + 1, bh - hh), Rect(hw, hh, w - (hw - 1), h - hh));
    StretchBand(canvas, face, Rect(hw, bh - hh, bw - hw + 1, bh), Rect(hw - 1, h - hh, w - (hw - 1), h));
}

// Caps drawn masked, the middle stretched between them.
void DrawThreePart(TCanvas& canvas, TBitmap& image, const TRect& r)
{
    const int w = image.Width() / 3;
    TMaskedImageList list(w, image.Height());
    list.AddMasked(image, clFuchsia);
    list.Draw(canvas, r.Left, r.Top, 0);
    list.Draw(canvas, r.Right - w, r.Top, 2);
    canvas.StretchDraw(Rect(r.Left + w, r.Top, r.Right - w, r.Bottom), Cut(image, Rect(w, 0, 2 * w, image.Height())));
}

struct Skin {
    TBitmap background = SkinImage(8, 8, RGB(0xE7, 0xE7, 0xE7), RGB(0xDD, 0xDD, 0xDD));
    TBitmap titleLeft = SkinImage(48, 23, RGB(0xF0, 0xF0, 0xF0), RGB(0xA0, 0xA0, 0xA0));
    TBitmap titleClient = SkinImage(49, 23, RGB(0xF0, 0xF0, 0xF0), RGB(0xA0, 0xA0, 0xA0));
    TBitmap titleRight = SkinImage(48, 23, RGB(0xF0, 0xF0, 0xF0), RGB(0xA0, 0xA0, 0xA0));
    TBitmap titleButton = SkinImage(17, 17, RGB(0xFF, 0x60, 0x60), RGB(0x80, 0x00, 0x00));
    TBitmap tab = SkinImage(18, 17, RGB(0xFF, 0xFF, 0xFF), RGB(0xC0, 0xC8, 0xD8));
    TBitmap tabBar = SkinImage(40, 4, RGB(0x90, 0x90, 0x90), RGB(0x70, 0x70, 0x70));
    TBitmap buttonFace = SkinImage(74, 21, RGB(0xFF, 0xFF, 0xFF), RGB(0xB0, 0xC0, 0xE0));
    TBitmap radio = SkinImage(16, 17, RGB(0x60, 0x90, 0xF0), RGB(0x20, 0x40, 0xA0));
};

void ComposeShapes(TCanvas& canvas, Skin& skin)
{
    TDeviceContext& dc = *canvas.Handle();
    // Form background with the pattern brush, border.
    canvas.Brush().Bitmap = &skin.background;
    canvas.FillRect(Rect(0, 0, kWidth, kHeight));
    canvas.Brush().Bitmap = nullptr;
    canvas.Brush().Color = RGB(0x7F, 0x7F, 0x7F);
    canvas.FrameRect(Rect(0, 0, kWidth, kHeight));

    // Title bar: sections, three buttons drawn with their lower-left colour left out.
    canvas.Draw(1, 1, skin.titleLeft);
    canvas.Draw(kWidth - 1 - 48, 1, skin.titleRight);
    canvas.StretchDraw(Rect(49, 1, kWidth - 49, 24), skin.titleClient);
    skin.titleButton.SetTransparent(true);
    for (int i = 0; i < 3; ++i)
        canvas.Draw(kWidth - 24 - 19 * i, 4, skin.titleButton);

    // Tab strip: bar, three tabs.
    canvas.StretchDraw(Rect(11, 56, kWidth - 11, 60), skin.tabBar);
    for (int i = 0; i < 3; ++i)
        DrawThreePart(canvas, skin.tab, Rect(14 + 80 * i, 40, 14 + 80 * i + 74, 57));

    // Page: a panel, two push buttons, three radio buttons.
    canvas.Brush().Color = RGB(0xE7, 0xE7, 0xE7);
    canvas.FillRect(Rect(11, 60, kWidth - 11, kHeight - 11));
    for (const TPoint at : { Point(450, 330), Point(550, 330) }) {
        dc.Save();
        dc.SetViewportOrg(at);
        dc.IntersectClip(Rect(0, 0, 80, 27));
        DrawNinePart(canvas, skin.buttonFace, 80, 27);
        dc.Restore(-1);
    }
    skin.radio.SetTransparent(true);
    for (int i = 0; i < 3; ++i)
        canvas.Draw(30, 300 + 22 * i, skin.radio);
    canvas.Pen().Color = RGB(0x7F, 0x7F, 0x7F);
    canvas.MoveTo(11, 60);
    canvas.LineTo(11, kHeight - 11);
}

void ComposeText(TCanvas& canvas)
{
    static const char* const kCaptions[] = { "平假名", "片假名", "随机抽取", "Moraleaf", "全部假名", "Random draw あいう" };
    canvas.Brush().Style = TBrushStyle::bsClear;
    for (int i = 0; i < 20; ++i)
        canvas.TextOut(20 + (i % 4) * 150, 80 + (i / 4) * 40, kCaptions[i % std::size(kCaptions)]);
    canvas.Brush().Style = TBrushStyle::bsSolid;
}

// The window at a display scale: the same logical drawing on that scale's device pixels, the
// skin's 1x pictures resampled.
void ComposeAtScale(benchmark::State& state, int scale)
{
    Skin skin;
    TBitmap window(kWidth, kHeight, scale);
    TCanvas& canvas = window.Canvas();
    for (auto _ : state) {
        ComposeShapes(canvas, skin);
        ComposeText(canvas);
        benchmark::DoNotOptimize(window.ScanLine(0));
    }
}

void BM_ComposeWindow(benchmark::State& state)
{
    ComposeAtScale(state, 1);
}
BENCHMARK(BM_ComposeWindow)->Unit(benchmark::kMicrosecond);

void BM_ComposeWindowAtScale2(benchmark::State& state)
{
    ComposeAtScale(state, 2);
}
BENCHMARK(BM_ComposeWindowAtScale2)->Unit(benchmark::kMicrosecond);

void BM_ComposeWindowWithoutText(benchmark::State& state)
{
    Skin skin;
    TBitmap window(kWidth, kHeight);
    TCanvas& canvas = window.Canvas();
    for (auto _ : state) {
        ComposeShapes(canvas, skin);
        benchmark::DoNotOptimize(window.ScanLine(0));
    }
}
BENCHMARK(BM_ComposeWindowWithoutText)->Unit(benchmark::kMicrosecond);

void CopyPixelsAtScale(benchmark::State& state, int scale)
{
    std::vector<TPixel> from(static_cast<std::size_t>(kWidth * scale) * static_cast<std::size_t>(kHeight * scale), 0x123456);
    std::vector<TPixel> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(TPixel));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void BM_CopyWindowPixels(benchmark::State& state)
{
    CopyPixelsAtScale(state, 1);
}
BENCHMARK(BM_CopyWindowPixels)->Unit(benchmark::kMicrosecond);

void BM_CopyWindowPixelsAtScale2(benchmark::State& state)
{
    CopyPixelsAtScale(state, 2);
}
BENCHMARK(BM_CopyWindowPixelsAtScale2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
