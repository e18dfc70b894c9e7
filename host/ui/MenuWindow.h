#pragma once
#include <vector>

#include "host/gfx/Font.h"
#include "host/ui/Menus.h"
#include "host/win/Window.h"

// The system's menu font (the non-client metrics' menu font) in the menu text colour.
void GetMenuFont(TFont& font);

// One open level of a popup menu: a frameless popup window that lists the visible sub-items
// of an item, measured (through OnMeasureItem when the menu is owner-drawn or the item has a
// handler) and drawn (through OnDrawItem when the item has one, else in the plain look).
// Items lie inside a border of kFrame pixels, whose outer pixel is a frame line.
class TMenuWindow {
public:
    static constexpr int kFrame = 3;

    // Shown at once at `at` (its top-left corner on the screen), moved inside the work area;
    // `beside` is the screen rectangle of the item a sub-menu opens from, whose right edge it
    // goes to (or whose left, when there is no room on the right).
    TMenuWindow(TMenu& menu, TMenuItem& parent, TPoint at, HWND owner, const TRect* beside = nullptr);
    ~TMenuWindow();
    TMenuWindow(const TMenuWindow&) = delete;
    TMenuWindow& operator=(const TMenuWindow&) = delete;

    HWND Handle() const { return wnd_; }
    TMenuItem& ParentItem() const { return *parent_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    TMenuItem* Item(int index) const { return items_[static_cast<std::size_t>(index)].Item; }
    // In client coordinates.
    TRect ItemRect(int index) const { return items_[static_cast<std::size_t>(index)].Bounds; }
    // The item under a screen point, or -1.
    int ItemAtScreen(TPoint screen) const;
    bool ContainsScreen(TPoint screen) const;
    // An enabled item that is not a separator.
    bool Selectable(int index) const;
    bool HasSubMenu(int index) const;

    // The highlighted item (-1: none); the window repaints the two items that change.
    int Hot() const { return hot_; }
    void SetHot(int index);
    // The next selectable item after (or before) the hot one, going round; -1 when none is.
    int NextSelectable(int step) const;

private:
    struct TEntry {
        TMenuItem* Item;
        TRect Bounds;
    };

    void Measure();
    TSize DefaultSize(TMenuItem& item, TCanvas& canvas) const;
    bool IsOwnerDrawn(const TMenuItem& item) const;
    LRESULT WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(TCanvas& canvas);
    void PrepareCanvas(TCanvas& canvas, const TMenuItem& item, bool selected) const;
    void DrawItem(TCanvas& canvas, int index);
    void DrawPlainItem(TCanvas& canvas, const TMenuItem& item, const TRect& r, bool subMenu);
    void InvalidateItem(int index);

    TMenu* menu_;
    TMenuItem* parent_;
    std::vector<TEntry> items_;
    TSize clientSize_;
    int hot_ = -1;
    HWND wnd_ = nullptr;
};
