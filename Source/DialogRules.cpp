#include "Source/DialogRules.h"

#include <cctype>

#include "Tools/Security/Password.h"

namespace vk {
namespace {

constexpr unsigned kInputLangChangeRequest = 0x0050;  // WM_INPUTLANGCHANGEREQUEST
constexpr unsigned kWin7LayoutMessage = 0xC03E;
constexpr std::uintptr_t kWin7LayoutWParam = 18;
constexpr unsigned kFirstRegisteredMessage = 0xC000;

}  // namespace

bool IsLayoutChangeMessage(unsigned message, std::uintptr_t wParam, std::uint8_t versionClass) {
  if (versionClass <= 2) return message == kInputLangChangeRequest;
  if (versionClass == 3) return message == kWin7LayoutMessage && wParam == kWin7LayoutWParam;
  return message == kShowLayoutMessage || message >= kFirstRegisteredMessage;
}

std::string LayoutIndicatorText(const std::string& isoName) {
  std::string text = isoName.substr(0, 2);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

TPassChangeResult ChangePassword(TPass& pass, const std::string& oldPassword, const std::string& newPassword,
                                 const std::string& confirmation) {
  if (!pass.Check(oldPassword)) return TPassChangeResult::IncorrectOld;
  if (newPassword != confirmation) return TPassChangeResult::Mismatch;
  return pass.SetPassword(newPassword) ? TPassChangeResult::Changed : TPassChangeResult::NotSaved;
}

}  // namespace vk
