#include "host/win/Regions.h"

#include <algorithm>
#include <unordered_set>

#include "host/win/Desktop.h"

namespace {

// Every live region, so that a stale or foreign handle is refused instead of used.
std::unordered_set<TRegionObject*>& LiveRegions()
{
    static std::unordered_set<TRegionObject*> live;
    return live;
}

bool IsRegion(HRGN rgn)
{
    return rgn && LiveRegions().count(rgn) != 0;
}

HRGN NewRegion(TRegion region)
{
    HRGN rgn = new TRegionObject { std::move(region) };
    LiveRegions().insert(rgn);
    return rgn;
}

void FreeRegion(HRGN rgn)
{
    LiveRegions().erase(rgn);
    delete rgn;
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    return NewRegion(TRegion(Rect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom))));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return NewRegion(TRegion::RoundRect(Rect(left, top, right, bottom), ellipseWidth, ellipseHeight));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    if (!IsRegion(dest) || !IsRegion(src1) || (mode != RGN_COPY && !IsRegion(src2)))
        return RGN_ERROR;
    switch (mode) {
    case RGN_AND:
        dest->Region = src1->Region.Intersect(src2->Region);
        break;
    case RGN_OR:
        dest->Region = src1->Region.Union(src2->Region);
        break;
    case RGN_DIFF:
        dest->Region = src1->Region.Subtract(src2->Region);
        break;
    case RGN_COPY:
        dest->Region = src1->Region;
        break;
    default:
        return RGN_ERROR;
    }
    return dest->Region.Complexity();
}

bool PtInRegion(HRGN rgn, int x, int y)
{
    return IsRegion(rgn) && rgn->Region.Contains(x, y);
}

int GetRgnBox(HRGN rgn, TRect* box)
{
    if (!IsRegion(rgn) || !box)
        return RGN_ERROR;
    *box = rgn->Region.IsEmpty() ? TRect {} : rgn->Region.Bounds();
    return rgn->Region.Complexity();
}

bool DeleteObject(HRGN rgn)
{
    if (!IsRegion(rgn) || rgn->OwnedByWindow)
        return false;
    FreeRegion(rgn);
    return true;
}

const TRegion* ShapeOf(const TWindow* w)
{
    return w->Shape ? &w->Shape->Region : nullptr;
}

void FreeWindowShape(TWindow* w)
{
    if (w->Shape)
        FreeRegion(w->Shape);
    w->Shape = nullptr;
}

int SetWindowRgn(HWND wnd, HRGN rgn, bool redraw)
{
    TWindow* w = FindWindow(wnd);
    if (!w || (rgn && (!IsRegion(rgn) || (rgn->OwnedByWindow && rgn != w->Shape))))
        return 0;
    if (rgn != w->Shape)
        FreeWindowShape(w);
    w->Shape = rgn;
    if (rgn)
        rgn->OwnedByWindow = true;
    GeometryChanged();
    if (w->HasNative) {
        if (rgn) {
            const TRegion client = rgn->Region.Offset(-w->Frame.Left, -w->Frame.Top);
            Desktop().Backend().SetNativeShape(w, &client);
        } else {
            Desktop().Backend().SetNativeShape(w, nullptr);
        }
    }
    if (redraw && IsShowing(w)) {
        if (w->Parent)
            ExposeInParent(w->Parent, w->Bounds);
        InvalidateTree(w, w->ClientRect(), true);
    }
    return 1;
}

int GetWindowRgn(HWND wnd, HRGN dest)
{
    TWindow* w = FindWindow(wnd);
    if (!w || !w->Shape || !IsRegion(dest))
        return RGN_ERROR;
    dest->Region = w->Shape->Region;
    return dest->Region.Complexity();
}
