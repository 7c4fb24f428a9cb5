#include "Platform/ProgramFolder.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "Platform/posix/SystemError.h"

namespace vk::platform {

std::string ProgramFolder() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) {
    RaiseSystemCallError("readlink", "/proc/self/exe", n < 0 ? errno : ENAMETOOLONG);
  }
  std::string path(buffer.data(), static_cast<size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace vk::platform
