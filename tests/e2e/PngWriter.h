#pragma once
// Writes 24-bit RGB pictures as PNG files (uncompressed deflate blocks), so
// screenshots taken inside Wine can be looked at without converting them.

#include <cstdint>
#include <string>
#include <vector>

namespace vk::e2e {

// rgb: height rows of width pixels, 3 bytes each (R, G, B), top row first.
// False when the file could not be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace vk::e2e
