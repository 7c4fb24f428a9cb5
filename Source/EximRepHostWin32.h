#pragma once
// The program's host of the exports and the import: the system's file
// dialogs, the shell, the program's message box and the settings. Windows
// only.

#include "Source/EximRepHost.h"

namespace vk {

class TExImHostWin32 : public TExImHost {
 public:
  bool PromptForFileName(std::string& fileName, const std::string& filter, const std::string& defaultExt,
                         const std::string& title, const std::string& initialDir, bool saveDialog) override;
  void StartProgram(const std::string& program, const std::string& file) override;
  int MessageTextWidth(const std::string& text) override;
  int MessageTextAreaWidth() override;
  int MessageTextAreaLines() override;
  std::uint32_t StoredLanguage() override;
  std::uint32_t SystemAnsiCodePage() override;
};

}  // namespace vk
