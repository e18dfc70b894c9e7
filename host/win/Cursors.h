#pragma once
#include <cstdint>

// The system's mouse pointers; a window's class names the one shown over its client area.
enum class HCURSOR : std::uint8_t {
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand,
    AppStarting,
    Help
};

constexpr HCURSOR IDC_ARROW = HCURSOR::Arrow;
constexpr HCURSOR IDC_IBEAM = HCURSOR::IBeam;
constexpr HCURSOR IDC_WAIT = HCURSOR::Wait;
constexpr HCURSOR IDC_CROSS = HCURSOR::Cross;
constexpr HCURSOR IDC_UPARROW = HCURSOR::UpArrow;
constexpr HCURSOR IDC_SIZENWSE = HCURSOR::SizeNWSE;
constexpr HCURSOR IDC_SIZENESW = HCURSOR::SizeNESW;
constexpr HCURSOR IDC_SIZEWE = HCURSOR::SizeWE;
constexpr HCURSOR IDC_SIZENS = HCURSOR::SizeNS;
constexpr HCURSOR IDC_SIZEALL = HCURSOR::SizeAll;
constexpr HCURSOR IDC_NO = HCURSOR::No;
constexpr HCURSOR IDC_HAND = HCURSOR::Hand;
constexpr HCURSOR IDC_APPSTARTING = HCURSOR::AppStarting;
constexpr HCURSOR IDC_HELP = HCURSOR::Help;
