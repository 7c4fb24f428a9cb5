#include "Gui/ComCtrls.h"

#include <commctrl.h>

#include "Platform/win32/Utf16.h"

namespace vk::gui {
namespace {

// The control's own alignment marks: one tab centres, two right-align.
std::wstring Aligned(const TStatusPanel& panel) {
  std::wstring text = platform::Utf8ToWide(panel.Text);
  switch (panel.Alignment) {
    case TAlignment::taCenter: return L"\t" + text;
    case TAlignment::taRightJustify: return L"\t\t" + text;
    default: return text;
  }
}

}  // namespace

TStatusBar::TStatusBar(TWinControl* parent) : TWinControl(parent) {
  const int height = 19;
  SetBounds(0, parent ? parent->ClientHeight() - height : 0, parent ? parent->ClientWidth() : 200, height);
  SetAnchors(akLeft | akRight | akBottom);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = STATUSCLASSNAMEW;
  params.SystemClass = true;
  // Placed by our anchors, not by the control itself.
  params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  if (SizeGrip) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::HandleCreated() {
  ApplyParts();
  for (int i = 0; i < PanelCount(); ++i) ApplyText(i);
}

void TStatusBar::SetPanels(const std::vector<TStatusPanel>& panels) {
  panels_ = panels;
  if (!HandleAllocated()) return;
  ApplyParts();
  for (int i = 0; i < PanelCount(); ++i) ApplyText(i);
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  TStatusPanel& panel = panels_.at(static_cast<size_t>(index));
  if (panel.Text == text) return;
  panel.Text = text;
  ApplyText(index);
}

void TStatusBar::SetPanelWidth(int index, int width) {
  TStatusPanel& panel = panels_.at(static_cast<size_t>(index));
  if (panel.Width == width) return;
  panel.Width = width;
  ApplyParts();
}

void TStatusBar::ApplyParts() {
  if (!HandleAllocated() || panels_.empty()) return;
  std::vector<int> rightEdges;
  int right = 0;
  for (size_t i = 0; i < panels_.size(); ++i) {
    right += panels_[i].Width;
    rightEdges.push_back(i + 1 == panels_.size() ? -1 : right);
  }
  SendMessageW(handle_, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
}

void TStatusBar::ApplyText(int index) {
  if (!HandleAllocated()) return;
  std::wstring text = Aligned(panels_.at(static_cast<size_t>(index)));
  SendMessageW(handle_, SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TStatusBar::PanelTextShown(int index) {
  const LRESULT info = SendMessageW(Handle(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0);
  std::wstring text(LOWORD(info) + 1, L'\0');
  SendMessageW(handle_, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(info));
  while (!text.empty() && text.front() == L'\t') text.erase(text.begin());
  return platform::WideToUtf8(text);
}

int TStatusBar::TextWidth(const std::string& text) { return ScreenTextWidth(Font(), text); }

void TStatusBar::RecreateWnd() {
  if (!HandleAllocated()) return;
  DestroyHandle();
  HandleNeeded();
}

}  // namespace vk::gui
