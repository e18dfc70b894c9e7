#include "skin/controls/SUIPressTracker.h"

#include "host/win/VirtualKeys.h"

void TsuiPressTracker::Release()
{
    FByMouse = false;
    FByKey = false;
}

void TsuiPressTracker::Arrived(const TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_KEYUP)
        FKeyLeft = 0;
    else if (Message.Msg == WM_KILLFOCUS)
        FByKey = false;
}

void TsuiPressTracker::Unclaimed(const TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_KEYUP)
        return;
    if (FKeyLeft != VK_SPACE && FKeyLeft != VK_RETURN)
        return;
    if (!FControl.Focused() || !FControl.Enabled())
        return;
    if (Message.Msg == WM_KEYDOWN) {
        FByKey = true;
        FControl.Repaint();
    } else if (Pressed()) {
        Release();
        FControl.Repaint();
        FControl.Click();
    }
}
