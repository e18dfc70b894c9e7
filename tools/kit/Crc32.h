#pragma once
#include <cstdint>
#include <span>

// The CRC-32 of ZIP and PNG (polynomial 0xEDB88320), as `crc32` and zlib compute it.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
