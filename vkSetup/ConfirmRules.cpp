#include "vkSetup/ConfirmRules.h"

namespace vk::setup {

bool TConfirmGroup::ConfirmReplace(bool fileExists, const std::function<int()>& ask) {
  if (!fileExists || mode_ == TGroupMode::YesToAll) return true;
  if (mode_ == TGroupMode::NoToAll) return false;
  switch (ask()) {
    case mrConfirmYes: return true;
    case mrConfirmYesToAll: mode_ = TGroupMode::YesToAll; return true;
    case mrConfirmNoToAll: mode_ = TGroupMode::NoToAll; return false;
    default: return false;
  }
}

}  // namespace vk::setup
