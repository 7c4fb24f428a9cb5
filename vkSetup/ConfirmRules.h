#pragma once
// The answers to "replace the existing file?" within one install: asked per
// file until the user answers for all of them.

#include <functional>
#include <string>

namespace vk::setup {

// The replacement dialog's modal results.
inline constexpr int mrConfirmYes = 6;
inline constexpr int mrConfirmNo = 7;
inline constexpr int mrConfirmNoToAll = 9;
inline constexpr int mrConfirmYesToAll = 10;

enum class TGroupMode { Ask, YesToAll, NoToAll };

class TConfirmGroup {
 public:
  void ResetGroupMode() { mode_ = TGroupMode::Ask; }
  TGroupMode GroupMode() const { return mode_; }

  // True when the file may be written: a file that does not exist always
  // may; otherwise an answer for all decides, or ask is called and its
  // answer taken (a dialog closed otherwise keeps the file).
  bool ConfirmReplace(bool fileExists, const std::function<int()>& ask);

 private:
  TGroupMode mode_ = TGroupMode::Ask;
};

}  // namespace vk::setup
