#pragma once
// TPasswordEdit: an edit for a password. Every character shows as a bullet
// ("*" where the system will not show the bullet), the text cannot be copied
// or cut, and the edit has no context menu of its own (no copy or paste); a
// context menu given to it (SetPopupMenu) is shown.

#include "Gui/Edits.h"

namespace vk::gui {

inline constexpr wchar_t kPasswordBullet = L'\u2022';

class TPasswordEdit : public TEdit {
 public:
  explicit TPasswordEdit(TWinControl* parent);

 protected:
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace vk::gui
