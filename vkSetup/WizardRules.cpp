#include "vkSetup/WizardRules.h"

#include "Tools/Service/WindowsVersion.h"

namespace vk::setup {

std::vector<std::string> SummaryLines(const TSetupText& texts, const std::string& languageItem,
                                      const std::string& folder, bool menuGroup, bool desktopLink) {
  const std::string indent = "    ";
  return {texts.SummaryLanguage,
          indent + languageItem,
          texts.SummaryFolder,
          indent + "\"" + folder + "\"",
          texts.MenuOption,
          indent + texts.NoYes[menuGroup ? 1 : 0],
          texts.DesktopOption,
          indent + texts.NoYes[desktopLink ? 1 : 0],
          ""};
}

bool ButtonsToggleByEnabling(int windowsVersionClass) { return windowsVersionClass >= kWin11; }

}  // namespace vk::setup
