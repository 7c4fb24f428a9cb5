#pragma once
// The application-wide handler of the exceptions that reach the message loop:
// their text, class name and address in the program's error box. Nothing else
// happens; the program goes on.

#include <cstdint>
#include <exception>
#include <string>

#include "Source/StoreDataOpen.h"

namespace vk {

// The class name an exception shows: the program's own name for its
// exceptions, "Exception" for any other.
std::string ExceptionClassName(const std::exception& error);
// The message, a line break, the class name, " :" and the address in eight
// upper-case hexadecimal digits.
std::string ExceptionBoxText(const std::string& message, const std::string& className, std::uintptr_t address);
// "Vorkel - " and "Execution error" in the current language (in English while
// no language is loaded, so an error early in start-up still has a caption).
std::string ExceptionBoxCaption();

class TExceptHandler {
 public:
  explicit TExceptHandler(TShowBox showBox) : showBox_(std::move(showBox)) {}

  // The box for the exception; its address is that of the exception object,
  // which tells one report from another.
  void AppException(const std::exception& error) const;

 private:
  TShowBox showBox_;
};

}  // namespace vk
