#include "host/gfx/Canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <optional>

#include "host/gfx/PixelCopy.h"

namespace {

TPixel PixelOf(TColor color)
{
    return ColorToPixel(ColorToRGB(color));
}

// The colour key of a bitmap drawn with its transparency, if it has one.
std::optional<TPixel> TransparentKey(const TBitmap& bitmap)
{
    if (!bitmap.Transparent())
        return std::nullopt;
    const TColor color = ColorToRGB(bitmap.TransparentColor());
    if (color < 0 || color > 0xFFFFFF) // clNone: nothing is left out
        return std::nullopt;
    return ColorToPixel(color);
}

// Rows [top + period, bottom) of a part repeat the row `period` above them: copied whole.
void RepeatRows(TBitmap& surface, const TRect& part, int period)
{
    const std::size_t bytes = static_cast<std::size_t>(part.Width()) * sizeof(TPixel);
    for (int y = part.Top + period; y < part.Bottom; ++y)
        std::memcpy(surface.ScanLine(y) + part.Left, surface.ScanLine(y - period) + part.Left, bytes);
}

void FillSolid(const TDeviceContext& dc, const TRect& device, TPixel pixel)
{
    TBitmap& surface = dc.Surface();
    dc.ForEachVisiblePart(device, [&](const TRect& part) {
        std::fill_n(surface.ScanLine(part.Top) + part.Left, part.Width(), pixel);
        RepeatRows(surface, part, 1);
    });
}

// A pattern at the surface's scale, each logical pixel a block of device pixels as it is on
// the surface, so that tiles keep their hard edges.
TBitmap PatternAtScale(const TBitmap& pattern, int scale)
{
    TBitmap tile(pattern.Width(), pattern.Height(), scale);
    for (int y = 0; y < pattern.Height(); ++y)
        for (int x = 0; x < pattern.Width(); ++x)
            tile.SetPixel(x, y, pattern.GetPixel(x, y));
    return tile;
}

// The pattern tiles the surface from its (0, 0), as the host's brushes align to the device
// origin whatever the viewport origin: surface pixel (x, y) shows pattern pixel
// (x mod width, y mod height).
void FillPattern(const TDeviceContext& dc, const TRect& device, const TBitmap& pattern)
{
    if (pattern.Scale() != dc.Scale()) {
        FillPattern(dc, device, PatternAtScale(pattern, dc.Scale()));
        return;
    }
    TBitmap& surface = dc.Surface();
    const int pw = pattern.PixelWidth();
    const int ph = pattern.PixelHeight();
    dc.ForEachVisiblePart(device, [&](const TRect& part) {
        const int tiledRows = std::min(part.Height(), ph);
        for (int y = part.Top; y < part.Top + tiledRows; ++y) {
            const TPixel* tile = pattern.ScanLine(y % ph);
            TPixel* d = surface.ScanLine(y) + part.Left;
            int px = part.Left % pw;
            for (int left = part.Width(); left > 0;) {
                const int n = std::min(pw - px, left);
                std::memcpy(d, tile + px, static_cast<std::size_t>(n) * sizeof(TPixel));
                d += n;
                left -= n;
                px = 0;
            }
        }
        RepeatRows(surface, part, ph);
    });
}

// Hatch lines every 8 surface pixels; the pixels between them are left as they are.
bool HatchCovers(TBrushStyle style, int x, int y)
{
    const int hx = x & 7;
    const int hy = y & 7;
    switch (style) {
    case TBrushStyle::bsHorizontal:
        return hy == 0;
    case TBrushStyle::bsVertical:
        return hx == 0;
    case TBrushStyle::bsFDiagonal:
        return hx == hy;
    case TBrushStyle::bsBDiagonal:
        return hx == 7 - hy;
    case TBrushStyle::bsCross:
        return hx == 0 || hy == 0;
    case TBrushStyle::bsDiagCross:
        return hx == hy || hx == 7 - hy;
    case TBrushStyle::bsSolid:
    case TBrushStyle::bsClear:
        break;
    }
    return false;
}

void FillWithBrush(const TDeviceContext& dc, const TBrush& brush, const TRect& device)
{
    if (brush.Style == TBrushStyle::bsClear)
        return;
    if (brush.Bitmap && !brush.Bitmap->Empty()) {
        if (brush.Bitmap == &dc.Surface()) // a surface tiled with itself: tile what it was
            FillPattern(dc, device, TBitmap(*brush.Bitmap));
        else
            FillPattern(dc, device, *brush.Bitmap);
        return;
    }
    const TPixel pixel = PixelOf(brush.Color);
    if (brush.Style == TBrushStyle::bsSolid) {
        FillSolid(dc, device, pixel);
        return;
    }
    TBitmap& surface = dc.Surface();
    const int n = dc.Scale();
    dc.ForEachVisiblePart(device, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            TPixel* row = surface.ScanLine(y);
            for (int x = part.Left; x < part.Right; ++x) {
                if (HatchCovers(brush.Style, x / n, y / n))
                    row[x] = pixel;
            }
        }
    });
}

void FillRegionDevice(const TDeviceContext& dc, const TRegion& region, const TBrush& brush)
{
    for (const TRect& r : region.Rects())
        FillWithBrush(dc, brush, r);
}

void FillRegionSolid(const TDeviceContext& dc, const TRegion& region, TPixel pixel)
{
    for (const TRect& r : region.Rects())
        FillSolid(dc, r, pixel);
}

// A surface rectangle filled in one colour.
void FillSurface(const TDeviceContext& dc, const TRect& r, TPixel pixel)
{
    FillSolid(dc, dc.SurfaceToDevice(r), pixel);
}

// The frame between an outer surface rectangle and an inner one inside it.
void FillFrame(const TDeviceContext& dc, const TRect& outer, const TRect& inner, TPixel pixel)
{
    if (inner.IsEmpty()) {
        FillSurface(dc, outer, pixel);
        return;
    }
    FillSurface(dc, { outer.Left, outer.Top, outer.Right, inner.Top }, pixel);
    FillSurface(dc, { outer.Left, inner.Top, inner.Left, inner.Bottom }, pixel);
    FillSurface(dc, { inner.Right, inner.Top, outer.Right, inner.Bottom }, pixel);
    FillSurface(dc, { outer.Left, inner.Bottom, outer.Right, outer.Bottom }, pixel);
}

// On and off lengths of the styled one-pixel pens.
constexpr int kDash[] = { 18, 6 };
constexpr int kDot[] = { 3, 3 };
constexpr int kDashDot[] = { 9, 6, 3, 6 };
constexpr int kDashDotDot[] = { 9, 3, 3, 3, 3, 3 };

std::span<const int> StylePattern(TPenStyle style)
{
    switch (style) {
    case TPenStyle::psDash:
        return kDash;
    case TPenStyle::psDot:
        return kDot;
    case TPenStyle::psDashDot:
        return kDashDot;
    case TPenStyle::psDashDotDot:
        return kDashDotDot;
    case TPenStyle::psSolid:
    case TPenStyle::psClear:
    case TPenStyle::psInsideFrame:
        break;
    }
    return {};
}

bool PatternDraws(std::span<const int> pattern, std::int64_t step)
{
    std::int64_t at = step % std::accumulate(pattern.begin(), pattern.end(), 0);
    for (std::size_t i = 0;; ++i) {
        if (at < pattern[i])
            return i % 2 == 0;
        at -= pattern[i];
    }
}

// A pen wider than twice the surface is drawn that wide: any wider only adds work.
int PenWidth(const TPen& pen, const TDeviceContext& dc)
{
    const TBitmap& surface = dc.Surface();
    return std::clamp(pen.Width, 1, 2 * std::max(surface.Width(), surface.Height()) + 2);
}

// One surface pixel: a block of device pixels on a scaled surface.
void PlotPixel(const TDeviceContext& dc, int x, int y, TPixel pixel)
{
    if (dc.Scale() != 1)
        FillSurface(dc, { x, y, x + 1, y + 1 }, pixel);
    else if (dc.IsVisible(x, y))
        dc.Surface().ScanLine(y)[x] = pixel;
}

// A line between two surface points, leaving out the end point. The pixels are Bresenham's:
// along the longer axis one pixel per step, across it the offset nearest to the ideal line,
// halves rounded towards the start. Wider pens put a square of their width on every pixel.
// Styled pens continue their pattern from `phase` steps in.
void DrawLine(const TDeviceContext& dc, const TPen& pen, TPoint from, TPoint to, std::int64_t phase = 0)
{
    if (pen.Style == TPenStyle::psClear || from == to)
        return;
    const TPixel pixel = PixelOf(pen.Color);
    const int width = PenWidth(pen, dc);
    const int offset = (width - 1) / 2;
    const std::span<const int> pattern = width == 1 ? StylePattern(pen.Style) : std::span<const int> {};
    const int dx = to.X - from.X;
    const int dy = to.Y - from.Y;
    if (pattern.empty() && (dx == 0 || dy == 0)) {
        TRect r;
        if (dy == 0)
            r = dx > 0 ? TRect { from.X, from.Y, to.X, from.Y + 1 } : TRect { to.X + 1, from.Y, from.X + 1, from.Y + 1 };
        else
            r = dy > 0 ? TRect { from.X, from.Y, from.X + 1, to.Y } : TRect { from.X, to.Y + 1, from.X + 1, from.Y + 1 };
        FillSurface(dc, { r.Left - offset, r.Top - offset, r.Right - offset + width - 1, r.Bottom - offset + width - 1 }, pixel);
        return;
    }
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t steps = std::abs(xMajor ? dx : dy);
    const std::int64_t across = std::abs(xMajor ? dy : dx);
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const int majorStart = xMajor ? from.X : from.Y;
    const int minorStart = xMajor ? from.Y : from.X;
    // Only the steps whose pixel, with the pen around it, can reach the surface are walked.
    const TBitmap& surface = dc.Surface();
    const std::int64_t low = -width;
    const std::int64_t high = static_cast<std::int64_t>(xMajor ? surface.Width() : surface.Height()) + width;
    std::int64_t first = majorStep > 0 ? low - majorStart : majorStart - high + 1;
    std::int64_t last = majorStep > 0 ? high - majorStart : majorStart - low + 1;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, steps);
    for (std::int64_t k = first; k < last; ++k) {
        if (!pattern.empty() && !PatternDraws(pattern, phase + k))
            continue;
        const int major = majorStart + majorStep * static_cast<int>(k);
        const int minor = minorStart + minorStep * static_cast<int>((2 * k * across + steps - 1) / (2 * steps));
        const int x = xMajor ? major : minor;
        const int y = xMajor ? minor : major;
        if (width == 1)
            PlotPixel(dc, x, y, pixel);
        else
            FillSurface(dc, { x - offset, y - offset, x - offset + width, y - offset + width }, pixel);
    }
}

std::int64_t LineSteps(TPoint from, TPoint to)
{
    return std::max(std::abs(to.X - from.X), std::abs(to.Y - from.Y));
}

// A rounded shape over a surface box (right and bottom exclusive): pen outline, brush inside.
// Wider pens keep their outline inside the box; styled pens draw it solid.
void DrawRounded(
    const TDeviceContext& dc, const TPen& pen, const TBrush& brush, const TRect& box, int ellipseWidth, int ellipseHeight)
{
    if (box.IsEmpty())
        return;
    if (pen.Style == TPenStyle::psClear) {
        // Without a pen the host fills one pixel less to the right and below.
        FillRegionDevice(dc, TRegion::RoundRect(box, ellipseWidth, ellipseHeight).Scale(dc.Scale()), brush);
        return;
    }
    const TRegion shape = TRegion::RoundRect({ box.Left, box.Top, box.Right + 1, box.Bottom + 1 }, ellipseWidth, ellipseHeight);
    const int width = PenWidth(pen, dc);
    TRegion inside;
    if (width == 1) {
        // The outline is every pixel with a neighbour outside the shape.
        inside = shape.Intersect(shape.Offset(1, 0)).Intersect(shape.Offset(-1, 0));
        inside = inside.Intersect(shape.Offset(0, 1)).Intersect(shape.Offset(0, -1));
    } else if (box.Width() > 2 * width && box.Height() > 2 * width) {
        const int ew = std::max(0, std::abs(ellipseWidth) - 2 * width);
        const int eh = std::max(0, std::abs(ellipseHeight) - 2 * width);
        inside = TRegion::RoundRect({ box.Left + width, box.Top + width, box.Right + 1 - width, box.Bottom + 1 - width }, ew, eh);
    }
    FillRegionDevice(dc, inside.Scale(dc.Scale()), brush);
    FillRegionSolid(dc, shape.Subtract(inside).Scale(dc.Scale()), PixelOf(pen.Color));
}

} // namespace

TRect TCanvas::SurfaceRect(const TRect& logical) const
{
    const TPoint topLeft = dc_->ToSurface(logical.TopLeft());
    const TPoint bottomRight = dc_->ToSurface(logical.BottomRight());
    return { topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y };
}

TColor TCanvas::GetPixel(int x, int y) const
{
    const TPoint p = dc_->ToDevice(TPoint { x, y });
    if (!dc_->IsVisible(p.X, p.Y))
        return clNone;
    return PixelToColor(dc_->Surface().ScanLine(p.Y)[p.X]);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    const TPoint p = dc_->ToSurface(TPoint { x, y });
    PlotPixel(*dc_, p.X, p.Y, PixelOf(color));
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = { x, y };
}

void TCanvas::LineTo(int x, int y)
{
    DrawLine(*dc_, pen_, dc_->ToSurface(penPos_), dc_->ToSurface(TPoint { x, y }));
    penPos_ = { x, y };
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    std::int64_t phase = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const TPoint from = dc_->ToSurface(points[i - 1]);
        const TPoint to = dc_->ToSurface(points[i]);
        DrawLine(*dc_, pen_, from, to, phase);
        phase += LineSteps(from, to);
    }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    const TRect box = SurfaceRect({ left, top, right, bottom });
    if (box.IsEmpty())
        return;
    if (pen_.Style == TPenStyle::psClear) {
        // Without a pen the host fills one pixel less to the right and below.
        FillWithBrush(*dc_, brush_, dc_->SurfaceToDevice({ box.Left, box.Top, box.Right - 1, box.Bottom - 1 }));
        return;
    }
    const int width = PenWidth(pen_, *dc_);
    const std::span<const int> pattern = width == 1 ? StylePattern(pen_.Style) : std::span<const int> {};
    if (!pattern.empty()) {
        FillWithBrush(*dc_, brush_, dc_->SurfaceToDevice(box.Inflate(-1, -1)));
        if (box.Width() == 1 && box.Height() == 1) {
            SetPixel(left, top, pen_.Color);
            return;
        }
        const TPoint corners[] = { { box.Left, box.Top }, { box.Right - 1, box.Top }, { box.Right - 1, box.Bottom - 1 },
            { box.Left, box.Bottom - 1 }, { box.Left, box.Top } };
        std::int64_t phase = 0;
        for (std::size_t i = 1; i < std::size(corners); ++i) {
            DrawLine(*dc_, pen_, corners[i - 1], corners[i], phase);
            phase += LineSteps(corners[i - 1], corners[i]);
        }
        return;
    }
    // The pen is centred on the outline through the outer pixels, or kept inside the box.
    const int offset = pen_.Style == TPenStyle::psInsideFrame ? 0 : (width - 1) / 2;
    const TRect outer = pen_.Style == TPenStyle::psInsideFrame
        ? box
        : TRect { box.Left - offset, box.Top - offset, box.Right - 1 - offset + width, box.Bottom - 1 - offset + width };
    const TRect inner = outer.Inflate(-width, -width);
    FillWithBrush(*dc_, brush_, dc_->SurfaceToDevice(inner));
    FillFrame(*dc_, outer, inner, PixelOf(pen_.Color));
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    DrawRounded(*dc_, pen_, brush_, SurfaceRect({ left, top, right, bottom }), ellipseWidth, ellipseHeight);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    const TRect box = SurfaceRect({ left, top, right, bottom });
    DrawRounded(*dc_, pen_, brush_, box, box.Width(), box.Height());
}

void TCanvas::FillRect(const TRect& r)
{
    FillWithBrush(*dc_, brush_, dc_->ToDevice(r));
}

void TCanvas::FrameRect(const TRect& r)
{
    const TRect box = SurfaceRect(r);
    if (box.IsEmpty())
        return;
    const TRect edges[] = { { box.Left, box.Top, box.Right, box.Top + 1 }, { box.Left, box.Bottom - 1, box.Right, box.Bottom },
        { box.Left, box.Top + 1, box.Left + 1, box.Bottom - 1 }, { box.Right - 1, box.Top + 1, box.Right, box.Bottom - 1 } };
    for (const TRect& edge : edges)
        FillWithBrush(*dc_, brush_, dc_->SurfaceToDevice(edge));
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    const TRect box = SurfaceRect(r);
    if (box.IsEmpty())
        return;
    // Each border pixel once (a one-pixel-high box has no separate bottom row), so that a
    // second call inverts exactly the same pixels back.
    const TRect pieces[] = {
        { box.Left, box.Top, box.Right, box.Top + 1 },
        { box.Left, std::max(box.Top + 1, box.Bottom - 1), box.Right, box.Bottom },
        { box.Left, box.Top + 1, box.Left + 1, box.Bottom - 1 },
        { std::max(box.Left + 1, box.Right - 1), box.Top + 1, box.Right, box.Bottom - 1 },
    };
    TBitmap& surface = dc_->Surface();
    const int n = dc_->Scale();
    for (const TRect& piece : pieces) {
        dc_->ForEachVisiblePart(dc_->SurfaceToDevice(piece), [&](const TRect& part) {
            for (int y = part.Top; y < part.Bottom; ++y) {
                TPixel* row = surface.ScanLine(y);
                for (int x = part.Left; x < part.Right; ++x)
                    if ((x / n + y / n) % 2 == 0)
                        row[x] ^= 0x00FFFFFF;
            }
        });
    }
}

void TCanvas::FillRegion(const TRegion& region)
{
    const TPoint origin = dc_->ViewportOrg();
    FillRegionDevice(*dc_, region.Offset(origin.X, origin.Y).Scale(dc_->Scale()), brush_);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    const TRect dest { dc_->ToDeviceX(x), dc_->ToDeviceY(y), dc_->ToDeviceX(static_cast<std::int64_t>(x) + bitmap.Width()),
        dc_->ToDeviceY(static_cast<std::int64_t>(y) + bitmap.Height()) };
    CopyPixels(*dc_, dest, bitmap, { 0, 0, bitmap.PixelWidth(), bitmap.PixelHeight() }, TransparentKey(bitmap));
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    CopyPixels(*dc_, dc_->ToDevice(r), bitmap, { 0, 0, bitmap.PixelWidth(), bitmap.PixelHeight() }, TransparentKey(bitmap));
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    CopyPixels(*dc_, dc_->ToDevice(dest), source.Handle()->Surface(), source.Handle()->ToDevice(sourceRect));
}

TBitmap CreateCompatibleBitmap(HDC dc, int width, int height)
{
    return TBitmap(width, height, dc ? dc->Scale() : 1);
}
