#include "Tools/Service/Version.h"

#include <algorithm>

#include "Platform/VersionResource.h"

namespace vk {

std::string GetProductVersion(const std::string& fileName) {
  return platform::ReadVersionString(fileName, "ProductVersion");
}

std::string GetLegalCopyright(const std::string& fileName) {
  return platform::ReadVersionString(fileName, "LegalCopyright");
}

std::string FormatVersionQuery(const std::string& productVersion) {
  std::string version = productVersion;
  version.erase(std::remove(version.begin(), version.end(), ' '), version.end());
  return "ver=" + version;
}

std::string GetVersionQuery() { return FormatVersionQuery(GetProductVersion(platform::RunningProgramFile())); }

}  // namespace vk
