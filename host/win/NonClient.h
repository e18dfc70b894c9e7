#pragma once
#include "host/win/Messages.h"

// WM_GETMINMAXINFO's lParam: the size limits of the modal size loop, filled with defaults that
// the window may change.
struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};
