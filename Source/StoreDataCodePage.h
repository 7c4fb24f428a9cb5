#pragma once
// Start-up's step that tells the store which code page its stored texts are
// in, from the settings ("Language"/"BaseCodePage" and its fallbacks).

#include "Source/StoreData.h"
#include "Tools/CfgFile/Options.h"

namespace vk {

// Start-up calls this once the settings exist and before the data are
// opened: names, codes and notes are then read, shown, searched and written
// in the settings' code page instead of the store's own 1251.
void ApplyDataCodePageSetting(TStore& store = Store(), TProgOptions& options = ProgOptions());

}  // namespace vk
