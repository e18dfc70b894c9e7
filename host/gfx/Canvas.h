#pragma once
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "host/gfx/Bitmap.h"
#include "host/gfx/DeviceContext.h"
#include "host/gfx/Font.h"

enum class TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen {
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
};

enum class TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// A brush fills with its colour, or, when a pattern bitmap is set, with that bitmap tiled from
// the device origin (the pattern is not owned and must outlive its use).
class TBrush {
public:
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    const TBitmap* Bitmap = nullptr;
};

// DrawText formats.
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;

// Draws on a device context with a pen, a brush and a font. Coordinates are logical: the
// context's viewport origin is added, its clip honoured. Lines leave out their end point and
// rectangles their right and bottom edges, as on the host. On a surface of scale N every
// logical pixel is N x N device pixels: lines and frames are N times as thick, text is
// rasterised at N times its size, and a bitmap of another scale is scaled smoothly.
class TCanvas {
public:
    explicit TCanvas(HDC dc)
        : dc_(dc)
    {
    }

    HDC Handle() const { return dc_; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }

    // clNone for a pixel outside the surface or the clip.
    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    // Outline with the pen, inside with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void FillRect(const TRect& r);
    // A one-pixel border drawn with the brush.
    void FrameRect(const TRect& r);
    // The dotted focus rectangle, drawn by inverting every other pixel.
    void DrawFocusRect(const TRect& r);
    void FillRegion(const TRegion& region);

    // Text in the font's colour; the background is filled with the brush unless the brush is
    // bsClear. TextOut leaves the pen position unchanged.
    void TextOut(int x, int y, const std::string& text);
    // Text at (x, y), clipped to r (and r filled first unless the brush is bsClear).
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);

    // The bitmap at its own (logical) size; a Transparent bitmap leaves its transparent colour out.
    void Draw(int x, int y, const TBitmap& bitmap);
    // The bitmap scaled to r (nearest pixel, or smoothly between scales), transparency as for Draw.
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    // Copies source rectangle of another canvas, scaled to dest when the sizes differ.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

private:
    // A logical rectangle in surface coordinates.
    TRect SurfaceRect(const TRect& logical) const;

    HDC dc_;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint penPos_;
};

// The host's DrawText on a canvas (its font and the font's colour): one line of text
// placed in r by the format; "&" underlines the next character unless DT_NOPREFIX ("&&" is
// one "&"). With DT_CALCRECT nothing is drawn and r gets the text's size. Returns the
// text height.
int DrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned format);

// A bitmap for drawing off screen what will then be copied onto the device context: at its
// scale, so that nothing is drawn coarser than on the context itself.
TBitmap CreateCompatibleBitmap(HDC dc, int width, int height);
