#pragma once
// The start-up password prompt: shown modally only while a password is set.
// Windows only.

namespace vk {

// True when a password is set and the prompt did not end with the right one
// (Esc, the close box, or the program asked to end meanwhile).
bool StartupPasswordRejected();

}  // namespace vk
