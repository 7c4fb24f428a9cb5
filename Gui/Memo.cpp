#include "Gui/Memo.h"

namespace vk::gui {

TMemo::TMemo(TWinControl* parent) : TEdit(parent) {
  AutoSelect = false;
  SetBounds(0, 0, 185, 89);
}

void TMemo::CreateParams(TCreateParams& params) {
  TEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  if (WordWrap) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
}

LRESULT TMemo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE && ReadOnly()) {
    // Nothing to type into: Tab, Enter and Esc keep their dialog meaning.
    return DefaultHandler(message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
  }
  return TEdit::WndProc(message, wParam, lParam);
}

void TMemo::SetLinesText(const std::string& text) {
  lines_.clear();
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines_.push_back(text.substr(start, end - start));
  }
  lines_.push_back(text.substr(start));
  SetText(text);
  if (HandleAllocated()) SendMessageW(handle_, EM_SETSEL, 0, 0);
}

int TMemo::AddLine(const std::string& text) {
  lines_.push_back(text);
  ShowLines();
  return static_cast<int>(lines_.size()) - 1;
}

void TMemo::SetLine(int index, const std::string& text) {
  if (index < 0 || index >= static_cast<int>(lines_.size())) return;
  lines_[static_cast<size_t>(index)] = text;
  ShowLines();
}

void TMemo::Clear() {
  lines_.clear();
  ShowLines();
}

void TMemo::ShowLines() {
  std::string text;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) text += "\r\n";
    text += lines_[i];
  }
  SetText(text);
  if (!HandleAllocated()) return;
  // The last line in view, as a progress list should be.
  int end = GetWindowTextLengthW(handle_);
  SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
}

}  // namespace vk::gui
