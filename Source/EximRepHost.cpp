#include "Source/EximRepHost.h"

#include "Tools/Service/StringUtils.h"

namespace vk {

std::string ShortenPathForBox(TExImHost& host, const std::string& path) {
  return ShortenPathToWidth(
      path, [&](const std::string& text) { return host.MessageTextWidth(text); }, host.MessageTextAreaWidth());
}

}  // namespace vk
