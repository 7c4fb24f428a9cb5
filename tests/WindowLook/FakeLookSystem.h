#pragma once
// A system with fixed answers for the band colour rules; it counts what it
// was asked and can be made to fail.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "Tools/Service/GlassGradienterColors.h"

namespace vk::test {

class FakeLookSystem : public TLookSystem {
 public:
  std::map<int, uint32_t> SysColors{{kColorActiveCaption, 0x996633},
                                    {kColorInactiveCaption, 0x808080},
                                    {kColorGradientActiveCaption, 0xEECCAA},
                                    {kColorGradientInactiveCaption, 0xC0C0C0},
                                    {kColorWindow, 0xFFFFFF}};
  bool Gradient = true;
  bool Themes = false;
  std::map<std::string, uint32_t> User;
  std::map<std::string, uint32_t> Machine;
  TColorization Record;
  bool ColorizationFails = false;
  bool RegistryFails = false;
  std::vector<uint32_t> ActiveColumn;
  std::vector<uint32_t> InactiveColumn;
  std::vector<std::string> MachineAsked;

  uint32_t SysColor(int index) override { return SysColors.at(index); }
  bool GradientCaptions() override { return Gradient; }
  bool ThemesActive() override { return Themes; }
  std::optional<uint32_t> UserDwmValue(const std::string& name) override { return Find(User, name); }
  std::optional<uint32_t> MachineDwmValue(const std::string& name) override {
    MachineAsked.push_back(name);
    return Find(Machine, name);
  }
  TColorization Colorization() override {
    if (ColorizationFails) throw std::runtime_error("no colorization");
    return Record;
  }
  std::vector<uint32_t> CaptionColumn(bool active) override { return active ? ActiveColumn : InactiveColumn; }

 private:
  std::optional<uint32_t> Find(const std::map<std::string, uint32_t>& values, const std::string& name) {
    if (RegistryFails) throw std::runtime_error("registry");
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
};

}  // namespace vk::test
