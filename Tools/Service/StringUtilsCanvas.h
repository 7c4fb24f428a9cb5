#pragma once
// ShortenPathToWidth measured in a canvas's current font. Windows only.

#include <string>

#include "Gui/Graphics.h"

namespace vk {

// The path shortened to fit width pixels in the canvas's current font; nothing
// is drawn.
std::string ShortenPathToWidth(const std::string& text, gui::TCanvas& canvas, int width);

}  // namespace vk
