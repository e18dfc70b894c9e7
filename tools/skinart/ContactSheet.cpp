#include "tools/skinart/ContactSheet.h"

#include <algorithm>
#include <vector>

#include "tools/skinart/Compose.h"
#include "tools/skinart/Mockup.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kLabel = 14;
constexpr int kZoom = 4;
constexpr int kFrameGap = 3;
constexpr TColor kPaper = 0xF4F4F4;
constexpr TColor kInk = 0x303030;
constexpr TColor kGapColour = 0xD8D8D8;

const std::vector<std::pair<std::string, std::string>> kStyles = { { "MACOS", "MacOS" }, { "WINXP", "WinXP" },
    { "DEEPBLUE", "DeepBlue" }, { "PROTEIN", "Protein" }, { "BLUEGLASS", "BlueGlass" }, { "SHARED", "Shared" } };

// Places boxes left to right, wrapping at the sheet's width.
class TFlow {
public:
    TFlow(TBitmap& sheet, int top)
        : sheet_(sheet)
        , y_(top)
    {
    }

    void Place(const std::string& label, const TBitmap& picture)
    {
        if (x_ + picture.Width() > kWidth - kMargin && x_ > kMargin)
            NewLine();
        Text(sheet_, x_, y_, label, kInk, 10);
        Blit(sheet_, x_, y_ + kLabel, picture);
        x_ += std::max(picture.Width(), TextWidth(sheet_, label, 10)) + kGap;
        rowHeight_ = std::max(rowHeight_, picture.Height() + kLabel);
    }
    int NewLine()
    {
        y_ += rowHeight_ + kGap;
        x_ = kMargin;
        rowHeight_ = 0;
        return y_;
    }

private:
    TBitmap& sheet_;
    int x_ = kMargin;
    int y_;
    int rowHeight_ = 0;
};

// The piece magnified, its frames set apart so each can be judged on its own.
TBitmap Zoomed(const TArtPiece& piece, int zoom)
{
    const int frameWidth = piece.Bitmap.Width() / piece.Frames;
    const int fw = frameWidth * zoom;
    TBitmap out(fw * piece.Frames + kFrameGap * (piece.Frames - 1), piece.Bitmap.Height() * zoom);
    FillRect(out, Rect(0, 0, out.Width(), out.Height()), kGapColour);
    for (int i = 0; i < piece.Frames; ++i)
        Blit(out, i * (fw + kFrameGap), 0, Magnify(Frame(piece.Bitmap, piece.Frames, i), zoom));
    return out;
}

int Section(TBitmap& sheet, const TArtBook& book, const std::string& style, const std::string& title, int y)
{
    Text(sheet, kMargin, y, title, kInk, 18, true);
    y += 30;
    TFlow flow(sheet, y);
    if (style != "SHARED") {
        flow.Place("mock-up", WindowMockup(book, style));
        flow.Place("menu", MenuMockup(book, style));
        y = flow.NewLine();
    }
    for (const TArtPiece& p : book.Pieces())
        if (p.Style == style)
            flow.Place(p.Name + " " + std::to_string(p.Bitmap.Width()) + "x" + std::to_string(p.Bitmap.Height()), p.Bitmap);
    for (const TArtIcon& icon : book.Icons())
        if (style == "SHARED")
            for (const TRaster& size : icon.Sizes) {
                const TBitmap picture = Flatten(size, Plain(FromColor(kPaper)), std::nullopt);
                flow.Place(icon.Name + " " + std::to_string(size.Width()), picture);
                flow.Place(icon.Name + " x" + std::to_string(kZoom), Magnify(picture, kZoom));
            }
    y = flow.NewLine();
    for (const TArtPiece& p : book.Pieces()) {
        if (p.Style != style)
            continue;
        // Wide strips would not fit at full magnification.
        const int zoom = p.Bitmap.Width() * kZoom <= kWidth - 2 * kMargin ? kZoom : 2;
        if (p.Bitmap.Width() * zoom > kWidth - 2 * kMargin)
            continue;
        flow.Place(p.Name + " x" + std::to_string(zoom), Zoomed(p, zoom));
    }
    return flow.NewLine() + kGap;
}

} // namespace

TBitmap ContactSheet(const TArtBook& book)
{
    TBitmap sheet(kWidth, 9000);
    FillRect(sheet, Rect(0, 0, sheet.Width(), sheet.Height()), kPaper);
    int y = kMargin;
    for (const auto& [style, title] : kStyles)
        y = Section(sheet, book, style, title, y);
    sheet.SetHeight(y);
    return sheet;
}
