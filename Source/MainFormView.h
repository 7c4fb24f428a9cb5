#pragma once
// What the main window's edit modes ask of the window, apart from Win32: the
// mode policy (browse now, the entry modes later) drives the window only
// through this interface, so a native test can drive the policy over a fake.

#include <string>

namespace vk {

// The six entry controls of the edit panel.
enum class TEntry { Code, Name, Cost, Weight, PCount, Note };

class TMainFormModeView {
 public:
  virtual ~TMainFormModeView() = default;

  // Del and F2 act on the moves (true) or on the goods.
  virtual void SetSideShortcuts(bool movesSide) = 0;
  // Status panel 2.
  virtual void ShowModeName(const std::string& text) = 0;
  // Every entry control read-only (in the read-only colour) or editable.
  virtual void SetEntriesReadOnly(bool readOnly) = 0;
  virtual void SetGridsEnabled(bool enabled) = 0;
  // A modal file or printer operation runs (the clock then follows the
  // keyboard layout of the calling thread).
  virtual void SetBusy(bool busy) = 0;
  virtual bool HasGoods() = 0;
  // Rows of the moves grid, its header row included.
  virtual int MovesRowCount() = 0;
};

}  // namespace vk
