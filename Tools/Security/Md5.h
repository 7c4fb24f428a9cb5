#pragma once
// MD5 (RFC 1321), our own: the digest of the password and of the program
// title must come out the same on every system and in native tests, so it
// does not depend on any system library.

#include <array>
#include <cstdint>
#include <string_view>

namespace vk {

using TMd5Digest = std::array<uint8_t, 16>;

// The digest of exactly these bytes (no terminator).
TMd5Digest Md5(std::string_view bytes);

}  // namespace vk
