#pragma once
// The pictures of the main window's image list, drawn here as 16 x 16 pixel
// maps: 0 cut, 1 copy, 2 paste, 3 undo, 4 none, 5 delete (the standard edit
// actions' pictures in the menus).

#include <vector>

#include "Gui/ImgList.h"

namespace vk {

std::vector<gui::TImagePixels> MainFormGlyphs();

}  // namespace vk
