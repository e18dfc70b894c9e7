#pragma once
#include "host/gfx/Region.h"

struct SDL_Window;

// Cuts an SDL window on X11 to a shape in its client coordinates (null: the whole window);
// other video drivers are left unshaped.
void ApplyX11Shape(SDL_Window* window, const TRegion* shape);
