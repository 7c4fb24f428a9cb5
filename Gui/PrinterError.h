#pragma once
// The printer's errors as the window class library raises them. Portable, so
// that code without windows (the report framework) can recognise them.

#include "Core/SysUtils.h"

namespace vk::gui {

// The text of the error raised when a job needs the default printer and the
// system has none; callers show their own text for it.
inline constexpr const char* kNoDefaultPrinterText = "There is no default printer currently selected";

// A printer that cannot be found, opened or made to print.
class EPrinter : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EPrinter"; }
};

}  // namespace vk::gui
