#pragma once
#include <cstdint>

#include "host/win/Messages.h"

constexpr int LF_FACESIZE = 32;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// A font description as the system hands it out (the face name is NUL-terminated UTF-8).
struct LOGFONT {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = FW_NORMAL;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

// The sizes and fonts of window frames and menus; the caller sets cbSize to the structure's
// size (340 bytes) before asking.
struct NONCLIENTMETRICS {
    UINT cbSize = 0;
    std::int32_t iBorderWidth = 0;
    std::int32_t iScrollWidth = 0;
    std::int32_t iScrollHeight = 0;
    std::int32_t iCaptionWidth = 0;
    std::int32_t iCaptionHeight = 0;
    LOGFONT lfCaptionFont;
    std::int32_t iSmCaptionWidth = 0;
    std::int32_t iSmCaptionHeight = 0;
    LOGFONT lfSmCaptionFont;
    std::int32_t iMenuWidth = 0;
    std::int32_t iMenuHeight = 0;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};
static_assert(sizeof(NONCLIENTMETRICS) == 340);

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
constexpr UINT SPI_GETWORKAREA = 0x0030;
// SPI_GETWORKAREA fills a TRect (the screen without task bars); SPI_GETNONCLIENTMETRICS a
// NONCLIENTMETRICS whose cbSize is right. False for anything else.
bool SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni);

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
int GetSystemMetrics(int index);
