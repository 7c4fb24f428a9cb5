#pragma once
// Pictures decoded by the system's own picture loader (OleLoadPicture), so
// that a JPEG needs no decoder of ours: the setup wizard's background.

#include <windows.h>

#include <string_view>

#include "Gui/ExtCtrls.h"

namespace vk::gui {

// Draws the picture held in the bytes (JPEG, BMP, GIF) over the image's
// whole bitmap, stretched to its size. False, leaving the bitmap as it was,
// when the bytes are no picture the loader knows.
bool DrawPictureBytes(TImage& image, std::string_view bytes);

// The bytes of a resource of the running program; empty when it is missing.
std::string_view ProgramResource(const wchar_t* type, const wchar_t* name);

}  // namespace vk::gui
