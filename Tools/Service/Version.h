#pragma once
// Strings of a program file's version resource: the product version (the about
// window, the version check) and the copyright line (the about window). The
// version check thread calls these too; they keep no state.

#include <string>

namespace vk {

// The ProductVersion string of the file's version resource, or empty.
std::string GetProductVersion(const std::string& fileName);

// The LegalCopyright string of the file's version resource, or empty.
std::string GetLegalCopyright(const std::string& fileName);

// "ver=" and the product version with every blank removed (1 .43 gives
// "ver=1.43"), the query the version check sends.
std::string FormatVersionQuery(const std::string& productVersion);

// FormatVersionQuery of the running program's own product version.
std::string GetVersionQuery();

}  // namespace vk
