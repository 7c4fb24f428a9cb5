#pragma once
// Decisions of the wizard window apart from the window.

#include <string>
#include <vector>

#include "vkSetup/SetupText.h"

namespace vk::setup {

// The summary page's lines: the language, the folder and the two shortcut
// options with their answers, then an empty line.
std::vector<std::string> SummaryLines(const TSetupText& texts, const std::string& languageItem,
                                      const std::string& folder, bool menuGroup, bool desktopLink);

// Back and Next: from Windows 11 on they stay visible and are enabled or
// disabled; before it they are shown or hidden.
bool ButtonsToggleByEnabling(int windowsVersionClass);

}  // namespace vk::setup
