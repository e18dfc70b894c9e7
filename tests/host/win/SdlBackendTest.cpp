#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/win/VirtualKeys.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/SdlBackend.h"
#include "host/win/backends/SdlKeys.h"

TEST(SdlBackend, RefusesToStartWithoutADisplay)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    try {
        TSdlBackend backend;
        ADD_FAILURE() << "started without a display";
    } catch (const EWindowSystemError& e) {
        EXPECT_EQ(e.Message(), "Cannot open the display: DISPLAY is not set");
    }
    if (display)
        setenv("DISPLAY", saved.c_str(), 1);
}

TEST(SdlBackend, KeysBecomeTheHostsVirtualKeys)
{
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 'Z');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_0), '0');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_9), '9');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1), VK_F1);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), VK_F12);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), VK_NUMPAD0);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), VK_NUMPAD0 + 9);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LCTRL), VK_CONTROL);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RALT), VK_MENU);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_SPACE), VK_SPACE);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN), 0);
    EXPECT_EQ(ControlCharFromSdl(SDLK_RETURN), U'\r');
    EXPECT_EQ(ControlCharFromSdl(SDLK_a), 0u);
}
