// The least an SDL2 program does before its first frame: open a window of the main window's
// size, fill its surface and present it. Start-up figures are compared against this.
// MORALEAF_EXIT_AFTER_FIRST_FRAME=1 ends it right after that frame, as it does the program.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool ExitAfterFirstFrame()
{
    const char* value = std::getenv("MORALEAF_EXIT_AFTER_FIRST_FRAME");
    return value && std::strcmp(value, "1") == 0;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "empty_sdl_window: %s: %s\n", what, SDL_GetError());
    return 1;
}

} // namespace

int main(int, char**)
{
    // The same video path as the program: X11 through a software window surface.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return Fail("Cannot open the display");
    SDL_Window* window = SDL_CreateWindow("empty", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 676, 400, 0);
    if (!window)
        return Fail("Cannot create the window");
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface)
        return Fail("Cannot get the window surface");
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xD4, 0xD0, 0xC8));
    if (SDL_UpdateWindowSurface(window) != 0)
        return Fail("Cannot present the frame");
    if (ExitAfterFirstFrame()) {
        std::fflush(nullptr);
        std::_Exit(0);
    }
    SDL_Event event;
    while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) { }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
