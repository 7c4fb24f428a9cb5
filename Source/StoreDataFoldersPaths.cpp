#include "Source/StoreDataFoldersPaths.h"

#include "Core/AsciiCase.h"

namespace vk {
namespace {

bool IsRoot(const std::string& path) {
  if (path.size() == 1) return IsPathDelimiter(path[0]);
  return path.size() == 3 && path[1] == ':' && IsPathDelimiter(path[2]);  // C:\ or C:/
}

}  // namespace

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

char PathDelimiterOf(const std::string& path) {
  size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? '/' : path[last];
}

std::string ExcludeTrailingDelimiter(const std::string& path) {
  std::string result = path;
  while (!result.empty() && IsPathDelimiter(result.back()) && !IsRoot(result)) result.pop_back();
  return result;
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  const char delimiter = PathDelimiterOf(folder);
  std::string result = folder;
  if (!result.empty() && !IsPathDelimiter(result.back())) result += delimiter;
  bool stepOpen = false;  // inside a step: a delimiter ends it
  for (char c : relative) {
    if (IsPathDelimiter(c)) {
      if (stepOpen) result += delimiter;
      stepOpen = false;
    } else {
      result += c;
      stepOpen = true;
    }
  }
  return ExcludeTrailingDelimiter(result);
}

bool SameRelativeName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsPathDelimiter(a[i]) && IsPathDelimiter(b[i])) continue;
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace vk
