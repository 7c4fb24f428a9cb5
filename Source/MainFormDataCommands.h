#pragma once
// The main window's "Save to..." and "Restore..." commands as a sequence
// over what they need of the window, so that the sequence runs without one.
// Portable.

#include <string>

#include "Source/StoreData.h"

namespace vk {

class TDataCommandView {
 public:
  virtual ~TDataCommandView() = default;
  // The busy mode of file operations; changed tells that the tables were
  // replaced, so the grids and the panel are built from them again.
  virtual void InOutBegin() = 0;
  virtual void InOutEnd(bool changed) = 0;
  // The shell's folder dialog in the given mode; true with folder set only
  // for a confirmed, existing folder.
  virtual bool ChooseFolder(std::string& folder, int mode, const std::string& windowTitle,
                            const std::string& instruction) = 0;
  // The program's message box with one "OK" button.
  virtual void ShowBox(const std::string& text, const std::string& caption, int flags) = 0;
  // The path broken into lines for the box.
  virtual std::string WrapPath(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& folder) = 0;
  // "Paths"/"LastCopy".
  virtual std::string LastCopy() = 0;
  virtual void SetLastCopy(const std::string& folder) = 0;
};

// Copies the working files into a folder the user chooses and says how it
// went. The busy mode ends whatever happens, exceptions included.
void SaveDataAs(TStore& store, TDataCommandView& view);

// Replaces the working files by a chosen folder's pair and says how it went.
// The busy mode ends whatever happens; once the store was asked to restore,
// the window is rebuilt from the tables even when it failed or raised, since
// a failed restore may have put the safety copy back.
void RestoreData(TStore& store, TDataCommandView& view);

}  // namespace vk
