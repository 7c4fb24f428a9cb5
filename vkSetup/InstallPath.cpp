#include "vkSetup/InstallPath.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "Core/AsciiCase.h"
#include "Core/Utf8.h"

namespace vk::setup {

namespace {

// The longest name the install writes into the folder: the uninstaller's
// temporary name, "Uninstall.exe.new". The system's paths hold 259
// characters (260 with the terminating zero).
constexpr int kLongestWrittenName = 17;
constexpr int kSystemPathLimit = 259;

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
  if (static_cast<int>(Utf8ToUtf16(IncludeTrailingDelimiter(folder)).size()) + kLongestWrittenName > kSystemPathLimit) {
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
