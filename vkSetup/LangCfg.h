#pragma once
// The four settings the setup program writes into the installed program's
// vorkel.cfg, in the forms the main program reads them: the update check's
// date and newest version (emptied, so the program checks at its next
// start), the interface language and the keyboard mode.

#include <cstdint>
#include <memory>
#include <string>

#include "Tools/CfgFile/CfgParams.h"

namespace vk::setup {

class TLangOptions : public TCfgOptions {
 public:
  explicit TLangOptions(const std::string& fileName, TOptionsEnvironment environment = {});
  ~TLangOptions() override;

  // The two texts compare and store their trimmed form.
  void SetTestDate(const std::string& text);
  void SetLastVersion(const std::string& text);
  // Stores the language's code; ERangeError above 2.
  void SetProgLang(uint32_t language);
  // Stores 1 for a full keyboard, 0 for laptop mode.
  void SetKeyboardEnhanced(bool enhanced);

  // The stored language code, trimmed (empty when absent).
  std::string GetProgLangCode();

 private:
  std::unique_ptr<TStringParam> FTestDate;
  std::unique_ptr<TStringParam> FLastVersion;
  std::unique_ptr<TStringParam> FProgLang;
  std::unique_ptr<TCardinalParam> FKeyboardEnhanced;
};

// Writes the four settings into the file at path (other keys stay).
void WriteLangConfig(const std::string& path, uint32_t language, bool enhanced, TOptionsEnvironment environment = {});

// Whether the file on the disk now holds the no-password marker and the
// language's code: read anew, so a write that did not reach the disk shows.
bool LangConfigWritten(const std::string& path, uint32_t language, TOptionsEnvironment environment = {});

}  // namespace vk::setup
