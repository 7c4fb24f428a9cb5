#pragma once
// The user's password, kept in the settings ("Security"/"Password") only as
// its string hash, or as the no-password marker when none is set. A stored 0
// (no value anywhere) is neither: such an installation has a password that
// cannot be entered, which is why the setup program stores the marker.
//
// Passwords arrive as UTF-8 and are hashed over their bytes in the system's
// ANSI code page, as the stored hashes always were (see Hash.h). A new
// password must survive that code page; stored ones are checked as ever.

#include <cstdint>
#include <memory>
#include <string>

#include "Tools/CfgFile/SecurityOptions.h"

namespace vk {

inline constexpr uint32_t kNoPasswordMarker = 0x3C71A5E4;

class TPass {
 public:
  // options: not owned, must outlive the object (asserted assigned).
  // ansiCodePage: the code page passwords are hashed in; 0 means the
  // system's ANSI code page.
  explicit TPass(TSecurityOptions* options, uint32_t ansiCodePage = 0);

  // True when the text is the password; the empty text is the password
  // exactly when none is set. A text with letters the code page lacks is
  // never the password. Raises ERangeError for a text of more than 65535
  // bytes in the code page.
  bool Check(const std::string& password);

  // Stores the text's hash, or the marker for the empty text (no password
  // from then on). True when the new password is in force and the settings
  // file holds it. False, changing nothing, for a text with letters the code
  // page lacks, and when the file could not be written: the old password
  // then stays in force, in memory as on disk, so the user is never told a
  // password is saved that the next start will not know. Same ERangeError
  // as Check, before anything changes.
  bool SetPassword(const std::string& password);

  // True when no password is set.
  bool IsEmpty();

 private:
  uint32_t StoredValueOf(const std::string& password) const;
  bool WriteToFile(uint32_t value);

  TSecurityOptions* options_;
  uint32_t ansiCodePage_;
};

// The program's one password object; raises EAssertionFailed before
// CreateProgPass and after FreeProgPass.
TPass& ProgPass();
// Start-up, after the settings: the password object over ProgOptions().
void CreateProgPass();
// Start-up with a given object (tools and tests).
void CreateProgPass(std::unique_ptr<TPass> pass);
void FreeProgPass();

}  // namespace vk
