#pragma once
// The program's exception classes. Every failure is an exception carrying a
// UTF-8 text and the name of its class, shown as such by the application's
// handler. There are no error codes.

#include <stdexcept>
#include <string>

namespace vk {

// The general exception class: most refusals of the table engine and the
// store raise it with a fixed text.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  // The class name shown beside the text in the error box.
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

// Checked integer arithmetic overflowed.
class EIntOverflow : public Exception {
 public:
  EIntOverflow() : Exception("Integer overflow") {}
  const char* ClassName() const noexcept override { return "EIntOverflow"; }
};

// An index outside the valid range.
class ERangeError : public Exception {
 public:
  ERangeError() : Exception("Range check error") {}
  const char* ClassName() const noexcept override { return "ERangeError"; }
};

// A programming error: the text names the source unit, e.g.
// "Tools\LocalDbCtrls\DataGrid". Ordinary input never reaches one.
class EAssertionFailed : public Exception {
 public:
  EAssertionFailed(const std::string& text, const std::string& unit) : Exception(text + " (" + unit + ")") {}
  const char* ClassName() const noexcept override { return "EAssertionFailed"; }
};

// An operating-system call failed; the text names the call and the path.
class EOSError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EOSError"; }
};

// Runs a clean-up or roll-back step whose own failure must not hide the
// failure being handled, nor escape a destructor.
template <typename F>
void BestEffort(F&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

// Raises EAssertionFailed with the text when the condition does not hold.
inline void Assert(bool condition, const char* text, const char* unit) {
  if (!condition) throw EAssertionFailed(text, unit);
}

}  // namespace vk
