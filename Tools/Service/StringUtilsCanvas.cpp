#include "Tools/Service/StringUtilsCanvas.h"

#include "Tools/Service/StringUtils.h"

namespace vk {

std::string ShortenPathToWidth(const std::string& text, gui::TCanvas& canvas, int width) {
  return ShortenPathToWidth(
      text, [&](const std::string& candidate) { return canvas.TextWidth(candidate); }, width);
}

}  // namespace vk
