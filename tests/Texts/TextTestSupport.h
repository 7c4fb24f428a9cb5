#pragma once
// Helpers shared by the text tests: running a loader by language index.

#include <cstdint>
#include <string>

#include "Tools/Service/TextConst.h"

namespace vk::testing {

inline void LoadTexts(std::uint8_t language) {
  switch (language) {
    case kLangRussian: LoadRussianTexts(); break;
    case kLangUkrainian: LoadUkrainianTexts(); break;
    default: LoadEnglishTexts(); break;
  }
}

inline const char* LanguageName(std::uint8_t language) {
  static const char* const names[] = {"Russian", "Ukrainian", "English"};
  return language < 3 ? names[language] : "?";
}

// The texts of one language, without touching the globals' state for long.
inline TTexts TextsOf(std::uint8_t language) {
  LoadTexts(language);
  TTexts texts = ProgTexts;
  UnloadTexts();
  return texts;
}

}  // namespace vk::testing
