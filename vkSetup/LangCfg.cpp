#include "vkSetup/LangCfg.h"

#include "Core/SysUtils.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"

namespace vk::setup {

TLangOptions::TLangOptions(const std::string& fileName, TOptionsEnvironment environment)
    : TCfgOptions(fileName, std::move(environment)),
      FTestDate(std::make_unique<TStringParam>(this, "Updates", "TestDate")),
      FLastVersion(std::make_unique<TStringParam>(this, "Updates", "LastVersion")),
      FProgLang(std::make_unique<TStringParam>(this, "Language", "ProgLang")),
      FKeyboardEnhanced(std::make_unique<TCardinalParam>(this, "Keyboard", "Enhanced")) {}

TLangOptions::~TLangOptions() = default;

void TLangOptions::SetTestDate(const std::string& text) { SetIfChanged(*FTestDate, TrimSettingText(text)); }

void TLangOptions::SetLastVersion(const std::string& text) { SetIfChanged(*FLastVersion, TrimSettingText(text)); }

void TLangOptions::SetProgLang(uint32_t language) {
  if (language > 2) throw ERangeError();
  SetIfChanged(*FProgLang, LangCodes[language]);
}

void TLangOptions::SetKeyboardEnhanced(bool enhanced) { SetIfChanged(*FKeyboardEnhanced, enhanced ? 1 : 0); }

std::string TLangOptions::GetProgLangCode() { return TrimSettingText(FProgLang->GetValue()); }

void WriteLangConfig(const std::string& path, uint32_t language, bool enhanced, TOptionsEnvironment environment) {
  TLangOptions options(path, std::move(environment));
  options.SetTestDate("");
  options.SetLastVersion("");
  options.SetProgLang(language);
  options.SetKeyboardEnhanced(enhanced);
}

bool LangConfigWritten(const std::string& path, uint32_t language, TOptionsEnvironment environment) {
  if (language > 2) throw ERangeError();
  TLangOptions options(path, std::move(environment));
  // The INI file alone: the registry mirror must not stand in for the file.
  TCardinalParam password(&options, "Security", "Password");
  return password.GetValue() == kNoPasswordMarker && options.GetProgLangCode() == LangCodes[language];
}

}  // namespace vk::setup
