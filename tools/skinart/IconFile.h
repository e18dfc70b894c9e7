#pragma once
#include <cstdint>
#include <vector>

#include "tools/skinart/Raster.h"

// An icon file image: one entry per picture, each a 32-bit BGRA bitmap with alpha followed
// by its one-bit AND mask (set where the picture is mostly transparent).
std::vector<std::uint8_t> EncodeIcon(const std::vector<TRaster>& pictures);
