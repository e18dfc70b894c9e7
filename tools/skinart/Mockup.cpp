#include "tools/skinart/Mockup.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "tools/skinart/Compose.h"

namespace {

// The theme values the controls read along with the art ($00BBGGRR colours).
struct TTraits {
    bool ButtonTransparent;
    bool TitleButtonTransparent;
    int LeftOffset;
    int RightOffset;
    int ButtonTop;
    int RoundCorner;
    TColor FormBackground;
    TColor FormBorder;
    int BorderWidth;
    TColor MenuSelectedBorder;
    TColor MenuSelected;
    TColor MenuSelectedFont;
    TColor MenuBackground;
    TColor MenuBar;
    TColor ControlBorder;
    TColor ControlBackground;
    std::string ScrollButton;
};

const std::map<std::string, TTraits> kTraits = {
    { "MACOS",
        { true, false, 3, -2, 4, 0, 0xE7E7E7, 0x7F7F7F, 1, 0xC47339, 0xC47339, 0xFFFFFF, 0x000000, 0x000000, 0x7F7F7F, 0xE7E7E7,
            "MACOS_SCROLLBUTTON" } },
    { "WINXP",
        { false, false, 2, -2, 5, 13, 0xDEEBEF, 0xC82C00, 3, 0xC66931, 0xEFD3C6, 0x000000, 0xFFFFFF, 0xCED3D6, 0x686868, 0xFFFFFF,
            "WINXP_SCROLLBUTTON" } },
    { "DEEPBLUE",
        { false, false, 0, 0, 2, 0, 0xE8E8E8, 0x000000, 1, 0xA04A44, 0xA04A44, 0xFFFFFF, 0xFFFFFF, 0xCED3D6, 0x000000, 0xE8E8E8,
            "MORE_SCROLLBUTTON" } },
    { "PROTEIN",
        { false, true, 0, 0, 2, 0, 0xFBFBFB, 0x000000, 1, 0xC4302D, 0xC4302D, 0xFFFFFF, 0xFFFFFF, 0xCED3D6, 0x000000, 0xFBFBFB,
            "MORE_SCROLLBUTTON" } },
    { "BLUEGLASS",
        { true, true, 4, -3, 6, 11, 0xE7E7E7, 0x000000, 1, 0xEC5E5E, 0xEC5E5E, 0xFFFFFF, 0xE7E7E7, 0xCED3D6, 0x000000, 0xE7E7E7,
            "MORE_SCROLLBUTTON" } },
};

constexpr TColor kDesktop = 0xA56E3A;
constexpr int kCaptionSize = 11;

const TBitmap& Art(const TArtBook& book, const std::string& name)
{
    return book.Find(name).Bitmap;
}

// A picture drawn with its lower-left pixel left out, as a transparent bitmap is.
void BlitAuto(TBitmap& dest, int x, int y, const TBitmap& picture)
{
    Blit(dest, x, y, picture, picture.GetPixel(0, picture.Height() - 1));
}

// The window region with rounded top corners: what lies outside shows the desktop.
void RoundTopCorners(TBitmap& b, int x0, int y0, int width, int ellipse)
{
    const float r = static_cast<float>(ellipse) / 2;
    for (int y = 0; y < ellipse; ++y) {
        for (int x = 0; x < ellipse; ++x) {
            const float dx = r - (static_cast<float>(x) + 0.5f), dy = r - (static_cast<float>(y) + 0.5f);
            if (static_cast<float>(x) < r && static_cast<float>(y) < r && std::hypot(dx, dy) > r) {
                b.SetPixel(x0 + x, y0 + y, kDesktop);
                b.SetPixel(x0 + width - 1 - x, y0 + y, kDesktop);
            }
        }
    }
}

int TitleBar(TBitmap& b, const TArtBook& book, const std::string& s, const TTraits& t, int x0, int y0, int width)
{
    const TBitmap& left = Art(book, s + "_TITLE_LEFT");
    const TBitmap& client = Art(book, s + "_TITLE_CLIENT");
    const TBitmap& right = Art(book, s + "_TITLE_RIGHT");
    const int h = left.Height();
    Blit(b, x0, y0, left, Rect(0, 0, std::min(left.Width(), width), h));
    int r = width + 1;
    if (width - (left.Width() - 1) >= right.Width()) {
        Blit(b, x0 + r - 1 - right.Width(), y0, right);
        r -= right.Width();
    }
    Stretch(b, Rect(x0 + left.Width(), y0, x0 + r - 1, y0 + h), client, Rect(0, 0, client.Width(), client.Height()));

    const TBitmap& strip = Art(book, s + "_TITLEBTN");
    auto button = [&](int first, int state, int x) {
        const TBitmap pic = Frame(strip, 18, first + state);
        if (t.TitleButtonTransparent)
            BlitAuto(b, x0 + x, y0 + t.ButtonTop, pic);
        else
            Blit(b, x0 + x, y0 + t.ButtonTop, pic);
        return pic.Width();
    };
    // From the right: close (hot), maximize, minimize; the control box at the left.
    int rightX = width + t.RightOffset + 1;
    const std::vector<std::pair<int, int>> row = { { 15, 1 }, { 6, 0 }, { 12, 0 } };
    for (auto [first, state] : row) {
        rightX -= strip.Height() + 1;
        button(first, state, rightX);
    }
    int leftX = t.LeftOffset;
    leftX += button(0, 0, leftX) + 5;
    const TColor ink = s == "MACOS" ? clBlack : clWhite;
    Text(b, x0 + leftX, y0 + (strip.Height() - 14) / 2 + t.ButtonTop, "Moraleaf", ink, kCaptionSize, true);
    if (s != "WINXP" && t.RoundCorner != 0) {
        // The outline the title bar draws along its rounded top.
        const float r0 = static_cast<float>(t.RoundCorner) / 2;
        for (int y = 0; y < t.RoundCorner; ++y)
            for (int x = 0; x < width; ++x) {
                const float cx = x < width / 2 ? r0 : static_cast<float>(width) - r0;
                const float dx = static_cast<float>(x) + 0.5f - cx, dy = static_cast<float>(y) + 0.5f - r0;
                const bool inCorner = (x < width / 2 ? dx < 0 : dx > 0) && dy < 0;
                const float d = inCorner ? std::hypot(dx, dy) : -dy;
                if (d > r0 - 1 && d <= r0)
                    b.SetPixel(x0 + x, y0 + y, t.FormBorder);
            }
    }
    return h;
}

void PageControl(TBitmap& b, const TArtBook& book, const std::string& s, const TTraits& t, const TRect& area)
{
    const TBitmap& tabs = Art(book, s + "_TAB");
    const TBitmap& bar = Art(book, s + "_TAB_LINE");
    const TBitmap active = Frame(tabs, 2, 0);
    const TBitmap inactive = Frame(tabs, 2, 1);
    const int h = inactive.Height();
    const int stripHeight = h + bar.Height();
    const int x0 = area.Left, y0 = area.Top, w = area.Width();
    Stretch(b, Rect(x0 + 1, y0 + h, x0 + w - 1, y0 + stripHeight), bar, Rect(0, 0, bar.Width(), bar.Height()));
    FillRect(b, Rect(x0, y0 + h, x0 + 1, y0 + stripHeight), t.ControlBorder);
    FillRect(b, Rect(x0 + w - 1, y0 + h, x0 + w, y0 + stripHeight), t.ControlBorder);
    int x = x0 + 10;
    const std::vector<std::string> captions = { "平假名", "片假名", "随机抽取" };
    for (size_t i = 0; i < captions.size(); ++i) {
        const int tw = TextWidth(b, captions[i]) + 20;
        const bool isActive = i == 2;
        const TRect r = isActive ? Rect(x, y0 + 1, x + tw, y0 + h + 1) : Rect(x, y0, x + tw, y0 + h);
        ThreePart(b, r, isActive ? active : inactive);
        Text(b, r.Left + 10, r.Top + (r.Height() - 14) / 2, captions[i], clBlack);
        x += tw;
    }
    const TBitmap& scroll = Art(book, t.ScrollButton);
    const int sw = scroll.Width() / 4, sh = scroll.Height();
    const int top = stripHeight > sh + 4 ? (stripHeight - sh) / 2 - 2 : 0;
    BlitAuto(b, x0 + w - 2 - sw, y0 + top, Frame(scroll, 4, 1));
    BlitAuto(b, x0 + w - 2 - 2 * sw, y0 + top, Frame(scroll, 4, 2));
    const TColor body = t.ControlBackground;
    FillRect(b, Rect(x0, y0 + stripHeight, x0 + w, area.Bottom), body);
    FillRect(b, Rect(x0, y0 + stripHeight, x0 + 1, area.Bottom), t.ControlBorder);
    FillRect(b, Rect(x0, area.Bottom - 1, x0 + w, area.Bottom), t.ControlBorder);
    FillRect(b, Rect(x0 + w - 1, y0 + stripHeight - 1, x0 + w, area.Bottom), t.ControlBorder);

    // Push buttons: normal, mouse over and pressed at the usual 80 x 27, one wide and tall.
    const TBitmap& faces = Art(book, s + "_BUTTON");
    int bx = x0 + 12;
    const int by = y0 + stripHeight + 12;
    const std::vector<std::string> labels = { "OK", "随机抽取", "Pressed" };
    for (int i = 0; i < 3; ++i) {
        NineGrid(b, bx, by, 80, 27, Frame(faces, 3, i), t.ButtonTransparent);
        const int tw = TextWidth(b, labels[static_cast<size_t>(i)]);
        Text(b, bx + (80 - tw) / 2 + (i == 2 ? 1 : 0), by + 6 + (i == 2 ? 1 : 0), labels[static_cast<size_t>(i)], clBlack);
        bx += 88;
    }
    NineGrid(b, x0 + 12, by + 36, 150, 36, Frame(faces, 3, 0), t.ButtonTransparent);
    NineGrid(b, x0 + 170, by + 40, 26, 20, Frame(faces, 3, 1), t.ButtonTransparent);
    Text(b, x0 + 12 + (150 - TextWidth(b, "Stretched")) / 2, by + 36 + 11, "Stretched", clBlack);

    // Radio buttons (see-through) and check boxes (opaque), checked and not.
    const TBitmap& radios = Art(book, s + "_RADIOBUTTON");
    const TBitmap& checks = Art(book, s + "_CHECKBOX");
    int ry = by + 84;
    for (int i = 0; i < 4; ++i) {
        const TBitmap radio = Frame(radios, 4, i);
        const TBitmap check = Frame(checks, 4, i);
        const std::string state = i == 0 ? "平假名" : i == 1 ? "片假名" : i == 2 ? "off" : "off";
        BlitAuto(b, x0 + 14, ry + (17 - radio.Height()) / 2, radio);
        Text(b, x0 + 14 + radio.Width() + 4, ry + 1, i < 2 ? state : "disabled", i < 2 ? clBlack : clGray);
        Blit(b, x0 + 130, ry + (17 - check.Height()) / 2, check);
        Text(b, x0 + 130 + check.Width() + 4, ry + 1, i < 2 ? "Check" : "disabled", i < 2 ? clBlack : clGray);
        ry += 20;
    }
}

} // namespace

TBitmap WindowMockup(const TArtBook& book, const std::string& s)
{
    const TTraits& t = kTraits.at(s);
    const int width = 420, height = 300, margin = 8;
    TBitmap b(width + 2 * margin, height + 2 * margin);
    FillRect(b, Rect(0, 0, b.Width(), b.Height()), kDesktop);
    const int x0 = margin, y0 = margin;
    const int bw = t.BorderWidth;
    FillRect(b, Rect(x0, y0, x0 + width, y0 + height), t.FormBorder);
    const TRect panel = Rect(x0 + bw, y0, x0 + width - bw, y0 + height - bw);
    if (s == "MACOS" || s == "PROTEIN")
        Tile(b, panel, Art(book, s + "_FORM_BACKGROUND"));
    else
        FillRect(b, panel, t.FormBackground);
    const int titleHeight = TitleBar(b, book, s, t, panel.Left, panel.Top, panel.Width());
    PageControl(b, book, s, t, Rect(panel.Left, panel.Top + titleHeight, panel.Right, panel.Bottom));
    if (t.RoundCorner > 0)
        RoundTopCorners(b, x0, y0, width, t.RoundCorner);
    return b;
}

TBitmap MenuMockup(const TArtBook& book, const std::string& s)
{
    const TTraits& t = kTraits.at(s);
    const bool mac = s == "MACOS";
    const int width = 170, itemHeight = mac ? 20 : 21, separatorHeight = mac ? 12 : 5, barWidth = 26;
    struct Item {
        std::string Caption;
        bool Selected;
        bool Checked;
    };
    const std::vector<Item> items
        = { { "Minimize", true, false }, { "Maximize/Restore", false, true }, { "-", false, false }, { "Close", false, false } };
    int height = 0;
    for (const Item& i : items)
        height += i.Caption == "-" ? separatorHeight : itemHeight;
    TBitmap b(width + 2, height + 2);
    FillRect(b, Rect(0, 0, b.Width(), b.Height()), 0x808080);
    const TBitmap& bar = Art(book, "MACOS_MENU_BAR");
    const TBitmap& select = Art(book, "MACOS_MENU_SELECT");
    int y = 1;
    for (const Item& i : items) {
        const bool separator = i.Caption == "-";
        const TRect r = Rect(1, y, 1 + width, y + (separator ? separatorHeight : itemHeight));
        if (mac) {
            const TBitmap& strip = i.Selected ? select : bar;
            Stretch(b, r, strip, Rect(0, 0, 1, separator ? 12 : 20));
        } else if (i.Selected) {
            FillRect(b, r, t.MenuSelected);
            FillRect(b, Rect(r.Left, r.Top, r.Right, r.Top + 1), t.MenuSelectedBorder);
            FillRect(b, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), t.MenuSelectedBorder);
            FillRect(b, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), t.MenuSelectedBorder);
            FillRect(b, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), t.MenuSelectedBorder);
        } else {
            FillRect(b, Rect(r.Left, r.Top, r.Left + barWidth, r.Bottom), t.MenuBar);
            FillRect(b, Rect(r.Left + barWidth, r.Top, r.Right, r.Bottom), t.MenuBackground);
            if (separator)
                FillRect(b, Rect(r.Left + barWidth + 4, r.Top + 2, r.Right - 2, r.Top + 3), 0x848284);
        }
        if (!separator)
            Text(b, r.Left + barWidth + 4, r.Top + 4, i.Caption, i.Selected ? t.MenuSelectedFont : clBlack);
        if (i.Checked)
            Blit(b, r.Left + 4, r.Top + 3, Art(book, "MENU_CHECKED"), clWhite);
        y = r.Bottom;
    }
    return b;
}
