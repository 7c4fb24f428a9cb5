#pragma once
// The current texts of the setup program and the choice of language.
//
// The language box lists English, Russian and Ukrainian in that order; its
// item index maps to the main program's language number (0 Russian,
// 1 Ukrainian, 2 English), which is also what the registry entry and the
// settings file receive.

#include <cstdint>
#include <string>

#include "vkSetup/SetupText.h"

namespace vk::setup {

inline constexpr int kLanguageItemCount = 3;
// The language box's items, in their order.
inline constexpr const char* kLanguageItems[kLanguageItemCount] = {"English", "Русский", "Українська"};

// The language number of a language box item; ERangeError outside 0..2.
uint32_t LanguageOfItem(int itemIndex);

// The texts every window shows now.
const TSetupText& CurrentSetupText();
void UseRussianSetupText();
void UseUkrainianSetupText();
void UseEnglishSetupText();
// 0 Russian, 1 Ukrainian, anything else English.
void UseSetupTextOf(uint32_t language);

}  // namespace vk::setup
