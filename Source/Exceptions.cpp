#include "Source/Exceptions.h"

#include <cstdio>

#include "Core/SysUtils.h"
#include "Source/AppSelectRules.h"
#include "Tools/Service/EngText.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {

std::string ExceptionClassName(const std::exception& error) {
  if (auto* own = dynamic_cast<const Exception*>(&error)) return own->ClassName();
  return "Exception";
}

std::string ExceptionBoxText(const std::string& message, const std::string& className, std::uintptr_t address) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(address & 0xFFFFFFFFu));
  return message + "\r\n" + className + " :" + hex;
}

std::string ExceptionBoxCaption() {
  const std::string& caption = ProgTexts.ExecutionErrorCaption.empty()
                                   ? EnglishLanguageTexts().Texts.ExecutionErrorCaption
                                   : ProgTexts.ExecutionErrorCaption;
  return kProgramTitlePrefix + caption;
}

void TExceptHandler::AppException(const std::exception& error) const {
  showBox_(ExceptionBoxText(error.what(), ExceptionClassName(error), reinterpret_cast<std::uintptr_t>(&error)),
           ExceptionBoxCaption(), kMbIconError);
}

}  // namespace vk
