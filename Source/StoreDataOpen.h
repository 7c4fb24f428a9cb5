#pragma once
// Opening the data folder at start-up: the check of Data, the day's copy into
// Hist and the opening of both tables, with the boxes that tell the user what
// went wrong; and the closing at the end.

#include <functional>
#include <string>

#include "Source/StoreData.h"

namespace vk {

// Shows one box of the program's message box with its one "OK" button.
using TShowBox = std::function<void(const std::string& text, const std::string& caption, int flags)>;

// The name of the working data folder in the program folder.
inline constexpr char kDataFolderName[] = "Data";

// False ends the program. When Data holds a table file: the day's copy (a
// failure is shown and start-up goes on; files that do not open as tables are
// not copied), the opening, then the names of missing files. Otherwise only
// the opening, which creates the folder and the tables.
bool OpenStoreData(TStore& store, const TShowBox& showBox);
// Opens both tables, creating what is missing; a failure is shown and
// answers false.
bool OpenDataFolder(TStore& store, const TShowBox& showBox);
void CloseStoreData(TStore& store);

}  // namespace vk
