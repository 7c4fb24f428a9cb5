#pragma once
// The automatic code of a new goods: the goods table's next key, shifted by
// the "Autogen" delta and zero-padded to the "Autogen" digit count. Portable.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vk {

// The width of the goods table's Code field.
inline constexpr std::size_t kGoodsCodeLength = 8;

// nuls is the digit count as the settings give it (1..8). With nuls <= 1 the
// code is nextKey in decimal and the delta is not applied; otherwise
// delta + nextKey when that sum is above zero (EIntOverflow when it does not
// fit 32 bits), else nextKey, zero-padded to at least nuls digits. A code
// that would not fit the Code field is empty, for the user to type one.
std::string NextGoodsCode(int32_t nextKey, uint32_t nuls, int32_t delta);

}  // namespace vk
