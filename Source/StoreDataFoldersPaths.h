#pragma once
// Paths of the data folders, as texts. A Windows path uses "\", a posix one
// "/"; the tests run natively and under Wine, so these helpers take either
// and keep the delimiter the given folder already uses.

#include <string>

namespace vk {

// The delimiter a path uses: its last "\" or "/"; "/" when it has none.
char PathDelimiterOf(const std::string& path);
bool IsPathDelimiter(char c);
// A relative path (either delimiter, any number of steps) under a folder,
// written with the folder's delimiter.
std::string JoinPath(const std::string& folder, const std::string& relative);
// The path without trailing delimiters; a root ("/", "C:\") keeps its own.
std::string ExcludeTrailingDelimiter(const std::string& path);
// Equal as relative names, ignoring ASCII letter case and which delimiter.
bool SameRelativeName(const std::string& a, const std::string& b);

}  // namespace vk
