#pragma once
// TMemo: the system's multi-line EDIT over a list of lines that the program
// adds to and changes; the view follows the last line.

#include <string>
#include <vector>

#include "Gui/Edits.h"

namespace vk::gui {

class TMemo : public TEdit {
 public:
  // 185 x 89, vertical scroll bar, long lines broken at the width.
  explicit TMemo(TWinControl* parent);

  // Off: lines as long as they are (a progress list). Takes effect when the
  // window is made.
  bool WordWrap = true;

  const std::vector<std::string>& Lines() const { return lines_; }
  // The whole text, lines broken at "\r\n" (the licence text).
  void SetLinesText(const std::string& text);
  // Adds a line; its index.
  int AddLine(const std::string& text);
  void SetLine(int index, const std::string& text);
  void Clear();

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowLines();

  std::vector<std::string> lines_;
};

}  // namespace vk::gui
