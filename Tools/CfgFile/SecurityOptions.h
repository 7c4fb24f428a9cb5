#pragma once
// The store of the password value: the INI file, mirrored in the program's
// uninstall key of the registry.

#include <cstdint>
#include <memory>
#include <string>

#include "Tools/CfgFile/CfgParams.h"

namespace vk {

class TSecurityOptions : public TRegOptions {
 public:
  TSecurityOptions(const std::string& fileName, const std::string& regKeyName, TOptionsEnvironment environment = {});
  ~TSecurityOptions() override;

  // "Security"/"Password": a string hash or the no-password marker.
  uint32_t GetPassword();
  // Writes at every call, changed or not: the INI file, then the registry.
  void SetPassword(uint32_t value);

 private:
  std::unique_ptr<TRegCardinalParam> FPassword;
};

}  // namespace vk
