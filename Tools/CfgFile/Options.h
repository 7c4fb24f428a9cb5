#pragma once
// All settings of the main program: the global ProgOptions over vorkel.cfg in
// the program's folder, with the uninstall key as the password's mirror.
//
// Getters apply the defaults and ranges of each setting; setters write only
// when the stored value differs, so an unchanged setting causes no file
// write (the password excepted, see TSecurityOptions).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Core/DateTime.h"
#include "Tools/CfgFile/SecurityOptions.h"

namespace vk {

inline constexpr char kCfgFileName[] = "vorkel.cfg";
inline constexpr char kUninstallKeyName[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";
// The stored codes of the languages 0 Russian, 1 Ukrainian, 2 English.
inline constexpr const char* LangCodes[3] = {"RUS", "UKR", "ENG"};

// The region facts the data code page falls back on.
struct TProgRegion {
  uint32_t SystemAnsiCodePage = 0;
  uint32_t LocaleAnsiCodePage = 0;
  std::function<bool(uint32_t)> IsValidCodePage;  // IsValidCodePageSafe
};
TProgRegion SystemProgRegion();

class TProgOptions : public TSecurityOptions {
 public:
  TProgOptions(const std::string& fileName, const std::string& regKeyName, TOptionsEnvironment environment = {},
               TProgRegion region = SystemProgRegion());
  ~TProgOptions() override;

  // Date of the last completed version check (a packed date; absent: 0).
  TDateTime GetTestDate();
  void SetTestDate(TDateTime date);
  // Newest version text reported by the version check, trimmed.
  std::string GetLastVersion();
  void SetLastVersion(const std::string& version);

  uint32_t GetMainFormLeft();
  void SetMainFormLeft(uint32_t value);
  uint32_t GetMainFormTop();
  void SetMainFormTop(uint32_t value);
  uint32_t GetMainFormWidth();
  void SetMainFormWidth(uint32_t value);
  uint32_t GetMainFormHeight();
  void SetMainFormHeight(uint32_t value);

  // Column widths: the stored value when it is at least 11 as a signed
  // number, the column's default otherwise.
  uint32_t GetStoreCodeWidth();
  void SetStoreCodeWidth(uint32_t value);
  uint32_t GetStoreNameWidth();
  void SetStoreNameWidth(uint32_t value);
  uint32_t GetStoreDateWidth();
  void SetStoreDateWidth(uint32_t value);
  uint32_t GetStoreCountPWidth();
  void SetStoreCountPWidth(uint32_t value);
  uint32_t GetStoreWeightWidth();
  void SetStoreWeightWidth(uint32_t value);
  uint32_t GetStoreCostWidth();
  void SetStoreCostWidth(uint32_t value);
  uint32_t GetStoreSumWidth();
  void SetStoreSumWidth(uint32_t value);
  // 0: unsorted.
  uint32_t GetStoreSortedColumn();
  void SetStoreSortedColumn(uint32_t value);
  uint32_t GetMovesDateWidth();
  void SetMovesDateWidth(uint32_t value);
  uint32_t GetMovesMoveWidth();
  void SetMovesMoveWidth(uint32_t value);
  uint32_t GetMovesWeightWidth();
  void SetMovesWeightWidth(uint32_t value);
  uint32_t GetMovesCountPWidth();
  void SetMovesCountPWidth(uint32_t value);
  uint32_t GetMovesSumWidth();
  void SetMovesSumWidth(uint32_t value);

  // The folder of the last backup or restore, trimmed.
  std::string GetLastCopy();
  void SetLastCopy(const std::string& folder);

  // 0 Russian, 1 Ukrainian, 2 English (and anything unknown).
  uint32_t GetProgLang();
  // Raises ERangeError for an index above 2.
  void SetProgLang(uint32_t index);
  // The code page of the stored goods texts.
  uint32_t GetBaseCodePage();

  // True: a full keyboard; false: laptop mode.
  bool GetKeyboardEnhanced();
  void SetKeyboardEnhanced(bool enhanced);
  bool GetAutogenEnabled();
  void SetAutogenEnabled(bool enabled);
  // The stored value negated as a signed 32-bit number; 80000000, which has
  // no negation, reads as 0.
  int32_t GetAutogenDelta();
  // Digits of a generated code: 1 to 8, 0 giving 4.
  uint32_t GetAutogenNuls();

 private:
  TProgRegion region_;
  std::unique_ptr<TCardinalParam> FTestDate;
  std::unique_ptr<TStringParam> FLastVersion;
  std::unique_ptr<TCardinalParam> FMainFormLeft, FMainFormTop, FMainFormWidth, FMainFormHeight;
  std::unique_ptr<TCardinalParam> FStoreCodeWidth, FStoreNameWidth, FStoreDateWidth, FStoreCountPWidth,
      FStoreWeightWidth, FStoreCostWidth, FStoreSumWidth, FStoreSortedColumn;
  std::unique_ptr<TCardinalParam> FMovesDateWidth, FMovesMoveWidth, FMovesWeightWidth, FMovesCountPWidth,
      FMovesSumWidth;
  std::unique_ptr<TStringParam> FLastCopy, FProgLang;
  std::unique_ptr<TCardinalParam> FBaseCodePage, FKeyboardEnhanced, FAutogenEnabled, FAutogenDelta, FAutogenNuls;
};

// The program's one settings object; raises EAssertionFailed before
// CreateProgOptions and after FreeProgOptions.
TProgOptions& ProgOptions();
// Start-up: the settings over <program folder>vorkel.cfg and the uninstall
// key. A file that cannot be opened raises "Error while open " and its name.
void CreateProgOptions();
// Start-up with a given object (tools and tests).
void CreateProgOptions(std::unique_ptr<TProgOptions> options);
void FreeProgOptions();

}  // namespace vk
