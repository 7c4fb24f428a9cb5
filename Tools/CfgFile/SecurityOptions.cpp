#include "Tools/CfgFile/SecurityOptions.h"

namespace vk {

TSecurityOptions::TSecurityOptions(const std::string& fileName, const std::string& regKeyName,
                                   TOptionsEnvironment environment)
    : TRegOptions(fileName, regKeyName, std::move(environment)),
      FPassword(std::make_unique<TRegCardinalParam>(this, "Security", "Password")) {}

TSecurityOptions::~TSecurityOptions() = default;

uint32_t TSecurityOptions::GetPassword() { return FPassword->GetValue(); }

void TSecurityOptions::SetPassword(uint32_t value) { FPassword->SetValue(value); }

}  // namespace vk
