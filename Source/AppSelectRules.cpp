#include "Source/AppSelectRules.h"

#include <algorithm>

#include "Platform/CodePage.h"
#include "Platform/Locale.h"

namespace vk {

namespace {

// The code points of a UTF-8 text; a byte that starts no valid sequence
// stands for itself.
std::u32string CodePoints(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i]);
    int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? byte : byte & (0x3F >> extra);
    bool valid = i + extra < text.size() || extra == 0;
    for (int k = 1; valid && k <= extra; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (!valid) {
      out.push_back(byte);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

std::string FirstCharacters(const std::string& text, size_t count) {
  size_t i = 0;
  for (size_t n = 0; i < text.size() && n < count; ++n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return text.substr(0, i);
}

}  // namespace

std::string MakeProgramTitle(const std::string& programFolder) {
  std::string folder = programFolder;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return kProgramTitlePrefix + folder;
}

bool MatchesName(const std::string& buffer, const std::string& name) {
  const std::u16string a = platform::MultiByteToUtf16(buffer, platform::kCodePageUtf8);
  const std::u16string b = platform::MultiByteToUtf16(name, platform::kCodePageUtf8);
  // The system's own case rules, over the whole text: every alphabet counts.
  return a.size() == b.size() && platform::CompareTextIgnoreCase(a, b) == 0;
}

TInstanceSearch::TInstanceSearch(std::string caption, std::string applicationClass,
                                 std::vector<std::string> formClasses, Queries queries)
    : caption_(std::move(caption)),
      applicationClass_(std::move(applicationClass)),
      formClasses_(std::move(formClasses)),
      queries_(std::move(queries)) {
  classNameLength_ = CodePoints(applicationClass_).size();
  for (const auto& name : formClasses_) classNameLength_ = std::max(classNameLength_, CodePoints(name).size());
}

void TInstanceSearch::Visit(Window window, const std::string& className) {
  std::string name = FirstCharacters(className, classNameLength_);
  if (MatchesName(name, applicationClass_)) {
    // The whole caption must be the sought title: a program of another folder
    // whose title merely begins with it is not the one sought.
    std::string caption = queries_.Caption(window);
    if (!caption.empty() && MatchesName(caption, caption_)) foundThread_ = queries_.ThreadId(window);
    return;
  }
  for (const auto& formClass : formClasses_) {
    if (MatchesName(name, formClass)) {
      candidates_.push_back(window);
      return;
    }
  }
}

TInstanceSearch::Window TInstanceSearch::Result() const {
  if (foundThread_ == 0) return 0;
  for (Window candidate : candidates_) {
    if (queries_.ThreadId(candidate) == foundThread_) return candidate;
  }
  return 0;
}

}  // namespace vk
