#pragma once
// Comparison of texts the way the user's locale orders them, ignoring letter
// case: what sorting and searching goods names rests on.
//
// win32: CompareStringW with the user's default locale and NORM_IGNORECASE.
// posix (native tests only): upper-cases the letters of Latin (ASCII, Latin-1,
// Latin Extended-A), Greek and Cyrillic and compares the code units.

#include <string_view>

namespace vk::platform {

// -1, 0 or 1 as a sorts before, with, or after b.
int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b);

}  // namespace vk::platform
