#include "vkNames/MessageBoxCall.h"

#include <utility>

#include "Core/SysUtils.h"

namespace vk {

namespace {

TMessageBoxCall& CurrentBox() {
  static TMessageBoxCall box;
  return box;
}

}  // namespace

TMessageBoxCall SetProgramMessageBox(TMessageBoxCall call) { return std::exchange(CurrentBox(), std::move(call)); }

int ProgramMessageBox(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
                      const std::string& firstHint, const std::string& secondCaption, const std::string& secondHint) {
  const TMessageBoxCall& box = CurrentBox();
  if (!box) throw Exception(text);
  return box(text, caption, flags, firstCaption, firstHint, secondCaption, secondHint);
}

}  // namespace vk
