#include "host/win/SystemInfo.h"

#include <cstring>

#include "host/win/Desktop.h"
#include "host/win/WindowSystem.h"

namespace {

LOGFONT UiFont(int weight)
{
    LOGFONT font;
    font.lfHeight = -11;
    font.lfWeight = weight;
    font.lfCharSet = 1;
    std::strncpy(font.lfFaceName, "Tahoma", LF_FACESIZE - 1);
    return font;
}

void FillNonClientMetrics(NONCLIENTMETRICS& m)
{
    m.iBorderWidth = 1;
    m.iScrollWidth = 16;
    m.iScrollHeight = 16;
    m.iCaptionWidth = 18;
    m.iCaptionHeight = 18;
    m.lfCaptionFont = UiFont(FW_BOLD);
    m.iSmCaptionWidth = 12;
    m.iSmCaptionHeight = 15;
    m.lfSmCaptionFont = UiFont(FW_BOLD);
    m.iMenuWidth = 18;
    m.iMenuHeight = 18;
    m.lfMenuFont = UiFont(FW_NORMAL);
    m.lfStatusFont = UiFont(FW_NORMAL);
    m.lfMessageFont = UiFont(FW_NORMAL);
}

} // namespace

bool SystemParametersInfo(UINT action, UINT, void* data, UINT)
{
    if (!data)
        return false;
    switch (action) {
    case SPI_GETWORKAREA:
        if (!WindowSystemRunning())
            return false;
        *static_cast<TRect*>(data) = Desktop().Backend().WorkArea();
        return true;
    case SPI_GETNONCLIENTMETRICS: {
        auto* metrics = static_cast<NONCLIENTMETRICS*>(data);
        if (metrics->cbSize != sizeof(NONCLIENTMETRICS))
            return false;
        FillNonClientMetrics(*metrics);
        return true;
    }
    default:
        return false;
    }
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return WindowSystemRunning() ? Desktop().Backend().ScreenRect().Width() : 0;
    case SM_CYSCREEN:
        return WindowSystemRunning() ? Desktop().Backend().ScreenRect().Height() : 0;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}
