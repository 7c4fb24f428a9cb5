#include "Platform/VersionResource.h"

#include <unistd.h>

#include <climits>

namespace vk::platform {

std::string ReadVersionString(const std::string&, const std::string&) { return {}; }

std::string RunningProgramFile() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace vk::platform
