#include "Source/EximRepHostWin32.h"

#include "Gui/Dialogs.h"
#include "Platform/Shell.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/RegionInfo.h"
#include "vkNames/MessageBoxForm.h"

namespace vk {

bool TExImHostWin32::PromptForFileName(std::string& fileName, const std::string& filter, const std::string& defaultExt,
                                       const std::string& title, const std::string& initialDir, bool saveDialog) {
  return gui::PromptForFileName(fileName, filter, defaultExt, title, initialDir, saveDialog);
}

void TExImHostWin32::StartProgram(const std::string& program, const std::string& file) {
  platform::ShellOpenWith(program, file);
}

int TExImHostWin32::MessageTextWidth(const std::string& text) { return vk::MessageTextWidth(text); }

int TExImHostWin32::MessageTextAreaWidth() { return vk::MessageTextAreaWidth(); }

int TExImHostWin32::MessageTextAreaLines() { return vk::MessageTextAreaLines(); }

std::uint32_t TExImHostWin32::StoredLanguage() { return ProgOptions().GetProgLang(); }

std::uint32_t TExImHostWin32::SystemAnsiCodePage() { return vk::SystemAnsiCodePage(); }

}  // namespace vk
