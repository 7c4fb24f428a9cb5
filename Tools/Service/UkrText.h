#pragma once
// The Ukrainian texts of the program: every text, the month names in the form that
// follows a day number, the edit-mode names, the product page address and the
// language's row of each text table.

#include "Tools/Service/TextConst.h"

namespace vk {

const TLanguageTexts& UkrainianLanguageTexts();

}  // namespace vk
