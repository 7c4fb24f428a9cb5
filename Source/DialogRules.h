#pragma once
// The small dialogs' decisions, apart from their windows: which message
// tells the password prompt that the keyboard layout changed, and the order
// of the checks of a change of password.

#include <cstdint>
#include <string>

namespace vk {

class TPass;

// The password prompt's own note to itself after it was activated.
inline constexpr unsigned kShowLayoutMessage = 1787;
// The modal result of the password prompt ended with Esc.
inline constexpr int kPasswordEscResult = 333;

// True for the message by which the system announces a change of the
// keyboard layout on that Windows version class: WM_INPUTLANGCHANGEREQUEST
// (2000, XP, Vista), 0xC03E with wParam 18 (7), and from 8 on the prompt's
// own kShowLayoutMessage or any registered message (0xC000 and above).
bool IsLayoutChangeMessage(unsigned message, std::uintptr_t wParam, std::uint8_t versionClass);

// The ISO 639 name a layout indicator shows: at most two letters, upper case.
std::string LayoutIndicatorText(const std::string& isoName);

enum class TPassChangeResult { Changed, IncorrectOld, Mismatch, NotSaved };

// In this order: the old password must be the password; the new one and its
// confirmation must be equal (case counts); then the new one is stored (the
// empty text removes the password). Nothing changes unless the result is
// Changed.
TPassChangeResult ChangePassword(TPass& pass, const std::string& oldPassword, const std::string& newPassword,
                                 const std::string& confirmation);

}  // namespace vk
