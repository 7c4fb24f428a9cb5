#include "Source/AppSelectRules.h"

#include <algorithm>

#include "Core/Utf8.h"
#include "Platform/Locale.h"

namespace vk {

std::string MakeProgramTitle(const std::string& programFolder) {
  std::string folder = programFolder;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return kProgramTitlePrefix + folder;
}

bool MatchesName(const std::string& buffer, const std::string& name) {
  const std::u16string a = Utf8ToUtf16(buffer);
  const std::u16string b = Utf8ToUtf16(name);
  // The system's own case rules, over the whole text: every alphabet counts.
  return a.size() == b.size() && platform::CompareTextIgnoreCase(a, b) == 0;
}

TInstanceSearch::TInstanceSearch(std::string caption, std::string applicationClass,
                                 std::vector<std::string> formClasses, Queries queries)
    : caption_(std::move(caption)),
      applicationClass_(std::move(applicationClass)),
      formClasses_(std::move(formClasses)),
      queries_(std::move(queries)) {
  classNameLength_ = static_cast<size_t>(Utf8Length(applicationClass_));
  for (const auto& name : formClasses_) {
    classNameLength_ = std::max(classNameLength_, static_cast<size_t>(Utf8Length(name)));
  }
}

void TInstanceSearch::Visit(Window window, const std::string& className) {
  std::string name = className.substr(0, Utf8PrefixBytes(className, static_cast<int32_t>(classNameLength_)));
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
