#pragma once
// Moving a folder to the Recycle Bin through the shell. Windows only.

#include <string>

namespace vk::setup {

// Moves the folder (a full path) and all it holds to the Recycle Bin,
// without questions or error boxes, with one exception: where the bin cannot
// take it (another volume, too large), the shell asks before it would delete
// it for good. True when the folder does not exist afterwards; false when the
// shell failed or was stopped, or the folder is a link to somewhere else
// (which is never followed).
bool RecycleFolder(const std::string& path);

}  // namespace vk::setup
