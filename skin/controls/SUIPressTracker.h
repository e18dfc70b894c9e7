#pragma once
#include <cstdint>

#include "host/ui/WinControl.h"

// Whether a skinned control is held down, by the left mouse button or by Space or Enter. On a
// focused, enabled control Space or Enter going down presses it, and either coming up while it
// is pressed releases it with a click. A key counts only when the key handlers left it and no
// dialog key claimed it (a default button takes Enter on its way down), which shows in the key
// message reaching the control's default handler; so the control hands the tracker each key
// message three times: as it arrives, after its key handlers, and in its default handler.
class TsuiPressTracker {
public:
    explicit TsuiPressTracker(TWinControl& Control)
        : FControl(Control)
    {
    }

    bool Pressed() const { return FByMouse || FByKey; }
    // The left mouse button went down on the control.
    void PressByMouse() { FByMouse = true; }
    // Ends the press without a click.
    void Release();

    // A message arrives at the control's WndProc: nothing of a key message's key is left yet,
    // and the focus leaving ends a press by key, whose key will come up elsewhere.
    void Arrived(const TMessage& Message);
    // The control's KeyDown or KeyUp ran and left Key (0 when a handler took it).
    void KeyLeft(std::uint16_t Key) { FKeyLeft = Key; }
    // The control's default handler has a message: Space or Enter presses on the way down, and
    // releases, repaints and clicks on the way up.
    void Unclaimed(const TMessage& Message);

private:
    TWinControl& FControl;
    std::uint16_t FKeyLeft = 0;
    bool FByKey = false;
    bool FByMouse = false;
};
