#include "vkSetup/TextIntface.h"

#include "Core/SysUtils.h"

namespace vk::setup {

namespace {

constexpr uint32_t kLanguageOfItem[kLanguageItemCount] = {2, 0, 1};

TSetupText& Current() {
  static TSetupText current = [] {
    TSetupText text;
    GetEngSetupText(text);
    return text;
  }();
  return current;
}

}  // namespace

uint32_t LanguageOfItem(int itemIndex) {
  if (itemIndex < 0 || itemIndex >= kLanguageItemCount) throw ERangeError();
  return kLanguageOfItem[itemIndex];
}

const TSetupText& CurrentSetupText() { return Current(); }

void UseRussianSetupText() { GetRusSetupText(Current()); }

void UseUkrainianSetupText() { GetUkrSetupText(Current()); }

void UseEnglishSetupText() { GetEngSetupText(Current()); }

void UseSetupTextOf(uint32_t language) {
  switch (language) {
    case 0: UseRussianSetupText(); break;
    case 1: UseUkrainianSetupText(); break;
    default: UseEnglishSetupText(); break;
  }
}

}  // namespace vk::setup
