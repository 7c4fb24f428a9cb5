#include "vkSetup/InstallPath.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "Core/AsciiCase.h"
#include "Core/Utf8.h"
#include "Platform/TextFile.h"
#include "Source/StoreDataFoldersCopy.h"
#include "Tools/CfgFile/Options.h"
#include "vkSetup/InstallSteps.h"

namespace vk::setup {

namespace {

// The longest relative path the setup and the installed program write below
// the install folder, so that a folder the setup accepts never makes a later
// write fail on the system's path limit. It covers, as each is formed:
//   Uninstall.exe.new                    the setup's program files, written beside first
//   vorkel.cfg.<process>-<counter>.tmp   the settings file, rewritten whole beside itself
//   Data\moves.dat.old9                  the data pair's copies (name.new, name.old to
//                                        name.old9, pair.replacing) and the journal vorkel.jnl
//   Hist\yyyy-mm-dd\moves.dat.old9       the daily copies, with the same temporary names
//   Hist\0000-00-00\tmp\moves.dat.old9   the pair held aside while a restore from the safety copy runs
//   Export\yyyy-mm-dd.csv                the exports' proposed names (.txt as long; Import is only read)
constexpr std::string_view kDataStep = "Data\\";
constexpr std::string_view kHistStep = "Hist\\";
constexpr std::string_view kCopyStep = "yyyy-mm-dd\\";  // the safety copy 0000-00-00 as long
constexpr std::string_view kHeldStep = "tmp\\";
constexpr std::string_view kExportStep = "Export\\";
constexpr std::string_view kExportName = "yyyy-mm-dd.csv";
constexpr std::string_view kTableFile = "moves.dat";  // store.dat as long
constexpr std::string_view kJournalFile = "vorkel.jnl";
constexpr size_t kAsideNumberDigits = 1;  // name.old2 .. name.old9

constexpr size_t kTableTemporary =
    std::max({kTableFile.size() + std::string_view(kNewSuffix).size(),
              kTableFile.size() + std::string_view(kOldSuffix).size() + kAsideNumberDigits,
              std::string_view(kReplacingMarker).size(), kJournalFile.size()});

constexpr size_t kLongestWrittenPath = std::max({
    std::string_view(kUninstallFileName).size() + std::string_view(kTemporarySuffix).size(),
    std::string_view(kCfgFileName).size() + platform::kReplaceWholeSuffixMax,
    kDataStep.size() + kTableTemporary,
    kHistStep.size() + kCopyStep.size() + kHeldStep.size() + kTableTemporary,
    kExportStep.size() + kExportName.size(),
});

// The system's paths hold 259 characters (260 with the terminating zero); a
// folder it creates, 247 (room left for a short file name).
constexpr size_t kSystemPathLimit = 259;
constexpr size_t kSystemFolderLimit = 247;
// The deepest folder the program creates fits wherever its files do.
static_assert(kSystemPathLimit - kLongestWrittenPath + kHistStep.size() + kCopyStep.size() + kHeldStep.size() - 1 <=
              kSystemFolderLimit);

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsDeviceName(std::string_view name) {
  // The device names count with any extension ("nul.txt" is NUL too).
  std::string base = AsciiUpperCase(std::string(name.substr(0, name.find('.'))));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kPlain.begin(), kPlain.end(), base) != kPlain.end()) return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

bool IsAcceptedName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || std::string_view("<>:\"|?*").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return !IsDeviceName(name);
}

}  // namespace

std::string IncludeTrailingDelimiter(const std::string& path) {
  if (!path.empty() && path.back() == kPathDelimiter) return path;
  return path + kPathDelimiter;
}

std::string ExcludeTrailingDelimiter(const std::string& path) {
  std::string result = path;
  while (!result.empty() && result.back() == kPathDelimiter) result.pop_back();
  return result;
}

std::string ReadInstallPath(const std::string& editText, const std::string& setupFolder) {
  size_t first = 0, last = editText.size();
  while (first < last && IsBlank(editText[first])) ++first;
  while (last > first && IsBlank(editText[last - 1])) --last;
  if (first == last) return IncludeTrailingDelimiter(setupFolder);
  std::string folder;
  for (size_t i = first; i < last; ++i) {
    char c = editText[i] == '/' ? kPathDelimiter : editText[i];
    if (c == kPathDelimiter && !folder.empty() && folder.back() == kPathDelimiter) continue;
    folder += c;
  }
  return IncludeTrailingDelimiter(folder);
}

bool IsRemovableFolder(const std::string& folder) {
  TFolderVerdict verdict = CheckInstallFolder(folder);
  return verdict == TFolderVerdict::Ok || verdict == TFolderVerdict::TooLong;
}

TFolderVerdict CheckInstallFolder(const std::string& folder) {
  if (folder.size() < 3 || !IsDriveLetter(folder[0]) || folder[1] != ':' || folder[2] != kPathDelimiter) {
    return TFolderVerdict::NotAbsolute;
  }
  std::string_view names = std::string_view(folder).substr(3);
  if (ExcludeTrailingDelimiter(std::string(names)).empty()) return TFolderVerdict::DriveRoot;
  while (!names.empty()) {
    size_t end = names.find(kPathDelimiter);
    std::string_view name = names.substr(0, end);
    if (!IsAcceptedName(name)) return TFolderVerdict::BadName;
    if (end == std::string_view::npos) break;
    names.remove_prefix(end + 1);
  }
  if (Utf8ToUtf16(IncludeTrailingDelimiter(folder)).size() + kLongestWrittenPath > kSystemPathLimit) {
    return TFolderVerdict::TooLong;
  }
  return TFolderVerdict::Ok;
}

std::string InstallDrive(const std::string& folder) {
  if (folder.size() < 2 || !IsDriveLetter(folder[0]) || folder[1] != ':') return {};
  return {AsciiUpper(folder[0]), ':'};
}

std::string ParentFolder(const std::string& folder) {
  std::string parent = ExcludeTrailingDelimiter(folder);
  while (!parent.empty() && parent.back() != kPathDelimiter) parent.pop_back();
  return parent;
}

std::string BrowseStartFolder(const std::string& editText) {
  std::string path = IncludeTrailingDelimiter(editText);
  std::string tail = std::string(1, kPathDelimiter) + kDefaultFolderName + kPathDelimiter;
  if (path.size() >= tail.size() && SameTextAscii(std::string_view(path).substr(path.size() - tail.size()), tail)) {
    path.resize(path.size() - tail.size() + 1);
  }
  return path;
}

}  // namespace vk::setup
