#include "Tools/Security/Password.h"

#include "Core/SysUtils.h"
#include "Platform/CodePage.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Hash.h"
#include "Tools/Service/RegionInfo.h"

namespace vk {
namespace {

constexpr const char* kUnit = "Tools\\Security\\Password";
constexpr char kSection[] = "Security";
constexpr char kKey[] = "Password";

std::unique_ptr<TPass>& Instance() {
  static std::unique_ptr<TPass> instance;
  return instance;
}

}  // namespace

TPass::TPass(TSecurityOptions* options, uint32_t ansiCodePage)
    : options_(options), ansiCodePage_(ansiCodePage ? ansiCodePage : platform::AnsiCodePage()) {
  Assert(options != nullptr, "Not assigned TProgOptions-parameter for create TPass-object", kUnit);
}

uint32_t TPass::StoredValueOf(const std::string& password) const {
  return password.empty() ? kNoPasswordMarker : HashText(password, ansiCodePage_);
}

bool TPass::Check(const std::string& password) {
  const uint32_t value = StoredValueOf(password);
  // Letters the code page lacks are hashed as "?": "pЖss" would pass for "p?ss".
  return SurvivesCodePage(password, ansiCodePage_) && value == options_->GetPassword();
}

bool TPass::IsEmpty() { return options_->GetPassword() == kNoPasswordMarker; }

// The settings swallow a failed write and only empty the value in memory,
// while their in-memory file goes on answering with the new value for the
// rest of the run. So the value is written first through a plain parameter
// of the same key (INI file only), whose emptiness afterwards tells whether
// the file took it; the registry mirror follows only through the settings'
// own parameter.
bool TPass::WriteToFile(uint32_t value) {
  TCardinalParam probe(options_, kSection, kKey);
  probe.SetValue(value);
  // A hash of 0 reads as empty either way; its write is taken as done.
  return !probe.IsEmpty() || value == 0;
}

bool TPass::SetPassword(const std::string& password) {
  uint32_t value = StoredValueOf(password);
  // Letters the code page lacks would be hashed as "?": any other letters
  // in their places would then pass too.
  if (!SurvivesCodePage(password, ansiCodePage_)) return false;
  auto lock = options_->Lock();
  uint32_t old = options_->GetPassword();
  if (!WriteToFile(value)) {
    // The file still holds the old value; put it back in memory too.
    options_->SetPassword(old);
    return false;
  }
  options_->SetPassword(value);
  return options_->GetPassword() == value;
}

TPass& ProgPass() {
  Assert(Instance() != nullptr, "Not created ProgPass", kUnit);
  return *Instance();
}

void CreateProgPass() { CreateProgPass(std::make_unique<TPass>(&ProgOptions())); }

void CreateProgPass(std::unique_ptr<TPass> pass) { Instance() = std::move(pass); }

void FreeProgPass() { Instance().reset(); }

}  // namespace vk
