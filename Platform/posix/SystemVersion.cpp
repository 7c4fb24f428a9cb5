#include "Platform/SystemVersion.h"

namespace vk::platform {

OsVersion QueryOsVersion() { return {}; }

bool QueryIsWow64() { return false; }

}  // namespace vk::platform
