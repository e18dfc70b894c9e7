#include "host/win/Timers.h"

#include <algorithm>

#include "host/win/Desktop.h"

UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT interval)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return 0;
    TDesktop& d = Desktop();
    interval = std::max(interval, USER_TIMER_MINIMUM);
    const std::uint64_t due = d.Backend().Now() + interval;
    for (TTimer& t : d.Timers) {
        if (t.Window == w && t.Id == id) {
            t.Interval = interval;
            t.Due = due;
            return id;
        }
    }
    d.Timers.push_back({ w, id, interval, due });
    return id;
}

bool KillTimer(HWND wnd, UINT_PTR id)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    auto& timers = Desktop().Timers;
    const auto it = std::find_if(timers.begin(), timers.end(), [&](const TTimer& t) { return t.Window == w && t.Id == id; });
    if (it == timers.end())
        return false;
    timers.erase(it);
    return true;
}

DWORD GetTickCount()
{
    return MessageTime();
}

std::optional<std::uint64_t> NextTimerDue()
{
    std::optional<std::uint64_t> next;
    for (const TTimer& t : Desktop().Timers)
        if (!next || t.Due < *next)
            next = t.Due;
    return next;
}

bool TakeDueTimer(HWND filter, UINT filterMin, UINT filterMax, bool remove, MSG* msg)
{
    if (!(filterMin == 0 && filterMax == 0) && (WM_TIMER < filterMin || WM_TIMER > filterMax))
        return false;
    TDesktop& d = Desktop();
    const std::uint64_t now = d.Backend().Now();
    TTimer* due = nullptr;
    for (TTimer& t : d.Timers)
        if (t.Due <= now && (!filter || t.Window == filter) && (!due || t.Due < due->Due))
            due = &t;
    if (!due)
        return false;
    *msg = MSG { due->Window, WM_TIMER, due->Id, 0, static_cast<DWORD>(now), d.Mouse.Pos };
    if (remove)
        due->Due = now + due->Interval;
    return true;
}

void KillWindowTimers(TWindow* w)
{
    auto& timers = Desktop().Timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [w](const TTimer& t) { return t.Window == w; }), timers.end());
}
