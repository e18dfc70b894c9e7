#pragma once
#include "host/gfx/Region.h"
#include "host/win/Messages.h"

// A region object behind a handle, as the host's region calls pass them around.
struct TRegionObject {
    TRegion Region;
    // Set once SetWindowRgn gave the region to a window.
    bool OwnedByWindow = false;
};
using HRGN = TRegionObject*;

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

HRGN CreateRectRgn(int left, int top, int right, int bottom);
// A rectangle with corners cut by an ellipse of the given size (see TRegion::RoundRect).
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
// dest := src1 combined with src2 (src2 unused for RGN_COPY); returns NULLREGION,
// SIMPLEREGION, COMPLEXREGION or RGN_ERROR for a bad handle or mode.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
bool PtInRegion(HRGN rgn, int x, int y);
int GetRgnBox(HRGN rgn, TRect* box);
// Frees a region; false for a handle that is no region or that a window owns.
bool DeleteObject(HRGN rgn);

// Gives the window a shape in window coordinates (null: none). The window system owns the
// region from then on and frees it with the window or the next SetWindowRgn. Hit testing,
// drawing and the desktop follow the shape. Returns 0 for a bad window or region.
int SetWindowRgn(HWND wnd, HRGN rgn, bool redraw);
// Copies the window's shape into dest; RGN_ERROR when it has none.
int GetWindowRgn(HWND wnd, HRGN dest);
