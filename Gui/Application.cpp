#include "Gui/Application.h"

#include <commctrl.h>

#include <algorithm>

#include "Gui/ExceptionBarrier.h"
#include "Gui/ExtCtrls.h"
#include "Gui/WindowClass.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui {

using platform::Utf8ToWide;

TApplication Application;

namespace {

constexpr wchar_t kWindowClass[] = L"TApplication";
// Private messages of the application window.
constexpr UINT kShowDeferredExceptions = WM_APP + 1;
constexpr UINT kReleaseForm = WM_APP + 2;

}  // namespace

void HandOverCurrentException() noexcept {
  try {
    Application.HandleException(std::current_exception());
  } catch (...) {
    // The handler itself failed; there is nobody left to tell.
  }
}

TApplication::TApplication() = default;

TApplication::~TApplication() {
  while (!forms_.empty()) {
    FormPtr<TForm> last = std::move(forms_.back());
    forms_.pop_back();
  }
  if (handle_) DestroyWindow(handle_);
}

HINSTANCE TApplication::Instance() const { return ProgramInstance(); }

void TApplication::Initialize() {
  if (initialized_) return;
  initialized_ = true;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);
}

HWND TApplication::Handle() {
  if (handle_) return handle_;
  Initialize();
  RegisterWindowClass(kWindowClass, StaticWndProc);
  // Zero-sized and never shown: it exists to own the forms and to be found.
  int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_ = CreateProgramWindow(/*exStyle=*/0, kWindowClass, Utf8ToWide(title_),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, {x, y, x, y},
                                /*parent=*/nullptr, /*menu=*/nullptr, this);
  return handle_;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, Utf8ToWide(title).c_str());
}

void TApplication::SetHint(const std::string& hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  if (OnHint) OnHint();
}

LRESULT CALLBACK TApplication::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->WndProc(window, message, wParam, lParam);
  });
}

LRESULT TApplication::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: TimerFired(wParam); return 0;
    case kShowDeferredExceptions: ShowDeferredExceptions(); return 0;
    case kReleaseForm: FreeForm(reinterpret_cast<TForm*>(lParam)); return 0;
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_NCDESTROY: handle_ = nullptr; break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TApplication::FreeForm(TForm* form) {
  auto it = std::find_if(forms_.begin(), forms_.end(), [form](const FormPtr<TForm>& f) { return f.get() == form; });
  if (it == forms_.end()) return;
  FormPtr<TForm> owned = std::move(*it);
  forms_.erase(it);
}

void TApplication::ReleaseForm(TForm* form) {
  if (form->HandleAllocated()) form->Hide();
  PostMessageW(Handle(), kReleaseForm, 0, reinterpret_cast<LPARAM>(form));
}

void TApplication::FormDestroyed(TForm* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Run() {
  if (!mainForm_ || terminated_) return;
  if (ShowMainForm) mainForm_->Show();
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandOverCurrentException();
    }
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleMessage() {
  MSG message;
  if (!ProcessMessage(message)) WaitMessage();
}

void TApplication::ProcessMessages() {
  MSG message;
  while (ProcessMessage(message)) {
  }
}

bool TApplication::ProcessMessage(MSG& message) {
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(message, handled);
  if (handled || IsShortCutKey(message) || IsDialogKey(message)) return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

bool TApplication::IsDialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  WPARAM key = message.wParam;
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
  TForm* form = dynamic_cast<TForm*>(TWinControl::FindControl(GetAncestor(message.hwnd, GA_ROOT)));
  if (!form) return false;
  // A control that takes the key itself (a multi-line edit, a grid) gets it.
  LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message));
  if (code & DLGC_WANTALLKEYS) return false;
  if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
  return form->DialogKey(message);
}

// A key as a command of the form it was typed in, before the focused control
// sees it. While a modal window is open no form's commands run: its own keys
// go to it.
bool TApplication::IsShortCutKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (modalLevel_ > 0) return false;
  auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(GetAncestor(message.hwnd, GA_ROOT)));
  if (!form) return false;
  TShortCut modifiers = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= scAlt;
  return form->IsShortCut(ShortCut(static_cast<std::uint16_t>(message.wParam), modifiers));
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->HandleAllocated() && IsIconic(mainForm_->Handle())) {
    ShowWindow(mainForm_->Handle(), SW_RESTORE);
  }
  if (handle_ && IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
}

bool TApplication::Active() const {
  HWND active = GetActiveWindow();
  return active && GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId();
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

PaintingScope::PaintingScope() noexcept { ++Application.paintDepth_; }

PaintingScope::~PaintingScope() { --Application.paintDepth_; }

void TApplication::HandleException(std::exception_ptr error) {
  if (paintDepth_ > 0) {
    // A modal box inside WM_PAINT would leave the window unpainted and paint
    // again under the box: report it from the loop instead.
    deferred_.push_back(error);
    if (deferred_.size() == 1) PostMessageW(Handle(), kShowDeferredExceptions, 0, 0);
    return;
  }
  Report(error);
}

void TApplication::ShowDeferredExceptions() {
  std::vector<std::exception_ptr> pending;
  pending.swap(deferred_);
  for (auto& error : pending) Report(error);
}

void TApplication::Report(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    if (OnException) {
      OnException(e);
    } else {
      ShowException(e);
    }
  } catch (...) {
    Exception unknown("Unknown exception");
    if (OnException) {
      OnException(unknown);
    } else {
      ShowException(unknown);
    }
  }
}

void TApplication::ShowException(const std::exception& error) {
  HWND owner = GetActiveWindow();
  MessageBoxW(owner ? owner : handle_, Utf8ToWide(error.what()).c_str(), Utf8ToWide(title_).c_str(),
              MB_OK | MB_ICONSTOP);
}

UINT_PTR TApplication::AddTimer(TTimer* timer) {
  UINT_PTR id = nextTimerId_++;
  timers_[id] = timer;
  return id;
}

void TApplication::RemoveTimer(UINT_PTR id) {
  if (handle_) KillTimer(handle_, id);
  timers_.erase(id);
}

void TApplication::TimerFired(UINT_PTR id) {
  auto it = timers_.find(id);
  if (it != timers_.end()) it->second->Timer();
}

}  // namespace vk::gui
