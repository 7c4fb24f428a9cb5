#include "Tools/CfgFile/Options.h"

#include "Platform/ProgramFolder.h"
#include "Tools/Service/CardinalDate.h"
#include "Tools/Service/RegionInfo.h"

namespace vk {
namespace {

constexpr const char* kUnit = "Tools\\CfgFile\\Options";
constexpr uint32_t kMinColumnWidth = 11;
// Wider than any screen shows: a column of such a width is a damaged setting.
constexpr uint32_t kMaxColumnWidth = 16384;
constexpr uint32_t kDefaultNuls = 4, kMaxNuls = 8;

std::unique_ptr<TProgOptions>& Instance() {
  static std::unique_ptr<TProgOptions> instance;
  return instance;
}

uint32_t Width(TCardinalParam& param, uint32_t defaultWidth) {
  uint32_t stored = param.GetValue();
  const bool usable =
      static_cast<int32_t>(stored) >= static_cast<int32_t>(kMinColumnWidth) && stored <= kMaxColumnWidth;
  return usable ? stored : defaultWidth;
}

}  // namespace

TProgRegion SystemProgRegion() {
  return {SystemAnsiCodePage(), LocaleAnsiCodePage(), [](uint32_t cp) { return IsValidCodePageSafe(cp); }};
}

TProgOptions::TProgOptions(const std::string& fileName, const std::string& regKeyName, TOptionsEnvironment environment,
                           TProgRegion region)
    : TSecurityOptions(fileName, regKeyName, std::move(environment)), region_(std::move(region)) {
  auto cardinal = [this](const char* section, const char* key) {
    return std::make_unique<TCardinalParam>(this, section, key);
  };
  auto text = [this](const char* section, const char* key) {
    return std::make_unique<TStringParam>(this, section, key);
  };
  FTestDate = cardinal("Updates", "TestDate");
  FLastVersion = text("Updates", "LastVersion");
  FMainFormLeft = cardinal("MainForm", "Left");
  FMainFormTop = cardinal("MainForm", "Top");
  FMainFormWidth = cardinal("MainForm", "Width");
  FMainFormHeight = cardinal("MainForm", "Height");
  FStoreCodeWidth = cardinal("GridStore", "CodeWidth");
  FStoreNameWidth = cardinal("GridStore", "NameWidth");
  FStoreDateWidth = cardinal("GridStore", "DateWidth");
  FStoreCountPWidth = cardinal("GridStore", "CountPWidth");
  FStoreWeightWidth = cardinal("GridStore", "WeightWidth");
  FStoreCostWidth = cardinal("GridStore", "CostWidth");
  FStoreSumWidth = cardinal("GridStore", "SumWidth");
  FStoreSortedColumn = cardinal("GridStore", "SortedColumn");
  FMovesDateWidth = cardinal("GridMoves", "DateWidth");
  FMovesMoveWidth = cardinal("GridMoves", "MoveWidth");
  FMovesWeightWidth = cardinal("GridMoves", "WeightWidth");
  FMovesCountPWidth = cardinal("GridMoves", "CountPWidth");
  FMovesSumWidth = cardinal("GridMoves", "SumWidth");
  FLastCopy = text("Paths", "LastCopy");
  FProgLang = text("Language", "ProgLang");
  FBaseCodePage = cardinal("Language", "BaseCodePage");
  FKeyboardEnhanced = cardinal("Keyboard", "Enhanced");
  FAutogenEnabled = cardinal("Autogen", "Enabled");
  FAutogenDelta = cardinal("Autogen", "Delta");
  FAutogenNuls = cardinal("Autogen", "Nuls");
}

TProgOptions::~TProgOptions() = default;

TDateTime TProgOptions::GetTestDate() { return CardinalToDate(FTestDate->GetValue()); }
void TProgOptions::SetTestDate(TDateTime date) { SetIfChanged(*FTestDate, DateToCardinal(date)); }

std::string TProgOptions::GetLastVersion() { return TrimSettingText(FLastVersion->GetValue()); }
void TProgOptions::SetLastVersion(const std::string& version) { SetIfChanged(*FLastVersion, TrimSettingText(version)); }

uint32_t TProgOptions::GetMainFormLeft() { return FMainFormLeft->GetValue(); }
void TProgOptions::SetMainFormLeft(uint32_t value) { SetIfChanged(*FMainFormLeft, value); }
uint32_t TProgOptions::GetMainFormTop() { return FMainFormTop->GetValue(); }
void TProgOptions::SetMainFormTop(uint32_t value) { SetIfChanged(*FMainFormTop, value); }
uint32_t TProgOptions::GetMainFormWidth() { return FMainFormWidth->GetValue(); }
void TProgOptions::SetMainFormWidth(uint32_t value) { SetIfChanged(*FMainFormWidth, value); }
uint32_t TProgOptions::GetMainFormHeight() { return FMainFormHeight->GetValue(); }
void TProgOptions::SetMainFormHeight(uint32_t value) { SetIfChanged(*FMainFormHeight, value); }

uint32_t TProgOptions::GetStoreCodeWidth() { return Width(*FStoreCodeWidth, 55); }
void TProgOptions::SetStoreCodeWidth(uint32_t value) { SetIfChanged(*FStoreCodeWidth, value); }
uint32_t TProgOptions::GetStoreNameWidth() { return Width(*FStoreNameWidth, 145); }
void TProgOptions::SetStoreNameWidth(uint32_t value) { SetIfChanged(*FStoreNameWidth, value); }
uint32_t TProgOptions::GetStoreDateWidth() { return Width(*FStoreDateWidth, 70); }
void TProgOptions::SetStoreDateWidth(uint32_t value) { SetIfChanged(*FStoreDateWidth, value); }
uint32_t TProgOptions::GetStoreCountPWidth() { return Width(*FStoreCountPWidth, 45); }
void TProgOptions::SetStoreCountPWidth(uint32_t value) { SetIfChanged(*FStoreCountPWidth, value); }
uint32_t TProgOptions::GetStoreWeightWidth() { return Width(*FStoreWeightWidth, 60); }
void TProgOptions::SetStoreWeightWidth(uint32_t value) { SetIfChanged(*FStoreWeightWidth, value); }
uint32_t TProgOptions::GetStoreCostWidth() { return Width(*FStoreCostWidth, 60); }
void TProgOptions::SetStoreCostWidth(uint32_t value) { SetIfChanged(*FStoreCostWidth, value); }
uint32_t TProgOptions::GetStoreSumWidth() { return Width(*FStoreSumWidth, 85); }
void TProgOptions::SetStoreSumWidth(uint32_t value) { SetIfChanged(*FStoreSumWidth, value); }
uint32_t TProgOptions::GetStoreSortedColumn() { return FStoreSortedColumn->GetValue(); }
void TProgOptions::SetStoreSortedColumn(uint32_t value) { SetIfChanged(*FStoreSortedColumn, value); }
uint32_t TProgOptions::GetMovesDateWidth() { return Width(*FMovesDateWidth, 65); }
void TProgOptions::SetMovesDateWidth(uint32_t value) { SetIfChanged(*FMovesDateWidth, value); }
uint32_t TProgOptions::GetMovesMoveWidth() { return Width(*FMovesMoveWidth, 38); }
void TProgOptions::SetMovesMoveWidth(uint32_t value) { SetIfChanged(*FMovesMoveWidth, value); }
uint32_t TProgOptions::GetMovesWeightWidth() { return Width(*FMovesWeightWidth, 42); }
void TProgOptions::SetMovesWeightWidth(uint32_t value) { SetIfChanged(*FMovesWeightWidth, value); }
uint32_t TProgOptions::GetMovesCountPWidth() { return Width(*FMovesCountPWidth, 35); }
void TProgOptions::SetMovesCountPWidth(uint32_t value) { SetIfChanged(*FMovesCountPWidth, value); }
uint32_t TProgOptions::GetMovesSumWidth() { return Width(*FMovesSumWidth, 65); }
void TProgOptions::SetMovesSumWidth(uint32_t value) { SetIfChanged(*FMovesSumWidth, value); }

std::string TProgOptions::GetLastCopy() { return TrimSettingText(FLastCopy->GetValue()); }
void TProgOptions::SetLastCopy(const std::string& folder) { SetIfChanged(*FLastCopy, TrimSettingText(folder)); }

uint32_t TProgOptions::GetProgLang() {
  uint32_t index = 0;
  while (index < 2 && TrimSettingText(FProgLang->GetValue()) != LangCodes[index]) ++index;
  return index;
}

void TProgOptions::SetProgLang(uint32_t index) {
  if (index > 2) throw ERangeError();
  SetIfChanged(*FProgLang, LangCodes[index]);
}

uint32_t TProgOptions::GetBaseCodePage() {
  uint32_t stored = FBaseCodePage->GetValue();
  if (stored != 0 && region_.IsValidCodePage(stored)) return stored;
  if (GetProgLang() <= 1) return 1251;
  if (region_.SystemAnsiCodePage == 65001) return region_.LocaleAnsiCodePage;
  return region_.SystemAnsiCodePage;
}

bool TProgOptions::GetKeyboardEnhanced() { return FKeyboardEnhanced->GetValue() != 0; }
void TProgOptions::SetKeyboardEnhanced(bool enhanced) { SetIfChanged(*FKeyboardEnhanced, enhanced ? 1 : 0); }
bool TProgOptions::GetAutogenEnabled() { return FAutogenEnabled->GetValue() != 0; }
void TProgOptions::SetAutogenEnabled(bool enabled) { SetIfChanged(*FAutogenEnabled, enabled ? 1 : 0); }

int32_t TProgOptions::GetAutogenDelta() {
  int32_t stored = static_cast<int32_t>(FAutogenDelta->GetValue());
  // The one value without a negation reads as absent instead of failing.
  if (stored == INT32_MIN) return 0;
  return -stored;
}

uint32_t TProgOptions::GetAutogenNuls() {
  uint32_t stored = FAutogenNuls->GetValue();
  if (stored == 0) return kDefaultNuls;
  return stored > kMaxNuls ? kMaxNuls : stored;
}

TProgOptions& ProgOptions() {
  Assert(Instance() != nullptr, "Not created ProgOptions", kUnit);
  return *Instance();
}

void CreateProgOptions() {
  CreateProgOptions(std::make_unique<TProgOptions>(platform::ProgramFolder() + kCfgFileName, kUninstallKeyName));
}

void CreateProgOptions(std::unique_ptr<TProgOptions> options) { Instance() = std::move(options); }

void FreeProgOptions() { Instance().reset(); }

}  // namespace vk
