#include "Gui/Edits.h"

#include <vector>

#include "Gui/GdiHandles.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui {

using platform::Utf8ToWide;
using platform::WideToUtf8;

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardWithRetry() {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

class ClipboardScope {
 public:
  ClipboardScope() : open_(OpenClipboardWithRetry()) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

std::string ClipboardText() {
  ClipboardScope clipboard;
  if (!clipboard.Open()) return {};
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return {};
  auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (!text) return {};
  std::wstring copy(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)));
  GlobalUnlock(data);
  return WideToUtf8(copy);
}

bool SetClipboardText(const std::string& text) {
  std::wstring wide = Utf8ToWide(text);
  size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* target = GlobalLock(memory.Get());
  if (!target) return false;
  memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory.Get());
  ClipboardScope clipboard;
  if (!clipboard.Open() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

// ---- TEdit ----

TEdit::TEdit(TWinControl* parent) : TWinControl(parent) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = L"EDIT";
  params.SystemClass = true;
  params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) params.Style |= ES_READONLY;
  if (passwordChar_) params.Style |= ES_PASSWORD;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
  SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (passwordChar_) SendMessageW(handle_, EM_SETPASSWORDCHAR, passwordChar_, 0);
}

std::string TEdit::Text() const {
  if (!handle_) return Caption();
  int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(handle_, text.data(), length + 1);
  text.resize(static_cast<size_t>(got));
  return WideToUtf8(text);
}

void TEdit::SetText(const std::string& text) {
  if (!handle_) {
    SetCaption(text);
    return;
  }
  // Straight to the window: the caption kept by TControl goes stale as the
  // user types, so it must not decide whether anything changed.
  SetWindowTextW(handle_, Utf8ToWide(text).c_str());
}

void TEdit::SetMaxLength(int maxLength) {
  maxLength_ = maxLength < 0 ? 0 : maxLength;
  if (handle_) SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TEdit::ReadOnly() const {
  if (!handle_) return readOnly_;
  return (GetWindowLongPtrW(handle_, GWL_STYLE) & ES_READONLY) != 0;
}

void TEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (handle_) SendMessageW(handle_, EM_SETREADONLY, readOnly, 0);
}

void TEdit::SetPasswordChar(wchar_t c) {
  passwordChar_ = c;
  if (!handle_) return;
  SendMessageW(handle_, EM_SETPASSWORDCHAR, c, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

int TEdit::SelStart() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TEdit::SelLength() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TEdit::SetSelection(int start, int length) {
  if (!handle_) return;
  SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
  SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
}

void TEdit::SetSelStart(int start) { SetSelection(start, 0); }

void TEdit::SetSelLength(int length) { SetSelection(SelStart(), length); }

void TEdit::SelectAll() {
  if (handle_) SendMessageW(handle_, EM_SETSEL, 0, -1);
}

std::string TEdit::SelText() const {
  if (!handle_) return {};
  std::wstring text = Utf8ToWide(Text());
  size_t start = static_cast<size_t>(SelStart());
  if (start >= text.size()) return {};
  return WideToUtf8(text.substr(start, static_cast<size_t>(SelLength())));
}

LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: return WmKeyDown(wParam, lParam);
    case WM_CHAR: return WmChar(wParam, lParam);
    case WM_SETFOCUS: return WmSetFocus(wParam, lParam);
    case WM_KILLFOCUS: return WmKillFocus(wParam, lParam);
    case WM_LBUTTONDOWN: {
      // The standard edit takes the focus inside its click handling.
      bool wasClicking = clicking_;
      clicking_ = true;
      LRESULT result = TWinControl::WndProc(message, wParam, lParam);
      clicking_ = wasClicking;
      return result;
    }
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

LRESULT TEdit::WmKeyDown(WPARAM wParam, LPARAM lParam) {
  WORD key = static_cast<WORD>(wParam);
  TShiftState shift = KeyboardShiftState();
  KeyDown(key, shift);
  if (key == 0) return 0;
  // The standard edit pastes and cuts on these keys by itself; routed
  // through the messages, the entry controls see every such change.
  if (key == VK_INSERT && shift == ssShift) return Perform(WM_PASTE, 0, 0);
  if (key == VK_INSERT && shift == ssCtrl) return Perform(WM_COPY, 0, 0);
  if (key == VK_DELETE && shift == ssShift) return Perform(WM_CUT, 0, 0);
  return DefaultHandler(WM_KEYDOWN, key, lParam);
}

LRESULT TEdit::WmChar(WPARAM wParam, LPARAM lParam) {
  wchar_t key = static_cast<wchar_t>(wParam);
  KeyPress(key);
  switch (key) {
    case 0: return 0;
    case 3: return Perform(WM_COPY, 0, 0);
    case 22: return Perform(WM_PASTE, 0, 0);
    case 24: return Perform(WM_CUT, 0, 0);
    case 26: return Perform(WM_UNDO, 0, 0);
  }
  return DefaultHandler(WM_CHAR, key, lParam);
}

LRESULT TEdit::WmSetFocus(WPARAM wParam, LPARAM lParam) {
  LRESULT result = TWinControl::WndProc(WM_SETFOCUS, wParam, lParam);
  if (AutoSelect && !clicking_ && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  DoEnter();
  return result;
}

LRESULT TEdit::WmKillFocus(WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefaultHandler(WM_KILLFOCUS, wParam, lParam);
  DoExit();
  return result;
}

std::optional<LRESULT> TEdit::CommandReflected(WORD notifyCode) {
  if (notifyCode != EN_CHANGE) return std::nullopt;
  Change();
  return 0;
}

std::optional<LRESULT> TEdit::CtlColorReflected(UINT /*message*/, HDC dc) {
  // A read-only edit asks with WM_CTLCOLORSTATIC; it shows the edit's colour too.
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  return reinterpret_cast<LRESULT>(BackgroundBrush());
}

void TEdit::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(key, shift);
}

void TEdit::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(key);
}

void TEdit::Change() {
  if (OnChange) OnChange();
}

void TEdit::DoEnter() {
  if (OnEnter) OnEnter();
}

void TEdit::DoExit() {
  if (OnExit) OnExit();
}

}  // namespace vk::gui
